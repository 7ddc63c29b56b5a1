// The four scripts of the game's services: each takes a form body and gives
// the reply text (cp1251) in the form the game reads.
#pragma once

#include <cstdint>
#include <optional>
#include <mutex>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "storage.h"

namespace zarnet::services {

struct ServiceConfig {
  std::string tableAddress = "127.0.0.1";  // where the table game servers are reached
  int tablesBase = 25700;
  std::string dataDir;                     // pause flag files live here
  int64_t chatInterval = 15;               // seconds between two posts of one nick
  int64_t sessionSeconds = 12 * 3600;      // a login session lasts this long after its last use
  int loginFreeFailures = 5;               // failed logins before the waits begin
  int64_t loginMaxWait = 60;               // the longest wait after failed logins, seconds
};

// Board scores a game can produce: a cycle of 50 deals, each worth at most
// 120 card points and 10 for the majority, or a Black Hand's 120.
inline constexpr int64_t kMaxBoardScore = 50 * 130;

struct Caller {
  std::string address;  // the caller's IP address
  int64_t now = 0;      // seconds since the epoch
};

// Rendered replies by request (script and body bytes), each good while the
// version of its kind of data stays the one it was rendered at.
class ReplyCache {
 public:
  static constexpr size_t kMaxEntries = 4096;  // then it starts afresh
  static constexpr size_t kMaxKey = 256;       // longer requests are not kept

  std::optional<std::string> Find(const std::string& key, Storage& db) const;
  // `version` must be read before the data the reply was rendered from.
  void Keep(const std::string& key, Kept kind, int64_t version, const std::string& reply);

 private:
  struct Entry {
    Kept kind;
    int64_t version;
    std::string reply;
  };
  mutable std::shared_mutex m_;
  std::unordered_map<std::string, Entry> entries_;
};

enum class Script : char { Accounts = 'A', Tables = 'T', Statistics = 'S', Tournament = 'R' };

class Services {
 public:
  Services(Storage& storage, ServiceConfig config) : db_(storage), config_(std::move(config)) {}

  std::string Accounts(std::string_view body, const Caller& caller);
  std::string Tables(std::string_view body, const Caller& caller);
  std::string Statistics(std::string_view body, const Caller& caller);
  std::string Tournament(std::string_view body, const Caller& caller);
  // The directory text for a service reached at `base` ("http://host:port").
  std::string Directory(const std::string& base) const;
  // The kept reply to this request when it is one of the kept reads and still
  // current; cheap enough for the network thread.
  std::optional<std::string> KeptReply(Script script, std::string_view body) const;

  Storage& storage() { return db_; }

 private:
  // A password check, throttled per nick and per address; success opens a
  // session for the nick at the caller's address.
  bool Login(const std::string& nick, const std::string& pw, const Caller& caller, Account* out = nullptr);
  // True when the caller's address holds a session for the nick.
  bool HasSession(const std::string& nick, const Caller& caller);
  void OpenSession(const std::string& nick, const Caller& caller);
  // The reply `render` gives, kept for the same request while `kind` stays unchanged.
  template <class Render>
  std::string KeepReply(Script script, std::string_view body, zarnet::services::Kept kind, Render render);

  Storage& db_;
  ServiceConfig config_;
  ReplyCache kept_;
};

// A real number as the game reads it: up to 15 significant digits, a point,
// "0" below 0.00001.
std::string DecimalText(double value);

}  // namespace zarnet::services
