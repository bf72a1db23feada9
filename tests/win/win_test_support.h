#pragma once

// Helpers for the tests that run the Windows services for real: a scratch
// folder, and copies of the marker tool (marker_tool.cpp) that tell whether
// and where they ran.

#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>
#include <thread>

namespace vellumar::testing {

// The folder of the running test program, where the build puts the marker
// tool too.
inline std::filesystem::path programFolder()
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    return std::filesystem::path(std::string(self, length)).parent_path();
}

// A fresh folder below the temporary folder, removed with everything in it
// at the end of the test.
class ScratchFolder {
public:
    ScratchFolder()
    {
        static int count = 0;
        path_ = std::filesystem::temp_directory_path() /
                ("vellumar-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++count));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as Windows text, with backslashes and no trailing one.
    std::string text() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

// Puts a copy of the marker tool at `target` (folders made as needed).
inline void placeMarkerTool(const std::filesystem::path& target)
{
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::copy_file(programFolder() / "marker_tool.exe", target,
                               std::filesystem::copy_options::overwrite_existing);
}

inline std::filesystem::path markerOf(std::filesystem::path tool)
{
    return tool += ".ran";
}

// Waits up to `limit` for the tool at `tool` to leave its marker; gives the
// folder it was started in, or nothing when it did not run.
inline std::optional<std::string> waitForMarker(const std::filesystem::path& tool,
                                                std::chrono::milliseconds limit)
{
    const auto marker = markerOf(tool);
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (std::filesystem::exists(marker)) {
            // The tool may still be writing: wait until it lets go of the file.
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            std::ifstream in(marker, std::ios::binary);
            return std::string(std::istreambuf_iterator<char>(in), {});
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return std::nullopt;
}

}  // namespace vellumar::testing
