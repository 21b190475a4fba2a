#pragma once

#include <QCoro/QCoroTask>

namespace zantiva {

// Starts a task that nobody awaits. An exception it lets escape, which a dropped task
// would swallow, reaches ExceptionCatcher's application handler. Every fire-and-forget
// task of the app goes through here.
void detach(QCoro::Task<> task);

} // namespace zantiva
