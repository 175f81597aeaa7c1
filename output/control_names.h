#pragma once

// The names of the boxes of an operation window, as the core reads them and the
// windows, tests, fuzzer and benchmarks name them.
namespace zivek::control {

// The output box.
inline constexpr char Text1[] = "Text1";
// The parameter boxes on the drawing; which parameter each holds is the cycle's.
inline constexpr char Text2[] = "Text2";
inline constexpr char Text3[] = "Text3";
inline constexpr char Text4[] = "Text4";
inline constexpr char Text5[] = "Text5";
inline constexpr char Text6[] = "Text6";
// The boxes under the drawing, the same in every window: spindle direction, spindle
// speed, coolant.
inline constexpr char Text12[] = "Text12";
inline constexpr char Text13[] = "Text13";
inline constexpr char Text14[] = "Text14";

}  // namespace zivek::control
