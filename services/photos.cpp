#include "photos.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <system_error>

namespace zarnet::services {
namespace fs = std::filesystem;

namespace {

bool IsJpeg(const std::string& path) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.read(kMaxPhotoBytes + 1);
  if (bytes.size() > kMaxPhotoBytes || !bytes.startsWith("\xFF\xD8\xFF")) return false;
  QBuffer buffer;
  buffer.setData(bytes);
  QImageReader reader(&buffer, "jpeg");
  return !reader.read().isNull();
}

// The files the FTP server wrote itself, kept with the uploads.
bool ServerFile(const std::string& name) { return name == ".ftpquota"; }

}  // namespace

void PhotoInbox::Process(int64_t now) {
  std::lock_guard lock(mutex_);
  std::ifstream log(log_, std::ios::binary);
  if (log) {
    log.seekg(0, std::ios::end);
    const uint64_t size = uint64_t(log.tellg());
    if (size < logOffset_) logOffset_ = 0;  // a new log
    log.seekg(std::streamoff(logOffset_));
    std::string chunk(size - logOffset_, '\0');
    log.read(chunk.data(), std::streamsize(chunk.size()));
    logOffset_ = size;
    partialLine_ += chunk;
    // ADDRESS - USER [DATE] "PUT /path/NAME" 200 SIZE
    static const std::regex line(R"re(^(\S+) \S+ \S+ \[[^\]]*\] "PUT ([^"]*)" \d+ \d+$)re");
    size_t end;
    while ((end = partialLine_.find('\n')) != std::string::npos) {
      const std::string one = partialLine_.substr(0, end);
      partialLine_.erase(0, end + 1);
      std::smatch m;
      if (std::regex_match(one, m, line)) Take(m[1].str(), m[2].str(), now);
    }
  }
  // What the log never named (a broken upload) goes after a minute.
  std::error_code ec;
  const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(1);
  for (const auto& entry : fs::directory_iterator(inbox_, ec)) {
    if (ServerFile(entry.path().filename().string())) continue;
    if (entry.last_write_time(ec) < old) fs::remove_all(entry.path(), ec);
  }
  // The server counts the inbox against its quota: tell it what is left.
  uint64_t files = 0, bytes = 0;
  for (const auto& entry : fs::directory_iterator(inbox_, ec)) {
    if (ServerFile(entry.path().filename().string()) || !entry.is_regular_file(ec)) continue;
    ++files;
    bytes += entry.file_size(ec);
  }
  // (Written only into the server's own file, which keeps its owner.)
  if (fs::exists(inbox_ + "/.ftpquota", ec))
    std::ofstream(inbox_ + "/.ftpquota", std::ios::trunc) << files << ' ' << bytes << '\n';
}

void PhotoInbox::Take(const std::string& address, const std::string& path, int64_t now) {
  const std::string name = fs::path(path).filename().string();
  const std::string file = inbox_ + "/" + name;
  std::error_code ec;
  if (!fs::is_regular_file(fs::symlink_status(file, ec))) return;  // gone already
  static const std::regex photoName(R"(([A-Za-z0-9!(),@_-][A-Za-z0-9!(),.@_-]{0,11})\.jpg)");
  std::smatch m;
  const char* refusal = nullptr;
  if (!std::regex_match(name, m, photoName)) refusal = "not named NICK.jpg";
  else if (!IsJpeg(file)) refusal = "no JPEG of at most 200 KiB";
  else if (!db_.UseSession(m[1].str(), address, now, now + sessionSeconds_)) refusal = "no session of that nick there";
  if (refusal) {
    std::fprintf(stderr, "zarnet-services: photo %s from %s deleted: %s\n", name.c_str(), address.c_str(), refusal);
    fs::remove(file, ec);
    return;
  }
  fs::rename(file, avatars_ + "/" + name, ec);
  if (ec) {
    std::fprintf(stderr, "zarnet-services: photo %s not published: %s\n", name.c_str(), ec.message().c_str());
    fs::remove(file, ec);
  }
}

}  // namespace zarnet::services
