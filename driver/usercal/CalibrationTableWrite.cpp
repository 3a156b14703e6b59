#include "usercal/CalibrationTableWrite.h"

#include "sensor/TavoRX9100.h"

namespace usercal {

int writeCalibrationTable(TavoRX9100& driver, protocol::ChannelTable table, int ch,
                          const std::string& id, const std::array<double, 401>& entries) {
    std::string reply;
    for (int i = 0; i < static_cast<int>(entries.size()); ++i) {
        const std::string command =
            protocol::channelEntryWriteCommand(table, ch, i, entries[static_cast<std::size_t>(i)]);
        if (const int r =
                driver.doCommunication(command, reply, protocol::kChannelWriteTimeout, true);
            r != 0) {
            return r;
        }
    }
    if (const int r = driver.doCommunication(protocol::channelFileIdCommand(ch, id), reply,
                                             protocol::kChannelWriteTimeout, true);
        r != 0) {
        return r;
    }
    return driver.doCommunication(protocol::kChannelStore, reply, protocol::kChannelWriteTimeout,
                                  true);
}

}  // namespace usercal
