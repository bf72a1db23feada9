#include "runtime/help_guide.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <string_view>
#include <system_error>

namespace vellumar {

std::string htmlGuideFor(const std::string& target)
{
    static constexpr std::string_view kSuffix = ".chm";
    if (target.size() <= kSuffix.size())
        return {};
    const bool isHelpFile =
        std::equal(kSuffix.begin(), kSuffix.end(), target.end() - static_cast<std::ptrdiff_t>(kSuffix.size()),
                   [](char a, char b) { return a == std::tolower(static_cast<unsigned char>(b)); });
    if (!isHelpFile)
        return {};
    return (std::filesystem::path(target).parent_path() / "help" / "index.html").string();
}

bool HelpGuideShellOpen::open(const ShellOpenRequest& request)
{
    if (shell_.open(request))
        return true;
    const std::string guide = htmlGuideFor(request.target);
    std::error_code error;
    if (guide.empty() || !std::filesystem::is_regular_file(guide, error))
        return false;
    ShellOpenRequest page = request;
    page.target = guide;
    return shell_.open(page);
}

}  // namespace vellumar
