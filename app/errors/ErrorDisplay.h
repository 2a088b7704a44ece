#pragma once

#include <QString>

#include <exception>
#include <optional>

namespace app {

// The one place that shows an error to the operator. Handlers never catch:
// what they raise comes here (through guarded()), is shown in a modal box
// over the active window, and the program goes on.
class ErrorDisplay {
public:
    // The text shown for an error: its message, or the innermost non-empty
    // message of the errors it wraps (std::throw_with_nested), with "."
    // appended when the last character's code is above that of ".".
    // Nothing for a SilentAbort.
    static std::optional<QString> message(std::exception_ptr error);

    // Shows the error box: error icon, one OK button, the application name
    // as caption, owned by the active window. Returns when it is closed.
    static void show(std::exception_ptr error) noexcept;

    // The text for an error that escaped start-up: the error's class, the
    // executable and the message.
    static QString startupMessage(std::exception_ptr error, const QString& executableName);

    // Shows that text in an "Application Error" box.
    static void showStartupError(std::exception_ptr error) noexcept;

    // The name of the error's class, as readable as the compiler allows.
    static QString className(std::exception_ptr error);
};

} // namespace app
