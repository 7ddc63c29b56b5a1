#include "service_directory.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

namespace zarnet {

std::optional<std::string> DirectoryValue(std::string_view text, std::string_view key) {
  const size_t at = text.find(key);
  if (at == std::string_view::npos) return std::nullopt;
  const size_t start = at + key.size() + 1;  // skip the separator after the key
  if (start > text.size()) return std::string();
  const size_t end = text.find('#', start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

ServiceDirectory ParseServiceDirectory(std::string_view text) {
  ServiceDirectory d;
  d.worldTopTenPaused = text.find("WTGamesPause") != std::string_view::npos;
  d.chatPaused = text.find("CTGamesPause") != std::string_view::npos;
  // A paused world top ten leaves the tables address as it was.
  if (!d.worldTopTenPaused) d.tablesAddress = DirectoryValue(text, "WTGamesPatt");
  d.statisticsAddress = DirectoryValue(text, "StatPath");
  d.accountsAddress = DirectoryValue(text, "AccPath");
  return d;
}

namespace {

std::string Text(const sockaddr* a) {
  if (!a || a->sa_family != AF_INET) return {};
  char buf[INET_ADDRSTRLEN] = {};
  inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(a)->sin_addr, buf, sizeof buf);
  return buf;
}

}  // namespace

bool ListInterfaces(std::vector<InterfaceAddress>* out) {
  out->clear();
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return false;
  for (ifaddrs* i = list; i; i = i->ifa_next) {
    if (!i->ifa_addr || i->ifa_addr->sa_family != AF_INET) continue;
    InterfaceAddress a;
    a.address = Text(i->ifa_addr);
    a.mask = Text(i->ifa_netmask);
    a.broadcasts = (i->ifa_flags & IFF_BROADCAST) != 0;
    a.broadcast = a.broadcasts ? Text(i->ifa_broadaddr) : std::string();
    a.up = (i->ifa_flags & IFF_UP) != 0;
    a.loopback = (i->ifa_flags & IFF_LOOPBACK) != 0;
    out->push_back(a);
  }
  freeifaddrs(list);
  return true;
}

std::string InterfaceLine(const InterfaceAddress& a) {
  return " IP=" + a.address + ", Mask=" + a.mask + ", Broadcast=" + a.broadcast + "," +
         (a.up ? " Interface UP," : " Interface DOWN,") +
         (a.broadcasts ? " Broadcasts supported," : " Broadcasts NOT supported,") +
         (a.loopback ? " Loopback interface" : " Network interface") + "\r\n";
}

std::vector<std::string> FirstAddresses(const std::vector<InterfaceAddress>& list) {
  std::vector<std::string> boxes(6);
  for (size_t i = 0; i < list.size() && i < 6; ++i) boxes[i] = list[i].address;
  return boxes;
}

}  // namespace zarnet
