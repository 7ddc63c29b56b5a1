#include "cipher.h"

#include <array>
#include <cstdint>

namespace zarnet {
namespace {

constexpr std::array<int8_t, 256> kSymbolValue = [] {
  std::array<int8_t, 256> t{};
  for (auto& v : t) v = -1;
  for (size_t i = 0; i < kSixBitAlphabet.size(); ++i)
    t[static_cast<unsigned char>(kSixBitAlphabet[i])] = static_cast<int8_t>(i);
  return t;
}();

static_assert(kSixBitAlphabet.size() == 64);
static_assert([] {
  for (size_t i = 0; i < 64; ++i)
    for (size_t j = i + 1; j < 64; ++j)
      if (kSixBitAlphabet[i] == kSixBitAlphabet[j]) return false;
  return true;
}(), "every symbol once");

// FNV-1a over the key seeds a xorshift64* stream.
class KeyStream {
 public:
  explicit KeyStream(std::string_view key) {
    uint64_t h = 0xCBF29CE484222325ULL;
    for (unsigned char c : key) {
      h ^= c;
      h *= 0x100000001B3ULL;
    }
    state_ = h ? h : 0x9E3779B97F4A7C15ULL;
    chain_ = static_cast<uint8_t>(h >> 56);
  }
  uint8_t Next() {
    state_ ^= state_ >> 12;
    state_ ^= state_ << 25;
    state_ ^= state_ >> 27;
    return static_cast<uint8_t>((state_ * 0x2545F4914F6CDD1DULL) >> 56);
  }
  uint8_t chain_;

 private:
  uint64_t state_;
};

}  // namespace

std::string EncodeSixBit(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() * 4 + 2) / 3);
  size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const uint32_t v = (uint32_t(uint8_t(bytes[i])) << 16) | (uint32_t(uint8_t(bytes[i + 1])) << 8) |
                       uint8_t(bytes[i + 2]);
    for (int s = 18; s >= 0; s -= 6) out += kSixBitAlphabet[(v >> s) & 63];
  }
  const size_t rest = bytes.size() - i;
  if (rest == 1) {
    const uint32_t v = uint8_t(bytes[i]);
    out += kSixBitAlphabet[v >> 2];
    out += kSixBitAlphabet[(v & 3) << 4];
  } else if (rest == 2) {
    const uint32_t v = (uint32_t(uint8_t(bytes[i])) << 8) | uint8_t(bytes[i + 1]);
    out += kSixBitAlphabet[v >> 10];
    out += kSixBitAlphabet[(v >> 4) & 63];
    out += kSixBitAlphabet[(v & 15) << 2];
  }
  return out;
}

std::optional<std::string> DecodeSixBit(std::string_view text) {
  if (text.size() % 4 == 1) return std::nullopt;
  std::string out;
  out.reserve(text.size() * 3 / 4);
  uint32_t acc = 0;
  int bits = 0;
  for (unsigned char c : text) {
    const int v = kSymbolValue[c];
    if (v < 0) return std::nullopt;
    acc = (acc << 6) | uint32_t(v);
    bits += 6;
    if (bits >= 8) {
      bits -= 8;
      out += static_cast<char>((acc >> bits) & 0xFF);
    }
  }
  // The bits left over after the last byte must be zero, so every text has
  // exactly one reading.
  if (bits > 0 && (acc & ((1u << bits) - 1)) != 0) return std::nullopt;
  return out;
}

std::string CipherBytes(std::string_view plain, std::string_view key) {
  KeyStream ks(key);
  std::string out(plain.size(), '\0');
  uint8_t prev = ks.chain_;
  for (size_t i = 0; i < plain.size(); ++i) {
    const uint8_t c = static_cast<uint8_t>((uint8_t(plain[i]) ^ ks.Next()) + prev);
    out[i] = static_cast<char>(c);
    prev = c;
  }
  return out;
}

std::string DecipherBytes(std::string_view cipher, std::string_view key) {
  KeyStream ks(key);
  std::string out(cipher.size(), '\0');
  uint8_t prev = ks.chain_;
  for (size_t i = 0; i < cipher.size(); ++i) {
    const uint8_t c = uint8_t(cipher[i]);
    out[i] = static_cast<char>(static_cast<uint8_t>(c - prev) ^ ks.Next());
    prev = c;
  }
  return out;
}

std::string Encipher(std::string_view plain, std::string_view key) {
  return EncodeSixBit(CipherBytes(plain, key));
}

std::optional<std::string> Decipher(std::string_view text, std::string_view key) {
  auto bytes = DecodeSixBit(text);
  if (!bytes) return std::nullopt;
  return DecipherBytes(*bytes, key);
}

}  // namespace zarnet
