// SPDX-License-Identifier: MIT
// Timings of the windows, on Qt's offscreen platform (unless a platform is chosen already):
// what a user waits for after pressing Enter in a converter window, after clicking a
// picture in the main window, and after pasting a huge text and pressing Enter.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QPointer>
#include <QString>
#include <QTest>
#include <QWindow>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "app/startup.h"
#include "ui/converter/converter_window.h"
#include "ui/forms/controls.h"

namespace {

using tavo::Quantity;
using tavo::Row;
using tavo::converter::ConverterWindow;
using tavo::forms::FormPictureBox;
using tavo::forms::FormTextBox;

constexpr qsizetype kMiB = 1024 * 1024;

// The offscreen platform cannot raise windows and says so on every open(); that line would
// drown the results, every other message goes through.
QtMessageHandler g_defaultHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message == QLatin1String("This plugin does not support raise()")) return;
    if (g_defaultHandler != nullptr) {
        g_defaultHandler(type, context, message);
    } else {
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
    }
}

// Runs the event loop until the window is on the screen; false when it is not within 5 s.
// Its first paint happens while the expose event is handled, so once exposed it has also
// been painted.
bool ProcessUntilExposed(QWidget* window) {
    const QDeadlineTimer deadline(5000);
    while (window->windowHandle() == nullptr || !window->windowHandle()->isExposed()) {
        if (deadline.hasExpired()) return false;
        QApplication::processEvents(QEventLoop::AllEvents);
    }
    QApplication::processEvents(QEventLoop::AllEvents);
    return true;
}

// Destroys the windows whose deleteLater() is pending, as the event loop would.
void FlushDeletes() {
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Shows the Length window and waits until it is exposed; reports a skip if it never is.
bool ShowLength(ConverterWindow& window, benchmark::State& state) {
    window.show();
    if (ProcessUntilExposed(&window)) return true;
    state.SkipWithError("the Length window was never exposed");
    return false;
}

void Enter(FormTextBox* box) {
    QTest::keyClick(box, Qt::Key_Return);
}

// Enter in the yard row of the nine-row Length window: every other row rewritten and the
// window painted again. The box alternates between two values so every pass changes the
// rows; putting the text into the box is not timed.
void BM_EnterResponse(benchmark::State& state) {
    ConverterWindow window(Quantity::Length);
    if (!ShowLength(window, state)) return;
    FormTextBox* box = window.TextBox(Row(tavo::Length::Yard));
    const QString values[2] = {QStringLiteral("100"), QStringLiteral("200")};

    // The rows must really change with the value, or this would time nothing.
    box->setText(values[0]);
    Enter(box);
    const QString metresAt100 = window.TextBox(Row(tavo::Length::Metre))->text();
    box->setText(values[1]);
    Enter(box);
    if (window.TextBox(Row(tavo::Length::Metre))->text() == metresAt100) {
        state.SkipWithError("Enter did not rewrite the metre row");
        return;
    }

    std::size_t pass = 0;
    for (auto _ : state) {
        state.PauseTiming();
        box->setText(values[pass++ % 2]);
        state.ResumeTiming();
        Enter(box);
        window.repaint();
    }
    benchmark::DoNotOptimize(window.TextBox(Row(tavo::Length::Metre))->text().size());
}
BENCHMARK(BM_EnterResponse)->Unit(benchmark::kMicrosecond);

// A click on the length picture of the main window until the Length window is on the
// screen (built, loaded, placed, shown, exposed and painted). Closing it is not timed.
void BM_OpenConverterWindow(benchmark::State& state) {
    tavo::app::Application application;
    application.Start();
    QWidget* main = application.MainWindow();
    if (!ProcessUntilExposed(main)) {
        state.SkipWithError("the main window was never exposed");
        return;
    }
    auto* picture = main->findChild<FormPictureBox*>(QStringLiteral("CmdLength"));
    if (picture == nullptr) {
        state.SkipWithError("the main window has no CmdLength picture");
        return;
    }
    tavo::forms::WindowReference& reference = application.Converter(tavo::Quantity::Length);

    for (auto _ : state) {
        QTest::mouseClick(picture, Qt::LeftButton);
        QWidget* window = reference.window();
        if (window == nullptr) {
            state.SkipWithError("the click opened no Length window");
            return;
        }
        if (!ProcessUntilExposed(window)) {
            state.SkipWithError("the Length window was never exposed");
            return;
        }

        state.PauseTiming();
        const QPointer<QWidget> opened = window;
        reference.unload();
        FlushDeletes();
        QApplication::processEvents(QEventLoop::AllEvents);
        if (!opened.isNull()) {
            state.SkipWithError("the Length window was not destroyed on unload");
            return;
        }
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenConverterWindow)->Unit(benchmark::kMillisecond);

// A text of digits (the argument: its size in MiB) put into a box at once, Enter, and the
// window painted again. The box is set back to a short value between passes, untimed, so
// every pass takes in the whole text afresh. 16 MiB is the hostile case; 1 MiB shows how
// the time grows with the length.
void BM_HostilePasteEnter(benchmark::State& state) {
    ConverterWindow window(Quantity::Length);
    if (!ShowLength(window, state)) return;
    FormTextBox* box = window.TextBox(Row(tavo::Length::Yard));
    const auto size = static_cast<qsizetype>(state.range(0)) * kMiB;
    const QString huge(size, QLatin1Char('7'));
    const QString before = window.TextBox(Row(tavo::Length::Metre))->text();

    // A real paste: from the clipboard into the focused box, with its whole text selected.
    QApplication::clipboard()->setText(huge);
    for (auto _ : state) {
        box->selectAll();
        box->paste();
        Enter(box);
        window.repaint();

        state.PauseTiming();
        if (window.TextBox(Row(tavo::Length::Metre))->text() == before) {
            state.SkipWithError("Enter did not rewrite the metre row");
            return;
        }
        box->setText(QStringLiteral("1"));
        Enter(box);
        window.repaint();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * size);
}
BENCHMARK(BM_HostilePasteEnter)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    g_defaultHandler = qInstallMessageHandler(QuietHandler);
    QApplication application(argc, argv);
    tavo::app::PrepareApplication();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
