// Test support: checks that the links of a help book's pages, contents and
// index lead to pages of the book and to anchors inside them.
#ifndef VARNEL_HTML_HELP_BOOK_CHECK_H_
#define VARNEL_HTML_HELP_BOOK_CHECK_H_

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The pages of a book, by file name, each as its bytes.
typedef std::map<std::string, std::string> BookPages;

// The values of `attribute="..."` in `text`, entities decoded as a browser
// decodes them.
std::vector<std::string> AttributeValues(std::string_view text,
                                         std::string_view attribute);

// The anchors a page defines: its id attributes.
std::set<std::string> AnchorsOf(std::string_view page);

// What is wrong with each of `targets` ("file" or "file#anchor"): a file
// that is not a page of `pages`, or an anchor the page does not define.
// `extraFiles` may be named too (the stylesheet).
std::vector<std::string> BrokenTargets(const std::vector<std::string>& targets,
                                       const BookPages& pages,
                                       const std::set<std::string>& extraFiles);

// BrokenTargets over every href of every page.
std::vector<std::string> BrokenLinks(const BookPages& pages,
                                     const std::set<std::string>& extraFiles);

// The Local values of a contents or index file.
std::vector<std::string> SitemapTargets(std::string_view sitemap);

#endif  // VARNEL_HTML_HELP_BOOK_CHECK_H_
