// Wall time and throughput of RunCommand on a command that prints a lot: the
// figures later changes to the command runner are compared against. Not a test.
//
//   command_bench [megabytes=10] [runs=3] [print_bytes.exe path]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/windows/windows_host.h"
#include "sys/command.h"

int main(int argc, char** argv) {
    const long megabytes = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 10;
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    const std::string helper = argc > 3 ? argv[3] : HS_PRINT_BYTES;
    const size_t size = static_cast<size_t>(megabytes) << 20;
    const std::string command = "\"" + helper + "\" count:" + std::to_string(size);

    hs::win::WindowsHost windows;
    std::printf("RunCommand: %ld MB printed by one command, %d runs\n", megabytes, runs);
    double best = 0;
    double total = 0;
    for (int run = 1; run <= runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const std::string out = hs::RunCommand(windows.host(), command);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double rate = static_cast<double>(out.size()) / (1 << 20) / seconds;
        std::printf("  run %d: %zu bytes in %.2f s, %.3f MB/s%s\n", run, out.size(), seconds, rate,
                    out.size() == size ? "" : "  (INCOMPLETE)");
        std::fflush(stdout);
        total += seconds;
        if (rate > best)
            best = rate;
    }
    if (runs > 0) {
        std::printf("mean %.2f s per run, best %.3f MB/s\n", total / runs, best);
    }
    return 0;
}
