#pragma once
// The measuring conditions.
#include <string>

#include "platform/Export.h"
#include "sensor/CTime.h"

class RX9100_API SetupStatus {
  public:
    SetupStatus() = default;
    SetupStatus(const SetupStatus&) = default;
    SetupStatus& operator=(const SetupStatus&) = default;
    virtual ~SetupStatus() = default;

    // Restores every default except the measurement time and the integral time.
    void clearStatus();

    CTime getMeasurementTime() const { return measurementTime_; }
    void setMeasurementTime(const CTime& time) { measurementTime_ = time; }
    int getMeasurementMethod() const { return measurementMethod_; }
    void setMeasurementMethod(int method) { measurementMethod_ = method; }
    int getLens() const { return lens_; }
    void setLens(int lens) { lens_ = lens; }
    int getMeasurementArea() const { return measurementArea_; }
    void setMeasurementArea(int area) { measurementArea_ = area; }
    int getSpeed() const { return speed_; }
    void setSpeed(int speed) { speed_ = speed; }
    bool getSyncAuto() const { return syncAuto_; }
    void setSyncAuto(bool automatic) { syncAuto_ = automatic; }
    int getSync() const { return sync_; }
    void setSync(int sync) { sync_ = sync; }
    float getSyncInternalParam() const { return syncInternalParam_; }
    void setSyncInternalParam(const float& hertz) { syncInternalParam_ = hertz; }
    float getSyncManualParam() const { return syncManualParam_; }
    void setSyncManualParam(const float& count) { syncManualParam_ = count; }
    double getSyncManualDouble() const { return syncManualDouble_; }
    void setSyncManualDouble(const double& seconds) { syncManualDouble_ = seconds; }
    float getIntegralTime() const { return integralTime_; }
    void setIntegralTime(const float& seconds) { integralTime_ = seconds; }
    int getCalibrationCh() const { return calibrationCh_; }
    void setCalibrationCh(int channel) { calibrationCh_ = channel; }
    int getCalibrationMode() const { return calibrationMode_; }
    void setCalibrationMode(int mode) { calibrationMode_ = mode; }
    std::string getCalibrationId() const { return calibrationId_; }
    void setCalibrationId(const std::string& id) { calibrationId_ = id; }
    int getObserver() const { return observer_; }
    void setObserver(int observer) { observer_ = observer; }
    int getIlluminant01() const { return illuminant01_; }
    void setIlluminant01(int illuminant) { illuminant01_ = illuminant; }
    int getIlluminant02() const { return illuminant02_; }
    void setIlluminant02(int illuminant) { illuminant02_ = illuminant; }
    int getNd() const { return nd_; }
    void setNd(int nd) { nd_ = nd; }
    int getInsertNd() const { return insertNd_; }
    void setInsertNd(int insertNd) { insertNd_ = insertNd; }
    int getColorSpace() const { return colorSpace_; }
    void setColorSpace(int colorSpace) { colorSpace_ = colorSpace; }
    int getGroupId() const { return groupId_; }
    std::string getGroupName() const { return groupName_; }
    void setGroup(int id, const std::string& name) {
        groupId_ = id;
        groupName_ = name;
    }
    int getWarningId() const { return warningId_; }
    std::string getWarningMessage() const { return warningMessage_; }
    void setWarning(int id, const std::string& message) {
        warningId_ = id;
        warningMessage_ = message;
    }
    int getAverage() const { return average_; }
    void setAverage(int count) { average_ = count; }
    float getCommonParameter() const { return commonParameter_; }
    void setCommonParameter(const float& value) { commonParameter_ = value; }
    std::string getCommonString() const { return commonString_; }
    void setCommonString(const std::string& text) { commonString_ = text; }

  private:
    CTime measurementTime_;
    int measurementMethod_ = 0;
    int lens_ = 0;
    int measurementArea_ = 0;
    int speed_ = 0;
    bool syncAuto_ = false;
    int sync_ = 0;
    float syncInternalParam_ = 60.0f;
    float syncManualParam_ = 60.0f;
    double syncManualDouble_ = 60.0;
    float integralTime_ = -1.0f;
    int calibrationCh_ = -1;
    int calibrationMode_ = 0;
    std::string calibrationId_;
    int observer_ = 0;
    int illuminant01_ = 0;
    int illuminant02_ = 0;
    int nd_ = -1;
    int insertNd_ = -1;
    int colorSpace_ = 1000;
    int groupId_ = 0;
    std::string groupName_;
    int warningId_ = 0;
    std::string warningMessage_;
    int average_ = 1;
    float commonParameter_ = 0.0f;
    std::string commonString_;
};
