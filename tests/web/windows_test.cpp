// The account, profile and statistics windows, offscreen, against
// zarnet-services on loopback or against nothing at all.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <filesystem>

#include "../addresses_at.h"
#include "codec.h"
#include "form_account.h"
#include "kuv_button.h"
#include "service_fixture.h"
#include "table_drawing.h"

namespace zarnet {
namespace {

void Sheet(QWidget& w, const QString& name) {
  QDir().mkpath(ZARNET_SHEETS_DIR);
  w.show();
  QApplication::processEvents();
  w.grab().save(QString(ZARNET_SHEETS_DIR) + "/" + name + ".png");
}

struct Desk {
  std::vector<QString> told;
  std::vector<QString> nickAnswers;
  QString photo;
  QString copied, opened;
  AccountDesktop Make() {
    AccountDesktop d;
    d.inform = [this](const QString& t) { told.push_back(t); };
    d.confirm = [](const QString&) { return false; };
    d.choosePhoto = [this] { return photo; };
    d.copy = [this](const QString& t) { copied = t; };
    d.openUrl = [this](const QString& t) { opened = t; };
    d.askNick = [this] {
      if (nickAnswers.empty()) return QString();
      const QString a = nickAnswers.front();
      nickAnswers.erase(nickAnswers.begin());
      return a;
    };
    d.today = [] { return std::string("10.12.2026"); };
    return d;
  }
};

class Windows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    service_ = new test::ServiceProcess;
    ftpPort_ = 22000 + int(getpid() % 2000);
    // The photo server joins when pure-ftpd is there.
    if (!service_->Start("sqlite", "", "--ftp " + std::to_string(ftpPort_))) {
      ftpPort_ = 0;
      ASSERT_TRUE(service_->Start("sqlite"));
    }
  }
  static void TearDownTestSuite() {
    delete service_;
    service_ = nullptr;
  }
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    std::filesystem::create_directory(tmp.path().toStdString() + "/Zarnet");
    const std::string base = "http://127.0.0.1:" + std::to_string(service_->httpPort()) + "/";
    addr = AddressesAt(base);
    addr.ftpPort = ftpPort_;
    web = std::make_unique<WebServices>(client, addr.scripts);
    session = std::make_unique<AccountSession>(*web, UserFilePath(tmp.path().toStdString() + "/Zarnet"));
  }

  static test::ServiceProcess* service_;
  static int ftpPort_;
  QTemporaryDir tmp;
  BuiltInAddresses addr;
  ServiceClient client;
  std::unique_ptr<WebServices> web;
  std::unique_ptr<AccountSession> session;
  AccountPictures pics;
  Desk desk;
  FormStyle style;
};
test::ServiceProcess* Windows::service_ = nullptr;
int Windows::ftpPort_ = 0;

TEST_F(Windows, RegistrationThroughTheBoxes) {
  TFAcc1 w(*session, addr, pics, true, style, desk.Make());
  EXPECT_EQ(w.EditCity->text(), "");
  EXPECT_EQ(w.EditCountry->text(), "Russia");
  w.EditNick->setText("Ni");
  w.EditPw->setText("pass1");
  w.EditEMail->setText("n@x.ru");
  w.EditCity->setText(QString::fromUtf8("Омск"));  // Cyrillic city: fine
  EXPECT_TRUE(w.Button1->isEnabled());
  w.EditNick->setText("Nikolay123456");  // thirteen
  EXPECT_EQ(w.EditNick->text(), "Nikolay12345");  // the box holds twelve
  w.EditNick->setText(QString::fromUtf8("Ник"));
  EXPECT_FALSE(w.Button1->isEnabled());  // a Cyrillic nick never
  w.EditEMail->setText("@nx.ru");
  w.EditNick->setText("Nikolay");
  EXPECT_FALSE(w.Button1->isEnabled());
  w.EditEMail->setText("n@x");
  ASSERT_TRUE(w.Button1->isEnabled());

  // Another continent and country go into the code and the short name.
  w.ComboContinent->setCurrentIndex(1);
  w.ComboCountry->setCurrentIndex(21);
  EXPECT_EQ(session->User.Country2, "2-021");
  EXPECT_EQ(session->User.Country1, "UAE");

  w.Button1->click();
  ASSERT_EQ(desk.told.size(), 1u);
  EXPECT_EQ(desk.told[0], WordText(WordId::YourAccountHasBeenSuccessfullyCreated));
  EXPECT_EQ(session->State, AccountState::LoggedIn);
  EXPECT_EQ(w.Button2->text(), WordText(WordId::SignOut));
  EXPECT_EQ(w.EditDateR->text(), "10.12.2026");
  EXPECT_EQ(w.ResultValue[2]->text(), "Nikolay");
  EXPECT_TRUE(w.LabelMembers->text().startsWith(WordText(WordId::ClubMembers)));

  // Save and Delete take turns.
  ASSERT_TRUE(w.Button3->isEnabled());
  w.Button3->click();
  EXPECT_FALSE(w.Button3->isEnabled());
  EXPECT_TRUE(w.Button4->isEnabled());
  w.Button4->click();
  EXPECT_TRUE(w.Button3->isEnabled());

  // Rated play only while logged in.
  w.CheckBox2->setChecked(true);
  EXPECT_EQ(session->State, AccountState::RatedPlay);
  w.CheckBox2->setChecked(false);
  EXPECT_EQ(session->State, AccountState::LoggedIn);
  Sheet(w, "account_my_account");
  w.PageControl1->setCurrentIndex(1);
  Sheet(w, "account_my_results");
  TKuvGame g;
  g.Kon = 2;
  g.Rating = 3.25;
  ASSERT_TRUE(web->SaveGameResults("Nikolay", "pass1", g));
  w.RefreshTopTenClick();
  w.PageControl1->setCurrentIndex(2);
  EXPECT_EQ(w.TopCell[1][1]->text().isEmpty(), false);
  Sheet(w, "account_top_ten");

  // Signing out clears the balance and greys the password-only buttons.
  session->User.R04 = 9;
  w.Button2->click();
  EXPECT_EQ(session->State, AccountState::Guest);
  EXPECT_EQ(session->User.R04, 0);
  EXPECT_FALSE(w.CheckBox2->isEnabled());
}

// ctest runs this once per system locale (C, en_US, de_DE, ko_KR): the date
// the services get and the reading of the account must not depend on it.
TEST_F(Windows, RegistrationAndLoginUnderTheSystemLocale) {
  const char* lc = std::getenv("LC_ALL");
  if (lc && *lc && !std::setlocale(LC_ALL, "")) GTEST_SKIP() << lc << " is not installed here";
  AccountDesktop d = desk.Make();
  d.today = DefaultDesktop(nullptr).today;
  TFAcc1 w(*session, addr, pics, true, style, d);
  w.EditNick->setText("Lebanese");
  w.EditPw->setText("pass1");
  w.EditEMail->setText("anon@no.ru");
  w.EditCity->setText("Lebanon");
  ASSERT_TRUE(w.Button1->isEnabled());
  w.Button1->click();
  ASSERT_EQ(desk.told.size(), 1u);
  EXPECT_EQ(desk.told[0], WordText(WordId::YourAccountHasBeenSuccessfullyCreated)) << session->User.DateR;
  EXPECT_EQ(session->User.DateR, QDate::currentDate().toString("dd.MM.yyyy").toStdString());

  TInfo14 info;
  info.About = "I know no rules";
  ASSERT_TRUE(web->SaveProfile("Lebanese", "pass1", info));
  EXPECT_EQ(web->ReadProfile("Lebanese").About, info.About);

  w.Button2->click();
  ASSERT_EQ(session->State, AccountState::Guest);
  w.EditNick->setText("Lebanese");
  w.EditPw->setText("pass1");
  w.Button2->click();
  EXPECT_EQ(session->State, AccountState::LoggedIn);
  EXPECT_EQ(session->User.City, "Lebanon");
  EXPECT_EQ(session->User.EMail, "anon@no.ru");
}

TEST_F(Windows, ProfilePresidentAndPhoto) {
  session->PutRegistrationDefaults();
  session->User.Nick = "Pres";
  session->SetPassword("pass1");
  session->User.City = "Riga";
  session->User.EMail = "p@x.lv";
  ASSERT_EQ(session->CreateAccount("01.01.2026"), 0);
  // The only account with results is the top ten's first player.
  TKuvGame g;
  g.Kon = 2;
  g.Rating = 12.5;
  ASSERT_TRUE(web->SaveGameResults("Pres", "pass1", g));

  TFAcc1 w(*session, addr, pics, false, style, desk.Make());
  EXPECT_FALSE(w.CheckBox2->isEnabled());  // not from the menu's account place
  TFAcc2 editor(*session, addr, pics, style, desk.Make());
  EXPECT_FALSE(editor.ButtonUpdate->isEnabled());
  editor.Edit[2]->setText("Plays $ daily ~ and more");
  editor.Edit[6]->setText("https://example.org/pres");
  editor.Edit[5]->setText("pres.skype");
  editor.ButtonUpdate->setEnabled(true);
  editor.UpdateInfoClick();
  EXPECT_FALSE(editor.ButtonUpdate->isEnabled());
  EXPECT_EQ(session->User.Info.About, "Plays   daily   and more");  // the markers become blanks

  // Photos: a PNG and a wrong size are refused, a 200 x 250 JPEG is taken.
  const QString png = tmp.path() + "/p.png", small = tmp.path() + "/s.jpg", good = tmp.path() + "/g.jpg";
  QImage img(200, 250, QImage::Format_RGB32);
  img.fill(QColor(0x30, 0x80, 0xc0));
  img.save(png, "PNG");
  img.scaled(100, 100).save(small, "JPEG");
  img.save(good, "JPEG");
  for (const QString& bad : {png, small}) {
    desk.photo = bad;
    desk.told.clear();
    editor.PhotoClick();
    ASSERT_EQ(desk.told.size(), 1u);
    EXPECT_EQ(desk.told[0], WordText(WordId::ThePhotoMustBeInJpgFormat200x250PixelsInSize));
    EXPECT_FALSE(editor.ButtonPhoto->isEnabled());
  }
  desk.photo = good;
  desk.told.clear();
  editor.PhotoClick();
  EXPECT_TRUE(desk.told.empty());
  EXPECT_TRUE(editor.ButtonPhoto->isEnabled());
  Sheet(editor, "account_profile_editor");
  if (ftpPort_) {
    editor.RefreshPhotoClick();
    EXPECT_TRUE(desk.told.empty());
    EXPECT_FALSE(editor.ButtonPhoto->isEnabled());
    EXPECT_EQ(pics.photo[1].size(), QSize(200, 250));  // downloaded again
  } else {
    std::printf("no photo server here: the upload is not tried\n");
  }
}

TEST_F(Windows, PresidentLinesCopyOrOpen) {
  session->TopInfo.About = "about";
  session->TopInfo.WebSite = "https://example.org";
  session->TopRead = true;
  TFAcc1 w(*session, addr, pics, false, style, desk.Make());
  session->TopInfo.About = "about";
  session->TopInfo.WebSite = "https://example.org";
  w.PresidentLineClick(2);
  EXPECT_EQ(desk.copied, "about");
  EXPECT_EQ(desk.told.back(), WordText(WordId::CopiedToClipboard));
  w.PresidentLineClick(6);
  EXPECT_EQ(desk.opened, "https://example.org");
  w.RedrawPresident();
  EXPECT_EQ(w.PresidentLine[6]->text(), "https://example.org");
  w.PageControl1->setCurrentIndex(4);
  Sheet(w, "account_president");
  w.PageControl1->setCurrentIndex(3);
  Sheet(w, "account_about_me");
}

TEST_F(Windows, StatisticsAndTheLike) {
  Settings settings;
  settings.LikeSent = false;
  settings.PassportNick = "Incognito";
  int saves = 0;
  TFStat w(*web, settings, [&] { ++saves; }, style, desk.Make());
  EXPECT_NE(w.Value[1]->text(), WordText(WordId::NoConnect));
  EXPECT_TRUE(w.ButtonLike->isEnabled());
  const QString likesBefore = w.Value[3]->text();
  desk.nickAnswers = {"L", "Lena"};  // one letter is asked again
  w.SendLikeAction();
  EXPECT_TRUE(desk.nickAnswers.empty());
  EXPECT_EQ(settings.PassportNick, "Lena");
  EXPECT_TRUE(settings.LikeSent);
  EXPECT_FALSE(w.ButtonLike->isEnabled());
  EXPECT_EQ(w.Value[3]->text().toInt(), likesBefore.toInt() + 1);
  EXPECT_EQ(w.Value[4]->text(), "Lena");
  EXPECT_GE(saves, 1);
  Sheet(w, "statistics");

  // The launch report: unique until one got through.
  settings.LaunchReported = false;
  EXPECT_TRUE(ReportLaunch(*web, settings, false));
  EXPECT_TRUE(settings.LaunchReported);
}

TEST_F(Windows, InformationDialReadsAndDraws) {
  const DialLabels words = DialWords();
  // An empty Windows board: no score and "No" in the hint.
  DialReading d = ReadDial(3, *session, words);
  EXPECT_FALSE(d.failed);
  EXPECT_EQ(d.figure, "0");
  EXPECT_EQ(d.hint, words.bestWindows + words.no);
  TKuvRecord r;
  r.Nick = "Dial";
  r.City = "Riga";
  r.Country = "1-031";
  r.Score = 740;
  r.R10 = "#";
  ASSERT_GT(web->SubmitRecord(808, r), 0);
  d = ReadDial(3, *session, words);
  EXPECT_EQ(d.figure, "740");
  EXPECT_EQ(d.hint, words.bestWindows + "Dial");
  EXPECT_EQ(d.flagCode, "1-031");
  // A guest sees the member count in the balance's minute.
  d = ReadDial(6, *session, words);
  EXPECT_EQ(d.hint, words.members);
  EXPECT_GE(std::stoi(d.figure), 0);

  auto picture = [](const QString&) { return QImage(); };  // no library: drawn plainly
  const QImage dial = DrawInfoDial(d, 7, picture);
  EXPECT_EQ(dial.size(), QSize(115, 64));
  DialReading big;
  big.figure = DialCount(1234567);
  const QImage a = DrawInfoDial(big, 2, picture), b = DrawInfoDial(DialReading{"00"}, 2, picture);
  EXPECT_NE(a, b);
}

TEST(Flags, EveryCountryHasItsPaintedFlag) {
  QImage sheet(40 * 56, 30 * 6, QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  const QColor unknown(0xd8, 0xd8, 0xd8);
  for (int c = 1; c <= kContinents; ++c) {
    for (int n = 1; n < CountryCount(c); ++n) {
      const std::string code = CountryCode(c, n);
      EXPECT_FALSE(ProgramPicture(CountryFlagName(code)).isNull()) << CountryAt(c, n).english;
      const QImage flag = CountryFlag(code, 36, 24);
      EXPECT_EQ(flag.size(), QSize(36, 24));
      EXPECT_NE(flag.pixelColor(3, 3), unknown) << CountryAt(c, n).english;
      p.drawImage(40 * (n - 1) + 2, 30 * (c - 1) + 3, flag);
    }
  }
  EXPECT_EQ(CountryFlagName(CountryCode(1, 0)), "");
  EXPECT_EQ(CountryFlag("9-999").pixelColor(3, 3), unknown);
  EXPECT_EQ(CountryFlag(CountryCode(2, 0)).pixelColor(3, 3), unknown);
  // Two neighbours in the table do not share a picture.
  EXPECT_NE(CountryFlag(CountryCode(1, 1)), CountryFlag(CountryCode(1, 2)));
  p.end();
  QDir().mkpath(ZARNET_SHEETS_DIR);
  sheet.save(QString(ZARNET_SHEETS_DIR) + "/country_flags.png");
}

TEST(WindowsOffline, EveryFigureSaysNoConnect) {
  ServiceClient client;
  const BuiltInAddresses addr = AddressesAt("http://127.0.0.1:9/");
  WebServices web(client, addr.scripts);
  QTemporaryDir tmp;
  AccountSession s(web, tmp.path().toStdString() + "/" + kUserFileName);
  AccountPictures pics;
  Desk desk;
  FormStyle style;
  TFAcc1 w(s, addr, pics, false, style, desk.Make());
  EXPECT_EQ(w.ResultValue[1]->text(), WordText(WordId::NoConnect));
  EXPECT_FALSE(w.TopNoConnect->isHidden());
  EXPECT_EQ(w.LabelMembers->text(), "");
  Settings settings;
  settings.LikeSent = false;
  settings.LaunchReported = false;
  TFStat st(web, settings, {}, style, desk.Make());
  EXPECT_EQ(st.Value[1]->text(), WordText(WordId::NoConnect));
  EXPECT_EQ(st.Value[2]->text(), "");
  st.SendLikeAction();  // Incognito and no answer: nothing sent
  EXPECT_TRUE(st.ButtonLike->isEnabled());
  for (int start = 0; start < 2; ++start) {
    EXPECT_FALSE(ReportLaunch(web, settings, false));
    EXPECT_FALSE(settings.LaunchReported);
  }
  EXPECT_FALSE(ReportLaunch(web, settings, true));  // the tagged installation sends nothing
  w.PageControl1->setCurrentIndex(2);
  Sheet(w, "account_offline_top_ten");
  Sheet(st, "statistics_offline");
}

}  // namespace
}  // namespace zarnet
