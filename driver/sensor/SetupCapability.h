#pragma once
// The selectable conditions: sync limits and the capability lists (not owned).
#include "platform/Export.h"
#include "sensor/CapIterator.h"

class RX9100_API SetupCapability {
  public:
    SetupCapability() = default;
    SetupCapability(const SetupCapability&) = default;
    SetupCapability& operator=(const SetupCapability&) = default;
    virtual ~SetupCapability() = default;

    bool isSyncInternalEnable() const { return syncInternalEnable_; }
    void setSyncInternalEnable(bool enable) { syncInternalEnable_ = enable; }
    float getSyncInternalMax() const { return syncInternalMax_; }
    void setSyncInternalMax(const float& value) { syncInternalMax_ = value; }
    float getSyncInternalMin() const { return syncInternalMin_; }
    void setSyncInternalMin(const float& value) { syncInternalMin_ = value; }
    bool isSyncManualEnable() const { return syncManualEnable_; }
    void setSyncManualEnable(bool enable) { syncManualEnable_ = enable; }
    float getSyncManualMax() const { return syncManualMax_; }
    void setSyncManualMax(const float& value) { syncManualMax_ = value; }
    float getSyncManualMin() const { return syncManualMin_; }
    void setSyncManualMin(const float& value) { syncManualMin_ = value; }
    int getSyncInternalDigit() const { return syncInternalDigit_; }
    void setSyncInternalDigit(int digits) { syncInternalDigit_ = digits; }
    int getSyncManualDigit() const { return syncManualDigit_; }
    void setSyncManualDigit(int digits) { syncManualDigit_ = digits; }

    void setListMode(CapIterator* list) { mode_ = list; }
    CapIterator* getListMode() const { return mode_; }
    void setListLens(CapIterator* list) { lens_ = list; }
    CapIterator* getListLens() const { return lens_; }
    void setListArea(CapIterator* list) { area_ = list; }
    CapIterator* getListArea() const { return area_; }
    void setListSpeed(CapIterator* list) { speed_ = list; }
    CapIterator* getListSpeed() const { return speed_; }
    void setListSync(CapIterator* list) { sync_ = list; }
    CapIterator* getListSync() const { return sync_; }
    void setListCalList(CapIterator* list) { calList_ = list; }
    CapIterator* getListCalList() const { return calList_; }
    void setListCalMode(CapIterator* list) { calMode_ = list; }
    CapIterator* getListCalMode() const { return calMode_; }
    void setListObserver(CapIterator* list) { observer_ = list; }
    CapIterator* getListObserver() const { return observer_; }
    void setListIlluminant(CapIterator* list) { illuminant_ = list; }
    CapIterator* getListIlluminant() const { return illuminant_; }
    void setListNd(CapIterator* list) { nd_ = list; }
    CapIterator* getListNd() const { return nd_; }
    void setListInsertNd(CapIterator* list) { insertNd_ = list; }
    CapIterator* getListInsertNd() const { return insertNd_; }

  private:
    bool syncInternalEnable_ = false;
    float syncInternalMax_ = 0.0f;
    float syncInternalMin_ = 0.0f;
    bool syncManualEnable_ = false;
    float syncManualMax_ = 0.0f;
    float syncManualMin_ = 0.0f;
    int syncInternalDigit_ = 0;
    int syncManualDigit_ = 0;
    CapIterator* mode_ = nullptr;
    CapIterator* lens_ = nullptr;
    CapIterator* area_ = nullptr;
    CapIterator* speed_ = nullptr;
    CapIterator* sync_ = nullptr;
    CapIterator* calList_ = nullptr;
    CapIterator* calMode_ = nullptr;
    CapIterator* observer_ = nullptr;
    CapIterator* illuminant_ = nullptr;
    CapIterator* nd_ = nullptr;
    CapIterator* insertNd_ = nullptr;
};
