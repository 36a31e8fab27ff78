// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

#include "ui/forms/form_design.h"

namespace tavo::test {

// Walks a layout table and checks, with GoogleTest expectations, that every control was
// built as its row says: geometry in pixels, font, colours, flags, focus policy, and that
// the Tab key visits the tab stops in the order of their tab positions.
void ExpectConformsToLayout(const QWidget* client, const forms::FormDesign& design);

}  // namespace tavo::test
