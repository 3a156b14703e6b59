#include "SpectrumPlot.h"

#include <QPainter>
#include <QWheelEvent>
#include <algorithm>

namespace studio {

namespace {

constexpr double kNarrowestNm = 10.0;

}  // namespace

SpectrumPlot::SpectrumPlot(QWidget* parent) : QWidget(parent) {
    setMinimumSize(320, 200);
}

void SpectrumPlot::setSeries(std::vector<platform::ui::SpectrumSeries> series,
                             const QString& caption) {
    series_ = std::move(series);
    caption_ = caption;
    update();
}

void SpectrumPlot::setNormalised(bool normalised) {
    normalised_ = normalised;
    update();
}

void SpectrumPlot::setRange(double fromNm, double toNm) {
    from_ = std::clamp(fromNm, platform::ui::kSpectrumFirstNm, platform::ui::kSpectrumLastNm);
    to_ = std::clamp(toNm, platform::ui::kSpectrumFirstNm, platform::ui::kSpectrumLastNm);
    if (to_ - from_ < kNarrowestNm) {
        to_ = std::min(platform::ui::kSpectrumLastNm, from_ + kNarrowestNm);
        from_ = to_ - kNarrowestNm;
    }
    update();
}

rx9100qt::SpectrumView SpectrumPlot::view() const {
    rx9100qt::SpectrumView view;
    view.series = series_;
    if (normalised_) {
        for (auto& one : view.series) {
            const auto peak = std::max_element(one.values.begin(), one.values.end());
            if (peak != one.values.end() && *peak > 0) {
                const double scale = 1.0 / *peak;
                for (double& value : one.values) {
                    value *= scale;
                }
            }
        }
    }
    view.fromNm = from_;
    view.toNm = to_;
    view.valueCaption = normalised_ ? tr("relative") : caption_;
    return view;
}

QImage SpectrumPlot::render(QSize size) const {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    rx9100qt::paintSpectrum(painter, QRectF(QPointF(0, 0), QSizeF(size)), view());
    return image;
}

void SpectrumPlot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setRenderHint(QPainter::Antialiasing);
    rx9100qt::paintSpectrum(painter, QRectF(rect()), view());
}

void SpectrumPlot::wheelEvent(QWheelEvent* event) {
    // Zoom about the wavelength under the pointer.
    const double share = std::clamp(event->position().x() / std::max(1, width()), 0.0, 1.0);
    const double centre = from_ + share * (to_ - from_);
    const double factor = event->angleDelta().y() > 0 ? 0.8 : 1.25;
    setRange(centre - (centre - from_) * factor, centre + (to_ - centre) * factor);
    event->accept();
}

void SpectrumPlot::mouseDoubleClickEvent(QMouseEvent*) {
    setRange(platform::ui::kSpectrumFirstNm, platform::ui::kSpectrumLastNm);
}

}  // namespace studio
