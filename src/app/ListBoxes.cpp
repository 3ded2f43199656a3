#include "app/ListBoxes.h"

#include "platform/Text.h"

#include <algorithm>
#include <filesystem>
#include <vector>

namespace corvex {

namespace fs = std::filesystem;

namespace {

constexpr int kIndent = 2; // blanks per directory level

std::string normalDirectory(const std::string& directory) {
    std::error_code ec;
    fs::path p = fs::absolute(directory.empty() ? "." : directory, ec).lexically_normal();
    if (!p.has_filename()) p = p.parent_path(); // "/a/b/" names "/a/b"; "/" stays
    return p.string();
}

std::vector<std::string> subdirectories(const std::string& directory) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (name[0] != '.' && it->is_directory(typeError)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void addEntry(QListWidget& box, const std::string& label, int depth, const std::string& fullPath) {
    auto* item = new QListWidgetItem(QString(depth * kIndent, ' ') + toQString(label), &box);
    item->setData(Qt::UserRole, toQString(fullPath));
}

} // namespace

DirectoryListBox::DirectoryListBox(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { setPath(toFileText(item->data(Qt::UserRole).toString())); });
}

void DirectoryListBox::setPath(const std::string& directory) {
    const std::string path = normalDirectory(directory);
    clear();
    fs::path chain;
    int depth = 0;
    for (const fs::path& part : fs::path(path)) {
        chain /= part;
        addEntry(*this, part.string(), depth++, chain.string());
    }
    setCurrentRow(count() - 1);
    for (const std::string& name : subdirectories(path))
        addEntry(*this, name, depth, (fs::path(path) / name).string());
    if (path == m_path) return;
    m_path = path;
    emit pathChanged();
}

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    showNames();
}

void FileListBox::setPath(const std::string& directory) {
    m_files.setPath(directory);
    showNames();
}

void FileListBox::setPattern(const std::string& pattern) {
    m_files.setPattern(pattern);
    showNames();
}

void FileListBox::refresh() {
    m_files.refresh();
    showNames();
}

void FileListBox::showNames() {
    clear();
    for (int i = 0; i < m_files.listCount(); ++i)
        addItem(toQString(m_files.list(i)));
}

} // namespace corvex
