#pragma once
// The colour vector graphic of the selected light (TM-30), drawn by the same painter as
// rx9100's --cvg; a note instead when the selection holds no light that could be rated.
#include <QWidget>
#include <optional>

#include "rx9100qt/ColourVectorPainter.h"

namespace studio {

class ColourVectorView : public QWidget {
  public:
    explicit ColourVectorView(QWidget* parent = nullptr);

    // Nothing: no light to show.
    void setGraphic(std::optional<rx9100qt::ColourVectorView> graphic);
    bool hasGraphic() const { return graphic_.has_value(); }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    std::optional<rx9100qt::ColourVectorView> graphic_;
};

}  // namespace studio
