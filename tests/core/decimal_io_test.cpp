// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>

#include "core/decimal_io.h"
#include "tests/support/random_numbers.h"

namespace {

namespace fallback = tavo::fallback;

// The strtod/snprintf fallback (the one the WebAssembly build uses) must give what the
// standard library gives: the same value bits, error and end of the number for every text,
// the same characters for every double.
TEST(DecimalFallback, ReadsEveryTextAsFromChars) {
    std::mt19937_64 random(18);
    for (int k = 0; k < 100000; ++k) {
        const std::string text = tavo::test::RandomNumberText(random);
        double standard = 42;
        double ours = 42;
        const char* end = text.data() + text.size();
        const auto expected = tavo::ReadDouble(text.data(), end, standard);
        const auto actual = fallback::ReadDouble(text.data(), end, ours);
        ASSERT_EQ(actual.ec, expected.ec) << text;
        ASSERT_EQ(actual.ptr, expected.ptr) << text;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(ours), std::bit_cast<std::uint64_t>(standard))
            << text;
    }
}

TEST(DecimalFallback, WritesEveryDoubleAsToChars) {
    std::mt19937_64 random(18);
    const auto written = [](char* buffer, std::to_chars_result result) {
        return (result.ec == std::errc{} ? std::string(buffer, result.ptr) : "too large");
    };
    for (int k = 0; k < 100000; ++k) {
        const double value = tavo::test::RandomDouble(random);
        // Room for every text, or a random size that may be too small.
        const std::size_t size = random() % 2 != 0 ? 64 : random() % 30;
        const int precision = static_cast<int>(random() % 21);
        char standard[64];
        char ours[64];
        ASSERT_EQ(
            written(ours, fallback::WriteScientific(ours, ours + size, value, precision)),
            written(standard, tavo::WriteScientific(standard, standard + size, value, precision)))
            << std::hexfloat << value << " places " << precision << " size " << size;
        if (k % 4 != 0) continue;  // the shortest form takes some thirty C library calls
        ASSERT_EQ(written(ours, fallback::WriteShortest(ours, ours + size, value)),
                  written(standard, tavo::WriteShortest(standard, standard + size, value)))
            << std::hexfloat << value << " size " << size;
    }
}

}  // namespace
