#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "FactoryBlock.h"
#include "Profile.h"
#include "support/CaseName.h"
#include "support/CliFixture.h"

namespace qx9 {
namespace {

using test::CliFixture;
using Lines = std::vector<std::string>;
using cli::Json;

// A mouse set far from its factory settings, some of it to values the pages
// would not show as they are: each must survive a profile's round trip.
emu::Block UnusualBlock() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    config.CpiLevelCount = 0;  // shown as 4
    config.CurrentCpiLevel = 2;
    config.CpiLevels[0] = {1, 1200, 1000};
    config.CpiLevels[3] = {0, 12345, 12345};  // between steps
    config.LiftOffDistance = 15;              // shown as 1.0mm
    config.RippleControl = 1;
    config.AngleTuning = -128;  // shown as 0
    config.MotionSync = 1;
    config.FeatureFlags = 0x61;  // acknowledged, slamclick, max fps
    config.Buttons[1].MulticlickFilter = 0xF0;
    config.Buttons[slot::Middle] = {ActionMediaKey, 0x10, 0, 0, 30};     // no entry's code
    config.Buttons[slot::Back] = {ActionKeyboardKey, 0x04, 0xA6, 0, 0};  // a key without a name
    config.Buttons[slot::WheelDown] = {ActionDisabled, 0x05, 0, 0, 8};
    config.PowerSaving = 0x80 | 7;
    config.DeepSleep = 90;
    return test::BlockHolding(config);
}

// A mouse set far from its factory settings, to values the pages can set.
emu::Block SettableBlock() {
    DeviceConfig config;
    ResetConfigDefaults(config);
    config.CpiLevelCount = 2;
    config.CurrentCpiLevel = 1;
    config.CpiLevels[1] = {1, 10050, 20000};
    config.GlassMode = 1;
    config.LiftOffDistance = 2;
    config.LiftOffLed = 0;
    config.PollingRate = 0x40;
    config.FeatureFlags = 0x20;
    config.AngleTuning = 100;
    config.Buttons[slot::Back].MulticlickFilter = 0;
    config.Buttons[slot::Right] = {ActionMouseButton, 0x01, 0, 0, 25};
    config.Buttons[slot::Left] = {ActionKeyboardKey, 0x08, 0x3E, 0, 0xF0};  // Win+F5
    config.Buttons[slot::Middle] = {ActionFixedCpi, 0, 1200, 1200, 8};
    config.Buttons[slot::WheelUp] = {ActionMediaKey, 0xE2, 0, 0, 8};
    config.PowerSaving = 2;
    config.DeepSleep = 0x80 | 9;
    return test::BlockHolding(config);
}

class ProfileTest : public CliFixture {
  protected:
    void SetUp() override {
        CliFixture::SetUp();
        directory = std::filesystem::path(::testing::TempDir()) /
                    ("qx9-profile-" + std::to_string(getpid())) /
                    ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::filesystem::remove_all(directory);
        std::filesystem::create_directories(directory);
    }
    void TearDown() override {
        std::filesystem::remove_all(directory.parent_path());
        CliFixture::TearDown();
    }

    std::string File(const char* name) const { return (directory / name).string(); }
    static std::string Contents(const std::string& file) {
        std::ifstream in(file);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    static void Write(const std::string& file, const std::string& text) {
        std::ofstream(file) << text;
    }
    Json Shown() {
        EXPECT_EQ(Run({"--json", "show"}), 0) << err.str();
        return Json::parse(out.str());
    }

    std::filesystem::path directory;
};

TEST_F(ProfileTest, ExportedAndImportedAgainChangesNothing) {
    emulator.SetConfigBlock(UnusualBlock());
    const std::string profile = File("mouse.json");

    ASSERT_EQ(Run({"export", profile}), 0) << err.str();
    ASSERT_EQ(Run({"import", profile}), 0) << err.str();

    EXPECT_EQ(out.str(), "nothing to change: the mouse holds these values already\n");
    EXPECT_EQ(Writes(), Lines{});
    EXPECT_EQ(emulator.ConfigBlock(), UnusualBlock());
}

// A profile carried to a mouse at its factory settings makes it show the same.
TEST_F(ProfileTest, RestoresEverySettingOnAnotherMouse) {
    Wireless();
    emulator.SetConfigBlock(SettableBlock());
    const Json before = Shown();
    const std::string profile = File("mouse.json");
    ASSERT_EQ(Run({"export", profile}), 0) << err.str();
    emulator.SetConfigBlock(emu::FactoryBlock());

    ASSERT_EQ(Run({"import", profile}), 0) << err.str();

    EXPECT_EQ(Shown(), before);
}

TEST_F(ProfileTest, ReadsEverySettingByNameWithItsFormatVersion) {
    emulator.SetConfigBlock(UnusualBlock());

    ASSERT_EQ(Run({"export"}), 0) << err.str();
    const std::string text = out.str();

    const Json profile = Json::parse(text);
    EXPECT_EQ(profile.at("format"), "qx9-profile");
    EXPECT_EQ(profile.at("version"), 1);
    EXPECT_EQ(profile.at("settings"), Shown());
    // One value a line, so that two profiles diff line by line.
    EXPECT_NE(text.find("\n    \"cpi1\": {\n      \"x\": 1200,\n      \"y\": 1000\n    },\n"),
              std::string::npos)
        << text;
}

TEST_F(ProfileTest, ImportsFromStandardInput) {
    in.str(R"({"format": "qx9-profile", "version": 1, "settings": {"cpi2": 900}})");

    ASSERT_EQ(Run({"import", "-"}), 0) << err.str();
    EXPECT_EQ(out.str(), "cpi2: 800 -> 900\n");
    EXPECT_EQ(Shown().at("cpi2"), 900);
}

TEST_F(ProfileTest, AFailedExportLeavesTheFileAsItWas) {
    const std::string profile = File("kept.json");
    Write(profile, "keep me\n");
    emulator.PlugCable(false);
    emulator.PlugDongle(false);

    EXPECT_EQ(Run({"export", profile}), 3);
    EXPECT_EQ(Contents(profile), "keep me\n");
}

TEST_F(ProfileTest, AnUnwritableFileIsBadInput) {
    const std::string profile = File("missing/dir.json");

    EXPECT_EQ(Run({"export", profile}), 2);
    EXPECT_EQ(ErrorLines(),
              Lines{"qx9ctl: cannot write " + profile + ": No such file or directory"});
}

TEST_F(ProfileTest, AMissingFileIsBadInput) {
    const std::string profile = File("missing.json");

    EXPECT_EQ(Run({"import", profile}), 2);
    EXPECT_EQ(ErrorLines(),
              Lines{"qx9ctl: cannot read " + profile + ": No such file or directory"});
    EXPECT_EQ(Sent(), Lines{});
}

// --- broken profiles ------------------------------------------------------------------------

struct BrokenCase {
    const char* name;
    const char* text;
    Lines errors;    // after "qx9ctl: <file>"
    bool mouseRead;  // values are checked against the mouse; a file that is no profile is not
};

class BrokenProfileTest : public ProfileTest, public ::testing::WithParamInterface<BrokenCase> {};

// Every problem is reported with its place in the file, and nothing is written.
TEST_P(BrokenProfileTest, ReportsEveryProblemAndWritesNothing) {
    const BrokenCase& c = GetParam();
    const std::string profile = File("broken.json");
    Write(profile, c.text);

    EXPECT_EQ(Run({"import", profile}), 2);

    Lines expected;
    for (const std::string& error : c.errors) {
        expected.push_back("qx9ctl: " + profile + error);
    }
    EXPECT_EQ(ErrorLines(), expected);
    EXPECT_EQ(Writes(), Lines{});
    EXPECT_EQ(Sent().empty(), !c.mouseRead);
    EXPECT_EQ(emulator.ConfigBlock(), emu::FactoryBlock());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BrokenProfileTest,
    ::testing::Values(
        BrokenCase{"TruncatedJson",
                   R"({"format": "qx9-profile", "version": 1, "settings": {"cpi1": 8)",
                   {": not valid JSON: parse error at line 1, column 63: syntax error while "
                    "parsing object - unexpected end of input; expected '}'"},
                   false},
        BrokenCase{"NumberBeyondAnyDouble",
                   R"({"format": "qx9-profile", "version": 1, "settings": {"cpi1": 1e7777}})",
                   {": not valid JSON: number overflow parsing '1e7777'"},
                   false},
        BrokenCase{"UnknownKeys",
                   R"({"format": "qx9-profile", "version": 1, "colour": "red",
                       "settings": {"cpi5": 800, "cpi1": 800}})",
                   {": /colour: unknown key", ": /settings/cpi5: unknown setting"},
                   false},
        BrokenCase{"CpiOutOfRange",
                   R"({"format": "qx9-profile", "version": 1, "settings": {"cpi1": 40000}})",
                   {": /settings/cpi1: 40000 is outside the allowed range 10..30000"},
                   true},
        BrokenCase{"CpiAxisOutOfRange",
                   R"({"format": "qx9-profile", "version": 1,
                       "settings": {"cpi2": {"x": 800, "y": 40000, "z": 1}}})",
                   {": /settings/cpi2/z: unknown key (a CPI value has x and y)",
                    ": /settings/cpi2/y: 40000 is outside the allowed range 10..30000"},
                   true},
        BrokenCase{"FilterOutOfRange",
                   R"({"format": "qx9-profile", "version": 1,
                       "settings": {"filter-notice-acknowledged": true, "middle-filter": 300}})",
                   {": /settings/middle-filter: 300 is outside the allowed range 0..25"},
                   true},
        BrokenCase{
            "WrongTypes",
            R"({"format": "qx9-profile", "version": 1,
                       "settings": {"cpi1": "800", "motion-sync": "on", "angle-tuning": 1.5,
                                    "power-saving": true, "lod": 1.0}})",
            {": /settings/cpi1: expected a CPI value such as 800, or {\"x\": 800, \"y\": "
             "1600}",
             ": /settings/lod: expected a text", ": /settings/motion-sync: expected true or false",
             ": /settings/angle-tuning: expected a whole number",
             ": /settings/power-saving: expected minutes or \"off\""},
            true},
        BrokenCase{"NewerVersion",
                   R"({"format": "qx9-profile", "version": 2, "settings": {"cpi9": "fast"}})",
                   {": /version: the profile is of version 2, written by a newer qx9ctl; this "
                    "one reads up to version 1"},
                   false},
        BrokenCase{"NoProfile",
                   R"([1, 2, 3])",
                   {": expected a JSON object with format, version and settings"},
                   false},
        BrokenCase{"OtherFormat",
                   R"({"format": "something-else", "version": 1, "settings": {}})",
                   {": /format: expected \"qx9-profile\""},
                   false},
        BrokenCase{"KeyGivenTwice",
                   R"({"format": "qx9-profile", "version": 1,
                       "settings": {"cpi1": 800, "cpi1": 900}})",
                   {": /settings/cpi1: given twice"},
                   false},
        BrokenCase{"RefusedByTheMouseOnItsCable",
                   R"({"format": "qx9-profile", "version": 1,
                       "settings": {"cpi1": 800, "report-rate": "2000"}})",
                   {": /settings/report-rate: 2000 is not allowed on the cable, which takes only "
                    "1000; the other rates are for the dongle"},
                   true}),
    test::CaseName{});

// --- the importer's own reading -----------------------------------------------------------

TEST(ProfileReadTest, APartialProfileChangesOnlyWhatItGives) {
    DeviceConfig current;
    ResetConfigDefaults(current);

    const cli::EditOutcome imported =
        cli::ImportProfile(R"({"format": "qx9-profile", "version": 1, "settings": {"cpi4": 6400}})",
                           current, LinkMode::Cable);

    ASSERT_EQ(imported.problems, std::vector<cli::Problem>{});
    DeviceConfig expected = current;
    expected.CpiLevels[3] = {0, 6400, 6400};
    EXPECT_EQ(imported.config, expected);
}

TEST(ProfileReadTest, ARejectedProfileLeavesTheRecordAsItWas) {
    DeviceConfig current;
    ResetConfigDefaults(current);

    const cli::EditOutcome imported = cli::ImportProfile(
        R"({"format": "qx9-profile", "version": 1,
            "settings": {"cpi4": 6400, "cpi3": 40000}})",
        current, LinkMode::Cable);

    EXPECT_EQ(imported.problems.size(), 1u);
    EXPECT_EQ(imported.config, current);
}

}  // namespace
}  // namespace qx9
