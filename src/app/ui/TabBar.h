#pragma once

#include <QTabBar>

// A row of tabs at the foot of a screen; only the user's choices are reported (selectedByUser).
class TabBar : public QTabBar {
    Q_OBJECT

public:
    explicit TabBar(QWidget* parent = nullptr);

signals:
    void selectedByUser(int index);
};
