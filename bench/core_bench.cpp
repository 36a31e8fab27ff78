// SPDX-License-Identifier: MIT
// Timings of the conversion core: the recomputation behind every Enter and display-option
// click, the four-figure cut, and reading very long texts.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/converter_state.h"
#include "core/number_text.h"
#include "core/recompute.h"
#include "core/round_figures.h"

namespace {

using tavo::BaseIndex;
using tavo::ConverterState;
using tavo::Quantity;

constexpr std::size_t kMiB = 1024 * 1024;

bool ExponentialArg(const benchmark::State& state) {
    return state.range(1) != 0;
}
Quantity QuantityArg(const benchmark::State& state) {
    return tavo::kQuantities.at(static_cast<std::size_t>(state.range(0)));
}

void SetLabel(benchmark::State& state) {
    std::string label(tavo::Table(QuantityArg(state)).name);
    label += ExponentialArg(state) ? "/exp" : "/normal";
    state.SetLabel(label);
}

// Enter with "100" in row 1 of a freshly initialised window. Initialising is part of the
// loop (it is a few stores) so that every pass starts from the same state.
void BM_RecomputeEnter(benchmark::State& state) {
    const Quantity quantity = QuantityArg(state);
    const bool exponential = ExponentialArg(state);
    for (auto _ : state) {
        ConverterState converter;
        tavo::InitialiseState(converter, quantity);
        auto texts = tavo::Recompute(converter, 1, "100", exponential);
        benchmark::DoNotOptimize(texts.data());
        benchmark::ClobberMemory();
    }
    SetLabel(state);
}

// A click on a display option: every row refreshed from the stored base.
void BM_RecomputeRefresh(benchmark::State& state) {
    const Quantity quantity = QuantityArg(state);
    const bool exponential = ExponentialArg(state);
    ConverterState converter;
    tavo::InitialiseState(converter, quantity);
    tavo::Recompute(converter, 1, "100", exponential);
    for (auto _ : state) {
        auto texts = tavo::Recompute(converter, BaseIndex, "", exponential);
        benchmark::DoNotOptimize(texts.data());
        benchmark::ClobberMemory();
    }
    SetLabel(state);
}

void RecomputeArgs(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"quantity", "exp"});
    for (std::int64_t q = 0; q < static_cast<std::int64_t>(tavo::kQuantities.size()); ++q) {
        bench->Args({q, 0});
        bench->Args({q, 1});
    }
}
BENCHMARK(BM_RecomputeEnter)->Apply(RecomputeArgs);
BENCHMARK(BM_RecomputeRefresh)->Apply(RecomputeArgs);

// Values from 1e-300 to 1e300 with random mantissas and signs: the decade walk is longest at
// the ends of the range, so the spread matters.
std::vector<double> SpreadOfValues() {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> exponent(-300, 300);
    std::vector<double> values(4096);
    for (double& value : values) {
        value = mantissa(random) * tavo::PowerOfTen(exponent(random));
        if ((random() & 1U) != 0) value = -value;
    }
    return values;
}

// Rounds the values in turn, one per iteration.
void RoundEach(benchmark::State& state, const std::vector<double>& values) {
    const int digits = tavo::kRoundDigits;
    std::size_t k = 0;
    for (auto _ : state) {
        double value = values[k];
        tavo::RoundFigures(value, digits);
        benchmark::DoNotOptimize(value);
        k = (k + 1) % values.size();
    }
}

void BM_RoundFigures(benchmark::State& state) {
    RoundEach(state, SpreadOfValues());
}
BENCHMARK(BM_RoundFigures);

// Values a window typically holds, a few decades either side of 1.
void BM_RoundFiguresEveryday(benchmark::State& state) {
    RoundEach(state, {1.094, 3.2808, 39.3700787, 0.000621388, 91.44, 301.78218, 12345.6});
}
BENCHMARK(BM_RoundFiguresEveryday);

void ReadText(benchmark::State& state, const std::string& text) {
    for (auto _ : state) {
        double value = tavo::ReadNumber(text);
        benchmark::DoNotOptimize(value);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
}

// One number of a million digits: every byte is scanned and handed to the conversion.
void BM_ReadNumberDigits(benchmark::State& state) {
    std::string text(kMiB, '0');
    for (std::size_t k = 0; k < text.size(); ++k) text[k] = static_cast<char>('1' + k % 9);
    text[text.size() / 2] = '.';
    ReadText(state, text);
}
BENCHMARK(BM_ReadNumberDigits)->Unit(benchmark::kMillisecond);

// Random bytes: the reading stops at the first character that cannot be part of a number.
void BM_ReadNumberJunk(benchmark::State& state) {
    std::mt19937 random(7);
    std::string text(kMiB, '\0');
    for (char& c : text) c = static_cast<char>(random() & 0xFFU);
    text[0] = '5';
    text[1] = '#';
    ReadText(state, text);
}
BENCHMARK(BM_ReadNumberJunk);

// Blanks are dropped wherever they stand, so a text of blanks (half- and full-width) with a
// digit now and then is read to its end.
void BM_ReadNumberBlanks(benchmark::State& state) {
    std::string text;
    text.reserve(kMiB);
    while (text.size() + 8 <= kMiB)
        text +=
            "  \t\xE3\x80\x80"
            "7 ";
    ReadText(state, text);
}
BENCHMARK(BM_ReadNumberBlanks)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
