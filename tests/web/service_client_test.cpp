#include <gtest/gtest.h>

#include <httplib.h>

#include <chrono>
#include <thread>

#include "service_client.h"

namespace zarnet {
namespace {

// A throw-away HTTP server on loopback.
class LocalServer {
 public:
  httplib::Server server;
  int port = 0;
  void Start() {
    port = server.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server.listen_after_bind(); });
    while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  ~LocalServer() {
    server.stop();
    if (thread_.joinable()) thread_.join();
  }
  std::string Url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port) + path;
  }

 private:
  std::thread thread_;
};

TEST(ServiceClient, PostsTheBodyBytesWithTheUserAgent) {
  LocalServer s;
  std::string body, agent, type;
  s.server.Post("/accounts", [&](const httplib::Request& req, httplib::Response& res) {
    body = req.body;
    agent = req.get_header_value("User-Agent");
    type = req.get_header_value("Content-Type");
    res.set_content("$ ok #", "text/plain");
  });
  s.Start();
  ServiceClient client;
  client.SetUserAgent("KuvSpecAccess");
  const HttpReply r = client.PostForm(s.Url("/accounts"), "nick=\xC8&pw=1");
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.body, "$ ok #");
  EXPECT_EQ(body, "nick=\xC8&pw=1");
  EXPECT_EQ(agent, "KuvSpecAccess");
  EXPECT_EQ(type, "application/x-www-form-urlencoded");
}

TEST(ServiceClient, ErrorStatusAndNoServerAreFailures) {
  LocalServer s;
  s.server.Get("/missing", [](const httplib::Request&, httplib::Response& res) { res.status = 404; });
  s.Start();
  EXPECT_FALSE(HttpGet(s.Url("/missing")).ok);
  const int port = s.port;
  s.server.stop();
  EXPECT_FALSE(HttpGet("http://127.0.0.1:" + std::to_string(port) + "/").ok);
}

TEST(ServiceClient, SilentServerHitsTheReadTimeOut) {
  LocalServer s;
  s.server.Get("/slow", [](const httplib::Request&, httplib::Response& res) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    res.set_content("late", "text/plain");
  });
  s.Start();
  ServiceClient client;
  client.SetReadTimeoutMs(1000);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(client.Get(s.Url("/slow")).ok);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(2400));
  EXPECT_EQ(client.ReadTimeoutMs(), 1000);  // stays on the shared client
}

}  // namespace
}  // namespace zarnet
