#pragma once
// The file list of the file selection window: the regular files of one directory whose names match
// one pattern, in ascending byte order. The plot sequence reads it; the window shows it.

#include <string>
#include <vector>

namespace corvex {

class FileList {
  public:
    virtual ~FileList() = default;
    virtual std::string path() const = 0;
    virtual void setPath(const std::string& directory) = 0; // reads the directory again
    virtual std::string pattern() const = 0;
    virtual void setPattern(const std::string& pattern) = 0; // reads the directory again
    virtual int listCount() const = 0;
    virtual std::string list(int i) const = 0; // bare name; "" when i is out of range
    virtual void refresh() = 0;                // reads the directory again
};

// True when `name` matches `pattern`, where "*" stands for any run of characters and "?" for exactly
// one; everything else matches itself (case matters). A pattern ending in ".*" also matches names
// without any ".", so "*.*" matches every name.
bool matchesPattern(const std::string& name, const std::string& pattern);

// Bare names of the regular files (symbolic links to them included) in `directory` that match
// `pattern`, sorted by bytes. Names starting with "." are hidden unless the pattern starts with ".".
// An unreadable directory gives an empty list.
std::vector<std::string> matchingFiles(const std::string& directory, const std::string& pattern);

// The real list: a directory listing read on every change and refresh.
class DirectoryFileList : public FileList {
  public:
    explicit DirectoryFileList(std::string directory = ".", std::string pattern = "*.*");
    std::string path() const override { return m_directory; }
    void setPath(const std::string& directory) override;
    std::string pattern() const override { return m_pattern; }
    void setPattern(const std::string& pattern) override;
    int listCount() const override { return int(m_names.size()); }
    std::string list(int i) const override;
    void refresh() override;

  private:
    std::string m_directory;
    std::string m_pattern;
    std::vector<std::string> m_names;
};

} // namespace corvex
