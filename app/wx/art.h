// The pictures of the program: toolbar buttons of 16 by 15 pixels, made
// from the toolkit's stock art, and the program icon.
#ifndef VARNEL_APP_WX_ART_H_
#define VARNEL_APP_WX_ART_H_

#include <wx/artprov.h>
#include <wx/bitmap.h>
#include <wx/icon.h>

constexpr int kToolWidth = 16;
constexpr int kToolHeight = 15;

// A stock picture at toolbar size.
wxBitmap ToolBitmap(const wxArtID& id);
// A page with a letter on it, for the two output previews.
wxBitmap PreviewToolBitmap(char letter);

// The program's icon at `size` pixels square.
wxBitmap ProgramBitmap(int size);
wxIcon ProgramIcon();

#endif  // VARNEL_APP_WX_ART_H_
