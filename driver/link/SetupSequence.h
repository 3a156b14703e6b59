#pragma once
// The whole set of measuring conditions, calibration channel included, in the order the
// instrument expects; the first failure stops the sequence.
#include "link/ConditionLink.h"
#include "usercal/ChannelLink.h"

// Lens, angle, ND, speed, sync, then the active channel.
[[nodiscard]] int readSetup(ConditionLink& conditions, ChannelLink& channels);
// Lens, speed, sync, the channel (read back), then ND.
[[nodiscard]] int writeSetup(ConditionLink& conditions, ChannelLink& channels);
