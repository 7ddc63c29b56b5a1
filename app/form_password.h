// The welcome dialog: admits a listed player by his password or takes a new
// player's name and password. A refusal is told in the dialog's message
// line, which the next edit hides.
#pragma once

#include <functional>
#include <string>

#include "form_common.h"
#include "player_list.h"

class QGroupBox;
class QLabel;
class QLineEdit;

namespace zarnet {

class TKuvCardsButton;

class TFormPassword : public TRecordDialog {
  Q_OBJECT

 public:
  // `slot` 1..5 is line `slot` of the list at `listPath`, whose name is shown
  // and whose password must be typed; 6 is a new player, whose name box
  // starts with `lastName` (cp1251).
  TFormPassword(const std::string& listPath, int slot, const std::string& lastName,
                const FormStyle& style, QWidget* parent = nullptr);

  // After exec() gave Accepted: the name (20 characters), the password
  // field and, for a new player, the deal and score texts to start from.
  const AdmittedPlayer& Admitted() const { return admitted_; }
  int Slot() const { return slot_; }

  // The place below the player's boxes for the net game's fields; hidden
  // until something is put into it.
  QGroupBox* NetworkBox() const { return networkBox_; }
  // Runs once the player is admitted; the dialog closes only when it gives
  // true (a net game connects here). Unset, the dialog closes at once.
  std::function<bool()> AfterAdmission;

  // "Ok": the checks, their messages, and the close.
  void Button1Click();
  // The message line: what is shown there, empty when it is hidden.
  QString MessageLine() const;
  void ShowMessageLine(const QString& text);

 private:
  int slot_;
  std::string storedField_;
  QString listError_;  // the listed player's line could not be read
  QString refused_;    // letters typed that the list cannot hold
  bool passwordRefused_ = false;
  AdmittedPlayer admitted_;
  QLineEdit* Edit1 = nullptr;  // name
  QLineEdit* Edit2 = nullptr;  // password
  QLineEdit* Edit3 = nullptr;  // the password again, new players only
  QGroupBox* networkBox_ = nullptr;
  QLabel* LabelMessage = nullptr;
};

}  // namespace zarnet
