#pragma once
// Believable stored data for a simulated instrument that has been in use: measurements of
// several sources under varied conditions, some targets kept only as colour values.
#include "simulator/Identity.h"
#include "simulator/Memory.h"

namespace rx9100sim {

// Replaces every stored sample and target: samples 00 to count − 1 and targets 1 to
// min(count, 20) are filled, all others emptied. The same count gives the same data; the
// layouts follow the identity's firmware level and the readings its model.
void fillStoredData(Memory& memory, int count, const Identity& identity);

}  // namespace rx9100sim
