// bench_unificacao: times the tool's run per step against a baseline written directly on the
// client library (Baseline.h), at one or more scales, in one invocation.
//
// For each N the branch and head-office pair is generated once (DataGenerator.h) and the head
// office copied twice, one copy per contender. Each contender runs in a child process of its
// own (this program re-executed with the hidden option --medir), one after the other on the
// same files: so the peak resident memory each reports (VmHWM) is its own run's and not the
// generator's or the other contender's, and both start from the same state (a fresh
// attachment, the files in the system's cache). The children print their figures on standard
// output (StepTimes.h); this process compares the two copies afterwards (Verification.h).
// Each segment is given in wall-clock seconds and in CPU seconds of the contender's process:
// on a machine shared with other work the CPU figures are the steadier of the two.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "Baseline.h"
#include "ChildProcess.h"
#include "DataGenerator.h"
#include "Error.h"
#include "StepTimes.h"
#include "ToolRun.h"
#include "Verification.h"

namespace {

namespace fs = std::filesystem;

constexpr char kUsage[] =
    "Uso: bench_unificacao [--n N]... [--pasta PASTA] [--semente S] [--dialeto 1|3]\n"
    "\n"
    "Para cada N, gera uma filial e uma matriz de N clientes (como gerar_bases), copia a\n"
    "matriz duas vezes e mede, na mesma invocação, a conversão da ferramenta com os seis\n"
    "passos numa cópia e a base escrita direto na biblioteca cliente do Firebird na outra,\n"
    "passo a passo. Mostra os tempos (de relógio e de CPU do processo), a razão\n"
    "ferramenta/base, o pico de memória residente e, entre tamanhos seguidos, o\n"
    "crescimento do tempo. Confere que as duas cópias terminam com o mesmo conteúdo.\n"
    "Cada número também sai numa linha RESULT, para o grep.\n"
    "\n"
    "  --n N            tamanho (repita para vários; padrão 10000 e 100000)\n"
    "  --pasta PASTA    onde criar as bases, uma subpasta nN por tamanho (padrão:\n"
    "                   bench_unificacao na pasta temporária do sistema)\n"
    "  --semente S      semente dos dados (padrão 1)\n"
    "  --dialeto 1|3    dialeto SQL das bases (padrão 1)\n"
    "\n"
    "Código de saída: 0 com as cópias iguais, 1 se alguma medição falhou ou as cópias\n"
    "diferem, 2 para erro de uso.\n";

struct TOptions {
    std::vector<int64_t> sizes;
    fs::path folder = fs::temp_directory_path() / "bench_unificacao";
    uint64_t seed = 1;
    int dialect = 1;
};

int Usage(const std::string& problem) {
    std::cerr << "bench_unificacao: " << problem << "\n\n" << kUsage;
    return 2;
}

template <typename T>
bool ParseNumber(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return ec == std::errc() && ptr == end;
}

std::string PathBytes(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

// The child's side: one contender on one pair of files, its figures on standard output.
int Measure(std::string_view contender, const std::string& origin, const std::string& destination) {
    try {
        TStepTimes times = contender == "ferramenta"
                               ? RunTool(FromUtf8(origin), FromUtf8(destination))
                               : RunBaseline(origin, destination);
        times.peakKiB = PeakResidentKiB();
        std::cout << SerializeTimes(times) << std::flush;
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "bench_unificacao (" << contender << "): " << ToUtf8(ErrorMessage(e)) << "\n";
        return 1;
    }
}

// Runs Measure in a child process and reads its figures; its error output is passed on.
TStepTimes MeasureInChild(const std::string& contender, const fs::path& origin,
                          const fs::path& destination) {
    TChildProcess child(
        {"/proc/self/exe", "--medir", contender, PathBytes(origin), PathBytes(destination)});
    child.CloseInput();
    const int status = child.Wait();
    std::cerr << child.Err();
    if (status != 0)
        throw EError(FromUtf8("a medição de " + contender + " falhou"));
    return ParseTimes(child.Out());
}

std::string Ratio(double tool, double base) {
    if (base <= 0)
        return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", tool / base);
    return text;
}

struct TSizeResult {
    int64_t n;
    TStepTimes tool, base;
};

void PrintTable(const TSizeResult& r) {
    // "Razão" carries a two-byte letter: one more byte of width keeps the columns.
    std::printf("%-24s %14s %10s %8s   %10s %10s %11s\n", "Passo", "Ferramenta (s)", "Base (s)",
                "Razão", "CPU ferr.", "CPU base", "Razão CPU");
    auto line = [&](const char* title, const char* key, double tool, double base, double toolCpu,
                    double baseCpu) {
        const std::string ratio = Ratio(tool, base), cpuRatio = Ratio(toolCpu, baseCpu);
        std::printf("%-24s %14.3f %10.3f %7s   %10.3f %10.3f %10s\n", title, tool, base,
                    ratio.c_str(), toolCpu, baseCpu, cpuRatio.c_str());
        std::printf(
            "RESULT n=%lld step=%s tool=%.6f base=%.6f ratio=%s tool_cpu=%.6f base_cpu=%.6f "
            "cpu_ratio=%s\n",
            static_cast<long long>(r.n), key, tool, base, ratio.c_str(), toolCpu, baseCpu,
            cpuRatio.c_str());
    };
    for (size_t i = 0; i < kSegmentCount; ++i)
        line(kSegments[i].title, kSegments[i].key, r.tool.seconds[i], r.base.seconds[i],
             r.tool.cpuSeconds[i], r.base.cpuSeconds[i]);
    line("Total", "total", r.tool.total, r.base.total, r.tool.cpuTotal, r.base.cpuTotal);
    std::printf("Pico de memória residente (VmHWM): ferramenta %.1f MiB, base %.1f MiB\n",
                double(r.tool.peakKiB) / 1024, double(r.base.peakKiB) / 1024);
    std::printf("RESULT n=%lld peak_rss_kib tool=%ld base=%ld\n", static_cast<long long>(r.n),
                r.tool.peakKiB, r.base.peakKiB);
}

void PrintGrowth(const TSizeResult& small, const TSizeResult& large) {
    const long long a = static_cast<long long>(small.n), b = static_cast<long long>(large.n);
    std::printf("\nCrescimento t(%lld)/t(%lld):\n", b, a);
    std::printf("%-24s %10s %10s %10s\n", "Passo", "Ferramenta", "Base", "CPU ferr.");
    auto line = [&](const char* title, const char* key, double t0, double t1, double b0, double b1,
                    double c0, double c1) {
        const std::string gt = Ratio(t1, t0), gb = Ratio(b1, b0), gc = Ratio(c1, c0);
        std::printf("%-24s %10s %10s %10s\n", title, gt.c_str(), gb.c_str(), gc.c_str());
        std::printf("RESULT growth=%lld/%lld step=%s tool=%s base=%s tool_cpu=%s\n", b, a, key,
                    gt.c_str(), gb.c_str(), gc.c_str());
    };
    for (size_t i = 0; i < kSegmentCount; ++i)
        line(kSegments[i].title, kSegments[i].key, small.tool.seconds[i], large.tool.seconds[i],
             small.base.seconds[i], large.base.seconds[i], small.tool.cpuSeconds[i],
             large.tool.cpuSeconds[i]);
    line("Total", "total", small.tool.total, large.tool.total, small.base.total, large.base.total,
         small.tool.cpuTotal, large.tool.cpuTotal);
}

int RunBenchmark(const TOptions& options) {
    bool allEqual = true;
    std::vector<TSizeResult> results;
    for (int64_t n : options.sizes) {
        const fs::path folder = options.folder / ("n" + std::to_string(n));
        const auto start = std::chrono::steady_clock::now();
        GenerateBranchAndHeadOffice({folder, n, options.seed, options.dialect});
        const std::chrono::duration<double> generated = std::chrono::steady_clock::now() - start;
        std::printf("\n== N = %lld (semente %llu, dialeto %d): bases geradas em %.1f s em %s\n",
                    static_cast<long long>(n), static_cast<unsigned long long>(options.seed),
                    options.dialect, generated.count(), PathBytes(folder).c_str());
        std::fflush(stdout);

        const fs::path branch = folder / kBranchFileName;
        const fs::path headOffice = folder / kHeadOfficeFileName;
        const fs::path toolCopy = folder / "MATRIZ-ferramenta.FB";
        const fs::path baseCopy = folder / "MATRIZ-base.FB";
        for (const fs::path& copy : {toolCopy, baseCopy})
            fs::copy_file(headOffice, copy, fs::copy_options::overwrite_existing);

        TSizeResult r{n, MeasureInChild("ferramenta", branch, toolCopy),
                      MeasureInChild("base", branch, baseCopy)};
        PrintTable(r);
        const TVerification v =
            CompareDestinations(FromUtf8(PathBytes(headOffice)), FromUtf8(PathBytes(branch)),
                                FromUtf8(PathBytes(toolCopy)), FromUtf8(PathBytes(baseCopy)));
        std::printf("%sRESULT n=%lld verification=%s\n", v.report.c_str(),
                    static_cast<long long>(n), v.equal ? "ok" : "failed");
        std::fflush(stdout);
        allEqual = allEqual && v.equal;
        results.push_back(r);
    }
    for (size_t i = 1; i < results.size(); ++i)
        PrintGrowth(results[i - 1], results[i]);
    return allEqual ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string_view(argv[1]) == "--medir")
        return Measure(argv[2], argv[3], argv[4]);

    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (i + 1 >= argc)
            return Usage("falta o valor de " + std::string(arg));
        const std::string_view value = argv[++i];
        if (arg == "--n") {
            int64_t n;
            if (!ParseNumber(value, n) || n < 1 || n > kMaxClients)
                return Usage("--n espera um número inteiro de 1 a " + std::to_string(kMaxClients));
            options.sizes.push_back(n);
        } else if (arg == "--pasta") {
            options.folder = fs::u8path(value);
        } else if (arg == "--semente") {
            if (!ParseNumber(value, options.seed))
                return Usage("--semente espera um número inteiro não negativo");
        } else if (arg == "--dialeto") {
            if (!ParseNumber(value, options.dialect) ||
                (options.dialect != 1 && options.dialect != 3))
                return Usage("--dialeto espera 1 ou 3");
        } else {
            return Usage("opção desconhecida: " + std::string(arg));
        }
    }
    if (options.sizes.empty())
        options.sizes = {10000, 100000};

    try {
        return RunBenchmark(options);
    } catch (const std::exception& e) {
        std::cerr << "bench_unificacao: " << ToUtf8(ErrorMessage(e)) << "\n";
        return 1;
    }
}
