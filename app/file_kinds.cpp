#include "app/file_kinds.h"

#include "model/text.h"

namespace {

std::string Lower(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z')
      c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

FileKind KindOfFile(const std::string& path) {
  const std::string ext = Lower(PathExtension(path));
  if (ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".hxx" ||
      ext == ".h++")
    return FileKind::kHeader;
  if (ext == ".xml")
    return FileKind::kXml;
  return FileKind::kOther;
}

DropPlan PlanDrop(const std::vector<std::string>& files) {
  DropPlan plan;
  for (const std::string& file : files) {
    switch (KindOfFile(file)) {
      case FileKind::kHeader:
        if (plan.header.empty())
          plan.header = file;
        else
          plan.ignored.push_back(file);
        break;
      case FileKind::kXml:
        plan.xml.push_back(file);
        break;
      case FileKind::kOther:
        plan.ignored.push_back(file);
        break;
    }
  }
  return plan;
}

std::string IgnoredFilesMessage(const DropPlan& plan) {
  if (plan.ignored.empty())
    return std::string();
  std::string text =
      "Only one header file and XML files can be dropped here. Not opened:";
  for (const std::string& file : plan.ignored)
    text += "\n" + file;
  return text;
}
