#include "form_history.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "kuv_button.h"
#include "player_list.h"

namespace zarnet {

TFHistory::TFHistory(const std::string& programDir, const FormStyle& style, QWidget* parent)
    : TRecordDialog(parent), place_{programDir, kClubListName} {
  setObjectName("FHistory");
  setWindowTitle(WordText(WordId::HistoryOfGames));
  files_ = ListHistoryFiles(place_);

  ComboBox1 = new QComboBox(this);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setFont(style.Font(14));
  if (files_.empty()) {
    ComboBox1->addItem(WordText(WordId::NoHistoryFiles));
    ComboBox1->setEnabled(false);
  }
  const std::string prefix = "File I";
  for (const HistoryFileItem& f : files_) {
    std::string rest = f.text.substr(std::min(prefix.size(), f.text.size()));
    ComboBox1->addItem(WordText(WordId::FileI) + FromFile(rest));
  }

  const WordId titles[7] = {WordId::Time,   WordId::Date,   WordId::Player, WordId::Games,
                            WordId::Result, WordId::Rating, WordId::Type};
  StringGrid1 = new QTableWidget(0, 7, this);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setFont(style.Font(13));
  StringGrid1->horizontalHeader()->setFont(style.Font(13, true));
  StringGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
  StringGrid1->verticalHeader()->hide();
  StringGrid1->verticalHeader()->setDefaultSectionSize(style.Len(20));
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  const QFontMetrics headerMetrics(StringGrid1->horizontalHeader()->font());
  padding_ = style.Len(10);
  for (int c = 0; c < 7; ++c) {
    StringGrid1->setHorizontalHeaderItem(c, new QTableWidgetItem(WordText(titles[c])));
    // A title longer than its column in some language widens the column.
    int w = std::max(style.Len(kHistoryColumnWidths[c]),
                     headerMetrics.horizontalAdvance(WordText(titles[c])) + padding_);
    if (c == 6) {
      const QFontMetrics cells(StringGrid1->font());
      for (WordId kind : {WordId::Local, WordId::Net, WordId::Account, WordId::Tourney})
        w = std::max(w, cells.horizontalAdvance(WordText(kind)) + padding_);
    }
    StringGrid1->setColumnWidth(c, w);
  }
  StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  StringGrid1->setMinimumHeight(style.Len(300));
  FitGridWidth();

  QVBoxLayout* all = MakeFrame(style);
  // A long history is easier to read in a taller window.
  all->setSizeConstraint(QLayout::SetDefaultConstraint);
  all->addWidget(ComboBox1, 0, Qt::AlignLeft);
  // Damaged files are kept beside the history, never shown in the grid;
  // the player learns where they went.
  const std::vector<std::string> aside = SetAsideHistoryFiles(place_);
  if (!aside.empty()) {
    QString text = WordText(WordId::HistorySetAside);
    for (const std::string& name : aside) text += "\n" + QString::fromStdString(name);
    SetAsideNote = new QLabel(text, this);
    SetAsideNote->setObjectName("SetAsideNote");
    SetAsideNote->setFont(style.Font(12));
    SetAsideNote->setWordWrap(true);
    all->addWidget(SetAsideNote);
  }
  all->addWidget(StringGrid1, 1);
  QWidget* ok = AddOkButton(all, style);

  connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TFHistory::ComboBox1Change);
  if (!files_.empty()) {
    ComboBox1->setCurrentIndex(int(files_.size()) - 1);
    ComboBox1Change(ComboBox1->currentIndex());
  }
  setTabOrder(ComboBox1, StringGrid1);
  setTabOrder(StringGrid1, ok);
  (files_.empty() ? static_cast<QWidget*>(ok) : ComboBox1)->setFocus();
}

void TFHistory::FitGridWidth() {
  int width = 2 * StringGrid1->frameWidth() + StringGrid1->verticalScrollBar()->sizeHint().width();
  for (int c = 0; c < StringGrid1->columnCount(); ++c) width += StringGrid1->columnWidth(c);
  StringGrid1->setMinimumWidth(width);
}

void TFHistory::ComboBox1Change(int index) {
  StringGrid1->setRowCount(0);
  if (index < 0 || index >= int(files_.size())) return;
  const HistoryLabels labels{WordUtf8(WordId::Local), WordUtf8(WordId::Net),
                             WordUtf8(WordId::Account), WordUtf8(WordId::Tourney)};
  const std::vector<HistoryRow> rows = ReadHistoryRows(place_, files_[index].number, labels);
  StringGrid1->setRowCount(int(rows.size()));
  for (int r = 0; r < int(rows.size()); ++r) {
    for (int c = 0; c < 7; ++c) {
      // The type is a word already in display form; the rest is file text.
      const QString text = c == 6 ? QString::fromStdString(rows[r][c]) : FromFile(rows[r][c]).trimmed();
      auto* item = new QTableWidgetItem(text);
      if (c == 3 || c == 4 || c == 5) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      StringGrid1->setItem(r, c, item);
    }
  }
  // A column never cuts its cells: faces differ in width by language.
  const QFontMetrics metrics(StringGrid1->font());
  for (int c = 0; c < 7; ++c) {
    int w = StringGrid1->columnWidth(c);
    for (int r = 0; r < StringGrid1->rowCount(); ++r)
      w = std::max(w, metrics.horizontalAdvance(StringGrid1->item(r, c)->text()) + padding_);
    StringGrid1->setColumnWidth(c, w);
  }
  FitGridWidth();
  // The newest series are at the end of a file.
  StringGrid1->scrollToBottom();
}

}  // namespace zarnet
