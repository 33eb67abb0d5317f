#include "model/line_sink.h"

#include "gtest/gtest.h"

TEST(LineSinkTest, PiecesJoinInOrderAndAreTakenOutOfTheirList) {
  TextList whole;
  TextList expected;
  std::string longLine(100, 'x');  // not stored within the string itself
  for (int n = 0; n < 40; ++n) {
    TextList piece;
    for (int k = 0; k < n % 7; ++k)
      piece.push_back(longLine + std::to_string(n) + "." + std::to_string(k));
    expected.insert(expected.end(), piece.begin(), piece.end());
    AppendPiece(&whole, &piece);
    EXPECT_TRUE(piece.empty());
    ASSERT_EQ(expected, whole);
  }
}
