#pragma once
// The instrument's calibration state, the last error or warning, and the port settings.
#include <string>

#include "platform/Export.h"
#include "sensor/ResultCodes.h"

class RX9100_API InstrumentState {
  public:
    static constexpr int kNoError = codes::error::kNoError;

    InstrumentState();
    InstrumentState(const InstrumentState&) = default;
    InstrumentState& operator=(const InstrumentState&) = default;
    virtual ~InstrumentState() = default;

    int getBlackCal() const { return blackCal_; }
    void setBlackCal(const int& state) { blackCal_ = state; }
    int getWhiteCal() const { return whiteCal_; }
    void setWhiteCal(const int& state) { whiteCal_ = state; }
    int getFluore() const { return fluore_; }
    void setFluore(const int& state) { fluore_ = state; }
    int getStateCode() const { return stateCode_; }
    void setStateCode(const int& code) { stateCode_ = code; }
    std::string getStateMessage() const { return stateMessage_; }
    void setStateMessage(const std::string& message) { stateMessage_ = message; }
    int getCommunicationCode() const { return communicationCode_; }
    void setCommunicationCode(const int& code) { communicationCode_ = code; }
    int getErrorCode() const { return errorCode_; }
    void setErrorCode(const int& code) { errorCode_ = code; }
    std::string getErrorMessage() const { return errorMessage_; }
    void setErrorMessage(const std::string& message) { errorMessage_ = message; }

    void clearCalibration();
    void clearState();
    void clearError();

    // Kind 1 USB, 2 RS-232C, 3 USB(CDC); other kinds change nothing.
    void setComProperty(const int& kind);
    void setComProperty(const int& kind, const std::string& port, const int& baud,
                        const int& byteSize, const int& stopBits, const int& parity);

    // The readers only copy fields: the words in their texts are looked up when
    // the settings change, so a host that loaded the module at run time can
    // call them without linking it.
    void getComPropertyCom(int& kind, std::string& text) const {
        kind = comKind_;
        text = comKindText_;
    }
    void getComPropertyPort(int& number, std::string& text) const {
        text = portName_;
        number = portNumber_;
    }
    void getComPropertyBaudrate(int& baud, std::string& text) const {
        baud = baudRate_;
        text = std::to_string(baudRate_) + "bps";
    }
    void getComPropertyByte(int& bits, std::string& text) const {
        bits = byteSize_;
        text = byteText_;
    }
    // Codes without a text leave the caller's text as it was.
    void getComPropertyStop(int& code, std::string& text) const {
        code = stopBits_;
        if (!stopText_.empty()) {
            text = stopText_;
        }
    }
    void getComPropertyParity(int& code, std::string& text) const {
        code = parity_;
        if (!parityText_.empty()) {
            text = parityText_;
        }
    }

  private:
    int blackCal_ = 0;
    int whiteCal_ = 0;
    int fluore_ = 0;
    int stateCode_ = 0;
    std::string stateMessage_;
    int communicationCode_ = 0;
    int errorCode_ = kNoError;
    std::string errorMessage_;
    int comKind_ = 0;
    std::string comKindText_ = "RS-232C";
    std::string portName_ = "COM1";
    int baudRate_ = 9600;
    int byteSize_ = 8;
    int stopBits_ = 0;
    int parity_ = 0;
    int portNumber_ = 1;
    std::string byteText_;
    std::string stopText_;
    std::string parityText_;

    void updatePortTexts();
};
