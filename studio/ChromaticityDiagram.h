#pragma once
// The CIE 1931 xy or CIE 1976 u'v' diagram: spectral locus, Planckian locus with its
// isotemperature marks, and the chromaticities of the selected results.
#include <QImage>
#include <QString>
#include <QWidget>
#include <vector>

#include "ChromaticityGeometry.h"

namespace studio {

struct DiagramPoint {
    QString label;
    double x = 0.0;  // CIE 1931 (of the observer in use)
    double y = 0.0;
};

class ChromaticityDiagram : public QWidget {
    Q_OBJECT
  public:
    explicit ChromaticityDiagram(QWidget* parent = nullptr);

    void setPlane(ChromaticityPlane plane);
    ChromaticityPlane plane() const { return plane_; }
    void setObserver(int observer);
    void setPoints(std::vector<DiagramPoint> points);
    const std::vector<DiagramPoint>& points() const { return points_; }

    QImage render(QSize size) const;
    QSize sizeHint() const override { return {480, 480}; }

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    void paint(QPainter& painter, QSizeF size) const;

    ChromaticityPlane plane_ = ChromaticityPlane::Xy;
    int observer_ = 2;
    std::vector<DiagramPoint> points_;
};

}  // namespace studio
