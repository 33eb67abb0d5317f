#include "cli/check_json.h"

#include <cmath>
#include <cstdio>

namespace {

std::string Findings(const std::vector<CheckFinding>& findings) {
  std::string out = "[";
  for (size_t i = 0; i < findings.size(); ++i) {
    const CheckFinding& f = findings[i];
    out += i == 0 ? "\n    " : ",\n    ";
    out += "{\"kind\": " + JsonString(f.kind) + ", \"name\": " +
           JsonString(f.name) + ", \"description\": " + JsonString(f.what) +
           ", \"file\": " + JsonString(f.file) +
           ", \"line\": " + std::to_string(f.line) +
           ", \"message\": " + JsonString(f.text) + "}";
  }
  return out + (findings.empty() ? "]" : "\n  ]");
}

std::string Count(const CoverageCount& count) {
  return "{\"described\": " + std::to_string(count.described) +
         ", \"total\": " + std::to_string(count.total) + "}";
}

}  // namespace

std::string JsonString(const std::string& text) {
  std::string out = "\"";
  for (unsigned char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

namespace {

// "described", "total", "percent" and "kinds" of a coverage.
std::string CoverageFields(const Coverage& coverage) {
  char percent[32];
  std::snprintf(percent, sizeof percent, "%.1f",
                std::floor(coverage.Percent() * 10) / 10);
  std::string out = "  \"described\": " + std::to_string(coverage.Described()) +
                    ",\n  \"total\": " + std::to_string(coverage.Total()) +
                    ",\n  \"percent\": " + percent + ",\n  \"kinds\": {";
  for (int i = 0; i < kCoverageKinds; ++i) {
    out += i == 0 ? "\n    " : ",\n    ";
    out += JsonString(CoverageKindName(static_cast<CoverageKind>(i))) + ": " +
           Count(coverage.kinds[i]);
  }
  return out + "\n  }";
}

}  // namespace

std::string CheckJson(const std::string& header, const Coverage& coverage,
                      const std::vector<CheckFinding>& missing,
                      const std::vector<CheckFinding>& orphaned) {
  return "{\n  \"header\": " + JsonString(header) + ",\n" +
         CoverageFields(coverage) + ",\n  \"missing\": " + Findings(missing) +
         ",\n  \"orphaned\": " + Findings(orphaned) + "\n}\n";
}

std::string CheckTotalsJson(const Coverage& total,
                            const std::vector<std::string>& headers) {
  std::string out = "{\n" + CoverageFields(total) + ",\n  \"headers\": [";
  for (size_t i = 0; i < headers.size(); ++i) {
    std::string object = headers[i];
    while (!object.empty() && object.back() == '\n')
      object.pop_back();
    out += (i == 0 ? "\n" : ",\n") + object;
  }
  return out + (headers.empty() ? "]\n}\n" : "\n  ]\n}\n");
}
