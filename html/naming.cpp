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

// Appends the anchor name of `text` to `out`.
void AppendAnchorName(std::string_view text, std::string* out) {
  static const AnchorTable kAnchor;
  while (!text.empty() && IsWhite(text.front()))
    text.remove_prefix(1);
  while (!text.empty() && IsWhite(text.back()))
    text.remove_suffix(1);
  // Names are mostly letters and digits, copied in runs.
  size_t i = 0;
  while (i < text.size()) {
    size_t run = i;
    while (run < text.size() && IsAsciiAlnum(text[run]))
      ++run;
    out->append(text, i, run - i);
    if (run == text.size())
      break;
    out->append(kAnchor.text[static_cast<unsigned char>(text[run])]);
    i = run + 1;
  }
}

// Naming runs again before every output and then finds the names it gave
// before: each name is built in one reused buffer and copied into its
// field only when it differs, so a second run allocates nothing.
class Namer {
 public:
  template <typename... Parts>
  void Anchor(std::string* field, const Parts&... parts) {
    joined_.clear();
    (joined_.append(parts), ...);
    name_.clear();
    AppendAnchorName(joined_, &name_);
    Store(field);
  }

  template <typename... Parts>
  void Text(std::string* field, const Parts&... parts) {
    name_.clear();
    (name_.append(parts), ...);
    Store(field);
  }

 private:
  void Store(std::string* field) {
    // A copy has room for the name only; assigned into an empty field, a
    // name of 16 to 30 bytes would get room for 30.
    if (*field != name_)
      *field = std::string(name_);
  }

  std::string joined_, name_;
};

}  // namespace

const std::string& MakeAnchorName(std::string* text) {
  std::string out;
  out.reserve(text->size() + 8);
  AppendAnchorName(*text, &out);
  text->swap(out);
  return *text;
}

void CModuleInfo::MakeAnchors() {
  Namer n;
  const std::string anchor = "Modul" + m_strName;
  n.Anchor(&m_strVarAnchor, anchor, "GV");
  n.Anchor(&m_strFuncAnchor, anchor, "GF");
  n.Anchor(&m_strAnchor, anchor);
  for (auto& var : m_pVars)
    n.Anchor(&var.m_strAnchor, "GV", var.m_strName);
  for (auto& func : m_pFuncs)
    n.Anchor(&func.m_strAnchor, "GF", func.m_strName);
  for (auto& cls : m_pClasses) {
    const std::string& name = cls.m_strName;
    n.Anchor(&cls.m_strVarAnchor, "Class", name, "CV");
    n.Anchor(&cls.m_strFuncAnchor, "Class", name, "CF");
    n.Anchor(&cls.m_strAnchor, "Class", name);
    for (auto& var : cls.m_pVars)
      n.Anchor(&var.m_strAnchor, "CV", name, var.m_strName);
    for (auto& func : cls.m_pFuncs)
      n.Anchor(&func.m_strAnchor, "CF", name, func.m_strName);
  }
}

void CModuleInfo::MakeNames(const std::string& headerPath,
                            const std::string& htmlPath) {
  MakeAnchors();
  MakeFileNames(headerPath, htmlPath);
}

void CModuleInfo::MakeFileNames(const std::string& headerPath,
                                const std::string& htmlPath) {
  Namer n;
  n.Text(&m_strPageStem, PathStem(htmlPath));
  const std::string& h = m_strPageStem;
  const std::string s = PathStem(headerPath);
  n.Text(&m_strFile, h, PathExtension(htmlPath));
  n.Text(&m_strVarFile, h, "GV.htm");
  n.Text(&m_strFuncFile, h, "GF.htm");
  n.Text(&m_strTitle, "Module: ", h);
  n.Text(&m_strVarTitle, "Global Variables of Module ", s);
  n.Text(&m_strFuncTitle, "Global Functions of Module ", s);
  for (auto& cls : m_pClasses) {
    const std::string& name = cls.m_strName;
    n.Text(&cls.m_strFile, h, "_Class_", name, ".htm");
    n.Text(&cls.m_strTitle, "Class: ", name);
    if (cls.m_nVars > 0) {
      n.Text(&cls.m_strVarFile, h, "_Class_", name, "CV.htm");
      n.Text(&cls.m_strVarTitle, "Members of Class ", name);
    }
    if (cls.m_nFuncs > 0) {
      n.Text(&cls.m_strFuncFile, h, "_Class_", name, "CF.htm");
      n.Text(&cls.m_strFuncTitle, "Methods of Class ", name);
    }
  }
}

void AppendFunctionPageFile(const CModuleInfo& module, const CClassInfo* owner,
                            const CDeclInfo& func, std::string* out) {
  if (owner && owner->m_nFuncs <= 0)
    return;
  out->append(module.m_strPageStem);
  if (owner) {
    out->append("CF");
    out->append(owner->m_strName);
  } else {
    out->append("GF");
  }
  AppendAnchorName(func.m_strName, out);
  out->append(".htm");
}

void AppendFunctionPageTitle(const CClassInfo* owner, const CDeclInfo& func,
                             std::string* out) {
  if (!owner) {
    out->append("Global Functions: ");
  } else if (owner->m_nFuncs > 0) {
    out->append(owner->m_strName);
    out->push_back(':');
  } else {
    return;
  }
  out->append(func.m_strName);
}

std::string FunctionPageFile(const CModuleInfo& module,
                             const CClassInfo* owner, const CDeclInfo& func) {
  std::string file;
  AppendFunctionPageFile(module, owner, func, &file);
  return file;
}

std::string FunctionPageTitle(const CClassInfo* owner, const CDeclInfo& func) {
  std::string title;
  AppendFunctionPageTitle(owner, func, &title);
  return title;
}
