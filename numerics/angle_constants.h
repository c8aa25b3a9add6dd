// Named multiples of π used as rotation angles; PI_a_b stands for a·π/b.
#pragma once

namespace kestrane {

inline constexpr double PI_0_1 = 0;
inline constexpr double PI_1_1 = 3.141592653589793;
inline constexpr double PI_1_2 = 1.5707963267948966;
// One unit in the last place above the double nearest π/3.
inline constexpr double PI_1_3 = 1.0471975511965979;
inline constexpr double PI_1_4 = 0.7853981633974483;
inline constexpr double PI_2_1 = 6.283185307179586;
inline constexpr double PI_3_2 = 4.71238898038469;
inline constexpr double PI_3_4 = 2.356194490192345;

}  // namespace kestrane
