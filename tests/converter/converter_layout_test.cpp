#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QGroupBox>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QPushButton>

#include "tests/converter/converter_fixture.h"
#include "tests/support/layout_conformance.h"
#include "tests/support/printers.h"
#include "ui/converter/converter_layouts.h"
#include "ui/forms/form_builder.h"

namespace {

using tavo::Length;
using tavo::Quantity;
using tavo::Row;
using tavo::converter::ConverterLayout;
using tavo::converter::ConverterWindow;

class ConverterLayout_ : public testing::TestWithParam<Quantity> {};

// Every control of the layout table is built as the table says: geometry, font, colours,
// flags, focus policy; the window is the client area, fixed, with its quantity's picture.
TEST_P(ConverterLayout_, BuiltWidgetsMatchTheTable) {
    ConverterWindow window(GetParam());
    tavo::test::ExpectConformsToLayout(window.client(), ConverterLayout(GetParam()));
    EXPECT_EQ(window.size(), window.client()->size());
    EXPECT_EQ(window.minimumSize(), window.maximumSize());
    EXPECT_FALSE(window.windowIcon().isNull());
}

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

TEST(ConverterLayouts, KeepTheirExceptions) {
    ConverterWindow volume(Quantity::Volume);
    EXPECT_EQ(volume.TextBox(0)->height(), 31);
    EXPECT_EQ(volume.TextBox(1)->height(), 30);
    ConverterWindow square(Quantity::Square);
    EXPECT_EQ(square.control<QWidget>("OptFrmExp")->width(), 65);
    ConverterWindow weight(Quantity::Weight);
    EXPECT_EQ(weight.control<QGroupBox>("Frame1")->height(), 89);
    ConverterWindow length(Quantity::Length);
    EXPECT_EQ(length.control<QGroupBox>("Frame1")->height(), 81);
    // The labels of the last rows are named in falling order.
    EXPECT_EQ(tavo::forms::LabelFor(length.client(), length.TextBox(Row(Length::NauticalMile))),
              length.control<QLabel>("Label9"));
    EXPECT_EQ(tavo::forms::LabelFor(length.client(), length.TextBox(Row(Length::Angstrom))),
              length.control<QLabel>("Label7"));
}

// The faces each window asks for: the label and frame fonts differ between windows.
TEST(ConverterLayouts, AskForTheirOwnLabelAndFrameFaces) {
    struct Faces {
        Quantity quantity;
        std::string_view label;
        std::string_view frame;
    };
    const Faces faces[] = {{Quantity::Length, "ＭＳ Ｐ明朝", "ＭＳ Ｐ明朝"},
                           {Quantity::Weight, "ＭＳ 明朝", "ＭＳ 明朝"},
                           {Quantity::Square, "ＭＳ Ｐ明朝", "ＭＳ Ｐ明朝"},
                           {Quantity::Volume, "ＭＳ Ｐ明朝", "ＭＳ 明朝"}};
    for (const Faces& expected : faces) {
        for (const auto& control : ConverterLayout(expected.quantity).controls) {
            if (control.kind == tavo::forms::ControlKind::Label) {
                EXPECT_EQ(control.font.face, expected.label) << control.name;
            } else if (control.kind == tavo::forms::ControlKind::Frame) {
                EXPECT_EQ(control.font.face, expected.frame);
            } else if (control.kind == tavo::forms::ControlKind::TextBox) {
                EXPECT_EQ(control.font.face, "Times New Roman");
            } else {
                EXPECT_EQ(control.font.face, "ＭＳ Ｐゴシック") << control.name;
            }
        }
    }
}

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

TEST(ConverterLayouts, CloseButtonIsNeitherDefaultNorCancel) {
    ConverterWindow window(Quantity::Length);
    EXPECT_FALSE(window.control<QPushButton>("CommandClose")->isDefault());
}

}  // namespace
