#pragma once
// What the harnesses share: a few small matrices to compute with, and a
// user who presses Q five times a second, so that work that polls ends as
// the program lets a person end it; work that never polls still shows up
// as the fuzzer's time-out.
#include <chrono>
#include <thread>
#include <vector>

#include "core/Matrix.h"
#include "core/PollKey.h"

namespace tavrin::fuzz {

inline void StopLongWork() {
  static const bool started = [] {
    std::thread([] {
      for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        PostKey('Q');
      }
    }).detach();
    return true;
  }();
  (void)started;
}

// A: 2x2, B: 2x1, C: 3x3 singular, D: 1x1; the other letters are empty.
class Matrices {
 public:
  Matrices() {
    const std::vector<std::vector<int>> shapes[] = {{{1, 2}, {3, 4}}, {{5}, {-6}}, {{1, 2, 3}, {2, 4, 6}, {0, 1, 0}}, {{7}}};
    for (int k = 0; k < 4; ++k) {
      const auto& rows = shapes[k];
      const int r = static_cast<int>(rows.size()), c = static_cast<int>(rows[0].size());
      z_[k] = ComplexMatrix(r, c);
      q_[k] = IntegerMatrix(r, c);
      for (int i = 0; i < r; ++i)
        for (int j = 0; j < c; ++j) {
          z_[k].at(i, j) = tavrin::Complex(rows[i][j], k == 1 ? 1 : 0);
          q_[k].at(i, j) = BigInteger(static_cast<long>(rows[i][j]));
        }
    }
  }
  const ComplexMatrix* Complex(char letter) const { return letter >= 'A' && letter <= 'D' ? &z_[letter - 'A'] : nullptr; }
  const IntegerMatrix* Integer(char letter) const { return letter >= 'A' && letter <= 'D' ? &q_[letter - 'A'] : nullptr; }

 private:
  ComplexMatrix z_[4];
  IntegerMatrix q_[4];
};

}  // namespace tavrin::fuzz
