#include "FaultInjection.h"

namespace qx9::emu {

void FaultInjection::FailSends(int count, HidError error, int after) {
    failSends_ = count;
    failSendsAfter_ = after;
    sendError_ = error;
}

void FaultInjection::FailReads(int count, HidError error) {
    failReads_ = count;
    readError_ = error;
}

void FaultInjection::FailOpens(int count, HidError error) {
    failOpens_ = count;
    openError_ = error;
}

void FaultInjection::KeepRepliesBusy(bool busy) {
    repliesBusy_ = busy;
}

void FaultInjection::Refuse(std::uint8_t code, std::uint8_t status, int count, int after) {
    refusals_[code] = {status, count, after};
}

void FaultInjection::VanishDuringNextCommand() {
    vanishNext_ = true;
}

bool FaultInjection::TakeOne(int& counter) {
    if (counter <= 0) {
        return false;
    }
    --counter;
    return true;
}

std::optional<HidError> FaultInjection::TakeSendFailure() {
    if (TakeOne(failSendsAfter_)) {
        return std::nullopt;
    }
    return TakeOne(failSends_) ? std::optional(sendError_) : std::nullopt;
}

std::optional<HidError> FaultInjection::TakeReadFailure() {
    return TakeOne(failReads_) ? std::optional(readError_) : std::nullopt;
}

std::optional<HidError> FaultInjection::TakeOpenFailure() {
    return TakeOne(failOpens_) ? std::optional(openError_) : std::nullopt;
}

std::optional<std::uint8_t> FaultInjection::TakeRefusal(std::uint8_t code) {
    const auto found = refusals_.find(code);
    if (found == refusals_.end()) {
        return std::nullopt;
    }
    Refusal& refusal = found->second;
    if (TakeOne(refusal.skip)) {
        return std::nullopt;
    }
    const std::uint8_t refusedWith = refusal.status;
    if (refusal.remaining > 0 && --refusal.remaining == 0) {
        refusals_.erase(found);
    }
    return refusedWith;
}

bool FaultInjection::TakeVanishing() {
    const bool vanish = vanishNext_;
    vanishNext_ = false;
    return vanish;
}

}  // namespace qx9::emu
