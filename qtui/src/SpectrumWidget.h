#pragma once
#include <QWidget>

#include "platform/ui/SpectralGraph.h"

namespace rx9100qt {

// The spectral graph control: paints its model with paintSpectrum.
class SpectrumWidget : public QWidget {
  public:
    SpectrumWidget(const platform::ui::SpectralGraph& model, QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const platform::ui::SpectralGraph& model_;
};

}  // namespace rx9100qt
