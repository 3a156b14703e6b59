#pragma once
// The colour calculation library used by the stored-data dialogs and by hosts.
// Item ids of calculateColor results (X, Y, Z; Lv, x, y; u', v'; ...) are listed
// in ColorItemIds.h; the layout of getCalculateData is documented there too.
#include <memory>
#include <vector>

#include "outside/ItemIterator.h"

struct ItemValue {
    int id = 0;
    double value = 0.0;
};

class CalculateColorControl {
  public:
    CalculateColorControl();
    ~CalculateColorControl();
    CalculateColorControl(const CalculateColorControl&) = delete;
    CalculateColorControl& operator=(const CalculateColorControl&) = delete;

    void clearSampleData();
    // One-item lists: the observer code (2 or 10) and the illuminant code.
    void setObserverAndIlluminant(ItemIterator* observer, ItemIterator* illuminant);
    // Colorimetric sample: (sample, kind, observer code, reserved, reserved, Lv x y).
    void addSampleData(int sample, int kind, int observer, int reserved1, int reserved2,
                       const std::vector<double>& values);
    // Spectral sample: (sample, data type, pitch, short nm, long nm, reserved, values).
    void addSampleData(int sample, int type, int pitch, int shortWave, int longWave, int reserved,
                       const std::vector<double>& values);
    bool calculateColor(int sample, int reserved, std::vector<ItemValue>& result);

    void setObsIll(const int& observer, const int& illuminant);
    void setDataForCalculate(std::vector<double>& values, const int& pitch, const int& shortWave,
                             const int& longWave, int type);
    bool getCalculateData(std::vector<double>& result);

    struct Impl;

  private:
    std::unique_ptr<Impl> impl_;
};
