// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "results/gui/ResultsWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

#include "engine/core/ExamSession.h"
#include "engine/core/Readiness.h"
#include "engine/core/ReviewList.h"
#include "shell/core/ExamMode.h"
#include "shell/core/Session.h"
#include "shell/core/SoundCues.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

AccessibleLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text,
                           const QFont& font, const QColor& colour) {
    auto* label = new AccessibleLabel(text, parent);
    SetAccessibleRole(label, QAccessible::StaticText);
    label->setObjectName(name);
    // Section names come from the bank: shown as written, never as markup.
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    SetColour(label, QPalette::WindowText, colour);
    label->setAttribute(Qt::WA_TranslucentBackground);
    return label;
}

const char* BarImage(BarPicture picture) {
    switch (picture) {
        case BarPicture::Blue:
            return ":/bar_blue.png";
        case BarPicture::Red:
            return ":/bar_red.png";
        default:
            return ":/bar_white.png";
    }
}

}  // namespace

ResultsWindow::ResultsWindow(Session& session, const FinishedTest& test, const SoundCues& sounds,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    using namespace results_layout;
    setObjectName(QStringLiteral("TestResults"));
    setWindowTitle(QStringLiteral("Test Results"));
    setFixedSize(Px(8205), Px(6345));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(255, 255, 255));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* topBand = new QLabel(this);
    topBand->setObjectName(QStringLiteral("Shape10"));
    topBand->setPixmap(ReadPng(QStringLiteral(":/results_band_top.png")));
    topBand->setGeometry(TwipRect(0, 0, 9960, 780));
    auto* bottomBand = new QLabel(this);
    bottomBand->setObjectName(QStringLiteral("Shape11"));
    bottomBand->setPixmap(ReadPng(QStringLiteral(":/results_band_bottom.png")));
    bottomBand->setGeometry(TwipRect(-150, 5790, 9960, 780));

    MakeLabel(this, "Label1", "Test Results", ArialBold(21.75), Qt::white)
        ->setGeometry(TwipRect(315, 180, 2595, 510));
    QLabel* overallTitle = MakeLabel(this, "Label3", "Overall Score",
                                     LayoutFont("Times New Roman", 18, true, true), Qt::white);
    overallTitle->setGeometry(TwipRect(3375, 225, 2595, 465));
    overallTitle->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // A light red: pure red would not read on the dark band.
    overall_ = MakeLabel(this, "Label2", QString(), LayoutFont("Times New Roman", 48, true, true),
                         QColor(255, 160, 160));
    overall_->setAlignment(Qt::AlignRight | Qt::AlignTop);
    // The bands are dark: a light mark shows there.
    overall_->setFocusMark(QColor(255, 255, 255));

    for (int i = 0; i < kVisibleRows; ++i) {
        Row& row = rows_[static_cast<size_t>(i)];
        row.name = MakeLabel(this, QStringLiteral("lblSectionName%1").arg(i), QString(),
                             LayoutFont("Arial", 8.25), Qt::black);
        row.name->setWordWrap(true);
        row.name->setAlignment(Qt::AlignRight | Qt::AlignTop);
        row.name->setFocusMark(QColor(0, 0, 0));
        // A row reads as one sentence, given to its name; the bar and the
        // score only repeat it.
        row.bar = new AccessibleLabel(this);
        HideFromAssistiveTools(row.bar);
        row.bar->setObjectName(QStringLiteral("percentBar%1").arg(i));
        row.bar->setScaledContents(true);
        row.bar->setGeometry(
            TwipRect(kBarLeft, kBarTop + kRowPitch * i, kFullBarWidth, kBarHeight));
        row.score = MakeLabel(this, QStringLiteral("percentLabel%1").arg(i), QString(),
                              ArialBold(9.75), Qt::black);
        HideFromAssistiveTools(row.score);
    }

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("VScroll1"));
    scroll_->setGeometry(TwipRect(7695, 1050, 285, 4470));
    scroll_->setRange(1, 1);
    scroll_->setValue(1);
    scroll_->setSingleStep(1);
    scroll_->setPageStep(5);

    pictures_ = new PictureButtons(sounds, this, /*clickActsWhenDisabled=*/true);
    pictures_->addButton(this, TwipRect(6150, 5850, 1950, 405),
                         ReadPng(QStringLiteral(":/btn_back_normal.png")),
                         ReadPng(QStringLiteral(":/btn_back_rolled.png")),
                         ReadPng(QStringLiteral(":/btn_back_clicked.png")));
    connect(pictures_, &PictureButtons::clicked, this, [this](int) { accept(); });
    pictures_->button(0)->setAccessibleName(QStringLiteral("Back"));
    // With more rows than fit, the keyboard scrolls them too.
    scroll_->setFocusPolicy(Qt::TabFocus);
    scroll_->setAccessibleName(QStringLiteral("Sections"));
    // The report reads in order: each row's sentence, the overall score, then
    // BACK. The arrow keys, Home and End move through the sentences.
    std::vector<QWidget*> order;
    for (Row& row : rows_) {
        row.name->setFocusPolicy(Qt::TabFocus);
        row.name->installEventFilter(this);
        order.push_back(row.name);
    }
    overall_->setFocusPolicy(Qt::TabFocus);
    overall_->installEventFilter(this);
    order.push_back(overall_);
    order.push_back(pictures_->button(0));
    order.push_back(scroll_);
    SetTabOrder(order);

    // Load step.
    CenterForm(this);
    pictures_->loadButtons();
    const ExamInfo* realExam =
        NormalizedTestMode(test.mode) == kModeRealExam ? session.exams.find(test.element) : nullptr;
    report_ = std::make_unique<ScoreReport>(test.scores, test.element, realExam);
    QLabel* poolLine = nullptr;
    if (report_->afterRealExam()) {
        // The pass line sits under "Overall Score", which moves up to make room.
        overallTitle->move(overallTitle->x(), Px(45));
        AccessibleLabel* passLine =
            MakeLabel(this, "lblPassLine", report_->passLine(), ArialBold(9.75),
                      report_->passed() ? QColor(255, 255, 0) : Qt::white);
        passLine->setAlignment(Qt::AlignRight | Qt::AlignTop);
        passLine->setGeometry(TwipRect(2910, 480, 5970 - 2910, 270));
        // The overall score reads it.
        HideFromAssistiveTools(passLine);
        // Beside BACK in the bottom band: how much of the whole pool the
        // student knows by now, from the study record this exam has added to.
        const PoolProgress pool = PoolProgressFor(session, test.element);
        if (pool.readOk && pool.questions > 0) {
            poolLine =
                MakeLabel(this, "lblPoolLine", PoolProgressLine(pool), ArialBold(9.75), Qt::white);
            poolLine->setGeometry(TwipRect(315, 5925, 5700, 270));
        }
    }
    // Also in the bottom band: the chance of passing the real exam, before and
    // after this test. Beside the pool line, both share the band's height.
    if (test.chanceBefore) {
        const Readiness after = ReadinessFor(session, test.element);
        if (after.available) {
            QLabel* chance = MakeLabel(this, "lblChanceLine",
                                       ChanceChangeLine(*test.chanceBefore, after.passChance),
                                       ArialBold(9.75), Qt::white);
            chance->setGeometry(TwipRect(315, poolLine ? 6075 : 5925, 4400, 270));
            if (poolLine) poolLine->move(poolLine->x(), Px(5835));
        }
    }
    links_ = new MenuItems(this, QStringLiteral("lblLink"),
                           {QColor(128, 128, 255), QColor(255, 255, 128), QColor(255, 128, 0)});
    QLabel* progress = links_->addItem(this, QStringLiteral("Progress"));
    progress->setFont(ArialBold(9.75));
    progress->adjustSize();
    progress->move(Px(6000) - progress->width(), Px(5925));
    progress->setAccessibleName(QStringLiteral("Your progress"));
    progress->hide();
    QLabel* review = links_->addItem(this, QStringLiteral("Review answers"));
    review->setFont(ArialBold(9.75));
    review->adjustSize();
    review->setAccessibleName(QStringLiteral("Review your answers"));
    review->hide();
    recorded_ = test.recordTest != 0;
    links_->addBackground(this);
    connect(links_, &MenuItems::clicked, this, [this](int index) {
        if (index == 0 && progressOpener_) progressOpener_();
        if (index == 1 && reviewOpener_) reviewOpener_();
    });
    SetTabOrder({pictures_->button(0), scroll_, review, progress});
    if (report_->scrollVisible()) {
        scroll_->setRange(1, report_->scrollMaximum());
    } else {
        scroll_->hide();
    }
    overall_->setText(report_->overallText());
    overall_->setAccessibleName(report_->SpokenOverall());
    overall_->adjustSize();
    // The percentage keeps its right edge where the layout puts it. Its
    // digits stand wholly on the dark band (the label's top is blank), so
    // that one colour reads on all of them.
    overall_->move(Px(6390 + 1740) - overall_->width(), Px(-135));
    switch (report_->cheer()) {
        case Cheer::Applause:
            sounds.play(QStringLiteral("applause.wav"));
            break;
        case Cheer::Clap:
            sounds.play(QStringLiteral("clap.wav"));
            break;
        case Cheer::None:
            break;
    }
    drawGrid();
    connect(scroll_, &QScrollBar::valueChanged, this, &ResultsWindow::drawGrid);
    // The keyboard, and a screen reader with it, starts at the first row.
    rows_.front().name->setFocus(Qt::TabFocusReason);
}

bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if ((key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QDialog::eventFilter(watched, event);
    // The sentences in reading order: the shown rows, then the overall score.
    std::vector<QWidget*> sentences;
    for (Row& row : rows_) {
        if (row.name->isVisibleTo(this)) sentences.push_back(row.name);
    }
    sentences.push_back(overall_);
    const auto here = std::find(sentences.begin(), sentences.end(), watched);
    if (here == sentences.end()) return QDialog::eventFilter(watched, event);
    const auto index = here - sentences.begin();
    const auto last = static_cast<std::ptrdiff_t>(sentences.size()) - 1;
    const bool onLastRow = index == last - 1;
    switch (key->key()) {
        case Qt::Key_Down:
            // Past the last shown row, more rows scroll in before the score.
            if (onLastRow && scroll_->isVisible() && scroll_->value() < scroll_->maximum()) {
                scroll_->setValue(scroll_->value() + 1);
                AnnounceFocus(sentences[static_cast<size_t>(index)]);
                return true;
            }
            sentences[static_cast<size_t>(std::min(index + 1, last))]->setFocus(Qt::TabFocusReason);
            return true;
        case Qt::Key_Up:
            if (index == 0 && scroll_->isVisible() && scroll_->value() > scroll_->minimum()) {
                scroll_->setValue(scroll_->value() - 1);
                AnnounceFocus(sentences.front());
                return true;
            }
            sentences[static_cast<size_t>(std::max<std::ptrdiff_t>(index - 1, 0))]->setFocus(
                Qt::BacktabFocusReason);
            return true;
        case Qt::Key_Home:
            scroll_->setValue(scroll_->minimum());
            sentences.front()->setFocus(Qt::BacktabFocusReason);
            return true;
        case Qt::Key_End:
            scroll_->setValue(scroll_->maximum());
            overall_->setFocus(Qt::TabFocusReason);
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::setProgressOpener(std::function<void()> opener) {
    progressOpener_ = std::move(opener);
    links_->item(0)->setVisible(static_cast<bool>(progressOpener_));
}

void ResultsWindow::setReviewOpener(std::function<void()> opener) {
    reviewOpener_ = std::move(opener);
    QLabel* review = links_->item(1);
    review->setVisible(reviewOpener_ && recorded_);
    // Above the progress link, both at the band's right.
    review->move(Px(6000) - review->width(), Px(5835));
    QLabel* progress = links_->item(0);
    if (review->isVisibleTo(this)) progress->move(progress->x(), Px(6075));
}

void ResultsWindow::drawGrid() {
    using namespace results_layout;
    const int first = scroll_->value();
    for (int i = 0; i < kVisibleRows; ++i) {
        Row& row = rows_[static_cast<size_t>(i)];
        const ResultRow* result = report_->rowAt(first + i);
        row.name->setVisible(result != nullptr);
        row.bar->setVisible(result != nullptr);
        row.score->setVisible(result != nullptr);
        if (!result) continue;

        row.score->setText(ScoreReport::ScoreText(*result));
        row.score->adjustSize();
        row.name->setText(result->name);
        row.name->setAccessibleName(report_->SpokenRow(*result));
        row.name->setFixedWidth(Px(3570));
        row.name->setFixedHeight(row.name->heightForWidth(Px(3570)));

        const RowPlacement place =
            report_->place(i, *result, Twips(row.score->width()), Twips(row.score->height()),
                           Twips(row.name->height()));
        SetColour(row.score, QPalette::WindowText,
                  place.scoreBlack ? QColor(0, 0, 0) : QColor(0, 96, 96));
        row.bar->setPixmap(ResourcePicture(QString::fromLatin1(BarImage(place.picture))));
        row.bar->setGeometry(Px(kBarLeft), Px(place.barTop), Px(place.barWidth), Px(kBarHeight));
        row.score->move(Px(place.scoreLeft), Px(place.scoreTop));
        row.name->move(Px(150), Px(place.nameTop));
    }
}

}  // namespace quillet
