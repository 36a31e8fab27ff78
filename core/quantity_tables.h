// SPDX-License-Identifier: MIT
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace tavo {

// The four quantities, one per converter window.
enum class Quantity { Square, Length, Volume, Weight };

inline constexpr std::array<Quantity, 4> kQuantities{Quantity::Square, Quantity::Length,
                                                     Quantity::Volume, Quantity::Weight};

// One unit of a quantity: the label shown beside its box, its reading in hiragana (for
// screen readers and tooltips), its size in the base unit, so that v units are
// v * factor base units, and the other names a command line may give it: English names and
// symbols, and the romanised names of the Japanese units, separated by single blanks.
struct UnitRow {
    std::string_view label;
    std::string_view reading;
    double factor;
    std::string_view aliases;
};

// Each quantity's units by name, in the order of its table below, so that code and tests say
// Length::Yard rather than row 1. Row() gives the row index (the index of the unit's box).
enum class Square : std::int16_t { SquareMetre, SquareKilometre, Are, Hectare, Tsubo, Tan };
enum class Length : std::int16_t {
    Metre,
    Yard,
    Foot,
    Inch,
    Mile,
    Shaku,
    NauticalMile,
    LightYear,
    Angstrom,
};
enum class Volume : std::int16_t {
    CubicMetre,
    Litre,
    CubicCentimetre,
    CubicInch,
    UsGallon,
    Go,
    Sho,
    Koku
};
enum class Weight : std::int16_t {
    Kilogram,
    Gram,
    Tonne,
    Pound,
    Ounce,
    Kan,
    Monme,
    Kin,
    SolarMass
};

template <typename Unit>
concept NamedUnit = std::is_same_v<Unit, Square> || std::is_same_v<Unit, Length> ||
    std::is_same_v<Unit, Volume> || std::is_same_v<Unit, Weight>;

constexpr std::int16_t Row(NamedUnit auto unit) {
    return static_cast<std::int16_t>(unit);
}

// The factors are the program's own fixed figures, not the legal definitions of the units:
// the tsubo is 3.3058 m^2 (not 400/121), the mile 1609.3 m, the light-year 9.454e15 m, the
// pound 0.4535 kg. Every displayed digit depends on them, so they stay exactly as written.
inline constexpr std::array<UnitRow, 6> kSquareRows{{
    {"平方メートル", "へいほうめーとる", 1,
     "m2 m^2 m² sq-m square-metre square-metres square-meter square-meters"},
    {"平方キロ", "へいほうきろ", 1000000,
     "km2 km^2 km² sq-km square-kilometre square-kilometres square-kilometer square-kilometers"},
    {"アール", "あーる", 100, "a are ares"},
    {"ヘクタール", "へくたーる", 10000, "ha hectare hectares"},
    {"坪", "つぼ", 3.3058, "tsubo"},
    {"反", "たん", 991.736, "tan"},
}};

inline constexpr std::array<UnitRow, 9> kLengthRows{{
    {"メートル", "めーとる", 1, "m metre metres meter meters"},
    {"ヤード", "やーど", 0.9144, "yd yds yard yards"},
    {"フィート", "ふぃーと", 0.3048, "ft foot feet"},
    {"インチ", "いんち", 0.0254, "in inch inches"},
    {"マイル", "まいる", 1609.3, "mi mile miles"},
    {"尺", "しゃく", 0.303, "shaku"},
    {"海里", "かいり", 1852, "nmi nautical-mile nautical-miles"},
    {"光年", "こうねん", 9454000000000000.0, "ly light-year light-years"},
    // "Å" twice: U+00C5 and the look-alike U+212B ANGSTROM SIGN, which input methods also give.
    {"オングストローム", "おんぐすとろーむ", 1e-10,
     "Å \u212B angstrom angstroms ångström ångströms"},
}};

inline constexpr std::array<UnitRow, 8> kVolumeRows{{
    {"立方メートル", "りっぽうめーとる", 1,
     "m3 m^3 m³ cubic-metre cubic-metres cubic-meter cubic-meters"},
    {"リットル", "りっとる", 0.001, "l litre litres liter liters"},
    // The leading blank is part of the label.
    {" cc", "しーしー", 1e-06, "cc ml cm3 cm^3 cm³ millilitre millilitres milliliter milliliters"},
    {"立方インチ", "りっぽういんち", 1.63862e-05, "in3 in^3 in³ cu-in cubic-inch cubic-inches"},
    // US gallon, half-width parentheses.
    {"ガロン(米)", "べいがろん", 0.0037854, "gal gallon gallons us-gallon us-gallons"},
    {"合", "ごう", 0.0001804, "go gou gō"},
    {"升", "しょう", 0.001804, "sho shou shō"},
    {"石", "こく", 0.1804, "koku"},
}};

inline constexpr std::array<UnitRow, 9> kWeightRows{{
    {"キログラム", "きろぐらむ", 1, "kg kilogram kilograms kilo kilos"},
    {"グラム", "ぐらむ", 0.001, "g gram grams gramme grammes"},
    {"トン", "とん", 1000, "t tonne tonnes ton tons"},
    {"ポンド", "ぽんど", 0.4535, "lb lbs pound pounds"},
    {"オンス", "おんす", 0.02835, "oz ounce ounces"},
    {"貫", "かん", 3.75, "kan"},
    {"匁", "もんめ", 0.00375, "monme momme"},
    {"斤", "きん", 0.6, "kin"},
    {"太陽質量", "たいようしつりょう", 1.9891e30, "solar-mass solar-masses msun"},
}};

// Each table ends with its last named unit.
static_assert(Row(Square::Tan) + 1 == kSquareRows.size());
static_assert(Row(Length::Angstrom) + 1 == kLengthRows.size());
static_assert(Row(Volume::Koku) + 1 == kVolumeRows.size());
static_assert(Row(Weight::SolarMass) + 1 == kWeightRows.size());

// The unit's name as words use it: its label without the blanks that pad it in the window
// (" cc" -> "cc").
std::string_view UnitName(const UnitRow& unit);

// The unit's other names, one string each, in the order the table gives them.
std::vector<std::string_view> UnitAliases(const UnitRow& unit);

// Whether a name given on a command line names the unit: its label exactly, with or without
// the padding blanks, or one of its other names in any letter case (the letters of ASCII,
// Latin-1 and Latin Extended-A fold: "ÅNGSTRÖM", "GŌ").
bool NamesUnit(const UnitRow& unit, std::string_view name);

struct QuantityTable {
    Quantity quantity;
    std::string_view name;  // the converter window's name: "Square", "Length", ...
    std::span<const UnitRow> rows;
};

// The table of a quantity; rows.size() is its RowCount.
const QuantityTable& Table(Quantity quantity);

std::int16_t RowCount(Quantity quantity);

// The size of a row's unit in words, for screen readers and tooltips: "1 尺 = 0.303 メートル",
// or "基準の単位" for the base unit itself. Throws std::out_of_range for a row outside the table.
std::string UnitDescription(Quantity quantity, std::size_t row);

}  // namespace tavo
