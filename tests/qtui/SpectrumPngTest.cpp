#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>

#include "rx9100qt/SpectrumPainter.h"
#include "rx9100qt/SpectrumPng.h"

namespace {

TEST(SpectrumPng, DrawsSeriesAndTheColourBandIntoAFile) {
    QTemporaryDir folder;
    const std::string path = folder.filePath("plot.png").toStdString();
    std::vector<double> flat(401, 40.0);
    std::vector<double> peak(401);
    for (int i = 0; i < 401; ++i) {
        peak[i] = 100.0 * std::exp(-std::pow((i - 170) / 15.0, 2));
    }
    ASSERT_TRUE(rx9100qt::renderSpectrumPng(
        path, {{"flat", flat, 380, 1, 0x0000FF}, {"peak", peak}}, "試験", {640, 400}));
    QImage image(QString::fromStdString(path));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(640, 400));
    // The pure red of the first series and the band's green both appear.
    int red = 0, green = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += (c.red() > 200 && c.green() < 60 && c.blue() < 60) ? 1 : 0;
            green += (c.green() > 200 && c.red() < 80 && c.blue() < 80) ? 1 : 0;
        }
    }
    EXPECT_GT(red, 300);  // a 1.7 px line across most of the width, plus the band's red end
    EXPECT_GT(green, 20);
}

TEST(SpectrumPng, RefusesUnusableSizesAndPaths) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const std::string path = folder.filePath("small.png").toStdString();
    EXPECT_FALSE(rx9100qt::renderSpectrumPng(path, {}, "", {10, 10}));
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_FALSE(rx9100qt::renderSpectrumPng("/nonexistent-folder/x.png", {}, ""));
}

TEST(WavelengthColor, FollowsTheVisibleSpectrum) {
    EXPECT_GT(rx9100qt::wavelengthColor(450).blue(), 200);
    EXPECT_GT(rx9100qt::wavelengthColor(530).green(), 200);
    EXPECT_GT(rx9100qt::wavelengthColor(650).red(), 200);
    EXPECT_EQ(rx9100qt::wavelengthColor(300), QColor(0, 0, 0));
}

}  // namespace
