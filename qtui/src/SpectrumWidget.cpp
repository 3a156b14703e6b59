#include "SpectrumWidget.h"

#include <QPainter>

#include "rx9100qt/SpectrumPainter.h"

namespace rx9100qt {

SpectrumWidget::SpectrumWidget(const platform::ui::SpectralGraph& model, QWidget* parent)
    : QWidget(parent), model_(model) {}

void SpectrumWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    SpectrumView view;
    view.series = model_.series();
    view.fromNm = model_.rangeFrom();
    view.toNm = model_.rangeTo();
    view.valueCaption = QString::fromStdString(model_.valueCaption());
    paintSpectrum(painter, QRectF(rect()), view);
}

}  // namespace rx9100qt
