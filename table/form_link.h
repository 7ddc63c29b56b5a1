// The Attention window: a picture, up to three lines of text and an Ok button.
#pragma once

#include <QDialog>
#include <QStringList>

namespace zarnet {

class TFormLink : public QDialog {
  Q_OBJECT

 public:
  TFormLink(const QStringList& lines, int language, QWidget* parent = nullptr);
  // Shows the window modally.
  static void Show(const QStringList& lines, int language, QWidget* parent = nullptr);
};

}  // namespace zarnet
