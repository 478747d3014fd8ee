#include "SettingsEdit.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace qx9::cli {
namespace {

constexpr std::string_view ExpectWhole = "expected a whole number";

}  // namespace

bool SameWord(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char left, char right) {
        return std::tolower(static_cast<unsigned char>(left)) ==
               std::tolower(static_cast<unsigned char>(right));
    });
}

std::string JoinWords(std::span<const std::string_view> words) {
    std::string joined;
    for (const std::string_view word : words) {
        if (!joined.empty()) {
            joined += ", ";
        }
        joined += word;
    }
    return joined;
}

SettingsEdit::SettingsEdit(const DeviceConfig& current, std::optional<LinkMode> connection)
    : held_(current), config_(current), connection_(connection) {}

void SettingsEdit::Begin(std::string place, Json current) {
    place_ = std::move(place);
    current_ = std::move(current);
}

void SettingsEdit::Problem(std::string message, std::string_view subPlace) {
    problems_.push_back({place_ + std::string(subPlace), std::move(message)});
}

std::optional<bool> SettingsEdit::OnOff(const Json& value) {
    if (!value.is_boolean()) {
        Problem("expected true or false");
        return std::nullopt;
    }
    return value.get<bool>();
}

std::optional<long long> SettingsEdit::Whole(const Json& value, std::string_view subPlace) {
    if (value.is_number_unsigned()) {
        const auto number = value.get<unsigned long long>();
        if (number > static_cast<unsigned long long>(std::numeric_limits<long long>::max())) {
            Problem(value.dump() + " is far outside any allowed range", subPlace);
            return std::nullopt;
        }
        return static_cast<long long>(number);
    }
    if (value.is_number_integer()) {
        return value.get<long long>();
    }
    Problem(std::string(ExpectWhole), subPlace);
    return std::nullopt;
}

std::optional<CpiPair> SettingsEdit::Cpi(const Json& value) {
    if (value.is_number_integer()) {
        const auto both = Whole(value);
        return both ? std::optional<CpiPair>({*both, *both}) : std::nullopt;
    }
    if (!value.is_object()) {
        Problem(R"(expected a CPI value such as 800, or {"x": 800, "y": 1600})");
        return std::nullopt;
    }
    // Unknown keys are reported, and the axes are still read for problems of their own.
    for (const auto& [key, item] : value.items()) {
        if (key != "x" && key != "y") {
            Problem("unknown key (a CPI value has x and y)", "/" + PointerToken(key));
        }
    }
    bool fits = true;
    CpiPair pair;
    for (const auto& [key, axis] : {std::pair{"x", &pair.x}, std::pair{"y", &pair.y}}) {
        const std::string sub = std::string("/") + key;
        if (!value.contains(key)) {
            Problem("missing", sub);
            fits = false;
        } else if (const auto number = Whole(value.at(key), sub)) {
            *axis = *number;
        } else {
            fits = false;
        }
    }
    return fits ? std::optional<CpiPair>(pair) : std::nullopt;
}

std::optional<MinutesValue> SettingsEdit::Minutes(const Json& value) {
    if (value.is_string() && SameWord(value.get<std::string>(), "off")) {
        return MinutesValue{false, 0};
    }
    if (value.is_number_integer()) {
        if (const auto minutes = Whole(value)) {
            return MinutesValue{true, *minutes};
        }
        return std::nullopt;
    }
    Problem(R"(expected minutes or "off")");
    return std::nullopt;
}

std::optional<std::string> SettingsEdit::Word(const Json& value,
                                              std::span<const std::string_view> words) {
    std::string given;
    if (value.is_string()) {
        given = value.get<std::string>();
    } else if (value.is_number_integer()) {
        given = value.dump();  // a rate of 1000 written as a number
    } else {
        Problem("expected one of: " + JoinWords(words));
        return std::nullopt;
    }
    for (const std::string_view word : words) {
        if (SameWord(given, word)) {
            return std::string(word);
        }
    }
    Problem(given + " is not one of: " + JoinWords(words));
    return std::nullopt;
}

std::optional<std::string> SettingsEdit::Text(const Json& value) {
    if (!value.is_string()) {
        Problem("expected a text");
        return std::nullopt;
    }
    return value.get<std::string>();
}

bool SettingsEdit::InRange(long long value, long long low, long long high,
                           std::string_view subPlace, std::string_view why) {
    if (value >= low && value <= high) {
        return true;
    }
    Problem(std::to_string(value) + " is outside the allowed range " + std::to_string(low) + ".." +
                std::to_string(high) + std::string(why),
            subPlace);
    return false;
}

std::string PointerToken(std::string_view key) {
    std::string token;
    for (const char c : key) {
        if (c == '~') {
            token += "~0";
        } else if (c == '/') {
            token += "~1";
        } else {
            token += c;
        }
    }
    return token;
}

}  // namespace qx9::cli
