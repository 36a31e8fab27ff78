// SPDX-License-Identifier: MIT
#pragma once

#include <QRadioButton>

#include <array>
#include <cstdint>

#include "core/converter_state.h"
#include "core/quantity_tables.h"
#include "ui/forms/controls.h"
#include "ui/forms/form_window.h"

namespace tavo::converter {

// One behaviour for the four converter windows, parameterised by the quantity (its table
// and layout). The handlers decide when the core's Recompute runs and with which row; the
// core decides what every row shows.
class ConverterWindow : public forms::FormWindow {
    Q_OBJECT
public:
    // Creates the controls from the quantity's layout, then loads the window (Form_Load).
    explicit ConverterWindow(Quantity quantity);

    Quantity quantity() const { return m_quantity; }
    const ConverterState& state() const { return m_state; }

    // The window's handlers, named after control and event.
    void Form_Load();
    void TextBox_KeyPress(std::int16_t index, int& keyCode);
    void TextBox_GotFocus(std::int16_t index);
    void OptFrmFix_Click();
    void OptFrmExp_Click();
    void CommandClose_Click();

    forms::FormTextBox* TextBox(std::int16_t index) const;

    // Every row as a "name<TAB>text" line ending in CR LF, the texts as shown: what
    // Ctrl+Shift+C puts on the clipboard.
    QString TableText() const;
    void CopyTable() const;

private:
    void DescribeRow(forms::FormTextBox* box, const UnitRow& unit, std::size_t row);
    void Recompute(std::int16_t index);

    Quantity m_quantity;
    ConverterState m_state;
    std::array<forms::FormTextBox*, kStateSlots> m_textBoxes{};
    QRadioButton* m_optFrmFix = nullptr;
    QRadioButton* m_optFrmExp = nullptr;
};

}  // namespace tavo::converter
