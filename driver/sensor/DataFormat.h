#pragma once
// The shape of the instrument's data: type 3 spectral, type 2 colorimetric.
#include "platform/Export.h"

class RX9100_API DataFormat {
  public:
    static constexpr int kColorimetric = 2;
    static constexpr int kSpectral = 3;

    DataFormat() = default;
    DataFormat(const DataFormat&) = default;
    DataFormat& operator=(const DataFormat&) = default;
    virtual ~DataFormat() = default;

    void setType(const int& type, const int& amount) {
        type_ = type;
        amount_ = amount;
    }
    void setOutput(int output) { output_ = output; }
    void setWaveLength(const int& pitch, const int& shortWave, const int& longWave) {
        pitch_ = pitch;
        shortWave_ = shortWave;
        longWave_ = longWave;
    }
    int getType() const { return type_; }
    int getAmount() const { return amount_; }
    int getOutput() const { return output_; }
    int getPitch() const { return pitch_; }
    int getShortWave() const { return shortWave_; }
    int getLongWave() const { return longWave_; }

  private:
    int type_ = 0;
    int amount_ = 0;
    int output_ = 1;
    int pitch_ = 0;
    int shortWave_ = 0;
    int longWave_ = 0;
};
