// Photo uploads through the real FTP server, by a raw FTP client: only a real
// JPEG named after the uploader's own nick is published.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

#include "service_fixture.h"

namespace zarnet::test {
namespace {

class Ftp {
 public:
  Ftp(int port, const std::string& source) : source_(source), fd_(LoopbackConnect(port, source, 10)) {}
  ~Ftp() {
    if (fd_ >= 0) close(fd_);
  }
  bool connected() const { return fd_ >= 0; }
  // The reply code of the last line of a reply.
  int Reply() {
    for (;;) {
      std::string line;
      char c;
      while (recv(fd_, &c, 1, 0) == 1 && c != '\n') line += c;
      if (line.size() < 4) return 0;
      if (line[3] == ' ') {
        last_ = line;
        return std::atoi(line.c_str());
      }
    }
  }
  int Command(const std::string& line) {
    const std::string out = line + "\r\n";
    send(fd_, out.data(), out.size(), MSG_NOSIGNAL);
    return Reply();
  }
  // True when the server closed the control connection (not a silent one).
  bool Closed() {
    char c;
    const ssize_t n = recv(fd_, &c, 1, 0);
    return n == 0 || (n < 0 && errno == ECONNRESET);
  }
  bool Login() {
    return Reply() == 220 && Command("USER zarnetphoto") == 331 && Command("PASS Kv7-photo-up") == 230 &&
           Command("TYPE I") == 200;
  }
  // Stores the bytes; the final reply code of the transfer.
  int Store(const std::string& name, const std::string& bytes) {
    if (Command("PASV") != 227) return 0;
    int h1, h2, h3, h4, p1, p2;
    const size_t open = last_.find('(');
    if (open == std::string::npos ||
        std::sscanf(last_.c_str() + open, "(%d,%d,%d,%d,%d,%d)", &h1, &h2, &h3, &h4, &p1, &p2) != 6)
      return 0;
    const int data = LoopbackConnect(p1 * 256 + p2, source_, 10);
    if (data < 0) return 0;
    const std::string stor = "STOR " + name + "\r\n";
    send(fd_, stor.data(), stor.size(), MSG_NOSIGNAL);
    const int started = Reply();
    if (started != 150 && started != 125) {
      close(data);
      return started;
    }
    for (size_t sent = 0; sent < bytes.size();) {
      const ssize_t n = send(data, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += size_t(n);
    }
    close(data);
    return Reply();
  }

 private:
  std::string source_;
  int fd_;
  std::string last_;
};

std::string Jpeg(int w, int h, Qt::GlobalColor colour) {
  QImage img(w, h, QImage::Format_RGB32);
  img.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  img.save(&buffer, "JPEG");
  return bytes.toStdString();
}

TEST(Photos, OnlyTheOwnersRealJpegIsPublished) {
  if (!std::filesystem::exists("/usr/sbin/pure-ftpd")) GTEST_SKIP() << "pure-ftpd is not installed";
  const int ftpPort = 24000 + int(getpid() % 1000);
  ServiceProcess service;
  ASSERT_TRUE(service.Start("sqlite", "", "--ftp " + std::to_string(ftpPort)));
  ASSERT_TRUE(service.RegisterPlayer("Olga"));               // her session: 127.0.0.1
  ASSERT_TRUE(service.RegisterPlayer("Bob", "127.0.0.2"));   // his: 127.0.0.2
  const auto photo = [&](const std::string& nick) {
    return RawHttp(service.httpPort(), "GET", "/avatars/" + nick + ".jpg", "");
  };
  // One logged-in session per address: a login costs the server a password hash.
  Ftp home(ftpPort, "127.0.0.1"), away(ftpPort, "127.0.0.2");
  ASSERT_TRUE(home.connected() && home.Login());
  ASSERT_TRUE(away.connected() && away.Login());
  const auto store = [&](const std::string& name, const std::string& bytes, const std::string& from = "127.0.0.1") {
    return (from == "127.0.0.1" ? home : away).Store(name, bytes);
  };

  const std::string olga = Jpeg(200, 250, Qt::red);
  ASSERT_EQ(store("Olga.jpg", olga), 226);
  const HttpReply published = photo("Olga");  // at once, as the game reads it back
  EXPECT_EQ(published.status, 200);
  EXPECT_EQ(published.body, olga);

  // Refused, and the published photo stays: another's nick, no JPEG, too big.
  struct Case {
    const char* name;
    std::string bytes;
    const char* from;
  } refused[] = {
      {"Bob.jpg", Jpeg(200, 250, Qt::blue), "127.0.0.1"},
      {"Olga.jpg", Jpeg(200, 250, Qt::green), "127.0.0.2"},
      {"Olga.jpg", "MZ not a picture", "127.0.0.1"},
      {"Olga.jpg", "\xFF\xD8\xFF" + std::string(300 * 1024, 'x'), "127.0.0.1"},
      {"notes.txt", "hello", "127.0.0.1"},
  };
  for (const Case& c : refused) {
    SCOPED_TRACE(c.name + std::string(" from ") + c.from);
    store(c.name, c.bytes, c.from);
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // past the next tick
    EXPECT_EQ(photo("Olga").body, olga);
    EXPECT_EQ(photo("Bob").status, 404);
    EXPECT_FALSE(std::filesystem::exists(service.dataDir() + "/ftp/inbox/" + c.name));
  }
  // The owner, from his own address.
  const std::string bob = Jpeg(200, 250, Qt::blue);
  ASSERT_EQ(store("Bob.jpg", bob, "127.0.0.2"), 226);
  EXPECT_EQ(photo("Bob").body, bob);

  // A flood does not fit the inbox's quota and leaves nothing behind.
  EXPECT_NE(store("big.jpg", std::string(8 * 1024 * 1024, 'x')), 226);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  size_t kept = 0;
  for (const auto& e : std::filesystem::recursive_directory_iterator(service.dataDir()))
    if (e.is_regular_file()) kept = std::max<size_t>(kept, e.file_size());
  EXPECT_LT(kept, 4u * 1024 * 1024) << "no file near the flood's size stays";
}

// True when nothing listens on the loopback port (a listener refuses the bind
// even with SO_REUSEADDR, which only lets old connections' ports be reused).
bool PortFree(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const int one = 1;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(uint16_t(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool free = bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
  close(fd);
  return free;
}

TEST(Photos, KilledServicesLeaveNoFtpServerBehind) {
  if (!std::filesystem::exists("/usr/sbin/pure-ftpd")) GTEST_SKIP() << "pure-ftpd is not installed";
  const int ftpPort = 23000 + int(getpid() % 1000);
  const std::string data = MakeTempDir("zarnet-photos");
  ServiceProcess first;
  ASSERT_TRUE(first.Start("sqlite", data, "--ftp " + std::to_string(ftpPort)));
  ASSERT_TRUE(first.RegisterPlayer("Olga"));
  Ftp before(ftpPort, "127.0.0.1");  // logged in: a process of its own serves it
  ASSERT_TRUE(before.connected() && before.Login());

  first.Kill();
  bool free = false;
  for (int i = 0; i < 50 && !(free = PortFree(ftpPort)); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(free) << "the FTP daemon outlived the killed services";

  ServiceProcess second;
  ASSERT_TRUE(second.Start("sqlite", data, "--ftp " + std::to_string(ftpPort)));
  EXPECT_TRUE(before.Closed()) << "the old run's client is still served";
  Ftp after(ftpPort, "127.0.0.1");
  ASSERT_TRUE(after.connected() && after.Login());
  const std::string olga = Jpeg(120, 150, Qt::red);
  ASSERT_EQ(after.Store("Olga.jpg", olga), 226);
  const HttpReply photo = RawHttp(second.httpPort(), "GET", "/avatars/Olga.jpg", "");
  EXPECT_EQ(photo.status, 200);
  EXPECT_EQ(photo.body, olga);
  second.Stop();
  RemoveTree(data);
}

}  // namespace
}  // namespace zarnet::test
