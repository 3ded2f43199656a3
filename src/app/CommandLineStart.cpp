#include "app/CommandLineStart.h"

#include "app/FileFrm.h"
#include "app/ListBoxes.h"
#include "app/PlotWindow.h"
#include "datafile/PlotSequencer.h"
#include "platform/Text.h"

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
    if (m_toStream)
        m_lines.show(text, title, icon);
    else
        m_boxes.show(text, title, icon);
}

int Plotit::applyStartRequest(const StartRequest& request, StartMessages& messages) {
    FileFrm& setup = *m_fileFrm;
    if (request.mode == StartRequest::Mode::Setup) return 0;
    if (request.mode == StartRequest::Mode::File) {
        const QFileInfo file(toQString(request.file));
        if (!file.isFile() || !file.isReadable()) {
            messages.stream() << "corvex: cannot open " << request.file
                              << (file.exists() ? ": not a readable file" : ": no such file") << std::endl;
            return kExitUsage;
        }
        choose(setup, "ManSel");
        if (!pressDone(setup, messages)) return kExitUsage;
        m_sequencer->plotFile(toFileText(file.absoluteFilePath()));
        return 0;
    }
    choose(setup, "AutoSel");
    choose(setup, request.clickToPlot ? "Click2Plt" : "TimedPlt");
    setup.findChild<DirectoryListBox*>("DirLst")->setPath(request.directory);
    setup.setPattern(request.pattern);
    while (setup.choice().delayMs < request.delaySeconds * 1000)
        setup.NewPlotDelay_SpinUp();
    while (setup.choice().delayMs > request.delaySeconds * 1000)
        setup.NewPlotDelay_SpinDown();
    return pressDone(setup, messages) ? 0 : kExitUsage;
}

} // namespace corvex
