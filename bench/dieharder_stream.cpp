// Writes raw 32-bit words from the generator's random source to standard
// output, for statistical test suites: dieharder_stream | dieharder -g 200 -a
#include <cstdio>
#include <cstdint>

#include "generator/random_source.h"

int main()
{
    vellumar::SodiumRandomSource random;
    std::uint32_t block[4096];
    for (;;) {
        for (auto& word : block)
            word = random.nextWord();
        if (std::fwrite(block, sizeof block, 1, stdout) != 1)
            return 0;  // the reader has gone
    }
}
