#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "HidError.h"

namespace qx9::emu {

// Faults a test or the demo arms in advance; each exchange takes the ones due.
// Not locked: the emulator calls it under its own lock.
class FaultInjection {
  public:
    // The `count` sends that follow the next `after` successful ones fail.
    void FailSends(int count, HidError error, int after);
    void FailReads(int count, HidError error);
    void FailOpens(int count, HidError error);
    void KeepRepliesBusy(bool busy);
    // After `after` commands with this code, the next `count` (every one when
    // count < 0) are refused with the status and change nothing.
    void Refuse(std::uint8_t code, std::uint8_t status, int count, int after);
    void VanishDuringNextCommand();

    // Each call stands for one attempt and uses up the fault it returns.
    std::optional<HidError> TakeSendFailure();
    std::optional<HidError> TakeReadFailure();
    std::optional<HidError> TakeOpenFailure();
    std::optional<std::uint8_t> TakeRefusal(std::uint8_t code);
    bool TakeVanishing();
    bool RepliesStayBusy() const { return repliesBusy_; }

  private:
    struct Refusal {
        std::uint8_t status;
        int remaining;
        int skip;
    };
    static bool TakeOne(int& counter);

    int failSends_ = 0;
    int failSendsAfter_ = 0;
    HidError sendError_ = HidError::None;
    int failReads_ = 0;
    HidError readError_ = HidError::None;
    int failOpens_ = 0;
    HidError openError_ = HidError::Other;
    bool repliesBusy_ = false;
    bool vanishNext_ = false;
    std::map<std::uint8_t, Refusal> refusals_;
};

}  // namespace qx9::emu
