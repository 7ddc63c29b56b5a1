#include "http_front.h"

#include <algorithm>
#include <atomic>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/post.hpp>
#include <boost/asio/steady_timer.hpp>
#include <boost/asio/strand.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <cstdio>

namespace zarnet::services {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = net::ip::tcp;

WorkPool::WorkPool(int threads, int queue, std::chrono::milliseconds maxWait)
    : capacity_(size_t(std::max(queue, 1))), maxWait_(maxWait) {
  for (int i = 0; i < std::max(threads, 1); ++i) threads_.emplace_back([this] { Run(); });
}

WorkPool::~WorkPool() {
  {
    std::lock_guard lock(m_);
    stopping_ = true;
    jobs_.clear();
  }
  cv_.notify_all();
  for (auto& t : threads_) t.join();
}

bool WorkPool::TrySubmit(Job job) {
  {
    std::lock_guard lock(m_);
    if (stopping_ || jobs_.size() >= capacity_) return false;
    jobs_.emplace_back(std::chrono::steady_clock::now(), std::move(job));
  }
  cv_.notify_one();
  return true;
}

void WorkPool::Run() {
  for (;;) {
    Job job;
    bool late = false;
    {
      std::unique_lock lock(m_);
      cv_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (stopping_) return;
      late = std::chrono::steady_clock::now() - jobs_.front().first > maxWait_;
      job = std::move(jobs_.front().second);
      jobs_.pop_front();
    }
    job(late);
  }
}

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The path of a request target, escapes decoded; a broken escape stays as written.
std::string DecodedPath(std::string_view target) {
  target = target.substr(0, target.find('?'));
  std::string out;
  out.reserve(target.size());
  for (size_t i = 0; i < target.size(); ++i) {
    if (target[i] == '%' && i + 2 < target.size()) {
      const int hi = HexValue(target[i + 1]), lo = HexValue(target[i + 2]);
      if (hi >= 0 && lo >= 0) {
        out += char(hi * 16 + lo);
        i += 2;
        continue;
      }
    }
    out += target[i];
  }
  return out;
}

}  // namespace

struct HttpFront::Impl {
  FrontLimits limits;
  WorkPool& pool;
  Quick quick;
  Slow slow;
  net::io_context ioc;
  tcp::acceptor acceptor{ioc};
  net::steady_timer acceptPause{ioc};
  std::vector<std::thread> threads;
  std::atomic<int> open{0};

  Impl(FrontLimits l, WorkPool& p, Quick q, Slow s)
      : limits(l), pool(p), quick(std::move(q)), slow(std::move(s)) {}

  void Accept();
};

namespace {

class Session : public std::enable_shared_from_this<Session> {
 public:
  Session(tcp::socket socket, HttpFront::Impl& front) : stream_(std::move(socket)), front_(front) {
    ++front_.open;
    beast::error_code ec;
    const auto peer = stream_.socket().remote_endpoint(ec);
    if (!ec) remote_ = peer.address().to_string();
    // Small replies must not wait for delayed ACKs.
    stream_.socket().set_option(tcp::no_delay(true), ec);
  }

  ~Session() { --front_.open; }

  void Read() {
    parser_.emplace();
    parser_->header_limit(std::uint32_t(front_.limits.headerBytes));
    parser_->body_limit(front_.limits.bodyBytes);
    stream_.expires_after(front_.limits.request);
    http::async_read_header(stream_, buffer_, *parser_,
                            beast::bind_front_handler(&Session::OnHeader, shared_from_this()));
  }

 private:
  // False when the read failed and the connection is answered or closed.
  bool ReadWent(beast::error_code ec) {
    if (!ec) return true;
    if (ec == http::error::body_limit) Refuse(413);
    else if (ec == http::error::header_limit) Refuse(431);
    // A broken request gets 400; a time-out or a closed connection ends quietly.
    else if (ec.category() == http::make_error_code(http::error::bad_target).category() &&
             ec != http::error::end_of_stream && ec != http::error::partial_message)
      Refuse(400);
    else Close();
    return false;
  }

  void OnHeader(beast::error_code ec, size_t) {
    if (!ReadWent(ec)) return;
    // curl asks before it sends a larger body, and waits a second for the answer.
    if (!parser_->is_done() && beast::iequals(parser_->get()[http::field::expect], "100-continue")) {
      static const char kContinue[] = "HTTP/1.1 100 Continue\r\n\r\n";
      net::async_write(stream_, net::buffer(kContinue, sizeof kContinue - 1),
                       [self = shared_from_this()](beast::error_code e, size_t) {
                         if (e) return self->Close();
                         self->ReadBody();
                       });
      return;
    }
    ReadBody();
  }

  void ReadBody() {
    http::async_read(stream_, buffer_, *parser_,
                     beast::bind_front_handler(&Session::OnRead, shared_from_this()));
  }

  void OnRead(beast::error_code ec, size_t) {
    if (!ReadWent(ec)) return;
    auto& req = parser_->get();
    keepAlive_ = req.keep_alive();
    HttpRequest r;
    r.method = std::string(req.method_string());
    r.path = DecodedPath(std::string_view(req.target().data(), req.target().size()));
    r.host = std::string(req[http::field::host]);
    r.remote = remote_;
    r.body = std::move(req.body());
    parser_.reset();
    std::optional<HttpResponse> answer;
    if (!Guarded([&] { answer = front_.quick(r); })) return Send(Busy());
    if (answer) return Send(std::move(*answer));
    auto self = shared_from_this();
    const bool queued = front_.pool.TrySubmit([self, r = std::move(r)](bool late) {
      HttpResponse answer = Busy();
      if (!late) Guarded([&] { answer = self->front_.slow(r); });
      net::post(self->stream_.get_executor(),
                [self, answer = std::move(answer)]() mutable { self->Send(std::move(answer)); });
    });
    if (!queued) Send(Busy());
  }

  // A handler that throws costs its request a 503, never a network thread.
  template <class F>
  static bool Guarded(F&& f) {
    try {
      f();
      return true;
    } catch (const std::exception& e) {
      std::fprintf(stderr, "zarnet-services: %s\n", e.what());
    } catch (...) {
      std::fprintf(stderr, "zarnet-services: a request failed\n");
    }
    return false;
  }

  static HttpResponse Busy() { return {503, "text/plain; charset=utf-8", "busy\n"}; }

  void Refuse(int status) {
    keepAlive_ = false;
    Send(HttpResponse{status, "text/plain; charset=utf-8", {}});
  }

  void Send(HttpResponse answer) {
    res_ = {};
    res_.version(11);
    res_.result(http::status(answer.status));
    if (!answer.contentType.empty()) res_.set(http::field::content_type, answer.contentType);
    res_.body() = std::move(answer.body);
    res_.keep_alive(keepAlive_);
    res_.prepare_payload();
    stream_.expires_after(front_.limits.write);
    http::async_write(stream_, res_,
                      beast::bind_front_handler(&Session::OnWrite, shared_from_this()));
  }

  void OnWrite(beast::error_code ec, size_t) {
    if (ec) return Close();
    if (!keepAlive_) return Close();
    Read();
  }

  void Close() {
    beast::error_code ec;
    stream_.socket().shutdown(tcp::socket::shutdown_send, ec);
    stream_.close();
  }

  beast::tcp_stream stream_;
  HttpFront::Impl& front_;
  beast::flat_buffer buffer_;
  std::optional<http::request_parser<http::string_body>> parser_;
  http::response<http::string_body> res_;
  std::string remote_;
  bool keepAlive_ = false;
};

}  // namespace

void HttpFront::Impl::Accept() {
  acceptor.async_accept(net::make_strand(ioc), [this](beast::error_code ec, tcp::socket socket) {
    if (ec == net::error::operation_aborted) return;
    if (ec) {
      // Out of file descriptors: pause instead of spinning on the same error.
      std::fprintf(stderr, "zarnet-services: accept: %s\n", ec.message().c_str());
      acceptPause.expires_after(std::chrono::milliseconds(100));
      acceptPause.async_wait([this](beast::error_code e) {
        if (!e) Accept();
      });
      return;
    }
    if (open.load() >= limits.connections) {
      beast::error_code ignored;
      socket.close(ignored);
    } else {
      std::make_shared<Session>(std::move(socket), *this)->Read();
    }
    Accept();
  });
}

HttpFront::HttpFront(FrontLimits limits, WorkPool& pool, Quick quick, Slow slow)
    : impl_(std::make_unique<Impl>(limits, pool, std::move(quick), std::move(slow))) {}

HttpFront::~HttpFront() {
  Stop();
}

int HttpFront::Listen(const std::string& address, int port, std::string* error) {
  beast::error_code ec;
  const auto ip = net::ip::make_address(address, ec);
  if (ec) {
    *error = "bad listen address " + address;
    return -1;
  }
  const tcp::endpoint at(ip, static_cast<unsigned short>(port));
  auto& a = impl_->acceptor;
  a.open(at.protocol(), ec);
  if (!ec) a.set_option(net::socket_base::reuse_address(true), ec);
  if (!ec) a.bind(at, ec);
  if (!ec) a.listen(net::socket_base::max_listen_connections, ec);
  if (ec) {
    *error = ec.message();
    return -1;
  }
  return a.local_endpoint().port();
}

void HttpFront::Start(int ioThreads) {
  impl_->Accept();
  for (int i = 0; i < std::max(ioThreads, 1); ++i)
    impl_->threads.emplace_back([this] { impl_->ioc.run(); });
}

void HttpFront::Stop() {
  if (!impl_) return;
  impl_->ioc.stop();
  for (auto& t : impl_->threads) t.join();
  impl_->threads.clear();
}

}  // namespace zarnet::services
