// The HTTP front under crowds and slow peers, and kept replies that follow
// every write, through raw sockets.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "http_front.h"
#include "service_fixture.h"

namespace zarnet::test {
namespace {

using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point t) {
  return std::chrono::duration<double>(Clock::now() - t).count();
}

bool SendAll(int fd, const std::string& bytes) {
  return send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

// Seconds until the server closes the connection (recv gives 0 or an error),
// reading whatever it sends before; -1 when it is still open after `limit`.
double SecondsUntilClosed(int fd, double limit) {
  const auto start = Clock::now();
  char buf[4096];
  while (SecondsSince(start) < limit) {
    const ssize_t n = recv(fd, buf, sizeof buf, 0);
    if (n == 0 || (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK)) return SecondsSince(start);
  }
  return -1;
}

const std::string kReadRecords = "gid=808";

// Every kind of open connection ends at the request limit (1 s here), while
// the front keeps answering everybody else.
TEST(Front, IdleAndSlowConnectionsEndAtTheLimitWhileOthersAreAnswered) {
  ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite", "", "--request-seconds 1"));
  const int port = service.httpPort();

  const int silent = LoopbackConnect(port, "127.0.0.1", 10);
  const int slow = LoopbackConnect(port, "127.0.0.1", 10);
  const int keptAlive = LoopbackConnect(port, "127.0.0.1", 10);
  ASSERT_GE(silent, 0);
  ASSERT_GE(slow, 0);
  ASSERT_GE(keptAlive, 0);
  const std::string request =
      "POST /tables HTTP/1.1\r\nHost: x\r\nContent-Length: " + std::to_string(kReadRecords.size()) +
      "\r\n\r\n" + kReadRecords;
  ASSERT_TRUE(SendAll(keptAlive, request));
  char head[16] = {};
  ASSERT_GT(recv(keptAlive, head, sizeof head - 1, 0), 0);
  EXPECT_EQ(std::string(head).substr(0, 12), "HTTP/1.1 200");

  // The slow sender trickles a valid request, one byte each 100 ms.
  std::atomic<bool> trickling{true};
  std::thread trickle([&] {
    for (size_t i = 0; i < request.size() && trickling; ++i) {
      if (!SendAll(slow, request.substr(i, 1))) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
  });
  // Meanwhile other callers are served.
  for (int i = 0; i < 5; ++i) EXPECT_EQ(service.Post("/tables", kReadRecords).status, 200);

  const struct {
    const char* name;
    int fd;
  } cases[] = {
      {"never sent a byte", silent}, {"sent too slowly", slow}, {"idle after a reply", keptAlive}};
  for (const auto& c : cases) {
    const double closed = SecondsUntilClosed(c.fd, 8);
    EXPECT_GT(closed, -1) << c.name << ": still open after 8 s";
  }
  trickling = false;
  trickle.join();
  for (const auto& c : cases) close(c.fd);
  EXPECT_EQ(service.Post("/tables", kReadRecords).status, 200);
}

// Past the connection limit a new connection is closed at once; once one
// ends, the next is served.
TEST(Front, ConnectionsPastTheLimitAreClosedAtOnce) {
  ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite", "", "--connections 3"));
  std::vector<int> held;
  for (int i = 0; i < 3; ++i) held.push_back(LoopbackConnect(service.httpPort(), "127.0.0.1", 5));
  for (int fd : held) ASSERT_GE(fd, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));  // all three accepted
  const int extra = LoopbackConnect(service.httpPort(), "127.0.0.1", 5);
  ASSERT_GE(extra, 0);  // the kernel accepts; the server closes it
  const double closed = SecondsUntilClosed(extra, 4);
  EXPECT_GE(closed, 0) << "a fourth connection stayed open";
  EXPECT_LT(closed, 2);
  close(extra);
  close(held.back());
  held.pop_back();
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  EXPECT_EQ(service.Post("/tables", kReadRecords).status, 200);
  for (int fd : held) close(fd);
}

// curl asks before sending a larger body: the answer comes at once, not after
// its one-second wait. A request that is not HTTP gets 400.
TEST(Front, AnswersExpectContinueAndRefusesBrokenRequests) {
  ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite"));
  const int fd = LoopbackConnect(service.httpPort(), "127.0.0.1", 1);
  ASSERT_GE(fd, 0);
  ASSERT_TRUE(SendAll(fd, "POST /tables HTTP/1.1\r\nHost: x\r\nExpect: 100-continue\r\nContent-Length: " +
                              std::to_string(kReadRecords.size()) + "\r\n\r\n"));
  char buf[4096];
  const ssize_t n = recv(fd, buf, sizeof buf, 0);  // one second at most
  ASSERT_GT(n, 0) << "no interim answer within a second";
  EXPECT_EQ(std::string(buf, size_t(n)), "HTTP/1.1 100 Continue\r\n\r\n");
  ASSERT_TRUE(SendAll(fd, kReadRecords));
  const ssize_t m = recv(fd, buf, sizeof buf, 0);
  ASSERT_GT(m, 0);
  EXPECT_EQ(std::string(buf, size_t(m)).substr(0, 12), "HTTP/1.1 200");
  EXPECT_TRUE(std::string(buf, size_t(m)).ends_with("\r\n\r\n\n")) << "the empty board's reply";
  close(fd);

  const int broken = LoopbackConnect(service.httpPort(), "127.0.0.1", 5);
  ASSERT_GE(broken, 0);
  ASSERT_TRUE(SendAll(broken, "GET /directory HTTX/1.1\r\nHost: x\r\n\r\n"));
  const ssize_t b = recv(broken, buf, sizeof buf, 0);
  ASSERT_GT(b, 0);
  EXPECT_EQ(std::string(buf, size_t(b)).substr(0, 12), "HTTP/1.1 400");
  close(broken);
}

// With one worker and room for one waiting request, a burst of password
// checks gets 503 at once for what does not fit, instead of a queue of seconds.
TEST(Front, AFullQueueAnswers503AtOnce) {
  ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite", "", "--threads 1 --queue 1"));
  ASSERT_TRUE(service.RegisterPlayer("Slow"));
  constexpr int kCallers = 12;
  std::vector<int> status(kCallers);
  std::vector<double> seconds(kCallers);
  std::vector<std::thread> callers;
  for (int i = 0; i < kCallers; ++i)
    callers.emplace_back([&, i] {
      const auto start = Clock::now();
      // Each from its own address, so no throttle spares the hash.
      status[i] = service
                      .Post("/accounts", "nick=Slow&pw=wrong" + std::to_string(i) + "&label0=0",
                            "127.0.1." + std::to_string(i + 1))
                      .status;
      seconds[i] = SecondsSince(start);
    });
  for (auto& t : callers) t.join();
  double slowestCheck = 0, slowestRefusal = 0;
  int refused = 0, checked = 0;
  for (int i = 0; i < kCallers; ++i) {
    if (status[i] == 503) {
      ++refused;
      slowestRefusal = std::max(slowestRefusal, seconds[i]);
    } else {
      EXPECT_EQ(status[i], 200);
      ++checked;
      slowestCheck = std::max(slowestCheck, seconds[i]);
    }
  }
  EXPECT_GE(checked, 1);
  EXPECT_GE(refused, 1);
  EXPECT_LT(slowestRefusal, slowestCheck) << "a refusal waited for the checks before it";
  // The pool is free again afterwards.
  EXPECT_EQ(service.Post("/accounts", "nick=Slow&pw=pass1&label0=0", "127.0.2.1").body.substr(0, 6),
            "$Omsk ");
}

// What waited in the queue past the limit runs as late (answered 503 by the
// front); what finds the queue full is refused at once.
TEST(WorkPool, RefusesWhenFullAndMarksLongWaitsLate) {
  std::promise<void> release;
  std::shared_future<void> released = release.get_future().share();
  std::mutex m;
  std::vector<std::string> ran;
  {
    services::WorkPool pool(1, 2, std::chrono::milliseconds(100));
    std::promise<void> started;
    ASSERT_TRUE(pool.TrySubmit([&](bool) {
      started.set_value();
      released.wait();
    }));
    started.get_future().wait();
    for (const char* name : {"second", "third"})
      ASSERT_TRUE(pool.TrySubmit([&, name](bool late) {
        std::lock_guard lock(m);
        ran.push_back(std::string(name) + (late ? " late" : " in time"));
      }));
    EXPECT_FALSE(pool.TrySubmit([](bool) {})) << "a third waiting job fits a queue of two";
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    release.set_value();
    for (int i = 0; i < 200; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      std::lock_guard lock(m);
      if (ran.size() == 2) break;
    }
    EXPECT_TRUE(pool.TrySubmit([&](bool late) {
      std::lock_guard lock(m);
      ran.push_back(late ? "fourth late" : "fourth in time");
    }));
    for (int i = 0; i < 200; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      std::lock_guard lock(m);
      if (ran.size() == 3) break;
    }
  }
  EXPECT_EQ(ran, (std::vector<std::string>{"second late", "third late", "fourth in time"}));
}

// A write through one instance shows in the kept replies of both: at once in
// its own, within the version poll in another on the same database.
class KeptReplies : public ::testing::TestWithParam<std::string> {};

TEST_P(KeptReplies, FollowWritesThroughThisAndAnotherInstance) {
  PgCluster cluster;
  std::string why;
  const std::string db = BackendDb(GetParam(), &cluster, &why);
  if (db.empty()) GTEST_SKIP() << "PostgreSQL case skipped: " << why;
  ServiceProcess one, two;
  ASSERT_TRUE(one.Start(db));
  // Two SQLite instances share the file in one data folder.
  ASSERT_TRUE(two.Start(db, db == "sqlite" ? one.dataDir() : ""));
  ASSERT_TRUE(two.RegisterPlayer("Tom"));
  const std::string seat1 =
      "clienton1=0&gid=88&num=2&can=1&nick1=Tom&score1=0&kon1=0&rating1=0&country1=Russia"
      "&city1=Omsk&sex1=M&ip1=10.0.0.1";
  const struct {
    const char* name;
    std::string path, read, write, shows;
  } cases[] = {
      {"board", "/tables", "gid=808",
       "gid=808&nick=Tom&city=Omsk&country=1-001&score=640&R7=M&R8=5.7f&R9=#&R10=#*",
       "$1 808 640 Tom "},
      {"game count", "/tables", "rgid=808",
       "gid=808&nick=Tom&city=Omsk&country=1-001&score=20&R7=M&R8=5.7f&R9=#&R10=#*", "$2\n"},
      {"account top ten", "/accounts", "crdtolkon=0",
       "nick=Tom&pw=pass1&crdtolkon=7&crdtolbest=80&crdtolrating=1510.5&crdtolses=1&crdtolkonl=7&"
       "crdtolscore=5"
       "&crdtolR1=0&crdtolR2=#",
       "$1 Tom Omsk 1-001 1-001 M 1510.5*"},
      {"statistics", "/statistics", "gid=808", "gid=808&stat1=1&stat2=1", "$1 1 0 "},
      {"tables", "/tournament", "readtable10=88&gid=88", seat1,
       " Tom 0 0 1000 Russia Omsk M 10.0.0.1 "},
  };
  for (const auto& c : cases) {
    // Both instances keep the reply before the write.
    for (const ServiceProcess* s : {&one, &two})
      ASSERT_EQ(s->Post(c.path, c.read).body.find(c.shows), std::string::npos) << c.name;
    const HttpReply written = two.Post(c.path, c.write);
    ASSERT_EQ(written.status, 200) << c.name;
    EXPECT_NE(two.Post(c.path, c.read).body.find(c.shows), std::string::npos)
        << c.name << ", same instance";
    const auto start = Clock::now();
    std::string seen;
    while (SecondsSince(start) < 3 && seen.find(c.shows) == std::string::npos)
      seen = one.Post(c.path, c.read).body;
    EXPECT_NE(seen.find(c.shows), std::string::npos) << c.name << ", other instance: " << seen;
    EXPECT_LT(SecondsSince(start), 1.0) << c.name << ": the other instance saw it late";
  }
}

INSTANTIATE_TEST_SUITE_P(Backends, KeptReplies, ::testing::Values("sqlite", "postgresql"),
                         [](const auto& info) { return info.param; });

}  // namespace
}  // namespace zarnet::test
