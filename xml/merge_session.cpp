#include "xml/merge_session.h"

#include <filesystem>
#include <system_error>

#include "model/file_io.h"
#include "xml/orphan_harvest.h"
#include "xml/side_file.h"
#include "xml/xml_merge.h"

namespace {

bool IsFile(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool ReadXmlFile(const std::string& path, CXmlTree* xml,
                 MergeFailure* failure) {
  std::string text;
  failure->path = path;
  switch (ReadWholeFile(path, &text)) {
    case ReadStatus::kOk:
      break;
    case ReadStatus::kCannotOpen:
      failure->kind = MergeFailure::kCannotOpen;
      return false;
    case ReadStatus::kReadError:
      failure->kind = MergeFailure::kCannotRead;
      return false;
  }
  return LoadXmlText(std::move(text), path, xml, failure);
}

}  // namespace

bool SameExistingFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty())
    return false;
  std::error_code ec;
  return std::filesystem::equivalent(a, b, ec) && !ec;
}

bool LoadXmlText(std::string text, const std::string& path, CXmlTree* xml,
                 MergeFailure* failure) {
  if (xml->Load(CrLfToLf(std::move(text))))
    return true;
  failure->kind = MergeFailure::kMalformed;
  failure->path = path;
  failure->message = xml->GetError();
  failure->line = xml->GetErrorLine();
  failure->column = xml->GetErrorColumn();
  return false;
}

MergeSession::MergeSession(CModuleInfo* module, RenameMap* renames)
    : module_(module), renames_(renames) {}

bool MergeSession::MergeLoaded(CXmlTree* xml, const std::string& source) {
  MergeContext context;
  context.source = source;
  context.renames = renames_;
  context.report = &report_;
  if (!MergeXmlDocument(xml, module_, context))
    return false;
  merged_.push_back(source);
  return true;
}

bool MergeSession::MergeFile(const std::string& path, MergeFailure* failure) {
  CXmlTree xml;
  if (!ReadXmlFile(path, &xml, failure))
    return false;
  if (MergeLoaded(&xml, path))
    return true;
  failure->kind = MergeFailure::kWrongModule;
  return false;
}

bool MergeSession::WasMerged(const std::string& path) const {
  for (const std::string& merged : merged_)
    if (merged == path || SameExistingFile(merged, path))
      return true;
  return false;
}

std::string MergeSession::UnmergedSideFileOf(const std::string& path) const {
  const std::string side = SideFilePath(path);
  if (side.empty() || !IsFile(side) || WasMerged(side))
    return std::string();
  return side;
}

bool MergeSession::PlanSideFile(const std::string& xmlPath, SideFilePlan* plan,
                                std::string* err) const {
  plan->action = SideFilePlan::kNone;
  plan->path = SideFilePath(xmlPath);
  plan->kept = MergeReport();
  plan->kept.Absorb(report_);
  CollectFilteredTexts(*module_, &plan->kept);
  plan->carried = MergeReport();
  if (plan->path.empty())
    return true;

  // A session that merged nothing and keeps nothing, the most common run,
  // need not look at the path.
  const bool keeps = plan->kept.TextCount() > 0;
  const bool exists = (keeps || !merged_.empty()) && IsFile(plan->path);
  const bool merged = exists && WasMerged(plan->path);
  if (!keeps) {
    // Nothing to keep: a merged side file has given back all it had; one
    // that was not merged is left as it is.
    if (merged)
      plan->action = SideFilePlan::kRemove;
    return true;
  }
  if (exists && !merged) {
    // Its texts were not merged, so they are carried over unread.
    CXmlTree xml;
    MergeFailure failure;
    if (!ReadXmlFile(plan->path, &xml, &failure) ||
        !HarvestXmlDocument(&xml, module_->m_strName, plan->path,
                            &plan->carried)) {
      *err = plan->path +
             ": this file is in the way of the descriptions to keep beside " +
             xmlPath + ", and it is not a side file of " +
             module_->m_strName + "; it was left as it was";
      return false;
    }
  }
  plan->action = SideFilePlan::kWrite;
  return true;
}

bool WriteSideFile(const SideFilePlan& plan, const std::string& moduleName,
                   std::string* err) {
  if (plan.action != SideFilePlan::kWrite)
    return true;
  MergeReport all;
  all.Absorb(plan.kept);
  all.Absorb(plan.carried);
  TextList lines;
  BuildSideFile(all, moduleName, &lines);
  return SaveLines(plan.path, lines, err);
}

void RemoveSideFileIfPlanned(const SideFilePlan& plan) {
  if (plan.action != SideFilePlan::kRemove)
    return;
  std::error_code ec;
  std::filesystem::remove(plan.path, ec);
}
