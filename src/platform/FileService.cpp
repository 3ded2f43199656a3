#include "platform/FileService.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvex {

namespace {

std::string describe(const std::string& action, const std::string& path, int err) {
    return action + " \"" + path + "\": " + std::strerror(err);
}

// Closes a descriptor when it goes out of scope.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
};

bool writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

std::string joinPath(const std::string& directory, const std::string& name) {
    if (!directory.empty() && directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

bool SystemFileService::exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::optional<int64_t> SystemFileService::length(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return int64_t(st.st_size);
}

bool SystemFileService::readAll(const std::string& path, std::string& bytes, std::string& why) {
    Fd in{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)};
    if (in.fd < 0) {
        why = describe("Cannot open", path, errno);
        return false;
    }
    struct stat st;
    if (::fstat(in.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "\"" + path + "\" is not a regular file.";
        return false;
    }
    bytes.clear();
    bytes.reserve(size_t(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(in.fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            why = describe("Cannot read", path, errno);
            return false;
        }
        if (n == 0) return true;
        bytes.append(buf, size_t(n));
    }
}

bool SystemFileService::copy(const std::string& from, const std::string& to, std::string& why) {
    std::string bytes;
    if (!readAll(from, bytes, why)) return false;
    // Written under a hidden temporary name beside the target and renamed over it only when complete,
    // so that a failed copy (a full disk) leaves no partial target and an existing target unharmed.
    const size_t slash = to.rfind('/');
    std::string temp =
        (slash == std::string::npos ? std::string() : to.substr(0, slash + 1)) + ".corvex-copy-XXXXXX";
    Fd out{::mkostemp(temp.data(), O_CLOEXEC)};
    if (out.fd < 0) {
        why = describe("Cannot create", to, errno);
        return false;
    }
    const auto fail = [&](std::string reason) {
        why = std::move(reason);
        ::unlink(temp.c_str());
        return false;
    };
    struct stat st;
    if (::fchmod(out.fd, 0644) != 0 || !writeAll(out.fd, bytes.data(), bytes.size()) || ::fsync(out.fd) != 0)
        return fail(describe("Cannot write", to, errno));
    if (::fstat(out.fd, &st) != 0 || st.st_size != off_t(bytes.size()))
        return fail("The copy \"" + to + "\" is incomplete.");
    if (::rename(temp.c_str(), to.c_str()) != 0) return fail(describe("Cannot create", to, errno));
    return true;
}

bool SystemFileService::rename(const std::string& from, const std::string& to, std::string& why) {
    // Never replace a name taken meanwhile: renameat2 refuses an existing target; where the file
    // system lacks it, a hard link (which also fails on an existing target) does the same.
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) {
        why = describe("Cannot rename \"" + from + "\" to", to, errno);
        return false;
    }
    if (::link(from.c_str(), to.c_str()) != 0) {
        why = describe("Cannot rename \"" + from + "\" to", to, errno);
        return false;
    }
    if (::unlink(from.c_str()) != 0) {
        why = describe("Cannot remove", from, errno);
        ::unlink(to.c_str());
        return false;
    }
    return true;
}

bool SystemFileService::remove(const std::string& path, std::string& why) {
    if (::unlink(path.c_str()) != 0) {
        why = describe("Cannot delete", path, errno);
        return false;
    }
    return true;
}

std::string SystemFileService::currentDirectory() {
    char buf[4096];
    return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

bool SystemFileService::setCurrentDirectory(const std::string& path, std::string& why) {
    if (::chdir(path.c_str()) != 0) {
        why = describe("Cannot change to", path, errno);
        return false;
    }
    return true;
}

} // namespace corvex
