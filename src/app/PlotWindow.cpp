#include "app/PlotWindow.h"

#include "app/FileFrm.h"
#include "app/PlotArea.h"
#include "app/PlotCapture.h"
#include "app/PlotCopies.h"
#include "app/PlotLegend.h"
#include "app/PrinterMenu.h"
#include "app/ProgressWindow.h"
#include "app/ReadoutStrip.h"
#include "app/SaveFileDialog.h"
#include "datafile/PlotSequencer.h"
#include "model/Colors.h"
#include "model/FontStep.h"
#include "model/StartUpLayout.h"
#include "output/PlotPrinter.h"
#include "platform/QtCanvas.h"
#include "platform/RuntimeError.h"
#include "render/PlotPainter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <new>

namespace corvex {

Plotit::Plotit(PlotModel& model, AppServices services, QWidget* parent)
    : QMainWindow(parent), m_model(model), m_services(services), m_menus(buildPlotMenus(menuBar())),
      m_plotArea(new PlotArea), XYCoords(new ReadoutStrip), cmpltfrm(new ProgressWindow),
      PlotTimer(new QTimer(this)), m_zoom(model.data, model.range, m_axes, model.options, *this) {
    setObjectName("Plotit");
    setWindowTitle(kVersionCaption);
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_plotArea, 1);
    column->addWidget(XYCoords);
    setCentralWidget(central);

    PlotTimer->setObjectName("PlotTimer");
    PlotTimer->setInterval(4000);
    connectCommands();
}

void Plotit::connectCommands() {
    connect(m_plotArea, &PlotArea::mouseDown, this,
            [this](float x, float y) { m_zoom.Form_MouseDown(x, y); });
    connect(m_plotArea, &PlotArea::mouseMoved, this,
            [this](float x, float y) { m_zoom.Form_MouseMove(x, y); });
    connect(m_plotArea, &PlotArea::mouseUp, this, [this](float, float) { m_zoom.Form_MouseUp(); });
    connect(m_menus.Zoomout, &QAction::triggered, this, [this] { m_zoom.Zoomout_Click(); });
    connect(m_menus.ShowEm, &QAction::triggered, this, &Plotit::ShowEm_Click);
    connect(m_menus.Nolines, &QAction::triggered, this, &Plotit::Nolines_Click);
    connect(m_menus.LargePoints, &QAction::triggered, this, &Plotit::LargePoints_Click);
    connect(m_menus.UseFilled, &QAction::triggered, this, &Plotit::UseFilled_Click);
    connect(m_menus.XLgndFntInc, &QAction::triggered, this, &Plotit::XLgndFntInc_Click);
    connect(m_menus.XLgndFntDec, &QAction::triggered, this, &Plotit::XLgndFntDec_Click);
    connect(m_menus.YLgndFntInc, &QAction::triggered, this, &Plotit::YLgndFntInc_Click);
    connect(m_menus.YLgndFntDec, &QAction::triggered, this, &Plotit::YLgndFntDec_Click);
    connect(m_menus.ShowIt, &QAction::triggered, this, &Plotit::ShowIt_Click);
}

Plotit::~Plotit() {
    delete m_legend;
    delete cmpltfrm;
}

double Plotit::twipsPerPixel() const {
    return 1440.0 / logicalDpiY();
}

QSizeF Plotit::outerSizeTwips() const {
    const QSize outer = frameGeometry().size();
    return QSizeF(outer.width() * twipsPerPixel(), outer.height() * twipsPerPixel());
}

void Plotit::Form_Load() {
    const QRect screen = this->screen()->geometry();
    const double tpp = twipsPerPixel();
    const StartUpPlacement place = startUpPlacement({screen.width() * tpp, screen.height() * tpp, tpp, tpp});
    resize(int(place.width / tpp), int(place.height / tpp));
    XYCoords->setPointSize(place.readoutPoints);
    storePixelSize();
    move(int(place.left / tpp), int(place.top / tpp));
    m_model.options = DisplayOptions{}; // SymScale 1, no lines omitted, small or filled symbols, font steps 4
    SetColors(m_model.options);
    show();
    // resize() set the inner size: take the frame off so that the outer size is 0.65 of the screen.
    const QSize frame = frameGeometry().size() - size(); // none without a window manager
    resize(size() - frame);
    storePixelSize();
    createFileSelection();
    cmpltfrm->placeInCorner();
    m_sequencer->SetupPlt_Click();
    m_sequencer->startUp(m_services.files.currentDirectory());
    m_printers = BuildPrinterMenu(*m_menus.ChoosePrn, *m_menus.PrnPlot, this);
    connectOutputCommands();
}

void Plotit::connectOutputCommands() {
    connect(m_menus.PrnPlot, &QAction::triggered, this, [this] {
        PrnPlot_Click(
            m_printers->currentPrinter(), [this] { return GrabClientArea(*m_plotArea); },
            m_services.messages);
    });
    connect(m_menus.ClipPrn, &QAction::triggered, this,
            [this] { ClipPrn_Click(m_plotArea->persistentImage()); });
    connect(m_menus.SaveBMP, &QAction::triggered, this,
            [this] { SaveBMP_Click(this, m_plotArea->persistentImage()); });
}

namespace {

std::optional<std::string> askOpenPath(QWidget* parent, const std::string& filter) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(NameFilters(toQString(filter)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toFileText(dialog.selectedFiles().first());
}

std::optional<std::string> askSavePath(QWidget* parent, const std::string& filter,
                                       const std::string& extension) {
    const QString path =
        ShowSaveFileDialog(parent, {QString(), toQString(filter), toQString(extension), true});
    if (path.isEmpty()) return std::nullopt;
    return toFileText(path);
}

} // namespace

// The file selection window with its pattern "plot.dat", and the plot sequence that reads its list.
void Plotit::createFileSelection() {
    m_fileFrm = std::make_unique<FileFrm>(m_services.messages);
    m_sequencer = std::make_unique<PlotSequencer>(
        m_model.data, m_model.range, m_fileFrm->fileList(), m_services.files,
        static_cast<SequencerHost&>(*this),
        [this](const std::string& filter) { return askOpenPath(this, filter); },
        [this](const std::string& filter, const std::string& extension) {
            return askSavePath(this, filter, extension);
        });
    m_fileFrm->setSequencer(*m_sequencer);
    m_fileFrm->setPattern("plot.dat");
    connect(m_menus.Mnu2File, &QAction::triggered, this, [this] { m_sequencer->Mnu2File_Click(); });
    connect(m_menus.NextPlt, &QAction::triggered, this, [this] { m_sequencer->NextPlt_Click(); });
    connect(m_menus.SavePlotNow, &QAction::triggered, this, [this] { m_sequencer->SavePlotNow_Click(); });
    connect(m_menus.HoldPlot, &QAction::triggered, this, [this] { m_sequencer->HoldPlot_Click(); });
    connect(m_menus.SetupPlt, &QAction::triggered, this, [this] { m_sequencer->SetupPlt_Click(); });
    connect(PlotTimer, &QTimer::timeout, this, [this] {
        if (!m_painting) m_sequencer->PlotTimer_Timer(); // a repaint's message box is open
    });
}

void Plotit::storePixelSize() {
    layout()->activate(); // lay out now (the window may still be hidden) so the drawing area has its size
    centralWidget()->layout()->activate();
    m_areaSize = {float(m_plotArea->width()), float(m_plotArea->height())};
}

void Plotit::resizeEvent(QResizeEvent* e) {
    QMainWindow::resizeEvent(e);
    Form_Resize();
}

void Plotit::Form_Resize() {
    if (!m_model.data.DataLoaded) return;
    // The image is in use by the running repaint, or the points are being replaced: redraw afterwards
    // (a read ends with a redraw of its own).
    if (m_painting || dataBeingRead()) {
        m_repaintPending = true;
        return;
    }
    m_repaintPending = false;
    storePixelSize();
    m_plotArea->resetImage(QSize(int(m_areaSize.PixWidth), int(m_areaSize.PixHeight)));
    try {
        Form_Paint();
    } catch (const std::exception& failure) {
        m_services.messages.show(runtimeErrorText(runtimeErrorNumber(failure)), "", MessageIcon::None);
    }
}

bool Plotit::dataBeingRead() const {
    return m_sequencer && m_sequencer->reading();
}

// A repaint asked for while one is running (its message box runs an event loop) is done afterwards.
void Plotit::Form_Paint() {
    if (m_painting || dataBeingRead()) {
        m_repaintPending = true;
        return;
    }
    m_painting = true;
    paintOnce();
    m_painting = false;
    if (m_repaintPending) Form_Resize(); // which clears the request
}

void Plotit::paintOnce() {
    XYCoords->layoutForWindowWidth(frameGeometry().width());
    // The drawing keeps the pixel size of the last redraw, as the scale of the window does.
    const QSize pixels(int(m_areaSize.PixWidth), int(m_areaSize.PixHeight));
    if (pixels.isEmpty()) return; // minimized: nothing to draw on until the next redraw
    const QSizeF outer = outerSizeTwips();
    const PlotLayout layout =
        layOutPlot(m_model.data.DataLoaded, m_model.range, m_model.options, outer.width(), outer.height());
    for (const PlotWarning& warning : layout.warnings)
        m_services.messages.show(warning.text, warning.title, MessageIcon::Exclamation);
    if (!m_model.data.DataLoaded) return;
    m_model.range = layout.range; // a flat range is kept widened, as it was drawn
    if (!layout.drawable) return;
    m_axes = layout.axes;
    if (m_plotArea->persistentImage().size() != pixels) m_plotArea->resetImage(pixels);
    show();
    QtCanvas canvas(&m_plotArea->persistentImage(), logicalDpiY());
    drawPlot(layout, m_model.data, m_model.options, m_areaSize, canvas, *cmpltfrm);
    m_plotArea->setOverlay(nullptr);
    m_plotArea->update();
}

void Plotit::closeEvent(QCloseEvent* e) {
    Form_Unload();
    e->accept();
}

void Plotit::Form_Unload() {
    if (m_legend) m_legend->close();
    m_plotArea->resetImage(m_plotArea->size());
    // End at once: no further plot, no "Done" from the Setup window, no timer tick, no settling wait.
    m_services.clock.cancelWaits();
    PlotTimer->stop();
    if (m_sequencer) m_sequencer->shutDown();
    if (m_fileFrm) m_fileFrm->hide();
    cmpltfrm->hide();
    QCoreApplication::exit(0);
}

void Plotit::repaintIfLoaded() {
    if (m_model.data.DataLoaded) Form_Paint();
}

void Plotit::ShowEm_Click() {
    m_model.options.ShowCoords = m_menus.ShowEm->isChecked();
    XYCoords->setVisible(m_model.options.ShowCoords);
}

void Plotit::Nolines_Click() {
    m_model.options.OmitLines = m_menus.Nolines->isChecked();
    repaintIfLoaded();
}

void Plotit::LargePoints_Click() {
    DisplayOptions& o = m_model.options;
    o.SmallSyms = !o.SmallSyms;
    m_menus.LargePoints->setText(o.SmallSyms ? "Large Symbols" : "Small Symbols");
    o.SymScale = o.SmallSyms ? 0.5f : 1.0f;
    repaintIfLoaded();
    refreshLegend();
}

void Plotit::UseFilled_Click() {
    m_model.options.FilledSyms = m_menus.UseFilled->isChecked();
    repaintIfLoaded();
    refreshLegend();
}

void Plotit::refreshLegend() {
    if (m_legend) m_legend->repaintLegend();
}

void Plotit::ShowIt_Click() {
    if (!m_legend) { // a closed legend deleted itself: make a new one
        // No parent: the legend stays usable while "&Setup" disables the main window.
        m_legend = new PlotLegend(m_model.options, frameGeometry().top());
        connect(m_legend, &PlotLegend::unloaded, this, [this] { m_menus.ShowIt->setEnabled(true); });
    }
    m_legend->show();
    m_legend->raise();
    m_legend->activateWindow();
    m_menus.ShowIt->setEnabled(false);
}

// One font step of the title and X legend (the X menu items) or of the Y legend, then a repaint.
void Plotit::stepFont(bool titleFont, int direction) {
    DisplayOptions& o = m_model.options;
    QAction* increase = titleFont ? m_menus.XLgndFntInc : m_menus.YLgndFntInc;
    QAction* decrease = titleFont ? m_menus.XLgndFntDec : m_menus.YLgndFntDec;
    const FontStepLimits limits = titleFont ? applyFontStep(o.XLgndFntScale, o.XLgndFntStep, direction)
                                            : applyFontStep(o.YLgndFntScale, o.YLgndFntStep, direction);
    increase->setEnabled(limits.increaseEnabled);
    decrease->setEnabled(limits.decreaseEnabled);
    repaintIfLoaded();
}

void Plotit::XLgndFntInc_Click() {
    stepFont(true, +1);
}

void Plotit::XLgndFntDec_Click() {
    stepFont(true, -1);
}

void Plotit::YLgndFntInc_Click() {
    stepFont(false, +1);
}

void Plotit::YLgndFntDec_Click() {
    stepFont(false, -1);
}

} // namespace corvex
