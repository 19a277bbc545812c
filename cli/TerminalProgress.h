#pragma once
// The progress display of a run on a terminal: a TLabel and a TGauge that share one line.
//
// The line shows the label's caption and the gauge's percentage, redrawn in place (a carriage
// return, the text, blanks over what is left of a longer previous text). A caption opens the
// line; gauge changes redraw it only while it is open. Redraws come at most once every
// kMinInterval: a change inside the interval is kept and drawn by a later change or by
// EndLine, so a run writes a few lines a second, never one per row.
//
// EndLine brings the line up to date and ends it with a line break. It is called before
// every message line and at the end of the run; clearing the caption (a step has finished)
// ends the line too, so each step leaves its last progress line on the terminal.

#include <chrono>
#include <functional>
#include <ostream>

#include "Progress.h"
#include "Text.h"

class TTerminalProgress {
  public:
    using TClock = std::function<std::chrono::steady_clock::time_point()>;
    static constexpr std::chrono::milliseconds kMinInterval{100};

    // Writes to `out`, which must outlive this object; `clock` gives the time of each change.
    explicit TTerminalProgress(std::ostream& out, TClock clock = std::chrono::steady_clock::now);
    TTerminalProgress(const TTerminalProgress&) = delete;
    TTerminalProgress& operator=(const TTerminalProgress&) = delete;

    TLabel& Label() { return label_; }
    TGauge& Gauge() { return gauge_; }

    void EndLine();

  private:
    class TLineLabel final : public TLabel {
      public:
        explicit TLineLabel(TTerminalProgress& owner) : owner_(owner) {}

      protected:
        void Changed() override { owner_.LabelChanged(); }

      private:
        TTerminalProgress& owner_;
    };
    class TLineGauge final : public TGauge {
      public:
        explicit TLineGauge(TTerminalProgress& owner) : owner_(owner) {}

      protected:
        void Changed() override { owner_.GaugeChanged(); }

      private:
        TTerminalProgress& owner_;
    };

    void LabelChanged();
    void GaugeChanged();
    void Update();
    void Draw(const Text& text);

    std::ostream& out_;
    TClock clock_;
    TLineLabel label_{*this};
    TLineGauge gauge_{*this};

    bool open_ = false;
    Text latest_;  // what the line should show
    Text shown_;   // what it shows now
    bool drawnBefore_ = false;
    std::chrono::steady_clock::time_point lastDraw_{};
};
