#pragma once
// The progress window "% Complete" (cmpltfrm): an activity text above a 0..100 bar.

#include "platform/Services.h"

#include <QWidget>

class QLabel;
class QProgressBar;

namespace corvex {

class ProgressWindow : public QWidget, public ProgressView {
    Q_OBJECT
  public:
    explicit ProgressWindow(QWidget* parent = nullptr);

    void setLabel(const std::string& text) override;
    void setValue(int percent) override;
    void showAndFocus() override;
    void hide() override;
    void yield() override;

    // Bottom right corner of the screen.
    void placeInCorner();

  private:
    QLabel* Label3;
    QLabel* Label1;
    QLabel* Label2;
    QProgressBar* ProgressBar1;
};

} // namespace corvex
