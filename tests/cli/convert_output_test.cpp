// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "convert_run.h"
#include "core/number_text.h"
#include "core/quantity_tables.h"

namespace {

using enum tavo::LeadingBlank;
using tavo::cli::kExitMisuse;
using tavo::cli::kExitOk;

// Everything one run writes, and its exit status.
struct Outcome {
    int status = -1;
    std::string out;
    std::string err;
    std::vector<std::string> outAtReads;  // what was written when a read began, each once
};

// Runs the program's Run in this process with `input` as its standard input, handed out in
// reads of at most `chunk` bytes.
Outcome RunWith(std::initializer_list<std::string_view> args, std::string_view input = {},
                std::size_t chunk = 4096) {
    const std::vector<std::string_view> list(args);
    Outcome outcome;
    const tavo::cli::Streams streams{
        [&input, chunk, &outcome](char* buffer, std::size_t size) {
            if (outcome.outAtReads.empty() || outcome.outAtReads.back() != outcome.out) {
                outcome.outAtReads.push_back(outcome.out);
            }
            const std::size_t count = std::min({size, chunk, input.size()});
            input.copy(buffer, count);
            input.remove_prefix(count);
            return static_cast<std::ptrdiff_t>(count);
        },
        [&outcome](std::string_view text) {
            outcome.out += text;
            return true;
        },
        [&outcome](std::string_view text) {
            outcome.err += text;
            return true;
        },
    };
    outcome.status = tavo::cli::Run(list, streams);
    return outcome;
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
    for (const std::string_view row : {"1", "ヤード", "yard", "YD"}) {
        ExpectConverted(RunWith({"Length", row, "100"}), expected);
    }
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
    // Read as a window reads it, a text without a number is 0 and echoed, blanks and all.
    ExpectConverted(
        RunWith({"--lenient", "Weight", "0", " abc "}),
        Lines(tavo::Quantity::Weight, {" abc ", " 0", " 0", " 0", " 0", " 0", " 0", " 0", " 0"}));
    // Full-width digits are read as an input method types them: 1 shaku = 0.303 m.
    EXPECT_EQ(SplitLines(RunWith({"Length", "尺", "１"}).out).at(0), "0\tメートル\t 0.303");
}

// By default TEXT must be one number; --lenient reads its leading number as a window does.
TEST(Output, StrictTextsMustBeOneNumberLenientOnesAreReadAsTheWindowDoes) {
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"abc", "0"},        {"", "0"},           {"1,5", "0.9144"},
        {"12abc", "10.97"},  {"1e", "0.9144"},    {"1,000,", "0.9144"},
        {"- 5 x", "-4.572"}, {"1\x01", "0.9144"},
    };
    for (const auto& [text, lenient] : cases) {
        const Outcome strict = RunWith({"--to", "m", "Length", "yd", text});
        EXPECT_EQ(strict.status, kExitMisuse) << text;
        EXPECT_EQ(strict.out, "") << text;
        const std::string shown = text == "1\x01" ? "1?" : std::string(text);
        EXPECT_EQ(strict.err, "tavo-convert: \"" + shown + "\" is not a number\n");
        ExpectConverted(RunWith({"--lenient", "--to", "m", "Length", "yd", text}),
                        std::string(lenient) + "\n");
    }
    for (const std::string_view text : {"1,000", "１，０００", " 1 000 ", "+1,000.0e0"}) {
        ExpectConverted(RunWith({"--to", "m", "Length", "yd", text}), "914.4\n");
    }
}

TEST(Output, ToPrintsOneRowAsACellAndTheEditedRowAsTyped) {
    ExpectConverted(RunWith({"--to", "m", "Length", "yd", "100"}), "91.44\n");
    ExpectConverted(RunWith({"--to", "4", "Length", "yd", "-5"}), "-0.002841\n");
    ExpectConverted(RunWith({"--to", "m", "Length", "ly", "1e300"}), "範囲外\n");
    ExpectConverted(RunWith({"--to", "ft", "Length"}), "3.281\n");
    ExpectConverted(RunWith({"--exp", "--to", "l", "Volume", "升", "1"}), "1.804e+0\n");
    ExpectConverted(RunWith({"--to", "yd", "Length", "yd", "1,000 "}), "1,000 \n");
    ExpectConverted(RunWith({"--refresh", "--to", "yd", "Length", "yd", "1,000 "}), "1000\n");
}

// The --to row alone is computed by Recompute's operations: its texts equal the full
// table's for every row pair, display, refresh and a spread of values over the double range.
TEST(Output, OneRowEqualsItsRowOfTheFullTable) {
    std::mt19937_64 random(20240607);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> everyday(-8, 10);
    std::uniform_int_distribution<int> anywhere(-330, 330);
    std::string input = "0\n-0\n1\n99999.95\n1e-320\n1e-400\n1.7976931348623157e308\n1e400\n";
    for (int k = 0; k < 40; ++k) {
        char text[40];
        std::snprintf(text, sizeof text, "%s%.*ge%d\n", k % 3 == 0 ? "-" : "", k % 17 + 1,
                      mantissa(random), k % 2 == 0 ? everyday(random) : anywhere(random));
        input += text;
    }
    const auto lineCount = static_cast<std::size_t>(std::count(input.begin(), input.end(), '\n'));
    for (const tavo::Quantity quantity : tavo::kQuantities) {
        const std::string name(tavo::Table(quantity).name);
        const std::size_t rows = tavo::Table(quantity).rows.size();
        for (std::size_t row = 0; row < rows; ++row) {
            const std::string edited = std::to_string(row);
            // --lenient changes nothing here (every line is a number): plain display.
            for (const std::string_view option : {"--exp", "--refresh", "--lenient"}) {
                const Outcome table = RunWith({option, name, edited, "-"}, input);
                ASSERT_EQ(table.status, kExitOk) << table.err;
                const std::vector<std::string> lines = SplitLines(table.out);
                ASSERT_EQ(lines.size(), lineCount * (rows + 1));
                for (std::size_t to = 0; to < rows; ++to) {
                    const std::string target = std::to_string(to);
                    const Outcome one = RunWith({option, "--to", target, name, edited, "-"}, input);
                    const std::vector<std::string> values = SplitLines(one.out);
                    ASSERT_EQ(values.size(), lineCount);
                    for (std::size_t line = 0; line < lineCount; ++line) {
                        const std::string& full = lines[line * (rows + 1) + to];
                        const std::string shown = full.substr(full.rfind('\t') + 1);
                        const bool typed = to == row && option != "--refresh";
                        ASSERT_EQ(values[line], tavo::TableCell(shown, typed ? Keep : Drop))
                            << name << " " << option << " row " << row << " to " << to << " line "
                            << line + 1;
                    }
                }
            }
        }
    }
}

TEST(Output, CsvQuotesFieldsAndNamesUnitsAsWordsDo) {
    const Outcome volume = RunWith({"--format", "csv", "Volume", "cc", "1,000"});
    EXPECT_EQ(volume.status, kExitOk);
    EXPECT_EQ(volume.out.substr(0, volume.out.find("3,")),
              "row,label,text\r\n0,立方メートル,0.001\r\n1,リットル,1\r\n2,cc,\"1,000\"\r\n");
    EXPECT_EQ(
        RunWith({"--lenient", "--format=csv", "--to", "cc", "Volume", "cc", "say \"5\", ok"}).out,
        "\"say \"\"5\"\", ok\"\r\n");
    // Like every writer's, its cells hold no line break, TAB or full-width form.
    EXPECT_EQ(
        RunWith({"--lenient", "--format=csv", "--to", "cc", "Volume", "cc", "-"}, "a\rb\n１\t０\n")
            .out,
        "a b\r\n1 0\r\n");
    EXPECT_EQ(RunWith({"--format=csv", "--to", "0", "Volume", "cc", "1"}).out, "1.e-6\r\n");
}

TEST(Output, JsonReadsBackWithTheTextsAndTheirValues) {
    const Outcome run = RunWith({"--format", "json", "Length", "yd", "100"});
    ASSERT_EQ(run.status, kExitOk);
    ASSERT_EQ(run.out.find('\n'), run.out.size() - 1) << "one line";
    const auto json = nlohmann::json::parse(run.out);
    EXPECT_EQ(json["quantity"], "Length");
    EXPECT_EQ(json["edited"], 1);
    EXPECT_EQ(json["display"], "normal");
    const auto rows = tavo::Table(tavo::Quantity::Length).rows;
    ASSERT_EQ(json["rows"].size(), rows.size());
    const Outcome tsv = RunWith({"Length", "yd", "100"});
    const std::vector<std::string> lines = SplitLines(tsv.out);
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const auto& row = json["rows"][k];
        EXPECT_EQ(row["row"], k);
        EXPECT_EQ(row["label"], tavo::UnitName(rows[k]));
        EXPECT_EQ(row["reading"], rows[k].reading);
        const std::string shown = lines[k].substr(lines[k].rfind('\t') + 1);
        EXPECT_EQ(row["text"], tavo::TableCell(shown, k == 1 ? Keep : Drop));
        EXPECT_EQ(row["value"].get<double>(), tavo::ReadNumber(shown));
    }
    // Values a JSON number cannot hold are null; a fresh window has no edited row.
    for (const std::string_view lost : {"1e400", "1e-400"}) {
        const auto table =
            nlohmann::json::parse(RunWith({"--format=json", "Length", "m", lost}).out);
        EXPECT_TRUE(table["rows"][0]["value"].is_null());
        EXPECT_EQ(table["rows"][1]["text"], "範囲外");
        EXPECT_TRUE(table["rows"][1]["value"].is_null());
    }
    const auto fresh = nlohmann::json::parse(RunWith({"--exp", "--format=json", "Square"}).out);
    EXPECT_TRUE(fresh["edited"].is_null());
    EXPECT_EQ(fresh["display"], "exponential");
    EXPECT_EQ(fresh["rows"][4]["text"], "3.025e-1");
    // A batch writes JSON Lines: one object a line, null for a bad line.
    const Outcome batch =
        RunWith({"--format=json", "--to", "m", "Length", "yd", "-"}, "1\nx\n1e400\n");
    EXPECT_EQ(batch.status, kExitMisuse);
    const std::vector<std::string> objects = SplitLines(batch.out);
    ASSERT_EQ(objects.size(), 3U);
    EXPECT_EQ(nlohmann::json::parse(objects[0]),
              (nlohmann::json{{"text", "0.9144"}, {"value", 0.9144}}));
    EXPECT_TRUE(nlohmann::json::parse(objects[1]).is_null());
    EXPECT_TRUE(nlohmann::json::parse(objects[2])["value"].is_null());
}

// Results stay aligned with the input lines: a bad line gives an empty result, is named on
// stderr with its line number, and makes the exit status 2 once every line is converted.
TEST(Batch, ABadLineLeavesAnEmptyResultAndTheRestIsConverted) {
    // A line of 1 MiB (and its CR LF) is still read, as a number out of range; one byte more
    // is skipped.
    const std::string longest(tavo::cli::LineReader::kMaxLine, '9');
    const std::string longLine(tavo::cli::LineReader::kMaxLine + 1, '1');
    const std::string input = "100\r\nabc\n\n" + longLine + "\n1,000\n" + longest + "\r\n-5";
    for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, std::size_t{1} << 20}) {
        const Outcome one = RunWith({"--to", "m", "Length", "yd", "-"}, input, chunk);
        EXPECT_EQ(one.status, kExitMisuse);
        EXPECT_EQ(one.out, "91.44\n\n\n\n914.4\n範囲外\n-4.572\n");
        EXPECT_EQ(one.err,
                  "tavo-convert: line 2: \"abc\" is not a number\n"
                  "tavo-convert: line 3: \"\" is not a number\n"
                  "tavo-convert: line 4: longer than 1048576 bytes\n");
    }
    // Without --to each record is the table's lines and an empty line; a bad record is the
    // empty line alone.
    const Outcome tables = RunWith({"Square", "tsubo", "-"}, "30\nx\n1");
    EXPECT_EQ(tables.status, kExitMisuse);
    const std::string thirty = RunWith({"Square", "tsubo", "30"}).out;
    const std::string one = RunWith({"Square", "tsubo", "1"}).out;
    EXPECT_EQ(tables.out, thirty + "\n\n" + one + "\n");
    const Outcome csv = RunWith({"--format", "csv", "Square", "tsubo", "-"}, "x\n1\n");
    EXPECT_EQ(csv.out.rfind("row,label,text\r\n\r\n0,平方メートル,3.306\r\n", 0), 0U) << csv.out;
    // With --to in CSV a bad line is an empty record ended by CR LF like every other line.
    EXPECT_EQ(RunWith({"--format=csv", "--to", "m", "Length", "yd", "-"}, "1\nx\n2\n").out,
              "0.9144\r\n\r\n1.829\r\n");
    // Leniently every line converts; an empty input converts nothing.
    EXPECT_EQ(RunWith({"--lenient", "--to", "m", "Length", "yd", "-"}, "abc\n\n2x\n").out,
              "0\n0\n1.829\n");
    ExpectConverted(RunWith({"--to", "m", "Length", "yd", "-"}, ""), "");
    // A program that feeds one line at a time through a pipe has each answer before it sends
    // the next line.
    EXPECT_EQ(RunWith({"--to", "m", "Length", "yd", "-"}, "1\n2\n", 2).outAtReads,
              (std::vector<std::string>{"", "0.9144\n", "0.9144\n1.829\n"}));
}

TEST(Output, MisuseWritesOnlyTheMessageAndHelpOnlyTheUsage) {
    for (const auto& args : {std::initializer_list<std::string_view>{},
                             {"Lenght"},
                             {"Length", "9", "1"},
                             {"Length", "1"},
                             {"Length", "1", "2", "3"},
                             {"--verbose", "Length"},
                             {"Length", "1", "abc"},
                             {"--format", "yaml", "Length"}}) {
        const Outcome outcome = RunWith(args);
        EXPECT_EQ(outcome.status, kExitMisuse);
        EXPECT_EQ(outcome.out, "");
        ASSERT_FALSE(outcome.err.empty());
        EXPECT_EQ(outcome.err.find('\n'), outcome.err.size() - 1) << "one line: " << outcome.err;
    }
    const Outcome help = RunWith({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.err, "");
    EXPECT_EQ(help.out.rfind("Usage: tavo-convert [OPTIONS] QUANTITY [ROW TEXT]\n", 0), 0U);
}

TEST(Output, AnOutputThatCannotBeWrittenFails) {
    const std::vector<std::string_view> args{"Length", "m", "-"};
    std::string err;
    std::string input(100000, '\n');
    input.insert(0, "1");
    const tavo::cli::Streams streams{
        [&input](char* buffer, std::size_t size) {
            const std::size_t count = input.copy(buffer, size);
            input.erase(0, count);
            return static_cast<std::ptrdiff_t>(count);
        },
        [](std::string_view) { return false; },
        [&err](std::string_view text) {
            err += text;
            return true;
        },
    };
    EXPECT_EQ(tavo::cli::Run(args, streams), tavo::cli::kExitFailure);
    EXPECT_NE(err.find("tavo-convert: could not write the output\n"), std::string::npos) << err;
    EXPECT_FALSE(input.empty()) << "reading stops once the output is lost";
}

}  // namespace
