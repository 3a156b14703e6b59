#include "ColourVectorView.h"

#include <QPainter>

namespace studio {

ColourVectorView::ColourVectorView(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 240);
}

void ColourVectorView::setGraphic(std::optional<rx9100qt::ColourVectorView> graphic) {
    graphic_ = std::move(graphic);
    update();
}

void ColourVectorView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (graphic_) {
        rx9100qt::paintColourVectorGraphic(painter, QRectF(rect()), *graphic_);
        return;
    }
    painter.fillRect(rect(), Qt::white);
    painter.drawText(rect(), Qt::AlignCenter,
                     tr("Select a light source measurement to see its colour vector graphic."));
}

}  // namespace studio
