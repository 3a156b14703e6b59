#include "usercal/ChannelLink.h"

#include "link/FactorTableProtocol.h"
#include "sensor/ConditionCodes.h"
#include "sensor/ResultCodes.h"

namespace {

using codes::status::kOk;
using protocol::ChannelTable;

// The parts of a table a full scan looks at: 380 to 479 nm and 680 to 780 nm.
struct ScanRange {
    int first;
    int last;
};
constexpr ScanRange kScanRanges[] = {{0, 99}, {300, 400}};

}  // namespace

ChannelLink::ChannelLink(Exchanger& exchanger, LinkState state, SetupStatus& status)
    : exchanger_(exchanger), state_(state), status_(status), factors_(exchanger, state) {}

bool ChannelLink::scanFinds(ChannelTable table, int ch, int first, int last) {
    std::string reply;
    for (int i = first; i <= last; ++i) {
        if (exchanger_.exchange(protocol::channelEntryCommand(table, ch, i), reply,
                                protocol::kChannelScanTimeout, true) != kOk) {
            state_.forgiveMissingData();
            return false;
        }
        const auto value = protocol::parseChannelEntry(reply);
        if (!value) {
            (void)state_.malformed();
            return false;
        }
        if (*value != protocol::identityEntry(table, i)) {
            return true;
        }
    }
    return false;
}

bool ChannelLink::entryReads(ChannelTable table, int ch) {
    std::string reply;
    return exchanger_.exchange(protocol::channelEntryCommand(table, ch, 0), reply,
                               protocol::kChannelScanTimeout, true) == kOk;
}

int ChannelLink::checkChannel(int ch, int& chOut, int& mode, std::string& id, bool fullScan) {
    std::string reply;
    if (ch == protocol::kAskActiveChannel) {
        if (int r = exchanger_.exchange(protocol::kChannelQuery, reply,
                                        protocol::kChannelQueryTimeout, true);
            r != kOk) {
            return r;
        }
        const auto active = protocol::parseActiveChannel(reply);
        if (!active) {
            return state_.malformed();
        }
        chOut = *active;
    } else {
        chOut = ch;
    }
    mode = codes::calmode::kNone;
    const bool ndData = factors_.probeNd(1) == kOk || factors_.probeNd(2) == kOk;
    if (ndData && status_.getNd() != codes::nd::kNone) {
        status_.setCalibrationMode(codes::calmode::kNd);
        mode = codes::calmode::kNd;
    }
    if (chOut == 0) {
        return kOk;
    }
    bool wavelength = false;
    bool level = false;
    if (fullScan) {
        for (ChannelTable table : {ChannelTable::Wavelength, ChannelTable::Level}) {
            bool& found = table == ChannelTable::Wavelength ? wavelength : level;
            for (ScanRange range : kScanRanges) {
                found = scanFinds(table, chOut, range.first, range.last) || found;
            }
        }
    } else {
        wavelength = entryReads(ChannelTable::Wavelength, chOut);
        level = entryReads(ChannelTable::Level, chOut);
    }
    if (wavelength || level) {
        mode = protocol::channelMode(status_.getCalibrationMode() == codes::calmode::kNd,
                                     wavelength, level);
    }
    if (int r = exchanger_.exchange(protocol::channelIdQuery(chOut), reply,
                                    protocol::kChannelQueryTimeout, true);
        r != kOk) {
        return r;
    }
    id = protocol::parseChannelId(reply);
    return kOk;
}

int ChannelLink::checkActive() {
    std::string id;
    int ch = 0;
    int mode = 0;
    const int r = checkChannel(protocol::kAskActiveChannel, ch, mode, id, true);
    if (r != kOk) {
        state_.forgiveMissingData();
        return r;
    }
    status_.setCalibrationCh(ch);
    status_.setCalibrationMode(mode);
    status_.setCalibrationId(id);
    return kOk;
}

int ChannelLink::setActive() {
    const int ch = status_.getCalibrationCh();
    if (!protocol::isChannel(ch)) {
        return codes::status::kRefused;
    }
    std::string reply;
    if (int r = exchanger_.exchange(protocol::channelSelectCommand(ch), reply,
                                    protocol::kChannelWriteTimeout, true);
        r != kOk) {
        return r;
    }
    return checkActive();
}

int ChannelLink::writeId(int ch, const std::string& id) {
    std::string reply;
    if (int r = exchanger_.exchange(protocol::channelIdCommand(ch, id), reply,
                                    protocol::kChannelWriteTimeout, true);
        r != kOk) {
        return r;
    }
    return exchanger_.exchange(protocol::kChannelStore, reply, protocol::kChannelWriteTimeout,
                               true);
}

int ChannelLink::readTable(ChannelTable table, int ch, double* entries) {
    std::string reply;
    for (int i = 0; i < protocol::kTableEntries; ++i) {
        if (int r = exchanger_.exchange(protocol::channelEntryCommand(table, ch, i), reply,
                                        protocol::kChannelTableTimeout, false);
            r != kOk) {
            return r;
        }
        const auto value = protocol::parseChannelEntry(reply);
        if (!value) {
            return state_.malformed();
        }
        entries[i] = *value;
    }
    return kOk;
}

namespace {

constexpr double kWavelengthTolerance = 2.0;  // nm from the nominal wavelength
constexpr double kLowestLevel = 0.001;
constexpr double kHighestLevel = 1000.0;

bool wavelengthFits(const double* wave, int i) {
    const double d = wave[i] - protocol::identityEntry(ChannelTable::Wavelength, i);
    if (!(d >= -kWavelengthTolerance && d <= kWavelengthTolerance)) {
        return false;  // NaN too
    }
    return i + 1 >= protocol::kTableEntries || !(wave[i] > wave[i + 1]);
}

bool levelFits(double value) {
    return value >= kLowestLevel && value <= kHighestLevel;
}

bool sendableId(const std::string& id) {
    for (const char c : id) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            return false;
        }
    }
    return true;
}

}  // namespace

int ChannelLink::writeChannel(int ch, const std::string& id, int writeWave, const double* wave,
                              int writeLevel, const double* level) {
    std::string reply;
    for (int i = 0; i < protocol::kTableEntries; ++i) {
        if (writeWave != 0) {
            if (!wavelengthFits(wave, i)) {
                return codes::status::kRefused;
            }
            if (int r = exchanger_.exchange(
                    protocol::channelEntryWriteCommand(ChannelTable::Wavelength, ch, i, wave[i]),
                    reply, protocol::kChannelWriteTimeout, true);
                r != kOk) {
                return r;
            }
        }
        if (writeLevel != 0) {
            if (!levelFits(level[i])) {
                return codes::status::kRefused;
            }
            if (int r = exchanger_.exchange(
                    protocol::channelEntryWriteCommand(ChannelTable::Level, ch, i, level[i]), reply,
                    protocol::kChannelWriteTimeout, true);
                r != kOk) {
                return r;
            }
        }
    }
    if (!sendableId(id)) {
        return codes::status::kRefused;
    }
    if (int r = exchanger_.exchange(protocol::channelFileIdCommand(ch, id), reply,
                                    protocol::kChannelWriteTimeout, true);
        r != kOk) {
        return r;
    }
    return exchanger_.exchange(protocol::kChannelStore, reply, protocol::kChannelWriteTimeout,
                               true);
}

int ChannelLink::readChannel(int ch, std::string& id, int& hasWave, double* wave, int& hasLevel,
                             double* level) {
    std::string reply;
    // Level first, then wavelength: each probed by its entry 000.
    for (const ChannelTable table : {ChannelTable::Level, ChannelTable::Wavelength}) {
        int& has = table == ChannelTable::Level ? hasLevel : hasWave;
        double* entries = table == ChannelTable::Level ? level : wave;
        has = 0;
        if (exchanger_.exchange(protocol::channelEntryCommand(table, ch, 0), reply,
                                protocol::kChannelTableTimeout, false) == kOk) {
            has = 1;
            if (int r = readTable(table, ch, entries); r != kOk) {
                return r;
            }
        } else {
            for (int i = 0; i < protocol::kTableEntries; ++i) {
                entries[i] = protocol::identityEntry(table, i);
            }
        }
    }
    if (int r = exchanger_.exchange(protocol::channelIdQuery(ch), reply,
                                    protocol::kChannelTableTimeout, false);
        r != kOk) {
        return r;
    }
    id = protocol::parseChannelId(reply, protocol::kFileIdLength);
    return kOk;
}

int ChannelLink::eraseChannel(int ch) {
    std::string reply;
    for (const ChannelTable table : {ChannelTable::Wavelength, ChannelTable::Level}) {
        for (int i = 0; i < protocol::kTableEntries; ++i) {
            (void)exchanger_.exchange(
                protocol::channelEntryWriteCommand(table, ch, i, protocol::identityEntry(table, i)),
                reply, protocol::kChannelWriteTimeout, true);
        }
    }
    return exchanger_.exchange(protocol::channelClearCommand(ch), reply,
                               protocol::kChannelWriteTimeout, true);
}
