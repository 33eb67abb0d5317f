#include "html/help_book_check.h"

#include "html/html_escape.h"

std::vector<std::string> AttributeValues(std::string_view text,
                                         std::string_view attribute) {
  std::vector<std::string> values;
  const std::string open = std::string(attribute) + "=\"";
  for (size_t pos = text.find(open); pos != std::string_view::npos;
       pos = text.find(open, pos)) {
    pos += open.size();
    size_t end = text.find('"', pos);
    if (end == std::string_view::npos)
      break;
    values.push_back(HtmlUnescaped(text.substr(pos, end - pos)));
    pos = end;
  }
  return values;
}

std::set<std::string> AnchorsOf(std::string_view page) {
  std::vector<std::string> ids = AttributeValues(page, "<a id");
  return std::set<std::string>(ids.begin(), ids.end());
}

std::vector<std::string> BrokenTargets(const std::vector<std::string>& targets,
                                       const BookPages& pages,
                                       const std::set<std::string>& extraFiles) {
  std::map<std::string, std::set<std::string>> anchors;
  std::vector<std::string> broken;
  for (const std::string& target : targets) {
    size_t hash = target.find('#');
    std::string file = target.substr(0, hash);
    if (extraFiles.count(file) && hash == std::string::npos)
      continue;
    auto page = pages.find(file);
    if (page == pages.end()) {
      broken.push_back(target + ": no such page");
      continue;
    }
    if (hash == std::string::npos)
      continue;
    auto [it, added] = anchors.try_emplace(file);
    if (added)
      it->second = AnchorsOf(page->second);
    if (!it->second.count(target.substr(hash + 1)))
      broken.push_back(target + ": no such anchor in the page");
  }
  return broken;
}

std::vector<std::string> BrokenLinks(const BookPages& pages,
                                     const std::set<std::string>& extraFiles) {
  std::vector<std::string> broken;
  for (const auto& [file, text] : pages)
    for (const std::string& problem :
         BrokenTargets(AttributeValues(text, "href"), pages, extraFiles))
      broken.push_back(file + ": " + problem);
  return broken;
}

std::vector<std::string> SitemapTargets(std::string_view sitemap) {
  std::vector<std::string> targets;
  const std::string_view open = "<param name=\"Local\" value=\"";
  for (size_t pos = sitemap.find(open); pos != std::string_view::npos;
       pos = sitemap.find(open, pos)) {
    pos += open.size();
    size_t end = sitemap.find('"', pos);
    targets.push_back(HtmlUnescaped(sitemap.substr(pos, end - pos)));
  }
  return targets;
}
