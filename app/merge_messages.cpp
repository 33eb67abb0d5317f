#include "app/merge_messages.h"

#include "xml/entry_names.h"

namespace {

// "the short description", "the description of parameter 'int x'".
std::string FieldTitle(const UnplacedEntry& entry, const UnplacedText& text) {
  return "the " + FieldName(entry.kind, text.field, text.item);
}

// What an entry lacks when one of its texts has no item to go to.
std::string MissingItem(const UnplacedEntry& entry, const UnplacedText& text) {
  switch (text.field) {
    case TextField::kParameter: return "which it no longer has";
    case TextField::kReturnValue: return "which it no longer has";
    case TextField::kVarListText:
      return entry.kind == EntryKind::kClass ? "which has no data members now"
                                             : "the header has none now";
    case TextField::kFuncListText:
      return entry.kind == EntryKind::kClass ? "which has no methods now"
                                             : "the header has none now";
    default: return "which has no place for it";
  }
}

std::string ScopeWord(int scope) {
  if (scope == SCOPE_PRIVATE)
    return "private ";
  if (scope == SCOPE_PROTECTED)
    return "protected ";
  if (scope == SCOPE_LOCAL)
    return "static ";
  return "";
}

// Where a text went, after what it is: " in SIDE", or where it still is.
std::string KeptClause(const KeptWhere& where, const std::string& source) {
  if (!where.sideFile.empty())
    return "kept in " + where.sideFile;
  if (source.empty())
    return "not kept anew; the merged files still have it";
  return "not kept anew; " + source + " still has it";
}

void Line(const KeptWhere& where, const std::string& what,
          const std::string& why, const std::string& source,
          std::ostream& err) {
  err << "varnel: " << what << ", " << why << ": "
      << KeptClause(where, source) << "\n";
}

int CountReason(const UnplacedEntry& entry, UnplacedReason reason,
                std::string* source) {
  int n = 0;
  for (const UnplacedText& text : entry.texts) {
    if (text.reason != reason)
      continue;
    ++n;
    if (source->empty())
      *source = text.source;
  }
  return n;
}

void PrintEntry(const UnplacedEntry& entry, const KeptWhere& where,
                std::ostream& err) {
  const std::string title = EntryTitle(entry);
  std::string source;
  if (int n = CountReason(entry, UnplacedReason::kNoEntry, &source))
    Line(where, CountOfDescriptions(n) + " of " + title,
         "which the header no longer has", source, err);
  source.clear();
  if (int n = CountReason(entry, UnplacedReason::kFiltered, &source)) {
    const bool global = entry.kind == EntryKind::kVariable ||
                        entry.kind == EntryKind::kFunction;
    Line(where,
         CountOfDescriptions(n) + " of " + ScopeWord(entry.scope) + title,
         "which " + (global ? where.globalsOption : where.membersOption) +
             " leaves out of " + where.xmlFile,
         "", err);
  }
  for (const UnplacedText& text : entry.texts) {
    if (text.reason == UnplacedReason::kNoItem)
      Line(where, FieldTitle(entry, text) + " of " + title,
           MissingItem(entry, text), text.source, err);
    else if (text.reason == UnplacedReason::kNotTaken)
      Line(where,
           text.source + ": " + FieldTitle(entry, text) + " of " + title +
               " was not taken",
           "the entry already has another", text.source, err);
  }
}

}  // namespace

std::string CountOfDescriptions(int count) {
  return std::to_string(count) +
         (count == 1 ? " description" : " descriptions");
}

void PrintKeptTexts(const SideFilePlan& plan, const KeptWhere& where,
                    const std::vector<std::string>& suggestions,
                    std::ostream& err) {
  const MergeReport& kept = plan.kept;
  if (kept.TextCount() == 0)
    return;
  for (const UnplacedEntry* entry : kept.Entries())
    PrintEntry(*entry, where, err);
  for (const std::string& renameArg : suggestions) {
    const std::string to = renameArg.substr(renameArg.find('=') + 1);
    err << "varnel: " << to
        << " has the same parameters and return values and no description"
           " yet; if it is the renamed entry: --rename "
        << renameArg << "\n";
  }
  auto count = [&](UnplacedReason reason) {
    return kept.CountTexts(
        [&](const UnplacedText& t) { return t.reason == reason; });
  };
  const int gone = count(UnplacedReason::kNoEntry) +
                   count(UnplacedReason::kNoItem);
  const int refused = count(UnplacedReason::kNotTaken);
  const int filtered = count(UnplacedReason::kFiltered);
  err << "varnel: " << CountOfDescriptions(kept.TextCount());
  if (where.sideFile.empty())
    err << " found no place and were not kept anew";
  else
    err << " kept in " << where.sideFile;
  err << " (" << gone << " no longer in the header, " << refused
      << " not taken, " << filtered << " left out by the options)";
  if (plan.action == SideFilePlan::kWrite && plan.carried.TextCount() > 0)
    err << "; with the " << CountOfDescriptions(plan.carried.TextCount())
        << " that were in it already";
  err << "\n";
}
