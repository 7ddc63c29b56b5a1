#include "program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "atomic_file.h"
#include "player_list.h"

namespace zarnet {

namespace {

// A shipped list is a few hundred bytes; anything far larger is not one.
constexpr qint64 kMaxListBytes = 1 << 20;

QString CopyList(const QString& from, const QString& to) {
  if (QFileInfo::exists(to) || QFileInfo(to).isSymLink()) return {};
  QFile in(from);
  if (!in.open(QIODevice::ReadOnly)) return "cannot read " + from;
  if (in.size() > kMaxListBytes) return from + " is too large for a player list";
  const QByteArray bytes = in.readAll();
  if (!ReplaceFile(to.toStdString(), bytes.toStdString())) return "cannot write " + to;
  return {};
}

}  // namespace

QString InstalledDataFolder(const QString& programDir) {
  const QString shared = QDir::cleanPath(QDir(programDir).filePath("../share/zarnet"));
  return QFileInfo(shared).isDir() ? shared : QString();
}

ProgramPlace FindProgramFolder(const QString& programDir, const QString& dataHome) {
  ProgramPlace place;
  place.installedLibraries = InstalledDataFolder(programDir);
  if (place.installedLibraries.isEmpty()) {
    place.folder = programDir;
    return place;
  }
  if (dataHome.isEmpty()) {
    place.error = "no folder for the player's files (HOME and XDG_DATA_HOME are unset)";
    return place;
  }
  const QString folder = QDir::cleanPath(QDir(dataHome).filePath("zarnet"));
  if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir()) {
    place.error = "cannot make the folder " + folder;
    return place;
  }
  for (const char* name : {kClubListName, kNetListName}) {
    const QString error = CopyList(QDir(place.installedLibraries).filePath(name), QDir(folder).filePath(name));
    if (!error.isEmpty()) {
      place.error = error;
      return place;
    }
  }
  place.folder = folder;
  return place;
}

}  // namespace zarnet
