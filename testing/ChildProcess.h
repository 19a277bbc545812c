#pragma once
// A program that a test starts and watches (POSIX only): its standard input is a pipe that the
// test holds, its standard output and standard error are read into memory as they come.
//
// The output is read only inside the calls below, so a test that waits should wait through
// ReadFor or WaitForOutput: a program whose pipes are not read blocks once they are full.

#include <sys/types.h>

#include <csignal>

#include <chrono>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TChildProcess {
  public:
    // Name and value of an environment variable the program gets besides this process's own.
    using TVariable = std::pair<std::string, std::string>;

    // Starts the program at the path argv[0] with the other elements as its arguments, in this
    // process's environment with `environment` set on top of it. Fails with EError when it
    // cannot be started.
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
    // Sends SIGKILL (nothing when the program has already been waited for).
    void Kill() { SendSignal(SIGKILL); }
    // Sends `signal` (nothing when the program has already been waited for).
    void SendSignal(int signal);
    // Waits up to `timeout` for the program to end; true (and its status kept for Wait) when
    // it did.
    bool WaitFor(std::chrono::milliseconds timeout);
    // Reads the rest of the output and waits for the program to end: its exit status, or
    // minus the number of the signal that ended it. Later calls return the same.
    int Wait();

    // True once both streams have ended (the program has closed them, normally by ending).
    bool OutputEnded() const { return outFd_ < 0 && errFd_ < 0; }
    const std::string& Out() const { return out_; }
    const std::string& Err() const { return err_; }

  private:
    // One wait for output until `deadline`; false when both streams have ended.
    bool ReadOnce(std::chrono::steady_clock::time_point deadline);

    pid_t pid_ = -1;
    int inFd_ = -1;
    int outFd_ = -1;
    int errFd_ = -1;
    std::string out_;
    std::string err_;
    bool waited_ = false;
    int status_ = 0;
};
