// Photos come in through the FTP server's own folder and are published in
// the avatars folder only after a check: a real JPEG of at most 200 KiB,
// named after a nick whose session is at the uploading address.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "storage.h"

namespace zarnet::services {

inline constexpr int64_t kMaxPhotoBytes = 200 * 1024;

class PhotoInbox {
 public:
  // `log` is the FTP server's transfer log (one "clf" line per upload).
  PhotoInbox(std::string inbox, std::string avatars, std::string log, Storage& storage, int64_t sessionSeconds)
      : inbox_(std::move(inbox)), avatars_(std::move(avatars)), log_(std::move(log)), db_(storage),
        sessionSeconds_(sessionSeconds) {}
  // Takes the uploads logged since the last call: publishes or deletes each,
  // and deletes what lies in the inbox unlogged for longer than a minute.
  void Process(int64_t now);

 private:
  void Take(const std::string& address, const std::string& path, int64_t now);

  std::string inbox_, avatars_, log_;
  Storage& db_;
  int64_t sessionSeconds_;
  std::mutex mutex_;
  uint64_t logOffset_ = 0;
  std::string partialLine_;
};

}  // namespace zarnet::services
