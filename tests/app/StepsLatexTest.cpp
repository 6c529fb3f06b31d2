#include <gtest/gtest.h>

#include "AppFixture.h"
#include "app/commands/Commands.h"

namespace tavrin {
namespace {

using StepsLatex = AppTest;

// Lines joined with CR LF, as the TeX files are written.
std::string Lines(std::initializer_list<const char*> lines) {
  std::string out;
  for (const char* l : lines) out += std::string(l) + "\r\n";
  return out;
}

// [[2,1,-1],[3,2,1],[1,1,1]] reduced by hand: R1/2; R2 - 3R1; R3 - R1;
// 2R2; R1 - 1/2 R2; R3 - 1/2 R2; -R3; R1 + 3R3; R2 - 5R3. Normalising by 1
// and locating pivots change nothing and draw no arrow.
TEST_F(StepsLatex, HandWorkedThreeByThreeReduction) {
  ASSERT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  Put(Mode::Integer, 1, Int(3, 3, {2, 1, -1, 3, 2, 1, 1, 1, 1}));
  ASSERT_EQ(Echelon(app, 1, TaskButton::Find), ResultCode::Ok);
  std::string text;
  ASSERT_EQ(StepsLatexOf(app, ws.echelon(), text), ResultCode::Ok);
  const std::string expected = Lines({
      "\\documentclass{article}", "\\usepackage{amsmath}", "\\allowdisplaybreaks", "\\begin{document}",
      "% A --> echelon form", "\\begin{align*}",
      "&\\begin{pmatrix}", "2 & 1 & -1 \\\\", "3 & 2 & 1 \\\\", "1 & 1 & 1", "\\end{pmatrix}\\\\",
      "\\xrightarrow{\\frac{1}{2}R_1}\\quad&\\begin{pmatrix}",
      "\\boxed{1} & \\frac{1}{2} & -\\frac{1}{2} \\\\", "3 & 2 & 1 \\\\", "1 & 1 & 1", "\\end{pmatrix}\\\\",
      "\\xrightarrow{R_2 - 3R_1}\\quad&\\begin{pmatrix}",
      "\\boxed{1} & \\frac{1}{2} & -\\frac{1}{2} \\\\", "0 & \\frac{1}{2} & \\frac{5}{2} \\\\", "1 & 1 & 1",
      "\\end{pmatrix}\\\\",
      "\\xrightarrow{R_3 - R_1}\\quad&\\begin{pmatrix}",
      "\\boxed{1} & \\frac{1}{2} & -\\frac{1}{2} \\\\", "0 & \\frac{1}{2} & \\frac{5}{2} \\\\",
      "0 & \\frac{1}{2} & \\frac{3}{2}", "\\end{pmatrix}\\\\",
      "\\xrightarrow{2R_2}\\quad&\\begin{pmatrix}",
      "1 & \\frac{1}{2} & -\\frac{1}{2} \\\\", "0 & \\boxed{1} & 5 \\\\", "0 & \\frac{1}{2} & \\frac{3}{2}",
      "\\end{pmatrix}\\\\",
      "\\xrightarrow{R_1 - \\frac{1}{2}R_2}\\quad&\\begin{pmatrix}",
      "1 & 0 & -3 \\\\", "0 & \\boxed{1} & 5 \\\\", "0 & \\frac{1}{2} & \\frac{3}{2}", "\\end{pmatrix}\\\\",
      "\\xrightarrow{R_3 - \\frac{1}{2}R_2}\\quad&\\begin{pmatrix}",
      "1 & 0 & -3 \\\\", "0 & \\boxed{1} & 5 \\\\", "0 & 0 & -1", "\\end{pmatrix}\\\\",
      "\\xrightarrow{-R_3}\\quad&\\begin{pmatrix}",
      "1 & 0 & -3 \\\\", "0 & 1 & 5 \\\\", "0 & 0 & \\boxed{1}", "\\end{pmatrix}\\\\",
      "\\xrightarrow{R_1 + 3R_3}\\quad&\\begin{pmatrix}",
      "1 & 0 & 0 \\\\", "0 & 1 & 5 \\\\", "0 & 0 & \\boxed{1}", "\\end{pmatrix}\\\\",
      "\\xrightarrow{R_2 - 5R_3}\\quad&\\begin{pmatrix}",
      "1 & 0 & 0 \\\\", "0 & 1 & 0 \\\\", "0 & 0 & \\boxed{1}", "\\end{pmatrix}",
      "\\end{align*}", "\\end{document}"});
  EXPECT_EQ(text, expected);
}

// maximise x + y with x + 2y <= 4, 3x + y <= 6, by hand: x enters at row 2
// (ratio 2 < 4), then y at row 1 (6/5 < 6); optimum 14/5 at (8/5, 6/5).
TEST_F(StepsLatex, HandWorkedTwoVariableSimplex) {
  ASSERT_EQ(SwitchMode(app, Mode::Integer), ResultCode::Ok);
  Put(Mode::Integer, 6, Int(1, 2, {1, 1}));
  Put(Mode::Integer, 2, Int(2, 2, {1, 2, 3, 1}));
  Put(Mode::Integer, 3, Int(2, 1, {4, 6}));
  ASSERT_EQ(LinearProgram(app, true, 6, 2, 3, TaskButton::Find), ResultCode::Ok);
  EXPECT_EQ(ws.lp().title, "F*X = 14/5 [ maximize; B*X <= C ]");
  std::string text;
  ASSERT_EQ(StepsLatexOf(app, ws.lp(), text), ResultCode::Ok);
  const std::string expected = Lines({
      "\\documentclass{article}", "\\usepackage{amsmath}", "\\allowdisplaybreaks", "\\begin{document}",
      "% maximize F*X [ B*X <= C ]", "\\begin{align*}",
      "&\\begin{pmatrix}", "1 & 2 & 1 & 0 & 4 \\\\", "3 & 1 & 0 & 1 & 6 \\\\", "1 & 1 & 0 & 0 & 0",
      "\\end{pmatrix}\\\\",
      "\\xrightarrow{\\text{pivot }(2, 1):\\ x_1 \\text{ in}, s_2 \\text{ out}}\\quad&\\begin{pmatrix}",
      "0 & \\frac{5}{3} & 1 & -\\frac{1}{3} & 2 \\\\", "\\boxed{1} & \\frac{1}{3} & 0 & \\frac{1}{3} & 2 \\\\",
      "1 & 1 & 0 & 0 & 0", "\\end{pmatrix}\\\\",
      "\\xrightarrow{\\text{pivot }(1, 2):\\ x_2 \\text{ in}, s_1 \\text{ out}}\\quad&\\begin{pmatrix}",
      "0 & \\boxed{1} & \\frac{3}{5} & -\\frac{1}{5} & \\frac{6}{5} \\\\",
      "1 & 0 & -\\frac{1}{5} & \\frac{2}{5} & \\frac{8}{5} \\\\", "1 & 1 & 0 & 0 & 0", "\\end{pmatrix}\\\\",
      "\\xrightarrow{\\text{optimum}}\\quad&\\begin{pmatrix}", "\\frac{8}{5} \\\\", "\\frac{6}{5}",
      "\\end{pmatrix}", "\\end{align*}", "\\end{document}"});
  EXPECT_EQ(text, expected);
  // Steps as text: the status line's last operation, then nothing without a log.
  EXPECT_EQ(StepsOf(app, ws.lp())->steps()[1].text, "pivot (2, 1): x1 enters, s2 leaves; objective 2");
  EXPECT_EQ(StepsLatexOf(app, ws.operations(), text), ResultCode::NothingToShow);
}

}  // namespace
}  // namespace tavrin
