#include "app/file_kinds.h"

#include <gtest/gtest.h>

namespace {

TEST(FileKindTest, HeadersAndXmlFilesAreKnownByTheirExtensionInAnyCase) {
  for (const char* header : {"a.h", "/x/a.H", "a.hpp", "A.HH", "b.hxx",
                             "c.h++", "dir.d/Shape.h"})
    EXPECT_EQ(FileKind::kHeader, KindOfFile(header)) << header;
  for (const char* xml : {"a.xml", "/x/A.XML", "a.b.xml"})
    EXPECT_EQ(FileKind::kXml, KindOfFile(xml)) << xml;
  // A dot in a folder name is not the file's extension; a source file or
  // a page is not a header.
  for (const char* other : {"a.cpp", "a.htm", "/x.h/readme", "h", ".h.bak",
                            "a.xml~", ""})
    EXPECT_EQ(FileKind::kOther, KindOfFile(other)) << other;
}

TEST(FileKindTest, DropOpensTheFirstHeaderAndNamesWhatItLeaves) {
  const DropPlan plan =
      PlanDrop({"/a/One.xml", "/a/First.h", "/a/Second.hpp", "/a/two.xml",
                "/a/notes.txt"});
  EXPECT_EQ("/a/First.h", plan.header);
  EXPECT_EQ((std::vector<std::string>{"/a/One.xml", "/a/two.xml"}), plan.xml);
  EXPECT_EQ((std::vector<std::string>{"/a/Second.hpp", "/a/notes.txt"}),
            plan.ignored);
  const std::string message = IgnoredFilesMessage(plan);
  EXPECT_NE(std::string::npos, message.find("\n/a/Second.hpp\n/a/notes.txt"));

  const DropPlan xmlOnly = PlanDrop({"/a/One.xml"});
  EXPECT_EQ("", xmlOnly.header);
  EXPECT_EQ("", IgnoredFilesMessage(xmlOnly));
}

}  // namespace
