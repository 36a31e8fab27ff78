// SPDX-License-Identifier: MIT
#pragma once

#include <gtest/gtest.h>

#include <QRadioButton>
#include <QStringList>
#include <QTest>

#include "tests/support/widget_helpers.h"
#include "ui/converter/converter_window.h"
#include "ui/forms/window_reference.h"

namespace tavo::test {

// A converter window opened through a window reference, as the main window opens it. Rows
// are addressed by their named units (Length::Yard).
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

    forms::FormTextBox* Box(NamedUnit auto unit) const { return Window()->TextBox(Row(unit)); }
    QString Text(NamedUnit auto unit) const { return Box(unit)->text(); }
    QStringList Texts() const {
        QStringList texts;
        for (std::int16_t row = 0; row < Window()->state().RowCount; ++row) {
            texts << Window()->TextBox(row)->text();
        }
        return texts;
    }
    // Types into a row (replacing its text, as after the focus selected it) and presses Enter.
    // Non-ASCII text arrives as an input method or a paste would deliver it.
    void Enter(NamedUnit auto unit, const QString& typed) {
        forms::FormTextBox* box = Box(unit);
        box->setFocus();
        box->clear();
        bool ascii = true;
        for (const QChar c : typed) ascii = ascii && c.unicode() < 0x80;
        if (ascii) {
            QTest::keyClicks(box, typed);
        } else {
            box->insert(typed);
        }
        QTest::keyClick(box, Qt::Key_Return);
    }
    void Click(const char* option) {
        QTest::mouseClick(Window()->control<QRadioButton>(option), Qt::LeftButton);
    }

private:
    forms::WindowReference m_reference;
};

}  // namespace tavo::test
