#include "model/line_out.h"

#include <gtest/gtest.h>

namespace {

struct Quoted {
  std::string_view text;
};
void AppendLinePart(LineBuffer* line, const Quoted& part) {
  line->push_back('"');
  line->append(part.text);
  line->push_back('"');
}

// The same writer run into both forms.
template <typename Out>
bool WriteSample(Out* out, int entries) {
  out->Line("<dl>");
  for (int i = 0; i < entries; ++i) {
    const std::string n = std::to_string(i);
    out->Line("<dt>", Quoted{n}, "</dt>", ' ', std::string_view("x"));
    if (!out->FlushIfLong())
      return false;
  }
  out->Lines({"</dl>", "a\r\nb"});
  return out->Flush();
}

// The bytes a LineOut hands on, and the largest block it handed on.
struct Received {
  Received() = default;
  Received(const Received&) = delete;

  std::string bytes;
  size_t largestBlock = 0;
  ByteSink sink = [this](std::string_view block) {
    largestBlock = std::max(largestBlock, block.size());
    bytes += block;
    return true;
  };
};

std::string BytesOf(const TextList& lines) {
  std::string bytes;
  for (const auto& line : lines)
    bytes += line + "\r\n";
  return bytes;
}

}  // namespace

// Lists and bytes carry the same output; pieces of either stay bounded
// while a long list is written.
TEST(LineOutTest, ListAndBytesGiveTheSameOutputInBoundedPieces) {
  TextList whole;
  LineOut list(&whole);
  ASSERT_TRUE(WriteSample(&list, 100000));
  ASSERT_TRUE(list.Finish());
  ASSERT_EQ(100003u, whole.size());
  EXPECT_EQ("<dt>\"7\"</dt> x", whole[8]);

  TextList pieces;
  size_t largestPiece = 0;
  LineSink flush = [&](TextList* piece) {
    largestPiece = std::max(largestPiece, piece->size());
    AppendPiece(&pieces, piece);
    return true;
  };
  TextList built;
  LineOut piecewise(&built, &flush);
  ASSERT_TRUE(WriteSample(&piecewise, 100000));
  ASSERT_TRUE(piecewise.Finish());
  EXPECT_EQ(whole, pieces);
  EXPECT_LE(largestPiece, 4096u);

  Received received;
  LineOut byteOut(received.sink);
  ASSERT_TRUE(WriteSample(&byteOut, 100000));
  ASSERT_TRUE(byteOut.Finish());
  EXPECT_EQ(BytesOf(whole), received.bytes);
  EXPECT_LT(received.largestBlock, 300u * 1024);
  EXPECT_GT(received.bytes.size(), 3 * received.largestBlock);
}

// One block of a million lines, with no point between where a writer may
// hand it on (one record of a name declared that often): its bytes still
// go on in blocks, and a failure among them stops the writer at its end.
TEST(LineOutTest, ALongBlockGoesOnAsItFills) {
  Received received;
  LineOut out(received.sink);
  std::string expected;
  for (int i = 0; i < 1000000; ++i) {
    out.Line("<Header>", std::string_view("x"), '\t');
    expected += "<Header>x\t\r\n";
  }
  EXPECT_LT(received.largestBlock, LineOut::kBlockBytes + 64);
  ASSERT_TRUE(out.Flush());
  ASSERT_TRUE(out.Finish());
  EXPECT_EQ(expected, received.bytes);

  int calls = 0;
  ByteSink failing = [&](std::string_view) { return ++calls < 2; };
  LineOut stopped(failing);
  for (int i = 0; i < 1000000; ++i)
    stopped.Line("<Header>", std::string_view("x"));
  EXPECT_EQ(2, calls);
  EXPECT_FALSE(stopped.FlushIfLong());
  EXPECT_FALSE(stopped.Flush());
  EXPECT_FALSE(stopped.Finish());
  EXPECT_EQ(2, calls);
}

// A sink that fails stops the writer at the next hand-over and keeps
// failing; nothing is handed on after the failure.
TEST(LineOutTest, AFailedHandOverStopsTheWriter) {
  int calls = 0;
  ByteSink failing = [&](std::string_view) { return ++calls < 2; };
  LineOut out(failing);
  EXPECT_FALSE(WriteSample(&out, 100000));
  EXPECT_EQ(2, calls);
  EXPECT_FALSE(out.Finish());
  EXPECT_EQ(2, calls);

  LineOut empty(failing);
  EXPECT_TRUE(empty.Finish());  // nothing to hand on

  TextList lines;
  int listCalls = 0;
  LineSink refusing = [&](TextList*) { return ++listCalls > 99; };
  LineOut list(&lines, &refusing);
  EXPECT_FALSE(WriteSample(&list, 10000));
  EXPECT_EQ(1, listCalls);
}
