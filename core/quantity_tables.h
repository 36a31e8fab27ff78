#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace tavo {

// The four quantities, one per converter window.
enum class Quantity { Square, Length, Volume, Weight };

inline constexpr std::array<Quantity, 4> kQuantities{Quantity::Square, Quantity::Length,
                                                     Quantity::Volume, Quantity::Weight};

// One unit of a quantity: the label shown beside its box and its size in the base unit,
// so that v units are v * factor base units.
struct UnitRow {
    std::string_view label;
    double factor;
};

// The factors are the program's own fixed figures, not the legal definitions of the units:
// the tsubo is 3.3058 m^2 (not 400/121), the mile 1609.3 m, the light-year 9.454e15 m, the
// pound 0.4535 kg. Every displayed digit depends on them, so they stay exactly as written.
inline constexpr std::array<UnitRow, 6> kSquareRows{{
    {"平方メートル", 1},
    {"平方キロ", 1000000},
    {"アール", 100},
    {"ヘクタール", 10000},
    {"坪", 3.3058},
    {"反", 991.736},
}};

inline constexpr std::array<UnitRow, 9> kLengthRows{{
    {"メートル", 1},
    {"ヤード", 0.9144},
    {"フィート", 0.3048},
    {"インチ", 0.0254},
    {"マイル", 1609.3},
    {"尺", 0.303},
    {"海里", 1852},
    {"光年", 9454000000000000.0},
    {"オングストローム", 1e-10},
}};

inline constexpr std::array<UnitRow, 8> kVolumeRows{{
    {"立方メートル", 1},
    {"リットル", 0.001},
    {" cc", 1e-06},  // the leading blank is part of the label
    {"立方インチ", 1.63862e-05},
    {"ガロン(米)", 0.0037854},  // US gallon, half-width parentheses
    {"合", 0.0001804},
    {"升", 0.001804},
    {"石", 0.1804},
}};

inline constexpr std::array<UnitRow, 9> kWeightRows{{
    {"キログラム", 1},
    {"グラム", 0.001},
    {"トン", 1000},
    {"ポンド", 0.4535},
    {"オンス", 0.02835},
    {"貫", 3.75},
    {"匁", 0.00375},
    {"斤", 0.6},
    {"太陽質量", 1.9891e30},
}};

struct QuantityTable {
    Quantity quantity;
    std::string_view name;  // the converter window's name: "Square", "Length", ...
    std::span<const UnitRow> rows;
};

// The table of a quantity; rows.size() is its RowCount.
const QuantityTable& Table(Quantity quantity);

std::int16_t RowCount(Quantity quantity);

}  // namespace tavo
