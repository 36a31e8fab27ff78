// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "convert_args.h"

namespace {

using tavo::Quantity;
using tavo::cli::Action;
using tavo::cli::FindQuantity;
using tavo::cli::FindRow;
using tavo::cli::ParseArguments;
using tavo::cli::ParseResult;

ParseResult Parse(std::initializer_list<std::string_view> args) {
    const std::vector<std::string_view> list(args);
    return ParseArguments(list);
}

TEST(QuantityNames, AreAcceptedInAnyLetterCaseAndOfferedToCompletion) {
    const std::pair<std::string_view, Quantity> accepted[] = {
        {"Length", Quantity::Length}, {"LENGTH", Quantity::Length}, {"lEnGtH", Quantity::Length},
        {"Weight", Quantity::Weight}, {"mass", Quantity::Weight},   {"MASS", Quantity::Weight},
        {"Square", Quantity::Square}, {"area", Quantity::Square},   {"Area", Quantity::Square},
        {"Volume", Quantity::Volume}, {"volume", Quantity::Volume}, {"長さ", Quantity::Length},
        {"重さ", Quantity::Weight},   {"面積", Quantity::Square},   {"体積", Quantity::Volume},
    };
    for (const auto& [name, quantity] : accepted) {
        EXPECT_EQ(FindQuantity(name), quantity) << name;
    }
    // --list-units, which the bash completion asks, offers each name in one spelling.
    const std::string offered = "\n" + tavo::cli::NameList(std::nullopt);
    for (const std::string_view name :
         {"Length", "Weight", "Square", "Volume", "mass", "area", "長さ", "重さ", "面積", "体積"}) {
        EXPECT_NE(offered.find("\n" + std::string(name) + "\n"), std::string::npos) << name;
    }
}

TEST(QuantityNames, RejectNearMisses) {
    for (const std::string_view name :
         {"", "Len", "Lengths", "Length ", " Length", "長", "長さ ", "ＬＥＮＧＴＨ", "Weigh"}) {
        EXPECT_FALSE(FindQuantity(name).has_value()) << '"' << name << '"';
    }
}

TEST(RowNames, AcceptIndicesInsideTheTable) {
    EXPECT_EQ(FindRow(Quantity::Length, "0"), 0);
    EXPECT_EQ(FindRow(Quantity::Length, "8"), 8);
    EXPECT_EQ(FindRow(Quantity::Length, "08"), 8);
    EXPECT_EQ(FindRow(Quantity::Square, "5"), 5);
    EXPECT_FALSE(FindRow(Quantity::Length, "9").has_value()) << "Length has 9 rows";
    EXPECT_FALSE(FindRow(Quantity::Square, "6").has_value()) << "Square has 6 rows";
    EXPECT_FALSE(FindRow(Quantity::Length, "10").has_value()) << "the base slot is no row";
    EXPECT_FALSE(FindRow(Quantity::Length, "99999999999999999999").has_value());
    EXPECT_FALSE(FindRow(Quantity::Length, "4294967297").has_value()) << "2^32 + 1";
    for (const std::string_view bad : {"-1", "+1", " 1", "1 ", "1.0", "１", ""}) {
        EXPECT_FALSE(FindRow(Quantity::Length, bad).has_value()) << '"' << bad << '"';
    }
}

// Labels exactly as the table gives them, and the units' other names in any letter case; that
// every other name names its own row is checked over the whole table in the core's tests.
TEST(RowNames, AcceptLabelsAndUnitNames) {
    const std::pair<std::string_view, std::int16_t> length[] = {
        {"メートル", 0}, {"ヤード", 1}, {"オングストローム", 8},
        {"yard", 1},     {"YD", 1},     {"Feet", 2},
        {"å", 8},        {"Å", 8},      {"ly", 7},
        {"m", 0},
    };
    for (const auto& [name, row] : length) EXPECT_EQ(FindRow(Quantity::Length, name), row) << name;
    EXPECT_EQ(FindRow(Quantity::Volume, "ガロン(米)"), 4);
    EXPECT_EQ(FindRow(Quantity::Volume, "L"), 1);
    // The cubic centimetre's label starts with a blank; every spelling names it.
    for (const std::string_view cc : {" cc", "cc", "CC", "ml"}) {
        EXPECT_EQ(FindRow(Quantity::Volume, cc), 2) << cc;
    }
    for (const std::string_view bad :
         {"ヤード ", "やーど", "yard ", " yard", "ガロン（米）", "  cc", "parsec", "ｙａｒｄ"}) {
        EXPECT_FALSE(FindRow(Quantity::Volume, bad).has_value()) << '"' << bad << '"';
        EXPECT_FALSE(FindRow(Quantity::Length, bad).has_value()) << '"' << bad << '"';
    }
    EXPECT_FALSE(FindRow(Quantity::Length, "cc").has_value()) << "a unit of another table";
    EXPECT_FALSE(FindRow(Quantity::Weight, "m").has_value());
}

TEST(Options, TakeTheirValuesAfterABlankOrAnEqualsSign) {
    using tavo::cli::Format;
    struct Case {
        std::vector<std::string_view> args;
        Format format;
        std::optional<std::int16_t> to;
        bool lenient;
    };
    const Case cases[] = {
        {{"Length"}, Format::Tsv, std::nullopt, false},
        {{"--format", "csv", "--to", "yd", "Length"}, Format::Csv, 1, false},
        {{"--format=json", "--to=8", "--lenient", "Length"}, Format::Json, 8, true},
        {{"--to", "-", "--to", "Å", "--format", "tsv", "Length"}, Format::Tsv, 8, false},
        {{"--to", "ヤード", "length", "m", "-"}, Format::Tsv, 1, false},
    };
    for (const Case& c : cases) {
        const ParseResult parsed = ParseArguments(c.args);
        ASSERT_EQ(parsed.action, Action::Convert) << parsed.message;
        EXPECT_EQ(parsed.request.format, c.format);
        EXPECT_EQ(parsed.request.to, c.to);
        EXPECT_EQ(parsed.request.lenient, c.lenient);
    }
    EXPECT_TRUE(Parse({"Length", "m", "-"}).request.batch);
    EXPECT_FALSE(Parse({"Length", "m", "--"}).request.batch);
    EXPECT_EQ(Parse({"--version", "nonsense"}).action, Action::Version);
    EXPECT_EQ(Parse({"--list-units"}).action, Action::ListNames);
    EXPECT_EQ(Parse({"--list-units", "Weight"}).listed, Quantity::Weight);
}

TEST(Options, StandBeforeTheQuantityInAnyOrder) {
    for (const auto& args :
         {Parse({"--exp", "--refresh", "Length"}), Parse({"--refresh", "--exp", "Length"}),
          Parse({"--exp", "--refresh", "--exp", "--", "Length"})}) {
        ASSERT_EQ(args.action, Action::Convert) << args.message;
        EXPECT_TRUE(args.request.exponential);
        EXPECT_TRUE(args.request.refresh);
        EXPECT_FALSE(args.request.row.has_value());
    }
    const ParseResult plain = Parse({"Weight"});
    ASSERT_EQ(plain.action, Action::Convert);
    EXPECT_EQ(plain.request.quantity, Quantity::Weight);
    EXPECT_FALSE(plain.request.exponential);
    EXPECT_FALSE(plain.request.refresh);
}

TEST(Options, EndAtTheQuantitySoDashedTextsAreTexts) {
    for (const std::string_view text : {"-5", "--", "--exp", "--help", "-", "-1e3", ""}) {
        const ParseResult parsed = Parse({"--exp", "Length", "1", text});
        ASSERT_EQ(parsed.action, Action::Convert) << '"' << text << "\": " << parsed.message;
        EXPECT_EQ(parsed.request.row, 1);
        EXPECT_EQ(parsed.request.text, text);
        EXPECT_TRUE(parsed.request.exponential);
        EXPECT_FALSE(parsed.request.refresh);
    }
    // After "--" even an option's name is the quantity.
    EXPECT_EQ(Parse({"--", "--exp"}).action, Action::Misuse);
    EXPECT_EQ(Parse({"--", "--", "Length"}).action, Action::Misuse);
    // An option after the quantity is a ROW, and no unit is called that.
    EXPECT_EQ(Parse({"Length", "--exp", "1"}).action, Action::Misuse);
}

TEST(Options, HelpWinsBeforeTheQuantityOnly) {
    EXPECT_EQ(Parse({"--help"}).action, Action::Help);
    EXPECT_EQ(Parse({"-h"}).action, Action::Help);
    EXPECT_EQ(Parse({"--exp", "--help", "Length"}).action, Action::Help);
    EXPECT_EQ(Parse({"--help", "nonsense", "extra"}).action, Action::Help);
    EXPECT_EQ(Parse({"Length", "--help"}).action, Action::Misuse);
    EXPECT_EQ(Parse({"--", "--help"}).action, Action::Misuse);
}

struct MisuseCase {
    std::vector<std::string_view> args;
    std::vector<std::string_view> mentions;  // what the message must name
};

TEST(Misuse, EveryBadUsageGivesOneLineNamingTheChoices) {
    const MisuseCase cases[] = {
        {{}, {"QUANTITY", "Length", "Weight", "Square", "Volume"}},
        {{"--exp"}, {"QUANTITY", "Length"}},
        {{"Lenght"}, {"'Lenght'", "Length", "Weight", "Square", "Volume", "mass", "長さ"}},
        {{"--bogus", "Length"},
         {"'--bogus'", "--to", "--format", "--lenient", "--exp", "--refresh", "--version"}},
        {{"-x", "Length"}, {"'-x'", "--exp"}},
        {{"Length", "parsec", "1"},
         {"'parsec'", "Length", "0 メートル (m, metre", "1 ヤード (yd,", "8 オングストローム"}},
        {{"--to", "kg", "Length"}, {"--to", "'kg'", "Length", "1 ヤード (yd,"}},
        {{"--to"}, {"--to", "ROW"}},
        {{"--format", "xml", "Length"}, {"'xml'", "tsv", "csv", "json"}},
        {{"--format"}, {"--format", "tsv"}},
        {{"--list-units", "Length", "m"}, {"'m'"}},
        {{"Length", "9", "1"}, {"'9'", "Length", "0 メートル", "8 オングストローム"}},
        {{"Square", "6", "1"}, {"'6'", "Square", "5 反"}},
        {{"Volume", "cc"}, {"'cc'", "TEXT"}},
        {{"Length", "1"}, {"'1'", "TEXT"}},
        {{"Length", "1", "100", "extra"}, {"'extra'"}},
        {{"Length", "1", "100", "--"}, {"'--'"}},
        {{"Volume", "9", "1"}, {"2 cc (ml,", "7 石 (koku)"}},
    };
    for (const MisuseCase& c : cases) {
        const ParseResult parsed = ParseArguments(c.args);
        std::string shown;
        for (const std::string_view arg : c.args) (shown += arg) += ' ';
        EXPECT_EQ(parsed.action, Action::Misuse) << shown;
        EXPECT_EQ(parsed.message.rfind("tavo-convert: ", 0), 0U) << parsed.message;
        EXPECT_EQ(parsed.message.find('\n'), std::string::npos) << parsed.message;
        for (const std::string_view mention : c.mentions) {
            EXPECT_NE(parsed.message.find(mention), std::string::npos)
                << shown << "-> " << parsed.message << " lacks " << mention;
        }
    }
}

TEST(Misuse, ControlCharactersInAnArgumentKeepTheMessageOnOneLine) {
    const ParseResult parsed = Parse({"Len\ngth\r\x7f"});
    ASSERT_EQ(parsed.action, Action::Misuse);
    // Line breaks and DEL are shown as "?", so the message stays one clean line.
    EXPECT_NE(parsed.message.find("'Len?gth?"
                                  "?'"),
              std::string::npos)
        << parsed.message;
    // A long text is cut at a character boundary.
    std::string longText(59, 'x');
    for (int k = 0; k < 10; ++k) longText += "長";
    EXPECT_EQ(tavo::cli::Quoted(longText, '"'), '"' + std::string(59, 'x') + "...\"");
    EXPECT_EQ(tavo::cli::Quoted(std::string(63, 'y')), "'" + std::string(63, 'y') + "'");
}

}  // namespace
