// The calibration channels: the calibration mode of the conditions, the flags the driver
// keeps per channel (0 to 10; any other channel reads false and changes nothing), and the
// channels' state, IDs and tables as the instrument holds them.
#include "platform/UiServices.h"
#include "sensor/ConditionCodes.h"
#include "sensor/DriverInternals.h"
#include "sensor/ResultCodes.h"
#include "usercal/ChannelLink.h"

void TavoRX9100::setCalibrationMode(bool wavelength, bool nd, bool level) {
    setCalibrationMode(codes::calibrationModeFor({wavelength, nd, level}));
}

void TavoRX9100::setCalibrationMode(int mode) {
    setupStatus.setCalibrationMode(mode);
}

int TavoRX9100::getCalibrationMode() const {
    return setupStatus.getCalibrationMode();
}

namespace {

bool inRange(int ch) {
    return ch >= 0 && ch < TavoRX9100::kChannels;
}

}  // namespace

void TavoRX9100::setWaveCalSet(bool value, int ch) {
    if (inRange(ch))
        waveCalSet[ch] = value;
}
bool TavoRX9100::getWaveCalSet(int ch) const {
    return inRange(ch) && waveCalSet[ch];
}
void TavoRX9100::setLevelCalSet(bool value, int ch) {
    if (inRange(ch))
        levelCalSet[ch] = value;
}
bool TavoRX9100::getLevelCalSet(int ch) const {
    return inRange(ch) && levelCalSet[ch];
}
void TavoRX9100::setWaveCoef(bool value, int ch) {
    if (inRange(ch))
        waveCoef[ch] = value;
}
bool TavoRX9100::getWaveCoef(int ch) const {
    return inRange(ch) && waveCoef[ch];
}
void TavoRX9100::setLevelCoef(bool value, int ch) {
    if (inRange(ch))
        levelCoef[ch] = value;
}
bool TavoRX9100::getLevelCoef(int ch) const {
    return inRange(ch) && levelCoef[ch];
}

// --- the instrument's channels -----------------------------------------------------------

ChannelLink TavoRX9100::channelLink(Exchanger& through) {
    return ChannelLink(through, LinkState{instrumentState, internals_->line}, setupStatus);
}

int TavoRX9100::checkCalibrationCh(int ch, int& chOut, int& mode, int& /*reserved*/,
                                   std::string& id, bool fullScan) {
    return channelLink(exchanger()).checkChannel(ch, chOut, mode, id, fullScan);
}

int TavoRX9100::checkCalibrationCh() {
    platform::WaitCursor wait;
    listCalList.Clear();
    ChannelLink channels = channelLink(exchanger());
    for (int ch = 0; ch < kChannels; ++ch) {
        std::string id;
        int chOut = ch;
        int mode = codes::calmode::kNone;
        (void)channels.checkChannel(ch, chOut, mode, id, true);  // listed with what was found
        listCalList.AddItem(ch, protocol::channelItemName(mode, id));
    }
    setupCapability.setListCalList(&listCalList);
    return 0;
}

int TavoRX9100::checkActiveCh() {
    return channelLink(exchanger()).checkActive();
}

int TavoRX9100::setActiveCh() {
    return channelLink(exchanger()).setActive();
}

int TavoRX9100::setCalibrationId(int ch, const std::string& id) {
    return channelLink(exchanger()).writeId(ch, id);
}

int TavoRX9100::checkWavelengthData(double* table, int ch) {
    if (ch == 0) {
        return codes::status::kTransportFailed;
    }
    return channelLink(exchanger()).readTable(protocol::ChannelTable::Wavelength, ch, table);
}

int TavoRX9100::checkLevelData(double* table, int ch) {
    if (ch == 0) {
        return codes::status::kTransportFailed;
    }
    return channelLink(exchanger()).readTable(protocol::ChannelTable::Level, ch, table);
}

int TavoRX9100::checkWavelengthData(double* table) {
    return channelLink(exchanger())
        .readTable(protocol::ChannelTable::Wavelength, setupStatus.getCalibrationCh(), table);
}

int TavoRX9100::checkLevelData(double* table) {
    return channelLink(exchanger())
        .readTable(protocol::ChannelTable::Level, setupStatus.getCalibrationCh(), table);
}
