// The program's string table: the texts of its message boxes by id.
#ifndef VARNEL_APP_STRINGS_H_
#define VARNEL_APP_STRINGS_H_

enum {
  IDS_NO_FILE_NAME = 17600,
  IDS_CANNOT_OPEN = 17601,
  IDS_CANNOT_READ = 17602,
  IDS_FILE_EMPTY = 17603,
  IDS_NO_DATA_TO_SAVE = 17604,
  IDS_CANNOT_SAVE = 17605,
  IDS_WRONG_XML = 17606,
};

// The text under `id`; an empty text for an id the table does not hold.
const char* LoadString(int id);

// Shown by Read XML File when the reader refuses a text without saying why
// (an empty file, or one that starts with an end tag).
extern const char kXmlWithoutElementMessage[];

// Shown instead of a preview of an HTML page too large to hold in memory
// (%d: its size in megabytes, at least).
extern const char kHtmlTooLargeMessage[];

// After Read XML File, when descriptions of the file found no entry: %d
// their number, %s the side file they will be kept in.
extern const char kOrphansAfterReadMessage[];
// The same sentence's opening when the file's side file was read too (%s).
extern const char kSideFileReadMessage[];
// After Save XML File: where the descriptions the file does not carry
// went (%d, %s), or that the side file had no more to keep (%s).
extern const char kSideFileWrittenMessage[];
extern const char kSideFileRemovedMessage[];

// A file given to Read XML File without a dialog (%s) before any header
// is parsed: its descriptions would have nothing to go into.
extern const char kReadXmlNeedsParseMessage[];

// The list of View, Missing descriptions..., and its line when there is
// nothing to list.
extern const char kMissingDescriptionsTitle[];
extern const char kNothingMissingLine[];

// Save Help Book...: the dialog's title, and what the book came to (%s the
// folder, the book or project, and the compiler's words).
extern const char kSaveHelpBookTitle[];
extern const char kHelpBookCompiledMessage[];
extern const char kHelpBookProjectMessage[];

#endif  // VARNEL_APP_STRINGS_H_
