// What the record windows share: sizes and fonts by the window scale, texts
// from the word tables, the owner-drawn buttons, Enter and Escape, and one
// seam for message boxes.
#pragma once

#include <QDialog>
#include <QVBoxLayout>
#include <QFont>
#include <QString>
#include <functional>
#include <string_view>

#include "words.h"

class QAbstractButton;
class QLabel;

namespace zarnet {

class TKuvCardsButton;

// The look a window is opened with: the main window's scale and its "serif"
// font role.
struct FormStyle {
  double scale = 1.0;
  QString serifFamily = "Comic Sans MS";
  int serifPercentage = 100;

  // A design length in pixels.
  int Len(double designLength) const;
  // The serif font at a design height, in pixels.
  QFont Font(double designHeight, bool bold = false) const;
};

// The word in the current language, for display.
QString WordText(WordId id);
// cp1251 bytes of the files, for display.
QString FromFile(std::string_view bytes);
// The letters of `text` that the files' code page cannot hold, each once, in
// the order typed; empty when the whole text can be stored.
QString LettersOutsideCp1251(const QString& text);
// The message that refuses those letters, in the current language.
QString RefusedLettersMessage(const QString& letters);

// A label with its object name, text and font.
QLabel* MakeLabel(const QString& objectName, const QString& text, const QFont& font,
                  QWidget* parent = nullptr);
// A button of the windows, 30 design pixels high.
TKuvCardsButton* MakeButton(const QString& objectName, const QString& text, int designWidth,
                            const FormStyle& style, QWidget* parent = nullptr);

// A modal record window: Enter presses the focused button or else the
// default one, Escape cancels.
class TRecordDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TRecordDialog(QWidget* parent = nullptr);

 protected:
  void SetDefaultButton(QAbstractButton* button) { default_ = button; }
  // The window's column, margins and spacing by the scale; the window keeps
  // the size of its contents.
  QVBoxLayout* MakeFrame(const FormStyle& style);
  // "Ok" centred at the bottom of `frame`: the default button, focused. It
  // closes the window unless `onClick` is given.
  TKuvCardsButton* AddOkButton(QVBoxLayout* frame, const FormStyle& style,
                               std::function<void()> onClick = {});
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QAbstractButton* default_ = nullptr;
};

}  // namespace zarnet
