#include "resources/StringTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using resources::loadString;

TEST(StringTable, TextsKeepTheirLineEndsAndSpacesByteForByte) {
    EXPECT_EQ(loadString(20005), "ER05 : データが存在しません\r\n");
    EXPECT_EQ(loadString(20071), "ER71 : 外部同期信号が入力されていません\r\n");
    EXPECT_EQ(loadString(20570), "レンズの設定を変更します。よろしいですか？ ");
    EXPECT_EQ(loadString(20803),
              "白色校正標準データファイルの初期化に失敗しました。\n"
              "前回保存したファイルパスを削除しました。\r\n");
    EXPECT_EQ(loadString(20816), "不正な測定値データです \n%1");
    EXPECT_EQ(loadString(20817), "不正な基準色データです\n%1");
}

TEST(StringTable, FindsTheFirstAndLastEntriesAndNothingUnknown) {
    EXPECT_EQ(loadString(11775), "Japan");
    EXPECT_EQ(loadString(61715), "%1 から %2 までの数値を入力してください。");
    for (int id : {INT_MIN, -1, 0, 20000, 20004, 20562, 61716, INT_MAX}) {
        EXPECT_EQ(loadString(id), "") << id;
    }
}

// An instrument error text under the wrong id would report the wrong fault.
TEST(StringTable, InstrumentErrorTextsNameTheirOwnCode) {
    for (int code : {1, 2, 3, 5, 10, 11, 12, 20, 21, 30, 31, 32, 33, 34, 71, 83}) {
        const std::string prefix = (code < 10 ? "ER0" : "ER") + std::to_string(code) + " : ";
        EXPECT_EQ(loadString(20000 + code).rfind(prefix, 0), 0u) << code;
    }
}

// Dialogs read column widths with a number conversion: a header in a width slot breaks them.
TEST(StringTable, ColumnWidthsArePositiveNumbers) {
    auto widthIds = std::vector<int>{20610, 20611, 20612, 20613, 20614, 20615};
    for (int id = 20709; id <= 20720; ++id)
        widthIds.push_back(id);
    for (int id = 20728; id <= 20737; ++id)
        widthIds.push_back(id);
    for (int id : widthIds) {
        const std::string text = loadString(id);
        const int width = text.empty() ? 0 : std::atoi(text.c_str());
        EXPECT_GT(width, 0) << id;
        EXPECT_EQ(std::to_string(width), text) << id;
    }
}

// Every id the driver's dialogs and messages load must have a text.
TEST(StringTable, EveryUsedIdHasAText) {
    std::vector<int> ids = {16111, 16120, 16121, 16201, 20099, 20150, 20151, 20155, 20156, 20200,
                            20201, 20202, 20400, 20401, 20402, 20405, 20406, 20410, 20411, 20412,
                            20420, 20510, 20511, 20520, 20521, 20560, 20561, 20564, 20565, 20600,
                            20601, 20602, 20603, 20650, 20651, 20655, 20658, 20740, 20741, 20790,
                            20791, 20800, 20804, 20906, 20909, 20910, 20911};
    for (int id = 20500; id <= 20505; ++id)
        ids.push_back(id);
    for (int id = 20700; id <= 20737; ++id)
        ids.push_back(id);
    for (int id = 20780; id <= 20784; ++id)
        ids.push_back(id);
    for (int id = 20807; id <= 20815; ++id)
        ids.push_back(id);
    for (int id : ids) {
        EXPECT_NE(loadString(id), "") << id;
    }
}

}  // namespace
