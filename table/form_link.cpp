#include "form_link.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "card_art.h"
#include "kuv_button.h"
#include "resources.h"
#include "words.h"

namespace zarnet {

TFormLink::TFormLink(const QStringList& lines, int language, QWidget* parent) : QDialog(parent) {
  InitArtResources();
  setWindowTitle(QString::fromStdString(WordUtf8(WordId::Attention, language)));
  auto* row = new QHBoxLayout;
  auto* picture = new QLabel;
  picture->setPixmap(QPixmap(":/RCDATA/GIcon48"));
  row->addWidget(picture, 0, Qt::AlignTop);
  auto* texts = new QVBoxLayout;
  for (int i = 0; i < lines.size() && i < 3; ++i) {
    auto* label = new QLabel(lines[i]);
    label->setObjectName(QString("Label%1").arg(i + 1));
    texts->addWidget(label);
  }
  row->addLayout(texts, 1);
  auto* ok = new TKuvCardsButton;
  ok->setText(QString::fromStdString(WordUtf8(WordId::Ok, language)));
  ok->setFixedSize(100, 30);
  connect(ok, &QAbstractButton::clicked, this, &QDialog::accept);
  auto* all = new QVBoxLayout(this);
  all->addLayout(row);
  all->addWidget(ok, 0, Qt::AlignHCenter);
  setModal(true);
}

void TFormLink::Show(const QStringList& lines, int language, QWidget* parent) {
  TFormLink form(lines, language, parent);
  form.exec();
}

}  // namespace zarnet
