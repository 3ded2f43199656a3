#pragma once
// The real main window started in a temporary current directory, with recorded message boxes. Tests
// reach its parts as a user does: by the objects on screen (menu items, the drawing area, the Setup,
// progress and legend windows), and read the plot model the window was lent.

#include "app/FileFrm.h"
#include "app/PlotArea.h"
#include "app/PlotLegend.h"
#include "app/PlotWindow.h"
#include "app/ProgressWindow.h"
#include "app/QtServices.h"
#include "app/ReadoutStrip.h"
#include "datafile/PlotReader.h"
#include "platform/EventLoopClock.h"
#include "support/Recorders.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

namespace corvex::testing {

// The top-level window of that object name (Setup, the progress and legend windows have no parent).
template <typename T> T* topLevel(const char* objectName) {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == objectName)
            if (auto* found = qobject_cast<T*>(w)) return found;
    return nullptr;
}

enum class SettleClock { Stepped, Real };

struct WindowRig {
    QTemporaryDir dir;
    QString oldDir = QDir::currentPath();
    PlotModel model;
    SystemFileService files;
    MessageRecorder messages;
    StepClock steppedClock;
    EventLoopClock realClock;
    std::unique_ptr<Plotit> window;

    // Starts the program; unless told otherwise, "Done" in manual selection closes the Setup window.
    // `beforeStart` prepares the start-up directory.
    explicit WindowRig(bool pressDone = true, SettleClock clock = SettleClock::Stepped,
                       const std::function<void()>& beforeStart = {}) {
        QDir::setCurrent(dir.path());
        if (beforeStart) beforeStart();
        Clock& settle = clock == SettleClock::Real ? static_cast<Clock&>(realClock) : steppedClock;
        window = std::make_unique<Plotit>(model, AppServices{files, messages, settle});
        window->Form_Load();
        if (pressDone) setup()->FileCmd_Click();
    }
    ~WindowRig() {
        window.reset();
        QDir::setCurrent(oldDir);
    }

    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    FileFrm* setup() const { return topLevel<FileFrm>("FileFrm"); }
    template <typename T> T* setupControl(const char* name) const { return setup()->findChild<T*>(name); }
    PlotArea* plotArea() const { return window->findChild<PlotArea*>("PlotArea"); }
    ReadoutStrip* readout() const { return window->findChild<ReadoutStrip*>(); }
    QTimer* plotTimer() const { return window->findChild<QTimer*>("PlotTimer"); }
    PlotLegend* legend() const { return topLevel<PlotLegend>("PlotLegend"); }
    ProgressWindow* progressWindow() const { return topLevel<ProgressWindow>("cmpltfrm"); }

    // Points of set 1 at (x[k], y[k]), their range as the plot range, without drawing them yet.
    void load(const std::vector<float>& x, const std::vector<float>& y) {
        PlotData& d = model.data;
        d.NumPts = int32_t(x.size());
        for (size_t k = 0; k < x.size(); ++k) {
            d.XVal[k + 1] = x[k];
            d.YVal[k + 1] = y[k];
            d.SetNo[k + 1] = 1;
        }
        d.DataLoaded = true;
        model.range = FindLimits(d.XVal, d.YVal, d.NumPts);
    }
};

} // namespace corvex::testing
