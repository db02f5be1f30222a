// SPDX-License-Identifier: MIT
#pragma once

#include "copy/copy_outcome.h"

#include <optional>
#include <string>
#include <string_view>

namespace tallowick {

/// Copies the file at `sourcePath` into `destFolder` under `newName`, replacing a file of that
/// name unless `options.keepExisting` asks to keep it.
///
/// The content goes to a temporary file in the destination folder first, which gets the source's
/// permission bits and modification time, is flushed to disk and is then renamed over the
/// target: the target holds either its old content or the whole copy, never a part. On failure
/// the temporary file is removed and an existing target stays as it was. Refused, with nothing
/// written: a `newName` that is not one plain file name, a source that is not a regular file,
/// a target that is the source itself (also through a hard link) and a target that is a folder.
/// A target that is a symbolic link is replaced by the copy; nothing is written through it.
CopyOutcome CopyFileInto(const std::string& sourcePath, const std::string& destFolder,
                         std::string_view newName, const CopyOptions& options = {});

/// Writes the entries of `folder` to disk, so that the names of copies renamed into it last
/// through a power cut. Gives 0 or the errno of the failed step. One call after many copies
/// costs far less than one per copy.
int SyncFolder(const std::string& folder);

/// Why files cannot be copied into `folder` (missing, not a folder, not writable), or nothing
/// when they can.
std::optional<std::string> DestinationFolderError(const std::string& folder);

} // namespace tallowick
