// SPDX-License-Identifier: MIT
#include "title_bar.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QToolButton>
#include <QWindow>

#include <wayland-client.h>

#include <cstring>

namespace tavo::forms {

namespace {

// Whether the Wayland compositor offers to draw the windows' decorations itself
// (xdg-decoration); asked once, on a connection of its own.
bool CompositorDecorates() {
    wl_display* display = wl_display_connect(nullptr);
    if (display == nullptr) return false;
    bool offered = false;
    const wl_registry_listener listener{
        .global =
            [](void* data, wl_registry*, uint32_t, const char* interface, uint32_t) {
                if (std::strcmp(interface, "zxdg_decoration_manager_v1") == 0) {
                    *static_cast<bool*>(data) = true;
                }
            },
        .global_remove = [](void*, wl_registry*, uint32_t) {},
    };
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &listener, &offered);
    wl_display_roundtrip(display);
    wl_registry_destroy(registry);
    wl_display_disconnect(display);
    return offered;
}

}  // namespace

bool DrawsOwnTitleBar() {
    static const bool draws = QGuiApplication::platformName() == QLatin1String("wayland") &&
                              !qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION") &&
                              !CompositorDecorates();
    return draws;
}

FormTitleBar::FormTitleBar(QWidget* window, FrameStyle frameStyle) : QWidget(window) {
    setObjectName(QStringLiteral("titleBar"));
    setAutoFillBackground(true);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 2, 2);
    layout->setSpacing(2);
    auto* title = new QLabel(window->windowTitle(), this);
    title->setObjectName(QStringLiteral("title"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addStretch();
    layout->addWidget(title);
    layout->addStretch();
    // Marks drawn as text, in the theme's colours, light or dark.
    const auto addButton = [&](const char* mark, const char* name, auto action) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(mark));
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus);  // the keys close and minimise through the system
        button->setAccessibleName(QString::fromUtf8(name));
        connect(button, &QToolButton::clicked, window, action);
        layout->addWidget(button);
    };
    if (frameStyle == FrameStyle::FixedSingle) {
        addButton("－", "最小化", [window] { window->showMinimized(); });
    }
    if (frameStyle == FrameStyle::FixedSingle || frameStyle == FrameStyle::FixedDialog) {
        addButton("×", "閉じる", [window] { window->close(); });
    }
}

void FormTitleBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && window()->windowHandle() != nullptr) {
        window()->windowHandle()->startSystemMove();
    }
}

}  // namespace tavo::forms
