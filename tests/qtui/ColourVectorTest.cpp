// The colour vector graphic: where a bin's test point goes, and the drawing of a real light.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <filesystem>

#include "rx9100qt/ColourVectorPainter.h"

using rx9100qt::HueBinMeans;

TEST(ColourVector, TestPointsMoveWithTheReferenceOnTheUnitCircle) {
    double x = 0;
    double y = 0;
    // Test equal to reference: the point stays on the circle, at the reference's hue.
    ASSERT_TRUE(rx9100qt::normalisedTestPoint({0.0, 20.0, 0.0, 20.0}, x, y));
    EXPECT_NEAR(x, 0.0, 1e-12);
    EXPECT_NEAR(y, 1.0, 1e-12);
    // 10 % more chroma along the hue, and a shift across it, in units of the reference chroma.
    ASSERT_TRUE(rx9100qt::normalisedTestPoint({20.0, 0.0, 22.0, -4.0}, x, y));
    EXPECT_NEAR(x, 1.1, 1e-12);
    EXPECT_NEAR(y, -0.2, 1e-12);
    // No reference chroma: nothing to normalise by.
    EXPECT_FALSE(rx9100qt::normalisedTestPoint({0.0, 0.0, 1.0, 1.0}, x, y));
}

TEST(ColourVector, APngOfAWarmLightIsWrittenAndHasTheRedTestPolygon) {
    rx9100qt::ColourVectorView view;
    for (int j = 0; j < 16; ++j) {
        const double hue = (j + 0.5) / 16 * 2 * M_PI;
        HueBinMeans& bin = view.bins[static_cast<std::size_t>(j)];
        bin.referenceA = 25 * std::cos(hue);
        bin.referenceB = 25 * std::sin(hue);
        const double gain = j < 4 || j > 12 ? 1.15 : 0.9;  // reds saturated, blues dulled
        bin.testA = gain * bin.referenceA;
        bin.testB = gain * bin.referenceB;
    }
    view.title = QStringLiteral("色ベクトル");
    view.caption = QStringLiteral("Rf 88  Rg 104  CCT 2856 K");
    const std::string path =
        (std::filesystem::temp_directory_path() / "rx9100-cvg-test.png").string();
    ASSERT_TRUE(rx9100qt::renderColourVectorPng(path, view));
    QImage image(QString::fromStdString(path));
    std::filesystem::remove(path);
    ASSERT_EQ(image.size(), QSize(620, 660));
    int red = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 170 && c.green() < 80 && c.blue() < 80 ? 1 : 0;
        }
    }
    EXPECT_GT(red, 200);  // the test polygon is drawn
    EXPECT_FALSE(rx9100qt::renderColourVectorPng(path, view, {10, 10}));
}
