// Corvex: a desktop plotter for two-dimensional measurement data.

#include "app/PlotWindow.h"
#include "app/QtServices.h"
#include "platform/EventLoopClock.h"
#include "platform/FileService.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("Corvex");
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");

    corvex::PlotModel model;
    corvex::SystemFileService files;
    corvex::QtMessageService messages;
    corvex::EventLoopClock clock;
    corvex::Plotit window(model, {files, messages, clock});
    messages.setParent(&window);
    window.Form_Load();
    return app.exec();
}
