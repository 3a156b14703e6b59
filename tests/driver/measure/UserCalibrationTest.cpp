// The user-calibration corrections: the resampling and multiplications themselves, and the
// pipeline against the simulated instrument's channel and ND tables.
#include <gtest/gtest.h>

#include <cmath>

#include "measure/SpectralCorrections.h"
#include "support/SimulatedDriver.h"

namespace {

std::vector<double> rising() {
    std::vector<double> v(401);
    for (std::size_t i = 0; i < v.size(); ++i) {
        v[i] = 10.0 + static_cast<double>(i * i) * 0.01;
    }
    return v;
}

std::vector<double> shiftedTable(double by) {
    std::vector<double> w(401);
    for (std::size_t i = 0; i < w.size(); ++i) {
        w[i] = 380.0 + static_cast<double>(i) + by;
    }
    return w;
}

}  // namespace

TEST(SpectralCorrectionsTest, ResamplingReadsBetweenNeighboursAndNeverOutside) {
    const std::vector<double> measured = rising();
    std::vector<double> v = measured;
    ASSERT_TRUE(corrections::resampleWavelength(v, shiftedTable(0.0).data()));
    EXPECT_EQ(v, measured);

    ASSERT_TRUE(corrections::resampleWavelength(v, shiftedTable(0.5).data()));
    for (std::size_t i = 0; i < 400; ++i) {
        EXPECT_DOUBLE_EQ(v[i], (measured[i] + measured[i + 1]) / 2) << i;
    }
    EXPECT_EQ(v[400], measured[400]);

    // Entries up to 2 nm outside the spectrum take its end values.
    std::vector<double> w = shiftedTable(0.0);
    w[0] = 378.0;
    w[1] = 380.0;
    w[398] = 780.0;
    w[399] = 781.5;
    v = measured;
    ASSERT_TRUE(corrections::resampleWavelength(v, w.data()));
    EXPECT_EQ(v[0], measured[0]);
    EXPECT_EQ(v[1], measured[0]);
    EXPECT_EQ(v[398], measured[400]);
    EXPECT_EQ(v[399], measured[400]);

    w[7] = std::nan("");
    v = measured;
    EXPECT_FALSE(corrections::resampleWavelength(v, w.data()));
    EXPECT_EQ(v, measured);
}

namespace {

class CorrectionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim.driver.setErrorVisible(false);
        ASSERT_EQ(sim.driver.connect(), 0);
        rx9100sim::Memory m = sim.instrument.memory();
        rx9100sim::Table shifted{};
        rx9100sim::Table twice{};
        rx9100sim::Table half{};
        for (int i = 0; i < 401; ++i) {
            shifted[i] = static_cast<float>(380.5 + i);
            twice[i] = 2.0f;
            half[i] = 0.5f;
        }
        m.channels[2].wavelength = shifted;
        m.channels[2].level = twice;
        m.channels[3].level = twice;  // no wavelength table
        m.ndTables[m.measuringAngle][0] = half;
        sim.instrument.setMemory(m);
        sim.driver.getSetupStatus()->setNd(15);
        record.setData(rising());
        sim.takeSent();
    }
    int sentOf(const std::string& prefix) {
        int n = 0;
        for (const std::string& s : sim.takeSent()) {
            n += s.starts_with(prefix);
        }
        return n;
    }

    SimulatedDriver sim;
    MeasuringData record;
};

}  // namespace

TEST_F(CorrectionsTest, WavelengthThenNdWithoutLevelForCode21) {
    const std::vector<double> measured = record.getData();
    sim.driver.setCalibrationMode(true, true, false);
    sim.driver.CorrectMeasurementData(record, 2);
    for (std::size_t i = 0; i < 400; ++i) {
        EXPECT_DOUBLE_EQ(record.getData()[i], (measured[i] + measured[i + 1]) / 2 * 0.5) << i;
    }
    EXPECT_DOUBLE_EQ(record.getData()[400], measured[400] * 0.5);
    EXPECT_TRUE(sim.driver.getWaveCalSet(2));
    EXPECT_FALSE(sim.driver.getLevelCalSet(2));
    EXPECT_EQ(sentOf("UCPR,1"), 0);
}

TEST_F(CorrectionsTest, UnreadableWavelengthTableSkipsOnlyItsOwnCorrection) {
    const std::vector<double> measured = record.getData();
    sim.driver.setCalibrationMode(24);
    sim.driver.CorrectMeasurementData(record, 3);
    for (std::size_t i = 0; i < 401; ++i) {
        EXPECT_DOUBLE_EQ(record.getData()[i], measured[i] * 0.5 * 2.0) << i;
    }
    EXPECT_FALSE(sim.driver.getWaveCalSet(3));
    EXPECT_TRUE(sim.driver.getLevelCalSet(3));

    // Without an ND filter in, the ND step reads nothing and changes nothing.
    sim.driver.getSetupStatus()->setNd(0);
    sim.driver.setCalibrationMode(9);
    record.setData(measured);
    sim.takeSent();
    sim.driver.CorrectMeasurementData(record, 3);
    EXPECT_EQ(record.getData(), measured);
    EXPECT_TRUE(sim.takeSent().empty());
}

TEST_F(CorrectionsTest, RecordWithoutAFullSpectrumIsRefusedBeforeAnyRead) {
    std::vector<double> shortSpectrum(400, 1.0);
    record.setData(shortSpectrum);
    EXPECT_EQ(sim.driver.CorrectWavelength(record, 2), 10);
    EXPECT_EQ(sim.driver.CorrectLevel(record, 2), 10);
    EXPECT_EQ(sim.driver.CorrectND(record), 10);
    EXPECT_EQ(sim.driver.getInstrumentState()->getErrorCode(), 41);
    sim.driver.setCalibrationMode(24);
    sim.driver.CorrectMeasurementData(record, 2);
    EXPECT_EQ(record.getData(), shortSpectrum);
    EXPECT_FALSE(sim.driver.getWaveCalSet(2));
    EXPECT_TRUE(sim.takeSent().empty());
}
