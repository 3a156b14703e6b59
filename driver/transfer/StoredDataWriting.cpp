// Writing a reference colour into a target number, choosing the active target, and
// deleting stored targets and samples.
#include "link/HexNumbers.h"
#include "link/StoredDataProtocol.h"
#include "platform/UiServices.h"
#include "sensor/ResultCodes.h"
#include "sensor/TavoRX9100.h"

bool TavoRX9100::targetWritable(const DataPack& reference) {
    if (reference.data.empty()) {
        return false;
    }
    const std::vector<double>& values = reference.data.front().getData();
    if (reference.format.getType() == DataFormat::kSpectral) {
        return values.size() == static_cast<std::size_t>(kSpectralPoints);
    }
    if (values.size() != 3) {
        return false;
    }
    for (double v : values) {
        // Written in eight characters: a value must fit, and never be NaN.
        if (!(v < protocol::kTargetValueLimit)) {
            return false;
        }
    }
    return true;
}

int TavoRX9100::writeTarget(int number, const DataPack& reference, const std::string& name) {
    if (number < protocol::kFirstTarget || number > protocol::kLastTarget ||
        !targetWritable(reference)) {
        return codes::status::kRefused;
    }
    const std::vector<double>& values = reference.data.front().getData();
    std::string reply;
    if (reference.format.getType() == DataFormat::kSpectral) {
        for (int i = 0; i < kSpectralPoints; ++i) {
            int r = 0;
            {
                platform::WaitCursor wait;
                r = doCommunication(
                    protocol::targetPointCommand(number, i, hexnum::doubleToHex(values[i])), reply,
                    protocol::kTargetWriteTimeout, true);
            }
            if (r != 0) {
                return r;  // the points already written stay written
            }
        }
    } else {
        platform::WaitCursor wait;
        const int r =
            doCommunication(protocol::targetColorCommand(number, applicationObserver,
                                                         {values[0], values[1], values[2]}),
                            reply, protocol::kTargetWriteTimeout, true);
        if (r != 0) {
            return r;
        }
    }
    // The name is part of the write; its result does not undo the values.
    platform::WaitCursor wait;
    (void)doCommunication(protocol::targetNameCommand(number, name), reply,
                          protocol::kTargetWriteTimeout, true);
    return 0;
}

int TavoRX9100::checkActiveTarget() {
    std::string reply;
    const int r =
        doCommunication(protocol::kActiveTargetQuery, reply, protocol::kActiveTargetTimeout, true);
    if (r != 0) {
        return r;
    }
    const auto number = protocol::parseActiveTarget(reply);
    if (!number) {
        return dataNotReceived();
    }
    activeTarget = *number;
    return 0;
}

int TavoRX9100::setActiveTarget(int number) {
    std::string reply;
    return doCommunication(protocol::selectTargetCommand(number), reply,
                           protocol::kActiveTargetTimeout, true);
}

int TavoRX9100::clearAllData(bool samples) {
    std::string reply;
    return doCommunication(protocol::deleteAllCommand(samples), reply, protocol::kDeleteTimeout,
                           true);
}

int TavoRX9100::deleteStoredRecords(bool targets, const std::vector<int>& numbers) {
    for (int n : numbers) {
        std::string reply;
        int r = 0;
        {
            platform::WaitCursor wait;
            r = doCommunication(protocol::deleteRecordCommand(targets, n), reply,
                                protocol::kDeleteTimeout, true);
        }
        if (r != 0) {
            return r;  // the records before it are deleted, the rest are kept
        }
    }
    return 0;
}
