// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "results/gui/AnswerReviewWindow.h"

#include <QKeyEvent>
#include <QLabel>
#include <QScrollBar>
#include <algorithm>

#include "results/gui/ReportLook.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {

namespace {

constexpr int kLines = 14;  // rows shown at a time
constexpr int kFirstLineTop = 1470;
constexpr int kLinePitch = 300;
constexpr int kLineHeight = 270;
// Column lefts and widths, in twips.
constexpr int kIdLeft = 150, kIdWidth = 1000;
constexpr int kResultLeft = 1200, kResultWidth = 800;
constexpr int kChosenLeft = 2050, kChosenWidth = 700;
constexpr int kCorrectLeft = 2800, kCorrectWidth = 700;
constexpr int kRuleLeft = 3550, kRuleWidth = 2700;
constexpr int kFigureLeft = 6330;
constexpr int kFlagLeft = 6960, kFlagWidth = 720;

constexpr QColor kRightColour{0, 0, 192};
constexpr QColor kWrongColour{192, 0, 0};
constexpr QColor kFlagColour{176, 80, 0};

QString Letter(QChar letter) { return letter.isNull() ? QStringLiteral("?") : QString(letter); }

}  // namespace

AnswerReviewWindow::AnswerReviewWindow(AnswerReview review, const SoundCues& sounds,
                                       QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), review_(std::move(review)) {
    SetUpReportWindow(this, QStringLiteral("AnswerReview"), QStringLiteral("Review Answers"));

    // All or the wrong ones only, chosen on the band like pages.
    filters_ = new MenuItems(this, QStringLiteral("lblFilter"), kReportBandColours);
    filters_->setAccessibleRole(QAccessible::PageTab);
    int right = 7950;
    QLabel* all = filters_->addItem(this, QStringLiteral("All"));
    QLabel* wrong = filters_->addItem(this, QStringLiteral("Wrong only"));
    all->setAccessibleName(QStringLiteral("All questions"));
    wrong->setAccessibleName(QStringLiteral("Wrong answers only"));
    for (QLabel* item : {wrong, all}) {
        item->setFont(ArialBold(9.75));
        item->adjustSize();
        right -= Twips(item->width());
        item->move(Px(right), Px(300));
        right -= 240;
    }
    filters_->addBackground(this);
    connect(filters_, &MenuItems::clicked, this, [this](int index) {
        setFilter(index == 1 ? ReviewFilter::WrongOnly : ReviewFilter::All);
    });

    AccessibleLabel* summary = NewSpokenText(
        this, QStringLiteral("lblSummary"), TwipRect(150, 870, 7900, 270), ArialBold(9.75), kBlack);
    const QString summaryText =
        review_.readOk() ? review_.summary()
                         : QStringLiteral(
                               "The question bank could not be read, so the right answers are "
                               "not shown.");
    summary->setText(summaryText);
    summary->setAccessibleName(summaryText);

    const QFont headFont = ArialBold(8.25);
    const std::pair<const char*, int> heads[] = {{"Question", kIdLeft},  {"Result", kResultLeft},
                                                 {"Yours", kChosenLeft}, {"Answer", kCorrectLeft},
                                                 {"Rule", kRuleLeft},    {"Figure", kFigureLeft},
                                                 {"Flag", kFlagLeft}};
    int column = 0;
    for (const auto& [caption, left] : heads) {
        QLabel* head = NewSpokenText(this, QStringLiteral("lblHead%1").arg(column++),
                                     TwipRect(left, 1200, 1000, 240), headFont, kBlack);
        head->setText(QString::fromLatin1(caption));
        head->adjustSize();
        // Each row's sentence says what its columns show.
        HideFromAssistiveTools(head);
    }

    figures_ = new MenuItems(this, QStringLiteral("lblFigure"), kReportLinkColours);
    figures_->setAccessibleRole(QAccessible::PushButton);
    const QFont rowFont = LayoutFont(QStringLiteral("Arial"), 8.25);
    std::vector<QWidget*> order{all, wrong};
    for (int i = 0; i < kLines; ++i) {
        const int top = kFirstLineTop + i * kLinePitch;
        Line line;
        line.id =
            NewSpokenText(this, QStringLiteral("lblQuestion%1").arg(i),
                          TwipRect(kIdLeft, top, kIdWidth, kLineHeight), ArialBold(8.25), kBlack);
        line.id->setFocusMark(kBlack);
        line.id->setFocusPolicy(Qt::TabFocus);
        // A label that takes the focus sets its text at the top: every column does so.
        line.id->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        line.id->installEventFilter(this);
        const auto part = [&](const char* name, int left, int width, const QFont& font) {
            QLabel* label =
                NewSpokenText(this, QStringLiteral("%1%2").arg(QLatin1String(name)).arg(i),
                              TwipRect(left, top, width, kLineHeight), font, kBlack);
            HideFromAssistiveTools(label);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return label;
        };
        line.result = part("lblResult", kResultLeft, kResultWidth, ArialBold(8.25));
        line.chosen = part("lblChosen", kChosenLeft, kChosenWidth, rowFont);
        line.correct = part("lblCorrect", kCorrectLeft, kCorrectWidth, rowFont);
        line.rule = part("lblRule", kRuleLeft, kRuleWidth, rowFont);
        line.flag = part("lblFlag", kFlagLeft, kFlagWidth, ArialBold(8.25));
        SetColour(line.flag, QPalette::WindowText, kFlagColour);
        QLabel* figure = figures_->addItem(this, QStringLiteral("fig"));
        figure->setFont(ArialBold(8.25));
        figure->adjustSize();
        figure->move(Px(kFigureLeft), Px(top));
        lines_.push_back(line);
        order.push_back(line.id);
        order.push_back(figure);
    }
    figures_->addBackground(this);
    connect(figures_, &MenuItems::clicked, this, &AnswerReviewWindow::openFigure);

    AccessibleLabel* empty =
        NewSpokenText(this, QStringLiteral("lblEmpty"),
                      TwipRect(kIdLeft, kFirstLineTop, 7400, kLineHeight), rowFont, kBlack);
    empty->setFocusMark(kBlack);
    emptyLine_ = empty;
    emptyLine_->setText(QStringLiteral("Every question of this test was answered right."));
    emptyLine_->setAccessibleName(emptyLine_->text());
    emptyLine_->setFocusPolicy(Qt::TabFocus);
    emptyLine_->hide();
    order.push_back(emptyLine_);

    scroll_ = new QScrollBar(Qt::Vertical, this);
    scroll_->setObjectName(QStringLiteral("VScroll1"));
    scroll_->setGeometry(TwipRect(7695, kFirstLineTop, 285, kLines * kLinePitch));
    scroll_->setSingleStep(1);
    scroll_->setPageStep(kLines);
    scroll_->setFocusPolicy(Qt::TabFocus);
    scroll_->setAccessibleName(QStringLiteral("Questions"));
    connect(scroll_, &QScrollBar::valueChanged, this, &AnswerReviewWindow::drawRows);

    // In the bottom band: the retry, or why there is none, and BACK.
    retryItem_ = new MenuItems(this, QStringLiteral("lblRetry"), kReportBandColours);
    retryItem_->setAccessibleRole(QAccessible::PushButton);
    QLabel* retry = retryItem_->addItem(this, QStringLiteral("Retry missed"));
    retry->setFont(ArialBold(9.75));
    retry->adjustSize();
    retry->move(Px(315), Px(5925));
    retryItem_->addBackground(this);
    connect(retryItem_, &MenuItems::clicked, this, [this](int) {
        if (review_.missedQuestions().empty()) return;
        retry_ = true;
        accept();
    });
    const auto missed = static_cast<int>(review_.missedQuestions().size());
    retry->setAccessibleName(missed == 1
                                 ? QStringLiteral("Retry the missed question")
                                 : QStringLiteral("Retry the %1 missed questions").arg(missed));
    retry->setVisible(missed > 0);
    if (missed == 0) {
        QLabel* none = NewSpokenText(this, QStringLiteral("lblNoRetry"),
                                     TwipRect(315, 5925, 5700, 270), ArialBold(9.75), kWhite);
        none->setText(review_.rows().size() == static_cast<size_t>(review_.rightCount())
                          ? QStringLiteral("Nothing missed to retry.")
                          : QStringLiteral("The missed questions are no longer in the bank."));
        none->setAccessibleName(none->text());
    }

    pictures_ = AddReportBackButton(this, sounds);

    order.push_back(retry);
    order.push_back(pictures_->button(0));
    order.push_back(scroll_);
    SetTabOrder(order);

    CenterForm(this);
    pictures_->loadButtons();
    setFilter(ReviewFilter::All);
    // The keyboard, and a screen reader with it, starts at the first row.
    lines_.front().id->setFocus(Qt::TabFocusReason);
}

AnswerReviewWindow::~AnswerReviewWindow() = default;

void AnswerReviewWindow::setFilter(ReviewFilter filter) {
    filter_ = filter;
    shown_ = review_.rows(filter);
    for (int i = 0; i < filters_->count(); ++i) {
        const bool chosen = (i == 1) == (filter == ReviewFilter::WrongOnly);
        SetAccessibleSelected(filters_->item(i), chosen);
        QFont font = filters_->item(i)->font();
        font.setUnderline(chosen);
        filters_->item(i)->setFont(font);
    }
    const int maximum = std::max(0, static_cast<int>(shown_.size()) - kLines);
    {
        const QSignalBlocker block(scroll_);
        scroll_->setRange(0, maximum);
        scroll_->setValue(0);
    }
    scroll_->setVisible(maximum > 0);
    drawRows();
}

void AnswerReviewWindow::drawRows() {
    const int first = scroll_->value();
    emptyLine_->setVisible(shown_.empty());
    for (int i = 0; i < kLines; ++i) {
        Line& line = lines_[static_cast<size_t>(i)];
        const size_t index = static_cast<size_t>(first + i);
        const ReviewRow* row = index < shown_.size() ? shown_[index] : nullptr;
        for (QLabel* label : {static_cast<QLabel*>(line.id), line.result, line.chosen, line.correct,
                              line.rule, line.flag}) {
            label->setVisible(row != nullptr);
        }
        QLabel* figure = figures_->item(i);
        figure->setVisible(row && row->figureId > 0);
        if (!row) continue;
        line.id->setText(row->poolId);
        line.id->setAccessibleName(SpokenReviewRow(*row));
        line.result->setText(row->right ? QStringLiteral("right") : QStringLiteral("wrong"));
        SetColour(line.result, QPalette::WindowText, row->right ? kRightColour : kWrongColour);
        line.chosen->setText(Letter(row->chosen));
        line.correct->setText(Letter(row->correct));
        line.rule->setText(
            line.rule->fontMetrics().elidedText(row->rule, Qt::ElideRight, line.rule->width()));
        line.rule->setToolTip(row->rule);
        line.flag->setText(row->flagged ? QStringLiteral("flagged") : QString());
        figure->setAccessibleName(QStringLiteral("Show the figure of ") + row->poolId);
    }
    // The keyboard stays in the list when its row is filtered away.
    if (shown_.empty() && std::any_of(lines_.begin(), lines_.end(),
                                      [](const Line& line) { return line.id->hasFocus(); })) {
        emptyLine_->setFocus(Qt::TabFocusReason);
    }
}

void AnswerReviewWindow::openFigure(int line) {
    const size_t index = static_cast<size_t>(scroll_->value() + line);
    if (index >= shown_.size() || shown_[index]->figureId <= 0) return;
    if (figureOpener_) figureOpener_(shown_[index]->figureId);
}

bool AnswerReviewWindow::moveFocus(int line, int step) {
    if (shown_.empty()) return false;
    const int last = static_cast<int>(shown_.size()) - 1;
    const int target = std::clamp(scroll_->value() + line + step, 0, last);
    if (target < scroll_->value()) {
        scroll_->setValue(target);
    } else if (target >= scroll_->value() + kLines) {
        scroll_->setValue(target - kLines + 1);
    }
    AccessibleLabel* label = lines_[static_cast<size_t>(target - scroll_->value())].id;
    if (label->hasFocus()) {
        // The same label now reads another row.
        AnnounceFocus(label);
    } else {
        label->setFocus(step < 0 ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    }
    return true;
}

bool AnswerReviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto line = std::find_if(lines_.begin(), lines_.end(),
                                   [watched](const Line& l) { return l.id == watched; });
    const auto* key = static_cast<QKeyEvent*>(event);
    if (line == lines_.end() || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return QDialog::eventFilter(watched, event);
    const int at = static_cast<int>(line - lines_.begin());
    const int count = static_cast<int>(shown_.size());
    switch (key->key()) {
        case Qt::Key_Down:
            return moveFocus(at, 1);
        case Qt::Key_Up:
            return moveFocus(at, -1);
        case Qt::Key_PageDown:
            return moveFocus(at, kLines);
        case Qt::Key_PageUp:
            return moveFocus(at, -kLines);
        case Qt::Key_Home:
            return moveFocus(at, -count);
        case Qt::Key_End:
            return moveFocus(at, count);
        case Qt::Key_F:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // The row's figure, as its "fig" link opens it.
            openFigure(at);
            return true;
        default:
            return QDialog::eventFilter(watched, event);
    }
}

}  // namespace quillet
