#include "ScreenWindow.h"

#include "DeviceEvents.h"
#include "PhoneScreen.h"
#include "ScreenImage.h"

#include <QActionGroup>
#include <QGraphicsProxyWidget>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QMenuBar>

ScreenWindow::ScreenWindow(int scale, QWidget* parent)
    : QMainWindow(parent), screen_(new PhoneScreen), view_(new QGraphicsView(this)) {
    auto* scene = new QGraphicsScene(view_);
    proxy_ = scene->addWidget(screen_);
    view_->setScene(scene);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                          QPainter::SmoothPixmapTransform);
    view_->setBackgroundBrush(Qt::black);
    setCentralWidget(view_);
    setWindowTitle(QStringLiteral("Fretkit"));
    buildMenus();
    setScale(scale);
}

void ScreenWindow::setScale(int scale) {
    scale_ = scale >= 2 ? 2 : 1;
    ScreenImage::setScale(scale_);
    proxy_->setScale(scale_);
    view_->setSceneRect(0, 0, PhoneScreen::kWidth * scale_, PhoneScreen::kHeight * scale_);
    view_->setFixedSize(PhoneScreen::kWidth * scale_, PhoneScreen::kHeight * scale_);
    for (QAction* action : findChildren<QAction*>()) {
        if (action->property("scale").toInt() == scale_) {
            action->setChecked(true);
        }
    }
    screen_->update();
    adjustSize();
}

void ScreenWindow::buildMenus() {
    QMenu* viewMenu = menuBar()->addMenu(tr("&View"));
    auto* scales = new QActionGroup(this);
    for (const int scale : {1, 2}) {
        QAction* action = viewMenu->addAction(tr("Scale %1x").arg(scale));
        action->setCheckable(true);
        action->setShortcut(QKeySequence(QStringLiteral("Ctrl+%1").arg(scale)));
        scales->addAction(action);
        connect(action, &QAction::triggered, this, [this, scale] { setScale(scale); });
        action->setProperty("scale", scale);
    }

    QMenu* deviceMenu = menuBar()->addMenu(tr("&Device"));
    QAction* shake = deviceMenu->addAction(tr("Shake"));
    shake->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
    connect(shake, &QAction::triggered, this, [] { DeviceEvents::shake(); });
    struct Turn {
        QString title;
        DeviceEvents::Orientation orientation;
        Qt::Key key;
    };
    const Turn turns[] = {
        {tr("Portrait"), DeviceEvents::Portrait, Qt::Key_Up},
        {tr("Landscape Left"), DeviceEvents::LandscapeLeft, Qt::Key_Left},
        {tr("Landscape Right"), DeviceEvents::LandscapeRight, Qt::Key_Right},
        {tr("Upside Down"), DeviceEvents::PortraitUpsideDown, Qt::Key_Down},
    };
    for (const auto& [title, orientation, key] : turns) {
        QAction* action = deviceMenu->addAction(title);
        action->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | key));
        connect(action, &QAction::triggered, this,
                [orientation] { DeviceEvents::setOrientation(orientation); });
    }
}

QImage ScreenWindow::snapshot() {
    return screen_->render(scale_);
}
