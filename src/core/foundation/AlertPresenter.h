#pragma once

#include <string>
#include <vector>

namespace fretkit {

// An alert as the tools show it: a title, a message and the button titles.
struct Alert {
    std::string title;
    std::string message;
    std::vector<std::string> buttons;
};

// The process-wide place alerts go to. The command-line tool and the tests keep the default,
// which writes one line on stderr; the app installs a presenter that shows a message box.
class AlertPresenter {
public:
    virtual ~AlertPresenter() = default;
    virtual void present(const Alert& alert) = 0;

    // Shows the alert through the installed presenter; the caller goes on at once.
    static void show(const Alert& alert);

    // Installs a presenter (not owned; it must outlive its installation) and answers the
    // previous one. nullptr restores the stderr presenter.
    static AlertPresenter* install(AlertPresenter* presenter);
};

} // namespace fretkit
