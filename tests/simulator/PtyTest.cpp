// The pseudo-terminal: a terminal-like client talks to the instrument, survives a hang-up.
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>

#include "SimulatorFixture.h"
#include "simulator/PtyServer.h"

namespace rx9100sim::test {
namespace {

// A raw client on the pty's slave side.
class Client {
  public:
    explicit Client(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
        termios tio{};
        if (fd_ >= 0 && ::tcgetattr(fd_, &tio) == 0) {
            ::cfmakeraw(&tio);
            ::tcsetattr(fd_, TCSANOW, &tio);
        }
    }
    ~Client() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool ok() const { return fd_ >= 0; }
    void write(const std::string& bytes) {
        ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // Bytes until `lines` line ends have arrived, or until nothing comes for a second.
    std::string read(int lines, bool* hungUp = nullptr) {
        std::string got;
        while (std::count(got.begin(), got.end(), '\n') < lines) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) {
                break;
            }
            char buffer[4096];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) {
                if (hungUp) {
                    *hungUp = true;
                }
                break;
            }
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

  private:
    int fd_;
};

TEST(Pty, ClientTalksThroughTheLinkAndSurvivesAHangUp) {
    Instrument instrument;
    const std::string link = ::testing::TempDir() + "rx9100sim_pty_link";
    std::string opened;
    std::mutex m;
    PtyServer::Options options{link, [&](const std::string& p) {
                                   std::lock_guard lock(m);
                                   opened = p;
                               }};
    auto server = std::make_unique<PtyServer>(instrument, options);
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), server->path());
    {
        std::lock_guard lock(m);
        EXPECT_EQ(opened, server->path());
    }
    const std::string first = server->path();
    {
        Client client(link);
        ASSERT_TRUE(client.ok());
        client.write("RMTS,1\r\nIDDR\r\n");
        EXPECT_EQ(client.read(2), "OK00\r\nOK00,RX-9100,0,1000001\r\n");
        Fault f = *Fault::parse("VERR:hangup");
        instrument.injectFault(f);
        client.write("VERR\r\n");
        bool hungUp = false;
        const std::string partial = client.read(1, &hungUp);
        EXPECT_TRUE(hungUp);
        EXPECT_EQ(partial, "OK00,");  // half of "OK00,1.10\r\n"
    }
    for (int i = 0; i < 100 && server->reopenCount() == 0; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_EQ(server->reopenCount(), 1);
    EXPECT_EQ(std::filesystem::read_symlink(link).string(), server->path());
    Client again(link);
    ASSERT_TRUE(again.ok());
    again.write("VERR\r\n");
    EXPECT_EQ(again.read(1), "OK00,1.10\r\n");
    (void)first;
    server.reset();
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(link)));
}

// A client that only knows the old path (no link) must never reach another program's
// pty by reopening it after a hang-up: the old number stays taken.
TEST(Pty, AHungUpPathIsNeverHandedToAnotherPty) {
    Instrument instrument;
    PtyServer server(instrument);
    const std::string first = server.path();
    {
        Client client(first);
        ASSERT_TRUE(client.ok());
        instrument.injectFault(*Fault::parse("VERR:hangup"));
        client.write("VERR\r\n");
        bool hungUp = false;
        client.read(1, &hungUp);
        EXPECT_TRUE(hungUp);
    }
    for (int i = 0; i < 100 && server.reopenCount() == 0; ++i) {
        std::this_thread::sleep_for(10ms);
    }
    ASSERT_EQ(server.reopenCount(), 1);
    EXPECT_NE(server.path(), first);
    std::vector<int> others;
    for (int i = 0; i < 4; ++i) {
        const int fd = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        ASSERT_GE(fd, 0);
        others.push_back(fd);
        char name[128];
        ASSERT_EQ(::ptsname_r(fd, name, sizeof name), 0);
        EXPECT_NE(first, name);
    }
    Client stale(first);
    EXPECT_FALSE(stale.ok());
    for (int fd : others) {
        ::close(fd);
    }
}

}  // namespace
}  // namespace rx9100sim::test
