// The showing and placing of a window on its own, without controls: a plain window placed where a
// form's place and size ask, and the place and size the window system gives it told back.
#include <QCoreApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <functional>
#include <optional>
#include <gtest/gtest.h>

#include "support.h"
#include "windowplacing.h"

namespace brasket::gui {
namespace {

// A form's place and size as the placing hears and tells them, and what it was told.
struct PlacedWindow : ::testing::Test {
    QWidget window;
    WindowPlacing* placing = new WindowPlacing(&window);
    std::optional<QRect> asked;
    std::vector<QRect> told;
    long fronts = 0;

    void SetUp() override {
        placing->askedframe = [this] { return asked; };
        placing->setformframe = [this](const QRect& frame) {
            told.push_back(frame);
            asked = frame;
        };
    }
    void show() {
        placing->follow(true, fronts);
        ASSERT_TRUE(testing::rununtil([&] { return window.isVisible() && !placing->placing(); })) << "never placed";
    }
    QRect freearea() const { return window.screen()->availableGeometry(); }
};

TEST_F(PlacedWindow, IsShownAtItsFormsPlaceAndSizeAndTellsTheFormNothingNew) {
    asked = QRect(30, 20, 600, 300);
    show();
    EXPECT_EQ(windowframe(window), QRect(30, 20, 600, 300));
    EXPECT_TRUE(told.empty()) << "the form was told a frame it already had";

    // A new place and size of the form while the window is shown move and size it.
    asked = QRect(60, 40, 500, 250);
    placing->follow(true, fronts);
    QCoreApplication::processEvents();
    EXPECT_EQ(windowframe(window), QRect(60, 40, 500, 250));

    placing->follow(false, fronts);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(asked, QRect(60, 40, 500, 250));
}

// A form without a size gets the window's own size in the middle of the free area; a form larger
// than the free area, or partly off it, gets a window inside it. Either way the form is told.
TEST_F(PlacedWindow, IsKeptInsideTheFreeAreaAndCentredWhereTheFormHasNoSize) {
    const QRect free = freearea();
    window.resize(400, 200);
    show();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.front().size(), windowframe(window).size());
    EXPECT_EQ(told.front().center(), free.center());
    EXPECT_EQ(windowframe(window), *asked);
    placing->follow(false, fronts);

    told.clear();
    asked = QRect(free.left() - 50, free.top() + 40, free.width() + 300, free.height() / 2);
    show();
    const QRect inside(free.left(), free.top() + 40, free.width(), free.height() / 2);
    EXPECT_EQ(windowframe(window), inside);
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back(), inside);
}

// A window closed while maximized leaves the form at its place and size in its normal state, and
// is shown there again in its normal state; one minimized comes back when the form asks for the
// front.
TEST_F(PlacedWindow, ClosedMaximizedComesBackNormalAndMinimizedComesBackToTheFront) {
    asked = QRect(30, 20, 600, 300);
    show();
    window.setWindowState(Qt::WindowMaximized);
    ASSERT_TRUE(testing::rununtil([&] { return window.isMaximized(); }));
    QCoreApplication::processEvents();
    placing->follow(false, fronts);
    EXPECT_EQ(asked, QRect(30, 20, 600, 300)) << "the form kept the maximized frame";

    show();
    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(windowframe(window), QRect(30, 20, 600, 300));

    window.setWindowState(Qt::WindowMinimized);
    ASSERT_TRUE(testing::rununtil([&] { return window.isMinimized(); }));
    placing->follow(true, ++fronts);
    EXPECT_FALSE(window.isMinimized());
    ASSERT_TRUE(testing::rununtil([&] { return !placing->placing(); }));
    EXPECT_EQ(windowframe(window), QRect(30, 20, 600, 300));
}

// The user's move and resize of the shown window are told to the form; the placing's own steps
// and the program's requests are not taken for the user's.
TEST_F(PlacedWindow, TheUsersMoveAndResizeAreToldToTheForm) {
    asked = QRect(30, 20, 600, 300);
    show();
    told.clear();
    const QPoint offset = window.geometry().topLeft() - window.frameGeometry().topLeft();
    window.windowHandle()->setPosition(QPoint(200, 150) + offset);
    QCoreApplication::processEvents();
    ASSERT_FALSE(told.empty());
    EXPECT_EQ(told.back().topLeft(), QPoint(200, 150));
    const QSize frame = window.frameGeometry().size() - window.size();
    window.windowHandle()->setGeometry(QRect(window.geometry().topLeft(), QSize(500, 250) - frame));
    QCoreApplication::processEvents();
    EXPECT_EQ(told.back(), QRect(200, 150, 500, 250));
}

}  // namespace
}  // namespace brasket::gui
