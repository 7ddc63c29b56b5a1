#include <gtest/gtest.h>

#include <gif_lib.h>

#include <filesystem>

#include "recorder.h"

namespace zarnet {
namespace {

namespace fs = std::filesystem;

// A grabber whose picture the test changes between grabs.
struct Table {
  int shade = 0;
  bool Grab(RecordedFrame* f) const {
    f->width = 40;
    f->height = 30;
    f->rgb.assign(40 * 30 * 3, 0);
    for (size_t i = 0; i < f->rgb.size(); i += 3) {
      f->rgb[i] = static_cast<unsigned char>(shade);
      f->rgb[i + 1] = static_cast<unsigned char>(i % 251);
      f->rgb[i + 2] = 90;
    }
    return true;
  }
};

TEST(Recorder, DropsUnchangedFramesAndStopsAt250) {
  Table table;
  GameRecorder r;
  r.Start([&](RecordedFrame* f) { return table.Grab(f); }, 300);
  EXPECT_EQ(r.FrameCount(), 1);
  r.GrabFrame();
  EXPECT_EQ(r.FrameCount(), 1);  // nothing moved
  for (int i = 1; i < 400; ++i) {
    table.shade = i % 256;
    r.GrabFrame();
  }
  EXPECT_EQ(r.FrameCount(), kMaxRecordedFrames);
  EXPECT_EQ(r.Frames()[0].delayMs, 300);
}

TEST(Recorder, WritesOneGifWithTheLastFrameHeld) {
  const fs::path dir = fs::temp_directory_path() / "zarnet-recorder-test";
  fs::remove_all(dir);
  Table table;
  GameRecorder r;
  r.Start([&](RecordedFrame* f) { return table.Grab(f); }, 200);
  for (int i = 1; i <= 4; ++i) {
    table.shade = 40 * i;
    r.GrabFrame();
  }
  std::tm t{};
  t.tm_year = 122;
  t.tm_mon = 9;
  t.tm_mday = 18;
  t.tm_hour = 21;
  t.tm_min = 5;
  t.tm_sec = 33;
  const std::string path = r.Finish(dir.string(), t);
  EXPECT_EQ(path, (dir / "GIFGame" / "2022.10.18-21.05.33.gif").string());
  EXPECT_FALSE(r.Recording());

  int error = 0;
  GifFileType* gif = DGifOpenFileName(path.c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  EXPECT_EQ(gif->ImageCount, 5);
  EXPECT_EQ(gif->SWidth, 40);
  GraphicsControlBlock first{}, last{};
  DGifSavedExtensionToGCB(gif, 0, &first);
  DGifSavedExtensionToGCB(gif, gif->ImageCount - 1, &last);
  EXPECT_EQ(first.DelayTime, 20);
  EXPECT_EQ(last.DelayTime, 500);
  DGifCloseFile(gif, &error);
  fs::remove_all(dir);
}

TEST(Recorder, NothingRecordedWritesNothing) {
  GameRecorder r;
  EXPECT_EQ(r.Finish("/nonexistent", std::tm{}), "");
  r.Start([](RecordedFrame*) { return false; }, 100);
  EXPECT_EQ(r.FrameCount(), 0);
  EXPECT_EQ(r.Finish(fs::temp_directory_path().string(), std::tm{}), "");
}

}  // namespace
}  // namespace zarnet
