// The services scaled out: run by services/scale-out.sh, which starts
// PostgreSQL, the HTTP instances behind nginx and the table process, and
// passes their ports here. Players speak raw HTTP to nginx and raw frames to
// the table servers.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "service_fixture.h"
#include "table_players.h"

namespace zarnet::test {
namespace {

struct Cluster {
  int lb = 0, tablesBase = 0, threads = 0;
  std::vector<int> http;
  std::string psql, db;
};

Cluster FromEnvironment() {
  Cluster s;
  const char* lb = std::getenv("ZARNET_LB_PORT");
  const char* http = std::getenv("ZARNET_HTTP_PORTS");
  const char* tables = std::getenv("ZARNET_TABLES_BASE");
  const char* threads = std::getenv("ZARNET_THREADS");
  const char* psql = std::getenv("ZARNET_PSQL");
  const char* db = std::getenv("ZARNET_DB");
  if (!lb || !http || !tables || !threads || !psql || !db) return s;
  s.db = db;
  s.lb = std::atoi(lb);
  s.tablesBase = std::atoi(tables);
  s.threads = std::atoi(threads);
  s.psql = psql;
  std::stringstream list(http);
  for (std::string port; std::getline(list, port, ',');) s.http.push_back(std::atoi(port.c_str()));
  return s;
}

// What a shell command writes, without the final line end; its exit status in `status`.
std::string Output(const std::string& command, int* status = nullptr) {
  FILE* p = popen((command + " 2>&1").c_str(), "r");
  if (!p) return "(did not run)";
  std::string out;
  char buf[256];
  while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
  const int rc = pclose(p);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

// One value (first row, first column) from the shared database.
std::string Query(const Cluster& s, const std::string& sql) { return Output(s.psql + " -c \"" + sql + "\""); }

// Which HTTP instance nginx handed the request to.
std::string Upstream(const HttpReply& r) {
  const size_t at = r.head.find("X-Upstream: ");
  if (at == std::string::npos) return {};
  return r.head.substr(at + 12, r.head.find("\r\n", at) - at - 12);
}

class ScaleOut : public ::testing::Test {
 protected:
  void SetUp() override {
    setup_ = FromEnvironment();
    ASSERT_GT(setup_.lb, 0) << "run through services/scale-out.sh, which passes the ports";
    ASSERT_EQ(setup_.http.size(), 3u) << "three HTTP instances";
  }
  HttpReply Post(const std::string& path, const std::string& body, const std::string& source) const {
    return RawHttp(setup_.lb, "POST", path, body, "application/x-www-form-urlencoded", source);
  }
  bool Register(const std::string& nick, const std::string& source) const {
    return Post("/accounts",
                "nick=" + nick + "&pw=pass1&city=Omsk&country1=Russia&country2=1-001&sex=M&email=" + nick +
                    "@x.ru&dater=1.1.2024&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0",
                source)
               .body == "ok\n";
  }
  HttpReply SetSeat(int table, int seat, const std::string& nick, const std::string& source) const {
    const std::string n = std::to_string(seat);
    return Post("/tournament",
                "clienton" + n + "=0&gid=88&num=" + std::to_string(table) + "&can=1&nick" + n + "=" + nick + "&score" +
                    n + "=0&kon" + n + "=0&rating" + n + "=0&country" + n + "=Russia&city" + n + "=Omsk&sex" + n +
                    "=M&ip" + n + "=" + source,
                source);
  }

  Cluster setup_;
};

TEST_F(ScaleOut, PlayersSeatedThroughTwoInstancesPlayOneMatchBookedOnce) {
  const std::string tom = "127.0.0.2", ada = "127.0.0.3";
  EXPECT_EQ(Post("/tournament", "serverinforead=0&gid=88", tom).body.substr(0, 3), "$Y ") << "the table process runs";
  ASSERT_TRUE(Register("Tom", tom));
  ASSERT_TRUE(Register("Ada", ada));
  const int table = 6;
  const HttpReply one = SetSeat(table, 1, "Tom", tom), two = SetSeat(table, 2, "Ada", ada);
  ASSERT_EQ(one.body, "ok\n");
  ASSERT_EQ(two.body, "ok\n");
  ASSERT_FALSE(Upstream(one).empty());
  // Round robin: two requests in a row never meet the same instance.
  EXPECT_NE(Upstream(one), Upstream(two));

  // Each seat is linked from the address that took it through the balancer.
  const int port = setup_.tablesBase + table;
  Player stranger(port, "127.0.0.4");
  stranger.Send(Frame("connect2", 2));
  EXPECT_TRUE(stranger.Closed()) << "a seat is not linked from another address";
  Player p1(port, tom), p2(port, ada);
  ASSERT_TRUE(p1.connected() && p2.connected());
  p1.Send(Frame("connect1", 1));
  p2.Send(Frame("connect2", 2));
  std::string deck = p1.Read(241);
  ASSERT_EQ(p2.Read(241), deck);
  Player* seats[3] = {nullptr, &p1, &p2};
  int score[3] = {0, 0, 0};
  for (int deal = 1; deal <= 2; ++deal) {
    ASSERT_EQ(deck.size(), 241u) << "deal " << deal;
    HonestDeal(deck, deal).Play(seats, score);
    if (deal == 1) {
      p1.Send(Frame("bnext", 1));
      deck = p1.ReadDeck();
      ASSERT_EQ(p2.ReadDeck(), deck);
    }
  }
  const int d1 = score[1] - score[2];
  char outcome[20];
  std::snprintf(outcome, sizeof outcome, "o%5d%5d", d1, -d1);
  p1.Send(Frame(outcome, 1));
  EXPECT_TRUE(p1.Closed());
  EXPECT_TRUE(p2.Closed());

  // Booked once, whichever instance answers: a second booking would double the kon count.
  const char* elo1 = d1 > 0 ? "1016" : d1 < 0 ? "984" : "1000";
  const char* elo2 = d1 > 0 ? "984" : d1 < 0 ? "1016" : "1000";
  for (int ask = 0; ask < 3; ++ask) {
    EXPECT_EQ(Post("/tournament", "readrating88=0&nick=Tom", tom).body, "$" + std::to_string(d1) + " 2 " + elo1 + "\n");
    EXPECT_EQ(Post("/tournament", "readrating88=0&nick=Ada", ada).body, "$" + std::to_string(-d1) + " 2 " + elo2 + "\n");
    EXPECT_EQ(Post("/tournament", "readclient1=0&gid=88&num=6", tom).body.substr(0, 3), "$X ") << "seat 1 freed";
  }
}

TEST_F(ScaleOut, TwoHundredWritersLoseAndDuplicateNothing) {
  constexpr int kWriters = 200, kEach = 5;
  std::atomic<int> acknowledged{0}, refused{0};
  std::mutex lock;
  std::map<std::string, int> perInstance;
  std::vector<std::thread> writers;
  for (int w = 0; w < kWriters; ++w)
    writers.emplace_back([&, w] {
      for (int k = 0; k < kEach; ++k) {
        const std::string nick = "w" + std::to_string(w) + "x" + std::to_string(k);
        const HttpReply r = Post("/tables",
                                 "gid=908&nick=" + nick + "&city=Riga&country=1-012&score=" + std::to_string(w * 10 + k) +
                                     "&R7=M&R8=5.7f&R9=#&R10=#*",
                                 "127.0.0." + std::to_string(10 + w % 200));
        if (r.status == 200 && r.body.rfind("$", 0) == 0) {
          ++acknowledged;
          std::lock_guard<std::mutex> hold(lock);
          ++perInstance[Upstream(r)];
        } else {
          ++refused;
        }
      }
    });
  for (auto& t : writers) t.join();
  EXPECT_EQ(refused.load(), 0);
  EXPECT_EQ(acknowledged.load(), kWriters * kEach);
  EXPECT_EQ(perInstance.size(), 3u) << "the writes went through every instance";
  EXPECT_EQ(Query(setup_, "SELECT count(*) FROM records WHERE board = 908"), std::to_string(acknowledged.load()));
  EXPECT_EQ(Query(setup_, "SELECT count(DISTINCT nick) FROM records WHERE board = 908"),
            std::to_string(kWriters * kEach));
  EXPECT_EQ(Post("/tables", "rgid=908", "127.0.0.2").body, "$" + std::to_string(kWriters * kEach) + "\n");

  // Every instance keeps to its documented number of connections, so all fit
  // PostgreSQL's default limit of 100.
  const int open = std::atoi(Query(setup_, "SELECT count(*) FROM pg_stat_activity WHERE datname = 'postgres'").c_str());
  // Per instance: the pool's threads, the version poll and the main thread; then the table process and psql.
  const int bound = int(setup_.http.size()) * (setup_.threads + 2) + 1 + 1;
  EXPECT_GT(open, 0);
  EXPECT_LE(open, bound);
  std::printf("database connections after the writes: %d (bound %d)\n", open, bound);
}

// A second process with table servers on the same database would split the
// players between two servers: it refuses to start.
TEST_F(ScaleOut, ASecondTableProcessIsRefused) {
  const std::string data = MakeTempDir("zarnet-second");
  for (const char* role : {"tables", "all"}) {
    int status = 0;
    const std::string out = Output("timeout 30 " + std::string(ZARNET_SERVICES_BIN) + " --role " + role + " --db '" +
                                       setup_.db + "' --data " + data + " --http 0 --ftp 0 --tables-base " +
                                       std::to_string(setup_.tablesBase + 200),
                                   &status);
    EXPECT_EQ(status, 1) << role << ": " << out;
    EXPECT_NE(out.find("another process runs the table servers"), std::string::npos) << role << ": " << out;
  }
  RemoveTree(data);
}

}  // namespace
}  // namespace zarnet::test
