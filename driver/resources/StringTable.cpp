// The module's string table: every text the driver shows or stores, by string id, in UTF-8.
//
// Texts chosen here (the instrument's own texts are fixed; these are ours):
//   11775  "Japan": the country of this (Japanese) text set. The option dialog disables the
//          ft-L luminance unit for this country, as the Japanese build of the instrument
//          software offers cd/m^2 only. Change it here to offer ft-L again.
//   61715  "%1 から %2 までの数値を入力してください。": the range prompt of the numeric fields,
//          %1 and %2 are the lower and upper bound.
//   20610..20613  widths of the user-calibration list columns CH, ID, 波長, レベル.
//   20700..20737  headers and widths (decimal text) of the stored-data list, in four blocks:
//          20700..20708  target mode headers of the columns other than the three colour
//                        columns (whose headers follow the colour space: 20400..20412)
//          20709..20720  target mode widths of all twelve columns, left to right
//          20721..20727  sample mode headers, again without the colour columns
//          20728..20737  sample mode widths of all ten columns, left to right
#include "resources/StringTable.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace resources {
namespace {

struct Entry {
    int id;
    std::string_view text;
};

// Sorted by id, each id once: looked up by binary search.
constexpr auto kStrings = std::to_array<Entry>({
    {11775, "Japan"},
    {16111, "(秒)"},
    {16120, "低輝度モデル"},
    {16121, "標準モデル"},
    {16201, "指定されたデータが範囲外であるため、書き込みできません"},
    // Instrument and driver error texts, by error code.
    {20001, "ER01 : 通信パラメータエラー"},
    {20002, "ER02 : 通信エラー(測定中)"},
    {20003, "ER03 : オーバーランエラー"},
    {20005, "ER05 : データが存在しません\r\n"},
    {20010, "ER10 : オーバーエラー"},
    {20011, "ER11 : 外部同期信号が入力されていません"},
    {20012, "ER12 : レンズエラー"},
    {20020, "ER20 : データが存在しません"},
    {20021, "ER21 : データが存在しません"},
    {20030, "ER30 : 回路エラー"},
    {20031, "ER31 : 回路エラー"},
    {20032, "ER32 : 回路エラー"},
    {20033, "ER33 : 回路エラー"},
    {20034, "ER34 : 回路エラー"},
    {20071, "ER71 : 外部同期信号が入力されていません\r\n"},
    {20083, "ER83 : 測定角位置異常"},
    {20099, "測定器から応答がありません"},
    {20150, "データ受信に失敗しました"},
    {20151, "測定中"},
    {20155, "白色校正が行われていません"},
    {20156, "ファイルフォーマットが正しくありません"},
    // Warning texts.
    {20200, "エラーなし"},
    {20201, "露光量不足"},
    {20202, "データを正しく受信できませんでした"},
    // Colour value headers.
    {20400, "Lv"},
    {20401, "x"},
    {20402, "y"},
    {20405, "u'"},
    {20406, "v'"},
    {20410, "X"},
    {20411, "Y"},
    {20412, "Z"},
    {20420, "------"},
    // Colour modes, display modes and observers of the option dialog.
    {20500, "Lvxy"},
    {20501, "Lvu'v'"},
    {20502, "LvT(duv)"},
    {20503, "XYZ"},
    {20504, "主波長"},
    {20505, "分光グラフ"},
    {20510, "絶対値"},
    {20511, "色差"},
    {20520, "2°"},
    {20521, "10°"},
    // Confirmations.
    {20560, "すべての基準色データを消去します。よろしいですか？"},
    {20561, "すべての測定データを消去します。よろしいですか？"},
    {20564, "選択された基準色データを消去します。よろしいですか？"},
    {20565, "選択された測定データを消去します。よろしいですか？"},
    {20570, "レンズの設定を変更します。よろしいですか？ "},
    // User-calibration list and factor viewers: headers and widths.
    {20600, "CH"},
    {20601, "ID"},
    {20602, "波長"},
    {20603, "レベル"},
    {20610, "30"},
    {20611, "100"},
    {20612, "80"},
    {20613, "80"},
    {20614, "50"},
    {20615, "110"},
    {20650, "CH"},
    {20651, "校正CHデータを消去します。よろしいですか？"},
    {20655, "校正を行います。よろしいですか？"},
    {20658, "未発光領域が存在するため、白色校正係数の算出が行えませんでした。"},
    // Stored-data list, target mode: headers without the colour columns, then all widths.
    {20700, "No."},
    {20701, "データの種類"},
    {20702, "データ名"},
    {20703, "視野"},
    {20704, "レンズ"},
    {20705, "外付けND"},
    {20706, "積分時間"},
    {20707, "測定速度"},
    {20708, "測定モード"},
    {20709, "40"},
    {20710, "90"},
    {20711, "60"},
    {20712, "60"},
    {20713, "60"},
    {20714, "80"},
    {20715, "60"},
    {20716, "100"},
    {20717, "100"},
    {20718, "110"},
    {20719, "120"},
    {20720, "120"},
    // Stored-data list, sample mode: the same two blocks.
    {20721, "No."},
    {20722, "視野"},
    {20723, "レンズ"},
    {20724, "外付けND"},
    {20725, "積分時間"},
    {20726, "測定速度"},
    {20727, "測定モード"},
    {20728, "40"},
    {20729, "60"},
    {20730, "60"},
    {20731, "60"},
    {20732, "60"},
    {20733, "100"},
    {20734, "100"},
    {20735, "110"},
    {20736, "120"},
    {20737, "120"},
    {20740, "色彩値"},
    {20741, "分光データ"},
    // Stored-data import and deletion.
    {20780, "測定データ取り込み"},
    {20781, "基準データ取り込み"},
    {20782, "転送済み"},
    {20783, "データが選択されていません。少なくとも1つのデータを選択してください。"},
    {20784, "データが存在しません"},
    {20790, "測定器保持データ消去（測定値）"},
    {20791, "測定器保持データ消去（基準色）"},
    // Reference colour writing and white calibration.
    {20800, "基準データを上書きします。よろしいですか？"},
    {20803,
     "白色校正標準データファイルの初期化に失敗しました。\n"
     "前回保存したファイルパスを削除しました。\r\n"},
    {20804,
     "白色校正任意データファイルの初期化に失敗しました\n"
     "前回保存したファイルパスを削除しました。\r\n"},
    {20807, "標準データファイルの読み込みに失敗しました。"},
    {20808, "任意データファイルの読み込みに失敗しました。"},
    {20809, "データファイルに、範囲外のデータが存在します。"},
    {20810, "データファイルのデータが不足しています。"},
    {20811, "ファイルが見つかりません"},
    {20812, "白色校正データファイルのコピーに失敗しました。"},
    {20813, "白色校正に失敗しました。"},
    {20814, "測定データが正しくありません。正しい条件で測定してください。"},
    {20815, "測定角が変更されています。校正を実行してください。"},
    {20816, "不正な測定値データです \n%1"},
    {20817, "不正な基準色データです\n%1"},
    // Wavelength and level calibration.
    {20906, "波長校正係数の算出に失敗しました"},
    {20909, "ファイルフォーマットが正しくありません"},
    {20910, "開始波長の値は、終了波長未満の値を入力してください。"},
    {20911, "基準データ"},
    {61715, "%1 から %2 までの数値を入力してください。"},
});

// A misordered or repeated id would make the binary search miss texts: refuse to build.
static_assert(std::ranges::adjacent_find(kStrings, [](const Entry& a,
                                                      const Entry& b) { return a.id >= b.id; }) ==
                  kStrings.end(),
              "string ids must be strictly ascending");

}  // namespace

std::string loadString(int id) {
    const auto it = std::ranges::lower_bound(kStrings, id, {}, &Entry::id);
    if (it == kStrings.end() || it->id != id) {
        return {};
    }
    return std::string(it->text);
}

}  // namespace resources
