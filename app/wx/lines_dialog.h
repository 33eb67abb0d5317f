// A modal window with lines of text to read and copy, and a Close button.
#ifndef VARNEL_APP_WX_LINES_DIALOG_H_
#define VARNEL_APP_WX_LINES_DIALOG_H_

#include <string>
#include <vector>

class wxWindow;

void ShowLinesDialog(wxWindow* parent, const std::string& title,
                     const std::vector<std::string>& lines);

#endif  // VARNEL_APP_WX_LINES_DIALOG_H_
