// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "results/gui/ProgressWindow.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "results/gui/ReportLook.h"
#include "shell/core/Exams.h"
#include "shell/core/Session.h"
#include "shell/core/SoundCues.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {

namespace {

constexpr int kSectionRows = 10;  // the most sections a pool has
constexpr int kBestGroups = 5;

// The colours of the section bars: right at the latest try, missed, not yet seen.
constexpr QColor kRightColour{0, 0, 192};
constexpr QColor kMissedColour{192, 0, 0};
constexpr QColor kUnseenColour{224, 224, 224};

// One section's bar: seen questions split into right and missed, against all
// of the section's questions.
class SectionBar : public QWidget {
public:
    explicit SectionBar(QWidget* parent) : QWidget(parent) {}
    void setStanding(const SectionStanding& standing) {
        standing_ = standing;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        const QRect box = rect().adjusted(0, 0, -1, -1);
        painter.fillRect(box, kUnseenColour);
        if (standing_.questions > 0) {
            const int right = box.width() * standing_.right / standing_.questions;
            const int missed = box.width() * standing_.missed / standing_.questions;
            painter.fillRect(QRect(box.left(), box.top(), right, box.height()), kRightColour);
            painter.fillRect(QRect(box.left() + right, box.top(), missed, box.height()),
                             kMissedColour);
        }
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(box);
    }

private:
    SectionStanding standing_;
};

}  // namespace

// The chance of passing at the end of each day of study, with the pass line
// at one half.
class ChancePlot : public QWidget {
public:
    explicit ChancePlot(QWidget* parent) : QWidget(parent) {}
    void setDays(const std::vector<DayChance>& days) {
        days_ = days;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(LayoutFont(QStringLiteral("Arial"), 7));
        const QRect area = rect().adjusted(34, 4, -8, -16);
        painter.fillRect(area, QColor(248, 248, 255));
        painter.setPen(QColor(200, 200, 200));
        for (int percent : {0, 50, 100}) {
            const int y = area.bottom() - area.height() * percent / 100;
            painter.drawLine(area.left(), y, area.right(), y);
            painter.setPen(Qt::black);
            painter.drawText(QRect(0, y - 7, 30, 14), Qt::AlignRight | Qt::AlignVCenter,
                             QStringLiteral("%1 %").arg(percent));
            painter.setPen(QColor(200, 200, 200));
        }
        painter.setPen(QColor(128, 128, 128));
        painter.drawRect(area);
        if (days_.empty()) {
            painter.setPen(Qt::black);
            painter.drawText(area, Qt::AlignCenter, QStringLiteral("No days of study yet"));
            return;
        }
        // Days are placed by date, so a pause shows as a gap.
        const qint64 first = days_.front().day.toJulianDay();
        const qint64 span = std::max<qint64>(1, days_.back().day.toJulianDay() - first);
        const auto point = [&](const DayChance& day) {
            const double x = area.left() + double(area.width()) *
                                               double(day.day.toJulianDay() - first) / double(span);
            const double y = area.bottom() - area.height() * day.chance;
            return QPointF(days_.size() == 1 ? area.center().x() : x, y);
        };
        QPainterPath path(point(days_.front()));
        for (const DayChance& day : days_) path.lineTo(point(day));
        painter.setPen(QPen(kRightColour, 2));
        painter.drawPath(path);
        painter.setBrush(kRightColour);
        if (days_.size() <= 60) {
            for (const DayChance& day : days_) painter.drawEllipse(point(day), 2.5, 2.5);
        }
        painter.setPen(Qt::black);
        const QRect dates(area.left(), area.bottom() + 2, area.width(), 14);
        painter.drawText(dates, Qt::AlignLeft | Qt::AlignTop,
                         QLocale::c().toString(days_.front().day, QStringLiteral("d MMM yyyy")));
        if (days_.size() > 1) {
            painter.drawText(dates, Qt::AlignRight | Qt::AlignTop,
                             QLocale::c().toString(days_.back().day, QStringLiteral("d MMM yyyy")));
        }
    }

private:
    std::vector<DayChance> days_;
};

ProgressWindow::ProgressWindow(Session& session, const SoundCues& sounds, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), session_(session) {
    SetUpReportWindow(this, QStringLiteral("Progress"), QStringLiteral("Your Progress"));

    // The elements whose exam the bank gives, chosen on the band.
    elementItems_ = new MenuItems(this, QStringLiteral("lblElement"), kReportBandColours);
    elementItems_->setAccessibleRole(QAccessible::PageTab);
    int left = 7950;
    std::vector<std::pair<int, QLabel*>> placed;
    for (const ExamInfo& exam : session_.exams.rows()) elements_.push_back(exam.element);
    std::sort(elements_.begin(), elements_.end());
    for (int element : elements_) {
        QLabel* item = elementItems_->addItem(this, ElementName(element));
        item->setFont(ArialBold(9.75));
        item->adjustSize();
        placed.emplace_back(element, item);
    }
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        left -= Twips(it->second->width());
        it->second->move(Px(left), Px(300));
        left -= 240;
    }
    elementItems_->addBackground(this);
    connect(elementItems_, &MenuItems::clicked, this,
            [this](int index) { showElement(elements_.at(size_t(index))); });

    headline_ = NewSpokenText(this, QStringLiteral("lblChance"), TwipRect(150, 870, 7900, 420),
                              LayoutFont(QStringLiteral("Times New Roman"), 16, true, true),
                              QColor(192, 0, 0));
    expected_ = NewSpokenText(this, QStringLiteral("lblExpected"), TwipRect(150, 1290, 7900, 270),
                              ArialBold(9.75), kBlack);

    sectionsTitle_ = NewSpokenText(this, QStringLiteral("lblSections"),
                                   TwipRect(150, 1620, 4000, 240), ArialBold(8.25), kBlack);
    sectionsTitle_->setText(QStringLiteral("Sections: right, missed, not yet seen"));
    sectionBars_ = new QWidget(this);
    sectionBars_->setObjectName(QStringLiteral("picSections"));
    sectionBars_->setGeometry(TwipRect(150, 1860, 4050, 2640));
    for (int i = 0; i < kSectionRows; ++i) {
        QLabel* name = NewSpokenText(sectionBars_, QStringLiteral("lblSectionName%1").arg(i),
                                     QRect(0, i * 17, 168, 16),
                                     LayoutFont(QStringLiteral("Arial"), 8.25), kBlack);
        name->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        auto* bar = new SectionBar(sectionBars_);
        HideFromAssistiveTools(bar);
        bar->setObjectName(QStringLiteral("barSection%1").arg(i));
        bar->setGeometry(172, i * 17 + 2, 96, 12);
    }

    groupsTitle_ = NewSpokenText(this, QStringLiteral("lblGroups"), TwipRect(4350, 1620, 3750, 240),
                                 ArialBold(8.25), kBlack);
    groupsTitle_->setText(QStringLiteral("Study these groups first:"));
    studyItems_ = new MenuItems(this, QStringLiteral("lblStudy"), kReportLinkColours);
    studyItems_->setAccessibleRole(QAccessible::PushButton);
    for (int i = 0; i < kBestGroups; ++i) {
        const int top = 1860 + i * 510;
        QLabel* line =
            NewSpokenText(this, QStringLiteral("lblGroup%1").arg(i), TwipRect(4350, top, 2700, 510),
                          LayoutFont(QStringLiteral("Arial"), 8.25), kBlack);
        line->setWordWrap(true);
        line->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        groupLines_.push_back(line);
        QLabel* link = studyItems_->addItem(this, QStringLiteral("Study these"));
        link->setFont(ArialBold(8.25));
        link->adjustSize();
        link->move(Px(7100), Px(top));
    }
    QLabel* all = studyItems_->addItem(this, QStringLiteral("Study all five"));
    all->setFont(ArialBold(8.25));
    all->adjustSize();
    all->move(Px(4350), Px(1860 + kBestGroups * 510));
    studyItems_->addBackground(this);
    connect(studyItems_, &MenuItems::clicked, this, &ProgressWindow::study);

    plot_ = new ChancePlot(this);
    SetAccessibleRole(plot_, QAccessible::Chart);
    plot_->setObjectName(QStringLiteral("picHistory"));
    plot_->setGeometry(TwipRect(150, 4560, 7900, 1200));
    plot_->setAccessibleName(QStringLiteral("Chance of passing over your days of study"));

    pictures_ = AddReportBackButton(this, sounds);

    std::vector<QWidget*> order;
    for (int i = 0; i < elementItems_->count(); ++i) order.push_back(elementItems_->item(i));
    for (int i = 0; i < studyItems_->count(); ++i) order.push_back(studyItems_->item(i));
    order.push_back(pictures_->button(0));
    SetTabOrder(order);

    CenterForm(this);
    pictures_->loadButtons();
    StartWithoutFocus(this);
    const bool current =
        std::find(elements_.begin(), elements_.end(), session_.currentElement) != elements_.end();
    showElement(current || elements_.empty() ? session_.currentElement : elements_.front());
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::showElement(int element) {
    element_ = element;
    for (int i = 0; i < elementItems_->count(); ++i) {
        SetAccessibleSelected(elementItems_->item(i), elements_[size_t(i)] == element);
        QFont font = elementItems_->item(i)->font();
        font.setUnderline(elements_[size_t(i)] == element);
        elementItems_->item(i)->setFont(font);
    }
    const PoolGroups pool = ReadPoolGroups(session_, element);
    readiness_ = ReadinessFrom(pool, session_.record.latest(pool.pool));
    days_ = readiness_.available ? ChanceByDay(pool, session_.record.history(pool.pool))
                                 : std::vector<DayChance>{};
    best_ = readiness_.available ? readiness_.bestGroups(kBestGroups)
                                 : std::vector<const GroupStanding*>{};

    const QString name = ElementName(element);
    if (readiness_.available) {
        headline_->setText(ChanceHeadline(readiness_));
        expected_->setText(name + QStringLiteral(": ") + ExpectedScoreLine(readiness_));
    } else {
        headline_->setText(QStringLiteral("No chance of passing to tell"));
        expected_->setText(
            !pool.readOk ? QStringLiteral("The question bank could not be read.")
            : elements_.empty()
                ? QStringLiteral("This question bank does not give the sizes of the examinations.")
                : QStringLiteral("The question bank has no questions of this element."));
    }
    headline_->setAccessibleName(headline_->text());
    expected_->setAccessibleName(expected_->text());

    for (int i = 0; i < kSectionRows; ++i) {
        auto* label = sectionBars_->findChild<QLabel*>(QStringLiteral("lblSectionName%1").arg(i));
        auto* bar = static_cast<SectionBar*>(
            sectionBars_->findChild<QWidget*>(QStringLiteral("barSection%1").arg(i)));
        const bool shown = readiness_.available && i < int(readiness_.sections.size());
        label->setVisible(shown);
        bar->setVisible(shown);
        if (!shown) continue;
        const SectionStanding& section = readiness_.sections[size_t(i)];
        // A long name is cut short on screen; the whole of it is read out and shown as a tip.
        label->setText(
            label->fontMetrics().elidedText(section.name, Qt::ElideRight, label->width()));
        label->setAccessibleName(SectionLine(section));
        label->setToolTip(SectionLine(section));
        bar->setStanding(section);
    }
    sectionsTitle_->setVisible(readiness_.available);
    groupsTitle_->setVisible(!best_.empty());
    for (int i = 0; i < kBestGroups; ++i) {
        const bool shown = i < int(best_.size());
        groupLines_[size_t(i)]->setVisible(shown);
        studyItems_->item(i)->setVisible(shown);
        if (!shown) continue;
        const QString line = GroupLine(*best_[size_t(i)]);
        groupLines_[size_t(i)]->setText(line);
        groupLines_[size_t(i)]->setAccessibleName(line);
        studyItems_->item(i)->setAccessibleName(QStringLiteral("Study group ") +
                                                best_[size_t(i)]->group);
    }
    QLabel* all = studyItems_->item(kBestGroups);
    all->setVisible(best_.size() > 1);
    all->setText(best_.size() == 5 ? QStringLiteral("Study all five")
                                   : QStringLiteral("Study all %1").arg(best_.size()));
    all->adjustSize();
    all->setAccessibleName(QStringLiteral("Study all of these groups"));

    plot_->setVisible(readiness_.available);
    plot_->setDays(days_);
    plot_->setAccessibleDescription(ChanceHistoryText(days_));
}

void ProgressWindow::study(int row) {
    studyGroups_.clear();
    if (row == kBestGroups) {
        for (const GroupStanding* group : best_) studyGroups_ << group->group;
    } else if (row >= 0 && row < int(best_.size())) {
        studyGroups_ << best_[size_t(row)]->group;
    }
    if (!studyGroups_.isEmpty()) accept();
}

}  // namespace quillet
