// The normaliser runs its rules fused into few passes over the text. This
// test holds it to the plain sequence of replace-all passes, one full scan
// per rule: on texts generated from the characters and words the rules
// react to, on real statements with such pieces mixed in, on every wx
// header and on the generated shapes. VARNEL_EQUIVALENCE_ROUNDS sets how
// many texts are generated (the default keeps the test to a few seconds).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "bench/header_generator.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/line_prep.h"
#include "parser/normalizer.h"
#include "parser/normalizer_reference.h"
#include "parser/operator_spacing.h"
#include "parser/statement_lines.h"

namespace {

const char kWxDir[] = "/usr/include/wx-3.2/wx";

int Rounds() {
  const char* value = std::getenv("VARNEL_EQUIVALENCE_ROUNDS");
  return value && *value ? std::atoi(value) : 150000;
}

// Pieces the rules look for, whole and cut short, and a little of
// everything else; white space of every kind.
const char* const kPieces[] = {
    " ", " ", " ", " ", "  ", "\t", " \t ", "\r", "\v", "\f", "\n",
    "*", "*", "&", "&", ",", ",", ";", ";", ":", ":", "::", "(", ")", ")",
    "{", "{", "}", "}", "=", "<", ">", "~", "[", "]", "\"", "'", "\\",
    "#", "/", "-", "+", "0", "\xe9",
    "const", "const", "cons", "onst", "t", "c", "constexpr",
    "operator", "operator", "operato", "perator", "o", "r",
    "class", "class", "struct", "struct", "clas", "truct",
    "inline", "inline", "inlin", "nline",
    "private", "protected", "public", "private:", "protected:", "public:",
    "privat", "ublic:", "p", "i", "s", "x", "y", "_", "$", "int", "friend",
    "EXPORT", "DECL", "API_X", "EXPORT_", "MY_DECL",
    "){", ") {", ") const {", ")const", "const{", " operator ", " class ",
    " struct ", " inline ", ";;", "* *", "& &", " ::", ":: ",
};

const TextList kMacroSets[] = {
    {},
    {"EXPORT", "DECL"},
    {"DECL", "API_X", "EXPORT", "DECL"},
    {"API_X", "x y", "(", ") {", "* "},
    {"const", "inline", "class"},
};

std::string Escaped(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\\' || c == '"') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 32 || c > 126) {
      static const char kHex[] = "0123456789abcdef";
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string Describe(const TextList& lines, const TextList& macros) {
  std::string out = "lines:";
  for (const auto& line : lines)
    out += " \"" + Escaped(line) + "\"";
  out += "\nmacros:";
  for (const auto& name : macros)
    out += " \"" + Escaped(name) + "\"";
  return out;
}

// The whole normaliser and its two fused passes on their own, each
// against its plain form. False (after a failure message) on a mismatch.
bool SameAsPasses(const TextList& lines, const TextList& macros) {
  TextList fused = lines, plain = lines;
  NormalizeStatements(&fused, macros);
  NormalizeStatementsByPasses(&plain, macros);
  EXPECT_EQ(plain, fused) << Describe(lines, macros);
  if (plain != fused)
    return false;

  std::string text;
  for (const auto& line : lines)
    text.append(line).append(" ");
  std::string plainText = text;
  NormalizeSpacing(&text);
  NormalizeSpacingByPasses(&plainText);
  EXPECT_EQ(plainText, text) << Describe(lines, macros);
  std::string spaced = text, spacedPlain = text;
  SpaceOperators(&spaced);
  SpaceOperatorsByPasses(&spacedPlain);
  EXPECT_EQ(spacedPlain, spaced) << Describe(lines, macros);
  TextList split, splitPlain;
  SplitStatements(text, &split);
  SplitStatementsByPasses(text, &splitPlain);
  EXPECT_EQ(splitPlain, split) << Describe(lines, macros);
  return plainText == text && spacedPlain == spaced && splitPlain == split;
}

class Generator {
 public:
  explicit Generator(uint32_t seed) : rng_(seed) {}

  size_t Below(size_t n) { return rng_() % n; }

  std::string Piece() { return kPieces[Below(std::size(kPieces))]; }

  TextList Lines() {
    TextList lines(1 + Below(5));
    for (auto& line : lines) {
      const size_t count = Below(14);
      for (size_t i = 0; i < count; ++i)
        line += Piece();
    }
    return lines;
  }

  // A few real lines in a row, with pieces put in and characters taken
  // out here and there.
  TextList Mutated(const TextList& corpus) {
    const size_t first = Below(corpus.size());
    const size_t end = std::min(corpus.size(), first + 1 + Below(4));
    TextList lines(corpus.begin() + first, corpus.begin() + end);
    for (auto& line : lines) {
      for (size_t k = Below(3); k > 0; --k) {
        const size_t at = Below(line.size() + 1);
        if (Below(3) == 0 && at < line.size())
          line.erase(at, 1);
        else
          line.insert(at, Piece());
      }
    }
    return lines;
  }

  const TextList& Macros() { return kMacroSets[Below(std::size(kMacroSets))]; }

 private:
  std::mt19937 rng_;
};

// The lines as the parse hands them to the normaliser.
TextList PreparedLines(const std::string& text) {
  TextList lines, includes;
  ForEachLine(text, [&lines](std::string_view raw) {
    lines.push_back(NormalizedSpacing(raw));
  });
  CompactLines(&lines);
  StripComments(&lines);
  JoinStringLiterals(&lines);
  JoinContinuationLines(&lines);
  ExtractIncludes(&lines, &includes);
  return lines;
}

std::vector<std::string> WxHeaders() {
  std::vector<std::string> paths;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(kWxDir, ec))
    if (entry.path().extension() == ".h")
      paths.push_back(entry.path().string());
  std::sort(paths.begin(), paths.end());
  return paths;
}

TextList WxMacros() {
  TextList macros, notReturns;
  std::string err;
  ReadParserSettingsInto(VARNEL_SOURCE_DIR "/tests/wx/varnel.INI", &macros,
                         &notReturns, &err);
  return macros;
}

}  // namespace

TEST(NormalizerEquivalenceTest, GeneratedTexts) {
  Generator gen(20240623);
  const int rounds = Rounds();
  for (int round = 0; round < rounds; ++round)
    ASSERT_TRUE(SameAsPasses(gen.Lines(), gen.Macros()));
}

// Blanked macros can leave ":: :" or ": ::" in the text, which one
// normalising turns into "::: " or " :::" and the next into ":::": the last
// normalising must still run on such a text, though nothing else in it is
// left to change. The space it takes decides whether a "class", "inline"
// or label beside it is cut off.
TEST(NormalizerEquivalenceTest, MacrosBlankedBesideScopeOperators) {
  const TextList macros = {"EXPORT", "DECL"};
  for (const char* line :
       {"int a::EXPORT:DECL x;", "int a::EXPORT:DECL class X { int y; };",
        "a::EXPORT:DECL struct S { int y; };", "b::DECL:EXPORT inline f();",
        "c::EXPORT:DECL public: int z;",
        "void f() const { } d::DECL:EXPORT class Y { };",
        "struct inline EXPORT :EXPORT::::"})
    EXPECT_TRUE(SameAsPasses({line}, macros)) << line;
}

// The spacing's buffer starts near the text's size: texts in which most
// characters gain a space make it grow, once or several times, and short
// ones grow it from the few bytes of slack it starts with.
TEST(NormalizerEquivalenceTest, TextsThatGainASpaceAtEveryCharacter) {
  for (const char* unit : {",", "*,", "a,", "&,b*", "x::y,;z:"}) {
    std::string text;
    for (size_t length : {1, 2, 7, 40, 300, 5000}) {
      while (text.size() < length)
        text += unit;
      std::string spaced = text, spacedPlain = text;
      SpaceOperators(&spaced);
      SpaceOperatorsByPasses(&spacedPlain);
      EXPECT_EQ(spacedPlain, spaced) << unit << " x " << length;
    }
  }
}

TEST(NormalizerEquivalenceTest, RealStatementsWithPiecesMixedIn) {
  std::vector<std::string> paths = WxHeaders();
  if (paths.empty())
    GTEST_SKIP() << "no wx headers in " << kWxDir;
  TextList corpus;
  for (size_t i = 0; i < paths.size(); i += 10) {
    std::string text;
    ASSERT_EQ(ReadStatus::kOk, ReadWholeFile(paths[i], &text));
    TextList lines = PreparedLines(text);
    corpus.insert(corpus.end(), lines.begin(), lines.end());
  }
  Generator gen(77);
  const int rounds = Rounds() / 3;
  for (int round = 0; round < rounds; ++round)
    ASSERT_TRUE(SameAsPasses(gen.Mutated(corpus), gen.Macros()));
}

TEST(NormalizerEquivalenceTest, EveryWxHeader) {
  std::vector<std::string> paths = WxHeaders();
  if (paths.empty())
    GTEST_SKIP() << "no wx headers in " << kWxDir;
  const TextList macros = WxMacros();
  ASSERT_FALSE(macros.empty());
  for (const std::string& path : paths) {
    std::string text;
    ASSERT_EQ(ReadStatus::kOk, ReadWholeFile(path, &text));
    const TextList lines = PreparedLines(text);
    ASSERT_TRUE(SameAsPasses(lines, macros)) << path;
    ASSERT_TRUE(SameAsPasses(lines, {})) << path;
  }
}

TEST(NormalizerEquivalenceTest, GeneratedShapes) {
  for (const ShapeInfo& info : AllShapes()) {
    const GeneratedHeader header = GenerateHeader(info.shape, 40000);
    const TextList lines = PreparedLines(header.text);
    ASSERT_TRUE(SameAsPasses(lines, header.macros)) << info.name;
    ASSERT_TRUE(SameAsPasses(lines, {})) << info.name;
  }
}
