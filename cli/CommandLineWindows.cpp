// The command line and the console on Windows: the command line is read as UTF-16, and a
// console is written in UTF-16, so neither depends on the ANSI or the console's code page.
#include <windows.h>
// CommandLineToArgvW
#include <shellapi.h>

#include <streambuf>
#include <string_view>

#include "CommandLine.h"
#include "Text.h"

namespace {

// wchar_t is UTF-16 on Windows, as Text is: the conversions are the text module's.
std::string Utf8(std::wstring_view text) {
    return ToUtf8(Text(text.begin(), text.end()));
}

std::wstring Utf16(std::string_view bytes) {
    const Text text = FromUtf8(bytes);
    return std::wstring(text.begin(), text.end());
}

// The length of the longest start of `bytes` that does not end inside a UTF-8 sequence.
size_t CompleteUtf8(std::string_view bytes) {
    const size_t size = bytes.size();
    for (size_t back = 1; back <= 3 && back <= size; ++back) {
        const unsigned char c = static_cast<unsigned char>(bytes[size - back]);
        if ((c & 0xC0) == 0x80)
            continue;  // a continuation byte: look further back for the lead byte
        const size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return length > back ? size - back : size;
    }
    return size;
}

class TConsoleBuffer final : public std::streambuf {
  public:
    explicit TConsoleBuffer(HANDLE handle) : handle_(handle) {
        DWORD mode = 0;
        console_ = GetConsoleMode(handle, &mode) != 0;
    }
    ~TConsoleBuffer() override { Flush(); }

  protected:
    int_type overflow(int_type c) override {
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            pending_.push_back(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }
    std::streamsize xsputn(const char* s, std::streamsize n) override {
        pending_.append(s, size_t(n));
        return n;
    }
    int sync() override { return Flush() ? 0 : -1; }

  private:
    bool Flush() {
        if (!console_) {
            const bool written = WriteAll(pending_.data(), pending_.size());
            pending_.clear();
            return written;
        }
        // A character whose bytes have not all come yet waits for the next flush.
        const size_t complete = CompleteUtf8(pending_);
        const std::wstring text = Utf16(std::string_view(pending_).substr(0, complete));
        pending_.erase(0, complete);
        for (size_t done = 0; done < text.size();) {
            DWORD written = 0;
            if (!WriteConsoleW(handle_, text.data() + done, DWORD(text.size() - done), &written,
                               nullptr) ||
                written == 0)
                return false;
            done += written;
        }
        return true;
    }

    bool WriteAll(const char* data, size_t size) {
        while (size > 0) {
            DWORD written = 0;
            if (!WriteFile(handle_, data, DWORD(size), &written, nullptr) || written == 0)
                return false;
            data += written;
            size -= written;
        }
        return true;
    }

    HANDLE handle_;
    bool console_ = false;
    std::string pending_;
};

}  // namespace

std::vector<std::string> ProgramArguments(int, char**) {
    struct TLocalFree {
        void operator()(LPWSTR* p) const { LocalFree(p); }
    };
    int count = 0;
    const std::unique_ptr<LPWSTR, TLocalFree> arguments(
        CommandLineToArgvW(GetCommandLineW(), &count));
    std::vector<std::string> result;
    for (int i = 1; arguments && i < count; ++i)
        result.push_back(Utf8(arguments.get()[i]));
    return result;
}

std::unique_ptr<std::streambuf> MakeConsoleBuffer(void* handle) {
    return std::make_unique<TConsoleBuffer>(static_cast<HANDLE>(handle));
}

struct TConsole::TStreams {
    std::unique_ptr<std::streambuf> outBuffer = MakeConsoleBuffer(GetStdHandle(STD_OUTPUT_HANDLE));
    std::unique_ptr<std::streambuf> errBuffer = MakeConsoleBuffer(GetStdHandle(STD_ERROR_HANDLE));
    std::ostream out{outBuffer.get()};
    std::ostream err{errBuffer.get()};
};

TConsole::TConsole() : streams_(std::make_unique<TStreams>()) {}

TConsole::~TConsole() {
    streams_->out.flush();
    streams_->err.flush();
}

std::ostream& TConsole::Out() {
    return streams_->out;
}

std::ostream& TConsole::Err() {
    return streams_->err;
}
