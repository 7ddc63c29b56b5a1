#include "form_top_ten.h"

#include <QFile>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <vector>

#include "kuv_button.h"
#include "player_list.h"
#include "series_files.h"

namespace zarnet {

namespace {

// Lines 6..15 as they stand; a short or missing list gives blank places
// rather than a refusal, since the window only shows them.
std::vector<std::string> TopTenLines(const std::string& path) {
  std::vector<std::string> lines;
  QFile f(QString::fromStdString(path));
  if (f.open(QIODevice::ReadOnly)) {
    for (int n = 1; n <= 15 && !f.atEnd(); ++n) {
      std::string line = f.readLine(4096).toStdString();
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      if (n >= 6) lines.push_back(line);
    }
  }
  lines.resize(10);
  return lines;
}

QString Trimmed(std::string s) {
  s.resize(std::max(s.size(), kTopTenLineLength), ' ');
  return FromFile(s).trimmed();
}

}  // namespace

TFormTopTen::TFormTopTen(const std::string& programDir, bool netList, const FormStyle& style,
                         QWidget* parent)
    : TRecordDialog(parent) {
  setObjectName("FormTopTen");
  setWindowTitle(WordText(WordId::TopTen));
  const std::vector<std::string> lines = TopTenLines(ProgramFiles{programDir}.ListPath(netList));

  auto* title = MakeLabel("Label0",
                          WordText(netList ? WordId::WindowsNetGames : WordId::WindowsLocalGamesWithPc),
                          style.Font(18, true), this);
  title->setAlignment(Qt::AlignCenter);

  const QFont head = style.Font(15, true);
  const QFont font = style.Font(16, true);
  auto* grid = new QGridLayout;
  grid->setHorizontalSpacing(style.Len(14));
  grid->setVerticalSpacing(style.Len(3));
  grid->addWidget(MakeLabel("TitlePlace", WordText(WordId::Place), head, this), 0, 0);
  grid->addWidget(MakeLabel("TitleName", WordText(WordId::Player), head, this), 0, 1);
  auto* scoreTitle = MakeLabel("TitleScore", WordText(WordId::Score), head, this);
  scoreTitle->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  grid->addWidget(scoreTitle, 0, 2);
  for (int k = 1; k <= 10; ++k) {
    const std::string& line = lines[k - 1];
    const QString name = Trimmed(line.substr(0, std::min<size_t>(line.size(), 20)));
    const QString score = Trimmed(line.size() > 20 ? line.substr(20, 6) : std::string());
    QPalette pal;
    pal.setColor(QPalette::WindowText, k <= 3 ? PrizeColour() : PlaceColour());
    QLabel* cells[] = {MakeLabel(QString("Place%1").arg(k), QString("%1.").arg(k), font, this),
                       MakeLabel(QString("Name%1").arg(k), name, font, this),
                       MakeLabel(QString("Score%1").arg(k), score, font, this)};
    cells[0]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cells[1]->setMinimumWidth(style.Len(200));
    cells[2]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (int c = 0; c < 3; ++c) {
      cells[c]->setPalette(pal);
      grid->addWidget(cells[c], k, c);
    }
  }

  QVBoxLayout* all = MakeFrame(style);
  all->addWidget(title);
  all->addLayout(grid);
  AddOkButton(all, style);
}

}  // namespace zarnet
