// SPDX-License-Identifier: MIT
#pragma once

#include <string_view>

namespace tallowick {

/// The instruction set that the lookup pass scores candidates with. The build itself assumes
/// plain x86-64; the wider kernels are chosen at run time when the processor has them.
enum class LcsKernel {
    Auto,     ///< the fastest kernel for this processor: Avx512 when it has it, else Portable
    Portable, ///< plain 64-bit integer code, any x86-64 (or other) processor
    Avx2,     ///< four candidates per 256-bit register
    Avx512,   ///< eight candidates per 512-bit register (AVX-512 F, VL, BW, VBMI, VPOPCNTDQ)
};

/// True when this processor can run `kernel`; Auto and Portable always can.
bool IsKernelSupported(LcsKernel kernel);

/// `kernel` itself, or for Auto the kernel it stands for on this processor.
LcsKernel ResolveKernel(LcsKernel kernel);

/// A short lower-case name for reports: "portable", "avx2", "avx512" or "auto".
std::string_view KernelName(LcsKernel kernel);

} // namespace tallowick
