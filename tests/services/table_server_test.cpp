// Two raw TCP players at one table game server.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <set>
#include <string>

#include "cards.h"
#include "service_fixture.h"

namespace zarnet::test {
namespace {

std::string Frame(const std::string& payload, int seat) {
  std::string f = payload;
  f.resize(19, '#');
  return f + char('0' + seat);
}

class Player {
 public:
  explicit Player(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_port = htons(uint16_t(port));
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    timeval tv{5, 0};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  }
  ~Player() { Close(); }
  bool connected() const { return connected_; }
  void Send(const std::string& bytes) { ASSERT_EQ(send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL), ssize_t(bytes.size())); }
  // Exactly n bytes, or what came before the close or the time-out.
  std::string Read(size_t n) {
    std::string out;
    char buf[512];
    while (out.size() < n) {
      const ssize_t got = recv(fd_, buf, std::min(sizeof buf, n - out.size()), 0);
      if (got <= 0) break;
      out.append(buf, size_t(got));
    }
    return out;
  }
  // True when the server closed the link.
  bool Closed() {
    char c;
    return recv(fd_, &c, 1, 0) == 0;
  }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
  bool connected_ = false;
};

class TableServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start("sqlite"));
    for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service_.RegisterPlayer(nick)) << nick;
  }
  std::string Post(const std::string& path, const std::string& body) { return service_.Post(path, body).body; }
  void TakeSeats(int table) {
    for (int s = 1; s <= 2; ++s) {
      const std::string n = std::to_string(s);
      ASSERT_EQ(Post("/tournament", "clienton" + n + "=0&gid=88&num=" + std::to_string(table) + "&can=1&nick" + n +
                                        "=" + (s == 1 ? "Tom" : "Ada") + "&score" + n + "=0&kon" + n +
                                        "=0&rating" + n + "=0&country" + n + "=Russia&city" + n + "=Omsk&sex" +
                                        n + "=M&ip" + n + "=10.0.0." + n),
                "ok\n");
    }
  }
  std::string Rating(const char* nick) { return Post("/tournament", std::string("readrating88=0&nick=") + nick); }
  std::string SeatNick(int table, int seat) {
    return Post("/tournament", "readclient" + std::to_string(seat) + "=0&gid=88&num=" + std::to_string(table));
  }
  int Port(int table) const { return service_.tablesBase() + table; }

  // Both players connect and receive the first deck; it is returned.
  std::string StartMatch(int table, Player& one, Player& two) {
    TakeSeats(table);
    one.Send(Frame("connect1", 1));
    two.Send(Frame("connect2", 2));
    const std::string deck1 = one.Read(241), deck2 = two.Read(241);
    EXPECT_EQ(deck1, deck2);
    return deck1;
  }

  ServiceProcess service_;
};

TEST_F(TableServer, DealsRelaysAndBooksTheOutcome) {
  Player one(Port(2)), two(Port(2));
  ASSERT_TRUE(one.connected() && two.connected());
  const std::string deck = StartMatch(2, one, two);
  ASSERT_EQ(deck.size(), 241u);
  ASSERT_EQ(deck[0], 'b');
  // Forty different cards, each with its own order and points.
  std::set<int> numbers;
  for (int i = 0; i < 40; ++i) {
    const CardCode c{deck[1 + 2 * i], deck[2 + 2 * i]};
    const CardInfo info = CardInfoOf(c);
    numbers.insert(CardNumberOf(c));
    EXPECT_EQ(std::stoi(deck.substr(81 + 2 * i, 2)), info.order);
    EXPECT_EQ(std::stoi(deck.substr(161 + 2 * i, 2)), info.points);
  }
  EXPECT_EQ(numbers.size(), 40u);
  EXPECT_EQ(numbers.count(0), 0u);

  // Moves and chat go to the other player, with the sender's true seat.
  const std::string move = Frame("hhod" + deck.substr(1, 2), 1);
  one.Send(move);
  EXPECT_EQ(two.Read(20), move);
  two.Send(Frame("shi", 1));  // a wrong seat digit is corrected
  EXPECT_EQ(one.Read(20), Frame("shi", 2));

  one.Send(Frame("bnext", 1));
  const std::string second = one.Read(241);
  EXPECT_EQ(second.size(), 241u);
  EXPECT_EQ(two.Read(241), second);

  // An impossible outcome is not booked; a sound one is, and the seats are freed.
  one.Send(Frame("o  900 -900", 1));
  one.Send(Frame("o   20  -20", 1));
  EXPECT_TRUE(one.Closed());
  EXPECT_TRUE(two.Closed());
  EXPECT_EQ(Rating("Tom"), "$20 2 1016\n");
  EXPECT_EQ(Rating("Ada"), "$-20 2 984\n");
  EXPECT_EQ(SeatNick(2, 1).substr(0, 3), "$X ");
  EXPECT_EQ(SeatNick(2, 2).substr(0, 3), "$X ");
  EXPECT_EQ(Post("/tournament", "top10s88=0&nick=z"), "$1 Tom Omsk Russia M 20*$2 Ada Omsk Russia M -20*\n");
}

TEST_F(TableServer, TimeOutBecomesTAndLeavingGivesA) {
  {
    Player one(Port(5)), two(Port(5));
    StartMatch(5, one, two);
    two.Send(Frame("TOut", 2));
    EXPECT_EQ(one.Read(20), Frame("T", 2));
    EXPECT_TRUE(one.Closed());
  }
  // Ada ran out of time: the rating moves, the score does not.
  EXPECT_EQ(Rating("Tom"), "$0 1 1016\n");
  EXPECT_EQ(Rating("Ada"), "$0 1 984\n");
  {
    Player one(Port(5)), two(Port(5));
    StartMatch(5, one, two);
    one.Close();
    EXPECT_EQ(two.Read(20), Frame("a", 1));
    EXPECT_TRUE(two.Closed());
  }
  EXPECT_EQ(Rating("Ada").substr(0, 5), "$0 2 ");
  EXPECT_EQ(SeatNick(5, 2).substr(0, 3), "$X ");
}

TEST_F(TableServer, RefusesLinksForSeatsNobodyTook) {
  Player stranger(Port(9));
  stranger.Send(Frame("connect1", 1));
  EXPECT_TRUE(stranger.Closed());
  Player noise(Port(9));
  noise.Send(Frame("hnext", 1));
  EXPECT_TRUE(noise.Closed());
}

}  // namespace
}  // namespace zarnet::test
