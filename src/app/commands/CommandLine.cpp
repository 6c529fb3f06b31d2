#include "app/commands/CommandLine.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace tavrin {

namespace {
std::string ToLower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}
}  // namespace

std::string CommandLine::Lower(size_t i) const { return i < words.size() ? ToLower(words[i]) : std::string(); }

std::string CommandLine::Rest(int skip) const { return RestOfLine(text, skip); }

bool CommandLine::Letter(size_t i, int& letter) const {
  if (i >= words.size()) return false;
  const std::string& word = words[i];
  if (word.size() != 1 || !std::isalpha(static_cast<unsigned char>(word[0]))) return false;
  letter = std::toupper(static_cast<unsigned char>(word[0])) - 'A' + 1;
  return true;
}

MatrixDocument* CommandLine::Document(Application& app, size_t i) const {
  int letter = 0;
  if (!Letter(i, letter)) return nullptr;
  MatrixDocument* doc = app.workspace().Lookup(letter);
  if (!doc) app.port().ShowCode(ResultCode::MatrixNotFound);
  return doc;
}

ResultCode CommandLine::Missing(size_t i) const {
  int letter = 0;
  return Letter(i, letter) ? ResultCode::MatrixNotFound : ResultCode::Stopped;
}

ResultCode CommandLine::Usage() const {
  out << "error: wrong arguments for " << Lower(0) << "\n";
  return ResultCode::CannotUnderstand;
}

std::vector<std::string> SplitWords(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

std::string RestOfLine(const std::string& line, int skip) {
  size_t pos = 0;
  for (int i = 0; i < skip; ++i) {
    pos = line.find_first_not_of(" \t", pos);
    if (pos == std::string::npos) return std::string();
    pos = line.find_first_of(" \t", pos);
    if (pos == std::string::npos) return std::string();
  }
  pos = line.find_first_not_of(" \t", pos);
  if (pos == std::string::npos) return std::string();
  return line.substr(pos);
}

std::string WithLf(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

}  // namespace tavrin
