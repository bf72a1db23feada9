// Generator throughput through its one entry point: one longest password
// (from a source whose type the caller knows, and from one the compiler
// cannot see through, as the main window holds it), a batch's worth of short
// ones, and the cost of a single buffered draw as the ceiling.
#include <benchmark/benchmark.h>

#include "generator/password_generator.h"

namespace {

using vellumar::PasswordOptions;
using vellumar::SodiumRandomSource;

void ignoreMessage(std::string_view) {}

void BM_OneLongestPasswordAllClasses(benchmark::State& state)
{
    SodiumRandomSource random;
    const PasswordOptions options{true, true, true, true, "32767"};
    for (auto _ : state) {
        auto password = vellumar::generatePassword(options, random, ignoreMessage);
        benchmark::DoNotOptimize(password);
    }
    state.SetItemsProcessed(state.iterations() * 32767);  // characters
}
BENCHMARK(BM_OneLongestPasswordAllClasses)->Unit(benchmark::kMillisecond);

// The main window's default classes, as in a batch: half the class draws are
// drawn again.
void BM_OneLongestPasswordLowerAndDigits(benchmark::State& state)
{
    SodiumRandomSource random;
    const PasswordOptions options{false, true, true, false, "32767"};
    for (auto _ : state) {
        auto password = vellumar::generatePassword(options, random, ignoreMessage);
        benchmark::DoNotOptimize(password);
    }
    state.SetItemsProcessed(state.iterations() * 32767);  // characters
}
BENCHMARK(BM_OneLongestPasswordLowerAndDigits)->Unit(benchmark::kMillisecond);

void BM_OneLongestPasswordThroughInterface(benchmark::State& state)
{
    SodiumRandomSource sodium;
    vellumar::RandomSource& random = sodium;
    benchmark::DoNotOptimize(&random);  // the type is not known at the call
    const PasswordOptions options{true, true, true, true, "32767"};
    for (auto _ : state) {
        auto password = vellumar::generatePassword(options, random, ignoreMessage);
        benchmark::DoNotOptimize(password);
    }
    state.SetItemsProcessed(state.iterations() * 32767);  // characters
}
BENCHMARK(BM_OneLongestPasswordThroughInterface)->Unit(benchmark::kMillisecond);

void BM_ManySevenCharacterPasswords(benchmark::State& state)
{
    SodiumRandomSource random;
    const PasswordOptions options;  // lower-case and digits, 7
    for (auto _ : state) {
        for (int i = 0; i < 32767; ++i) {
            auto password = vellumar::generatePassword(options, random, ignoreMessage);
            benchmark::DoNotOptimize(password);
        }
    }
    state.SetItemsProcessed(state.iterations() * 32767 * 7);  // characters
}
BENCHMARK(BM_ManySevenCharacterPasswords)->Unit(benchmark::kMillisecond);

void BM_OneBufferedDraw(benchmark::State& state)
{
    SodiumRandomSource random;
    for (auto _ : state)
        benchmark::DoNotOptimize(random.below(26));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneBufferedDraw);

}  // namespace

BENCHMARK_MAIN();
