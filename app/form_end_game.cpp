#include "form_end_game.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QMovie>
#include <QPainter>
#include <QVBoxLayout>

#include "game_state.h"
#include "kuv_button.h"
#include "resources.h"

namespace zarnet {

namespace {

// Sound, animation and the frame it stops at (still: shown), by case.
struct CaseLook {
  const char* sound;
  const char* animation;
  int stopFrame;
};
constexpr CaseLook kLooks[3] = {
    {"WFiBest", "GEndBest", 25}, {"WFiGood", "GEndGood", 24}, {"WFiBads", "GEndBads", 3}};

}  // namespace

EndGameKind KindOfSeries(bool netGame, int playerSlot) {
  if (netGame) return EndGameKind::Net;
  return playerSlot == kSlotAccount ? EndGameKind::Account : EndGameKind::Local;
}

const char* TFormEndGame::SoundName(Case c) { return kLooks[int(c)].sound; }
const char* TFormEndGame::AnimationName(Case c) { return kLooks[int(c)].animation; }

int TFormEndGame::StopFrame(Case c, bool animate) {
  // The regrets loop while animated.
  return c == Case::Bad && animate ? 0 : kLooks[int(c)].stopFrame;
}

namespace {

// The medal with the place drawn over it.
QPixmap MedalPicture(int place, double scale) {
  QImage medal(":/RCDATA/GMedal");
  if (medal.isNull()) return {};
  medal = medal.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  const QImage number(QString(":/RCDATA/GPlace%1").arg(place, 2, 10, QChar('0')));
  if (!number.isNull()) {
    QPainter p(&medal);
    p.drawImage(0, 0, number);
  }
  const QSize size(int(medal.width() * scale + 0.5), int(medal.height() * scale + 0.5));
  return QPixmap::fromImage(medal.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

TFormEndGame::TFormEndGame(const EndGameData& d, const FormStyle& style, QWidget* parent)
    : TRecordDialog(parent), animate_(d.animate) {
  InitArtResources();
  setObjectName("FormEndGame");
  setWindowTitle(WordText(WordId::TheCompletionOfGame));
  const int place = std::max(0, d.place);
  case_ = place == 1 ? Case::Best : place >= 2 && place <= 10 ? Case::Good : Case::Bad;

  QStringList texts;
  const QString result = WordText(WordId::ResultColon) + QString::number(d.score);
  switch (case_) {
    case Case::Best:
      texts << WordText(WordId::Congratulations) << WordText(WordId::YourResultTheBest) << result
            << WordText(d.kind == EndGameKind::Account ? WordId::YouBecomeTheVicePresidentOfTheOrder
                        : d.kind == EndGameKind::Net   ? WordId::YouBecomeABachelorOfTheOrder
                                                       : WordId::YouBecomeAMasterOfTheOrder);
      break;
    case Case::Good:
      texts << WordText(WordId::Congratulations) << WordText(WordId::GoodResult) << result
            << WordText(WordId::YouHaveHittedInTopTenPlayers);
      break;
    case Case::Bad:
      texts << WordText(WordId::OurRegrets) << WordText(WordId::YourResultKeepsToWishBest)
            << (place > 10 ? result + " ; " + WordText(WordId::PlaceColon) + QString::number(place)
                           : result)
            << WordText(WordId::YouHaveNotHittedInTenBestPlayers);
      break;
  }
  const bool bonus = d.kind == EndGameKind::Account && d.bonus > 0;
  if (bonus)
    texts << WordText(WordId::YouGet) + " " + QString::number(d.bonus) + " " +
                 WordText(WordId::Currency) + "!!!";

  // Left: the animation; middle: the texts; right: the medal.
  auto* anim = new QLabel(this);
  anim->setObjectName("Animate1");
  anim->setFixedSize(style.Len(100), style.Len(200));
  anim->setAlignment(Qt::AlignCenter);
  movie_ = new QMovie(QString(":/GIF/") + AnimationName(case_), QByteArray(), this);
  movie_->setScaledSize(anim->size());
  anim->setMovie(movie_);
  const int stop = StopFrame(case_, animate_);
  if (stop > 0 && animate_) {
    connect(movie_, &QMovie::frameChanged, this, [this, stop](int frame) {
      if (frame + 1 >= stop) movie_->setPaused(true);
    });
  }
  if (!animate_) {
    // GIF frames have no random access: step up to the still one.
    const int still = std::min(stop, movie_->frameCount()) - 1;
    for (int guard = 0; movie_->currentFrameNumber() < still && guard <= still; ++guard)
      if (!movie_->jumpToNextFrame()) break;
  }

  auto* column = new QVBoxLayout;
  column->setSpacing(style.Len(8));
  const QColor colours[] = {QColor(0xb0, 0x10, 0x10), QColor(0x10, 0x20, 0x80),
                            QColor(0x00, 0x60, 0x00), QColor(0x80, 0x00, 0x80),
                            QColor(0x80, 0x50, 0x00)};
  column->addStretch();
  for (int i = 0; i < texts.size(); ++i) {
    auto* l = MakeLabel(QString("Label%1").arg(i + 1), texts[i],
                        style.Font(i == 0 ? 22 : 16, true), this);
    l->setAlignment(Qt::AlignCenter);
    l->setWordWrap(true);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, colours[i % 5]);
    l->setPalette(pal);
    column->addWidget(l);
  }
  column->addStretch();

  auto* row = new QHBoxLayout;
  row->setSpacing(style.Len(14));
  row->addWidget(anim, 0, Qt::AlignVCenter);
  auto* middle = new QWidget(this);
  middle->setLayout(column);
  middle->setFixedWidth(style.Len(330));
  row->addWidget(middle, 1);
  if (place >= 1 && place <= 10) {
    auto* medal = new QLabel(this);
    medal->setObjectName("ImageMedal");
    medal->setPixmap(MedalPicture(place, style.scale));
    row->addWidget(medal, 0, Qt::AlignVCenter);
  }
  if (bonus) {
    const QImage account(":/RCDATA/Account48");
    if (!account.isNull()) {
      auto* pic = new QLabel(this);
      pic->setObjectName("ImageAccount");
      pic->setPixmap(QPixmap::fromImage(account));
      row->addWidget(pic, 0, Qt::AlignTop);
    }
  }

  QVBoxLayout* all = MakeFrame(style);
  all->addLayout(row);
  AddOkButton(all, style);
}

void TFormEndGame::showEvent(QShowEvent* e) {
  TRecordDialog::showEvent(e);
  if (soundPlayed_) return;
  soundPlayed_ = true;
  if (PlaySound) PlaySound(SoundName(case_));
  if (animate_) movie_->start();
}

}  // namespace zarnet
