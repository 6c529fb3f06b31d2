#include "app/FileNames.h"

namespace tavrin {

std::string WithDefaultExtension(const std::string& path, const std::string& extension) {
  const size_t slash = path.find_last_of('/');
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.empty() || extension.empty() || name.find('.') != std::string::npos) return path;
  return path + "." + extension;
}

}  // namespace tavrin
