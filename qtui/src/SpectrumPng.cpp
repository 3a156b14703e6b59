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

bool renderPng(const std::string& path, PngSize size,
               const std::function<void(QPainter&, const QRectF&)>& paint) {
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
        paint(painter, QRectF(image.rect()));
    }
    return image.save(QString::fromStdString(path), "PNG");
}

bool renderSpectrumPng(const std::string& path,
                       const std::vector<platform::ui::SpectrumSeries>& series,
                       const std::string& title, PngSize size, double fromNm, double toNm) {
    SpectrumView view;
    view.series = series;
    view.fromNm = fromNm;
    view.toNm = toNm;
    view.title = QString::fromStdString(title);
    return renderPng(path, size, [&view](QPainter& painter, const QRectF& area) {
        paintSpectrum(painter, area, view);
    });
}

}  // namespace rx9100qt
