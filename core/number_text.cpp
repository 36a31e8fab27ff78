// SPDX-License-Identifier: MIT
#include "number_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "decimal_io.h"

namespace tavo {

namespace {

constexpr char kSkip = '\x01';  // a blank, removed wherever it stands
constexpr char kStop = '\0';    // a character that cannot be part of a number

// The ASCII character a full-width form at text[pos] stands for: U+FF01..U+FF5E (EF BC 81..BF,
// EF BD 80..9E) their ASCII forms, U+3000 IDEOGRAPHIC SPACE (E3 80 80) a blank; 0 for anything
// else. Each of them is three bytes long.
char FullWidthAscii(std::string_view text, std::size_t pos) {
    if (text.size() - pos < 3) return 0;
    const auto b0 = static_cast<unsigned char>(text[pos]);
    const auto b1 = static_cast<unsigned char>(text[pos + 1]);
    const auto b2 = static_cast<unsigned char>(text[pos + 2]);
    if (b0 == 0xE3 && b1 == 0x80 && b2 == 0x80) return ' ';
    if (b0 != 0xEF || (b1 != 0xBC && b1 != 0xBD) || (b2 & 0xC0u) != 0x80u) return 0;
    const unsigned codePoint = 0xF000u | ((b1 & 0x3Fu) << 6) | (b2 & 0x3Fu);
    if (codePoint < 0xFF01u || codePoint > 0xFF5Eu) return 0;
    return static_cast<char>(codePoint - 0xFF00u + 0x20u);
}

// Decodes a character of three bytes or more at text[pos] (see NextSymbol).
char NextWideSymbol(std::string_view text, std::size_t& pos) {
    const char ascii = FullWidthAscii(text, pos);
    if (ascii == ' ' || ascii == '+' || ascii == '-' || ascii == '.' || ascii == ',' ||
        ascii == 'e' || ascii == 'E' || (ascii >= '0' && ascii <= '9')) {
        pos += 3;
        return ascii == ' ' ? kSkip : ascii;
    }
    return kStop;
}

// Decodes the character at text[pos] into its ASCII stand-in, advancing pos past it. ASCII,
// by far the most common, is decided here without a call.
inline char NextSymbol(std::string_view text, std::size_t& pos) {
    const auto byte = static_cast<unsigned char>(text[pos]);
    if (byte >= 0x80) return NextWideSymbol(text, pos);
    ++pos;
    if (byte == ' ' || byte == '\t' || byte == '\n' || byte == '\r') return kSkip;
    // Other control characters end the number; none may pass for the two markers.
    if (byte < 0x20) return kStop;
    return static_cast<char>(byte);
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The sign, digits, point and exponent of the leading number, in ASCII, plus what is needed
// to tell an overflow from an underflow when the value leaves the double range.
struct Scanned {
    std::string chars;  // without a leading '+' or grouping commas, which from_chars refuses
    bool negative = false;
    bool anyNonZero = false;
    std::int64_t leadPosition = 0;  // decimal position of the first non-zero digit
    std::int64_t exponent = 0;      // saturated, only used for the range decision
    std::size_t end = 0;            // byte offset in the text just past the number
};

Scanned Scan(std::string_view text) {
    enum class State { Sign, Integer, Fraction, ExponentSign, ExponentDigits };
    // How far the reading has come; a copy of it is where a broken grouping falls back to.
    struct Progress {
        std::size_t accepted = 0;        // buffer length at the end of the last complete number
        std::size_t end = 0;             // text offset at the end of the last complete number
        std::int64_t integerDigits = 0;  // significant integer digits (after leading zeros)
        bool anyNonZero = false;
    };
    Scanned scanned;
    std::string buffer;
    Progress now;
    bool exponentNegative = false;
    std::int64_t exponent = 0;
    std::int64_t fractionZeros = 0;  // zeros after the point before the first non-zero
    bool mantissaDigit = false;
    State state = State::Sign;

    // Thousands grouping: a comma in the integer part after one to three digits opens a
    // grouped run, which stands only if every comma is followed by exactly three digits up
    // to the end of the run. Otherwise the number ends at the first comma, so the reading
    // falls back to what it had there.
    std::int64_t groupDigits = 0;  // integer digits since the start or the last comma
    bool grouped = false;
    Progress beforeGroups;

    std::size_t pos = 0;
    while (pos < text.size()) {
        const char c = NextSymbol(text, pos);
        if (c == kSkip) continue;
        if (grouped && !IsDigit(c) && c != ',') {
            // The grouped run ends here; its last group must be complete.
            if (groupDigits != 3) {
                now = beforeGroups;
                break;
            }
            grouped = false;
        }
        if (state == State::Sign && (c == '+' || c == '-')) {
            scanned.negative = c == '-';
            if (c == '-') buffer.push_back(c);
            state = State::Integer;
        } else if (state == State::Integer && c == ',') {
            const bool opens = !grouped && groupDigits >= 1 && groupDigits <= 3;
            if (!opens && !(grouped && groupDigits == 3)) {
                // "1000,000" ends at the comma; "1,000,00,000" falls back to "1".
                if (grouped) now = beforeGroups;
                break;
            }
            if (opens) beforeGroups = now;
            grouped = true;
            groupDigits = 0;
        } else if ((state == State::Sign || state == State::Integer) && c == '.') {
            buffer.push_back(c);
            state = State::Fraction;
            // "1." is a complete number; "." alone is not.
            if (mantissaDigit) {
                now.accepted = buffer.size();
                now.end = pos;
            }
        } else if ((state == State::Sign || state == State::Integer || state == State::Fraction) &&
                   IsDigit(c)) {
            if (state != State::Fraction) {
                if (grouped && groupDigits == 3) {
                    now = beforeGroups;  // "1,0000": a long group
                    break;
                }
                ++groupDigits;
            }
            buffer.push_back(c);
            mantissaDigit = true;
            if (state == State::Fraction) {
                if (!now.anyNonZero && c == '0') ++fractionZeros;
            } else if (now.anyNonZero || c != '0') {
                ++now.integerDigits;
            }
            if (c != '0') now.anyNonZero = true;
            if (state == State::Sign) state = State::Integer;
            now.accepted = buffer.size();
            now.end = pos;
        } else if ((state == State::Integer || state == State::Fraction) && mantissaDigit &&
                   (c == 'e' || c == 'E')) {
            buffer.push_back('e');
            state = State::ExponentSign;
        } else if (state == State::ExponentSign && (c == '+' || c == '-')) {
            buffer.push_back(c);
            exponentNegative = c == '-';
            state = State::ExponentDigits;
        } else if ((state == State::ExponentSign || state == State::ExponentDigits) && IsDigit(c)) {
            buffer.push_back(c);
            if (exponent < 1'000'000'000) exponent = exponent * 10 + (c - '0');
            state = State::ExponentDigits;
            now.accepted = buffer.size();
            now.end = pos;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3) now = beforeGroups;  // the text ended inside a group
    // Cutting back to the last complete number drops an "e" without digits: "1e" reads as 1.
    buffer.resize(now.accepted);
    scanned.chars = std::move(buffer);
    scanned.end = now.end;
    scanned.anyNonZero = now.anyNonZero;
    scanned.exponent = exponentNegative ? -exponent : exponent;
    scanned.leadPosition = now.integerDigits > 0 ? now.integerDigits : -fractionZeros;
    return scanned;
}

double ToDouble(const Scanned& scanned) {
    if (scanned.chars.empty()) return 0.0;
    double value = 0.0;
    const char* first = scanned.chars.data();
    const auto result = ReadDouble(first, first + scanned.chars.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone out of range; the magnitude of the decimal
        // number (position of its first digit plus the exponent) says which side it left.
        if (!scanned.anyNonZero) return scanned.negative ? -0.0 : 0.0;
        if (scanned.leadPosition + scanned.exponent <= 0) {
            return std::numeric_limits<double>::quiet_NaN();  // lost below the range
        }
        return scanned.negative ? -HUGE_VAL : HUGE_VAL;
    }
    if (result.ec != std::errc{}) return 0.0;
    return value;
}

}  // namespace

double ReadNumber(std::string_view text) {
    return ToDouble(Scan(text));
}

std::optional<double> ReadWholeNumber(std::string_view text) {
    const Scanned scanned = Scan(text);
    if (scanned.chars.empty()) return std::nullopt;
    for (std::size_t pos = scanned.end; pos < text.size();) {
        if (NextSymbol(text, pos) != kSkip) return std::nullopt;
    }
    return ToDouble(scanned);
}

namespace {

// The decimal digits of |value| rounded to `significant` figures, without trailing zeros,
// and the decimal exponent of the first one: 0.00123 -> {"123", -3}.
struct Decimal {
    std::string digits;
    int exponent = 0;
};

Decimal ToDecimal(double magnitude, int significant) {
    char buffer[64];
    const auto result = WriteScientific(buffer, buffer + sizeof buffer, magnitude, significant - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t ePos = text.find('e');
    Decimal decimal;
    for (const char c : text.substr(0, ePos)) {
        if (c != '.') decimal.digits.push_back(c);
    }
    const std::string_view exponent = text.substr(ePos + 1);
    const bool negative = exponent.front() == '-';
    std::from_chars(exponent.data() + 1, exponent.data() + exponent.size(), decimal.exponent);
    if (negative) decimal.exponent = -decimal.exponent;
    return decimal;
}

void AppendExponent(std::string& out, int exponent) {
    out.push_back(exponent < 0 ? '-' : '+');
    out += std::to_string(exponent < 0 ? -exponent : exponent);
}

}  // namespace

std::string PlainText(double value) {
    if (std::isnan(value)) return " NaN";
    std::string out(1, std::signbit(value) && value != 0.0 ? '-' : ' ');
    if (std::isinf(value)) return out + "Inf";
    if (value == 0.0) return out + "0";

    Decimal decimal = ToDecimal(std::fabs(value), 15);
    while (decimal.digits.size() > 1 && decimal.digits.back() == '0') decimal.digits.pop_back();
    const int count = static_cast<int>(decimal.digits.size());
    const int pointAfter = decimal.exponent + 1;  // digits before the decimal point
    if (pointAfter <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-pointAfter), '0');
        out += decimal.digits;
    } else if (pointAfter >= count) {
        out += decimal.digits;
        out.append(static_cast<std::size_t>(pointAfter - count), '0');
    } else {
        out += decimal.digits.substr(0, static_cast<std::size_t>(pointAfter));
        out.push_back('.');
        out += decimal.digits.substr(static_cast<std::size_t>(pointAfter));
    }
    return out;
}

std::string FormatPattern(double value, NumberPattern pattern) {
    constexpr int places = 3;
    const bool keepZeros = pattern == NumberPattern::Exponential;

    if (std::isnan(value)) return "NaN";
    std::string out = std::signbit(value) && value != 0.0 ? "-" : "";
    if (std::isinf(value)) return out + "Inf";

    Decimal decimal;
    if (value == 0.0) {
        decimal.digits = std::string(places + 1, '0');
    } else {
        decimal = ToDecimal(std::fabs(value), places + 1);
    }
    std::string fraction = decimal.digits.substr(1);
    if (!keepZeros) {
        while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    }
    out.push_back(decimal.digits.front());
    out.push_back('.');
    out += fraction;
    out.push_back('e');
    AppendExponent(out, decimal.exponent);
    return out;
}

std::string TableCell(std::string_view text, LeadingBlank blank) {
    if (blank == LeadingBlank::Drop && !text.empty() && text.front() == ' ') text.remove_prefix(1);
    // Most texts need no change: they are copied whole up to the first byte that may (a control
    // character, or the first byte of a character of three bytes or more).
    std::size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (byte < 0x20 || byte >= 0xE3) break;
    }
    std::string cell(text.substr(0, pos));
    while (pos < text.size()) {
        const char c = text[pos];
        const char ascii = static_cast<unsigned char>(c) >= 0x80 ? FullWidthAscii(text, pos) : '\0';
        if (ascii != 0) {
            cell.push_back(ascii);
            pos += 3;
        } else {
            cell.push_back(c == '\t' || c == '\r' || c == '\n' ? ' ' : c);
            ++pos;
        }
    }
    return cell;
}

}  // namespace tavo
