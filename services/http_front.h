// The services' HTTP side: an event-driven front (Boost.Beast on asio) where
// an open connection costs no thread, and a bounded pool for the work that
// blocks (storage, password hashes).
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace zarnet::services {

// Threads that take jobs from a bounded queue. A full queue refuses a job at
// once, and a job that waited past `maxWait` runs as late: the game stops
// reading after three seconds, so working for it then helps nobody.
class WorkPool {
 public:
  using Job = std::function<void(bool late)>;
  WorkPool(int threads, int queue,
           std::chrono::milliseconds maxWait = std::chrono::milliseconds(2500));
  ~WorkPool();  // finishes the running jobs, drops the queued ones
  WorkPool(const WorkPool&) = delete;
  WorkPool& operator=(const WorkPool&) = delete;

  bool TrySubmit(Job job);

 private:
  void Run();

  std::mutex m_;
  std::condition_variable cv_;
  std::deque<std::pair<std::chrono::steady_clock::time_point, Job>> jobs_;
  size_t capacity_;
  std::chrono::milliseconds maxWait_;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

struct FrontLimits {
  // A connection must deliver a whole request within this time of opening or
  // of its previous reply; idle keep-alive connections end with it too.
  std::chrono::milliseconds request{10000};
  std::chrono::milliseconds write{10000};  // a reply the client does not read
  size_t headerBytes = 8 * 1024;
  size_t bodyBytes = 64 * 1024;  // larger bodies get 413
  // Open connections; more are closed at once. Each costs a socket and a few
  // KiB, so this bounds the memory a flood of connections can take.
  int connections = 20000;
};

struct HttpRequest {
  std::string method;
  std::string path;  // percent-decoded, without the query
  std::string host;  // the Host header
  std::string remote;
  std::string body;
};

struct HttpResponse {
  int status = 200;
  std::string contentType;
  std::string body;
};

class HttpFront {
 public:
  // An answer given on the I/O thread (it must not block), or nothing to
  // hand the request to the pool.
  using Quick = std::function<std::optional<HttpResponse>(const HttpRequest&)>;
  using Slow = std::function<HttpResponse(const HttpRequest&)>;

  HttpFront(FrontLimits limits, WorkPool& pool, Quick quick, Slow slow);
  ~HttpFront();

  // The bound port (useful with port 0), or -1 with the reason in `error`.
  int Listen(const std::string& address, int port, std::string* error);
  void Start(int ioThreads);
  void Stop();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace zarnet::services
