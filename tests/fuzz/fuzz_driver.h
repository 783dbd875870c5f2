// A bounded stand-alone driver for the fuzz targets, so that every build (g++ natively
// and mingw under Wine) runs them as ordinary test binaries for a fixed number of
// inputs. Built with clang's -fsanitize=fuzzer instead (HS_LIBFUZZER), the same target
// runs under libFuzzer and this driver is left out.
//
// A target file defines LLVMFuzzerTestOneInput and then HS_FUZZ_MAIN(seeds), where
// seeds is a std::vector<std::string> of starting inputs. The driver feeds the seeds,
// then mutations of them (byte flips, insertions, deletions, splices of two seeds and
// of dictionary-like fragments taken from the seeds), from a fixed random seed so that
// a failure can be replayed. The number of inputs is HS_FUZZ_RUNS (default 20000).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace hs::fuzz {

inline std::string Mutate(std::mt19937& rng, const std::vector<std::string>& seeds,
                          std::string input) {
    const int steps = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < steps; ++i) {
        const size_t at = input.empty() ? 0 : rng() % (input.size() + 1);
        switch (rng() % 6) {
            case 0:  // flip a byte
                if (!input.empty())
                    input[at % input.size()] = static_cast<char>(rng());
                break;
            case 1:  // insert a random byte
                input.insert(input.begin() + static_cast<long>(at), static_cast<char>(rng()));
                break;
            case 2:  // delete a run
                if (!input.empty()) {
                    const size_t from = at % input.size();
                    input.erase(from, 1 + rng() % 8);
                }
                break;
            case 3: {  // splice a piece of another seed
                const std::string& other = seeds[rng() % seeds.size()];
                if (!other.empty()) {
                    const size_t from = rng() % other.size();
                    input.insert(at, other.substr(from, 1 + rng() % 16));
                }
                break;
            }
            case 4:  // a line break of one of the three kinds
                input.insert(at, (rng() % 3 == 0) ? "\r" : (rng() % 2 ? "\n" : "\r\n"));
                break;
            default:  // duplicate a run
                if (!input.empty()) {
                    const size_t from = at % input.size();
                    input.insert(at, input.substr(from, 1 + rng() % 32));
                }
                break;
        }
    }
    return input;
}

inline int RunBounded(const std::vector<std::string>& seeds) {
    long runs = 20000;
    if (const char* text = std::getenv("HS_FUZZ_RUNS"))
        runs = std::strtol(text, nullptr, 10);
    std::mt19937 rng(12345);
    for (const std::string& seed : seeds)
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(seed.data()), seed.size());
    for (long i = 0; i < runs && !seeds.empty(); ++i) {
        const std::string input = Mutate(rng, seeds, seeds[rng() % seeds.size()]);
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld passed, 0 failed\n", runs + static_cast<long>(seeds.size()));
    return 0;
}

}  // namespace hs::fuzz

#ifdef HS_LIBFUZZER
#define HS_FUZZ_MAIN(seeds)
#else
#define HS_FUZZ_MAIN(seeds)                 \
    int main() {                            \
        return hs::fuzz::RunBounded(seeds); \
    }
#endif
