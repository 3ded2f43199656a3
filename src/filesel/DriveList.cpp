#include "filesel/DriveList.h"

#include "platform/RuntimeError.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string_view>

namespace corvex {

namespace {

// File systems that hold no user files: kernel views, control groups, automount stubs.
const std::set<std::string> kPseudoTypes = {
    "proc",        "sysfs",      "devtmpfs", "devpts",   "cgroup",    "cgroup2", "securityfs", "pstore",
    "debugfs",     "tracefs",    "configfs", "mqueue",   "hugetlbfs", "bpf",     "autofs",     "fusectl",
    "binfmt_misc", "rpc_pipefs", "nsfs",     "efivarfs", "selinuxfs", "ramfs",
};

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

// /proc/self/mounts writes blanks, tabs, newlines and backslashes in octal (\040).
std::string unescapeMountField(const std::string& s) {
    std::string out;
    for (size_t i = 0; i < s.size(); ++i) {
        const std::string_view digits = std::string_view(s).substr(i + 1, 3); // fewer at the end
        if (s[i] == '\\' && digits.size() == 3 && std::all_of(digits.begin(), digits.end(), isOctal)) {
            unsigned code = 0;
            std::from_chars(digits.data(), digits.data() + 3, code, 8);
            out += char(code);
            i += 3;
        } else {
            out += s[i];
        }
    }
    return out;
}

// Mount points of the system's own run-time trees (device nodes, kernel views, sockets and locks).
bool underSystemTree(const std::string& mountPoint) {
    for (const char* tree : {"/proc", "/sys", "/dev", "/run"})
        if (mountPoint == tree || mountPoint.rfind(std::string(tree) + "/", 0) == 0) return true;
    return false;
}

} // namespace

std::vector<std::string> drivesFromMounts(const std::string& mountsText,
                                          bool (*listable)(const std::string&)) {
    std::vector<std::string> drives{"/"};
    std::istringstream lines(mountsText);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string device, mountPoint, type;
        if (!(fields >> device >> mountPoint >> type)) continue;
        mountPoint = unescapeMountField(mountPoint);
        if (kPseudoTypes.count(type) || mountPoint.empty() || mountPoint[0] != '/' ||
            underSystemTree(mountPoint))
            continue;
        if (std::find(drives.begin(), drives.end(), mountPoint) != drives.end()) continue;
        if (listable(mountPoint)) drives.push_back(mountPoint);
    }
    return drives;
}

std::vector<std::string> listDrives() {
    std::ifstream in("/proc/self/mounts");
    std::stringstream text;
    text << in.rdbuf();
    return drivesFromMounts(text.str());
}

std::string driveOf(const std::string& path, const std::vector<std::string>& drives) {
    std::string best = "/";
    for (const std::string& d : drives) {
        const bool above =
            path == d || (path.compare(0, d.size(), d) == 0 &&
                          (d.back() == '/' || path[d.size()] == '/')); // longer than d: not equal
        if (above && d.size() > best.size()) best = d;
    }
    return best;
}

int driveErrorCode(int posixError) {
    switch (posixError) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
        return 68;
    case ENOMEDIUM:
    case EBUSY:
    case EAGAIN:
        return 71;
    case ENOTDIR:
    case EINVAL:
    case ENAMETOOLONG:
    case ELOOP:
        return 5;
    case EIO:
        return 57;
    case EACCES:
    case EPERM:
        return 70;
    default:
        return 75;
    }
}

int probeDirectory(const std::string& directory) {
    std::error_code ec;
    std::filesystem::directory_iterator listing(directory, ec);
    return ec ? driveErrorCode(ec.value()) : 0;
}

bool canList(const std::string& directory) {
    return probeDirectory(directory) == 0;
}

std::string driveChangeMessage(int code) {
    switch (code) {
    case 68:
        return "That drive is not available. No drive change was made.";
    case 71:
        return "Close the door on your drive and try again.";
    case 5:
        return "You probably didn't enter a drive letter. No drive change was made.";
    case 57:
        return "Device I/O Error.";
    default:
        return runtimeErrorText(code);
    }
}

} // namespace corvex
