#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/Application.h"
#include "core/ResultCode.h"

namespace tavrin {

// One line of a script as a command's line handler sees it: its words, the
// text as typed, where its output goes and where its continuation lines
// (`enter`, `paste`) come from. The front end that reads the lines (the
// console) fills it in.
struct CommandLine {
  std::vector<std::string> words;  // words[0] is the command word
  std::string text;                // the whole line, as typed
  std::ostream& out;
  std::function<bool(std::string&)> nextLine;  // false at the end of the input
  std::function<void(Answer)> setAnswer;       // the answer to questions that follow
  bool quit = false;                           // set by `quit`

  size_t size() const { return words.size(); }
  const std::string& operator[](size_t i) const { return words[i]; }
  // Word i in lower case ("" beyond the last word).
  std::string Lower(size_t i) const;
  // The text after the first `skip` words, as typed.
  std::string Rest(int skip) const;
  // A letter word ("a".."z", either case) as 1..26.
  bool Letter(size_t i, int& letter) const;
  // The current mode's matrix named by word i: nullptr, after reporting
  // 108, when the letter holds none; nullptr silently when the word is
  // not a letter.
  MatrixDocument* Document(Application& app, size_t i) const;
  // What a line whose Document(i) was nullptr returns: 108 (reported) for
  // a letter, nothing done for any other word.
  ResultCode Missing(size_t i) const;
  // "error: wrong arguments for WORD"; the code that makes the line count
  // as failed.
  ResultCode Usage() const;
};

// Words of a line, split at blanks.
std::vector<std::string> SplitWords(const std::string& line);
// Text after the first `skip` blank-separated words of a line, as typed.
std::string RestOfLine(const std::string& line, int skip);
// LF line ends for the terminal: texts built with CR LF lose the CR.
std::string WithLf(std::string text);

}  // namespace tavrin
