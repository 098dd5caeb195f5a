#pragma once

#include <QString>
#include <functional>
#include <optional>

// A button of the navigation bar: a title and what a press does. "Done" buttons are drawn
// highlighted. A button with an image (a bundle image name) shows the image alone.
struct BarButton {
    enum class Style { Plain, Done };
    QString title;
    Style style = Style::Plain;
    std::function<void()> action;
    QString image{};
};

// What a screen shows in the navigation bar while it is on top: its title and its buttons. With
// no left button, the bar shows a back button titled by the screen below.
struct NavigationItem {
    QString title;
    std::optional<BarButton> leftButton;
    std::optional<BarButton> rightButton;
    // The title of the back button that leads here from the screen above; absent, the title.
    std::optional<QString> backButtonTitle{};
};
