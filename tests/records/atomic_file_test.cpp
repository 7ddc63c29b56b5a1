#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "atomic_file.h"
#include "temp_dir.h"

namespace zarnet {
namespace {

using testing::ReadText;
using testing::TempDir;
using testing::WriteText;

mode_t ModeOf(const std::string& path) {
  struct stat st{};
  stat(path.c_str(), &st);
  return st.st_mode & 07777;
}

TEST(ReplaceFile, KeepsTheModeAndOwnerOfTheFileItReplaces) {
  TempDir dir;
  const std::string path = dir.File("list");
  ASSERT_TRUE(ReplaceFile(path, "one", 0600));
  EXPECT_EQ(ModeOf(path), 0600u);
  ASSERT_EQ(chmod(path.c_str(), 0640), 0);
  ASSERT_TRUE(ReplaceFile(path, "two"));
  EXPECT_EQ(ReadText(path), "two");
  EXPECT_EQ(ModeOf(path), 0640u);
  if (geteuid() == 0) {
    // Root rewriting a player's file leaves it the player's.
    ASSERT_EQ(chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(ReplaceFile(path, "three"));
    struct stat st{};
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
  }
}

TEST(ReplaceFile, RefusesWhatIsNoPlainFileAndLeavesIt) {
  TempDir dir;
  const std::string path = dir.File("ini");
  std::filesystem::create_directory(path);
  WriteText(path + "/inside", "kept");
  EXPECT_FALSE(ReplaceFile(path, "x"));
  EXPECT_EQ(ReadText(path + "/inside"), "kept");
  EXPECT_FALSE(std::filesystem::exists(TemporaryPathFor(path)));
  // A link where the temporary file goes is not followed.
  const std::string file = dir.File("file");
  std::filesystem::create_symlink(dir.File("elsewhere"), TemporaryPathFor(file));
  EXPECT_FALSE(ReplaceFile(file, "x"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("elsewhere")));
}

TEST(ReplaceFile, StrayTemporariesGoAndEverythingElseStays) {
  TempDir dir;
  WriteText(dir.File("Zarnet.clb.new~"), "half");
  WriteText(dir.File("Zarnet.clb"), "whole");
  WriteText(dir.File("notes.new"), "mine");
  std::filesystem::create_directory(dir.File("folder.new~"));
  RemoveStrayTemporaries(dir.path());
  EXPECT_FALSE(std::filesystem::exists(dir.File("Zarnet.clb.new~")));
  EXPECT_EQ(ReadText(dir.File("Zarnet.clb")), "whole");
  EXPECT_TRUE(std::filesystem::exists(dir.File("notes.new")));
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.new~")));

  WriteText(dir.File("KuvUser.kuv.new~"), "half");
  WriteText(dir.File("other.new~"), "not ours");
  RemoveStrayTemporaryOf(dir.File("KuvUser.kuv"));
  EXPECT_FALSE(std::filesystem::exists(dir.File("KuvUser.kuv.new~")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("other.new~")));
}

}  // namespace
}  // namespace zarnet
