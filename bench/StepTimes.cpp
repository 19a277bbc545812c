#include "StepTimes.h"

#include <time.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

TInstant TInstant::Now() {
    timespec cpu{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
    return {std::chrono::steady_clock::now(), double(cpu.tv_sec) + double(cpu.tv_nsec) * 1e-9};
}

void TSegmentClock::Mark(size_t i, TInstant at) {
    times_.seconds[i] = std::chrono::duration<double>(at.wall - last_.wall).count();
    times_.cpuSeconds[i] = at.cpu - last_.cpu;
    last_ = at;
}

void TSegmentClock::Finish(TInstant at) {
    times_.total = std::chrono::duration<double>(at.wall - start_.wall).count();
    times_.cpuTotal = at.cpu - start_.cpu;
}

long PeakResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stol(line.substr(6));
    return 0;
}

std::string SerializeTimes(const TStepTimes& times) {
    std::ostringstream out;
    out.precision(9);
    for (size_t i = 0; i < kSegmentCount; ++i)
        out << "SEGMENTO " << i << ' ' << times.seconds[i] << ' ' << times.cpuSeconds[i] << '\n';
    out << "TOTAL " << times.total << ' ' << times.cpuTotal << '\n'
        << "PICO " << times.peakKiB << '\n';
    return out.str();
}

TStepTimes ParseTimes(const std::string& text) {
    TStepTimes times;
    std::array<bool, kSegmentCount> seen{};
    bool total = false, peak = false;
    std::istringstream in(text);
    std::string word;
    while (in >> word) {
        if (word == "SEGMENTO") {
            size_t i;
            double wall, cpu;
            if (in >> i >> wall >> cpu && i < kSegmentCount) {
                times.seconds[i] = wall;
                times.cpuSeconds[i] = cpu;
                seen[i] = true;
            }
        } else if (word == "TOTAL") {
            total = bool(in >> times.total >> times.cpuTotal);
        } else if (word == "PICO") {
            peak = bool(in >> times.peakKiB);
        }
    }
    for (bool s : seen)
        if (!s)
            throw std::runtime_error("a medição não informou todos os segmentos");
    if (!total || !peak)
        throw std::runtime_error("a medição não informou o total ou o pico de memória");
    return times;
}
