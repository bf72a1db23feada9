#pragma once

// Finds the operating system's system-information tool (named by the desktop,
// else through the registry) and starts it. Free of any toolkit, so that the
// same code runs on every platform over the desktop's registry, file lookup
// and program start.

#include <functional>
#include <string>
#include <string_view>

#include "runtime/registry.h"

namespace vellumar {

class Desktop;

inline constexpr char kSysInfoKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
inline constexpr char kSysInfoValue[] = "PATH";
inline constexpr char kSysInfoLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
inline constexpr char kSysInfoLocationValue[] = "MSINFO";
inline constexpr char kSysInfoProgram[] = "\\MSINFO32.EXE";
inline constexpr char kSysInfoUnavailable[] = "System Information Is Unavailable At This Time";

// Capacity of the buffer a value is read into; longer data is a failure.
inline constexpr std::uint32_t kRegistryDataCapacity = 1024;

// Reads one registry value as text into KeyVal. The key is opened for reading
// only and always closed again. REG_SZ gives its text (a terminating zero
// dropped), REG_DWORD the decimal text of its 32-bit little-endian number,
// zero bytes of data empty text; any other type leaves KeyVal as it was and
// still counts as read. Returns false, with KeyVal emptied, when the key
// cannot be opened or the value cannot be read.
bool GetKeyValue(Registry& registry, RegistryRoot KeyRoot, const std::string& KeyName,
                 const std::string& SubKeyRef, std::string& KeyVal);

// Starts the system-information tool: the program the desktop names, else the
// one named by the first entry, or else MSINFO32.EXE in the folder named by
// the second entry. Any failure,
// also an exception from a service, ends in one message through showMessage.
void StartSysInfo(Desktop& desktop, const std::function<void(std::string_view)>& showMessage);

}  // namespace vellumar
