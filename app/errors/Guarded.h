#pragma once

#include "ErrorDisplay.h"

#include <concepts>
#include <exception>
#include <functional>
#include <utility>

namespace app {

// Runs an action; whatever it raises goes to the error display, so that no
// exception crosses Qt's event loop. For event overrides (showEvent ...) and
// lambdas.
template <typename F>
void runGuarded(F&& action) noexcept
{
    try {
        std::invoke(std::forward<F>(action));
    } catch (...) {
        ErrorDisplay::show(std::current_exception());
    }
}

// The callable through which every handler is connected:
//   connect(btnCauta, &QPushButton::clicked, this, guarded(this, &TfFisaContA_Morv::btnCautaClick));
// Give the receiver as the connection's context too, so that the connection
// ends with it. The callable takes exactly the handler's parameters; Qt drops
// the extra arguments of the signal.
template <typename Receiver, typename Class, typename R, typename... Args>
    requires std::derived_from<Receiver, Class>
auto guarded(Receiver* receiver, R (Class::*handler)(Args...))
{
    return [receiver, handler](Args... args) {
        runGuarded([&] { (receiver->*handler)(std::forward<Args>(args)...); });
    };
}

template <typename Receiver, typename Class, typename R, typename... Args>
    requires std::derived_from<Receiver, Class>
auto guarded(const Receiver* receiver, R (Class::*handler)(Args...) const)
{
    return [receiver, handler](Args... args) {
        runGuarded([&] { (receiver->*handler)(std::forward<Args>(args)...); });
    };
}

// A guarded action without parameters (a lambda).
template <std::invocable F>
auto guarded(F action)
{
    return [action = std::move(action)]() mutable { runGuarded(action); };
}

} // namespace app
