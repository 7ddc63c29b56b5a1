// Pictures of the record windows with sample data, for looking at them:
// forms_sheets <folder> [language] writes forms_*.png there.
#include <QApplication>
#include <QDir>
#include <filesystem>

#include "../records/temp_dir.h"
#include "codec.h"
#include "form_count.h"
#include "form_end_game.h"
#include "form_history.h"
#include "form_password.h"
#include "form_speed.h"
#include "form_top_ten.h"
#include "history.h"
#include "number_text.h"
#include "player_list.h"

using namespace zarnet;

namespace {

void Save(QWidget& w, const QString& folder, const QString& name) {
  w.show();
  QApplication::processEvents();
  w.grab().save(folder + "/forms_" + name + ".png");
  w.hide();
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QString folder = argc > 1 ? argv[1] : ".";
  QDir().mkpath(folder);
  if (argc > 2) SetLanguageIndex(std::atoi(argv[2]));
  FormStyle style;
  if (argc > 3) style.scale = std::atof(argv[3]);

  testing::TempDir dir;
  ListLines lines = *ParsePlayerList(InstallationList());
  lines[1] = BuildPlayerLine("Anna", 1.5, 120, 40, EncodePassword("abc"));
  testing::WriteText(dir.File(kClubListName), FormatPlayerList(lines));
  testing::WriteText(dir.File(kNetListName), FormatPlayerList(lines));

  TFormPassword listed(dir.File(kClubListName), 1, "", style);
  listed.Button1Click();  // no password typed: the message line shows
  Save(listed, folder, "password_listed");
  TFormPassword fresh(dir.File(kClubListName), kSlotNewPlayer, "Mr.X", style);
  Save(fresh, folder, "password_new");

  TFormCount count({"120", "20", "-45", "32", "-13", "  1,50", "  1,77"}, "Anna", style);
  Save(count, folder, "count");
  TFormTopTen top(dir.path(), false, style);
  Save(top, folder, "top_ten");

  const HistoryPlace place{dir.path(), kClubListName};
  std::filesystem::create_directories(place.Folder());
  std::vector<std::string> entries;
  const HisStr samples[] = {{"Anna", 12, -30, 1.0, kHistoryLocal},
                            {"Boris/Anna", 4, 88, 0.0, kHistoryNet},
                            {Utf8ToCp1251("Вера"), 2, 7, -0.5, kHistoryAccount},
                            {"Olga", 2, -9, 3.25, kHistoryOnline}};
  for (int i = 0; i < 24; ++i) entries.push_back(HistoryEntryLine(samples[i % 4], {9 + i % 12, 5, "24.12.2024"}));
  testing::WriteText(place.FilePath(1), FormatHistoryFile(entries));
  TFHistory history(dir.path(), style);
  Save(history, folder, "history");

  const struct {
    EndGameData d;
    const char* name;
  } ends[] = {{{1, 1234, 0, EndGameKind::Local, false}, "end_best"},
              {{4, 512, 10, EndGameKind::Account, false}, "end_good_bonus"},
              {{17, -40, 0, EndGameKind::Account, false}, "end_bad"}};
  for (const auto& e : ends) {
    TFormEndGame form(e.d, style);
    Save(form, folder, e.name);
  }
  int speed = 3;
  TFormSpeed sp(&speed, style);
  Save(sp, folder, "speed");
  return 0;
}
