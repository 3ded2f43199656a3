#include "app/PlotWindow.h"

#include "app/FontStep.h"
#include "app/PlotArea.h"
#include "app/ProgressWindow.h"
#include "app/ReadoutStrip.h"
#include "app/StartUpLayout.h"
#include "platform/NumberText.h"
#include "platform/QtCanvas.h"
#include "render/Colors.h"
#include "render/PlotPainter.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <new>

namespace corvex {

Plotit::Plotit(PlotState& state, AppServices services, QWidget* parent)
    : QMainWindow(parent), m_state(state), m_services(services), m_menus(buildPlotMenus(menuBar())),
      m_plotArea(new PlotArea), XYCoords(new ReadoutStrip), cmpltfrm(new ProgressWindow(this)),
      PlotTimer(new QTimer(this))
{
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

    connect(m_plotArea, &PlotArea::resized, this, &Plotit::Form_Resize);
    connect(m_menus.ShowEm, &QAction::triggered, this, &Plotit::ShowEm_Click);
    connect(m_menus.Nolines, &QAction::triggered, this, &Plotit::Nolines_Click);
    connect(m_menus.LargePoints, &QAction::triggered, this, &Plotit::LargePoints_Click);
    connect(m_menus.UseFilled, &QAction::triggered, this, &Plotit::UseFilled_Click);
    connect(m_menus.XLgndFntInc, &QAction::triggered, this, &Plotit::XLgndFntInc_Click);
    connect(m_menus.XLgndFntDec, &QAction::triggered, this, &Plotit::XLgndFntDec_Click);
    connect(m_menus.YLgndFntInc, &QAction::triggered, this, &Plotit::YLgndFntInc_Click);
    connect(m_menus.YLgndFntDec, &QAction::triggered, this, &Plotit::YLgndFntDec_Click);
    connect(m_menus.HoldPlot, &QAction::triggered, this, &Plotit::HoldPlot_Click);
}

Plotit::~Plotit() = default;

double Plotit::twipsPerPixel() const { return 1440.0 / logicalDpiY(); }

QSizeF Plotit::outerSizeTwips() const
{
    const QSize outer = frameGeometry().size();
    return QSizeF(outer.width() * twipsPerPixel(), outer.height() * twipsPerPixel());
}

void Plotit::Form_Load()
{
    const QRect screen = this->screen()->geometry();
    const double tpp = twipsPerPixel();
    const StartUpPlacement place = startUpPlacement({screen.width() * tpp, screen.height() * tpp, tpp, tpp});
    resize(int(place.width / tpp), int(place.height / tpp));
    XYCoords->setPointSize(place.readoutPoints);
    if (centralWidget()->layout()) centralWidget()->layout()->activate();
    storePixelSize();
    move(int(place.left / tpp), int(place.top / tpp));
    m_fields.SymScale = 1.0f;
    SetColors(m_state);
    show();
    cmpltfrm->placeInCorner();
    m_fields.OmitLines = false;
    m_state.SmallSyms = false;
    m_state.FilledSyms = false;
    m_fields.XLgndFntStep = 4;
    m_fields.YLgndFntStep = 4;
    m_fields.XLgndFntScale = 0.0014f;
    m_fields.YLgndFntScale = 0.0026f;
    m_state.TmpFileName = joinPath(m_services.files.currentDirectory(), kWorkingCopyName);
    std::string why;
    if (m_services.files.exists(m_state.TmpFileName)) m_services.files.remove(m_state.TmpFileName, why);
}

void Plotit::storePixelSize()
{
    m_fields.PixWidth = float(m_plotArea->width());
    m_fields.PixHeight = float(m_plotArea->height());
}

void Plotit::Form_Resize()
{
    if (!m_state.DataLoaded) return;
    m_plotArea->resetImage();
    storePixelSize();
    try {
        Form_Paint();
    } catch (const std::bad_alloc&) {
        reportRedrawError(7); // out of memory
    } catch (const std::exception&) {
        reportRedrawError(5); // invalid call
    }
}

void Plotit::reportRedrawError(int errorNumber)
{
    m_services.messages.show("Error #" + numberToText(errorNumber) + " !", "", MessageIcon::None);
}

void Plotit::Form_Paint()
{
    XYCoords->layoutForWindowWidth(frameGeometry().width());
    if (m_plotArea->persistentImage().size() != m_plotArea->size()) m_plotArea->resetImage();
    QtCanvas canvas(&m_plotArea->persistentImage());
    const QSizeF outer = outerSizeTwips();
    PlotPaintContext context{m_state,    m_fields,      canvas,        m_services.messages,
                             *cmpltfrm, outer.width(), outer.height()};
    corvex::Form_Paint(context);
    m_plotArea->setOverlay(nullptr);
    m_plotArea->update();
}

void Plotit::closeEvent(QCloseEvent* e)
{
    Form_Unload();
    e->accept();
}

void Plotit::Form_Unload()
{
    m_plotArea->resetImage();
    std::string why;
    if (m_services.files.exists(m_state.TmpFileName)) m_services.files.remove(m_state.TmpFileName, why);
    QApplication::quit();
}

void Plotit::repaintIfLoaded()
{
    if (m_state.DataLoaded) Form_Paint();
}

void Plotit::ShowEm_Click()
{
    m_fields.ShowCoords = m_menus.ShowEm->isChecked();
    XYCoords->setVisible(m_fields.ShowCoords);
}

void Plotit::Nolines_Click()
{
    m_fields.OmitLines = m_menus.Nolines->isChecked();
    repaintIfLoaded();
}

void Plotit::LargePoints_Click()
{
    m_state.SmallSyms = !m_state.SmallSyms;
    m_menus.LargePoints->setText(m_state.SmallSyms ? "Large Symbols" : "Small Symbols");
    m_fields.SymScale = m_state.SmallSyms ? 0.5f : 1.0f;
    repaintIfLoaded();
}

void Plotit::UseFilled_Click()
{
    m_state.FilledSyms = m_menus.UseFilled->isChecked();
    repaintIfLoaded();
}

namespace {
void stepFont(float& scale, int16_t& step, int direction, QAction* increase, QAction* decrease)
{
    const FontStepLimits limits = applyFontStep(scale, step, direction);
    increase->setEnabled(limits.increaseEnabled);
    decrease->setEnabled(limits.decreaseEnabled);
}
} // namespace

void Plotit::XLgndFntInc_Click()
{
    stepFont(m_fields.XLgndFntScale, m_fields.XLgndFntStep, +1, m_menus.XLgndFntInc, m_menus.XLgndFntDec);
    repaintIfLoaded();
}

void Plotit::XLgndFntDec_Click()
{
    stepFont(m_fields.XLgndFntScale, m_fields.XLgndFntStep, -1, m_menus.XLgndFntInc, m_menus.XLgndFntDec);
    repaintIfLoaded();
}

void Plotit::YLgndFntInc_Click()
{
    stepFont(m_fields.YLgndFntScale, m_fields.YLgndFntStep, +1, m_menus.YLgndFntInc, m_menus.YLgndFntDec);
    repaintIfLoaded();
}

void Plotit::YLgndFntDec_Click()
{
    stepFont(m_fields.YLgndFntScale, m_fields.YLgndFntStep, -1, m_menus.YLgndFntInc, m_menus.YLgndFntDec);
    repaintIfLoaded();
}

void Plotit::HoldPlot_Click()
{
    if (PlotTimer->isActive()) {
        PlotTimer->stop();
        m_menus.HoldPlot->setText("&Continue");
    } else {
        PlotTimer->start();
        m_menus.HoldPlot->setText("&Hold");
    }
}

} // namespace corvex
