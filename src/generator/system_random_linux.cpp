#include "generator/system_random.h"

#include <sys/random.h>

#include <cerrno>

namespace vellumar {

bool fillFromSystem(std::uint8_t* data, std::size_t size)
{
    // A call may return fewer bytes than asked when a signal comes in.
    while (size > 0) {
        const ssize_t got = ::getrandom(data, size, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

}  // namespace vellumar
