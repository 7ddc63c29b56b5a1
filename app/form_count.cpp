#include "form_count.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "kuv_button.h"

namespace zarnet {

TFormCount::TFormCount(const TCount& count, const std::string& playerName, const FormStyle& style,
                       QWidget* parent)
    : TRecordDialog(parent) {
  setObjectName("FormCount");
  std::string name = playerName;
  while (!name.empty() && name.back() == ' ') name.pop_back();
  setWindowTitle(WordText(WordId::Player) + ":  " + FromFile(name));

  const struct {
    WordId label;
    const std::string& value;
  } rows[] = {
      {WordId::GeneralNumberOfGame, count.Count_KonAll},
      {WordId::NumberOfRoundInACurrentCycle, count.Count_KonCur},
      {WordId::TheInitialScore, count.Count_ScoBeg},
      {WordId::TheCurrentScore, count.Count_ScoCur},
      {WordId::TheGeneralScore, count.Count_ScoAll},
      {WordId::TheInitialRating, count.Count_ReiBeg},
      {WordId::TheCurrentRating, count.Count_ReiCur},
  };
  const QFont font = style.Font(15);
  const QFont bold = style.Font(15, true);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(style.Len(16));
  grid->setVerticalSpacing(style.Len(4));
  int r = 0;
  for (const auto& row : rows) {
    ++r;
    grid->addWidget(MakeLabel(QString("Label%1").arg(r), WordText(row.label), font, this), r, 0);
    // The texts come padded to their file widths; the column aligns them.
    auto* value = MakeLabel(QString("Value%1").arg(r), QString::fromStdString(row.value).trimmed(),
                            bold, this);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    value->setMinimumWidth(style.Len(70));
    grid->addWidget(value, r, 1);
  }

  auto* title = MakeLabel("Label0", WordText(WordId::InformationAboutGame), style.Font(18, true), this);
  title->setAlignment(Qt::AlignCenter);
  QVBoxLayout* all = MakeFrame(style);
  all->addWidget(title);
  all->addLayout(grid);
  AddOkButton(all, style);
}

}  // namespace zarnet
