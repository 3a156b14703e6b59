#pragma once
// Item ids of the values CalculateColorControl::calculateColor returns, and the element
// positions of CalculateColorControl::getCalculateData.
//
// An item id is the colour-space code times ten plus the column (1 to 3) in which the
// dialogs show the value: colour space 1000 is "XYZ", 1300 "Lvxy", 1500 "Lvu'v'".
// Values that cannot be computed are tintcalc::kUndefined (the largest float).
namespace tintcalc::item {

// XYZ
inline constexpr int kX = 11001;
inline constexpr int kY = 11002;
inline constexpr int kZ = 11003;
// Lv x y (CIE 1931 or 1964 chromaticity, by observer)
inline constexpr int kLvxyLv = 11301;
inline constexpr int kx = 11302;
inline constexpr int ky = 11303;
// Lv u v (CIE 1960 UCS, the plane of the temperature computation)
inline constexpr int kLvuvLv = 11401;
inline constexpr int ku = 11402;
inline constexpr int kv = 11403;
// Lv u' v' (CIE 1976 UCS)
inline constexpr int kLvuvPrimeLv = 11501;
inline constexpr int kuPrime = 11502;
inline constexpr int kvPrime = 11503;
// Lv T duv: correlated colour temperature in K and the distance from the Planckian locus
inline constexpr int kLvTLv = 11601;
inline constexpr int kCct = 11602;
inline constexpr int kDuv = 11603;
// Lv λd Pe: dominant wavelength in nm (negative: complementary wavelength of a purple)
// and excitation purity, both against the equal-energy white
inline constexpr int kLvDominantLv = 11701;
inline constexpr int kDominantWavelength = 11702;
inline constexpr int kPurity = 11703;

}  // namespace tintcalc::item

// Element positions of getCalculateData. Elements 0 to 2 are the colour values of a
// colorimetric target (Lv, x, y); elements 9 to 11 carry X, Y, Z, from which every other
// colour space can be shown.
namespace tintcalc::element {

inline constexpr int kLv = 0;
inline constexpr int kx = 1;
inline constexpr int ky = 2;
inline constexpr int kuPrime = 3;
inline constexpr int kvPrime = 4;
inline constexpr int kCct = 5;
inline constexpr int kDuv = 6;
inline constexpr int kDominantWavelength = 7;
inline constexpr int kPurity = 8;
inline constexpr int kX = 9;
inline constexpr int kY = 10;
inline constexpr int kZ = 11;
inline constexpr int ku = 12;
inline constexpr int kv = 13;
inline constexpr int kCount = 14;

}  // namespace tintcalc::element
