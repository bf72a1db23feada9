#include "generator/random_source.h"

#include <sodium.h>

#include "generator/system_random.h"

#include <stdexcept>

namespace vellumar {

SodiumRandomSource::SodiumRandomSource()
{
    if (sodium_init() < 0)
        throw std::runtime_error("libsodium could not be initialised");
}

SodiumRandomSource::~SodiumRandomSource()
{
    sodium_memzero(buffer_.data(), sizeof buffer_);
}

void SodiumRandomSource::refill()
{
    if (!fillFromSystem(buffer_.data(), buffer_.size()))
        randombytes_buf(buffer_.data(), buffer_.size());
    next_ = 0;
}

}  // namespace vellumar
