#pragma once
// The instruction sets the block renderer's inner loops are built for. The
// portable loops run on any x86-64 processor; the wider ones only where the
// processor reports their instructions. Every path gives the same bits.

#include <cstdint>

enum class MixPath : uint8_t {
  kPortable,  // two lanes (SSE2 on x86-64, SIMD128 in WebAssembly)
  kAvx2,      // four lanes
  kAvx512,    // eight lanes (AVX-512 foundation)
};

constexpr MixPath kMixPaths[] = {MixPath::kPortable, MixPath::kAvx2, MixPath::kAvx512};

// "portable", "AVX2", "AVX-512". [any thread]
const char* MixPathName(MixPath path) noexcept;

// Whether this processor (and its operating system) can run the path, as
// CPUID reports it; asked once per process. [any thread]
bool MixPathSupported(MixPath path) noexcept;

// The widest supported path. [any thread]
MixPath FastestMixPath() noexcept;
