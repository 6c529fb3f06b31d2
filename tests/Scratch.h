#pragma once
#include <unistd.h>

#include <filesystem>
#include <string>

namespace tavrin {

// A private folder, removed with all it holds when the test ends.
struct Scratch {
  std::string dir;
  Scratch() {
    static int made = 0;
    dir = (std::filesystem::temp_directory_path() /
           ("tavrin-test-" + std::to_string(::getpid()) + "-" + std::to_string(++made)))
              .string();
    std::filesystem::create_directories(dir);
  }
  ~Scratch() { std::filesystem::remove_all(dir); }
  std::string operator/(const std::string& name) const { return dir + "/" + name; }
};

}  // namespace tavrin
