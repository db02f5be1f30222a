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
    for (const LcsKernel widest : {LcsKernel::Avx512, LcsKernel::Avx2}) {
        if (IsKernelSupported(widest)) {
            return widest;
        }
    }
    return LcsKernel::Portable;
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
