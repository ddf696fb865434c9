#pragma once
// For the tests only: what the program's owners hold now.

// GDI objects (fonts, bitmaps, brushes, pens, regions, memory DCs, pictures) owned now.
long LiveGdiObjects();

// Subclassing blocks alive, including released ones whose dispatch has not returned yet.
int LiveHookBlocks();
