// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include <gtest/gtest.h>

#include <QDesktopServices>
#include <QLabel>
#include <QPointer>
#include <QScrollBar>
#include <QUrl>
#include <algorithm>

#include "GuiSupport.h"
#include "shell/gui/Twips.h"
#include "ui/core/InfoPages.h"
#include "ui/gui/Info.h"
#include "ui/gui/Rollover.h"

using namespace quillet;
using namespace quillet::testing;

namespace iw = info_window;

namespace {

QWidget* Page(QWidget* info, int number) {
    return info->findChild<QWidget*>(QStringLiteral("Picture2%1").arg(number));
}
QScrollBar* Bar(QWidget* info) { return info->findChild<QScrollBar*>("VScroll1"); }
QLabel* Item(QWidget* info, int index) {
    return info->findChild<QLabel*>(QStringLiteral("lblAnswer%1").arg(index));
}

// The page numbers whose page is showing.
std::vector<int> ShownPages(QWidget* info) {
    std::vector<int> shown;
    for (const auto& page : iw::kPages) {
        if (Page(info, page.number)->isVisibleTo(info)) shown.push_back(page.number);
    }
    return shown;
}

// The lowest edge of the labels on a page, in pixels.
int ContentBottom(QWidget* page) {
    int bottom = 0;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        bottom = std::max(bottom, label->geometry().bottom() + 1);
    }
    return bottom;
}

// Receives what QDesktopServices::openUrl is asked to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler("https", this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler("https"); }
    QStringList opened;

public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

}  // namespace

TEST(InfoWindow, OpensOnTheDisclaimerAndItsMenuOpensThePages) {
    const ExamTable exams;
    Info info(exams);
    EXPECT_EQ(info.size(), QSize(525, 343));
    EXPECT_EQ(info.findChild<QLabel*>("lblSection")->text(), "Information");
    EXPECT_EQ(info.pageShown(), iw::kDisclaimerPage);
    EXPECT_EQ(ShownPages(&info), std::vector<int>{iw::kDisclaimerPage});
    EXPECT_EQ(Page(&info, iw::kDisclaimerPage)->y(), 0);
    EXPECT_TRUE(Bar(&info)->isEnabled()) << "the disclaimer is taller than the viewport";

    // Every item with a page shows it, and a click opens that page.
    ASSERT_EQ(info.menu()->count(), 9);
    for (int i = 0; i < 8; ++i) {
        SCOPED_TRACE(i);
        const int page = iw::kMenu[static_cast<size_t>(i)].page;
        QLabel* item = Item(&info, i);
        EXPECT_EQ(item->isVisibleTo(&info), page >= 0);
        if (page < 0) continue;
        ClickChild(&info, item->objectName());
        EXPECT_EQ(info.pageShown(), page);
        EXPECT_EQ(ShownPages(&info), std::vector<int>{page});
    }
    EXPECT_EQ(Item(&info, 8)->text(), "Back");
}

TEST(InfoWindow, ScrollingMovesThePageAThousandTwipsAStepAndANewPageStartsAtItsTop) {
    const ExamTable exams;
    Info info(exams);
    QScrollBar* bar = Bar(&info);
    ClickChild(&info, "lblAnswer1");  // How to Study
    EXPECT_TRUE(bar->isEnabled());
    EXPECT_EQ(bar->maximum(), 15);
    EXPECT_EQ(bar->singleStep(), 1);
    EXPECT_EQ(bar->pageStep(), 5);

    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(Page(&info, iw::kStudyPage)->y(), Px(-1000));
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(Page(&info, iw::kStudyPage)->y(), Px(-15000));

    ClickChild(&info, "lblAnswer2");  // Figures
    EXPECT_EQ(Page(&info, iw::kFiguresPage)->y(), 0);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(bar->isEnabled());

    ClickChild(&info, "lblAnswer1");
    EXPECT_EQ(bar->value(), 0) << "the study page opens at its top again";
    EXPECT_EQ(Page(&info, iw::kStudyPage)->y(), 0);

    bar->setValue(3);
    ClickChild(&info, "lblAnswer6");  // Distribution, shorter than the viewport
    EXPECT_FALSE(bar->isEnabled());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(Page(&info, iw::kDistributionPage)->y(), 0);
}

TEST(InfoWindow, EveryPageFitsItsHeightAndItsEndCanBeScrolledIntoView) {
    const ExamTable exams;
    Info info(exams);
    const int viewport = info.findChild<QWidget*>("Picture1")->height();
    for (const auto& design : iw::kPages) {
        SCOPED_TRACE(design.number);
        QWidget* page = Page(&info, design.number);
        EXPECT_EQ(page->height(), Px(design.height));
        const int bottom = ContentBottom(page);
        EXPECT_LE(bottom, page->height());

        info.loadPage(design.number);
        QScrollBar* bar = Bar(&info);
        EXPECT_EQ(bar->isEnabled(), page->height() > viewport);
        bar->setValue(bar->maximum());
        // The last line lies inside the viewport.
        EXPECT_LE(page->y() + bottom, viewport);
        EXPECT_GT(page->y() + bottom, 0);
    }
}

TEST(InfoWindow, BackClosesItFromEveryPage) {
    const ExamTable exams;
    for (const auto& design : iw::kPages) {
        SCOPED_TRACE(design.number);
        bool seenPage = false;
        WhenModal("Info", [&](QWidget* window) {
            auto* info = static_cast<Info*>(window);
            info->loadPage(design.number);
            seenPage = Page(info, design.number)->isVisible();
            ClickChild(info, "lblAnswer8");
        });
        Info info(exams);
        info.exec();
        EXPECT_TRUE(seenPage);
        EXPECT_EQ(info.result(), QDialog::Accepted);
        EXPECT_FALSE(info.isVisible());
    }
}

TEST(InfoWindow, LinksAskTheDesktopToOpenTheirAddresses) {
    UrlRecorder recorder;
    const ExamTable exams;
    const char* home = "https://home.example.net/quillet/";
    Info info(exams, nullptr, QString::fromLatin1(home));
    const std::pair<const char*, const char*> links[] = {
        {"url2", iw::kFiguresAddress},
        {"url4", home},
        {"url5", home},
        {"url0", home},
    };
    for (const auto& [name, address] : links) {
        SCOPED_TRACE(name);
        auto* link = info.findChild<QLabel*>(name);
        ASSERT_NE(link, nullptr);
        EXPECT_EQ(link->text(), address);
        recorder.opened.clear();
        QTest::mouseClick(link, Qt::LeftButton);
        EXPECT_EQ(recorder.opened, QStringList{address});
    }
    // A press that ends off the link opens nothing.
    recorder.opened.clear();
    auto* link = info.findChild<QLabel*>("url2");
    QTest::mousePress(link, Qt::LeftButton);
    QTest::mouseRelease(link, Qt::LeftButton, {}, QPoint(-20, -20));
    EXPECT_TRUE(recorder.opened.isEmpty());
}

// Built without a home page, no page sends the student to one, to a message
// form or to downloads, and the only link left is the pools' own.
TEST(InfoWindow, WithoutAHomePageThePagesPromiseNone) {
    const ExamTable exams;
    Info info(exams);
    QStringList links;
    for (QLabel* label : info.findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        const QString text = label->text();
        EXPECT_FALSE(text.contains("home page", Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains("web site:", Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains("form for sending", Qt::CaseInsensitive));
        EXPECT_FALSE(text.contains("downloaded", Qt::CaseInsensitive));
        if (label->property("address").isValid()) links << label->property("address").toString();
    }
    EXPECT_EQ(links, QStringList{iw::kFiguresAddress});
}

#include "InfoTest.moc"
