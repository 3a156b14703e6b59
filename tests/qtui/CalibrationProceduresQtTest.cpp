// The wavelength calibration as a real Qt window over the simulated instrument: measured
// through the nested measuring window, the spectrum in the graph, a line marked.
#include <QLineEdit>
#include <QPushButton>

#include "QtTestSupport.h"
#include "sensor/TavoRX9100.h"
#include "simulator/InProcessConnection.h"
#include "simulator/Instrument.h"
#include "simulator/Spectrum.h"
#include "usercal/CCorrectWavelengthDlg.h"

namespace {

using Wave = CCorrectWavelengthDlg;
using QtCalibrationProcedures = QtUiTest;

TEST_F(QtCalibrationProcedures, AWavelengthCalibrationMeasuresAndMarksALineInItsWindow) {
    rx9100sim::Instrument instrument;
    instrument.setNoise(0.0);
    instrument.setMeasuringTiming({0.3, 0.05});
    instrument.setScene(*rx9100sim::LightSource::parse("lines:HG"), 100.0);
    instrument.setMiscalibration({1.5, 0.0});
    TavoRX9100 driver;
    driver.setConnection(std::make_unique<rx9100sim::InProcessConnection>(instrument));
    driver.setErrorVisible(false);
    ASSERT_EQ(driver.connect(), 0);

    Wave dialog(driver, 2, "HG");
    bool marked = false;
    later([&] {
        auto* add = widget<QPushButton>(dialog, Wave::IDC_ADD);
        ASSERT_NE(add, nullptr);
        EXPECT_FALSE(add->isEnabled());
        widget<QPushButton>(dialog, Wave::IDC_MEASURE)->click();  // the measuring window runs
        EXPECT_TRUE(add->isEnabled());
        EXPECT_EQ(dialog.graph(Wave::IDC_GRAPH).series().size(), 1u);
        dialog.userType(Wave::IDC_RANGE_START, "541");
        dialog.userType(Wave::IDC_RANGE_END, "552");
        add->click();
        auto* centroid = widget<QLineEdit>(dialog, Wave::kRowIds[0].centroid);
        ASSERT_NE(centroid, nullptr);
        EXPECT_NEAR(centroid->text().toDouble(), 547.57, 0.05);
        marked = true;
        widget<QPushButton>(dialog, platform::IDCANCEL)->click();
    });
    EXPECT_EQ(dialog.doModal(), platform::IDCANCEL);
    EXPECT_TRUE(marked);
    driver.disconnect();
}

}  // namespace
