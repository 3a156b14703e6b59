#pragma once
// Which host features the instrument supports.
#include "platform/Export.h"

class RX9100_API InstrumentCapability {
  public:
    InstrumentCapability() = default;
    InstrumentCapability(const InstrumentCapability&) = default;
    InstrumentCapability& operator=(const InstrumentCapability&) = default;
    virtual ~InstrumentCapability() = default;

    bool isReflectanceMode() const { return reflectanceMode_; }
    void setReflectanceEnable(bool value) { reflectanceMode_ = value; }
    bool isUploadSample() const { return uploadSample_; }
    bool isUploadTarget() const { return uploadTarget_; }
    void setUploadData(const bool& target, const bool& sample) {
        uploadTarget_ = target;
        uploadSample_ = sample;
    }
    bool isDownloadTarget() const { return downloadTarget_; }
    void setDownloadData(const bool& value) { downloadTarget_ = value; }
    bool isOptionEnable() const { return optionEnable_; }
    void setOptionEnable(const bool& value) { optionEnable_ = value; }
    bool isRemoteEnable() const { return remoteEnable_; }
    void setRemoteEnable(const bool& value) { remoteEnable_ = value; }
    bool isDeleteData() const { return deleteData_; }
    void setDeleteData(const bool& value) { deleteData_ = value; }
    bool isUvAdjust() const { return uvAdjust_; }
    void setUvAdjustEnable(const bool& value) { uvAdjust_ = value; }
    bool isOpacityMode() const { return opacityMode_; }
    void setOpacityModeEnable(const bool& value) { opacityMode_ = value; }

  private:
    bool reflectanceMode_ = false;
    bool uploadSample_ = false;
    bool uploadTarget_ = false;
    bool downloadTarget_ = false;
    bool optionEnable_ = false;
    bool remoteEnable_ = false;
    bool deleteData_ = false;
    bool uvAdjust_ = false;
    bool opacityMode_ = false;
};
