#include "generator/system_random.h"

namespace vellumar {

// No call that fills a whole buffer at once here: libsodium's is used.
bool fillFromSystem(std::uint8_t*, std::size_t)
{
    return false;
}

}  // namespace vellumar
