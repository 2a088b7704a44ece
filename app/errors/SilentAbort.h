#pragma once

#include <exception>

namespace app {

// Ends a handler without telling the operator anything: the error display
// shows nothing for it.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

} // namespace app
