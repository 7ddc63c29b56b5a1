#include "caller.h"

#include <arpa/inet.h>

#include <algorithm>
#include <cstring>

namespace zarnet::services {

std::optional<std::string> CanonicalAddress(const std::string& text) {
  if (text.empty() || text.size() >= INET6_ADDRSTRLEN) return std::nullopt;
  char out[INET6_ADDRSTRLEN];
  in_addr v4{};
  if (inet_pton(AF_INET, text.c_str(), &v4) == 1) return std::string(inet_ntop(AF_INET, &v4, out, sizeof out));
  in6_addr v6{};
  if (inet_pton(AF_INET6, text.c_str(), &v6) != 1) return std::nullopt;
  if (IN6_IS_ADDR_V4MAPPED(&v6)) {
    std::memcpy(&v4, v6.s6_addr + 12, 4);
    return std::string(inet_ntop(AF_INET, &v4, out, sizeof out));
  }
  return std::string(inet_ntop(AF_INET6, &v6, out, sizeof out));
}

std::optional<std::string> CallerAddress(const std::string& peer, const std::string& forwarded,
                                         const std::vector<std::string>& proxies) {
  const auto self = CanonicalAddress(peer);
  if (!self) return std::nullopt;
  if (std::find(proxies.begin(), proxies.end(), *self) == proxies.end()) return self;
  return CanonicalAddress(forwarded);
}

}  // namespace zarnet::services
