#pragma once
// The real main window started in a temporary current directory, with recorded message boxes; its parts
// are reached as a user does, by the objects on screen.

#include "app/CommandLineStart.h"
#include "app/FileFrm.h"
#include "app/PlotArea.h"
#include "app/PlotLegend.h"
#include "app/PlotWindow.h"
#include "app/ProgressWindow.h"
#include "app/QtServices.h"
#include "app/ReadoutStrip.h"
#include "platform/EventLoopClock.h"
#include "support/Recorders.h"
#include "support/TestPoints.h"

#include <QtTest>
#include <QtWidgets>
#include <functional>
#include <memory>
#include <sstream>

namespace corvex::testing {

// Setup, the progress and legend windows have no parent.
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
    // As in the program, boxes pass through the start's messages; a refused command-line start goes to err.
    std::ostringstream err;
    StartMessages startMessages{messages, err};
    StepClock steppedClock;
    EventLoopClock realClock;
    std::unique_ptr<Plotit> window;

    // Unless told otherwise, "Done" in manual selection closes Setup; `beforeStart` prepares the directory.
    explicit WindowRig(bool pressDone = true, SettleClock clock = SettleClock::Stepped,
                       const std::function<void()>& beforeStart = {}) {
        QDir::setCurrent(dir.path());
        if (beforeStart) beforeStart();
        Clock& settle = clock == SettleClock::Real ? static_cast<Clock&>(realClock) : steppedClock;
        window = std::make_unique<Plotit>(model, AppServices{files, startMessages, settle});
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

    // "Auto File Select" with the pattern, timed plotting and a delay of one second, then "Done".
    void watch(const QString& pattern) {
        QTest::mouseClick(setupControl<QRadioButton>("AutoSel"), Qt::LeftButton);
        setupControl<QLineEdit>("FileTxt")->setText(pattern);
        QTest::mouseClick(setupControl<QRadioButton>("TimedPlt"), Qt::LeftButton);
        setupControl<QLabel>("PlotDelayText")->setText("1");
        pressDone();
    }
    void pressDone() { QTest::mouseClick(setupControl<QPushButton>("FileCmd"), Qt::LeftButton); }
};

} // namespace corvex::testing
