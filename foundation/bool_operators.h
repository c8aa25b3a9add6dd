// Compound "and" and "or" on flags. The right-hand side is an ordinary argument: it is always evaluated,
// whatever the flag holds.
#pragma once

namespace kestrane {

inline void andAssign(bool& lhs, bool rhs) { lhs = lhs && rhs; }

inline void orAssign(bool& lhs, bool rhs) { lhs = lhs || rhs; }

}  // namespace kestrane
