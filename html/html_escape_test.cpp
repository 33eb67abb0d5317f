#include "html/html_escape.h"

#include <gtest/gtest.h>

// Plain stretches are copied whole around the entities, so the edges of
// the text and entities side by side are where a slip would show.
TEST(HtmlEscapeTest, EntitiesAtTheEdgesAndSideBySide) {
  EXPECT_EQ("", HtmlEscaped(""));
  EXPECT_EQ("plain text", HtmlEscaped("plain text"));
  EXPECT_EQ("&lt;a&gt;", HtmlEscaped("<a>"));
  EXPECT_EQ("&amp;&amp;&quot;", HtmlEscaped("&&\""));
  EXPECT_EQ("x &lt; y &amp;&amp; z", HtmlEscaped("x < y && z"));
  EXPECT_EQ("Gr&ouml;&szlig;e &sect;1 &Auml;&Ouml;&Uuml;&auml;&uuml;",
            HtmlEscaped("Gr\xF6\xDF" "e \xA7" "1 \xC4\xD6\xDC\xE4\xFC"));
  // Other bytes above 127 are not the page's business.
  EXPECT_EQ("caf\xE9", HtmlEscaped("caf\xE9"));
  const std::string withNul("a\0<", 3);
  EXPECT_EQ(std::string("a\0&lt;", 6), HtmlEscaped(withNul));
}

// Lines are built from several parts, so the escaped one must keep what
// the line already holds.
TEST(HtmlEscapeTest, EscapedPartAppendsBehindTheLine) {
  LineBuffer line;
  line.append("<dt>");
  AppendLinePart(&line, HtmlEscapedPart{"a<b & \xE4"});
  AppendLinePart(&line, HtmlEscapedPart{""});
  AppendLinePart(&line, HtmlEscapedPart{"\""});
  EXPECT_EQ("<dt>a&lt;b &amp; &auml;&quot;", line.view());
}

// The escaping skips eight bytes at a time where none can need an entity:
// an entity in any position of a word, next to a word edge or at the end
// of the text must still be found. Held to a byte-by-byte escape.
TEST(HtmlEscapeTest, EveryPositionOfTheWordScan) {
  auto byteByByte = [](std::string_view text) {
    std::string out;
    for (char c : text) {
      switch (static_cast<unsigned char>(c)) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case 0xE4: out += "&auml;"; break;
        case 0xC4: out += "&Auml;"; break;
        case 0xF6: out += "&ouml;"; break;
        case 0xD6: out += "&Ouml;"; break;
        case 0xFC: out += "&uuml;"; break;
        case 0xDC: out += "&Uuml;"; break;
        case 0xDF: out += "&szlig;"; break;
        case 0xA7: out += "&sect;"; break;
        default: out += c;
      }
    }
    return out;
  };
  const std::string alphabet = "ab &<>\"\xE4\xC4\xF6\xD6\xFC\xDC\xDF\xA7\xE9\x80=";
  uint32_t seed = 12345;
  for (int round = 0; round < 20000; ++round) {
    seed = seed * 1103515245 + 12345;
    std::string text((seed >> 8) % 40, 'x');
    for (char& c : text) {
      seed = seed * 1103515245 + 12345;
      // Mostly plain bytes, so that whole plain words occur.
      if ((seed >> 16) % 4 == 0)
        c = alphabet[(seed >> 20) % alphabet.size()];
    }
    ASSERT_EQ(byteByByte(text), HtmlEscaped(text)) << text;
  }
}

// What the bounds of the outputs count a text as: never less than it
// takes escaped, with a page's or an XML file's break after each comma.
TEST(HtmlEscapeTest, WrittenBytesAtMostCoversEveryByte) {
  EXPECT_EQ(25u, WrittenBytesAtMost("a&\xDF,\""));
  for (int c = 0; c < 256; ++c) {
    const std::string text(3, static_cast<char>(c));
    const uint64_t most = WrittenBytesAtMost(text);
    EXPECT_GE(most, HtmlEscaped(text).size()) << c;
    for (const char* lineBreak : {"<br>", "<br/>"}) {
      LineBuffer line;
      AppendLinePart(&line, CommaBrokenPart{text, lineBreak});
      EXPECT_GE(most, line.str().size()) << c;
    }
    EXPECT_LE(most, kMostWrittenBytesPerByte * text.size()) << c;
  }
}
