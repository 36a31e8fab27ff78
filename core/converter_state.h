// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>

#include "quantity_tables.h"

namespace tavo {

// Slot 10 of the state holds the quantity in base units (factor 1). As an argument of
// Recompute it means "no row was edited: refresh every row from the stored base value".
inline constexpr std::int16_t BaseIndex = 10;
inline constexpr std::size_t kStateSlots = 11;
// Rows use the slots below BaseIndex, so a quantity has at most ten units.
inline constexpr std::size_t kMaxUnitRows = BaseIndex;

// The numbers one converter window keeps. Slots 0 .. RowCount-1 belong to the rows,
// slots RowCount .. 9 stay 0, slot BaseIndex is the base. Every access goes through
// std::array::at, so an index outside 0..10 throws instead of touching other memory.
struct ConverterState {
    std::array<double, kStateSlots> UnitFactor{};
    std::array<double, kStateSlots> UnitValue{};
    std::int16_t RowCount = 0;
};

// What a window does on every load: the table's factors into UnitFactor, then factor 1 and
// base value 1 into the base slot. The row values are left for the refresh that follows.
void InitialiseState(ConverterState& state, Quantity quantity);

}  // namespace tavo
