#include "app/strings.h"

const char* LoadString(int id) {
  switch (id) {
    case IDS_NO_FILE_NAME:
      return "Cannot read a file, that has no name.";
    case IDS_CANNOT_OPEN:
      return "Unable to open the required file.";
    case IDS_CANNOT_READ:
      return "Unable to read the required file.";
    case IDS_FILE_EMPTY:
      return "The file was empty.";
    case IDS_NO_DATA_TO_SAVE:
      return "There are no datas to save!";
    case IDS_CANNOT_SAVE:
      return "The file cannot be opened.\nThe datas cannot be saved.";
    case IDS_WRONG_XML:
      return "The XML file is not of the correct document type or is not "
             "for this module.";
    default:
      return "";
  }
}

const char kXmlWithoutElementMessage[] =
    "The XML file is empty or holds no element.";

const char kHtmlTooLargeMessage[] =
    "The HTML page would take at least %d MB: every block of it repeats the "
    "navigation bar with all classes.\nIt is too large to show; save it "
    "with Save As HTML File instead.";

const char kOrphansAfterReadMessage[] =
    "Descriptions of this file that have no entry in the header: %d.\n"
    "They will be kept in %s, beside the XML file, when you save it with "
    "Save XML File.";

const char kSideFileReadMessage[] =
    "The descriptions of %s, which was kept beside this file, were read "
    "too.";

const char kSideFileWrittenMessage[] =
    "Descriptions that the XML file does not carry: %d.\nThey are kept in "
    "%s.";

const char kSideFileRemovedMessage[] =
    "Every description of %s found its entry; the file was removed.";

const char kReadXmlNeedsParseMessage[] =
    "%s was not read.\nOpen a header file first: the descriptions of an "
    "XML file are merged into the header parsed last.";

const char kMissingDescriptionsTitle[] = "Missing descriptions";

const char kNothingMissingLine[] =
    "Every description is written, and none lost its entry.";

const char kSaveHelpBookTitle[] = "Save Help Book";

const char kHelpBookCompiledMessage[] =
    "The help book is saved: %s\nHelp, Open Help Book shows it.";

const char kHelpBookProjectMessage[] =
    "The help project is saved: %s\n";
