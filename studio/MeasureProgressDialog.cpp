#include "MeasureProgressDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace studio {

MeasureProgressDialog::MeasureProgressDialog(QWidget* parent)
    : QDialog(parent),
      series_(new QLabel(this)),
      time_(new QLabel(this)),
      bar_(new QProgressBar(this)) {
    setWindowTitle(QStringLiteral("測定中"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(series_);
    layout->addWidget(time_);
    bar_->setTextVisible(false);
    layout->addWidget(bar_);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cancelMeasurement"));
    connect(buttons, &QDialogButtonBox::rejected, this, &MeasureProgressDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(320);
}

void MeasureProgressDialog::begin(int index, int count) {
    series_->setText(count > 1 ? tr("Measurement %1 of %2").arg(index).arg(count)
                               : tr("Measurement"));
    time_->setText(QStringLiteral("測定時間(秒): -"));
    bar_->setRange(0, 0);  // busy until the instrument tells the measuring time
}

void MeasureProgressDialog::setProgress(unsigned elapsed, unsigned total) {
    if (total == 0) {
        return;
    }
    time_->setText(QStringLiteral("測定時間(秒): %1").arg(total * 0.01, 0, 'f', 2));
    bar_->setRange(0, static_cast<int>(total));
    bar_->setValue(static_cast<int>(std::min(elapsed, total)));
}

void MeasureProgressDialog::reject() {
    // The window stays until the measurement has ended; Cancel only asks for it.
    emit cancelRequested();
}

}  // namespace studio
