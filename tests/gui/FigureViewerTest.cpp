#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include "GuiSupport.h"
#include "presentation/gui/FigureViewer.h"
#include "shell/core/QuestionBank.h"
#include "shell/gui/Twips.h"

using namespace quillet;
using namespace quillet::testing;

namespace {

QByteArray Png(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A program folder whose open bank holds a small figure (1), a figure larger
// than the viewer (2) and a row whose data is no picture (3).
class FigureViewer : public ::testing::Test {
protected:
    void SetUp() override {
        qbank::BankContent content = Sections(1);
        content.figures = {{1, Png(120, 80), "Figure T-1"},
                           {2, Png(900, 600), "Figure G7-1"},
                           {3, QByteArray("not a picture"), "Figure E9-3"}};
        ASSERT_TRUE(folder.writeBank(content));
        ASSERT_TRUE(OpenQuestionBank(folder.state).ok());
    }

    template <typename T = QWidget>
    static T* Child(QWidget* window, const char* name) {
        return window->findChild<T*>(QString::fromLatin1(name));
    }

    ProgramFolder folder;
};

struct Seen {
    QString caption;
    QSize picture;
    bool pictureShown = false;
    QRect pictureRect;
    QRect frame;
    QRect hBar;
    bool ran = false;
};

// Opens the viewer modally as the test screen does, looks at it once it is up
// and closes it with `close`.
Seen OpenAndClose(AppState& state, std::function<void(QWidget*)> close) {
    Seen seen;
    WhenModal("frmFigure", [&seen, close](QWidget* viewer) {
        seen.ran = true;
        seen.caption = viewer->findChild<QLabel*>("lblSection")->text();
        auto* picture = viewer->findChild<QLabel*>("picinner");
        seen.pictureShown = picture->isVisible();
        seen.picture = picture->pixmap().size();
        seen.pictureRect = picture->geometry();
        seen.frame = viewer->findChild<QWidget*>("picouter")->geometry();
        seen.hBar = viewer->findChild<QWidget*>("HScroll1")->geometry();
        close(viewer);
    });
    frmFigure viewer(state);
    viewer.exec();
    EXPECT_TRUE(seen.ran) << "the viewer did not come up";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the viewer did not close";
    return seen;
}

TEST_F(FigureViewer, ShowsTheFigureCentredUnderItsCaptionAndXClosesIt) {
    folder.state.currentFigureID = 1;
    const Seen seen = OpenAndClose(
        folder.state, [](QWidget* viewer) { ASSERT_TRUE(ClickChild(viewer, "Command1")); });
    EXPECT_EQ(seen.caption, "Figure T-1");
    EXPECT_TRUE(seen.pictureShown);
    EXPECT_EQ(seen.picture, QSize(120, 80));
    EXPECT_EQ(seen.pictureRect.size(), QSize(120, 80));
    // Centred in the frame along both axes: the margins differ by a pixel at most.
    const QRect& p = seen.pictureRect;
    EXPECT_NEAR(p.left(), seen.frame.width() - 1 - p.right(), 1);
    EXPECT_NEAR(p.top(), seen.frame.height() - 1 - p.bottom(), 1);
    // The frame ends just above the horizontal bar.
    EXPECT_LT(seen.frame.bottom(), seen.hBar.top());
    EXPECT_GE(seen.frame.bottom(), seen.hBar.top() - 2);
}

TEST_F(FigureViewer, MissingOrUnreadableFiguresLeaveAnEmptyFrameAndEscapeCloses) {
    const std::pair<int, const char*> cases[] = {{99, "Figure not found"}, {3, "Figure E9-3"}};
    for (const auto& [id, caption] : cases) {
        SCOPED_TRACE(id);
        folder.state.currentFigureID = id;
        const Seen seen = OpenAndClose(
            folder.state, [](QWidget* viewer) { QTest::keyClick(viewer, Qt::Key_Escape); });
        EXPECT_EQ(seen.caption, caption);
        EXPECT_FALSE(seen.pictureShown);
        EXPECT_TRUE(seen.picture.isEmpty());
    }
}

TEST_F(FigureViewer, ALargeFigureScrollsHalfThousandTwipsAStepAndReopensAtItsOrigin) {
    folder.state.currentFigureID = 2;
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        frmFigure viewer(folder.state);
        auto* picture = Child<QLabel>(&viewer, "picinner");
        auto* frame = Child(&viewer, "picouter");
        auto* across = Child<QScrollBar>(&viewer, "HScroll1");
        auto* down = Child<QScrollBar>(&viewer, "VScroll1");
        EXPECT_EQ(picture->pos(), QPoint(0, 0));
        EXPECT_EQ(across->value(), 0);
        EXPECT_EQ(down->value(), 0);

        // The far end of each bar brings the far edge of the picture to within
        // half a step of the frame's far edge.
        const int halfStep = Px(250) + 1;
        across->setValue(across->maximum());
        down->setValue(down->maximum());
        EXPECT_EQ(picture->x(), Px(-500 * across->maximum()));
        EXPECT_EQ(picture->y(), Px(-500 * down->maximum()));
        EXPECT_NEAR(picture->geometry().right(), frame->width() - 1, halfStep);
        EXPECT_NEAR(picture->geometry().bottom(), frame->height() - 1, halfStep);

        across->setValue(1);
        EXPECT_EQ(picture->x(), Px(-500));
    }
}

TEST_F(FigureViewer, PressesOnTheBackgroundCaptionFrameAndPictureMoveTheWindow) {
    folder.state.currentFigureID = 1;
    frmFigure viewer(folder.state);
    int moves = 0;
    viewer.setWindowMover([&moves](QWindow*) { ++moves; });
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));

    const std::pair<const char*, bool> targets[] = {
        {"lblSection", true}, {"picouter", true},  {"picinner", true},
        {"Command1", false},  {"HScroll1", false}, {"VScroll1", false},
    };
    for (const auto& [name, moves_window] : targets) {
        SCOPED_TRACE(name);
        for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
            const int before = moves;
            QWidget* target = Child(&viewer, name);
            // Away from the middle, so a press on the frame misses the picture;
            // released off the target, so that "X" is not clicked.
            QTest::mousePress(target, button, {}, QPoint(2, 2));
            QTest::mouseRelease(target, button, {}, QPoint(-40, -40));
            EXPECT_EQ(moves - before, moves_window ? 1 : 0);
        }
    }
    const int before = moves;
    QTest::mousePress(&viewer, Qt::LeftButton, {}, QPoint(200, 12));  // the dark strip at the top
    EXPECT_EQ(moves - before, 1);
    EXPECT_TRUE(viewer.isVisible()) << "pressing the scroll bars or the picture does not close it";
}

}  // namespace
