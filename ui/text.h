#pragma once
// Text put down and measured in the program's fonts. A drawing selects the font and sets the
// colour and background for its one call, then puts the DC's own back.
#include <windows.h>

#include <string>

// One line with its top-left corner at (x, y), on a transparent background (TextOutW).
void DrawTextLine(HDC dc, HFONT font, COLORREF color, int x, int y, const std::wstring& text);
// Text left and top aligned in the box with no prefix characters (DrawTextW with the format's
// flags added), on white when opaque.
void DrawTextBox(HDC dc, HFONT font, COLORREF color, bool opaque, const wchar_t* text, const RECT& box,
                 UINT format = DT_SINGLELINE);

// The width of one line of text and the font's line height: an empty text still has the height.
// Zero when the screen cannot measure.
SIZE TextLineSize(HFONT font, const std::wstring& text);
// The size DrawTextW gives the text with these format flags; zero for an empty text.
SIZE TextBoxSize(HFONT font, const std::wstring& text, UINT format);
