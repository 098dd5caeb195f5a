#include "TabBar.h"

TabBar::TabBar(QWidget* parent) : QTabBar(parent) {
    setExpanding(true);
    setDrawBase(false);
    setStyleSheet(QStringLiteral(
        "QTabBar{background:#17110d;}"
        "QTab,QTabBar::tab{height:49px;color:#b8a58c;background:#17110d;font-weight:bold;}"
        "QTabBar::tab:selected{color:#f6d89a;background:#3a2a1e;}"));
    connect(this, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index >= 0 && index != currentIndex()) {
            emit selectedByUser(index);
        }
    });
}
