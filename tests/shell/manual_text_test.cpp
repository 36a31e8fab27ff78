// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "tests/support/cp932.h"
#include "ui/shell/manual_text.h"

namespace tavo::shell {
namespace {

// ---- The manual text ------------------------------------------------------------------------

// The 47 lines as the program must show them. The characters that have look-alikes (the
// full-width space, middle dot, brackets, hyphen-minus, digit and letters) are written as
// code points so that a substitute cannot slip through unnoticed.
constexpr std::array<std::string_view, 47> kManualLines{
    "☆☆☆\u3000度量衡変換計算機 \"TAVOMETR\" マニュアル\u3000☆☆☆",
    "",
    "◎はじめに",
    "\u3000長さ、重さ、面積、体積の度量衡変換を行う計算機です。",
    "\u3000いろいろな度量衡を一度に表示するのが特徴です。",
    "",
    "◎使い方",
    "\uFF1Cメインウィンドウ\uFF1E",
    "\u30FBメインウィンドウには「長さ」「重さ」「面積」「体積」アイコンが並んでいます。",
    "\u30FB「長さ」「重さ」「面積」「体積」のいずれかのアイコンを押すと、それに対応した",
    "\u3000サブウィンドウが開きます。「長さ」「重さ」「面積」「体積」のサブウィンドウは",
    "\u3000同時に開くことができます。",
    "\u30FBメニュー操作",
    "\u3000「ファイル」\uFF0D「終了」\u30FB\u30FB\u30FB終了します。",
    "\u3000「ヘルプ」\uFF0D「使い方」\u30FB\u30FB\u30FBこのマニュアルが表示されます。",
    "\u3000「ヘルプ」\uFF0D「TAVOMETRについて」\u30FB\u30FB\u30FB"
    "ソフトウェアの情報が表示されます。",
    "",
    "\uFF1Cサブウィンドウ\uFF1E",
    "\u30FB単位変換",
    "\u3000相当する単位の左の数字をマウスでクリックすると、カーソルが移動し数字入力が",
    "\u3000可能になります。変換したい数を入力した後、リターンキーを押して下さい。",
    "\u3000直ちに変換が行われ、各単位の左に表示されます。マウスでクリックする代わりに",
    "\u3000\uFF34\uFF21\uFF22キーでも、カーソル移動できます。",
    "\u30FB表示書式",
    "\u3000数値は有効数字\uFF14桁で四捨五入されて表示されます。また表示される数字が",
    "\u3000100000000以上もしくは0.00001以下の場合、強制的に指数表示になります。",
    "\u3000数値書式のチェックボタンで「指数」をチェックすると、数値はすべて指数で",
    "\u3000表示されます。",
    "\u30FBウィンドウのクローズ",
    "\u3000右上の「閉じる」ボタンを押すと、サブウィンドウがクローズされます。",
    "",
    "",
    "◎ご使用にあたって",
    "\u30FB本ソフトウェアはＭＩＴライセンスのもとで公開されたフリーソフトウェアです。",
    "\u30FBどなたでも無償で、使用、複製、改変、結合、掲載、頒布、サブライセンス、",
    "\u3000販売を制限なく行うことができます。提供先にも同じことを許可できます。",
    "\u30FB条件は、下記の著作権表示と本許諾表示を、本ソフトウェアのすべての複製",
    "\u3000または重要な部分に記載することです。",
    "",
    "◎著作権と保証について",
    "\u30FBCopyright (c) 2000-2026 TAVO Software",
    "\u30FB本ソフトウェアは「現状のまま」で提供されます。明示か黙示かを問わず、",
    "\u3000商品性、特定の目的への適合性および権利非侵害についての保証を含め、",
    "\u3000いかなる保証もありません。",
    "\u30FB作者および著作権者は、契約、不法行為その他いかなる理由によっても、",
    "\u3000本ソフトウェアまたはその使用その他の取り扱いから、あるいはそれらに",
    "\u3000関連して生じた、いかなる請求、損害その他の責任も負いません。",
};

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kFullWidthSpace = "\u3000";

// The lines of a text whose every line ends with CR LF; fails the test when it does not.
std::vector<std::string> CrLfLines(std::string_view text) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        const std::size_t end = text.find(kCrLf);
        if (end == std::string_view::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text;
            break;
        }
        lines.emplace_back(text.substr(0, end));
        text.remove_prefix(end + kCrLf.size());
    }
    return lines;
}

TEST(ManualText, HasFortySevenLinesEachEndedByCrLf) {
    ASSERT_TRUE(kManualText.ends_with(kCrLf));
    const std::vector<std::string> lines = CrLfLines(kManualText);
    EXPECT_EQ(lines.size(), 47u);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].find_first_of("\r\n"), std::string::npos) << "line " << i + 1;
    }
}

TEST(ManualText, EveryLineIsExact) {
    const std::vector<std::string> lines = CrLfLines(kManualText);
    ASSERT_EQ(lines.size(), kManualLines.size());
    for (std::size_t i = 0; i < kManualLines.size(); ++i) {
        EXPECT_EQ(lines[i], kManualLines[i]) << "line " << i + 1;
    }
}

TEST(ManualText, ClosingSectionsAreTwoHeadingsWithIndentedBodies) {
    const std::vector<std::string> lines = CrLfLines(kManualText);
    ASSERT_EQ(lines.size(), 47u);
    const auto isHeading = [](std::string_view line) {
        return line.starts_with("◎") && line.size() > std::string_view("◎").size();
    };
    // A body line starts with a middle dot, or with one to three full-width spaces and then
    // something else.
    const auto isBody = [](std::string_view line) {
        if (line.starts_with("\u30FB")) return line.size() > std::string_view("\u30FB").size();
        int indent = 0;
        while (line.starts_with(kFullWidthSpace)) {
            line.remove_prefix(kFullWidthSpace.size());
            ++indent;
        }
        return indent >= 1 && indent <= 3 && !line.empty() && line.front() != ' ';
    };
    for (int number = 33; number <= 47; ++number) {
        const std::string& line = lines[static_cast<std::size_t>(number - 1)];
        SCOPED_TRACE("line " + std::to_string(number) + ": " + line);
        if (number == 33 || number == 40) {
            EXPECT_TRUE(isHeading(line));
        } else if (number == 39) {
            EXPECT_TRUE(line.empty());
        } else {
            EXPECT_TRUE(isBody(line));
        }
    }
}

TEST(ManualText, EveryLineFitsCodePage932) {
    for (const std::string& line : CrLfLines(kManualText)) {
        EXPECT_TRUE(test::FitsCodePage932(line)) << line;
    }
}

}  // namespace
}  // namespace tavo::shell
