#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "Layout/OutsideClickDismissal.h"

using namespace zantiva;

namespace {

// A pop-up's owner: the flag, and a dismissal that clears it.
struct Owner {
    QWidget window;
    QWidget* host;
    OutsideClickDismissal* dismissal;
    bool presented = false;
    int closes = 0;

    Owner() : host(new QWidget(&window)) {
        host->resize(50, 20);
        dismissal = new OutsideClickDismissal(host, [this] {
            ++closes;
            set(false);
        });
        window.resize(200, 200);
        window.show();
    }
    void set(bool value) {
        presented = value;
        dismissal->setPresented(value);
    }
};

// Counts what reaches it.
class Target : public QWidget {
public:
    using QWidget::QWidget;
    int keys = 0;
    int releases = 0;

protected:
    void keyPressEvent(QKeyEvent*) override { ++keys; }
    void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

} // namespace

TEST(OutsideClickDismissal, EscapeClosesAtOnceAndIsConsumedOtherKeysPass) {
    Owner owner;
    auto* target = new Target(&owner.window);
    target->setFocusPolicy(Qt::StrongFocus);
    target->show();
    owner.set(true);
    EXPECT_TRUE(owner.dismissal->isWatching());

    for (const auto key : {Qt::Key_Return, Qt::Key_A, Qt::Key_Down}) QTest::keyClick(target, key);
    EXPECT_TRUE(owner.presented);
    EXPECT_EQ(target->keys, 3);

    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_FALSE(owner.presented); // in the same event, no turn of the loop needed
    EXPECT_EQ(target->keys, 3);
    EXPECT_FALSE(owner.dismissal->isWatching());

    // Closed, Escape is the focused widget's again.
    QTest::keyClick(target, Qt::Key_Escape);
    EXPECT_EQ(target->keys, 4);
}

TEST(OutsideClickDismissal, AReleaseClosesAfterTheClickHasReachedItsTarget) {
    Owner owner;
    auto* target = new Target(&owner.window);
    target->setGeometry(100, 100, 50, 50);
    target->show();
    owner.set(true);

    QTest::mousePress(target, Qt::LeftButton, {}, QPoint(5, 5));
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.presented); // a press alone does not close

    QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(target->releases, 1);
    EXPECT_TRUE(owner.presented); // deferred by one turn
    QCoreApplication::processEvents();
    EXPECT_FALSE(owner.presented);
    EXPECT_EQ(owner.closes, 1);

    // A right-click closes too, and is still delivered.
    owner.set(true);
    QTest::mouseClick(target, Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_EQ(target->releases, 2);
    QCoreApplication::processEvents();
    EXPECT_FALSE(owner.presented);
}

TEST(OutsideClickDismissal, TheOpenersOwnToggleClosesAndItStaysClosed) {
    Owner owner;
    auto* opener = new QPushButton("open", &owner.window);
    opener->setGeometry(100, 100, 60, 30);
    opener->show();
    QObject::connect(opener, &QPushButton::clicked, [&] { owner.set(!owner.presented); });

    QTest::mouseClick(opener, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.presented); // the opening click is not taken as an outside click

    QTest::mouseClick(opener, Qt::LeftButton);
    EXPECT_FALSE(owner.presented);
    QCoreApplication::processEvents();
    EXPECT_FALSE(owner.presented);
}

TEST(OutsideClickDismissal, OneWatchPerFlagAndNoneOnceTheHostIsGone) {
    Owner owner;
    owner.set(true);
    owner.set(true);
    EXPECT_TRUE(owner.dismissal->isWatching());
    owner.set(false);
    EXPECT_FALSE(owner.dismissal->isWatching());

    // Hidden while open: no watch, and no later event changes the flag.
    owner.set(true);
    owner.host->hide();
    EXPECT_FALSE(owner.dismissal->isWatching());
    QTest::mouseClick(&owner.window, Qt::LeftButton, {}, QPoint(150, 150));
    QCoreApplication::processEvents();
    EXPECT_TRUE(owner.presented);
    // Shown again with the flag still true: watching again.
    owner.host->show();
    EXPECT_TRUE(owner.dismissal->isWatching());

    // Destroyed with a close pending: nothing runs afterwards.
    QTest::mouseClick(&owner.window, Qt::LeftButton, {}, QPoint(150, 150));
    const int closes = owner.closes;
    delete owner.host;
    QCoreApplication::processEvents();
    EXPECT_EQ(owner.closes, closes);
}

TEST(OutsideClickDismissal, OneClickClosesEveryOpenPopUp) {
    Owner first;
    Owner second;
    first.set(true);
    second.set(true);
    QTest::mouseClick(&first.window, Qt::LeftButton, {}, QPoint(150, 150));
    QCoreApplication::processEvents();
    EXPECT_FALSE(first.presented);
    EXPECT_FALSE(second.presented);
    EXPECT_EQ(first.closes, 1);
    EXPECT_EQ(second.closes, 1);
}
