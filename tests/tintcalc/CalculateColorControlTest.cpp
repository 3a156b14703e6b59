// The item-id interface the stored-data dialogs use.
#include "outside/CalculateColorControl.h"

#include <gtest/gtest.h>

#include <optional>

#include "ColorItemIds.h"
#include "TestSpectra.h"
#include "tintcalc/Colorimetry.h"

namespace {

using namespace tintcalc;

// A one-item list as the dialogs hand it over; valid only after First().
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
    bool done_ = true;
};

double find(const std::vector<ItemValue>& items, int id) {
    for (const auto& item : items) {
        if (item.id == id) {
            return item.value;
        }
    }
    return 1.1754943508222875e-38;  // what the dialogs preset
}

TEST(CalculateColorControl, SamplesFillTheItemsTheDialogsRead) {
    CalculateColorControl c;
    for (int observer : {2, 10}) {
        OneItem obs(observer), ill(2);
        c.clearSampleData();
        c.setObserverAndIlluminant(&obs, &ill);
        c.addSampleData(0, 3, 1, 380, 780, 0, test::illuminant(1));
        std::vector<ItemValue> items;
        ASSERT_TRUE(c.calculateColor(0, 0, items));
        const ColorResult e = computeSpectrum(test::illuminant(1), 1, 380, 780, observer);
        const std::pair<int, double> expected[] = {
            {11001, e.X},  {11002, e.Y},        {11003, e.Z},        {11301, e.Lv},
            {11302, e.x},  {11303, e.y},        {11502, e.uPrime},   {11503, e.vPrime},
            {11501, e.Lv}, {item::kCct, e.cct}, {item::kDuv, e.duv}, {item::kPurity, e.purity}};
        for (const auto& [id, value] : expected) {
            EXPECT_EQ(find(items, id), value) << id << ", observer " << observer;
        }
    }
    // A colorimetric record brings its own observer.
    c.clearSampleData();
    c.addSampleData(0, 1, 10, 0, 0, {250.0, 0.31382, 0.33100});
    std::vector<ItemValue> items;
    ASSERT_TRUE(c.calculateColor(0, 0, items));
    const ColorResult e = computeLvxy(250.0, 0.31382, 0.33100, 10);
    EXPECT_EQ(find(items, 11301), 250.0);
    EXPECT_EQ(find(items, 11302), 0.31382);
    EXPECT_EQ(find(items, 11001), e.X);
    EXPECT_EQ(find(items, item::kCct), e.cct);
}

TEST(CalculateColorControl, MissingOrBadSamplesListEveryItemAsUndefined) {
    CalculateColorControl c;
    c.addSampleData(0, 1, 2, 0, 0, {250.0, 0.3, 0.3});
    c.clearSampleData();
    std::vector<ItemValue> items{{1, 1.0}};
    EXPECT_FALSE(c.calculateColor(0, 0, items));
    EXPECT_EQ(items.size(), 18u);
    for (const auto& item : items) {
        EXPECT_EQ(item.value, kUndefined) << item.id;
    }
    c.setObserverAndIlluminant(nullptr, nullptr);
    c.addSampleData(0, 1, 0, 0, 0, {});
    EXPECT_TRUE(c.calculateColor(0, 0, items));
    EXPECT_EQ(find(items, 11301), kUndefined);
}

TEST(CalculateColorControl, CalculateDataLayout) {
    CalculateColorControl c;
    std::vector<double> result;
    EXPECT_FALSE(c.getCalculateData(result));
    ASSERT_EQ(result.size(), static_cast<std::size_t>(element::kCount));
    EXPECT_EQ(result[0], kUndefined);

    std::vector<double> spectrum = test::illuminant(0);
    c.setObsIll(10, 2);
    c.setDataForCalculate(spectrum, 1, 380, 780, 3);
    ASSERT_TRUE(c.getCalculateData(result));
    const ColorResult e = computeSpectrum(spectrum, 1, 380, 780, 10);
    const double expected[] = {
        e.Lv,     e.x, e.y, e.uPrime, e.vPrime, e.cct, e.duv, e.dominantWavelength,
        e.purity, e.X, e.Y, e.Z,      e.u,      e.v};
    ASSERT_EQ(result.size(), std::size(expected));
    for (std::size_t i = 0; i < result.size(); ++i) {
        EXPECT_EQ(result[i], expected[i]) << "element " << i;
    }
}

}  // namespace
