#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "convert_run.h"
#include "core/quantity_tables.h"

namespace {

using tavo::cli::kExitMisuse;
using tavo::cli::kExitOk;
using tavo::cli::Outcome;

Outcome RunWith(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return tavo::cli::Run(list);
}

// The expected output: the table's rows with the given texts, in the documented line format.
std::string Lines(tavo::Quantity quantity, const std::vector<std::string>& texts) {
    const auto rows = tavo::Table(quantity).rows;
    EXPECT_EQ(texts.size(), rows.size());
    std::string out;
    for (std::size_t k = 0; k < rows.size() && k < texts.size(); ++k) {
        out += std::to_string(k) + "\t" + std::string(rows[k].label) + "\t" + texts[k] + "\n";
    }
    return out;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "output does not end in a newline";
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

void ExpectConverted(const Outcome& outcome, const std::string& expected) {
    EXPECT_EQ(outcome.status, kExitOk);
    EXPECT_EQ(outcome.err, "");
    EXPECT_EQ(outcome.out, expected);
}

// The three columns as the Length table gives them, byte for byte.
TEST(Output, FreshLengthWindow) {
    const Outcome outcome = RunWith({"Length"});
    ExpectConverted(outcome,
                    "0\tメートル\t 1\n"
                    "1\tヤード\t 1.094\n"
                    "2\tフィート\t 3.281\n"
                    "3\tインチ\t 39.37\n"
                    "4\tマイル\t 0.0006214\n"
                    "5\t尺\t 3.3\n"
                    "6\t海里\t 0.00054\n"
                    "7\t光年\t1.058e-16\n"
                    "8\tオングストローム\t1.e+10\n");
    for (const std::string_view alias : {"長さ", "length", "LENGTH"}) {
        EXPECT_EQ(RunWith({alias}).out, outcome.out) << alias;
    }
}

TEST(Output, EveryLineHasRowLabelAndTextInRowOrder) {
    for (const tavo::Quantity quantity : tavo::kQuantities) {
        const auto& table = tavo::Table(quantity);
        for (const bool exp : {false, true}) {
            const std::string name(table.name);
            const Outcome outcome = exp ? RunWith({"--exp", name}) : RunWith({name});
            const std::vector<std::string> lines = SplitLines(outcome.out);
            ASSERT_EQ(lines.size(), table.rows.size()) << name;
            for (std::size_t k = 0; k < lines.size(); ++k) {
                const std::string prefix =
                    std::to_string(k) + "\t" + std::string(table.rows[k].label) + "\t";
                ASSERT_EQ(lines[k].rfind(prefix, 0), 0U) << lines[k];
                const std::string text = lines[k].substr(prefix.size());
                EXPECT_EQ(text.find('\t'), std::string::npos) << lines[k];
                // Exponential display writes every row by the padded pattern "0.000e+##".
                if (exp) {
                    EXPECT_EQ(text.find('e'), 5U) << lines[k];
                    EXPECT_EQ(text[1], '.') << lines[k];
                }
            }
            EXPECT_EQ(lines[0].substr(lines[0].rfind('\t') + 1), exp ? "1.000e+0" : " 1")
                << "the base unit's row shows one";
        }
    }
}

TEST(Output, EnterInTheYardRow) {
    // 100 yd = 91.44 m = 300 ft = 3600 in; 91.44 / 1609.3 = 0.056819.. mi; 91.44 / 0.303 =
    // 301.78.. shaku; 91.44 / 1852 = 0.049373.. nmi; 91.44 / 9.454e15 = 9.6720..e-15 ly.
    const std::string expected =
        Lines(tavo::Quantity::Length, {" 91.44", "100", " 300", " 3600", " 0.05682", " 301.8",
                                       " 0.04937", "9.672e-15", "9.144e+11"});
    ExpectConverted(RunWith({"Length", "1", "100"}), expected);
    ExpectConverted(RunWith({"Length", "ヤード", "100"}), expected);
}

TEST(Output, RefreshAfterTheEnterRewritesTheEditedRowToo) {
    ExpectConverted(
        RunWith({"--refresh", "--exp", "Length", "ヤード", "100"}),
        Lines(tavo::Quantity::Length, {"9.144e+1", "1.000e+2", "3.000e+2", "3.600e+3", "5.682e-2",
                                       "3.018e+2", "4.937e-2", "9.672e-15", "9.144e+11"}));
    // Without --exp the refresh writes the computed " 100" in place of the typed "100.0".
    const Outcome plain = RunWith({"--refresh", "Length", "1", "100.0"});
    EXPECT_EQ(SplitLines(plain.out).at(1), "1\tヤード\t 100");
    // Without an Enter the refresh shows the fresh window again.
    EXPECT_EQ(RunWith({"--refresh", "Length"}).out, RunWith({"Length"}).out);
}

TEST(Output, CubicCentimetreByEitherLabel) {
    // 1 cc = 1e-6 m3, below the plain band; 1e-6 / 1.63862e-5 = 0.061027..;
    // 1e-6 / 0.0037854 = 0.00026417..; 1e-6 / 0.0001804 = 0.0055432..; 1e-6 / 0.1804 =
    // 5.5432..e-6, below the band again.
    const std::string expected = Lines(
        tavo::Quantity::Volume,
        {"1.e-6", " 0.001", "1", " 0.06103", " 0.0002642", " 0.005543", " 0.0005543", "5.543e-6"});
    ExpectConverted(RunWith({"Volume", "cc", "1"}), expected);
    ExpectConverted(RunWith({"Volume", " cc", "1"}), expected);
    ExpectConverted(RunWith({"volume", "2", "1"}), expected);
}

TEST(Output, TheEditedRowPrintsTheTextExactlyAsTyped) {
    // -5 yd = -4.572 m; -4.572 / 1609.3 = -0.0028409..; / 0.303 = -15.089..;
    // / 1852 = -0.0024686..; / 9.454e15 = -4.8360..e-16.
    ExpectConverted(
        RunWith({"Length", "1", "-5"}),
        Lines(tavo::Quantity::Length, {"-4.572", "-5", "-15", "-180", "-0.002841", "-15.09",
                                       "-0.002469", "-4.836e-16", "-4.572e+10"}));
    // Text that holds no number reads as 0 but is echoed unchanged, blanks and all.
    ExpectConverted(
        RunWith({"Weight", "0", " abc "}),
        Lines(tavo::Quantity::Weight, {" abc ", " 0", " 0", " 0", " 0", " 0", " 0", " 0", " 0"}));
    // Full-width digits are read as an input method types them: 1 shaku = 0.303 m.
    EXPECT_EQ(SplitLines(RunWith({"Length", "尺", "１"}).out).at(0), "0\tメートル\t 0.303");
}

TEST(Output, MisuseWritesOnlyTheMessageAndHelpOnlyTheUsage) {
    for (const auto& args : {std::initializer_list<std::string_view>{},
                             {"Lenght"},
                             {"Length", "9", "1"},
                             {"Length", "1"},
                             {"Length", "1", "2", "3"},
                             {"--verbose", "Length"}}) {
        const Outcome outcome = RunWith(args);
        EXPECT_EQ(outcome.status, kExitMisuse);
        EXPECT_EQ(outcome.out, "");
        ASSERT_FALSE(outcome.err.empty());
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "one line: " << outcome.err;
    }
    const Outcome help = RunWith({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: tavo-convert [--exp] [--refresh] QUANTITY [ROW TEXT]\n", 0),
              0U);
}

}  // namespace
