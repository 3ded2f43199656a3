#pragma once
// "To Clipboard" and "To File (Bitmap)": copies of the main window's persistent image.

#include "app/SaveFileDialog.h"

class QImage;
class QWidget;

namespace corvex {

// Clears the system clipboard and puts `persistentImage` on it as a bitmap (a null image leaves it empty).
void ClipPrn_Click(const QImage& persistentImage);

// Asks for a file name ("Bitmap | *.bmp", default extension "bmp", asking before overwriting) and writes
// `persistentImage` there as a Windows bitmap. Cancelling or a failed write ends silently; returns whether a
// file was written.
bool SaveBMP_Click(QWidget* parent, const QImage& persistentImage,
                   const SaveFileDialog& SaveFileDlg = ShowSaveFileDialog);

} // namespace corvex
