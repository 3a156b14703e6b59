#pragma once
// The window shown while a measurement runs: the measuring time the instrument
// announced, the elapsed part of it, and Cancel (Esc) to stop it.
#include <QDialog>

class QLabel;
class QProgressBar;

namespace studio {

class MeasureProgressDialog : public QDialog {
    Q_OBJECT
  public:
    explicit MeasureProgressDialog(QWidget* parent);

    void begin(int index, int count);
    // Hundredths of a second.
    void setProgress(unsigned elapsed, unsigned total);

  signals:
    void cancelRequested();

  protected:
    void reject() override;

  private:
    QLabel* series_;
    QLabel* time_;
    QProgressBar* bar_;
};

}  // namespace studio
