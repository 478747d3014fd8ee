#include <gtest/gtest.h>

#include <functional>
#include <numeric>

#include "ConfigStore.h"
#include "DeviceConfig.h"
#include "support/CaseName.h"

namespace qx9 {
namespace {

DeviceConfig Defaults() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    return config;
}

TEST(ConfigRecord, DefaultsPackToTheFactoryImage) {
    // clang-format off
    const ConfigImage expected{
        0x00, 0x00, 0x00, 0x03, 0x01, 0x02, 0x01, 0x00, 0x01, 0x03, 0x00, 0x00, 0x00, 0x01, 0x04,
        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
        0x00, 0x90, 0x01, 0x90, 0x01,
        0x00, 0x20, 0x03, 0x20, 0x03,
        0x00, 0x40, 0x06, 0x40, 0x06,
        0x00, 0x80, 0x0C, 0x80, 0x0C,
        0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x00, 0x10, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x09, 0xF1, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x01, 0x01, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x01, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x08,
        0x00,
        0x00, 0x00,
    };
    // clang-format on
    EXPECT_EQ(PackedImage(Defaults()), expected);
}

TEST(ConfigRecord, ResetOverwritesEveryField) {
    DeviceConfig config;
    ConfigBlockData noise{};
    std::iota(noise.begin(), noise.end(), 7);
    UnpackConfig(noise, config);
    config.AckShown = 0x20;

    ResetConfigDefaults(config);

    EXPECT_EQ(config, Defaults());
}

struct ValueCase {
    const char* name;
    std::function<void(DeviceConfig&)> set;
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

class StoredBytesTest : public ::testing::TestWithParam<ValueCase> {};

TEST_P(StoredBytesTest, ValueLandsAtItsOffsetLowByteFirst) {
    const ValueCase& c = GetParam();
    DeviceConfig config = Defaults();
    c.set(config);
    const ConfigImage image = PackedImage(config);
    for (std::size_t i = 0; i < c.bytes.size(); ++i) {
        EXPECT_EQ(image[c.offset + i], c.bytes[i]) << "byte " << i;
    }

    ConfigBlockData block{};
    std::copy(image.begin(), image.end(), block.begin());
    DeviceConfig unpacked = Defaults();
    unpacked.AngleTuning = 99;
    UnpackConfig(block, unpacked);
    EXPECT_EQ(unpacked, config);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StoredBytesTest,
    ::testing::Values(
        ValueCase{
            "CpiX1250", [](DeviceConfig& c) { c.CpiLevels[0].CpiX = 1250; }, 0x24, {0xE2, 0x04}},
        ValueCase{"CpiY30000OfLastLevel",
                  [](DeviceConfig& c) { c.CpiLevels[3].CpiY = 30000; },
                  0x35,
                  {0x30, 0x75}},
        ValueCase{"XySeparate", [](DeviceConfig& c) { c.CpiLevels[2].XySeparate = 1; }, 0x2D, {1}},
        ValueCase{"Param1OfKeyboardKey",
                  [](DeviceConfig& c) {
                      c.Buttons[3] = {0x02, 0x05, 0x0104, 0, 8};
                  },
                  0x4C,
                  {0x02, 0x05, 0x04, 0x01, 0x00, 0x00, 0x08}},
        ValueCase{"Param2OfFixedCpi",
                  [](DeviceConfig& c) {
                      c.Buttons[7] = {0x0C, 0, 800, 1600, 8};
                  },
                  0x68,
                  {0x0C, 0x00, 0x20, 0x03, 0x40, 0x06, 0x08}},
        ValueCase{"NegativeAngle", [](DeviceConfig& c) { c.AngleTuning = -5; }, 0x01, {0xFB}},
        ValueCase{"MostNegativeAngle", [](DeviceConfig& c) { c.AngleTuning = -128; }, 0x01, {0x80}},
        ValueCase{"GlassModeIsTheLastByte", [](DeviceConfig& c) { c.GlassMode = 1; }, 0x6F, {1}},
        ValueCase{"CarriedBytes",
                  [](DeviceConfig& c) {
                      c.CfgByte00 = 0xAB;
                      c.CfgBytes0F[19] = 0xCD;
                  },
                  0x00,
                  {0xAB}}),
    test::CaseName{});

TEST(ConfigRecord, UnpackThenPackReproducesTheInterpretedBytes) {
    ConfigBlockData block{};
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    DeviceConfig config;
    UnpackConfig(block, config);
    const ConfigImage image = PackedImage(config);

    for (std::size_t i = 0; i < 0x70; ++i) {
        EXPECT_EQ(image[i], i == 0x02 ? 0 : block[i]) << "offset " << i;
    }
    EXPECT_EQ(image[0x70], 0);
    EXPECT_EQ(image[0x71], 0);
}

struct SectionCase {
    const char* name;
    std::function<void(DeviceConfig&)> change;
    std::uint8_t sections;
    bool differ;
};

class ChangedSectionsTest : public ::testing::TestWithParam<SectionCase> {};

TEST_P(ChangedSectionsTest, ReportsTheSectionsOfTheChangedBytes) {
    const SectionCase& c = GetParam();
    ConfigStore store;
    c.change(store.EditConfig());
    EXPECT_EQ(store.ChangedSections(), c.sections);
    EXPECT_EQ(store.ConfigsDiffer(), c.differ);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChangedSectionsTest,
    ::testing::Values(
        SectionCase{"Nothing", [](DeviceConfig&) {}, 0, false},
        SectionCase{"MotionSync", [](DeviceConfig& c) { c.MotionSync = 1; }, AdvancedSection, true},
        SectionCase{"Filter", [](DeviceConfig& c) { c.Buttons[3].MulticlickFilter = 12; },
                    AdvancedSection, true},
        SectionCase{"FilterOfHiddenSlot",
                    [](DeviceConfig& c) { c.Buttons[7].MulticlickFilter = 0; }, AdvancedSection,
                    true},
        SectionCase{"ActionCode", [](DeviceConfig& c) { c.Buttons[1].ActionCode = 0x04; },
                    ButtonSection, true},
        SectionCase{"Param2", [](DeviceConfig& c) { c.Buttons[7].Param2 = 1; }, ButtonSection,
                    true},
        SectionCase{"CurrentCpiLevel", [](DeviceConfig& c) { c.CurrentCpiLevel = 2; },
                    SensorSection, true},
        SectionCase{"AngleTuning", [](DeviceConfig& c) { c.AngleTuning = 3; }, SensorSection, true},
        SectionCase{"CfgByte07", [](DeviceConfig& c) { c.CfgByte07 = 1; }, SensorSection, true},
        SectionCase{"CarriedBlockBytes", [](DeviceConfig& c) { c.CfgBytes0F[0] = 1; },
                    SensorSection, true},
        SectionCase{"GlassMode", [](DeviceConfig& c) { c.GlassMode = 1; }, AdvancedSection, true},
        SectionCase{"DeepSleep", [](DeviceConfig& c) { c.DeepSleep = 0x85; }, AdvancedSection,
                    true},
        SectionCase{"CfgByte00BelongsToNoSection", [](DeviceConfig& c) { c.CfgByte00 = 1; }, 0,
                    true},
        SectionCase{"AckShownIsNotOnTheDevice", [](DeviceConfig& c) { c.AckShown = 0x20; }, 0,
                    false},
        SectionCase{"AllThree",
                    [](DeviceConfig& c) {
                        c.LiftOffLed = 0;
                        c.PollingRate = 8;
                        c.Buttons[0].ActionType = 0xFF;
                    },
                    SensorSection | AdvancedSection | ButtonSection, true}),
    test::CaseName{});

TEST(ConfigStore, CopyEditToBaseCopiesEverythingButTheAcknowledgement) {
    ConfigStore store;
    store.EditConfig().MotionSync = 1;
    store.EditConfig().Buttons[2].Param1 = 0x1234;
    store.EditConfig().AckShown = 0x20;
    store.BaseConfig().AckShown = 0;

    store.CopyEditToBase();

    EXPECT_FALSE(store.ConfigsDiffer());
    EXPECT_EQ(store.BaseConfig().MotionSync, 1);
    EXPECT_EQ(store.BaseConfig().Buttons[2].Param1, 0x1234);
    EXPECT_EQ(store.BaseConfig().AckShown, 0);
}

}  // namespace
}  // namespace qx9
