#pragma once
// Which calibrations the instrument offers.
#include "platform/Export.h"

class RX9100_API CalibrationCapability {
  public:
    CalibrationCapability() = default;
    CalibrationCapability(const CalibrationCapability&) = default;
    CalibrationCapability& operator=(const CalibrationCapability&) = default;
    virtual ~CalibrationCapability() = default;

    bool isZeroCal() const { return zeroCal_; }
    void setZeroCal(bool value) { zeroCal_ = value; }
    bool isWhiteCal() const { return whiteCal_; }
    void setWhiteCal(bool value) { whiteCal_ = value; }
    bool isColorCal() const { return colorCal_; }
    void setColorCal(bool value) { colorCal_ = value; }
    bool isMatrixCal() const { return matrixCal_; }
    void setMatrixCal(bool value) { matrixCal_ = value; }
    bool isFluoresce() const { return fluoresce_; }
    void setFluoresce(bool value) { fluoresce_ = value; }
    bool isLevelCal() const { return levelCal_; }
    void setLevelCal(bool value) { levelCal_ = value; }
    bool isWaveCal() const { return waveCal_; }
    void setWaveCal(bool value) { waveCal_ = value; }
    bool isMultiCal() const { return multiCal_; }
    void setMultiCal(bool value) { multiCal_ = value; }
    bool isSetWhite() const { return setWhite_; }
    void setSetWhite(bool value) { setWhite_ = value; }

  private:
    bool zeroCal_ = false;
    bool whiteCal_ = false;
    bool colorCal_ = false;
    bool matrixCal_ = false;
    bool fluoresce_ = false;
    bool levelCal_ = false;
    bool waveCal_ = false;
    bool multiCal_ = false;
    bool setWhite_ = false;
};
