// SPDX-License-Identifier: MIT
#pragma once

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRadioButton>
#include <QWidget>

#include <functional>

// The few control kinds whose events or looks the program needs beyond what the stock Qt
// widgets give: typed characters that a handler may consume, gaining the focus, clicks on
// labels and pictures, option buttons hit in their whole rectangle, and frames drawn as on
// the platform the layouts come from.
namespace tavo::forms {

// Character code of the Enter key (main Return key and keypad Enter).
inline constexpr int kEnterKeyCode = 13;

// The most characters an entry box holds: 65,535, as a single-line edit control of the
// Windows this program comes from. Far beyond any number a person types, and it keeps a
// huge paste fast: Qt lays out and paints the whole line, and cutting a paste down to the
// limit costs it time that grows with the square of the limit (a 16 MiB paste into a box
// without a limit takes seconds and a gigabyte, into a 1 Mi-character box most of a minute).
inline constexpr int kTextBoxMaxLength = 65535;

class FormTextBox : public QLineEdit {
    Q_OBJECT
public:
    explicit FormTextBox(QWidget* parent = nullptr);

    // Receives the code of each typed character; setting it to 0 consumes the key, so the
    // box never sees it. Keys that type no character (arrows, Home, ...) are not reported.
    std::function<void(int& keyCode)> keyPressHandler;
    // Runs after the box has gained the focus, however it came.
    std::function<void()> gotFocusHandler;

    // The character code a key event types: 13 for either Enter key, the first UTF-16 unit
    // of its text otherwise, or 0 when it types nothing.
    static int KeyCodeOf(const QKeyEvent& event);

    // Switches the input method off in the box: typed keys go straight into the text,
    // whatever state the user's input method is in, and nothing is composed. The input
    // method itself is not touched, so other boxes and programs find it as the user left it.
    void setInputMethodOff(bool off);

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    bool m_swallowNextPress = false;
    bool m_inputMethodOff = false;
};

class FormLabel : public QLabel {
    Q_OBJECT
public:
    explicit FormLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// A 32 x 32 icon on a raised button face: a push button without text, for the mouse, the
// keys and assistive technology alike. A click, Space, Return or keypad Enter clicks it;
// the arrow keys do nothing.
class FormPictureBox : public QAbstractButton {
    Q_OBJECT
public:
    explicit FormPictureBox(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPixmap m_picture;
};

// An option button that takes a click anywhere inside its own rectangle, not only on its
// round mark and caption. Its shortcut key clicks it at once and leaves the focus where it
// is, so that the user goes on typing into the box that holds it.
class FormOptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override;
    bool event(QEvent* event) override;
};

// A group box drawn as a frame of a form: filled with its own background colour, an etched
// line around it, and its caption on the top line, near the left corner.
class FormFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tavo::forms
