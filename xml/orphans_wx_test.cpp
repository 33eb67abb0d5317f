// Over every installed wx header: an export filled with unique texts, one
// method per class renamed in the header. Every text must come back in the
// new export or in the side file, and with the renames all of them must be
// placed again.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/file_io.h"
#include "parser/parse_header.h"
#include "xml/merge_report.h"
#include "xml/placeholder_lines_for_tests.h"
#include "xml/merge_session.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace {

namespace fs = std::filesystem;

const char kWxFolder[] = "/usr/include/wx-3.2/wx";

const TextList kMacros = {
    "WXDLLIMPEXP_BASE",     "WXDLLIMPEXP_CORE",     "WXDLLIMPEXP_ADV",
    "WXDLLIMPEXP_FWD_BASE", "WXDLLIMPEXP_FWD_CORE", "wxOVERRIDE",
};

const auto& kPlaceholders = kPlaceholderLines;

bool Parse(const std::string& text, const std::string& name,
           CModuleInfo* module) {
  module->m_strName = name;
  TextList lines;
  std::string err;
  return ParseHeaderText(text, name + ".h", name + ".htm", kMacros, TextList(),
                         &lines, module, &err);
}

std::string Export(CModuleInfo module) {
  TextList lines;
  BuildXmlDocument(&module, module.m_strName + ".h", module.m_strName + ".htm",
                   &lines);
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

// The export with every placeholder replaced by "Unique N".
std::string Filled(const std::string& xml, int* count) {
  std::string out;
  size_t start = 0;
  while (start < xml.size()) {
    size_t end = xml.find('\n', start);
    std::string line = xml.substr(start, end - start);
    start = end + 1;
    for (const char* p : kPlaceholders)
      if (line == p)
        line = "Unique " + std::to_string(++*count) + ".";
    out += line + "\n";
  }
  return out;
}

std::set<int> Uniques(const std::string& text) {
  std::set<int> found;
  for (size_t at = text.find("Unique "); at != std::string::npos;
       at = text.find("Unique ", at + 1))
    found.insert(std::atoi(text.c_str() + at + 7));
  return found;
}

bool IsIdent(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9') || c == '_';
}

// Where `word` stands as a whole identifier in `text`.
std::vector<size_t> WordPositions(const std::string& text,
                                  const std::string& word) {
  std::vector<size_t> at;
  for (size_t p = text.find(word); p != std::string::npos;
       p = text.find(word, p + 1)) {
    bool before = p > 0 && IsIdent(text[p - 1]);
    bool after = p + word.size() < text.size() && IsIdent(text[p + word.size()]);
    if (!before && !after)
      at.push_back(p);
  }
  return at;
}

// Renames, in the header text, one method per class whose name the header
// spells only once; gives the renames as OLD=NEW.
std::vector<std::string> RenameOneMethodPerClass(const CModuleInfo& module,
                                                 std::string* header) {
  std::vector<std::string> renameArgs;
  std::set<std::string> classesSeen;
  for (const CClassInfo& cls : module.m_pClasses) {
    if (!classesSeen.insert(cls.m_strName).second)
      continue;
    for (const CDeclInfo& method : cls.m_pFuncs) {
      const std::string& name = method.m_strName;
      if (name.empty() || !IsIdent(name[0]) || name == cls.m_strName ||
          name.find_first_not_of(
              "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") !=
              std::string::npos)
        continue;
      std::vector<size_t> at = WordPositions(*header, name);
      if (at.size() != 1)
        continue;
      header->insert(at[0] + name.size(), "Renamed");
      renameArgs.push_back(cls.m_strName + "::" + name + "=" + cls.m_strName +
                      "::" + name + "Renamed");
      break;
    }
  }
  return renameArgs;
}

bool Merge(const std::string& xml, MergeSession* session,
           const std::string& source) {
  CXmlTree tree;
  EXPECT_TRUE(tree.Load(xml)) << tree.GetError();
  return session->MergeLoaded(&tree, source);
}

std::string SideFileText(const MergeReport& report, const std::string& name) {
  TextList lines;
  BuildSideFile(report, name, &lines);
  std::string text;
  for (const std::string& line : lines)
    text += line + "\n";
  return text;
}

// Anchors that several records of one list share ("operator&" and
// "operator|" both give "operator_"): the merge gives every entry of such
// an anchor to the first record, so the others' texts can only be kept.
std::set<std::string> SharedAnchors(const CModuleInfo& module) {
  std::set<std::string> shared;
  auto collect = [&](const std::vector<CDeclInfo>& records) {
    std::set<std::string> seen;
    for (const CDeclInfo& decl : records)
      if (!seen.insert(decl.m_strAnchor).second)
        shared.insert(decl.m_strAnchor);
  };
  collect(module.m_pVars);
  collect(module.m_pFuncs);
  for (const CClassInfo& cls : module.m_pClasses) {
    collect(cls.m_pVars);
    collect(cls.m_pFuncs);
  }
  return shared;
}

// The texts left without their entry or item, but those of shared anchors.
std::string Unplaced(const MergeReport& report,
                     const std::set<std::string>& shared) {
  std::string out;
  for (const UnplacedEntry* entry : report.Entries())
    for (const UnplacedText& text : entry->texts)
      if (text.reason != UnplacedReason::kNotTaken && !shared.count(entry->key))
        out += "\n  " + entry->className + "::" + entry->name + " [" +
               text.item + "] " + text.text;
  return out;
}

TEST(OrphansWxTest, RenamedMethodsLoseNothingAndRenamesPutThemBack) {
  if (!fs::is_directory(kWxFolder))
    GTEST_SKIP() << kWxFolder << " is not installed";
  int headers = 0, renamed = 0, orphans = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(kWxFolder)) {
    if (entry.path().extension() != ".h")
      continue;
    const std::string name = entry.path().stem().string();
    std::string header;
    ASSERT_EQ(ReadStatus::kOk, ReadWholeFile(entry.path().string(), &header));
    CModuleInfo original;
    if (!Parse(header, name, &original))
      continue;
    int count = 0;
    const std::string filled = Filled(Export(original), &count);
    std::string changed = header;
    const std::vector<std::string> renameArgs =
        RenameOneMethodPerClass(original, &changed);
    ++headers;
    renamed += static_cast<int>(renameArgs.size());

    // Without the renames: every text is in the export or the side file,
    // and the side file with the export brings back the same.
    CModuleInfo model;
    ASSERT_TRUE(Parse(changed, name, &model)) << name;
    MergeSession session(&model, nullptr);
    ASSERT_TRUE(Merge(filled, &session, name + ".xml")) << name;
    const std::string side = SideFileText(session.Report(), name);
    const std::string exported = Export(model);
    std::set<int> found = Uniques(exported);
    for (int n : Uniques(side))
      found.insert(n);
    EXPECT_EQ(static_cast<size_t>(count), found.size()) << name;
    orphans += session.Report().OrphanCount();

    CModuleInfo again;
    ASSERT_TRUE(Parse(changed, name, &again));
    MergeSession next(&again, nullptr);
    ASSERT_TRUE(Merge(exported, &next, name + ".xml"));
    ASSERT_TRUE(Merge(side, &next, name + ".orphans.xml"));
    EXPECT_EQ(Uniques(exported), Uniques(Export(again))) << name;
    EXPECT_EQ(Uniques(side), Uniques(SideFileText(next.Report(), name)))
        << name;

    // With them: nothing stays without its entry.
    CModuleInfo moved;
    ASSERT_TRUE(Parse(changed, name, &moved));
    RenameMap renames;
    std::string err;
    for (const std::string& renameArg : renameArgs)
      ASSERT_TRUE(renames.Add(renameArg, &err)) << err;
    renames.Resolve(moved);
    MergeSession withRenames(&moved, &renames);
    ASSERT_TRUE(Merge(filled, &withRenames, name + ".xml"));
    EXPECT_EQ("", Unplaced(withRenames.Report(), SharedAnchors(moved)))
        << name;
    EXPECT_TRUE(renames.Unused().empty()) << name;
    EXPECT_TRUE(renames.Unresolved().empty()) << name;
    std::set<int> placed = Uniques(Export(moved));
    for (int n : Uniques(SideFileText(withRenames.Report(), name)))
      placed.insert(n);
    EXPECT_EQ(static_cast<size_t>(count), placed.size()) << name;
  }
  std::printf("%d headers, %d methods renamed, %d texts kept\n", headers,
              renamed, orphans);
  EXPECT_GT(headers, 100);
  EXPECT_GT(renamed, 500);
  EXPECT_GT(orphans, renamed);
}

}  // namespace
