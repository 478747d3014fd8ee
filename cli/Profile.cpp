#include "Profile.h"

#include <set>

namespace qx9::cli {
namespace {

// Follows the parser through the document to name each key's JSON pointer,
// so that a key given twice is reported rather than silently lost.
class DuplicateKeys {
  public:
    explicit DuplicateKeys(std::vector<Problem>& problems) : problems_(problems) {}

    bool operator()(int, nlohmann::json::parse_event_t event, Json& parsed) {
        using Event = nlohmann::json::parse_event_t;
        switch (event) {
            case Event::object_start:
            case Event::array_start:
                frames_.push_back({event == Event::object_start, ChildPointer(), {}, {}, 0});
                break;
            case Event::object_end:
            case Event::array_end:
                frames_.pop_back();
                Counted();
                break;
            case Event::key:
                if (!frames_.empty() && parsed.is_string()) {
                    Frame& frame = frames_.back();
                    frame.key = parsed.get<std::string>();
                    if (!frame.keys.insert(frame.key).second) {
                        problems_.push_back({ChildPointer(), "given twice"});
                    }
                }
                break;
            case Event::value:
                Counted();
                break;
        }
        return true;
    }

  private:
    struct Frame {
        bool object;
        std::string pointer;
        std::set<std::string> keys;
        std::string key;
        std::size_t index;
    };

    std::string ChildPointer() const {
        if (frames_.empty()) {
            return "";
        }
        const Frame& parent = frames_.back();
        return parent.pointer + "/" +
               (parent.object ? PointerToken(parent.key) : std::to_string(parent.index));
    }
    void Counted() {
        if (!frames_.empty() && !frames_.back().object) {
            ++frames_.back().index;
        }
    }

    std::vector<Problem>& problems_;
    std::vector<Frame> frames_;
};

// The parser's message without the library's own error name in brackets.
std::string ParseMessage(const char* what) {
    std::string message = what;
    if (const std::size_t end = message.find("] ");
        message.starts_with('[') && end != message.npos) {
        message.erase(0, end + 2);
    }
    return "not valid JSON: " + message;
}

void ReadVersion(const Json& profile, std::vector<Problem>& problems) {
    const auto version = profile.find("version");
    if (version == profile.end()) {
        problems.push_back({"", "has no \"version\""});
    } else if (!version->is_number_integer()) {
        problems.push_back({"/version", "expected a whole number"});
    } else if (const auto number = version->get<long long>(); number > ProfileVersion) {
        problems.push_back({"/version", "the profile is of version " + std::to_string(number) +
                                            ", written by a newer qx9ctl; this one reads up to "
                                            "version " +
                                            std::to_string(ProfileVersion)});
    } else if (number < 1) {
        problems.push_back({"/version", "there is no profile version " + std::to_string(number)});
    }
}

}  // namespace

Json ExportProfile(const DeviceConfig& config) {
    Json profile = Json::object();
    profile["format"] = ProfileFormat;
    profile["version"] = ProfileVersion;
    profile["settings"] = SettingValues(config);
    return profile;
}

std::string ProfileText(const DeviceConfig& config) {
    return ExportProfile(config).dump(2) + "\n";
}

ProfileRead ReadProfile(std::string_view text) {
    ProfileRead read;
    Json profile;
    try {
        profile = Json::parse(text, DuplicateKeys(read.problems));
    } catch (const Json::exception& error) {  // also a number beyond any double
        return {{}, {{"", ParseMessage(error.what())}}};
    }
    if (!profile.is_object()) {
        read.problems.push_back({"", "expected a JSON object with format, version and settings"});
        return read;
    }
    ReadVersion(profile, read.problems);
    if (!read.problems.empty()) {
        return read;  // a newer or unknown version may mean anything by the rest
    }
    const auto format = profile.find("format");
    if (format == profile.end()) {
        read.problems.push_back({"", "has no \"format\": it is no qx9ctl profile"});
    } else if (!format->is_string() || format->get<std::string>() != ProfileFormat) {
        read.problems.push_back({"/format", "expected \"" + std::string(ProfileFormat) + "\""});
    }
    for (const auto& [key, value] : profile.items()) {
        if (key != "format" && key != "version" && key != "settings") {
            read.problems.push_back({"/" + PointerToken(key), "unknown key"});
        }
    }
    const auto settings = profile.find("settings");
    if (settings == profile.end()) {
        read.problems.push_back({"", "has no \"settings\""});
        return read;
    }
    if (!settings->is_object()) {
        read.problems.push_back({"/settings", "expected an object of settings by name"});
        return read;
    }
    for (const auto& [name, value] : settings->items()) {
        const std::string place = "/settings/" + PointerToken(name);
        if (!FindSetting(name)) {
            read.problems.push_back({place, "unknown setting"});
            continue;
        }
        read.assignments.push_back({name, value, place});
    }
    return read;
}

EditOutcome ImportProfile(std::string_view text, const DeviceConfig& current,
                          std::optional<LinkMode> connection) {
    ProfileRead read = ReadProfile(text);
    EditOutcome outcome = EditSettings(current, connection, read.assignments);
    read.problems.insert(read.problems.end(), outcome.problems.begin(), outcome.problems.end());
    outcome.problems = std::move(read.problems);
    if (!outcome.problems.empty()) {
        outcome.config = current;
    }
    return outcome;
}

}  // namespace qx9::cli
