#pragma once
// An instrument with one in-process connection, exact readings and short measurements.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "simulator/HexFloat.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"

namespace rx9100sim::test {

using namespace std::chrono_literals;

// A folder of this test's own, removed afterwards: two builds may run their tests at once.
class ScratchFolder {
  public:
    ScratchFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "rx9100sim-XXXXXX";
        path_ = ::mkdtemp(pattern.data());
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// Fields of a reply split at commas.
inline std::vector<std::string> fields(const std::string& reply) {
    std::vector<std::string> f;
    std::size_t start = 0;
    for (auto comma = reply.find(','); comma != std::string::npos; comma = reply.find(',', start)) {
        f.push_back(reply.substr(start, comma - start));
        start = comma + 1;
    }
    f.push_back(reply.substr(start));
    return f;
}

class SimulatorTest : public ::testing::Test {
  protected:
    explicit SimulatorTest(Identity identity = {})
        : instrument(std::move(identity)), link(instrument) {}

    void SetUp() override {
        instrument.setNoise(0.0);
        instrument.setMeasuringTiming(MeasuringTiming{1.0, 0.02});
        link.open();
        link.setReceiveWaitOverride(2s);
    }

    void send(std::string line) {
        line += "\r\n";
        link.sendString(line.data(), static_cast<int>(line.size()));
    }
    std::string receive() {
        std::string reply;
        link.recvString(reply);
        return reply;
    }
    std::string ask(const std::string& line) {
        send(line);
        return receive();
    }
    void enterRemote() { ASSERT_EQ(ask("RMTS,1"), "OK00"); }
    // "MEAS,1", its time reply and the completion line.
    std::string measure() {
        const std::string timeReply = ask("MEAS,1");
        EXPECT_TRUE(timeReply.starts_with("OK00,")) << timeReply;
        return receive();
    }

    // The 401 values of the last measurement, from the four hexadecimal blocks.
    Spectrum readSpectrum() {
        Spectrum s{};
        int index = 0;
        for (int block = 1; block <= 4; ++block) {
            const auto f = fields(ask("MEDR,1,1," + std::to_string(block)));
            EXPECT_EQ(f[0], "OK00");
            EXPECT_EQ(f.size(), block == 4 ? 102u : 101u);
            for (std::size_t i = 1; i < f.size() && index < kPoints; ++i) {
                EXPECT_EQ(f[i].size(), 8u);
                s[index++] = fromHex(f[i]).value_or(-1.0f);
            }
        }
        EXPECT_EQ(index, kPoints);
        return s;
    }
    Spectrum measureSpectrum() {
        EXPECT_EQ(measure(), "OK00");
        return readSpectrum();
    }

    // "PREFIX,iii,hhhhhhhh" for the 401 entries of a table, each answered "OK00".
    void writeEntries(const std::string& prefix, const Table& values) {
        for (int i = 0; i < kPoints; ++i) {
            ASSERT_EQ(ask(prefix + "," + index3(i) + "," + toHex(values[i])), "OK00") << i;
        }
    }
    static std::string index3(int i) {
        char text[8];
        std::snprintf(text, sizeof text, "%03d", i);
        return text;
    }
    static Table filled(float value) {
        Table t{};
        t.fill(value);
        return t;
    }

    Instrument instrument;
    InProcessConnection link;
};

}  // namespace rx9100sim::test
