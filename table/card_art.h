// The card art store: faces, backs, suit symbols and the table background in the
// chosen design, size and colour, and the functions that draw them.
#pragma once

#include <QDate>
#include <QImage>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "art_names.h"
#include "cards.h"

namespace zarnet {

// Named pictures of the program and of the libraries beside it.
class PictureSource {
 public:
  virtual ~PictureSource() = default;
  // Opens a library by file name; an empty name is the program itself. False when absent.
  virtual bool Open(const QString& library) = 0;
  virtual void Close() = 0;
  // type is "BITMAP", "RCDATA" or "JPEG"; a null image when the picture is absent.
  virtual QImage Read(const QString& type, const QString& name) = 0;
};

// The folders a library is looked for in, in order: the program folder, its parent,
// then the installation's shared folder once one is set.
QStringList LibraryFolders(const QString& programFolder);
// Set once at start by an installed program; empty (the default) leaves two folders.
void SetInstalledLibraryFolder(const QString& folder);

// Libraries are Qt resource files under the library's file name, looked for in the
// folders above.
class ResourceSource : public PictureSource {
 public:
  explicit ResourceSource(QString programFolder) : folder_(std::move(programFolder)) {}
  ~ResourceSource() override { Close(); }
  bool Open(const QString& library) override;
  void Close() override;
  QImage Read(const QString& type, const QString& name) override;
  // The bytes of a named resource that is no picture (a sound); empty when absent.
  QByteArray ReadData(const QString& type, const QString& name) const;

 private:
  QString folder_;
  QString file_;  // the registered library file, empty for the program
  QString root_;
};

// Bilinear resample in place. Sizes of 1 or less leave the picture alone; palette
// and grey pictures are refused with the error text.
bool ResizePng(QImage& picture, int width, int height, QString* error = nullptr);

class CardArt {
 public:
  explicit CardArt(std::unique_ptr<PictureSource> source);

  // Choices (set by the options and the window size).
  int FaceDesign = 0;
  int BackSet = 0;
  int BgPattern = 2;
  int BgColour = 0;
  bool AlwaysOneBack = false;
  double Scale = 1.0;
  bool SmallWindow = true;
  int ClientWidth = 760;
  int ClientHeight = 500;
  int LanguageIndex = 0;
  // Device pixels per window pixel. Above 1 the large pictures are loaded in
  // every size, and cards land in a target of finer pixels resampled once to
  // its real pixel size rather than enlarged from the small bitmaps.
  double DevicePixelRatio = 1.0;

  // The store.
  QImage SmallFace[57];
  QImage LargeFace[57];
  QImage SmallSuit[4];
  QImage LargeSuit[4];
  QImage SmallBack[10];
  QImage SmallBackRotated[10];
  QImage LargeBack[20];
  QImage Background;

  bool WideDesign = true;
  int CardSizeClass = 1;
  int CardWidth = 71;
  int CardHeight = 96;
  int CardShiftX = 0;
  int BackOfDay = 1;

  // Shows the Attention window; tests record the lines instead.
  std::function<void(const QStringList&)> Notice;
  std::function<QDate()> Today = [] { return QDate::currentDate(); };

  bool LoadFaceDesign();
  bool LoadBackSet();
  bool LoadBackground(bool libraryBackground);
  void ChooseBackOfDay();
  // Recomputes the size class and card size from Scale and the design.
  void UpdateCardSize();

  const QImage* FaceSmall(CardCode code) const;
  const QImage* FaceLarge(CardCode code) const;

  void DrawCard(int x, int y, CardCode code, QImage& target) const;
  void DrawBack(int x, int y, QImage& target) const;
  void DrawBackRotated(int x, int y, QImage& target) const;
  void DrawScaled(int x, int y, const QImage& picture, bool rounded, int w, int h,
                  QImage& target) const;

 private:
  bool OpenLibrary(const QString& name);
  void MissingFile(const QString& name);
  bool ReadFaces(int design, bool large);
  bool ReadBacks(bool builtIn, const QString& suffix, bool small);
  bool LoadLargeBacksToo();
  // A picture into the logical rect of a target with finer pixels.
  void DrawFine(int x, int y, const QImage& picture, bool rounded, int w, int h, QImage& target) const;
  // The small size's black outline, drawn in a target with finer pixels.
  void DrawFineOutline(int x, int y, int w, int h, QImage& target) const;
  std::unique_ptr<PictureSource> source_;
};

}  // namespace zarnet
