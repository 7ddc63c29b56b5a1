#include "caption_fit.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QRegularExpression>
#include <QTabBar>

#include "kuv_button.h"

namespace zarnet {
namespace {

bool InLayout(const QWidget* w) {
  const QWidget* parent = w->parentWidget();
  return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(w)) >= 0;
}

QString Caption(const QWidget* w) {
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) return b->text();
  if (auto* l = qobject_cast<const QLabel*>(w)) return l->text();
  if (auto* g = qobject_cast<const QGroupBox*>(w)) return g->title();
  return {};
}

void SetFontScaled(QWidget* w, double factor) {
  QFont f = w->font();
  if (f.pixelSize() > 0)
    f.setPixelSize(std::max(6, int(f.pixelSize() * factor)));
  else
    f.setPointSizeF(f.pointSizeF() * factor);
  w->setFont(f);
}

}  // namespace

int CaptionShortfall(const QWidget* w) {
  if (!w->isVisibleTo(w->window()) && w != w->window()) return 0;
  if (auto* k = qobject_cast<const TKuvCardsButton*>(w)) return k->CaptionShortfall();
  if (auto* bar = qobject_cast<const QTabBar*>(w)) {
    int worst = 0;
    const QFontMetrics fm(bar->font());
    for (int i = 0; i < bar->count(); ++i) {
      const QString t = bar->tabText(i);
      if (t.endsWith(QChar(0x2026))) worst = std::max(worst, 1);
      worst = std::max(worst, fm.horizontalAdvance(t) - bar->tabRect(i).width());
    }
    return worst;
  }
  if (auto* g = qobject_cast<const QGroupBox*>(w)) {
    if (g->title().isEmpty()) return 0;
    return std::max(0, QFontMetrics(g->font()).horizontalAdvance(g->title()) + 16 - g->width());
  }
  if (auto* l = qobject_cast<const QLabel*>(w)) {
    if (l->text().isEmpty() || l->textFormat() == Qt::RichText || Qt::mightBeRichText(l->text())) return 0;
    if (l->wordWrap()) {
      // A wrapped label needs the height of its lines; a word wider than the
      // label is cut all the same.
      int widest = 0;
      const QFontMetrics fm(l->font());
      for (const QString& word : l->text().split(QRegularExpression("\\s+"), Qt::SkipEmptyParts))
        widest = std::max(widest, fm.horizontalAdvance(word));
      const int lack = l->heightForWidth(l->width()) - l->height();
      return std::max({0, widest - l->contentsRect().width(), lack > 0 ? 1 : 0});
    }
    // A label with a buddy shows its "&" as an underline under the next letter.
    QString shown = l->text();
    if (l->buddy()) shown.replace(QRegularExpression("&(.)"), "\\1");
    const int need = QFontMetrics(l->font()).horizontalAdvance(shown) + l->margin() * 2 +
                     std::max(0, l->indent());
    return std::max(0, need - l->contentsRect().width());
  }
  if (auto* b = qobject_cast<const QAbstractButton*>(w)) {
    if (b->text().isEmpty()) return 0;
    return std::max(0, b->sizeHint().width() - b->width());
  }
  return 0;
}

QStringList ClippedCaptions(const QWidget* root) {
  QStringList out;
  QList<const QWidget*> all{root};
  for (const QWidget* w : root->findChildren<QWidget*>()) all << w;
  for (const QWidget* w : all) {
    if (!w->isVisible()) continue;
    const int lack = CaptionShortfall(w);
    if (lack <= 0) continue;
    QString text = Caption(w);
    if (auto* bar = qobject_cast<const QTabBar*>(w)) {
      QStringList tabs;
      for (int i = 0; i < bar->count(); ++i) tabs << bar->tabText(i);
      text = tabs.join(" | ");
    }
    out << QString("%1 %2: \"%3\" (%4 px short)")
               .arg(w->metaObject()->className(), w->objectName(), text)
               .arg(lack);
  }
  return out;
}

void FitCaptions(QWidget* root) {
  for (QWidget* w : root->findChildren<QWidget*>()) {
    if (qobject_cast<TKuvCardsButton*>(w) || qobject_cast<QTabBar*>(w) || InLayout(w)) continue;
    if (Caption(w).isEmpty() || CaptionShortfall(w) <= 0) continue;
    for (int step = 0; step < 2 && CaptionShortfall(w) > 0; ++step) SetFontScaled(w, 0.9);
    const int lack = CaptionShortfall(w);
    if (lack <= 0 || !w->parentWidget()) continue;
    const int room = w->parentWidget()->width() - w->geometry().right() - 1;
    w->resize(w->width() + std::min(lack, std::max(0, room)), w->height());
  }
}

}  // namespace zarnet
