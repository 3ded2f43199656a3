#pragma once
// Test pictures standing in for the plot window's image, and PDF inspection through poppler's tools.

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRect>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace corvex::testing {

// A plot-like picture: white inside a black one-pixel frame on its border (so the printed picture's extent
// is the extent of the ink), a red block in its top-left corner (shows which way up it is) and a blue line.
inline QImage MakeTestPlot(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    painter.fillRect(QRect(1, 1, size.width() / 4, size.height() / 4), QColor(255, 0, 0));
    painter.setPen(QPen(QColor(0, 0, 255), 3));
    painter.drawLine(size.width() / 3, size.height() - 10, size.width() - 10, size.height() / 3);
    return image;
}

inline bool IsInk(QRgb pixel) {
    return qRed(pixel) < 200 || qGreen(pixel) < 200 || qBlue(pixel) < 200;
}
inline bool IsRed(QRgb pixel) {
    return qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

// Bounding box of the pixels for which `test` holds; null when there are none.
template <typename Test> QRect BoxOf(const QImage& image, Test test) {
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y))) box |= QRect(x, y, 1, 1);
    return box;
}

inline bool HavePoppler() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() &&
           !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty();
}

// Output of `pdfinfo pdf`; empty when it fails.
inline QString PdfInfo(const QString& pdf) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {pdf});
    if (!info.waitForFinished(20000) || info.exitCode() != 0) return {};
    return QString::fromLocal8Bit(info.readAllStandardOutput());
}

// Number of pages pdfinfo reports; -1 when it cannot read the file.
inline int PdfPageCount(const QString& pdf) {
    for (const QString& line : PdfInfo(pdf).split(QLatin1Char('\n')))
        if (line.startsWith(QLatin1String("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

// The first page rendered at `dpi` (72 makes one pixel per point); null when pdftoppm fails.
inline QImage RenderFirstPage(const QString& pdf, int dpi = 72) {
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    QProcess render;
    render.start(QStringLiteral("pdftoppm"),
                 {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-png"),
                  QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"), pdf, stem});
    if (!render.waitForFinished(20000) || render.exitCode() != 0) return {};
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

} // namespace corvex::testing
