#include "files/temp_cleanup.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

namespace kwl::tempcleanup {
namespace {

constexpr int kSlots = 16;
constexpr std::size_t kMaxPath = 4096;
// A temporary folder holds a few levels at most (KWL001/word/document.xml);
// the limit keeps the handler's stack use bounded.
constexpr int kMaxDepth = 8;

// A slot is filled before it is marked used, and marked unused before it is
// emptied, so a handler running in between sees either nothing or a whole path.
struct Slot {
  std::atomic<bool> used{false};
  char path[kMaxPath];
};
static_assert(std::atomic<bool>::is_always_lock_free, "the handler reads the flags");

Slot g_slots[kSlots];
bool g_atExitArranged = false;

// Removes everything below the open folder dir.
void EmptyFolder(int dir, int depth);

// Removes the entry name of the open folder dir, a folder with its contents.
void RemoveEntry(int dir, const char* name, int depth) {
  if (::unlinkat(dir, name, 0) == 0 || errno == ENOENT) return;
  if (errno != EISDIR || depth <= 0) return;
  int sub = ::openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (sub < 0 && errno == EACCES && ::fchmodat(dir, name, S_IRWXU, 0) == 0)
    sub = ::openat(dir, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (sub < 0) return;
  // A folder made read-only would keep its contents.
  ::fchmod(sub, S_IRWXU);
  EmptyFolder(sub, depth - 1);
  ::close(sub);
  ::unlinkat(dir, name, AT_REMOVEDIR);
}

void EmptyFolder(int dir, int depth) {
  // Entries as getdents64 gives them: inode (8 bytes), offset (8), record
  // length (2), type (1), then the name ending with a zero byte.
  constexpr std::size_t kLengthAt = 16;
  constexpr std::size_t kNameAt = 19;
  alignas(8) char buffer[2048];
  for (;;) {
    const ssize_t got = ::getdents64(dir, buffer, sizeof buffer);
    if (got <= 0) return;
    for (std::size_t pos = 0; pos + kNameAt < static_cast<std::size_t>(got);) {
      unsigned short length = 0;
      std::memcpy(&length, buffer + pos + kLengthAt, sizeof length);
      if (length == 0) return;
      const char* name = buffer + pos + kNameAt;
      pos += length;
      if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
      RemoveEntry(dir, name, depth);
    }
  }
}

// Removes the folder at path with everything in it, when it is the user's own.
void RemoveFolder(const char* path) {
  int dir = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0 && errno == EACCES && ::chmod(path, S_IRWXU) == 0)
    dir = ::open(path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (dir < 0) return;
  struct stat st {};
  if (::fstat(dir, &st) != 0 || st.st_uid != ::geteuid()) {
    ::close(dir);
    return;
  }
  ::fchmod(dir, S_IRWXU);
  EmptyFolder(dir, kMaxDepth);
  ::close(dir);
  ::rmdir(path);
}

// The path as it is kept: without a trailing "/".
std::string Normalised(const std::string& folder) {
  std::string path = folder;
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

Slot* Find(const std::string& path) {
  for (Slot& slot : g_slots)
    if (slot.used.load() && path == slot.path) return &slot;
  return nullptr;
}

void RemoveAllAtExit() { RemoveAll(); }

extern "C" void OnTerminatingSignal(int signal) {
  const int savedErrno = errno;
  RemoveAll();
  // The default action again, and the same signal: the program ends the way
  // the signal asked, and whoever started it sees that signal.
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  ::sigaction(signal, &action, nullptr);
  ::raise(signal);
  errno = savedErrno;
}

}  // namespace

bool Register(const std::string& folder) {
  const std::string path = Normalised(folder);
  if (path.empty() || path.size() >= kMaxPath) return false;
  if (Find(path) != nullptr) return true;
  if (!g_atExitArranged) g_atExitArranged = std::atexit(RemoveAllAtExit) == 0;
  for (Slot& slot : g_slots) {
    // A folder removed behind the program's back frees its slot.
    struct stat st {};
    if (slot.used.load() && ::lstat(slot.path, &st) != 0 && errno == ENOENT) slot.used.store(false);
    if (slot.used.load()) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.used.store(true);
    return true;
  }
  return false;
}

bool Forget(const std::string& folder) {
  Slot* slot = Find(Normalised(folder));
  if (slot == nullptr) return false;
  slot->used.store(false);
  return true;
}

bool IsRegistered(const std::string& folder) { return Find(Normalised(folder)) != nullptr; }

void RemoveAll() noexcept {
  for (Slot& slot : g_slots) {
    if (!slot.used.load()) continue;
    RemoveFolder(slot.path);
    slot.used.store(false);
  }
}

void InstallSignalHandlers() {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction action {};
    action.sa_handler = OnTerminatingSignal;
    sigemptyset(&action.sa_mask);
    // The other two wait while one of them cleans up.
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    sigaddset(&action.sa_mask, SIGHUP);
    ::sigaction(signal, &action, nullptr);
  }
}

}  // namespace kwl::tempcleanup
