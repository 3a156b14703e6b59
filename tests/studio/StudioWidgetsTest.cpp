// The studio's own widgets and value rows, without an instrument.
#include <gtest/gtest.h>

#include <QSet>
#include <QTest>
#include <QWheelEvent>

#include "ColourRows.h"
#include "SpectrumPlot.h"

namespace {

void wheel(studio::SpectrumPlot& plot, double x, int delta) {
    QWheelEvent event(QPointF(x, 50), plot.mapToGlobal(QPointF(x, 50)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&plot, &event);
}

TEST(SpectrumPlot, WheelZoomsAboutThePointerWithinTheInstrumentRange) {
    studio::SpectrumPlot plot;
    plot.resize(400, 200);
    wheel(plot, 200, 120);  // the middle: 580 nm stays in the middle
    EXPECT_NEAR(plot.fromNm(), 580 - 160, 1e-9);
    EXPECT_NEAR(plot.toNm(), 580 + 160, 1e-9);
    for (int i = 0; i < 40; ++i) {
        wheel(plot, 0, 120);  // at the left edge: the short end stays
    }
    EXPECT_NEAR(plot.fromNm(), 420, 1e-9);
    EXPECT_NEAR(plot.toNm() - plot.fromNm(), 10.0, 1e-9);  // no narrower than 10 nm
    for (int i = 0; i < 40; ++i) {
        wheel(plot, 200, -120);
    }
    EXPECT_DOUBLE_EQ(plot.fromNm(), 380.0);  // widening stops at the range
    EXPECT_DOUBLE_EQ(plot.toNm(), 780.0);
    plot.setRange(500, 505);
    QTest::mouseDClick(&plot, Qt::LeftButton);
    EXPECT_DOUBLE_EQ(plot.fromNm(), 380.0);
    EXPECT_DOUBLE_EQ(plot.toNm(), 780.0);
}

TEST(SpectrumPlot, RendersTheGraphAtTheAskedSize) {
    studio::SpectrumPlot plot;
    platform::ui::SpectrumSeries series;
    series.name = "#1";
    series.values.assign(401, 1.0);
    plot.setSeries({series}, QStringLiteral("W/(sr*m2*nm)"));
    const QImage image = plot.render(QSize(600, 300));
    EXPECT_EQ(image.size(), QSize(600, 300));
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 2) {
        for (int x = 0; x < image.width(); x += 2) {
            colours.insert(image.pixel(x, y));  // frame, grid, series, the colour band
        }
    }
    EXPECT_GT(colours.size(), 20);
}

TEST(ColourRows, UndefinedValuesAndPurplesReadAsTheCommandLinePrintsThem) {
    tintcalc::ColorResult colour;  // nothing defined
    for (const auto& row : studio::colourRows(colour)) {
        EXPECT_EQ(row.value, "-") << row.label;
    }
    colour.dominantWavelength = -520.04;
    colour.complementary = true;
    colour.purity = 0.4567;
    colour.cct = 6503.6;
    const auto rows = studio::colourRows(colour);
    const auto value = [&rows](const std::string& label) {
        for (const auto& row : rows) {
            if (row.label == label) {
                return row.value;
            }
        }
        return std::string("missing");
    };
    EXPECT_EQ(value("Dominant λ"), "520.0 nm (c)");
    EXPECT_EQ(value("Purity (%)"), "45.7");
    EXPECT_EQ(value("CCT (K)"), "6504");
}

}  // namespace

TEST(ColourRows, RenditionRowsMarkAnUnreliableIndexAndStayEmptyForASample) {
    for (const auto& row : studio::renditionRows(std::nullopt)) {
        EXPECT_EQ(row.value, "-") << row.label;  // a reflectance or transmittance result
    }
    tintcalc::RenditionResult r;
    r.ra = 82.46;
    r.r[8] = 12.0;
    r.rf = 85.0;
    r.rg = 101.04;
    r.criReliable = false;  // far from the Planckian locus
    const auto rows = studio::renditionRows(r);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].value, "82.5 *");
    EXPECT_EQ(rows[1].value, "12.0 *");
    EXPECT_EQ(rows[2].value, "85.0");
    EXPECT_EQ(rows[3].value, "101.0");
}
