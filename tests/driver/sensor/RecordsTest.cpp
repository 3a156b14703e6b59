#include <gtest/gtest.h>

#include "sensor/CapIterator.h"
#include "sensor/InstrumentCapability.h"
#include "sensor/InstrumentState.h"
#include "sensor/MeasuringData.h"
#include "sensor/SetupStatus.h"

TEST(InstrumentStateTest, FreshStateHasNoErrorAndDefaultPort) {
    InstrumentState state;
    EXPECT_EQ(state.getErrorCode(), 200);
    EXPECT_EQ(state.getErrorMessage(), "");
    int code = -1;
    std::string text;
    state.getComPropertyCom(code, text);
    EXPECT_EQ(text, "RS-232C");
    state.getComPropertyPort(code, text);
    EXPECT_EQ(text, "COM1");
    EXPECT_EQ(code, 1);
    state.getComPropertyBaudrate(code, text);
    EXPECT_EQ(code, 9600);
    EXPECT_EQ(text, "9600bps");
    state.getComPropertyByte(code, text);
    EXPECT_EQ(code, 8);
    state.getComPropertyStop(code, text);
    EXPECT_EQ(code, 0);
    state.getComPropertyParity(code, text);
    EXPECT_EQ(code, 0);
}

TEST(InstrumentStateTest, ComPropertyKindsDecideWhatChanges) {
    InstrumentState state;
    state.setComProperty(4, "COM9", 19200, 7, 2, 1);  // unknown kind: nothing
    state.setComProperty(1, "COM5", 19200, 7, 2, 1);  // USB: kind only
    int code = 0;
    std::string text;
    state.getComPropertyCom(code, text);
    EXPECT_EQ(code, 1);
    EXPECT_EQ(text, "USB");
    state.getComPropertyPort(code, text);
    EXPECT_EQ(text, "COM1");
    state.getComPropertyBaudrate(code, text);
    EXPECT_EQ(code, 9600);

    state.setComProperty(3, "COM12", 38400, 8, 2, 2);
    state.getComPropertyCom(code, text);
    EXPECT_EQ(text, "USB(CDC)");
    state.getComPropertyPort(code, text);
    EXPECT_EQ(code, 12);
    state.getComPropertyStop(code, text);
    EXPECT_EQ(code, 2);
    EXPECT_EQ(text.substr(0, 1), "2");
}

TEST(InstrumentStateTest, UnknownStopAndParityCodesKeepTheCallersText) {
    InstrumentState state;
    state.setComProperty(2, "COM2", 9600, 8, 5, 7);
    int code = 0;
    std::string text = "unchanged";
    state.getComPropertyStop(code, text);
    EXPECT_EQ(code, 5);
    EXPECT_EQ(text, "unchanged");
    state.getComPropertyParity(code, text);
    EXPECT_EQ(code, 7);
    EXPECT_EQ(text, "unchanged");
}

TEST(InstrumentStateTest, ClearsResetTheirOwnFields) {
    InstrumentState state;
    state.setBlackCal(1);
    state.setWhiteCal(2);
    state.setFluore(3);
    state.setStateCode(4);
    state.setStateMessage("busy");
    state.setErrorCode(12);
    state.setErrorMessage("lens");
    state.clearCalibration();
    EXPECT_EQ(state.getBlackCal() + state.getWhiteCal() + state.getFluore(), 0);
    EXPECT_EQ(state.getErrorCode(), 12);
    state.clearState();
    EXPECT_EQ(state.getStateCode(), 0);
    EXPECT_EQ(state.getStateMessage(), "");
    state.clearError();
    EXPECT_EQ(state.getErrorCode(), 200);
    EXPECT_EQ(state.getErrorMessage(), "");
}

TEST(SetupStatusTest, ClearStatusKeepsOnlyTheTimes) {
    SetupStatus status;
    status.setMeasurementTime(CTime(1234567));
    status.setIntegralTime(2.5f);
    status.setMeasurementMethod(1);
    status.setNd(15);
    status.setInsertNd(2);
    status.setColorSpace(1300);
    status.setAverage(4);
    status.setSyncInternalParam(20.0f);
    status.setSyncManualDouble(0.5);
    status.setCalibrationId("ID");
    status.setWarning(216, "warn");
    status.clearStatus();
    EXPECT_EQ(status.getMeasurementTime().GetTime(), 1234567);
    EXPECT_FLOAT_EQ(status.getIntegralTime(), 2.5f);
    EXPECT_EQ(status.getMeasurementMethod(), 0);
    EXPECT_EQ(status.getNd(), -1);
    EXPECT_EQ(status.getInsertNd(), -1);
    EXPECT_EQ(status.getColorSpace(), 1000);
    EXPECT_EQ(status.getAverage(), 1);
    EXPECT_FLOAT_EQ(status.getSyncInternalParam(), 60.0f);
    EXPECT_DOUBLE_EQ(status.getSyncManualDouble(), 60.0);
    EXPECT_EQ(status.getCalibrationCh(), -1);
    EXPECT_EQ(status.getCalibrationId(), "");
    EXPECT_EQ(status.getWarningId(), 0);
}

TEST(MeasuringDataTest, CopyCarriesConditionsAndValues) {
    SetupStatus conditions;
    conditions.setSpeed(7);
    MeasuringData record(conditions);
    record.getData() = {1.0, 2.0, 3.0};
    MeasuringData copy = record;
    record.getData()[0] = 9.0;
    EXPECT_EQ(copy.getSpeed(), 7);
    EXPECT_EQ(copy.getData(), (std::vector<double>{1.0, 2.0, 3.0}));
}

TEST(CapIteratorTest, IteratesSearchesAndClears) {
    CapIteratorOperate list;
    list.First();
    EXPECT_NE(list.IsDone(), 0);  // empty list: past the end at once
    list.AddItem(3, "three");
    list.AddItem(2, "two");
    list.AddItem(2, "again");
    EXPECT_EQ(list.Size(), 3);
    std::vector<int> ids;
    for (list.First(); list.IsDone() == 0;) {
        ids.push_back(list.Next().id);
    }
    EXPECT_EQ(ids, (std::vector<int>{3, 2, 2}));
    EXPECT_EQ(list.Search(2), "two");
    EXPECT_EQ(list.Next().name, "two");  // the cursor rests on the found item
    EXPECT_EQ(list.Search(99), "");
    EXPECT_NE(list.IsDone(), 0);
    const ItemMap past = list.Next();  // a host reading on past the end gets an empty item
    EXPECT_EQ(past.id, 0);
    EXPECT_EQ(past.name, "");
    EXPECT_NE(list.IsDone(), 0);

    CapIteratorOperate copy = list;
    list.Clear();
    EXPECT_EQ(list.Size(), 0);
    copy.First();
    EXPECT_EQ(copy.Next().name, "three");
}

TEST(InstrumentCapabilityTest, UploadFlagsTakeTargetThenSample) {
    InstrumentCapability caps;
    caps.setUploadData(true, false);
    EXPECT_TRUE(caps.isUploadTarget());
    EXPECT_FALSE(caps.isUploadSample());
}
