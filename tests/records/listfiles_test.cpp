#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>

#include "player_list.h"
#include "temp_dir.h"

namespace zarnet {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

int RunTool(const std::string& dir) {
  return std::system((std::string(ZARNET_LISTFILES_TOOL) + " '" + dir + "'").c_str());
}

TEST(ListFilesTool, WritesValidListsAndLeavesAPlayersOnesAlone) {
  TempDir dir;
  const std::string club = dir.File(kClubListName);
  const std::string net = dir.File(kNetListName);
  WriteText(club, "a player's list");
  ASSERT_EQ(RunTool(dir.path()), 0);
  EXPECT_EQ(ReadText(club), "a player's list");
  ASSERT_EQ(CheckPlayerList(net).status, ListStatus::Ok);
  // The list holds passwords: its owner's alone.
  struct stat st{};
  ASSERT_EQ(stat(net.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);

  const ListLines lines = *ParsePlayerList(ReadText(net));
  for (int i = 1; i <= 5; ++i) EXPECT_EQ(lines[i], kEmptyPlayerLine);
  for (int i = 7; i <= 15; ++i) {
    EXPECT_GE(std::stoi(lines[i - 1].substr(20)), std::stoi(lines[i].substr(20)));
  }
  EXPECT_FALSE(CheckPlayerList(net).russian);
  EXPECT_NE(RunTool(dir.File("no such folder")), 0);
}

}  // namespace
}  // namespace zarnet
