#pragma once
// The result list and, for the selected results, the spectra, the colour values for the
// chosen observer and the chromaticity diagram.
#include <QWidget>
#include <cstddef>
#include <vector>

#include "ResultList.h"

class QListWidget;
class QTableWidget;
class QTabWidget;

namespace studio {

class ChromaticityDiagram;
class ColourVectorView;
class SpectrumPlot;

class ResultsPanel : public QWidget {
    Q_OBJECT
  public:
    ResultsPanel(ResultList& results, QWidget* parent = nullptr);

    // The list changed: shows it again; selectLast selects the newest result alone.
    void refresh(bool selectLast);
    std::vector<std::size_t> selection() const;
    void selectAll();
    // Selects this result alone.
    void selectOnly(std::size_t index);

    void setObserver(int observer);
    int observer() const { return observer_; }

    SpectrumPlot* spectrum() const { return spectrum_; }
    ChromaticityDiagram* diagram() const { return diagram_; }
    ColourVectorView* colourVector() const { return vector_; }
    QTableWidget* colourTable() const { return colours_; }
    QListWidget* list() const { return list_; }
    QTabWidget* tabs() const { return tabs_; }

  signals:
    void selectionChanged();

  private:
    void showSelection();

    ResultList& results_;
    int observer_ = 2;
    QListWidget* list_;
    QTabWidget* tabs_;
    SpectrumPlot* spectrum_;
    ChromaticityDiagram* diagram_;
    ColourVectorView* vector_;
    QTableWidget* colours_;
};

}  // namespace studio
