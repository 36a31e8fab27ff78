// SPDX-License-Identifier: MIT
// What the page draws, from the compiled tables; the contract is in page_api.h.
#include "page_api.h"

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/quantity_tables.h"
#include "ui/forms/layout_data.h"
#include "ui/icons/picture_data.h"
#include "ui/shell/shell_layouts.h"
#include "web/api_result.h"

namespace {

using tavo::web::Result;

const tavo::forms::FormDesign& Window(int window) {
    const auto layouts = tavo::shell::WindowLayouts();
    if (window < 0 || static_cast<std::size_t>(window) >= layouts.size()) {
        throw std::out_of_range("window");
    }
    return *layouts[static_cast<std::size_t>(window)];
}

template <typename Items, typename Text>
std::string Lines(const Items& items, Text text) {
    std::string lines;
    for (const auto& item : items) lines += std::string(text(item)) + '\n';
    if (!lines.empty()) lines.pop_back();
    return lines;
}

}  // namespace

const char* tavo_window_names(void) {
    return Result([] {
        return Lines(tavo::shell::WindowLayouts(),
                     [](const tavo::forms::FormDesign* design) { return design->name; });
    });
}

const char* tavo_window_layout(int window) {
    return Result([window] { return tavo::forms::LayoutJson(Window(window)); });
}

int tavo_window_quantity(int window) {
    if (window < 0 || static_cast<std::size_t>(window) >= tavo::shell::WindowLayouts().size()) {
        return -1;
    }
    // A converter window bears its quantity's name.
    for (std::size_t q = 0; q < tavo::kQuantities.size(); ++q) {
        if (tavo::Table(tavo::kQuantities[q]).name == Window(window).name) {
            return static_cast<int>(q);
        }
    }
    return -1;
}

const char* tavo_quantity_choices(void) {
    return Result([] {
        return Lines(tavo::shell::kQuantityChoices, [](const tavo::shell::QuantityChoice& c) {
            std::size_t q = 0;
            while (tavo::kQuantities.at(q) != c.quantity) ++q;
            return std::string(c.picture) + ' ' + std::string(c.caption) + ' ' + std::to_string(q);
        });
    });
}

const char* tavo_picture_xpm(const char* name, std::size_t length) {
    return Result([=] {
        const auto xpm = tavo::icons::PictureXpm(std::string_view(name, length));
        if (xpm.empty()) throw std::out_of_range("no such picture");
        return Lines(xpm, [](const char* line) { return line; });
    });
}

const char* tavo_unit_name(int quantity, int row) {
    return Result([=] {
        const auto& rows =
            tavo::Table(tavo::kQuantities.at(static_cast<std::size_t>(quantity))).rows;
        if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) {
            throw std::out_of_range("row");
        }
        const tavo::UnitRow& unit = rows[static_cast<std::size_t>(row)];
        return std::string(tavo::UnitName(unit)) + ' ' + std::string(unit.reading);
    });
}
