#include <gtest/gtest.h>

#include "cards.h"
#include "codec.h"

namespace zarnet {
namespace {

TEST(Codec, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = Cp1251ToUtf8(all);
  EXPECT_EQ(Utf8ToCp1251(utf8), all);
  // Distinct bytes map to distinct characters.
  for (int a = 0; a < 256; ++a)
    for (int b = a + 1; b < 256; ++b)
      ASSERT_NE(Cp1251ToUnicode(a), Cp1251ToUnicode(b)) << a << " " << b;
  for (int b = 0; b < 256; ++b) EXPECT_EQ(UnicodeToCp1251(Cp1251ToUnicode(b)), b) << b;
}

TEST(Codec, KnownCharacters) {
  struct Case {
    unsigned char byte;
    char32_t ch;
  };
  for (const Case& c : {Case{0x41, U'A'}, Case{0xC0, U'А'}, Case{0xFF, U'я'}, Case{0xA8, U'Ё'},
                        Case{0xB8, U'ё'}, Case{0x88, U'€'}, Case{0xB9, U'№'}, Case{0x85, U'…'},
                        Case{0x96, U'–'}, Case{0xAB, U'«'}}) {
    EXPECT_EQ(Cp1251ToUnicode(c.byte), c.ch) << int(c.byte);
    EXPECT_EQ(UnicodeToCp1251(c.ch), c.byte) << int(c.byte);
  }
}

TEST(Codec, UnmappableAndBrokenInputBecomesQuestionMarks) {
  EXPECT_EQ(Utf8ToCp1251("Grüße"), "Gr??e");
  EXPECT_EQ(Utf8ToCp1251("牌a"), "?a");
  EXPECT_EQ(Utf8ToCp1251("\xD0"), "?");          // cut-off sequence
  EXPECT_EQ(Utf8ToCp1251("\xD0x"), "?x");        // bad continuation
  EXPECT_EQ(Utf8ToCp1251("\x80Z"), "?Z");        // stray continuation
  EXPECT_EQ(UnicodeToCp1251(U'ü'), -1);
  EXPECT_EQ(Utf8ToCp1251(""), "");
}

TEST(Codec, CardCodesOfTheDeck) {
  // Card n: rank row (n-1)/4, suit (n-1)%4, as the player reads them.
  const char* ranks[] = {"2", "4", "5", "6", "7", "В", "Д", "К", "3", "Т"};
  const char* suits[] = {"ч", "б", "к", "п"};
  for (int n = 1; n <= 40; ++n) {
    const std::string bytes = kDeckTable[n].code.Bytes();
    const std::string expected = std::string(ranks[(n - 1) / 4]) + suits[(n - 1) % 4];
    EXPECT_EQ(Cp1251ToUtf8(bytes), expected) << n;
    EXPECT_EQ(Utf8ToCp1251(expected), bytes) << n;
  }
  EXPECT_EQ(Utf8ToCp1251("##"), EmptyCard.Bytes());
}

}  // namespace
}  // namespace zarnet
