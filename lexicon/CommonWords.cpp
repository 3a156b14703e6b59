// Common words: the display names of capability items, the port-setting words and a few
// shared messages, by word id, in UTF-8. Japanese, like the driver's own texts; kept short
// because they fill combo boxes and list cells. docs/texts.md lists them with their meaning.
//
// Where a word names an item this instrument never offers (other lenses, speeds, sync and
// calibration modes of the shared word set), a neutral numbered name stands in for it.
#include "outside/CommonWords.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

struct Word {
    int id;
    std::string_view text;
};

// Sorted by id, each id once: looked up by binary search.
constexpr auto kWords = std::to_array<Word>({
    // Measurement methods: 1 and 2 are referred to a white standard, 3 measures light sources.
    {22101, "反射"},
    {22102, "透過"},
    {22103, "光源"},
    // Internal ND setting.
    {22104, "OFF"},
    {22105, "ON"},
    {22106, "自動"},
    // Lenses (item id in the comment where it differs from the word order).
    {22111, "標準レンズ"},  // 1
    {22112, "レンズ2"},     // 2
    {22113, "レンズ7"},     // 7
    {22114, "レンズ3"},     // 3
    {22115, "ユーザ1"},     // lens 4, observer 90
    {22116, "ユーザ2"},     // lens 5, observer 91
    {22117, "ユーザ3"},     // lens 6
    {22118, "レンズ8"},
    {22119, "レンズ9"},
    {22120, "レンズ10"},
    // Measuring angles (areas 21 to 24).
    {22121, "1°"},
    {22122, "0.2°"},
    {22123, "0.1°"},
    {22124, "2°"},
    {22125, "アダプタレンズ"},  // lens 11
    // External ND filters 15 and 16.
    {22180, "ND1"},
    {22181, "ND2"},
    // Synchronisation modes 1 to 8.
    {22401, "同期1"},
    {22402, "外部同期"},
    {22403, "内部同期"},
    {22404, "同期4"},
    {22405, "同期5"},
    {22406, "同期6"},
    {22407, "同期7"},
    {22408, "同期なし"},
    // Measuring speeds (item id in the comment).
    {22501, "速度1"},       // 1
    {22502, "ノーマル"},    // 3
    {22503, "速度4"},       // 4
    {22504, "ファスト"},    // 2
    {22505, "速度5"},       // 5
    {22506, "速度6"},       // 6
    {22507, "マニュアル"},  // 7: integration time set by hand
    {22508, "速度8"},       // 8
    {22509, "速度9"},       // 9
    {22510, "速度10"},      // 10
    {22511, "速度11"},      // 11
    {22512, "マルチ"},      // 12: repeated integrations, count 1 to 16
    {22513, "マルチ"},      // 14: the same count mode on ROM 1.10 and later
    {22514, "マルチ2"},     // 13: the second count mode of ROM 1.10 and later
    // Calibration modes 1 to 9, then 21 to 24.
    {22650, "校正1"},
    {22651, "校正2"},
    {22652, "校正3"},
    {22653, "レベル"},
    {22654, "波長"},
    {22655, "校正6"},
    {22656, "校正7"},
    {22657, "校正8"},
    {22658, "ND"},
    {22670, "波長+ND"},
    {22671, "波長+レベル"},
    {22672, "ND+レベル"},
    {22673, "波長+ND+レベル"},
    // Illuminants (item id in the comment).
    {22700, "A"},        // 1
    {22701, "D65"},      // 2
    {22702, "C"},        // 3
    {22703, "D50"},      // 4
    {22704, "D55"},      // 5
    {22705, "D75"},      // 6
    {22706, "F2"},       // 7
    {22707, "F3"},       // 8
    {22708, "F4"},       // 9
    {22709, "F5"},       // 10
    {22710, "F6"},       // 11
    {22711, "F10"},      // 15
    {22712, "ユーザ1"},  // 101
    {22713, "F7"},       // 12
    {22714, "F8"},       // 13
    {22715, "F9"},       // 14
    {22716, "F11"},      // 16
    {22717, "F12"},      // 17
    {22718, "ユーザ2"},  // 102
    {22719, "ユーザ3"},  // 103
    // Observers 2 and 10.
    {22730, "2°"},
    {22731, "10°"},
    // "None": no illuminant, no ND filter, no parity.
    {22740, "なし"},
    // Parity and the bit unit (singular after "1", plural otherwise; one word in Japanese).
    {22801, "奇数"},
    {22802, "偶数"},
    {22803, "ビット"},
    {22804, "ビット"},
    // Messages.
    {23001, "通信ポートを開けませんでした。"},
    {23002, "通信ポートを閉じられませんでした。"},
    {30001, "データ受信中です。しばらくしてから操作してください。"},
});

// A misordered or repeated id would make the binary search miss words: refuse to build.
static_assert(std::ranges::adjacent_find(kWords, [](const Word& a,
                                                    const Word& b) { return a.id >= b.id; }) ==
                  kWords.end(),
              "word ids must be strictly ascending");

}  // namespace

std::string loadCommonWord(int wordId) {
    const auto it = std::ranges::lower_bound(kWords, wordId, {}, &Word::id);
    if (it == kWords.end() || it->id != wordId) {
        return {};
    }
    return std::string(it->text);
}
