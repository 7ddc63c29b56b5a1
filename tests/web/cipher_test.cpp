#include <gtest/gtest.h>

#include <string>

#include "cipher.h"

namespace zarnet {
namespace {

TEST(SixBit, RoundTripsEveryLengthAndByte) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (size_t len = 0; len <= all.size(); len += (len < 8 ? 1 : 37)) {
    const std::string bytes = all.substr(0, len);
    const std::string text = EncodeSixBit(bytes);
    EXPECT_EQ(text.size(), (len * 4 + 2) / 3);
    for (char c : text) EXPECT_NE(kSixBitAlphabet.find(c), std::string_view::npos);
    ASSERT_EQ(DecodeSixBit(text), bytes) << len;
  }
}

TEST(SixBit, RefusesForeignSymbolsImpossibleLengthsAndStrayBits) {
  EXPECT_FALSE(DecodeSixBit("abc#"));
  EXPECT_FALSE(DecodeSixBit("abcd e"));
  EXPECT_FALSE(DecodeSixBit("abcde"));  // 5 symbols cannot come from whole bytes
  // One byte is two symbols whose last four bits are zero.
  const std::string one = EncodeSixBit("A");
  std::string bent = one;
  bent[1] = kSixBitAlphabet[kSixBitAlphabet.find(one[1]) + 1];
  EXPECT_FALSE(DecodeSixBit(bent));
}

TEST(Cipher, RoundTripsAndDependsOnTheKey) {
  const std::string address = "http://127.0.0.1:8088/tables";
  const std::string a = Encipher(address, kAddressKey);
  const std::string t = Encipher(address, kTournamentKey);
  EXPECT_NE(a, t);
  EXPECT_EQ(Decipher(a, kAddressKey), address);
  EXPECT_EQ(Decipher(t, kTournamentKey), address);
  EXPECT_NE(Decipher(a, kTournamentKey), address);
  EXPECT_EQ(a.find("http"), std::string::npos);
  // cp1251 bytes and blanks survive.
  const std::string password = "\xCF\xE0\xF0\xEE\xEB\xFC 1#$";
  EXPECT_EQ(Decipher(Encipher(password, kUserFileKey), kUserFileKey), password);
  EXPECT_EQ(Encipher("", kUserFileKey), "");
}

TEST(Cipher, ChainingSpreadsAChangeToTheRest) {
  const std::string c1 = CipherBytes("aaaaaaaa", kAddressKey);
  const std::string c2 = CipherBytes("baaaaaaa", kAddressKey);
  for (size_t i = 0; i < c1.size(); ++i) EXPECT_NE(c1[i], c2[i]) << i;
  // A repeated byte does not give a repeated cipher byte pattern.
  EXPECT_NE(c1.substr(0, 4), c1.substr(4, 4));
}

}  // namespace
}  // namespace zarnet
