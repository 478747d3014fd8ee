#include "BatteryJson.h"

#include <algorithm>

#include "DisplayTexts.h"
#include "UiTexts.h"

namespace qx9::cli {

Json BatteryJson(std::uint8_t level, bool onCable) {
    const bool charging = BatteryText(level, onCable) == text::Charging;
    Json battery = Json::object();
    battery["charging"] = charging;
    if (!charging) {
        battery["percent"] = std::min<int>(level, 100);
    }
    return battery;
}

}  // namespace qx9::cli
