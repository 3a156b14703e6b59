#pragma once
// What the stored-data dialogs show of a record: its colour values in the chosen colour
// space, the texts of the list's cells, and the message that names records with values
// that are not finite.
#include <array>
#include <string>
#include <vector>

#include "sensor/DataPack.h"

namespace transfer {

inline constexpr int kLvxy = 1300;
inline constexpr int kLvuv = 1500;
inline constexpr int kXyz = 1000;
inline constexpr int kDefaultColorSpace = kLvxy;
// Luminance in cd/m² becomes foot-lamberts when the host asks for them.
inline constexpr double kFootLambert = 3.426;

// The three colour columns of a colour space (any unknown one shows as Lvxy).
struct ColourColumns {
    std::array<int, 3> itemIds;
    std::array<int, 3> headerStrings;
    std::array<const char*, 3> formats;
};
const ColourColumns& colourColumns(int colorSpace);

// The colour values of the record in the colour space, for the host's observer (2 or 10)
// through the colour library; the largest float where one cannot be computed. With
// footLamberts the luminance (not the tristimulus values) is divided by 3.426.
std::array<double, 3> colourValues(const DataPack& pack, int applicationObserver, int colorSpace,
                                   bool footLamberts);

// One value in its format, or "------" for the largest float.
std::string valueText(double value, const char* format);
// The three colour cells.
std::array<std::string, 3> colourTexts(const std::array<double, 3>& values, int colorSpace);

// "------" for a record without one (-1.0), else seconds with "%2.03f" and "(秒)".
std::string integralTimeText(float seconds);

// The numbers in reading order: "4,7,...", a line feed after the 11th, 21st, ..., and a
// final one.
std::string invalidNumbersText(const std::vector<int>& numbers);

}  // namespace transfer
