// The account window with its five tabs, the profile editor, and the
// statistics window.
#pragma once

#include <QCheckBox>
#include <QDate>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <array>
#include <functional>

#include "account.h"
#include "form_common.h"
#include "settings.h"

namespace zarnet {

class TKuvCardsButton;

// What the account windows ask of the desktop; tests replace them.
struct AccountDesktop {
  std::function<void(const QString&)> inform;
  std::function<bool(const QString&)> confirm;  // Yes/No
  std::function<QString()> choosePhoto;          // a file, or empty
  std::function<void(const QString&)> openUrl;
  std::function<void(const QString&)> copy;      // to the clipboard
  std::function<QString()> askNick;              // empty when cancelled
  std::function<std::string()> today;            // the short date
};
AccountDesktop DefaultDesktop(QWidget* parent);
// A date as the services store it, "dd.MM.yyyy", independent of the locale.
std::string ServiceDate(const QDate& date);

// The account's pictures: photos by slot (1 own, 2 the top player's).
struct AccountPictures {
  std::array<QImage, 3> photo;
};
// GET folder + nick + ".jpg"; the slot keeps its picture on any failure.
bool DownloadAvatar(const std::string& folder, const std::string& nick, QImage* slot);
// A JPEG of exactly 200 x 250 pixels.
bool AcceptablePhoto(const QString& path);

// Drawn pictures of the account windows.
// The flag of a country code "c-nnn", its painted picture at w x h; a grey
// "?" for an unknown code.
QImage CountryFlag(const std::string& code, int w = 24, int h = 16);
// "GFlag_" and the English name; empty for "Unknown" and codes outside the tables.
QString CountryFlagName(const std::string& code);
QImage SexFace(char sex);                 // "FaceMan16" / "FaceWoman16"
QImage NoPhoto(char sex);                 // "GAcNoM" / "GAcNoF"
QImage FramedPhoto(const QImage& photo, char sex);  // with "GAcFrame"
QImage StatePicture(AccountState s, bool lamp);     // "StarR0".. or "LampR24"..

// The menu's information dial on its background: the figure in the digit
// pictures of the mode's colour, the flag beside mode 3's figure.
QImage DrawInfoDial(const DialReading& d, int mode, const std::function<QImage(const QString&)>& picture);
DialLabels DialWords();

// "1523,750"
QString RatingText3(double r);

class TFAcc1 : public TRecordDialog {
  Q_OBJECT

 public:
  // `ratedSwitchable`: opened from the menu's account place.
  TFAcc1(AccountSession& session, const BuiltInAddresses& addresses, AccountPictures& pictures,
         bool ratedSwitchable, const FormStyle& style, AccountDesktop desktop, QWidget* parent = nullptr);

  void CreateAccountClick();
  void LoginOrLogoutClick();
  void RememberLoginClick();
  void ForgetLoginClick();
  void RefreshMyResultsClick();
  void RefreshTopTenClick();
  void OpenProfileEditor();
  // A click on line `field` (0-based, in the profile's order) of "President".
  void PresidentLineClick(int field);

  void RedrawMyAccount();
  void RedrawMyResults();
  void RedrawTopTen();
  void RedrawAboutMe();
  void RedrawPresident();

  QTabWidget* PageControl1;
  QLineEdit *EditNick, *EditPw, *EditCity, *EditEMail, *EditCountry, *EditDateR;
  QComboBox *ComboContinent, *ComboCountry, *ComboSex;
  QLabel *LampNick, *LampPw, *LampCity, *LampEMail, *ImageState, *LabelMembers;
  TKuvCardsButton *Button1, *Button2, *Button3, *Button4, *ButtonRef2, *ButtonRef3, *ButtonAva1;
  QCheckBox *CheckBox1, *CheckBox2;
  std::array<QLabel*, 10> ResultValue{};  // 1..9
  std::array<std::array<QLabel*, 6>, 11> TopCell{};
  QLabel* TopNoConnect;
  QLabel *PhotoMe, *PhotoPresident;
  std::array<QLabel*, 14> AboutLine{}, PresidentLine{};

 private:
  void UpdateButtons();
  void FillCountries(int continent);
  void LoadOwn();
  AccountSession& s_;
  const BuiltInAddresses& addr_;
  AccountPictures& pics_;
  bool ratedSwitchable_;
  FormStyle style_;
  AccountDesktop desk_;
  bool filling_ = false;
};

class TFAcc2 : public TRecordDialog {
  Q_OBJECT

 public:
  TFAcc2(AccountSession& session, const BuiltInAddresses& addresses, AccountPictures& pictures,
         const FormStyle& style, AccountDesktop desktop, QWidget* parent = nullptr);
  void UpdateInfoClick();
  void PhotoClick();
  void RefreshPhotoClick();

  std::array<QLineEdit*, 14> Edit{};
  TKuvCardsButton *ButtonUpdate, *ButtonPhoto;
  QLabel* Photo;

 private:
  AccountSession& s_;
  const BuiltInAddresses& addr_;
  AccountPictures& pics_;
  AccountDesktop desk_;
  QString chosen_;
};

class TFStat : public TRecordDialog {
  Q_OBJECT

 public:
  // Reads the statistics when shown; the like goes with the passport nick.
  TFStat(WebServices& web, Settings& settings, std::function<void()> saveSettings,
         const FormStyle& style, AccountDesktop desktop, QWidget* parent = nullptr);
  void ReadNow();
  void SendLikeAction();

  std::array<QLabel*, 11> Value{};  // 1..10
  TKuvCardsButton* ButtonLike;

 private:
  WebServices& web_;
  Settings& settings_;
  std::function<void()> save_;
  AccountDesktop desk_;
  TKuvStat stat_;
};

// The launch report; "stat2" is 1 until one such report succeeded. The
// caller saves the settings.
bool ReportLaunch(WebServices& web, Settings& settings, bool distributionTag);

}  // namespace zarnet
