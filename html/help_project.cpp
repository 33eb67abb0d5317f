#include "html/help_project.h"

#include "html/html_escape.h"

const char kHelpStylesheetFile[] = "Varnel.css";

namespace {

const char kLanguage[] = "0x409 English (United States)";

// A line break inside a value would end it early in every one of these
// files; other control bytes show as nothing useful.
std::string OneLine(std::string_view text) {
  std::string line(text);
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
      c = ' ';
  return line;
}

std::string SitemapValue(std::string_view text) {
  return HtmlEscaped(OneLine(text));
}

std::string Local(const std::string& file, const std::string& anchor) {
  return anchor.empty() ? file : file + "#" + anchor;
}

void WriteSitemapHead(TextList* lines) {
  lines->push_back("<!DOCTYPE HTML PUBLIC \"-//IETF//DTD HTML//EN\">");
  lines->push_back("<HTML>");
  lines->push_back("<HEAD>");
  lines->push_back("<meta name=\"GENERATOR\" content=\"Varnel\">");
  lines->push_back("</HEAD>");
  lines->push_back("<BODY>");
}

void WriteSitemapEnd(TextList* lines) {
  lines->push_back("</BODY>");
  lines->push_back("</HTML>");
}

void WriteParam(TextList* lines, const char* name, std::string_view value) {
  lines->push_back("<param name=\"" + std::string(name) + "\" value=\"" +
                   SitemapValue(value) + "\">");
}

void WriteContentsEntry(TextList* lines, const HelpPage& page) {
  lines->push_back("<LI><OBJECT type=\"text/sitemap\">");
  WriteParam(lines, "Name", page.label);
  WriteParam(lines, "Local", Local(page.file, page.anchor));
  lines->push_back("</OBJECT>");
}

void WriteIndexEntry(TextList* lines, const HelpIndex::Entry& entry,
                     const std::vector<HelpPage>& pages) {
  lines->push_back("<LI><OBJECT type=\"text/sitemap\">");
  WriteParam(lines, "Name", entry.keyword);
  // One place is the entry's own; several are listed by their titles.
  const bool several = entry.targets.size() > 1;
  for (const HelpIndex::Target& target : entry.targets) {
    const HelpPage& page = pages[target.page];
    if (several)
      WriteParam(lines, "Name", page.title);
    WriteParam(lines, "Local", Local(page.file, target.anchor));
  }
  lines->push_back("</OBJECT>");
}

}  // namespace

TextList HelpProjectLines(const HelpProjectFiles& files,
                          const std::string& title,
                          const std::vector<HelpPage>& pages) {
  TextList lines;
  lines.reserve(pages.size() + 14);
  lines.push_back("[OPTIONS]");
  lines.push_back("Compiled file=" + files.stem + ".chm");
  lines.push_back("Contents file=" + files.stem + ".hhc");
  if (files.index)
    lines.push_back("Index file=" + files.stem + ".hhk");
  if (!pages.empty())
    lines.push_back("Default topic=" + pages.front().file);
  lines.push_back("Title=" + OneLine(title));
  lines.push_back(std::string("Language=") + kLanguage);
  lines.push_back("");
  lines.push_back("[FILES]");
  for (const HelpPage& page : pages)
    lines.push_back(page.file);
  if (files.stylesheet)
    lines.push_back(kHelpStylesheetFile);
  return lines;
}

TextList HelpContentsLines(const std::vector<HelpPage>& pages) {
  TextList lines;
  lines.reserve(pages.size() * 4 + 12);
  WriteSitemapHead(&lines);
  lines.push_back("<UL>");
  int open = 1;
  for (const HelpPage& page : pages) {
    const int wanted = page.level + 1;
    for (; open > wanted; --open)
      lines.push_back("</UL>");
    for (; open < wanted; ++open)
      lines.push_back("<UL>");
    WriteContentsEntry(&lines, page);
  }
  for (; open > 0; --open)
    lines.push_back("</UL>");
  WriteSitemapEnd(&lines);
  return lines;
}

TextList HelpIndexLines(const HelpIndex& index,
                        const std::vector<HelpPage>& pages) {
  TextList lines;
  WriteSitemapHead(&lines);
  lines.push_back("<UL>");
  for (const HelpIndex::Entry* entry : index.Sorted())
    WriteIndexEntry(&lines, *entry, pages);
  lines.push_back("</UL>");
  WriteSitemapEnd(&lines);
  return lines;
}
