#include "ChildProcess.h"

// The waits on the output, the same on every system; ReadOnce is the platform's.

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
