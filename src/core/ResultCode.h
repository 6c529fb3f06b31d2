#pragma once
#include <cstdint>

namespace tavrin {

// Routines report failure by returning a code, never by throwing.
// 0 is success, negative values mean "interrupted / nothing done" (not an
// error), positive values are errors whose message is string 400 + code.
using ResultCode = int16_t;

namespace code {
inline constexpr ResultCode kOk = 0;
inline constexpr ResultCode kInterrupted = -1;      // key Q / S, or no pivot
inline constexpr ResultCode kCannotUnderstand = 1;  // also: quotient estimate failure
inline constexpr ResultCode kCouldNotFind = 2;      // also: empty integer text
inline constexpr ResultCode kLowMemory = 3;
inline constexpr ResultCode kNoMoreRoom = 4;
inline constexpr ResultCode kInconsistentData = 6;
inline constexpr ResultCode kNothingToDo = 9;
inline constexpr ResultCode kNothingToShow = 10;
inline constexpr ResultCode kCannotOpenFile = 11;
inline constexpr ResultCode kCannotSaveFile = 12;
inline constexpr ResultCode kPositiveValue = 14;    // also: division by zero / singular
inline constexpr ResultCode kOutOfBounds = 17;
inline constexpr ResultCode kTooLarge = 20;
inline constexpr ResultCode kNeedAtLeastOne = 25;
inline constexpr ResultCode kCouldNotCalculate = 101;
inline constexpr ResultCode kNotAMatrix = 102;
inline constexpr ResultCode kIncompatible = 103;
inline constexpr ResultCode kNotAColumnVector = 105;
inline constexpr ResultCode kNoFeasibleVectors = 107;
inline constexpr ResultCode kMatrixNotFound = 108;
inline constexpr ResultCode kIntegerExpected = 109;
inline constexpr ResultCode kPythagoreanDataExpected = 110;
inline constexpr ResultCode kEditingInProgress = 111;
inline constexpr ResultCode kUnbounded = 112;       // a linear program's objective

// Aliases that read better at the call sites of the numeric engine.
inline constexpr ResultCode kDivisionByZero = 14;
inline constexpr ResultCode kSingular = 14;
inline constexpr ResultCode kGcdOfZeros = 6;
inline constexpr ResultCode kInconsistentSystem = 6;
inline constexpr ResultCode kEmptyText = 2;
inline constexpr ResultCode kQuotientEstimate = 1;
}  // namespace code

}  // namespace tavrin
