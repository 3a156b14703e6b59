#pragma once
// The strip above the results that says what went wrong, in the driver's words, with a
// Reconnect button when the link to the instrument was lost.
#include <QFrame>

class QLabel;
class QPushButton;

namespace studio {

class LinkBanner : public QFrame {
    Q_OBJECT
  public:
    explicit LinkBanner(QWidget* parent = nullptr);

    void showFailure(const QString& text, bool linkLost);
    QString text() const;
    QPushButton* reconnectButton() const { return reconnect_; }

  signals:
    void reconnectRequested();

  private:
    QLabel* label_;
    QPushButton* reconnect_;
};

}  // namespace studio
