// Line exchange, cancel and faults of SerialPort against a pty instrument.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>

#include "FakeInstrument.h"
#include "outside/PortwayEx.h"

using portway_test::FakeInstrument;

namespace {

std::string echoReply(const std::string& command) {
    if (command == "IDDR") {
        return "OK00,RX-9100,12345\r\n";
    }
    if (command == "MEAS,1") {  // measuring time, then the completion line
        return "OK00,0.50\r\nOK00\r\n";
    }
    if (command == "SILENT") {
        return "";
    }
    if (command == "NOISE") {
        return std::string("\0\xff\x13\r\n", 5) + "\x07OK00,N\r\n";
    }
    if (command == "LONG") {
        return std::string(5000, 'A') + "\r\nOK00,after\r\n";
    }
    return "OK00," + command + "\r\n";
}

void openOn(SerialPort& port, const std::string& path) {
    port.setMethod(3);
    port.setPortName(path);
    port.open();
}

std::string roundTrip(SerialPort& port, const std::string& command, int timeout = 3) {
    const std::string line = command + "\r\n";
    port.setTimeout(timeout);
    port.sendString(line.c_str(), static_cast<int>(line.size()));
    std::string reply;
    port.recvString(reply);
    return reply;
}

std::string openFailure(SerialPort& port) {
    try {
        port.open();
    } catch (const SerialPortException& e) {
        return e.what();
    }
    return "opened";
}

}  // namespace

TEST(SerialPortExchange, RepliesComeBackAsLinesWithoutTerminator) {
    FakeInstrument instrument(echoReply);
    SerialPort port(false, true);
    openOn(port, instrument.path());
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");
    for (int i = 0; i < 50; ++i) {
        EXPECT_EQ(roundTrip(port, "UCPR,0,01," + std::to_string(i)),
                  "OK00,UCPR,0,01," + std::to_string(i));
    }
    // A second line that arrived with the first is kept for the next receive.
    EXPECT_EQ(roundTrip(port, "MEAS,1"), "OK00,0.50");
    std::string completion;
    port.recvString(completion);
    EXPECT_EQ(completion, "OK00");
}

TEST(SerialPortExchange, StaleNoiseAndOverlongLinesDoNotPoisonTheNextReply) {
    FakeInstrument instrument(echoReply);
    SerialPort port(false, true);
    openOn(port, instrument.path());

    // An answer that was never collected is dropped when the next command goes out.
    EXPECT_EQ(roundTrip(port, "MEAS,1"), "OK00,0.50");
    instrument.inject("OK00,stale\r\n");
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");

    // Control bytes and bytes above ASCII are line noise; empty lines are skipped.
    EXPECT_EQ(roundTrip(port, "NOISE"), "OK00,N");

    EXPECT_THROW(roundTrip(port, "LONG"), SerialPortException);
    EXPECT_TRUE(port.isOpen());
    std::string rest;
    port.recvString(rest);
    EXPECT_EQ(rest, "OK00,after");
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");
}

TEST(SerialPortExchange, MissingReplyTimesOutAndLeavesThePortUsable) {
    FakeInstrument instrument(echoReply);
    SerialPort port(false, true);
    openOn(port, instrument.path());
    port.setTimeout(1);
    EXPECT_EQ(port.getTimeout(), 1);
    EXPECT_THROW(roundTrip(port, "SILENT", 1), SerialPortException);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");
}

TEST(SerialPortCancel, WakesAWaitingReceiveAndClearsAtTheNextSend) {
    FakeInstrument instrument(echoReply);
    SerialPort port(false, true);
    openOn(port, instrument.path());
    EXPECT_FALSE(port.isCanceled());

    const auto started = std::chrono::steady_clock::now();
    auto waiting = std::async(std::launch::async, [&] { return roundTrip(port, "SILENT", 20); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    port.cancel();
    EXPECT_THROW(waiting.get(), SerialPortException);
    // Far below the 20 s limit: the receive gave up because of the cancel.
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
    EXPECT_TRUE(port.isCanceled());

    // Until a new exchange starts, the request stands (the receive loop sees it).
    std::string line;
    EXPECT_THROW(port.recvString(line), SerialPortException);
    EXPECT_TRUE(port.isCanceled());

    // The next session starts with a send and works.
    EXPECT_EQ(roundTrip(port, "MSWE,1"), "OK00,MSWE,1");
    EXPECT_FALSE(port.isCanceled());
    port.cancel();
    port.cancel();  // raising twice is harmless
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");
}

TEST(SerialPortFaults, HangUpClosesThePortAndTheNextOpenFindsTheDeviceAgain) {
    // The settings name a stable link, as /dev/serial/by-id does for a USB device.
    const auto link =
        std::filesystem::temp_directory_path() / ("portway-test-" + std::to_string(::getpid()));
    std::filesystem::remove(link);
    auto first = std::make_unique<FakeInstrument>(echoReply);
    std::filesystem::create_symlink(first->path(), link);

    SerialPort port(false, true);
    openOn(port, link.string());
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");

    auto waiting = std::async(std::launch::async, [&] { return roundTrip(port, "SILENT", 20); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    first->hangUp();
    EXPECT_THROW(waiting.get(), SerialPortException);
    EXPECT_FALSE(port.isOpen());
    EXPECT_THROW(roundTrip(port, "IDDR"), SerialPortException);

    first.reset();
    EXPECT_NE(openFailure(port).find(link.string()), std::string::npos);

    FakeInstrument second(echoReply);
    std::filesystem::remove(link);
    std::filesystem::create_symlink(second.path(), link);
    port.open();
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");

    // A hang-up between exchanges is noticed before the command goes out.
    second.hangUp();
    EXPECT_THROW(roundTrip(port, "IDDR"), SerialPortException);
    EXPECT_FALSE(port.isOpen());
    std::filesystem::remove(link);
}

TEST(SerialPortFaults, OpenFailuresNameThePort) {
    SerialPort port(false, true);
    port.setMethod(2);
    port.setPortName("/dev/ttyNoSuchPort7");
    EXPECT_NE(openFailure(port).find("/dev/ttyNoSuchPort7"), std::string::npos);
    port.setPortName("COM250");
    EXPECT_NE(openFailure(port).find("COM250 (/dev/ttyS249)"), std::string::npos);
    EXPECT_FALSE(port.isOpen());

    FakeInstrument instrument(echoReply);
    SerialPort owner(false, true);
    openOn(owner, instrument.path());
    port.setPortName(instrument.path());
    const auto busy = openFailure(port);
    EXPECT_NE(busy.find(instrument.path()), std::string::npos);
    EXPECT_NE(busy.find("in use"), std::string::npos);

    owner.close();
    port.setBaudRate(12345);
    EXPECT_NE(openFailure(port).find("12345"), std::string::npos);
    port.setBaudRate(38400);
    port.setStopBits(1);  // one and a half: not available on Linux
    EXPECT_NE(openFailure(port).find(instrument.path()), std::string::npos);
    port.setStopBits(0);
    port.open();
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,12345");

    port.close();
    std::string line;
    EXPECT_THROW(port.recvString(line), SerialPortException);
    EXPECT_THROW(port.sendString("IDDR\r\n", 6), SerialPortException);
}
