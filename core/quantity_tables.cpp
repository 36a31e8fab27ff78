#include "quantity_tables.h"

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

}  // namespace tavo
