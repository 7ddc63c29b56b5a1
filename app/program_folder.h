// Where the game keeps its files: the folder of the program file, as the build
// lays it out, or, for a program installed into a prefix, a folder of the user's.
#pragma once

#include <QString>

namespace zarnet {

struct ProgramPlace {
  QString folder;              // the program folder; empty when it could not be made
  QString installedLibraries;  // prefix/share/zarnet when installed, else empty
  QString error;               // why the folder could not be made
};

// prefix/share/zarnet for a program file in prefix/bin when that folder exists, else empty.
QString InstalledDataFolder(const QString& programDir);

// programDir: the folder of the program file; dataHome: the user's data folder.
// Outside an installation the program folder is programDir itself. Installed, it is
// dataHome/zarnet, made on first start and given the installation's list files it
// lacks; a list a player already has is never replaced.
ProgramPlace FindProgramFolder(const QString& programDir, const QString& dataHome);

}  // namespace zarnet
