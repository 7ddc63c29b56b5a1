#include "recorder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace zarnet {

void GameRecorder::Start(Grabber grab, int frameDelayMs) {
  frames_.clear();
  grab_ = std::move(grab);
  frameDelayMs_ = frameDelayMs;
  recording_ = true;
  GrabFrame();
}

void GameRecorder::GrabFrame() {
  if (!recording_ || FrameCount() >= kMaxRecordedFrames || !grab_) return;
  RecordedFrame f;
  if (!grab_(&f) || f.width <= 0 || f.height <= 0 ||
      f.rgb.size() != static_cast<size_t>(f.width) * f.height * 3)
    return;
  if (!frames_.empty()) {
    const RecordedFrame& last = frames_.back();
    if (last.width == f.width && last.height == f.height && last.rgb == f.rgb) return;
  }
  f.delayMs = frameDelayMs_;
  frames_.push_back(std::move(f));
}

std::string GameRecorder::Finish(const std::string& programFolder, const std::tm& now) {
  if (!recording_) return {};
  recording_ = false;
  std::string written;
  if (!frames_.empty()) {
    frames_.back().delayMs = kLastFrameDelayMs;
    const std::filesystem::path folder = std::filesystem::path(programFolder) / "GIFGame";
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    const std::string path = (folder / RecordingFileName(now)).string();
    if (WriteAnimatedGif(path, frames_)) written = path;
  }
  frames_.clear();
  grab_ = nullptr;
  return written;
}

std::string RecordingFileName(const std::tm& t) {
  char name[40];
  std::snprintf(name, sizeof name, "%04d.%02d.%02d-%02d.%02d.%02d.gif", t.tm_year + 1900,
                t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  return name;
}

namespace {

// Carried by the first image, ahead of its timing block.
bool AddLoopExtension(SavedImage* first) {
  unsigned char app[] = "NETSCAPE2.0";
  unsigned char loop[] = {1, 0, 0};  // repeat for ever
  return GifAddExtensionBlock(&first->ExtensionBlockCount, &first->ExtensionBlocks,
                              APPLICATION_EXT_FUNC_CODE, 11, app) == GIF_OK &&
         GifAddExtensionBlock(&first->ExtensionBlockCount, &first->ExtensionBlocks,
                              CONTINUE_EXT_FUNC_CODE, 3, loop) == GIF_OK;
}

}  // namespace

bool WriteAnimatedGif(const std::string& path, const std::vector<RecordedFrame>& frames) {
  if (frames.empty()) return false;
  // Write beside the target first, so a failed write never leaves half a file.
  const std::string temp = path + ".part";
  int error = 0;
  GifFileType* gif = EGifOpenFileName(temp.c_str(), false, &error);
  if (!gif) return false;
  bool ok = true;
  gif->SWidth = frames[0].width;
  gif->SHeight = frames[0].height;
  gif->SColorResolution = 8;
  gif->SBackGroundColor = 0;
  gif->SColorMap = nullptr;

  for (const RecordedFrame& f : frames) {
    if (!ok) break;
    const size_t n = static_cast<size_t>(f.width) * f.height;
    std::vector<GifByteType> r(n), g(n), b(n), index(n);
    for (size_t i = 0; i < n; ++i) {
      r[i] = f.rgb[3 * i];
      g[i] = f.rgb[3 * i + 1];
      b[i] = f.rgb[3 * i + 2];
    }
    int colours = 256;
    ColorMapObject* map = GifMakeMapObject(256, nullptr);
    if (!map || GifQuantizeBuffer(f.width, f.height, &colours, r.data(), g.data(), b.data(),
                                  index.data(), map->Colors) != GIF_OK) {
      GifFreeMapObject(map);
      ok = false;
      break;
    }
    SavedImage* image = GifMakeSavedImage(gif, nullptr);
    if (!image) {
      GifFreeMapObject(map);
      ok = false;
      break;
    }
    image->ImageDesc = {0, 0, f.width, f.height, false, map};
    image->RasterBits = static_cast<GifByteType*>(malloc(n));
    std::copy(index.begin(), index.end(), image->RasterBits);
    if (gif->ImageCount == 1 && !AddLoopExtension(image)) {
      ok = false;
      break;
    }
    GraphicsControlBlock gcb{};
    gcb.DisposalMode = DISPOSAL_UNSPECIFIED;
    gcb.DelayTime = f.delayMs / 10;  // hundredths of a second
    gcb.TransparentColor = NO_TRANSPARENT_COLOR;
    ok = EGifGCBToSavedExtension(&gcb, gif, gif->ImageCount - 1) == GIF_OK;
  }
  if (ok) ok = EGifSpew(gif) == GIF_OK;  // closes the file and frees the image
  else EGifCloseFile(gif, &error);
  if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}

}  // namespace zarnet
