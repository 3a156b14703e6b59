#pragma once
// Who the instrument is.
#include <string>

#include "platform/Export.h"

class RX9100_API InstrumentId {
  public:
    // Variation codes.
    static constexpr int kStandardModel = 2000;
    static constexpr int kLowLuminanceModel = 2001;

    InstrumentId() = default;
    InstrumentId(const InstrumentId&) = default;
    InstrumentId& operator=(const InstrumentId&) = default;
    virtual ~InstrumentId() = default;

    std::string getName() const { return name_; }
    void setName(const std::string& name) { name_ = name; }
    std::string getVariation() const { return variation_; }
    void setVariation(const std::string& variation) { variation_ = variation; }
    std::string getBodyNo() const { return bodyNo_; }
    void setBodyNo(const std::string& bodyNo) { bodyNo_ = bodyNo; }
    std::string getRomVersion() const { return romVersion_; }
    void setRomVersion(const std::string& version) { romVersion_ = version; }
    std::string getWhiteBoardId() const { return whiteBoardId_; }
    void setWhiteBoardId(const std::string& id) { whiteBoardId_ = id; }
    int getVariationCode() const { return variationCode_; }
    void setVariationCode(int code) { variationCode_ = code; }

  private:
    std::string name_;
    std::string variation_;
    std::string bodyNo_;
    std::string romVersion_;
    std::string whiteBoardId_;
    int variationCode_ = 0;
};
