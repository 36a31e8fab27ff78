// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "ui/forms/form_design.h"

namespace tavo::forms {

// Whether the program draws its windows' title bars itself: on Wayland, when the compositor
// draws none (weston, GNOME's mutter) and decorations are not switched off
// (QT_WAYLAND_DISABLE_WINDOWDECORATION). Qt's own decoration there offers maximise to every
// window, fixed in size or not, and centres the title between the window's edges, which cuts
// it short on a narrow window (the main window's read 「度量衡変」).
bool DrawsOwnTitleBar();

// A title bar at the top of a window without the platform's: the title, centred between the
// bar's left edge and its buttons, and only the buttons the frame style offers (minimise and
// close, close alone, or none); never maximise, as the windows keep their size. Dragging it
// moves the window. Its colours follow the theme.
class FormTitleBar : public QWidget {
    Q_OBJECT
public:
    FormTitleBar(QWidget* window, FrameStyle frameStyle);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace tavo::forms
