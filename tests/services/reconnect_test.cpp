// PostgreSQL restarted under running services: every connection the services
// hold is dropped, and no request may fail for it afterwards.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <unistd.h>

#include <string>

#include "service_fixture.h"

namespace zarnet::test {
namespace {

std::string Submit(const ServiceProcess& s, int score) {
  return s.Post("/tables", "gid=808&nick=guest&city=Riga&country=1-012&score=" + std::to_string(score) +
                               "&R7=M&R8=5.7f&R9=#&R10=#*")
      .body;
}

// A table link's 20-byte frame: the text padded with '#', then the seat digit.
std::string Frame(const std::string& payload, int seat) {
  std::string f = payload;
  f.resize(19, '#');
  return f + char('0' + seat);
}

std::string ReadExactly(int fd, size_t n) {
  std::string out(n, '\0');
  size_t got = 0;
  while (got < n) {
    const ssize_t r = recv(fd, out.data() + got, n - got, 0);
    if (r <= 0) break;
    got += size_t(r);
  }
  out.resize(got);
  return out;
}

TEST(Reconnect, RestartedPostgresFailsNoRequest) {
  PgCluster cluster;
  std::string why;
  const std::string db = BackendDb("postgresql", &cluster, &why);
  if (db.empty()) GTEST_SKIP() << why;
  // One worker: the request after each restart is sure to meet its dropped connection.
  ServiceProcess service;
  ASSERT_TRUE(service.Start(db, "", "--threads 1"));
  for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service.RegisterPlayer(nick)) << nick;
  ASSERT_EQ(Submit(service, 100), "$1\n");
  int acknowledged = 1;
  const auto seat = [&](int n, const char* nick) {
    const std::string s = std::to_string(n);
    return service
        .Post("/tournament", "clienton" + s + "=0&gid=88&num=4&can=1&nick" + s + "=" + nick + "&score" + s +
                                 "=0&kon" + s + "=0&rating" + s + "=0&country" + s + "=Russia&city" + s +
                                 "=Omsk&sex" + s + "=M&ip" + s + "=10.0.0." + s)
        .body;
  };
  ASSERT_EQ(seat(1, "Tom"), "ok\n");
  ASSERT_EQ(seat(2, "Ada"), "ok\n");

  // The first request after a restart is a write, then a read, then a login.
  ASSERT_TRUE(cluster.Restart());
  EXPECT_EQ(Submit(service, 300), "$1\n");
  ++acknowledged;
  ASSERT_TRUE(cluster.Restart());
  EXPECT_EQ(service.Post("/tables", "gid=808").body.substr(0, 11), "$1 808 300 ");
  ASSERT_TRUE(cluster.Restart());
  EXPECT_EQ(service.Post("/accounts", "nick=Tom&pw=pass1&label0=0").body.substr(0, 6), "$Omsk ");
  // The table servers' claim went with the connection, but the lobby still sees them on.
  EXPECT_EQ(service.Post("/tournament", "serverinforead=0&gid=88").body.substr(0, 3), "$Y ");

  // The table servers' own connection: a link is checked against the seat's holder.
  const int one = LoopbackConnect(service.tablesBase() + 4), two = LoopbackConnect(service.tablesBase() + 4);
  ASSERT_GE(one, 0);
  ASSERT_GE(two, 0);
  for (const auto& [fd, frame] : {std::pair{one, Frame("connect1", 1)}, std::pair{two, Frame("connect2", 2)}})
    ASSERT_EQ(send(fd, frame.data(), frame.size(), MSG_NOSIGNAL), ssize_t(frame.size()));
  EXPECT_EQ(ReadExactly(one, 241).size(), 241u) << "seat 1 is dealt its hand";
  EXPECT_EQ(ReadExactly(two, 241).size(), 241u) << "seat 2 is dealt its hand";
  close(one);
  close(two);

  for (int i = 0; i < 20; ++i) {
    SCOPED_TRACE(i);
    const HttpReply r = service.Post("/tables", i % 2 ? "gid=808" : "rgid=808");
    EXPECT_EQ(r.status, 200);
  }
  // A write repeated on a new connection is kept once.
  EXPECT_EQ(service.Post("/tables", "rgid=808").body, "$" + std::to_string(acknowledged) + "\n");
}

}  // namespace
}  // namespace zarnet::test
