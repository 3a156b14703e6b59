#pragma once
// The measuring conditions moved between the instrument and the driver's records, through
// whichever exchanger the caller hands over.
#include <string>

#include "link/Exchanger.h"
#include "sensor/SetupStatus.h"

// What the condition commands read and write of the driver.
struct DriverConditions {
    SetupStatus& status;
    int& insertNd;    // the driver's copy of the internal ND setting
    int& angleIndex;  // the instrument's measuring-angle index of the last reading
    int firmwareLevel = 0;
};

class ConditionLink {
  public:
    ConditionLink(Exchanger& exchanger, DriverConditions conditions);

    // A check stores nothing when its exchange fails; a set sends nothing and returns 10
    // when the condition has no command.
    [[nodiscard]] int readSpeed();
    [[nodiscard]] int writeSpeed();
    [[nodiscard]] int readSync();
    [[nodiscard]] int writeSync();
    [[nodiscard]] int readLens();
    [[nodiscard]] int writeLens();
    [[nodiscard]] int readNd();
    [[nodiscard]] int writeNd();
    [[nodiscard]] int readAngle();

    // Every condition, in the order the instrument expects; the first failure stops it.
    [[nodiscard]] int readAll();

    // Display options (their numbers pass unchanged).
    [[nodiscard]] int readDigit(const char* query, int& out);
    [[nodiscard]] int writeValue(const char* mnemonic, int value);
    // Both outputs come from whatever reply arrived, even when the exchange failed.
    [[nodiscard]] int readBackLight(int& always, int& measuring);
    [[nodiscard]] int writeBackLight(int always, int measuring);
    [[nodiscard]] int readUnit(int& unit);
    [[nodiscard]] int writeUnit(int unit);

    // Enables or disables the instrument's measuring key. A measuring instrument refuses
    // for a while, so a refusal is asked again (a bounded number of times); a reply that
    // belongs to another command is asked again too, then reported with message 20150.
    [[nodiscard]] int setTriggerEnable(bool enable);

  private:
    [[nodiscard]] int query(const char* command, std::string& reply);
    [[nodiscard]] int send(const std::string& command);
    void setInsertNd(int value);

    Exchanger& exchanger_;
    DriverConditions conditions_;
};
