// Readable geometry values in test failure messages.
#pragma once

#include <ostream>

#include "platform/gfx/affine_transform.h"

namespace gfx {

inline void PrintTo(const Point& p, std::ostream* os) { *os << describe(p); }
inline void PrintTo(const Size& s, std::ostream* os) { *os << "Size(" << s.width << ", " << s.height << ")"; }
inline void PrintTo(const Rect& r, std::ostream* os)
{
    *os << "Rect(" << r.origin.x << ", " << r.origin.y << ", " << r.size.width << ", " << r.size.height << ")";
}
inline void PrintTo(const AffineTransform& t, std::ostream* os)
{
    *os << "[" << t.a << " " << t.b << " " << t.c << " " << t.d << " " << t.tx << " " << t.ty << "]";
}

}  // namespace gfx
