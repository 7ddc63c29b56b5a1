// The photo upload server: Debian's pure-ftpd on loopback, with one upload
// account whose folder is the avatars folder.
#pragma once

#include <QProcess>

#include <memory>
#include <string>

namespace zarnet::services {

inline constexpr const char* kFtpUser = "zarnetphoto";
inline constexpr const char* kFtpPassword = "Kv7-photo-up";

class FtpServer {
 public:
  ~FtpServer() { Stop(); }
  bool Start(const std::string& address, int port, const std::string& dataDir, const std::string& avatars,
             std::string* error);
  void Stop();

 private:
  std::unique_ptr<QProcess> process_;
};

}  // namespace zarnet::services
