#include "ReportDescriptor.h"

#include <cstddef>
#include <optional>

namespace qx9 {
namespace {

constexpr std::uint8_t LongItemPrefix = 0xFE;
constexpr std::uint8_t TypeMain = 0;
constexpr std::uint8_t TypeGlobal = 1;
constexpr std::uint8_t TypeLocal = 2;
constexpr std::uint8_t MainCollection = 0x0A;
constexpr std::uint8_t MainEndCollection = 0x0C;
constexpr std::uint8_t GlobalUsagePage = 0x00;
constexpr std::uint8_t GlobalPush = 0x0A;
constexpr std::uint8_t GlobalPop = 0x0B;
constexpr std::uint8_t LocalUsage = 0x00;
constexpr std::uint32_t ApplicationCollection = 0x01;
// Deeper stacks than any real device uses mean a corrupt descriptor.
constexpr std::size_t MaxPushDepth = 32;

std::uint32_t ItemData(std::span<const std::uint8_t> data) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    }
    return value;
}

class CollectionScanner {
  public:
    bool Item(std::uint8_t type, std::uint8_t tag, std::span<const std::uint8_t> data) {
        const std::uint32_t value = ItemData(data);
        switch (type) {
            case TypeGlobal:
                return Global(tag, value);
            case TypeLocal:
                Local(tag, value, data.size());
                return true;
            case TypeMain:
                return Main(tag, value);
            default:
                return true;
        }
    }
    std::vector<HidUsage> Take() { return std::move(found_); }

  private:
    bool Global(std::uint8_t tag, std::uint32_t value) {
        if (tag == GlobalUsagePage) {
            usagePage_ = static_cast<std::uint16_t>(value);
        } else if (tag == GlobalPush) {
            if (pushed_.size() >= MaxPushDepth) {
                return false;
            }
            pushed_.push_back(usagePage_);
        } else if (tag == GlobalPop) {
            if (pushed_.empty()) {
                return false;
            }
            usagePage_ = pushed_.back();
            pushed_.pop_back();
        }
        return true;
    }

    void Local(std::uint8_t tag, std::uint32_t value, std::size_t size) {
        if (tag != LocalUsage || usage_) {
            return;
        }
        usage_ = PendingUsage{value, size == 4};
    }

    // A usage takes the page in force when its main item is reached, unless a
    // four-byte usage carries its own page in the upper half.
    HidUsage CollectionUsage() const {
        if (!usage_) {
            return {usagePage_, 0};
        }
        return {usage_->extended ? static_cast<std::uint16_t>(usage_->value >> 16) : usagePage_,
                static_cast<std::uint16_t>(usage_->value & 0xFFFF)};
    }

    bool Main(std::uint8_t tag, std::uint32_t value) {
        if (tag == MainCollection) {
            if (depth_ == 0 && value == ApplicationCollection) {
                found_.push_back(CollectionUsage());
            }
            ++depth_;
        } else if (tag == MainEndCollection) {
            if (depth_ == 0) {
                return false;
            }
            --depth_;
        }
        usage_.reset();
        return true;
    }

    struct PendingUsage {
        std::uint32_t value;
        bool extended;
    };

    std::uint16_t usagePage_ = 0;
    std::vector<std::uint16_t> pushed_;
    std::optional<PendingUsage> usage_;
    std::size_t depth_ = 0;
    std::vector<HidUsage> found_;
};

}  // namespace

std::vector<HidUsage> TopLevelCollections(std::span<const std::uint8_t> descriptor) {
    CollectionScanner scanner;
    std::size_t at = 0;
    while (at < descriptor.size()) {
        const std::uint8_t prefix = descriptor[at];
        if (prefix == LongItemPrefix) {
            if (at + 2 >= descriptor.size()) {
                break;
            }
            at += 3 + descriptor[at + 1];
            continue;
        }
        const std::size_t size = (prefix & 0x03) == 3 ? 4 : (prefix & 0x03);
        if (at + 1 + size > descriptor.size()) {
            break;
        }
        const auto data = descriptor.subspan(at + 1, size);
        if (!scanner.Item((prefix >> 2) & 0x03, prefix >> 4, data)) {
            break;
        }
        at += 1 + size;
    }
    return scanner.Take();
}

}  // namespace qx9
