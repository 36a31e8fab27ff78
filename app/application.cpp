#include "application.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdlib>
#include <exception>

#include "ui/converter/converter_window.h"
#include "ui/forms/form_builder.h"
#include "ui/shell/about_window.h"
#include "ui/shell/manual_window.h"

namespace tavo::app {

namespace {

using shell::WindowId;

forms::WindowReference::Factory FactoryFor(WindowId window) {
    switch (window) {
        case WindowId::Length:
            return [](forms::WindowReference&) -> QWidget* {
                return new converter::ConverterWindow(Quantity::Length);
            };
        case WindowId::Weight:
            return [](forms::WindowReference&) -> QWidget* {
                return new converter::ConverterWindow(Quantity::Weight);
            };
        case WindowId::Square:
            return [](forms::WindowReference&) -> QWidget* {
                return new converter::ConverterWindow(Quantity::Square);
            };
        case WindowId::Volume:
            return [](forms::WindowReference&) -> QWidget* {
                return new converter::ConverterWindow(Quantity::Volume);
            };
        case WindowId::Manual:
            return [](forms::WindowReference&) -> QWidget* { return new shell::Manual; };
        case WindowId::About:
            return [](forms::WindowReference&) -> QWidget* { return new shell::TAVO_About; };
    }
    return {};
}

constexpr std::array kWindows{WindowId::Length, WindowId::Weight, WindowId::Square,
                              WindowId::Volume, WindowId::Manual, WindowId::About};

}  // namespace

Application::Application() {
    for (const WindowId window : kWindows) {
        auto reference = std::make_unique<forms::WindowReference>(FactoryFor(window));
        connect(reference.get(), &forms::WindowReference::unloaded, this,
                &Application::QuitIfNoWindowLeft);
        m_references.at(static_cast<std::size_t>(window)) = std::move(reference);
    }
}

Application::~Application() {
    delete m_main.data();
}

forms::WindowReference& Application::Reference(WindowId window) {
    return *m_references.at(static_cast<std::size_t>(window));
}

void Application::Start() {
    try {
        m_main = new shell::TAVO_Main(*this);
    } catch (const std::exception&) {
        FailToCreate();
    }
    connect(m_main, &shell::TAVO_Main::closed, this, [this] {
        // Closed by its close box: gone for good; the other windows stay open and usable.
        m_main->deleteLater();
        m_main.clear();
        QuitIfNoWindowLeft();
    });
    forms::PlaceWindow(m_main, shell::MainLayout());
    m_main->show();
}

void Application::OpenWindow(WindowId window) {
    try {
        Reference(window).open();
    } catch (const std::exception&) {
        FailToCreate();
    }
}

void Application::EndProgram() {
    // Every window disappears at once and the event loop ends; no window handler runs.
    // The windows themselves are destroyed with this object, after the loop has returned.
    m_ending = true;
    for (const auto& reference : m_references) {
        if (QWidget* window = reference->window()) window->hide();
    }
    if (m_main) m_main->hide();
    QCoreApplication::exit(0);
}

void Application::QuitIfNoWindowLeft() {
    if (m_ending || m_main) return;
    for (const auto& reference : m_references) {
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
