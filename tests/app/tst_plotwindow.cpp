#include "app/QtServices.h"
#include "support/WindowRig.h"

#include <fstream>

using namespace corvex;
using namespace corvex::testing;

// A mouse drag between two points in data units, placed through the readout at two pixels.
static void dragData(WindowRig& rig, QPointF from, QPointF to) {
    PlotArea* area = rig.plotArea();
    if (!rig.action("ShowEm")->isChecked()) rig.action("ShowEm")->trigger();
    const auto readoutAt = [&](QPoint pixel) -> QPointF { // the data value shown there
        QTest::mouseMove(area, pixel);
        const QString text = rig.readout()->XYLabel->text(); // " X= 1.2500E+01, Y= -2.500E-01"
        return {text.section(',', 0, 0).mid(4).toDouble(), text.section(',', 1, 1).mid(4).toDouble()};
    };
    const QPoint p0(100, 100), p1(300, 300);
    const QPointF d0 = readoutAt(p0), d1 = readoutAt(p1);
    auto pixel = [&](QPointF d) {
        return QPoint(int(p0.x() + (d.x() - d0.x()) * (p1.x() - p0.x()) / (d1.x() - d0.x())),
                      int(p0.y() + (d.y() - d0.y()) * (p1.y() - p0.y()) / (d1.y() - d0.y())));
    };
    QTest::mousePress(area, Qt::LeftButton, {}, pixel(from));
    QTest::mouseMove(area, pixel((from + to) / 2));
    QTest::mouseMove(area, pixel(to));
    QTest::mouseRelease(area, Qt::LeftButton, {}, pixel(to));
}

class TstPlotWindow : public QObject {
    Q_OBJECT
  private slots:
    // The system's boxes: the program's title unless given, "\n\r" as one break, a warning icon for an
    // exclamation. First, as a window closed later quits the application and later boxes end at once.
    void messageBoxesAsShown() {
        QString seen;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            seen = box->windowTitle() + "|" + box->text() + "|" + QString::number(box->icon());
            box->accept();
        });
        QtMessageService().show("one\n\rtwo", "", MessageIcon::Exclamation);
        QCOMPARE(seen, QString(kProgramTitle) + "|one\ntwo|" + QString::number(QMessageBox::Warning));
    }

    // Setup opens at the start with the main window disabled; a working copy left in the start-up directory
    // by an earlier run is removed at the start, one made meanwhile at the close. Menus work without data.
    void startUpControlsAndClose() {
        WindowRig rig(false, SettleClock::Stepped, [] { std::ofstream(kWorkingCopyName) << "left over"; });
        QCOMPARE(rig.setup()->windowTitle(), QString("Setup"));
        QVERIFY(rig.setup()->isVisible() && !rig.window->isEnabled() && !rig.plotTimer()->isActive());
        rig.setup()->FileCmd_Click();
        QVERIFY(rig.window->isEnabled() && !rig.setup()->isVisible());
        // The outer window, frame included, is 0.65 of the 800 x 800 offscreen screen: 520 x 520.
        QCOMPARE(rig.window->screen()->geometry().size(), QSize(800, 800));
        QCOMPARE(rig.window->frameGeometry().size(), QSize(520, 520));
        const QString workingCopy = rig.dir.filePath(kWorkingCopyName);
        QVERIFY(!QFile::exists(workingCopy));
        // A resize before any data draws nothing and says nothing.
        rig.window->resize(rig.window->width() + 40, rig.window->height() + 30);
        QApplication::processEvents();
        QVERIFY(rig.plotArea()->persistentImage().isNull() && rig.messages.messages.empty());
        // However small the window is made, the drawing area keeps 50 x 50 pixels to draw on.
        rig.window->resize(1, 1);
        QTRY_COMPARE(rig.plotArea()->size(), QSize(50, 50));
        rig.window->resize(rig.window->width() + 400, rig.window->height() + 400);
        // The symbol size caption names the size the next click selects.
        QAction* size = rig.action("LargePoints");
        QCOMPARE(size->text(), QString("Plot Small Points"));
        size->trigger();
        QVERIFY(size->text() == "Large Symbols" && rig.model.options.SymScale == 0.5f);
        size->trigger();
        QVERIFY(size->text() == "Small Symbols" && rig.model.options.SymScale == 1.0f);
        // Ctrl+F1 enlarges the X legend font up to step 8, then is greyed out; Shift+F1 goes back.
        rig.window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(rig.window.get()));
        QTest::keySequence(rig.window.get(), QKeySequence("Ctrl+F1, Ctrl+F1, Ctrl+F1, Ctrl+F1"));
        QVERIFY(rig.model.options.XLgndFntStep == 8 && !rig.action("XLgndFntInc")->isEnabled());
        const float scale = rig.model.options.XLgndFntScale;
        QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ControlModifier);
        QVERIFY(rig.model.options.XLgndFntStep == 8 && rig.model.options.XLgndFntScale == scale);
        QTest::keyClick(rig.window.get(), Qt::Key_F1, Qt::ShiftModifier);
        QVERIFY(rig.model.options.XLgndFntStep == 7 && rig.action("XLgndFntInc")->isEnabled());
        // Ctrl+F2 and Shift+F2 step the Y legend font by one; the X legend font stays.
        QTest::keyClick(rig.window.get(), Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(rig.model.options.YLgndFntStep == 5 && rig.model.options.XLgndFntStep == 7);
        QTest::keySequence(rig.window.get(), QKeySequence("Shift+F2, Shift+F2"));
        QCOMPARE(rig.model.options.YLgndFntStep, int16_t(3));
        // "ShowIt" is greyed exactly while the legend is open; the legend follows the filled option at once.
        rig.action("ShowIt")->trigger();
        QVERIFY(rig.legend() && !rig.action("ShowIt")->isEnabled());
        const QImage open = rig.legend()->image();
        rig.action("UseFilled")->trigger();
        QVERIFY(rig.legend()->image() != open);
        rig.action("UseFilled")->trigger();
        QCOMPARE(rig.legend()->image(), open);
        rig.legend()->close();
        QTRY_VERIFY(!rig.legend() && rig.action("ShowIt")->isEnabled());
        rig.action("ShowIt")->trigger(); // a new legend, identical to the first
        QCOMPARE(rig.legend()->image(), open);
        rig.action("SetupPlt")->trigger(); // "&Setup" disables the main window again
        QVERIFY(!rig.window->isEnabled() && rig.setup()->isVisible());
        rig.setup()->FileCmd_Click();
        std::ofstream(workingCopy.toStdString()) << "set aside";
        rig.window->close();
        QVERIFY(!QFile::exists(workingCopy));
    }

    // A mouse drag through the real drawing area narrows the view; "&ZoomOut" is offered while zoomed and
    // brings back the full range. The zoom rules are tested on the controller.
    void dragsZoomInAndZoomOutRestoresTheRange() {
        WindowRig rig;
        rig.model.range = loadPoints(rig.model.data, {{1, 1}, {2, 2}, {3, 3}, {4, 4}});
        rig.window->Form_Resize();
        dragData(rig, {3.4, 1.6}, {1.6, 3.4}); // lower right to upper left, around (2, 2) and (3, 3)
        QVERIFY(rig.action("Zoomout")->isEnabled());
        const PlotRange box = rig.model.range;
        QVERIFY(box.PlotXMin > 1 && box.PlotXMax < 4 && box.PlotYMin > 1 && box.PlotYMax < 4);
        QVERIFY(rig.messages.messages.empty() && rig.readout()->XYLabel->text().startsWith(" X= "));
        rig.action("Zoomout")->trigger();
        const PlotRange& all = rig.model.range;
        QVERIFY(all.PlotXMin == 1 && all.PlotXMax == 4 && all.PlotYMin == 1 && all.PlotYMax == 4 &&
                !rig.action("Zoomout")->isEnabled());
    }

    // All X values 0: every repaint shows the flat-range message.
    void redrawDuringMessageBoxRunsAfterwards() {
        WindowRig rig;
        rig.model.range = loadPoints(rig.model.data, {{0, 1}, {0, 2}});
        // A resize arrives while the repaint's message box waits, then "Filled Symbols" while the next one's
        // waits: neither may paint inside the running repaint, nor be lost.
        rig.messages.onShow = [&, n = 0]() mutable {
            if (n == 0) rig.window->Form_Resize();
            if (n++ == 1) rig.action("UseFilled")->trigger();
        };
        rig.window->Form_Resize();
        // The outer repaint, then the two deferred ones, each with the message.
        QCOMPARE(rig.messages.messages.size(), size_t(3));
        QCOMPARE(rig.messages.messages[1].text, std::string("DATA ERROR:  All X values are identical."));
        rig.action("ShowEm")->trigger();
        QApplication::processEvents();
        QCOMPARE(rig.messages.messages.size(), size_t(3)); // the readout option, on or off, does not repaint
    }

    // A file name in UTF-8, as Linux stores it, is shown as such in the caption (as are the drawn texts).
    void nonAsciiFileNameInTheCaption() {
        WindowRig rig(false);
        const QString name = QString::fromUtf8("Messung_\xC3\x84.dat");
        std::ofstream(name.toUtf8().toStdString()) << " T\r\ns\r\nx\r\ny\r\n1\r\n1 2 0 1\r\n";
        rig.watch(name);
        QTRY_VERIFY_WITH_TIMEOUT(rig.window->windowTitle().endsWith("/" + name + "]"), 5000);
    }
};

QTEST_MAIN(TstPlotWindow)
#include "tst_plotwindow.moc"
