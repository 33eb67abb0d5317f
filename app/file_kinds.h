// What a file given without a dialog is to the window, by its extension:
// a header to open, an XML file to read, or neither. A drop of several
// files is planned here so that the window only carries the plan out.
#ifndef VARNEL_APP_FILE_KINDS_H_
#define VARNEL_APP_FILE_KINDS_H_

#include <string>
#include <vector>

enum class FileKind { kHeader, kXml, kOther };

// .h, .hh, .hpp, .hxx, .h++ in any case; .xml in any case.
FileKind KindOfFile(const std::string& path);

struct DropPlan {
  std::string header;               // empty: no header in the drop
  std::vector<std::string> xml;     // read after the header, in order
  std::vector<std::string> ignored; // other kinds, and further headers
};

// Only one header can be open, so a drop opens its first header and reads
// its XML files into it.
DropPlan PlanDrop(const std::vector<std::string>& files);

// The message about the files a drop leaves alone; empty when none is.
std::string IgnoredFilesMessage(const DropPlan& plan);

#endif  // VARNEL_APP_FILE_KINDS_H_
