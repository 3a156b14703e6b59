// The item-id interface the stored-data dialogs use.
#include "outside/CalculateColorControl.h"

#include <gtest/gtest.h>

#include <optional>

#include "ColorItemIds.h"
#include "TestSpectra.h"
#include "tintcalc/Colorimetry.h"

namespace {

using namespace tintcalc;

// A one-item list as the dialogs hand it over.
class OneItem : public CapIterator {
  public:
    explicit OneItem(int id) : id_(id) {}
    void First() override { done_ = false; }
    ItemMap Next() override {
        done_ = true;
        return ItemMap{id_, "", 0, 0};
    }
    int IsDone() override { return done_ ? 1 : 0; }
    int Size() override { return 1; }
    std::string Search(int) override { return {}; }

  private:
    int id_;
    bool done_ = true;  // like a fresh list, valid only after First()
};

std::optional<double> find(const std::vector<ItemValue>& items, int id) {
    for (const auto& item : items) {
        if (item.id == id) {
            return item.value;
        }
    }
    return std::nullopt;
}

std::vector<ItemValue> spectral(CalculateColorControl& c, int observer,
                                const std::vector<double>& s) {
    OneItem obs(observer), ill(2);
    c.clearSampleData();
    c.setObserverAndIlluminant(&obs, &ill);
    c.addSampleData(0, 3, 1, 380, 780, 0, s);
    std::vector<ItemValue> result;
    EXPECT_TRUE(c.calculateColor(0, 0, result));
    return result;
}

TEST(CalculateColorControl, SpectralSampleFillsTheDialogItems) {
    CalculateColorControl c;
    for (int observer : {2, 10}) {
        const ColorResult expected = computeSpectrum(test::illuminant(1), 1, 380, 780, observer);
        const auto items = spectral(c, observer, test::illuminant(1));
        EXPECT_EQ(find(items, item::kX), expected.X);
        EXPECT_EQ(find(items, item::kY), expected.Y);
        EXPECT_EQ(find(items, item::kZ), expected.Z);
        EXPECT_EQ(find(items, item::kLvxyLv), expected.Lv);
        EXPECT_EQ(find(items, item::kx), expected.x);
        EXPECT_EQ(find(items, item::ky), expected.y);
        EXPECT_EQ(find(items, item::kuPrime), expected.uPrime);
        EXPECT_EQ(find(items, item::kvPrime), expected.vPrime);
        EXPECT_EQ(find(items, item::kCct), expected.cct);
        EXPECT_EQ(find(items, item::kDominantWavelength), expected.dominantWavelength);
    }
}

TEST(CalculateColorControl, ColorimetricSampleUsesItsOwnObserver) {
    CalculateColorControl c;
    OneItem obs(2), ill(2);
    c.setObserverAndIlluminant(&obs, &ill);
    c.addSampleData(0, 1, 10, 0, 0, {250.0, 0.31382, 0.33100});
    std::vector<ItemValue> items;
    ASSERT_TRUE(c.calculateColor(0, 0, items));
    const ColorResult expected = computeLvxy(250.0, 0.31382, 0.33100, 10);
    EXPECT_EQ(find(items, item::kLvxyLv), 250.0);
    EXPECT_EQ(find(items, item::kx), 0.31382);
    EXPECT_EQ(find(items, item::kX), expected.X);
    EXPECT_EQ(find(items, item::kCct), expected.cct);
}

TEST(CalculateColorControl, MissingSampleListsEveryItemAsUndefined) {
    CalculateColorControl c;
    c.addSampleData(0, 1, 2, 0, 0, {250.0, 0.3, 0.3});
    c.clearSampleData();
    std::vector<ItemValue> items{{1, 1.0}};
    EXPECT_FALSE(c.calculateColor(0, 0, items));
    EXPECT_EQ(items.size(), 18u);
    for (const auto& item : items) {
        EXPECT_EQ(item.value, kUndefined) << item.id;
    }
    // Null and empty lists leave the observer as it was rather than crashing.
    c.setObserverAndIlluminant(nullptr, nullptr);
    c.addSampleData(0, 1, 0, 0, 0, {});
    EXPECT_TRUE(c.calculateColor(0, 0, items));
    EXPECT_EQ(find(items, item::kLvxyLv), kUndefined);
}

TEST(CalculateColorControl, CalculateDataLayout) {
    CalculateColorControl c;
    std::vector<double> result;
    EXPECT_FALSE(c.getCalculateData(result));
    ASSERT_EQ(result.size(), static_cast<std::size_t>(element::kCount));
    EXPECT_EQ(result[element::kLv], kUndefined);

    std::vector<double> spectrum = test::illuminant(0);
    c.setObsIll(10, 2);
    c.setDataForCalculate(spectrum, 1, 380, 780, 3);
    ASSERT_TRUE(c.getCalculateData(result));
    ASSERT_GE(result.size(), 12u);
    const ColorResult e = computeSpectrum(spectrum, 1, 380, 780, 10);
    const double expected[] = {
        e.Lv,     e.x, e.y, e.uPrime, e.vPrime, e.cct, e.duv, e.dominantWavelength,
        e.purity, e.X, e.Y, e.Z,      e.u,      e.v};
    for (int i = 0; i < element::kCount; ++i) {
        EXPECT_EQ(result[i], expected[i]) << "element " << i;
    }
}

}  // namespace
