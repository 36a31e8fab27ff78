// SPDX-License-Identifier: MIT
#pragma once

#include <QKeySequence>
#include <QWidget>

#include <functional>

#include "ui/forms/form_builder.h"
#include "ui/forms/form_design.h"

namespace tavo::forms {

// A top-level window built from a layout: the window is exactly its client area (plus the
// menu bar above it, if the layout has menus, or a thin painted frame for a window without a
// title bar), fixed in size, with every control of the layout as a child, and placed where
// the layout says. Subclasses add the handlers. Assistive technology sees the window as a
// frame when it has a system menu and as a dialog when only its own button closes it, named
// by its title (or by the layout's name for it, for a window without a title).
class FormWindow : public QWidget {
    Q_OBJECT
public:
    // The window keeps a reference to its layout, which must outlive it: the layouts are
    // constants of the program, and a temporary is refused.
    explicit FormWindow(const FormDesign& design);
    explicit FormWindow(const FormDesign&& design) = delete;

    const FormDesign& design() const { return m_design; }
    QWidget* client() const { return m_client; }

    template <typename T>
    T* control(std::string_view name, int index = -1) const {
        return FindControl<T>(m_client, name, index);
    }

    // Unloads the window: set by the window reference that owns it.
    std::function<void()> unloadHandler;

protected:
    // Unloads the window, as its own close button does; a no-op when nobody owns it.
    void Unload();
    void paintEvent(QPaintEvent* event) override;

private:
    const FormDesign& m_design;
    QWidget* m_client;
};

// Runs `action` when `key` is pressed while `window` is the active window, wherever its
// focus is. Menus do not show these keys.
void OnWindowKey(QWidget* window, const QKeySequence& key, std::function<void()> action);

// Width of the thin frame painted around a window without a title bar.
inline constexpr int kDialogFramePixels = 3;

}  // namespace tavo::forms
