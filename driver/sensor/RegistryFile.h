#pragma once
// File plumbing of the settings store: whole-file reads, crash-safe
// replacement and an inter-process lock. Plain POSIX; no exceptions escape.
#include <cstddef>
#include <optional>
#include <string>

namespace registry {

// Owns a file descriptor and closes it once.
class UniqueFd {
  public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    int release();
    void reset();

  private:
    int fd_ = -1;
};

// The content of the file, at most maxBytes of it, or nothing when it cannot be opened
// or read.
std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes);

// Copies the file to a new file "<path>.bad-<UTC time>" (with "-2", "-3"... when that
// name is taken: an earlier copy is never replaced) and returns the copy's name; nothing
// when no copy could be made.
std::optional<std::string> keepCopy(const std::string& path);

// Replaces path with content so that a crash at any moment leaves either the
// old or the new file: the content goes to a temporary file beside it, is
// flushed to disk and renamed over the original, then the folder entry is
// flushed too. The caller must hold the file's lock (the temporary name is
// fixed, so a temporary left by a killed writer is simply reused).
bool replaceFile(const std::string& path, const std::string& content);

// Exclusive advisory lock (flock) on a lock file, held for the object's
// lifetime. It excludes other processes and other threads of this one, and
// the kernel drops it if the holder dies.
class ExclusiveLock {
  public:
    explicit ExclusiveLock(const std::string& lockPath);
    bool locked() const { return locked_; }

  private:
    UniqueFd fd_;
    bool locked_ = false;
};

}  // namespace registry
