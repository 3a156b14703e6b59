#include "sensor/RegistryStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "platform/ScriptedUiServices.h"
#include "sensor/RegistryPrescan.h"

namespace {

namespace fs = std::filesystem;
constexpr const char* kApp = "QV-L40w";
constexpr const char* kSec = "RX-9100";

class RegistryStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/rx9100-store-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        root_ = pattern;
        ::chmod(root_.c_str(), 0755);  // The read-only case runs as another user.
        folder_ = root_ + "/store";
        RegistryStore::setStoreFolder(folder_);
        ASSERT_TRUE(store_.open(kApp));
    }
    void TearDown() override {
        RegistryStore::setStoreFolder("");
        std::error_code ignored;
        fs::permissions(folder_, fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(root_, ignored);
    }
    std::string file() const { return folder_ + "/" + kApp + ".toml"; }
    void writeText(const std::string& text) { std::ofstream(file(), std::ios::trunc) << text; }

    std::string root_, folder_;
    RegistryStore store_;
};

TEST_F(RegistryStoreTest, MissingKeyIsCreatedAndValuesKeepTheirTypes) {
    EXPECT_EQ(store_.access(), RegistryStore::Access::ReadWrite);
    EXPECT_TRUE(fs::exists(store_.path()) && store_.path() == file());
    EXPECT_EQ(store_.readInt(kSec, "MeasurementBaudrate", 38400), 38400);
    EXPECT_TRUE(store_.writeString(kSec, "MeasurementCOM", "/dev/ttyUSB0"));
    EXPECT_TRUE(store_.writeInt(kSec, "MeasurementBaudrate", 9600));
    EXPECT_TRUE(store_.writeString(kSec, "WCSFilePath", "/home/測定/白.wcs"));
    EXPECT_TRUE(store_.writeInt("Common", "ColorSpace", -5));

    RegistryStore other;
    ASSERT_TRUE(other.open(kApp));
    char port[30];
    other.readString(kSec, "MeasurementCOM", "COM1", port, sizeof port);
    EXPECT_STREQ(port, "/dev/ttyUSB0");
    EXPECT_EQ(other.readInt(kSec, "MeasurementBaudrate", 38400), 9600);
    EXPECT_EQ(other.readString(kSec, "WCSFilePath", "", 256), "/home/測定/白.wcs");
    EXPECT_EQ(other.readInt("Common", "ColorSpace", 1300), -5);
    // A value of the other type, or under the other section, is not found.
    EXPECT_EQ(other.readInt(kSec, "MeasurementCOM", 7), 7);
    EXPECT_EQ(other.readString(kSec, "MeasurementBaudrate", "x", 30), "x");
    EXPECT_EQ(other.readInt("Common", "MeasurementBaudrate", 1), 1);

    // Every read sees what another program wrote since; a number beyond 32 bits is no int.
    writeText("[RX-9100]\nMeasurementBaudrate = 19200\nWCUOnOff = 4294967296\n");
    EXPECT_EQ(other.readInt(kSec, "MeasurementBaudrate", 38400), 19200);
    EXPECT_EQ(other.readInt(kSec, "WCUOnOff", 0), 0);
}

TEST_F(RegistryStoreTest, ValueLargerThanItsBufferReadsAsDefault) {
    char port[30];
    ASSERT_TRUE(store_.writeString(kSec, "MeasurementCOM", std::string(29, 'A')));
    store_.readString(kSec, "MeasurementCOM", "COM1", port, sizeof port);
    EXPECT_EQ(std::string(port), std::string(29, 'A'));
    ASSERT_TRUE(store_.writeString(kSec, "MeasurementCOM", std::string(30, 'A')));
    store_.readString(kSec, "MeasurementCOM", "COM1", port, sizeof port);
    EXPECT_STREQ(port, "COM1");
    ASSERT_TRUE(store_.writeString(kSec, "WCUFilePath", "/" + std::string(255, 'p')));
    EXPECT_EQ(store_.readString(kSec, "WCUFilePath", "", 256), "");
    char tiny[4];  // Only a default can be too long; it is cut, never overrun.
    store_.readString(kSec, "Missing", "COM12", tiny, sizeof tiny);
    EXPECT_STREQ(tiny, "COM");
}

std::string repeated(const std::string& part, std::size_t times) {
    std::string text;
    for (std::size_t i = 0; i < times; ++i) {
        text += part;
    }
    return text;
}

std::string contentOf(const fs::path& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(RegistryStoreTest, HugeOrDeeplyNestedFilesAreRefusedBeforeParsing) {
    struct Case {
        std::string name;
        std::string text;
        std::string reason;
    };
    const std::vector<Case> refused{
        {"100 KB of one table header", "[" + repeated("a.", 50000) + "a]\n", "larger than"},
        {"a deep header", "[" + repeated("a.", 5000) + "a]\n", "nested deeper"},
        {"a deep dotted key", repeated("a.", 5000) + "a = 1\n", "nested deeper"},
        {"deep arrays", "a = " + repeated("[", 5000) + repeated("]", 5000) + "\n", "nested deeper"},
        {"deep inline tables", "a = " + repeated("{a = ", 3000) + "1" + repeated("}", 3000) + "\n",
         "nested deeper"},
        {"a flat but huge file", "[RX-9100]\n" + repeated("# padding\n", 7000) + "WCUOnOff = 1\n",
         "larger than"},
        // The parser's whitespace check fails on many letters beyond ASCII.
        {"a Latin letter as a key", "[RX-9100]\n\xc3\xa9 = 1\nWCUOnOff = 1\n", "outside ASCII"},
        {"a letter after a value", "[RX-9100]\nWCUOnOff = 1 \xd0\x96\n", "outside ASCII"},
        {"a letter after a stray quote", "[RX-9100]\nWCUOnOff = 1\"\xcd\x8bw\"\n", "outside ASCII"},
        {"kana in a string", "[RX-9100]\nWCSFilePath = \"\xe3\x81\x82.wcs\"\n", "outside ASCII"},
    };
    for (const Case& c : refused) {
        SCOPED_TRACE(c.name);
        writeText(c.text);
        // The parser would run out of stack on some of these: each runs in a process of its own.
        EXPECT_EXIT(
            {
                auto ui = std::make_shared<platform::ScriptedUiServices>();
                platform::setUiServices(ui);
                RegistryStore store;
                const bool defaults = store.open(kApp) && store.readInt(kSec, "WCUOnOff", 7) == 7 &&
                                      store.readString(kSec, "WCSFilePath", "d", 256) == "d";
                const bool kept = !store.addIntIfMissing(kSec, "WCUOnOff", 0);
                const auto boxes = ui->messageBoxes();
                const bool toldOnce = boxes.size() == 1 &&
                                      boxes[0].text.find(c.reason) != std::string::npos &&
                                      boxes[0].text.find(file()) != std::string::npos;
                _exit(defaults ? (kept ? (toldOnce ? 0 : 12) : 11) : 10);
            },
            ::testing::ExitedWithCode(0), "");
        EXPECT_TRUE(contentOf(file()) == c.text);  // not written back over
    }
    // At the limit, and brackets and dots in strings and comments do not count.
    const std::string deepest = "[" + repeated("a.", registry::kMaxNesting - 2) + "a]\nk = 5\n";
    EXPECT_EQ(registry::nestingDepth(deepest), registry::kMaxNesting);
    writeText("[RX-9100]\nWCSFilePath = \"" + repeated("[a.", 80) + "\" # " +
              repeated("{a.", 1000) + "\nWCUFilePath = '''\n" + repeated("[[a.a", 500) +
              "'''\nWCUOnOff = 1\n");
    EXPECT_EQ(store_.readInt(kSec, "WCUOnOff", 0), 1);
    EXPECT_EQ(store_.readString(kSec, "WCSFilePath", "", 256), repeated("[a.", 80));
}

std::vector<fs::path> keptCopies(const std::string& folder) {
    std::vector<fs::path> copies;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().filename().string().starts_with(std::string(kApp) + ".toml.bad-")) {
            copies.push_back(entry.path());
        }
    }
    return copies;
}

TEST_F(RegistryStoreTest, DamagedFileIsToldOnceAndKeptUnderANameOfItsOwnWhenASettingChanges) {
    auto ui = std::make_shared<platform::ScriptedUiServices>();
    platform::setUiServices(ui);
    const std::string damaged = "[RX-9100\nMeasurementBaudrate = 9600\n";
    writeText(damaged);
    EXPECT_EQ(store_.readInt(kSec, "MeasurementBaudrate", 38400), 38400);
    EXPECT_EQ(store_.readString(kSec, "WCSFilePath", "d", 256), "d");
    // What could not be read is not written back over what the file held.
    EXPECT_FALSE(store_.addStringIfMissing(kSec, "WCSFilePath", ""));
    EXPECT_EQ(contentOf(file()), damaged);
    EXPECT_TRUE(keptCopies(folder_).empty());
    ASSERT_EQ(ui->messageBoxes().size(), 1u);
    EXPECT_NE(ui->messageBoxes()[0].text.find("line 1"), std::string::npos);

    // A setting the user changes takes effect; the damaged file is kept beside.
    EXPECT_TRUE(store_.writeInt(kSec, "WCUOnOff", 1));
    EXPECT_EQ(store_.readInt(kSec, "WCUOnOff", 0), 1);
    const auto first = keptCopies(folder_);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(contentOf(first[0]), damaged);
    EXPECT_TRUE(std::regex_match(first[0].filename().string(),
                                 std::regex(R"(QV-L40w\.toml\.bad-\d{8}T\d{6}Z)")));

    // The next damage, within the same second or not, leaves the first copy alone.
    writeText("WCUOnOff = = 2\n");
    EXPECT_TRUE(store_.writeInt(kSec, "WCUOnOff", 0));
    const auto both = keptCopies(folder_);
    ASSERT_EQ(both.size(), 2u);
    EXPECT_EQ(contentOf(first[0]), damaged);
    const fs::path& second = both[0] == first[0] ? both[1] : both[0];
    EXPECT_EQ(contentOf(second), "WCUOnOff = = 2\n");
    EXPECT_EQ(ui->messageBoxes().size(), 1u);  // once per store

    // Bytes that are not UTF-8 would read back changed: refused, file untouched.
    EXPECT_FALSE(store_.writeString(kSec, "WCSFilePath", "C:\\\x91\xaa\\w.wcs"));
    EXPECT_EQ(store_.readInt(kSec, "WCUOnOff", 1), 0);
    // Other characters are kept, escaped, so that the file stays within ASCII.
    const std::string path = "/home/j\xc3\xb6rg/\xe7\x99\xbd.wcs";
    EXPECT_TRUE(store_.writeString(kSec, "WCSFilePath", path));
    EXPECT_EQ(store_.readString(kSec, "WCSFilePath", "", 256), path);
    EXPECT_FALSE(registry::hasNonAscii(contentOf(file()))) << contentOf(file());
    platform::setUiServices(nullptr);
}

// The writer cannot lay out an array holding nan or inf: when a setting changes, the file
// is kept as it was and the new one holds everything else.
TEST_F(RegistryStoreTest, ArraysHoldingNanOrInfAreLeftOutOfTheFileWrittenBack) {
    auto ui = std::make_shared<platform::ScriptedUiServices>();
    platform::setUiServices(ui);
    const std::string held =
        "[RX-9100]\nWCUOnOff = 1\n\n[other]\nkeep = 3\nlevels = [1.0, nan]\n"
        "inner = { a = [inf] }\nfine = [0.5]\n";
    writeText(held);
    EXPECT_EQ(store_.readInt(kSec, "WCUOnOff", 0), 1);
    EXPECT_TRUE(store_.addIntIfMissing(kSec, "WCUOnOff", 0));   // present: nothing to write
    EXPECT_FALSE(store_.addIntIfMissing(kSec, "WCSOnOff", 0));  // would drop the user's arrays
    EXPECT_EQ(contentOf(file()), held);
    EXPECT_TRUE(store_.writeInt(kSec, "WCUOnOff", 0));
    EXPECT_EQ(store_.readInt(kSec, "WCUOnOff", 1), 0);
    EXPECT_EQ(store_.readInt("other", "keep", 0), 3);
    const std::string written = contentOf(file());
    EXPECT_EQ(written.find("levels"), std::string::npos) << written;
    EXPECT_EQ(written.find("inner"), std::string::npos) << written;
    EXPECT_NE(written.find("fine"), std::string::npos) << written;
    const auto copies = keptCopies(folder_);
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(contentOf(copies[0]), held);
    ASSERT_EQ(ui->messageBoxes().size(), 1u);
    EXPECT_NE(ui->messageBoxes()[0].text.find("nan or inf"), std::string::npos);
    platform::setUiServices(nullptr);
}

TEST_F(RegistryStoreTest, AddingWhereMissingLeavesEveryStoredValueAlone) {
    const std::string stored = "[RX-9100]\nWCUOnOff = \"yes\"\nWCSFilePath = 12\n";
    writeText(stored);
    EXPECT_TRUE(store_.addIntIfMissing(kSec, "WCUOnOff", 0));
    EXPECT_TRUE(store_.addStringIfMissing(kSec, "WCSFilePath", ""));
    EXPECT_EQ(contentOf(file()), stored);
    EXPECT_TRUE(store_.addStringIfMissing(kSec, "WCUFilePath", "/u.wcb"));
    EXPECT_TRUE(store_.addIntIfMissing("Common", "ColorSpace", 1300));
    EXPECT_EQ(store_.readString(kSec, "WCUFilePath", "", 256), "/u.wcb");
    EXPECT_EQ(store_.readInt("Common", "ColorSpace", 0), 1300);
    EXPECT_EQ(store_.readString(kSec, "WCUOnOff", "", 256), "yes");
}

TEST_F(RegistryStoreTest, ReadOnlyKeyIsReadAndMissingKeyGivesDefaults) {
    ASSERT_TRUE(store_.writeInt(kSec, "MeasurementBaudrate", 9600));
    ::chmod(file().c_str(), 0444);
    ::chmod(folder_.c_str(), 0555);
    // Permission bits do not bind root, so the checks run as an unprivileged user.
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
                _exit(10);
            }
            RegistryStore readOnly;
            const bool readOnlyOk = readOnly.open(kApp) &&
                                    readOnly.access() == RegistryStore::Access::ReadOnly &&
                                    readOnly.readInt(kSec, "MeasurementBaudrate", 38400) == 9600 &&
                                    !readOnly.writeInt(kSec, "MeasurementBaudrate", 4800);
            RegistryStore::setStoreFolder(folder_ + "/cannot-be-created");
            RegistryStore none;
            const bool noneOk = !none.open(kApp) && none.access() == RegistryStore::Access::None &&
                                none.readString(kSec, "MeasurementCOM", "COM1", 30) == "COM1" &&
                                !none.writeString(kSec, "MeasurementCOM", "COM4");
            _exit(readOnlyOk ? (noneOk ? 0 : 12) : 11);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(store_.readInt(kSec, "MeasurementBaudrate", 38400), 9600);
}

// Runs body in a child process that writes through its own store; returns its pid.
template <typename Body>
pid_t inChild(Body body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        RegistryStore store;
        _exit(store.open(kApp) && body(store) ? 0 : 1);
    }
    return pid;
}

int exitCode(pid_t pid) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(RegistryStoreTest, ConcurrentWritersLoseNoUpdate) {
    auto writer = [](std::string prefix) {
        return [prefix](RegistryStore& store) {
            bool ok = true;
            for (int i = 0; i < 200; ++i) {
                ok = store.writeInt(kSec, prefix + std::to_string(i), i) && ok;
            }
            return ok;
        };
    };
    const pid_t a = inChild(writer("A")), b = inChild(writer("B"));
    EXPECT_EQ(exitCode(a), 0);
    EXPECT_EQ(exitCode(b), 0);
    for (int i = 0; i < 200; ++i) {
        EXPECT_EQ(store_.readInt(kSec, "A" + std::to_string(i), -1), i);
        EXPECT_EQ(store_.readInt(kSec, "B" + std::to_string(i), -1), i);
    }
}

TEST_F(RegistryStoreTest, WriterKilledMidWriteLeavesOldOrNewValues) {
    // Round r writes r * kNames + i to name i in order, so after a kill the
    // names must read as a run of the new round followed by the old one.
    constexpr int kNames = 20;
    auto name = [](int i) { return "N" + std::to_string(i); };
    std::mt19937 random(std::random_device{}());
    int round = 0;
    for (int attempt = 0; attempt < 6; ++attempt) {
        for (int i = 0; i < kNames; ++i) {
            ASSERT_TRUE(store_.writeInt(kSec, name(i), round * kNames + i));
        }
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t pid = inChild([&](RegistryStore& store) {
            for (int r = round + 1; ::write(ready[1], "x", 1) == 1; ++r) {
                for (int i = 0; i < kNames; ++i) {
                    store.writeInt(kSec, name(i), r * kNames + i);
                }
            }
            return false;
        });
        char byte;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::usleep(std::uniform_int_distribution<useconds_t>(0, 30000)(random));
        ::kill(pid, SIGKILL);
        exitCode(pid);
        ::close(ready[0]);
        ::close(ready[1]);

        std::vector<int> rounds;
        for (int i = 0; i < kNames; ++i) {
            const int value = store_.readInt(kSec, name(i), -1);
            ASSERT_TRUE(value >= 0 && value % kNames == i) << name(i) << " = " << value;
            rounds.push_back(value / kNames);
        }
        EXPECT_TRUE(std::is_sorted(rounds.rbegin(), rounds.rend()));
        EXPECT_LE(rounds.front() - rounds.back(), 1);
        round = rounds.front();
    }
}

}  // namespace
