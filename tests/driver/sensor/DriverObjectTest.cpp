#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>

#include "platform/Window.h"
#include "resources/StringTable.h"
#include "sensor/TavoRX9100.h"

namespace {

// Opens the protected parts the host cannot see.
class TestDriver : public TavoRX9100 {
  public:
    using TavoRX9100::mesAng;
    using TavoRX9100::remoteData;
    using TavoRX9100::remoteLock;
    using TavoRX9100::setCapabilityLens;
    using TavoRX9100::setCapabilitySpeed;
    using TavoRX9100::triggerEnabled;

    int triggerResult = 0;
    int triggerCalls = 0;
    int setTriggerEnable(bool, bool) override {
        ++triggerCalls;
        return triggerResult;
    }
};

std::vector<int> ids(CapIterator* list) {
    std::vector<int> result;
    for (list->First(); list->IsDone() == 0;) {
        result.push_back(list->Next().id);
    }
    return result;
}

}  // namespace

TEST(DriverObjectTest, GetInstanceHandsOutOneObject) {
    AbstractSensorStrategy* first = TavoRX9100::getInstance();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first, TavoRX9100::getInstance());
    EXPECT_EQ(first, rx9100_getInstance());
}

TEST(DriverObjectTest, GetInstanceCalledFirstFromTwoThreadsAtOnceMakesOneObject) {
    std::atomic<bool> go{false};
    AbstractSensorStrategy* seen[2] = {};
    auto ask = [&](int i) {
        while (!go) {
            std::this_thread::yield();
        }
        seen[i] = TavoRX9100::getInstance();
    };
    std::thread first(ask, 0);
    std::thread second(ask, 1);
    go = true;
    first.join();
    second.join();
    ASSERT_NE(seen[0], nullptr);
    EXPECT_EQ(seen[0], seen[1]);
}

TEST(DriverObjectTest, ConstructionFillsListsAndRecords) {
    TestDriver driver;
    SetupCapability* caps = driver.getSetupCapability();
    EXPECT_EQ(ids(caps->getListSpeed()), (std::vector<int>{3, 2, 7, 12}));
    EXPECT_EQ(ids(caps->getListObserver()), (std::vector<int>{2, 10}));
    EXPECT_EQ(ids(caps->getListMode()), (std::vector<int>{3}));
    EXPECT_EQ(ids(caps->getListSync()), (std::vector<int>{3, 2, 8}));
    EXPECT_EQ(ids(caps->getListLens()), (std::vector<int>{1, 11}));
    EXPECT_EQ(ids(caps->getListArea()), (std::vector<int>{21, 22, 23}));
    EXPECT_EQ(ids(caps->getListCalMode()), (std::vector<int>{5, 9, 4, 21, 22, 23, 24}));
    EXPECT_EQ(ids(caps->getListNd()), (std::vector<int>{0, 15, 16}));
    EXPECT_EQ(ids(caps->getListInsertNd()), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(caps->getListIlluminant()->Size(), 0);
    EXPECT_EQ(caps->getListCalList(), nullptr);  // built by the channel scan, not here
    EXPECT_FLOAT_EQ(caps->getSyncManualMax(), 16.0f);
    EXPECT_FLOAT_EQ(caps->getSyncInternalMin(), 20.0f);
    EXPECT_FALSE(caps->isSyncInternalEnable());

    SetupStatus* status = driver.getSetupStatus();
    EXPECT_EQ(status->getMeasurementMethod(), 3);
    EXPECT_EQ(status->getSpeed(), 3);
    EXPECT_EQ(status->getMeasurementArea(), 21);
    EXPECT_EQ(driver.getDataFormat()->getAmount(), 401);
    EXPECT_EQ(driver.getDataFormat()->getLongWave(), 780);
    EXPECT_TRUE(driver.getCalibrationCapability()->isSetWhite());
    EXPECT_EQ(driver.getInstrumentId()->getName(), "RX-9100");
    EXPECT_FALSE(driver.Is2ndVer());
}

TEST(DriverObjectTest, UnknownBuilderIdsAddNothingButKeepTheListRegistered) {
    TestDriver driver;
    driver.setCapabilitySpeed(15);
    driver.setCapabilityLens(0);
    EXPECT_EQ(driver.getSetupCapability()->getListSpeed()->Size(), 4);
    EXPECT_EQ(driver.getSetupCapability()->getListLens()->Size(), 2);
}

TEST(DriverObjectTest, MeasurementTypeRebuildsModesAndKeepsAWhiteMethod) {
    TestDriver driver;
    driver.setMeasurementType(1);
    EXPECT_EQ(ids(driver.getSetupCapability()->getListMode()), (std::vector<int>{1, 2}));
    EXPECT_EQ(driver.getSetupStatus()->getMeasurementMethod(), 1);
    EXPECT_TRUE(driver.getCalibrationCapability()->isWhiteCal());
    EXPECT_EQ(driver.getInstrumentState()->getWhiteCal(), 2);  // no white calibration yet

    driver.getSetupStatus()->setMeasurementMethod(2);
    driver.setMeasurementType(1);
    EXPECT_EQ(driver.getSetupStatus()->getMeasurementMethod(), 2);

    driver.whiteCalibrationTra(0)->valid = true;
    driver.mesAng = 0;
    driver.setApplicationObserver(10);
    EXPECT_EQ(driver.getApplicationObserver(), 10);
    EXPECT_EQ(driver.getInstrumentState()->getWhiteCal(), 1);

    driver.setMeasurementType(3);
    EXPECT_EQ(ids(driver.getSetupCapability()->getListMode()), (std::vector<int>{3}));
    EXPECT_EQ(driver.getInstrumentState()->getWhiteCal(), 0);
}

TEST(DriverObjectTest, RemoteDataReplacesTheCallersVector) {
    TestDriver driver;
    MeasuringData record;
    record.getData() = {1.0};
    driver.remoteData = {record};
    std::vector<MeasuringData> out(3);
    EXPECT_EQ(driver.getRemoteData(out), 0);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].getData(), std::vector<double>{1.0});
    EXPECT_EQ(driver.getRemoteData(out), 0);  // not consumed
    EXPECT_EQ(out.size(), 1u);
}

TEST(DriverObjectTest, FixedValueOperations) {
    TestDriver driver;
    std::string image = "kept";
    EXPECT_TRUE(driver.getCalibrationImage(0, image));
    EXPECT_EQ(image, "kept");
    EXPECT_EQ(driver.checkInstrumentEnable(), 0);
    EXPECT_EQ(driver.doBlackCalibration(), 0);
    EXPECT_EQ(driver.doOptionalLevelCalibration(), 0);
    EXPECT_TRUE(driver.getMeasureEnable());
    EXPECT_EQ(driver.setupInstrumentView(), 0);
    driver.setCalibrationMode(false, true, true);
    EXPECT_EQ(driver.getCalibrationMode(), 23);
    driver.setCalibrationMode(true, true, true);
    EXPECT_EQ(driver.getCalibrationMode(), 24);
    driver.setCalibrationMode(false, false, false);
    EXPECT_EQ(driver.getCalibrationMode(), 0);
}

TEST(DriverObjectTest, LockRemoteWithoutReceiveThreadTakesTheLockAtOnce) {
    TestDriver driver;
    EXPECT_EQ(driver.lockRemote(), 0);
    EXPECT_EQ(driver.triggerCalls, 0);  // trigger not enabled: no exchange
    EXPECT_TRUE(driver.remoteLock.heldByCurrentThread());
    driver.triggerEnabled = true;  // unlock re-enables only a disabled trigger
    EXPECT_EQ(driver.unlockRemote(false), 0);
    EXPECT_FALSE(driver.remoteLock.heldByCurrentThread());
}

TEST(DriverObjectTest, QuitRemoteWhenTheTriggerCannotBeDisabled) {
    TestDriver driver;
    driver.triggerEnabled = true;
    driver.triggerResult = 10;
    EXPECT_EQ(driver.quitRemoteMeasure(true), 10);  // returns at once: no thread to wait for
    EXPECT_TRUE(driver.triggerEnabled);
    EXPECT_FALSE(driver.remoteLock.heldByCurrentThread());
}
