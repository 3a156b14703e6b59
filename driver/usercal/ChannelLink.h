#pragma once
// The calibration channels as the instrument holds them: which one is active, whether a
// channel's tables correct anything, its ID and its tables.
#include <string>

#include "link/Exchanger.h"
#include "link/FactorTables.h"
#include "link/LinkState.h"
#include "sensor/SetupStatus.h"
#include "usercal/ChannelProtocol.h"

class ChannelLink {
  public:
    ChannelLink(Exchanger& exchanger, LinkState state, SetupStatus& status);

    // The state of channel ch (99: the active one, whose number goes to chOut): its
    // calibration mode and ID. fullScan looks for the first entry that differs from the
    // identity in entries 0 to 99 and 300 to 400 of each table; otherwise a table counts
    // as present when its entry 000 reads. Channel 0 ends after the ND check, id as given.
    [[nodiscard]] int checkChannel(int ch, int& chOut, int& mode, std::string& id, bool fullScan);
    // The active channel, its mode and ID into the conditions.
    [[nodiscard]] int checkActive();
    // The conditions' channel made active, then read back; 10 without sending for a
    // number that is no channel.
    [[nodiscard]] int setActive();
    [[nodiscard]] int writeId(int ch, const std::string& id);
    // 401 entries into table; a failure stops the read, entries read so far stay.
    [[nodiscard]] int readTable(protocol::ChannelTable table, int ch, double* entries);

    // A whole channel from a file's tables (401 entries each), entry by entry: each
    // wavelength entry within 2.0 nm of its nominal wavelength and not above the next one,
    // each level factor from 0.001 to 1000; then the ID and the store. A refused entry
    // (10) or a failed exchange ends it there, without ID and store: the entries before it
    // have been written. An ID with control characters is refused before its line.
    [[nodiscard]] int writeChannel(int ch, const std::string& id, int writeWave, const double* wave,
                                   int writeLevel, const double* level);
    // A whole channel for a file: a table counts as held when its entry 000 reads (then all
    // 401 are read, a failure ends it); a table not held gets the identity entries. The ID
    // is at most ten characters, leading blanks removed.
    [[nodiscard]] int readChannel(int ch, std::string& id, int& hasWave, double* wave,
                                  int& hasLevel, double* level);
    // Both tables back to the identity (failures of these writes ignored), then "UCCD".
    [[nodiscard]] int eraseChannel(int ch);

  private:
    // Whether a scan of entries first..last finds one that differs from the identity.
    bool scanFinds(protocol::ChannelTable table, int ch, int first, int last);
    bool entryReads(protocol::ChannelTable table, int ch);

    Exchanger& exchanger_;
    LinkState state_;
    SetupStatus& status_;
    FactorTableLink factors_;
};
