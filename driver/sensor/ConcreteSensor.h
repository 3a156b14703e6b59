#pragma once
// The base implementation shared by instrument drivers: the records, the
// capability lists, error display and the remote-measurement machinery.
#include <atomic>

#include "outside/PortwayEx.h"
#include "platform/Export.h"
#include "platform/Sync.h"
#include "sensor/AbstractSensorStrategy.h"

class RX9100_API ConcreteSensor : public AbstractSensorStrategy {
  public:
    // Window messages of the remote-measurement hand-over.
    static constexpr unsigned kRemoteMessageFirst = 4999;
    static constexpr unsigned kRemoteMessageLast = 5001;

    ConcreteSensor() = default;
    ~ConcreteSensor() override = default;

    int connect() override { return 0; }
    void disconnect() override {}
    void setMeasurementType(int) override {}
    SetupStatus* getSetupStatus() override { return &setupStatus; }
    void getSetupStatus(SetupStatus& copy) override { copy = setupStatus; }
    SetupCapability* getSetupCapability() override { return &setupCapability; }
    void setApplicationObserver(int) override {}
    void setApplicationIlluminant(int) override {}
    void setApplicationLuminance(int luminance) override { applicationLuminance = luminance; }
    int doOptionalSingleCalibration() override { return 0; }
    int doOptionalMatrixCalibration() override { return 0; }
    int doOptionalWaveCalibration() override { return 0; }
    int doOptionalLevelCalibration() override { return 0; }
    bool getCalibrationImage(int, std::string& image) override {
        image.clear();
        return true;
    }
    void setCurrentWhitePoint(const double*) override {}
    int getRemoteData(std::vector<MeasuringData>&) override { return 0; }
    void setMeasurementCancel(bool) override {}
    int uploadTargetData(std::vector<DataPack>&, ItemIterator*, ItemIterator*) override {
        return 0;
    }
    int uploadSampleData(std::vector<DataPack>&, std::vector<DataPack>&, ItemIterator*,
                         ItemIterator*) override {
        return 0;
    }
    int downloadTargetData(DataPack&) override { return 0; }
    CalibrationCapability* getCalibrationCapability() override { return &calibrationCapability; }
    InstrumentId* getInstrumentId() override { return &instrumentId; }
    DataFormat* getDataFormat() override { return &dataFormat; }
    InstrumentCapability* getInstrumentCapability() override { return &instrumentCapability; }
    InstrumentState* getInstrumentState() override { return &instrumentState; }
    bool getMeasureEnable() override { return true; }
    int setupWhiteCalibrationData() override { return 0; }
    int setupRSProperty(platform::WindowHandle, int) override { return 0; }
    void setErrorVisible(bool visible) override { errorVisible = visible; }
    int remoteMeasure() override;
    int quitRemoteMeasure(bool disable) override;
    int lockRemote() override;
    int unlockRemote(bool arg) override;
    void approveGetData() override;
    bool runRemote() override { return remoteRunning; }

    virtual int setTriggerEnable(bool, bool) { return 0; }  // 46
    virtual void onThread();                                // 47
    virtual void offThread();                               // 48

    bool isErrorVisible() const { return errorVisible; }

  protected:
    virtual void createThread() {}            // 49
    virtual void initializeInstrument() = 0;  // 50
    virtual void initializeCapability();      // 51

    // List builders: each appends the item for a known id and re-registers its list.
    void setCapabilityMode(int id);
    void setCapabilityLens(int id);
    void setCapabilityArea(int id);
    void setCapabilitySpeed(int id);
    void setCapabilitySync(int id);
    void setCapabilityCalMode(int id);
    void setCapabilityObserver(int id);
    void setCapabilityIlluminant(int id);
    void setCapabilityNd(int id);
    void setCapabilityInsertNd(int id);

    HostConnection* connection = nullptr;
    SetupStatus setupStatus;
    SetupCapability setupCapability;
    CapIteratorOperate listMode;
    CapIteratorOperate listLens;
    CapIteratorOperate listArea;
    CapIteratorOperate listSpeed;
    CapIteratorOperate listSync;
    CapIteratorOperate listCalList;
    CapIteratorOperate listCalMode;
    CapIteratorOperate listObserver;
    CapIteratorOperate listIlluminant;
    CapIteratorOperate listNd;
    CapIteratorOperate listInsertNd;
    CalibrationCapability calibrationCapability;
    InstrumentId instrumentId;
    DataFormat dataFormat;
    InstrumentCapability instrumentCapability;
    InstrumentState instrumentState;
    // Error display starts on: a host that never switches it still sees failures.
    std::atomic<bool> errorVisible{true};
    platform::CriticalSection remoteLock;
    platform::AutoResetEvent approveEvent;
    platform::AutoResetEvent threadEvent;
    // Written by one thread and polled by the other.
    std::atomic<bool> remoteMeasuring{false};
    std::atomic<bool> triggerEnabled{false};
    std::atomic<bool> remoteRunning{false};
    int applicationLuminance = 0;
    // Set when a receive thread was started and has not yet been waited for.
    std::atomic<bool> receiveThreadStarted{false};
    // The receive thread has announced a record and waits for approveGetData().
    std::atomic<bool> awaitingApproval{false};
    // Set from the start of quitRemoteMeasure: a pass waiting for the instrument gives up.
    std::atomic<bool> remoteQuitting{false};

    void waitForReceiveThread();

  private:
    void addWordItem(CapIteratorOperate& list, int id, int wordId);
};
