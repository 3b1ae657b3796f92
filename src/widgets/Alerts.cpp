#include "widgets/Alerts.h"

#include <utility>

namespace velarium {

namespace {
Alerts& installed() {
    static Alerts alerts;
    return alerts;
}
}  // namespace

Alerts installAlerts(Alerts alerts) { return std::exchange(installed(), std::move(alerts)); }

void beep() {
    if (installed().beep) installed().beep();
}

void alertMessage(const std::string& text) {
    if (installed().message) installed().message(text);
}

}  // namespace velarium
