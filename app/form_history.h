// The history window: the valid history files in a list, the chosen file's
// series in a grid.
#pragma once

#include <string>

#include "form_common.h"
#include "history.h"

class QComboBox;
class QLabel;
class QTableWidget;

namespace zarnet {

class TFHistory : public TRecordDialog {
  Q_OBJECT

 public:
  // The history of the program folder `programDir`; the last file is shown.
  TFHistory(const std::string& programDir, const FormStyle& style, QWidget* parent = nullptr);

  // Shows the entries of the list's item `index`.
  void ComboBox1Change(int index);

 private:
  // The grid as wide as its columns, so no row needs scrolling sideways.
  void FitGridWidth();

  HistoryPlace place_;
  std::vector<HistoryFileItem> files_;
  QComboBox* ComboBox1 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  // Shown when damaged files were set aside.
  QLabel* SetAsideNote = nullptr;
  int padding_ = 10;  // room beside a cell's text
};

}  // namespace zarnet
