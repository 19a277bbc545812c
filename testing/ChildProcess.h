#pragma once
// A program that a test starts and watches: its standard input is a pipe that the test holds,
// its standard output and standard error are read into memory as they come. The system calls
// live in one platform file per system: ChildProcessPosix.cpp, ChildProcessWindows.cpp.
//
// The output is read only inside the calls below, so a test that waits should wait through
// ReadFor or WaitForOutput: a program whose pipes are not read blocks once they are full.

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TChildProcess {
  public:
    // Name and value of an environment variable the program gets besides this process's own.
    using TVariable = std::pair<std::string, std::string>;

    // What Wait returns for a program ended by Kill: minus SIGKILL's number on POSIX, and the
    // same value as the exit code that Kill gives it on Windows, which has no signals.
    static constexpr int kKilledStatus = -9;

    // Starts the program at the path argv[0] with the other elements as its arguments (UTF-8),
    // in this process's environment with `environment` set on top of it. Fails with EError
    // when it cannot be started.
    explicit TChildProcess(const std::vector<std::string>& argv,
                           const std::vector<TVariable>& environment = {});
    // Kills the program if it still runs and waits for it; never throws.
    ~TChildProcess();
    TChildProcess(const TChildProcess&) = delete;
    TChildProcess& operator=(const TChildProcess&) = delete;

    // Reads the output until `text` has appeared on either stream, both streams have ended,
    // or `timeout` has passed; true when the text appeared.
    bool WaitForOutput(std::string_view text, std::chrono::milliseconds timeout);
    // Reads the output for `duration`, or until both streams have ended: a pause that keeps
    // the program's pipes flowing.
    void ReadFor(std::chrono::milliseconds duration);

    // The program sees the end of its standard input.
    void CloseInput();
    // Ends the program at once: SIGKILL on POSIX, TerminateProcess on Windows (nothing when
    // the program has already been waited for).
    void Kill();
#ifndef _WIN32
    // Sends `signal` (nothing when the program has already been waited for).
    void SendSignal(int signal);
#endif
    // Waits up to `timeout` for the program to end; true (and its status kept for Wait) when
    // it did.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Reads the rest of the output and waits for the program to end: its exit status, or
    // minus the number of the signal that ended it. Later calls return the same.
    int Wait();

    // True once both streams have ended (the program has closed them, normally by ending).
    bool OutputEnded() const;
    const std::string& Out() const {
        return out_;
    }
    const std::string& Err() const {
        return err_;
    }

  private:
    struct TSystem;  // the platform's process and pipe handles

    // One wait for output until `deadline`; false when both streams have ended.
    bool ReadOnce(std::chrono::steady_clock::time_point deadline);
    // The program's status once it has ended, without waiting; nothing while it runs.
    std::optional<int> StatusIfEnded();
    // Waits for the program to end and gives its status.
    int AwaitStatus();

    std::unique_ptr<TSystem> system_;
    std::string out_;
    std::string err_;
    bool waited_ = false;
    int status_ = 0;
};
