// The blocking HTTP client of the web services (libcurl).
#pragma once

#include <string>

namespace zarnet {

struct HttpReply {
  bool ok = false;  // transport worked and the status was below 400
  long status = 0;
  std::string body;
};

// The one client shared by the service requests: its user agent and read
// time-out stay set once a request has set them.
class ServiceClient {
 public:
  ServiceClient();
  ~ServiceClient();
  ServiceClient(const ServiceClient&) = delete;
  ServiceClient& operator=(const ServiceClient&) = delete;

  void SetUserAgent(std::string agent) { userAgent_ = std::move(agent); }
  // 0 waits without limit; otherwise a transfer that receives nothing for
  // this long gives up.
  void SetReadTimeoutMs(int ms) { readTimeoutMs_ = ms; }
  int ReadTimeoutMs() const { return readTimeoutMs_; }

  HttpReply PostForm(const std::string& url, const std::string& body);
  HttpReply Get(const std::string& url);

 private:
  HttpReply Perform(const std::string& url, const std::string* body);

  void* curl_ = nullptr;
  std::string userAgent_;
  int readTimeoutMs_ = 0;
};

// A GET with a client of its own, as the directory, the address lookup and
// the downloads make it.
HttpReply HttpGet(const std::string& url, int readTimeoutMs = 0);

// The machine's address as the own-address script sees it; empty on failure
// or when the reply is no single word.
std::string LookUpExternalAddress(const std::string& scriptUrl, int readTimeoutMs = 3000);

// A file put on an FTP server in passive mode under `folder` + `name`.
struct FtpTarget {
  std::string host;
  int port = 21;
  std::string user, password, folder;
};
bool FtpUpload(const FtpTarget& target, const std::string& name, const std::string& content,
               int timeoutMs = 10000);

}  // namespace zarnet
