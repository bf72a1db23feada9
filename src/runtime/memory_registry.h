#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "runtime/registry.h"

namespace vellumar {

// A registry held in memory, for platforms without one and for tests. Keys
// and value names are compared without regard to ASCII case, as Windows does.
class MemoryRegistry final : public Registry {
public:
    // Stores a value of any type with exactly these data bytes; the key is
    // made if needed.
    void setValue(RegistryRoot root, const std::string& subKey, const std::string& valueName,
                  std::uint32_t type, std::vector<unsigned char> data);
    // A REG_SZ value: the text followed by its terminating zero.
    void setText(RegistryRoot root, const std::string& subKey, const std::string& valueName,
                 const std::string& text);

    long openKey(RegistryRoot root, const std::string& subKey, std::uint32_t options,
                 std::uint32_t access, RegistryKey* key) override;
    long queryValue(RegistryKey key, const std::string& valueName, std::uint32_t* type,
                    unsigned char* data, std::uint32_t* size) override;
    long closeKey(RegistryKey key) override;

    // Keys opened and not yet closed.
    std::size_t openCount() const { return handles_.size(); }
    // Access mask of the last open.
    std::uint32_t lastAccess() const { return lastAccess_; }

private:
    struct Value {
        std::uint32_t type = 0;
        std::vector<unsigned char> data;
    };
    using KeyPath = std::pair<RegistryRoot, std::string>;

    static std::string folded(const std::string& text);

    std::map<KeyPath, std::map<std::string, Value>> keys_;
    std::map<RegistryKey, KeyPath> handles_;
    RegistryKey nextHandle_ = 0x100;
    std::uint32_t lastAccess_ = 0;
};

}  // namespace vellumar
