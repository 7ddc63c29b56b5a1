#include <gtest/gtest.h>

#include <algorithm>

#include "service_directory.h"

namespace zarnet {
namespace {

TEST(ServiceDirectory, ValuesRunToTheNextHash) {
  const ServiceDirectory d =
      ParseServiceDirectory("x WTGamesPatt=Qz09#StatPath=Ab12#AccPath=Cd34");
  EXPECT_EQ(d.tablesAddress, "Qz09");
  EXPECT_EQ(d.statisticsAddress, "Ab12");
  EXPECT_EQ(d.accountsAddress, "Cd34");
  EXPECT_FALSE(d.worldTopTenPaused);
  EXPECT_FALSE(d.chatPaused);
}

TEST(ServiceDirectory, PauseFlagsAndMissingKeys) {
  const ServiceDirectory d = ParseServiceDirectory("WTGamesPatt=Qz09#WTGamesPause#CTGamesPause");
  EXPECT_TRUE(d.worldTopTenPaused);
  EXPECT_TRUE(d.chatPaused);
  EXPECT_FALSE(d.tablesAddress.has_value());  // left as it was while paused
  EXPECT_FALSE(d.statisticsAddress.has_value());
  EXPECT_FALSE(ParseServiceDirectory("").accountsAddress.has_value());
}

TEST(InterfaceList, LoopbackIsListedAndWrittenInOneLine) {
  std::vector<InterfaceAddress> list;
  ASSERT_TRUE(ListInterfaces(&list));
  const auto lo = std::find_if(list.begin(), list.end(),
                               [](const InterfaceAddress& a) { return a.loopback; });
  ASSERT_NE(lo, list.end());
  EXPECT_EQ(lo->address, "127.0.0.1");
  EXPECT_EQ(InterfaceLine(*lo).rfind(" IP=127.0.0.1, Mask=255.0.0.0,", 0), 0u);
  const InterfaceAddress a{"10.0.0.5", "255.255.255.0", "10.0.0.255", true, true, false};
  EXPECT_EQ(InterfaceLine(a),
            " IP=10.0.0.5, Mask=255.255.255.0, Broadcast=10.0.0.255, Interface UP, Broadcasts "
            "supported, Network interface\r\n");
  EXPECT_EQ(FirstAddresses(list).size(), 6u);
}

}  // namespace
}  // namespace zarnet
