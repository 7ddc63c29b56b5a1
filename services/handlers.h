// The four scripts of the game's services: each takes a form body and gives
// the reply text (cp1251) in the form the game reads.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "storage.h"

namespace zarnet::services {

struct ServiceConfig {
  std::string tableAddress = "127.0.0.1";  // where the table game servers are reached
  int tablesBase = 25700;
  std::string dataDir;                     // pause flag files live here
  int64_t chatInterval = 15;               // seconds between two posts of one nick
};

struct Caller {
  std::string address;  // the caller's IP address
  int64_t now = 0;      // seconds since the epoch
};

class Services {
 public:
  Services(Storage& storage, ServiceConfig config) : db_(storage), config_(std::move(config)) {}

  std::string Accounts(std::string_view body, const Caller& caller);
  std::string Tables(std::string_view body, const Caller& caller);
  std::string Statistics(std::string_view body, const Caller& caller);
  std::string Tournament(std::string_view body, const Caller& caller);
  // The directory text for a service reached at `base` ("http://host:port").
  std::string Directory(const std::string& base) const;

  Storage& storage() { return db_; }

 private:
  Storage& db_;
  ServiceConfig config_;
};

// A real number as the game reads it: up to 15 significant digits, a point,
// "0" below 0.00001.
std::string DecimalText(double value);

}  // namespace zarnet::services
