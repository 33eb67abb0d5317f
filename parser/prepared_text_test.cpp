// The one-pass preparation against the steps it fuses, run one after the
// other over the line list: on texts generated from the characters the
// steps react to, on the bundled example and on every wx header.

#include "parser/prepared_text.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "model/file_io.h"
#include "parser/line_prep.h"

namespace {

struct Prepared {
  bool anyLine = false;
  std::string text;
  TextList includes;
};

Prepared ByListSteps(const std::string& header) {
  Prepared out;
  TextList lines;
  ForEachLine(header, [&lines](std::string_view raw) {
    std::string line(raw);
    NormalizeSpacing(&line);
    if (!line.empty())
      lines.push_back(std::move(line));
  });
  CompactLines(&lines);
  out.anyLine = !lines.empty();
  StripComments(&lines);
  JoinStringLiterals(&lines);
  JoinContinuationLines(&lines);
  ExtractIncludes(&lines, &out.includes);
  for (const auto& line : lines)
    out.text += line + ' ';
  return out;
}

Prepared InOnePass(const std::string& header) {
  Prepared out;
  out.anyLine = PrepareHeaderText(header, &out.text, &out.includes);
  return out;
}

void ExpectSame(const std::string& header, const std::string& what) {
  const Prepared expected = ByListSteps(header);
  const Prepared actual = InOnePass(header);
  ASSERT_EQ(expected.anyLine, actual.anyLine) << what;
  ASSERT_EQ(expected.text, actual.text) << what;
  ASSERT_EQ(expected.includes, actual.includes) << what;
}

const char* const kPieces[] = {
    "\n", "\n", "\n", "\r\n", "\r", " ", " ", "  ", "\t", "\v", "\f",
    "\"", "\"", "\"", "'", "'", "\\", "\\", "\\\n", "/", "/", "//", "/*",
    "*/", "*", "#", "#include ", "#include", "# include ", "#define ",
    "::", " ::", ":: ", ":", "x", "y", "ab", "_", "(", ")", "{", "}", ";",
    "<", ">", ",", "0", "\xe9",
};

std::string RandomHeader(std::mt19937* rng) {
  std::uniform_int_distribution<size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> length(0, 40);
  std::string header;
  for (int n = length(*rng); n > 0; --n)
    header += kPieces[piece(*rng)];
  return header;
}

}  // namespace

TEST(PreparedTextTest, GeneratedTextsGiveWhatTheListStepsGive) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 200000; ++round) {
    const std::string header = RandomHeader(&rng);
    ExpectSame(header, "generated: [" + header + "]");
    if (HasFatalFailure())
      return;
  }
}

TEST(PreparedTextTest, RealHeadersGiveWhatTheListStepsGive) {
  std::string example;
  ASSERT_EQ(ReadStatus::kOk,
            ReadWholeFile(VARNEL_SOURCE_DIR "/examples/Geometry.h", &example));
  ExpectSame(example, "Geometry.h");
  ExpectSame("", "nothing");
  ExpectSame(" \t\r\n\n  \n", "white space only");
  std::error_code ec;
  int headers = 0;
  for (const auto& entry :
       std::filesystem::directory_iterator("/usr/include/wx-3.2/wx", ec)) {
    std::string text;
    if (entry.path().extension() != ".h" ||
        ReadWholeFile(entry.path().string(), &text) != ReadStatus::kOk)
      continue;
    ExpectSame(text, entry.path().string());
    if (HasFatalFailure())
      return;
    ++headers;
  }
  if (headers == 0)
    GTEST_SKIP() << "no wx headers";
}
