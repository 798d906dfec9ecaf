// The frame rate shown over the scene by the Linux programs (-fps), as the
// XScreenSaver hacks show theirs. GL only, with a font of its own, so that
// it needs no font from the platform.
#pragma once

// Draws `text` (digits, '.', ':', ' ' and the letters of "FPS") in white on
// a dark backdrop in the lower left corner of the client area, larger on
// larger screens, and leaves the scene's matrices and state as they were.
void DrawFrameRateText(const char* text);

// The size in pixels of one pixel of the text's font on a client area of
// that many rows: two up to 1079 rows, growing with the screen, six on a
// 4K screen.
inline int FrameRateTextCell(int clientHeight) { return clientHeight / 360 > 2 ? clientHeight / 360 : 2; }
