#pragma once

#include <QString>
#include <functional>
#include <optional>

// A button of the navigation bar: a title and what a press does. "Done" buttons are drawn
// highlighted.
struct BarButton {
    enum class Style { Plain, Done };
    QString title;
    Style style = Style::Plain;
    std::function<void()> action;
};

// What a screen shows in the navigation bar while it is on top: its title and its buttons. With
// no left button, the bar shows a back button titled by the screen below.
struct NavigationItem {
    QString title;
    std::optional<BarButton> leftButton;
    std::optional<BarButton> rightButton;
};
