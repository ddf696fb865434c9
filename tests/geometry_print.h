#pragma once
// Points ("x,y") and rectangles ("left,top-right,bottom") as a failing check prints them
// (googletest finds PrintTo beside the type).
#include <ostream>

#include "base/geometry.h"

inline void PrintTo(const Point& p, std::ostream* os) { *os << p.x << ',' << p.y; }
inline void PrintTo(const Rect& r, std::ostream* os) { *os << r.left << ',' << r.top << '-' << r.right << ',' << r.bottom; }
