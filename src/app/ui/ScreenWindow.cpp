#include "ScreenWindow.h"

#include "PhoneScreen.h"

#include <QVBoxLayout>

ScreenWindow::ScreenWindow(int scale, QWidget* parent)
    : QWidget(parent), screen_(new PhoneScreen(scale, this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(screen_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setWindowTitle(QStringLiteral("Fretkit"));
}

QImage ScreenWindow::snapshot() {
    return screen_->grab().toImage();
}
