#include "outside/CommonWords.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

namespace {

// Every word a capability builder can ask for names its item: an empty name would leave
// a blank entry in the host's choice lists.
TEST(CommonWords, EveryCapabilityWordHasAText) {
    const int ranges[][2] = {{22101, 22106}, {22111, 22125}, {22180, 22181}, {22401, 22408},
                             {22501, 22514}, {22650, 22658}, {22670, 22673}, {22700, 22719},
                             {22730, 22731}, {22740, 22740}};
    for (const auto& [first, last] : ranges) {
        for (int id = first; id <= last; ++id) {
            EXPECT_NE(loadCommonWord(id), "") << id;
        }
    }
}

// Items this instrument offers side by side must be told apart in one combo box.
TEST(CommonWords, ItemsOfOneListAreDistinct) {
    const std::vector<std::vector<int>> lists = {
        {22502, 22504, 22507, 22512},                       // speeds before ROM 1.10
        {22502, 22504, 22507, 22513, 22514},                // speeds from ROM 1.10 on
        {22403, 22402, 22408},                              // sync
        {22111, 22125},                                     // lenses
        {22121, 22122, 22123},                              // measuring angles
        {22654, 22658, 22653, 22670, 22671, 22672, 22673},  // calibration modes
        {22740, 22180, 22181},                              // ND filters
        {22104, 22105, 22106},                              // internal ND
        {22730, 22731},                                     // observers
        {22740, 22801, 22802},                              // parity
    };
    for (const auto& list : lists) {
        std::set<std::string> texts;
        for (int id : list)
            texts.insert(loadCommonWord(id));
        EXPECT_EQ(texts.size(), list.size()) << "list starting with " << list.front();
    }
}

TEST(CommonWords, PortSettingTextsReadNaturally) {
    EXPECT_EQ("8" + loadCommonWord(22804), "8ビット");
    EXPECT_EQ("1" + loadCommonWord(22803), "1ビット");
    EXPECT_EQ(loadCommonWord(22740), "なし");
}

TEST(CommonWords, MessagesExistAndUnknownIdsAreEmpty) {
    EXPECT_NE(loadCommonWord(30001), "");
    EXPECT_NE(loadCommonWord(23001), "");
    EXPECT_NE(loadCommonWord(23001), loadCommonWord(23002));
    for (int id : {INT_MIN, 0, 22100, 22107, 22741, 30002, INT_MAX}) {
        EXPECT_EQ(loadCommonWord(id), "") << id;
    }
}

}  // namespace
