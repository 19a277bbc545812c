#include "TerminalPlatform.h"

TTerminalPlatform::TTerminalPlatform(std::ostream& out, std::ostream& err,
                                     TTerminalProgress& progress)
    : out_(out), err_(err), progress_(progress) {
    SetPlatform(this);
}

TTerminalPlatform::~TTerminalPlatform() {
    SetPlatform(nullptr);
}

void TTerminalPlatform::ShowMessageBox(TMessageKind kind, const Text& text) {
    WriteLine(kind == TMessageKind::Information ? out_ : err_, text);
}

void TTerminalPlatform::ShowUnhandledError(const Text& message) {
    WriteLine(err_, message);
}

void TTerminalPlatform::WriteLine(std::ostream& stream, const Text& text) {
    progress_.EndLine();
    stream << ToUtf8(text) << '\n';
    // Flushed at once so that the lines of both streams keep their order on a terminal.
    stream.flush();
}
