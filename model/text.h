// Byte-string helpers shared by the parser, the writers and the merge.
// Texts are ISO-8859-1 bytes; nothing here transcodes. Every operation is
// linear in the length of its input.
#ifndef VARNEL_MODEL_TEXT_H_
#define VARNEL_MODEL_TEXT_H_

#include <span>
#include <string>
#include <string_view>
#include <vector>

typedef std::vector<std::string> TextList;
// The texts of a TextList, or of any list that keeps them side by side.
typedef std::span<const std::string> TextSpan;

// Gives back the room of a list beyond its texts when more of it is unused
// than `toleratedSlack` entries and 64 more.
template <typename T>
void ReleaseUnusedRoom(std::vector<T>* list, size_t toleratedSlack) {
  if (list->capacity() - list->size() > toleratedSlack + 64)
    list->shrink_to_fit();
}

// The same for a list that was sized for far more than it keeps: for more
// than twice as many.
template <typename T>
void ReleaseUnusedRoom(std::vector<T>* list) {
  ReleaseUnusedRoom(list, list->size());
}

// Space, tab, line feed, vertical tab, form feed and carriage return.
// Inline: every line is trimmed at least once.
inline bool IsWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Position of the first occurrence of `what` at or after `from`, or -1.
int Find(std::string_view text, std::string_view what, int from = 0);
int Find(std::string_view text, char what, int from = 0);
// Position of the last occurrence of `c`, or -1.
int FindLast(std::string_view text, char c);
// Position of the first character that belongs to `set`, or -1.
int FindOneOf(std::string_view text, std::string_view set, int from = 0);

// Inline: the passes ask these of every line, several times over.
inline bool Contains(std::string_view text, std::string_view what) {
  return text.find(what) != std::string_view::npos;
}
inline bool Contains(std::string_view text, char c) {
  return text.find(c) != std::string_view::npos;
}
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         text.compare(0, prefix.size(), prefix) == 0;
}
inline bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// Replaces every non-overlapping occurrence of `from`, scanning left to right
// without re-scanning replaced text, and returns how many were replaced.
// An empty `to` deletes.
int ReplaceAll(std::string* text, std::string_view from, std::string_view to);
// Runs ReplaceAll again as long as the previous run replaced anything.
void ReplaceAllRepeat(std::string* text, std::string_view from,
                      std::string_view to);

// Left n, right n and middle parts. Counts below 1 give an empty text;
// positions past the end are clamped.
std::string Left(std::string_view text, int n);
std::string Right(std::string_view text, int n);
std::string Mid(std::string_view text, int first, int count);
std::string Mid(std::string_view text, int first);

// Removes leading and trailing white space (see IsWhite).
void Trim(std::string* text);
std::string Trimmed(std::string_view text);

// The lines each followed by a line feed, as one text: a list read back
// as a file reader or an HTML window sees it.
std::string JoinedWithLineFeeds(const TextList& lines);

// The file-name parts of a path; "/" and "\" both separate folders.
// Folder is everything up to the last separator (without it); stem and
// extension split the file name at its last dot (the extension keeps it).
std::string PathFolder(std::string_view path);
std::string PathFileName(std::string_view path);
std::string PathStem(std::string_view path);
std::string PathExtension(std::string_view path);

#endif  // VARNEL_MODEL_TEXT_H_
