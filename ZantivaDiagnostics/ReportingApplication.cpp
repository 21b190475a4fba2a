#include "ReportingApplication.h"

#include <exception>

#include "Bridge/ExceptionCatcher.h"

namespace zantiva {

bool ReportingApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        ExceptionCatcher::report(ExceptionCatcher::describe(std::current_exception()));
        return false;
    }
}

} // namespace zantiva
