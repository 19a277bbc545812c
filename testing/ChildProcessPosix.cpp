// Child processes on POSIX systems: posix_spawn, pipes watched with poll, waitpid and kill.
#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "Error.h"

extern char** environ;

static_assert(-SIGKILL == TChildProcess::kKilledStatus, "Wait gives minus the signal's number");

namespace {

void CloseFd(int& fd) {
    if (fd >= 0)
        close(fd);
    fd = -1;
}

// A pipe whose ends are closed in the program started by exec (the child gets its copies
// through dup2, which clears the flag).
void MakePipe(int fds[2]) {
    if (pipe2(fds, O_CLOEXEC) != 0)
        throw EError(FromUtf8(std::string("pipe: ") + std::strerror(errno)));
}

}  // namespace

struct TChildProcess::TSystem {
    pid_t pid = -1;
    int inFd = -1;
    int outFd = -1;
    int errFd = -1;
};

TChildProcess::TChildProcess(const std::vector<std::string>& argv,
                             const std::vector<TVariable>& environment)
    : system_(std::make_unique<TSystem>()) {
    if (argv.empty())
        throw EError(u"TChildProcess: no program");
    int in[2], out[2], err[2];
    MakePipe(in);
    MakePipe(out);
    MakePipe(err);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, in[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);

    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    // This process's variables, those named in `environment` replaced.
    std::vector<std::string> variables;
    for (char** e = environ; *e != nullptr; ++e) {
        const std::string_view entry(*e);
        const std::string_view name = entry.substr(0, entry.find('='));
        if (std::none_of(environment.begin(), environment.end(),
                         [&](const TVariable& v) { return v.first == name; }))
            variables.emplace_back(entry);
    }
    for (const auto& [name, value] : environment)
        variables.push_back(name + "=" + value);
    std::vector<char*> env;
    for (std::string& v : variables)
        env.push_back(v.data());
    env.push_back(nullptr);
    const int rc =
        posix_spawn(&system_->pid, argv[0].c_str(), &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);

    close(in[0]);
    close(out[1]);
    close(err[1]);
    system_->inFd = in[1];
    system_->outFd = out[0];
    system_->errFd = err[0];
    if (rc != 0) {
        system_->pid = -1;
        CloseFd(system_->inFd);
        CloseFd(system_->outFd);
        CloseFd(system_->errFd);
        throw EError(FromUtf8("cannot start " + argv[0] + ": " + std::strerror(rc)));
    }
}

TChildProcess::~TChildProcess() {
    try {
        if (!waited_) {
            Kill();
            Wait();
        }
    } catch (...) {
    }
    CloseFd(system_->inFd);
    CloseFd(system_->outFd);
    CloseFd(system_->errFd);
}

bool TChildProcess::OutputEnded() const {
    return system_->outFd < 0 && system_->errFd < 0;
}

bool TChildProcess::ReadOnce(std::chrono::steady_clock::time_point deadline) {
    pollfd fds[2];
    int n = 0;
    for (int fd : {system_->outFd, system_->errFd})
        if (fd >= 0)
            fds[n++] = {fd, POLLIN, 0};
    if (n == 0)
        return false;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    const int ready = poll(fds, n, static_cast<int>(std::max<int64_t>(0, left.count())));
    if (ready <= 0)
        return true;
    for (int i = 0; i < n; ++i) {
        if (fds[i].revents == 0)
            continue;
        char buffer[4096];
        const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        int& fd = fds[i].fd == system_->outFd ? system_->outFd : system_->errFd;
        std::string& text = fds[i].fd == system_->outFd ? out_ : err_;
        if (got <= 0)
            CloseFd(fd);
        else
            text.append(buffer, static_cast<size_t>(got));
    }
    return system_->outFd >= 0 || system_->errFd >= 0;
}

void TChildProcess::CloseInput() {
    CloseFd(system_->inFd);
}

void TChildProcess::Kill() {
    SendSignal(SIGKILL);
}

void TChildProcess::SendSignal(int signal) {
    if (system_->pid > 0 && !waited_)
        kill(system_->pid, signal);
}

namespace {
int StatusOf(int raw) {
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : WIFSIGNALED(raw) ? -WTERMSIG(raw) : -1;
}
}  // namespace

std::optional<int> TChildProcess::StatusIfEnded() {
    int raw = 0;
    if (waitpid(system_->pid, &raw, WNOHANG) != system_->pid)
        return std::nullopt;
    return StatusOf(raw);
}

int TChildProcess::AwaitStatus() {
    int raw = 0;
    while (waitpid(system_->pid, &raw, 0) < 0 && errno == EINTR) {
    }
    return StatusOf(raw);
}
