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
  std::string line = "<dt>";
  AppendLinePart(&line, HtmlEscapedPart{"a<b & \xE4"});
  AppendLinePart(&line, HtmlEscapedPart{""});
  AppendLinePart(&line, HtmlEscapedPart{"\""});
  EXPECT_EQ("<dt>a&lt;b &amp; &auml;&quot;", line);
}
