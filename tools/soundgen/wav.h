// A 16-bit mono PCM WAV file image, for the sound generators.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace soundgen {

inline void PutLe(std::string& b, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) b.push_back(char((v >> (8 * i)) & 0xFF));
}

inline std::string WavFile(const std::vector<int16_t>& samples, int rate) {
  const uint32_t data = uint32_t(samples.size() * 2);
  std::string b = "RIFF";
  PutLe(b, 36 + data, 4);
  b += "WAVEfmt ";
  PutLe(b, 16, 4);
  PutLe(b, 1, 2);  // PCM
  PutLe(b, 1, 2);  // mono
  PutLe(b, uint32_t(rate), 4);
  PutLe(b, uint32_t(rate * 2), 4);  // bytes a second
  PutLe(b, 2, 2);                   // bytes a frame
  PutLe(b, 16, 2);
  b += "data";
  PutLe(b, data, 4);
  for (int16_t v : samples) PutLe(b, uint16_t(v), 2);
  return b;
}

}  // namespace soundgen
