#pragma once
// The RX-9100 driver object: the one instance a host obtains with getInstance().
#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Export.h"
#include "sensor/ConcreteSensor.h"
#include "sensor/RegistryStore.h"
#include "sensor/StoredRecords.h"
#include "usercal/CalibrationFiles.h"
#include "whitecal/WhiteCalibrationData.h"

class ChannelLink;
class ConditionLink;
class ConnectionLink;
class Exchanger;
class FactorTableLink;
class TavoRX9100;

// The argument block of the receive thread.
struct ThreadParam {
    TavoRX9100* driver = nullptr;
    platform::WindowHandle mainWindow = nullptr;
};

class RX9100_API TavoRX9100 : public ConcreteSensor {
  public:
    static constexpr int kChannels = 11;
    static constexpr const char* kApplicationKey = "QV-L40w";
    static constexpr const char* kSection = "RX-9100";

    // The one driver object, constructed at the first call.
    static AbstractSensorStrategy* getInstance();

    // Hosts use getInstance(); tests and tools may build their own object.
    TavoRX9100();
    ~TavoRX9100() override;
    TavoRX9100(const TavoRX9100&) = delete;
    TavoRX9100& operator=(const TavoRX9100&) = delete;

    // Interface operations.
    int connect() override;
    void disconnect() override;
    int checkInstrumentEnable() override { return 0; }
    void setMeasurementType(int type) override;
    int checkSetupStatus() override;
    int setSetupStatus() override;
    int setupInstrument() override;
    void setApplicationObserver(int observer) override;
    int doBlackCalibration() override { return 0; }
    int doWhiteCalibration() override;
    bool getCalibrationImage(int, std::string&) override { return true; }
    void setCurrentWhitePoint(const double*) override {}
    int doMeasurement(std::vector<MeasuringData>& out,
                      platform::WindowHandle progressWindow) override;
    int getRemoteData(std::vector<MeasuringData>& out) override;
    // Safe from any thread at any time: the run polls the flag, and a run waiting for the
    // instrument's completion reply is woken (docs/driver.md, "Stopping").
    void setMeasurementCancel(bool cancel) override;
    int uploadTargetData(std::vector<DataPack>& targets, ItemIterator*, ItemIterator*) override;
    int uploadSampleData(std::vector<DataPack>& first, std::vector<DataPack>& samples,
                         ItemIterator*, ItemIterator*) override;
    int downloadTargetData(DataPack& target) override;
    int doInstrumentOption() override;
    int deleteInstrumentData() override;
    int setupWhiteCalibrationData() override;
    int setupRSProperty(platform::WindowHandle window, int arg) override;
    int checkInstrumentState() override;
    int setTriggerEnable(bool enable, bool arg) override;

    virtual void setCalibrationMode(bool wavelength, bool nd, bool level);  // 52
    virtual void setCalibrationMode(int mode);                              // 53
    virtual int getCalibrationMode() const;                                 // 54
    virtual int setupInstrumentView() { return 0; }                         // 55

    // Exported members the driver's dialogs and the host use.
    int getApplicationObserver() const { return applicationObserver; }
    int getApplicationLuminance() const { return applicationLuminance; }
    bool Is2ndVer() const { return secondVersion; }
    int getInsertNd() const { return insertNd; }
    void setInsertNd(int value);
    int getNdCoef() const { return ndCoef; }
    void setNdCoef(int value) { ndCoef = value; }
    int getLensCoef() const { return lensCoef; }
    void setLensCoef(int value) { lensCoef = value; }
    int getMesAng() const { return mesAng; }
    void setMesAng(int value) { mesAng = value; }
    bool getDoWhiteCalb() const { return doWhiteCalb; }
    void setDoWhiteCalb(bool value) { doWhiteCalb = value; }
    int getActiveTarget() const { return activeTarget; }
    void setWaveCalSet(bool value, int ch);
    bool getWaveCalSet(int ch) const;
    void setLevelCalSet(bool value, int ch);
    bool getLevelCalSet(int ch) const;
    void setWaveCoef(bool value, int ch);
    bool getWaveCoef(int ch) const;
    void setLevelCoef(bool value, int ch);
    bool getLevelCoef(int ch) const;
    bool IsCorrectWavelength() const { return false; }
    bool isTriggerCancel();
    int getFirmwareLevel() const { return firmwareLevel; }

    // Driver extension, outside the host interface: the status of the completion reply of
    // the last doMeasurement as an error code, 200 + nn for "OKnn" (200 none, 216
    // insufficient exposure); 0 when that run ended before its completion reply. The
    // instrument state's error code after a measurement follows the record's warning id
    // instead, as hosts expect. Read it after doMeasurement has returned.
    int getCompletionCode() const { return completionCode; }
    // Its text: "エラーなし" for 200, "露光量不足" for 216, empty for any other code.
    std::string getCompletionMessage() const;

    // Command exchange.
    int openPort();
    int closePort();
    int doCommunication(const std::string& command, std::string& reply, int timeout, bool expectOk);
    int doCommunication_Recv(std::string& reply, int timeout);
    void setErrorMessage(int code);
    void setErrorMessageTrgMode(int code, TavoRX9100* driver);
    void setWarningMessage(int code);
    std::string getFormatString(const double& value) const;
    void getDoubleToHex(double& value, std::string& text) const;
    void getFloatToHex(float& value, std::string& text) const;
    void getHexToDouble(std::string text, double& value) const;
    void getHexToFloat(std::string text, float& value) const;

    // Connection and identification.
    int setRemoteMode(int mode);
    int checkInstrumentId();

    // Measuring-condition commands.
    int checkSpeed();
    int setSpeed();
    int checkSync();
    int setSync();
    int checkLens();
    int setLens();
    int checkNd();
    int setNd();
    int checkArea();
    int checkColorSpace(int& out);
    int setColorSpace(int value);
    int checkDisplayMode(int& out);
    int setDisplayMode(int value);
    int checkObserver(int& out);
    int setObserver(int value);
    int checkBackLight(int& always, int& measuring);
    int setBackLight(int always, int measuring);
    int checkLuminanceMode(int& out);
    int setLuminanceMode(int value);

    // Adapter-lens and ND factor tables: 401 factors in a caller's table. The angle comes
    // from the instrument unless given; the filter (1 or 2) from the ND code unless given.
    int checkAdapterLens();
    int getAdapterLens(double* table);
    int setAdapterLens(double* table);
    int setAdapterLens(double* table, int angle);
    int checkAdapterNd();
    int checkAdapterNd(int filter);
    int getAdapterNd(double* table);
    int getAdapterNd(double* table, int filter);
    int setAdapterNd(double* table);
    int setAdapterNd(double* table, int filter);
    int setAdapterNd(double* table, int filter, int angle);

    // Calibration channels 0 to 10 (99 asks the instrument for the active one).
    int checkCalibrationCh(int ch, int& chOut, int& mode, int& reserved, std::string& id,
                           bool fullScan);
    int checkCalibrationCh();  // rebuilds the channel list
    int checkActiveCh();
    int setActiveCh();
    int setCalibrationId(int ch, const std::string& id);
    int checkWavelengthData(double* table, int ch);
    int checkLevelData(double* table, int ch);
    int checkWavelengthData(double* table);
    int checkLevelData(double* table);

    // User-calibration corrections of a record, by the calibration mode of the conditions.
    void CorrectMeasurementData(MeasuringData& record, int channel);
    int CorrectWavelength(MeasuringData& record, int channel);
    int CorrectLevel(MeasuringData& record, int channel);
    int CorrectND(MeasuringData& record);

    // Measurement data decoding.
    int getMeasurementData(MeasuringData& record);
    int getMesHexData(const std::string& request, MeasuringData& record);
    int getMesTextData(const std::string& request, MeasuringData& record);
    // Stored targets (target true, 1 to 20) and samples (0 to 99).
    int readStoredHeader(bool target, int number, std::string& reply);
    void decodeStoredHeader(std::string reply, MeasuringData& record) const;
    bool readStoredColor(bool target, int number, std::string& reply);
    void decodeStoredColor(const std::string& reply, MeasuringData& record) const;
    void readTargetName(int number, MeasuringData& record);
    int readStoredSpectrum(bool target, int number, MeasuringData& record);

    // Stored data: every target (1 to 20) or sample (0 to 99) into records, in number
    // order. 0 when read to the end, 10 when progress.cancelled asked to stop, -10 when a
    // read failed (the records read so far are kept). With checkFinite a record holding a
    // value that is not finite is left out and its number listed in invalid.
    int readStoredRecords(bool targets, bool checkFinite, StoredRecords& out,
                          const StoredReadProgress& progress);
    // A reference colour: 401 spectral points (type 3) or three colour values (Lv, x, y)
    // for the observer of the host, then the name. 10 without sending for a number outside
    // 1 to 20 or data that cannot be written (targetWritable); else the first failing
    // exchange's result, the points before it staying written.
    int writeTarget(int number, const DataPack& reference, const std::string& name);
    // 401 values of a spectrum, or three colour values each below 1 000 000.
    static bool targetWritable(const DataPack& reference);
    // The instrument's active target into getActiveTarget(), and its choice.
    int checkActiveTarget();
    int setActiveTarget(int number);
    // Every sample (samples true) or every target.
    int clearAllData(bool samples);
    // One stored record after the other, stopping at the first failure (its result).
    int deleteStoredRecords(bool targets, const std::vector<int>& numbers);

    // White-calibration application (in place; a vector that is not 401 long is left alone).
    void ConvMeasurementData(MeasuringData& record, int channel);
    void CalbMeasurementData(MeasuringData& record);
    void CalbRefMeasurementData(MeasuringData& record);
    void CalbTraMeasurementData(MeasuringData& record);

    // Settings and folders.
    void SetWhiteCalirationPathStdToReg(std::string& path);
    void SetWhiteCalibrationPathUserToReg(std::string& path);
    void SetWhiteCalibrationUserOnToReg(int on);
    std::string GetWhiteCalibrationPathStdFromReg() const { return whiteCalStdPath; }
    std::string GetWhiteCalibrationPathUserFromReg() const { return whiteCalUserPath; }
    int GetWhiteCalibrationUserOnFromReg() const { return whiteCalUserOn; }
    std::string GetAppFolderPath() const;
    std::string GetRX9100SystemFolderPath() const;
    RegistryStore& getRegistry() { return *registry; }

    // Replaces the transport (for hosts and tests that bring their own link);
    // the previous one is deleted without sending anything.
    void setConnection(std::unique_ptr<HostConnection> replacement);
    HostConnection* getConnection() { return connection; }

    // White calibration records by method group and measuring angle index (0 to 2;
    // null for any other).
    WhiteCalibrationData* whiteCalibrationRef(int angle);
    WhiteCalibrationData* whiteCalibrationTra(int angle);

    // The channel operations of the user-calibration editor (whole channels to and from
    // its files, erasing).
    RX9100_INTERNAL ChannelLink editorChannels();

  protected:
    void createThread() override;
    static unsigned recvdataThread(void* param);
    // One pass of the receive thread after the trigger step (lock held).
    void receivePass(platform::WindowHandle mainWindow);
    // The exchange of the receive thread's header request, with error display off.
    int requestRemoteHeader(std::string& reply);
    // The receive thread switches the measuring key; true when the instrument took it.
    // A failure is reported (once, when asked to) and left for the next pass to retry.
    RX9100_INTERNAL bool switchMeasuringKey(bool enable, bool reportFailure);
    void initializeInstrument() override;

    // Data that came back incomplete or malformed: error 43 with its text, and 10.
    RX9100_INTERNAL int dataNotReceived();
    // One stored record: a record in pack, nothing (empty or invalid: see invalid), or the
    // failure that stops a reading.
    // The import dialog for targets or samples, its results into the host's vectors.
    RX9100_INTERNAL int runUploadDialog(bool targets, std::vector<DataPack>* first,
                                        std::vector<DataPack>* second);
    RX9100_INTERNAL int readStoredRecord(bool target, int number, bool checkFinite,
                                         std::optional<DataPack>& pack, bool& invalid);

    // The measurement run's stop: asked for by the host (cancel) or by a disconnect.
    RX9100_INTERNAL bool stopRequested() const;
    // Pauses, returning early (false) when a stop is asked for.
    RX9100_INTERNAL bool pauseUnlessStopped(unsigned milliseconds) const;
    // Wakes a run that waits for the completion reply.
    RX9100_INTERNAL void interruptCompletionWait();
    // The completion reply, with the wait that a stop request cuts short.
    RX9100_INTERNAL int awaitCompletion(std::string& reply);
    // "MEAS,0": 10 when the instrument took it, else the exchange's result.
    RX9100_INTERNAL int stopMeasurement();

    // The exchanger of the driver's own operations: doCommunication, which recovers an
    // instrument that left remote mode.
    Exchanger& exchanger();
    // The protocol objects over an exchanger and the driver's records.
    ConditionLink conditionLink(Exchanger& through);
    ConnectionLink connectionLink(Exchanger& through);
    RX9100_INTERNAL FactorTableLink factorTableLink(Exchanger& through);
    RX9100_INTERNAL ChannelLink channelLink(Exchanger& through);
    // After "ER00": the recovery, whose exchanges never recover in turn.
    int recoverRemoteMode(bool expectOk);
    // "RMTS,0" with error display off, keeping the error code and text the host should read.
    RX9100_INTERNAL void returnToLocalMode();

    std::unique_ptr<HostConnection> ownedConnection;
    std::unique_ptr<RegistryStore> registry;
    int applicationObserver = 0;
    std::vector<MeasuringData> remoteData;
    ThreadParam threadParam;
    int insertNd = 0;
    int activeTarget = 0;
    std::string whiteCalStdPath;
    std::string whiteCalUserPath;
    int whiteCalUserOn = 0;
    int ndCoef = 0;
    int lensCoef = 0;
    int mesAng = 0;
    bool doWhiteCalb = false;
    std::array<bool, kChannels> waveCalSet{};
    std::array<bool, kChannels> levelCalSet{};
    std::array<bool, kChannels> waveCoef{};
    std::array<bool, kChannels> levelCoef{};
    int firmwareLevel = 0;
    bool secondVersion = false;
    std::atomic<bool> measurementCancel{false};
    int completionCode = 0;  // of the last doMeasurement (getCompletionCode)

    // The speeds an instrument of that firmware offers, in list order.
    static std::vector<int> speedListFor(int firmwareLevel);
    // Rebuilds the speed list and resets the manual-sync limits that go with it.
    void setSpeedList(const std::vector<int>& speeds);
    // The port and baud rate of the store; the white-calibration settings into the members.
    void loadSettings(std::string& port, int& baud);
    // Port settings the user accepted, kept for the next driver object.
    void storePortSettings(const std::string& port, int baud);
    // The white calibration in force: by the measurement method and the angle index.
    const WhiteCalibrationData* whiteCalibrationInForce() const;
    std::array<WhiteCalibrationData, 3> whiteCalRef;
    std::array<WhiteCalibrationData, 3> whiteCalTra;
    // The user-calibration editor's files, as last loaded or saved.
    UserCalibrationFile userCalibrationFile;
    LensCoefficientFile lensCoefficientFile;
    NdCoefficientFile ndCoefficientFile;

  private:
    // The exchanges, the receive thread: machinery a host never sees.
    struct Internals;
    std::unique_ptr<Internals> internals_;
};

// For hosts that load the module with dlopen: the same object as getInstance().
extern "C" RX9100_API AbstractSensorStrategy* rx9100_getInstance();
