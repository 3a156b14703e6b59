#pragma once
// The spectra of the selected results, overlaid: absolute or each normalised to its
// peak, zoomed with the wheel (double click: the whole range again).
#include <QImage>
#include <QWidget>
#include <vector>

#include "rx9100qt/SpectrumPainter.h"

namespace studio {

class SpectrumPlot : public QWidget {
    Q_OBJECT
  public:
    explicit SpectrumPlot(QWidget* parent = nullptr);

    void setSeries(std::vector<platform::ui::SpectrumSeries> series, const QString& caption);
    void setNormalised(bool normalised);
    bool normalised() const { return normalised_; }
    void setRange(double fromNm, double toNm);
    double fromNm() const { return from_; }
    double toNm() const { return to_; }
    std::size_t seriesCount() const { return series_.size(); }

    // The graph as drawn on screen, at the given size.
    QImage render(QSize size) const;

    QSize sizeHint() const override { return {640, 360}; }

  protected:
    void paintEvent(QPaintEvent*) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent*) override;

  private:
    rx9100qt::SpectrumView view() const;

    std::vector<platform::ui::SpectrumSeries> series_;
    QString caption_;
    bool normalised_ = false;
    double from_ = platform::ui::kSpectrumFirstNm;
    double to_ = platform::ui::kSpectrumLastNm;
};

}  // namespace studio
