// The built-in addresses with every script and the photos under one base URL
// (a loopback test server, or a dead port for services that answer nothing).
#pragma once

#include <string>

#include "account.h"

namespace zarnet {

inline BuiltInAddresses AddressesAt(const std::string& base) {
  BuiltInAddresses addr = DefaultAddresses();
  addr.scripts = {base + "accounts", base + "statistics", base + "tables"};
  addr.avatars = base + "avatars/";
  return addr;
}

}  // namespace zarnet
