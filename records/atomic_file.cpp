#include "atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace zarnet {

namespace {

constexpr const char* kTemporarySuffix = ".new~";

bool WriteAll(int fd, const std::string& content) {
  const char* p = content.data();
  size_t left = content.size();
  while (left > 0) {
    const ssize_t n = write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

std::string TemporaryPathFor(const std::string& path) { return path + kTemporarySuffix; }

bool ReplaceFile(const std::string& path, const std::string& content, mode_t newMode) {
  struct stat old;
  const bool exists = stat(path.c_str(), &old) == 0;
  if (exists && (!S_ISREG(old.st_mode) || access(path.c_str(), W_OK) != 0)) return false;
  const std::string tmp = TemporaryPathFor(path);
  // A file left by a killed write may stand there; a link never leads elsewhere.
  const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW,
                      exists ? 0600 : newMode);
  if (fd < 0) return false;
  bool ok = true;
  if (exists) {
    // The owner first: a change of owner may clear the mode's special bits.
    // Only root may give a file away; anyone else keeps the file as its own.
    if (fchown(fd, old.st_uid, old.st_gid) != 0 && errno != EPERM) ok = false;
    if (ok && fchmod(fd, old.st_mode & 07777) != 0) ok = false;
  }
  ok = ok && WriteAll(fd, content);
  // The data must be on the disk before the rename makes it the file.
  if (ok && fsync(fd) != 0) ok = false;
  if (close(fd) != 0) ok = false;
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) unlink(tmp.c_str());
  return ok;
}

void RemoveStrayTemporaryOf(const std::string& path) {
  const std::string tmp = TemporaryPathFor(path);
  struct stat st;
  if (lstat(tmp.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(tmp.c_str());
}

void RemoveStrayTemporaries(const std::string& folder) {
  DIR* d = opendir(folder.c_str());
  if (d == nullptr) return;
  const std::string suffix = kTemporarySuffix;
  while (const dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() <= suffix.size() || name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
      continue;
    const std::string path = folder + "/" + name;
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) unlink(path.c_str());
  }
  closedir(d);
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream ss;
  ss << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return ss.str();
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool last = end == std::string::npos;
    if (last) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

}  // namespace zarnet
