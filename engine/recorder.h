// The game recorder: frames of the table grabbed while a deal is played,
// unchanged ones dropped, written as one animated GIF when the deal ends.
#pragma once

#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace zarnet {

struct RecordedFrame {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;  // width * height * 3 bytes, rows top down
  int delayMs = 0;
};

inline constexpr int kMaxRecordedFrames = 250;
inline constexpr int kLastFrameDelayMs = 5000;

class GameRecorder {
 public:
  // Fills a frame with the current picture of the table; false when there is none.
  using Grabber = std::function<bool(RecordedFrame*)>;

  void Start(Grabber grab, int frameDelayMs);
  // One tick of the recording timer, and the final picture of a deal.
  void GrabFrame();
  // Writes the animation into programFolder/GIFGame and stops. Returns the
  // path written, or an empty text when nothing was recorded or the write failed.
  std::string Finish(const std::string& programFolder, const std::tm& now);

  bool Recording() const { return recording_; }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  const std::vector<RecordedFrame>& Frames() const { return frames_; }

 private:
  bool recording_ = false;
  int frameDelayMs_ = 1000;
  Grabber grab_;
  std::vector<RecordedFrame> frames_;
};

// "2022.10.18-21.05.33.gif"
std::string RecordingFileName(const std::tm& t);

// One image per frame, each with its own palette and display time; loops.
bool WriteAnimatedGif(const std::string& path, const std::vector<RecordedFrame>& frames);

}  // namespace zarnet
