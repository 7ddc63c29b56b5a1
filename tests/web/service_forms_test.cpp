#include <gtest/gtest.h>

#include "service_forms.h"

namespace zarnet {
namespace {

TEST(RequestBodies, TextFormIsRawAndListFormIsEscapedUtf8) {
  const FormPairs pairs = {{"nick", "\xC8\xE2\xE0\xED"}, {"city", "New York"}, {"pw", "a*b-c._d"}};
  EXPECT_EQ(TextFormBody(pairs), "nick=\xC8\xE2\xE0\xED&city=New York&pw=a*b-c._d");
  EXPECT_EQ(ListFormBody(pairs), "nick=%D0%98%D0%B2%D0%B0%D0%BD&city=New+York&pw=a*b-c._d");
  EXPECT_EQ(ListFormBody({{"k", "a&b=c%"}}), "k=a%26b%3Dc%25");
}

TEST(RequestBodies, RealsGoWithAPoint) {
  EXPECT_EQ(ServiceReal(1234.5), "1234.5");
  EXPECT_EQ(ServiceReal(0.000001), "0");
  EXPECT_EQ(ServiceReal(-3.25), "-3.25");
  EXPECT_EQ(ServiceReal(1.0 / 3), "0.333333333333333");
}

TEST(Replies, NumberNeverUsesTheFinalCharacter) {
  struct Case {
    const char* reply;
    std::optional<long long> value;
  } cases[] = {{"abc$123", 12},     {"abc$123\n", 123}, {"$12$", 12},
               {"x$7$y", std::nullopt},  // the last usable "$" has no digits: no fallback
               {"no dollar", std::nullopt}, {"$", std::nullopt}, {"$45 places", 45}};
  for (const Case& c : cases) EXPECT_EQ(ParseNumber(c.reply), c.value) << c.reply;
}

TEST(Replies, TokensAnywhere) {
  const ReplyTokens t = ParseTokens("xxokxxisxx");
  EXPECT_TRUE(t.ok);
  EXPECT_TRUE(t.is);
  EXPECT_FALSE(t.no);
  EXPECT_TRUE(ParseTokens("nope").no);
  // Inside a record "no" is data: a city, an e-mail or a profile line.
  EXPECT_FALSE(ParseTokens("$Lebanon Lebanon 4-001 M anon@no.ru 01.02.2026 xxx xxx xxx 0 0 0\n").no);
  EXPECT_FALSE(ParseTokens("$Ann~~I know the rules~~~~~~~~~~~\n").no);
  EXPECT_TRUE(ParseTokens("no$").no);  // a "$" only as the final character is no record
}

TEST(Replies, RecordFieldsKeepEmptyOnes) {
  EXPECT_EQ(ParseRecord("head$one  three$tail"), (std::vector<std::string>{"one", "", "three"}));
  EXPECT_EQ(ParseRecord("$a~b c~d.", '~'), (std::vector<std::string>{"a", "b c", "d"}));
  EXPECT_TRUE(ParseRecord("nothing").empty());
}

TEST(Replies, RecordListStopsAfterTen) {
  std::string reply;
  for (int i = 1; i <= 12; ++i) reply += "$" + std::to_string(i) + " x*";
  reply += "\n";
  const auto records = ParseRecordList(reply);
  ASSERT_EQ(records.size(), 10u);
  EXPECT_EQ(records[0], (std::vector<std::string>{"1", "x"}));
  EXPECT_EQ(records[9][0], "10");
  EXPECT_EQ(ParseRecordList("$1 a*$2 b*.").size(), 2u);
}

TEST(Replies, StatusNeedsOkAfterTheLastDollar) {
  EXPECT_TRUE(ParseStatus("$ ok #"));
  EXPECT_TRUE(ParseStatus("junk$ ok"));
  EXPECT_FALSE(ParseStatus("$ no #"));
  EXPECT_FALSE(ParseStatus("$ o#k"));
  EXPECT_FALSE(ParseStatus("ok"));
}

TEST(Replies, BalanceBetweenTwoDollars) {
  EXPECT_EQ(ParseDollarText("bal$125$\n"), "125");
  EXPECT_EQ(ParseDollarText("bal$125"), std::nullopt);
}

}  // namespace
}  // namespace zarnet
