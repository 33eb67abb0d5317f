// Descriptions written into an export survive being merged into a fresh
// parse of the same header and exported again, over real headers.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/text.h"
#include "parser/parse_header.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace {

namespace fs = std::filesystem;

const char kWxFolder[] = "/usr/include/wx-3.2/wx/";

const char* const kHeaders[] = {
    "string.h",       "window.h", "event.h", "dataview.h",
    "generic/grid.h", "utils.h",  "defs.h",
};

const TextList kMacros = {
    "WXDLLIMPEXP_BASE",     "WXDLLIMPEXP_CORE",     "WXDLLIMPEXP_ADV",
    "WXDLLIMPEXP_FWD_BASE", "WXDLLIMPEXP_FWD_CORE", "wxOVERRIDE",
};

std::string Join(const TextList& lines) {
  std::string text;
  for (const std::string& line : lines)
    text += line + "\r\n";
  return text;
}

TextList SplitLines(const std::string& text) {
  TextList lines;
  size_t start = 0;
  for (;;) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      if (start < text.size())
        lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

// A fresh parse of the header, then the export, as one text.
bool ParseAndExport(const std::string& path, const std::string& merge,
                    std::string* xml, std::string* err) {
  CModuleInfo module;
  module.m_strName = PathStem(path);
  const std::string html = module.m_strName + ".htm";
  TextList lines;
  if (!ParseHeader(path, html, kMacros, TextList(), &lines, &module, err))
    return false;
  if (!merge.empty()) {
    CXmlTree tree;
    if (!tree.Load(merge)) {
      *err = tree.GetError();
      return false;
    }
    if (!MergeXmlDocument(&tree, &module)) {
      *err = kWrongXmlMessage;
      return false;
    }
  }
  BuildXmlDocument(&module, path, html, &lines);
  *xml = Join(lines);
  return true;
}

// A distinct description; some carry markup, entities, umlauts or a
// second line.
std::string DistinctText(int n) {
  std::string text = "Text " + std::to_string(n);
  if (n % 3 == 0)
    text += " with <b>markup</b><br/>";
  if (n % 4 == 1)
    text += " &amp; an entity";
  if (n % 5 == 2)
    text += " Gr\xF6\xDFte";
  if (n % 7 == 3)
    text += " &auml;";
  if (n % 11 == 5)
    text += "\r\nsecond line";
  return text;
}

// The edited export: every description replaced by a distinct text. A
// line is exempt when the format cannot carry it back: the description of
// a "void" entry, and anything inside an entry whose key repeats an
// earlier one of the same list.
struct EditedFile {
  TextList lines;
  std::vector<bool> exempt;
  int replaced = 0;
};

// Follows the entry elements that the merge looks up by key.
class EntryTracker {
 public:
  // The key of the entry that `line` opens, scoped to its list, or "";
  // `close` gets the entry's end tag.
  std::string Scoped(const std::string& line, std::string* close) {
    static const char* const kEntries[] = {
        "Variable", "FunctionShort", "ModuleFunction", "Class",
        "Member",   "MethodShort",   "Method",
    };
    for (const char* name : kEntries) {
      if (!StartsWith(line, std::string("<") + name + " "))
        continue;
      std::string element = name;
      *close = "</" + element + ">";
      std::string key = Attribute(line);
      if (element == "Class")
        class_ = key;
      bool inClass = element == "Member" || element == "MethodShort" ||
                     element == "Method";
      return element + "|" + (inClass ? class_ : "") + "|" + key;
    }
    return std::string();
  }

 private:
  static std::string Attribute(const std::string& line) {
    for (const char* attribute : {" anchor=\"", " Target=\"#"}) {
      int pos = Find(line, attribute);
      if (pos >= 0) {
        pos += static_cast<int>(std::char_traits<char>::length(attribute));
        return line.substr(pos, Find(line, '"', pos) - pos);
      }
    }
    return std::string();
  }

  std::string class_;
};

EditedFile Edit(const TextList& lines) {
  // Entries whose key occurs more than once get one-line texts: the copy
  // that comes back in place of a repeat must not shift the lines.
  std::map<std::string, int> counts;
  {
    EntryTracker tracker;
    std::string close;
    for (const std::string& line : lines)
      ++counts[tracker.Scoped(line, &close)];
  }
  EditedFile out;
  EntryTracker tracker;
  std::set<std::string> seen;
  std::string lastName, exemptUntil, oneLineUntil;
  bool inItem = false;
  auto add = [&](const std::string& line, bool exempt) {
    out.lines.push_back(line);
    out.exempt.push_back(exempt || !exemptUntil.empty());
  };
  auto addDistinct = [&](const std::string& before, const std::string& after,
                         bool isVoid) {
    std::string text = DistinctText(out.replaced++);
    if (isVoid || !oneLineUntil.empty())
      text = text.substr(0, text.find("\r\n"));
    for (const std::string& part : SplitLines(before + text + after))
      add(part, isVoid);
  };
  for (size_t i = 0; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line == exemptUntil)
      exemptUntil.clear();
    if (line == oneLineUntil)
      oneLineUntil.clear();
    std::string close;
    std::string key = tracker.Scoped(line, &close);
    if (!key.empty()) {
      if (!seen.insert(key).second && exemptUntil.empty())
        exemptUntil = close;
      if (counts[key] > 1 && oneLineUntil.empty())
        oneLineUntil = close;
    }
    if (line == "<ReturnValue>" || line == "<Parameter>")
      inItem = true;
    else if (line == "</ReturnValue>" || line == "</Parameter>")
      inItem = false;
    if (StartsWith(line, "<Name>"))
      lastName = line;

    if (line == "<CPPInclude> - unknown -</CPPInclude>") {
      add("<CPPInclude>Gr&ouml;&szlig;e.cpp</CPPInclude>", false);
      add("<CPPInclude>&quot;rt&amp;x.cpp&quot;</CPPInclude>", false);
      continue;
    }
    if (StartsWith(line, "<Description>") && line.size() > 13 &&
        EndsWith(line, "</Description>")) {
      addDistinct("<Description>", "</Description>", false);
      continue;
    }
    add(line, false);
    if ((line == "<Description>" || line == "<Text>") && i + 1 < lines.size()) {
      addDistinct("", "", inItem && lastName == "<Name>void</Name>");
      // An empty block is a class list introduction and gains a line;
      // otherwise the placeholder is replaced and initialiser lines after
      // it stay.
      if (lines[i + 1] != "</Description>" && lines[i + 1] != "</Text>")
        ++i;
    }
  }
  return out;
}

class XmlRoundTripTest : public ::testing::TestWithParam<const char*> {};

TEST_P(XmlRoundTripTest, DescriptionsSurviveReparse) {
  const std::string path = std::string(kWxFolder) + GetParam();
  if (!fs::exists(path))
    GTEST_SKIP() << path << " is not installed";
  std::string first, second, third, err;
  ASSERT_TRUE(ParseAndExport(path, "", &first, &err)) << err;

  EditedFile edited = Edit(SplitLines(first));
  ASSERT_GT(edited.replaced, 20);
  const std::string editedText = Join(edited.lines);
  ASSERT_TRUE(ParseAndExport(path, editedText, &second, &err)) << err;

  TextList back = SplitLines(second);
  ASSERT_EQ(edited.lines.size(), back.size());
  int compared = 0, mismatches = 0;
  for (size_t i = 0; i < back.size(); ++i) {
    if (edited.exempt[i])
      continue;
    ++compared;
    if (edited.lines[i] != back[i] && ++mismatches <= 10) {
      ADD_FAILURE() << GetParam() << " line " << i + 1
                    << ":\n  wrote: " << edited.lines[i]
                    << "\n  got:   " << back[i];
    }
  }
  EXPECT_EQ(0, mismatches);
  EXPECT_GT(compared, static_cast<int>(back.size() / 2));

  ASSERT_TRUE(ParseAndExport(path, second, &third, &err)) << err;
  EXPECT_TRUE(second == third)
      << GetParam() << ": the second round trip changed the file";
}

INSTANTIATE_TEST_SUITE_P(WxHeaders, XmlRoundTripTest,
                         ::testing::ValuesIn(kHeaders));

}  // namespace
