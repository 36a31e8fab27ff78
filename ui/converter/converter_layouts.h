// SPDX-License-Identifier: MIT
#pragma once

#include "core/quantity_tables.h"
#include "ui/forms/form_design.h"

namespace tavo::converter {

// The layout of a quantity's converter window.
const forms::FormDesign& ConverterLayout(Quantity quantity);

}  // namespace tavo::converter
