#pragma once
#include <string>
#include <string_view>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

struct CommandLine;

// The matrix generators: each takes the texts exactly as its dialog holds
// them, validates, computes, stores the result with PutMatrix under the
// given letter (0: the workspace chooses) and writes the notebook
// description.
//
// Every operation returns 0 when the matrix was stored. A positive code is
// an error that has been reported once through the workspace's port
// (ShowCode) and nothing was stored. A negative code (the overwrite
// question declined) means nothing was done and nothing was reported.

// A dialog count: the leading decimal number of the text, else 0 (as atoi,
// but values beyond the 32-bit range saturate instead of overflowing).
int ReadCount(std::string_view text);
// A dialog real: the leading decimal number read with the decimal point
// whatever the locale, else 0.
long double ReadReal(std::string_view text);

enum class NewType : int {
  Zeros = 0,
  Random = 1,
  Diagonal = 2,
  ProbabilityRows = 3,
  ProbabilityColumns = 4,
};

// The low, high and diagonal-value texts the New dialog offers in a mode:
// "0.0", "1.0", "1.0" in real and complex mode, "1", "10", "1" in integer mode.
struct NewDialogTexts {
  const char* low;
  const char* high;
  const char* value;
};
NewDialogTexts NewDialogDefaults(Mode mode);

// New, in the workspace's current mode. Real/complex: low, high are reals
// and the diagonal value is a scalar expression; integer: low, high are
// counts and the value an integer text. Codes 3, 6, 17, 109 and the
// expression codes of the diagonal value.
ResultCode NewMatrix(Application& app, int letter, NewType type, const std::string& rowsText,
                     const std::string& colsText, const std::string& lowText,
                     const std::string& highText, const std::string& valueText);

// Copy column: column c of the source letter's matrix as a c-rows x 1
// matrix (integer mode keeps the source's denominator). Codes 10, 17,
// 108, 111.
ResultCode CopyColumn(Application& app, int sourceLetter, int letter, const std::string& columnText);

// A real 2x2 rotation by the angle in degrees. Code 111.
ResultCode Rotate2D(Application& app, int letter, const std::string& degreesText);

// A real 3x3 rotation (right-hand rule) about an axis, from the three
// component texts, or, when axisLetter is 1..26, from the first three
// entries of that letter's matrix. Codes 6, 14, 108, 111.
ResultCode Rotate3D(Application& app, int axisLetter, int letter, const std::string& xText,
                    const std::string& yText, const std::string& zText,
                    const std::string& degreesText);

// The exact integer rotation from a Pythagorean axis (a0, a1, a2) with
// a0²+a1²+a2² = d² and angle (p, q) with p²+q² = r²; denominator N·r.
// Axis and angle come from the texts, or from the first entries of the
// given letters' matrices (0: use the texts). Codes 6, 14, 108, 109, 110
// (not perfect squares), 111.
ResultCode PythagoreanRotation(Application& app, int axisLetter, int angleLetter, int letter,
                               const std::string& xText, const std::string& yText,
                               const std::string& zText, const std::string& pText,
                               const std::string& qText);

// I - n nᵀ/s (projection) or I - 2 n nᵀ/s (reflection) for the row or
// column vector n of the axis letter, s = Σ n_k², in the current mode
// (integer mode: numerators s·δij + f·ni·nj over the denominator s).
// Codes 6, 14, 108, 111.
ResultCode ReflectProject(Application& app, int axisLetter, int letter, bool projection);

// A random integer n x n matrix of determinant ±1 without zero entries,
// 2 <= n <= 20. Codes 3, 17.
ResultCode Unimodular(Application& app, const std::string& rowsText, int letter);

// Console: `new L TYPE ROWS COLS [LOW HIGH | VALUE]`, `copycol L SRC COL`,
// `rotate2d L DEG`, `rotate3d L X Y Z DEG | L @A DEG`, `pythrot L X Y Z P Q`
// (either group may be @A), `project L AXIS`, `reflect L AXIS`,
// `unimodular L N`.
ResultCode NewLine(Application& app, CommandLine& line);
ResultCode CopyColumnLine(Application& app, CommandLine& line);
ResultCode Rotate2DLine(Application& app, CommandLine& line);
ResultCode Rotate3DLine(Application& app, CommandLine& line);
ResultCode PythagoreanRotationLine(Application& app, CommandLine& line);
ResultCode ProjectLine(Application& app, CommandLine& line);
ResultCode ReflectLine(Application& app, CommandLine& line);
ResultCode UnimodularLine(Application& app, CommandLine& line);

}  // namespace tavrin
