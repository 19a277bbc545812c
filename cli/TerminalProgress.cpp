#include "TerminalProgress.h"

#include <string>
#include <utility>

TTerminalProgress::TTerminalProgress(std::ostream& out, TClock clock)
    : out_(out), clock_(std::move(clock)) {}

void TTerminalProgress::LabelChanged() {
    if (label_.Caption().empty()) {
        // The step has finished: keep its last state on the terminal.
        EndLine();
        return;
    }
    open_ = true;
    Update();
}

void TTerminalProgress::GaugeChanged() {
    // After a line has ended (a message, the end of a step) only a new caption reopens it;
    // the gauge resets that follow a step or a failure draw nothing.
    if (open_)
        Update();
}

void TTerminalProgress::Update() {
    latest_ = label_.Caption() + u" (" + IntToText(gauge_.PercentDone()) + u"%)";
    if (latest_ == shown_)
        return;
    const auto now = clock_();
    if (drawnBefore_ && now - lastDraw_ < kMinInterval)
        return;
    drawnBefore_ = true;
    lastDraw_ = now;
    Draw(latest_);
}

void TTerminalProgress::EndLine() {
    if (!open_)
        return;
    if (latest_ != shown_)
        Draw(latest_);
    out_ << '\n';
    out_.flush();
    open_ = false;
    latest_.clear();
    shown_.clear();
}

void TTerminalProgress::Draw(const Text& text) {
    std::string line = "\r" + ToUtf8(text);
    if (shown_.size() > text.size())
        line.append(shown_.size() - text.size(), ' ');
    out_ << line;
    out_.flush();
    shown_ = text;
}
