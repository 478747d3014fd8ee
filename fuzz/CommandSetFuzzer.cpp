#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "ByteStream.h"
#include "CommandSet.h"
#include "Require.h"

using namespace qx9;
using fuzz::Require;

namespace {

// --- the device, played by the input ---------------------------------------------

// One send-wait-read exchange as the device saw it.
struct Exchange {
    std::vector<std::uint8_t> report;
    int sends = 0;
    Milliseconds lastSendAt{};
    bool accepted = false;
    int reads = 0;
    Milliseconds lastReadAt{};
    bool firstReadOk = false;
    bool lastReadOk = false;
    // The last read succeeded and the device itself wrote status 1 into it.
    bool confirmed = false;
    std::vector<std::uint8_t> reply;
};

// What the device and the target share while the commands run.
struct DeviceView {
    fuzz::ByteStream& input;
    const Clock& clock;
    std::vector<Exchange> exchanges;
    std::size_t commandStart = 0;
    // Of the command running.
    Milliseconds wait{};
    Milliseconds busyBase{};
};

constexpr int ErrorKindCount = static_cast<int>(HidError::Other) + 1;
constexpr int MostReads = 1 + std::max(ReadRetries, static_cast<int>(BusyRereadExtraWaits.size()));

HidError KindOf(std::uint8_t byte) {
    return static_cast<HidError>(byte % ErrorKindCount);
}

// A send takes one byte: the error kind, 0 accepts it. A read takes one byte of
// error kind and, when it succeeds, the reply's length (0x80 and above: all of
// it), its status byte and the byte that fills the rest.
class FuzzedDevice final : public FeatureDevice {
  public:
    explicit FuzzedDevice(DeviceView& view) : view_(view) {}

    bool SetFeature(std::span<const std::uint8_t> report) override {
        auto& exchanges = view_.exchanges;
        const bool retry = exchanges.size() > view_.commandStart && !exchanges.back().accepted &&
                           exchanges.back().reads == 0 &&
                           std::equal(report.begin(), report.end(), exchanges.back().report.begin(),
                                      exchanges.back().report.end());
        if (!retry) {
            exchanges.emplace_back().report.assign(report.begin(), report.end());
        }
        Exchange& exchange = exchanges.back();
        Require(report.size() == CommandReportSize && report[0] == CommandReportId,
                "every command goes out as a 64-byte report 0xA1");
        const Milliseconds now = view_.clock.Now();
        Require(++exchange.sends <= 1 + SendRetries, "a send makes no more than its retries");
        // The first retry follows at once, each later one after the retry wait.
        Require(exchange.sends <= 2 || now - exchange.lastSendAt >= SendRetryWait,
                "a send is retried no sooner than the retry wait");
        exchange.lastSendAt = now;
        error_ = KindOf(view_.input.Byte());
        exchange.accepted = error_ == HidError::None;
        return exchange.accepted;
    }

    bool GetFeature(std::span<std::uint8_t> report) override {
        auto& exchanges = view_.exchanges;
        Require(exchanges.size() > view_.commandStart && exchanges.back().accepted,
                "a reply is read only after its command was accepted");
        Exchange& exchange = exchanges.back();
        const Milliseconds now = view_.clock.Now();
        Require(++exchange.reads <= MostReads, "a read makes no more than its retries");
        if (exchange.reads == 1) {
            Require(now - exchange.lastSendAt >= view_.wait,
                    "the reply is read no sooner than the command's wait");
        } else if (exchange.firstReadOk) {
            const auto reread = static_cast<std::size_t>(exchange.reads - 2);
            const Milliseconds extra = BusyRereadExtraWaits[reread];
            Require(now - exchange.lastReadAt >= view_.busyBase + extra,
                    "a busy reply is read again no sooner than its busy wait");
        } else {
            Require(now - exchange.lastReadAt >= ReadRetryWait,
                    "a failed read is retried no sooner than the retry wait");
        }
        exchange.lastReadAt = now;
        Require((report[0] == CommandReportId && report.size() == CommandReportSize) ||
                    (report[0] == ConfigReportId && report.size() == ConfigReportSize),
                "a reply is asked for by its report id and size");
        Require(
            std::all_of(report.begin() + 1, report.end(), [](std::uint8_t b) { return b == 0; }),
            "every read asks with a clean request");

        error_ = KindOf(view_.input.Byte());
        exchange.lastReadOk = error_ == HidError::None;
        exchange.firstReadOk = exchange.reads == 1 ? exchange.lastReadOk : exchange.firstReadOk;
        exchange.confirmed = false;
        if (!exchange.lastReadOk) {
            return false;
        }
        const std::uint8_t lengthByte = view_.input.Byte();
        const std::size_t length =
            lengthByte >= 0x80 ? report.size() : std::min<std::size_t>(lengthByte, report.size());
        const std::uint8_t commandStatus = view_.input.Byte();
        const std::uint8_t fill = view_.input.Byte();
        for (std::size_t i = 1; i < length; ++i) {
            report[i] = i == StatusByteOffset ? commandStatus : fill;
        }
        exchange.confirmed = length > StatusByteOffset && commandStatus == status::Done;
        exchange.reply.assign(report.begin(), report.end());
        return true;
    }

    HidError LastError() const override { return error_; }

  private:
    DeviceView& view_;
    HidError error_ = HidError::None;
};

class FuzzedBackend final : public FeatureBackend {
  public:
    explicit FuzzedBackend(DeviceView& view) : view_(view) {}

    std::vector<HidInterfaceInfo> EnumerateInterfaces() override {
        return {{"fuzzed", VendorId, WiredProductId, {{CommandUsagePage, CommandUsage}}}};
    }
    OpenedDevice Open(const std::string&) override {
        return {std::make_unique<FuzzedDevice>(view_), HidError::None};
    }

  private:
    DeviceView& view_;
};

// --- the commands and what the contract allows each ------------------------------

constexpr Milliseconds LongestSend = SendRetries * SendRetryWait;

Milliseconds LongestRead(Milliseconds busyBase) {
    Milliseconds busy{0};
    for (const Milliseconds extra : BusyRereadExtraWaits) {
        busy += busyBase + extra;
    }
    return std::max(busy, (1 + ReadRetries) * ReadRetryWait);
}

Milliseconds LongestExchange(Milliseconds wait, Milliseconds busyBase) {
    return LongestSend + wait + LongestRead(busyBase);
}

struct Outputs {
    DeviceInfo info;
    std::uint8_t level = 0;
};

using Run = std::function<std::uint8_t(CommandSet&, const DeviceConfig&, Outputs&)>;

struct Command {
    const CommandSpec& spec;
    Milliseconds wait;
    Milliseconds busyBase;
    Milliseconds longest;
    Run run;
    // Exchanges it makes at most; a multi-exchange command either needs each of
    // them confirmed (the two button chunks) or lives by its last (the preamble).
    int exchanges = 1;
    bool lastExchangeDecides = false;
    bool waitsAfterRefusedSend = !spec.waitOnlyAfterSuccessfulSend;
    std::uint8_t unreadResult = result::NoReply;
};

Command Single(const CommandSpec& spec, Milliseconds wait, Milliseconds busyBase, Run run) {
    return {spec, wait, busyBase, LongestExchange(wait, busyBase), std::move(run)};
}

Command Pick(std::uint8_t selector, Milliseconds wait) {
    switch (selector % 12) {
        case 0:
            return Single(
                wire::LinkCheck, LinkCheckWait, wire::LinkCheck.busyBase,
                [](CommandSet& c, const DeviceConfig&, Outputs&) { return c.LinkCheck(); });
        case 1:
            return Single(
                wire::LinkCheckAlt, LinkCheckWait, wire::LinkCheckAlt.busyBase,
                [](CommandSet& c, const DeviceConfig&, Outputs&) { return c.LinkCheckAlt(); });
        case 2: {
            Command preamble{
                wire::LinkCheckAlt, LinkCheckWait, wire::LinkCheckAlt.busyBase,
                2 * LongestExchange(LinkCheckWait, wire::LinkCheck.busyBase),
                [](CommandSet& c, const DeviceConfig&, Outputs&) { return c.DonglePreamble(); }};
            preamble.exchanges = 2;
            preamble.lastExchangeDecides = true;
            return preamble;
        }
        case 3:
            return Single(wire::ReadDongleInfo, DongleInfoWait, wire::ReadDongleInfo.busyBase,
                          [](CommandSet& c, const DeviceConfig&, Outputs& out) {
                              return c.ReadDongleInfo(out.info);
                          });
        case 4:
            return Single(wire::ReadMouseInfo, wait, wire::ReadMouseInfo.busyBase,
                          [wait](CommandSet& c, const DeviceConfig&, Outputs& out) {
                              return c.ReadMouseInfo(out.info, wait);
                          });
        case 5:
            // The battery read's busy base is its wait.
            return Single(wire::ReadBattery, wait, wait,
                          [wait](CommandSet& c, const DeviceConfig&, Outputs& out) {
                              return c.ReadBattery(out.level, wait);
                          });
        case 6: {
            Command read = Single(wire::ReadConfig, wait, wire::ReadConfig.busyBase,
                                  [wait](CommandSet& c, const DeviceConfig&, Outputs&) {
                                      return c.ReadConfig(wait);
                                  });
            read.unreadResult = result::SendFailed;
            return read;
        }
        case 7:
            return Single(wire::WriteSensorSettings, wait, wire::WriteSensorSettings.busyBase,
                          [wait](CommandSet& c, const DeviceConfig& config, Outputs&) {
                              return c.WriteSensorSettings(config, wait);
                          });
        case 8:
            return Single(wire::WriteAdvancedSettings, wait, wire::WriteAdvancedSettings.busyBase,
                          [wait](CommandSet& c, const DeviceConfig& config, Outputs&) {
                              return c.WriteAdvancedSettings(config, wait);
                          });
        case 9: {
            // Each chunk: one plain send, the wait, the read and the pause after it.
            const Milliseconds chunk =
                wait + LongestRead(wire::WriteButtonMapping.busyBase) + ButtonChunkPause;
            Command buttons{wire::WriteButtonMapping, wait, wire::WriteButtonMapping.busyBase,
                            static_cast<int>(ButtonChunkCount) * chunk,
                            [wait](CommandSet& c, const DeviceConfig& config, Outputs&) {
                                return c.WriteButtonMapping(config, wait);
                            }};
            buttons.exchanges = static_cast<int>(ButtonChunkCount);
            return buttons;
        }
        case 10:
            return Single(wire::FactoryReset, wait, wire::FactoryReset.busyBase,
                          [wait](CommandSet& c, const DeviceConfig&, Outputs&) {
                              return c.FactoryReset(wait);
                          });
        default:
            return Single(
                wire::PairDongle, PairDongleWait, wire::PairDongle.busyBase,
                [](CommandSet& c, const DeviceConfig&, Outputs&) { return c.PairDongle(); });
    }
}

// --- the properties ----------------------------------------------------------------

constexpr std::uint8_t Untouched = 0xC3;

bool DeviceConfirmed(const Command& command, std::span<const Exchange> made) {
    if (command.lastExchangeDecides) {
        return !made.empty() && made.back().confirmed;
    }
    return made.size() == static_cast<std::size_t>(command.exchanges) &&
           std::all_of(made.begin(), made.end(), [](const Exchange& e) { return e.confirmed; });
}

// The result table: a refused send, an unread reply, or the device's status byte.
std::uint8_t ContractResult(const Command& command, std::span<const Exchange> made) {
    if (made.empty() || !made.back().accepted) {
        return command.spec.sendFailedResult;
    }
    if (!made.back().lastReadOk) {
        return command.unreadResult;
    }
    return made.back().reply[StatusByteOffset];
}

void CheckCommand(const Command& command, std::uint8_t outcome, std::span<const Exchange> made,
                  Milliseconds took) {
    Require(took <= command.longest, "a command ends within the contract's longest time");
    if (command.waitsAfterRefusedSend) {
        Require(took >= command.wait, "the command's wait is kept even after a refused send");
    }
    Require(made.size() <= static_cast<std::size_t>(command.exchanges),
            "a command makes no more exchanges than it has");
    Require(std::all_of(made.begin(), made.end(),
                        [](const Exchange& e) { return !e.accepted || e.reads > 0; }),
            "an accepted command always has its reply read");
    Require((outcome == result::Done) == DeviceConfirmed(command, made),
            "success is reported exactly when the device confirmed");
    if (command.exchanges == 1 || command.lastExchangeDecides) {
        Require(outcome == ContractResult(command, made), "the result follows the result table");
    }
}

void CheckOutputs(const Command& command, std::uint8_t outcome, std::span<const Exchange> made,
                  const Outputs& out) {
    const bool filled = outcome == result::Done;
    const auto data = [&](std::size_t count) {
        return std::span<const std::uint8_t>(made.back().reply).subspan(PayloadOffset, count);
    };
    if (&command.spec == &wire::ReadDongleInfo || &command.spec == &wire::ReadMouseInfo) {
        Require(filled ? std::ranges::equal(out.info.bytes, data(DeviceInfoSize))
                       : std::ranges::all_of(out.info.bytes,
                                             [](std::uint8_t b) { return b == Untouched; }),
                "the information is the reply's data, or untouched when not confirmed");
    }
    if (&command.spec == &wire::ReadBattery) {
        Require(out.level == (filled ? data(1)[0] : Untouched),
                "the level is the reply's data, or untouched when not confirmed");
    }
}

void CheckStore(const Command& command, std::uint8_t outcome, std::span<const Exchange> made,
                const ConfigStore& before, const ConfigStore& after) {
    Require(after.BaseConfig() == before.BaseConfig(), "no command changes BaseConfig");
    if (&command.spec != &wire::ReadConfig || outcome != result::Done) {
        Require(after.ConfigBlock() == before.ConfigBlock() &&
                    after.EditConfig() == before.EditConfig(),
                "only a confirmed configuration read changes the block and EditConfig");
        return;
    }
    const auto block = std::span<const std::uint8_t>(made.back().reply)
                           .subspan(ConfigBlockOffset, ConfigBlockSize);
    Require(std::ranges::equal(after.ConfigBlock(), block), "the block is stored as read");
    DeviceConfig unpacked = before.EditConfig();
    after.UnpackConfig(unpacked);
    Require(after.EditConfig() == unpacked, "EditConfig is the block unpacked");
}

}  // namespace

// Input: one byte of set-up (0xFF: the link holds no device), then commands, each
// a selector byte and a wait word followed by whatever its exchanges consume
// (see FuzzedDevice), until the input ends.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::ByteStream input({data, size});
    VirtualClock clock;
    DeviceView view{input, clock, {}};
    FuzzedBackend backend(view);
    DeviceLink link(backend, clock);
    if (input.Byte() != 0xFF) {
        Require(link.DiscoverDevice(VendorId, WiredProductId), "the fuzzed device is found");
    }
    ConfigStore store;
    store.ConfigBlock().fill(0xEE);
    store.UnpackConfig(store.EditConfig());
    CommandSet commands(link, store);

    while (!input.Empty()) {
        const std::uint8_t selector = input.Byte();
        const Command command = Pick(selector, Milliseconds{input.Word()});
        view.commandStart = view.exchanges.size();
        view.wait = command.wait;
        view.busyBase = command.busyBase;
        Outputs out;
        out.info.bytes.fill(Untouched);
        out.level = Untouched;
        const ConfigStore before = store;
        const Milliseconds start = clock.Now();

        const std::uint8_t outcome = command.run(commands, store.EditConfig(), out);

        const auto made = std::span<const Exchange>(view.exchanges).subspan(view.commandStart);
        CheckCommand(command, outcome, made, clock.Now() - start);
        CheckOutputs(command, outcome, made, out);
        CheckStore(command, outcome, made, before, store);
    }
    return 0;
}
