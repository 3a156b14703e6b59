// CalculateColorControl: the item-id interface of the stored-data dialogs over the plain
// colorimetry functions.
#include "outside/CalculateColorControl.h"

#include <map>
#include <optional>
#include <utility>
#include <variant>

#include "tintcalc/ColorItemIds.h"
#include "tintcalc/Colorimetry.h"

namespace {

constexpr int kDefaultObserver = 2;

struct SpectralSample {
    std::vector<double> values;
    int pitch = 1;
    int shortNm = 380;
    int longNm = 780;
};

struct ColorimetricSample {
    std::vector<double> values;  // Lv, x, y
    int observer = 0;            // 0: the observer set for the calculation
};

using Sample = std::variant<SpectralSample, ColorimetricSample>;

// The id of the first item of a one-item list. Only the virtual interface is used, so the
// library needs nothing of the driver that owns the list type.
std::optional<int> firstItemId(ItemIterator* list) {
    if (list == nullptr) {
        return std::nullopt;
    }
    list->First();
    if (list->IsDone() != 0) {
        return std::nullopt;
    }
    return list->Next().id;
}

bool knownObserver(int code) {
    return code == 1 || code == 2 || code == 10 || code == 11;
}

tintcalc::ColorResult compute(const SpectralSample& s, int observer) {
    return tintcalc::computeSpectrum(s.values, s.pitch, s.shortNm, s.longNm, observer);
}

tintcalc::ColorResult compute(const ColorimetricSample& s, int observer) {
    if (s.values.size() != 3) {
        return {};
    }
    const int code = knownObserver(s.observer) ? s.observer : observer;
    return tintcalc::computeLvxy(s.values[0], s.values[1], s.values[2], code);
}

}  // namespace

struct CalculateColorControl::Impl {
    std::map<int, Sample> samples;
    int observer = kDefaultObserver;
    // Light sources do not depend on an illuminant; the code is kept for completeness.
    int illuminant = 2;

    int calcObserver = kDefaultObserver;
    int calcIlluminant = 2;
    std::optional<SpectralSample> calcData;
};

CalculateColorControl::CalculateColorControl() : impl_(std::make_unique<Impl>()) {}

CalculateColorControl::~CalculateColorControl() = default;

void CalculateColorControl::clearSampleData() {
    impl_->samples.clear();
}

void CalculateColorControl::setObserverAndIlluminant(ItemIterator* observer,
                                                     ItemIterator* illuminant) {
    if (auto id = firstItemId(observer)) {
        impl_->observer = *id;
    }
    if (auto id = firstItemId(illuminant)) {
        impl_->illuminant = *id;
    }
}

void CalculateColorControl::addSampleData(int sample, int /*kind*/, int observer, int /*reserved1*/,
                                          int /*reserved2*/, const std::vector<double>& values) {
    impl_->samples.insert_or_assign(sample, ColorimetricSample{values, observer});
}

void CalculateColorControl::addSampleData(int sample, int /*type*/, int pitch, int shortWave,
                                          int longWave, int /*reserved*/,
                                          const std::vector<double>& values) {
    impl_->samples.insert_or_assign(sample, SpectralSample{values, pitch, shortWave, longWave});
}

bool CalculateColorControl::calculateColor(int sample, int /*reserved*/,
                                           std::vector<ItemValue>& result) {
    namespace item = tintcalc::item;
    const auto found = impl_->samples.find(sample);
    tintcalc::ColorResult r;
    if (found != impl_->samples.end()) {
        r = std::visit([this](const auto& s) { return compute(s, impl_->observer); },
                       found->second);
    }
    // Every id is always listed, undefined values included, so that no caller is left with
    // whatever it preset.
    result = {{item::kX, r.X},
              {item::kY, r.Y},
              {item::kZ, r.Z},
              {item::kLvxyLv, r.Lv},
              {item::kx, r.x},
              {item::ky, r.y},
              {item::kLvuvLv, r.Lv},
              {item::ku, r.u},
              {item::kv, r.v},
              {item::kLvuvPrimeLv, r.Lv},
              {item::kuPrime, r.uPrime},
              {item::kvPrime, r.vPrime},
              {item::kLvTLv, r.Lv},
              {item::kCct, r.cct},
              {item::kDuv, r.duv},
              {item::kLvDominantLv, r.Lv},
              {item::kDominantWavelength, r.dominantWavelength},
              {item::kPurity, r.purity}};
    return found != impl_->samples.end();
}

void CalculateColorControl::setObsIll(const int& observer, const int& illuminant) {
    impl_->calcObserver = observer;
    impl_->calcIlluminant = illuminant;
}

void CalculateColorControl::setDataForCalculate(std::vector<double>& values, const int& pitch,
                                                const int& shortWave, const int& longWave,
                                                int /*type*/) {
    impl_->calcData = SpectralSample{values, pitch, shortWave, longWave};
}

bool CalculateColorControl::getCalculateData(std::vector<double>& result) {
    namespace element = tintcalc::element;
    tintcalc::ColorResult r;
    if (impl_->calcData) {
        r = compute(*impl_->calcData, impl_->calcObserver);
    }
    result.assign(element::kCount, tintcalc::kUndefined);
    result[element::kLv] = r.Lv;
    result[element::kx] = r.x;
    result[element::ky] = r.y;
    result[element::kuPrime] = r.uPrime;
    result[element::kvPrime] = r.vPrime;
    result[element::kCct] = r.cct;
    result[element::kDuv] = r.duv;
    result[element::kDominantWavelength] = r.dominantWavelength;
    result[element::kPurity] = r.purity;
    result[element::kX] = r.X;
    result[element::kY] = r.Y;
    result[element::kZ] = r.Z;
    result[element::ku] = r.u;
    result[element::kv] = r.v;
    return impl_->calcData.has_value();
}
