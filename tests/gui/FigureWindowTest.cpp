// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include "GuiSupport.h"
#include "presentation/core/FigureViewer.h"
#include "presentation/gui/FigureWindow.h"
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
// than the viewer and the screen (2), a row whose data is no picture (3) and a
// figure larger than the viewer that the screen can show whole (4).
class FigureViewer : public ::testing::Test {
protected:
    void SetUp() override {
        qbank::BankContent content = Sections(1);
        content.figures = {{1, Png(120, 80), "Figure T-1"},
                           {2, Png(900, 600), "Figure G7-1"},
                           {3, QByteArray("not a picture"), "Figure E9-3"},
                           {4, Png(500, 330), "Figure E5-1"}};
        ASSERT_TRUE(folder.writeBank(content));
        ASSERT_TRUE(OpenQuestionBank(folder.session).ok());
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
Seen OpenAndClose(const Database& bank, int figureId, std::function<void(QWidget*)> close) {
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
    FigureWindow viewer(bank, figureId);
    viewer.exec();
    EXPECT_TRUE(seen.ran) << "the viewer did not come up";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the viewer did not close";
    return seen;
}

TEST_F(FigureViewer, ShowsTheFigureCentredUnderItsCaptionAndXClosesIt) {
    const Seen seen = OpenAndClose(folder.session.database, 1, [](QWidget* viewer) {
        ASSERT_TRUE(ClickChild(viewer, "Command1"));
    });
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
        const Seen seen = OpenAndClose(folder.session.database, id, [](QWidget* viewer) {
            QTest::keyClick(viewer, Qt::Key_Escape);
        });
        EXPECT_EQ(seen.caption, caption);
        EXPECT_FALSE(seen.pictureShown);
        EXPECT_TRUE(seen.picture.isEmpty());
    }
}

TEST_F(FigureViewer, ALargeFigureScrollsHalfThousandTwipsAStepAndReopensAtItsOrigin) {
    for (int opening = 0; opening < 2; ++opening) {
        SCOPED_TRACE(opening);
        FigureWindow viewer(folder.session.database, 2);
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
    FigureWindow viewer(folder.session.database, 1);
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

// The picture lies wholly inside the frame, and neither bar has anywhere to go.
void ExpectWholeFigure(FigureWindow& viewer) {
    auto* picture = viewer.findChild<QWidget*>("picinner");
    auto* frame = viewer.findChild<QWidget*>("picouter");
    EXPECT_TRUE(QRect(QPoint(0, 0), frame->size()).contains(picture->geometry()))
        << "picture " << picture->geometry().width() << "x" << picture->geometry().height()
        << " frame " << frame->width() << "x" << frame->height();
    EXPECT_EQ(viewer.findChild<QScrollBar*>("HScroll1")->maximum(), 1);
    EXPECT_EQ(viewer.findChild<QScrollBar*>("VScroll1")->maximum(), 1);
}

QRect Available(QWidget& window) { return window.screen()->availableGeometry(); }

TEST_F(FigureViewer, FOrADoubleClickShowsTheWholeFigureCentredAndGoesBackToTheDesignedSize) {
    FigureWindow viewer(folder.session.database, 4);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    const QSize designed = viewer.size();
    EXPECT_EQ(designed, FigureWindow::designedSize());
    EXPECT_LT(viewer.minimumSize().width(), designed.width()) << "the student can resize it";
    EXPECT_GT(viewer.maximumSize().width(), designed.width());
    auto* across = Child<QScrollBar>(&viewer, "HScroll1");
    across->setValue(across->maximum());  // looking at the right-hand part

    QTest::keyClick(&viewer, Qt::Key_F);
    EXPECT_GT(viewer.width(), designed.width());
    EXPECT_EQ(viewer.size(), viewer.wholeFigureSize(Available(viewer).size()));
    ExpectWholeFigure(viewer);
    EXPECT_NEAR(viewer.geometry().center().x(), Available(viewer).center().x(), 1);
    EXPECT_NEAR(viewer.geometry().center().y(), Available(viewer).center().y(), 1);

    QTest::keyClick(&viewer, Qt::Key_F);
    EXPECT_EQ(viewer.size(), designed);
    // Back in the small window the picture stands where its bars say.
    auto* picture = Child(&viewer, "picinner");
    EXPECT_EQ(picture->x(),
              Px(FigurePictureOffset(-FigureBarLength(across->maximum()), across->value())));

    QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(viewer.size(), viewer.wholeFigureSize(Available(viewer).size()));
    QTest::mouseDClick(picture, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(viewer.size(), designed);
    EXPECT_TRUE(viewer.isVisible());
}

TEST_F(FigureViewer, AFigureLargerThanTheScreenFillsItAndStillScrolls) {
    FigureWindow viewer(folder.session.database, 2);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    const QRect screen = Available(viewer);
    viewer.toggleWholeFigure();
    EXPECT_EQ(viewer.size(), viewer.wholeFigureSize(screen.size()));
    EXPECT_TRUE(screen.contains(viewer.geometry()));
    EXPECT_EQ(viewer.width(), screen.width());
    if (screen.height() < 600) {
        EXPECT_EQ(viewer.height(), screen.height());
    }
    // The screen is narrower than the figure: the rest is still reachable
    // with the bar.
    ASSERT_LT(screen.width(), 900) << "the test wants a figure wider than the screen";
    auto* picture = Child(&viewer, "picinner");
    auto* frame = Child(&viewer, "picouter");
    auto* across = Child<QScrollBar>(&viewer, "HScroll1");
    across->setValue(across->maximum());
    EXPECT_NEAR(picture->geometry().right(), frame->width() - 1, Px(250) + 1);
}

TEST_F(FigureViewer, EveryResizeLaysTheWindowOutAgain) {
    FigureWindow viewer(folder.session.database, 1);
    viewer.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&viewer));
    for (const QSize size : {QSize(600, 500), viewer.minimumSize()}) {
        viewer.resize(size);
        const QWidget* close = Child(&viewer, "Command1");
        EXPECT_EQ(close->geometry().right(), size.width() - 1);
        EXPECT_EQ(Child(&viewer, "HScroll1")->geometry().bottom(), size.height() - 1);
        EXPECT_EQ(Child(&viewer, "SizeGrip")->geometry().bottomRight(),
                  QPoint(size.width() - 1, size.height() - 1));
        // The small picture stays centred in the frame (to the rounding of
        // twips to pixels).
        const QRect p = Child(&viewer, "picinner")->geometry();
        const QWidget* frame = Child(&viewer, "picouter");
        EXPECT_NEAR(p.left(), frame->width() - 1 - p.right(), 2);
    }
}

}  // namespace
