// Packed-BCD digits against their obvious limit, a memcpy of as many bytes,
// and a memcpy of whole frames for the parser figures.
//
//   korven_benchmarks --benchmark_filter='Bcd|Memcpy'
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "transport/bcd_digits.h"

namespace {

// Digits to fill the widest field (32 bytes); narrower fields take the head.
const std::string kDigits(64, '7');

void EncodeBcd(benchmark::State& state) {
    const auto fieldSize = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> field(fieldSize);
    for (auto _ : state) {
        korven::EncodeBcdDigits(field.data(), fieldSize, kDigits.c_str());
        benchmark::DoNotOptimize(field.data());
        benchmark::ClobberMemory();
    }
}

void DecodeBcd(benchmark::State& state) {
    const auto fieldSize = static_cast<size_t>(state.range(0));
    std::vector<uint8_t> field(fieldSize);
    korven::EncodeBcdDigits(field.data(), fieldSize, kDigits.c_str());
    std::vector<char> text(2 * fieldSize + 1);
    for (auto _ : state) {
        korven::DecodeBcdDigits(field.data(), fieldSize, text.data());
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
}

// The size comes from the state so the copy cannot be folded away.
void Memcpy(benchmark::State& state) {
    const auto size = static_cast<size_t>(state.range(0));
    const std::vector<uint8_t> source(size, 0x5A);
    std::vector<uint8_t> target(size);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), size);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
}

// 8, 16 and 32 bytes: the number fields of the call number frame.
BENCHMARK(EncodeBcd)->ArgName("bytes")->Arg(8)->Arg(16)->Arg(32);
BENCHMARK(DecodeBcd)->ArgName("bytes")->Arg(8)->Arg(16)->Arg(32);
// Also the frames of the parser benchmarks: a tone (14), a repaint (58), a call
// number (108) and phone database 0 (212).
BENCHMARK(Memcpy)->ArgName("bytes")->Arg(8)->Arg(16)->Arg(32)->Arg(14)->Arg(58)->Arg(108)->Arg(212);

}  // namespace
