#pragma once

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>

#include <QStringList>

#include "tests/support/widget_helpers.h"
#include "ui/converter/converter_window.h"
#include "ui/forms/window_reference.h"

namespace tavo::test {

// A converter window opened through a window reference, as the main window opens it.
class ConverterFixture {
public:
    explicit ConverterFixture(Quantity quantity)
        : m_reference([quantity](forms::WindowReference&) -> QWidget* {
              return new converter::ConverterWindow(quantity);
          }) {}
    ~ConverterFixture() {
        m_reference.unload();
        FlushDeletes();
    }

    converter::ConverterWindow* Open() {
        auto* window = qobject_cast<converter::ConverterWindow*>(m_reference.open());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return window;
    }
    converter::ConverterWindow* Window() const {
        return qobject_cast<converter::ConverterWindow*>(m_reference.window());
    }
    forms::WindowReference& Reference() { return m_reference; }

    forms::FormTextBox* Box(int row) const {
        return Window()->TextBox(static_cast<std::int16_t>(row));
    }
    QStringList Texts() const {
        QStringList texts;
        for (int row = 0; row < Window()->state().RowCount; ++row) texts << Box(row)->text();
        return texts;
    }
    // Types into a row (replacing its text, as after the focus selected it) and presses Enter.
    // Non-ASCII text arrives as an input method or a paste would deliver it.
    void Enter(int row, const QString& typed) {
        Box(row)->setFocus();
        Box(row)->clear();
        bool ascii = true;
        for (const QChar c : typed) ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(Box(row), typed);
        } else {
            Box(row)->insert(typed);
        }
        QTest::keyClick(Box(row), Qt::Key_Return);
    }
    void Click(const char* option) {
        QTest::mouseClick(Window()->control<QRadioButton>(option), Qt::LeftButton);
    }

private:
    forms::WindowReference m_reference;
};

}  // namespace tavo::test
