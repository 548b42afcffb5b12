// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "options/gui/OptionsWindow.h"

#include "options/core/OptionsPersistence.h"
#include "options/core/SectionList.h"
#include "shell/core/Session.h"
#include "shell/core/SoundCues.h"
#include "shell/core/StudentOptions.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMouseEvent>
#include <QAbstractButton>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>
#include <exception>
#include <functional>

namespace quillet {
namespace {

// Layout, in twips.
constexpr int kClientWidth = 8655;
constexpr int kClientHeight = 5070;
constexpr int kBandHeight = 690;
constexpr int kLineTop = 1275;
const QRect kPanelRect = TwipRect(60, 1380, 8565, 3615);
constexpr int kTabTops[OptionsWindow::kTabs] = {390, 1020, 1650, 2280, 2880};
constexpr int kPageButtonLefts[OptionsWindow::kPages] = {180, 2250, 4350};
constexpr int kPageButtonTops[OptionsWindow::kPages] = {765, 765, 780};
constexpr int kViewportHeight = 2445;
constexpr int kContentLeft = -120;
constexpr int kMeasureWidth = 5865;

const QColor kWhite(255, 255, 255);
const QColor kBlack(0, 0, 0);
const QColor kDark(64, 64, 64);
const QColor kListGrey(128, 128, 128);
const QColor kChosenCaption(255, 255, 0);

const MenuColours kTabColours{kWhite, QColor(255, 255, 0), QColor(255, 255, 0)};

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
    {4, 1320, 330, "Real exam: one question from each group, as on the actual test (marked at end)"},
    {5, 1650, 330, "Review: questions I missed last time, then new ones (marked after each question)"},
};


void SetColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette pal = widget->palette();
    // Buttons paint with the button roles, everything else with the window roles.
    if (background.isValid()) {
        pal.setColor(QPalette::Window, background);
        pal.setColor(QPalette::Button, background);
    }
    if (text.isValid()) {
        pal.setColor(QPalette::WindowText, text);
        pal.setColor(QPalette::ButtonText, text);
    }
    widget->setPalette(pal);
}

QWidget* Surface(QWidget* parent, const QString& name, const QRect& geometry,
                 const QColor& colour) {
    auto* surface = new QWidget(parent);
    surface->setObjectName(name);
    surface->setGeometry(geometry);
    surface->setAutoFillBackground(true);
    SetColours(surface, colour, {});
    return surface;
}

QLabel* Picture(QWidget* parent, const QString& name, const QRect& geometry,
                const QPixmap& pixmap) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setGeometry(geometry);
    picture->setPixmap(pixmap);
    return picture;
}

QLabel* Text(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
             const QFont& font, const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    label->setFont(font);
    SetColours(label, {}, colour);
    return label;
}

QPixmap Image(const QString& name) { return ReadPng(QStringLiteral(":/") + name + ".png"); }

// A check box whose caption wraps onto as many lines as its height allows,
// with the box itself in the middle of its left edge. A click anywhere on it
// toggles it. The caption is shown as given: an "&" is a plain character here,
// not the mark of a keyboard shortcut.
class WrappingCheckBox : public QCheckBox {
public:
    explicit WrappingCheckBox(QWidget* parent) : QCheckBox(parent) {}

    void setCaption(const QString& caption) {
        setText(caption);
        setShortcut(QKeySequence());
        update();
    }
    // The caption wraps at this width (pixels); 0 lets it use all of the box.
    void setWrapWidth(int width) { wrapWidth_ = width; }

protected:
    void paintEvent(QPaintEvent*) override {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        QStyleOptionButton indicator = option;
        indicator.rect = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
        indicator.rect.moveTop((height() - indicator.rect.height()) / 2);
        painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, indicator);

        const QRect text = textRect(indicator.rect);
        painter.setFont(font());
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, this->text());
        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            focus.rect = painter.boundingRect(
                text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, this->text());
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    QRect textRect(const QRect& indicator) const {
        const int left =
            indicator.right() + 1 + style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing);
        const int width = wrapWidth_ > 0 ? wrapWidth_ : this->width() - left;
        return QRect(left, 0, width, height());
    }

    int wrapWidth_ = 0;
};

// A page button: its picture, and the focus frame while it has the keyboard
// focus (the pointer gives it no look of its own to borrow).
class PageButton : public AccessibleLabel {
public:
    using AccessibleLabel::AccessibleLabel;

protected:
    void paintEvent(QPaintEvent* event) override {
        AccessibleLabel::paintEvent(event);
        if (!hasFocus()) return;
        QStylePainter painter(this);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(2, 2, -2, -2);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
    void focusInEvent(QFocusEvent* event) override {
        AccessibleLabel::focusInEvent(event);
        update();
    }
    void focusOutEvent(QFocusEvent* event) override {
        AccessibleLabel::focusOutEvent(event);
        update();
    }
};

// Runs one step of the setup. A step that fails is abandoned where it failed;
// the setup goes on with the next one and the screen opens in any case.
void SetupStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

bool IsLeftPress(QEvent* event) {
    return event->type() == QEvent::MouseButtonPress &&
           static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
}

bool IsLeftReleaseInside(QEvent* event, const QWidget* widget) {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<QMouseEvent*>(event);
    return mouse->button() == Qt::LeftButton &&
           widget->rect().contains(mouse->position().toPoint());
}

}  // namespace

OptionsWindow::OptionsWindow(Session& session, StudentOptions& options, const SoundCues& sounds,
                             QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      session_(session),
      options_(options),
      sounds_(sounds) {
    setObjectName(QStringLiteral("TestOptions"));
    setWindowTitle(QStringLiteral("Test Options"));
    setModal(true);
    setFixedSize(Px(kClientWidth), Px(kClientHeight));
    setAutoFillBackground(true);
    SetColours(this, kWhite, kBlack);

    tabs_ = new MenuItems(this, QStringLiteral("tabLabel"), kTabColours);
    tabs_->setAccessibleRole(QAccessible::PageTab);
    pictures_ = new PictureButtons(sounds_, this, /*clickActsWhenDisabled=*/true);
    tabs_->addBackground(this);

    buildTitle();
    buildTopicsPage();
    buildFormatPage();
    buildProgramPage();
    buildHiddenControls();
    setKeyboardOrder();

    connect(tabs_, &MenuItems::clicked, this, [this](int tab) { SetTabsForSection(tab + 1); });
    connect(pictures_, &PictureButtons::clicked, this, [this](int button) {
        switch (button) {
            case 0:
                discarded_ = true;
                accept();
                break;
            case 1:
                AddAll();
                break;
            case 2:
                ClearAll();
                break;
            default:
                break;
        }
    });

    Load();
}

void OptionsWindow::buildTitle() {
    // The band and the line are drawn on the window: the pointer over them is
    // over the window's background.
    QLabel* band = Picture(this, QStringLiteral("Shape1"), TwipRect(0, 0, kClientWidth, kBandHeight),
                           Image(QStringLiteral("options_band")));
    band->setScaledContents(true);
    band->setAttribute(Qt::WA_TransparentForMouseEvents);
    Text(this, QStringLiteral("Label1"), QStringLiteral("Test Options"),
         TwipRect(270, 75, 2670, 510), ArialBold(21.75), kWhite);
    pictures_->addButton(
        this, TwipRect(6480, 120, 1950, 405), Image(QStringLiteral("btn_back_normal")),
        Image(QStringLiteral("btn_back_rolled")), Image(QStringLiteral("btn_back_clicked")))
        ->setAccessibleName(QStringLiteral("Back"));

    for (int i = 0; i < kPages; ++i) {
        const QString base = QStringLiteral("page_") + QLatin1String(kPageImages[i]);
        pageUnselected_[i] = Image(base + QStringLiteral("_unselected"));
        pageSelected_[i] = Image(base + QStringLiteral("_selected"));
        auto* button = new PageButton(this);
        SetAccessibleRole(button, QAccessible::PageTab);
        button->setObjectName(QStringLiteral("optBut%1").arg(i));
        button->setGeometry(TwipRect(kPageButtonLefts[i], kPageButtonTops[i], 1950, 405));
        button->setPixmap(pageUnselected_[i]);
        button->setFocusPolicy(Qt::TabFocus);
        button->setAccessibleName(QLatin1String(kPageNames[i]));
        pageButtons_[i] = button;
        pageButtons_[i]->installEventFilter(this);
    }
    Surface(this, QStringLiteral("Line1"), QRect(0, Px(kLineTop), Px(kClientWidth), 1), kBlack)
        ->setAttribute(Qt::WA_TransparentForMouseEvents);

    for (int i = 0; i < kPages; ++i) {
        panels_[i] = Surface(this, QStringLiteral("Panel%1").arg(i), kPanelRect, kWhite);
        tabs_->addBackground(panels_[i]);
    }
}

void OptionsWindow::buildTopicsPage() {
    QWidget* page = panels_[0];
    QLabel* heading = Text(page, QStringLiteral("Label20"),
                           QStringLiteral("Ask me Questions on the Following Topics:"),
                           TwipRect(135, 60, 4965, 285), ArialBold(12), kBlack);
    tabs_->addBackground(heading);

    const QFont tabFont = ArialBold(9);
    for (int i = 0; i < kTabs; ++i) {
        tabOuter_[i] =
            Picture(page, QStringLiteral("TabOuter%1").arg(i), TwipRect(60, kTabTops[i], 1260, 645),
                    Image(QStringLiteral("tab_frame")));
        tabInner_[i] = Picture(tabOuter_[i], QStringLiteral("tabInner%1").arg(i),
                               TwipRect(30, 30, 1215, 555), Image(QStringLiteral("tab_face")));
        SetColours(tabInner_[i], kDark, {});
        tabInner_[i]->installEventFilter(this);

        const QString caption = options::ElementTabCaption(i);
        tabLabel_[i] = tabs_->addItem(tabInner_[i], caption);
        tabLabel_[i]->setFont(tabFont);
        tabLabel_[i]->setAlignment(Qt::AlignCenter);
        const int width = QFontMetrics(tabFont).horizontalAdvance(caption);
        tabLabel_[i]->setGeometry((tabInner_[i]->width() - width) / 2, Px(180), width, Px(225));
    }

    // The list frame lies over the right edge of the tab frames, so that the
    // chosen tab, in the frame's colour, runs into it.
    picture2_ = Surface(page, QStringLiteral("Picture2"), TwipRect(1290, 390, 7170, 3165), kDark);
    tabs_->addBackground(picture2_);
    picOut_ = Surface(picture2_, QStringLiteral("picOut"), TwipRect(90, 60, 6945, kViewportHeight),
                      kDark);
    picin_ = Surface(picOut_, QStringLiteral("picin"),
                     TwipRect(kContentLeft, 0, 7425, kViewportHeight), kListGrey);

    const QFont listFont = ArialBold(11.25);
    lblFontHeight_ = Text(picin_, QStringLiteral("lblFontHeight"), QString(),
                          TwipRect(0, 0, kMeasureWidth, 0), listFont, kWhite);
    lblFontHeight_->setWordWrap(true);
    lblFontHeight_->hide();

    for (int j = 0; j < kSectionBoxes; ++j) {
        auto* box = new WrappingCheckBox(picin_);
        box->setObjectName(QStringLiteral("chkSection%1").arg(j));
        box->setFont(listFont);
        box->setWrapWidth(Px(kMeasureWidth));
        box->setAutoFillBackground(true);
        SetColours(box, kListGrey, kWhite);
        box->setGeometry(TwipRect(180, options::kFirstBoxTop, 6525, 285));
        box->setProperty("tag", QStringLiteral("0"));
        box->hide();
        connect(box, &QCheckBox::toggled, this,
                [this, box](bool checked) { onSectionToggled(box, checked); });
        box->installEventFilter(this);
        sectionBoxes_[j] = box;
    }

    vscroll_ = new QScrollBar(Qt::Vertical, picOut_);
    vscroll_->setObjectName(QStringLiteral("VScroll1"));
    vscroll_->setGeometry(TwipRect(6660, 0, 285, kViewportHeight));
    vscroll_->setSingleStep(1);
    vscroll_->setPageStep(options::kScrollPageSteps);
    vscroll_->setRange(0, 0);
    connect(vscroll_, &QScrollBar::valueChanged, this,
            [this](int value) { picin_->move(Px(kContentLeft), Px(options::ContentTop(value))); });

    pictures_->addButton(
        picture2_, TwipRect(3030, 2580, 1950, 405), Image(QStringLiteral("btn_addall_normal")),
        Image(QStringLiteral("btn_addall_rolled")), Image(QStringLiteral("btn_addall_clicked")))
        ->setAccessibleName(QStringLiteral("Add all sections"));
    pictures_->addButton(picture2_, TwipRect(5010, 2580, 1950, 405),
                         Image(QStringLiteral("btn_clearall_normal")),
                         Image(QStringLiteral("btn_clearall_rolled")),
                         Image(QStringLiteral("btn_clearall_clicked")))
        ->setAccessibleName(QStringLiteral("Clear all sections"));
}

void OptionsWindow::buildFormatPage() {
    QWidget* page = panels_[1];
    QLabel* heading = Text(page, QStringLiteral("Label22"),
                           QStringLiteral("Take the Test in the Following Format:"),
                           TwipRect(75, 90, 4365, 285), ArialBold(12), kBlack);
    tabs_->addBackground(heading);

    QWidget* box = Surface(page, QStringLiteral("picModes"), TwipRect(75, 450, 8415, 2070), kDark);
    const QFont font = ArialBold(9.75);
    for (const ModeRow& row : kModeRows) {
        auto* option = new QRadioButton(QString::fromLatin1(row.caption), box);
        option->setObjectName(QStringLiteral("Option1%1").arg(row.index));
        option->setFont(font);
        SetColours(option, kDark, kWhite);
        option->setGeometry(TwipRect(180, row.top, 8415 - 180 - 60, row.height));
        modes_[row.index] = option;
    }

    auto* note =
        Text(page, QStringLiteral("Label3"), SimulatedModeNote(session_.exams),
             TwipRect(120, 2610, 8400, 585), LayoutFont(QStringLiteral("Arial"), 8.25), kBlack);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void OptionsWindow::buildProgramPage() {
    QWidget* page = panels_[2];
    QLabel* heading = Text(page, QStringLiteral("Label21"), QStringLiteral("Program Options"),
                           TwipRect(135, 90, 1950, 285), ArialBold(12), kBlack);
    tabs_->addBackground(heading);

    struct OptionBox {
        QCheckBox** box;
        const char* name;
        const char* caption;
        int boxTop;
        int lines;
        std::function<void(bool)> apply;
    };
    const OptionBox rows[] = {
        {&chkSound_, "chkSound", "Play sounds if a sound card is available", 480, 1,
         [this](bool on) { options_.soundOn = on; }},
        {&chkShuffle_, "chkShuffle",
         "Shuffle answers so they don't always appear in the same order", 1200, 1,
         [this](bool on) { options_.shuffleOn = on; }},
        {&chkBlack_, "chkBlack",
         "Display black background behind program (changing this will take effect the next time "
         "you "
         "start the program)",
         1920, 2, [this](bool on) { options_.blackBackgroundOn = on; }},
    };
    const QFont font = ArialBold(9.75);
    constexpr int kBoxHeight = 600;
    for (const OptionBox& row : rows) {
        QWidget* frame = Surface(page, QStringLiteral("pic") + QLatin1String(row.name).mid(3),
                                 TwipRect(75, row.boxTop, 8415, kBoxHeight), kDark);
        auto* check = new WrappingCheckBox(frame);
        check->setObjectName(QLatin1String(row.name));
        check->setCaption(QLatin1String(row.caption));
        check->setFont(font);
        SetColours(check, kDark, kWhite);
        const int height = row.lines == 1 ? 285 : 480;
        check->setGeometry(TwipRect(180, (kBoxHeight - height) / 2, 8415 - 180 - 120, height));
        connect(check, &QCheckBox::toggled, this, row.apply);
        *row.box = check;
    }

    // The figures option is kept and saved with the others but lies below the
    // bottom of the page, out of sight.
    tabs_->addBackground(Text(page, QStringLiteral("Label24"),
                              QStringLiteral("Charts and Figures Consideration"),
                              TwipRect(135, 3900, 4365, 285), ArialBold(12), kBlack));
    auto* figures = new WrappingCheckBox(page);
    figures->setObjectName(QStringLiteral("chkFigures"));
    figures->setCaption(QStringLiteral("Ask Questions that refer to charts and figures"));
    figures->setFont(font);
    figures->setFocusPolicy(Qt::NoFocus);
    figures->setGeometry(TwipRect(180, 4260, 8115, 285));
    connect(figures, &QCheckBox::toggled, this, [this](bool on) { options_.figuresOn = on; });
    chkFigures_ = figures;
}

void OptionsWindow::buildHiddenControls() {
    // Push buttons with the actions of ADD ALL and CLEAR ALL, right of the
    // client area, out of sight; their keyboard shortcuts still work. They
    // never take Enter, which would otherwise clear every section unseen.
    const QFont font = LayoutFont(QStringLiteral("Comic Sans MS"), 9.75, true);
    auto makeButton = [&](const QString& name, const QString& caption, int top) {
        auto* button = new QPushButton(caption, this);
        button->setObjectName(name);
        button->setFont(font);
        button->setGeometry(TwipRect(kClientWidth + 300, top, 1215, 375));
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setDefault(false);
        return button;
    };
    command1_ = makeButton(QStringLiteral("Command1"), QStringLiteral("&Clear All"), 1500);
    command2_ = makeButton(QStringLiteral("Command2"), QStringLiteral("&Add All"), 2000);
    connect(command1_, &QPushButton::clicked, this, &OptionsWindow::ClearAll);
    connect(command2_, &QPushButton::clicked, this, &OptionsWindow::AddAll);
}

// Tab runs through the page buttons, the element tabs, the section boxes and
// their buttons, the test modes from the top, the program options and BACK;
// the controls of hidden pages are passed over.
void OptionsWindow::setKeyboardOrder() {
    std::vector<QWidget*> order(pageButtons_.begin(), pageButtons_.end());
    for (int i = 0; i < tabs_->count(); ++i) order.push_back(tabs_->item(i));
    order.insert(order.end(), sectionBoxes_.begin(), sectionBoxes_.end());
    order.push_back(pictures_->button(1));
    order.push_back(pictures_->button(2));
    for (QWidget* mode : InReadingOrder(std::vector<QWidget*>(modes_.begin(), modes_.end()))) order.push_back(mode);
    order.insert(order.end(), {chkSound_, chkShuffle_, chkBlack_, pictures_->button(0)});
    SetTabOrder(order);
}

// The setup, run each time the window is loaded. Colours and the placing of
// the pages over one another are fixed when the controls are made.
void OptionsWindow::Load() {
    loaded_ = true;
    discarded_ = false;
    picin_->move(Px(kContentLeft), 0);
    vscroll_->setGeometry(vscroll_->x(), 0, vscroll_->width(), picOut_->height());
    vscroll_->setRange(
        0, std::max(0, options::ScrollMaximum(Twips(picin_->height()), kViewportHeight)));
    vscroll_->setValue(0);

    SetupStep([this] { pictures_->LoadButtons(); });
    SetupStep([this] {
        if (QRadioButton* mode =
                modes_.at(static_cast<size_t>(options::OptionIndexForMode(options_.testMode)))) {
            mode->setChecked(true);
        }
    });
    SetupStep([this] { CenterForm(this); });
    SetupStep([this] {
        const options::ProgramOptionBoxes boxes = options::ProgramOptionsOf(options_);
        chkSound_->setChecked(boxes.sound);
        chkBlack_->setChecked(boxes.blackBackground);
        chkShuffle_->setChecked(boxes.shuffle);
        chkFigures_->setChecked(boxes.figures);
    });
    SetupStep([this] { SelectPage(0); });
    SetupStep([this] { StartWithoutFocus(this); });
    SetupStep([this] { SetTabsForSection(session_.currentElement); });
}

// Every close, however caused, saves the program options and the test mode.
void OptionsWindow::Unload() {
    loaded_ = false;
    options::SaveOptionsOnClose(session_.settingsPath, options_,
                                {chkSound_->isChecked(), chkShuffle_->isChecked(),
                                 chkBlack_->isChecked(), chkFigures_->isChecked()},
                                selectedMode());
}

int OptionsWindow::selectedMode() const {
    for (int i = 0; i < kModes; ++i) {
        if (modes_[i] && modes_[i]->isChecked()) return i;
    }
    return -1;
}

void OptionsWindow::done(int result) {
    if (loaded_) Unload();
    QDialog::done(result);
}

void OptionsWindow::showEvent(QShowEvent* event) {
    if (!loaded_) Load();
    QDialog::showEvent(event);
}

void OptionsWindow::SelectPage(int page) {
    for (int i = 0; i < kPages; ++i) {
        if (i == page) {
            if (pageSelectedBefore_) {
                sounds_.play(QStringLiteral("bump.wav"));
            } else {
                pageSelectedBefore_ = true;
            }
            pageButtons_[i]->setPixmap(pageSelected_[i]);
            panels_[i]->show();
        } else {
            pageButtons_[i]->setPixmap(pageUnselected_[i]);
            panels_[i]->hide();
        }
        SetAccessibleSelected(pageButtons_[i], i == page);
    }
    if (page >= 0 && page < kPages) shownPage_ = page;
}

void OptionsWindow::ResetRollovers() { tabs_->ResetRollovers(); }

void OptionsWindow::SetTabsForSection(int whichsection) {
    chosenElement_ = whichsection;
    tabs_->ResetRollovers();
    for (int i = 0; i < kTabs; ++i) {
        const bool chosen = i + 1 == whichsection;
        tabOuter_[i]->setPixmap(
            Image(chosen ? QStringLiteral("tab_frame_chosen") : QStringLiteral("tab_frame")));
        SetColours(tabOuter_[i], chosen ? kDark : kWhite, {});
        SetColours(tabLabel_[i], {}, chosen ? kChosenCaption : kWhite);
        SetColours(tabInner_[i], kDark, {});
        SetAccessibleSelected(tabLabel_[i], chosen);
    }

    for (QCheckBox* box : sectionBoxes_) {
        box->hide();
        box->setProperty("tag", QStringLiteral("0"));
    }

    // The boxes take their texts, heights and check states while still
    // unbound, so building the list records nothing.
    const std::vector<options::SectionRow> rows =
        options::SectionsForElement(session_.sections, whichsection);
    std::vector<int> heights;
    for (size_t n = 0; n < rows.size(); ++n) {
        auto* box = static_cast<WrappingCheckBox*>(sectionBoxes_[n]);
        box->setCaption(rows[n].caption);
        lblFontHeight_->setText(rows[n].caption);
        const int height = lblFontHeight_->heightForWidth(lblFontHeight_->width());
        lblFontHeight_->resize(lblFontHeight_->width(), height);
        heights.push_back(Twips(height));
        box->setChecked(rows[n].checked);
    }

    const options::SectionListLayout layout = options::LayOutSectionList(heights, kViewportHeight);
    for (size_t n = 0; n < rows.size(); ++n) {
        QCheckBox* box = sectionBoxes_[n];
        box->setGeometry(box->x(), Px(layout.tops[n]), box->width(), Px(heights[n]));
        box->show();
        box->setProperty("tag", QString::number(rows[n].row));
    }
    picin_->resize(picin_->width(), Px(layout.contentHeight));
    vscroll_->setRange(layout.scrollMinimum, layout.scrollMaximum);
    scrollTo(layout.scrollValue);
}

void OptionsWindow::scrollTo(int value) {
    vscroll_->setValue(value);
    picin_->move(Px(kContentLeft), Px(options::ContentTop(vscroll_->value())));
}

void OptionsWindow::onSectionToggled(QCheckBox* box, bool checked) {
    options::RecordSectionBox(session_, box->property("tag").toString(), checked);
}

void OptionsWindow::AddAll() {
    for (QCheckBox* box : sectionBoxes_) box->setChecked(true);
}

void OptionsWindow::ClearAll() {
    for (QCheckBox* box : sectionBoxes_) box->setChecked(false);
}

void OptionsWindow::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the focused box or option as Space does.
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (button && button->isVisible() && event->key() != Qt::Key_Space &&
        IsKeyboardClick(event)) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Keeps a section box that the keyboard moves to inside the list's viewport.
void OptionsWindow::scrollToShow(QWidget* box) {
    for (int value = vscroll_->minimum(); value <= vscroll_->maximum(); ++value) {
        const QRect place(box->mapTo(picOut_, QPoint(0, 0)), box->size());
        if (place.top() >= 0 && place.bottom() < picOut_->height()) return;
        scrollTo(value);
    }
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            for (QCheckBox* box : sectionBoxes_) {
                if (watched == box) scrollToShow(box);
            }
        }
    }
    for (int i = 0; i < kPages; ++i) {
        if (watched != pageButtons_[i]) continue;
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (IsKeyboardClick(event)) {
                SelectPage(i);
                return true;
            }
            const int step = key->key() == Qt::Key_Left    ? -1
                             : key->key() == Qt::Key_Right ? 1
                                                           : 0;
            if (step == 0 || key->modifiers() != Qt::NoModifier) return false;
            std::vector<QWidget*> pages(pageButtons_.begin(), pageButtons_.end());
            NextInReadingOrder(pages, pageButtons_[i], step)->setFocus(Qt::TabFocusReason);
            return true;
        }
        if (IsLeftPress(event)) {
            pressedOn_ = i;
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const bool click = pressedOn_ == i && IsLeftReleaseInside(event, pageButtons_[i]);
            pressedOn_ = -1;
            if (click) SelectPage(i);
            return true;
        }
    }
    for (int i = 0; i < kTabs; ++i) {
        if (watched != tabInner_[i]) continue;
        if (IsLeftPress(event)) {
            pressedOn_ = kPages + i;
            return true;
        }
        if (event->type() == QEvent::MouseButtonRelease) {
            const bool click = pressedOn_ == kPages + i && IsLeftReleaseInside(event, tabInner_[i]);
            pressedOn_ = -1;
            if (click) SetTabsForSection(i + 1);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------

OptionsWindowHolder::~OptionsWindowHolder() { delete screen_.data(); }

void OptionsWindowHolder::Show(QWidget* parent) {
    if (screen_ && screen_->parentWidget() != parent) {
        screen_->setParent(parent, screen_->windowFlags());
    }
    if (!screen_) screen_ = new OptionsWindow(session_, options_, sounds_, parent);
    ExecModal(*screen_);
    if (screen_ && screen_->discarded()) delete screen_.data();
}

}  // namespace quillet
