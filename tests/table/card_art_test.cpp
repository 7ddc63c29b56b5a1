#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <set>

#include "card_art.h"
#include "codec.h"

using namespace zarnet;

namespace {

CardCode Code(const char* utf8) {
  const std::string bytes = Utf8ToCp1251(utf8);
  return {bytes[0], bytes[1]};
}

// A stand-in for the program's resources and the libraries: answers every name with a
// picture of the size its name asks for, and remembers what was asked.
class FakeSource : public PictureSource {
 public:
  std::set<QString> present{""};
  std::vector<QString> opened;
  std::vector<QString> reads;  // "library|type|name"
  QString current;

  bool Open(const QString& library) override {
    if (!present.count(library)) return false;
    current = library;
    opened.push_back(library);
    return true;
  }
  void Close() override { current.clear(); }
  QImage Read(const QString& type, const QString& name) override {
    reads.push_back(current + "|" + type + "|" + name);
    QSize size(69, 94);
    if (name.startsWith("Fon") || name == "BGLilu") size = name.endsWith("B") ? QSize(1920, 922) : QSize(760, 500);
    else if (name.startsWith("Cher") || name.startsWith("Bubi") || name.startsWith("Kres") || name.startsWith("Piki"))
      size = name.endsWith("B") ? QSize(40, 40) : QSize(20, 20);
    else if (name.startsWith("Ob")) {
      const bool large = name.endsWith("B") || name.endsWith("U");
      size = large ? QSize(146, 198) : QSize(69, 94);
      if (name.mid(6, 1) == "R") size.transpose();
    } else if (name.endsWith("B")) size = QSize(146, 198);
    QImage img(size, QImage::Format_ARGB32);
    img.fill(QColor(10, 20, 30));
    return img;
  }
  bool Read(const QString& entry) const { return std::find(reads.begin(), reads.end(), entry) != reads.end(); }
};

struct Store {
  FakeSource* source = new FakeSource;
  CardArt art{std::unique_ptr<PictureSource>(source)};
  QStringList notices;
  Store() {
    art.Notice = [this](const QStringList& l) { notices += l; };
  }
};

}  // namespace

TEST(FaceNames, SlotsOfCodes) {
  const struct { const char* code; int slot; } cases[] = {
      {"6ч", 1}, {"6п", 4}, {"9к", 15}, {"Тп", 36}, {"Вб", 22}, {"2ч", 41}, {"5п", 56},
      {"j1", 37}, {"j3", 39}, {"##", 0}, {"No", 0}, {"--", 0}, {"Xч", 0}};
  for (const auto& c : cases) EXPECT_EQ(FaceSlot(Code(c.code)), c.slot) << c.code;
  EXPECT_EQ(FaceSlot(CardCode{'1', kHearts}), 17);  // the ten
}

TEST(FaceNames, DesignParts) {
  const int two = FaceSlot(Code("2ч")), jack = FaceSlot(Code("Вч")), ace = FaceSlot(Code("Тч"));
  const int queenSpades = FaceSlot(Code("Дп"));
  const struct { int slot, design; bool large; const char* name; } cases[] = {
      {two, 0, false, "Ch02"},        {FaceSlot(Code("Вб")), 0, true, "Bu2JB"},
      {FaceSlot(Code("Тп")), 1, true, "Pi5AMedB"}, {two, 19, false, "Ch02Sea"},
      {jack, 19, false, "Ch2JCl2"},   {ace, 19, true, "Ch5ASeaB"},
      {two, 6, false, "Ch02Mod"},     {ace, 6, false, "Ch5ACor"},
      {ace, 7, false, "Ch5AMod"},     {two, 25, false, "Ch02Rhi"},
      {ace, 25, false, "Ch5ABoy"},    {two, 27, true, "Ch02BigB"},
      {queenSpades, 27, true, "Pi3QUSRB"}, {two, 11, false, "Ch02Nat"},
      {two, 40, false, "Ch02Fra"},    {FaceSlot(CardCode{'1', kClubs}), 0, false, "Kr10"}};
  for (const auto& c : cases) EXPECT_EQ(FaceResourceName(c.slot, c.design, c.large), c.name);
  EXPECT_EQ(SuitResourceName(0, 11, false), "CherMod");
  EXPECT_EQ(SuitResourceName(3, 19, true), "PikiSeaB");
  EXPECT_EQ(SuitResourceName(1, 0, true), "BubiB");
  EXPECT_EQ(FaceResourceName(40, 3, false), "");
  EXPECT_EQ(FaceLibrary(31), "KuvCards06A.dll");
  EXPECT_EQ(FaceLibrary(32), "KuvCards06B.dll");
  EXPECT_EQ(FaceLibrary(47), "KuvCards06C.dll");
  for (int d : {0, 27, 40, 45}) EXPECT_TRUE(IsWideDesign(d)) << d;
  for (int d : {28, 39, 41, 44, 46, 47}) EXPECT_FALSE(IsWideDesign(d)) << d;
}

TEST(FaceNames, BacksAndBackgrounds) {
  EXPECT_EQ(BackResourceName(1, 0, false, ""), "Ob01Mo");
  EXPECT_EQ(BackResourceName(1, 0, true, "B"), "Ob01MoRB");
  EXPECT_EQ(BackResourceName(3, 5, false, "U"), "Ob03WeCheU");
  EXPECT_EQ(BackResourceName(10, 9, true, ""), "Ob10XXRFlo");
  EXPECT_EQ(BackCount(8), 10);
  EXPECT_EQ(BackCount(11), 10);
  EXPECT_EQ(BackCount(12), 7);
  EXPECT_EQ(BackgroundResourceName(2, 0, true), "FonG");
  EXPECT_EQ(BackgroundResourceName(2, 0, false), "FonGB");
  EXPECT_EQ(BackgroundResourceName(5, 3, false), "Fon05YeB");
  EXPECT_EQ(BackgroundResourceName(10, 6, true), "Fon10Fi");
}

TEST(CardSize, PerScaleAndDesign) {
  const struct { double scale; int design; bool small; int cls, w, h, shift; } cases[] = {
      {1.0, 0, true, 1, 71, 96, 0},    {1.0, 30, true, 1, 71, 96, 0},
      {1.5, 0, false, 0, 106, 144, 0}, {1.5, 30, false, 0, 92, 144, 5},
      {1.25, 30, false, 1, 71, 96, 5}, {2.0, 0, false, 2, 146, 198, 0},
      {2.4, 41, false, 2, 126, 198, 5}};
  for (const auto& c : cases) {
    Store s;
    s.art.Scale = c.scale;
    s.art.SmallWindow = c.small;
    s.art.FaceDesign = c.design;
    s.art.UpdateCardSize();
    EXPECT_EQ(s.art.CardSizeClass, c.cls) << c.scale << " " << c.design;
    EXPECT_EQ(s.art.CardWidth, c.w) << c.scale << " " << c.design;
    EXPECT_EQ(s.art.CardHeight, c.h) << c.scale << " " << c.design;
    EXPECT_EQ(s.art.CardShiftX, c.shift) << c.scale << " " << c.design;
  }
}

TEST(LoadFaceDesign, BuiltInSmallUsesBitmaps) {
  Store s;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  EXPECT_TRUE(s.source->Read("|BITMAP|Ch02"));
  EXPECT_TRUE(s.source->Read("|BITMAP|Pi5A"));
  EXPECT_TRUE(s.source->Read("|BITMAP|Cher"));
  EXPECT_TRUE(s.source->Read("|RCDATA|CherB"));
  EXPECT_TRUE(s.source->Read("|BITMAP|Ob01Mo"));
  EXPECT_TRUE(s.source->Read("|BITMAP|Ob07SuR"));
  EXPECT_TRUE(s.source->opened == std::vector<QString>({"", ""}));
  EXPECT_TRUE(s.notices.isEmpty());
  // The built-in design is never inverted.
  EXPECT_EQ(s.art.SmallFace[1].pixel(34, 47), qRgb(10, 20, 30));
}

TEST(LoadFaceDesign, BuiltInLargeUsesPngs) {
  Store s;
  s.art.Scale = 2.0;
  s.art.SmallWindow = false;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  EXPECT_TRUE(s.source->Read("|RCDATA|Ch02B"));
  EXPECT_TRUE(s.source->Read("|RCDATA|Ob01MoB"));
  EXPECT_TRUE(s.source->Read("|RCDATA|Ob01MoRB"));
  EXPECT_FALSE(s.source->Read("|BITMAP|Ch02"));
  EXPECT_EQ(s.art.LargeFace[41].size(), QSize(146, 198));
}

TEST(LoadFaceDesign, LibraryDesignUsesPngNamesAndInverts) {
  Store s;
  s.source->present.insert("KuvCards06A.dll");
  s.art.FaceDesign = 19;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  EXPECT_TRUE(s.source->Read("KuvCards06A.dll|RCDATA|Ch02Sea"));
  EXPECT_TRUE(s.source->Read("KuvCards06A.dll|RCDATA|Ch2JCl2"));
  EXPECT_TRUE(s.source->Read("KuvCards06A.dll|RCDATA|Ch5ASea"));
  EXPECT_TRUE(s.source->Read("KuvCards06A.dll|RCDATA|KresSea"));
  EXPECT_TRUE(s.source->Read("KuvCards06A.dll|RCDATA|KresSeaB"));
  // Inside the ellipse the colours are complemented, the corners are not.
  EXPECT_EQ(s.art.SmallFace[1].pixel(34, 47), qRgb(245, 235, 225));
  EXPECT_EQ(s.art.SmallFace[1].pixel(2, 2), qRgb(10, 20, 30));
  EXPECT_EQ(s.art.SmallFace[56].pixel(34, 47), qRgb(245, 235, 225));
}

TEST(LoadFaceDesign, MissingLibraryFallsBackToBuiltIn) {
  Store s;
  s.art.FaceDesign = 33;
  EXPECT_FALSE(s.art.LoadFaceDesign());
  EXPECT_EQ(s.art.FaceDesign, 0);
  EXPECT_EQ(s.notices, QStringList{"Can`t find the file KuvCards06B.dll"});
  EXPECT_TRUE(s.source->Read("|BITMAP|Ch02"));
  EXPECT_TRUE(s.art.WideDesign);
}

TEST(LoadFaceDesign, NarrowDesignLargeUsesNarrowBacks) {
  Store s;
  s.source->present.insert({"KuvCards06A.dll", "KuvCards06B.dll"});
  s.art.Scale = 2.0;
  s.art.SmallWindow = false;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  EXPECT_EQ(s.art.CardWidth, 146);
  s.art.FaceDesign = 29;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  EXPECT_EQ(s.art.CardWidth, 126);
  EXPECT_EQ(s.art.CardShiftX, 5);
  EXPECT_TRUE(s.source->Read("KuvCards06B.dll|RCDATA|Ob01MoU"));
  EXPECT_TRUE(s.source->Read("KuvCards06B.dll|RCDATA|Ob07SuRU"));
  // The ellipse of a narrow large face is 106 wide: x 120 is outside it.
  EXPECT_EQ(s.art.LargeFace[5].pixel(63, 99), qRgba(245, 235, 225, 255));
  EXPECT_EQ(s.art.LargeFace[5].pixel(120, 99), qRgba(10, 20, 30, 255));
}

TEST(LoadBackSet, MissingBackLibraryForNarrowBuiltInSetResetsDesign) {
  Store s;
  s.source->present.insert("KuvCards06A.dll");
  s.art.Scale = 2.0;
  s.art.SmallWindow = false;
  s.art.FaceDesign = 29;
  EXPECT_FALSE(s.art.LoadFaceDesign());
  EXPECT_EQ(s.art.FaceDesign, 0);
  EXPECT_EQ(s.art.BackSet, 0);
  EXPECT_EQ(s.art.CardWidth, 146);
  EXPECT_EQ(s.notices, QStringList{"Can`t find the file KuvCards06B.dll"});
  EXPECT_TRUE(s.source->Read("|RCDATA|Ob01MoB"));
  EXPECT_FALSE(s.art.LargeBack[0].isNull());
}

TEST(LoadBackSet, MissingLibraryForOtherSetFallsBackToBuiltIn) {
  Store s;
  s.art.BackSet = 9;
  EXPECT_FALSE(s.art.LoadBackSet());
  EXPECT_EQ(s.art.BackSet, 0);
  EXPECT_EQ(s.notices.size(), 1);
  EXPECT_TRUE(s.source->Read("|BITMAP|Ob01Mo"));

  Store t;
  t.source->present.insert("KuvCards06B.dll");
  t.art.BackSet = 9;
  EXPECT_TRUE(t.art.LoadBackSet());
  EXPECT_TRUE(t.source->Read("KuvCards06B.dll|RCDATA|Ob10XXRFlo"));
  EXPECT_FALSE(t.art.SmallBack[9].isNull());
}

TEST(LoadBackground, BuiltInLibraryAndFallBack) {
  Store s;
  EXPECT_TRUE(s.art.LoadBackground(false));
  EXPECT_TRUE(s.source->Read("|JPEG|FonG"));
  EXPECT_EQ(s.art.Background.size(), QSize(760, 500));

  s.art.SmallWindow = false;
  s.art.ClientWidth = 1140;
  s.art.ClientHeight = 750;
  s.art.BgPattern = 4;
  s.art.BgColour = 5;
  EXPECT_FALSE(s.art.LoadBackground(false));
  EXPECT_EQ(s.art.BgPattern, 2);
  EXPECT_EQ(s.art.BgColour, 0);
  EXPECT_EQ(s.notices, QStringList{"Can`t find the file KuvBackG03.dll"});
  EXPECT_TRUE(s.source->Read("|JPEG|FonGB"));
  EXPECT_EQ(s.art.Background.size(), QSize(1140, 750));

  s.source->present.insert("KuvBackG03.dll");
  s.art.BgPattern = 4;
  s.art.BgColour = 5;
  EXPECT_TRUE(s.art.LoadBackground(false));
  EXPECT_TRUE(s.source->Read("KuvBackG03.dll|JPEG|Fon04B2B"));

  s.art.BgPattern = 0;
  EXPECT_TRUE(s.art.LoadBackground(false));
  EXPECT_TRUE(s.art.Background.isNull());
}

TEST(LoadBackground, LibraryBackgroundMissing) {
  Store s;
  ASSERT_TRUE(s.art.LoadBackground(false));
  EXPECT_FALSE(s.art.LoadBackground(true));
  EXPECT_EQ(s.notices, QStringList{"Can`t find the file KuvCGraph1.dll"});
  EXPECT_FALSE(s.art.Background.isNull());  // the picture shown stays
  s.source->present.insert("KuvCGraph1.dll");
  EXPECT_TRUE(s.art.LoadBackground(true));
  EXPECT_TRUE(s.source->Read("KuvCGraph1.dll|JPEG|BGLilu"));
}

TEST(ChooseBackOfDay, WeekdayAlwaysOneAndRandomSets) {
  Store s;
  const struct { QDate day; int back; } cases[] = {
      {QDate(2024, 6, 3), 1}, {QDate(2024, 6, 5), 3}, {QDate(2024, 6, 8), 6}, {QDate(2024, 6, 9), 7}};
  for (const auto& c : cases) {
    s.art.Today = [&] { return c.day; };
    s.art.ChooseBackOfDay();
    EXPECT_EQ(s.art.BackOfDay, c.back) << c.day.toString().toStdString();
  }
  s.art.Today = [] { return QDate(2024, 6, 3); };
  s.art.AlwaysOneBack = true;
  s.art.ChooseBackOfDay();
  EXPECT_EQ(s.art.BackOfDay, 7);
  s.art.BackSet = 10;
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) {
    s.art.ChooseBackOfDay();
    ASSERT_GE(s.art.BackOfDay, 1);
    ASSERT_LE(s.art.BackOfDay, 10);
    seen.insert(s.art.BackOfDay);
  }
  EXPECT_GT(seen.size(), 3u);
}

namespace {
QImage Canvas() {
  QImage img(100, 110, QImage::Format_RGB32);
  img.fill(Qt::white);
  return img;
}
bool Black(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); }
}  // namespace

TEST(DrawCard, EmptyNoAndRealCards) {
  Store s;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  QImage img = Canvas();
  s.art.DrawCard(5, 6, EmptyCard, img);
  EXPECT_EQ(img, Canvas());

  s.art.DrawCard(5, 6, CardCode{'N', 'o'}, img);
  const int x = 5, y = 6;
  // The outline: cut corners, each line with both end pixels.
  for (auto [px, py] : {std::pair{x + 2, y}, {x + 68, y}, {x + 2, y + 95}, {x + 68, y + 95},
                        {x, y + 2}, {x, y + 93}, {x + 70, y + 2}, {x + 70, y + 93}})
    EXPECT_TRUE(Black(img, px, py)) << px - x << "," << py - y;
  for (auto [px, py] : {std::pair{x, y}, {x + 1, y}, {x + 69, y}, {x, y + 1}, {x + 70, y + 95}, {x + 71, y + 50}})
    EXPECT_FALSE(Black(img, px, py)) << px - x << "," << py - y;
  for (auto [px, py] : {std::pair{x + 1, y + 1}, {x + 69, y + 1}, {x + 1, y + 94}, {x + 69, y + 94}})
    EXPECT_TRUE(Black(img, px, py)) << px - x << "," << py - y;
  EXPECT_EQ(img.pixel(x + 35, y + 48), qRgb(255, 255, 255));  // no face

  QImage card = Canvas();
  s.art.DrawCard(x, y, Code("Дк"), card);
  EXPECT_EQ(card.pixel(x + 1, y + 1), qRgb(10, 20, 30));
  EXPECT_EQ(card.pixel(x + 69, y + 94), qRgb(10, 20, 30));
  EXPECT_EQ(card.pixel(x + 70, y + 95), qRgb(255, 255, 255));
  EXPECT_TRUE(Black(card, x + 70, y + 50));
}

TEST(DrawCard, BacksUprightAndRotated) {
  Store s;
  ASSERT_TRUE(s.art.LoadFaceDesign());
  s.art.BackOfDay = 3;
  s.art.SmallBack[2].fill(qRgb(1, 100, 1));
  s.art.SmallBackRotated[2].fill(qRgb(100, 1, 1));
  QImage img = Canvas();
  s.art.DrawBack(0, 0, img);
  EXPECT_EQ(img.pixel(1, 1), qRgb(1, 100, 1));
  EXPECT_TRUE(Black(img, 70, 93));
  QImage r = Canvas();
  s.art.DrawBackRotated(0, 0, r);
  EXPECT_EQ(r.pixel(94, 69), qRgb(100, 1, 1));
  EXPECT_TRUE(Black(r, 95, 68));
  EXPECT_TRUE(Black(r, 93, 70));
  EXPECT_FALSE(Black(r, 95, 70));
}

TEST(DrawScaled, RoundedCornersStayUnpainted) {
  Store s;
  s.art.Scale = 2.0;
  QImage pic(146, 198, QImage::Format_ARGB32);
  pic.fill(QColor(200, 10, 10));
  QImage img(150, 210, QImage::Format_RGB32);
  img.fill(Qt::white);
  s.art.DrawScaled(2, 3, pic, true, 126, 198, img);
  EXPECT_EQ(img.pixel(2, 3), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(2 + 125, 3 + 197), qRgb(255, 255, 255));
  EXPECT_EQ(img.pixel(2 + 63, 3 + 99), qRgb(200, 10, 10));
  EXPECT_EQ(img.pixel(2 + 63, 3), qRgb(200, 10, 10));
  EXPECT_EQ(img.pixel(2 + 126, 3 + 99), qRgb(255, 255, 255));
  // The same picture unrounded covers its corners; at its own size it is drawn as it is.
  s.art.DrawScaled(2, 3, pic, false, 126, 198, img);
  EXPECT_EQ(img.pixel(2, 3), qRgb(200, 10, 10));
  QImage own(150, 210, QImage::Format_RGB32);
  own.fill(Qt::white);
  s.art.DrawScaled(0, 0, pic, true, 146, 198, own);
  EXPECT_EQ(own.pixel(0, 0), qRgb(200, 10, 10));
}

TEST(ResizePng, BilinearValues) {
  QImage img(2, 2, QImage::Format_ARGB32);
  img.setPixel(0, 0, qRgba(0, 0, 0, 0));
  img.setPixel(1, 0, qRgba(100, 0, 0, 255));
  img.setPixel(0, 1, qRgba(200, 0, 0, 255));
  img.setPixel(1, 1, qRgba(50, 0, 0, 255));
  QString err;
  ASSERT_TRUE(ResizePng(img, 4, 4, &err));
  ASSERT_EQ(img.size(), QSize(4, 4));
  EXPECT_EQ(qRed(img.pixel(0, 0)), 0);
  EXPECT_EQ(qRed(img.pixel(1, 0)), 25);
  EXPECT_EQ(qRed(img.pixel(0, 2)), 100);
  EXPECT_EQ(qRed(img.pixel(2, 2)), 88);   // 87.5, ties to even
  EXPECT_EQ(qRed(img.pixel(3, 1)), 78);   // 78.125
  EXPECT_EQ(qAlpha(img.pixel(1, 0)), 64);  // 63.75
  EXPECT_EQ(qAlpha(img.pixel(3, 3)), 239);  // 239.06
}

TEST(ResizePng, RefusesPaletteAndGreyAndIgnoresTinySizes) {
  QImage pal(4, 4, QImage::Format_Indexed8);
  pal.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 0)});
  pal.fill(1);
  QString err;
  EXPECT_FALSE(ResizePng(pal, 8, 8, &err));
  EXPECT_EQ(err, "Only COLOR_RGBALPHA and COLOR_RGB formats are supported");
  EXPECT_EQ(pal.size(), QSize(4, 4));
  QImage grey(4, 4, QImage::Format_Grayscale8);
  grey.fill(0);
  err.clear();
  EXPECT_FALSE(ResizePng(grey, 8, 8, &err));
  EXPECT_FALSE(err.isEmpty());

  QImage rgb(4, 4, QImage::Format_RGB32);
  rgb.fill(qRgb(9, 9, 9));
  EXPECT_TRUE(ResizePng(rgb, 1, 8));
  EXPECT_EQ(rgb.size(), QSize(4, 4));
  EXPECT_TRUE(ResizePng(rgb, 6, 2));
  EXPECT_EQ(rgb.size(), QSize(6, 2));
  EXPECT_EQ(rgb.pixel(5, 1), qRgb(9, 9, 9));
}

// The real pictures compiled into the program, through the real library lookup.
TEST(BuiltInArt, AllPicturesAnswerAtTheirSizes) {
  QTemporaryDir dir;
  QDir(dir.path()).mkdir("Zarnet");
  CardArt art(std::make_unique<ResourceSource>(dir.path() + "/Zarnet"));
  QStringList notices;
  art.Notice = [&](const QStringList& l) { notices += l; };
  ASSERT_TRUE(art.LoadFaceDesign());
  for (int s = 1; s <= 56; ++s) {
    if (s >= 37 && s <= 40) continue;
    EXPECT_EQ(art.SmallFace[s].size(), QSize(69, 94)) << s;
  }
  for (int i = 0; i < 4; ++i) EXPECT_EQ(art.SmallSuit[i].size(), QSize(20, 20));
  for (int i = 0; i < 4; ++i) EXPECT_EQ(art.LargeSuit[i].size(), QSize(40, 40));
  // Small symbols are keyed on silver.
  EXPECT_EQ(art.SmallSuit[0].pixel(0, 0), qRgb(0xC0, 0xC0, 0xC0));
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(art.SmallBack[i].size(), QSize(69, 94));
    EXPECT_EQ(art.SmallBackRotated[i].size(), QSize(94, 69));
  }
  art.Scale = 2.0;
  art.SmallWindow = false;
  ASSERT_TRUE(art.LoadFaceDesign());
  EXPECT_EQ(art.LargeFace[36].size(), QSize(146, 198));
  EXPECT_EQ(art.LargeBack[0].size(), QSize(146, 198));
  EXPECT_EQ(art.LargeBack[16].size(), QSize(198, 146));
  art.ClientWidth = 1520;
  art.ClientHeight = 1000;
  ASSERT_TRUE(art.LoadBackground(false));
  EXPECT_EQ(art.Background.size(), QSize(1520, 1000));
  EXPECT_TRUE(notices.isEmpty());

  // No library beside the program nor above it.
  art.FaceDesign = 5;
  EXPECT_FALSE(art.LoadFaceDesign());
  EXPECT_EQ(notices, QStringList{"Can`t find the file KuvCards06A.dll"});
  EXPECT_EQ(art.FaceDesign, 0);
}

TEST(BuiltInArt, NoticeInTheUsersLanguage) {
  CardArt art(std::make_unique<ResourceSource>(QDir::tempPath() + "/no-such-zarnet-folder"));
  QStringList notices;
  art.Notice = [&](const QStringList& l) { notices += l; };
  art.LanguageIndex = 1;
  art.BgPattern = 3;
  EXPECT_FALSE(art.LoadBackground(false));
  EXPECT_EQ(notices, QStringList{QString::fromUtf8("Не найден файл KuvBackG03.dll")});
}
