#include "io/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace tavrin {

namespace {
WriteHook& Hook() {
  static WriteHook hook;
  return hook;
}

bool Allowed(WriteStage stage) { return !Hook() || Hook()(stage); }

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// A symbolic link is kept: its target is what gets replaced.
std::string ResolveTarget(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_symlink(path, ec)) {
    auto target = std::filesystem::canonical(path, ec);
    if (!ec) return target.string();
  }
  return path;
}

// A file the user may not write is not replaced behind its back: the
// rename would ignore its permissions. Read-only for everyone (0444) counts
// even for a user whom the system would let write anyway.
bool MayReplace(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT;
  if (!S_ISREG(st.st_mode)) return false;
  if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
  return ::access(path.c_str(), W_OK) == 0;
}

// The temporary files of earlier writes of the same target that never got
// renamed (a program killed mid-write): ".NAME.tmp-" and six characters.
void RemoveStaleTemporaries(const std::string& dir, const std::string& prefix) {
  DIR* d = ::opendir(dir.c_str());
  if (!d) return;
  std::vector<std::string> stale;
  while (const dirent* e = ::readdir(d)) {
    std::string_view name(e->d_name);
    if (name.size() != prefix.size() + 6 || name.substr(0, prefix.size()) != prefix) continue;
    bool tail = true;
    for (char c : name.substr(prefix.size())) tail = tail && std::isalnum(static_cast<unsigned char>(c));
    if (tail) stale.emplace_back(name);
  }
  ::closedir(d);
  for (const std::string& name : stale) {
    const std::string full = (dir == "/" ? std::string("/") : dir + "/") + name;
    struct stat st {};
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == ::geteuid()) ::unlink(full.c_str());
  }
}

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    if (!Allowed(WriteStage::Write)) return false;
    size_t chunk = std::min<size_t>(bytes.size() - done, 1 << 20);
    ssize_t n = ::write(fd, bytes.data() + done, chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}
}  // namespace

void SetWriteHook(WriteHook hook) { Hook() = std::move(hook); }

bool WriteFileAtomically(const std::string& requested, std::string_view bytes) {
  if (requested.empty()) return false;
  std::string path = ResolveTarget(requested);
  std::string dir = DirectoryOf(path);
  std::string base = path.substr(path.find_last_of('/') == std::string::npos ? 0 : path.find_last_of('/') + 1);
  if (base.empty() || !MayReplace(path)) return false;
  const std::string prefix = "." + base.substr(0, 200) + ".tmp-";  // stays within name limits
  RemoveStaleTemporaries(dir, prefix);
  std::string temp = (dir == "/" ? std::string("/") : dir + "/") + prefix + "XXXXXX";
  std::vector<char> name(temp.begin(), temp.end());
  name.push_back('\0');
  if (!Allowed(WriteStage::Create)) return false;
  int fd = ::mkstemp(name.data());
  if (fd < 0) return false;
  // The new file gets the old one's permissions, or the usual ones for a new file.
  struct stat old {};
  mode_t mode;
  if (::stat(path.c_str(), &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  (void)::fchmod(fd, mode);  // permissions are a courtesy, not a condition
  bool ok = WriteAll(fd, bytes);
  ok = ok && Allowed(WriteStage::Flush) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && Allowed(WriteStage::Rename) && ::rename(name.data(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(name.data());
    return false;
  }
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

}  // namespace tavrin
