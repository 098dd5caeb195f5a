#include "AlertPresenter.h"

#include <atomic>
#include <cstdio>

namespace fretkit {
namespace {

class StderrAlertPresenter final : public AlertPresenter {
public:
    void present(const Alert& alert) override {
        std::fprintf(stderr, "%s: %s\n", alert.title.c_str(), alert.message.c_str());
    }
};

StderrAlertPresenter stderrPresenter;
std::atomic<AlertPresenter*> installed{&stderrPresenter};

} // namespace

void AlertPresenter::show(const Alert& alert) {
    installed.load()->present(alert);
}

AlertPresenter* AlertPresenter::install(AlertPresenter* presenter) {
    AlertPresenter* previous = installed.exchange(presenter ? presenter : &stderrPresenter);
    return previous == &stderrPresenter ? nullptr : previous;
}

} // namespace fretkit
