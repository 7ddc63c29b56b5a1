// The random source of the shuffle: small, fast and reproducible for a seed.
#pragma once

#include <sys/random.h>

#include <chrono>
#include <cstdint>
#include <random>

namespace zarnet {

// A seed that differs from start to start: the system's entropy, mixed with
// a nanosecond clock in case the entropy source is unavailable.
inline uint64_t EntropySeed() {
  uint64_t seed = 0;
  if (getrandom(&seed, sizeof seed, GRND_NONBLOCK) != static_cast<ssize_t>(sizeof seed)) {
    std::random_device device;
    seed = (static_cast<uint64_t>(device()) << 32) ^ device();
  }
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  return seed ^ (static_cast<uint64_t>(ticks) * 0x9E3779B97F4A7C15ULL);
}

class RandomSource {
 public:
  explicit RandomSource(uint64_t seed = 0x5EED) { Seed(seed); }

  void Seed(uint64_t seed) {
    spareBits_ = 0;
    // splitmix64 spreads any seed over the four words of xoshiro256**.
    for (auto& w : s_) {
      seed += 0x9E3779B97F4A7C15ULL;
      uint64_t z = seed;
      z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
      z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
      w = z ^ (z >> 31);
    }
  }

  uint64_t Next() {
    const uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
  }

  // 16 random bits; each 64-bit step serves four calls.
  uint32_t Next16() {
    if (spareBits_ == 0) {
      spare_ = Next();
      spareBits_ = 64;
    }
    spareBits_ -= 16;
    return static_cast<uint32_t>(spare_ >> spareBits_) & 0xFFFF;
  }

  // Uniform in 0..n-1 (n at most 65536) without modulo bias: Lemire's
  // multiply-and-reject on 16-bit draws.
  uint32_t Below(uint32_t n) {
    uint32_t m = Next16() * n;
    uint32_t low = m & 0xFFFF;
    if (low < n) {
      const uint32_t threshold = (65536u - n) % n;
      while (low < threshold) {
        m = Next16() * n;
        low = m & 0xFFFF;
      }
    }
    return m >> 16;
  }

 private:
  static uint64_t Rotl(uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }
  uint64_t s_[4];
  uint64_t spare_ = 0;
  int spareBits_ = 0;
};

}  // namespace zarnet
