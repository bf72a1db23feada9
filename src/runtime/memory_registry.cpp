#include "runtime/memory_registry.h"

#include <algorithm>
#include <cstring>

namespace vellumar {

std::string MemoryRegistry::folded(const std::string& text)
{
    std::string result = text;
    std::transform(result.begin(), result.end(), result.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    return result;
}

void MemoryRegistry::setValue(RegistryRoot root, const std::string& subKey,
                              const std::string& valueName, std::uint32_t type,
                              std::vector<unsigned char> data)
{
    keys_[{root, folded(subKey)}][folded(valueName)] = Value{type, std::move(data)};
}

void MemoryRegistry::setText(RegistryRoot root, const std::string& subKey,
                             const std::string& valueName, const std::string& text)
{
    std::vector<unsigned char> data(text.begin(), text.end());
    data.push_back(0);
    setValue(root, subKey, valueName, kRegSz, std::move(data));
}

long MemoryRegistry::openKey(RegistryRoot root, const std::string& subKey, std::uint32_t options,
                             std::uint32_t access, RegistryKey* key)
{
    (void)options;
    lastAccess_ = access;
    const KeyPath path{root, folded(subKey)};
    if (!keys_.contains(path))
        return kErrorFileNotFound;
    const RegistryKey handle = nextHandle_++;
    handles_[handle] = path;
    *key = handle;
    return kErrorSuccess;
}

long MemoryRegistry::queryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                                unsigned char* data, std::uint32_t* size)
{
    const auto handle = handles_.find(key);
    if (handle == handles_.end())
        return kErrorInvalidHandle;
    const auto& values = keys_.at(handle->second);
    const auto found = values.find(folded(valueName));
    if (found == values.end())
        return kErrorFileNotFound;
    const Value& value = found->second;
    if (type)
        *type = value.type;
    const auto length = static_cast<std::uint32_t>(value.data.size());
    if (data && length > *size) {
        *size = length;
        return kErrorMoreData;
    }
    if (data && length > 0)
        std::memcpy(data, value.data.data(), length);
    *size = length;
    return kErrorSuccess;
}

long MemoryRegistry::closeKey(RegistryKey key)
{
    return handles_.erase(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
}

}  // namespace vellumar
