// Whatever arrives on the line, the instrument keeps answering.
#include <random>

#include "SimulatorFixture.h"
#include "simulator/LineAssembler.h"

namespace rx9100sim::test {
namespace {

class Robustness : public SimulatorTest {
  protected:
    // Reads replies until none comes for a short while.
    int drain() {
        link.setReceiveWaitOverride(30ms);
        int count = 0;
        try {
            while (true) {
                receive();
                ++count;
            }
        } catch (const SerialPortException&) {
        }
        link.setReceiveWaitOverride(2s);
        return count;
    }
};

TEST_F(Robustness, RandomBytesNeverStopTheReplies) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 20; ++round) {
        enterRemote();
        std::string noise(2000, '\0');
        for (char& c : noise) {
            c = static_cast<char>(byte(rng));
        }
        link.sendString(noise.data(), static_cast<int>(noise.size()));
        send("");  // end whatever line the noise left open
        drain();
        ASSERT_TRUE(instrument.waitUntilIdle(2s));
        EXPECT_EQ(ask("RMTS,1"), "OK00") << "round " << round;
        EXPECT_EQ(ask("VERR"), "OK00,1.10");
    }
}

TEST_F(Robustness, OverlongLinesAnswerOverrunAndKeepTheNextLineIntact) {
    enterRemote();
    EXPECT_EQ(ask(std::string(LineAssembler::kMaxLine, 'A')), "ER01");
    EXPECT_EQ(ask(std::string(LineAssembler::kMaxLine + 1, 'A')), "ER03");
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(ask("SPMR," + std::string(100000, '9')), "ER03");
    }
    EXPECT_EQ(ask("SPMR"), "OK00,0,0");
}

TEST_F(Robustness, EveryCommandLineGetsExactlyOneReply) {
    enterRemote();
    const char* lines[] = {"SPMS,3,,1",
                           "SPMS,,",
                           ",",
                           ",,,,",
                           "TGDS,1,0,05,000,",
                           "UCPS,0,01,000,",
                           "UCPS,2,01",
                           "MEDR",
                           "MEDR,0",
                           "TGDR,05,1",
                           "SCMS,1",
                           "BALS,1,1,1",
                           "RMTS,1,1",
                           "NFCS,0,1,000,123456789"};
    for (const char* line : lines) {
        send(line);
    }
    EXPECT_EQ(drain(), static_cast<int>(std::size(lines)));
}

}  // namespace
}  // namespace rx9100sim::test
