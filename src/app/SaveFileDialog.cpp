#include "app/SaveFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace corvex {

QString ShowSaveFileDialog(QWidget* parent, const SaveDialogRequest& request) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(NameFilters(request.filter));
    dialog.setDefaultSuffix(request.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirmOverwrite);
    dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

QStringList NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        // "Data Files (*.dat)" already names its pattern; repeating it would show it twice.
        if (description.endsWith(QLatin1Char(')')))
            filters.append(description);
        else
            filters.append(QStringLiteral("%1 (%2)").arg(description, parts[i + 1].trimmed()));
    }
    // "*.*" means every file; on this system a name need not have a dot.
    filters.replaceInStrings(QStringLiteral("(*.*)"), QStringLiteral("(*)"));
    return filters;
}

QString WithDefaultExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || extension.isEmpty() || QFileInfo(path).fileName().contains(QLatin1Char('.')))
        return path;
    return path + QLatin1Char('.') + extension;
}

} // namespace corvex
