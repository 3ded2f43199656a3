#include "platform/FileService.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

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

namespace {

// An open regular file read with read(2); a read error ends the input.
class FileSource : public ByteSource {
  public:
    explicit FileSource(int fd) : m_fd{fd} {}
    size_t read(char* into, size_t max) override {
        for (;;) {
            const ssize_t n = ::read(m_fd.fd, into, max);
            if (n != -1) return size_t(n); // -1: an error
            if (errno != EINTR) return 0;
        }
    }

  private:
    Fd m_fd;
};

} // namespace

std::unique_ptr<ByteSource> SystemFileService::openInput(const std::string& path, std::string& why) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        why = describe("Cannot open", path, errno);
        return nullptr;
    }
    auto source = std::make_unique<FileSource>(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        why = "\"" + path + "\" is not a regular file.";
        return nullptr;
    }
    return source;
}

bool SystemFileService::copy(const std::string& from, const std::string& to, std::string& why) {
    const auto source = openInput(from, why);
    if (!source) return false;
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
    if (::fchmod(out.fd, 0644) != 0) return fail(describe("Cannot write", to, errno));
    std::vector<char> piece(1 << 20);
    off_t copied = 0;
    for (size_t n; (n = source->read(piece.data(), piece.size())) > 0; copied += off_t(n))
        if (!writeAll(out.fd, piece.data(), n)) return fail(describe("Cannot write", to, errno));
    struct stat in;
    if (::fsync(out.fd) != 0) return fail(describe("Cannot write", to, errno));
    // Every byte read was written; a read error that ended the source early, or a source still
    // growing, shows as a length other than the original's.
    if (::stat(from.c_str(), &in) != 0 || in.st_size != copied)
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
    std::error_code ec;
    const std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? std::string(".") : current.string();
}

bool SystemFileService::setCurrentDirectory(const std::string& path, std::string& why) {
    if (::chdir(path.c_str()) != 0) {
        why = describe("Cannot change to", path, errno);
        return false;
    }
    return true;
}

} // namespace corvex
