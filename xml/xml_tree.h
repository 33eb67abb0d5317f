// A small XML reader: a flat table of elements over the loaded text and a
// cursor to walk it.
#ifndef VARNEL_XML_XML_TREE_H_
#define VARNEL_XML_XML_TREE_H_

#include <map>
#include <string>
#include <vector>

// One element: offsets into the loaded text and links to its relatives.
struct XmlNode {
  int nTagStart = 0;
  int nTagEnd = 0;
  int nCloseStart = 0;
  int nCloseEnd = 0;
  int iParent = 0;
  int iFirstChild = 0;
  int iNextSibling = 0;
};

// Scanning state over the text.
struct XmlToken {
  int nFirst = 0;
  int nLast = 0;
  int nNext = 0;
  bool bQuoted = false;
};

class CXmlTree {
 public:
  CXmlTree();

  // Parses `text`; false with GetError() set when it is not well-formed
  // (GetError() may keep an older message when the failure has none).
  bool Load(const std::string& text);
  std::string GetError() const;

  void ResetPosition();
  bool FindNext(const std::string& name = std::string());
  bool FindChild(const std::string& name = std::string());
  bool Enter();
  bool Leave();
  bool SavePosition(const std::string& name);
  bool RestorePosition(const std::string& name);

  std::string GetText() const;
  std::string GetChildText() const;
  std::string GetAttribute(const std::string& name) const;
  std::string GetSource() const;

  // Implementation below is private to xml_tree.cpp.
 private:
  // (filled in by the implementation)
};

#endif  // VARNEL_XML_XML_TREE_H_
