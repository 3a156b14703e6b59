#pragma once
// Remote mode and identification of the instrument, through whichever exchanger the
// caller hands over.
#include "link/Exchanger.h"
#include "link/LineExchange.h"
#include "outside/PortwayEx.h"
#include "sensor/InstrumentId.h"

class ConnectionLink {
  public:
    ConnectionLink(Exchanger& exchanger, HostConnection& connection, InstrumentId& id);

    // 1 enters remote mode, 0 returns to local mode (with the wait the caller set up).
    [[nodiscard]] int setRemoteMode(int mode);
    // Model, body number and ROM version into the instrument id.
    [[nodiscard]] int readIdentity();

    // "RMTS,0" over the bare line (no recovery: "ER00" means local already). After a fault
    // the line can be a reply behind; the late replies are read past, so the instrument is
    // known to have taken the command before anything closes the port.
    [[nodiscard]] static int leaveRemoteMode(LineExchange& line, int timeout);

  private:
    Exchanger& exchanger_;
    HostConnection& connection_;
    InstrumentId& id_;
};
