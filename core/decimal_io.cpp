// SPDX-License-Identifier: MIT
#include "decimal_io.h"

#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tavo {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// strtod and snprintf follow the locale, which a program may have taken from its environment
// (a German one writes "1,5"), so they run in the "C" locale, switched for this thread only.
class CLocaleScope {
public:
    CLocaleScope() : m_previous(uselocale(CLocale())) {}
    ~CLocaleScope() { uselocale(m_previous); }
    CLocaleScope(const CLocaleScope&) = delete;
    CLocaleScope& operator=(const CLocaleScope&) = delete;

private:
    static locale_t CLocale() {
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t{});
        return c;
    }
    locale_t m_previous;
};

double ReadC(const std::string& text) {
    const CLocaleScope scope;
    return std::strtod(text.c_str(), nullptr);
}

// snprintf with "%.*e" or "%.*f".
std::string PrintC(const char* format, int precision, double value) {
    const CLocaleScope scope;
    const int length = std::snprintf(nullptr, 0, format, precision, value);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, precision, value);
    text.pop_back();
    return text;
}

std::to_chars_result CopyOut(char* first, char* last, const std::string& text) {
    if (text.size() > static_cast<std::size_t>(last - first)) {
        return {last, std::errc::value_too_large};
    }
    return {std::copy(text.begin(), text.end(), first), std::errc{}};
}

// A positive decimal digits[0].digits[1...] x 10^exponent.
struct Scientific {
    std::string digits;
    int exponent = 0;
};

Scientific ParseScientific(const std::string& text) {
    Scientific decimal;
    const std::size_t ePos = text.find('e');
    for (std::size_t k = 0; k < ePos; ++k) {
        if (text[k] != '.') decimal.digits.push_back(text[k]);
    }
    decimal.exponent = std::atoi(text.c_str() + ePos + 1);
    return decimal;
}

// As "%.*e" writes it: "9.454e+15", "5e-324".
std::string ScientificText(const Scientific& decimal) {
    std::string text(1, decimal.digits.front());
    if (decimal.digits.size() > 1) text += '.' + decimal.digits.substr(1);
    text += decimal.exponent < 0 ? "e-" : "e+";
    const int magnitude = std::abs(decimal.exponent);
    if (magnitude < 10) text += '0';
    return text + std::to_string(magnitude);
}

// The next decimal up with as many digits: 1.23 -> 1.24, 9.99 -> 1.00e+1.
Scientific StepUp(Scientific decimal) {
    std::string& digits = decimal.digits;
    std::size_t k = digits.size();
    while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
    if (k > 0) {
        ++digits[k - 1];
    } else {
        digits.front() = '1';
        ++decimal.exponent;
    }
    return decimal;
}

}  // namespace

namespace fallback {

std::from_chars_result ReadDouble(const char* first, const char* last, double& value) {
    const char* p = first;
    if (p != last && *p == '-') ++p;
    bool anyDigit = false;
    bool anyNonZero = false;
    const auto skipDigits = [&] {
        for (; p != last && IsDigit(*p); ++p) {
            anyDigit = true;
            anyNonZero = anyNonZero || *p != '0';
        }
    };
    skipDigits();
    if (p != last && *p == '.') {
        ++p;
        skipDigits();
    }
    if (!anyDigit) return {first, std::errc::invalid_argument};
    if (p != last && (*p == 'e' || *p == 'E')) {
        const char* exponent = p + 1;
        if (exponent != last && (*exponent == '+' || *exponent == '-')) ++exponent;
        if (exponent != last && IsDigit(*exponent)) {
            p = exponent;
            while (p != last && IsDigit(*p)) ++p;
        }
    }
    // strtod reads exactly the number found above; errno is not asked, since C libraries
    // differ in setting ERANGE for subnormal results.
    const double read = ReadC(std::string(first, p));
    if (std::isinf(read) || (read == 0.0 && anyNonZero)) {
        return {p, std::errc::result_out_of_range};
    }
    value = read;
    return {p, std::errc{}};
}

std::to_chars_result WriteScientific(char* first, char* last, double value, int precision) {
    // Both round the exact binary value, ties to even.
    return CopyOut(first, last, PrintC("%.*e", precision, value));
}

std::to_chars_result WriteShortest(char* first, char* last, double value) {
    if (!std::isfinite(value)) return CopyOut(first, last, PrintC("%.*e", 0, value));
    const double magnitude = std::fabs(value);
    // The fewest digits that read back: the nearest decimal of each length, or where that lies
    // below the value and misses, the next one up. That one can still read back, further away,
    // when the value is a power of two, whose rounding interval reaches twice as far upwards.
    Scientific shortest;
    for (int count = 1; count <= 17; ++count) {
        const Scientific nearest = ParseScientific(PrintC("%.*e", count - 1, magnitude));
        const double back = ReadC(ScientificText(nearest));
        if (back == magnitude) {
            shortest = nearest;
            break;
        }
        const Scientific above = StepUp(nearest);
        if (back < magnitude && ReadC(ScientificText(above)) == magnitude) {
            shortest = above;
            break;
        }
    }
    std::string& digits = shortest.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    // Fixed notation unless scientific is shorter; a whole number is written with all its
    // digits, as printf's "%.0f" does.
    const int count = static_cast<int>(digits.size());
    const int exponent = shortest.exponent;
    const int scientificLength = count + (count > 1 ? 1 : 0) + (std::abs(exponent) >= 100 ? 5 : 4);
    const int fixedLength = exponent >= count - 1 ? exponent + 1
                            : exponent >= 0       ? count + 1
                                                  : count - exponent + 1;
    std::string text = std::signbit(value) ? "-" : "";
    if (scientificLength < fixedLength) {
        text += ScientificText(shortest);
    } else if (exponent >= count - 1) {
        text += PrintC("%.*f", 0, magnitude);
    } else if (exponent >= 0) {
        const std::size_t point = static_cast<std::size_t>(exponent) + 1;
        text += digits.substr(0, point) + '.' + digits.substr(point);
    } else {
        text += "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    }
    return CopyOut(first, last, text);
}

}  // namespace fallback

#if defined(__cpp_lib_to_chars)

std::from_chars_result ReadDouble(const char* first, const char* last, double& value) {
    // std::from_chars also reads "inf" and "nan"; the fallback does not.
    const char* p = first != last && *first == '-' ? first + 1 : first;
    if (p == last || !(IsDigit(*p) || *p == '.')) return {first, std::errc::invalid_argument};
    return std::from_chars(first, last, value);
}

std::to_chars_result WriteScientific(char* first, char* last, double value, int precision) {
    return std::to_chars(first, last, value, std::chars_format::scientific, precision);
}

std::to_chars_result WriteShortest(char* first, char* last, double value) {
    return std::to_chars(first, last, value);
}

#else

std::from_chars_result ReadDouble(const char* first, const char* last, double& value) {
    return fallback::ReadDouble(first, last, value);
}

std::to_chars_result WriteScientific(char* first, char* last, double value, int precision) {
    return fallback::WriteScientific(first, last, value, precision);
}

std::to_chars_result WriteShortest(char* first, char* last, double value) {
    return fallback::WriteShortest(first, last, value);
}

#endif

}  // namespace tavo
