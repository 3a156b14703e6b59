#include "ChromaticityDiagram.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "rx9100qt/SpectrumPainter.h"

namespace studio {

namespace {

struct Frame {
    QRectF area;
    double maxA;
    double maxB;

    QPointF at(PlanePoint p) const {
        return {area.left() + p.a / maxA * area.width(),
                area.bottom() - p.b / maxB * area.height()};
    }
};

bool labelled(int nm) {
    return nm >= 460 && nm <= 620 && nm % 20 == 0;
}

}  // namespace

ChromaticityDiagram::ChromaticityDiagram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 240);
}

void ChromaticityDiagram::setPlane(ChromaticityPlane plane) {
    plane_ = plane;
    update();
}

void ChromaticityDiagram::setObserver(int observer) {
    observer_ = observer;
    update();
}

void ChromaticityDiagram::setPoints(std::vector<DiagramPoint> points) {
    points_ = std::move(points);
    update();
}

QImage ChromaticityDiagram::render(QSize size) const {
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, QSizeF(size));
    return image;
}

void ChromaticityDiagram::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    paint(painter, QSizeF(size()));
}

void ChromaticityDiagram::paint(QPainter& painter, QSizeF size) const {
    painter.setRenderHint(QPainter::Antialiasing);
    const bool xy = plane_ == ChromaticityPlane::Xy;
    const QFontMetricsF fm(painter.font());
    const double margin = fm.height() * 2.5;
    // One scale on both axes, so that distances mean the same in every direction.
    const double maxA = xy ? 0.8 : 0.65;
    const double maxB = xy ? 0.9 : 0.65;
    const double height = std::max(
        10.0, std::min(size.height() - 2 * margin, (size.width() - 2 * margin) * maxB / maxA));
    const double width = height * maxA / maxB;
    Frame frame{QRectF((size.width() - width) / 2, (size.height() - height) / 2, width, height),
                maxA, maxB};

    // Grid and axes.
    painter.setPen(QPen(QColor(225, 225, 225), 1));
    const double step = 0.1;
    for (double a = 0; a <= frame.maxA + 1e-9; a += step) {
        painter.drawLine(frame.at({a, 0}), frame.at({a, frame.maxB}));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(frame.at({a, 0}) + QPointF(-20, 2), QSizeF(40, fm.height())),
                         Qt::AlignCenter, QString::number(a, 'f', 1));
        painter.setPen(QPen(QColor(225, 225, 225), 1));
    }
    for (double b = 0; b <= frame.maxB + 1e-9; b += step) {
        painter.drawLine(frame.at({0, b}), frame.at({frame.maxA, b}));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(frame.at({0, b}) + QPointF(-margin - 4, -fm.height() / 2),
                                QSizeF(margin - 4, fm.height())),
                         Qt::AlignRight | Qt::AlignVCenter, QString::number(b, 'f', 1));
        painter.setPen(QPen(QColor(225, 225, 225), 1));
    }
    painter.setPen(Qt::black);
    painter.drawRect(frame.area);
    painter.drawText(QRectF(frame.area.left(), frame.area.bottom() + fm.height(),
                            frame.area.width(), fm.height() * 1.2),
                     Qt::AlignCenter, xy ? QStringLiteral("x") : QStringLiteral("u′"));
    painter.drawText(
        QRectF(0, frame.area.top() - fm.height() * 1.6, size.width(), fm.height() * 1.4),
        Qt::AlignCenter,
        xy ? tr("CIE 1931 xy (%1°)").arg(observer_) : tr("CIE 1976 u′v′ (%1°)").arg(observer_));

    // Spectral locus, closed by the purple line.
    const auto locus = spectralLocus(plane_, observer_);
    QPainterPath path;
    for (std::size_t i = 0; i < locus.size(); ++i) {
        const QPointF p = frame.at(locus[i].p);
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.5));
    painter.drawPath(path);
    for (const LocusPoint& point : locus) {
        if (!labelled(point.nm)) {
            continue;
        }
        const QPointF p = frame.at(point.p);
        painter.setBrush(rx9100qt::wavelengthColor(point.nm));
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(p, 3, 3);
        painter.setPen(Qt::darkGray);
        const bool left = point.nm < 520;
        painter.drawText(
            QRectF(p + QPointF(left ? -46 : 6, -fm.height() / 2), QSizeF(40, fm.height())),
            left ? Qt::AlignRight : Qt::AlignLeft, QString::number(point.nm));
    }

    // Planckian locus with its isotemperature marks.
    const auto planck = planckianLocus(plane_, observer_);
    QPainterPath planckPath;
    for (std::size_t i = 0; i < planck.size(); ++i) {
        const QPointF p = frame.at(planck[i]);
        i == 0 ? planckPath.moveTo(p) : planckPath.lineTo(p);
    }
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(200, 60, 40), 1.2));
    painter.drawPath(planckPath);
    QFont small = painter.font();
    if (small.pixelSize() > 0) {
        small.setPixelSize(std::max(8, small.pixelSize() * 4 / 5));
    } else {
        small.setPointSizeF(small.pointSizeF() * 0.8);
    }
    painter.setFont(small);
    for (const IsotemperatureLine& line : isotemperatureLines(plane_, observer_)) {
        painter.setPen(QPen(QColor(200, 60, 40), 1));
        painter.drawLine(frame.at(line.from), frame.at(line.to));
        if (line.kelvin == 1500.0 || line.kelvin == 2500.0 || line.kelvin == 5000.0) {
            continue;  // marked, not labelled: their labels would run into the neighbours'
        }
        painter.drawText(frame.at(line.from) + QPointF(2, fm.height() * 0.8),
                         QStringLiteral("%1 K").arg(line.kelvin, 0, 'f', 0));
    }

    // The measured points.
    painter.setFont(font());
    for (const DiagramPoint& point : points_) {
        if (!std::isfinite(point.x) || !std::isfinite(point.y) || point.x + point.y <= 0) {
            continue;
        }
        const QPointF p = frame.at(toPlane(plane_, point.x, point.y));
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(QColor(30, 110, 220));
        painter.drawEllipse(p, 4, 4);
        painter.drawText(p + QPointF(6, -6), point.label);
    }
}

}  // namespace studio
