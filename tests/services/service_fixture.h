// Starts zarnet-services (and, for PostgreSQL, a private cluster) on loopback
// and speaks raw HTTP and TCP to it.
#pragma once

#include <string>

namespace zarnet::test {

struct HttpReply {
  int status = 0;  // 0: no answer
  std::string head;  // the status line and headers
  std::string body;
};

// One request on a fresh connection; the body goes out byte for byte.
// `source` is the loopback address the request comes from; `headers` are
// further header lines, each ending in "\r\n".
HttpReply RawHttp(int port, const std::string& method, const std::string& path, const std::string& body,
                  const std::string& contentType = "application/x-www-form-urlencoded",
                  const std::string& source = "127.0.0.1", const std::string& headers = "");

// A TCP socket to a loopback port from a loopback source address; -1 when it cannot connect.
int LoopbackConnect(int port, const std::string& source = "127.0.0.1", int timeoutSeconds = 10);

// A PostgreSQL cluster in a temporary folder, on a loopback port.
class PgCluster {
 public:
  PgCluster() = default;
  ~PgCluster();
  // False (with the reason) when the server binaries are missing or fail.
  bool Start(std::string* why);
  std::string Url() const;
  // Stops the server (dropping every client connection) and starts it again on the same port.
  bool Restart();

 private:
  std::string dir_, bin_;
  int port_ = 0;
  bool asPostgres_ = false;
  bool running_ = false;
};

class ServiceProcess {
 public:
  ~ServiceProcess() { Stop(); }
  // db is "sqlite" or a PostgreSQL address; dataDir empty makes a new one.
  bool Start(const std::string& db, std::string dataDir = "", const std::string& extraArgs = "");
  void Stop();  // SIGTERM, then wait; true exit code in exitCode()
  void Kill();  // SIGKILL
  int httpPort() const { return httpPort_; }
  int tablesBase() const { return tablesBase_; }
  const std::string& dataDir() const { return dataDir_; }
  int exitCode() const { return exitCode_; }
  HttpReply Post(const std::string& path, const std::string& body, const std::string& source = "127.0.0.1") const {
    return RawHttp(httpPort_, "POST", path, body, "application/x-www-form-urlencoded", source);
  }
  // An account from Omsk, Russia, password "pass1"; true when the service took it.
  // Registering opens the player's session from `source`.
  bool RegisterPlayer(const std::string& nick, const std::string& source = "127.0.0.1") const {
    return Post("/accounts", "nick=" + nick + "&pw=pass1&city=Omsk&country1=Russia&country2=1-001&sex=M&email=" + nick +
                                 "@x.ru&dater=1.1.2024&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0",
                source)
               .body == "ok\n";
  }
  int pid() const { return pid_; }
  // The open-file limit of the next start (0: inherited), as a service manager sets it.
  int fileLimit = 0;

 private:
  int pid_ = -1;
  int httpPort_ = 0, tablesBase_ = 0;
  int exitCode_ = -1;
  std::string dataDir_;
  bool ownDir_ = false;
};

// "--db" value for a backend name: starts the cluster when needed. Empty,
// with the reason, when the backend cannot run here.
std::string BackendDb(const std::string& backend, PgCluster* cluster, std::string* why);

std::string MakeTempDir(const char* stem);
void RemoveTree(const std::string& dir);

}  // namespace zarnet::test
