// SPDX-License-Identifier: MIT
#include "form_window.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QShortcut>
#include <QVBoxLayout>

#include "ui/forms/title_bar.h"

namespace tavo::forms {

namespace {

// A plain top-level QWidget is a "filler" to assistive technology; a form window is a frame
// or, when it has no system menu and closes only by its own button, a dialog.
QAccessibleInterface* AccessibleFormWindow(const QString& className, QObject* object) {
    if (className != QLatin1String(FormWindow::staticMetaObject.className())) return nullptr;
    auto* window = qobject_cast<FormWindow*>(object);
    if (window == nullptr) return nullptr;
    switch (window->design().frameStyle) {
        case FrameStyle::FixedDialog:
        case FrameStyle::FixedSingle:
            return new QAccessibleWidget(window, QAccessible::Window);
        case FrameStyle::FixedTitleOnly:
        case FrameStyle::DialogNoTitle:
            break;
    }
    return new QAccessibleWidget(window, QAccessible::Dialog);
}

}  // namespace

void OnWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> action) {
    auto* shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, std::move(action));
}

FormWindow::FormWindow(const FormDesign& design) : m_design(design), m_client(new QWidget(this)) {
    static const bool accessible = [] {
        QAccessible::installFactory(&AccessibleFormWindow);
        return true;
    }();
    Q_UNUSED(accessible);
    ApplyWindowDesign(this, design);
    m_client->setObjectName(QStringLiteral("client"));
    BuildControls(m_client, design);
    const bool titleBar = design.frameStyle != FrameStyle::DialogNoTitle && DrawsOwnTitleBar();
    // Without the button hints: Qt drops the frameless hint from a window that has them.
    if (titleBar) setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    if (!design.menus.empty() || titleBar) {
        // The menu bar lies above the client area, outside it, as on the original platform;
        // a title bar of the window's own above both.
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        if (titleBar) layout->addWidget(new FormTitleBar(this, design.frameStyle));
        if (!design.menus.empty()) layout->addWidget(BuildMenuBar(this, design.menus));
        layout->addWidget(m_client);
        layout->setSizeConstraint(QLayout::SetFixedSize);
        adjustSize();
    } else {
        const int frame = design.frameStyle == FrameStyle::DialogNoTitle ? kDialogFramePixels : 0;
        m_client->move(frame, frame);
        setFixedSize(m_client->width() + 2 * frame, m_client->height() + 2 * frame);
    }
    // Every window is placed once, where its layout says, each time it is created.
    PlaceWindow(this, design);
}

void FormWindow::Unload() {
    if (unloadHandler) unloadHandler();
}

void FormWindow::paintEvent(QPaintEvent*) {
    if (m_design.frameStyle != FrameStyle::DialogNoTitle) return;
    // A raised dialog frame: light outer-top/left, dark bottom/right, grey face between.
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, QColor(192, 192, 192));
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(r.left(), r.top(), r.right() - 1, r.top());
    painter.drawLine(r.left(), r.top(), r.left(), r.bottom() - 1);
    painter.setPen(QColor(0, 0, 0));
    painter.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    painter.drawLine(r.right(), r.top(), r.right(), r.bottom());
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    painter.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);
}

}  // namespace tavo::forms
