// The photo upload server: Debian's pure-ftpd on loopback, with one upload
// account whose folder is the photo inbox, under a quota, and a transfer log
// that names the address of each upload.
#pragma once

#include <QProcess>

#include <memory>
#include <string>

namespace zarnet::services {

inline constexpr const char* kFtpUser = "zarnetphoto";
inline constexpr const char* kFtpPassword = "Kv7-photo-up";
// What the inbox may hold at once: a few photos on their way, never a flood.
inline constexpr int kInboxFiles = 20;
inline constexpr int kInboxMegabytes = 2;

class FtpServer {
 public:
  ~FtpServer() { Stop(); }
  bool Start(const std::string& address, int port, const std::string& dataDir, const std::string& inbox,
             std::string* error);
  // DATA/ftp/transfer.log
  static std::string LogPath(const std::string& dataDir);
  void Stop();

 private:
  std::unique_ptr<QProcess> process_;
  QString groupFile_;  // DATA/ftp/daemon.group: the daemon's process group while it runs
};

}  // namespace zarnet::services
