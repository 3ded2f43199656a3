#include "datafile/FileList.h"

#include <algorithm>
#include <filesystem>
#include <fnmatch.h>

namespace corvex {

namespace {

// fnmatch(3) with "*" and "?" as the only wildcards: a "[" stands for itself, as in the patterns typed
// into Setup, and a backslash is an ordinary character.
bool wildcardMatch(const std::string& name, const std::string& pattern) {
    std::string glob;
    for (char c : pattern)
        glob += c == '[' ? std::string("[[]") : std::string(1, c);
    return ::fnmatch(glob.c_str(), name.c_str(), FNM_NOESCAPE) == 0;
}

bool endsWithDotStar(const std::string& s) {
    return s.size() >= 2 && s.compare(s.size() - 2, 2, ".*") == 0;
}

} // namespace

bool matchesPattern(const std::string& name, const std::string& pattern) {
    if (wildcardMatch(name, pattern)) return true;
    // "data" matches "*.*" as "data." would: the extension part may be missing altogether.
    return endsWithDotStar(pattern) && name.find('.') == std::string::npos &&
           wildcardMatch(name + ".", pattern.substr(0, pattern.size() - 1));
}

std::vector<std::string> matchingFiles(const std::string& directory, const std::string& pattern) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    const bool showHidden = !pattern.empty() && pattern[0] == '.';
    std::error_code ec;
    for (fs::directory_iterator it(directory.empty() ? "." : directory, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name[0] == '.' && !showHidden) continue;
        std::error_code typeError; // follows links, as a listed file is opened through them
        if (matchesPattern(name, pattern) && it->is_regular_file(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end()); // std::string compares bytes as unsigned
    return names;
}

DirectoryFileList::DirectoryFileList(std::string directory, std::string pattern)
    : m_directory(std::move(directory)), m_pattern(std::move(pattern)) {
    refresh();
}

void DirectoryFileList::setPath(const std::string& directory) {
    m_directory = directory;
    refresh();
}

void DirectoryFileList::setPattern(const std::string& pattern) {
    m_pattern = pattern;
    refresh();
}

std::string DirectoryFileList::list(int i) const {
    return i >= 0 && i < listCount() ? m_names[size_t(i)] : std::string();
}

void DirectoryFileList::refresh() {
    m_names = matchingFiles(m_directory, m_pattern);
}

} // namespace corvex
