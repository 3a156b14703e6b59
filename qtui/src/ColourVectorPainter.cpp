#include "rx9100qt/ColourVectorPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <numbers>

#include "GuiApplication.h"

namespace rx9100qt {

namespace {

constexpr int kBins = 16;
// The drawing reaches 1.5 times the reference circle: room for strong saturation.
constexpr double kReach = 1.5;

// A bin's display colour: its centre hue around the colour circle, red at bin 1.
QColor binColour(int bin, int alpha = 255) {
    const double hue = std::fmod((bin + 0.5) / kBins * 360.0 + 360.0, 360.0);
    QColor c = QColor::fromHsvF(hue / 360.0, 0.55, 0.95);
    c.setAlpha(alpha);
    return c;
}

void drawArrow(QPainter& painter, QPointF from, QPointF to, const QColor& colour) {
    painter.setPen(QPen(colour, 2.0));
    painter.drawLine(from, to);
    const QPointF d = to - from;
    const double length = std::hypot(d.x(), d.y());
    if (length < 4.0) {
        return;
    }
    const QPointF u = d / length;
    const QPointF n(-u.y(), u.x());
    QPainterPath head;
    head.moveTo(to);
    head.lineTo(to - u * 9.0 + n * 4.0);
    head.lineTo(to - u * 9.0 - n * 4.0);
    head.closeSubpath();
    painter.fillPath(head, colour);
}

}  // namespace

bool normalisedTestPoint(const HueBinMeans& bin, double& x, double& y) {
    const double chroma = std::hypot(bin.referenceA, bin.referenceB);
    if (!(chroma > 0.0) || !std::isfinite(chroma)) {
        return false;
    }
    const double hue = std::atan2(bin.referenceB, bin.referenceA);
    x = std::cos(hue) + (bin.testA - bin.referenceA) / chroma;
    y = std::sin(hue) + (bin.testB - bin.referenceB) / chroma;
    return std::isfinite(x) && std::isfinite(y);
}

void paintColourVectorGraphic(QPainter& painter, const QRectF& area, const ColourVectorView& view) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, Qt::white);
    QFont labelFont = painter.font();
    labelFont.setPixelSize(std::clamp(int(area.height() / 32), 9, 14));
    QFont titleFont = labelFont;
    titleFont.setPixelSize(labelFont.pixelSize() + 3);
    titleFont.setBold(true);
    const QFontMetricsF fm(labelFont);

    const double titleHeight = view.title.isEmpty() ? 0 : fm.height() * 2.0;
    const double captionHeight = view.caption.isEmpty() ? 0 : fm.height() * 1.8;
    const QRectF square = [&] {
        const double side =
            std::min(area.width(), area.height() - titleHeight - captionHeight) - 16;
        return QRectF(area.center().x() - side / 2, area.top() + titleHeight + 8, side, side);
    }();
    if (square.width() < 40) {
        painter.restore();
        return;
    }
    const QPointF centre = square.center();
    const double unit = square.width() / 2 / kReach;
    const auto at = [&](double x, double y) { return centre + QPointF(x * unit, -y * unit); };

    // The 16 bins as coloured wedges behind everything, with their numbers at the rim.
    painter.setFont(labelFont);
    for (int j = 0; j < kBins; ++j) {
        const double start = 360.0 * j / kBins;
        QPainterPath wedge;
        wedge.moveTo(centre);
        wedge.arcTo(QRectF(at(-kReach, kReach), at(kReach, -kReach)), start, 360.0 / kBins);
        wedge.closeSubpath();
        painter.fillPath(wedge, binColour(j, 70));
        const double mid = (start + 180.0 / kBins) * std::numbers::pi / 180.0;
        const QPointF label = at(1.38 * std::cos(mid), 1.38 * std::sin(mid));
        painter.setPen(Qt::darkGray);
        painter.drawText(QRectF(label.x() - 12, label.y() - 8, 24, 16), Qt::AlignCenter,
                         QString::number(j + 1));
    }
    // The reference: the unit circle.
    painter.setPen(QPen(Qt::black, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, unit, unit);
    painter.setPen(QPen(QColor(0, 0, 0, 60), 1.0, Qt::DashLine));
    painter.drawLine(at(-kReach, 0), at(kReach, 0));
    painter.drawLine(at(0, -kReach), at(0, kReach));

    // The test light: its polygon through the moved points, and an arrow per bin.
    QPolygonF test;
    for (int j = 0; j < kBins; ++j) {
        double x = 0;
        double y = 0;
        if (normalisedTestPoint(view.bins[static_cast<std::size_t>(j)], x, y)) {
            test << at(std::clamp(x, -kReach, kReach), std::clamp(y, -kReach, kReach));
        }
    }
    painter.setPen(QPen(QColor(200, 30, 30), 2.0));
    painter.drawPolygon(test);
    for (int j = 0; j < kBins; ++j) {
        const HueBinMeans& bin = view.bins[static_cast<std::size_t>(j)];
        double x = 0;
        double y = 0;
        if (!normalisedTestPoint(bin, x, y)) {
            continue;
        }
        const double hue = std::atan2(bin.referenceB, bin.referenceA);
        drawArrow(painter, at(std::cos(hue), std::sin(hue)),
                  at(std::clamp(x, -kReach, kReach), std::clamp(y, -kReach, kReach)),
                  binColour(j).darker(160));
    }

    painter.setPen(Qt::black);
    if (!view.title.isEmpty()) {
        painter.setFont(titleFont);
        painter.drawText(QRectF(area.left(), area.top() + 4, area.width(), titleHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, view.title);
    }
    if (!view.caption.isEmpty()) {
        painter.setFont(labelFont);
        painter.drawText(QRectF(area.left(), square.bottom() + 4, area.width(), captionHeight),
                         Qt::AlignHCenter | Qt::AlignVCenter, view.caption);
    }
    painter.restore();
}

bool renderColourVectorPng(const std::string& path, const ColourVectorView& view, PngSize size) {
    return renderPng(path, size, [&view](QPainter& painter, const QRectF& area) {
        paintColourVectorGraphic(painter, area, view);
    });
}

}  // namespace rx9100qt
