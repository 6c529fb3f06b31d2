#pragma once
#include <cstdint>

namespace tavrin {

// Routines report failure by returning a code, never by throwing.
// Ok is success; Stopped (the user pressed the stop key) and Finished (a
// step loop has nothing left to do) are outcomes, not errors; every other
// code is an error whose number is shown to the user and whose message is
// string 400 + number. Where one number carries several meanings each
// meaning has its own name with the same value, so call sites say what
// they mean while the user still sees the same number and text.
enum class [[nodiscard]] ResultCode : int16_t {
  Ok = 0,
  Stopped = -1,   // key Q / S: nothing (more) is done
  Finished = -2,  // a step loop has reached its end; never shown
  CannotUnderstand = 1,
  QuotientEstimate = 1,
  CouldNotFind = 2,
  EmptyText = 2,
  LowMemory = 3,
  NoMoreRoom = 4,
  InconsistentData = 6,
  GcdOfZeros = 6,
  InconsistentSystem = 6,
  NothingToDo = 9,
  NothingToShow = 10,
  CannotOpenFile = 11,
  CannotSaveFile = 12,
  PositiveValue = 14,
  DivisionByZero = 14,
  Singular = 14,
  OutOfBounds = 17,
  TooLarge = 20,
  CannotPrint = 22,
  NoPrinter = 23,
  NeedAtLeastOne = 25,
  NotPossible = 26,  // e.g. a fraction the denominator cannot hold
  CouldNotCalculate = 101,
  NotAMatrix = 102,
  Incompatible = 103,
  NotAColumnVector = 105,
  NoFeasibleVectors = 107,
  MatrixNotFound = 108,
  IntegerExpected = 109,
  PythagoreanDataExpected = 110,
  EditingInProgress = 111,
  Unbounded = 112,  // a linear program's objective
};

// The number the user sees ("error 14: ...") and the string table uses.
constexpr int CodeNumber(ResultCode c) { return static_cast<int>(c); }
constexpr bool IsOk(ResultCode c) { return c == ResultCode::Ok; }
constexpr bool IsError(ResultCode c) { return CodeNumber(c) > 0; }
constexpr bool IsStopped(ResultCode c) { return c == ResultCode::Stopped; }
// Not Ok: an error, a stop or the end of a loop.
constexpr bool NotOk(ResultCode c) { return c != ResultCode::Ok; }

}  // namespace tavrin
