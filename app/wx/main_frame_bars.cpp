// The frame's resources: menu bar, key table, toolbar and status bar.
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "app/wx/art.h"
#include "app/wx/command_ids.h"
#include "app/wx/main_frame.h"
#include "app/wx/recent_files.h"

namespace {

// A command's menu text and its prompt: the status-bar text, then after a
// line break the tooltip.
struct CommandText {
  int id;
  const char* menu;
  const char* prompt;
};

constexpr CommandText kNew = {ID_FILE_NEW, "&New\tCtrl+N",
                              "Clears all data\nClear"};
constexpr CommandText kOpen = {ID_FILE_OPEN, "&Open Header File\tCtrl+O",
                               "Open an existing header file\nOpen H-File"};
constexpr CommandText kReadXml = {
    ID_FILE_READXML, "&Read XML File\tCtrl+R",
    "Reads an XML and merges data.\nRead XML File"};
constexpr CommandText kSaveXml = {ID_FILE_SAVE, "Save &XML File\tCtrl+X",
                                  "Save the document as XML file\nSave as XML"};
constexpr CommandText kSaveHtml = {
    ID_FILE_SAVE_AS, "Save As  &HTML File.\tCtrl+H",
    "Save the active document as a HTML File\nSave as HTML File"};
constexpr CommandText kShowXml = {ID_FILE_PRINT_PREVIEW,
                                  "&Show Output XML\tCtrl+S",
                                  "Preview of XML output\nPreview of XML"};
constexpr CommandText kShowHtml = {ID_VIEW_OUTPUT_HTML,
                                   "Sho&w Output HTML\tCtrl+W",
                                   "Preview of HTML output\nPreview of HTML"};
constexpr CommandText kMissing = {
    ID_VIEW_MISSING_DESCRIPTIONS, "&Missing descriptions...",
    "List the descriptions still to be written, and those that lost their "
    "entry\nMissing descriptions"};
constexpr CommandText kPagePreview = {
    ID_VIEW_PAGE_PREVIEW, "Page Pre&view\tCtrl+Shift+W",
    "Show the HTML page as a reader will see it\nPage Preview"};
constexpr CommandText kExit = {
    ID_APP_EXIT, "E&xit",
    "Quit the application; prompts to save documents\nExit"};
constexpr CommandText kToolbar = {ID_VIEW_TOOLBAR, "&Toolbar",
                                  "Show or hide the toolbar\nToggle ToolBar"};
constexpr CommandText kStatusBar = {
    ID_VIEW_STATUS_BAR, "&Status Bar",
    "Show or hide the status bar\nToggle StatusBar"};
constexpr CommandText kHelpTopics = {ID_HELP_FINDER, "&Help Topics",
                                     "List Help topics\nHelp Topics"};
constexpr CommandText kSaveHelpBook = {
    ID_FILE_SAVE_HELP_BOOK, "Save Help &Book...",
    "Save the pages and the help project of a compiled help book\nSave "
    "Help Book"};
constexpr CommandText kOpenHelpBook = {
    ID_HELP_OPEN_BOOK, "&Open Help Book",
    "Show the help book saved last\nOpen Help Book"};
constexpr CommandText kAbout = {
    ID_APP_ABOUT, "&About Varnel...",
    "Display program information and version number\nAbout"};

wxString StatusPrompt(const CommandText& command) {
  return wxString(command.prompt).BeforeFirst('\n');
}

wxString Tooltip(const CommandText& command) {
  return wxString(command.prompt).AfterFirst('\n');
}

void Append(wxMenu* menu, const CommandText& command,
            wxItemKind kind = wxITEM_NORMAL) {
  menu->Append(command.id, command.menu, StatusPrompt(command), kind);
}

void AddTool(wxToolBar* bar, const CommandText& command,
             const wxBitmap& bitmap) {
  bar->AddTool(command.id, wxString(), bitmap, wxNullBitmap, wxITEM_NORMAL,
               Tooltip(command), StatusPrompt(command));
}

struct KeyCommand {
  int modifiers;
  int keyCode;
  int id;
};

constexpr KeyCommand kKeyTable[] = {
    {wxMOD_CONTROL, 'N', ID_FILE_NEW},
    {wxMOD_CONTROL, 'O', ID_FILE_OPEN},
    {wxMOD_CONTROL, 'R', ID_FILE_READXML},
    {wxMOD_CONTROL, 'X', ID_FILE_SAVE},
    {wxMOD_CONTROL, 'H', ID_FILE_SAVE_AS},
    {wxMOD_CONTROL, 'S', ID_FILE_PRINT_PREVIEW},
    {wxMOD_CONTROL, 'W', ID_VIEW_OUTPUT_HTML},
    {wxMOD_CONTROL | wxMOD_SHIFT, 'W', ID_VIEW_PAGE_PREVIEW},
    {wxMOD_CONTROL, 'P', ID_FILE_PRINT},
    {wxMOD_NONE, WXK_F1, ID_HELP},
};

const char* const kIndicators[] = {"CAP", "NUM", "SCRL"};
const char kCoverageSample[] = "99999 of 99999 descriptions";

}  // namespace

void CMainFrame::CreateMenus() {
  wxMenu* file = new wxMenu;
  Append(file, kNew);
  Append(file, kOpen);
  Append(file, kReadXml);
  Append(file, kSaveXml);
  Append(file, kSaveHtml);
  Append(file, kSaveHelpBook);
  file->AppendSeparator();
  Append(file, kShowXml);
  Append(file, kShowHtml);
  file->AppendSeparator();
  size_t recentPosition = file->GetMenuItemCount();
  file->AppendSeparator();
  Append(file, kExit);
  m_pRecent->AttachMenu(file, recentPosition);

  wxMenu* view = new wxMenu;
  Append(view, kToolbar, wxITEM_CHECK);
  Append(view, kStatusBar, wxITEM_CHECK);
  view->AppendSeparator();
  Append(view, kMissing);
  Append(view, kPagePreview);

  wxMenu* help = new wxMenu;
  Append(help, kHelpTopics);
  Append(help, kOpenHelpBook);
  help->AppendSeparator();
  Append(help, kAbout);

  wxMenuBar* bar = new wxMenuBar;
  bar->Append(file, "&File");
  bar->Append(view, "&View");
  bar->Append(help, "&Help");
  SetMenuBar(bar);
}

// The key table goes before the focused control, so that Ctrl+X saves the
// XML even while an edit field has the focus. A key whose command is
// disabled does nothing. Keys pressed in the preview or the help window
// come up here too and are left to them.
void CMainFrame::OnCharHook(wxKeyEvent& event) {
  wxWindow* source = wxDynamicCast(event.GetEventObject(), wxWindow);
  if (source && wxGetTopLevelParent(source) != this) {
    event.Skip();
    return;
  }
  for (const KeyCommand& key : kKeyTable) {
    if (event.GetModifiers() == key.modifiers &&
        event.GetKeyCode() == key.keyCode) {
      wxUpdateUIEvent update(key.id);
      update.SetEventObject(this);
      ProcessWindowEvent(update);
      if (!update.GetSetEnabled() || update.GetEnabled()) {
        wxCommandEvent command(wxEVT_MENU, key.id);
        command.SetEventObject(this);
        ProcessWindowEvent(command);
      }
      return;
    }
  }
  event.Skip();
}

void CMainFrame::CreateBars() {
  wxToolBar* tools = CreateToolBar(wxTB_FLAT | wxTB_HORIZONTAL);
  tools->SetToolBitmapSize(wxSize(kToolWidth, kToolHeight));
  AddTool(tools, kNew, ToolBitmap(wxART_NEW));
  AddTool(tools, kOpen, ToolBitmap(wxART_FILE_OPEN));
  AddTool(tools, kReadXml, ToolBitmap(wxART_PASTE));
  AddTool(tools, kSaveXml, ToolBitmap(wxART_FILE_SAVE));
  AddTool(tools, kSaveHtml, ToolBitmap(wxART_FILE_SAVE_AS));
  tools->AddSeparator();
  AddTool(tools, kShowXml, PreviewToolBitmap('X'));
  AddTool(tools, kShowHtml, PreviewToolBitmap('H'));
  tools->AddSeparator();
  AddTool(tools, kAbout, ToolBitmap(wxART_HELP));
  tools->Realize();

  // The prompt, the coverage of the descriptions, then the key indicators.
  const int kFields = 2 + WXSIZEOF(kIndicators);
  wxStatusBar* status = CreateStatusBar(kFields);
  int widths[kFields] = {-1, status->GetTextExtent(kCoverageSample).x + 16};
  int styles[kFields] = {wxSB_FLAT, wxSB_SUNKEN};
  for (size_t i = 0; i < WXSIZEOF(kIndicators); ++i) {
    widths[i + 2] = status->GetTextExtent(kIndicators[i]).x + 12;
    styles[i + 2] = wxSB_SUNKEN;
  }
  status->SetStatusWidths(kFields, widths);
  status->SetStatusStyles(kFields, styles);
  SetStatusText("For Help, press F1");
}

void CMainFrame::OnIdle(wxIdleEvent& event) {
  event.Skip();
  wxStatusBar* status = GetStatusBar();
  if (!status)
    return;
  const wxKeyCode keys[] = {WXK_CAPITAL, WXK_NUMLOCK, WXK_SCROLL};
  for (size_t i = 0; i < WXSIZEOF(kIndicators); ++i) {
    wxString text = wxGetKeyState(keys[i]) ? kIndicators[i] : "";
    if (status->GetStatusText(i + 2) != text)
      status->SetStatusText(text, i + 2);
  }
}
