#include "ChildProcess.h"

#include <algorithm>
#include <thread>

// The waits, the same on every system; ReadOnce, StatusIfEnded and AwaitStatus are the
// platform's.

bool TChildProcess::WaitForOutput(std::string_view text, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (out_.find(text) == std::string::npos && err_.find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() >= deadline || !ReadOnce(deadline))
            return out_.find(text) != std::string::npos || err_.find(text) != std::string::npos;
    }
    return true;
}

void TChildProcess::ReadFor(std::chrono::milliseconds duration) {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline && ReadOnce(deadline)) {
    }
}

bool TChildProcess::WaitFor(std::chrono::milliseconds timeout) {
    if (waited_)
        return true;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (const std::optional<int> status = StatusIfEnded()) {
            waited_ = true;
            status_ = *status;
            // What it wrote before ending; a program it left running may hold the pipes.
            ReadFor(std::chrono::milliseconds(200));
            CloseInput();
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        // Keeps the pipes flowing while waiting.
        if (!ReadOnce(std::min(deadline,
                               std::chrono::steady_clock::now() + std::chrono::milliseconds(50))))
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int TChildProcess::Wait() {
    if (waited_)
        return status_;
    while (ReadOnce(std::chrono::steady_clock::now() + std::chrono::seconds(1))) {
    }
    status_ = AwaitStatus();
    waited_ = true;
    CloseInput();
    return status_;
}
