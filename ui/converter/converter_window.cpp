// SPDX-License-Identifier: MIT
#include "converter_window.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

#include <stdexcept>

#include "core/number_text.h"
#include "core/recompute.h"
#include "ui/converter/converter_layouts.h"
#include "ui/forms/form_builder.h"

namespace tavo::converter {

ConverterWindow::ConverterWindow(Quantity quantity)
    : forms::FormWindow(ConverterLayout(quantity)), m_quantity(quantity) {
    const QuantityTable& table = Table(quantity);
    const std::int16_t rows = RowCount(quantity);
    for (std::int16_t i = 0; i < rows; ++i) {
        // One box a row: every converter layout is checked for it when it is compiled.
        forms::FormTextBox* box = control<forms::FormTextBox>("TextBox", i);
        Q_ASSERT(box != nullptr);
        m_textBoxes.at(static_cast<std::size_t>(i)) = box;
        DescribeRow(box, table.rows[static_cast<std::size_t>(i)], static_cast<std::size_t>(i));
        box->keyPressHandler = [this, i](int& keyCode) { TextBox_KeyPress(i, keyCode); };
        box->gotFocusHandler = [this, i] { TextBox_GotFocus(i); };
    }
    m_optFrmFix = control<QRadioButton>("OptFrmFix");
    m_optFrmExp = control<QRadioButton>("OptFrmExp");
    // clicked, not toggled: a click on the option that is already selected refreshes too.
    connect(m_optFrmFix, &QRadioButton::clicked, this, [this] { OptFrmFix_Click(); });
    connect(m_optFrmExp, &QRadioButton::clicked, this, [this] { OptFrmExp_Click(); });
    connect(control<QPushButton>("CommandClose"), &QPushButton::clicked, this,
            [this] { CommandClose_Click(); });

    // The options stay out of the Tab order, so a screen reader never reaches the keys that
    // their descriptions name: the window's description says them.
    const auto key = [](const QRadioButton* option) {
        return option->shortcut().toString(QKeySequence::NativeText) + QStringLiteral(" で") +
               option->text();
    };
    setAccessibleDescription(
        QStringLiteral("%1: %2、%3")
            .arg(control<QGroupBox>("Frame1")->title(), key(m_optFrmFix), key(m_optFrmExp)));

    // Ctrl+Shift+C copies the whole table; Ctrl+C inside a box keeps copying its selection.
    forms::OnWindowKey(this, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
                       [this] { CopyTable(); });
    // Ctrl+W closes the window as 閉じる does. (The options' keys come with their layout.)
    forms::OnWindowKey(this, QKeySequence(Qt::CTRL | Qt::Key_W), [this] { CommandClose_Click(); });

    Form_Load();
    // TextBox(0) is first in the tab order: it takes the focus when the window is shown.
    TextBox(0)->setFocus(Qt::OtherFocusReason);
}

forms::FormTextBox* ConverterWindow::TextBox(std::int16_t index) const {
    if (index < 0 || index >= m_state.RowCount) throw std::out_of_range("no such TextBox");
    return m_textBoxes.at(static_cast<std::size_t>(index));
}

void ConverterWindow::Form_Load() {
    InitialiseState(m_state, m_quantity);
    Recompute(BaseIndex);
}

void ConverterWindow::TextBox_KeyPress(std::int16_t index, int& keyCode) {
    if (keyCode != forms::kEnterKeyCode) return;
    Recompute(index);
    keyCode = 0;  // consumed only once the rows are rewritten
}

void ConverterWindow::TextBox_GotFocus(std::int16_t index) {
    forms::FormTextBox* box = TextBox(index);
    const auto length = static_cast<int>(box->text().size());
    box->setSelection(0, length);
}

void ConverterWindow::OptFrmFix_Click() {
    Recompute(BaseIndex);
}

void ConverterWindow::OptFrmExp_Click() {
    Recompute(BaseIndex);
}

void ConverterWindow::CommandClose_Click() {
    Unload();
}

void ConverterWindow::DescribeRow(forms::FormTextBox* box, const UnitRow& unit, std::size_t row) {
    const QString name = forms::ToQString(UnitName(unit));
    const QString reading = forms::ToQString(unit.reading);
    const QString size = QString::fromStdString(UnitDescription(m_quantity, row));
    const QString spoken = name + QChar(' ') + reading;
    box->setAccessibleName(spoken);
    box->setAccessibleDescription(size);
    // The unit's label shows its reading and size as a tooltip. Screen readers name the box
    // by the label that its labelled-by relation points at: the label says the reading too.
    if (QLabel* caption = forms::LabelFor(client(), box)) {
        caption->setAccessibleName(spoken);
        caption->setToolTip(spoken + QChar('\n') + size);
    }
}

QString ConverterWindow::TableText() const {
    const QuantityTable& table = Table(m_quantity);
    QString text;
    for (std::int16_t row = 0; row < m_state.RowCount; ++row) {
        // As shown, without the blank the plain display puts before a number, made a cell
        // as tavo-convert makes its cells.
        const std::string cell = TableCell(TextBox(row)->text().toStdString(), LeadingBlank::Drop);
        text += forms::ToQString(UnitName(table.rows[static_cast<std::size_t>(row)])) +
                QChar('\t') + forms::ToQString(cell) + QStringLiteral("\r\n");
    }
    return text;
}

void ConverterWindow::CopyTable() const {
    QApplication::clipboard()->setText(TableText());
}

void ConverterWindow::Recompute(std::int16_t index) {
    const std::string edited =
        index == BaseIndex ? std::string() : TextBox(index)->text().toStdString();
    const bool exponential = m_optFrmExp->isChecked();
    for (const RowText& row : tavo::Recompute(m_state, index, edited, exponential)) {
        TextBox(row.row)->setText(QString::fromStdString(row.text));
    }
}

}  // namespace tavo::converter
