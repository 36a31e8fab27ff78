// SPDX-License-Identifier: MIT
#include "window_reference.h"

#include <QEvent>

#include "ui/forms/form_window.h"

namespace tavo::forms {

WindowReference::WindowReference(Factory factory, QObject* parent)
    : QObject(parent), m_factory(std::move(factory)) {}

WindowReference::~WindowReference() {
    delete m_window.data();
}

QWidget* WindowReference::open() {
    if (m_window.isNull()) {
        QWidget* window = m_factory(*this);
        if (auto* form = qobject_cast<FormWindow*>(window)) {
            form->unloadHandler = [this] { unload(); };
        }
        window->installEventFilter(this);
        m_window = window;
    }
    // A minimised window comes back as it was before, in front and active.
    if (m_window->isMinimized()) {
        m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

void WindowReference::unload() {
    QWidget* window = m_window.data();
    if (window == nullptr) return;
    m_window.clear();
    window->removeEventFilter(this);
    // The window may be unloading itself from one of its own handlers (a button's click),
    // so it is destroyed once that handler has returned; from now on it is gone for the
    // program: the reference is empty and the next open() builds a new one.
    window->hide();
    window->deleteLater();
    emit unloaded();
}

bool WindowReference::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_window && event->type() == QEvent::Close) {
        unload();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tavo::forms
