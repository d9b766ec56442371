#include "mix_path.h"

namespace {

struct Support {
  bool avx2;
  bool avx512;
};

// The compiler's CPUID reading also checks that the operating system saves
// the wide registers (XGETBV), so a reported extension is usable.
Support ReadSupport() noexcept {
#if defined(SPW_WIDE_LANES)
  __builtin_cpu_init();
  const bool avx2 = __builtin_cpu_supports("avx2") != 0;
  // The eight-lane code is compiled with AVX2 beneath it.
  return {avx2, avx2 && __builtin_cpu_supports("avx512f") != 0};
#else
  return {false, false};
#endif
}

const Support& ProcessorSupport() noexcept {
  static const Support support = ReadSupport();
  return support;
}

}  // namespace

const char* MixPathName(MixPath path) noexcept {
  switch (path) {
    case MixPath::kAvx2:
      return "AVX2";
    case MixPath::kAvx512:
      return "AVX-512";
    default:
      return "portable";
  }
}

bool MixPathSupported(MixPath path) noexcept {
  switch (path) {
    case MixPath::kAvx2:
      return ProcessorSupport().avx2;
    case MixPath::kAvx512:
      return ProcessorSupport().avx512;
    default:
      return true;
  }
}

MixPath FastestMixPath() noexcept {
  if (MixPathSupported(MixPath::kAvx512)) return MixPath::kAvx512;
  if (MixPathSupported(MixPath::kAvx2)) return MixPath::kAvx2;
  return MixPath::kPortable;
}
