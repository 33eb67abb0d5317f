#include "app/view_logic.h"

#include <algorithm>

#include "app/document.h"
#include "model/parser_settings.h"

CViewVarnel::CViewVarnel(CDocVarnel* doc, CFormControls* controls)
    : m_pDoc(doc), m_pControls(controls) {}

FormValues CViewVarnel::Fields() const {
  FormValues values;
  values.checkHelpKeywords = m_checkHelpKeywords;
  values.checkSplitFiles = m_checkSplitFiles;
  values.checkStylesheet = m_checkStylesheet;
  values.radioMembers = m_radioMembers;
  values.radioGlobals = m_radioGlobals;
  values.editHeaderPath = m_editHeaderPath;
  values.editHtmlPath = m_editHtmlPath;
  values.editXmlPath = m_editXmlPath;
  return values;
}

void CViewVarnel::SetFields(const FormValues& values) {
  m_checkHelpKeywords = values.checkHelpKeywords;
  m_checkSplitFiles = values.checkSplitFiles;
  m_checkStylesheet = values.checkStylesheet;
  m_radioMembers = values.radioMembers;
  m_radioGlobals = values.radioGlobals;
  m_editHeaderPath = values.editHeaderPath;
  m_editHtmlPath = values.editHtmlPath;
  m_editXmlPath = values.editXmlPath;
}

void CViewVarnel::FieldsFromOptions() {
  const CDocVarnel& doc = *m_pDoc;
  m_checkHelpKeywords = doc.GetHelpKeywords() ? 1 : 0;
  m_checkSplitFiles = doc.GetSplitFiles() ? 1 : 0;
  m_checkStylesheet = doc.GetStylesheet() ? 1 : 0;
  // A combination no button stands for keeps the selection as it was.
  if (doc.GetShowExtern() && doc.GetShowLocal())
    m_radioGlobals = 0;
  else if (doc.GetShowExtern() && !doc.GetShowLocal())
    m_radioGlobals = 1;
  bool pub = doc.GetShowPublic();
  bool prot = doc.GetShowProtected();
  bool priv = doc.GetShowPrivate();
  if (pub && prot && priv)
    m_radioMembers = 0;
  else if (pub && prot && !priv)
    m_radioMembers = 1;
  else if (pub && !prot && !priv)
    m_radioMembers = 2;
}

void CViewVarnel::FieldsToOptions() {
  CDocVarnel& doc = *m_pDoc;
  doc.SetHelpKeywords(m_checkHelpKeywords != 0);
  doc.SetSplitFiles(m_checkSplitFiles != 0);
  doc.SetStylesheet(m_checkStylesheet != 0);
  doc.SetShowExtern(true);
  doc.SetShowLocal(m_radioGlobals != 1);
  doc.SetShowPublic(true);
  doc.SetShowProtected(m_radioMembers != 2);
  doc.SetShowPrivate(m_radioMembers != 1 && m_radioMembers != 2);
}

bool CViewVarnel::UpdateData(bool bSaveAndValidate) {
  if (bSaveAndValidate) {
    if (m_pControls) {
      FormValues values;
      if (!m_pControls->Read(&values))
        return false;
      SetFields(values);
    }
    if (m_pDoc)
      FieldsToOptions();
    return true;
  }
  if (m_pDoc)
    FieldsFromOptions();
  if (m_pControls)
    m_pControls->Write(Fields());
  return true;
}

bool CViewVarnel::OnUpdateNeedsParse() const {
  return m_pDoc && m_pDoc->IsParsed();
}

void CViewVarnel::OnShowOutputXml() {
  m_bPreviewXml = true;
  m_bPreviewHtml = false;
}

void CViewVarnel::OnShowOutputHtml() {
  m_bPreviewHtml = true;
  m_bPreviewXml = false;
}

void CViewVarnel::OnLocateHtml() {
  if (m_pDoc)
    m_pDoc->LocateHtmlFile();
}

void CViewVarnel::OnLocateXml() {
  if (m_pDoc)
    m_pDoc->LocateXmlFile();
}

std::string CViewVarnel::OnReloadIni(const std::string& iniPath) {
  std::string err;
  if (m_pDoc && !ReadParserSettings(iniPath, &err))
    return err;
  return std::string();
}

int CViewVarnel::LinesPerPage(int drawHeight, int textHeight) {
  int lines = 1;
  if (drawHeight - 20 > textHeight + 10)
    lines = (drawHeight - 20) / (textHeight + 20);
  // Just above the threshold the division gives 0, which would print no
  // line on any page and never reach the last one. With this floor a page
  // also holds one line wherever only H - 10 exceeds h + 10, so begin
  // printing and each page agree on the count.
  return std::max(lines, 1);
}

PrintLayout CViewVarnel::OnBeginPrinting(int drawHeight, int textHeight) {
  PrintLayout layout;
  if (!m_pDoc || !UpdateData(true))
    return layout;
  if (m_bPreviewHtml && !m_pDoc->BuildHtml())
    return layout;
  if (m_bPreviewXml && !m_pDoc->BuildXml())
    return layout;
  layout.bContinue = true;
  layout.nLinesPerPage = LinesPerPage(drawHeight, textHeight);
  int count = static_cast<int>(m_pDoc->GetLines().size());
  layout.nLastPage = count / layout.nLinesPerPage + 1;
  return layout;
}

PrintPage CViewVarnel::OnPrintPage(int page, int drawHeight,
                                   int textHeight) const {
  PrintPage result;
  if (!m_pDoc || page < 1)
    return result;
  int perPage = LinesPerPage(drawHeight, textHeight);
  int count = static_cast<int>(m_pDoc->GetLines().size());
  long long first = static_cast<long long>(page - 1) * perPage;
  long long end = first + perPage;
  result.nFirst = static_cast<int>(std::min<long long>(first, count));
  result.nEnd = static_cast<int>(std::min<long long>(end, count));
  result.bContinue = end < count;
  return result;
}
