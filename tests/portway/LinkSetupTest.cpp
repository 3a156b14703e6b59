// Port names, TCP serial servers and the settings prompt.
#include <arpa/inet.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "FakeInstrument.h"
#include "outside/PortwayEx.h"
#include "portway/PortName.h"
#include "portway/PortSettingsPrompt.h"

using portway::Endpoint;
using portway::resolvePortName;

namespace {

std::string roundTrip(SerialPort& port, const std::string& command) {
    const std::string line = command + "\r\n";
    port.setTimeout(3);
    port.sendString(line.c_str(), static_cast<int>(line.size()));
    std::string reply;
    port.recvString(reply);
    return reply;
}

// A loopback listener on a free port; returns the socket and the port number.
std::pair<int, int> listenOnLoopback() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), size);
    ::listen(fd, 1);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
    return {fd, ntohs(address.sin_port)};
}

}  // namespace

TEST(PortName, ComNamesMapByMethodAndOtherNamesStandAsTheyAre) {
    EXPECT_EQ(resolvePortName("COM1", 3).device, "/dev/ttyACM0");
    EXPECT_EQ(resolvePortName("com3", 3).device, "/dev/ttyACM2");
    EXPECT_EQ(resolvePortName("COM1", 2).device, "/dev/ttyS0");
    EXPECT_EQ(resolvePortName("COM12", 2).device, "/dev/ttyS11");
    EXPECT_EQ(resolvePortName("/dev/ttyUSB0", 2).device, "/dev/ttyUSB0");
    EXPECT_EQ(resolvePortName("COM0", 2).device, "COM0");
    EXPECT_EQ(resolvePortName("COM2", 1).device, "/dev/ttyACM1");

    const Endpoint tcp = resolvePortName("tcp:instrument.lab:2001", 3);
    EXPECT_EQ(tcp.kind, Endpoint::Kind::Tcp);
    EXPECT_EQ(tcp.host, "instrument.lab");
    EXPECT_EQ(tcp.service, "2001");
    EXPECT_EQ(resolvePortName("tcp:[::1]:7000", 3).host, "::1");
    EXPECT_THROW(resolvePortName("tcp:nohost", 3), SerialPortException);
    EXPECT_THROW(resolvePortName("", 3), SerialPortException);
}

TEST(TcpLink, ExchangesLinesAndNoticesThePeerClosing) {
    const auto [listener, portNumber] = listenOnLoopback();
    std::thread server([listener = listener] {
        const int peer = ::accept(listener, nullptr, nullptr);
        char buffer[64];
        const auto n = ::read(peer, buffer, sizeof buffer);
        if (std::string(buffer, n > 0 ? n : 0) == "IDDR\r\n") {
            [[maybe_unused]] auto w = ::write(peer, "OK00,RX-9100,1\r\n", 16);
        }
        [[maybe_unused]] auto r = ::read(peer, buffer, sizeof buffer);
        ::close(peer);
    });
    SerialPort port(false, true);
    port.setPortName("tcp:127.0.0.1:" + std::to_string(portNumber));
    port.open();
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,1");
    EXPECT_THROW(roundTrip(port, "STSR"), SerialPortException);  // server closes instead
    EXPECT_FALSE(port.isOpen());
    server.join();
    ::close(listener);

    // Nobody listens any more: the failure names the port.
    try {
        port.open();
        ADD_FAILURE() << "connected to a closed port";
    } catch (const SerialPortException& e) {
        EXPECT_NE(std::string(e.what()).find(std::to_string(portNumber)), std::string::npos);
    }
}

TEST(TcpLink, IdentifiesTheInstrumentThroughSer2net) {
    const char* ser2net = "/usr/sbin/ser2net";
    if (::access(ser2net, X_OK) != 0) {
        GTEST_SKIP() << "ser2net is not installed";
    }
    portway_test::FakeInstrument instrument([](const std::string& command) {
        return command == "IDDR" ? std::string("OK00,RX-9100,42\r\n") : std::string();
    });
    const auto [probe, portNumber] = listenOnLoopback();
    ::close(probe);
    const auto dir =
        std::filesystem::temp_directory_path() / ("portway-ser2net-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "ser2net.yaml")
        << "connection: &rx\n  accepter: tcp,127.0.0.1," << portNumber
        << "\n  connector: serialdev," << instrument.path() << ",38400n81,local\n";
    const std::string config = (dir / "ser2net.yaml").string();
    const std::string pidFile = (dir / "ser2net.pid").string();
    const char* argv[] = {ser2net,         "-n",   "-u", "-c", config.c_str(), "-P",
                          pidFile.c_str(), nullptr};
    posix_spawn_file_actions_t quiet;
    ::posix_spawn_file_actions_init(&quiet);
    ::posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_adddup2(&quiet, 1, 2);
    pid_t pid = 0;
    const int spawned =
        ::posix_spawn(&pid, ser2net, &quiet, nullptr, const_cast<char**>(argv), environ);
    ::posix_spawn_file_actions_destroy(&quiet);
    ASSERT_EQ(spawned, 0);

    SerialPort port(false, true);
    port.setPortName("tcp:127.0.0.1:" + std::to_string(portNumber));
    // ser2net needs a moment before it listens.
    for (int attempt = 0; attempt < 50 && !port.isOpen(); ++attempt) {
        try {
            port.open();
        } catch (const SerialPortException&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    ASSERT_TRUE(port.isOpen());
    EXPECT_EQ(roundTrip(port, "IDDR"), "OK00,RX-9100,42");
    port.close();
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
    std::filesystem::remove_all(dir);
}

namespace {

class FixedAnswer : public portway::PortSettingsPrompt {
  public:
    explicit FixedAnswer(std::optional<portway::PortSettings> answer) : answer_(answer) {}
    std::optional<portway::PortSettings> ask(platform::WindowHandle,
                                             const portway::PortChoices& choices,
                                             const portway::PortSettings&) override {
        offered = choices;
        return answer_;
    }
    portway::PortChoices offered;

  private:
    std::optional<portway::PortSettings> answer_;
};

}  // namespace

TEST(PortSettingsPrompt, SettingsChangeOnlyWhenAccepted) {
    SerialPort port(false, true);
    port.setAvailableMethod(3);
    port.setAvailableBaudRate(38400);
    port.setPortName("COM1");
    port.setBaudRate(38400);

    portway::PortSettings wanted{2, "/dev/ttyUSB0", 9600, 8, 0, 0};
    auto accept = std::make_shared<FixedAnswer>(wanted);
    portway::setPortSettingsPrompt(accept);
    EXPECT_NE(port.setupPort(nullptr, 0), 0);
    EXPECT_EQ(port.getPortName(), "/dev/ttyUSB0");
    EXPECT_EQ(port.getBaudRate(), 9600);
    EXPECT_EQ(port.getMethod(), 2);
    EXPECT_EQ(accept->offered.methods, (std::vector<int>{2, 3}));
    EXPECT_EQ(accept->offered.baudRates.back(), 38400);

    portway::setPortSettingsPrompt(std::make_shared<FixedAnswer>(std::nullopt));
    EXPECT_EQ(port.setupPort(nullptr, 0), 0);
    EXPECT_EQ(port.getPortName(), "/dev/ttyUSB0");
    portway::setPortSettingsPrompt(nullptr);
}

TEST(PortSettingsPrompt, ConsoleAsksOnlyOnATerminal) {
    portway::PortChoices choices;
    choices.ports = {{"/dev/ttyACM0", "RX-9100", true, 0x1234, 0xabcd}};
    choices.methods = {2, 3};
    choices.baudRates = {9600, 38400};
    const portway::PortSettings current;

    std::istringstream answers("2\n1\n9600\ny\n");
    std::ostringstream shown;
    const auto accepted =
        portway::ConsolePortSettingsPrompt(answers, shown, true).ask(nullptr, choices, current);
    ASSERT_TRUE(accepted);
    EXPECT_EQ(accepted->method, 2);
    EXPECT_EQ(accepted->portName, "/dev/ttyACM0");
    EXPECT_EQ(accepted->baudRate, 9600);
    EXPECT_NE(shown.str().find("/dev/ttyACM0  RX-9100 (USB 1234:ABCD)"), std::string::npos);

    std::istringstream declined("\n\n\nn\n");
    EXPECT_FALSE(
        portway::ConsolePortSettingsPrompt(declined, shown, true).ask(nullptr, choices, current));
    std::istringstream ignored("2\n1\n9600\ny\n");
    EXPECT_FALSE(
        portway::ConsolePortSettingsPrompt(ignored, shown, false).ask(nullptr, choices, current));
}
