#include "app/wx/art.h"

#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/image.h>
#include <wx/pen.h>

#include <algorithm>

namespace {

wxBitmap Scaled(const wxBitmap& bitmap, int width, int height) {
  wxImage image = bitmap.ConvertToImage();
  image.Rescale(width, height, wxIMAGE_QUALITY_HIGH);
  return wxBitmap(image);
}

// A white page with a folded corner, drawn on an opaque background.
void DrawPage(wxDC& dc, int size) {
  int fold = size / 4;
  wxPoint outline[] = {{1, 0}, {size - 1 - fold, 0}, {size - 2, fold},
                       {size - 2, size - 1}, {1, size - 1}};
  dc.SetPen(wxPen(wxColour(64, 64, 64)));
  dc.SetBrush(*wxWHITE_BRUSH);
  dc.DrawPolygon(5, outline);
}

}  // namespace

wxBitmap ToolBitmap(const wxArtID& id) {
  wxBitmap stock = wxArtProvider::GetBitmap(id, wxART_TOOLBAR, wxSize(16, 16));
  return Scaled(stock, kToolWidth, kToolHeight);
}

wxBitmap PreviewToolBitmap(char letter) {
  const int size = 16;
  wxBitmap bitmap(size, size, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(192, 192, 192)));
    dc.Clear();
    DrawPage(dc, size);
    dc.SetFont(wxFont(wxFontInfo(8).Bold().Family(wxFONTFAMILY_SWISS)));
    dc.SetTextForeground(wxColour(0, 0, 160));
    wxString text(letter);
    wxSize extent = dc.GetTextExtent(text);
    dc.DrawText(text, (size - extent.x) / 2, (size - extent.y) / 2 + 1);
  }
  wxImage image = bitmap.ConvertToImage();
  image.SetMaskColour(192, 192, 192);
  image.Rescale(kToolWidth, kToolHeight, wxIMAGE_QUALITY_NEAREST);
  return wxBitmap(image);
}

wxBitmap ProgramBitmap(int size) {
  wxBitmap bitmap(size, size, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(192, 192, 192)));
    dc.Clear();
    DrawPage(dc, size);
    dc.SetPen(wxPen(wxColour(0, 0, 160), std::max(1, size / 12)));
    // Lines of text on the page, and a large V over them.
    for (int y = size / 3; y < size - 3; y += std::max(3, size / 8))
      dc.DrawLine(size / 6, y, size - size / 4, y);
    dc.SetFont(wxFont(wxFontInfo(wxSize(0, size * 2 / 3))
                          .Bold()
                          .Family(wxFONTFAMILY_SWISS)));
    dc.SetTextForeground(wxColour(160, 0, 0));
    wxSize extent = dc.GetTextExtent("V");
    dc.DrawText("V", (size - extent.x) / 2, (size - extent.y) / 2);
  }
  wxImage image = bitmap.ConvertToImage();
  image.SetMaskColour(192, 192, 192);
  return wxBitmap(image);
}

wxIcon ProgramIcon() {
  wxIcon icon;
  icon.CopyFromBitmap(ProgramBitmap(32));
  return icon;
}
