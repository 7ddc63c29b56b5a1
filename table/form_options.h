// The options window: nine tabs over the settings record. Every change is written
// to the record and handed to the host at once; there is no cancel.
#pragma once

#include <QDialog>
#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace zarnet {

class CardArt;
class TKuvCardsButton;

// What the main window does when an option changes. It reads the new value from
// the settings record; loaders that fall back to a default write the fallback
// back into the record and return false.
class OptionsHost {
 public:
  virtual ~OptionsHost() = default;
  virtual void ApplyLanguage() = 0;        // relocalize the main window
  virtual void ApplyWindowMode() = 0;
  virtual void SoundChanged() = 0;
  virtual void MusicChanged() = 0;         // start or stop the tune
  virtual void GifAnimationChanged() = 0;  // run or freeze the menu animations
  virtual void FlyCardsChanged() = 0;
  virtual void CursorChanged() = 0;
  virtual void ButtonsChanged() = 0;       // the button style of the main window
  virtual void NetGameChanged() = 0;       // menu caption and player list file
  virtual bool ReloadFaces() = 0;          // faces, then backs
  virtual bool ReloadBacks() = 0;
  virtual void BackModeChanged() = 0;      // the back of the day
  virtual bool ReloadBackground() = 0;     // for the screen being shown, and redraw
  virtual void RulesChanged() = 0;         // rules and the opponent's strength
  virtual void FontsChanged() = 0;
  virtual void RecorderChanged() = 0;
  virtual void DesignChanged() = 0;        // menu, table and window designs, touch effect
  virtual void PlaySound(const std::string& name) = 0;
  virtual void ShowMissingFile(const std::string& fileName) = 0;
  virtual void TouchEffect() = 0;
};

// The library files offered for download, in the order of the libraries tab.
inline constexpr std::array<const char*, 9> kDownloadLibraries = {
    "KuvCards06A.dll", "KuvCards06B.dll", "KuvCards06C.dll", "KuvBackG03.dll", "KuvCalendar01.dll",
    "KuvRadio01.lst",  "KuvRadio01.dll",  "KuvCVoice3.dll",  "KuvCGraph1.dll"};

// Whether a library lies in one of the folders it is looked for in.
bool LibraryPresent(const std::string& programFolder, const std::string& fileName);

// Fetches baseUrl + "/downloads/progr/cards/" + fileName into the parent folder.
// A library must arrive as a resource file; anything else is refused and nothing
// is written. False with a reason in *error on any failure.
bool DownloadLibrary(const std::string& baseUrl, const std::string& programFolder,
                     const std::string& fileName, std::string* error = nullptr);

// Window-size items the screen can hold: 5, 4 or 3 of them.
int WindowSizeItemsFor(QSize screen);

class TFormOptions : public QDialog {
  Q_OBJECT

 public:
  // art may be null: the card preview then stays empty.
  TFormOptions(Settings& settings, OptionsHost& host, const std::string& programFolder,
               CardArt* art = nullptr, QWidget* parent = nullptr);
  ~TFormOptions() override;

  // Opens the speed window; the window writes FlySpeed.
  std::function<void()> OpenSpeedWindow;
  // Opens the passport window.
  std::function<void()> OpenPassport;
  // The screen the window sizes are trimmed to; the primary screen by default.
  std::function<QSize()> ScreenSize;
  // Where the libraries are downloaded from (scheme and host, no trailing "/").
  std::string DownloadBaseUrl;

  // Controls, named as the game names them.
  QTabWidget* PageControl1 = nullptr;
  TKuvCardsButton* Button1 = nullptr;  // Ok
  QComboBox* ComboBoxLan = nullptr;
  QComboBox* ComboBoxWSize = nullptr;
  QCheckBox* CheckBox1 = nullptr;  // sound
  QCheckBox* CheckBox2 = nullptr;  // music
  QCheckBox* CheckBox3 = nullptr;  // animation
  QCheckBox* CheckBox4 = nullptr;  // flights
  QCheckBox* CheckBoxCur = nullptr;
  QCheckBox* CheckBoxBut = nullptr;
  QCheckBox* CheckBoxNet = nullptr;
  TKuvCardsButton* Button3 = nullptr;  // speed
  TKuvCardsButton* Button4 = nullptr;  // passport
  QComboBox* ComboBox1 = nullptr;      // face design
  QLabel* Image1 = nullptr;            // card preview
  TKuvCardsButton* ButtonDLLCardsA_1 = nullptr;
  TKuvCardsButton* ButtonDLLCardsB_1 = nullptr;
  TKuvCardsButton* ButtonDLLCardsC_1 = nullptr;
  QComboBox* ComboBox2 = nullptr;  // back set
  QGroupBox* RadioGroup2 = nullptr;
  std::array<QRadioButton*, 3> RadioGroup2Items{};
  TKuvCardsButton* ButtonDLLCardsB_2 = nullptr;
  QCheckBox* CheckBox5 = nullptr;  // Black Hand
  QCheckBox* CheckBox6 = nullptr;  // replace the deuce
  QRadioButton* RadioOpponentStandard = nullptr;
  QRadioButton* RadioOpponentStrong = nullptr;
  QRadioButton* RadioOpponentExpert = nullptr;
  QComboBox* ComboBoxFont = nullptr;
  QFontComboBox* FontComboBox1 = nullptr;
  QSpinBox* SpinEdit1 = nullptr;
  TKuvCardsButton* Button2 = nullptr;  // fonts back to their defaults
  QComboBox* ComboBoxBG1 = nullptr;
  QComboBox* ComboBoxBG2 = nullptr;
  TKuvCardsButton* ButtonDLLBackG_1 = nullptr;
  QCheckBox* CheckBoxSG1 = nullptr;
  QComboBox* ComboBoxSG1 = nullptr;
  QSpinBox* SpinEditSG1 = nullptr;
  std::array<TKuvCardsButton*, 9> LibraryButtons{};  // the libraries tab, as kDownloadLibraries
  QComboBox* ComboBoxD1 = nullptr;
  QComboBox* ComboBoxD2 = nullptr;
  QComboBox* ComboBoxD3 = nullptr;
  QCheckBox* CheckBoxD1 = nullptr;  // touch effect on buttons
  QCheckBox* CheckBoxD2 = nullptr;  // touch effect on cards

  // The preview as last drawn: four cards of the current design.
  const QImage& Preview() const { return preview_; }
  // Every download button of one library file.
  std::vector<TKuvCardsButton*> DownloadButtons(const std::string& fileName) const;

  // Event handlers.
  void FormShow();
  void ComboBoxLanChange(int item);
  void ComboBoxWSizeChange(int item);
  void Button3Click();
  void Button4Click();
  void ComboBox1Change(int item);
  void ComboBox2Change(int item);
  void RadioGroup2Click(int item);
  void ComboBoxFontChange(int item);
  void FontComboBox1Change(const QString& name);
  void SpinEdit1Change(int percentage);
  void Button2Click();
  void ComboBoxBG1Change(int item);
  void ComboBoxBG2Change(int item);
  void CheckBoxSG1Click(bool on);
  void ComboBoxD1Change(int item);
  void ComboBoxD2Change(int item);
  void ComboBoxD3Change(int item);
  void DownloadClick(const std::string& fileName);
  void Button1Click();

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void BuildGeneral();
  void BuildCards();
  void BuildDecks();
  void BuildGame();
  void BuildFonts();
  void BuildBackground();
  void BuildSaveGames();
  void BuildLibraries();
  void BuildDesign();
  TKuvCardsButton* MakeButton(QWidget* parent, int width);
  TKuvCardsButton* MakeDownloadButton(QWidget* parent, const char* fileName);

  // Texts of every control in the current language.
  void Localize();
  // Controls from the record, without firing their handlers.
  void SyncFromSettings();
  void UpdateBackRules();
  void UpdateBackgroundRules();
  void UpdateRecorderRules();
  void UpdateLibraryButtons();
  void UpdateSalute();
  void FillWindowSizes();
  void ShowFontRole(int role);
  void FitTabNames(const QStringList& names);
  QFont tabFont_;
  void DrawPreview();
  void ResetDesign();
  void ChooseScreenDesign(bool Settings::*field, int item);
  void ChooseBackground(int Settings::*field, int value);
  bool GraphLibraryPresent() const;

  Settings& s_;
  OptionsHost& host_;
  std::string folder_;
  CardArt* art_;
  QImage preview_;
  int sizeItems_ = 5;
  bool syncing_ = false;
  std::vector<std::pair<TKuvCardsButton*, std::string>> downloads_;
  std::vector<TKuvCardsButton*> buttons_;
};

}  // namespace zarnet
