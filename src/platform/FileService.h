#pragma once
// File operations the plot sequence needs. Paths are relative to the current directory unless absolute.
// Every operation that can fail says why in `why` (a sentence for a message box).

#include "platform/ByteSource.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace corvex {

class FileService {
  public:
    virtual ~FileService() = default;
    virtual bool exists(const std::string& path) = 0;                   // any directory entry of that name
    virtual std::optional<int64_t> length(const std::string& path) = 0; // regular files only
    // A regular file opened for reading piece by piece (never blocks on a FIFO or device); null on failure.
    virtual std::unique_ptr<ByteSource> openInput(const std::string& path, std::string& why) = 0;
    // Copies piece by piece and verifies that the copy has the source's length; a failed copy leaves no
    // partial target and an existing target as it was.
    virtual bool copy(const std::string& from, const std::string& to, std::string& why) = 0;
    // Renames without ever replacing an existing target.
    virtual bool rename(const std::string& from, const std::string& to, std::string& why) = 0;
    virtual bool remove(const std::string& path, std::string& why) = 0;
    virtual std::string currentDirectory() = 0;
    virtual bool setCurrentDirectory(const std::string& path, std::string& why) = 0;
};

// The real file system (POSIX).
class SystemFileService : public FileService {
  public:
    bool exists(const std::string& path) override;
    std::optional<int64_t> length(const std::string& path) override;
    std::unique_ptr<ByteSource> openInput(const std::string& path, std::string& why) override;
    bool copy(const std::string& from, const std::string& to, std::string& why) override;
    bool rename(const std::string& from, const std::string& to, std::string& why) override;
    bool remove(const std::string& path, std::string& why) override;
    std::string currentDirectory() override;
    bool setCurrentDirectory(const std::string& path, std::string& why) override;
};

// Directory + "/" (unless it already ends with one) + name.
std::string joinPath(const std::string& directory, const std::string& name);

} // namespace corvex
