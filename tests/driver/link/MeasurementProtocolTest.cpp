#include "link/MeasurementProtocol.h"

#include <gtest/gtest.h>

#include "sensor/MeasuringData.h"

using namespace protocol;

TEST(MeasurementProtocolTest, RequestsOfMeasuredAndStoredData) {
    EXPECT_EQ(blockRequest(4), "MEDR,1,1,4\r\n");
    EXPECT_EQ(storedHeaderRequest(true, 5), "TGDR,05,0,0,001\r\n");
    EXPECT_EQ(storedBlockRequest(false, 42, 3), "STDR,42,1,1,3\r\n");
    EXPECT_EQ(storedColorRequest(false, 7, 2), "STDR,07,2,0,01\r\n");
    EXPECT_EQ(storedColorRequest(true, 3, 10), "TGDR,03,2,0,11\r\n");
    EXPECT_EQ(targetNameRequest(12), "TGDR,12,3\r\n");
    int values = 0;
    for (int block = 1; block <= kBlocks; ++block) {
        values += blockValueCount(block);
    }
    EXPECT_EQ(values, 401);
    values = 0;
    for (int pass = 1; pass <= kTextPasses; ++pass) {
        values += textValueCount(pass);
    }
    EXPECT_EQ(values, 401);
}

TEST(MeasurementProtocolTest, MeasuringTimeIsHeldInSinglePrecisionFirst) {
    EXPECT_EQ(measuringHundredths("OK00,0.29"), 28u);
    EXPECT_EQ(measuringHundredths("OK00,12.34"), 1234u);
    EXPECT_EQ(measuringHundredths("OK00"), 0u);
}

TEST(MeasurementProtocolTest, HeaderAndBlockValues) {
    const MeasurementHeader header = parseMeasurementHeader("OK00,0,0,250000,0,0,0,1,0");
    EXPECT_EQ(header.angleIndex, 1);
    EXPECT_EQ(header.area, 22);
    EXPECT_FLOAT_EQ(header.integralTime, 0.25f);
    EXPECT_EQ(parseMeasurementHeader("OK00,0,0,1,0,0,0,9").area, 21);

    std::vector<double> values;
    appendBlockValues("OK00,3F800000,40000000", 1, values);
    ASSERT_EQ(values.size(), 100u);  // missing fields read as zero
    EXPECT_DOUBLE_EQ(values[0], 1.0);
    EXPECT_DOUBLE_EQ(values[1], 2.0);
    EXPECT_DOUBLE_EQ(values[99], 0.0);
    appendTextValues("1.5,2.25", 2, values);
    EXPECT_DOUBLE_EQ(values.back(), 2.25);
}

TEST(MeasurementProtocolTest, ColourValuesAndNames) {
    EXPECT_FALSE(hasColorValues("OK00,0.0,0.0,0.0"));
    EXPECT_FALSE(hasColorValues(""));
    EXPECT_TRUE(hasColorValues("OK00,0,0,1e-3"));
    EXPECT_EQ(parseColorValues("OK00,12.5,0.3127,0.3290"),
              (std::vector<double>{12.5, 0.3127, 0.3290}));
    EXPECT_EQ(parseTargetName("OK00,PANEL"), "PANEL");
    EXPECT_EQ(parseTargetName("OK00,"), "          ");
}

TEST(MeasurementProtocolTest, StoredHeaderDecodingIsAllOrNothing) {
    MeasuringData record;
    record.setSpeed(99);
    decodeStoredHeader("OK00,4,0,1000,0,0,0,0,3", 100, record);  // speed 4 unknown below 110
    EXPECT_EQ(record.getSpeed(), 99);
    decodeStoredHeader("OK00,3,1,250000,1,1,2,1,3", 100, record);
    EXPECT_EQ(record.getSpeed(), 7);
    EXPECT_EQ(record.getSync(), 3);
    EXPECT_FLOAT_EQ(record.getIntegralTime(), 0.25f);
    EXPECT_EQ(record.getInsertNd(), 1);
    EXPECT_EQ(record.getLens(), 11);
    EXPECT_EQ(record.getNd(), 16);
    EXPECT_EQ(record.getMeasurementArea(), 22);
    EXPECT_EQ(record.getCalibrationCh(), 3);
    EXPECT_EQ(record.getMeasurementMethod(), 3);
    decodeStoredHeader("OK00,2,0,1000,1,0,0,0,0", 100, record);
    EXPECT_EQ(record.getSpeed(), 12);
    EXPECT_EQ(record.getInsertNd(), -1);

    decodeStoredHeader("OK00,4,0,1000,2,0,0,0,0", 110, record);
    EXPECT_EQ(record.getSpeed(), 13);
    EXPECT_EQ(record.getInsertNd(), 2);
    decodeStoredHeader("", 110, record);  // nothing stored
    EXPECT_EQ(record.getSpeed(), 0);
    EXPECT_FLOAT_EQ(record.getIntegralTime(), -1.0f);
    EXPECT_EQ(record.getCalibrationCh(), -1);
    EXPECT_EQ(record.getInsertNd(), -1);
}
