#pragma once
// The progress display of a run: the label (TLabel) and the gauge (TGauge).
//
// Both keep their state here; a window or a terminal overrides Changed() to show it. The
// gauge's minimum is 0; PercentDone is the share of the way from minimum to maximum, 0 while
// the maximum is not above the minimum.

#include <cstdint>

#include "Text.h"

class TLabel {
  public:
    virtual ~TLabel() = default;
    const Text& Caption() const { return caption_; }
    void SetCaption(Text caption) {
        caption_ = std::move(caption);
        Changed();
    }

  protected:
    virtual void Changed() {}

  private:
    Text caption_;
};

class TGauge {
  public:
    virtual ~TGauge() = default;
    int64_t Progress() const { return progress_; }
    int64_t MinValue() const { return min_; }
    int64_t MaxValue() const { return max_; }
    void SetProgress(int64_t value) {
        progress_ = value;
        Changed();
    }
    void SetMaxValue(int64_t value) {
        max_ = value;
        Changed();
    }
    void AddProgress(int64_t value) { SetProgress(progress_ + value); }
    int PercentDone() const {
        if (max_ <= min_)
            return 0;
        return int((progress_ - min_) * 100 / (max_ - min_));
    }

  protected:
    virtual void Changed() {}

  private:
    int64_t progress_ = 0;
    int64_t min_ = 0;
    int64_t max_ = 100;
};
