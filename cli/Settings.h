#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceConfig.h"
#include "DeviceLink.h"
#include "Json.h"
#include "Problem.h"
#include "SettingsEdit.h"

// Every setting of the mouse by name, as `qx9ctl show`, `set`, `export` and
// `import` know it. Values are checked and written by the pages' own rules,
// so the command line can never store what the window would not.
namespace qx9::cli {

// The window's page that shows a setting.
enum class Page { Basic, Advanced, Buttons, Power };

// How a value is written on the command line and held in a profile.
enum class ValueKind {
    OnOff,    // on/off; true/false in a profile
    Whole,    // a whole number
    Cpi,      // 800 or 800x1600; 800 or {"x": 800, "y": 1600} in a profile
    Choice,   // one word out of a list
    Minutes,  // minutes, or off
    Action,   // a button action by name
};

struct Setting {
    std::string_view name;
    Page page;
    ValueKind kind;
    std::string_view values;  // what it takes, in words
    // The record's value as a profile holds it.
    Json (*value)(const DeviceConfig&);
    // How a person reads it where that is not the value itself; may be null.
    std::string (*text)(const DeviceConfig&);
    // Checks a value by the pages' rules and writes it into the record.
    void (*assign)(const Json& value, SettingsEdit& edit);
    // Applied before the others, whose allowed values depend on it.
    bool appliedFirst = false;
};

// Page by page, as `show` lists them and a profile holds them. Values are
// applied in this order too (glass mode and left-handed mode come first), so that a setting that
// changes what another may take (the level count for the active level, the report rate for power
// saving, the acknowledgement and switch modes for the filters, left-handed mode for the main
// buttons) comes before it.
std::span<const Setting> Settings();
const Setting* FindSetting(std::string_view name);

// The title of a page's tab.
std::string PageTitle(Page page);

// Every setting's value, by name, as shown.
Json SettingValues(const DeviceConfig& config);
std::string SettingText(const Setting& setting, const DeviceConfig& config);

// A report-rate code as the report-rate setting names it.
std::string ReportRateWord(std::uint8_t code);

// A value typed on the command line as the value a profile holds; empty with
// the reason when the text does not fit the setting's kind.
std::optional<Json> ValueFromText(const Setting& setting, std::string_view text, std::string& why);

// One value given for a setting, and where it was given.
struct Assignment {
    std::string name;
    Json value;
    std::string place;
};

struct EditOutcome {
    DeviceConfig config;
    std::vector<Problem> problems;  // none: `config` is what to write
};

// Applies the values to a copy of the record, in table order whatever the
// order given, and reports every problem. A value equal to what the setting
// holds is always taken and leaves its bytes alone. Without a connection only
// what holds for any mouse is checked (kinds, names, ranges); with one, also
// what the mouse's state and connection allow.
EditOutcome EditSettings(const DeviceConfig& current, std::optional<LinkMode> connection,
                         const std::vector<Assignment>& assignments);

}  // namespace qx9::cli
