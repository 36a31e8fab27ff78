// SPDX-License-Identifier: MIT
// libFuzzer target that drives a real converter window on Qt's offscreen platform. The input
// is a script: each byte is an action (type a character, press Enter, click an option, move
// the focus, paste a stretch of the input, close and reopen); after every action that
// rewrites the rows, each row must show exactly what the core makes of the stored value.
// A breach prints what was wrong and traps; a crash, hang or sanitizer report is a finding.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "core/recompute.h"
#include "ui/converter/converter_window.h"
#include "ui/forms/window_reference.h"

namespace {

using tavo::Quantity;
using tavo::converter::ConverterWindow;

// Characters worth typing: digits, signs, point, exponent letters, blanks, junk, and the
// full-width forms an input method produces.
const std::array<QString, 24> kAlphabet{"0",  "1",  "5",  "9",  ".",  "-",      "+",          "e",
                                        "E",  " ",  ",",  "x",  "d",  "１",     "９",         "．",
                                        "－", "ｅ", "　", "範", "\t", "\u00e9", "\U0001F600", "0"};

// Created once and never destroyed: they live as long as the QApplication, which the fuzzer
// ends with exit(), after Qt's own statics are gone.
std::array<tavo::forms::WindowReference*, 4> g_references{};

ConverterWindow* Window(std::size_t quantity) {
    return qobject_cast<ConverterWindow*>(g_references.at(quantity)->open());
}

void SendKey(QWidget* target, int key, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &release);
}

// Every row other than the one last edited shows the core's text for its stored value.
void CheckRows(const ConverterWindow* window, int editedRow) {
    const tavo::ConverterState& state = window->state();
    const bool exponential = window->control<QRadioButton>("OptFrmExp")->isChecked();
    for (std::int16_t row = 0; row < state.RowCount; ++row) {
        if (row == editedRow) continue;
        const std::string expected =
            tavo::DisplayText(state.UnitValue.at(static_cast<std::size_t>(row)),
                              state.UnitValue.at(tavo::BaseIndex), exponential);
        const std::string shown = window->TextBox(row)->text().toStdString();
        if (shown != expected) {
            std::fprintf(stderr, "window_fuzz: row %d shows \"%s\", core says \"%s\"\n", row,
                         shown.c_str(), expected.c_str());
            __builtin_trap();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "window_fuzz";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives for the whole run
    tavo::app::PrepareApplication();
    for (std::size_t i = 0; i < g_references.size(); ++i) {
        const Quantity quantity = tavo::kQuantities.at(i);
        g_references.at(i) =
            new tavo::forms::WindowReference([quantity](tavo::forms::WindowReference&) -> QWidget* {
                return new ConverterWindow(quantity);
            });
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t quantity = data[0] % 4;
    ConverterWindow* window = Window(quantity);
    int focused = 0;
    int editedRow = -1;  // the row whose typed text stays until the next refresh
    for (std::size_t i = 1; i < size; ++i) {
        const std::uint8_t byte = data[i];
        const int rows = window->state().RowCount;
        switch (byte >> 5) {
            case 0:
            case 1:
            case 2:  // type a character
                SendKey(window->TextBox(static_cast<std::int16_t>(focused)), Qt::Key_unknown,
                        kAlphabet.at(byte % kAlphabet.size()));
                break;
            case 3:  // Enter, main or keypad
                SendKey(window->TextBox(static_cast<std::int16_t>(focused)),
                        (byte & 1) != 0 ? Qt::Key_Enter : Qt::Key_Return, QStringLiteral("\r"));
                editedRow = focused;
                CheckRows(window, editedRow);
                break;
            case 4:  // click an option
                window->control<QRadioButton>((byte & 1) != 0 ? "OptFrmExp" : "OptFrmFix")->click();
                editedRow = -1;
                CheckRows(window, editedRow);
                break;
            case 5:  // move the focus to another box
                focused = byte % rows;
                window->TextBox(static_cast<std::int16_t>(focused))->setFocus();
                window->TextBox(static_cast<std::int16_t>(focused))->selectAll();
                break;
            case 6: {  // paste the next stretch of the input as text
                const std::size_t length = std::min<std::size_t>(byte % 32, size - i - 1);
                QApplication::clipboard()->setText(QString::fromUtf8(
                    reinterpret_cast<const char*>(data + i + 1), static_cast<qsizetype>(length)));
                window->TextBox(static_cast<std::int16_t>(focused))->paste();
                i += length;
                break;
            }
            default:  // close (by the button or the close box) and reopen
                if ((byte & 1) != 0) {
                    window->control<QPushButton>("CommandClose")->click();
                } else {
                    window->close();
                }
                QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                window = Window(quantity);
                focused = 0;
                editedRow = -1;
                CheckRows(window, editedRow);
                break;
        }
    }
    return 0;
}
