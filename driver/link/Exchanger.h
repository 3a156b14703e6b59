#pragma once
// What the protocol code sends its commands through: the driver's exchange, which
// recovers an instrument that left remote mode, or the bare line exchange.
#include <string>

class Exchanger {
  public:
    virtual ~Exchanger() = default;
    // Sends the command line and takes the reply line into reply. Returns 0, 10 when the
    // instrument or the driver refused, -10 when the transport failed (codes::status).
    // expectOk: the reply must begin "OK"; otherwise only an "ER" reply is a refusal.
    [[nodiscard]] virtual int exchange(const std::string& command, std::string& reply, int timeout,
                                       bool expectOk) = 0;
};
