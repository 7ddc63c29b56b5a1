// zarnet-services: the accounts, statistics, record boards, tournament and
// table game servers of the game, on one machine.
#include <QCoreApplication>
#include <QDir>
#include <QHostAddress>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>

#include <sodium.h>
#include <sys/resource.h>
#include <unistd.h>

#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <thread>

#include "ftp.h"
#include "handlers.h"
#include "http_front.h"
#include "passwords.h"
#include "photos.h"
#include "storage.h"
#include "table_server.h"

using namespace zarnet::services;

namespace {

struct Options {
  std::string data = "services-data";
  int http = 8088;
  int tablesBase = 25700;
  int ftp = 2121;
  std::string listen = "127.0.0.1";
  std::string db = "sqlite";
  std::string downloads;  // the art libraries; DATA/downloads when not given
  std::string tableAddress;
  int threads = 16;          // the work pool, one database connection each
  int queue = 0;             // requests waiting for the pool; 0: 16 per thread
  int ioThreads = 2;
  int requestSeconds = 10;   // a whole request, or an idle keep-alive connection
  int connections = 20000;   // open HTTP connections
  int chatInterval = 15;
  int moveSeconds = 26;
};

void Usage() {
  std::fprintf(stderr,
               "usage: zarnet-services [--data DIR] [--http PORT] [--tables-base PORT] [--ftp PORT|0]\n"
               "                       [--listen ADDRESS] [--db sqlite|postgresql://...]\n"
               "                       [--downloads DIR] [--table-address ADDRESS] [--threads N] [--queue N]\n"
               "                       [--io-threads N] [--request-seconds SECONDS] [--connections N]\n"
               "                       [--chat-interval SECONDS] [--move-seconds SECONDS]\n");
}

bool ParseInt(const char* text, int lo, int hi, int* out) {
  char* end = nullptr;
  const long v = std::strtol(text, &end, 10);
  if (!end || *end || end == text || v < lo || v > hi) return false;
  *out = int(v);
  return true;
}

bool Parse(int argc, char** argv, Options* o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    if (a == "--data") o->data = v;
    else if (a == "--http") { if (!ParseInt(v, 0, 65535, &o->http)) return false; }
    else if (a == "--tables-base") { if (!ParseInt(v, 1, 65525, &o->tablesBase)) return false; }
    else if (a == "--ftp") { if (!ParseInt(v, 0, 65535, &o->ftp)) return false; }
    else if (a == "--listen") o->listen = v;
    else if (a == "--db") o->db = v;
    else if (a == "--downloads") o->downloads = v;
    else if (a == "--table-address") o->tableAddress = v;
    else if (a == "--threads") { if (!ParseInt(v, 1, 1024, &o->threads)) return false; }
    else if (a == "--queue") { if (!ParseInt(v, 1, 100000, &o->queue)) return false; }
    else if (a == "--io-threads") { if (!ParseInt(v, 1, 64, &o->ioThreads)) return false; }
    else if (a == "--request-seconds") { if (!ParseInt(v, 1, 3600, &o->requestSeconds)) return false; }
    else if (a == "--connections") { if (!ParseInt(v, 1, 1000000, &o->connections)) return false; }
    else if (a == "--chat-interval") { if (!ParseInt(v, 0, 3600, &o->chatInterval)) return false; }
    else if (a == "--move-seconds") { if (!ParseInt(v, 1, 600, &o->moveSeconds)) return false; }
    else return false;
  }
  return true;
}

bool ReadFile(const std::string& path, std::string* out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *out = s.str();
  return true;
}

// A Host header we may hand back inside the directory.
bool SafeHost(const std::string& h) {
  if (h.empty() || h.size() > 100) return false;
  for (char c : h)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != ':' && c != '-' && c != '[' && c != ']')
      return false;
  return true;
}

// Sessions and seats are bound to the address as the table servers see it:
// an IPv4 caller on an IPv6 socket is written as plain IPv4.
std::string CallerAddress(const std::string& remote) {
  const std::string mapped = "::ffff:";
  if (remote.rfind(mapped, 0) == 0 && remote.find('.') != std::string::npos) return remote.substr(mapped.size());
  return remote;
}

constexpr auto kVersionPoll = std::chrono::milliseconds(200);

// Each open connection takes a descriptor: take all the system allows.
void RaiseFileLimit() {
  rlimit files{};
  if (getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
    files.rlim_cur = files.rlim_max;
    setrlimit(RLIMIT_NOFILE, &files);
  }
}

int signalPipe[2];
void OnSignal(int) {
  const char c = 1;
  [[maybe_unused]] ssize_t n = write(signalPipe[1], &c, 1);
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  RaiseFileLimit();
  Options opt;
  if (!Parse(argc, argv, &opt)) {
    Usage();
    return 2;
  }
  QDir().mkpath(QString::fromStdString(opt.data + "/avatars"));
  QDir().mkpath(QString::fromStdString(opt.data + "/ftp/inbox"));
  if (opt.downloads.empty()) opt.downloads = opt.data + "/downloads";
  const std::string avatars = QDir(QString::fromStdString(opt.data + "/avatars")).absolutePath().toStdString();
  const std::string inbox = QDir(QString::fromStdString(opt.data + "/ftp/inbox")).absolutePath().toStdString();

  std::unique_ptr<Storage> storage;
  try {
    InitPasswords();
    storage = OpenStorage(opt.db, opt.data);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarnet-services: %s\n", e.what());
    return 1;
  }

  ServiceConfig config;
  config.tableAddress = !opt.tableAddress.empty() ? opt.tableAddress
                        : (opt.listen == "0.0.0.0" || opt.listen == "::") ? "127.0.0.1"
                                                                           : opt.listen;
  config.tablesBase = opt.tablesBase;
  config.dataDir = opt.data;
  config.chatInterval = opt.chatInterval;
  Services services(*storage, config);
  PhotoInbox photos(inbox, avatars, FtpServer::LogPath(opt.data), *storage, config.sessionSeconds);

  // The table game servers run on this thread's event loop.
  std::vector<std::unique_ptr<TableServer>> tables;
  LinkLimits limits;
  limits.moveMs = opt.moveSeconds * 1000;
  LinkCounter links(limits.perAddress);
  for (int t = 1; t <= kTables; ++t) {
    uint64_t seed;
    randombytes_buf(&seed, sizeof seed);
    auto server = std::make_unique<TableServer>(t, *storage, seed, links, limits);
    if (!server->Listen(QHostAddress(QString::fromStdString(opt.listen)), quint16(opt.tablesBase + t))) {
      std::fprintf(stderr, "zarnet-services: table %d cannot listen on port %d: %s\n", t, opt.tablesBase + t,
                   server->ErrorString().toLocal8Bit().constData());
      return 1;
    }
    tables.push_back(std::move(server));
  }

  const char* kReplyType = "text/html; charset=windows-1251";
  const std::string listen = opt.listen;
  int httpPort = opt.http;
  const std::string downloads = opt.downloads;
  auto text = [](std::string body) { return HttpResponse{200, "text/plain; charset=utf-8", std::move(body)}; };
  const HttpResponse notFound{404, "text/plain; charset=utf-8", {}};
  auto script = [](const std::string& path) -> std::optional<Script> {
    if (path == "/accounts") return Script::Accounts;
    if (path == "/tables") return Script::Tables;
    if (path == "/statistics") return Script::Statistics;
    if (path == "/tournament") return Script::Tournament;
    return std::nullopt;
  };
  // Kept replies and the two cheap texts come straight from the network thread.
  auto quick = [&](const HttpRequest& req) -> std::optional<HttpResponse> {
    if (req.method == "POST") {
      const auto which = script(req.path);
      if (!which) return notFound;
      if (auto kept = services.KeptReply(*which, req.body)) return HttpResponse{200, kReplyType, std::move(*kept)};
      return std::nullopt;
    }
    if (req.method != "GET") return notFound;
    if (req.path == "/directory") {
      const std::string base =
          "http://" + (SafeHost(req.host) ? req.host : config.tableAddress + ":" + std::to_string(httpPort));
      return text(services.Directory(base));
    }
    if (req.path == "/get_ip.php") return text(req.remote);
    return std::nullopt;
  };
  static const std::regex avatarPath(R"(/avatars/([A-Za-z0-9!(),@_-][A-Za-z0-9!(),.@_-]{0,11})\.jpg)");
  static const std::regex downloadPath(R"(/downloads/progr/cards/([A-Za-z0-9_-][A-Za-z0-9_.-]{0,99}))");
  auto slow = [&](const HttpRequest& req) -> HttpResponse {
    std::smatch m;
    try {
      if (req.method == "POST") {
        const Caller caller{CallerAddress(req.remote), std::time(nullptr)};
        switch (*script(req.path)) {
          case Script::Accounts: return {200, kReplyType, services.Accounts(req.body, caller)};
          case Script::Tables: return {200, kReplyType, services.Tables(req.body, caller)};
          case Script::Statistics: return {200, kReplyType, services.Statistics(req.body, caller)};
          case Script::Tournament: return {200, kReplyType, services.Tournament(req.body, caller)};
        }
      }
      if (std::regex_match(req.path, m, avatarPath)) {
        std::string body;
        const std::string path = avatars + "/" + m[1].str() + ".jpg";
        // A photo uploaded a moment ago is checked now, not at the next tick.
        if (!ReadFile(path, &body)) {
          try {
            photos.Process(std::time(nullptr));
          } catch (const std::exception& e) {
            std::fprintf(stderr, "zarnet-services: %s\n", e.what());  // a published photo is still served
          }
          if (!ReadFile(path, &body)) return notFound;
        }
        return {200, "image/jpeg", std::move(body)};
      }
      if (std::regex_match(req.path, m, downloadPath)) {
        std::string body;
        const std::string name = m[1].str();
        // Only the libraries: the folder may hold other files.
        const bool library = name.size() > 4 && (name.ends_with(".dll") || name.ends_with(".lst"));
        if (!library || !ReadFile(downloads + "/" + name, &body)) return notFound;
        return {200, "application/octet-stream", std::move(body)};
      }
    } catch (const std::exception& e) {
      std::fprintf(stderr, "zarnet-services: %s\n", e.what());
      return {503, "text/plain; charset=utf-8", {}};
    }
    return notFound;
  };

  // Many open connections cost no thread; what blocks runs on the pool, whose
  // queue refuses with 503 once full.
  auto pool = std::make_unique<WorkPool>(opt.threads, opt.queue ? opt.queue : 16 * opt.threads);
  FrontLimits frontLimits;
  frontLimits.request = std::chrono::seconds(opt.requestSeconds);
  frontLimits.connections = opt.connections;
  HttpFront front(frontLimits, *pool, quick, slow);
  std::string listenError;
  httpPort = front.Listen(opt.listen, opt.http, &listenError);
  if (httpPort < 0) {
    std::fprintf(stderr, "zarnet-services: cannot listen for HTTP on %s:%d: %s\n", listen.c_str(), opt.http,
                 listenError.c_str());
    return 1;
  }
  front.Start(opt.ioThreads);

  // Writes through other instances on the same database show in the kept
  // replies within one poll.
  std::mutex pollMutex;
  std::condition_variable pollWake;
  bool pollStop = false;
  std::thread versionPoll([&] {
    std::unique_lock lock(pollMutex);
    while (!pollWake.wait_for(lock, kVersionPoll, [&] { return pollStop; })) {
      lock.unlock();
      try {
        storage->RefreshVersions();
      } catch (const std::exception&) {
        // The database is away; the requests report it.
      }
      lock.lock();
    }
  });

  FtpServer ftp;
  if (opt.ftp != 0) {
    std::string error;
    if (!ftp.Start(opt.listen, opt.ftp, opt.data, inbox, &error))
      std::fprintf(stderr, "zarnet-services: photo upload is off: %s\n", error.c_str());
  }
  QTimer photoTick;
  QObject::connect(&photoTick, &QTimer::timeout, &app, [&] {
    try {
      photos.Process(std::time(nullptr));
    } catch (const std::exception& e) {
      std::fprintf(stderr, "zarnet-services: %s\n", e.what());
    }
  });
  if (opt.ftp != 0) photoTick.start(1000);

  // SIGTERM and SIGINT end the event loop through a pipe.
  if (pipe(signalPipe) != 0) return 1;
  QSocketNotifier notifier(signalPipe[0], QSocketNotifier::Read);
  QObject::connect(&notifier, &QSocketNotifier::activated, &app, [&] { app.quit(); });
  struct sigaction sa {};
  sa.sa_handler = OnSignal;
  sigaction(SIGTERM, &sa, nullptr);
  sigaction(SIGINT, &sa, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  std::printf("ready http=%d\n", httpPort);
  std::fflush(stdout);
  const int rc = app.exec();

  front.Stop();
  pool.reset();  // before the front: queued jobs hold its connections
  {
    std::lock_guard lock(pollMutex);
    pollStop = true;
  }
  pollWake.notify_all();
  versionPoll.join();
  ftp.Stop();
  tables.clear();
  return rc;
}
