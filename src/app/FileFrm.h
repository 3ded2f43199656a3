#pragma once
// The file selection window "Setup": manual or automatic selection, drive, directory and pattern,
// click to plot or timed plotting with its delay, and "Done", which applies the choice.

#include "datafile/FileList.h"
#include "datafile/PlotSequencer.h"
#include "filesel/DriveList.h"
#include "platform/Services.h"

#include <QWidget>
#include <map>
#include <string>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace corvex {

class DirectoryListBox;
class FileListBox;
class PlotSequencer;

// An up arrow above a down arrow.
class SpinButton : public QWidget {
    Q_OBJECT
  public:
    explicit SpinButton(QWidget* parent = nullptr);

  signals:
    void spinUp();
    void spinDown();
};

class FileFrm : public QWidget {
    Q_OBJECT
  public:
    // Form_Load: builds the window hidden, centred and raised by 3 % of the screen height, with the
    // lists on the process's current directory. `drives` are the entries of the drive list.
    explicit FileFrm(MessageService& messages, std::vector<std::string> drives = listDrives(),
                     QWidget* parent = nullptr);

    // The plot sequence that the mode buttons and Done drive; it must read fileList().
    void setSequencer(PlotSequencer& sequencer) { m_sequencer = &sequencer; }
    FileList& fileList();                        // FileLst
    void setPattern(const std::string& pattern); // the text of FileTxt (and so FileLst.Pattern)

    // The choice the controls show now; the delay of PlotDelayText in milliseconds (1000 to 60000).
    SetupChoice choice() const;

    void ManSel_Click();
    void AutoSel_Click();
    void Click2Plt_Click();
    void TimedPlt_Click();
    void NewPlotDelay_SpinDown();
    void NewPlotDelay_SpinUp();
    void DriveLst_Change();
    void DirLst_Change();
    void FileTxt_Change();
    // Done: hands the choice to the plot sequence. False when it refused the choice (the window stays).
    bool FileCmd_Click();

  protected:
    void showEvent(QShowEvent* event) override;   // reads the lists again
    void closeEvent(QCloseEvent* event) override; // closing from the frame acts as Done

  private:
    void buildControls();
    void setAutoControlsEnabled(bool enabled);
    void stepDelay(int by);
    std::string currentDrive() const;

    MessageService& m_messages;
    PlotSequencer* m_sequencer = nullptr;
    std::vector<std::string> m_drives;
    std::map<std::string, std::string> m_driveDirectories; // each drive's current directory
    int OldDriveIdx = 0;
    bool m_restoringDrive = false;

    QRadioButton* ManSel = nullptr;
    QRadioButton* AutoSel = nullptr;
    QWidget* AutoPicBox = nullptr;
    QRadioButton* TimedPlt = nullptr;
    QRadioButton* Click2Plt = nullptr;
    QLabel* SpinLbl = nullptr;
    QLabel* PlotDelayText = nullptr;
    SpinButton* NewPlotDelay = nullptr;
    QGroupBox* PlotFrame = nullptr;
    QLabel* FileLbl = nullptr;
    QLineEdit* FileTxt = nullptr;
    FileListBox* FileLst = nullptr;
    QComboBox* DriveLst = nullptr;
    DirectoryListBox* DirLst = nullptr;
    QPushButton* FileCmd = nullptr;
};

} // namespace corvex
