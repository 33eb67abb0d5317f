#include <string_view>

#include "html/html_escape.h"
#include "html/output_bound_parts.h"
#include "html/output_limit.h"
#include "xml/xml_writer.h"

// The document is fixed markup and placeholder sentences around the
// model's texts. The fixed parts below are well above the longest the
// writer has for each piece, counts and line ends included; each text is
// counted as often as the writer writes it.
namespace {

const uint64_t kFixedPerModule = 4096;
const uint64_t kFixedPerClass = 2048;
const uint64_t kFixedPerRecord = 640;
const uint64_t kFixedPerListEntry = 192;

// The bound, with `bytesOf` the most bytes a text may take once written.
template <typename BytesOf>
class Bound {
 public:
  explicit Bound(const BytesOf& bytesOf) : bytesOf_(bytesOf) {}

  uint64_t Of(const CModuleInfo& module) const {
    uint64_t bytes = kFixedPerModule + 8 * bytesOf_(module.m_strName) +
                     bytesOf_(module.m_strDescription) +
                     2 * bytesOf_(module.m_strVarAnchor) +
                     2 * bytesOf_(module.m_strFuncAnchor) +
                     bytesOf_(module.m_strVarText) +
                     bytesOf_(module.m_strFuncText) +
                     List(module.m_arrHIncludes) +
                     List(module.m_arrCppIncludes) + Records(module.m_pVars) +
                     Records(module.m_pFuncs);
    // Each class is written as the first class of its name, and listed
    // with its base class in the module's list.
    bytes += ClassesBytesAtMost(
        module,
        [&](const CClassInfo& cls) {
          return kFixedPerListEntry + bytesOf_(cls.m_strName) +
                 bytesOf_(cls.m_strBase);
        },
        [&](const CClassInfo& cls) { return Class(cls); });
    return bytes;
  }

 private:
  uint64_t List(TextSpan texts) const {
    return ListBytesAtMost(texts, kFixedPerListEntry, bytesOf_);
  }

  uint64_t Descriptions(TextSpan items, const TextList& descs) const {
    return DescriptionsBytesAtMost(items, descs, kFixedPerListEntry, bytesOf_);
  }

  // A method's anchor is the target of its short entry and twice in its
  // own start tag.
  uint64_t Record(const CDeclInfo& record) const {
    return kFixedPerRecord + 2 * bytesOf_(record.m_strName) +
           3 * bytesOf_(record.m_strAnchor) + bytesOf_(record.m_strShortDesc) +
           bytesOf_(record.m_strDescription) + List(record.m_arrParams) +
           List(record.m_arrReturns) + List(record.m_arrDecls) +
           Descriptions(record.m_arrParams, record.m_arrParamDescs) +
           Descriptions(record.m_arrReturns, record.m_arrReturnDescs);
  }

  uint64_t Records(const std::vector<CDeclInfo>& records) const {
    return RecordsBytesAtMost(
        records, [&](const CDeclInfo& record) { return Record(record); });
  }

  // The name heads the class and its sections and is in its statistics.
  uint64_t Class(const CClassInfo& cls) const {
    return kFixedPerClass + 5 * bytesOf_(cls.m_strName) +
           2 * bytesOf_(cls.m_strAnchor) + bytesOf_(cls.m_strBase) +
           bytesOf_(cls.m_strDescription) + 2 * bytesOf_(cls.m_strVarAnchor) +
           2 * bytesOf_(cls.m_strFuncAnchor) + bytesOf_(cls.m_strVarText) +
           bytesOf_(cls.m_strFuncText) + Records(cls.m_pVars) +
           Records(cls.m_pFuncs);
  }

  const BytesOf& bytesOf_;
};

template <typename BytesOf>
uint64_t BoundOf(const CModuleInfo& module, const BytesOf& bytesOf) {
  return Bound<BytesOf>(bytesOf).Of(module);
}

}  // namespace

uint64_t XmlDocumentBytesAtMost(const CModuleInfo& module) {
  return BoundOf(module, WrittenBytesAtMost);
}

bool XmlDocumentMayExceed(const CModuleInfo& module, uint64_t limit) {
  // First without looking at the texts' bytes, which settles all but the
  // largest headers.
  const auto most = [](std::string_view text) -> uint64_t {
    return kMostWrittenBytesPerByte * text.size();
  };
  return BoundOf(module, most) > limit &&
         XmlDocumentBytesAtMost(module) > limit;
}

std::string XmlTooLargeReason(const CModuleInfo& module, uint64_t limit,
                              const std::string& allowHow) {
  if (!XmlDocumentMayExceed(module, limit))
    return std::string();
  const uint64_t bytes = CountedBytes([&](const ByteSink& sink) {
    return WriteNamedXmlDocumentBytes(module, sink);
  });
  if (bytes <= limit)
    return std::string();
  return "The XML file would be " + FormatBytes(bytes) + ". " + allowHow +
         " document less of the header.";
}
