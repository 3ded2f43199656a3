// Helper of clipboard-xvfb.sh. "serve W H": copies a W x H test plot to the clipboard with "To Clipboard",
// prints "serving" and stays alive (at most 60 s) so that another program can paste it.
// "check FILE W H": exit status 0 when FILE is that same test plot, pixel for pixel.

#include "TestPicture.h"

#include "output/PlotCopies.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 5 && args.size() != 4) {
        std::fprintf(stderr, "usage: clipboard_probe serve W H | check FILE W H\n");
        return 2;
    }
    const int width = args[args.size() - 2].toInt();
    const int height = args[args.size() - 1].toInt();
    const QImage plot = corvex::testing::MakeTestPlot(QSize(width, height));
    if (args[1] == QLatin1String("serve")) {
        corvex::ClipPrn_Click(plot);
        std::printf("serving\n");
        std::fflush(stdout);
        QTimer::singleShot(60000, &app, &QCoreApplication::quit);
        return app.exec();
    }
    const QImage pasted(args[2]);
    if (pasted.size() != plot.size()) {
        std::fprintf(stderr, "pasted image is %dx%d, expected %dx%d\n", pasted.width(), pasted.height(),
                     width, height);
        return 1;
    }
    if (pasted.convertToFormat(QImage::Format_RGB32) != plot) {
        std::fprintf(stderr, "pasted image differs from the plot\n");
        return 1;
    }
    std::printf("pasted %dx%d image matches\n", width, height);
    return 0;
}
