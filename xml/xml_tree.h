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
  // The same, taking over the text instead of copying it.
  bool Load(std::string&& text);
  std::string GetError() const;
  // Where the last failed load stopped: 1-based line and byte column of
  // the tag the message is about (the start tag of the element it names),
  // or of the end of the text. Both 0 when the failure has no message.
  int GetErrorLine() const { return m_nErrorLine; }
  int GetErrorColumn() const { return m_nErrorColumn; }

  void ResetPosition();
  bool FindNext(const std::string& name = std::string());
  bool FindChild(const std::string& name = std::string());
  bool Enter();
  bool Leave();
  bool SavePosition(const std::string& name);
  bool RestorePosition(const std::string& name);

  // The whole cursor, for looking ahead and coming back exactly, without
  // a named entry per look.
  struct Cursor {
    int iParent = 0;
    int iCurrent = 0;
    int iChild = 0;
    bool bOnElement = false;
  };
  Cursor GetCursor() const {
    return Cursor{m_iParent, m_iCurrent, m_iChild, m_bOnElement};
  }
  void SetCursor(const Cursor& cursor) {
    m_iParent = cursor.iParent;
    m_iCurrent = cursor.iCurrent;
    m_iChild = cursor.iChild;
    m_bOnElement = cursor.bOnElement;
  }

  std::string GetText() const;
  std::string GetChildText() const;
  std::string GetAttribute(const std::string& name) const;
  std::string GetSource() const;
  // The markup between the current element's start tag and its end tag,
  // exactly as in the text; empty for an empty-element tag or when there
  // is no current element.
  std::string GetInnerSource() const;

  // Implementation below is private to xml_tree.cpp.
 private:
  struct Position {
    int iParent = 0;
    int iCurrent = 0;
    int iChild = 0;
  };

  int TakeNode();
  bool ReadToken(XmlToken* token) const;
  int NextQuote(char quote, int from) const;
  void IndexQuotes() const;
  bool NameMatches(const XmlToken& token, const std::string& name) const;
  XmlToken NameToken(int iNode) const;
  std::string NameOf(int iNode) const;
  int FirstMatch(int iNode, const std::string& name) const;
  int ParseElement(int iParent, int nDepth);
  bool ReadEndTag(int iNode);
  int Fail(const char* message, int iNode, const std::string& name,
           int nOffset);
  bool SkipNode(int nStart, int* nNext) const;
  std::string DecodeText(int nFirst, int nLast) const;
  std::string TextOf(int iNode) const;
  bool FindAttribute(int iNode, const std::string& name, XmlToken* value) const;

  std::string m_strText;
  std::string m_strLastError;
  int m_nErrorLine = 0;
  int m_nErrorColumn = 0;
  std::vector<XmlNode> m_arrNodes;
  int m_iNextFree = 1;
  int m_iParent = 0;
  int m_iCurrent = 0;
  int m_iChild = 0;
  bool m_bOnElement = false;
  std::map<std::string, Position> m_mapPositions;
  // Offsets of every double and single quote, so that a quoted token whose
  // closing quote lies far away is found without rescanning the text.
  // Made the first time such a token is met.
  mutable std::vector<int> m_arrDoubleQuotes;
  mutable std::vector<int> m_arrSingleQuotes;
  mutable bool m_bQuotesIndexed = false;
};

#endif  // VARNEL_XML_XML_TREE_H_
