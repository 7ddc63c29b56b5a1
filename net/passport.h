// The passport the player is listed under on the world boards and in the
// chat room, and its window.
#pragma once

#include <QDialog>
#include <string>
#include <string_view>

#include "form_common.h"
#include "settings.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace zarnet {

class TKuvCardsButton;

// Letters, digits, "!(),-.@_" and the Cyrillic letters of cp1251.
bool PassportCharAllowed(unsigned char c);
bool HasCyrillic(std::string_view cp1251);
// 1 refused, 2 accepted with Cyrillic letters, 3 accepted; `text` is cp1251.
int PassportFieldCheck(std::string_view text, size_t minLength, size_t maxLength);
inline int NickCheck(std::string_view nick) { return PassportFieldCheck(nick, 2, 12); }
inline int CityCheck(std::string_view city) { return PassportFieldCheck(city, 2, 15); }
// The nick check gives at least `level` and the city check at least 2.
bool PassportValid(const Settings& s, int level);
// "c-000" for continent c: choosing a continent starts at its first entry.
std::string ContinentCode(int continent);

class TFormServerInfo : public TRecordDialog {
  Q_OBJECT

 public:
  TFormServerInfo(Settings& settings, const FormStyle& style, QWidget* parent = nullptr);

  QLineEdit* EditNick = nullptr;
  QLineEdit* EditCity = nullptr;
  QLabel* LampNick = nullptr;
  QLabel* LampCity = nullptr;
  QComboBox* ComboContinent = nullptr;
  QComboBox* ComboCountry = nullptr;
  QComboBox* ComboSex = nullptr;
  TKuvCardsButton* ButtonOk = nullptr;

  void ContinentChosen(int row);  // row 0..5
  void CountryChosen(int row);

 protected:
  void done(int r) override;

 private:
  void FieldEdited();
  void FillCountries(int continent);
  Settings& s_;
  bool filling_ = false;
};

// The passport window, modal.
void ShowPassport(Settings& settings, const FormStyle& style, QWidget* parent = nullptr);

}  // namespace zarnet
