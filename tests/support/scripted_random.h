#pragma once

#include <cstdint>
#include <deque>
#include <stdexcept>

#include "generator/random_source.h"

namespace vellumar::testing {

// A random source that returns the draws it was given, in order, and records
// the bound of every draw.
class ScriptedRandom final : public RandomSource {
public:
    ScriptedRandom(std::initializer_list<std::uint32_t> draws) : draws_(draws) {}

    std::uint32_t below(std::uint32_t n) override
    {
        if (draws_.empty())
            throw std::logic_error("scripted random source ran out of draws");
        bounds.push_back(n);
        const std::uint32_t value = draws_.front();
        draws_.pop_front();
        return value;
    }

    std::size_t remaining() const { return draws_.size(); }
    std::deque<std::uint32_t> bounds;

private:
    std::deque<std::uint32_t> draws_;
};

}  // namespace vellumar::testing
