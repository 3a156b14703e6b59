#include "rx9100qt/SpectrumPainter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace rx9100qt {

namespace {

// A "nice" tick step (1, 2 or 5 times a power of ten) giving about `ticks` ticks.
double niceStep(double span, int ticks) {
    const double raw = span / std::max(1, ticks);
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double nice = norm < 1.5 ? 1.0 : norm < 3.0 ? 2.0 : norm < 7.0 ? 5.0 : 10.0;
    return nice * magnitude;
}

int decimalsFor(double step) {
    return step >= 1.0 ? 0 : int(std::ceil(-std::log10(step) - 1e-9));
}

QColor seriesColor(const platform::ui::SpectrumSeries& series, std::size_t index) {
    if (series.color != platform::ui::kDefaultColor) {
        const auto c = series.color;
        return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
    }
    static const QColor palette[] = {
        QColor(31, 92, 180),   QColor(214, 39, 40), QColor(44, 150, 44),   QColor(240, 120, 10),
        QColor(148, 103, 189), QColor(140, 86, 75), QColor(220, 100, 190), QColor(90, 90, 90),
    };
    return palette[index % std::size(palette)];
}

}  // namespace

QColor wavelengthColor(double nm) {
    // A piecewise approximation of the spectral colours, dimmed towards the
    // ends of the visible range where the eye's sensitivity falls off.
    double r = 0, g = 0, b = 0;
    if (nm >= 380 && nm < 440) {
        r = (440 - nm) / 60.0;
        b = 1;
    } else if (nm >= 440 && nm < 490) {
        g = (nm - 440) / 50.0;
        b = 1;
    } else if (nm >= 490 && nm < 510) {
        g = 1;
        b = (510 - nm) / 20.0;
    } else if (nm >= 510 && nm < 580) {
        r = (nm - 510) / 70.0;
        g = 1;
    } else if (nm >= 580 && nm < 645) {
        r = 1;
        g = (645 - nm) / 65.0;
    } else if (nm >= 645 && nm <= 780) {
        r = 1;
    }
    double factor = 0;
    if (nm >= 380 && nm < 420) {
        factor = 0.3 + 0.7 * (nm - 380) / 40.0;
    } else if (nm >= 420 && nm <= 700) {
        factor = 1;
    } else if (nm > 700 && nm <= 780) {
        factor = 0.3 + 0.7 * (780 - nm) / 80.0;
    }
    const auto channel = [factor](double v) {
        return v <= 0 ? 0 : int(std::lround(255 * std::pow(v * factor, 0.8)));
    };
    return QColor(channel(r), channel(g), channel(b));
}

void paintSpectrum(QPainter& painter, const QRectF& area, const SpectrumView& view) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillRect(area, Qt::white);

    QFont labelFont = painter.font();
    labelFont.setPixelSize(std::clamp(int(area.height() / 28), 9, 13));
    QFont titleFont = labelFont;
    titleFont.setPixelSize(labelFont.pixelSize() + 3);
    titleFont.setBold(true);
    painter.setFont(labelFont);
    const QFontMetricsF fm(labelFont);

    const double from = std::min(view.fromNm, view.toNm);
    const double to = std::max(std::max(view.fromNm, view.toNm), from + 1.0);

    // Value range over what is visible.
    double lo = std::numeric_limits<double>::infinity();
    double hi = -std::numeric_limits<double>::infinity();
    for (const auto& s : view.series) {
        for (std::size_t i = 0; i < s.values.size(); ++i) {
            const double nm = s.firstNm + double(i) * s.stepNm;
            const double v = s.values[i];
            if (nm >= from && nm <= to && std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        }
    }
    if (!std::isfinite(lo)) {
        lo = 0;
        hi = 1;
    }
    lo = std::min(lo, 0.0);
    if (hi <= lo) {
        hi = lo + 1;
    }
    const double yStep = niceStep(hi - lo, 5);
    const double yLo = std::floor(lo / yStep) * yStep;
    const double yHi = std::ceil(hi * 1.03 / yStep) * yStep;
    const int yDecimals = decimalsFor(yStep);
    const double xStep = niceStep(to - from, 8);
    const int xDecimals = decimalsFor(xStep);

    double labelWidth = 0;
    for (double v = yLo; v <= yHi + yStep / 2; v += yStep) {
        labelWidth = std::max(labelWidth, fm.horizontalAdvance(QString::number(v, 'f', yDecimals)));
    }
    const double bandHeight = std::max(6.0, fm.height() * 0.55);
    const double top = area.top() + (view.title.isEmpty() ? fm.height() : fm.height() * 2.4);
    const double left =
        area.left() + labelWidth + (view.valueCaption.isEmpty() ? 12 : 12 + fm.height());
    const double right = area.right() - fm.horizontalAdvance(QStringLiteral("780")) / 2 - 8;
    const double bottom = area.bottom() - bandHeight - fm.height() * 2.6;
    const QRectF plot(QPointF(left, top), QPointF(right, bottom));
    if (plot.width() < 20 || plot.height() < 20) {
        painter.restore();
        return;
    }
    const auto xOf = [&](double nm) {
        return plot.left() + (nm - from) / (to - from) * plot.width();
    };
    const auto yOf = [&](double v) {
        return plot.bottom() - (v - yLo) / (yHi - yLo) * plot.height();
    };

    if (!view.title.isEmpty()) {
        painter.setFont(titleFont);
        painter.setPen(QColor(30, 30, 30));
        painter.drawText(QRectF(area.left(), area.top() + 2, area.width(), fm.height() * 2),
                         Qt::AlignHCenter | Qt::AlignVCenter, view.title);
        painter.setFont(labelFont);
    }

    // Grid and tick labels.
    painter.setPen(QPen(QColor(226, 226, 226), 1));
    const double firstX = std::ceil(from / xStep - 1e-9) * xStep;
    for (double nm = firstX; nm <= to + 1e-9; nm += xStep) {
        painter.drawLine(QPointF(xOf(nm), plot.top()), QPointF(xOf(nm), plot.bottom()));
    }
    for (double v = yLo; v <= yHi + yStep / 2; v += yStep) {
        painter.drawLine(QPointF(plot.left(), yOf(v)), QPointF(plot.right(), yOf(v)));
    }
    painter.setPen(QColor(60, 60, 60));
    for (double nm = firstX; nm <= to + 1e-9; nm += xStep) {
        const QString label = QString::number(nm, 'f', xDecimals);
        const double w = fm.horizontalAdvance(label);
        painter.drawText(QPointF(xOf(nm) - w / 2, plot.bottom() + bandHeight + 3 + fm.ascent()),
                         label);
    }
    for (double v = yLo; v <= yHi + yStep / 2; v += yStep) {
        const QString label = QString::number(v, 'f', yDecimals);
        painter.drawText(
            QPointF(plot.left() - 6 - fm.horizontalAdvance(label), yOf(v) + fm.ascent() / 2 - 1),
            label);
    }

    // The visible spectrum under the wavelength axis.
    for (int px = int(plot.left()); px < int(plot.right()); ++px) {
        const double nm = from + (px + 0.5 - plot.left()) / plot.width() * (to - from);
        painter.fillRect(QRectF(px, plot.bottom() + 1, 1.0, bandHeight), wavelengthColor(nm));
    }

    // Curves.
    painter.save();
    painter.setClipRect(plot.adjusted(-1, -1, 1, 1));
    for (std::size_t k = 0; k < view.series.size(); ++k) {
        const auto& s = view.series[k];
        QPainterPath path;
        bool drawing = false;
        for (std::size_t i = 0; i < s.values.size(); ++i) {
            const double nm = s.firstNm + double(i) * s.stepNm;
            const double v = s.values[i];
            if (!std::isfinite(v) || nm < from - s.stepNm || nm > to + s.stepNm) {
                drawing = false;
                continue;
            }
            const QPointF p(xOf(nm), yOf(v));
            drawing ? path.lineTo(p) : path.moveTo(p);
            drawing = true;
        }
        painter.setPen(QPen(seriesColor(s, k), 1.7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(path);
    }
    painter.restore();

    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);

    // Axis captions.
    painter.setPen(QColor(60, 60, 60));
    painter.drawText(QRectF(plot.left(), plot.bottom() + bandHeight + fm.height() * 1.3,
                            plot.width(), fm.height() * 1.2),
                     Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("波長 (nm)"));
    if (!view.valueCaption.isEmpty()) {
        painter.save();
        painter.translate(area.left() + fm.height() * 0.8, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QRectF(-plot.height() / 2, -fm.height(), plot.height(), fm.height() * 1.5),
                         Qt::AlignCenter, view.valueCaption);
        painter.restore();
    }

    // Legend for named series.
    std::vector<std::size_t> named;
    double nameWidth = 0;
    for (std::size_t k = 0; k < view.series.size(); ++k) {
        if (!view.series[k].name.empty()) {
            named.push_back(k);
            nameWidth = std::max(nameWidth,
                                 fm.horizontalAdvance(QString::fromStdString(view.series[k].name)));
        }
    }
    if (!named.empty()) {
        const double line = fm.height() * 1.2;
        const QRectF box(plot.right() - nameWidth - 46, plot.top() + 8, nameWidth + 38,
                         line * double(named.size()) + 8);
        painter.setPen(QColor(180, 180, 180));
        painter.setBrush(QColor(255, 255, 255, 225));
        painter.drawRect(box);
        for (std::size_t n = 0; n < named.size(); ++n) {
            const auto& s = view.series[named[n]];
            const double y = box.top() + 4 + line * (double(n) + 0.5);
            painter.setPen(QPen(seriesColor(s, named[n]), 2.2));
            painter.drawLine(QPointF(box.left() + 6, y), QPointF(box.left() + 26, y));
            painter.setPen(QColor(40, 40, 40));
            painter.drawText(QPointF(box.left() + 32, y + fm.ascent() / 2 - 1),
                             QString::fromStdString(s.name));
        }
    }
    painter.restore();
}

}  // namespace rx9100qt
