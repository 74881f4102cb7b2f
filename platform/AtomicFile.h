#pragma once
#include <string>

namespace vr {

// Replaces the file at `path` with `data` so that a reader, or the disk after a
// crash, sees either the old file or the new one and never a mix: the data goes
// to a temporary file beside it, is flushed to disk and renamed over `path`.
// A symbolic link at `path` stays and its target is replaced. An existing
// file's permission bits are kept; a new file gets `newMode`. Returns false
// (leaving `path` as it was and no temporary file behind) on any failure.
bool WriteFileAtomically(const std::string& path, const std::string& data, unsigned newMode = 0600);

}  // namespace vr
