#include "Bridge/ExceptionCatcher.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <typeinfo>

#include <cxxabi.h>

#include "Platform/Log.h"

namespace zantiva {
namespace {

std::string demangled(const std::type_info* type) {
    if (!type) return "unknown exception";
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? std::string(name.get()) : std::string(type->name());
}

std::mutex handlerLock;
// Shared, so a report in flight keeps the handler it took even when another is installed.
std::shared_ptr<const ExceptionCatcher::Handler> installed;

} // namespace

std::string CaughtException::text() const { return reason && !reason->empty() ? *reason : name; }

namespace ExceptionCatcher {

std::optional<CaughtException> perform(const std::function<void()>& body) {
    try {
        body();
        return std::nullopt;
    } catch (...) {
        return describe(std::current_exception());
    }
}

CaughtException describe(const std::exception_ptr& error) {
    if (!error) return {"unknown exception", std::nullopt};
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& caught) {
        return {demangled(&typeid(caught)), std::string(caught.what())};
    } catch (...) {
        return {demangled(abi::__cxa_current_exception_type()), std::nullopt};
    }
}

void setApplicationHandler(Handler handler) {
    auto next = handler ? std::make_shared<const Handler>(std::move(handler)) : nullptr;
    const std::lock_guard lock(handlerLock);
    installed = std::move(next);
}

void report(const CaughtException& exception) {
    log::error("exception", "uncaught " + exception.name + ": " + exception.text());
    std::shared_ptr<const Handler> handler;
    {
        const std::lock_guard lock(handlerLock);
        handler = installed;
    }
    if (handler) (*handler)(exception);
}

} // namespace ExceptionCatcher

} // namespace zantiva
