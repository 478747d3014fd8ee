#include "DeviceNames.h"

#include "DeviceContract.h"

namespace qx9 {

bool NameMatches(std::string_view name, std::string_view idText) {
    // An empty name, as other kinds of device notification carry, matches nothing.
    return !idText.empty() && name.find(idText, 1) != std::string_view::npos;
}

bool NamesCableMouse(std::string_view name) {
    return NameMatches(name, VendorIdText.view()) && NameMatches(name, WiredProductIdText.view());
}

bool NamesDongle(std::string_view name) {
    return NameMatches(name, VendorIdText.view()) && NameMatches(name, DongleProductIdText.view());
}

bool NamesDongleMouseInput(std::string_view deviceName) {
    return deviceName.find(DongleProductIdText.view()) != std::string_view::npos;
}

}  // namespace qx9
