#include "app/FileFrm.h"

#include "app/ListBoxes.h"
#include "model/SetupDesign.h"
#include "platform/NumberText.h"
#include "platform/Text.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace corvex {

namespace {

constexpr int kMinDelay = 1;
constexpr int kMaxDelay = 60;
constexpr const char* kCheckingCaption = "Seconds Between Checking for New Files";
constexpr const char* kTimedCaption = "Seconds Between Plots";

// Names `w` and places it at its designed rectangle.
template <typename T> T* named(T* w, const char* name) {
    w->setObjectName(name);
    const TwipsRect r = setupDesign(name);
    const int dx = w->logicalDpiX(), dy = w->logicalDpiY();
    w->setGeometry(twipsToPixels(r.left, dx), twipsToPixels(r.top, dy), twipsToPixels(r.width, dx),
                   twipsToPixels(r.height, dy));
    return w;
}

QFont boldFont(double points) {
    QFont font("MS Sans Serif");
    font.setPointSizeF(points);
    font.setBold(true);
    return font;
}

} // namespace

SpinButton::SpinButton(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (auto [name, arrow] : {std::pair{"up", Qt::UpArrow}, std::pair{"down", Qt::DownArrow}}) {
        auto* button = new QToolButton(this);
        button->setObjectName(name);
        button->setArrowType(arrow);
        button->setAutoRepeat(true);
        button->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        layout->addWidget(button);
        connect(button, &QToolButton::clicked, this,
                arrow == Qt::UpArrow ? &SpinButton::spinUp : &SpinButton::spinDown);
    }
}

FileFrm::FileFrm(MessageService& messages, std::vector<std::string> drives, QWidget* parent)
    : QWidget(parent, Qt::Dialog), m_messages(messages), m_drives(std::move(drives)) {
    QFont::insertSubstitution("MS Sans Serif", "Liberation Sans");
    setObjectName("FileFrm");
    setWindowTitle("Setup");
    setFont(boldFont(8.25));
    buildControls();

    const std::string cwd = toFileText(QDir::currentPath());
    for (const std::string& d : m_drives)
        DriveLst->addItem(toQString(d));
    DriveLst->setCurrentIndex(std::max(0, DriveLst->findText(toQString(driveOf(cwd, m_drives)))));
    DirLst->setPath(cwd);
    FileLst->setPath(DirLst->path());
    m_driveDirectories[currentDrive()] = DirLst->path();
    FileLst->setPattern(toFileText(FileTxt->text()));

    connect(ManSel, &QRadioButton::toggled, this, [this](bool on) {
        if (on) ManSel_Click();
    });
    connect(AutoSel, &QRadioButton::toggled, this, [this](bool on) {
        if (on) AutoSel_Click();
    });
    connect(Click2Plt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) Click2Plt_Click();
    });
    connect(TimedPlt, &QRadioButton::toggled, this, [this](bool on) {
        if (on) TimedPlt_Click();
    });
    connect(NewPlotDelay, &SpinButton::spinUp, this, &FileFrm::NewPlotDelay_SpinUp);
    connect(NewPlotDelay, &SpinButton::spinDown, this, &FileFrm::NewPlotDelay_SpinDown);
    connect(DriveLst, &QComboBox::currentIndexChanged, this, &FileFrm::DriveLst_Change);
    connect(DirLst, &DirectoryListBox::pathChanged, this, &FileFrm::DirLst_Change);
    connect(FileTxt, &QLineEdit::textChanged, this, &FileFrm::FileTxt_Change);
    connect(FileCmd, &QPushButton::clicked, this, &FileFrm::FileCmd_Click);

    const QRect screenArea = screen()->geometry();
    move(screenArea.x() + (screenArea.width() - width()) / 2,
         screenArea.y() + (screenArea.height() - height()) / 2 - int(0.03 * screenArea.height()));
    OldDriveIdx = DriveLst->currentIndex();
}

void FileFrm::buildControls() {
    const TwipsRect client = setupDesign("FileFrm");
    setFixedSize(twipsToPixels(client.width, logicalDpiX()), twipsToPixels(client.height, logicalDpiY()));

    ManSel = named(new QRadioButton("Manual File Select", this), "ManSel");
    ManSel->setChecked(true);
    AutoSel = named(new QRadioButton("Auto File Select", this), "AutoSel");
    // One of the two modes is always chosen: without a group of their own, the buttons inside
    // AutoPicBox would count in their exclusivity and a second click could clear the choice.
    auto* modes = new QButtonGroup(this);
    modes->addButton(ManSel);
    modes->addButton(AutoSel);

    auto* box = new QFrame(this);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    AutoPicBox = named<QWidget>(box, "AutoPicBox");
    TimedPlt = named(new QRadioButton("Timed Plotting", AutoPicBox), "TimedPlt");
    Click2Plt = named(new QRadioButton("Click to Plot ", AutoPicBox), "Click2Plt");
    Click2Plt->setChecked(true);
    SpinLbl = named(new QLabel(kCheckingCaption, AutoPicBox), "SpinLbl");
    SpinLbl->setAlignment(Qt::AlignCenter);
    SpinLbl->setWordWrap(true);
    PlotDelayText = named(new QLabel("4", AutoPicBox), "PlotDelayText");
    PlotDelayText->setFrameStyle(QFrame::Box | QFrame::Plain);
    PlotDelayText->setAlignment(Qt::AlignCenter);
    PlotDelayText->setFont(boldFont(9.75));
    NewPlotDelay = named(new SpinButton(AutoPicBox), "NewPlotDelay");

    PlotFrame = named(new QGroupBox("Select File Type to Plot", this), "PlotFrame");
    FileLbl = named(new QLabel("Pattern", PlotFrame), "FileLbl");
    FileTxt = named(new QLineEdit("*.*", PlotFrame), "FileTxt");
    FileLst = named(new FileListBox(PlotFrame), "FileLst");
    DriveLst = named(new QComboBox(PlotFrame), "DriveLst");
    DirLst = named(new DirectoryListBox(PlotFrame), "DirLst");

    FileCmd = named(new QPushButton("Done", this), "FileCmd");

    for (QWidget* w :
         {static_cast<QWidget*>(TimedPlt), static_cast<QWidget*>(Click2Plt), static_cast<QWidget*>(SpinLbl),
          static_cast<QWidget*>(PlotFrame), static_cast<QWidget*>(DriveLst)})
        w->setEnabled(false);
}

FileList& FileFrm::fileList() {
    return *FileLst;
}

void FileFrm::setPattern(const std::string& pattern) {
    FileTxt->setText(toQString(pattern));
}

SetupChoice FileFrm::choice() const {
    const double seconds = leadingNumber(PlotDelayText->text().toStdString());
    const double delay = std::clamp(seconds, double(kMinDelay), double(kMaxDelay));
    return {AutoSel->isChecked(), Click2Plt->isChecked(), int(roundHalfEven(delay * 1000)), DirLst->path(),
            FileLst->pattern()};
}

void FileFrm::setAutoControlsEnabled(bool enabled) {
    for (QWidget* w :
         {static_cast<QWidget*>(TimedPlt), static_cast<QWidget*>(Click2Plt), static_cast<QWidget*>(SpinLbl),
          static_cast<QWidget*>(PlotDelayText), static_cast<QWidget*>(NewPlotDelay),
          static_cast<QWidget*>(PlotFrame), static_cast<QWidget*>(DriveLst)})
        w->setEnabled(enabled);
}

void FileFrm::ManSel_Click() {
    setAutoControlsEnabled(false);
    if (m_sequencer) m_sequencer->ManSel_Click();
}

void FileFrm::AutoSel_Click() {
    setAutoControlsEnabled(true);
    if (m_sequencer) m_sequencer->AutoSel_Click();
}

void FileFrm::Click2Plt_Click() {
    SpinLbl->setText(kCheckingCaption);
}

void FileFrm::TimedPlt_Click() {
    SpinLbl->setText(kTimedCaption);
    if (m_sequencer) m_sequencer->TimedPlt_Click();
}

void FileFrm::NewPlotDelay_SpinDown() {
    stepDelay(-1);
}

void FileFrm::NewPlotDelay_SpinUp() {
    stepDelay(+1);
}

void FileFrm::stepDelay(int by) {
    const double v = leadingNumber(PlotDelayText->text().toStdString());
    if (by < 0 ? v <= kMinDelay : v >= kMaxDelay) {
        m_messages.beep();
        return;
    }
    PlotDelayText->setText(QString::fromStdString(numberToText((long long)(v) + by)));
    PlotDelayText->repaint();
}

std::string FileFrm::currentDrive() const {
    return toFileText(DriveLst->currentText());
}

void FileFrm::DriveLst_Change() {
    const std::string drive = currentDrive();
    const auto remembered = m_driveDirectories.find(drive);
    const std::string directory = remembered != m_driveDirectories.end() ? remembered->second : drive;
    if (const int code = probeDirectory(directory); code != 0) {
        m_messages.show(driveChangeMessage(code), kProgramTitle, MessageIcon::None);
        if (!m_restoringDrive) { // going back runs this handler once more, for the old drive
            m_restoringDrive = true;
            DriveLst->setCurrentIndex(OldDriveIdx);
            m_restoringDrive = false;
        }
    } else {
        DirLst->setPath(directory);
    }
    OldDriveIdx = DriveLst->currentIndex();
}

void FileFrm::DirLst_Change() {
    FileLst->setPath(DirLst->path());
    m_driveDirectories[driveOf(DirLst->path(), m_drives)] = DirLst->path();
}

void FileFrm::FileTxt_Change() {
    FileLst->setPattern(toFileText(FileTxt->text()));
}

bool FileFrm::FileCmd_Click() {
    return m_sequencer && m_sequencer->Done(choice());
}

void FileFrm::showEvent(QShowEvent* event) {
    DirLst->setPath(DirLst->path()); // directories and files may have come and gone while hidden
    FileLst->refresh();
    QWidget::showEvent(event);
}

void FileFrm::closeEvent(QCloseEvent* event) {
    event->ignore(); // the window is only ever hidden; Done hides it unless it refuses
    FileCmd_Click();
}

} // namespace corvex
