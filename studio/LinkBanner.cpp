#include "LinkBanner.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace studio {

LinkBanner::LinkBanner(QWidget* parent)
    : QFrame(parent), label_(new QLabel(this)), reconnect_(new QPushButton(tr("Reconnect"), this)) {
    setObjectName(QStringLiteral("linkBanner"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(
        QStringLiteral("#linkBanner { background: #fde2e1; border: 1px solid #d9534f; }"));
    label_->setWordWrap(true);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* close = new QPushButton(tr("Dismiss"), this);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(label_, 1);
    layout->addWidget(reconnect_);
    layout->addWidget(close);
    connect(reconnect_, &QPushButton::clicked, this, &LinkBanner::reconnectRequested);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    hide();
}

void LinkBanner::showFailure(const QString& text, bool linkLost) {
    label_->setText(text);
    reconnect_->setVisible(linkLost);
    show();
}

QString LinkBanner::text() const {
    return label_->text();
}

}  // namespace studio
