// The service directory read at start-up, and the machine's own addresses.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zarnet {

struct ServiceDirectory {
  std::optional<std::string> tablesAddress;  // WTGamesPatt, still enciphered
  std::optional<std::string> statisticsAddress;  // StatPath
  std::optional<std::string> accountsAddress;    // AccPath
  bool worldTopTenPaused = false;                // WTGamesPause
  bool chatPaused = false;                       // CTGamesPause
};

// A key's value starts one character after the key and runs to the next "#"
// or the end of the text.
std::optional<std::string> DirectoryValue(std::string_view text, std::string_view key);
ServiceDirectory ParseServiceDirectory(std::string_view utf8);

struct InterfaceAddress {
  std::string address;
  std::string mask;
  std::string broadcast;
  bool up = false;
  bool broadcasts = false;
  bool loopback = false;
};

// The IPv4 interfaces of this machine; false when they cannot be listed.
bool ListInterfaces(std::vector<InterfaceAddress>* out);
// " IP=a, Mask=m, Broadcast=b, Interface UP, Broadcasts supported, Network interface\r\n"
std::string InterfaceLine(const InterfaceAddress& a);
// The addresses of the first six interfaces, for the dialog's six boxes.
std::vector<std::string> FirstAddresses(const std::vector<InterfaceAddress>& list);

}  // namespace zarnet
