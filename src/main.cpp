// Corvex: a desktop plotter for two-dimensional measurement data.

#include "app/CommandLine.h"
#include "app/CommandLineStart.h"
#include "app/DisplayCheck.h"
#include "app/PlotWindow.h"
#include "app/QtServices.h"
#include "platform/EventLoopClock.h"
#include "platform/FileService.h"
#include "platform/RuntimeDir.h"

#include <QApplication>
#include <QFont>
#include <QTimer>
#include <iostream>

int main(int argc, char** argv) {
    const auto parsed = corvex::parseStartRequest(corvex::argumentList(argc, argv));
    if (const auto* early = std::get_if<corvex::EarlyExit>(&parsed)) return corvex::finish(*early);
    const auto& request = std::get<corvex::StartRequest>(parsed);
    if (const auto why = corvex::missingDisplay(request.platformGiven, request.display)) {
        std::cerr << *why << std::endl;
        return 1;
    }
    corvex::providePrivateRuntimeDir();

    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvex");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");

    corvex::PlotModel model;
    corvex::SystemFileService files;
    corvex::QtMessageService boxes;
    corvex::StartMessages messages(boxes, std::cerr);
    corvex::EventLoopClock clock;
    corvex::Plotit window(model, {files, messages, clock});
    boxes.setParent(&window);
    window.Form_Load();
    QTimer::singleShot(0, &window, [&] {
        if (const int status = window.applyStartRequest(request, messages)) QApplication::exit(status);
    });
    return app.exec();
}
