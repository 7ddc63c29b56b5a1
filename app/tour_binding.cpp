#include "tour_binding.h"

#include <QDir>
#include <QFile>
#include <QTimer>
#include <memory>

#include "card_art.h"
#include "form_link.h"
#include "form_tour.h"
#include "main_window.h"
#include "service_client.h"
#include "table_drawing.h"
#include "words.h"

namespace zarnet {
namespace {

// The list records of the window, with the tournament's player for online series.
class TourRecords : public PlayerRecords {
 public:
  TourRecords(PlayerRecords& base, const TKuvClient& me) : base_(base), me_(me) {}
  std::string PlayerLine(bool netList, int line) override {
    return base_.PlayerLine(netList, line);
  }
  TKuvGame AccountGame() override { return base_.AccountGame(); }
  std::string AccountNick() override { return base_.AccountNick(); }
  TKuvClient OnlineClient() override { return me_; }

 private:
  PlayerRecords& base_;
  const TKuvClient& me_;
};

struct Tournament {
  Tournament(TForm1& f, TournamentBinding b)
      : form(f),
        binding(std::move(b)),
        service(client, binding.address),
        table(f.game, &f),
        records(f.records, f.books.MyClient) {}
  TForm1& form;
  TournamentBinding binding;
  ServiceClient client;
  TourService service;
  OnlineTable table;
  TourRecords records;
};

// The own-address script sits beside the tournament script.
std::string ExternalAddress(const std::string& url) {
  return LookUpExternalAddress(url.substr(0, url.rfind('/') + 1) + "get_ip.php");
}

// The seats' pictures for the balloons over the name plates, saved as
// bitmaps under "History"; the stock face when there is no photo.
void SaveSeatPictures(const std::string& programFolder, const std::string& tourAddress,
                      const TKuvClient* players) {
  const QString folder = QDir(QString::fromStdString(programFolder)).filePath("History");
  QDir().mkpath(folder);
  const std::string base = tourAddress.substr(0, tourAddress.rfind('/') + 1) + "avatars/";
  for (int s : {1, 2}) {
    const TKuvClient& c = players[s];
    if (!NickFitsFileName(c.Nick)) continue;  // never a path out of the folder
    const HttpReply r = HttpGet(base + c.Nick + ".jpg", 3000);
    QImage picture;
    if (r.ok)
      picture.loadFromData(reinterpret_cast<const uchar*>(r.body.data()), int(r.body.size()));
    if (picture.isNull()) picture = ProgramPicture(c.Sex == 'M' ? "GAcNoM" : "GAcNoF");
    if (picture.isNull()) continue;
    // Write beside, then rename: a half-written picture never replaces a whole one.
    const QString path = folder + "/" + FromFile(c.Nick) + ".bmp";
    const QString temp = path + ".tmp";
    if (picture.save(temp, "BMP")) {
      QFile::remove(path);
      QFile::rename(temp, path);
    }
  }
}

QImage GraphicLookBackground(const std::string& programFolder) {
  ResourceSource source(QString::fromStdString(programFolder));
  if (!source.Open(kGraphLibrary)) return {};
  QImage picture = source.Read("RCDATA", "GFormTour");
  if (picture.isNull()) picture = source.Read("JPEG", "GFormTour");
  return picture;
}

}  // namespace

void BindTournament(TForm1& form, std::function<FormStyle()> style, TournamentBinding binding) {
  auto* t = new Tournament(form, std::move(binding));
  QObject::connect(&form, &QObject::destroyed, [t] { delete t; });
  form.game.records = &t->records;
  t->table.inMenu = [&form] { return !form.InSeries(); };
  t->table.onDealStarted = [t](int table, int playSeat) {
    TKuvClient players[3];
    ReadSeatsForDeal(t->form.game, t->service, table, playSeat, players);
    SaveSeatPictures(t->form.ProgramFolder, t->binding.address, players);
  };
  t->form.table->PlatePicture = [t](int seat) {
    const std::string& nick = t->form.game.SeatName[seat];
    if (!NickFitsFileName(nick)) return QString();
    const QString file = QDir::cleanPath(QString::fromStdString(t->form.ProgramFolder) +
                                         "/History/" + FromFile(nick) + ".bmp");
    return QFile::exists(file) ? file : QString();
  };
  t->table.onChat = [t](const std::string& text, int seat) {
    t->form.table->AddMessageLine(seat, "s" + text);  // the panel drops the first character
  };
  t->table.onMatchEnded = [t](MatchEnd why) {
    QStringList lines;
    for (const std::string& l : MatchEndLines(why, t->form.game.SeatName[1]))
      lines << QString::fromStdString(l);
    TFormLink::Show(lines, LanguageIndex(), &t->form);
  };
  form.ReadTourScore = [t](int32_t& score) {
    int32_t kon = 0, rating = 0;
    bool ok = false;
    score = t->service.ReadTourRating(t->form.books.MyClient.Nick, &kon, &rating, &ok);
    return ok;
  };
  form.AfterOnlineMatch = [t] {
    t->form.table->TimeLimits = false;
    t->form.hooks.peer = nullptr;
    QTimer::singleShot(0, &t->form, [t] {
      if (t->form.OpenTournament) t->form.OpenTournament();
    });
  };
  form.OpenTournament = [t, style] {
    TForm1& f = t->form;
    if (!(t->binding.loggedIn ? t->binding.loggedIn() : f.books.LoggedIn)) {
      TFormLink::Show({QString::fromStdString(WordUtf8(WordId::LogInToYourAccount))},
                      LanguageIndex(), &f);
      return;
    }
    f.game.Play("WOpenFo", false);
    TourAccount account;
    if (t->binding.account) {
      account = t->binding.account();
    } else {
      account.Nick = f.game.records->AccountNick();
      account.Country = account.City = "X";
    }
    TourSeams seams;
    seams.play = [&f](const std::string& name) { f.game.Play(name, false); };
    seams.notice = [&f](const QStringList& lines) { TFormLink::Show(lines, LanguageIndex(), &f); };
    seams.message = [&f](const QString& text) { TFormLink::Show({text}, LanguageIndex(), &f); };
    seams.externalAddress = [t] { return ExternalAddress(t->binding.address); };
    // The match is played with the table's own rules and the move clocks.
    f.game.opt.NetGame = false;
    f.game.opt.SoundOn = f.settings.SoundOn;
    f.game.opt.OptFlyCards = f.settings.OptFlyCards;
    f.hooks.peer = &t->table.hooks;
    TFTour lobby(t->service, t->table, f.books.MyClient, account, seams,
                 style ? style() : FormStyle{}, GraphicLookBackground(f.ProgramFolder), &f);
    // The first deck leaves the menu for the table before the deal is laid out.
    auto closeLobby = t->table.onCloseLobby;
    t->table.onCloseLobby = [t, closeLobby] {
      if (closeLobby) closeLobby();
      t->form.LeaveMenuScreen();
      t->form.table->TimeLimits = true;
      t->form.game.gs.DealActive = true;
    };
    lobby.exec();
    t->table.onCloseLobby = nullptr;
    if (!f.game.opt.OnlineGame) f.hooks.peer = nullptr;
  };
}

}  // namespace zarnet
