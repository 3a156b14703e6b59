#include "transfer/StoredDataList.h"

#include <cfloat>

#include "outside/CalculateColorControl.h"
#include "platform/Numbers.h"
#include "resources/StringTable.h"
#include "sensor/CapIterator.h"

namespace transfer {

namespace {

constexpr int kIlluminant = 2;
constexpr double kLargestFloat = FLT_MAX;
constexpr int kNoValueString = 20420;
constexpr int kSecondsString = 16111;

const ColourColumns kLvxyColumns{
    {11301, 11302, 11303}, {20400, 20401, 20402}, {"%.2lf", "%.4lf", "%.4lf"}};
const ColourColumns kLvuvColumns{
    {11301, 11502, 11503}, {20400, 20405, 20406}, {"%.2lf", "%.4lf", "%.4lf"}};
const ColourColumns kXyzColumns{
    {11001, 11002, 11003}, {20410, 20411, 20412}, {"%.2lf", "%.2lf", "%.2lf"}};

}  // namespace

const ColourColumns& colourColumns(int colorSpace) {
    switch (colorSpace) {
        case kLvuv:
            return kLvuvColumns;
        case kXyz:
            return kXyzColumns;
        default:
            return kLvxyColumns;
    }
}

std::array<double, 3> colourValues(const DataPack& pack, int applicationObserver, int colorSpace,
                                   bool footLamberts) {
    std::array<double, 3> values{kLargestFloat, kLargestFloat, kLargestFloat};
    if (pack.data.empty()) {
        return values;
    }
    const int observer = applicationObserver == 10 ? 10 : 2;
    CalculateColorControl calc;
    calc.clearSampleData();
    CapIteratorOperate observers;
    observers.AddItem(observer, "");
    CapIteratorOperate illuminants;
    illuminants.AddItem(kIlluminant, "");
    calc.setObserverAndIlluminant(&observers, &illuminants);
    const std::vector<double>& data = pack.data.front().getData();
    if (pack.format.getType() == DataFormat::kSpectral) {
        calc.addSampleData(1, DataFormat::kSpectral, 1, 380, 780, 0, data);
    } else {
        calc.addSampleData(1, DataFormat::kColorimetric, observer, 0, 0, data);
    }
    std::vector<ItemValue> result;
    calc.calculateColor(1, 0, result);
    const ColourColumns& columns = colourColumns(colorSpace);
    for (std::size_t k = 0; k < 3; ++k) {
        for (const ItemValue& item : result) {
            if (item.id == columns.itemIds[k]) {
                values[k] = item.value;
            }
        }
    }
    // The luminance is the first value of Lvxy and Lvu'v'; tristimulus values stay.
    if (footLamberts && colorSpace != kXyz && values[0] != kLargestFloat) {
        values[0] /= kFootLambert;
    }
    return values;
}

std::string valueText(double value, const char* format) {
    if (value == kLargestFloat) {
        return resources::loadString(kNoValueString);
    }
    return platform::cFormat(format, value);
}

std::array<std::string, 3> colourTexts(const std::array<double, 3>& values, int colorSpace) {
    const ColourColumns& columns = colourColumns(colorSpace);
    return {valueText(values[0], columns.formats[0]), valueText(values[1], columns.formats[1]),
            valueText(values[2], columns.formats[2])};
}

std::string integralTimeText(float seconds) {
    if (seconds == -1.0f) {
        return resources::loadString(kNoValueString);
    }
    return platform::cFormat("%2.03f%s", static_cast<double>(seconds),
                             resources::loadString(kSecondsString).c_str());
}

std::string invalidNumbersText(const std::vector<int>& numbers) {
    std::string text;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        const int n = numbers[i];
        if (i == 0) {
            text += platform::cFormat("%d", n);
        } else if (i % 10 == 0) {
            text += platform::cFormat(",%d\n", n);  // the 11th, 21st, ...
        } else {
            text += platform::cFormat(",%d", n);
        }
    }
    return text + "\n";
}

}  // namespace transfer
