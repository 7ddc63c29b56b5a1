#include "series_files.h"

#include "atomic_file.h"

namespace zarnet {

std::string FilePlayerRecords::PlayerLine(bool netList, int line) {
  const std::optional<std::string> text = ReadWholeFile(files_.ListPath(netList));
  if (!text || line < 1 || line > 5) return {};
  const std::optional<ListLines> lines = ParsePlayerList(*text);
  return lines ? (*lines)[line] : std::string();
}

void FileSeriesOutlets::WriteHistory(const HisStr& entry) {
  lastHistory = zarnet::WriteHistory(files_.History(), 1, &entry,
                                     fixedStamp_ ? stamp_ : HistoryStamp::Now());
}

int FileSeriesOutlets::RefilePlayer(bool netList, int slot, const std::string& line,
                                    bool cycleEnded) {
  lastListPath = files_.ListPath(netList);
  lastFiling = RefilePlayerLine(lastListPath, slot, line, cycleEnded);
  return lastFiling.topTenPlace;
}

}  // namespace zarnet
