#include "service_fixture.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#ifndef ZARNET_SERVICES_BIN
#error "ZARNET_SERVICES_BIN must name the services program"
#endif

namespace zarnet::test {
namespace fs = std::filesystem;

std::string MakeTempDir(const char* stem) {
  std::string pattern = (fs::temp_directory_path() / (std::string(stem) + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) return {};
  return pattern;
}

void RemoveTree(const std::string& dir) {
  std::error_code ec;
  if (!dir.empty()) fs::remove_all(dir, ec);
}

int LoopbackConnect(int port, const std::string& source, int timeoutSeconds) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  sockaddr_in from{};
  from.sin_family = AF_INET;
  inet_pton(AF_INET, source.c_str(), &from.sin_addr);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(uint16_t(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  timeval tv{timeoutSeconds, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
  setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &tv, sizeof tv);
  if (bind(fd, reinterpret_cast<sockaddr*>(&from), sizeof from) != 0 ||
      connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

HttpReply RawHttp(int port, const std::string& method, const std::string& path, const std::string& body,
                  const std::string& contentType, const std::string& source, const std::string& headers) {
  HttpReply reply;
  const int fd = LoopbackConnect(port, source);
  if (fd < 0) return reply;
  std::string req = method + " " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(port) +
                    "\r\nUser-Agent: KuvSpecAccess\r\nConnection: close\r\n" + headers;
  if (method == "POST")
    req += "Content-Type: " + contentType + "\r\nContent-Length: " + std::to_string(body.size()) + "\r\n";
  req += "\r\n" + body;
  size_t sent = 0;
  while (sent < req.size()) {
    const ssize_t n = send(fd, req.data() + sent, req.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) break;
    sent += size_t(n);
  }
  std::string raw;
  char buf[8192];
  for (;;) {
    const ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n <= 0) break;
    raw.append(buf, size_t(n));
  }
  close(fd);
  const size_t headEnd = raw.find("\r\n\r\n");
  if (raw.rfind("HTTP/1.1 ", 0) != 0 || headEnd == std::string::npos) return reply;
  reply.status = std::atoi(raw.c_str() + 9);
  reply.head = raw.substr(0, headEnd);
  reply.body = raw.substr(headEnd + 4);
  return reply;
}

namespace {

int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t len = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
  close(fd);
  return ntohs(addr.sin_port);
}

int RunCommand(const std::vector<std::string>& args, bool asPostgres) {
  std::vector<std::string> full;
  if (asPostgres) full = {"runuser", "-u", "postgres", "--"};
  full.insert(full.end(), args.begin(), args.end());
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, 1);
    dup2(null, 2);
    std::vector<char*> argv;
    for (auto& a : full) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

PgCluster::~PgCluster() {
  if (running_) RunCommand({bin_ + "/pg_ctl", "-D", dir_ + "/db", "-m", "immediate", "-w", "stop"}, asPostgres_);
  RemoveTree(dir_);
}

bool PgCluster::Start(std::string* why) {
  bin_ = "/usr/lib/postgresql/15/bin";
  if (!fs::exists(bin_ + "/initdb") || !fs::exists(bin_ + "/pg_ctl")) {
    *why = "PostgreSQL 15 server binaries are not installed (package postgresql)";
    return false;
  }
  dir_ = MakeTempDir("zarnet-pg");
  // initdb refuses to run as root.
  asPostgres_ = geteuid() == 0;
  if (asPostgres_) {
    chmod(dir_.c_str(), 0777);
    if (RunCommand({"true"}, true) != 0) {
      *why = "running as root without a postgres user";
      return false;
    }
  }
  if (RunCommand({bin_ + "/initdb", "-D", dir_ + "/db", "-U", "zarnet", "--auth=trust", "-E", "UTF8",
                  "--no-sync"},
                 asPostgres_) != 0) {
    *why = "initdb failed";
    return false;
  }
  for (int attempt = 0; attempt < 5 && !running_; ++attempt) {
    port_ = FreePort();
    running_ = RunCommand({bin_ + "/pg_ctl", "-D", dir_ + "/db", "-l", dir_ + "/log", "-w", "-o",
                           "-p " + std::to_string(port_) + " -k " + dir_ +
                               " -c listen_addresses=127.0.0.1 -c max_connections=300",
                           "start"},
                          asPostgres_) == 0;
  }
  if (!running_) *why = "the PostgreSQL server did not start";
  return running_;
}

bool PgCluster::Restart() {
  running_ = RunCommand({bin_ + "/pg_ctl", "-D", dir_ + "/db", "-l", dir_ + "/log", "-m", "fast", "-w", "restart"},
                        asPostgres_) == 0;
  return running_;
}

std::string PgCluster::Url() const { return "postgresql://zarnet@127.0.0.1:" + std::to_string(port_) + "/postgres"; }

std::string BackendDb(const std::string& backend, PgCluster* cluster, std::string* why) {
  if (backend == "sqlite") return "sqlite";
  if (!cluster->Start(why)) return {};
  return cluster->Url();
}

bool ServiceProcess::Start(const std::string& db, std::string dataDir, const std::string& extraArgs) {
  if (dataDir.empty()) {
    dataDir = MakeTempDir("zarnet-services");
    ownDir_ = true;
  }
  dataDir_ = dataDir;
  std::mt19937 rng(unsigned(getpid()) * 7919u + unsigned(std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 8; ++attempt) {
    tablesBase_ = 20000 + int(rng() % 2000) * 20;
    int out[2];
    if (pipe(out) != 0) return false;
    const pid_t pid = fork();
    if (pid == 0) {
      if (fileLimit > 0) {
        const rlimit files{rlim_t(fileLimit), rlim_t(fileLimit)};
        setrlimit(RLIMIT_NOFILE, &files);
      }
      dup2(out[1], 1);
      close(out[0]);
      std::vector<std::string> args = {ZARNET_SERVICES_BIN, "--data", dataDir_, "--http", "0",
                                       "--tables-base", std::to_string(tablesBase_), "--ftp", "0", "--db", db};
      std::istringstream extra(extraArgs);
      for (std::string a; extra >> a;) args.push_back(a);
      std::vector<char*> argv;
      for (auto& a : args) argv.push_back(a.data());
      argv.push_back(nullptr);
      execv(argv[0], argv.data());
      _exit(127);
    }
    close(out[1]);
    pid_ = pid;
    std::string line;
    pollfd p{out[0], POLLIN, 0};
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      if (poll(&p, 1, 200) > 0) {
        char c[256];
        const ssize_t n = read(out[0], c, sizeof c);
        if (n <= 0) break;
        line.append(c, size_t(n));
      }
    }
    close(out[0]);
    if (line.rfind("ready http=", 0) == 0) {
      httpPort_ = std::atoi(line.c_str() + 11);
      return httpPort_ > 0;
    }
    if (line.rfind("ready tables=", 0) == 0) return true;  // no HTTP in that role
    Kill();  // most likely a table port was taken: try another base
  }
  return false;
}

void ServiceProcess::Stop() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    pid_ = -1;
  }
  if (ownDir_) {
    RemoveTree(dataDir_);
    ownDir_ = false;
  }
}

void ServiceProcess::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

}  // namespace zarnet::test
