#include "ApplySettings.h"

#include "SettingsWritePath.h"

namespace qx9 {
namespace {

// The page hides its acknowledgement box once the device holds the
// acknowledgement the user ticked after the page was loaded.
constexpr std::uint8_t AcknowledgedBit = 0x20;

bool AcknowledgedSinceLoad(const DeviceConfig& edit) {
    return edit.AckShown == 0 && (edit.FeatureFlags & AcknowledgedBit) != 0;
}

}  // namespace

ApplyResult ApplySettings(DeviceLink& link, CommandSet& commands, ConfigStore& store) {
    const SettingsWritePath path = PrepareSettingsWrite(link, commands);
    if (!path.ready) {
        return {};
    }
    const bool viaDongle = path.mode == LinkMode::Dongle;
    ApplyResult applied;
    applied.reached = true;
    applied.sections = store.ChangedSections();
    // With nothing to send the cable path counts as not done, the dongle
    // path as done by its link checks.
    applied.outcome = viaDongle ? path.linkCheck : result::NoReply;
    const DeviceConfig& edit = store.EditConfig();

    bool written = false;  // a section went out before the next one
    // The next write goes out only when the one before was confirmed; through
    // the dongle the link is checked again in between, whatever that says.
    const auto readyForNext = [&] {
        if (!written) {
            return true;
        }
        if (applied.outcome != result::Done) {
            return false;
        }
        if (viaDongle) {
            commands.DonglePreamble();
        }
        return true;
    };
    const auto write = [&](std::uint8_t section, auto send) {
        if (!(applied.sections & section) || !readyForNext()) {
            return;
        }
        applied.outcome = send();
        applied.lastWritten = section;
        written = true;
    };

    write(SensorSection, [&] { return commands.WriteSensorSettings(edit, path.wait); });
    write(AdvancedSection, [&] {
        const std::uint8_t outcome = commands.WriteAdvancedSettings(edit, path.wait);
        applied.acknowledgementStored = outcome == result::Done && AcknowledgedSinceLoad(edit);
        return outcome;
    });
    write(ButtonSection, [&] { return commands.WriteButtonMapping(edit, path.wait); });

    applied.confirmed = applied.outcome == result::Done;
    if (applied.confirmed) {
        store.CopyEditToBase();
    }
    return applied;
}

}  // namespace qx9
