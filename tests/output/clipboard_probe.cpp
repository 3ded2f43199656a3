// "To Clipboard" read back by another process. Without arguments it checks for xvfb-run and xclip (exit 77 =
// skipped) and runs itself again under a virtual X server; there it copies a test plot with "To Clipboard"
// and keeps serving the clipboard while xclip pastes it as PNG, which must be that plot, size and pixels.

#include "app/PlotCopies.h"

#include <QApplication>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc == 1) {
        QCoreApplication app(argc, argv);
        for (const char* tool : {"xvfb-run", "xclip"})
            if (QStandardPaths::findExecutable(tool).isEmpty())
                return std::printf("skipped: %s not installed\n", tool), 77;
        return QProcess::execute("xvfb-run", {"-a", "-s", "-screen 0 640x480x24", argv[0], "inside"});
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    QImage plot(321, 203, QImage::Format_RGB32); // odd sizes; the red block shows which way up it is
    plot.fill(Qt::white);
    QPainter(&plot).fillRect(10, 20, 80, 40, Qt::red);
    corvex::ClipPrn_Click(plot);
    QProcess xclip; // pastes while this program's event loop serves the clipboard
    QObject::connect(&xclip, &QProcess::finished, &app, &QCoreApplication::quit);
    QTimer::singleShot(30000, &app, &QCoreApplication::quit);
    xclip.start("xclip", {"-selection", "clipboard", "-t", "image/png", "-o"});
    app.exec();
    const QImage pasted = QImage::fromData(xclip.readAllStandardOutput(), "PNG");
    std::printf("pasted %dx%d, copied %dx%d\n", pasted.width(), pasted.height(), plot.width(), plot.height());
    return pasted.convertToFormat(QImage::Format_RGB32) == plot ? 0 : 1;
}
