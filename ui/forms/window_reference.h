// SPDX-License-Identifier: MIT
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace tavo::forms {

// Holds at most one live instance of a window. open() creates and loads the window when
// none is loaded (controls from the layout, then its load handler: the factory's job) and
// shows it modeless with no owner; when it is already loaded, open() only restores it if it
// is minimised, raises and activates it. Closing the window in any way (its own close
// button, the close box, the window manager) unloads it: the window and its controls are
// destroyed, never hidden, and the next open() loads it afresh.
class WindowReference : public QObject {
    Q_OBJECT
public:
    using Factory = std::function<QWidget*(WindowReference& reference)>;

    explicit WindowReference(Factory factory, QObject* parent = nullptr);
    ~WindowReference() override;

    QWidget* open();
    void unload();

    bool isLoaded() const { return !m_window.isNull(); }
    QWidget* window() const { return m_window; }

signals:
    void unloaded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Factory m_factory;
    QPointer<QWidget> m_window;
};

}  // namespace tavo::forms
