// Players of the tournament for the tests: an engine, a lobby and the
// table link of one copy of the program, without its main window.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <memory>

#include "engine.h"
#include "form_tour.h"
#include "recording_view.h"
#include "series.h"

namespace zarnet {

inline bool PumpUntil(const std::function<bool()>& done, int ms = 8000) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

struct OnlineRecords : PlayerRecords {
  TKuvClient* me = nullptr;
  std::string PlayerLine(bool, int) override { return {}; }
  TKuvGame AccountGame() override { return {}; }
  std::string AccountNick() override { return me->Nick; }
  TKuvClient OnlineClient() override { return *me; }
};

struct TourOutlets : SeriesOutlets {
  TourService* service = nullptr;
  std::string nick;
  bool ReadTourRating(int32_t& score) override {
    int32_t kon = 0, rating = 0;
    bool ok = false;
    score = service->ReadTourRating(nick, &kon, &rating, &ok);
    return ok;
  }
};

// One copy of the program at the tournament, without its main window.
struct Seat {
  RecordingView view;
  Game game{&view};
  ServiceClient client;
  TourService service;
  OnlineTable table{game};
  SeriesBooks books;
  OnlineRecords records;
  TourOutlets outlets;
  std::unique_ptr<TFTour> lobby;
  std::vector<QStringList> notices;
  std::vector<std::string> sounds;
  std::vector<std::vector<std::string>> ends;
  std::string ip;

  Seat(const std::string& url, const std::string& nick, std::string address)
      : service(client, url), ip(std::move(address)) {
    game.opt.OptFlyCards = false;
    game.opt.SoundOn = true;  // the view only records the sounds
    game.hooks = &table.hooks;
    records.me = &books.MyClient;
    game.records = &records;
    outlets.service = &service;
    outlets.nick = nick;
    table.onMatchEnded = [this](MatchEnd why) {
      ends.push_back(MatchEndLines(why, game.SeatName[1]));
    };
    table.onDealStarted = [this](int t, int playSeat) {
      ReadSeatsForDeal(game, service, t, playSeat);
    };
    OpenLobby(nick);
  }
  void OpenLobby(const std::string& nick) {
    TourSeams seams;
    seams.notice = [this](const QStringList& l) { notices.push_back(l); };
    seams.play = [this](const std::string& name) { sounds.push_back(name); };
    seams.message = [this](const QString& m) { notices.push_back({m}); };
    seams.externalAddress = [this] { return ip; };
    lobby = std::make_unique<TFTour>(service, table, books.MyClient,
                                     TourAccount{nick, "Russia", "Omsk", 'M'}, seams, FormStyle{});
  }
  // One step of a player who plays by the computer's rules; false when there was nothing to do.
  bool Step() {
    GameState& gs = game.gs;
    if (!game.opt.OnlineGame || (table.link.TableLinkState == 10 && gs.DealOver)) return false;
    if (gs.DealPhase == 1 && gs.Turn == 2) {
      UpperButtonClick(game);
      return true;
    }
    if (gs.DealPhase != 2) return false;
    if (gs.Turn == 2 && !gs.DealOver) {
      const int slot =
          gs.Leader == 2
              ? ChooseLead(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.Trump, gs.Played.data())
              : ChooseAnswer(gs.Hand[2].data(), gs.HandOrder[2].data(), gs.HandPoints[2].data(),
                             gs.Trump, gs.Table[1], gs.TableOrder[1], gs.TablePoints[1]);
      return PlayerPlayCard(game, slot, 0);
    }
    if (gs.Turn == kTurnTrickDone && gs.Leader == 2 && !gs.DealOver) {
      UpperButtonClick(game);
      return true;
    }
    return false;
  }
};

}  // namespace zarnet
