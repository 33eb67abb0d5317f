#include "xml/xml_tree.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <string_view>

namespace {

// Deeper nesting than any real document has; it keeps the recursive
// element parser far away from the end of the stack.
const int kMaxDepth = 1024;

// Offsets are 32-bit; leave room for the arithmetic around the end.
const size_t kMaxTextSize = static_cast<size_t>(INT_MAX) - 16;

// How far a closing quote is looked for directly in the text.
const size_t kQuoteWindow = 512;

// The number of "<" not followed by "/": at least the number of elements.
size_t CountStartTags(const std::string& text) {
  size_t count = 0;
  const char* p = text.data();
  const char* end = p + text.size();
  while ((p = static_cast<const char*>(std::memchr(p, '<', end - p)))) {
    ++p;
    if (p == end || *p != '/')
      ++count;
  }
  return count;
}

bool IsXmlWhite(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool IsDelimiter(char c) {
  switch (c) {
    case ' ':
    case '\t':
    case '\n':
    case '\r':
    case '<':
    case '>':
    case '=':
    case '\\':
    case '/':
    case '?':
    case '!':
      return true;
    default:
      return false;
  }
}

bool IsNameTerminator(char c) {
  return c == ' ' || c == '=' || c == '/' || c == '[';
}

// The value of `c` as a digit of `base` (10 or 16), or -1.
int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (base == 16) {
    if (c >= 'a' && c <= 'f')
      return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
      return c - 'A' + 10;
  }
  return -1;
}

struct NamedReference {
  const char* name;
  int length;
  char value;
};

const NamedReference kNamedReferences[] = {
    {"lt;", 3, '<'},    {"amp;", 4, '&'},  {"gt;", 3, '>'},
    {"apos;", 5, '\''}, {"quot;", 5, '"'},
};

}  // namespace

CXmlTree::CXmlTree() { Load(std::string()); }

bool CXmlTree::Load(const std::string& text) {
  return Load(std::string(text));
}

bool CXmlTree::Load(std::string&& text) {
  ResetPosition();
  m_iNextFree = 1;
  m_nErrorLine = m_nErrorColumn = 0;
  m_mapPositions.clear();
  std::vector<int>().swap(m_arrDoubleQuotes);
  std::vector<int>().swap(m_arrSingleQuotes);
  m_bQuotesIndexed = false;
  if (text.size() > kMaxTextSize) {
    m_strText.clear();
    std::vector<XmlNode>(8).swap(m_arrNodes);
    return false;
  }
  m_strText = std::move(text);
  // A fresh table, so that a large earlier document does not keep its
  // memory after a small one is loaded. Every element starts at a "<" that
  // no "/" follows, so the table never has to grow; the room reserved for
  // other such "<" (comments, a failed parse) is never touched, so the
  // system does not have to provide it.
  std::vector<XmlNode>().swap(m_arrNodes);
  m_arrNodes.reserve(CountStartTags(m_strText) + 2);
  m_arrNodes.resize(1);
  if (m_strText.empty())
    return false;
  int top = ParseElement(0, 1);
  m_arrNodes[0] = XmlNode();
  ResetPosition();
  if (top > 0) {
    m_arrNodes[0].iFirstChild = top;
    return true;
  }
  m_iNextFree = 1;
  return false;
}

std::string CXmlTree::GetError() const { return m_strLastError; }

int CXmlTree::TakeNode() {
  if (m_iNextFree >= static_cast<int>(m_arrNodes.size()))
    m_arrNodes.resize(m_iNextFree + 1);
  return m_iNextFree++;
}

bool CXmlTree::ReadToken(XmlToken* token) const {
  const int length = static_cast<int>(m_strText.size());
  int pos = std::min(std::max(token->nNext, 0), length);
  token->bQuoted = false;
  while (pos < length && IsXmlWhite(m_strText[pos]))
    ++pos;
  if (pos >= length) {
    token->nFirst = token->nLast = token->nNext = length;
    return false;
  }
  char c = m_strText[pos];
  if (c == '"' || c == '\'') {
    token->bQuoted = true;
    token->nFirst = pos + 1;
    int close = NextQuote(c, pos + 1);
    if (close < 0) {
      token->nLast = length - 1;
      token->nNext = length;
    } else {
      token->nLast = close - 1;
      token->nNext = close + 1;
    }
    return true;
  }
  token->nFirst = pos;
  int end = pos + 1;
  if (!IsDelimiter(c)) {
    while (end < length && !IsDelimiter(m_strText[end]))
      ++end;
  }
  token->nLast = end - 1;
  token->nNext = end;
  return true;
}

int CXmlTree::NextQuote(char quote, int from) const {
  // Attribute values are short: look near first, and only for a quote
  // far away (an unclosed one, say) in the table of all quotes, so that
  // no stretch of text is scanned twice.
  const size_t length = m_strText.size();
  const size_t start = std::min(static_cast<size_t>(std::max(from, 0)), length);
  const size_t window = std::min(kQuoteWindow, length - start);
  const void* near = std::memchr(m_strText.data() + start, quote, window);
  if (near)
    return static_cast<int>(static_cast<const char*>(near) - m_strText.data());
  if (start + window == length)
    return -1;
  IndexQuotes();
  const std::vector<int>& offsets =
      quote == '"' ? m_arrDoubleQuotes : m_arrSingleQuotes;
  auto it = std::lower_bound(offsets.begin(), offsets.end(), from);
  return it == offsets.end() ? -1 : *it;
}

void CXmlTree::IndexQuotes() const {
  if (m_bQuotesIndexed)
    return;
  m_bQuotesIndexed = true;
  for (int i = 0; i < static_cast<int>(m_strText.size()); ++i) {
    if (m_strText[i] == '"')
      m_arrDoubleQuotes.push_back(i);
    else if (m_strText[i] == '\'')
      m_arrSingleQuotes.push_back(i);
  }
}

bool CXmlTree::NameMatches(const XmlToken& token,
                           const std::string& name) const {
  const int n = token.nLast - token.nFirst + 1;
  if (n <= 0 || static_cast<int>(name.size()) < n)
    return false;
  if (m_strText.compare(token.nFirst, n, name, 0, n) != 0)
    return false;
  return static_cast<int>(name.size()) == n || IsNameTerminator(name[n]);
}

XmlToken CXmlTree::NameToken(int iNode) const {
  XmlToken token;
  token.nNext = m_arrNodes[iNode].nTagStart + 1;
  ReadToken(&token);
  return token;
}

std::string CXmlTree::NameOf(int iNode) const {
  XmlToken token = NameToken(iNode);
  if (token.nLast < token.nFirst)
    return std::string();
  return m_strText.substr(token.nFirst, token.nLast - token.nFirst + 1);
}

int CXmlTree::FirstMatch(int iNode, const std::string& name) const {
  for (; iNode != 0; iNode = m_arrNodes[iNode].iNextSibling) {
    if (name.empty() || NameMatches(NameToken(iNode), name))
      return iNode;
  }
  return 0;
}

int CXmlTree::Fail(const char* message, int iNode, const std::string& name,
                   int nOffset) {
  std::string text = message;
  size_t pos = text.find("%s");
  if (pos != std::string::npos)
    text.replace(pos, 2, name);
  m_strLastError = text;
  // A file of thousands of lines needs a place to look; counting once,
  // on failure, costs nothing on the way there.
  const size_t end = std::min(static_cast<size_t>(std::max(nOffset, 0)),
                              m_strText.size());
  const size_t lineStart =
      end == 0 ? 0 : m_strText.rfind('\n', end - 1) + 1;  // npos + 1 is 0
  m_nErrorLine = 1 + static_cast<int>(std::count(
                         m_strText.begin(), m_strText.begin() + end, '\n'));
  m_nErrorColumn = static_cast<int>(end - lineStart) + 1;
  m_iNextFree = iNode;
  return -1;
}

int CXmlTree::ParseElement(int iParent, int nDepth) {
  const int iNode = TakeNode();
  m_arrNodes[iNode] = XmlNode();
  m_arrNodes[iNode].iParent = iParent;
  int search = m_arrNodes[iParent].nCloseStart;
  XmlToken token;
  for (;;) {
    int open = static_cast<int>(m_strText.find('<', search));
    if (open < 0)
      return Fail("Element tag not found", iNode, "",
                  static_cast<int>(m_strText.size()));
    m_arrNodes[iNode].nTagStart = open;
    m_arrNodes[iParent].nCloseStart = open;
    token.nNext = open + 1;
    if (!ReadToken(&token))
      return Fail("Abrupt end within tag", iNode, "", open);
    if (token.bQuoted)
      return Fail("Tag starts with quote", iNode, "", open);
    char first = m_strText[token.nFirst];
    if (first == '?' || first == '!') {
      if (!SkipNode(open, &search))
        return Fail("Invalid node", iNode, "", open);
      continue;
    }
    if (first == '/') {
      --m_iNextFree;
      return 0;
    }
    break;
  }
  if (nDepth > kMaxDepth)
    return Fail("Elements nested too deeply", iNode, "",
                m_arrNodes[iNode].nTagStart);
  int close = static_cast<int>(m_strText.find('>', token.nNext));
  if (close < 0)
    return Fail("End of tag not found", iNode, "",
                m_arrNodes[iNode].nTagStart);
  m_arrNodes[iNode].nTagEnd = close;
  if (m_strText[close - 1] == '/') {
    m_arrNodes[iNode].nCloseStart = close - 1;
    m_arrNodes[iNode].nCloseEnd = close;
    return iNode;
  }
  m_arrNodes[iNode].nCloseStart = close + 1;
  int previous = 0;
  for (;;) {
    int child = ParseElement(iNode, nDepth + 1);
    if (child < 0)
      return -1;
    if (child == 0)
      break;
    if (previous == 0)
      m_arrNodes[iNode].iFirstChild = child;
    else
      m_arrNodes[previous].iNextSibling = child;
    previous = child;
    m_arrNodes[iNode].nCloseStart = m_arrNodes[child].nCloseEnd + 1;
  }
  return ReadEndTag(iNode) ? iNode : -1;
}

// The child loop left nCloseStart on the "<" of the end tag.
bool CXmlTree::ReadEndTag(int iNode) {
  const std::string name = NameOf(iNode);
  XmlToken token;
  token.nNext = m_arrNodes[iNode].nCloseStart + 1;
  int count = 0;
  while (ReadToken(&token)) {
    ++count;
    if (token.bQuoted)
      continue;
    if (count == 2 && !NameMatches(token, name)) {
      Fail("End tag does not correspond to %s", iNode, name,
           m_arrNodes[iNode].nTagStart);
      return false;
    }
    if (count >= 2 && m_strText[token.nFirst] == '>') {
      m_arrNodes[iNode].nCloseEnd = token.nFirst;
      return true;
    }
  }
  Fail("End tag not completed for element %s", iNode, name,
       m_arrNodes[iNode].nTagStart);
  return false;
}

bool CXmlTree::SkipNode(int nStart, int* nNext) const {
  const int length = static_cast<int>(m_strText.size());
  if (nStart + 2 >= length)
    return false;
  const char kind = m_strText[nStart + 1];
  const char detail = m_strText[nStart + 2];
  const char* marker = nullptr;
  if (kind == '?')
    marker = "?>";
  else if (kind == '!' && detail == '[')
    marker = "]]>";
  else if (kind == '!' && detail == '-')
    marker = "-->";
  else if (kind != '!')
    return false;  // "<" followed by white space: not a node we know
  if (marker != nullptr) {
    size_t end = m_strText.find(marker, nStart);
    if (end == std::string::npos)
      return false;
    *nNext = static_cast<int>(end + std::char_traits<char>::length(marker));
    return true;
  }
  // A declaration ends at the first ">" outside quotes and brackets.
  XmlToken token;
  token.nNext = nStart;
  int brackets = 0;
  while (ReadToken(&token)) {
    if (token.bQuoted)
      continue;
    char c = m_strText[token.nFirst];
    if (c == '[') {
      ++brackets;
    } else if (c == ']') {
      if (brackets > 0)
        --brackets;
    } else if (c == '>' && brackets == 0) {
      *nNext = token.nFirst + 1;
      return true;
    }
  }
  return false;
}

std::string CXmlTree::DecodeText(int nFirst, int nLast) const {
  std::string out;
  if (nLast < nFirst)
    return out;
  out.reserve(nLast - nFirst + 1);
  // Search only the range: the next "&" of the whole text may lie far
  // beyond it.
  const std::string_view range(m_strText.data() + nFirst, nLast - nFirst + 1);
  int pos = nFirst;
  while (pos <= nLast) {
    size_t amp = range.find('&', pos - nFirst);
    int stop = amp == std::string_view::npos ? nLast + 1
                                             : nFirst + static_cast<int>(amp);
    out.append(m_strText, pos, stop - pos);
    pos = stop;
    if (pos > nLast)
      break;
    // pos is on an "&".
    if (pos + 1 <= nLast && m_strText[pos + 1] == '#') {
      const int base = pos + 2 <= nLast && m_strText[pos + 2] == 'x' ? 16 : 10;
      int digit = pos + (base == 16 ? 3 : 2);
      int value = 0;
      int digits = 0;
      while (digit <= nLast && digits <= 6) {
        int d = DigitValue(m_strText[digit], base);
        if (d < 0)
          break;
        value = value * base + d;
        ++digits;
        ++digit;
      }
      if (digits >= 1 && digits <= 6 && digit <= nLast &&
          m_strText[digit] == ';' && value >= 1 && value <= 255) {
        out += static_cast<char>(value);
        pos = digit + 1;
      } else {
        out += '&';
        ++pos;
      }
      continue;
    }
    bool decoded = false;
    for (const NamedReference& ref : kNamedReferences) {
      if (pos + ref.length <= nLast &&
          m_strText.compare(pos + 1, ref.length, ref.name) == 0) {
        out += ref.value;
        pos += 1 + ref.length;
        decoded = true;
        break;
      }
    }
    if (!decoded) {
      out += '&';
      ++pos;
    }
  }
  return out;
}

std::string CXmlTree::TextOf(int iNode) const {
  if (iNode <= 0)
    return std::string();
  const XmlNode& node = m_arrNodes[iNode];
  if (node.iFirstChild != 0 || node.nCloseEnd == node.nTagEnd)
    return std::string();
  const int end = node.nCloseStart;
  int pos = node.nTagEnd + 1;
  while (pos < end && IsXmlWhite(m_strText[pos]))
    ++pos;
  if (pos + 11 < end && m_strText.compare(pos, 9, "<![CDATA[") == 0) {
    std::string_view inner(m_strText.data() + pos + 9, end - (pos + 9));
    size_t close = inner.find("]]>");
    if (close != std::string_view::npos)
      return std::string(inner.substr(0, close));
  }
  return DecodeText(node.nTagEnd + 1, end - 1);
}

bool CXmlTree::FindAttribute(int iNode, const std::string& name,
                             XmlToken* value) const {
  XmlToken token;
  token.nNext = m_arrNodes[iNode].nTagStart + 1;
  if (!ReadToken(&token))  // the element name
    return false;
  auto endsTag = [this](const XmlToken& t) {
    if (t.bQuoted)
      return false;
    char c = m_strText[t.nFirst];
    return c == '>' || c == '/' || c == '?';
  };
  while (ReadToken(&token)) {
    if (token.bQuoted)
      continue;
    if (endsTag(token))
      return false;
    if (m_strText[token.nFirst] == '=' || !NameMatches(token, name))
      continue;
    // The value is the second token after the name, past the "=".
    if (!ReadToken(&token) || endsTag(token))
      return false;
    // A value whose closing quote is missing would run to the end of the
    // text; it is not a quoted value.
    if (!ReadToken(&token) || !token.bQuoted ||
        token.nNext - 1 < token.nFirst ||
        m_strText[token.nNext - 1] != m_strText[token.nFirst - 1])
      return false;
    *value = token;
    return true;
  }
  return false;
}

void CXmlTree::ResetPosition() {
  m_iParent = 0;
  m_iCurrent = 0;
  m_iChild = 0;
  m_bOnElement = false;
}

bool CXmlTree::FindNext(const std::string& name) {
  int start = m_iCurrent != 0 ? m_arrNodes[m_iCurrent].iNextSibling
                              : m_arrNodes[m_iParent].iFirstChild;
  int found = FirstMatch(start, name);
  if (found == 0)
    return false;
  m_iCurrent = found;
  m_iParent = m_arrNodes[found].iParent;
  m_iChild = 0;
  m_bOnElement = true;
  return true;
}

bool CXmlTree::FindChild(const std::string& name) {
  if (m_iCurrent == 0 && !FindNext())
    return false;
  int start = m_iChild != 0 ? m_arrNodes[m_iChild].iNextSibling
                            : m_arrNodes[m_iCurrent].iFirstChild;
  int found = FirstMatch(start, name);
  if (found == 0)
    return false;
  m_iChild = found;
  m_bOnElement = true;
  return true;
}

bool CXmlTree::Enter() {
  if (m_iCurrent == 0 || !m_bOnElement)
    return false;
  m_iParent = m_iCurrent;
  m_iCurrent = m_iChild;
  m_iChild = 0;
  m_bOnElement = m_iCurrent != 0;
  return true;
}

bool CXmlTree::Leave() {
  if (m_iParent == 0)
    return false;
  m_iChild = m_iCurrent;
  m_iCurrent = m_iParent;
  m_iParent = m_arrNodes[m_iCurrent].iParent;
  m_bOnElement = true;
  return true;
}

bool CXmlTree::SavePosition(const std::string& name) {
  m_mapPositions[name] = Position{m_iParent, m_iCurrent, m_iChild};
  return true;
}

bool CXmlTree::RestorePosition(const std::string& name) {
  auto it = m_mapPositions.find(name);
  if (it == m_mapPositions.end())
    return false;
  m_iParent = it->second.iParent;
  m_iCurrent = it->second.iCurrent;
  m_iChild = it->second.iChild;
  m_bOnElement = m_iCurrent != 0;
  return true;
}

std::string CXmlTree::GetText() const { return TextOf(m_iCurrent); }

std::string CXmlTree::GetChildText() const { return TextOf(m_iChild); }

std::string CXmlTree::GetAttribute(const std::string& name) const {
  XmlToken value;
  if (m_iCurrent == 0 || !m_bOnElement || name.empty() ||
      !FindAttribute(m_iCurrent, name, &value))
    return std::string();
  return DecodeText(value.nFirst, value.nLast);
}

std::string CXmlTree::GetSource() const {
  if (m_iCurrent == 0)
    return std::string();
  const XmlNode& node = m_arrNodes[m_iCurrent];
  const int length = static_cast<int>(m_strText.size());
  int end = node.nCloseEnd + 1;
  int after = end;
  while (after < length && IsXmlWhite(m_strText[after]))
    ++after;
  if (after == length || m_strText[after] == '<')
    end = after;
  return m_strText.substr(node.nTagStart, end - node.nTagStart);
}

std::string CXmlTree::GetInnerSource() const {
  if (m_iCurrent == 0)
    return std::string();
  const XmlNode& node = m_arrNodes[m_iCurrent];
  if (node.nCloseEnd == node.nTagEnd)
    return std::string();
  return m_strText.substr(node.nTagEnd + 1, node.nCloseStart - node.nTagEnd - 1);
}
