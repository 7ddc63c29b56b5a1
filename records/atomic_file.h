// Replacing a file so that a crash or a full disk never leaves it half written.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace zarnet {

// Writes `content` to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`. On any failure the old file stays as it was and
// the result is false. An existing file the user has made read-only, or
// something other than a file in its place, is left alone and also gives
// false. A replaced file keeps its mode and, where the process may, its
// owner; a new one is created with `newMode` (less the umask).
bool ReplaceFile(const std::string& path, const std::string& content, mode_t newMode = 0644);

// The temporary file a replace of `path` writes first.
std::string TemporaryPathFor(const std::string& path);

// Removes the temporary files a killed replace left in `folder`; only plain
// files are touched.
void RemoveStrayTemporaries(const std::string& folder);
// The same for the one file `path`, in a folder shared with others.
void RemoveStrayTemporaryOf(const std::string& path);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The lines of a text, without their line breaks; a "\r" before the break
// is dropped too, so lists copied from other machines still read. A last
// line without a break counts as a line.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace zarnet
