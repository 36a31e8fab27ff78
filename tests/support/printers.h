// SPDX-License-Identifier: MIT
#pragma once

#include <ostream>

#include "core/quantity_tables.h"

namespace tavo {

// Names a quantity in test output ("Length"), found by GoogleTest through its namespace.
inline void PrintTo(Quantity quantity, std::ostream* os) {
    *os << Table(quantity).name;
}

}  // namespace tavo
