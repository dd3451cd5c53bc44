#pragma once

#include <QString>

#include <functional>
#include <utility>

// The error report: a message box titled "Team Editor" with the message
// followed by ".", the error icon and an OK button.
void reportError(const QString& message);

// Tests receive the report's text instead of a message box; an empty
// function restores the message box.
void setErrorReportHook(std::function<void(const QString& text)> hook);

// Runs a command of a menu item or a button. An error it raises ends the
// command and is shown in the error report, so that no error leaves through
// the toolkit's signal and slot machinery.
void runCommand(const std::function<void()>& command);

// The command as a functor to connect to a menu item's or button's signal.
template <typename Command> auto guarded(Command command)
{
    return [command = std::move(command)]() { runCommand(command); };
}
