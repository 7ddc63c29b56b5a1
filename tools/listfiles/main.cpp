// Writes the installation's player lists into a program folder. Lists that
// are already there belong to a player and are never touched.
#include <sys/stat.h>

#include <cstdio>
#include <string>

#include "atomic_file.h"
#include "player_list.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s PROGRAM_FOLDER\n", argv[0]);
    return 2;
  }
  const std::string dir = argv[1];
  int failures = 0;
  for (const char* name : {zarnet::kClubListName, zarnet::kNetListName}) {
    const std::string path = dir + "/" + name;
    struct stat st;
    if (lstat(path.c_str(), &st) == 0) continue;
    if (!zarnet::ReplaceFile(path, zarnet::InstallationList(), zarnet::kNewListMode)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
