#pragma once

#include <QApplication>

namespace zantiva {

// The windowed program's application object: an exception that escapes an event handler
// is reported to ExceptionCatcher's application handler instead of ending the program.
class ReportingApplication : public QApplication {
    Q_OBJECT

public:
    ReportingApplication(int& argc, char** argv) : QApplication(argc, argv) {}

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zantiva
