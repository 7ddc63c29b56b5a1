// The chat room shared by the players of the maker's games: ten messages
// on record board 100, read on demand and posted one request each.
#pragma once

#include <QDateTime>
#include <QImage>
#include <QTimer>
#include <functional>
#include <string>
#include <string_view>

#include "form_common.h"
#include "passport.h"
#include "service_requests.h"
#include "settings.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zarnet {

class TKuvCardsButton;

inline constexpr int kChatBoard = 100;
inline constexpr const char* kChatSettingsFile = "KuvChatKuv.ini";

struct ChatSettings {
  int LastSeen = 0;  // ChatLastSeen
  bool AtBottom = false;
  bool PopUp = false;
};

// The chat's memory: the file's options and what the board showed last.
struct ChatState {
  ChatSettings settings;
  int Newest = 0;  // ChatNewest
  bool Unread = false;
};

// "KuvChatKuv.ini" in the folder above the program's folder.
std::string ChatSettingsPath(const std::string& programFolder);
// A missing file is created with last seen 1 and both options off; a file
// that cannot be read gives 0 and the options off.
ChatSettings ReadChatSettings(const std::string& programFolder);
bool SaveChatSettings(const std::string& programFolder, const ChatSettings& s);

// cp1251 text with every character outside the chat alphabet made '_'.
std::string ChatText(std::string_view cp1251);
// Local time "_" local date "_" the game's name, in the chat alphabet.
std::string ChatStamp(const QDateTime& when);
// A stored text for display: '_' shown as blanks.
QString ChatShown(std::string_view stored);
// The list row 1..10 of board entry 1..10.
inline int ChatRow(int entry, bool atBottom) { return atBottom ? 11 - entry : entry; }
// Draws the ten bands and the entries; a failed reading shows "No Connect".
QImage DrawChatList(const RecordList* list, int lastSeen, bool atBottom);

// Reads the file and the board: true when a message newer than the last seen
// one is there. The state keeps what was read.
bool CheckChatNews(WebServices& web, const std::string& programFolder, ChatState* state);

class TFormChat : public TRecordDialog {
  Q_OBJECT

 public:
  TFormChat(Settings& settings, WebServices& web, ChatState& state, std::string programFolder,
            const FormStyle& style, QWidget* parent = nullptr);

  // A plain message box; tests replace it.
  std::function<void(const QString&)> Inform;
  // Opens the passport window.
  std::function<void()> OpenPassport;

  QLineEdit* Edit1 = nullptr;
  TKuvCardsButton* Button1 = nullptr;  // Close
  TKuvCardsButton* Button2 = nullptr;  // Passport
  TKuvCardsButton* Button3 = nullptr;  // Send
  QPushButton* Image3 = nullptr;       // refresh
  QCheckBox* CheckBox1 = nullptr;
  QCheckBox* CheckBox2 = nullptr;
  QLabel* Image2 = nullptr;
  QTimer Timer1;
  QImage List;  // what Image2 shows
  RecordList Board{};
  bool BoardRead = false;

  void ShowChatMessages();
  // False when nothing was posted.
  bool PostChatMessage();
  void Timer1Timer();
  void Image3Click();
  void CheckBox1Click();
  void CheckBox2Click();
  void Button2Click();

 protected:
  void done(int r) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  // Writes the chat's settings file; a failure is told once.
  void SaveSettingsOrTell();
  bool toldSaveFailure_ = false;
  bool InputAllowed() const { return PassportValid(settings_, 2); }
  Settings& settings_;
  WebServices& web_;
  ChatState& state_;
  std::string folder_;
};


}  // namespace zarnet
