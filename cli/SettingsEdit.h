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

namespace qx9::cli {

struct CpiPair {
    long long x = 0;
    long long y = 0;
};

struct MinutesValue {
    bool on = false;
    long long minutes = 0;  // only when on
};

// One edit of a record under way: the values read so far, the problems found
// and what the mouse's own state allows. Without a mouse the record is not the
// mouse's, so only what holds for any mouse is checked.
class SettingsEdit {
  public:
    SettingsEdit(const DeviceConfig& current, std::optional<LinkMode> connection);

    DeviceConfig& Config() { return config_; }
    // The record before this edit: what the mouse holds.
    const DeviceConfig& Held() const { return held_; }
    // The rules that follow the mouse's own state and connection apply.
    bool KnowsMouse() const { return connection_.has_value(); }
    bool OnCable() const { return connection_ == LinkMode::Cable; }

    // The value read next was given at `place`; `current` is what the setting
    // holds at this point of the edit, as a profile writes it.
    void Begin(std::string place, Json current);
    // The value is what the setting holds already: it is taken as it is, and
    // the record keeps its bytes (so an odd value the mouse holds survives a
    // profile's round trip).
    bool Holds(const Json& canonical) const { return canonical == current_; }

    void Problem(std::string message, std::string_view subPlace = {});
    std::vector<cli::Problem> TakeProblems() { return std::move(problems_); }

    // Each reads a value of its kind; when it does not fit, the problem is
    // noted and the result is empty.
    std::optional<bool> OnOff(const Json& value);
    std::optional<long long> Whole(const Json& value, std::string_view subPlace = {});
    std::optional<CpiPair> Cpi(const Json& value);
    std::optional<MinutesValue> Minutes(const Json& value);
    std::optional<std::string> Text(const Json& value);
    // A word out of a list, compared without regard to case; the list's spelling.
    std::optional<std::string> Word(const Json& value, std::span<const std::string_view> words);

    // Notes a problem unless low <= value <= high.
    bool InRange(long long value, long long low, long long high, std::string_view subPlace = {},
                 std::string_view why = {});

  private:
    const DeviceConfig held_;
    DeviceConfig config_;
    std::optional<LinkMode> connection_;
    std::string place_;
    Json current_;
    std::vector<cli::Problem> problems_;
};

// Words joined by ", ", for the lists of allowed values in messages.
std::string JoinWords(std::span<const std::string_view> words);
bool SameWord(std::string_view a, std::string_view b);

// A key as one step of a JSON pointer ("/" and "~" escaped).
std::string PointerToken(std::string_view key);

}  // namespace qx9::cli
