#include "html/output_limit.h"

#include <cstdio>

#include "html/html_writer.h"

const uint64_t kDefaultMaxOutputBytes = uint64_t(2) << 30;

bool ParseByteSize(const std::string& text, uint64_t* bytes) {
  if (text.empty())
    return false;
  uint64_t value = 0;
  size_t i = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value > (UINT64_MAX - 9) / 10)
      return false;
    value = value * 10 + static_cast<uint64_t>(text[i] - '0');
  }
  if (i == 0)
    return false;
  int shift = 0;
  if (i + 1 == text.size()) {
    switch (text[i]) {
      case 'K': case 'k': shift = 10; break;
      case 'M': case 'm': shift = 20; break;
      case 'G': case 'g': shift = 30; break;
      case 'T': case 't': shift = 40; break;
      default: return false;
    }
  } else if (i != text.size()) {
    return false;
  }
  if (value == 0 || value > (UINT64_MAX >> shift))
    return false;
  *bytes = value << shift;
  return true;
}

std::string FormatBytes(uint64_t bytes) {
  const char* units[] = {"kB", "MB", "GB", "TB"};
  if (bytes < 1000)
    return std::to_string(bytes) + " bytes";
  double value = static_cast<double>(bytes) / 1000;
  int unit = 0;
  for (; value >= 1000 && unit < 3; ++unit)
    value /= 1000;
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", value, units[unit]);
  return text;
}

std::string HtmlTooLargeReason(const CModuleInfo& module, uint64_t limit,
                               const std::string& allowHow) {
  const uint64_t bars = EstimateHtmlPageBytes(module);
  if (bars > limit)
    return "The HTML page would be at least " + FormatBytes(bars) + ": " +
           std::to_string(module.m_nClasses) +
           " classes, and each block repeats the links to all of them. " +
           allowHow + " document fewer classes.";
  // The bars are only part of the page: one that may be over the limit
  // all the same is counted.
  if (!HtmlPageMayExceed(module, limit))
    return std::string();
  const uint64_t bytes = CountedBytes([&](const ByteSink& sink) {
    return WriteNamedHtmlPageBytes(module, sink);
  });
  if (bytes <= limit)
    return std::string();
  return "The HTML page would be " + FormatBytes(bytes) + ". " + allowHow +
         " document less of the header.";
}
