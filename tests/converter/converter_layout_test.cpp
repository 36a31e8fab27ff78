// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QInputMethodQueryEvent>

#include "tests/converter/converter_fixture.h"
#include "tests/support/printers.h"

namespace {

using tavo::Quantity;
using tavo::converter::ConverterWindow;

class ConverterLayout_ : public testing::TestWithParam<Quantity> {};

TEST_P(ConverterLayout_, TabVisitsBoxesThenCloseButtonOnly) {
    ConverterWindow window(GetParam());
    const int rows = window.state().RowCount;
    QWidget* widget = window.TextBox(0);
    QStringList order;
    for (int i = 0; i <= rows; ++i) {
        do {
            widget = widget->nextInFocusChain();
        } while ((widget->focusPolicy() & Qt::TabFocus) == 0);
        order << widget->objectName();
    }
    QStringList expected;
    for (int i = 1; i < rows; ++i) expected << QStringLiteral("TextBox_%1").arg(i);
    expected << "CommandClose"
             << "TextBox_0";
    EXPECT_EQ(order, expected);
    EXPECT_EQ(window.control<QWidget>("OptFrmFix")->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(window.control<QWidget>("OptFrmExp")->focusPolicy(), Qt::ClickFocus);
}

INSTANTIATE_TEST_SUITE_P(AllWindows, ConverterLayout_,
                         testing::Values(Quantity::Length, Quantity::Weight, Quantity::Square,
                                         Quantity::Volume));

// Input-method plug-ins decide whether to compose a box's keys by asking it Qt::ImEnabled,
// as here; the attribute Qt::WA_InputMethodEnabled alone does not change that answer.
TEST(ConverterLayouts, OnlyTheWeightBoxesLeaveTheInputMethodOn) {
    for (const Quantity quantity : tavo::kQuantities) {
        ConverterWindow window(quantity);
        for (std::int16_t row = 0; row < window.state().RowCount; ++row) {
            QInputMethodQueryEvent query(Qt::ImEnabled);
            QCoreApplication::sendEvent(window.TextBox(row), &query);
            EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), quantity == Quantity::Weight)
                << static_cast<int>(quantity) << " row " << row;
        }
    }
}

}  // namespace
