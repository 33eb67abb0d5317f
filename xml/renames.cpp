#include "xml/renames.h"

#include "html/naming.h"
#include "model/text.h"
#include "xml/merge_report.h"

namespace {

// Splits "A::B::c" into "A::B" and "c"; no "::" gives two empty texts.
void SplitQualified(const std::string& name, std::string* owner,
                    std::string* member) {
  size_t at = name.rfind("::");
  if (at == std::string::npos || at == 0 || at + 2 >= name.size()) {
    owner->clear();
    member->clear();
    return;
  }
  *owner = name.substr(0, at);
  *member = name.substr(at + 2);
}

template <typename Pick>
std::string AnchorOfFirst(const std::vector<CDeclInfo>& records, int count,
                          Pick pick) {
  const size_t n = std::min(static_cast<size_t>(std::max(count, 0)),
                            records.size());
  for (size_t i = 0; i < n; ++i)
    if (pick(records[i]))
      return records[i].m_strAnchor;
  return std::string();
}

// The key with the anchor of the old class name after `prefix` replaced
// by that of the new one; as it was when it does not start so.
std::string MovedToClass(const std::string& key, const std::string& prefix,
                         const std::string& fromClass,
                         const std::string& toClass) {
  const std::string from = AnchorFor(prefix, fromClass);
  if (!StartsWith(key, from))
    return key;
  return AnchorFor(prefix, toClass) + key.substr(from.size());
}

}  // namespace

namespace {

bool HasWrittenText(const CDeclInfo& decl, EntryKind kind) {
  if (IsWrittenText(decl.m_strShortDesc, kind, TextField::kShort) ||
      IsWrittenText(decl.m_strDescription, kind, TextField::kDescription))
    return true;
  for (const std::string& desc : decl.m_arrParamDescs)
    if (IsWrittenText(desc, kind, TextField::kParameter))
      return true;
  for (const std::string& desc : decl.m_arrReturnDescs)
    if (IsWrittenText(desc, kind, TextField::kReturnValue))
      return true;
  return false;
}

// The one record without texts and with the entry's parameters and return
// values, or null when there is none or more than one.
const CDeclInfo* OnlyLookalike(const UnplacedEntry& entry,
                               const std::vector<CDeclInfo>& records,
                               int count) {
  const CDeclInfo* found = nullptr;
  const size_t n = std::min(static_cast<size_t>(std::max(count, 0)),
                            records.size());
  for (size_t i = 0; i < n; ++i) {
    const CDeclInfo& decl = records[i];
    if (decl.m_arrParams != entry.params || decl.m_arrReturns != entry.returns ||
        HasWrittenText(decl, entry.kind))
      continue;
    if (found)
      return nullptr;
    found = &decl;
  }
  return found;
}

bool IsGoneWhole(const UnplacedEntry& entry) {
  for (const UnplacedText& text : entry.texts)
    if (text.reason == UnplacedReason::kNoEntry)
      return true;
  return false;
}

}  // namespace

std::vector<std::string> SuggestRenames(const MergeReport& report,
                                        const CModuleInfo& module) {
  std::vector<std::string> renameArgs;
  for (const UnplacedEntry* entry : report.Entries()) {
    if (!IsGoneWhole(*entry) || entry->params.empty())
      continue;
    if (entry->kind == EntryKind::kFunction) {
      if (const CDeclInfo* to =
              OnlyLookalike(*entry, module.m_pFuncs, module.m_nFuncs))
        renameArgs.push_back(entry->name + "=" + to->m_strName);
    } else if (entry->kind == EntryKind::kMethod) {
      for (const CClassInfo& cls : module.m_pClasses) {
        if (cls.m_strAnchor != entry->classKey)
          continue;
        if (const CDeclInfo* to =
                OnlyLookalike(*entry, cls.m_pFuncs, cls.m_nFuncs))
          renameArgs.push_back(entry->className + "::" + entry->name + "=" +
                          cls.m_strName + "::" + to->m_strName);
        break;
      }
    }
  }
  return renameArgs;
}

std::string AnchorFor(std::string_view prefix, std::string_view name) {
  std::string text(prefix);
  text.append(name);
  MakeAnchorName(&text);
  return text;
}

bool RenameMap::Add(std::string_view renameArg, std::string* err) {
  size_t eq = renameArg.find('=');
  Rename r;
  r.renameArg = std::string(renameArg);
  if (eq != std::string_view::npos) {
    r.from = Trimmed(renameArg.substr(0, eq));
    r.to = Trimmed(renameArg.substr(eq + 1));
  }
  if (r.from.empty() || r.to.empty() || Contains(r.to, '=')) {
    *err = "--rename takes OLD=NEW, for example CFoo::Get=CFoo::Fetch: " +
           r.renameArg;
    return false;
  }
  SplitQualified(r.from, &r.fromClass, &r.fromMember);
  SplitQualified(r.to, &r.toClass, &r.toMember);
  renames_.push_back(std::move(r));
  if (renames_.back().fromMember.empty())
    hasVariables_ = true;
  return true;
}

void RenameMap::Resolve(const CModuleInfo& module) {
  for (Rename& r : renames_) {
    r.fromClassKey = AnchorFor("Class", r.from);
    if (const CClassInfo* cls = module.FindClass(r.to))
      r.toClassKey = cls->m_strAnchor;
    if (r.fromMember.empty()) {
      r.fromFuncKey = AnchorFor("GF", r.from);
      r.toFuncKey = AnchorOfFirst(
          module.m_pFuncs, module.m_nFuncs,
          [&](const CDeclInfo& f) { return f.m_strName == r.to; });
      r.toVarKey = AnchorOfFirst(
          module.m_pVars, module.m_nVars, [&](const CDeclInfo& v) {
            return DeclaredIdentifier(v.m_strName) == r.to;
          });
      continue;
    }
    r.fromOwnerKey = AnchorFor("Class", r.fromClass);
    r.fromMethodKey = AnchorFor("CF", r.fromClass + r.fromMember);
    if (const CClassInfo* cls = module.FindClass(r.toClass)) {
      r.toMethodKey = AnchorOfFirst(
          cls->m_pFuncs, cls->m_nFuncs,
          [&](const CDeclInfo& f) { return f.m_strName == r.toMember; });
      r.toMemberKey = AnchorOfFirst(
          cls->m_pVars, cls->m_nVars, [&](const CDeclInfo& v) {
            return DeclaredIdentifier(v.m_strName) == r.toMember;
          });
    }
  }
}

std::string RenameMap::Use(Rename* r, const std::string& newKey,
                           const std::string& key) {
  r->used = true;
  if (newKey.empty()) {
    r->unresolvedUse = true;
    return key;
  }
  r->resolvedUse = true;
  return newKey;
}

std::string RenameMap::MapClass(const std::string& key) {
  for (Rename& r : renames_)
    if (r.fromClassKey == key)
      return Use(&r, r.toClassKey, key);
  return key;
}

std::string RenameMap::MapFunction(const std::string& key) {
  for (Rename& r : renames_)
    if (r.fromMember.empty() && r.fromFuncKey == key)
      return Use(&r, r.toFuncKey, key);
  return key;
}

std::string RenameMap::MapVariable(const std::string& key,
                                   std::string_view name) {
  const std::string identifier = DeclaredIdentifier(name);
  for (Rename& r : renames_)
    if (r.fromMember.empty() && r.from == identifier)
      return Use(&r, r.toVarKey, key);
  return key;
}

bool RenameMap::RenamesMembersOf(const std::string& fileClassKey,
                                 const std::string& classKey) const {
  if (fileClassKey != classKey)
    return true;
  for (const Rename& r : renames_)
    if (!r.fromMember.empty() && r.fromOwnerKey == fileClassKey)
      return true;
  return false;
}

std::string RenameMap::MapMember(const std::string& fileClassKey,
                                 const std::string& classKey,
                                 const std::string& key,
                                 std::string_view name) {
  const std::string identifier = DeclaredIdentifier(name);
  for (Rename& r : renames_)
    if (!r.fromMember.empty() && r.fromMember == identifier &&
        (r.fromOwnerKey == fileClassKey || r.fromOwnerKey == classKey))
      return Use(&r, r.toMemberKey, key);
  if (fileClassKey == classKey)
    return key;
  // The whole class moved: its members move along.
  for (const Rename& r : renames_)
    if (r.fromClassKey == fileClassKey && r.toClassKey == classKey)
      return MovedToClass(key, "CV", r.from, r.to);
  return key;
}

std::string RenameMap::MapMethod(const std::string& fileClassKey,
                                 const std::string& classKey,
                                 const std::string& key) {
  std::string moved = key;
  if (fileClassKey != classKey)
    for (const Rename& r : renames_)
      if (r.fromClassKey == fileClassKey && r.toClassKey == classKey)
        moved = MovedToClass(key, "CF", r.from, r.to);
  for (Rename& r : renames_)
    if (!r.fromMember.empty() &&
        (r.fromMethodKey == key || r.fromMethodKey == moved))
      return Use(&r, r.toMethodKey, moved);
  return moved;
}

void RenameMap::NoteOrphanClass(const std::string& fileClassKey) {
  for (Rename& r : renames_)
    if (!r.fromMember.empty() && r.fromOwnerKey == fileClassKey)
      r.used = r.unresolvedUse = true;
}

std::vector<std::string> RenameMap::Unused() const {
  std::vector<std::string> renameArgs;
  for (const Rename& r : renames_)
    if (!r.used)
      renameArgs.push_back(r.renameArg);
  return renameArgs;
}

std::vector<std::string> RenameMap::Unresolved() const {
  std::vector<std::string> renameArgs;
  for (const Rename& r : renames_)
    if (r.unresolvedUse && !r.resolvedUse)
      renameArgs.push_back(r.renameArg);
  return renameArgs;
}
