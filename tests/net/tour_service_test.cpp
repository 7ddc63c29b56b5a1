#include <gtest/gtest.h>

#include "tour_service.h"

namespace zarnet {
namespace {

TEST(TourRequests, BodiesByteForByte) {
  EXPECT_EQ(ReadTablesBody(), "readtable10=88&&gid=88");
  EXPECT_EQ(ReadSeatBody(4, 2), "readclient2=0&&gid=88&&num=4");
  EXPECT_EQ(ReadTourPlaceBody('r', 1500), "placer88=0&rating1=1500");
  EXPECT_EQ(ReadTourTopTenBody('s'), "top10s88=0&&nick=z");
  TKuvClient c;
  c.Nick = "Anna";
  c.Score = 12;
  c.Kon = 40;
  c.Rating = 1510;
  c.Country = "Russia";
  c.City = "Moscow";
  c.Sex = 'W';
  c.IP = "10.1.2.3";
  EXPECT_EQ(SetSeatBody(3, 1, 1, c),
            "clienton1=0&gid=88&num=3&can=1&nick1=Anna&score1=12&kon1=40&rating1=1510&"
            "country1=Russia&city1=Moscow&sex1=W&ip1=10.1.2.3");
}

TEST(TourReplies, OneTableRecordFillsTableTen) {
  TableList t;
  ASSERT_TRUE(ParseTables(
      "$x 127.0.0.1 25710 F 0 r X 0 0 0 X X M X Boris 30 12 1480 Russia Omsk M 10.0.0.9*\n", &t));
  EXPECT_EQ(t[10].IP, "127.0.0.1");
  EXPECT_EQ(t[10].Port, 25710);
  EXPECT_EQ(t[10].Seat[1].Nick, "X");  // seat 1 free
  EXPECT_EQ(t[10].Seat[2].Nick, "Boris");
  EXPECT_EQ(t[10].Seat[2].Rating, 1480);
  EXPECT_EQ(t[1].IP, "0.0.0.0");
  EXPECT_EQ(t[1].Port, 0);
  EXPECT_FALSE(ParseTables("$x h notaport*\n", &t));
}

TEST(TourReplies, SeatResultsAndRecords) {
  EXPECT_EQ(SetSeatResult("ok"), 0);
  EXPECT_EQ(SetSeatResult("is"), 2);
  EXPECT_EQ(SetSeatResult("okis"), 2);
  EXPECT_EQ(SetSeatResult(""), 1);
  TKuvClient c;
  c.IP = "kept";
  ASSERT_TRUE(ParseSeat("$Anna 12 40 1510 Russia Moscow W$", &c));
  EXPECT_EQ(c.Nick, "Anna");
  EXPECT_EQ(c.Sex, 'W');
  EXPECT_EQ(c.IP, "kept");
  int32_t kon = 0, rating = 0;
  EXPECT_EQ(ParseTourRating("$25 14 1505$", &kon, &rating), 25);
  EXPECT_EQ(kon, 14);
  EXPECT_EQ(rating, 1505);
  bool ok = true;
  EXPECT_EQ(ParseTourRating("nothing", &kon, &rating, &ok), -1);
  EXPECT_FALSE(ok);
  EXPECT_EQ(ParseTourRating("$-1 2 990$", &kon, &rating, &ok), -1);  // a lost match, not a failure
  EXPECT_TRUE(ok);
  char status = 0;
  std::string welcome;
  ParseServerInfo("$Yes Welcome_to_the_tables$", &status, &welcome);
  EXPECT_EQ(status, 'Y');
  EXPECT_EQ(welcome, "Welcome_to_the_tables");
}

TEST(TourRequests, BuiltInAddressDeciphers) {
  EXPECT_EQ(TournamentAddress(), "http://127.0.0.1:8088/tournament");
}

TEST(TourReplies, TopTenStopsAtTenRows) {
  std::string reply;
  for (int i = 1; i <= 14; ++i) reply += "$" + std::to_string(i) + " P" + std::to_string(i) + " Omsk Russia M 5*";
  std::array<TKuvRecord, 11> top;
  ASSERT_TRUE(ParseTourTopTen(reply + "\n", &top));
  EXPECT_EQ(top[10].Nick, "P10");
  EXPECT_EQ(top[1].Place, 1);
}

}  // namespace
}  // namespace zarnet
