#include "runtime/sys_info.h"

#include <array>

#include "runtime/desktop.h"

namespace vellumar {

namespace {

std::string dwordText(const unsigned char* data, std::uint32_t size)
{
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < size && i < 4; ++i)
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return std::to_string(value);
}

}  // namespace

bool GetKeyValue(Registry& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal)
{
    RegistryKey key = 0;
    if (registry.openKey(KeyRoot, KeyName, 0, kKeyRead, &key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }

    std::array<unsigned char, kRegistryDataCapacity> data{};
    std::uint32_t size = kRegistryDataCapacity;
    std::uint32_t type = 0;
    const long status = registry.queryValue(key, SubKeyRef, &type, data.data(), &size);
    registry.closeKey(key);
    if (status != kErrorSuccess || size > kRegistryDataCapacity) {
        KeyVal.clear();
        return false;
    }

    if (type == kRegSz) {
        std::uint32_t length = size;
        if (length > 0 && data[length - 1] == 0)
            --length;
        KeyVal.assign(reinterpret_cast<const char*>(data.data()), length);
    } else if (type == kRegDword) {
        KeyVal = size == 0 ? std::string() : dwordText(data.data(), size);
    }
    return true;
}

void StartSysInfo(Desktop& desktop, const std::function<void(std::string_view)>& showMessage)
{
    bool started = false;
    try {
        std::string toolPath = desktop.systemInfoTool();
        bool found = !toolPath.empty() ||
                     GetKeyValue(desktop.registry(), kHkeyLocalMachine, kSysInfoKey, kSysInfoValue, toolPath);
        if (!found && GetKeyValue(desktop.registry(), kHkeyLocalMachine, kSysInfoLocationKey,
                                  kSysInfoLocationValue, toolPath)) {
            // The second entry names a folder: the tool is MSINFO32.EXE in it.
            found = !desktop.findFile(toolPath + kSysInfoProgram).empty();
            if (found)
                toolPath += kSysInfoProgram;
        }
        started = found && !toolPath.empty() && desktop.startProgram(toolPath);
    } catch (...) {
        started = false;
    }
    if (!started)
        showMessage(kSysInfoUnavailable);
}

}  // namespace vellumar
