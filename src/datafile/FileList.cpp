#include "datafile/FileList.h"

#include <algorithm>
#include <dirent.h>
#include <sys/stat.h>

namespace corvex {

namespace {

// Classic wildcard match with backtracking to the last "*".
bool wildcardMatch(const std::string& name, const std::string& pattern) {
    size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++n, ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
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
    std::vector<std::string> names;
    DIR* dir = ::opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) return names;
    const bool showHidden = !pattern.empty() && pattern[0] == '.';
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name[0] == '.' && !showHidden) continue;
        if (!matchesPattern(name, pattern)) continue;
        struct stat st;
        const std::string full = (directory.empty() ? std::string(".") : directory) + "/" + name;
        if (::stat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end()); // std::string compares bytes as unsigned
    return names;
}

DirectoryFileList::DirectoryFileList(std::string directory, std::string pattern)
    : directory_(std::move(directory)), pattern_(std::move(pattern)) {
    refresh();
}

void DirectoryFileList::setPath(const std::string& directory) {
    directory_ = directory;
    refresh();
}

void DirectoryFileList::setPattern(const std::string& pattern) {
    pattern_ = pattern;
    refresh();
}

std::string DirectoryFileList::list(int i) const {
    return i >= 0 && i < listCount() ? names_[size_t(i)] : std::string();
}

void DirectoryFileList::refresh() {
    names_ = matchingFiles(directory_, pattern_);
}

} // namespace corvex
