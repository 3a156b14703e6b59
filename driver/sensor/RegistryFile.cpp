#include "sensor/RegistryFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

namespace registry {

namespace {

// Retries a system call interrupted by a signal.
template <typename Call>
auto retry(Call call) {
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

bool writeAll(int fd, const std::string& content) {
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n =
            retry([&] { return ::write(fd, content.data() + done, content.size() - done); });
        if (n <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) {
        reset();
        fd_ = other.release();
    }
    return *this;
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset() {
    if (fd_ >= 0) {
        ::close(fd_);  // Not retried on EINTR: the descriptor is gone either way on Linux.
        fd_ = -1;
    }
}

std::optional<std::string> readFile(const std::string& path, std::size_t maxBytes) {
    UniqueFd fd(retry([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }));
    if (!fd.valid()) {
        return std::nullopt;
    }
    std::string content;
    char chunk[4096];
    while (content.size() < maxBytes) {
        const std::size_t wanted = std::min(sizeof chunk, maxBytes - content.size());
        const ssize_t n = retry([&] { return ::read(fd.get(), chunk, wanted); });
        if (n < 0) {
            return std::nullopt;
        }
        if (n == 0) {
            break;
        }
        content.append(chunk, static_cast<std::size_t>(n));
    }
    return content;
}

std::optional<std::string> keepCopy(const std::string& path) {
    UniqueFd from(retry([&] { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }));
    if (!from.valid()) {
        return std::nullopt;
    }
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    ::gmtime_r(&now, &utc);
    std::strftime(stamp, sizeof stamp, "%Y%m%dT%H%M%SZ", &utc);
    const std::string base = path + ".bad-" + stamp;
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const std::string name = attempt == 1 ? base : base + "-" + std::to_string(attempt);
        UniqueFd to(retry(
            [&] { return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600); }));
        if (!to.valid()) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        char chunk[4096];
        for (;;) {
            const ssize_t n = retry([&] { return ::read(from.get(), chunk, sizeof chunk); });
            if (n == 0 && retry([&] { return ::fsync(to.get()); }) == 0) {
                return name;
            }
            if (n <= 0 || !writeAll(to.get(), std::string(chunk, static_cast<std::size_t>(n)))) {
                ::unlink(name.c_str());
                return std::nullopt;
            }
        }
    }
    return std::nullopt;
}

bool replaceFile(const std::string& path, const std::string& content) {
    const std::string temporary = path + ".tmp";
    mode_t mode = 0644;
    struct stat original {};
    if (::stat(path.c_str(), &original) == 0) {
        mode = original.st_mode & 07777;  // Keep the permissions the user gave the file.
    }
    {
        UniqueFd fd(retry([&] {
            return ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        }));
        if (!fd.valid()) {
            return false;
        }
        const bool written = ::fchmod(fd.get(), mode) == 0 && writeAll(fd.get(), content) &&
                             retry([&] { return ::fsync(fd.get()); }) == 0;
        if (!written) {
            ::unlink(temporary.c_str());
            return false;
        }
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // Without this the rename itself may be lost in a power failure.
    UniqueFd folder(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return folder.valid() && retry([&] { return ::fsync(folder.get()); }) == 0;
}

ExclusiveLock::ExclusiveLock(const std::string& lockPath)
    : fd_(retry([&] { return ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644); })) {
    locked_ = fd_.valid() && retry([&] { return ::flock(fd_.get(), LOCK_EX); }) == 0;
}

}  // namespace registry
