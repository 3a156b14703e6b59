// Reading every stored target or sample from the instrument into records: the reading of
// the import and delete dialogs and of hosts that list or save stored data.
#include <cmath>

#include "link/StoredDataProtocol.h"
#include "sensor/ErrorDisplayOff.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

namespace {

bool allFinite(const std::vector<double>& values) {
    for (double v : values) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

DataPack packOf(MeasuringData record, int type, bool target, int number) {
    DataPack pack;
    pack.format.setType(type, static_cast<int>(record.getData().size()));
    if (type == DataFormat::kSpectral) {
        pack.format.setWaveLength(1, 380, 780);
    }
    (target ? pack.targetNumber : pack.sampleNumber) = number;
    pack.name = record.getCommonString();
    pack.data.push_back(std::move(record));
    return pack;
}

}  // namespace

int TavoRX9100::readStoredRecord(bool target, int number, bool checkFinite,
                                 std::optional<DataPack>& pack, bool& invalid) {
    pack.reset();
    invalid = false;
    std::string reply;
    if (readStoredHeader(target, number, reply) != 0) {
        return codes::status::kTransportFailed;  // a read failed: the reading stops
    }
    MeasuringData record(setupStatus);
    if (!reply.empty()) {
        decodeStoredHeader(reply, record);
        record.getData().clear();
        if (const int r = readStoredSpectrum(target, number, record); r != 0) {
            return codes::status::kTransportFailed;
        }
        if (record.getData().size() == static_cast<std::size_t>(kSpectralPoints)) {
            if (checkFinite && !allFinite(record.getData())) {
                invalid = true;
            } else {
                record.setObserver(setupStatus.getObserver());
                if (target) {
                    readTargetName(number, record);
                }
                pack = packOf(std::move(record), DataFormat::kSpectral, target, number);
                return 0;
            }
        }
    }
    if (!target) {
        return 0;
    }
    // A target may be kept as colour values only. Its spectral header cannot tell such a
    // target from an empty number, so the colour request is asked of both: a refusal is
    // "nothing stored", not an error to show once per empty number.
    std::string colour;
    bool hasColour = false;
    {
        ErrorDisplayOff quiet(errorVisible, ErrorDisplayOff::Afterwards::Restore);
        hasColour = readStoredColor(true, number, colour);
    }
    if (!hasColour) {
        return 0;
    }
    MeasuringData values(setupStatus);
    decodeStoredColor(colour, values);
    if (checkFinite && !allFinite(values.getData())) {
        invalid = true;
        return 0;
    }
    values.setObserver(applicationObserver);
    values.setSpeed(0);
    values.setLens(0);
    values.setSync(0);
    values.setIntegralTime(-1.0f);
    values.setMeasurementMethod(0);
    readTargetName(number, values);
    invalid = false;
    pack = packOf(std::move(values), DataFormat::kColorimetric, true, number);
    return 0;
}

int TavoRX9100::readStoredRecords(bool targets, bool checkFinite, StoredRecords& out,
                                  const StoredReadProgress& progress) {
    out.records.clear();
    out.invalid.clear();
    const int first = targets ? protocol::kFirstTarget : protocol::kFirstSample;
    const int last = targets ? protocol::kLastTarget : protocol::kLastSample;
    const int total = last - first + 1;
    if (progress.start) {
        progress.start(1, total);
    }
    for (int n = first; n <= last; ++n) {
        if (progress.cancelled && progress.cancelled()) {
            return codes::status::kRefused;
        }
        if (progress.step) {
            progress.step(n, total);
        }
        std::optional<DataPack> pack;
        bool invalid = false;
        if (const int r = readStoredRecord(targets, n, checkFinite, pack, invalid); r != 0) {
            return r;
        }
        if (pack) {
            out.records.emplace(n, std::move(*pack));
        } else if (invalid) {
            out.invalid.push_back(n);
        }
    }
    if (progress.cancelled && progress.cancelled()) {
        return codes::status::kRefused;
    }
    return 0;
}
