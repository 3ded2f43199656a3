#pragma once
// The directory and file list boxes of the file selection window.

#include "datafile/FileList.h"

#include <QListWidget>

namespace corvex {

// The chain of directories from "/" down to `path` (the open one), then its subdirectories one step
// further in. Activating an entry (double click, Enter) makes it the path.
class DirectoryListBox : public QListWidget {
    Q_OBJECT
  public:
    explicit DirectoryListBox(QWidget* parent = nullptr);
    std::string path() const { return m_path; }
    void setPath(const std::string& directory); // emits pathChanged when the path changes

  signals:
    void pathChanged();

  private:
    std::string m_path;
};

// Shows the names of a DirectoryFileList and is the list the plot sequence re-reads.
class FileListBox : public QListWidget, public FileList {
    Q_OBJECT
  public:
    explicit FileListBox(QWidget* parent = nullptr);
    std::string path() const override { return m_files.path(); }
    void setPath(const std::string& directory) override;
    std::string pattern() const override { return m_files.pattern(); }
    void setPattern(const std::string& pattern) override;
    int listCount() const override { return m_files.listCount(); }
    std::string list(int i) const override { return m_files.list(i); }
    void refresh() override;

  private:
    void showNames();
    DirectoryFileList m_files;
};

} // namespace corvex
