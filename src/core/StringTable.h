#pragma once
#include <string>

#include "core/ResultCode.h"

namespace tavrin {

// The program's numbered string table: messages, titles, labels, prompts.
// Returns an empty text for a number the table does not hold.
const char* String(int id);

// The message shown for an error code: string 400 + its number.
std::string CodeMessage(ResultCode code);

namespace str {
inline constexpr int kCareful = 2;
inline constexpr int kOverwrite = 13;
inline constexpr int kRealFilter = 32;
inline constexpr int kComplexFilter = 33;
inline constexpr int kIntegerFilter = 34;
inline constexpr int kHmm = 62;
inline constexpr int kTextWindowFontTitle = 63;
inline constexpr int kBackground = 104;
inline constexpr int kHighlightEntry = 106;
inline constexpr int kBorderFont = 107;
inline constexpr int kMatrixEntryFont = 108;
inline constexpr int kTextWindowFont = 109;
inline constexpr int kDeterminant = 201;
inline constexpr int kTrace = 202;
inline constexpr int kRank = 203;
inline constexpr int kSaveRequests = 204;
inline constexpr int kMaximize = 205;
inline constexpr int kMinimize = 206;
inline constexpr int kCharacteristicPolynomial = 209;
inline constexpr int kCoefficient = 210;
inline constexpr int kRoots = 211;
inline constexpr int kDegree = 212;
inline constexpr int kSaveChangesTo = 213;
inline constexpr int kLinearProgramData = 214;
inline constexpr int kZeros = 215;
inline constexpr int kRandom = 216;
inline constexpr int kDiagonal = 217;
inline constexpr int kProbabilityRows = 218;
inline constexpr int kProbabilityColumns = 219;
inline constexpr int kProjection = 220;
inline constexpr int kReflection = 221;
inline constexpr int kSolution = 222;
inline constexpr int kKernelBasis = 223;
inline constexpr int kColumn = 224;
inline constexpr int kRotation = 225;
inline constexpr int k2D = 226;
inline constexpr int kMultiplicity = 227;
inline constexpr int kEchelonForm = 228;
inline constexpr int kReal = 230;
inline constexpr int kComplex = 231;
inline constexpr int kInteger = 232;
inline constexpr int kRandomUnimodular = 233;
inline constexpr int k3D = 229;
inline constexpr int kOperations = 235;
inline constexpr int kCalculationsFor = 236;
inline constexpr int kFormula = 241;
inline constexpr int kPressQToQuit = 601;
inline constexpr int kBusy = 602;
inline constexpr int kPressSToStop = 603;
inline constexpr int kEscCancelsAutofeed = 611;
inline constexpr int kIconName = 999;
}  // namespace str

}  // namespace tavrin
