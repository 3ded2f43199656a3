#pragma once
// A save-file dialog behind a function, so commands that ask for a file name can be tested without one.

#include <QString>
#include <QStringList>

#include <functional>

class QWidget;

namespace corvex {

struct SaveDialogRequest {
    QString fileName;         // proposed name
    QString filter;           // "description | pattern" pairs, e.g. "Bitmap | *.bmp"
    QString defaultExtension; // without the dot; added to a name typed without extension
    bool confirmOverwrite = true;
};

// Returns the chosen full path, or an empty text when the user cancelled.
using SaveFileDialog = std::function<QString(QWidget* parent, const SaveDialogRequest& request)>;

// The toolkit's save dialog.
QString ShowSaveFileDialog(QWidget* parent, const SaveDialogRequest& request);

// "desc | pattern | desc2 | pattern2" as the toolkit's name filters "desc (pattern)", "desc2 (pattern2)";
// a description that already ends with its pattern in parentheses is taken as it is.
QStringList NameFilters(const QString& filter);

// `path` with "." + `extension` appended when its file name has no dot; unchanged otherwise.
QString WithDefaultExtension(const QString& path, const QString& extension);

} // namespace corvex
