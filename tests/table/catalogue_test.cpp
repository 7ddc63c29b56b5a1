// Every picture the windows ask for by name, in the program's compiled-in resources,
// at the size and in the format the windows expect.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <vector>

#include "resources.h"

namespace {

struct Entry {
  QString type;    // resource folder
  QString name;
  int w, h;
  QByteArray format;  // "png", "jpeg", "gif", "bmp"
  int minFrames = 1;  // GIFs that stop at a frame need more than it
  bool alpha = true;  // PNGs carry an alpha channel unless they fill a whole screen
};

const QStringList kLangs = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze"};

std::vector<Entry> Catalogue() {
  std::vector<Entry> c;
  auto png = [&](const QString& name, int w, int h) { c.push_back({"RCDATA", name, w, h, "png"}); };
  auto gif = [&](const QString& name, int w, int h, int frames) {
    c.push_back({"GIF", name, w, h, "gif", frames});
  };
  const char* suitPrefix[4] = {"Ch", "Bu", "Kr", "Pi"};
  const char* ranks[13] = {"02", "03", "04", "05", "06", "07", "08", "09", "10", "2J", "3Q", "4K", "5A"};
  for (const char* s : suitPrefix)
    for (const char* r : ranks) {
      c.push_back({"BITMAP", QString(s) + r, 69, 94, "bmp"});
      png(QString(s) + r + "B", 146, 198);
    }
  for (const char* s : {"Cher", "Bubi", "Kres", "Piki"}) {
    c.push_back({"BITMAP", s, 20, 20, "bmp"});
    png(QString(s) + "B", 40, 40);
  }
  for (const char* b : {"Ob01Mo", "Ob02Tu", "Ob03We", "Ob04Th", "Ob05Fr", "Ob06Su", "Ob07Su"}) {
    c.push_back({"BITMAP", b, 69, 94, "bmp"});
    c.push_back({"BITMAP", QString(b) + "R", 94, 69, "bmp"});
    png(QString(b) + "B", 146, 198);
    png(QString(b) + "RB", 198, 146);
  }
  c.push_back({"JPEG", "FonG", 760, 500, "jpeg"});
  c.push_back({"JPEG", "FonGB", 1920, 922, "jpeg"});
  c.push_back({"RCDATA", "GIFBackGr", 760, 500, "png", 1, false});
  gif("GifMenu1", 160, 200, 2);
  gif("GifMenu2", 160, 200, 2);
  png("PngMenu1", 160, 200);
  png("PngMenu2", 160, 200);
  png("GKolodaSmall", 58, 25);
  png("GKolodaSmallB", 116, 50);
  png("GKolodaLarge", 60, 60);
  png("GKolodaLargeB", 120, 120);
  for (const char* k : {"A", "B", "G", "L", "N", "R", "V", "Y"}) {
    const QString base = QString("G%1Clock").arg(k);
    for (int d = 0; d <= 9; ++d) png(base + QString::number(d), d == 4 ? 19 : 18, 40);
    png(base + "M", 18, 40);
    png(base + "P", 3, 27);
  }
  png("GClockBG", 115, 64);
  png("GTimerR", 50, 50);
  png("GTimerY", 50, 50);
  for (const char* s : {"SPBlue", "SPGreen", "SPRed", "SPYellow", "SPFiolet"}) {
    png(s, 160, 20);
    png(QString(s) + "B", 320, 40);
  }
  png("TabloSm", 155, 95);
  png("TabloBg", 310, 190);
  png("RamkaFBSm", 155, 60);
  png("RamkaFBBg", 310, 120);
  png("RamkaERSm", 130, 90);
  png("RamkaERBg", 260, 180);
  png("RamkaAc", 330, 55);
  png("Hand_Right", 60, 40);
  png("GTitle", 600, 160);
  for (const QString& l : kLangs) {
    png("Cap" + l, 800, 140);
    png("Elite" + l, 700, 80);
    png("Net__" + l, 700, 80);
    png("MyAccount" + l, 400, 60);
  }
  for (const QString& l : kLangs + QStringList{"Jpn", "Kor"}) png("FlagO" + l, 100, 68);
  for (const char* l : {"LampG24", "LampR24", "LampY24"}) png(l, 24, 24);
  for (int n = 0; n <= 10; ++n) png(QString("GPlace%1").arg(n, 2, 10, QChar('0')), 105, 120);
  png("GMedal", 105, 120);
  for (const char* m : {"GMEDAL01", "GMEDAL02", "GMEDAL03"}) c.push_back({"BITMAP", m, 28, 28, "bmp"});
  for (int w : {150, 280, 300, 430, 550, 610}) png(QString("GCap%1").arg(w), w, 64);
  for (auto [w, h] : {std::pair{200, 100}, {280, 90}, {300, 100}, {360, 100}, {380, 120}, {590, 116}})
    png(QString("GLenta%1x%2").arg(w, 3, 10, QChar('0')).arg(h, 3, 10, QChar('0')), w, h);
  for (const char* q : {"Q", "R"})
    for (auto [h, end] : {std::pair{29, 8}, {44, 13}, {59, 17}}) {
      const QString base = QString("%1%2_").arg(q).arg(h);
      png(base + "L", end, h);
      png(base + "R", end, h);
      png(base + "T", 4, h);
      png(base + "2", 2, h);
    }
  for (const char* m : {"MP_Play", "MP_Pause", "MP_Next", "MP_Volume"}) png(m, 60, 60);
  for (const char* r : {"GRadioA", "GRadioB", "GRadioG", "GRadioR"}) png(r, 48, 48);
  png("GPolkaNw", 160, 32);
  png("GNews072", 72, 72);
  png("GChat072", 72, 72);
  png("GChat048", 48, 48);
  gif("GSirenaB", 48, 48, 2);
  gif("GSirenaR", 48, 48, 2);
  gif("GNew", 40, 20, 2);
  png("GAcFrame", 200, 250);  // laid over a 200 x 250 photo
  png("GAcNoM", 200, 250);
  png("GAcNoF", 200, 250);
  png("GAcName1", 200, 32);
  png("GAcName2", 200, 32);
  for (const char* k : {"EMail", "Skype", "WebSite", "OK", "VK", "Telegram", "FaceBook", "Twitter",
                        "Instagramm", "YouTube"})
    png(QString("GAc") + k, 24, 24);
  c.push_back({"JPEG", "BGAccount", 640, 480, "jpeg"});
  for (const char* i : {"Account48", "Earth48", "Stats", "Windows", "Android", "GooglePlay", "GTourOn",
                        "GTourOff", "GIcon48", "AdvButG", "AdvButR", "AdvGiftG", "AdvGiftR"})
    png(i, 48, 48);
  for (char k = 'A'; k <= 'G'; ++k) gif(QString("GClub") + k, 60, 75, 2);
  for (const char* s : {"StarG0", "StarR0", "StarY0"}) gif(s, 55, 45, 2);
  // The end-of-game window stops these at frames 25 and 24 and shows frame 3 when still.
  gif("GEndBest", 100, 200, 26);
  gif("GEndGood", 100, 200, 25);
  gif("GEndBads", 100, 200, 4);
  png("GSvitok", 450, 570);
  png("Logo", 64, 64);
  png("GFree", 10, 10);
  for (const char* g : {"GOpt", "GPw", "GTopTen", "GGenCount"}) gif(g, 64, 64, 2);
  png("FaceMan16", 16, 16);
  png("FaceWoman16", 16, 16);
  png("AdvBar3", 175, 40);
  return c;
}

TEST(Catalogue, EveryNameAtItsSizeAndFormat) {
  zarnet::InitArtResources();
  for (const Entry& e : Catalogue()) {
    const QString path = ":/" + e.type + "/" + e.name;
    SCOPED_TRACE(path.toStdString());
    ASSERT_TRUE(QFile::exists(path));
    QImageReader r(path);
    EXPECT_EQ(r.format(), e.format);
    const QImage img = r.read();
    ASSERT_FALSE(img.isNull()) << r.errorString().toStdString();
    EXPECT_EQ(img.size(), QSize(e.w, e.h));
    if (e.format == "png") {
      EXPECT_EQ(img.hasAlphaChannel(), e.alpha);
    }
    if (e.format == "gif") {
      EXPECT_GE(r.imageCount(), e.minFrames);
    }
  }
}

// An animation whose frames are all alike would pass the count above and stand still.
TEST(Catalogue, AnimationsMove) {
  zarnet::InitArtResources();
  for (const Entry& e : Catalogue()) {
    if (e.format != "gif") continue;
    SCOPED_TRACE(e.name.toStdString());
    QImageReader r(":/GIF/" + e.name);
    const QImage first = r.read().convertToFormat(QImage::Format_ARGB32);
    bool moved = false;
    while (!moved && r.canRead()) moved = r.read().convertToFormat(QImage::Format_ARGB32) != first;
    EXPECT_TRUE(moved);
  }
  // Animated cursors are strips of 32 x 32 frames side by side.
  for (const char* name : {"CURHAND", "CURWAIT", "CUREDIT"}) {
    const QImage strip(QString(":/ANICURSOR/") + name);
    ASSERT_FALSE(strip.isNull()) << name;
    EXPECT_EQ(strip.height(), 32) << name;
    ASSERT_GE(strip.width(), 64) << name;
    EXPECT_EQ(strip.width() % 32, 0) << name;
    bool moved = false;
    for (int x = 32; x < strip.width() && !moved; x += 32) moved = strip.copy(x, 0, 32, 32) != strip.copy(0, 0, 32, 32);
    EXPECT_TRUE(moved) << name;
  }
  EXPECT_EQ(QImage(":/CURSOR/CURARROW").size(), QSize(32, 32));
}

// Transparent pictures must be clear where nothing is painted, and drawn where they
// should be seen: a blank or a solid block would pass the size check above.
TEST(Catalogue, TransparencyWhereItMatters) {
  zarnet::InitArtResources();
  const QImage free(":/RCDATA/GFree");
  ASSERT_FALSE(free.isNull());
  for (int y = 0; y < free.height(); ++y)
    for (int x = 0; x < free.width(); ++x) ASSERT_EQ(qAlpha(free.pixel(x, y)), 0);

  // The photo frame leaves the middle of the photo visible and covers its edge.
  const QImage frame(":/RCDATA/GAcFrame");
  ASSERT_FALSE(frame.isNull());
  EXPECT_EQ(qAlpha(frame.pixel(100, 125)), 0);
  EXPECT_EQ(qAlpha(frame.pixel(2, 125)), 255);
  EXPECT_EQ(qAlpha(frame.pixel(100, 2)), 255);

  // Round icons and badges: corners clear, centres opaque.
  for (const char* name : {"MP_Play", "AdvButG", "GAcEMail", "LampG24", "Earth48", "FaceMan16"}) {
    const QImage img(QString(":/RCDATA/") + name);
    ASSERT_FALSE(img.isNull()) << name;
    EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0) << name;
    EXPECT_EQ(qAlpha(img.pixel(img.width() / 2, img.height() / 2)), 255) << name;
  }
}

// Country flags: bands the right way round and in the right colours. Each point is
// a fraction of the flag's width and height.
TEST(Catalogue, CountryFlags) {
  zarnet::InitArtResources();
  enum Hue { Red, White, Blue, Yellow, Clear };
  auto hue = [](QRgb c) {
    if (qAlpha(c) < 40) return Clear;
    const int r = qRed(c), g = qGreen(c), b = qBlue(c);
    if (r > 200 && g > 200 && b > 200) return White;
    if (r > 180 && g > 150 && b < 90) return Yellow;
    if (r > 150 && g < 90 && b < 110) return Red;
    if (b > 120 && r < 110) return Blue;
    return Clear;
  };
  const struct {
    const char* country;
    double x, y;
    Hue want;
  } cases[] = {
      {"Russia", 0.5, 0.15, White},  {"Russia", 0.5, 0.5, Blue},     {"Russia", 0.5, 0.85, Red},
      {"France", 0.15, 0.5, Blue},   {"France", 0.85, 0.5, Red},     {"Japan", 0.5, 0.5, Red},
      {"Japan", 0.1, 0.1, White},    {"Sweden", 0.36, 0.1, Yellow},  {"Sweden", 0.7, 0.2, Blue},
      {"Czech Republic", 0.05, 0.5, Blue}, {"Czech Republic", 0.8, 0.2, White},
      {"Czech Republic", 0.8, 0.8, Red},   {"Nepal", 0.97, 0.1, Clear}, {"Nepal", 0.3, 0.6, Red},
  };
  for (const auto& c : cases) {
    const QString name = QString("GFlag_%1").arg(QString(c.country).replace(' ', '_'));
    const QImage img(":/RCDATA/" + name);
    ASSERT_EQ(img.size(), QSize(48, 32)) << name.toStdString();
    EXPECT_EQ(hue(img.pixel(int(c.x * 47), int(c.y * 31))), c.want) << c.country << " at " << c.x << "," << c.y;
  }
}

// Localized pictures carry the language's own words, so no two are alike.
TEST(Catalogue, LocalizedStripsDifferByLanguage) {
  zarnet::InitArtResources();
  for (const char* base : {"Elite", "Net__", "MyAccount"}) {
    const QImage eng(QString(":/RCDATA/%1Eng").arg(base)), rus(QString(":/RCDATA/%1Rus").arg(base));
    ASSERT_FALSE(eng.isNull());
    EXPECT_NE(eng, rus) << base;
  }
}

}  // namespace
