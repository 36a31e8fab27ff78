// SPDX-License-Identifier: MIT
#include "controls.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QInputMethod>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace tavo::forms {

FormTextBox::FormTextBox(QWidget* parent) : QLineEdit(parent) {
    // The boxes take any text: no validator, no mask, and a length limit far above
    // Qt's default of 32,767 characters (see kTextBoxMaxLength).
    setMaxLength(kTextBoxMaxLength);
}

int FormTextBox::KeyCodeOf(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return kEnterKeyCode;
    const QString text = event.text();
    return text.isEmpty() ? 0 : text.front().unicode();
}

void FormTextBox::setInputMethodOff(bool off) {
    m_inputMethodOff = off;
    setAttribute(Qt::WA_InputMethodEnabled, !off);
    // The input method asks when the box gains the focus; a box that has it must tell.
    if (hasFocus()) QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}

QVariant FormTextBox::inputMethodQuery(Qt::InputMethodQuery query) const {
    // Input-method plug-ins (fcitx5's and IBus's among them) decide from this query whether
    // to take the box's keys: they ask it when the box gains the focus and before each key.
    // QLineEdit answers it from being enabled and editable alone, ignoring
    // Qt::WA_InputMethodEnabled, so the attribute by itself leaves composition on.
    if (query == Qt::ImEnabled && m_inputMethodOff) return false;
    return QLineEdit::inputMethodQuery(query);
}

void FormTextBox::keyPressEvent(QKeyEvent* event) {
    int keyCode = KeyCodeOf(*event);
    if (keyCode != 0 && keyPressHandler) {
        keyPressHandler(keyCode);
        if (keyCode == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void FormTextBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // A click that brings the focus into the box behaves like Tab: the focus handler selects
    // the whole text, and the press that follows (Qt moves the focus before it delivers the
    // press) must not drop that selection by placing the caret. Later clicks place the
    // caret as usual.
    m_swallowNextPress = event->reason() == Qt::MouseFocusReason;
    if (gotFocusHandler) gotFocusHandler();
}

void FormTextBox::focusOutEvent(QFocusEvent* event) {
    m_swallowNextPress = false;
    QLineEdit::focusOutEvent(event);
}

void FormTextBox::mousePressEvent(QMouseEvent* event) {
    if (m_swallowNextPress) {
        m_swallowNextPress = false;
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

FormLabel::FormLabel(QWidget* parent) : QLabel(parent) {}

void FormLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
    }
}

FormPictureBox::FormPictureBox(QWidget* parent) : QAbstractButton(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void FormPictureBox::setPicture(const QPixmap& picture) {
    m_picture = picture;
    update();
}

void FormPictureBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // Pixel art: scale without smoothing so the icon stays crisp at any device pixel ratio.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawPixmap(rect(), m_picture);
    // The raised button face: a one-pixel bevel, light on the upper-left edges and dark on
    // the lower-right ones; sunk while the mouse or Space holds it down.
    const QColor light(255, 255, 255);
    const QColor dark(128, 128, 128);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    painter.setPen(isDown() ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(isDown() ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = rect().adjusted(2, 2, -2, -2);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
    }
}

void FormPictureBox::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // As on a focused push button: either Enter key clicks at once.
            click();
            break;
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
            // QAbstractButton would step the focus sideways with Left and Right; between
            // the pictures, which stand in a column, only Tab moves it. So its handler is
            // skipped on purpose.
            QWidget::keyPressEvent(event);  // NOLINT(bugprone-parent-virtual-call)
            break;
        default:
            QAbstractButton::keyPressEvent(event);  // Space clicks on release
            break;
    }
}

bool FormOptionButton::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

bool FormOptionButton::event(QEvent* event) {
    // QAbstractButton moves the focus to a checkable button and clicks it 100 ms later.
    if (event->type() == QEvent::Shortcut && !static_cast<QShortcutEvent*>(event)->isAmbiguous()) {
        click();
        return true;
    }
    return QRadioButton::event(event);
}

void FormFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QColor face = palette().color(QPalette::Window);
    painter.fillRect(rect(), face);
    // The etched line: a dark rectangle with a light one a pixel right of and below it, its
    // top through the middle of the caption's line.
    const QFontMetrics metrics = fontMetrics();
    const int top = metrics.height() / 2 - 1;
    const auto outline = [&painter](const QRect& r, const QColor& colour) {
        painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
    };
    outline(QRect(QPoint(1, top + 1), QPoint(width() - 1, height() - 1)), QColor(255, 255, 255));
    outline(QRect(QPoint(0, top), QPoint(width() - 2, height() - 2)), QColor(128, 128, 128));
    if (title().isEmpty()) return;
    // The caption breaks the top line 7 pixels from the corner, with a pixel of the frame's
    // face on either side.
    const int textWidth = metrics.horizontalAdvance(title());
    painter.fillRect(QRect(6, 0, textWidth + 2, metrics.height()), face);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(QRect(7, 0, textWidth, metrics.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, title());
}

}  // namespace tavo::forms
