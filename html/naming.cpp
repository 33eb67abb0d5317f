#include "html/naming.h"

#include <string_view>

#include "model/module_info.h"

namespace {

// Operator characters spelled out, in the order the replacements run. Each
// replacement text is letters only, so one pass over the text gives the
// same result as running the replacements one after the other.
const char* SpelledOut(char c) {
  switch (c) {
    case '=': return "eq";
    case '>': return "gt";
    case '<': return "lt";
    case '!': return "not";
    case '+': return "pl";
    case '-': return "mi";
    case '*': return "mul";
    case '/': return "div";
    case '\\': return "bslash";
    case '"': return "dqu";
    case '\'': return "squ";
    case ':': return "col";
    case ';': return "secol";
    case ',': return "comma";
    case '?': return "qu";
    case '[': return "ab";
    case ']': return "ae";
    case '(': return "po";
    case ')': return "pc";
    default: return nullptr;
  }
}

bool IsAsciiAlnum(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
         (c >= '0' && c <= '9');
}

// What every byte other than a letter or digit becomes in an anchor: its
// spelling or "_".
struct AnchorTable {
  std::string_view text[256];
  AnchorTable() {
    for (int i = 0; i < 256; ++i) {
      const char* spelled = SpelledOut(static_cast<char>(i));
      text[i] = spelled ? spelled : "_";
    }
  }
};

std::string AnchorOf(std::string text) {
  MakeAnchorName(&text);
  return text;
}

}  // namespace

const std::string& MakeAnchorName(std::string* text) {
  static const AnchorTable kAnchor;
  Trim(text);
  // Names are mostly letters and digits, kept as they are.
  size_t i = 0;
  while (i < text->size() && IsAsciiAlnum((*text)[i]))
    ++i;
  if (i == text->size())
    return *text;
  std::string out;
  out.reserve(text->size() + 8);
  out.append(*text, 0, i);
  for (; i < text->size(); ++i) {
    const unsigned char c = static_cast<unsigned char>((*text)[i]);
    if (IsAsciiAlnum(static_cast<char>(c)))
      out += static_cast<char>(c);
    else
      out += kAnchor.text[c];
  }
  text->swap(out);
  return *text;
}

void CModuleInfo::MakeAnchors() {
  std::string anchor = "Modul" + m_strName;
  m_strVarAnchor = AnchorOf(anchor + "GV");
  m_strFuncAnchor = AnchorOf(anchor + "GF");
  m_strAnchor = AnchorOf(anchor);
  for (auto& var : m_pVars)
    var.m_strAnchor = AnchorOf("GV" + var.m_strName);
  for (auto& func : m_pFuncs)
    func.m_strAnchor = AnchorOf("GF" + func.m_strName);
  for (auto& cls : m_pClasses) {
    std::string classAnchor = "Class" + cls.m_strName;
    cls.m_strVarAnchor = AnchorOf(classAnchor + "CV");
    cls.m_strFuncAnchor = AnchorOf(classAnchor + "CF");
    cls.m_strAnchor = AnchorOf(classAnchor);
    for (auto& var : cls.m_pVars)
      var.m_strAnchor = AnchorOf("CV" + cls.m_strName + var.m_strName);
    for (auto& func : cls.m_pFuncs)
      func.m_strAnchor = AnchorOf("CF" + cls.m_strName + func.m_strName);
  }
}

void CModuleInfo::MakeFileNames(const std::string& headerPath,
                                const std::string& htmlPath) {
  std::string h = PathStem(htmlPath);
  std::string s = PathStem(headerPath);
  m_strFile = h + PathExtension(htmlPath);
  m_strVarFile = h + "GV.htm";
  m_strFuncFile = h + "GF.htm";
  m_strTitle = "Module: " + h;
  m_strVarTitle = "Global Variables of Module " + s;
  m_strFuncTitle = "Global Functions of Module " + s;
  for (auto& func : m_pFuncs) {
    func.m_strFile = h + "GF" + AnchorOf(func.m_strName) + ".htm";
    func.m_strTitle = "Global Functions: " + func.m_strName;
  }
  for (auto& cls : m_pClasses) {
    const std::string& name = cls.m_strName;
    cls.m_strFile = h + "_Class_" + name + ".htm";
    cls.m_strTitle = "Class: " + name;
    if (cls.m_nVars > 0) {
      cls.m_strVarFile = h + "_Class_" + name + "CV.htm";
      cls.m_strVarTitle = "Members of Class " + name;
    }
    if (cls.m_nFuncs > 0) {
      cls.m_strFuncFile = h + "_Class_" + name + "CF.htm";
      cls.m_strFuncTitle = "Methods of Class " + name;
      for (auto& func : cls.m_pFuncs) {
        func.m_strFile = h + "CF" + name + AnchorOf(func.m_strName) + ".htm";
        func.m_strTitle = name + ":" + func.m_strName;
      }
    }
  }
}
