#include <gtest/gtest.h>

#include "forms.h"
#include "handlers.h"

namespace zarnet::services {
namespace {

TEST(Forms, BothFormsGiveTheSameCp1251Value) {
  // "Ёж да" as raw cp1251 in the text form, as UTF-8 escapes in the list form.
  const std::string cp1251 = "\xA8\xE6 \xE4\xE0";
  EXPECT_EQ(DecodeValue(cp1251, false), cp1251);
  EXPECT_EQ(DecodeValue("%D0%81%D0%B6+%D0%B4%D0%B0", true), cp1251);
  // '+' is a blank only in the list form; a lone '%' stays.
  EXPECT_EQ(DecodeValue("C++", false), "C++");
  EXPECT_EQ(DecodeValue("a+b", true), "a b");
  EXPECT_EQ(DecodeValue("100%", true), "100%");
  EXPECT_EQ(DecodeValue("%2", true), "%2");
  // Escaped bytes that are not UTF-8 are taken as cp1251.
  EXPECT_EQ(DecodeValue("%CF%F0", false), "\xCF\xF0");
}

TEST(Forms, TheBodyTellsItsForm) {
  EXPECT_FALSE(IsListForm("about=Likes cards", true));  // a raw blank
  EXPECT_FALSE(IsListForm("city=\xCC\xEE", true));       // raw cp1251
  EXPECT_TRUE(IsListForm("about=Likes+%D0%9C", false));
  EXPECT_TRUE(IsListForm("gid=808", true));
  EXPECT_FALSE(IsListForm("gid=808", false));
}

TEST(Forms, SplitsPairsAndSkipsEmptyLines) {
  const auto pairs = SplitForm("readtable10=88&&gid=88&flag&=x&\r\n");
  ASSERT_EQ(pairs.size(), 3u);
  EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"readtable10", "88"}));
  EXPECT_EQ(pairs[1].second, "88");
  EXPECT_EQ(pairs[2], (std::pair<std::string, std::string>{"flag", ""}));
}

TEST(Forms, DecimalsAsTheGameReadsThem) {
  EXPECT_EQ(DecimalText(1234.5), "1234.5");
  EXPECT_EQ(DecimalText(0.000001), "0");
  EXPECT_EQ(DecimalText(-0.5), "-0.5");
  EXPECT_EQ(DecimalText(1523.123456789012345), "1523.12345678901");
}

}  // namespace
}  // namespace zarnet::services
