// Who is calling: the peer itself, or, behind a balancer the services trust,
// the address that balancer forwards.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace zarnet::services {

// The address in the form sessions and seats keep: canonical text, and an
// IPv4 address mapped into IPv6 written as plain IPv4 (as the table servers
// write it). Nothing when the text is no address.
std::optional<std::string> CanonicalAddress(const std::string& text);

// The caller of a request from `peer`. A peer listed in `proxies` must send the
// caller in `forwarded` (the X-Real-IP header); nothing when it is missing or
// no address, so a misconfigured balancer cannot bind every session to itself.
std::optional<std::string> CallerAddress(const std::string& peer, const std::string& forwarded,
                                         const std::vector<std::string>& proxies);

}  // namespace zarnet::services
