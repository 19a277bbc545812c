#pragma once
// The segments in which the benchmark times a run, for the tool and the baseline alike, and
// how a measuring child process hands its figures to the benchmark.
//
// The segments follow one another without gaps: the first begins with the run (the tool's
// gauge reset; the baseline's first statement) and includes switching the triggers off and
// starting the run's transaction; each of the six steps ends when it has written its last
// row (the tool clears its progress label); the last segment switches the triggers on and
// commits (for the tool it ends when "Conversão concluída com sucesso!" is shown).

#include <array>
#include <chrono>
#include <cstddef>
#include <string>

inline constexpr size_t kSegmentCount = 7;

struct TSegmentInfo {
    const char* key;    // for the RESULT lines
    const char* title;  // for the table
};

inline constexpr TSegmentInfo kSegments[kSegmentCount] = {
    {"clientes", "Clientes"},
    {"fornecedores", "Fornecedores"},
    {"produtos", "Produtos"},
    {"estoque", "Corrigir Estoque"},
    {"ncm", "Corrigir NCM"},
    {"fornecedores_produtos", "Corrigir Fornecedores"},
    {"gatilhos_commit", "Gatilhos e commit"},
};

// Wall-clock seconds, and the CPU seconds of the whole measuring process (all its threads,
// the embedded database engine's included), which a machine shared with other work disturbs
// less.
struct TStepTimes {
    std::array<double, kSegmentCount> seconds{};
    std::array<double, kSegmentCount> cpuSeconds{};
    double total = 0;
    double cpuTotal = 0;
    long peakKiB = 0;  // peak resident memory of the measuring process (VmHWM)
};

// A moment on the steady clock and on the process's CPU clock.
struct TInstant {
    std::chrono::steady_clock::time_point wall;
    double cpu = 0;
    static TInstant Now();
};

// Marks the end of each segment.
class TSegmentClock {
  public:
    explicit TSegmentClock(TInstant start = TInstant::Now()) : start_(start), last_(start) {}
    // Ends segment `i` at `at`; it began where the previous mark left off.
    void Mark(size_t i, TInstant at = TInstant::Now());
    // Ends the run at `at`.
    void Finish(TInstant at = TInstant::Now());
    const TStepTimes& Times() const { return times_; }
    TStepTimes& Times() { return times_; }

  private:
    TInstant start_, last_;
    TStepTimes times_;
};

// The peak resident memory of this process in KiB (VmHWM of /proc/self/status); 0 where the
// system does not tell.
long PeakResidentKiB();

// The figures as lines "SEGMENTO i wall cpu", "TOTAL wall cpu", "PICO kib", and back; parsing
// fails with std::runtime_error when a line is missing.
std::string SerializeTimes(const TStepTimes& times);
TStepTimes ParseTimes(const std::string& text);
