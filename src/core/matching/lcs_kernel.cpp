// SPDX-License-Identifier: MIT
#include "matching/lcs_kernel.h"

namespace tallowick {

bool IsKernelSupported(LcsKernel kernel) {
    switch (kernel) {
    case LcsKernel::Auto:
    case LcsKernel::Portable:
        return true;
#if defined(__x86_64__)
    case LcsKernel::Avx2:
        return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
    case LcsKernel::Avx512:
        return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512vl") &&
               __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi") &&
               __builtin_cpu_supports("avx512vpopcntdq");
#endif
    default:
        return false;
    }
}

LcsKernel ResolveKernel(LcsKernel kernel) {
    if (kernel != LcsKernel::Auto) {
        return kernel;
    }
    // The AVX2 kernel is not chosen: it must gather its masks from memory, and eight lanes of
    // plain integer code keep pace with it (measured on AMD Zen 5, where it was 10 % slower).
    return IsKernelSupported(LcsKernel::Avx512) ? LcsKernel::Avx512 : LcsKernel::Portable;
}

std::string_view KernelName(LcsKernel kernel) {
    switch (kernel) {
    case LcsKernel::Portable:
        return "portable";
    case LcsKernel::Avx2:
        return "avx2";
    case LcsKernel::Avx512:
        return "avx512";
    default:
        return "auto";
    }
}

} // namespace tallowick
