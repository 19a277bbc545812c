#pragma once
// Recording doubles of the platform layer: every message box, every caption and every gauge
// change is kept for assertions.

#include <vector>

#include "Platform.h"
#include "Progress.h"

struct TRecordedMessage {
    TMessageKind kind;
    Text text;
    bool operator==(const TRecordedMessage&) const = default;
};

class TRecordingPlatform : public TPlatform {
  public:
    TRecordingPlatform() { SetPlatform(this); }
    ~TRecordingPlatform() override { SetPlatform(nullptr); }

    void ShowMessageBox(TMessageKind kind, const Text& text) override {
        messages.push_back({kind, text});
    }
    void ProcessMessages() override { ++processed; }
    void ShowUnhandledError(const Text& message) override { unhandled.push_back(message); }

    std::vector<TRecordedMessage> messages;
    std::vector<Text> unhandled;
    long processed = 0;
};

class TRecordingLabel final : public TLabel {
  public:
    std::vector<Text> captions;

  protected:
    void Changed() override { captions.push_back(Caption()); }
};

class TRecordingGauge final : public TGauge {
  public:
    struct TState {
        int64_t progress, max;
        bool operator==(const TState&) const = default;
    };
    std::vector<TState> states;

  protected:
    void Changed() override { states.push_back({Progress(), MaxValue()}); }
};
