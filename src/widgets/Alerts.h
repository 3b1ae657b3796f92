#pragma once

#include <functional>
#include <string>

namespace velarium {

// How the program signals the user: the system beep for a special physical situation, and a modal
// message with an OK button. The program installs the real ones; tests install their own.
struct Alerts {
    std::function<void()> beep;
    std::function<void(const std::string&)> message;
};

// Replaces the installed alerts and returns the previous ones.
Alerts installAlerts(Alerts alerts);

void beep();
void alertMessage(const std::string& text);

}  // namespace velarium
