#pragma once
// What the wavelength and level calibrations write into a channel: a whole table, entry by
// entry, then the channel's ID and the store command. The other table is not touched.
#include <array>
#include <string>

#include "usercal/ChannelProtocol.h"

class TavoRX9100;

namespace usercal {

// 0, or the code of the first failed exchange: the write stops there, the entries before it
// stay in the instrument, and neither ID nor store is sent.
int writeCalibrationTable(TavoRX9100& driver, protocol::ChannelTable table, int ch,
                          const std::string& id, const std::array<double, 401>& entries);

}  // namespace usercal
