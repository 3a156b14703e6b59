// Reading, writing and deleting stored data against the simulated instrument.
#include <gtest/gtest.h>

#include <cmath>

#include "support/SimulatedDriver.h"

namespace {

struct StoredData : ::testing::Test {
    void SetUp() override {
        sim.instrument.fillStoredData(12);
        ASSERT_EQ(sim.driver.connect(), 0);
        sim.takeSent();
    }
    StoredRecords read(bool targets, bool checkFinite = true) {
        StoredRecords out;
        EXPECT_EQ(sim.driver.readStoredRecords(targets, checkFinite, out, {}), 0);
        return out;
    }
    SimulatedDriver sim;
};

int count(const std::vector<std::string>& lines, const std::string& prefix) {
    return static_cast<int>(std::count_if(
        lines.begin(), lines.end(), [&](const std::string& l) { return l.starts_with(prefix); }));
}

TEST_F(StoredData, SamplesAreReadAsSpectraWithTheirConditions) {
    const StoredRecords samples = read(false);
    ASSERT_EQ(samples.records.size(), 12u);
    EXPECT_TRUE(samples.invalid.empty());
    const DataPack& s0 = samples.records.at(0);
    EXPECT_EQ(s0.sampleNumber, 0);
    EXPECT_EQ(s0.format.getType(), DataFormat::kSpectral);
    EXPECT_EQ(s0.data.at(0).getData().size(), 401u);
    EXPECT_EQ(s0.data.at(0).getMeasurementMethod(), 3);
    EXPECT_GT(s0.data.at(0).getIntegralTime(), 0.0f);
    const auto sent = sim.takeSent();
    EXPECT_EQ(sent.front(), "STDR,00,0,0,001");
    // 100 headers, four blocks for each of the twelve stored ones, nothing else.
    EXPECT_EQ(count(sent, "STDR"), 100 + 12 * 4);
    EXPECT_EQ(sent.size(), 148u);
}

TEST_F(StoredData, ColourOnlyTargetIsOneColorimetricRecordWithDefaultConditions) {
    sim.driver.setApplicationObserver(10);
    const StoredRecords targets = read(true);
    ASSERT_EQ(targets.records.size(), 12u);
    // Every third target was kept as colour values only.
    const DataPack& t3 = targets.records.at(3);
    EXPECT_EQ(t3.format.getType(), DataFormat::kColorimetric);
    ASSERT_EQ(t3.data.size(), 1u);
    const MeasuringData& c = t3.data[0];
    EXPECT_EQ(c.getData().size(), 3u);
    EXPECT_EQ(c.getObserver(), 10);
    EXPECT_EQ(c.getIntegralTime(), -1.0f);
    EXPECT_EQ(c.getSpeed(), 0);
    EXPECT_EQ(c.getMeasurementMethod(), 0);
    const DataPack& t1 = targets.records.at(1);
    EXPECT_EQ(t1.format.getType(), DataFormat::kSpectral);
    EXPECT_EQ(t1.targetNumber, 1);
    EXPECT_EQ(t1.data[0].getCommonString(), t1.name);
    // An unnamed target (the seventh) reads as ten spaces.
    EXPECT_EQ(targets.records.at(7).name, std::string(10, ' '));
    const auto sent = sim.takeSent();
    EXPECT_EQ(count(sent, "TGDR,03,2,0,11"), 1);  // colour values for the 10° observer
    EXPECT_EQ(count(sent, "TGDR,01,2"), 0);       // a spectral target is not asked again
}

TEST_F(StoredData, NonFiniteValuesListTheNumberInsteadOfTheRecord) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDR,04,1,1,2:nan:5"));
    const StoredRecords samples = read(false);
    EXPECT_EQ(samples.records.count(4), 0u);
    EXPECT_EQ(samples.invalid, std::vector<int>{4});
    EXPECT_EQ(samples.records.size(), 11u);
}

TEST_F(StoredData, FailedHeaderStopsTheReadingAndCancelStopsBetweenRecords) {
    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDR,05,0,0,001:error:13"));
    StoredRecords out;
    EXPECT_EQ(sim.driver.readStoredRecords(false, true, out, {}), -10);
    EXPECT_EQ(out.records.size(), 5u);

    int steps = 0;
    StoredReadProgress progress;
    progress.step = [&](int, int total) {
        EXPECT_EQ(total, 20);
        ++steps;
    };
    progress.cancelled = [&] { return steps == 3; };
    EXPECT_EQ(sim.driver.readStoredRecords(true, true, out, progress), 10);
    EXPECT_EQ(steps, 3);
}

TEST_F(StoredData, SpectralTargetIsWrittenAsExactly401PointsThenTheName) {
    const StoredRecords samples = read(false);
    sim.takeSent();
    ASSERT_EQ(sim.driver.writeTarget(15, samples.records.at(2), "Panel W"), 0);
    const auto sent = sim.takeSent();
    ASSERT_EQ(sent.size(), 402u);
    EXPECT_TRUE(sent[0].starts_with("TGDS,1,0,15,000,"));
    EXPECT_TRUE(sent[400].starts_with("TGDS,1,0,15,400,"));
    EXPECT_EQ(sent[401], "TGDS,0,3,15,Panel W");
    // What the instrument keeps reads back bit for bit.
    const StoredRecords targets = read(true);
    const DataPack& t15 = targets.records.at(15);
    EXPECT_EQ(t15.format.getType(), DataFormat::kSpectral);
    EXPECT_EQ(t15.name, "Panel W");
    const auto& written = samples.records.at(2).data[0].getData();
    const auto& kept = t15.data[0].getData();
    for (std::size_t i = 0; i < written.size(); ++i) {
        ASSERT_EQ(static_cast<float>(written[i]), static_cast<float>(kept[i])) << i;
    }
}

TEST_F(StoredData, ColourTargetUsesTheHostsObserverAndRefusesValuesThatDoNotFit) {
    DataPack colour;
    colour.format.setType(DataFormat::kColorimetric, 3);
    MeasuringData values;
    values.getData() = {342.6, 0.4476, 0.4074};
    colour.data.push_back(values);
    sim.driver.setApplicationObserver(10);
    ASSERT_EQ(sim.driver.writeTarget(20, colour, "A"), 0);
    EXPECT_EQ(sim.takeSent(),
              (std::vector<std::string>{"TGDS,0,1,20,11,  342.60,0.4476,0.4074", "TGDS,0,3,20,A"}));
    colour.data[0].getData()[0] = 1000000.0;
    EXPECT_EQ(sim.driver.writeTarget(20, colour, "A"), 10);
    colour.data[0].getData()[0] = NAN;
    EXPECT_EQ(sim.driver.writeTarget(20, colour, "A"), 10);
    colour.data[0].getData()[0] = 1.0;
    EXPECT_EQ(sim.driver.writeTarget(21, colour, "A"), 10);
    EXPECT_TRUE(sim.takeSent().empty());
}

TEST_F(StoredData, FailingPointStopsTheWriteWithoutTheName) {
    const StoredRecords samples = read(false);
    sim.instrument.injectFault(*rx9100sim::Fault::parse("TGDS,1,0,02,100:error:13"));
    sim.takeSent();
    EXPECT_EQ(sim.driver.writeTarget(2, samples.records.at(0), "X"), 10);
    const auto sent = sim.takeSent();
    EXPECT_EQ(sent.size(), 101u);
    EXPECT_EQ(count(sent, "TGDS,0,3"), 0);
}

TEST_F(StoredData, DeletesStopAtTheFirstFailure) {
    ASSERT_EQ(sim.driver.deleteStoredRecords(true, {3, 12}), 0);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"TGDD,03", "TGDD,12"}));
    EXPECT_FALSE(sim.instrument.memory().targets[3]);
    EXPECT_TRUE(sim.instrument.memory().targets[4]);

    sim.instrument.injectFault(*rx9100sim::Fault::parse("STDD,07:error:20"));
    EXPECT_EQ(sim.driver.deleteStoredRecords(false, {5, 7, 9}), 10);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"STDD,05", "STDD,07"}));
    EXPECT_FALSE(sim.instrument.memory().samples[5]);
    EXPECT_TRUE(sim.instrument.memory().samples[9]);

    ASSERT_EQ(sim.driver.clearAllData(true), 0);
    ASSERT_EQ(sim.driver.clearAllData(false), 0);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"STAD", "TGAD"}));
    EXPECT_EQ(read(false).records.size(), 0u);
}

TEST_F(StoredData, ActiveTargetIsReadAndSelected) {
    ASSERT_EQ(sim.driver.setActiveTarget(9), 0);
    ASSERT_EQ(sim.driver.checkActiveTarget(), 0);
    EXPECT_EQ(sim.driver.getActiveTarget(), 9);
    EXPECT_EQ(sim.takeSent(), (std::vector<std::string>{"TGSL,09", "TGSR"}));
    sim.instrument.injectFault(*rx9100sim::Fault::parse("TGSR:reply:OK00,33"));
    EXPECT_EQ(sim.driver.checkActiveTarget(), 10);
    EXPECT_EQ(sim.driver.getActiveTarget(), 9);
}

}  // namespace
