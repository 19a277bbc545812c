#pragma once
// The platform of the terminal runner: every message box becomes one line with its text
// exactly as given, information on `out`, warnings and errors on `err`; the default error
// display prints the message on `err`; there are no pending messages to process.
//
// A message never lands in the middle of the progress line: the line is ended first. While
// installed (between construction and destruction) this is the program's platform.

#include <ostream>

#include "Platform.h"
#include "TerminalProgress.h"

class TTerminalPlatform final : public TPlatform {
  public:
    // `out`, `err` and `progress` must outlive this object.
    TTerminalPlatform(std::ostream& out, std::ostream& err, TTerminalProgress& progress);
    ~TTerminalPlatform() override;
    TTerminalPlatform(const TTerminalPlatform&) = delete;
    TTerminalPlatform& operator=(const TTerminalPlatform&) = delete;

    void ShowMessageBox(TMessageKind kind, const Text& text) override;
    void ProcessMessages() override {}
    void ShowUnhandledError(const Text& message) override;

  private:
    void WriteLine(std::ostream& stream, const Text& text);

    std::ostream& out_;
    std::ostream& err_;
    TTerminalProgress& progress_;
};
