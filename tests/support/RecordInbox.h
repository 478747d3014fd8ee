#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "StatusRecord.h"

namespace qx9::test {

// Records handed over by the listener thread, waited for by the test.
class RecordInbox {
  public:
    void Put(const StatusRecord& record) {
        std::lock_guard lock(mutex_);
        records_.push_back(record);
        arrived_.notify_all();
    }
    std::vector<StatusRecord> WaitFor(std::size_t count) {
        using namespace std::chrono_literals;
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, 5s, [&] { return records_.size() >= count; });
        return records_;
    }

  private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::vector<StatusRecord> records_;
};

}  // namespace qx9::test
