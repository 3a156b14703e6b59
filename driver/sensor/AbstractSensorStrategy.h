#pragma once
// The interface a host colour application drives an instrument through.
// The operations keep their slot order; hosts built against it rely on it.
#include <string>
#include <vector>

#include "platform/Export.h"
#include "platform/Window.h"
#include "sensor/CalibrationCapability.h"
#include "sensor/CapIterator.h"
#include "sensor/DataFormat.h"
#include "sensor/DataPack.h"
#include "sensor/InstrumentCapability.h"
#include "sensor/InstrumentId.h"
#include "sensor/InstrumentState.h"
#include "sensor/MeasuringData.h"
#include "sensor/SetupCapability.h"
#include "sensor/SetupStatus.h"

class RX9100_API AbstractSensorStrategy {
  public:
    virtual ~AbstractSensorStrategy() = default;                         // 0
    virtual int connect() = 0;                                           // 1
    virtual void disconnect() = 0;                                       // 2
    virtual int checkInstrumentEnable() = 0;                             // 3
    virtual void setMeasurementType(int type) = 0;                       // 4
    virtual int checkSetupStatus() = 0;                                  // 5
    virtual int setSetupStatus() = 0;                                    // 6
    virtual int setupInstrument() = 0;                                   // 7
    virtual SetupStatus* getSetupStatus() = 0;                           // 8
    virtual void getSetupStatus(SetupStatus& copy) = 0;                  // 9
    virtual SetupCapability* getSetupCapability() = 0;                   // 10
    virtual void setApplicationObserver(int observer) = 0;               // 11
    virtual void setApplicationIlluminant(int illuminant) = 0;           // 12
    virtual void setApplicationLuminance(int luminance) = 0;             // 13
    virtual int doBlackCalibration() = 0;                                // 14
    virtual int doWhiteCalibration() = 0;                                // 15
    virtual int doOptionalSingleCalibration() = 0;                       // 16
    virtual int doOptionalMatrixCalibration() = 0;                       // 17
    virtual int doOptionalWaveCalibration() = 0;                         // 18
    virtual int doOptionalLevelCalibration() = 0;                        // 19
    virtual bool getCalibrationImage(int kind, std::string& image) = 0;  // 20
    virtual void setCurrentWhitePoint(const double* whitePoint) = 0;     // 21
    virtual int doMeasurement(std::vector<MeasuringData>& out,
                              platform::WindowHandle progressWindow) = 0;  // 22
    virtual int getRemoteData(std::vector<MeasuringData>& out) = 0;        // 23
    virtual void setMeasurementCancel(bool cancel) = 0;                    // 24
    virtual int uploadTargetData(std::vector<DataPack>& targets, ItemIterator* first,
                                 ItemIterator* second) = 0;  // 25
    virtual int uploadSampleData(std::vector<DataPack>& first, std::vector<DataPack>& samples,
                                 ItemIterator* a,
                                 ItemIterator* b) = 0;                        // 26
    virtual int downloadTargetData(DataPack& target) = 0;                     // 27
    virtual CalibrationCapability* getCalibrationCapability() = 0;            // 28
    virtual InstrumentId* getInstrumentId() = 0;                              // 29
    virtual DataFormat* getDataFormat() = 0;                                  // 30
    virtual InstrumentCapability* getInstrumentCapability() = 0;              // 31
    virtual InstrumentState* getInstrumentState() = 0;                        // 32
    virtual bool getMeasureEnable() = 0;                                      // 33
    virtual int doInstrumentOption() = 0;                                     // 34
    virtual int deleteInstrumentData() = 0;                                   // 35
    virtual int setupWhiteCalibrationData() = 0;                              // 36
    virtual int setupRSProperty(platform::WindowHandle window, int arg) = 0;  // 37
    virtual int checkInstrumentState() = 0;                                   // 38
    virtual void setErrorVisible(bool visible) = 0;                           // 39
    virtual int remoteMeasure() = 0;                                          // 40
    virtual int quitRemoteMeasure(bool disable) = 0;                          // 41
    virtual int lockRemote() = 0;                                             // 42
    virtual int unlockRemote(bool arg) = 0;                                   // 43
    virtual void approveGetData() = 0;                                        // 44
    virtual bool runRemote() = 0;                                             // 45
};
