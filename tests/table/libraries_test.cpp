// The art libraries as the build leaves them in the program folder, read through the
// store the way the game reads them.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QResource>
#include <QTemporaryDir>
#include <algorithm>
#include <QPainter>
#include <cmath>

#include "card_art.h"
#include "codec.h"

using namespace zarnet;

std::ostream& operator<<(std::ostream& o, const QString& s) { return o << s.toStdString(); }
std::ostream& operator<<(std::ostream& o, const QSize& s) { return o << s.width() << "x" << s.height(); }

namespace {

const QString kProgram = ZARNET_PROGRAM_DIR;

struct Store {
  CardArt art{std::make_unique<ResourceSource>(kProgram)};
  QStringList notices;
  Store() {
    art.Notice = [this](const QStringList& l) { notices += l; };
  }
  void Size(double scale) {
    art.Scale = scale;
    art.SmallWindow = scale < 1.01;
  }
};

CardCode Code(const char* utf8) {
  const std::string bytes = Utf8ToCp1251(utf8);
  return {bytes[0], bytes[1]};
}

QSize FaceSize(int design, bool large) {
  return large ? QSize(IsWideDesign(design) ? 146 : 126, 198) : QSize(69, 94);
}

std::vector<int> FaceSlots() {
  std::vector<int> s;
  for (int i = 1; i <= 56; ++i)
    if (i < 37 || i > 40) s.push_back(i);
  return s;
}

// Mean luma step across the ellipse border, just inside against just outside: card stock
// runs on across it unless the ellipse is still inverted.
double StepAcrossEllipse(const QImage& img, QRect e) {
  const QPointF c = QRectF(e).center();
  const double rx = e.width() / 2.0, ry = e.height() / 2.0;
  auto luma = [&](double x, double y) {
    const QRgb p = img.pixel(int(x), int(y));
    return 0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p);
  };
  double sum = 0;
  int n = 0;
  for (int deg = 0; deg < 360; deg += 5, ++n) {
    const double a = deg * M_PI / 180, dx = std::cos(a), dy = std::sin(a);
    sum += std::abs(luma(c.x() + 0.88 * rx * dx, c.y() + 0.88 * ry * dy) -
                    luma(c.x() + 1.12 * rx * dx, c.y() + 1.12 * ry * dy));
  }
  return sum / n;
}

double MeanDifference(const QImage& a, const QImage& b) {
  const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
  double sum = 0;
  for (int r = 0; r < x.height(); ++r)
    for (int c = 0; c < x.width(); ++c) {
      const QRgb p = x.pixel(c, r), q = y.pixel(c, r);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
  return sum / (3.0 * x.width() * x.height());
}

}  // namespace

// Every face and suit symbol a design's loader names is in its library at its size.
TEST(FaceLibraries, EveryNameAtItsSize) {
  ResourceSource source(kProgram);
  for (int design = 1; design <= 47; ++design) {
    ASSERT_TRUE(source.Open(FaceLibrary(design))) << FaceLibrary(design);
    for (const bool large : {false, true}) {
      for (int slot : FaceSlots()) {
        const QString name = FaceResourceName(slot, design, large);
        EXPECT_EQ(source.Read("RCDATA", name).size(), FaceSize(design, large)) << design << " " << name;
      }
      for (int suit = 0; suit < 4; ++suit) {
        const QString name = SuitResourceName(suit, design, large);
        EXPECT_EQ(source.Read("RCDATA", name).size(), large ? QSize(40, 40) : QSize(20, 20)) << name;
      }
    }
    source.Close();
  }
}

// Each design loads in the small and the large window without the missing-file notice,
// and its faces look right once the store has inverted their ellipse.
TEST(FaceLibraries, EveryDesignLoadsAndLooksRightAfterInversion) {
  for (const double scale : {1.0, 2.0}) {
    for (int design = 1; design <= 47; ++design) {
      Store s;
      s.Size(scale);
      s.art.FaceDesign = design;
      EXPECT_TRUE(s.art.LoadFaceDesign()) << design;
      EXPECT_EQ(s.art.FaceDesign, design);
      EXPECT_TRUE(s.notices.isEmpty()) << design << ": " << s.notices.join(" ").toStdString();
      const bool large = scale > 1.5;
      const QImage* two = large ? s.art.FaceLarge(Code("2п")) : s.art.FaceSmall(Code("2п"));
      ASSERT_NE(two, nullptr) << design;
      // The library keeps the picture with the ellipse inverted, so the step is there.
      ResourceSource raw(kProgram);
      ASSERT_TRUE(raw.Open(FaceLibrary(design)));
      QImage stored = raw.Read("RCDATA", FaceResourceName(FaceSlot(Code("2п")), design, large));
      raw.Close();
      EXPECT_GT(StepAcrossEllipse(stored, FaceEllipse(large, IsWideDesign(design))), 100) << design;
      EXPECT_LT(StepAcrossEllipse(*two, FaceEllipse(large, IsWideDesign(design))), 100)
          << "design " << design << (large ? " large" : " small");
    }
  }
}

// The corner index is on every card: its box holds ink that stands out from the stock,
// in the small face and in the large one drawn at full size.
TEST(FaceLibraries, CornerIndexIsShown) {
  for (const double scale : {1.0, 2.0}) {
    for (int design = 1; design <= 47; ++design) {
      Store s;
      s.Size(scale);
      s.art.FaceDesign = design;
      ASSERT_TRUE(s.art.LoadFaceDesign()) << design;
      for (const char* card : {"1ч", "Кп", "5б", "Тк"}) {
        QImage table(s.art.CardWidth, s.art.CardHeight, QImage::Format_RGB32);
        table.fill(QColor(0x1c, 0x6a, 0x34));
        s.art.DrawCard(0, 0, Code(card), table);
        const bool large = scale > 1.5;
        if (large) {
          EXPECT_EQ(table.pixel(0, 0), QColor(0x1c, 0x6a, 0x34).rgb()) << design << " rounded corner";
        }
        // Some decks print the index in the top left corner, others in the top right.
        auto inked = [&](QRect box) {
          std::vector<int> lumas;
          for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x) lumas.push_back(qGray(table.pixel(x, y)));
          std::nth_element(lumas.begin(), lumas.begin() + lumas.size() / 2, lumas.end());
          const int stock = lumas[lumas.size() / 2];
          return std::count_if(lumas.begin(), lumas.end(), [&](int l) { return std::abs(l - stock) > 60; }) >
                 long(lumas.size()) / 40;
        };
        const QSize box = large ? QSize(26, 44) : QSize(14, 28);
        const int inset = large ? 4 : 3;
        const QRect left(QPoint(inset, inset), box);
        const QRect right(QPoint(s.art.CardWidth - inset - box.width(), inset), box);
        EXPECT_TRUE(inked(left) || inked(right)) << "design " << design << " " << card << (large ? " large" : " small");
      }
    }
  }
}

// No two design numbers show the same cards: their kings and sevens differ visibly.
TEST(FaceLibraries, DesignsAreDistinct) {
  std::vector<QImage> faces(48);
  for (int design = 1; design <= 47; ++design) {
    Store s;
    s.art.FaceDesign = design;
    ASSERT_TRUE(s.art.LoadFaceDesign());
    QImage pair(138, 94, QImage::Format_RGB32);
    QPainter p(&pair);
    p.drawImage(0, 0, *s.art.FaceSmall(Code("Кч")));
    p.drawImage(69, 0, *s.art.FaceSmall(Code("7к")));
    faces[design] = pair;
  }
  for (int a = 1; a <= 47; ++a)
    for (int b = a + 1; b <= 47; ++b)
      EXPECT_GT(MeanDifference(faces[a], faces[b]), 2.0) << "designs " << a << " and " << b;
}

namespace {

struct BackCase {
  const char* what;
  int design;
  double scale;
  QString suffix;
  QSize size;
};

const BackCase kBackCases[] = {
    {"small", 0, 1.0, "", {69, 94}},
    {"large wide", 0, 2.0, "B", {146, 198}},
    {"large narrow", 32, 2.0, "U", {126, 198}},
};

}  // namespace

// Every back of every set, upright and turned, in each suffix the loader builds.
TEST(BackLibrary, EveryNameAtItsSize) {
  ResourceSource source(kProgram);
  ASSERT_TRUE(source.Open(kBackLibrary));
  for (const BackCase& c : kBackCases)
    for (int set = 0; set <= 12; ++set) {
      if (set == 0 && c.suffix != "U") continue;  // the program's own
      for (int back = 1; back <= BackCount(set); ++back) {
        EXPECT_EQ(source.Read("RCDATA", BackResourceName(back, set, false, c.suffix)).size(), c.size)
            << BackResourceName(back, set, false, c.suffix);
        EXPECT_EQ(source.Read("RCDATA", BackResourceName(back, set, true, c.suffix)).size(), c.size.transposed())
            << BackResourceName(back, set, true, c.suffix);
      }
    }
}

// Each set loads through the store in each size without the notice, keeps the choice,
// and its backs differ from one another so the back of the day shows.
TEST(BackLibrary, EverySetLoadsWithDistinctBacks) {
  for (const BackCase& c : kBackCases)
    for (int set = 0; set <= 12; ++set) {
      Store s;
      s.Size(c.scale);
      s.art.FaceDesign = c.design;
      s.art.BackSet = set;
      ASSERT_TRUE(s.art.LoadFaceDesign()) << c.what << " set " << set;
      EXPECT_EQ(s.art.BackSet, set) << c.what;
      EXPECT_EQ(s.art.FaceDesign, c.design) << c.what;
      EXPECT_TRUE(s.notices.isEmpty()) << c.what << " set " << set;
      const bool small = c.scale < 1.3;
      for (int back = 1; back <= BackCount(set); ++back) {
        const QImage& up = small ? s.art.SmallBack[back - 1] : s.art.LargeBack[back - 1];
        const QImage& turned = small ? s.art.SmallBackRotated[back - 1] : s.art.LargeBack[back + 9];
        ASSERT_FALSE(up.isNull()) << c.what << " set " << set << " back " << back;
        ASSERT_FALSE(turned.isNull()) << c.what << " set " << set << " back " << back;
        EXPECT_EQ(turned.size(), up.size().transposed());
        for (int other = 1; other < back; ++other) {
          const QImage& o = small ? s.art.SmallBack[other - 1] : s.art.LargeBack[other - 1];
          EXPECT_GT(MeanDifference(up, o), 2.0) << c.what << " set " << set << " backs " << other << ", " << back;
        }
      }
    }
}

// Every pattern in every colour fills the small window and a larger one.
TEST(BackgroundLibrary, EveryPatternAndColourLoads) {
  ResourceSource source(kProgram);
  ASSERT_TRUE(source.Open(kBackgroundLibrary));
  for (int pattern = 1; pattern <= 10; ++pattern)
    for (int colour = 0; colour <= 6; ++colour) {
      if (pattern == 2 && colour == 0) continue;
      EXPECT_EQ(source.Read("JPEG", BackgroundResourceName(pattern, colour, true)).size(), QSize(760, 500));
      EXPECT_EQ(source.Read("JPEG", BackgroundResourceName(pattern, colour, false)).size(), QSize(1920, 922));
    }
  source.Close();
  for (const bool smallWindow : {true, false}) {
    Store s;
    s.art.SmallWindow = smallWindow;
    s.art.ClientWidth = smallWindow ? 760 : 1520;
    s.art.ClientHeight = smallWindow ? 500 : 1000;
    for (int pattern = 1; pattern <= 10; ++pattern)
      for (int colour = 0; colour <= 6; ++colour) {
        s.art.BgPattern = pattern;
        s.art.BgColour = colour;
        EXPECT_TRUE(s.art.LoadBackground(false)) << pattern << "/" << colour;
        EXPECT_EQ(s.art.BgPattern, pattern);
        EXPECT_EQ(s.art.BgColour, colour);
        EXPECT_EQ(s.art.Background.size(), QSize(s.art.ClientWidth, s.art.ClientHeight));
      }
    EXPECT_TRUE(s.notices.isEmpty()) << s.notices.join(" ");
  }
}

// The window graphics: the library background through the store, the touch strip of
// thirty 100 x 100 frames fading out, the lobby's backdrop.
TEST(GraphLibrary, PicturesTheWindowsRead) {
  Store s;
  ASSERT_TRUE(s.art.LoadBackground(true));
  EXPECT_EQ(s.art.Background.size(), QSize(760, 500));
  EXPECT_TRUE(s.notices.isEmpty());

  ResourceSource source(kProgram);
  ASSERT_TRUE(source.Open(kGraphLibrary));
  const QImage touch = source.Read("RCDATA", "GTouch").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(touch.size(), QSize(3000, 100));
  auto cover = [&](int frame) {
    double sum = 0;
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) sum += qAlpha(touch.pixel(frame * 100 + x, y));
    return sum / 10000;
  };
  EXPECT_GT(cover(0), 5 * cover(25));
  EXPECT_EQ(cover(29), 0);
  EXPECT_EQ(qAlpha(touch.pixel(0, 0)), 0);  // frames are transparent around the ripple
  EXPECT_FALSE(source.Read("RCDATA", "GFormTour").isNull());
  EXPECT_FALSE(source.Read("JPEG", "BGLilu").isNull());
}

// Each face library names the decks it was made from, with the notices their licences
// ask to keep with the art.
TEST(FaceLibraries, CarryTheDecksNotices) {
  const struct { const char* library; const char* mentions[3]; } cases[] = {
      {"KuvCards06A.dll", {"Penguins (svg-penguins)", "Original Tux artwork", "GPL-3+"}},
      {"KuvCards06B.dll", {"Dondorf (svg-dondorf)", "Ancient Egyptians (svg-ancient-egyptians)", "GPL-2+"}},
      {"KuvCards06C.dll", {"Tigullio International (svg-tigullio-international)", "LGPL-2+", "Paris"}},
  };
  for (const auto& c : cases) {
    const QString file = kProgram + "/" + c.library;
    ASSERT_TRUE(QResource::registerResource(file, "/notice"));
    QFile text(":/notice/TEXT/CardDecks");
    ASSERT_TRUE(text.open(QIODevice::ReadOnly)) << c.library;
    const QString notice = QString::fromUtf8(text.readAll());
    text.close();
    QResource::unregisterResource(file, "/notice");
    for (const char* m : c.mentions) EXPECT_TRUE(notice.contains(m)) << c.library << ": " << m;
  }
}

// The libraries as the store looks for them: in the parent folder when the program folder
// has none, and with the back library missing, a narrow design in a large window falls
// back to the built-in faces as well.
TEST(LibraryFolders, ParentFolderAndMissingBackLibrary) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString program = dir.path() + "/Zarnet";
  ASSERT_TRUE(QDir().mkpath(program));
  ASSERT_TRUE(QFile::link(kProgram + "/KuvCards06A.dll", dir.path() + "/KuvCards06A.dll"));
  CardArt art(std::make_unique<ResourceSource>(program));
  QStringList notices;
  art.Notice = [&](const QStringList& l) { notices += l; };

  art.FaceDesign = 19;  // wide, from the parent folder
  EXPECT_TRUE(art.LoadFaceDesign());
  EXPECT_EQ(art.FaceDesign, 19);
  EXPECT_TRUE(notices.isEmpty());

  art.Scale = 2.0;
  art.SmallWindow = false;
  art.FaceDesign = 28;  // narrow: its large backs live in the missing back library
  art.LoadFaceDesign();
  EXPECT_EQ(art.FaceDesign, 0);
  EXPECT_EQ(art.BackSet, 0);
  EXPECT_EQ(art.CardWidth, 146);
  EXPECT_EQ(notices, QStringList{"Can`t find the file KuvCards06B.dll"});

  ASSERT_TRUE(QFile::link(kProgram + "/KuvCards06B.dll", program + "/KuvCards06B.dll"));
  notices.clear();
  art.FaceDesign = 28;
  EXPECT_TRUE(art.LoadFaceDesign());
  EXPECT_EQ(art.FaceDesign, 28);
  EXPECT_EQ(art.CardWidth, 126);
  EXPECT_EQ(art.CardShiftX, 5);
  EXPECT_EQ(art.LargeBack[0].size(), QSize(126, 198));
  EXPECT_TRUE(notices.isEmpty());
}

// An installed game finds the libraries in the installation's shared folder after the
// player's own two folders, so a library the player downloads takes precedence.
TEST(LibraryFolders, InstalledFolderComesLast) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString program = dir.path() + "/data/zarnet", shared = dir.path() + "/share/zarnet";
  ASSERT_TRUE(QDir().mkpath(program) && QDir().mkpath(shared));
  ASSERT_TRUE(QFile::link(kProgram + "/KuvCards06A.dll", shared + "/KuvCards06A.dll"));

  EXPECT_EQ(LibraryFolders(program), (QStringList{program, dir.path() + "/data"}));
  EXPECT_FALSE(ResourceSource(program).Open("KuvCards06A.dll"));

  SetInstalledLibraryFolder(shared);
  EXPECT_EQ(LibraryFolders(program), (QStringList{program, dir.path() + "/data", shared}));
  CardArt art(std::make_unique<ResourceSource>(program));
  QStringList notices;
  art.Notice = [&](const QStringList& l) { notices += l; };
  art.FaceDesign = 19;
  EXPECT_TRUE(art.LoadFaceDesign());
  EXPECT_EQ(art.FaceDesign, 19);
  EXPECT_TRUE(notices.isEmpty());
  SetInstalledLibraryFolder(QString());
}

// Contact sheets to look at: every design's cards in the small window, a few in the
// large one, every back set, every background and the library background.
TEST(Sheets, FacesAndBacks) {
  QDir().mkpath(ZARNET_SHEETS_DIR);
  const char* row[] = {"2ч", "3б", "4к", "5п", "6ч", "7б", "8к", "9п", "1ч", "Вб", "Дк", "Кп", "Тч"};
  const QColor table(0x1c, 0x6a, 0x34);
  for (const char* lib : {"KuvCards06A.dll", "KuvCards06B.dll", "KuvCards06C.dll"}) {
    std::vector<int> designs;
    for (int d = 1; d <= 47; ++d)
      if (FaceLibrary(d) == lib) designs.push_back(d);
    QImage sheet(40 + 13 * 76 + 4 * 24, 8 + 100 * int(designs.size()), QImage::Format_RGB32);
    sheet.fill(table);
    QPainter p(&sheet);
    p.setPen(Qt::white);
    for (size_t i = 0; i < designs.size(); ++i) {
      Store s;
      s.art.FaceDesign = designs[i];
      ASSERT_TRUE(s.art.LoadFaceDesign());
      const int y = 6 + 100 * int(i);
      p.drawText(4, y + 50, QString::number(designs[i]));
      for (int c = 0; c < 13; ++c) {
        const QImage before = sheet.copy(40 + 76 * c, y, 71, 96);
        p.end();
        s.art.DrawCard(40 + 76 * c, y, Code(row[c]), sheet);
        p.begin(&sheet);
        p.setPen(Qt::white);
        EXPECT_NE(sheet.copy(40 + 76 * c, y, 71, 96), before) << designs[i] << " " << row[c];
      }
      for (int suit = 0; suit < 4; ++suit) p.drawImage(40 + 13 * 76 + 24 * suit, y + 38, s.art.SmallSuit[suit]);
    }
    p.end();
    EXPECT_TRUE(sheet.save(QString(ZARNET_SHEETS_DIR) + "/faces-" + QString(lib).mid(10, 1) + ".png"));
  }

  const int large[] = {3, 14, 19, 29, 32, 35, 42, 47};
  QImage big(8 + 8 * 152, 8 + 206 * int(std::size(large)), QImage::Format_RGB32);
  big.fill(table);
  for (size_t i = 0; i < std::size(large); ++i) {
    Store s;
    s.Size(2.0);
    s.art.FaceDesign = large[i];
    ASSERT_TRUE(s.art.LoadFaceDesign());
    const char* cards[] = {"Тп", "Кч", "Дб", "Вк", "1ч", "7п", "Тб", "4к"};
    for (int c = 0; c < 8; ++c) s.art.DrawCard(6 + 152 * c, 6 + 206 * int(i), Code(cards[c]), big);
  }
  EXPECT_TRUE(big.save(QString(ZARNET_SHEETS_DIR) + "/faces-large.png"));

  QImage backs(8 + 10 * 76 + 10 * 100, 8 + 13 * 100, QImage::Format_RGB32);
  backs.fill(table);
  for (int set = 0; set <= 12; ++set) {
    Store s;
    s.art.BackSet = set;
    ASSERT_TRUE(s.art.LoadFaceDesign());
    for (int b = 1; b <= BackCount(set); ++b) {
      s.art.BackOfDay = b;
      s.art.DrawBack(6 + 76 * (b - 1), 6 + 100 * set, backs);
      s.art.DrawBackRotated(8 + 760 + 100 * (b - 1), 20 + 100 * set, backs);
    }
  }
  EXPECT_TRUE(backs.save(QString(ZARNET_SHEETS_DIR) + "/backs.png"));

  QImage grounds(7 * 194 + 4, 11 * 129 + 4, QImage::Format_RGB32);
  grounds.fill(Qt::black);
  QPainter p(&grounds);
  Store s;
  for (int pattern = 1; pattern <= 10; ++pattern)
    for (int colour = 0; colour <= 6; ++colour) {
      s.art.BgPattern = pattern;
      s.art.BgColour = colour;
      ASSERT_TRUE(s.art.LoadBackground(false));
      p.drawImage(QRect(4 + 194 * colour, 4 + 129 * (pattern - 1), 190, 125), s.art.Background);
    }
  ASSERT_TRUE(s.art.LoadBackground(true));
  p.drawImage(QRect(4, 4 + 129 * 10, 190, 125), s.art.Background);
  p.end();
  EXPECT_TRUE(grounds.save(QString(ZARNET_SHEETS_DIR) + "/backgrounds.png"));
}
