// What the bounds of the page's and the XML file's sizes share: both walk
// the model the way their writers do.
#ifndef VARNEL_HTML_OUTPUT_BOUND_PARTS_H_
#define VARNEL_HTML_OUTPUT_BOUND_PARTS_H_

#include <cstdint>
#include <vector>

#include "model/module_info.h"
#include "model/text.h"

// `fixedPerEntry` for each text of the list and the most each text takes
// once written (`bytesOf`).
template <typename BytesOf>
uint64_t ListBytesAtMost(TextSpan texts, uint64_t fixedPerEntry,
                         const BytesOf& bytesOf) {
  uint64_t bytes = fixedPerEntry * texts.size();
  for (const std::string& text : texts)
    bytes += bytesOf(text);
  return bytes;
}

// A description list as its writer writes it: an entry for each item it
// describes, whether or not the list holds a text for it.
template <typename BytesOf>
uint64_t DescriptionsBytesAtMost(TextSpan items, TextSpan descs,
                                 uint64_t fixedPerEntry,
                                 const BytesOf& bytesOf) {
  const size_t missing =
      items.size() > descs.size() ? items.size() - descs.size() : 0;
  return ListBytesAtMost(descs, fixedPerEntry, bytesOf) +
         fixedPerEntry * missing;
}

template <typename RecordBytes>
uint64_t RecordsBytesAtMost(const std::vector<CDeclInfo>& records,
                            const RecordBytes& recordBytes) {
  uint64_t bytes = 0;
  for (const CDeclInfo& record : records)
    bytes += recordBytes(record);
  return bytes;
}

// Each class the count says exists, listed (`listed`) and written as the
// first class of its name (`written`, asked once for each first class).
template <typename Listed, typename Written>
uint64_t ClassesBytesAtMost(const CModuleInfo& module, const Listed& listed,
                            const Written& written) {
  const std::vector<CClassInfo>& classes = module.m_pClasses;
  const std::vector<int> firsts = FirstClassIndexes(module);
  std::vector<uint64_t> firstBytes(firsts.size(), 0);
  uint64_t bytes = 0;
  for (size_t i = 0; i < firsts.size(); ++i) {
    bytes += listed(classes[i]);
    if (static_cast<size_t>(firsts[i]) == i)
      firstBytes[i] = written(classes[i]);
    bytes += firstBytes[firsts[i]];
  }
  return bytes;
}

#endif  // VARNEL_HTML_OUTPUT_BOUND_PARTS_H_
