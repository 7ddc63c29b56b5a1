// The program folder in the build tree and in an installation's prefix.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <vector>

#include "program_folder.h"

using namespace zarnet;

namespace {

bool Write(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).path());
  QFile f(path);
  return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray Read(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A prefix with bin/ and share/zarnet/ holding the shipped lists, and an empty data home.
struct Prefix {
  QTemporaryDir tmp;
  QString bin = tmp.filePath("prefix/bin");
  QString shared = tmp.filePath("prefix/share/zarnet");
  QString home = tmp.filePath("data");
  Prefix() {
    QDir().mkpath(bin);
    Write(shared + "/Zarnet.clb", "shipped club list\r\n");
    Write(shared + "/Zarnet.net", "shipped net list\r\n");
  }
};

}  // namespace

TEST(ProgramFolder, OutsideAnInstallationItIsTheProgramsOwnFolder) {
  QTemporaryDir tmp;
  const QString build = tmp.filePath("build/Zarnet");
  QDir().mkpath(build);
  const ProgramPlace place = FindProgramFolder(build, tmp.filePath("data"));
  EXPECT_EQ(place.folder, build);
  EXPECT_TRUE(place.installedLibraries.isEmpty());
  EXPECT_FALSE(QFileInfo::exists(tmp.filePath("data")));
}

TEST(ProgramFolder, FirstStartMakesTheUsersFolderWithTheShippedLists) {
  Prefix p;
  const ProgramPlace place = FindProgramFolder(p.bin, p.home);
  ASSERT_TRUE(place.error.isEmpty()) << place.error.toStdString();
  EXPECT_EQ(place.folder, p.home + "/zarnet");
  EXPECT_EQ(place.installedLibraries, p.shared);
  EXPECT_EQ(Read(place.folder + "/Zarnet.clb"), "shipped club list\r\n");
  EXPECT_EQ(Read(place.folder + "/Zarnet.net"), "shipped net list\r\n");
  EXPECT_TRUE(QFileInfo(place.folder + "/Zarnet.clb").isWritable());
}

TEST(ProgramFolder, ALaterStartKeepsThePlayersListsAndRestoresAMissingOne) {
  Prefix p;
  ASSERT_FALSE(FindProgramFolder(p.bin, p.home).folder.isEmpty());
  ASSERT_TRUE(Write(p.home + "/zarnet/Zarnet.clb", "played club list\r\n"));
  ASSERT_TRUE(QFile::remove(p.home + "/zarnet/Zarnet.net"));
  const ProgramPlace place = FindProgramFolder(p.bin, p.home);
  ASSERT_TRUE(place.error.isEmpty()) << place.error.toStdString();
  EXPECT_EQ(Read(place.folder + "/Zarnet.clb"), "played club list\r\n");
  EXPECT_EQ(Read(place.folder + "/Zarnet.net"), "shipped net list\r\n");
}

TEST(ProgramFolder, AFolderThatCannotBeMadeOrFilledIsAnError) {
  struct Case {
    const char* name;
    std::function<void(Prefix&)> spoil;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"a file stands in the folder's place", [](Prefix& p) { Write(p.home + "/zarnet", "x"); },
       "cannot make the folder"},
      {"the installation lacks a list", [](Prefix& p) { QFile::remove(p.shared + "/Zarnet.net"); }, "cannot read"},
      {"a folder stands in a list's place",
       [](Prefix& p) {
         QDir().mkpath(p.home + "/zarnet");
         QFile::remove(p.shared + "/Zarnet.clb");
         QDir().mkpath(p.shared + "/Zarnet.clb");
       },
       "cannot read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Prefix p;
    c.spoil(p);
    const ProgramPlace place = FindProgramFolder(p.bin, p.home);
    EXPECT_TRUE(place.folder.isEmpty());
    EXPECT_TRUE(place.error.contains(c.message)) << place.error.toStdString();
  }
  Prefix p;
  EXPECT_FALSE(FindProgramFolder(p.bin, QString()).error.isEmpty());
}
