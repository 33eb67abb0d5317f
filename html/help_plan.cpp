// Which pages the split-file objects of the page name, and where each
// stands in the contents. The order and the conditions are those of the
// section writers, which the cut checks page by page.
#include <unordered_map>

#include "html/help_names.h"
#include "html/help_pages.h"
#include "html/html_lines.h"
#include "html/naming.h"

namespace {

void AddPage(std::vector<HelpPage>* pages, HelpPageKind kind,
             const std::string& file, const std::string& title,
             const std::string& anchor, const std::string& label, int level,
             std::string entry) {
  // A nameless item is still found in the contents by its title.
  pages->push_back(HelpPage{kind, file, title, anchor,
                            label.empty() ? title : label, level,
                            std::move(entry)});
}

// How messages name an item.
std::string Named(const std::string& name) {
  return name.empty() ? "without a name" : name;
}

void PlanGlobals(const CModuleInfo& m, std::vector<HelpPage>* pages) {
  if (m.m_nVars > 0)
    AddPage(pages, HelpPageKind::kGlobalVars, m.m_strVarFile, m.m_strVarTitle,
            m.m_strVarAnchor, "Global variables", 1, "the global variables");
  if (m.m_nFuncs <= 0)
    return;
  AddPage(pages, HelpPageKind::kGlobalFuncs, m.m_strFuncFile,
          m.m_strFuncTitle, m.m_strFuncAnchor, "Global functions", 1,
          "the global functions");
  // Hidden functions get no detail block, so no page.
  for (const CDeclInfo& f : Records(m.m_pFuncs, m.m_nFuncs))
    if (f.m_nScope != SCOPE_LOCAL || m.m_bShowLocal)
      AddPage(pages, HelpPageKind::kGlobalFunc,
              FunctionPageFile(m, nullptr, f), FunctionPageTitle(nullptr, f),
              f.m_strAnchor, f.m_strName, 2,
              "the global function " + Named(f.m_strName));
}

void PlanClass(const CModuleInfo& m, const CClassInfo& c,
               std::vector<HelpPage>* pages) {
  const std::string& name = c.m_strName;
  AddPage(pages, HelpPageKind::kClass, c.m_strFile, c.m_strTitle,
          c.m_strAnchor, name, 1, "the class " + Named(name));
  if (c.m_nVars > 0)
    AddPage(pages, HelpPageKind::kClassVars, c.m_strVarFile, c.m_strVarTitle,
            c.m_strVarAnchor, "Data members", 2,
            "the data members of the class " + name);
  if (c.m_nFuncs <= 0)
    return;
  AddPage(pages, HelpPageKind::kClassFuncs, c.m_strFuncFile,
          c.m_strFuncTitle, c.m_strFuncAnchor, "Methods", 2,
          "the methods of the class " + name);
  // Every method has its detail block, also those the filter hides.
  for (const CDeclInfo& f : Records(c.m_pFuncs, c.m_nFuncs))
    AddPage(pages, HelpPageKind::kMethod, FunctionPageFile(m, &c, f),
            FunctionPageTitle(&c, f), f.m_strAnchor, f.m_strName, 3,
            "the method " + name + "::" + Named(f.m_strName));
}

}  // namespace

std::vector<HelpPage> PlanHelpPages(const CModuleInfo& m) {
  std::vector<HelpPage> pages;
  AddPage(&pages, HelpPageKind::kModule, m.m_strFile, m.m_strTitle,
          m.m_strAnchor, m.m_strName, 0, "the module " + Named(m.m_strName));
  PlanGlobals(m, &pages);
  std::span<const CClassInfo> classes = Records(m.m_pClasses, m.m_nClasses);
  // A class name given twice documents its first class twice.
  std::unordered_map<std::string, const CClassInfo*> first;
  first.reserve(classes.size());
  for (const CClassInfo& c : classes)
    PlanClass(m, *first.try_emplace(c.m_strName, &c).first->second, &pages);
  return pages;
}

bool PlanHelpBook(CModuleInfo* module, const std::string& headerPath,
                  const std::string& htmlPath, std::vector<HelpPage>* pages,
                  std::string* err) {
  module->MakeNames(headerPath, htmlPath);
  *pages = PlanHelpPages(*module);
  return CheckHelpPageNames(*pages, err);
}
