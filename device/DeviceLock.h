#pragma once

#include <mutex>

namespace qx9 {

// The one lock under which every feature-report exchange runs. Recursive for
// its owner, so a command may call discovery or another exchange inside it.
class CMyCriticalSection {
  public:
    CMyCriticalSection() = default;
    CMyCriticalSection(const CMyCriticalSection&) = delete;
    CMyCriticalSection& operator=(const CMyCriticalSection&) = delete;
    virtual ~CMyCriticalSection() = default;

    void Enter() { mutex_.lock(); }
    void Leave() { mutex_.unlock(); }

  private:
    std::recursive_mutex mutex_;
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
