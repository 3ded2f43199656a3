#pragma once
// The readout strip XYCoords at the bottom of the main window: the coordinate readout XYLabel in its
// left half and OutFileLbl (where the last plotted file went) in its right half.

#include <QFrame>

class QLabel;

namespace corvex {

class ReadoutStrip : public QFrame {
    Q_OBJECT
  public:
    explicit ReadoutStrip(QWidget* parent = nullptr);

    void setPointSize(float points);
    // XYLabel takes half the window's outer width; OutFileLbl 0.95 of that, starting at the half.
    void layoutForWindowWidth(int outerWidth);

    QLabel* XYLabel;
    QLabel* OutFileLbl;
};

} // namespace corvex
