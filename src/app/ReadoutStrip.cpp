#include "app/ReadoutStrip.h"

#include <QLabel>

namespace corvex {

ReadoutStrip::ReadoutStrip(QWidget* parent)
    : QFrame(parent), XYLabel(new QLabel(this)), OutFileLbl(new QLabel(this)) {
    setObjectName("XYCoords");
    XYLabel->setObjectName("XYLabel");
    OutFileLbl->setObjectName("OutFileLbl");
    setPointSize(9.75f);
    hide();
}

void ReadoutStrip::setPointSize(float points) {
    QFont font("Times New Roman");
    font.setPointSizeF(points);
    setFont(font);
    XYLabel->setFont(font);
    OutFileLbl->setFont(font);
    const int height = QFontMetrics(font).height() + 6;
    setFixedHeight(height);
    XYLabel->setFixedHeight(height);
    OutFileLbl->setFixedHeight(height);
}

void ReadoutStrip::layoutForWindowWidth(int outerWidth) {
    const int half = outerWidth / 2;
    XYLabel->setGeometry(0, 0, half, height());
    OutFileLbl->setGeometry(half, 0, int(0.95 * half), height());
}

} // namespace corvex
