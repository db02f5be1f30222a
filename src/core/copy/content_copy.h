// SPDX-License-Identifier: MIT
#pragma once

#include <sys/types.h>

namespace tallowick {

/// Copies the first `size` bytes of the open file `source` into the open, empty file `target`
/// and gives the target that size. Uses a reflink where the file system shares blocks, else the
/// kernel's in-kernel copy, else reads and writes; holes of a sparse source stay holes wherever
/// the file system reports them. Returns 0, or the errno of the step that failed; ENODATA when
/// the source ended before `size` bytes.
int CopyFileContent(int source, int target, off_t size);

} // namespace tallowick
