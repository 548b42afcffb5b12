// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// Building the options screen: the title band with the page buttons, the three
// pages and the keyboard order through them. What the controls do once built
// is in OptionsWindow.cpp.

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QShortcut>
#include <functional>
#include <iterator>

#include "options/core/OptionsPersistence.h"
#include "options/core/SectionList.h"
#include "options/gui/AddPoolDialog.h"
#include "options/gui/OptionsControls.h"
#include "options/gui/OptionsLayout.h"
#include "options/gui/OptionsWindow.h"
#include "shell/core/Session.h"
#include "shell/core/Settings.h"
#include "shell/core/SoundCues.h"
#include "shell/core/StudentOptions.h"
#include "shell/gui/Look.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

using namespace options_layout;

// Layout, in twips.
constexpr int kBandHeight = 690;
constexpr int kLineTop = 1275;
const QRect kPanelRect = TwipRect(60, 1380, 8565, 3615);
constexpr int kTabTops[OptionsWindow::kTabs] = {390, 1020, 1650, 2280, 2880};
constexpr int kPageButtonLefts[OptionsWindow::kPages] = {180, 2250, 4350};
constexpr int kPageButtonTops[OptionsWindow::kPages] = {765, 765, 780};
constexpr int kCaptionWidth = 5865;  // section captions wrap at this width

// Dark enough for the white section names to read at 4.5:1.
constexpr QColor kListGrey{118, 118, 118};

const char* const kPageImages[OptionsWindow::kPages] = {"topics", "options", "settings"};
const char* const kPageNames[OptionsWindow::kPages] = {"Test topics", "Test options", "Settings"};

// Option buttons from the top: mode index (Option1(i) is test mode i + 1),
// designed top and height inside their box.
struct ModeRow {
    int index;
    int top;
    int height;
    const char* caption;
};
constexpr ModeRow kModeRows[] = {
    {1, 90, 285, "Go through each question until I get it right (marked after each question)"},
    {2, 360, 300,
     "Just keep asking me questions (questions will repeat / marked after each question)"},
    {0, 675, 300, "Go Through Each Question Exactly Once (marked at end)"},
    {3, 990, 330, "Simulated Test mode (marked at end)"},
    {4, 1320, 330,
     "Real exam: one question from each group, as on the actual test (marked at end)"},
    {5, 1650, 330,
     "Review: questions I missed last time, then new ones (marked after each question)"},
};

QPixmap Image(const QString& name) { return ReadPng(QStringLiteral(":/") + name + ".png"); }

}  // namespace

void OptionsWindow::buildTitle() {
    // The band and the line are drawn on the window: the pointer over them is
    // over the window's background.
    QLabel* band =
        NewPicture(this, QStringLiteral("Shape1"), TwipRect(0, 0, kClientWidth, kBandHeight),
                   Image(QStringLiteral("options_band")));
    band->setScaledContents(true);
    band->setAttribute(Qt::WA_TransparentForMouseEvents);
    NewTextLabel(this, QStringLiteral("Label1"), QStringLiteral("Test Options"),
                 TwipRect(270, 75, 2670, 510), ArialBold(21.75), kWhite);
    pictures_
        ->addButton(this, TwipRect(6480, 120, 1950, 405), Image(QStringLiteral("btn_back_normal")),
                    Image(QStringLiteral("btn_back_rolled")),
                    Image(QStringLiteral("btn_back_clicked")))
        ->setAccessibleName(QStringLiteral("Back"));

    // The page buttons sit in a tab list of their own, as screen readers
    // expect page tabs to; it draws nothing.
    QRect tabArea;
    for (int i = 0; i < kPages; ++i) {
        tabArea |= TwipRect(kPageButtonLefts[i], kPageButtonTops[i], 1950, 405);
    }
    auto* tabList = new QWidget(this);
    SetAccessibleRole(tabList, QAccessible::PageTabList);
    tabList->setObjectName(QStringLiteral("pageTabs"));
    tabList->setAccessibleName(QStringLiteral("Pages"));
    tabList->setGeometry(tabArea);
    for (int i = 0; i < kPages; ++i) {
        const QString base = QStringLiteral("page_") + QLatin1String(kPageImages[i]);
        pageUnselected_[i] = Image(base + QStringLiteral("_unselected"));
        pageSelected_[i] = Image(base + QStringLiteral("_selected"));
        auto* button = new PageButton(tabList);
        SetAccessibleRole(button, QAccessible::PageTab);
        button->setObjectName(QStringLiteral("optBut%1").arg(i));
        button->setGeometry(TwipRect(kPageButtonLefts[i], kPageButtonTops[i], 1950, 405)
                                .translated(-tabArea.topLeft()));
        button->setPixmap(pageUnselected_[i]);
        button->setFocusPolicy(Qt::TabFocus);
        button->setAccessibleName(QLatin1String(kPageNames[i]));
        button->installEventFilter(this);
        pageButtons_[i] = button;
    }
    NewSurface(this, QStringLiteral("Line1"), QRect(0, Px(kLineTop), Px(kClientWidth), 1), kBlack)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < kPages; ++i) {
        pages_[i] = NewSurface(this, QStringLiteral("Panel%1").arg(i), kPanelRect, kWhite);
        tabs_->addBackground(pages_[i]);
    }
}

void OptionsWindow::buildTopicsPage() {
    QWidget* page = pages_[0];
    tabs_->addBackground(NewTextLabel(page, QStringLiteral("Label20"),
                                      QStringLiteral("Ask me Questions on the Following Topics:"),
                                      TwipRect(135, 60, 4965, 285), ArialBold(12), kBlack));

    // The element tabs sit in a tab list of their own, as screen readers expect
    // tabs to; it draws nothing. Their captions, the tabs a screen reader reads,
    // are its children, drawn over the faces, so that nothing stands between.
    QRect tabArea;
    for (int i = 0; i < kTabs; ++i) tabArea |= TwipRect(60, kTabTops[i], 1260, 645);
    auto* tabList = new QWidget(page);
    SetAccessibleRole(tabList, QAccessible::PageTabList);
    tabList->setObjectName(QStringLiteral("elementTabs"));
    tabList->setAccessibleName(QStringLiteral("License class"));
    tabList->setGeometry(tabArea);
    for (int i = 0; i < kTabs; ++i) {
        tabFrames_[i] =
            NewPicture(tabList, QStringLiteral("TabOuter%1").arg(i),
                       TwipRect(60, kTabTops[i], 1260, 645).translated(-tabArea.topLeft()),
                       Image(QStringLiteral("tab_frame")));
        HideFromAssistiveTools(tabFrames_[i]);
        tabFaces_[i] = NewPicture(tabFrames_[i], QStringLiteral("tabInner%1").arg(i),
                                  TwipRect(30, 30, 1215, 555), Image(QStringLiteral("tab_face")));
        HideFromAssistiveTools(tabFaces_[i]);
        SetBackground(tabFaces_[i], kPanelGrey);
        tabFaces_[i]->installEventFilter(this);
    }
    const QFont tabFont = ArialBold(9);
    for (int i = 0; i < kTabs; ++i) {
        const QString caption = options::ElementTabCaption(i);
        tabCaptions_[i] = tabs_->addItem(tabList, caption);
        tabCaptions_[i]->setFont(tabFont);
        tabCaptions_[i]->setAlignment(Qt::AlignCenter);
        const int width = QFontMetrics(tabFont).horizontalAdvance(caption);
        const QPoint face = tabFaces_[i]->mapTo(tabList, QPoint(0, 0));
        tabCaptions_[i]->setGeometry(face.x() + (tabFaces_[i]->width() - width) / 2,
                                     face.y() + Px(180), width, Px(225));
    }

    // The list frame lies over the right edge of the tab frames, so that the
    // chosen tab, in the frame's colour, runs into it.
    QWidget* listFrame =
        NewSurface(page, QStringLiteral("Picture2"), TwipRect(1290, 390, 7170, 3165), kPanelGrey);
    tabs_->addBackground(listFrame);
    listViewport_ = NewSurface(listFrame, QStringLiteral("picOut"),
                               TwipRect(90, 60, 6945, kViewportHeight), kPanelGrey);
    listContent_ = NewSurface(listViewport_, QStringLiteral("picin"),
                              TwipRect(kContentLeft, 0, 7425, kViewportHeight), kListGrey);

    const QFont listFont = ArialBold(11.25);
    for (int j = 0; j < kSectionBoxes; ++j) {
        auto* box = new WrappingCheckBox(listContent_);
        box->setObjectName(QStringLiteral("chkSection%1").arg(j));
        box->setFont(listFont);
        box->setWrapWidth(Px(kCaptionWidth));
        box->setAutoFillBackground(true);
        SetBackground(box, kListGrey);
        SetTextColour(box, kWhite);
        box->setGeometry(TwipRect(180, options::kFirstBoxTop, 6525, 285));
        box->hide();
        connect(box, &QCheckBox::toggled, this, [this, j](bool checked) {
            options::RecordSectionBox(session_, sectionRows_[j], checked);
        });
        box->installEventFilter(this);
        sectionBoxes_[j] = box;
    }

    listScrollBar_ = new QScrollBar(Qt::Vertical, listViewport_);
    listScrollBar_->setObjectName(QStringLiteral("VScroll1"));
    listScrollBar_->setGeometry(TwipRect(6660, 0, 285, kViewportHeight));
    listScrollBar_->setSingleStep(1);
    listScrollBar_->setPageStep(options::kScrollPageSteps);
    listScrollBar_->setRange(0, 0);
    connect(listScrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        listContent_->move(Px(kContentLeft), Px(options::ContentTop(value)));
    });

    pictures_
        ->addButton(
            listFrame, TwipRect(3030, 2580, 1950, 405), Image(QStringLiteral("btn_addall_normal")),
            Image(QStringLiteral("btn_addall_rolled")), Image(QStringLiteral("btn_addall_clicked")))
        ->setAccessibleName(QStringLiteral("Add all sections"));
    pictures_
        ->addButton(listFrame, TwipRect(5010, 2580, 1950, 405),
                    Image(QStringLiteral("btn_clearall_normal")),
                    Image(QStringLiteral("btn_clearall_rolled")),
                    Image(QStringLiteral("btn_clearall_clicked")))
        ->setAccessibleName(QStringLiteral("Clear all sections"));

    // Reads the chosen element's pool with its answers; shown once an opener is given.
    readLink_ = new MenuItems(
        this, QStringLiteral("lblRead"),
        {QColor(0, 0, 160), QColor(0, 128, 255), QColor(255, 128, 0), QColor(0, 0, 160)});
    readLink_->setAccessibleRole(QAccessible::Link);
    QLabel* read = readLink_->addItem(page, QStringLiteral("Read the pool"));
    read->setFont(ArialBold(9.75));
    read->adjustSize();
    read->move(Px(8460) - read->width(), Px(90));
    read->setAccessibleName(QStringLiteral("Read the pool of the chosen element"));
    read->hide();
    readLink_->addBackground(page);
    connect(readLink_, &MenuItems::clicked, this, [this] {
        if (readThroughOpener_) readThroughOpener_(chosenElement_, this);
    });
}

void OptionsWindow::buildFormatPage() {
    QWidget* page = pages_[1];
    tabs_->addBackground(NewTextLabel(page, QStringLiteral("Label22"),
                                      QStringLiteral("Take the Test in the Following Format:"),
                                      TwipRect(75, 90, 4365, 285), ArialBold(12), kBlack));

    QWidget* box =
        NewSurface(page, QStringLiteral("picModes"), TwipRect(75, 450, 8415, 2070), kPanelGrey);
    SetAccessibleRole(box, QAccessible::Grouping);
    box->setAccessibleName(QStringLiteral("Test format"));
    const QFont font = ArialBold(9.75);
    for (const ModeRow& row : kModeRows) {
        auto* option = new MarkedRadioButton(QString::fromLatin1(row.caption), box);
        option->setObjectName(QStringLiteral("Option1%1").arg(row.index));
        option->setFont(font);
        SetBackground(option, kPanelGrey);
        SetTextColour(option, kWhite);
        option->setGeometry(TwipRect(180, row.top, 8415 - 180 - 60, row.height));
        modeOptions_[row.index] = option;
    }

    QLabel* note = NewTextLabel(page, QStringLiteral("Label3"), SimulatedModeNote(session_.exams),
                                TwipRect(120, 2610, 8400, 585),
                                LayoutFont(QStringLiteral("Arial"), 8.25), kBlack);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void OptionsWindow::buildProgramPage() {
    QWidget* page = pages_[2];
    tabs_->addBackground(NewTextLabel(page, QStringLiteral("Label21"),
                                      QStringLiteral("Program Options"),
                                      TwipRect(135, 90, 1950, 285), ArialBold(12), kBlack));

    struct OptionBox {
        QCheckBox** box;
        const char* name;
        const char* caption;
        int boxTop;
        int lines;
        std::function<void(bool)> apply;
    };
    const OptionBox rows[] = {
        {&soundBox_, "chkSound", "Play sounds if a sound card is available", 480, 1,
         [this](bool on) { options_.soundOn = on; }},
        {&shuffleBox_, "chkShuffle",
         "Shuffle answers so they don't always appear in the same order", 1200, 1,
         [this](bool on) { options_.shuffleOn = on; }},
        {&blackBackgroundBox_, "chkBlack",
         "Display black background behind program (changing this will take effect the next time "
         "you start the program)",
         1920, 2, [this](bool on) { options_.blackBackgroundOn = on; }},
    };
    const QFont font = ArialBold(9.75);
    constexpr int kBoxHeight = 600;
    for (const OptionBox& row : rows) {
        QWidget* frame = NewSurface(page, QStringLiteral("pic") + QLatin1String(row.name).mid(3),
                                    TwipRect(75, row.boxTop, 8415, kBoxHeight), kPanelGrey);
        auto* check = new WrappingCheckBox(frame);
        check->setObjectName(QLatin1String(row.name));
        check->setCaption(QLatin1String(row.caption));
        check->setFont(font);
        SetBackground(check, kPanelGrey);
        SetTextColour(check, kWhite);
        const int height = row.lines == 1 ? 285 : 480;
        check->setGeometry(TwipRect(180, (kBoxHeight - height) / 2, 8415 - 180 - 120, height));
        connect(check, &QCheckBox::toggled, this, row.apply);
        *row.box = check;
    }

    // The size of the windows: one row of choices, a named group to screen
    // readers.
    QWidget* sizeRow = NewSurface(page, QStringLiteral("picSize"),
                                  TwipRect(75, 2640, 8415, kBoxHeight), kPanelGrey);
    SetAccessibleRole(sizeRow, QAccessible::Grouping);
    sizeRow->setAccessibleName(QStringLiteral("Size of the windows"));
    sizeRow->setAccessibleDescription(QStringLiteral("Used from the next start"));
    QLabel* sizeCaption =
        NewTextLabel(sizeRow, QStringLiteral("lblSize"),
                     QStringLiteral("Size of the windows (from the next start):"),
                     TwipRect(180, (kBoxHeight - 285) / 2, 4200, 285), font, kWhite);
    HideFromAssistiveTools(sizeCaption);
    auto* sizes = new QButtonGroup(sizeRow);
    int left = 4380;
    for (size_t i = 0; i < std::size(settings::kWindowSizes); ++i) {
        auto* option =
            new MarkedRadioButton(QStringLiteral("%1 %").arg(settings::kWindowSizes[i]), sizeRow);
        option->setObjectName(QStringLiteral("optSize%1").arg(i));
        option->setFont(font);
        SetBackground(option, kPanelGrey);
        SetTextColour(option, kWhite);
        option->setGeometry(TwipRect(left, (kBoxHeight - 285) / 2, 960, 285));
        left += 990;
        sizes->addButton(option);
        sizeOptions_.push_back(option);
    }

    // Adds a newly published pool to the student's own bank.
    auto* addPool = new QPushButton(QStringLiteral("Add a question pool\u2026"), page);
    addPoolButton_ = addPool;
    addPool->setObjectName(QStringLiteral("cmdAddPool"));
    addPool->setFont(font);
    addPool->setGeometry(TwipRect(5490, 15, 3000, 375));
    connect(addPool, &QPushButton::clicked, this, [this] {
        if (AddQuestionPool(session_, this)) showPoolsInUse();
    });

    // The figures option is kept and saved with the others but lies below the
    // bottom of the page, out of sight, and so out of what screen readers read.
    QLabel* figuresTitle = NewTextLabel(page, QStringLiteral("Label24"),
                                        QStringLiteral("Charts and Figures Consideration"),
                                        TwipRect(135, 3900, 4365, 285), ArialBold(12), kBlack);
    HideFromAssistiveTools(figuresTitle);
    tabs_->addBackground(figuresTitle);
    auto* figures = new WrappingCheckBox(page);
    HideFromAssistiveTools(figures);
    figures->setObjectName(QStringLiteral("chkFigures"));
    figures->setCaption(QStringLiteral("Ask Questions that refer to charts and figures"));
    figures->setFont(font);
    figures->setFocusPolicy(Qt::NoFocus);
    figures->setGeometry(TwipRect(180, 4260, 8115, 285));
    connect(figures, &QCheckBox::toggled, this, [this](bool on) { options_.figuresOn = on; });
    figuresBox_ = figures;
}

// The mnemonics of "Clear All" and "Add All" (Alt+C and Alt+A) clear and tick
// the shown element's sections from any page. They come from the captions, so
// where the system gives buttons no mnemonics there are no such keys either.
void OptionsWindow::addSectionShortcuts() {
    auto* clear = new QShortcut(QKeySequence::mnemonic(QStringLiteral("&Clear All")), this);
    connect(clear, &QShortcut::activated, this, &OptionsWindow::clearAll);
    auto* add = new QShortcut(QKeySequence::mnemonic(QStringLiteral("&Add All")), this);
    connect(add, &QShortcut::activated, this, &OptionsWindow::addAll);
}

// Tab runs through the page buttons, the element tabs, the section boxes and
// their buttons, the test modes from the top, the program options and BACK;
// the controls of hidden pages are passed over.
void OptionsWindow::setKeyboardOrder() {
    // BACK sits at the top right, in the title row: the keyboard meets it first.
    std::vector<QWidget*> order{pictures_->button(0)};
    order.insert(order.end(), pageButtons_.begin(), pageButtons_.end());
    for (int i = 0; i < tabs_->count(); ++i) order.push_back(tabs_->item(i));
    order.insert(order.end(), sectionBoxes_.begin(), sectionBoxes_.end());
    order.push_back(pictures_->button(1));
    order.push_back(pictures_->button(2));
    order.push_back(readLink_->item(0));
    const std::vector<QWidget*> modes(modeOptions_.begin(), modeOptions_.end());
    for (QWidget* mode : InReadingOrder(modes)) order.push_back(mode);
    order.insert(order.end(), {soundBox_, shuffleBox_, blackBackgroundBox_});
    order.insert(order.end(), sizeOptions_.begin(), sizeOptions_.end());
    order.push_back(addPoolButton_);
    SetTabOrder(order);
}

}  // namespace quillet
