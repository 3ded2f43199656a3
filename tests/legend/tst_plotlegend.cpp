#include "legend/LegendDrawing.h"
#include "legend/PlotLegend.h"
#include "render/Colors.h"

#include <QAction>
#include <QFont>
#include <QPointer>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

using namespace corvex;

namespace {

PlotState colouredState() {
    PlotState state;
    SetColors(state);
    return state;
}

// Opens a legend as "Show &Legend" does and returns what the window shows.
QImage showAndGrab(PlotLegend& legend) {
    legend.show();
    return legend.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Closes the window as the user does and waits until it is gone.
bool closeAndWait(QPointer<PlotLegend> legend) {
    legend->close();
    return QTest::qWaitFor([&] { return legend.isNull(); }, 5000);
}

int designPixels(double twips, int dpi) {
    return int(std::lround(twips * dpi / 1440.0));
}

} // namespace

class TstPlotLegend : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { QFont::insertSubstitution("MS Sans Serif", "Liberation Sans"); }
    void loadSizesAndPlacesTheWindow();
    void showsTheDrawnLegend();
    void closeUnloadsAndDestroys();
    void closeEnablesShowLegendAgain();
    void reopenedLegendIsIdentical();
    void resizeRedrawsAtTheNewSizeAndBack();
    void repaintRequestShowsChangedOptions();
    void destroyedWithItsParentClearsLegendLoaded();
};

void TstPlotLegend::loadSizesAndPlacesTheWindow() {
    PlotState state = colouredState();
    QPointer<PlotLegend> legend = new PlotLegend(state, 37);
    QCOMPARE(legend->windowTitle(), QString("Plot Legend"));
    QVERIFY(legend->isWindow());
    QVERIFY(!legend->isModal());
    // 3300 x 5970 twips at 1440 / dpi twips per pixel: 220 x 398 at the usual 96 dpi.
    const QSize design(designPixels(3300, legend->logicalDpiX()), designPixels(5970, legend->logicalDpiY()));
    QCOMPARE(legend->size(), design);
    QCOMPARE(state.LgndPixWidth, float(design.width()));
    QCOMPARE(state.LgndPixHeight, float(design.height()));
    QVERIFY(state.LegendLoaded);
    // Top at the main window's top edge, left at 5 % of the screen width.
    const int screenWidth = legend->screen()->geometry().width();
    QCOMPARE(legend->pos(), QPoint(int(std::lround(0.05 * screenWidth)), 37));
    QVERIFY(closeAndWait(legend));
}

void TstPlotLegend::showsTheDrawnLegend() {
    PlotState state = colouredState();
    QPointer<PlotLegend> legend = new PlotLegend(state, 0);
    const QImage shown = showAndGrab(*legend);
    QCOMPARE(shown, legend->image().convertToFormat(QImage::Format_RGB32));
    QCOMPARE(shown, renderLegend(state, legend->size(), legend->logicalDpiY()));
    QCOMPARE(shown.pixelColor(0, 0), QColor(Qt::white)); // white background
    QVERIFY(closeAndWait(legend));
}

void TstPlotLegend::closeUnloadsAndDestroys() {
    PlotState state = colouredState();
    QPointer<PlotLegend> legend = new PlotLegend(state, 0);
    showAndGrab(*legend);
    QVERIFY(state.LegendLoaded);
    QSignalSpy unloaded(legend.data(), &PlotLegend::unloaded);
    legend->close();
    QCOMPARE(unloaded.count(), 1);
    QVERIFY(!state.LegendLoaded);
    QVERIFY(QTest::qWaitFor([&] { return legend.isNull(); }, 5000)); // closing destroys the window
}

// The wiring the main window uses: "Show &Legend" is disabled while the legend is open.
void TstPlotLegend::closeEnablesShowLegendAgain() {
    PlotState state = colouredState();
    QAction showIt("Show &Legend");
    QPointer<PlotLegend> legend = new PlotLegend(state, 0);
    QObject::connect(legend, &PlotLegend::unloaded, &showIt, [&] { showIt.setEnabled(true); });
    showIt.setEnabled(false);
    showAndGrab(*legend);
    QVERIFY(closeAndWait(legend));
    QVERIFY(showIt.isEnabled());
}

void TstPlotLegend::reopenedLegendIsIdentical() {
    PlotState state = colouredState();
    QPointer<PlotLegend> first = new PlotLegend(state, 20);
    const QImage before = showAndGrab(*first);
    const QPoint placeBefore = first->pos();
    QVERIFY(closeAndWait(first));
    QVERIFY(!state.LegendLoaded);

    QPointer<PlotLegend> second = new PlotLegend(state, 20);
    QVERIFY(state.LegendLoaded);
    const QImage after = showAndGrab(*second);
    QCOMPARE(second->pos(), placeBefore);
    QCOMPARE(after, before);
    if (qEnvironmentVariableIsSet("CORVEX_LEGEND_PNG")) after.save(qEnvironmentVariable("CORVEX_LEGEND_PNG"));
    QVERIFY(closeAndWait(second));
}

// A resizable legend takes its pixel size again at every repaint, so its polygon symbols follow.
void TstPlotLegend::resizeRedrawsAtTheNewSizeAndBack() {
    PlotState state = colouredState();
    state.FilledSyms = true;
    QPointer<PlotLegend> legend = new PlotLegend(state, 0);
    const QImage designed = showAndGrab(*legend);
    const QSize designSize = legend->size();

    legend->resize(330, 500);
    QCOMPARE(state.LgndPixWidth, 330.f);
    QCOMPARE(state.LgndPixHeight, 500.f);
    const QImage resized = legend->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(resized, renderLegend(state, QSize(330, 500), legend->logicalDpiY()));
    // Diamond of set 61 at (131, 98): pixel (31 * 330 / 50, 12 * 500 / 140) = (204.6, 42.9) -> (205, 43).
    QCOMPARE(resized.pixelColor(205, 43), QColor(Qt::black));

    legend->resize(designSize);
    QCOMPARE(state.LgndPixWidth, float(designSize.width()));
    QCOMPARE(legend->grab().toImage().convertToFormat(QImage::Format_RGB32), designed);
    QVERIFY(closeAndWait(legend));
}

// The symbol-size and filled-symbol commands ask the open legend to repaint.
void TstPlotLegend::repaintRequestShowsChangedOptions() {
    PlotState state = colouredState();
    QPointer<PlotLegend> legend = new PlotLegend(state, 0);
    showAndGrab(*legend);
    // Set 2, the red circle at (104, 92): pixel (4 * 220 / 50, 18 * 398 / 140) = (17.6, 51.2).
    QCOMPARE(legend->image().pixelColor(17, 51), QColor(Qt::white));
    state.FilledSyms = true;
    legend->Form_Paint();
    QCOMPARE(legend->image().pixelColor(17, 51), QColor(Qt::red));
    QCOMPARE(legend->grab().toImage().pixelColor(17, 51), QColor(Qt::red));
    QVERIFY(closeAndWait(legend));
}

void TstPlotLegend::destroyedWithItsParentClearsLegendLoaded() {
    PlotState state = colouredState();
    auto* mainWindow = new QWidget;
    new PlotLegend(state, 0, mainWindow);
    QVERIFY(state.LegendLoaded);
    delete mainWindow;
    QVERIFY(!state.LegendLoaded);
}

QTEST_MAIN(TstPlotLegend)
#include "tst_plotlegend.moc"
