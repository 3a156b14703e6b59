#pragma once
#include <QDialog>
#include <map>
#include <vector>

#include "platform/ui/Dialog.h"

namespace rx9100qt {

// One driver dialog as a Qt window: a widget per control, placed from the
// template's dialog units, kept in step with the control models, and turning
// the user's input into the dialog's user actions.
class DialogWidget : public QDialog, public platform::ui::DialogView {
  public:
    DialogWidget(platform::ui::Dialog& dialog, QWidget* parent, bool modal);
    ~DialogWidget() override;

    platform::ui::Dialog& dialog() { return dialog_; }
    QWidget* widgetFor(int controlId) const;
    // Brings every widget up to date with its model.
    void syncAll();

    // DialogView
    void controlChanged(const platform::ui::Control& control) override;
    void titleChanged(const std::string& title) override;
    void focusChanged(int id, bool selectAll) override;
    void dialogEnded(int code) override;

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void reject() override;

  private:
    QWidget* createWidget(platform::ui::Control& control);
    void sync(const platform::ui::Control& control, QWidget* widget);
    QRect toPixels(const platform::ui::Rect& du) const;
    void connectFocusTracking();

    platform::ui::Dialog& dialog_;
    bool modal_;
    bool syncing_ = false;
    bool closing_ = false;
    double baseX_ = 6.0;
    double baseY_ = 13.0;
    std::map<const platform::ui::Control*, QWidget*> widgets_;
    // Lists are rebuilt once per turn of the event loop, not once per cell.
    std::vector<const platform::ui::Control*> pendingLists_;
};

}  // namespace rx9100qt
