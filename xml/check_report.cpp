#include "xml/check_report.h"

#include <cmath>
#include <cstdio>
#include <map>

#include "xml/entry_names.h"

namespace {

// Class heads are looked up once each: a class has many entries.
class LineFinder {
 public:
  explicit LineFinder(const DeclarationLines& lines) : lines_(lines) {}

  int Of(const MissingDescription& missing) {
    switch (missing.entry) {
      case EntryKind::kModule:
        return 1;
      case EntryKind::kVariable:
        return lines_.VariableLine(DeclaredIdentifier(missing.name));
      case EntryKind::kFunction:
        return lines_.FunctionLine(missing.name);
      case EntryKind::kClass:
        return ClassLine(missing.name);
      case EntryKind::kMember:
        return lines_.MemberLine(ClassLine(missing.className),
                                 DeclaredIdentifier(missing.name));
      case EntryKind::kMethod:
        return lines_.MethodLine(ClassLine(missing.className), missing.name);
    }
    return 1;
  }

 private:
  int ClassLine(const std::string& name) {
    auto [it, added] = classes_.emplace(name, 0);
    if (added)
      it->second = lines_.ClassLine(name);
    return it->second;
  }

  const DeclarationLines& lines_;
  std::map<std::string, int> classes_;
};

}  // namespace

std::vector<CheckFinding> MissingFindings(const Coverage& coverage,
                                          const DeclarationLines& lines,
                                          const std::string& headerPath) {
  std::vector<CheckFinding> findings;
  findings.reserve(coverage.missing.size());
  LineFinder finder(lines);
  for (const MissingDescription& missing : coverage.missing) {
    CheckFinding f;
    f.file = headerPath;
    f.line = finder.Of(missing);
    f.kind = EntryKindName(missing.entry);
    f.name = QualifiedEntryName(missing.entry, missing.className, missing.name);
    f.what = FieldName(missing.entry, missing.field, missing.item);
    f.text = f.kind + " " + f.name + " has no " + f.what;
    findings.push_back(std::move(f));
  }
  return findings;
}

std::vector<CheckFinding> OrphanFindings(const MergeReport& report,
                                         const std::string& keptIn) {
  std::vector<CheckFinding> findings;
  const std::string kept = keptIn.empty() ? "" : " (kept in " + keptIn + ")";
  for (const UnplacedEntry* entry : report.Entries()) {
    for (const UnplacedText& text : entry->texts) {
      if (text.reason == UnplacedReason::kFiltered)
        continue;
      CheckFinding f;
      f.file = text.source;
      f.kind = EntryKindName(entry->kind);
      f.name = QualifiedEntryName(entry->kind, entry->className, entry->name);
      f.what = FieldName(entry->kind, text.field, text.item);
      f.text = "the " + f.what + " of " + f.kind + " " + f.name +
               (text.reason == UnplacedReason::kNotTaken
                    ? " was not taken: the entry already has another"
                    : " is no longer in the header") +
               kept;
      findings.push_back(std::move(f));
    }
  }
  return findings;
}

std::string FindingLine(const CheckFinding& finding) {
  std::string line = finding.file;
  if (finding.line > 0)
    line += ":" + std::to_string(finding.line);
  return line + ": warning: " + finding.text;
}

std::string CoverageCountText(const Coverage& coverage) {
  return std::to_string(coverage.Described()) + " of " +
         std::to_string(coverage.Total()) + " descriptions";
}

std::string CoverageSummary(const Coverage& coverage) {
  // Cut, not rounded: 99.96% is not 100.0%.
  char percent[32];
  std::snprintf(percent, sizeof percent, "%.1f",
                std::floor(coverage.Percent() * 10) / 10);
  std::string text = "coverage: " + CoverageCountText(coverage) + " (" +
                     percent + "%)";
  for (int i = 0; i < kCoverageKinds; ++i) {
    const CoverageCount& count = coverage.kinds[i];
    text += i == 0 ? ": " : ", ";
    text += CoverageKindName(static_cast<CoverageKind>(i));
    text += " " + std::to_string(count.described) + " of " +
            std::to_string(count.total);
  }
  return text;
}
