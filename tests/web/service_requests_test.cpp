#include <gtest/gtest.h>

#include <httplib.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "service_requests.h"

namespace zarnet {
namespace {

TEST(AccountReplies, RecordFieldsInTheirPlaces) {
  TKuvUser u;
  ApplyAccountRecord("$Omsk Russia 1-001 W a@b.c 01.02.2024 xxx xxx xxx 125 0 0$", &u);
  EXPECT_EQ(u.City, "Omsk");
  EXPECT_EQ(u.Country2, "1-001");
  EXPECT_EQ(u.Sex, 'W');
  EXPECT_EQ(u.DateR, "01.02.2024");
  EXPECT_EQ(u.R04, 125);
  TKuvGame g;
  ApplyGameResults("$120 310 1523,75 2 20 -15 0 #$", &g);
  EXPECT_EQ(g.Kon, 120);
  EXPECT_EQ(g.Best, 310);
  EXPECT_DOUBLE_EQ(g.Rating, 1523.75);
  EXPECT_EQ(g.KonL, 20);
  EXPECT_EQ(g.Score, -15);
}

TEST(AccountReplies, TopTenTakesTenAndKeepsTheRest) {
  std::string reply;
  for (int i = 1; i <= 12; ++i) reply += "$" + std::to_string(i) + " n" + std::to_string(i) + " c x 1-00" + std::to_string(i % 10) + " W 15" + std::to_string(i) + ".5*";
  reply += "\n";
  TopTenList top;
  ApplyTopTen(reply, &top);
  EXPECT_EQ(top[10].Nick, "n10");
  EXPECT_EQ(top[1].Country, "1-001");  // field 5 overwrites field 4
  EXPECT_EQ(top[1].Sex, 'W');
  EXPECT_DOUBLE_EQ(top[1].Rating, 151.5);
  TopTenList few;
  ApplyTopTen("$1 a c x 1-001 W 10*$2 b c x 1-001 W 9*$3 c c x 1-001 W 8*\n", &few);
  EXPECT_EQ(few[4].Sex, 'M');
  EXPECT_EQ(few[4].Rating, 0.0);
}

TEST(RecordReplies, BoardRowsAndStatistics) {
  RecordList list;
  ApplyRecordList("$1 77 412 Anna 1-001 Omsk M 5.7f 21:05_Zarnet hello*\n", 808, &list);
  EXPECT_EQ(list[1].Place, 1);
  EXPECT_EQ(list[1].Score, 412);
  EXPECT_EQ(list[1].Nick, "Anna");
  EXPECT_EQ(list[1].R10, "hello");
  EXPECT_EQ(list[2].GID, 808);
  EXPECT_EQ(list[2].R10, "#*");
  TKuvStat s;
  ApplyStatistics("$10 7 3 Anna 1 2 3 4 5 6 7 8 9 10 11 12 0 z*\n", &s);
  EXPECT_EQ(s.Stat1, 10);
  EXPECT_EQ(s.Stat4, "Anna");
  EXPECT_EQ(s.StatX[1], 1);
  EXPECT_EQ(s.StatX[12], 12);
  EXPECT_EQ(s.StatZ, "z");
  const TInfo14 p = ProfileFromReply("$Ann~Lee~hi~~~site~sk$");
  EXPECT_EQ(p.Name2, "Lee");
  EXPECT_EQ(p.WebSite, "site");
  EXPECT_EQ(p.Skype, "sk");
  EXPECT_EQ(ProfileFromReply("no").Name1, "");
}

TEST(WebServices, RegistrationOverLoopback) {
  httplib::Server server;
  std::string body;
  server.Post("/accounts", [&](const httplib::Request& req, httplib::Response& res) {
    body = req.body;
    res.set_header("Connection", "close");
    res.set_content(body.find("nick=Taken") != std::string::npos ? "is." : "ok.", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread t([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ServiceClient client;
  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  WebServices web(client, {base + "/accounts", base + "/statistics", base + "/tables"});
  TKuvUser u;
  u.Nick = "Anna";
  u.Pw = "secret";
  u.City = "Omsk";
  EXPECT_EQ(web.RegisterAccount(u), 0);
  EXPECT_EQ(body,
            "nick=Anna&pw=secret&city=Omsk&country1=Russia&country2=1-001&sex=M&email=#&"
            "dater=00.00.0000&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0");
  u.Nick = "Taken";
  EXPECT_EQ(web.RegisterAccount(u), 1);
  server.stop();
  t.join();
  EXPECT_EQ(web.RegisterAccount(u), 2);  // nobody answers
}

// Accepts connections and reads them, never answering, until it is
// destroyed; a client without a read time-out would wait for it.
class SilentServer {
 public:
  SilentServer() {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &n);
    port = ntohs(a.sin_port);
    listen(fd_, 8);
    thread_ = std::thread([this] {
      while (!stop_) {
        const int c = accept(fd_, nullptr, nullptr);
        if (c < 0) break;
        clients_.push_back(c);
      }
    });
  }
  ~SilentServer() {
    stop_ = true;
    shutdown(fd_, SHUT_RDWR);
    close(fd_);
    thread_.join();
    for (int c : clients_) close(c);
  }
  int port = 0;

 private:
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::vector<int> clients_;
  std::thread thread_;
};

TEST(WebServices, RecordsListLeavesTheThreeSecondTimeOutOnTheSharedClient) {
  SilentServer silent;
  const std::string base = "http://127.0.0.1:" + std::to_string(silent.port);
  ServiceClient client;
  WebServices web(client, {base + "/accounts", base + "/statistics", base + "/tables"});
  RecordList list;
  EXPECT_FALSE(web.ReadRecords(808, &list));
  EXPECT_EQ(client.ReadTimeoutMs(), 3000);
  TKuvUser u;
  u.Nick = "Anna";
  u.Pw = "pass1";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(web.ReadAccount(&u));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, std::chrono::milliseconds(2500));
  EXPECT_LT(waited, std::chrono::milliseconds(6000));
  EXPECT_EQ(u.City, "#");  // the initial values stay
}

TEST(WebServices, CyrillicGoesEscapedInTheListFormAndRawInTheTextForm) {
  httplib::Server server;
  std::vector<std::string> bodies;
  server.Post("/accounts", [&](const httplib::Request& req, httplib::Response& res) {
    bodies.push_back(req.body);
    res.set_header("Connection", "close");
    res.set_content("no\n", "text/plain");
  });
  const int port = server.bind_to_any_port("127.0.0.1");
  std::thread t([&] { server.listen_after_bind(); });
  while (!server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ServiceClient client;
  const std::string base = "http://127.0.0.1:" + std::to_string(port);
  WebServices web(client, {base + "/accounts", base + "/statistics", base + "/tables"});
  const std::string ivan = "\xC8\xE2\xE0\xED";  // cp1251
  TKuvUser u;
  u.Nick = ivan;
  u.Pw = "a b";
  web.ReadAccount(&u);
  web.ReadProfile(ivan);
  TInfo14 info;
  info.About = ivan + " $x~";
  web.SaveProfile("Anna", "pass1", info);
  server.stop();
  t.join();
  ASSERT_EQ(bodies.size(), 3u);
  EXPECT_EQ(bodies[0], "nick=%D0%98%D0%B2%D0%B0%D0%BD&pw=a+b&label0=0");
  EXPECT_EQ(bodies[1], "nick=%D0%98%D0%B2%D0%B0%D0%BD&labelinforead=0");
  EXPECT_NE(bodies[2].find("&about=" + ivan + "  x &"), std::string::npos) << bodies[2];
  EXPECT_EQ(bodies[2].rfind("nick=Anna&pw=pass1&labelinfosave=0&namei=&", 0), 0u);
}

}  // namespace
}  // namespace zarnet
