#pragma once

#include <exception>
#include <functional>
#include <optional>
#include <string>

namespace zantiva {

// What a caught exception told: its type's name and its reason (what()); an exception
// that is no std::exception has no reason.
struct CaughtException {
    std::string name;
    std::optional<std::string> reason;

    // The reason, or the type's name when there is none (or it is empty).
    std::string text() const;

    bool operator==(const CaughtException&) const = default;
};

// The one place that catches exceptions that no caller handles: a call that may throw
// becomes an error value, and exceptions that escape into the event loop or a detached
// task reach the application's handler instead of ending the program.
namespace ExceptionCatcher {

// Runs the body; nothing when it returned normally, else what it threw.
std::optional<CaughtException> perform(const std::function<void()>& body);

// Describes an exception; the type's name is demangled ("std::runtime_error").
CaughtException describe(const std::exception_ptr& error);

using Handler = std::function<void(const CaughtException&)>;

// Installs the handler for exceptions nobody caught; an empty one removes it. Safe from
// any thread; the handler is called on the thread that reports.
void setApplicationHandler(Handler handler);

// Logs the exception and hands it to the installed handler, if any. Any thread.
void report(const CaughtException& exception);

} // namespace ExceptionCatcher

} // namespace zantiva
