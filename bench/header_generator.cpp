#include "bench/header_generator.h"

#include <algorithm>
#include <cstdio>

namespace {

// Fixed-width numbers keep every generated name from being a prefix of
// another, so the parser's first-occurrence searches hit the intended line.
std::string Num(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%06d", n);
  return buf;
}

std::string Prologue(const char* shapeName) {
  std::string guard = "VARNEL_GENERATED_";
  for (const char* p = shapeName; *p; ++p)
    guard += static_cast<char>(*p >= 'a' && *p <= 'z' ? *p - 'a' + 'A' : *p);
  return std::string("// Generated benchmark header, shape ") + shapeName +
         ".\n#ifndef " + guard + "_H_\n#define " + guard +
         "_H_\n\n#include <stddef.h>\n#include \"generated_base.h\"\n\n";
}

const char kEpilogue[] = "\n#endif\n";

TextList DefaultNotReturns() { return {"virtual", "int (DEFAULT)"}; }

// Many classes of a few members each; every fourth one is a plain struct.
GeneratedHeader ManySmallClasses(size_t bytes) {
  GeneratedHeader h;
  h.text = Prologue("many_small_classes");
  for (int k = 0; k == 0 || h.text.size() < bytes; ++k) {
    const std::string n = Num(k);
    if (k % 4 == 3) {
      h.text += "struct SPoint" + n + "\n{\n    int x;\n    int y;\n};\n\n";
      h.counts.dataMembers += 2;
    } else {
      const std::string name = "CSmall" + n;
      h.text += "/* Small class " + n + ": a value holder. */\nclass " + name +
                " : public CSmallBase\n{\npublic:\n    " + name +
                "();\n    int GetValue() const { return m_nValue; }\n"
                "    void SetValue(int nValue);\nprotected:\n"
                "    int m_nValue;\n};\n\n";
      h.counts.dataMembers += 1;
      h.counts.methodRecords += 3;
      h.counts.methodDecls += 3;
    }
    ++h.counts.classes;
  }
  h.text += kEpilogue;
  h.counts.maxOverloads = h.counts.methodDecls > 0 ? 1 : 0;
  h.counts.nestingDepth = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

// Four classes that hold everything: fields, methods, overload pairs,
// inline accessors, comments and access labels.
GeneratedHeader FewHugeClasses(size_t bytes) {
  static const char* const kLabels[] = {"public:", "protected:", "private:"};
  const int kClasses = 4;
  GeneratedHeader h;
  h.text = Prologue("few_huge_classes");
  std::vector<std::string> bodies(kClasses);
  size_t size = h.text.size();
  for (int j = 0; j < 4 * kClasses || size < bytes; ++j) {
    std::string& body = bodies[j % kClasses];
    const size_t before = body.size();
    const int member = j / kClasses;
    const std::string n = Num(j);
    if (member % 24 == 0)
      body += std::string(kLabels[(member / 24) % 3]) + "\n";
    switch (member % 4) {
      case 0:
        body += "    int m_nField" + n + ";\n";
        h.counts.dataMembers += 1;
        break;
      case 1:
        body += "    virtual BOOL Method" + n +
                "(int nFirst, const char* pszSecond = NULL) const;\n";
        h.counts.methodRecords += 1;
        h.counts.methodDecls += 1;
        break;
      case 2:
        body += "    void Set" + n + "(int n);\n    void Set" + n +
                "(const char* psz);\n";
        h.counts.methodRecords += 1;
        h.counts.methodDecls += 2;
        break;
      default:
        body += "    // accessor " + n + "\n    int Get" + n +
                "() const { return m_nValue" + n + "; }\n";
        h.counts.methodRecords += 1;
        h.counts.methodDecls += 1;
        break;
    }
    size += body.size() - before;
  }
  for (int c = 0; c < kClasses; ++c)
    h.text += "/* Huge class " + std::to_string(c) + ". */\nclass CHuge" +
              std::to_string(c) + " : public CHugeBase\n{\n" + bodies[c] +
              "};\n\n";
  h.text += kEpilogue;
  h.counts.classes = kClasses;
  h.counts.maxOverloads = 2;
  h.counts.nestingDepth = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

// One global function name and one method name, each declared over and
// over with a parameter type of its own.
GeneratedHeader Overloads(size_t bytes) {
  GeneratedHeader h;
  h.text = Prologue("overloads");
  std::string methods;
  size_t size = h.text.size();
  for (int k = 0; k < 2 || size < bytes; ++k) {
    const std::string n = Num(k);
    std::string line;
    if (k % 2 == 0) {
      line = "void Overloaded(CType" + n + " value);\n";
      h.text += line;
      ++h.counts.globalFuncDecls;
    } else {
      line = "    int Set(const CType" + n + "& value);\n";
      methods += line;
      ++h.counts.methodDecls;
    }
    size += line.size();
  }
  h.text += "\nclass COverloads\n{\npublic:\n" + methods + "};\n";
  h.text += kEpilogue;
  h.counts.classes = 1;
  h.counts.globalFuncRecords = 1;
  h.counts.methodRecords = 1;
  h.counts.maxOverloads =
      std::max(h.counts.globalFuncDecls, h.counts.methodDecls);
  h.counts.nestingDepth = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

// Distinct global functions, every fifth one static.
GeneratedHeader ManyFunctions(size_t bytes) {
  GeneratedHeader h;
  h.text = Prologue("many_functions");
  for (int k = 0; k == 0 || h.text.size() < bytes; ++k) {
    const std::string n = Num(k);
    if (k % 5 == 4)
      h.text += "static int LocalFunction" + n + "(int nArg);\n";
    else
      h.text +=
          "int Function" + n + "(int nArg, const char* pszName = NULL);\n";
    ++h.counts.globalFuncRecords;
    ++h.counts.globalFuncDecls;
  }
  h.text += kEpilogue;
  h.counts.maxOverloads = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

// A macro list of one name per 100 bytes of header. Every other name is
// used, several times, in the places macros stand in real headers: before
// a return type, in a class head, as a declaration macro with arguments
// and no semicolon; the rest never occur, and some names occur inside
// longer identifiers, which must survive.
GeneratedHeader MacroLists(size_t bytes) {
  const int kClasses = 4;
  GeneratedHeader h;
  const int names = std::max<int>(64, static_cast<int>(bytes / 100));
  for (int i = 0; i < names; ++i)
    h.macros.push_back("VN_M" + Num(i));
  int nextUse = 0;
  auto use = [&]() -> const std::string& {
    const std::string& name = h.macros[2 * (nextUse % (names / 2))];
    ++nextUse;
    ++h.counts.macroUses;
    return name;
  };
  h.text = Prologue("macro_lists");
  std::vector<std::string> bodies(kClasses);
  size_t size = h.text.size();
  for (int k = 0; k < 3 * kClasses || size < bytes; ++k) {
    const std::string n = Num(k);
    std::string unit;
    std::string& body = bodies[(k / 3) % kClasses];
    const std::string cls = "CMacroUser" + std::to_string((k / 3) % kClasses);
    switch (k % 3) {
      case 0:
        unit = use() + " int MacroFunction" + n + "(int n);\n";
        h.text += unit;
        ++h.counts.globalFuncRecords;
        ++h.counts.globalFuncDecls;
        break;
      case 1: {
        const std::string& missed = h.macros[2 * (k % (names / 2)) + 1];
        unit = "    " + use() + "(" + cls + ")\n    int m_n" + missed +
               "_count;\n";
        body += unit;
        ++h.counts.dataMembers;
        ++h.counts.macroNearMisses;
        break;
      }
      default:
        unit = "    " + use() + " virtual void OnEvent" + n + "(int nCode);\n";
        body += unit;
        ++h.counts.methodRecords;
        ++h.counts.methodDecls;
        break;
    }
    size += unit.size();
  }
  for (int c = 0; c < kClasses; ++c)
    h.text += "\nclass " + use() + " CMacroUser" + std::to_string(c) +
              " : public CMacroBase\n{\npublic:\n" + bodies[c] + "};\n";
  h.text += kEpilogue;
  h.counts.classes = kClasses;
  h.counts.maxOverloads = 1;
  h.counts.nestingDepth = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

// One tower of classes and structs, each defined inside the one before,
// one level per few hundred bytes. Every level has an initialiser and an
// inline body with nested braces, and a member after its nested class.
GeneratedHeader DeepNesting(size_t bytes) {
  GeneratedHeader h;
  h.text = Prologue("deep_nesting");
  std::vector<std::string> closings;
  size_t size = h.text.size() + sizeof kEpilogue;
  for (int level = 0; level == 0 || size < bytes; ++level) {
    const std::string n = Num(level);
    std::string open = level % 2 == 0 ? "class CLevel" + n + "\n{\npublic:\n"
                                      : "struct SLevel" + n + "\n{\n";
    open += "    int m_nDepth" + n + ";\n    static const int s_anTable" + n +
            "[2][2] = { { 0, 1 }, { 2, 3 } };\n    int Compute" + n +
            "(int n) const { if (n > 0) { for (int i = 0; i < n; ++i) "
            "{ if (i == 2) { return i; } } } return 0; }\n";
    closings.push_back("    void After" + n + "();\n};\n");
    h.text += open;
    size += open.size() + closings.back().size();
    h.counts.classes += 1;
    h.counts.dataMembers += 2;
    h.counts.methodRecords += 2;
    h.counts.methodDecls += 2;
  }
  for (auto it = closings.rbegin(); it != closings.rend(); ++it)
    h.text += *it;
  h.text += kEpilogue;
  h.counts.nestingDepth = h.counts.classes;
  h.counts.maxOverloads = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

// A whole header on one line: globals, enumerations, inline functions and
// eight classes, with block comments, tabs and runs of spaces in between.
GeneratedHeader OneLine(size_t bytes) {
  const int kClasses = 8;
  GeneratedHeader h;
  std::string globals;
  std::vector<std::string> bodies(kClasses);
  size_t size = 0;
  for (int k = 0; k < 2 * kClasses || size < bytes; ++k) {
    const std::string n = Num(k);
    std::string unit;
    if (k % 2 == 0) {
      switch ((k / 2) % 4) {
        case 0:
          unit = "/* global " + n + " */ extern int g_nCount" + n + ";";
          ++h.counts.globalVars;
          break;
        case 1:
          unit = "int  Compute" + n + "(int\tn, const char* psz);";
          ++h.counts.globalFuncRecords;
          ++h.counts.globalFuncDecls;
          break;
        case 2:
          unit = "enum EColor" + n + " { eRed" + n + ", eGreen" + n + " };";
          ++h.counts.globalVars;
          break;
        default:
          unit = "static double Scale" + n + "(double d) { return d * 2; }";
          ++h.counts.globalFuncRecords;
          ++h.counts.globalFuncDecls;
          break;
      }
      globals += unit + " ";
    } else {
      switch ((k / 2) % 3) {
        case 0:
          unit = "/* member " + n + " */ int m_nValue" + n + ";";
          ++h.counts.dataMembers;
          break;
        case 1:
          unit = "virtual void Run" + n + "(int n)  const;";
          ++h.counts.methodRecords;
          ++h.counts.methodDecls;
          break;
        default:
          unit = "int Get" + n + "() const { return m_nValue" + n + "; }";
          ++h.counts.methodRecords;
          ++h.counts.methodDecls;
          break;
      }
      bodies[(k / 2) % kClasses] += unit + " ";
    }
    size += unit.size() + 1;
  }
  h.text = globals;
  for (int c = 0; c < kClasses; ++c)
    h.text += "class COneLine" + std::to_string(c) +
              " : public CBase { public: " + bodies[c] + "}; ";
  h.text += "\n";
  h.counts.classes = kClasses;
  h.counts.maxOverloads = 1;
  h.counts.nestingDepth = 1;
  h.notReturns = DefaultNotReturns();
  return h;
}

}  // namespace

const std::vector<ShapeInfo>& AllShapes() {
  static const std::vector<ShapeInfo> kShapes = {
      {HeaderShape::kManySmallClasses, "many_small_classes",
       "many classes of 4 members, every 4th a 2-field struct"},
      {HeaderShape::kFewHugeClasses, "few_huge_classes",
       "4 classes holding every member"},
      {HeaderShape::kOverloads, "overloads",
       "one global function and one method name, overloaded throughout"},
      {HeaderShape::kManyFunctions, "many_functions",
       "distinct global functions"},
      {HeaderShape::kMacroLists, "macro_lists",
       "1 listed macro per 100 bytes, half of them used, 4 classes"},
      {HeaderShape::kDeepNesting, "deep_nesting",
       "one tower of nested classes and structs, 1 level per ~330 bytes"},
      {HeaderShape::kOneLine, "one_line",
       "the whole header on one line, 8 classes"},
  };
  return kShapes;
}

const ShapeInfo* FindShape(const std::string& name) {
  for (const ShapeInfo& info : AllShapes())
    if (name == info.name)
      return &info;
  return nullptr;
}

GeneratedHeader GenerateHeader(HeaderShape shape, size_t bytes) {
  switch (shape) {
    case HeaderShape::kManySmallClasses:
      return ManySmallClasses(bytes);
    case HeaderShape::kFewHugeClasses:
      return FewHugeClasses(bytes);
    case HeaderShape::kOverloads:
      return Overloads(bytes);
    case HeaderShape::kManyFunctions:
      return ManyFunctions(bytes);
    case HeaderShape::kMacroLists:
      return MacroLists(bytes);
    case HeaderShape::kDeepNesting:
      return DeepNesting(bytes);
    case HeaderShape::kOneLine:
      return OneLine(bytes);
  }
  return GeneratedHeader();
}

std::string SettingsFileText(const GeneratedHeader& header) {
  return SettingsFileText(header.macros, header.notReturns);
}

std::string SettingsFileText(const std::vector<std::string>& macros,
                             const std::vector<std::string>& notReturns) {
  std::string text = "[Macroes]\n";
  for (const std::string& name : macros)
    text += name + "\n";
  text += "[NotReturns]\n";
  for (const std::string& entry : notReturns)
    text += entry + "\n";
  return text;
}
