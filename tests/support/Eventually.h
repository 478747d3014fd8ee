#pragma once

#include <chrono>
#include <thread>

namespace qx9::test {

// Polls until the condition holds or the patience ran out; its last value.
template <typename Condition>
bool Eventually(Condition condition,
                std::chrono::milliseconds patience = std::chrono::milliseconds(5000)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (!condition() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return condition();
}

}  // namespace qx9::test
