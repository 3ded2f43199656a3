#pragma once
// The file selection window "Setup": manual or automatic selection, drive, directory and pattern,
// click to plot or timed plotting with its delay, and "Done", which applies the choice.

#include "app/PlotState.h"
#include "filesel/DriveList.h"
#include "filesel/FileList.h"
#include "filesel/FileSelectionHost.h"
#include "platform/FileService.h"

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
    FileFrm(PlotState& state, FileService& files, FileSelectionHost& host,
            std::vector<std::string> drives = listDrives(), QWidget* parent = nullptr);

    // The plot sequence that Done starts; it must read fileList().
    void setSequencer(PlotSequencer& sequencer) { sequencer_ = &sequencer; }
    FileList& fileList();                        // FileLst
    void setPattern(const std::string& pattern); // the text of FileTxt (and so FileLst.Pattern)

    bool autoSelected() const;
    bool clickToPlot() const;
    int delayMs() const; // the delay of PlotDelayText in milliseconds (1000 to 60000)

    void ManSel_Click();
    void AutoSel_Click();
    void Click2Plt_Click();
    void TimedPlt_Click();
    void NewPlotDelay_SpinDown();
    void NewPlotDelay_SpinUp();
    void DriveLst_Change();
    void DirLst_Change();
    void FileTxt_Change();
    // Done. Returns false, with a message and the window left open, when the choice cannot be applied:
    // automatic selection with a wildcard in the pattern's stem, or a directory that cannot be entered.
    // While a plot is being read the window closes and the choice applies once that plot is done.
    bool FileCmd_Click();

  protected:
    void showEvent(QShowEvent* event) override;   // reads the lists again
    void closeEvent(QCloseEvent* event) override; // closing from the frame acts as Done

  private:
    bool applyChoice(); // Done's directory, numbering and start of plotting
    void buildControls();
    void setAutoControlsEnabled(bool enabled);
    void stepDelay(int by);
    std::string currentDrive() const;
    void refuse(const std::string& text);

    PlotState& state_;
    FileService& files_;
    FileSelectionHost& host_;
    PlotSequencer* sequencer_ = nullptr;
    std::vector<std::string> drives_;
    std::map<std::string, std::string> driveDirectories_; // each drive's current directory
    std::string OldDrive;
    int OldDriveIdx = 0;
    bool restoringDrive_ = false;

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
