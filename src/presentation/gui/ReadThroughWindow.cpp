// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "presentation/gui/ReadThroughWindow.h"

#include <QAbstractListModel>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <set>

#include "shell/core/Exams.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Session.h"
#include "shell/core/SoundCues.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {

namespace {

// The colours of the progress window: right at the latest try, missed, flagged.
constexpr QColor kRightColour{0, 0, 192};
constexpr QColor kMissedColour{192, 0, 0};
constexpr QColor kFlagColour{224, 112, 0};
constexpr QColor kCorrectBackground{220, 232, 255};
constexpr QColor kListBackground{118, 118, 118};
// The element chooser on the dark band, in the main menu's colours.
const MenuColours kBandColours{QColor(128, 128, 255), QColor(255, 255, 128), QColor(255, 128, 0),
                               QColor(255, 255, 255)};

const char* const kFilterNames[] = {"All questions", "Flagged", "Missed", "Never answered"};

}  // namespace

// The questions listed, for the list view: each row's pool id, its picture and, for screen
// readers, the whole question. Rows are made as the view asks for them, so that a keystroke in
// the search costs the selection and not a row object for each question.
class ReadThroughWindow::Rows : public QAbstractListModel {
public:
    explicit Rows(ReadThroughWindow* window) : QAbstractListModel(window), window_(window) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(window_->listed_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        const PoolQuestion& q = window_->pool_.question(window_->listed_[size_t(index.row())]);
        switch (role) {
            case Qt::DisplayRole:
                return q.poolId;
            case Qt::DecorationRole:
                return window_->standingIcon(q);
            case Qt::AccessibleTextRole:
                return SpokenPoolQuestion(q, index.row() + 1, rowCount());
            default:
                return {};
        }
    }
    void reset() {
        beginResetModel();
        endResetModel();
    }
    void changed(int row) { emit dataChanged(index(row), index(row)); }

private:
    ReadThroughWindow* window_;
};

// The small picture beside a question in the list: its latest answer as a dot (blue right,
// red missed, hollow never answered) and its flag. Drawn once per window for each kind.
QIcon ReadThroughWindow::standingIcon(const PoolQuestion& q) {
    QIcon& icon = icons_[size_t(int(q.latest) * 2 + (q.flagged ? 1 : 0))];
    if (!icon.isNull()) return icon;
    // Drawn at twice its size, so that it stays sharp in larger windows.
    QPixmap picture(48, 24);
    picture.setDevicePixelRatio(2);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kWhite, 1));
    switch (q.latest) {
        case LatestState::Right:
            painter.setBrush(kRightColour);
            break;
        case LatestState::Missed:
            painter.setBrush(kMissedColour);
            break;
        case LatestState::NeverAnswered:
            painter.setBrush(Qt::NoBrush);
            break;
    }
    painter.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    if (q.flagged) {
        painter.setPen(QPen(kWhite, 1));
        painter.drawLine(QPointF(15.5, 1), QPointF(15.5, 11));
        painter.setPen(Qt::NoPen);
        painter.setBrush(kFlagColour);
        painter.drawPolygon(QPolygonF({QPointF(16, 1), QPointF(23, 4), QPointF(16, 7)}));
    }
    painter.end();
    icon = QIcon(picture);
    return icon;
}

namespace {

// A text of the question pane, laid out from the top.
QLabel* PaneLabel(QWidget* pane, const QString& name, const QFont& font) {
    QLabel* label = NewSpokenText(pane, name, QRect(), font, kBlack);
    // The right answer fills its background.
    label->setAttribute(Qt::WA_TranslucentBackground, false);
    label->setAttribute(Qt::WA_NoSystemBackground, false);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    pane->layout()->addWidget(label);
    return label;
}

QComboBox* Chooser(QWidget* parent, const QString& name, const QString& spoken,
                   const QRect& geometry) {
    auto* box = new QComboBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(spoken);
    box->setFont(LayoutFont(QStringLiteral("Arial"), 8.25));
    box->setGeometry(geometry);
    box->setFocusPolicy(Qt::StrongFocus);
    return box;
}

}  // namespace

ReadThroughWindow::ReadThroughWindow(Session& session, const SoundCues& sounds, int element,
                                     QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), session_(session) {
    setObjectName(QStringLiteral("ReadThrough"));
    setWindowTitle(QStringLiteral("Read the Pool"));
    setFixedSize(Px(9600), Px(7125));
    SetBackground(this, kWhite);
    setAutoFillBackground(true);

    NewPicture(this, QStringLiteral("Shape10"), TwipRect(0, 0, 9960, 780),
               ReadPng(QStringLiteral(":/results_band_top.png")));
    NewPicture(this, QStringLiteral("Shape11"), TwipRect(-150, 6345, 9960, 780),
               ReadPng(QStringLiteral(":/results_band_bottom.png")));
    NewTextLabel(this, QStringLiteral("Label1"), QStringLiteral("Read the Pool"),
                 TwipRect(315, 180, 3300, 510), ArialBold(21.75), kWhite);

    // The elements whose questions the bank holds, chosen on the band.
    std::set<int> held;
    for (const SectionInfo& section : session_.sections) held.insert(section.Test);
    elements_.assign(held.begin(), held.end());
    elementItems_ = new MenuItems(this, QStringLiteral("lblElement"), kBandColours);
    elementItems_->setAccessibleRole(QAccessible::PageTab);
    int left = 9300;
    std::vector<QLabel*> placed;
    for (int e : elements_) {
        QLabel* item = elementItems_->addItem(this, ElementName(e));
        item->setFont(ArialBold(9.75));
        item->adjustSize();
        placed.push_back(item);
    }
    for (auto it = placed.rbegin(); it != placed.rend(); ++it) {
        left -= Twips((*it)->width());
        (*it)->move(Px(left), Px(300));
        left -= 240;
    }
    elementItems_->addBackground(this);
    connect(elementItems_, &MenuItems::clicked, this,
            [this](int index) { showElement(elements_.at(size_t(index))); });

    // The search and the filters.
    NewTextLabel(this, QStringLiteral("lblSearch"), QStringLiteral("Search:"),
                 TwipRect(150, 915, 750, 285), ArialBold(9.75), kBlack);
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("txtSearch"));
    search_->setAccessibleName(QStringLiteral("Search the questions and answers"));
    search_->setPlaceholderText(QStringLiteral("press / to search"));
    search_->setClearButtonEnabled(true);
    search_->setFont(LayoutFont(QStringLiteral("Arial"), 9.75));
    search_->setGeometry(TwipRect(930, 870, 2550, 360));
    search_->installEventFilter(this);
    connect(search_, &QLineEdit::textChanged, this, [this] { filter(); });

    sections_ = Chooser(this, QStringLiteral("cboSection"), QStringLiteral("Section"),
                        TwipRect(3570, 870, 2730, 360));
    groups_ = Chooser(this, QStringLiteral("cboGroup"), QStringLiteral("Group"),
                      TwipRect(6390, 870, 1350, 360));
    show_ = Chooser(this, QStringLiteral("cboShow"), QStringLiteral("Show"),
                    TwipRect(7830, 870, 1620, 360));
    for (const char* name : kFilterNames) show_->addItem(QString::fromLatin1(name));
    connect(sections_, &QComboBox::activated, this, [this] {
        fillGroups();
        filter();
    });
    connect(groups_, &QComboBox::activated, this, [this] { filter(); });
    connect(show_, &QComboBox::activated, this, [this] { filter(); });

    // The list of the questions let through.
    rows_ = new Rows(this);
    list_ = new QListView(this);
    list_->setModel(rows_);
    list_->setObjectName(QStringLiteral("lstQuestions"));
    list_->setAccessibleName(QStringLiteral("Questions"));
    list_->setFont(ArialBold(9));
    list_->setGeometry(TwipRect(150, 1350, 1650, 4905));
    list_->setIconSize(QSize(24, 12));
    list_->setUniformItemSizes(true);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setAutoFillBackground(true);
    SetBackground(list_, kListBackground);
    SetColour(list_, QPalette::Base, kListBackground);
    SetTextColour(list_, kWhite);
    SetColour(list_, QPalette::Text, kWhite);
    SetColour(list_, QPalette::Highlight, QColor(0, 0, 160));
    SetColour(list_, QPalette::HighlightedText, kWhite);
    // The scroll bar keeps the light face of the program's other scroll bars.
    list_->verticalScrollBar()->setPalette(QPalette(QColor(224, 224, 224)));
    list_->installEventFilter(this);
    connect(list_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showQuestion(); });

    // The question on screen.
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("picQuestion"));
    scroll_->setGeometry(TwipRect(1950, 1350, 7500, 4905));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(true);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetBackground(scroll_, kWhite);
    pane_ = new QWidget;
    SetBackground(pane_, kWhite);
    auto* layout = new QVBoxLayout(pane_);
    layout->setContentsMargins(0, 0, Px(150), 0);
    layout->setSpacing(Px(90));
    heading_ = PaneLabel(pane_, QStringLiteral("lblHeading"), ArialBold(9.75));
    standing_ = PaneLabel(pane_, QStringLiteral("lblStanding"), ArialBold(8.25));
    question_ = PaneLabel(pane_, QStringLiteral("lblQuestion"), ArialBold(11.25));
    table_ = PaneLabel(pane_, QStringLiteral("lblTable"),
                       LayoutFont(QStringLiteral("Courier New"), 9.75, true));
    for (int i = 0; i < 4; ++i) {
        QLabel* answer = PaneLabel(pane_, QStringLiteral("lblAnswer%1").arg(i),
                                   LayoutFont(QStringLiteral("Arial"), 10.5));
        answer->setMargin(Px(45));
        answers_.push_back(answer);
    }
    rule_ = PaneLabel(pane_, QStringLiteral("lblRule"),
                      LayoutFont(QStringLiteral("Arial"), 9, false, true));
    figure_ = new QPushButton(QStringLiteral("fig"), pane_);
    figure_->setObjectName(QStringLiteral("cmdFIG"));
    figure_->setFont(ArialBold(8.25));
    figure_->setAccessibleName(QStringLiteral("Show figure"));
    figure_->setAutoDefault(false);
    figure_->setFocusPolicy(Qt::TabFocus);
    figure_->setFixedSize(Px(600), Px(330));
    connect(figure_, &QPushButton::clicked, this, &ReadThroughWindow::openFigure);
    layout->addWidget(figure_);
    layout->addStretch(1);
    scroll_->setWidget(pane_);

    // The bottom band: where the list stands, what was just done, and Back.
    position_ = NewSpokenText(this, QStringLiteral("lblPosition"), TwipRect(300, 6465, 3000, 285),
                              ArialBold(9.75), kWhite);
    notice_ = NewSpokenText(this, QStringLiteral("lblNotice"), TwipRect(300, 6765, 6900, 285),
                            LayoutFont(QStringLiteral("Arial"), 8.25), kWhite);
    notice_->setText(QStringLiteral("/ search   M flag   F figure   Esc back"));
    pictures_ = new PictureButtons(sounds, this, /*clickActsWhenDisabled=*/true);
    pictures_->addButton(this, TwipRect(7350, 6525, 1950, 405),
                         ReadPng(QStringLiteral(":/btn_back_normal.png")),
                         ReadPng(QStringLiteral(":/btn_back_rolled.png")),
                         ReadPng(QStringLiteral(":/btn_back_clicked.png")));
    pictures_->button(0)->setAccessibleName(QStringLiteral("Back"));
    connect(pictures_, &PictureButtons::clicked, this, [this](int) { reject(); });

    std::vector<QWidget*> order;
    for (int i = 0; i < elementItems_->count(); ++i) order.push_back(elementItems_->item(i));
    order.insert(order.end(), {search_, sections_, groups_, show_, list_, figure_});
    order.push_back(pictures_->button(0));
    SetTabOrder(order);

    CenterForm(this);
    pictures_->loadButtons();
    showElement(held.count(element) || elements_.empty() ? element : elements_.front());
    // The list has the keyboard from the start, so that the arrows read through at once.
    list_->setFocus(Qt::OtherFocusReason);
}

ReadThroughWindow::~ReadThroughWindow() = default;

void ReadThroughWindow::showElement(int element) {
    if (!pool_.load(session_, element)) {
        notice_->setText(QStringLiteral("The question bank could not be read."));
    }
    if (session_.record.isOpen()) {
        const QString pool = PoolNameFor(session_, element);
        pool_.setStanding(session_.record.latest(pool), session_.record.flags(pool));
    }
    for (int i = 0; i < elementItems_->count(); ++i) {
        const bool chosen = elements_[size_t(i)] == element;
        SetAccessibleSelected(elementItems_->item(i), chosen);
        QFont font = elementItems_->item(i)->font();
        font.setUnderline(chosen);
        elementItems_->item(i)->setFont(font);
    }
    sections_->clear();
    sections_->addItem(QStringLiteral("All sections"), qint64(0));
    for (const auto& [id, caption] : pool_.sections()) sections_->addItem(caption, id);
    fillGroups();
    filter();
}

void ReadThroughWindow::fillGroups() {
    groups_->clear();
    groups_->addItem(QStringLiteral("All groups"));
    groups_->addItems(pool_.groups(sections_->currentData().toLongLong()));
}

void ReadThroughWindow::filter() {
    const int before = currentRow();
    const int shown = before >= 0 ? listed_[size_t(before)] : -1;
    ReadSelection selection;
    selection.sectionId = sections_->currentData().toLongLong();
    if (groups_->currentIndex() > 0) selection.group = groups_->currentText();
    selection.filter = ReadFilter(std::max(0, show_->currentIndex()));
    selection.search = search_->text();
    listed_ = pool_.select(selection);

    // The question on screen stays there when the new list holds it; else the list starts at its
    // first. The row is chosen with the view's signals held, then shown once.
    const auto kept = std::lower_bound(listed_.begin(), listed_.end(), shown);
    const int row = kept != listed_.end() && *kept == shown ? int(kept - listed_.begin()) : 0;
    {
        const QSignalBlocker blocker(list_->selectionModel());
        rows_->reset();
        if (!listed_.empty()) list_->setCurrentIndex(rows_->index(row));
    }
    showQuestion();
}

int ReadThroughWindow::currentRow() const {
    const int row = list_->currentIndex().row();
    return row >= 0 && row < int(listed_.size()) ? row : -1;
}

void ReadThroughWindow::setCurrentRow(int row) {
    if (row >= 0 && row < int(listed_.size())) list_->setCurrentIndex(rows_->index(row));
}

void ReadThroughWindow::showQuestion() {
    const int row = currentRow();
    const int count = int(listed_.size());
    position_->setText(PositionText(row + 1, count));
    position_->setAccessibleName(position_->text());
    pane_->setVisible(row >= 0);
    if (row < 0) {
        scroll_->setAccessibleName(position_->text());
        return;
    }
    const PoolQuestion& q = pool_.question(listed_[size_t(row)]);
    list_->scrollTo(rows_->index(row));
    heading_->setText(q.poolId + QStringLiteral("   ") + q.sectionCaption);
    QStringList standing;
    if (q.flagged) standing << QStringLiteral("Flagged");
    standing << LatestStateText(q.latest);
    standing_->setText(standing.join(QStringLiteral(" \u00b7 ")));
    SetColour(standing_, QPalette::WindowText,
              q.latest == LatestState::Missed  ? kMissedColour
              : q.latest == LatestState::Right ? kRightColour
                                               : kBlack);
    question_->setText(
        QString(q.captions.question).replace(QStringLiteral("&&"), QStringLiteral("&")));
    table_->setText(QString(q.captions.table).replace(QStringLiteral("&&"), QStringLiteral("&")));
    table_->setVisible(!q.captions.table.isEmpty());
    for (int i = 0; i < 4; ++i) {
        QLabel* answer = answers_[size_t(i)];
        const bool correct = i == q.correct;
        answer->setText(QStringLiteral("%1.  %2").arg(QChar(u'A' + i)).arg(q.answers[size_t(i)]));
        QFont font = answer->font();
        font.setBold(correct);
        answer->setFont(font);
        answer->setAutoFillBackground(correct);
        SetColour(answer, QPalette::Window, correct ? kCorrectBackground : kWhite);
        SetColour(answer, QPalette::WindowText, correct ? kRightColour : kBlack);
        answer->setAccessibleName(QStringLiteral("Answer %1: %2%3")
                                      .arg(QChar(u'A' + i))
                                      .arg(q.answers[size_t(i)])
                                      .arg(correct ? QStringLiteral(", correct") : QString()));
    }
    rule_->setText(q.ruleCaption);
    rule_->setVisible(!q.ruleCaption.isEmpty());
    figure_->setVisible(q.figureId > 0);
    for (QLabel* label : {heading_, standing_, question_, table_, rule_})
        label->setAccessibleName(label->text());
    scroll_->verticalScrollBar()->setValue(0);
    const QString spoken = SpokenPoolQuestion(q, row + 1, count);
    scroll_->setAccessibleName(spoken);
    // The list item reads the question as the focus reaches it; when the list does not have
    // the keyboard (the student is typing a search), the position line reads it out.
    position_->setAccessibleName(spoken);
    if (!list_->hasFocus()) Announce(position_);
}

void ReadThroughWindow::toggleFlag() {
    const int row = currentRow();
    if (row < 0) return;
    const int index = listed_[size_t(row)];
    const PoolQuestion& q = pool_.question(index);
    const bool flag = !q.flagged;
    if (q.poolId.isEmpty() ||
        !session_.record.setFlag(PoolNameFor(session_, pool_.element()), q.poolId, flag)) {
        const QString notice = session_.record.takeNotice();
        notice_->setText(notice.isEmpty()
                             ? QStringLiteral("The flag could not be kept in your study record.")
                             : notice);
        Announce(notice_);
        return;
    }
    pool_.setFlagged(index, flag);
    notice_->setText(flag ? QStringLiteral("%1 is flagged.").arg(q.poolId)
                          : QStringLiteral("%1 is no longer flagged.").arg(q.poolId));
    Announce(notice_);
    // The filter of flagged questions keeps the row until the list is filtered again.
    rows_->changed(row);
    showQuestion();
}

void ReadThroughWindow::openFigure() {
    const int row = currentRow();
    if (row < 0 || !figureOpener_) return;
    const PoolQuestion& q = pool_.question(listed_[size_t(row)]);
    if (q.figureId > 0) figureOpener_(pool_.element(), q.figureId);
}

void ReadThroughWindow::focusSearch() {
    search_->setFocus(Qt::ShortcutFocusReason);
    search_->selectAll();
}

// Moves through the list for a key pressed anywhere but in a chooser: the arrows one question,
// Page Up and Page Down a list's height; true when the key was one of them.
bool ReadThroughWindow::moveKey(QKeyEvent* event) {
    if (listed_.empty()) return false;
    const int page =
        std::max(1, list_->viewport()->height() / std::max(1, list_->sizeHintForRow(0)) - 1);
    const int row = std::max(0, currentRow());
    int to = row;
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            to = row - 1;
            break;
        case Qt::Key_Down:
        case Qt::Key_Right:
            to = row + 1;
            break;
        case Qt::Key_PageUp:
            to = row - page;
            break;
        case Qt::Key_PageDown:
            to = row + page;
            break;
        default:
            return false;
    }
    setCurrentRow(std::clamp(to, 0, int(listed_.size()) - 1));
    return true;
}

void ReadThroughWindow::keyPressEvent(QKeyEvent* event) {
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (event->matches(QKeySequence::Find) ||
        (event->key() == Qt::Key_F && event->modifiers() == Qt::ControlModifier) ||
        event->text() == QStringLiteral("/")) {
        focusSearch();
        return;
    }
    if (plain && moveKey(event)) return;
    if (plain && event->key() == Qt::Key_Home) return setCurrentRow(0);
    if (plain && event->key() == Qt::Key_End) return setCurrentRow(int(listed_.size()) - 1);
    if (plain && !event->isAutoRepeat() && event->key() == Qt::Key_M) return toggleFlag();
    if (plain && !event->isAutoRepeat() && event->key() == Qt::Key_F) return openFigure();
    QDialog::keyPressEvent(event);
}

bool ReadThroughWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (watched == search_) {
        // Escape and Enter leave the search for the list, keeping what it found.
        if (plain && (key->key() == Qt::Key_Escape || key->key() == Qt::Key_Return ||
                      key->key() == Qt::Key_Enter)) {
            list_->setFocus(Qt::OtherFocusReason);
            return true;
        }
        // The search box has no use for Up, Down and the page keys: they move the list.
        if (plain && (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down ||
                      key->key() == Qt::Key_PageUp || key->key() == Qt::Key_PageDown))
            return moveKey(key);
        if (key->matches(QKeySequence::Find)) return true;
        return QDialog::eventFilter(watched, event);
    }
    if (watched == list_) {
        // The list's own keys would not reach the window: "/", Ctrl+F, M, F and Left and
        // Right go there instead.
        if (key->text() == QStringLiteral("/") || key->matches(QKeySequence::Find) ||
            (plain && (key->key() == Qt::Key_M || key->key() == Qt::Key_F ||
                       key->key() == Qt::Key_Left || key->key() == Qt::Key_Right))) {
            keyPressEvent(key);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quillet
