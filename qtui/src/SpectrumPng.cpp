#include "rx9100qt/SpectrumPng.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <memory>

#include "GuiApplication.h"
#include "rx9100qt/QtUi.h"
#include "rx9100qt/SpectrumPainter.h"

namespace rx9100qt {

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) {
        return;
    }
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
    }
    static int argc = 1;
    static char name[] = "rx9100";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

bool renderSpectrumPng(const std::string& path,
                       const std::vector<platform::ui::SpectrumSeries>& series,
                       const std::string& title, PngSize size, double fromNm, double toNm) {
    if (size.width < 64 || size.height < 64) {
        return false;
    }
    ensureGuiApplication();
    QImage image(size.width, size.height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        QFont font(QStringLiteral("Noto Sans CJK JP"));
        font.setStyleHint(QFont::SansSerif);
        painter.setFont(font);
        SpectrumView view;
        view.series = series;
        view.fromNm = fromNm;
        view.toNm = toNm;
        view.title = QString::fromStdString(title);
        paintSpectrum(painter, QRectF(image.rect()), view);
    }
    return image.save(QString::fromStdString(path), "PNG");
}

}  // namespace rx9100qt
