#include "app/PlotCopies.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace corvex {

void ClipPrn_Click(const QImage& persistentImage) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    if (!persistentImage.isNull()) clipboard->setImage(persistentImage);
}

bool SaveBMP_Click(QWidget* parent, const QImage& persistentImage, const SaveFileDialog& SaveFileDlg) {
    const SaveDialogRequest request{QString(), QStringLiteral("Bitmap | *.bmp"), QStringLiteral("bmp"), true};
    const QString fileName = WithDefaultExtension(SaveFileDlg(parent, request), request.defaultExtension);
    if (fileName.isEmpty()) return false;
    return persistentImage.save(fileName, "BMP");
}

} // namespace corvex
