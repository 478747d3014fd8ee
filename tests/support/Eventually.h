#pragma once

#include <chrono>
#include <thread>

namespace qx9::test {

// Polls until the condition holds or five seconds have passed; its last value.
template <typename Condition>
bool Eventually(Condition condition) {
    using namespace std::chrono_literals;
    for (int i = 0; i < 500 && !condition(); ++i) {
        std::this_thread::sleep_for(10ms);
    }
    return condition();
}

}  // namespace qx9::test
