#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#ifndef Q_MOC_RUN
#include "Presenters/ExternalRunPresenter.h"
#endif

class QPlainTextEdit;

namespace zantiva {

// The tools' output: 220 high, monospaced, selectable, in a rounded outlined frame. New lines
// are appended, and the view follows them while it is scrolled to the bottom, so the newest
// are in sight unless the user scrolled back to read.
class ConsoleView : public QWidget {
    Q_OBJECT
public:
    explicit ConsoleView(QWidget* parent = nullptr);

    // The empty text shows while there are no lines.
    void show(const std::vector<ExternalConsoleLine>& lines, const std::string& emptyText);

    QPlainTextEdit* text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPlainTextEdit* text_;
    std::vector<ExternalConsoleLine> lines_;
    std::string emptyText_;
};

} // namespace zantiva
