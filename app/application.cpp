// SPDX-License-Identifier: MIT
#include "application.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>
#include <exception>
#include <stdexcept>

#include "ui/converter/converter_window.h"
#include "ui/forms/form_window.h"
#include "ui/shell/info_window.h"
#include "ui/shell/shell_layouts.h"

namespace tavo::app {

namespace {

// The slot of a quantity's converter reference.
std::size_t SlotOf(Quantity quantity) {
    for (std::size_t slot = 0; slot < kQuantities.size(); ++slot) {
        if (kQuantities[slot] == quantity) return slot;
    }
    throw std::invalid_argument("unknown quantity");
}

}  // namespace

Application::Application() {
    for (const Quantity quantity : kQuantities) {
        m_converters.at(SlotOf(quantity)) =
            Reference([quantity] { return new converter::ConverterWindow(quantity); });
    }
    m_manual = Reference([] { return new shell::InfoWindow(shell::ManualLayout()); });
    m_about = Reference([] { return new shell::InfoWindow(shell::AboutLayout()); });
}

Application::~Application() {
    delete m_main.data();
}

std::unique_ptr<forms::WindowReference> Application::Reference(std::function<QWidget*()> create) {
    auto reference = std::make_unique<forms::WindowReference>(
        [this, create = std::move(create)](forms::WindowReference&) {
            return WithProgramKeys(create());
        });
    connect(reference.get(), &forms::WindowReference::unloaded, this,
            &Application::QuitIfNoWindowLeft);
    return reference;
}

std::array<forms::WindowReference*, kQuantities.size() + 2> Application::References() const {
    std::array<forms::WindowReference*, kQuantities.size() + 2> all{};
    for (std::size_t slot = 0; slot < m_converters.size(); ++slot) {
        all[slot] = m_converters[slot].get();
    }
    all[m_converters.size()] = m_manual.get();
    all[m_converters.size() + 1] = m_about.get();
    return all;
}

forms::WindowReference& Application::Converter(Quantity quantity) {
    return *m_converters.at(SlotOf(quantity));
}

QWidget* Application::WithProgramKeys(QWidget* window) {
    // Window shortcuts, not menu shortcuts: the menus show no keys, and the help, About and
    // converter windows have no menus.
    forms::OnWindowKey(window, QKeySequence(Qt::Key_F1), [this] { OpenManual(); });
    forms::OnWindowKey(window, QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { EndProgram(); });
    return window;
}

void Application::Start() {
    try {
        m_main = new shell::TAVO_Main(*this);
    } catch (const std::exception&) {
        FailToCreate();
    }
    WithProgramKeys(m_main);
    connect(m_main, &shell::TAVO_Main::closed, this, [this] {
        // Closed by its close box: gone for good; the other windows stay open and usable.
        m_main->deleteLater();
        m_main.clear();
        QuitIfNoWindowLeft();
    });
    m_main->show();
}

void Application::Open(forms::WindowReference& reference) {
    try {
        reference.open();
    } catch (const std::exception&) {
        FailToCreate();
    }
}

void Application::OpenConverter(Quantity quantity) {
    Open(Converter(quantity));
}

void Application::OpenManual() {
    Open(*m_manual);
}

void Application::OpenAbout() {
    Open(*m_about);
}

void Application::EndProgram() {
    // Every window disappears at once and the event loop ends; no window handler runs.
    // The windows themselves are destroyed with this object, after the loop has returned.
    m_ending = true;
    for (forms::WindowReference* reference : References()) {
        if (QWidget* window = reference->window()) window->hide();
    }
    if (m_main) m_main->hide();
    QCoreApplication::exit(0);
}

void Application::QuitIfNoWindowLeft() {
    if (m_ending || m_main) return;
    for (forms::WindowReference* reference : References()) {
        if (reference->isLoaded()) return;
    }
    QCoreApplication::exit(0);
}

void Application::FailToCreate() {
    // Creating a window fails only when the system is out of resources; say so and stop.
    QMessageBox::critical(nullptr, QStringLiteral("度量衡変換"),
                          QStringLiteral("ウィンドウを作成できません。プログラムを終了します。"));
    std::exit(EXIT_FAILURE);
}

}  // namespace tavo::app
