#include "Settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdio>

#include "AdvancedSettingsRules.h"
#include "BasicSettingsRules.h"
#include "ButtonSettings.h"
#include "PowerSettingsRules.h"
#include "UiTexts.h"

namespace qx9::cli {
namespace {

// --- on/off fields -------------------------------------------------------------
template <std::uint8_t DeviceConfig::*Field>
Json FlagValue(const DeviceConfig& config) {
    return config.*Field == 1;
}

template <std::uint8_t DeviceConfig::*Field>
void AssignFlag(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (!on || edit.Holds(*on)) {
        return;
    }
    edit.Config().*Field = *on ? 1 : 0;
}

template <std::uint8_t Flag>
Json FeatureValue(const DeviceConfig& config) {
    return (config.FeatureFlags & Flag) != 0;
}

// --- Basic Settings ----------------------------------------------------------------
Json LevelCountValue(const DeviceConfig& config) {
    return basic::LevelCountIndexOf(config.CpiLevelCount) + 1;
}

void AssignLevelCount(const Json& value, SettingsEdit& edit) {
    const auto count = edit.Whole(value);
    if (!count || edit.Holds(*count) || !edit.InRange(*count, 1, basic::LevelRows)) {
        return;
    }
    DeviceConfig& config = edit.Config();
    config.CpiLevelCount = static_cast<std::uint8_t>(*count);
    // As on the page: an active level that is no longer shown gives way to the
    // last one that is.
    if (*count < basic::LevelRows && config.CurrentCpiLevel >= *count) {
        config.CurrentCpiLevel = static_cast<std::uint8_t>(*count - 1);
    }
}

Json ActiveLevelValue(const DeviceConfig& config) {
    return config.CurrentCpiLevel + 1;
}

void AssignActiveLevel(const Json& value, SettingsEdit& edit) {
    const auto level = edit.Whole(value);
    if (!level || edit.Holds(*level)) {
        return;
    }
    const long long count = basic::LevelCountIndexOf(edit.Config().CpiLevelCount) + 1;
    if (edit.InRange(*level, 1, count, {}, " (cpi-levels is " + std::to_string(count) + ")")) {
        edit.Config().CurrentCpiLevel = static_cast<std::uint8_t>(*level - 1);
    }
}

Json CpiJson(long long x, long long y) {
    if (x == y) {
        return x;
    }
    Json pair = Json::object();
    pair["x"] = x;
    pair["y"] = y;
    return pair;
}

template <std::size_t Level>
Json CpiValue(const DeviceConfig& config) {
    const CpiLevel& level = config.CpiLevels[Level];
    return CpiJson(level.CpiX, level.CpiY);
}

bool CheckCpi(SettingsEdit& edit, long long value, std::string_view subPlace) {
    if (!edit.InRange(value, basic::MinCpi, basic::MaxCpi, subPlace)) {
        return false;
    }
    if (basic::NormalizeCpi(static_cast<std::uint32_t>(value)) != value) {
        edit.Problem(std::to_string(value) +
                         " is not a step the mouse takes: steps of 10 up to 10000, of 50 above",
                     subPlace);
        return false;
    }
    return true;
}

template <std::size_t Level>
void AssignCpi(const Json& value, SettingsEdit& edit) {
    const auto pair = edit.Cpi(value);
    if (!pair || edit.Holds(CpiJson(pair->x, pair->y))) {
        return;
    }
    const bool apart = value.is_object();
    const bool xFits = CheckCpi(edit, pair->x, apart ? "/x" : "");
    const bool yFits = !apart || CheckCpi(edit, pair->y, "/y");
    if (xFits && yFits) {
        edit.Config().CpiLevels[Level] = basic::LevelFromValues(
            static_cast<std::uint32_t>(pair->x), static_cast<std::uint32_t>(pair->y));
    }
}

constexpr std::string_view LodValues =
    "0.7mm..1.7mm in steps of 0.1mm; 1.0mm or 2.0mm with glass-mode on";

Json LodValue(const DeviceConfig& config) {
    const auto entries = basic::LodEntries(config.GlassMode);
    const int position = basic::LodPositionOf(config.GlassMode, config.LiftOffDistance);
    return std::string(entries[static_cast<std::size_t>(position)]);
}

// "1.0", "1.0 mm" and "1.0MM" all name the entry "1.0mm".
std::string LodSpelling(std::string_view text) {
    std::string spelled;
    for (const char c : text) {
        if (c != ' ') {
            spelled += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (!spelled.ends_with("mm")) {
        spelled += "mm";
    }
    return spelled;
}

std::optional<int> LodPosition(std::span<const std::string_view> entries, const std::string& word) {
    const auto found = std::find(entries.begin(), entries.end(), word);
    if (found == entries.end()) {
        return std::nullopt;
    }
    return static_cast<int>(found - entries.begin());
}

void AssignLod(const Json& value, SettingsEdit& edit) {
    const auto text = edit.Text(value);
    if (!text) {
        return;
    }
    const std::string word = LodSpelling(*text);
    if (edit.Holds(word)) {
        return;
    }
    DeviceConfig& config = edit.Config();
    const auto entries = basic::LodEntries(config.GlassMode);
    if (const auto position = LodPosition(entries, word)) {
        config.LiftOffDistance = basic::LodCodeAt(config.GlassMode, *position);
        return;
    }
    if (!edit.KnowsMouse()) {
        // Without the mouse its surface is not known: either list's distance may fit.
        const auto other = basic::LodEntries(config.GlassMode == basic::GlassModeOn ? 0 : 1);
        if (!LodPosition(other, word)) {
            edit.Problem(*text + " is not a lift-off distance: " + std::string(LodValues));
        }
        return;
    }
    edit.Problem(*text + " is not one of: " + JoinWords(entries) + " (glass-mode is " +
                 (config.GlassMode == basic::GlassModeOn ? "on" : "off") + ")");
}

// "Disable LED on Lift-Off" says the opposite: on means the LED stays lit.
Json LiftOffLedValue(const DeviceConfig& config) {
    return !basic::DisableLedChecked(config.LiftOffLed);
}

void AssignLiftOffLed(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (on && !edit.Holds(*on)) {
        edit.Config().LiftOffLed = basic::LiftOffLedFor(!*on);
    }
}

// --- Advanced Settings -------------------------------------------------------------
// In the order of the codes in advanced::RateCodes.
constexpr std::array<std::string_view, 5> RateWords{"4000", "2000", "1000", "1000-power-saving",
                                                    "125-office"};

std::string HexByte(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

Json RateValue(const DeviceConfig& config) {
    return ReportRateWord(config.PollingRate);
}

void AssignRate(const Json& value, SettingsEdit& edit) {
    if (value.is_string() && edit.Holds(value)) {
        return;  // also a code outside the list, as the mouse holds it
    }
    const auto word = edit.Word(value, RateWords);
    if (!word || edit.Holds(*word)) {
        return;
    }
    const auto entry = std::find(RateWords.begin(), RateWords.end(), *word) - RateWords.begin();
    const std::uint8_t code = advanced::RateCodeAt(static_cast<int>(entry));
    DeviceConfig& config = edit.Config();
    if (edit.KnowsMouse()) {
        // On glass the page fixes the rate; it changes with glass mode off, and
        // stays when glass mode is turned on after.
        if (edit.Held().GlassMode == basic::GlassModeOn && config.GlassMode == basic::GlassModeOn) {
            edit.Problem(
                "cannot change while glass-mode stays on: the mouse keeps its own rate "
                "there");
            return;
        }
        if (edit.OnCable() && code != advanced::RateCodes[advanced::FixedRateEntry]) {
            edit.Problem(*word +
                         " is not allowed on the cable, which takes only 1000; the other "
                         "rates are for the dongle");
            return;
        }
    }
    config.PollingRate = code;
    // These rates save power: the Power Settings page turns power saving on.
    if (advanced::IsPowerSavingRate(code)) {
        config.PowerSaving &= power::MinutesMask;
    }
}

Json MaxFpsValue(const DeviceConfig& config) {
    return FeatureValue<advanced::ForceMaxFpsFlag>(config);
}

void AssignMaxFps(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (!on || edit.Holds(*on)) {
        return;
    }
    DeviceConfig& config = edit.Config();
    if (edit.KnowsMouse() && advanced::IsPowerSavingRate(config.PollingRate)) {
        edit.Problem("cannot change at report-rate " + ReportRateWord(config.PollingRate) +
                     ", which saves power");
        return;
    }
    config.FeatureFlags = advanced::WithFlag(config.FeatureFlags, advanced::ForceMaxFpsFlag, *on);
}

void AssignGlassMode(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (!on || edit.Holds(*on)) {
        return;
    }
    DeviceConfig& config = edit.Config();
    config.GlassMode = *on ? basic::GlassModeOn : 0;
    // The lift-off distance moves to the nearest the other surface allows.
    if (const auto remap = basic::RemapLodForGlassMode(config.GlassMode, config.LiftOffDistance)) {
        config.LiftOffDistance = remap->code;
    }
}

Json AngleValue(const DeviceConfig& config) {
    return advanced::ShownAngle(config.AngleTuning);
}

void AssignAngle(const Json& value, SettingsEdit& edit) {
    const auto angle = edit.Whole(value);
    if (angle && !edit.Holds(*angle) &&
        edit.InRange(*angle, advanced::MinAngle, advanced::MaxAngle)) {
        edit.Config().AngleTuning = static_cast<std::int8_t>(*angle);
    }
}

void AssignSlamclick(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (on && !edit.Holds(*on)) {
        DeviceConfig& config = edit.Config();
        config.FeatureFlags =
            advanced::WithFlag(config.FeatureFlags, advanced::SlamclickFilterFlag, *on);
    }
}

bool Acknowledged(const DeviceConfig& config) {
    return (config.FeatureFlags & advanced::AcknowledgedFlag) != 0;
}

void AssignAcknowledged(const Json& value, SettingsEdit& edit) {
    const auto on = edit.OnOff(value);
    if (!on || edit.Holds(*on)) {
        return;
    }
    DeviceConfig& config = edit.Config();
    config.FeatureFlags = advanced::WithFlag(config.FeatureFlags, advanced::AcknowledgedFlag, *on);
    if (!*on) {
        // Withdrawing it puts both switch modes off and every filter back to 8.
        for (const std::size_t button : advanced::FilterRowButton) {
            config.Buttons[button].MulticlickFilter = advanced::DefaultFilter;
        }
    }
}

// Filter changes need the notice acknowledged, as the page's filter group does.
bool FilterGroupOpen(SettingsEdit& edit) {
    if (edit.KnowsMouse() && !Acknowledged(edit.Config())) {
        edit.Problem("cannot change until filter-notice-acknowledged is on");
        return false;
    }
    return true;
}

constexpr std::array<std::string_view, 3> SwitchModeWords{"off", "speed", "safe"};

template <std::size_t Button>
Json SwitchModeValue(const DeviceConfig& config) {
    const int entry = advanced::SwitchModeEntryOf(config.Buttons[Button].MulticlickFilter);
    return std::string(SwitchModeWords[static_cast<std::size_t>(entry)]);
}

template <std::size_t Button>
void AssignSwitchMode(const Json& value, SettingsEdit& edit) {
    const auto word = edit.Word(value, SwitchModeWords);
    if (!word || edit.Holds(*word) || !FilterGroupOpen(edit)) {
        return;
    }
    const auto entry =
        std::find(SwitchModeWords.begin(), SwitchModeWords.end(), *word) - SwitchModeWords.begin();
    // Choosing a mode moved the row's slider to 8, which OFF takes back.
    edit.Config().Buttons[Button].MulticlickFilter =
        advanced::FilterByteFor(static_cast<int>(entry), advanced::DefaultFilter);
}

template <std::size_t Row>
Json FilterValue(const DeviceConfig& config) {
    return advanced::ShownFilter(config.Buttons[advanced::FilterRowButton[Row]].MulticlickFilter);
}

template <std::size_t Row>
void AssignFilter(const Json& value, SettingsEdit& edit) {
    const auto filter = edit.Whole(value);
    if (!filter || edit.Holds(*filter) ||
        !edit.InRange(*filter, advanced::MinFilter, advanced::MaxFilter) ||
        !FilterGroupOpen(edit)) {
        return;
    }
    std::uint8_t& stored = edit.Config().Buttons[advanced::FilterRowButton[Row]].MulticlickFilter;
    if (edit.KnowsMouse() && advanced::SwitchModeEntryOf(stored) != advanced::SwitchModeOff) {
        edit.Problem(std::string("cannot change while ") + (Row == 0 ? "left" : "right") +
                     "-spdt is not off");
        return;
    }
    stored = static_cast<std::uint8_t>(*filter);
}

// --- Power Settings -----------------------------------------------------------------
Json TimeoutValue(std::uint8_t stored) {
    const power::Timeout timeout = power::DecomposeTimeout(stored);
    return timeout.on ? Json(timeout.minutes) : Json("off");
}

Json PowerSavingValue(const DeviceConfig& config) {
    return TimeoutValue(config.PowerSaving);
}

Json DeepSleepValue(const DeviceConfig& config) {
    return TimeoutValue(config.DeepSleep);
}

// Off keeps the minutes the mouse holds, as the page's box does.
bool AssignTimeout(const Json& value, SettingsEdit& edit, std::uint8_t& stored) {
    const auto minutes = edit.Minutes(value);
    if (!minutes || edit.Holds(minutes->on ? Json(minutes->minutes) : Json("off"))) {
        return false;
    }
    if (!minutes->on) {
        stored = power::ComposeTimeout(power::DecomposeTimeout(stored).minutes, false);
        return true;
    }
    if (!edit.InRange(minutes->minutes, power::MinMinutes, power::MaxMinutes)) {
        return false;
    }
    stored = power::ComposeTimeout(static_cast<std::uint32_t>(minutes->minutes), true);
    return true;
}

void AssignPowerSaving(const Json& value, SettingsEdit& edit) {
    DeviceConfig& config = edit.Config();
    const std::uint8_t before = config.PowerSaving;
    if (!AssignTimeout(value, edit, config.PowerSaving)) {
        return;
    }
    if (edit.KnowsMouse() && (config.PowerSaving & power::TimeoutOff) &&
        advanced::IsPowerSavingRate(config.PollingRate)) {
        config.PowerSaving = before;
        edit.Problem("cannot be off at report-rate " + ReportRateWord(config.PollingRate) +
                     ", which saves power");
    }
}

void AssignDeepSleep(const Json& value, SettingsEdit& edit) {
    AssignTimeout(value, edit, edit.Config().DeepSleep);
}

// Both on after the same idle time, deep sleep would take over at once; the
// page then turns power saving off. Asked for outright, that is refused.
void CheckPowerTimeouts(const DeviceConfig& before, const DeviceConfig& after,
                        const std::string& place, std::vector<Problem>& problems) {
    if (before.PowerSaving == after.PowerSaving && before.DeepSleep == after.DeepSleep) {
        return;
    }
    const power::Timeout saving = power::DecomposeTimeout(after.PowerSaving);
    const power::Timeout sleep = power::DecomposeTimeout(after.DeepSleep);
    if (power::BothOnWithEqualMinutes({saving.minutes, saving.on, sleep.minutes, sleep.on})) {
        problems.push_back({place, "power-saving and deep-sleep are both on after " +
                                       std::to_string(sleep.minutes) +
                                       " minutes, so power saving would never start: give them "
                                       "different minutes or turn power-saving off"});
    }
}

// --- the table --------------------------------------------------------------------
constexpr std::string_view OnOffValues = "on or off";
constexpr std::string_view CpiValues =
    "10..30000, in steps of 10 up to 10000 and of 50 above; X and Y apart as 800x1600";
constexpr std::string_view FilterValues = "0..25";
constexpr std::string_view MinutesValues = "1..120 (minutes), or off";

using enum Page;
using enum ValueKind;

// Basic and Advanced Settings, as the pages show them. Glass mode is applied
// before every other setting: the lift-off distance depends on it.
constexpr std::array<Setting, 24> LeadingSettings{{
    {"cpi-levels", Basic, Whole, "1..4", LevelCountValue, nullptr, AssignLevelCount},
    {"active-level", Basic, Whole, "1..cpi-levels", ActiveLevelValue, nullptr, AssignActiveLevel},
    {"cpi1", Basic, Cpi, CpiValues, CpiValue<0>, nullptr, AssignCpi<0>},
    {"cpi2", Basic, Cpi, CpiValues, CpiValue<1>, nullptr, AssignCpi<1>},
    {"cpi3", Basic, Cpi, CpiValues, CpiValue<2>, nullptr, AssignCpi<2>},
    {"cpi4", Basic, Cpi, CpiValues, CpiValue<3>, nullptr, AssignCpi<3>},
    {"lod", Basic, Choice, LodValues, LodValue, nullptr, AssignLod},
    {"angle-snapping", Basic, OnOff, OnOffValues, FlagValue<&DeviceConfig::AngleSnapping>, nullptr,
     AssignFlag<&DeviceConfig::AngleSnapping>},
    {"ripple-control", Basic, OnOff, OnOffValues, FlagValue<&DeviceConfig::RippleControl>, nullptr,
     AssignFlag<&DeviceConfig::RippleControl>},
    {"led-on-lift-off", Basic, OnOff, OnOffValues, LiftOffLedValue, nullptr, AssignLiftOffLed},
    {"report-rate", Advanced, Choice,
     "4000, 2000, 1000, 1000-power-saving or 125-office (Hz); only 1000 on the cable", RateValue,
     nullptr, AssignRate},
    {"slamclick-filter", Advanced, OnOff, OnOffValues, FeatureValue<advanced::SlamclickFilterFlag>,
     nullptr, AssignSlamclick},
    {"motion-sync", Advanced, OnOff, OnOffValues, FlagValue<&DeviceConfig::MotionSync>, nullptr,
     AssignFlag<&DeviceConfig::MotionSync>},
    {"max-sensor-fps", Advanced, OnOff, OnOffValues, MaxFpsValue, nullptr, AssignMaxFps},
    {"glass-mode", Advanced, OnOff, OnOffValues, FlagValue<&DeviceConfig::GlassMode>, nullptr,
     AssignGlassMode, true},
    {"angle-tuning", Advanced, Whole, "-127..127", AngleValue, nullptr, AssignAngle},
    {"filter-notice-acknowledged", Advanced, OnOff,
     "on or off; the filters and switch modes change only while it is on",
     FeatureValue<advanced::AcknowledgedFlag>, nullptr, AssignAcknowledged},
    {"left-spdt", Advanced, Choice, "off, speed or safe", SwitchModeValue<0>, nullptr,
     AssignSwitchMode<0>},
    {"left-filter", Advanced, Whole, FilterValues, FilterValue<0>, nullptr, AssignFilter<0>},
    {"right-spdt", Advanced, Choice, "off, speed or safe", SwitchModeValue<1>, nullptr,
     AssignSwitchMode<1>},
    {"right-filter", Advanced, Whole, FilterValues, FilterValue<1>, nullptr, AssignFilter<1>},
    {"middle-filter", Advanced, Whole, FilterValues, FilterValue<2>, nullptr, AssignFilter<2>},
    {"forward-filter", Advanced, Whole, FilterValues, FilterValue<3>, nullptr, AssignFilter<3>},
    {"back-filter", Advanced, Whole, FilterValues, FilterValue<4>, nullptr, AssignFilter<4>},
}};

// After the report rate, which may force power saving on.
constexpr std::array<Setting, 2> PowerSettings{{
    {"power-saving", Power, Minutes, MinutesValues, PowerSavingValue, nullptr, AssignPowerSaving},
    {"deep-sleep", Power, Minutes, MinutesValues, DeepSleepValue, nullptr, AssignDeepSleep},
}};

const std::vector<Setting>& Table() {
    static const std::vector<Setting> table = [] {
        std::vector<Setting> all(LeadingSettings.begin(), LeadingSettings.end());
        const auto buttons = ButtonSettings();
        all.insert(all.end(), buttons.begin(), buttons.end());
        all.insert(all.end(), PowerSettings.begin(), PowerSettings.end());
        return all;
    }();
    return table;
}

std::string TextOfValue(const Json& value) {
    if (value.is_boolean()) {
        return value.get<bool>() ? "on" : "off";
    }
    if (value.is_string()) {
        return value.get<std::string>();
    }
    if (value.is_object()) {
        return value.at("x").dump() + "x" + value.at("y").dump();
    }
    return value.dump();
}

// An optional sign and decimal digits; `huge` when they overflow.
std::optional<long long> ParseWhole(std::string_view text, bool& huge) {
    if (text.starts_with('+')) {
        text.remove_prefix(1);
        if (text.starts_with('-')) {
            return std::nullopt;
        }
    }
    long long number = 0;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    huge = error == std::errc::result_out_of_range;
    if (text.empty() || stop != end || error != std::errc()) {
        return std::nullopt;
    }
    return number;
}

std::optional<Json> WholeFromText(std::string_view text, std::string& why) {
    bool huge = false;
    if (const auto number = ParseWhole(text, huge)) {
        return Json(*number);
    }
    why = huge ? std::string(text) + " is far outside any allowed range"
               : "expected a whole number, not " + std::string(text);
    return std::nullopt;
}

}  // namespace

std::string ReportRateWord(std::uint8_t code) {
    if (const auto entry = advanced::RateEntryOf(code)) {
        return std::string(RateWords[static_cast<std::size_t>(*entry)]);
    }
    return HexByte(code);  // a code no entry stands for
}

std::span<const Setting> Settings() {
    return Table();
}

const Setting* FindSetting(std::string_view name) {
    for (const Setting& setting : Table()) {
        if (setting.name == name) {
            return &setting;
        }
    }
    return nullptr;
}

std::string PageTitle(Page page) {
    // The tab's title without the blanks that pad it on the tab.
    std::string_view title = text::TabTitles[static_cast<std::size_t>(page)];
    title.remove_prefix(std::min(title.find_first_not_of(' '), title.size()));
    title.remove_suffix(title.size() - (title.find_last_not_of(' ') + 1));
    return std::string(title);
}

Json SettingValues(const DeviceConfig& config) {
    Json values = Json::object();
    for (const Setting& setting : Table()) {
        values[std::string(setting.name)] = setting.value(config);
    }
    return values;
}

std::string SettingText(const Setting& setting, const DeviceConfig& config) {
    return setting.text ? setting.text(config) : TextOfValue(setting.value(config));
}

std::optional<Json> ValueFromText(const Setting& setting, std::string_view text, std::string& why) {
    switch (setting.kind) {
        case OnOff:
            for (const std::string_view word : {"on", "true", "yes", "1"}) {
                if (SameWord(text, word)) {
                    return Json(true);
                }
            }
            for (const std::string_view word : {"off", "false", "no", "0"}) {
                if (SameWord(text, word)) {
                    return Json(false);
                }
            }
            why = "expected on or off, not " + std::string(text);
            return std::nullopt;
        case Whole:
            return WholeFromText(text, why);
        case Cpi: {
            const std::size_t cross = text.find_first_of("xX");
            if (cross == std::string_view::npos) {
                return WholeFromText(text, why);
            }
            const auto x = WholeFromText(text.substr(0, cross), why);
            const auto y = x ? WholeFromText(text.substr(cross + 1), why) : std::nullopt;
            if (!y) {
                why =
                    "expected a CPI such as 800, or X and Y as 800x1600, not " + std::string(text);
                return std::nullopt;
            }
            Json pair = Json::object();
            pair["x"] = *x;
            pair["y"] = *y;
            return pair;
        }
        case Minutes:
            if (SameWord(text, "off")) {
                return Json("off");
            }
            if (auto minutes = WholeFromText(text, why)) {
                return minutes;
            }
            why = "expected minutes or off, not " + std::string(text);
            return std::nullopt;
        case Choice:
        case Action:
            break;
    }
    return Json(std::string(text));
}

EditOutcome EditSettings(const DeviceConfig& current, std::optional<LinkMode> connection,
                         const std::vector<Assignment>& assignments) {
    SettingsEdit edit(current, connection);
    std::vector<Problem> problems;
    for (const Assignment& assignment : assignments) {
        if (!FindSetting(assignment.name)) {
            problems.push_back({assignment.place, "no such setting"});
        }
    }
    std::string powerPlace;
    std::vector<const Setting*> order;
    for (const bool first : {true, false}) {
        for (const Setting& setting : Table()) {
            if (setting.appliedFirst == first) {
                order.push_back(&setting);
            }
        }
    }
    for (const Setting* setting : order) {
        const Assignment* given = nullptr;
        for (const Assignment& assignment : assignments) {
            if (assignment.name != setting->name) {
                continue;
            }
            if (given) {
                problems.push_back({assignment.place, "given twice"});
                continue;
            }
            given = &assignment;
            edit.Begin(assignment.place, setting->value(edit.Config()));
            setting->assign(assignment.value, edit);
            if (setting->page == Power) {
                powerPlace = assignment.place;
            }
        }
    }
    std::vector<Problem> found = edit.TakeProblems();
    problems.insert(problems.end(), found.begin(), found.end());
    if (connection && !powerPlace.empty()) {
        CheckPowerTimeouts(current, edit.Config(), powerPlace, problems);
    }
    return {edit.Config(), std::move(problems)};
}

}  // namespace qx9::cli
