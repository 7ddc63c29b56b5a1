// Loopback latency of the network play: zarnet-netbot's answer to a move, and
// a table server relaying two frames sent back to back. Each is reported with
// a reference round trip (a bare echo through a loopback socket pair) measured
// in the same run; the peers here are raw sockets writing the message layouts.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <vector>
#include <memory>
#include <string>

#include "service_fixture.h"

namespace {

using Clock = std::chrono::steady_clock;

void NoDelay(int fd) {
  int one = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
  timeval tv{5, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
}

int Connect(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  NoDelay(fd);
  return fd;
}

// A listening socket on a free loopback port.
int Listen(int* port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(fd, 4);
  socklen_t len = sizeof a;
  getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
  *port = ntohs(a.sin_port);
  return fd;
}

void Send(int fd, const std::string& bytes) { send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL); }

std::string Read(int fd, size_t n) {
  std::string out;
  char buf[512];
  while (out.size() < n) {
    const ssize_t got = recv(fd, buf, std::min(sizeof buf, n - out.size()), 0);
    if (got <= 0) break;
    out.append(buf, size_t(got));
  }
  return out;
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

double Seconds(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

// The reference: the median of a byte there and back through a loopback pair
// within one process, in milliseconds.
double EchoMedianMs() {
  int port = 0;
  const int server = Listen(&port);
  const int a = Connect(port);
  const int b = accept(server, nullptr, nullptr);
  NoDelay(b);
  std::vector<double> samples;
  for (int i = 0; i < 200; ++i) {
    const auto start = Clock::now();
    Send(a, "x");
    Send(b, Read(b, 1));
    Read(a, 1);
    samples.push_back(Seconds(start));
  }
  close(a);
  close(b);
  close(server);
  return Median(samples) * 1e3;
}

// The median of the samples, and its ratio to the echo reference.
void Report(benchmark::State& state, const std::vector<double>& samples) {
  const double median = Median(samples) * 1e3, echo = EchoMedianMs();
  state.counters["median_ms"] = median;
  state.counters["echo_ms"] = echo;
  state.counters["median_per_echo"] = echo > 0 ? median / echo : 0;
}

// cp1251 bytes of a card: rank letter, then suit letter.
std::string Card(char rank, char suit) { return std::string{rank, suit}; }
constexpr char kHearts = '\xF7';

// A deck in which the host (cards 4-6 and every draw it makes first) holds
// the eight highest hearts, hearts are trump, and so the host, leading them
// from the top, wins every trick and leads the next.
std::string HostWinsDeck(std::vector<std::string>* leads) {
  const char ranks[] = {'2', '4', '5', '6', '7', '\xC2', '\xC4', '\xCA', '3', '\xD2'};
  const int points[] = {0, 0, 0, 0, 0, 2, 3, 4, 10, 11};
  const char suits[] = {kHearts, '\xE1', '\xEA', '\xEF'};
  std::string deck[41];
  int order[41] = {}, value[41] = {};
  const int hostPlaces[] = {4, 5, 6, 7, 9, 11, 13, 15};
  bool used[41] = {};
  for (int k = 0; k < 8; ++k) {
    const int r = 9 - k;  // ace, three, king, ... five
    deck[hostPlaces[k]] = Card(ranks[r], kHearts);
    order[hostPlaces[k]] = r + 1;
    value[hostPlaces[k]] = points[r];
    used[hostPlaces[k]] = true;
    leads->push_back(deck[hostPlaces[k]]);
  }
  deck[40] = Card('2', kHearts);  // the turned-up trump
  order[40] = 1;
  used[40] = true;
  int place = 1;
  auto nextFree = [&] {
    while (used[place]) ++place;
    used[place] = true;
    return place;
  };
  const int fourOfHearts = nextFree();
  deck[fourOfHearts] = Card('4', kHearts), order[fourOfHearts] = 2;
  for (int s = 1; s < 4; ++s)
    for (int r = 0; r < 10; ++r) {
      const int p = nextFree();
      deck[p] = Card(ranks[r], suits[s]);
      order[p] = r + 1;
      value[p] = points[r];
    }
  std::string m = "b";
  for (int i = 1; i <= 40; ++i) m += deck[i];
  char two[3];
  for (int i = 1; i <= 40; ++i) std::snprintf(two, sizeof two, "%02d", order[i]), m += two;
  for (int i = 1; i <= 40; ++i) std::snprintf(two, sizeof two, "%02d", value[i]), m += two;
  return m + "\xCB\xCB";  // Black Hand and Replace deuce off
}

// The bot as guest: the raw host leads each trick with two frames back to
// back and times the bot's answering play.
void BM_NetbotAnswer(benchmark::State& state) {
  std::vector<std::string> leads;
  const std::string deck = HostWinsDeck(&leads);
  int port = 0;
  const int server = Listen(&port);
  std::unique_ptr<QProcess> bot;
  int host = -1;
  size_t trick = leads.size();
  std::vector<double> samples;
  auto open = [&] {
    if (host >= 0) close(host);
    if (bot) bot->waitForFinished(2000);
    bot = std::make_unique<QProcess>();
    bot->start(ZARNET_NETBOT, {"--guest", "127.0.0.1:" + QString::number(port), "--timeout", "10"});
    host = accept(server, nullptr, nullptr);
    NoDelay(host);
    Read(host, 35);  // the hello
    Send(host, "connect2" + std::string("Bench").append(15, ' '));
    Send(host, deck);
    Send(host, "hsitkon2##");
    trick = 0;
  };
  for (auto _ : state) {
    if (trick == leads.size()) {
      state.PauseTiming();
      open();
      state.ResumeTiming();
    }
    const auto start = Clock::now();
    Send(host, "hhod" + leads[trick] + "####");
    Send(host, "hnext#####");
    const std::string answer = Read(host, 10);
    samples.push_back(Seconds(start));
    state.SetIterationTime(samples.back());
    if (answer.compare(0, 4, "hhod") != 0) {
      state.SkipWithError("the bot did not answer the lead");
      break;
    }
    Send(host, "hslit#####");  // the host led, so it collects
    ++trick;
  }
  if (host >= 0) close(host);
  if (bot) bot->waitForFinished(2000);
  close(server);
  Report(state, samples);
}
BENCHMARK(BM_NetbotAnswer)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

std::string TableFrame(const std::string& payload, int seat) {
  std::string f = payload;
  f.resize(19, '#');
  return f + char('0' + seat);
}

// Two seated players at a table server; seat 1 sends two frames back to back
// and the time is taken until seat 2 has both.
void BM_TableRelayTwoFrames(benchmark::State& state) {
  zarnet::test::ServiceProcess service;
  if (!service.Start("sqlite")) {
    state.SkipWithError("the services did not start");
    return;
  }
  const int table = 3;
  for (int s = 1; s <= 2; ++s) {
    const std::string n = std::to_string(s), nick = s == 1 ? "Tom" : "Ada";
    service.RegisterPlayer(nick);
    service.Post("/tournament", "clienton" + n + "=0&gid=88&num=" + std::to_string(table) + "&can=1&nick" + n + "=" +
                                    nick + "&score" + n + "=0&kon" + n + "=0&rating" + n + "=0&country" + n +
                                    "=Russia&city" + n + "=Omsk&sex" + n + "=M&ip" + n + "=10.0.0." + n);
  }
  const int one = Connect(service.tablesBase() + table), two = Connect(service.tablesBase() + table);
  Send(one, TableFrame("connect1", 1));
  Send(two, TableFrame("connect2", 2));
  if (Read(one, 241).size() != 241 || Read(two, 241).size() != 241) {
    state.SkipWithError("no deal at the table");
    return;
  }
  const std::string first = TableFrame("shello", 1), second = TableFrame("sagain", 1);
  std::vector<double> samples;
  for (auto _ : state) {
    const auto start = Clock::now();
    Send(one, first);
    Send(one, second);
    const std::string got = Read(two, 40);
    samples.push_back(Seconds(start));
    state.SetIterationTime(samples.back());
    if (got.size() != 40) {
      state.SkipWithError("the table did not relay both frames");
      break;
    }
  }
  close(one);
  close(two);
  Report(state, samples);
}
BENCHMARK(BM_TableRelayTwoFrames)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
