#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>

#include "form_link.h"

namespace zarnet {
namespace {

struct Shown {
  QString title, button;
  QStringList lines;
};

Shown Open(const QStringList& lines, int language) {
  TFormLink form(lines, language);
  Shown s{form.windowTitle(), {}, {}};
  if (auto* ok = form.findChild<QAbstractButton*>()) s.button = ok->text();
  for (int i = 1; i <= 3; ++i)
    if (auto* l = form.findChild<QLabel*>(QString("Label%1").arg(i))) s.lines << l->text();
  return s;
}

TEST(FormLink, CaptionAndButtonInTheGivenLanguage) {
  const Shown ru = Open({"x"}, 1);
  EXPECT_EQ(ru.title, QString::fromUtf8("Внимание"));
  EXPECT_EQ(ru.button, QString::fromUtf8("ОК"));
  const Shown ja = Open({"x"}, 8);
  EXPECT_EQ(ja.title, QString::fromUtf8("注意"));
  // A damaged language byte falls back to English rather than failing.
  const Shown bad = Open({"x"}, 42);
  EXPECT_EQ(bad.title, "Attention");
  EXPECT_EQ(bad.button, "Ok");
}

TEST(FormLink, ShowsAtMostThreeLines) {
  EXPECT_EQ(Open({"one", "two", "three", "four"}, 0).lines, (QStringList{"one", "two", "three"}));
}

}  // namespace
}  // namespace zarnet
