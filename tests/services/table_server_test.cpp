// Raw TCP players at the table game servers: honest matches, cheats and floods.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <memory>
#include <cstdio>
#include <fstream>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "cards.h"
#include "service_fixture.h"
#include "table_players.h"

namespace zarnet::test {
namespace {

class TableServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start("sqlite"));
    for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service_.RegisterPlayer(nick)) << nick;
  }
  std::string Post(const std::string& path, const std::string& body, const std::string& source = "127.0.0.1") {
    return service_.Post(path, body, source).body;
  }
  std::string SetSeat(int table, int seat, const std::string& nick, const std::string& source = "127.0.0.1") {
    const std::string n = std::to_string(seat);
    return Post("/tournament", "clienton" + n + "=0&gid=88&num=" + std::to_string(table) + "&can=1&nick" + n + "=" +
                                   nick + "&score" + n + "=0&kon" + n + "=0&rating" + n + "=0&country" + n +
                                   "=Russia&city" + n + "=Omsk&sex" + n + "=M&ip" + n + "=10.0.0." + n,
                source);
  }
  void TakeSeats(int table, const std::string& nick1 = "Tom", const std::string& nick2 = "Ada",
                 const std::string& source = "127.0.0.1") {
    ASSERT_EQ(SetSeat(table, 1, nick1, source), "ok\n");
    ASSERT_EQ(SetSeat(table, 2, nick2, source), "ok\n");
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

  // A whole honest match; the scores as the players count them.
  void PlayMatch(int table, Player& one, Player& two, int score[3]) {
    Player* seats[3] = {nullptr, &one, &two};
    std::string deck = StartMatch(table, one, two);
    for (int deal = 1; deal <= 2; ++deal) {
      ASSERT_EQ(deck.size(), 241u);
      HonestDeal(deck, deal).Play(seats, score);
      if (deal == 1) {
        one.Send(Frame("bnext", 1));
        deck = one.ReadDeck();
        ASSERT_EQ(two.ReadDeck(), deck);
      }
    }
  }

  static std::string Outcome(int d1) {
    char text[20];
    std::snprintf(text, sizeof text, "o%5d%5d", d1, -d1);
    return text;
  }

  ServiceProcess service_;
};

TEST_F(TableServer, DealsRelaysAndBooksThePlayedOutcome) {
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

  // Chat goes to the other player, with the sender's true seat.
  two.Send(Frame("shi", 1));
  EXPECT_EQ(one.Read(20), Frame("shi", 2));
  // Neither a next deal nor an outcome in the middle of a deal: the play goes on.
  one.Send(Frame("bnext", 1));
  one.Send(Frame(Outcome(260), 1));

  Player* seats[3] = {nullptr, &one, &two};
  int score[3] = {0, 0, 0};
  HonestDeal(deck, 1).Play(seats, score);
  one.Send(Frame("bnext", 1));
  const std::string second = one.ReadDeck();
  ASSERT_EQ(second.size(), 241u);
  EXPECT_EQ(two.ReadDeck(), second);
  HonestDeal(second, 2).Play(seats, score);

  // Seat 1 claims more than it played: the play is booked, not the claim.
  const int d1 = score[1] - score[2];
  one.Send(Frame(Outcome(d1 >= 0 ? -260 : 260), 1));
  EXPECT_TRUE(one.Closed());
  EXPECT_TRUE(two.Closed());
  const char* elo1 = d1 > 0 ? "1016" : d1 < 0 ? "984" : "1000";
  const char* elo2 = d1 > 0 ? "984" : d1 < 0 ? "1016" : "1000";
  EXPECT_EQ(Rating("Tom"), "$" + std::to_string(d1) + " 2 " + elo1 + "\n");
  EXPECT_EQ(Rating("Ada"), "$" + std::to_string(-d1) + " 2 " + elo2 + "\n");
  EXPECT_EQ(SeatNick(2, 1).substr(0, 3), "$X ");
  EXPECT_EQ(SeatNick(2, 2).substr(0, 3), "$X ");
}

TEST_F(TableServer, AnHonestOutcomeFrameEndsTheMatch) {
  Player one(Port(3)), two(Port(3));
  int score[3] = {0, 0, 0};
  PlayMatch(3, one, two, score);
  one.Send(Frame(Outcome(score[1] - score[2]), 1));
  EXPECT_TRUE(one.Closed());
  EXPECT_TRUE(two.Closed());
  EXPECT_EQ(Rating("Tom").substr(0, 1 + std::to_string(score[1] - score[2]).size() + 3),
            "$" + std::to_string(score[1] - score[2]) + " 2 ");
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

TEST_F(TableServer, LinksOnlyForTheBookersSeat) {
  Player stranger(Port(9));
  stranger.Send(Frame("connect1", 1));
  EXPECT_TRUE(stranger.Closed());
  Player noise(Port(9));
  noise.Send(Frame("hnext", 1));
  EXPECT_TRUE(noise.Closed());

  // Seats booked from 127.0.0.1: a link from elsewhere may not play them,
  // and a seat already linked takes no second link.
  TakeSeats(9);
  Player thief(Port(9), "127.0.0.7");
  thief.Send(Frame("connect1", 1));
  EXPECT_TRUE(thief.Closed());
  Player one(Port(9));
  one.Send(Frame("connect1", 1));
  Player again(Port(9));
  again.Send(Frame("connect1", 1));
  EXPECT_TRUE(again.Closed());
  Player two(Port(9));
  two.Send(Frame("connect2", 2));
  EXPECT_EQ(one.Read(241).size(), 241u);
  EXPECT_EQ(two.Read(241).size(), 241u);
}

// A player who leaves through the lobby mid-match frees his seat; the booking
// at the end frees the match's players, not whoever took that seat since.
TEST_F(TableServer, TheBookingLeavesANewTakersSeat) {
  Player one(Port(7)), two(Port(7));
  ASSERT_EQ(StartMatch(7, one, two).size(), 241u);
  ASSERT_EQ(Post("/tournament", "clienton2=0&gid=88&num=7&can=2&nick2=Ada&score2=0&kon2=0&rating2=0&country2=X"
                                "&city2=X&sex2=X&ip2=X"),
            "ok\n");
  ASSERT_TRUE(service_.RegisterPlayer("Bob"));
  ASSERT_EQ(SetSeat(7, 2, "Bob"), "ok\n");
  one.Send(Frame("disA", 1));  // seat 1 walks away: the match is booked as a forfeit
  EXPECT_TRUE(two.Closed());
  EXPECT_EQ(Rating("Ada"), "$0 1 1016\n") << "the forfeit is booked once, for the players of the match";
  EXPECT_EQ(SeatNick(7, 1).substr(0, 3), "$X ");
  EXPECT_EQ(SeatNick(7, 2).substr(0, 5), "$Bob ");
}

TEST_F(TableServer, AnIllegalMoveForfeitsTheMatch) {
  // Deal 1: table seat 1 leads and holds deck cards 1..3, seat 2 holds 4..6.
  struct Case {
    const char* name;
    int mover;
    std::vector<std::pair<int, std::string>> moves;  // seat, payload; "@k" is deck card k
  } cases[] = {
      {"a card the mover does not hold", 1, {{1, "hsitkon2"}, {1, "hhod@4"}}},
      {"a card out of turn", 2, {{1, "hsitkon2"}, {2, "hhod@4"}}},
      {"a card before the deal begins", 1, {{1, "hhod@1"}}},
      {"the deal begun by the seat that does not lead", 2, {{2, "hsitkon2"}}},
      {"an answer before the lead is finished", 2, {{1, "hsitkon2"}, {1, "hhod@1"}, {2, "hhod@4"}}},
      {"a trick collected before the answer", 1, {{1, "hsitkon2"}, {1, "hhod@1"}, {1, "hnext"}, {1, "hslit"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = Rating(c.mover == 1 ? "Tom" : "Ada");
    Player one(Port(4)), two(Port(4));
    Player* seats[3] = {nullptr, &one, &two};
    const std::string deck = StartMatch(4, one, two);
    ASSERT_EQ(deck.size(), 241u);
    for (const auto& [seat, payload] : c.moves) {
      std::string p = payload;
      if (p.find('@') != std::string::npos) p = p.substr(0, 4) + deck.substr(1 + 2 * (std::stoi(p.substr(5)) - 1), 2);
      seats[seat]->Send(Frame(p, seat));
    }
    // The other player hears of an abandoned match, and both links close.
    std::string heard;
    for (std::string f = seats[3 - c.mover]->Read(20); f.size() == 20; f = seats[3 - c.mover]->Read(20)) heard = f;
    EXPECT_EQ(heard, Frame("a", c.mover));
    EXPECT_TRUE(seats[c.mover]->Closed());
    const std::string after = Rating(c.mover == 1 ? "Tom" : "Ada");
    EXPECT_LT(std::stoi(after.substr(after.rfind(' '))), std::stoi(before.substr(before.rfind(' '))));
    EXPECT_EQ(after.substr(0, 3), "$0 ") << "a forfeit books no score";
  }
}

// With a two-second move clock: a player who stalls loses on time after
// three seconds, and a half frame is dropped with its link after two.
TEST_F(TableServer, StallsAndHalfFramesEndOnTheServersClock) {
  service_.Stop();
  ASSERT_TRUE(service_.Start("sqlite", "", "--move-seconds 2"));
  for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service_.RegisterPlayer(nick));
  {
    Player one(Port(6)), two(Port(6));
    StartMatch(6, one, two);  // seat 1 should begin the deal, and does not
    EXPECT_EQ(two.Read(20), Frame("T", 1));
    EXPECT_TRUE(one.Closed());
  }
  EXPECT_EQ(Rating("Tom"), "$0 1 984\n");
  {
    Player one(Port(6)), two(Port(6));
    StartMatch(6, one, two);
    two.Send("shi");
    EXPECT_EQ(one.Read(20), Frame("a", 2));
    EXPECT_TRUE(two.Closed());
  }
  EXPECT_EQ(Rating("Ada").substr(0, 5), "$0 2 ");
}

long ResidentKiB(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  return -1;
}

// Bounded: 2,000 idle links and a 200 MB flood toward a player who does not
// read, against a service held to 1,024 open files as a service manager sets it.
TEST_F(TableServer, IdleLinksAndAnUnreadFloodLeaveTheOtherTablesPlaying) {
  service_.Stop();
  service_.fileLimit = 1024;
  ASSERT_TRUE(service_.Start("sqlite"));
  for (const char* nick : {"Tom", "Ada"}) ASSERT_TRUE(service_.RegisterPlayer(nick));
  for (const char* nick : {"Eve", "Mal"}) ASSERT_TRUE(service_.RegisterPlayer(nick, "127.0.0.9"));
  const long startKiB = ResidentKiB(service_.pid());

  // Idle links from 250 addresses, eight each, spread over the ten tables.
  std::vector<std::unique_ptr<Player>> idle;
  for (int i = 0; i < 2000; ++i) {
    const std::string source = "127.0.1." + std::to_string(1 + i / 8);
    idle.push_back(std::make_unique<Player>(Port(1 + i % 10), source));
  }
  // A ninth link from an address with eight is refused at once.
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Player ninth(Port(1), "127.0.1.250");
  EXPECT_TRUE(ninth.Closed());

  // The flood: Eve floods the chat toward Mal, who never reads.
  TakeSeats(7, "Eve", "Mal", "127.0.0.9");
  Player eve(Port(7), "127.0.0.9"), mal(Port(7), "127.0.0.9");
  ASSERT_TRUE(eve.connected() && mal.connected());
  eve.Send(Frame("connect1", 1));
  mal.Send(Frame("connect2", 2));
  ASSERT_EQ(eve.Read(241).size(), 241u);
  std::string chunk;
  for (int i = 0; i < 3200; ++i) chunk += Frame("sflood", 1);  // 64,000 bytes
  size_t flooded = 0;
  bool cut = false;
  while (flooded < 200u * 1000 * 1000) {
    const ssize_t n = send(eve.fd(), chunk.data(), chunk.size(), MSG_NOSIGNAL);
    if (n <= 0) {
      cut = true;
      break;
    }
    flooded += size_t(n);
  }
  EXPECT_TRUE(cut) << "the server went on taking the flood: " << flooded << " bytes";
  EXPECT_EQ(Rating("Mal").substr(0, 5), "$0 1 ") << "the player who stopped reading lost the match";

  // Meanwhile another table plays a whole match and HTTP answers.
  EXPECT_EQ(RawHttp(service_.httpPort(), "GET", "/get_ip.php", "").status, 200);
  {
    Player one(Port(3)), two(Port(3));
    int score[3] = {0, 0, 0};
    PlayMatch(3, one, two, score);
    one.Send(Frame(Outcome(score[1] - score[2]), 1));
    EXPECT_TRUE(two.Closed());
  }
  EXPECT_EQ(Rating("Tom").substr(0, 1), "$");
  EXPECT_NE(Rating("Tom").find(" 2 "), std::string::npos);

  const long grownKiB = ResidentKiB(service_.pid()) - startKiB;
  EXPECT_LT(grownKiB, 32 * 1024) << "the service grew by " << grownKiB << " KiB";
  std::printf("flood cut after %zu bytes; the service grew by %ld KiB\n", flooded, grownKiB);

  // Links that never say "connect" are closed after ten seconds.
  std::this_thread::sleep_for(std::chrono::seconds(11));
  int open = 0;
  for (auto& p : idle) {
    char c;
    timeval tv{0, 1000};
    setsockopt(p->fd(), SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
    if (p->connected() && recv(p->fd(), &c, 1, 0) < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) ++open;
  }
  EXPECT_EQ(open, 0);
}

}  // namespace
}  // namespace zarnet::test
