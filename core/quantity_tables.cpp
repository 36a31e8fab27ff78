#include "quantity_tables.h"

#include <charconv>
#include <stdexcept>

namespace tavo {

namespace {

constexpr std::array<QuantityTable, 4> kTables{{
    {Quantity::Square, "Square", kSquareRows},
    {Quantity::Length, "Length", kLengthRows},
    {Quantity::Volume, "Volume", kVolumeRows},
    {Quantity::Weight, "Weight", kWeightRows},
}};

}  // namespace

const QuantityTable& Table(Quantity quantity) {
    for (const QuantityTable& table : kTables) {
        if (table.quantity == quantity) return table;
    }
    throw std::invalid_argument("unknown quantity");
}

std::int16_t RowCount(Quantity quantity) {
    return static_cast<std::int16_t>(Table(quantity).rows.size());
}

std::string UnitDescription(Quantity quantity, std::size_t row) {
    const QuantityTable& table = Table(quantity);
    if (row >= table.rows.size()) throw std::out_of_range("no such unit row");
    if (row == 0) return "基準の単位";
    // The factor as the table writes it: the shortest text that reads back as the double.
    char factor[32];
    const auto written = std::to_chars(factor, factor + sizeof factor, table.rows[row].factor);
    return "1 " + std::string(UnitName(table.rows[row])) + " = " +
           std::string(factor, written.ptr) + " " + std::string(UnitName(table.rows[0]));
}

std::string_view UnitName(const UnitRow& unit) {
    std::string_view name = unit.label;
    const std::size_t first = name.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    name.remove_prefix(first);
    name.remove_suffix(name.size() - 1 - name.find_last_not_of(' '));
    return name;
}

}  // namespace tavo
