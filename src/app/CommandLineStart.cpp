#include "app/CommandLineStart.h"

#include "app/PlotWindow.h"
#include "datafile/PlotSequencer.h"
#include "filesel/FileFrm.h"
#include "filesel/ListBoxes.h"

#include <QFileInfo>
#include <QRadioButton>

namespace corvex {

namespace {

void choose(FileFrm& setup, const char* button) {
    setup.findChild<QRadioButton*>(button)->setChecked(true); // runs its _Click handler
}

// Presses Done with its messages on the stream; false when it refused.
bool pressDone(FileFrm& setup, StartMessages& messages) {
    messages.setToStream(true);
    const bool done = setup.FileCmd_Click();
    messages.setToStream(false);
    return done;
}

} // namespace

void StartMessages::show(const std::string& text, const std::string& title, MessageIcon icon) {
    if (toStream_)
        lines_.show(text, title, icon);
    else
        boxes_.show(text, title, icon);
}

int applyStartRequest(Plotit& window, const StartRequest& request, StartMessages& messages) {
    FileFrm& setup = *window.fileSelection();
    if (request.mode == StartRequest::Mode::Setup) return 0;
    if (request.mode == StartRequest::Mode::File) {
        const QFileInfo file(QString::fromLocal8Bit(request.file.c_str()));
        if (!file.isFile() || !file.isReadable()) {
            messages.stream() << "corvex: cannot open " << request.file
                              << (file.exists() ? ": not a readable file" : ": no such file") << std::endl;
            return kExitUsage;
        }
        choose(setup, "ManSel");
        if (!pressDone(setup, messages)) return kExitUsage;
        window.sequencer()->plotFile(file.absoluteFilePath().toLocal8Bit().toStdString());
        return 0;
    }
    choose(setup, "AutoSel");
    choose(setup, request.clickToPlot ? "Click2Plt" : "TimedPlt");
    setup.findChild<DirectoryListBox*>("DirLst")->setPath(request.directory);
    setup.setPattern(request.pattern);
    while (setup.delayMs() < request.delaySeconds * 1000)
        setup.NewPlotDelay_SpinUp();
    while (setup.delayMs() > request.delaySeconds * 1000)
        setup.NewPlotDelay_SpinDown();
    return pressDone(setup, messages) ? 0 : kExitUsage;
}

} // namespace corvex
