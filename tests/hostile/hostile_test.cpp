// Hostile inputs on every surface: headers, settings files, XML files and
// the save path. Each must give a clear message or a sound result, never a
// crash, a hang or a blown stack. Big inputs are generated here, not kept
// in the tree.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/document.h"
#include "app/fake_platform.h"
#include "app/strings.h"
#include "html/html_writer.h"
#include "model/file_io.h"
#include "model/parser_settings.h"
#include "parser/parse_header.h"
#include "xml/xml_merge.h"
#include "xml/xml_tree.h"
#include "xml/xml_writer.h"

namespace {

namespace fs = std::filesystem;

const char kSmallHeader[] =
    "extern int g_nCount;\n"
    "int GetValue(int a);\n"
    "class CPoint : public CBase {\n"
    "public:\n"
    "  int m_x;\n"
    "  void Move(int dx);\n"
    "};\n";

// A literal with its NUL bytes.
template <size_t N>
std::string Bytes(const char (&text)[N]) {
  return std::string(text, N - 1);
}

std::string ReadBytes(const std::string& path) {
  std::string text;
  EXPECT_EQ(ReadStatus::kOk, ReadWholeFile(path, &text)) << path;
  return text;
}

// The same pseudo-random bytes on every run.
std::string NoiseBytes(size_t size) {
  std::string bytes(size, '\0');
  uint32_t state = 12345;
  for (char& c : bytes) {
    state = state * 1103515245u + 12345u;
    c = static_cast<char>(state >> 24);
  }
  return bytes;
}

void ExpectCountsMatch(const CModuleInfo& m) {
  EXPECT_EQ(m.m_nVars, static_cast<int>(m.m_pVars.size()));
  EXPECT_EQ(m.m_nFuncs, static_cast<int>(m.m_pFuncs.size()));
  ASSERT_EQ(m.m_nClasses, static_cast<int>(m.m_pClasses.size()));
  for (const CClassInfo& c : m.m_pClasses) {
    EXPECT_EQ(c.m_nVars, static_cast<int>(c.m_pVars.size())) << c.m_strName;
    EXPECT_EQ(c.m_nFuncs, static_cast<int>(c.m_pFuncs.size())) << c.m_strName;
  }
}

class HostileTest : public ::testing::Test {
 protected:
  HostileTest() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::string("hostile_files/") + info->name();
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  ~HostileTest() override { fs::remove_all(dir_); }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string Write(const std::string& name, const std::string& bytes) {
    std::string path = Path(name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  // Parses the file at `path`; on success builds both outputs and checks
  // that the XML reads back and merges into the model it came from.
  bool ParseAndBuild(const std::string& path, std::string* err,
                     const TextList& macros = {}) {
    module_ = CModuleInfo();
    module_.m_strName = PathStem(path);
    TextList lines;
    if (!ParseHeader(path, "out.htm", macros, {}, &lines, &module_, err))
      return false;
    ExpectCountsMatch(module_);
    CModuleInfo fresh = module_;
    BuildHtmlPage(&module_, path, "out.htm", &lines);
    EXPECT_FALSE(lines.empty());
    BuildXmlDocument(&module_, path, "out.htm", &lines);
    std::string xmlText;
    for (const std::string& line : lines)
      xmlText += line + "\n";
    CXmlTree xml;
    EXPECT_TRUE(xml.Load(xmlText)) << xml.GetError();
    EXPECT_TRUE(MergeXmlDocument(&xml, &fresh));
    return true;
  }

  // Loads `text`; returns the message of a failure, or "" after success.
  static std::string LoadMessage(const std::string& text) {
    CXmlTree xml;
    if (xml.Load(text)) {
      xml.FindNext();
      xml.GetSource();
      xml.GetText();
      return std::string();
    }
    EXPECT_FALSE(xml.FindNext());
    return xml.GetError();
  }

  std::string dir_;
  CModuleInfo module_;
};

// A file of random bytes is no header, no XML and no settings file, but
// each reader answers it.
TEST_F(HostileTest, BinaryFile) {
  std::string path = Write("noise.bin", NoiseBytes(1 << 20));
  std::string err;
  if (!ParseAndBuild(path, &err)) {
    EXPECT_FALSE(err.empty());
  }

  CXmlTree xml;
  EXPECT_FALSE(xml.Load(ReadBytes(path)));
  FakePlatform fake;
  CDocVarnel doc(&fake);
  fake.Choose(Write("Small.h", kSmallHeader));
  doc.OnOpenHeaderFile();
  ASSERT_TRUE(doc.IsParsed());
  fake.Choose(path);
  doc.OnReadXmlFile();
  ASSERT_EQ(1u, fake.messages.size());
  EXPECT_FALSE(fake.messages[0].empty());

  TextList macros = {"A"}, notReturns;
  EXPECT_TRUE(ReadParserSettingsInto(path, &macros, &notReturns, &err));
  EXPECT_TRUE(macros.empty());  // no section header among the bytes
}

TEST_F(HostileTest, NulBytes) {
  std::string header = Bytes(
      "class C\0D { int a\0b; void f\0(int); };\n\0\0\0\nint g(\0);\n");
  std::string err;
  ASSERT_TRUE(ParseAndBuild(Write("nul.h", header), &err)) << err;
  EXPECT_EQ(1, module_.m_nClasses);

  // A NUL inside a name, a text and an attribute of an XML file.
  const std::string xml = Bytes("<Var\0nel a=\"x\0y\"><T>a\0b</T></Var\0nel>");
  CXmlTree tree;
  ASSERT_TRUE(tree.Load(xml)) << tree.GetError();
  ASSERT_TRUE(tree.FindNext(Bytes("Var\0nel")));
  EXPECT_EQ(Bytes("x\0y"), tree.GetAttribute("a"));
  ASSERT_TRUE(tree.FindChild("T"));
  EXPECT_EQ(Bytes("a\0b"), tree.GetChildText());
  EXPECT_EQ("End tag does not correspond to a", LoadMessage(Bytes("<a>\0</b>")));

  std::string ini = Bytes("[Macroes]\nA\0B\n\0\n[NotReturns]\nvoid\n");
  TextList macros, notReturns;
  ASSERT_TRUE(
      ReadParserSettingsInto(Write("nul.ini", ini), &macros, &notReturns, &err));
  EXPECT_EQ((TextList{Bytes("A\0B"), Bytes("\0")}), macros);
  EXPECT_EQ(TextList{"void"}, notReturns);
}

// 100 MB: a hundred classes whose methods carry long inline bodies, with
// comment blocks and string literals between them.
TEST_F(HostileTest, HundredMegabyteHeader) {
  const size_t kSize = 100u << 20;
  std::string text;
  text.reserve(kSize + (1 << 20));
  std::string body;
  for (int i = 0; i < 9000; ++i)
    body += "    nTotal += m_anValues[" + std::to_string(i % 8) +
            "] * 3; // \"step\" /* */\n";
  const std::string comment(80, '*');
  int classes = 0;
  while (text.size() < kSize) {
    std::string n = std::to_string(classes++);
    text += "/*" + comment + "\n * Item " + n + "\n " + comment + "*/\n";
    text += "extern const char* g_psz" + n + ";\n";
    text += "class CItem" + n + " : public CBase\n{\npublic:\n";
    text += "  int Sum() const\n  {\n    int nTotal = 0;\n" + body +
            "    return nTotal;\n  }\nprotected:\n  int m_anValues[8];\n};\n";
  }
  std::string path = Write("big.h", text);
  text = std::string();
  std::string err;
  ASSERT_TRUE(ParseAndBuild(path, &err)) << err;
  EXPECT_EQ(classes, module_.m_nClasses);
  EXPECT_EQ(classes, module_.m_nVars);
  ASSERT_LT(0, module_.m_nClasses);
  EXPECT_EQ(1, module_.m_pClasses.back().m_nFuncs);
  EXPECT_EQ(1, module_.m_pClasses.back().m_nVars);
}

// 50 MB without a line end: code that was put on one line.
TEST_F(HostileTest, FiftyMegabyteSingleLine) {
  const size_t kSize = 50u << 20;
  std::string text = "class CWide { public: int Get() const { int n = 0; ";
  while (text.size() < kSize)
    text += "n += 1; ";
  text += "return n; } int m_n; }; extern int g_n; int Free(int x);";
  std::string err;
  ASSERT_TRUE(ParseAndBuild(Write("line.h", text), &err)) << err;
  EXPECT_EQ(1, module_.m_nClasses);
  EXPECT_EQ(1, module_.m_nVars);
  EXPECT_EQ(1, module_.m_nFuncs);

  // And 50 MB of one word.
  ASSERT_TRUE(ParseAndBuild(Write("word.h", std::string(kSize, 'x')), &err))
      << err;
}

TEST_F(HostileTest, HundredThousandNestedBraces) {
  const int kDepth = 100000;
  std::string text = "class COuter {\npublic:\n  void f() ";
  text += std::string(kDepth, '{') + std::string(kDepth, '}') + "\n";
  text += "  int m_a;\n};\n";
  text += std::string(kDepth, '{') + "\nint g;\n" + std::string(kDepth, '}');
  text += "\n" + std::string(kDepth, '(') + std::string(kDepth, ')') + ";\n";
  std::string err;
  ASSERT_TRUE(ParseAndBuild(Write("braces.h", text), &err)) << err;
  EXPECT_EQ(1, module_.m_nClasses);
}

TEST_F(HostileTest, UnbalancedBraceAtTheTop) {
  std::string err;
  for (const char* start : {"{\n", "}\n", "};\n", "class {\n", "}}}}\n{{\n"}) {
    ASSERT_TRUE(ParseAndBuild(
        Write("unbalanced.h", std::string(start) + kSmallHeader), &err))
        << start << err;
  }
  ASSERT_TRUE(ParseAndBuild(Write("open.h", std::string(kSmallHeader) + "{\n"),
                            &err));
  EXPECT_EQ(1, module_.m_nClasses);
}

TEST_F(HostileTest, HundredThousandNestedXmlElements) {
  const int kDepth = 100000;
  std::string text = "<Varnel>";
  for (int i = 0; i < kDepth; ++i)
    text += "<e>";
  for (int i = 0; i < kDepth; ++i)
    text += "</e>";
  text += "</Varnel>";
  EXPECT_EQ("Elements nested too deeply", LoadMessage(text));

  // Through the command, which shows the reader's message.
  FakePlatform fake;
  CDocVarnel doc(&fake);
  fake.Choose(Write("Small.h", kSmallHeader));
  doc.OnOpenHeaderFile();
  ASSERT_TRUE(doc.IsParsed());
  fake.Choose(Write("deep.xml", text));
  doc.OnReadXmlFile();
  ASSERT_EQ(1u, fake.messages.size());
  // The position is that of the first element too deep: the root is at
  // depth 1, so the 1024th "<e>".
  const size_t firstTooDeep = text.find("<e>") + 3 * 1023;
  EXPECT_EQ("Elements nested too deeply\nLine 1, column " +
                std::to_string(firstTooDeep + 1),
            fake.messages[0]);
  EXPECT_TRUE(doc.m_strXmlText.empty());
}

TEST_F(HostileTest, UnterminatedXmlNodesAndAttributes) {
  const std::string root = "<Varnel><Module.Title>X</Module.Title>";
  EXPECT_EQ("Invalid node", LoadMessage(root + "<!-- no end"));
  EXPECT_EQ("Invalid node", LoadMessage(root + "<![CDATA[ no end </Varnel>"));
  EXPECT_EQ("Invalid node", LoadMessage(root + "<? no end"));
  EXPECT_EQ("Invalid node", LoadMessage(root + "<!DOCTYPE x [ <!ELEMENT"));
  EXPECT_EQ("Invalid node", LoadMessage("<!"));
  EXPECT_EQ("End of tag not found", LoadMessage(root + "<Class anchor=\"x"));
  EXPECT_EQ("Abrupt end within tag", LoadMessage(root + "<  "));
  EXPECT_EQ("Element tag not found", LoadMessage(root));
  EXPECT_EQ("End tag not completed for element Varnel",
            LoadMessage(root + "</Varnel"));

  // An attribute whose value never ends yields no value, but the element
  // is still there.
  CXmlTree xml;
  ASSERT_TRUE(xml.Load("<Varnel anchor=\"Modul><T>x</T></Varnel>"));
  ASSERT_TRUE(xml.FindNext("Varnel"));
  EXPECT_EQ("", xml.GetAttribute("anchor"));
  ASSERT_TRUE(xml.Load("<Varnel anchor='a' b=\"></Varnel>"));
  ASSERT_TRUE(xml.FindNext("Varnel"));
  EXPECT_EQ("a", xml.GetAttribute("anchor"));
  EXPECT_EQ("", xml.GetAttribute("b"));

  // An unterminated comment in a header swallows the rest of it.
  std::string err;
  ASSERT_TRUE(ParseAndBuild(
      Write("comment.h", std::string(kSmallHeader) + "/* no end\nint x;\n"),
      &err));
  EXPECT_EQ(1, module_.m_nClasses);
  ASSERT_TRUE(ParseAndBuild(
      Write("literal.h", std::string(kSmallHeader) + "const char* s = \"a\\\n"),
      &err));
}

TEST_F(HostileTest, MillionMacroSettingsFile) {
  std::string ini = "[Macroes]\n";
  for (int i = 0; i < 1000000; ++i)
    ini += "MACRO_" + std::to_string(i) + (i % 2 ? "\n" : "(x)\n");
  ini += "GEO_EXPORT\n[NotReturns]\n";
  for (int i = 0; i < 1000; ++i)
    ini += "RET_" + std::to_string(i) + " x\n";
  TextList macros, notReturns;
  std::string err;
  ASSERT_TRUE(ReadParserSettingsInto(Write("big.ini", ini), &macros,
                                     &notReturns, &err));
  ASSERT_EQ(1000001u, macros.size());
  EXPECT_EQ("MACRO_999999", macros[999999]);
  EXPECT_EQ(1000u, notReturns.size());

  std::string header = "class GEO_EXPORT CPoint { public: int m_x; };\n";
  for (int i = 0; i < 1000; ++i)
    header += "int f" + std::to_string(i) + "(int);\n";
  ASSERT_TRUE(ParseAndBuild(Write("Geo.h", header), &err, macros)) << err;
  ASSERT_EQ(1, module_.m_nClasses);
  EXPECT_EQ("CPoint", module_.m_pClasses[0].m_strName);
}

TEST_F(HostileTest, FolderGivenAsInput) {
  fs::create_directories(Path("folder.h"));
  std::string err;
  EXPECT_FALSE(ParseAndBuild(Path("folder.h"), &err));
  EXPECT_EQ("Unable to open the required file.", err);
  TextList macros = {"KEPT"}, notReturns;
  EXPECT_FALSE(
      ReadParserSettingsInto(Path("folder.h"), &macros, &notReturns, &err));
  EXPECT_EQ(TextList{"KEPT"}, macros);

  FakePlatform fake;
  CDocVarnel doc(&fake);
  fake.Choose(Path("folder.h"));
  doc.OnOpenHeaderFile();
  EXPECT_FALSE(doc.IsParsed());
  fake.Choose(Write("Small.h", kSmallHeader));
  doc.OnOpenHeaderFile();
  ASSERT_TRUE(doc.IsParsed());
  fake.Choose(Path("folder.h"));
  doc.OnReadXmlFile();
  EXPECT_EQ((std::vector<std::string>{"Unable to open the required file.",
                                      "Unable to open the required file."}),
            fake.messages);
}

// Outputs that cannot be written: into a folder that is a file, onto a
// folder, and beyond the file size limit (the stand-in for a full disk).
TEST_F(HostileTest, UnwritableOutputKeepsTheOldFile) {
  FakePlatform fake;
  CDocVarnel doc(&fake);
  fake.Choose(Write("Small.h", kSmallHeader));
  doc.OnOpenHeaderFile();
  ASSERT_TRUE(doc.IsParsed());
  std::string blocker = Write("file", "not a folder");
  fs::create_directories(Path("folder.xml"));
  for (const std::string& target :
       {blocker + "/out.xml", Path("folder.xml"), std::string("/proc/out.xml")}) {
    fake.Forget();
    fake.Choose(target);
    doc.OnSaveXmlFile();
    EXPECT_EQ(std::vector<std::string>{LoadString(IDS_CANNOT_SAVE)},
              fake.messages)
        << target;
  }
  EXPECT_EQ("not a folder", ReadBytes(blocker));

  // A full disk.
  std::string old = Write("Small.xml", "old");
  struct rlimit saved;
  ASSERT_EQ(0, getrlimit(RLIMIT_FSIZE, &saved));
  struct sigaction ignore = {}, previous;
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  struct rlimit limit = saved;
  limit.rlim_cur = 100;
  ASSERT_EQ(0, setrlimit(RLIMIT_FSIZE, &limit));
  fake.Forget();
  fake.Choose(old);
  doc.OnSaveXmlFile();
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);
  EXPECT_EQ(std::vector<std::string>{LoadString(IDS_CANNOT_SAVE)},
            fake.messages);
  EXPECT_EQ("old", ReadBytes(old));
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    (void)entry;
    ++files;
  }
  EXPECT_EQ(4u, files);  // Small.h, file, folder.xml, Small.xml
}

// Saving over the header would destroy the input the outputs come from.
TEST_F(HostileTest, OutputOverTheHeaderIsRefused) {
  FakePlatform fake;
  CDocVarnel doc(&fake);
  std::string header = Write("Small.h", kSmallHeader);
  fake.Choose(header);
  doc.OnOpenHeaderFile();
  ASSERT_TRUE(doc.IsParsed());
  fake.Forget();
  fake.Choose(header);
  doc.OnSaveXmlFile();
  fake.Choose(dir_ + "/./Small.h");
  doc.OnSaveHtmlFile();
  EXPECT_EQ((std::vector<std::string>{LoadString(IDS_CANNOT_SAVE),
                                      LoadString(IDS_CANNOT_SAVE)}),
            fake.messages);
  EXPECT_EQ(kSmallHeader, ReadBytes(header));

  // The XML file read last may be saved over: that is the round trip.
  fake.Forget();
  std::string xml = Path("Small.xml");
  fake.Choose(xml);
  doc.OnSaveXmlFile();
  fake.Choose(xml);
  doc.OnReadXmlFile();
  fake.Choose(xml);
  doc.OnSaveXmlFile();
  EXPECT_TRUE(fake.messages.empty());
}

}  // namespace
