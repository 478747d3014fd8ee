#pragma once

#include <mutex>

#include "CrossProcessLock.h"

namespace qx9 {

// The one lock under which every feature-report exchange runs. Recursive for
// its owner, so a command may call discovery or another exchange inside it.
// With a cross-process lock, that one is held from the outermost Enter to the
// outermost Leave, so another process never slips in between the steps of an
// exchange.
class CMyCriticalSection {
  public:
    explicit CMyCriticalSection(CrossProcessLock* acrossProcesses = nullptr)
        : acrossProcesses_(acrossProcesses) {}
    CMyCriticalSection(const CMyCriticalSection&) = delete;
    CMyCriticalSection& operator=(const CMyCriticalSection&) = delete;
    virtual ~CMyCriticalSection() = default;

    void Enter() {
        mutex_.lock();
        if (depth_++ == 0 && acrossProcesses_) {
            acrossProcesses_->Acquire();
        }
    }
    void Leave() {
        if (--depth_ == 0 && acrossProcesses_) {
            acrossProcesses_->Release();
        }
        mutex_.unlock();
    }

  private:
    std::recursive_mutex mutex_;
    CrossProcessLock* const acrossProcesses_;
    int depth_ = 0;  // only touched while mutex_ is held
};

// Holds the lock for its scope and leaves it on every exit path.
class CCriticalSectionAutoLock {
  public:
    explicit CCriticalSectionAutoLock(CMyCriticalSection& section) : section_(&section) {
        section_->Enter();
    }
    CCriticalSectionAutoLock(const CCriticalSectionAutoLock&) = delete;
    CCriticalSectionAutoLock& operator=(const CCriticalSectionAutoLock&) = delete;
    virtual ~CCriticalSectionAutoLock() { section_->Leave(); }

  private:
    CMyCriticalSection* section_;
};

}  // namespace qx9
