#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qx9::fuzz {

// The fuzzer's input read front to back, so that a hand-written seed reads as
// the script it is. Past the end every byte reads 0.
class ByteStream {
  public:
    explicit ByteStream(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    bool Empty() const { return at_ >= bytes_.size(); }

    std::uint8_t Byte() { return Empty() ? 0 : bytes_[at_++]; }

    // Low byte first, as on the wire.
    std::uint16_t Word() {
        const std::uint8_t low = Byte();
        return static_cast<std::uint16_t>(low | (Byte() << 8));
    }

    // Up to `count` bytes, fewer where the input ends.
    std::span<const std::uint8_t> Take(std::size_t count) {
        const std::size_t taken = Empty() ? 0 : std::min(count, bytes_.size() - at_);
        const auto part = bytes_.subspan(at_, taken);
        at_ += taken;
        return part;
    }

    std::span<const std::uint8_t> Rest() { return Take(bytes_.size()); }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_ = 0;
};

}  // namespace qx9::fuzz
