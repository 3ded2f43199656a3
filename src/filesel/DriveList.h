#pragma once
// The drive list of the file selection window on a system without drive letters: the root and the
// mount points of real file systems. A drive change that fails is reported by the error kinds of the
// drive list: 68 not available, 71 not ready, 5 not a drive name, 57 device I/O error.

#include <string>
#include <vector>

namespace corvex {

// "/" first, then the mount points of /proc/self/mounts in file order, without pseudo file systems,
// mount points under /proc, /sys, /dev and /run,
// duplicates and directories that cannot be listed.
std::vector<std::string> listDrives();

// Whether `directory` can be listed.
bool canList(const std::string& directory);

// The same from the text of a mounts file. `listable` decides which mount points stay.
std::vector<std::string> drivesFromMounts(const std::string& mountsText,
                                          bool (*listable)(const std::string&) = canList);

// The drive of `path`: the longest drive that is `path` or a directory above it ("/" at least).
std::string driveOf(const std::string& path, const std::vector<std::string>& drives);

// Error kind of a POSIX error number: ENOENT, ENODEV, ENXIO -> 68; ENOMEDIUM, EBUSY, EAGAIN -> 71;
// ENOTDIR, EINVAL, ENAMETOOLONG, ELOOP -> 5; EIO -> 57; EACCES, EPERM -> 70 (permission denied);
// anything else -> 75 (path or file access error).
int driveErrorCode(int posixError);

// 0 when `directory` can be listed, else its error kind.
int probeDirectory(const std::string& directory);

// The message for a failed drive change of the given kind; other kinds give "Error #" + code + " !".
std::string driveChangeMessage(int code);

} // namespace corvex
