#include "model/line_buffer.h"

#include <string>
#include <string_view>

#include <gtest/gtest.h>

// The buffer grows while texts of every size go in one after the other,
// and what it holds afterwards is exactly what a string would.
TEST(LineBufferTest, KeepsEveryByteAcrossGrowth) {
  LineBuffer buffer;
  std::string expected;
  for (int i = 0; i < 3000; ++i) {
    const std::string text(static_cast<size_t>(i % 700),
                           static_cast<char>('a' + i % 26));
    buffer.append(text);
    buffer.push_back(static_cast<char>(i));
    expected += text;
    expected += static_cast<char>(i);
  }
  buffer.append(std::string_view());  // no data at all
  buffer.append("", 0);
  EXPECT_EQ(expected.size(), buffer.size());
  EXPECT_TRUE(buffer.view() == expected);
  EXPECT_EQ(expected, buffer.str());
}

TEST(LineBufferTest, ClearKeepsTheRoomAndReserveKeepsTheText) {
  LineBuffer buffer;
  EXPECT_TRUE(buffer.empty());
  buffer.append("abc");
  buffer.reserve(1 << 20);
  EXPECT_EQ("abc", buffer.view());
  const char* room = buffer.view().data();
  buffer.clear();
  EXPECT_TRUE(buffer.empty());
  buffer.append(std::string(1 << 19, 'x'));
  EXPECT_EQ(room, buffer.view().data());
  buffer.reserve(4);  // smaller than what it holds: nothing changes
  EXPECT_EQ(size_t{1} << 19, buffer.size());
}
