// SPDX-License-Identifier: MIT
#include "converter_state.h"

namespace tavo {

void InitialiseState(ConverterState& state, Quantity quantity) {
    const QuantityTable& table = Table(quantity);
    state.RowCount = static_cast<std::int16_t>(table.rows.size());
    for (std::size_t k = 0; k < table.rows.size(); ++k) {
        state.UnitFactor.at(k) = table.rows[k].factor;
    }
    state.UnitFactor.at(BaseIndex) = 1;
    state.UnitValue.at(BaseIndex) = 1;
}

}  // namespace tavo
