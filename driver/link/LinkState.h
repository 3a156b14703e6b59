#pragma once
// What the table links record in the instrument state besides the exchange's own codes.
#include "link/LineExchange.h"
#include "sensor/InstrumentState.h"

struct LinkState {
    InstrumentState& state;
    LineExchange& line;  // its texts and message boxes

    // A reply that does not carry what was asked for: error 43 with its text, and 10.
    [[nodiscard]] int malformed() const;
    // A refusal that only says "no such data" (5 or 20) is no pending error: the state
    // shows "no error" (200) instead.
    void forgiveMissingData() const;
};
