#include "link/MeasurementProtocol.h"

#include <gtest/gtest.h>

#include <cmath>

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

namespace {

// A block reply of count copies of one value.
std::string block(int count, const std::string& value = "3F800000") {
    std::string reply = "OK00";
    for (int i = 0; i < count; ++i) {
        reply += "," + value;
    }
    return reply;
}

}  // namespace

TEST(MeasurementProtocolTest, MeasuringTimeIsHeldInSinglePrecisionFirst) {
    EXPECT_EQ(measuringHundredths("OK00,0.29"), 28u);
    EXPECT_EQ(measuringHundredths("OK00,12.34"), 1234u);
    EXPECT_EQ(measuringHundredths("OK00,0.005"), 0u);
    EXPECT_EQ(measuringHundredths("OK00,4000"), 400000u);  // the longest a measurement takes
}

TEST(MeasurementProtocolTest, MeasuringTimeThatCannotBeMeantIsNoTime) {
    for (const char* reply :
         {"OK00", "OK00,", "OK00,abc", "OK00,-0.5", "OK00,nan", "OK00,inf", "OK00,4000.01",
          "OK00,1e30", "OK00,12.34x", "OK00, 12.34", "OK00,1.5,2", "OK0012.34", "OK00,0x10"}) {
        EXPECT_EQ(measuringHundredths(reply), std::nullopt) << reply;
    }
}

TEST(MeasurementProtocolTest, BlocksAreReadWhole) {
    const auto first = parseBlockValues("OK00,3F800000,40000000" + block(98).substr(4), 1);
    ASSERT_TRUE(first);
    ASSERT_EQ(first->size(), 100u);
    EXPECT_DOUBLE_EQ((*first)[0], 1.0);
    EXPECT_DOUBLE_EQ((*first)[1], 2.0);
    ASSERT_TRUE(parseBlockValues(block(101, "3f800000"), 4));  // either case
    EXPECT_EQ(parseBlockValues(block(101), 4)->size(), 101u);
    // A NaN is a value the instrument sent; the measurement run rejects it (error 41).
    EXPECT_TRUE(std::isnan(parseBlockValues(block(100, "7FC00000"), 2)->front()));
}

TEST(MeasurementProtocolTest, BlocksWithMissingExtraOrMalformedValuesAreNotRead) {
    std::string garbled = block(100);
    garbled.replace(garbled.size() - 8, 8, "3F80ZZ00");
    const std::string shortValue = block(99) + ",3F80000";
    const std::string longValue = block(99) + ",3F8000000";
    const std::string emptyValue = block(99) + ",";
    for (const std::string& reply :
         {block(99), block(101), block(100, "3F800000 "), garbled, shortValue, longValue,
          emptyValue, std::string("OK00"), std::string("ER00"), std::string(""),
          "XY00" + block(100).substr(4), "ER00" + block(100).substr(4)}) {
        EXPECT_EQ(parseBlockValues(reply, 1), std::nullopt) << reply;
    }
    EXPECT_EQ(parseBlockValues(block(100), 4), std::nullopt);  // block 4 holds 101
}

TEST(MeasurementProtocolTest, HeadersAreEightWholeNumbers) {
    const auto header = parseMeasurementHeader("OK00,0,0,250000,0,0,0,1,00");
    ASSERT_TRUE(header);
    EXPECT_EQ(header->angleIndex, 1);
    EXPECT_EQ(header->area, 22);
    EXPECT_FLOAT_EQ(header->integralTime, 0.25f);
    EXPECT_EQ(parseMeasurementHeader("OK00,0,0,1,0,0,0,9,00")->area, 21);
    const auto data = parseDataHeader("OK00,3,1,999999999,2,1,2,0,10");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->speed, 3);
    EXPECT_EQ(data->integrationUs, 999999999);
    EXPECT_EQ(data->channel, 10);

    for (const char* reply : {"OK00", "ER00", "", "OK00,0,0,250000,0,0,0,1", "OK00,0,0,,0,0,0,1,00",
                              "OK00,0,0,25e4,0,0,0,1,00", "OK00,0,0,250000,0,0,0,x,00",
                              "OK00,0,0,-250000,0,0,0,1,00", "OK00,0,0,1000000000,0,0,0,1,00",
                              "OK00,0,0,250000,0,0,0,1.5,00", "XY00,0,0,250000,0,0,0,1,00"}) {
        EXPECT_EQ(parseDataHeader(reply), std::nullopt) << reply;
        EXPECT_EQ(parseMeasurementHeader(reply), std::nullopt) << reply;
    }
}

TEST(MeasurementProtocolTest, TextModeAndColourValuesAreNumbersOrNothing) {
    const auto text = parseTextValues("1.5,2.25,-3e-2", 3);
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, (std::vector<double>{1.5, 2.25, -0.03}));
    for (const char* reply : {"1.5,2.25", "1.5,2.25,3,4", "1.5,,3", "1.5,x,3", "OK00,1,2"}) {
        EXPECT_EQ(parseTextValues(reply, 3), std::nullopt) << reply;
    }

    EXPECT_EQ(parseColorValues("OK00,12.5,0.3127,0.3290"),
              (std::vector<double>{12.5, 0.3127, 0.3290}));
    EXPECT_EQ(parseColorValues("OK00,   12.50,  0.31,  0.33"),
              (std::vector<double>{12.5, 0.31, 0.33}));  // padded as "%8.2lf" writes them
    for (const char* reply : {"OK00", "", "OK00,12.5,0.3127", "OK00,12.5,0.3127,0.3290,1",
                              "OK00,12.5,abc,0.3290", "ER20"}) {
        EXPECT_EQ(parseColorValues(reply), std::nullopt) << reply;
    }
    EXPECT_FALSE(hasColorValues(*parseColorValues("OK00,0.0,0.0,0.0")));
    EXPECT_TRUE(hasColorValues(*parseColorValues("OK00,0,0,1e-3")));
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
    decodeStoredHeader("OK00,4,0,1000,2,0,0", 110, record);  // unreadable: left alone
    EXPECT_EQ(record.getSpeed(), 13);
    decodeStoredHeader("", 110, record);  // nothing stored
    EXPECT_EQ(record.getSpeed(), 0);
    EXPECT_FLOAT_EQ(record.getIntegralTime(), -1.0f);
    EXPECT_EQ(record.getCalibrationCh(), -1);
    EXPECT_EQ(record.getInsertNd(), -1);
}
