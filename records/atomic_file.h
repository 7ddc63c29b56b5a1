// Replacing a file so that a crash or a full disk never leaves it half written.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zarnet {

// Writes `content` to a temporary file beside `path`, flushes it to the disk
// and renames it over `path`. On any failure the old file stays as it was and
// the result is false. An existing file the user has made read-only is left
// alone and also gives false.
bool ReplaceFile(const std::string& path, const std::string& content);

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::string& path);

// The lines of a text, without their line breaks; a "\r" before the break
// is dropped too, so lists copied from other machines still read. A last
// line without a break counts as a line.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace zarnet
