// Child processes on Windows: CreateProcessW with the command line quoted as the C runtime
// splits it, anonymous pipes polled with PeekNamedPipe (they cannot be waited on), and
// TerminateProcess in place of SIGKILL.
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "ChildProcess.h"
#include "Error.h"
#include "Text.h"

namespace {

// One handle of the process or of a pipe's end, closed with its owner.
class THandle {
  public:
    THandle() = default;
    explicit THandle(HANDLE handle) : handle_(handle) {}
    ~THandle() { Close(); }
    THandle(THandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    THandle& operator=(THandle&& other) noexcept {
        if (this != &other) {
            Close();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Close() {
        if (handle_ != nullptr)
            CloseHandle(handle_);
        handle_ = nullptr;
    }

  private:
    HANDLE handle_ = nullptr;
};

// wchar_t is UTF-16 on Windows, as Text is.
std::wstring Utf16(std::string_view bytes) {
    const Text text = FromUtf8(bytes);
    return std::wstring(text.begin(), text.end());
}

[[noreturn]] void Fail(const std::string& what) {
    throw EError(FromUtf8(what + ": Windows error " + std::to_string(GetLastError())));
}

// A pipe (0 reads, 1 writes) whose two ends the program would inherit; KeepHere takes this
// process's end back from it.
void MakePipe(THandle ends[2]) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE read = nullptr, write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0))
        Fail("CreatePipe");
    ends[0] = THandle(read);
    ends[1] = THandle(write);
}

void KeepHere(const THandle& end) {
    SetHandleInformation(end.get(), HANDLE_FLAG_INHERIT, 0);
}

// One argument as CommandLineToArgvW and the C runtime read it back: as it is when it has no
// blank or quote (so that cmd's switches stay bare), else in quotes, a quote escaped by a
// backslash, backslashes doubled only before a quote.
void AppendQuoted(std::wstring& line, const std::wstring& argument) {
    if (!line.empty())
        line.push_back(L' ');
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        line += argument;
        return;
    }
    line.push_back(L'"');
    size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        line.push_back(c);
    }
    line.append(backslashes * 2, L'\\');
    line.push_back(L'"');
}

bool SameName(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// This process's variables, those named in `environment` replaced (names ignore case), as
// the block CreateProcessW takes: NAME=VALUE strings, each ending with a null, and a null.
std::wstring EnvironmentBlock(const std::vector<TChildProcess::TVariable>& environment) {
    std::vector<std::pair<std::wstring, std::wstring>> added;
    for (const auto& [name, value] : environment)
        added.emplace_back(Utf16(name), Utf16(value));
    std::wstring block;
    struct TFree {
        void operator()(wchar_t* p) const { FreeEnvironmentStringsW(p); }
    };
    const std::unique_ptr<wchar_t, TFree> current(GetEnvironmentStringsW());
    for (const wchar_t* entry = current.get(); entry != nullptr && *entry != L'\0';
         entry += wcslen(entry) + 1) {
        const std::wstring_view text(entry);
        // "=C:=C:\..." entries (the drives' folders) have their name after the first '='.
        const std::wstring_view name = text.substr(0, text.find(L'=', 1));
        if (std::none_of(added.begin(), added.end(),
                         [&](const auto& v) { return SameName(v.first, name); }))
            block.append(text).push_back(L'\0');
    }
    for (const auto& [name, value] : added)
        block.append(name + L"=" + value).push_back(L'\0');
    block.push_back(L'\0');
    return block;
}

}  // namespace

struct TChildProcess::TSystem {
    THandle process;
    THandle input;
    THandle output;
    THandle error;
};

TChildProcess::TChildProcess(const std::vector<std::string>& argv,
                             const std::vector<TVariable>& environment)
    : system_(std::make_unique<TSystem>()) {
    if (argv.empty())
        throw EError(u"TChildProcess: no program");
    THandle in[2], out[2], err[2];
    MakePipe(in);
    MakePipe(out);
    MakePipe(err);
    KeepHere(in[1]);
    KeepHere(out[0]);
    KeepHere(err[0]);

    std::wstring program = Utf16(argv[0]);
    std::wstring commandLine;
    for (const std::string& argument : argv)
        AppendQuoted(commandLine, Utf16(argument));
    std::wstring block = EnvironmentBlock(environment);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = in[0].get();
    startup.hStdOutput = out[1].get();
    startup.hStdError = err[1].get();
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_UNICODE_ENVIRONMENT | CREATE_NO_WINDOW, block.data(), nullptr,
                        &startup, &started))
        Fail("cannot start " + argv[0]);
    CloseHandle(started.hThread);
    system_->process = THandle(started.hProcess);
    // The program's ends are its own now; ours go with this object.
    system_->input = std::move(in[1]);
    system_->output = std::move(out[0]);
    system_->error = std::move(err[0]);
}

TChildProcess::~TChildProcess() {
    try {
        if (!waited_) {
            Kill();
            Wait();
        }
    } catch (...) {
    }
}

bool TChildProcess::OutputEnded() const {
    return !system_->output && !system_->error;
}

bool TChildProcess::ReadOnce(std::chrono::steady_clock::time_point deadline) {
    for (;;) {
        bool got = false;
        for (auto [pipe, text] : {std::pair{&system_->output, &out_}, {&system_->error, &err_}}) {
            if (!*pipe)
                continue;
            DWORD available = 0;
            if (!PeekNamedPipe(pipe->get(), nullptr, 0, nullptr, &available, nullptr)) {
                pipe->Close();  // the program's end is closed: the stream has ended
                continue;
            }
            if (available == 0)
                continue;
            char buffer[4096];
            DWORD read = 0;
            if (!ReadFile(pipe->get(), buffer, std::min<DWORD>(available, sizeof buffer), &read,
                          nullptr) ||
                read == 0) {
                pipe->Close();
                continue;
            }
            text->append(buffer, read);
            got = true;
        }
        if (OutputEnded())
            return false;
        if (got || std::chrono::steady_clock::now() >= deadline)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

void TChildProcess::CloseInput() {
    system_->input.Close();
}

void TChildProcess::Kill() {
    if (system_->process && !waited_)
        TerminateProcess(system_->process.get(), static_cast<UINT>(kKilledStatus));
}

std::optional<int> TChildProcess::StatusIfEnded() {
    if (WaitForSingleObject(system_->process.get(), 0) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(system_->process.get(), &code);
    return static_cast<int>(code);
}

int TChildProcess::AwaitStatus() {
    WaitForSingleObject(system_->process.get(), INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(system_->process.get(), &code);
    return static_cast<int>(code);
}
