// The passport, the world top ten windows and the chat room; the last two
// groups talk to zarnet-services on loopback.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabBar>
#include <filesystem>
#include <fstream>

#include "atomic_file.h"
#include "chat_room.h"
#include "codec.h"
#include "kuv_button.h"
#include "passport.h"
#include "player_list.h"
#include "service_fixture.h"
#include "tour_service.h"
#include "world_link.h"
#include "world_top.h"

namespace zarnet {
namespace {

namespace fs = std::filesystem;

// A program folder inside a temporary parent, as the installation lays it out.
struct Folders {
  std::string parent = test::MakeTempDir("world");
  std::string program = parent + "/Zarnet";
  Folders() { fs::create_directories(program); }
  ~Folders() { test::RemoveTree(parent); }
};

std::string Cp(const char* utf8) { return Utf8ToCp1251(utf8); }

void Sheet(QWidget& w, const char* name) {
  const QByteArray dir = qgetenv("ZARNET_SHEETS");
  if (dir.isEmpty()) return;
  QDir().mkpath(QString::fromUtf8(dir));
  w.adjustSize();
  w.grab().save(QString::fromUtf8(dir) + "/" + name + ".png");
}

TEST(ChatText, AlphabetAndDisplay) {
  const struct {
    const char* typed;
    const char* stored;
  } cases[] = {
      {"good game", "good_game"},
      {"why?", "why_"},
      {"a@b.c (ok), -!", "a@b.c_(ok),_-!"},
      {"Привет Ёж ёж", "Привет_Ёж_ёж"},
      {"50% & #1*", "50_____1_"},
  };
  for (const auto& c : cases) {
    const std::string stored = ChatText(Cp(c.typed));
    EXPECT_EQ(stored, Cp(c.stored)) << c.typed;
  }
  EXPECT_EQ(ChatShown(Cp("good_game")), QString("good game"));
  // The stamp is sent as one word of the alphabet and names the game.
  const std::string stamp = ChatStamp(QDateTime(QDate(2026, 3, 8), QTime(9, 5)));
  EXPECT_EQ(ChatText(stamp), stamp);
  EXPECT_TRUE(stamp.ends_with("_Zarnet")) << stamp;
}

TEST(ChatSettingsFile, MissingBadAndRoundTrip) {
  Folders f;
  const std::string path = f.parent + "/KuvChatKuv.ini";
  EXPECT_EQ(ChatSettingsPath(f.program), path);
  EXPECT_EQ(ChatSettingsPath(f.program + "/"), path);
  ChatSettings s = ReadChatSettings(f.program);
  EXPECT_EQ(s.LastSeen, 1);
  EXPECT_FALSE(s.AtBottom || s.PopUp);
  EXPECT_EQ(*ReadWholeFile(path), "1\r\n0\r\n0\r\n");

  s = {42, true, false};
  ASSERT_TRUE(SaveChatSettings(f.program, s));
  const ChatSettings back = ReadChatSettings(f.program);
  EXPECT_EQ(back.LastSeen, 42);
  EXPECT_TRUE(back.AtBottom);
  EXPECT_FALSE(back.PopUp);

  std::ofstream(path, std::ios::trunc) << "seven\n1\n1\n";
  s = ReadChatSettings(f.program);
  EXPECT_EQ(s.LastSeen, 0);
  EXPECT_TRUE(s.AtBottom && s.PopUp);
}

TEST(ChatSettingsFile, ASaveThatFailsIsToldOnceAndLeavesTheFolder) {
  Folders f;
  const std::string path = ChatSettingsPath(f.program);
  fs::create_directory(path);  // a folder in the file's place: even root cannot write it
  ServiceClient client;
  WebServices web(client, {"http://127.0.0.1:1/a", "http://127.0.0.1:1/s", "http://127.0.0.1:1/t"});
  Settings settings;
  ChatState state;
  TFormChat chat(settings, web, state, f.program, FormStyle{});
  std::vector<QString> told;
  chat.Inform = [&](const QString& t) { told.push_back(t); };
  chat.CheckBox2->click();
  chat.CheckBox2->click();
  EXPECT_EQ(told, std::vector<QString>{WordText(WordId::CantSaveOptions)});
  EXPECT_TRUE(fs::is_directory(path));
}

// True when the band of list row r (1..10) holds the red of a message number.
bool RowHasNumber(const QImage& list, int r) {
  for (int y = (r - 1) * 50 + 4; y < (r - 1) * 50 + 20; ++y)
    for (int x = 5; x < 40; ++x) {
      const QColor c = list.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 60 && c.blue() < 60) return true;
    }
  return false;
}

TEST(ChatList, NewestRowFollowsTheOption) {
  RecordList list{};
  list[1].Nick = "Ann";
  list[1].Score = 9;
  list[1].R10 = "hi";
  const QImage top = DrawChatList(&list, 0, false), bottom = DrawChatList(&list, 0, true);
  EXPECT_TRUE(RowHasNumber(top, 1));
  EXPECT_FALSE(RowHasNumber(top, 10));
  EXPECT_TRUE(RowHasNumber(bottom, 10));
  EXPECT_FALSE(RowHasNumber(bottom, 1));
  // Empty entries draw nothing.
  for (int r = 2; r <= 9; ++r) EXPECT_FALSE(RowHasNumber(bottom, r)) << r;
  // "No Connect" stands at the top when the board could not be read.
  EXPECT_TRUE(RowHasNumber(DrawChatList(nullptr, 0, false), 1));
}

TEST(Passport, FieldChecks) {
  const struct {
    const char* text;
    int nick, city;
  } cases[] = {
      {"A", 1, 1},           {"Al", 3, 3},          {"Alexander_VII", 1, 3},
      {"Иван", 2, 2},         {"Bob Smith", 1, 1},   {"", 1, 1},
      {"St.Petersburg", 1, 3}, {"x?y", 1, 1},       {"Abcdefghijklmnop", 1, 1},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NickCheck(Cp(c.text)), c.nick) << c.text;
    EXPECT_EQ(CityCheck(Cp(c.text)), c.city) << c.text;
  }
  Settings s;
  s.PassportNick = Cp("Иван");
  EXPECT_TRUE(PassportValid(s, 2));   // the chat room takes it
  EXPECT_FALSE(PassportValid(s, 3));  // the boards do not
  s.PassportNick = "Ivan";
  s.PassportCity = "X";
  EXPECT_FALSE(PassportValid(s, 2));
}

TEST(PassportWindow, ContinentAndRefusedFields) {
  Settings s;
  TFormServerInfo w(s, FormStyle{});
  w.ContinentChosen(1);  // Asia
  EXPECT_EQ(s.PassportCountry, "2-000");
  w.CountryChosen(12);
  EXPECT_EQ(s.PassportCountry, "2-012");
  w.ComboSex->setCurrentIndex(1);
  emit w.ComboSex->activated(1);
  EXPECT_EQ(s.PassportSex, 'W');

  // A refused nick keeps the stored one, disables OK and keeps the window open.
  w.show();
  w.EditNick->setText("Q");
  emit w.EditNick->textEdited("Q");
  EXPECT_FALSE(w.ButtonOk->isEnabled());
  EXPECT_EQ(s.PassportNick, "Incognito");
  w.reject();
  EXPECT_TRUE(w.isVisible());
  // Refused characters are dropped as typed.
  w.EditNick->setText("Jo hn?");
  emit w.EditNick->textEdited("Jo hn?");
  EXPECT_EQ(w.EditNick->text(), "John");
  EXPECT_EQ(s.PassportNick, "John");
  EXPECT_TRUE(w.ButtonOk->isEnabled());
  Sheet(w, "world_passport");
  w.reject();
  EXPECT_FALSE(w.isVisible());
}

TEST(ResultWindow, CyrillicNickKeepsSendDisabled) {
  Settings s;
  s.PassportNick = Cp("Иван");
  TFormServerWrite w(s, nullptr, 320, FormStyle{});
  EXPECT_FALSE(w.ButtonSend->isEnabled());
  s.PassportNick = "Ivan";
  w.PassportClick();  // the passport may have changed
  EXPECT_TRUE(w.ButtonSend->isEnabled());
  // Without a service the submission fails with the notice.
  QString told;
  w.Inform = [&](const QString& t) { told = t; };
  w.SendClick();
  EXPECT_EQ(told, WordText(WordId::UnableToWriteTheResultOfTheGame));
  EXPECT_FALSE(w.ResultSent);
  EXPECT_EQ(w.ResultPlace, -1);
}

TEST(TopTenWindow, LocalListsNeedNoService) {
  Folders f;
  const std::string club = f.program + "/Zarnet.clb";
  ASSERT_TRUE(ReplaceFile(club, InstallationList()));
  const auto lines = ParsePlayerList(InstallationList());
  ASSERT_TRUE(lines);
  const auto rows = LocalTopTen(club);
  ASSERT_EQ(rows.size(), 10u);
  EXPECT_EQ(rows[0].name + std::string(20 - rows[0].name.size(), ' '), (*lines)[6].substr(0, 20));
  EXPECT_EQ(std::stoi(rows[9].score), std::stoi((*lines)[15].substr(20, 6)));

  Settings s;
  WorldSources src;  // no web services at all
  src.clubListPath = club;
  src.netListPath = f.program + "/Zarnet.net";  // missing
  TFormServerRead w(s, src, FormStyle{}, 6);
  EXPECT_TRUE(w.ReadOk);
  EXPECT_EQ(w.List.height(), 310);
  w.ShowCategory(7);
  EXPECT_FALSE(w.ReadOk);
  w.ShowCategory(3);
  EXPECT_FALSE(w.ReadOk);  // "No Connect"
  // The refresh button hides until the next tick.
  w.show();
  w.RefreshClick();
  EXPECT_FALSE(w.ButtonRefresh->isVisible());
  w.Timer1Timer();
  EXPECT_TRUE(w.ButtonRefresh->isVisible());

  // Without the graphics library three tabs choose the boards.
  src.plainLook = true;
  TFormServerRead plain(s, src, FormStyle{}, 6);
  ASSERT_NE(plain.TabControl1, nullptr);
  EXPECT_EQ(plain.Category, 3);
  const int boards[3] = {kWindowsBoard, kAndroidBoard, kAccountBoard};
  for (int i : {2, 1, 0}) {
    plain.TabControl1->setCurrentIndex(i);
    EXPECT_EQ(CategoryBoard(plain.Category), boards[i]) << i;
  }
}

class WorldService : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(service_.Start("sqlite"));
    base_ = "http://127.0.0.1:" + std::to_string(service_.httpPort());
  }
  ServiceAddresses Addresses() const { return {base_ + "/accounts", base_ + "/statistics", base_ + "/tables"}; }
  test::ServiceProcess service_;
  std::string base_;
};

TEST_F(WorldService, SubmittedScoreAppearsAtItsPlace) {
  ServiceClient client;
  WebServices web(client, Addresses());
  Settings s;
  s.PassportNick = "Ivan";
  s.PassportCity = "Tver";
  TFormServerWrite first(s, &web, 500, FormStyle{});
  first.SendClick();
  ASSERT_TRUE(first.ResultSent);
  EXPECT_EQ(first.ResultPlace, 1);
  EXPECT_FALSE(first.ButtonSend->isEnabled());

  s.PassportNick = "Olga";
  s.PassportSex = 'W';
  TFormServerWrite w(s, &web, 320, FormStyle{});
  w.SendClick();
  ASSERT_TRUE(w.ResultSent);
  EXPECT_EQ(w.ResultPlace, 2);
  Sheet(w, "world_result");

  RecordList list;
  ASSERT_TRUE(web.ReadRecords(kWindowsBoard, &list));
  EXPECT_EQ(list[w.ResultPlace].Nick, "Olga");
  EXPECT_EQ(list[w.ResultPlace].Score, 320);
  EXPECT_EQ(list[w.ResultPlace].R07, "W");
  EXPECT_EQ(list[1].Nick, "Ivan");

  TourService tour(client, base_ + "/tournament");
  WorldSources src{&web, &tour};
  TFormServerRead top(s, src, FormStyle{}, 3);
  EXPECT_TRUE(top.ReadOk);
  EXPECT_EQ(top.GameCount, 2);
  EXPECT_EQ(top.List.height(), 17 * 31);  // the rows around the player below
  Sheet(top, "world_top_ten");
  for (int c : {1, 2, 4, 5}) {
    top.ShowCategory(c);
    EXPECT_TRUE(top.ReadOk) << c;
  }
  EXPECT_EQ(top.GameCount, -1);  // only the record boards count games
  top.ShowCategory(4);
  EXPECT_EQ(top.GameCount, 0);
}

TEST_F(WorldService, TwoProgramsSeeEachOthersMessagesAsNew) {
  Folders a, b;
  ServiceClient ca, cb;
  WebServices wa(ca, Addresses()), wb(cb, Addresses());
  Settings sa, sb;
  sa.PassportNick = "Ann";
  sb.PassportNick = Cp("Борис");  // Cyrillic is fine in the chat room
  ChatState sta, stb;
  EXPECT_FALSE(CheckChatNews(wa, a.program, &sta));  // empty board
  // A fresh settings file counts message 1 as seen, so a third player opens the board.
  {
    Folders c;
    Settings sc;
    sc.PassportNick = "Seed";
    ChatState stc;
    ServiceClient cc;
    WebServices wc(cc, Addresses());
    TFormChat chat(sc, wc, stc, c.program, FormStyle{});
    chat.Edit1->setText("first");
    ASSERT_TRUE(chat.PostChatMessage());
  }

  TFormChat chatA(sa, wa, sta, a.program, FormStyle{});
  ASSERT_TRUE(chatA.Edit1->isEnabled());
  chatA.Edit1->setText("hello there?");
  ASSERT_TRUE(chatA.PostChatMessage());
  EXPECT_FALSE(chatA.Edit1->isEnabled());  // until the next tick
  EXPECT_FALSE(chatA.PostChatMessage());
  EXPECT_EQ(chatA.Board[1].R10, "hello_there_");
  const int first = chatA.Board[1].Score;
  EXPECT_EQ(sta.settings.LastSeen, first);

  EXPECT_TRUE(CheckChatNews(wb, b.program, &stb));
  TFormChat chatB(sb, wb, stb, b.program, FormStyle{});
  ASSERT_TRUE(chatB.BoardRead);
  EXPECT_EQ(chatB.Board[1].Nick, "Ann");
  EXPECT_GT(chatB.Board[1].Score, stb.settings.LastSeen);  // drawn with "GNew"
  Sheet(chatB, "world_chat");
  chatB.Edit1->setText(QString::fromUtf8("привет"));
  ASSERT_TRUE(chatB.PostChatMessage());
  EXPECT_EQ(chatB.Board[1].Score, first + 1);
  EXPECT_EQ(chatB.Board[1].Nick, sb.PassportNick);
  EXPECT_EQ(chatB.Board[1].R10, Cp("привет"));
  EXPECT_EQ(chatB.Board[2].Nick, "Ann");
  chatB.accept();
  EXPECT_EQ(ReadChatSettings(b.program).LastSeen, first + 1);
  EXPECT_FALSE(CheckChatNews(wb, b.program, &stb));

  chatA.accept();
  EXPECT_TRUE(CheckChatNews(wa, a.program, &sta));
  EXPECT_EQ(sta.Newest, first + 1);
}

TEST_F(WorldService, NewsPollOpensTheRoomDuringADealWhenAsked) {
  Folders f, other;
  ServiceClient client;
  WebServices web(client, Addresses());
  Settings s;
  for (const char* nick : {"Seed", "Poster"}) {
    Settings ps;
    ps.PassportNick = nick;
    ChatState st;
    TFormChat chat(ps, web, st, other.program, FormStyle{});
    chat.Edit1->setText("news");
    ASSERT_TRUE(chat.PostChatMessage());
  }
  QWidget window;
  TWorldLink link(&window, s, f.program, web);
  ASSERT_TRUE(SaveChatSettings(f.program, {1, false, true}));
  bool dealActive = true;
  int redraws = 0;
  std::vector<std::string> sounds;
  link.DealActive = [&] { return dealActive; };
  link.RedrawIndicators = [&] { ++redraws; };
  link.PlaySound = [&](const std::string& n) { sounds.push_back(n); };
  bool sawRoom = false;
  // The room is modal: look at it and close it as soon as it is up.
  std::function<void()> closer = [&] {
    if (auto* w = QApplication::activeModalWidget()) {
      sawRoom = qobject_cast<TFormChat*>(w) != nullptr;
      w->close();
    } else {
      QTimer::singleShot(10, closer);
    }
  };
  for (int t = 1; t < 90; ++t) link.ChatTimerTick();
  EXPECT_TRUE(sounds.empty());  // nothing asked before the 90th tick
  QTimer::singleShot(10, closer);
  link.ChatTimerTick();
  EXPECT_TRUE(sawRoom);
  EXPECT_EQ(sounds, (std::vector<std::string>{"WToMenK", "WOpenFo"}));
  EXPECT_FALSE(link.Chat.Unread);  // seen in the room
  EXPECT_EQ(ReadChatSettings(f.program).LastSeen, 2);
  EXPECT_GE(redraws, 1);

  // A closed chat only says so.
  QString told;
  link.Inform = [&](const QString& t) { told = t; };
  link.ChatClosed = [] { return true; };
  link.OpenChatRoom();
  EXPECT_EQ(told, WordText(WordId::ChatIsTemporarilyUnavailable));
}

TEST(ChatRoom, FailedPostTellsThePlayer) {
  Folders f;
  ServiceClient client;
  WebServices web(client, {"http://127.0.0.1:1/a", "http://127.0.0.1:1/s", "http://127.0.0.1:1/t"});
  Settings s;
  ChatState st;
  EXPECT_FALSE(CheckChatNews(web, f.program, &st));
  EXPECT_EQ(st.Newest, 0);
  TFormChat chat(s, web, st, f.program, FormStyle{});
  EXPECT_FALSE(chat.BoardRead);
  QString told;
  chat.Inform = [&](const QString& t) { told = t; };
  chat.Edit1->setText("hi");
  EXPECT_FALSE(chat.PostChatMessage());
  EXPECT_EQ(told, WordText(WordId::UnableToSendAMessage));
  EXPECT_EQ(chat.Edit1->text(), "hi");  // nothing typed is lost
  // A passport the chat refuses disables the input.
  s.PassportCity = "X";
  chat.Timer1Timer();
  EXPECT_FALSE(chat.Edit1->isEnabled());
}

}  // namespace
}  // namespace zarnet
