#include "sensor/RegistryStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
constexpr const char* kApp = "QV-L40w";
constexpr const char* kSection = "RX-9100";

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/rx9100-store-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        ::chmod(root_.c_str(), 0755);  // The read-only case runs as another user.
        folder_ = root_ + "/store";
        RegistryStore::setStoreFolder(folder_);
    }
    void TearDown() override {
        RegistryStore::setStoreFolder("");
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }
    std::string file() const { return folder_ + "/" + kApp + ".toml"; }
    void writeText(const std::string& path, const std::string& text) {
        std::ofstream(path, std::ios::trunc) << text;
    }
    static int waitExit(pid_t pid) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string root_, folder_;
};

TEST_F(RegistryStoreTest, MissingKeyIsCreatedAndValuesKeepTheirTypes) {
    RegistryStore store;
    ASSERT_TRUE(store.open(kApp));
    EXPECT_EQ(store.access(), RegistryStore::Access::ReadWrite);
    EXPECT_EQ(store.path(), file());
    EXPECT_TRUE(fs::exists(file()));
    EXPECT_EQ(store.readInt(kSection, "MeasurementBaudrate", 38400), 38400);

    EXPECT_TRUE(store.writeString(kSection, "MeasurementCOM", "/dev/ttyUSB0"));
    EXPECT_TRUE(store.writeInt(kSection, "MeasurementBaudrate", 9600));
    EXPECT_TRUE(store.writeString(kSection, "WCSFilePath", "/home/測定/白.wcs"));
    EXPECT_TRUE(store.writeInt("Common", "ColorSpace", -5));

    RegistryStore other;
    ASSERT_TRUE(other.open(kApp));
    char port[30];
    other.readString(kSection, "MeasurementCOM", "COM1", port, sizeof port);
    EXPECT_STREQ(port, "/dev/ttyUSB0");
    EXPECT_EQ(other.readInt(kSection, "MeasurementBaudrate", 38400), 9600);
    EXPECT_EQ(other.readString(kSection, "WCSFilePath", "", 256), "/home/測定/白.wcs");
    EXPECT_EQ(other.readInt("Common", "ColorSpace", 1300), -5);
    // A value of the other type, or under the other section, is not found.
    EXPECT_EQ(other.readInt(kSection, "MeasurementCOM", 7), 7);
    EXPECT_EQ(other.readString(kSection, "MeasurementBaudrate", "x", 30), "x");
    EXPECT_EQ(other.readInt("Common", "MeasurementBaudrate", 1), 1);

    // Every read sees what another program wrote since; a number beyond 32 bits is no int.
    writeText(file(), "[RX-9100]\nMeasurementBaudrate = 19200\nWCUOnOff = 4294967296\n");
    EXPECT_EQ(other.readInt(kSection, "MeasurementBaudrate", 38400), 19200);
    EXPECT_EQ(other.readInt(kSection, "WCUOnOff", 0), 0);
}

TEST_F(RegistryStoreTest, ValueLargerThanItsBufferReadsAsDefault) {
    RegistryStore store;
    ASSERT_TRUE(store.open(kApp));
    char port[30];
    ASSERT_TRUE(store.writeString(kSection, "MeasurementCOM", std::string(29, 'A')));
    store.readString(kSection, "MeasurementCOM", "COM1", port, sizeof port);
    EXPECT_EQ(std::string(port), std::string(29, 'A'));
    ASSERT_TRUE(store.writeString(kSection, "MeasurementCOM", std::string(30, 'A')));
    store.readString(kSection, "MeasurementCOM", "COM1", port, sizeof port);
    EXPECT_STREQ(port, "COM1");
    EXPECT_EQ(store.readString(kSection, "MeasurementCOM", "COM1", 31), std::string(30, 'A'));

    ASSERT_TRUE(store.writeString(kSection, "WCUFilePath", "/" + std::string(255, 'p')));
    EXPECT_EQ(store.readString(kSection, "WCUFilePath", "", 256), "");
    char tiny[4];  // Only a default can be too long; it is cut, never overrun.
    store.readString(kSection, "Missing", "COM12", tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "COM");
}

TEST_F(RegistryStoreTest, DamagedFileReadsDefaultsAndIsReplacedKeepingACopy) {
    RegistryStore store;
    ASSERT_TRUE(store.open(kApp));
    writeText(file(), "[RX-9100\nMeasurementBaudrate = 9600\n");
    EXPECT_EQ(store.readInt(kSection, "MeasurementBaudrate", 38400), 38400);
    EXPECT_TRUE(store.writeInt(kSection, "WCUOnOff", 1));
    EXPECT_EQ(store.readInt(kSection, "WCUOnOff", 0), 1);
    std::ifstream backup(file() + ".bad");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(backup), {}),
              "[RX-9100\nMeasurementBaudrate = 9600\n");
    // Bytes that are not UTF-8 would read back changed: refused, file untouched.
    EXPECT_FALSE(store.writeString(kSection, "WCSFilePath", "C:\\\x91\xaa\\w.wcs"));
    EXPECT_EQ(store.readInt(kSection, "WCUOnOff", 0), 1);
}

TEST_F(RegistryStoreTest, ReadOnlyKeyIsReadAndMissingKeyGivesDefaults) {
    {
        RegistryStore store;
        ASSERT_TRUE(store.open(kApp));
        ASSERT_TRUE(store.writeInt(kSection, "MeasurementBaudrate", 9600));
    }
    ::chmod(file().c_str(), 0444);
    ::chmod(folder_.c_str(), 0555);
    // Permission bits do not bind root, so the checks run as an unprivileged user.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                _exit(10);
            }
            RegistryStore readOnly;
            if (!readOnly.open(kApp) || readOnly.access() != RegistryStore::Access::ReadOnly) {
                _exit(11);
            }
            if (readOnly.readInt(kSection, "MeasurementBaudrate", 38400) != 9600 ||
                readOnly.writeInt(kSection, "MeasurementBaudrate", 4800)) {
                _exit(12);
            }
            RegistryStore::setStoreFolder(folder_ + "/cannot-be-created");
            RegistryStore none;
            if (none.open(kApp) || none.access() != RegistryStore::Access::None ||
                none.readString(kSection, "MeasurementCOM", "COM1", 30) != "COM1" ||
                none.writeString(kSection, "MeasurementCOM", "COM4")) {
                _exit(13);
            }
            _exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    RegistryStore store;
    ASSERT_TRUE(store.open(kApp));
    EXPECT_EQ(store.readInt(kSection, "MeasurementBaudrate", 38400), 9600);
}

TEST_F(RegistryStoreTest, ConcurrentWritersLoseNoUpdate) {
    constexpr int kCount = 200;
    auto startWriter = [](const std::string& prefix) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            RegistryStore store;
            bool ok = store.open(kApp);
            for (int i = 0; i < kCount; ++i) {
                ok = store.writeInt(kSection, prefix + std::to_string(i), i) && ok;
            }
            _exit(ok ? 0 : 1);
        }
        return pid;
    };
    const pid_t first = startWriter("A");
    const pid_t second = startWriter("B");
    EXPECT_EQ(waitExit(first), 0);
    EXPECT_EQ(waitExit(second), 0);
    RegistryStore store;
    ASSERT_TRUE(store.open(kApp));
    for (int i = 0; i < kCount; ++i) {
        EXPECT_EQ(store.readInt(kSection, "A" + std::to_string(i), -1), i);
        EXPECT_EQ(store.readInt(kSection, "B" + std::to_string(i), -1), i);
    }
}

TEST_F(RegistryStoreTest, WriterKilledMidWriteLeavesOldOrNewValues) {
    // Each round writes round * kNames + i to name i in order, so after a kill
    // the names must read as a run of the new round followed by the old one.
    constexpr int kNames = 40;
    auto name = [](int i) { return "N" + std::to_string(i); };
    RegistryStore store;
    ASSERT_TRUE(store.open(kApp));
    std::mt19937 random(std::random_device{}());
    int round = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        for (int i = 0; i < kNames; ++i) {
            ASSERT_TRUE(store.writeInt(kSection, name(i), round * kNames + i));
        }
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = ::fork();
        if (pid == 0) {
            RegistryStore writer;
            writer.open(kApp);
            [[maybe_unused]] auto sent = ::write(ready[1], "x", 1);
            for (int r = round + 1;; ++r) {
                for (int i = 0; i < kNames; ++i) {
                    writer.writeInt(kSection, name(i), r * kNames + i);
                }
            }
        }
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::close(ready[0]);
        ::close(ready[1]);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);

        std::vector<int> rounds;
        for (int i = 0; i < kNames; ++i) {
            const int value = store.readInt(kSection, name(i), -1);
            ASSERT_GE(value, 0) << "name " << i << " lost (file unreadable?)";
            ASSERT_EQ(value % kNames, i);
            rounds.push_back(value / kNames);
        }
        EXPECT_TRUE(std::is_sorted(rounds.rbegin(), rounds.rend()));
        EXPECT_LE(rounds.front() - rounds.back(), 1);
        round = rounds.front();
    }
}

}  // namespace
