#include <string_view>

#include "html/html_escape.h"
#include "html/output_bound_parts.h"
#include "html/html_lines.h"
#include "html/html_sections.h"
#include "html/html_writer.h"
#include "html/naming.h"

// The page is the module bar, repeated after every block, the class bar
// after every block of a class, and fixed markup and placeholder
// sentences around the model's texts. The fixed parts below are well
// above the longest the writer has for each piece (help objects, keywords,
// counts and line ends included); each text is counted at least as often
// as the writer writes it.
namespace {

const uint64_t kFixedPerModule = 16384;
const uint64_t kFixedPerClass = 16384;
const uint64_t kFixedPerRecord = 1024;
const uint64_t kFixedPerListEntry = 128;
const uint64_t kFixedPerLink = 64;

template <typename BytesOf>
class Bound {
 public:
  explicit Bound(const BytesOf& bytesOf) : bytesOf_(bytesOf) {}

  uint64_t Of(const CModuleInfo& module, uint64_t moduleBarBytes) const {
    const uint64_t name = bytesOf_(module.m_strName);
    // The module section, the variable list, the function list and every
    // function end in the module bar.
    uint64_t bytes =
        kFixedPerModule + 16 * name + 4 * bytesOf_(module.m_strAnchor) +
        4 * bytesOf_(module.m_strVarAnchor) +
        4 * bytesOf_(module.m_strFuncAnchor) + 4 * bytesOf_(module.m_strFile) +
        4 * bytesOf_(module.m_strVarFile) + 4 * bytesOf_(module.m_strFuncFile) +
        2 * bytesOf_(module.m_strTitle) + 2 * bytesOf_(module.m_strVarTitle) +
        2 * bytesOf_(module.m_strFuncTitle) +
        bytesOf_(module.m_strDescription) + bytesOf_(module.m_strVarText) +
        bytesOf_(module.m_strFuncText) + List(module.m_arrHIncludes) +
        List(module.m_arrCppIncludes) + Records(module.m_pVars, name, 0) +
        Functions(module, nullptr, module.m_pFuncs, name, moduleBarBytes) +
        3 * moduleBarBytes;
    // Each class is written as the first class of its name, and listed in
    // the module section.
    bytes += ClassesBytesAtMost(
        module,
        [&](const CClassInfo& cls) {
          return kFixedPerListEntry + bytesOf_(cls.m_strName) +
                 bytesOf_(cls.m_strBase);
        },
        [&](const CClassInfo& cls) {
          return Class(module, cls, moduleBarBytes);
        });
    return bytes;
  }

 private:
  uint64_t List(TextSpan texts) const {
    return ListBytesAtMost(texts, kFixedPerListEntry, bytesOf_);
  }

  uint64_t Descriptions(TextSpan items, const TextList& descs) const {
    return DescriptionsBytesAtMost(items, descs, kFixedPerListEntry, bytesOf_);
  }

  // A link to a block: its page file, its anchor and a label.
  uint64_t Link(const std::string& file, const std::string& anchor) const {
    return kFixedPerLink + bytesOf_(file) + bytesOf_(anchor);
  }

  // An entry of a list, its block (help objects and keywords with its
  // owner's name) and the bars after the block, `barBytes` in all.
  uint64_t Record(const CDeclInfo& record, uint64_t ownerName,
                  uint64_t barBytes) const {
    return kFixedPerRecord + barBytes + 6 * bytesOf_(record.m_strName) +
           4 * bytesOf_(record.m_strAnchor) + 2 * ownerName +
           bytesOf_(record.m_strShortDesc) + bytesOf_(record.m_strDescription) +
           List(record.m_arrParams) + List(record.m_arrReturns) +
           List(record.m_arrDecls) +
           Descriptions(record.m_arrParams, record.m_arrParamDescs) +
           Descriptions(record.m_arrReturns, record.m_arrReturnDescs);
  }

  uint64_t Records(const std::vector<CDeclInfo>& records, uint64_t ownerName,
                   uint64_t barBytes) const {
    return RecordsBytesAtMost(records, [&](const CDeclInfo& record) {
      return Record(record, ownerName, barBytes);
    });
  }

  // Functions (`owner` null) or methods, each also with its page's file
  // name and title, made in one reused buffer.
  uint64_t Functions(const CModuleInfo& module, const CClassInfo* owner,
                     const std::vector<CDeclInfo>& records, uint64_t ownerName,
                     uint64_t barBytes) const {
    return RecordsBytesAtMost(records, [&](const CDeclInfo& record) {
      pageName_.clear();
      AppendFunctionPageFile(module, owner, record, &pageName_);
      const uint64_t file = bytesOf_(pageName_);
      pageName_.clear();
      AppendFunctionPageTitle(owner, record, &pageName_);
      return Record(record, ownerName, barBytes) + 4 * file +
             2 * bytesOf_(pageName_);
    });
  }

  // The overview, the member list and the method list each end in both
  // bars, as every method block does.
  uint64_t Class(const CModuleInfo& module, const CClassInfo& cls,
                 uint64_t moduleBarBytes) const {
    const uint64_t name = bytesOf_(cls.m_strName);
    const uint64_t bars =
        moduleBarBytes + 128 + Link(cls.m_strFile, cls.m_strAnchor) +
        Link(cls.m_strVarFile, cls.m_strVarAnchor) +
        Link(cls.m_strFuncFile, cls.m_strFuncAnchor);
    return kFixedPerClass + 3 * bars + 16 * name +
           4 * bytesOf_(cls.m_strAnchor) + 4 * bytesOf_(cls.m_strVarAnchor) +
           4 * bytesOf_(cls.m_strFuncAnchor) + 4 * bytesOf_(cls.m_strFile) +
           4 * bytesOf_(cls.m_strVarFile) + 4 * bytesOf_(cls.m_strFuncFile) +
           2 * bytesOf_(cls.m_strTitle) + 2 * bytesOf_(cls.m_strVarTitle) +
           2 * bytesOf_(cls.m_strFuncTitle) + 2 * bytesOf_(cls.m_strBase) +
           bytesOf_(cls.m_strDescription) + bytesOf_(cls.m_strVarText) +
           bytesOf_(cls.m_strFuncText) + Records(cls.m_pVars, name, 0) +
           Functions(module, &cls, cls.m_pFuncs, name, bars);
  }

  const BytesOf& bytesOf_;
  mutable std::string pageName_;
};

template <typename BytesOf>
uint64_t BoundOf(const CModuleInfo& module, uint64_t moduleBarBytes,
                 const BytesOf& bytesOf) {
  return Bound<BytesOf>(bytesOf).Of(module, moduleBarBytes);
}

}  // namespace

uint64_t HtmlPageBytesAtMost(const CModuleInfo& module) {
  return BoundOf(module, HtmlNavBarBytes(module), WrittenBytesAtMost);
}

bool HtmlPageMayExceed(const CModuleInfo& module, uint64_t limit) {
  // First without looking at the texts' bytes, which settles all but the
  // largest pages.
  const auto most = [](std::string_view text) -> uint64_t {
    return kMostWrittenBytesPerByte * text.size();
  };
  const uint64_t barBytes = HtmlNavBarBytes(module);
  return BoundOf(module, barBytes, most) > limit &&
         BoundOf(module, barBytes, WrittenBytesAtMost) > limit;
}
