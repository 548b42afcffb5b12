// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
// The options screen at work: loading and closing it, the pages, the element
// tabs and the section list. The controls are built in OptionsPages.cpp.

#include "options/gui/OptionsWindow.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>
#include <QtGlobal>
#include <algorithm>
#include <exception>
#include <functional>

#include "options/core/OptionsPersistence.h"
#include "options/core/SectionList.h"
#include "options/gui/OptionsControls.h"
#include "options/gui/OptionsLayout.h"
#include "shell/core/Session.h"
#include "shell/core/Settings.h"
#include "shell/core/SoundCues.h"
#include "shell/core/StudentOptions.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

using namespace options_layout;

const MenuColours kTabColours{kWhite, QColor(255, 255, 0), QColor(255, 255, 0), kWhite};

// Runs one step of the setup. A step that fails is abandoned where it failed
// and reported; the setup goes on with the next one and the screen opens in
// any case.
void SetupStep(const char* name, const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        qWarning("Options screen: setting up %s failed: %s", name, e.what());
    }
}

bool IsLeftPress(const QEvent* event) {
    return event->type() == QEvent::MouseButtonPress &&
           static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
}

bool IsLeftReleaseInside(const QEvent* event, const QWidget* widget) {
    if (event->type() != QEvent::MouseButtonRelease) return false;
    const auto* mouse = static_cast<const QMouseEvent*>(event);
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
    SetBackground(this, kWhite);
    SetTextColour(this, kBlack);

    tabs_ = new MenuItems(this, QStringLiteral("tabLabel"), kTabColours);
    tabs_->setAccessibleRole(QAccessible::PageTab);
    pictures_ = new PictureButtons(sounds_, this, /*clickActsWhenDisabled=*/true);
    tabs_->addBackground(this);

    buildTitle();
    buildTopicsPage();
    buildFormatPage();
    buildProgramPage();
    addSectionShortcuts();
    setKeyboardOrder();

    connect(tabs_, &MenuItems::clicked, this, [this](int tab) { chooseElement(tab + 1); });
    connect(pictures_, &PictureButtons::clicked, this, [this](int button) {
        switch (button) {
            case 0:
                discarded_ = true;
                accept();
                break;
            case 1:
                addAll();
                break;
            case 2:
                clearAll();
                break;
            default:
                break;
        }
    });

    load();
}

// The setup, run each time the window is loaded. Colours and the placing of
// the pages over one another are fixed when the controls are made.
void OptionsWindow::load() {
    loaded_ = true;
    discarded_ = false;
    listContent_->move(Px(kContentLeft), 0);
    listScrollBar_->setGeometry(listScrollBar_->x(), 0, listScrollBar_->width(),
                                listViewport_->height());
    listScrollBar_->setRange(
        0, std::max(0, options::ScrollMaximum(Twips(listContent_->height()), kViewportHeight)));
    listScrollBar_->setValue(0);

    SetupStep("the picture buttons", [this] { pictures_->loadButtons(); });
    SetupStep("the test mode", [this] {
        const int option = options::OptionIndexForMode(options_.testMode);
        if (QRadioButton* mode = modeOptions_.at(static_cast<size_t>(option))) {
            mode->setChecked(true);
        }
    });
    SetupStep("the window's place", [this] { CenterForm(this); });
    SetupStep("the program options", [this] {
        const options::ProgramOptionBoxes boxes = options::ProgramOptionsOf(options_);
        soundBox_->setChecked(boxes.sound);
        blackBackgroundBox_->setChecked(boxes.blackBackground);
        shuffleBox_->setChecked(boxes.shuffle);
        figuresBox_->setChecked(boxes.figures);
        for (size_t i = 0; i < sizeOptions_.size(); ++i) {
            sizeOptions_[i]->setChecked(settings::kWindowSizes[i] == boxes.windowSize);
        }
    });
    SetupStep("the first page", [this] { selectPage(0); });
    SetupStep("the keyboard focus", [this] { StartWithoutFocus(this); });
    SetupStep("the element tab", [this] { chooseElement(session_.currentElement); });
}

// Every close, however caused, saves the program options and the test mode.
void OptionsWindow::unload() {
    loaded_ = false;
    int windowSize = options_.windowSize;
    for (size_t i = 0; i < sizeOptions_.size(); ++i) {
        if (sizeOptions_[i]->isChecked()) windowSize = settings::kWindowSizes[i];
    }
    options::SaveOptionsOnClose(
        session_.settingsPath, options_,
        {soundBox_->isChecked(), shuffleBox_->isChecked(), blackBackgroundBox_->isChecked(),
         figuresBox_->isChecked(), windowSize},
        selectedMode());
}

void OptionsWindow::showPoolsInUse() {
    if (auto* note = findChild<QLabel*>(QStringLiteral("Label3"))) {
        note->setText(SimulatedModeNote(session_.exams));
    }
    chooseElement(chosenElement_);
}

int OptionsWindow::selectedMode() const {
    for (int i = 0; i < kModes; ++i) {
        if (modeOptions_[i] && modeOptions_[i]->isChecked()) return i;
    }
    return -1;
}

void OptionsWindow::done(int result) {
    if (loaded_) unload();
    QDialog::done(result);
}

void OptionsWindow::showEvent(QShowEvent* event) {
    if (!loaded_) load();
    QDialog::showEvent(event);
}

void OptionsWindow::selectPage(int page) {
    for (int i = 0; i < kPages; ++i) {
        if (i == page) {
            if (pageSelectedBefore_) {
                sounds_.play(QStringLiteral("bump.wav"));
            } else {
                pageSelectedBefore_ = true;
            }
            pageButtons_[i]->setPixmap(pageSelected_[i]);
            pages_[i]->show();
        } else {
            pageButtons_[i]->setPixmap(pageUnselected_[i]);
            pages_[i]->hide();
        }
        SetAccessibleSelected(pageButtons_[i], i == page);
    }
    if (page >= 0 && page < kPages) shownPage_ = page;
}

void OptionsWindow::resetRollovers() { tabs_->resetRollovers(); }

void OptionsWindow::chooseElement(int element) {
    chosenElement_ = element;
    tabs_->resetRollovers();
    for (int i = 0; i < kTabs; ++i) {
        const bool chosen = i + 1 == element;
        tabFrames_[i]->setPixmap(ReadPng(chosen ? QStringLiteral(":/tab_frame_chosen.png")
                                                : QStringLiteral(":/tab_frame.png")));
        SetBackground(tabFrames_[i], chosen ? kPanelGrey : kWhite);
        SetTextColour(tabCaptions_[i], chosen ? kChosenCaption : kWhite);
        SetBackground(tabFaces_[i], kPanelGrey);
        SetAccessibleSelected(tabCaptions_[i], chosen);
    }

    for (WrappingCheckBox* box : sectionBoxes_) box->hide();
    sectionRows_.fill(0);

    // The boxes take their texts, heights and check states while still
    // unbound, so building the list records nothing.
    const std::vector<options::SectionRow> rows =
        options::SectionsForElement(session_.sections, element);
    std::vector<int> heights;
    for (size_t n = 0; n < rows.size(); ++n) {
        WrappingCheckBox* box = sectionBoxes_[n];
        box->setCaption(rows[n].caption);
        heights.push_back(Twips(box->captionHeight()));
        box->setChecked(rows[n].checked);
    }

    const options::SectionListLayout layout = options::LayOutSectionList(heights, kViewportHeight);
    for (size_t n = 0; n < rows.size(); ++n) {
        WrappingCheckBox* box = sectionBoxes_[n];
        box->setGeometry(box->x(), Px(layout.tops[n]), box->width(), Px(heights[n]));
        box->show();
        sectionRows_[n] = rows[n].row;
    }
    listContent_->resize(listContent_->width(), Px(layout.contentHeight));
    listScrollBar_->setRange(layout.scrollMinimum, layout.scrollMaximum);
    scrollTo(layout.scrollValue);
}

void OptionsWindow::scrollTo(int value) {
    listScrollBar_->setValue(value);
    listContent_->move(Px(kContentLeft), Px(options::ContentTop(listScrollBar_->value())));
}

// Keeps a section box that the keyboard moves to inside the list's viewport.
void OptionsWindow::scrollToShow(QWidget* box) {
    for (int value = listScrollBar_->minimum(); value <= listScrollBar_->maximum(); ++value) {
        const QRect place(box->mapTo(listViewport_, QPoint(0, 0)), box->size());
        if (place.top() >= 0 && place.bottom() < listViewport_->height()) return;
        scrollTo(value);
    }
}

void OptionsWindow::addAll() {
    for (QCheckBox* box : sectionBoxes_) box->setChecked(true);
}

void OptionsWindow::clearAll() {
    for (QCheckBox* box : sectionBoxes_) box->setChecked(false);
}

void OptionsWindow::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the focused box or option as Space does.
    auto* button = qobject_cast<QAbstractButton*>(focusWidget());
    if (button && button->isVisible() && event->key() != Qt::Key_Space && IsKeyboardClick(event)) {
        button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

// A key on page button `page`: Enter or Space selects its page, Left and Right
// move the focus to the page button beside it.
bool OptionsWindow::pageButtonKey(int page, const QKeyEvent* key) {
    if (IsKeyboardClick(key)) {
        selectPage(page);
        return true;
    }
    const int step = key->key() == Qt::Key_Left ? -1 : key->key() == Qt::Key_Right ? 1 : 0;
    if (step == 0 || key->modifiers() != Qt::NoModifier) return false;
    const std::vector<QWidget*> pages(pageButtons_.begin(), pageButtons_.end());
    NextInReadingOrder(pages, pageButtons_[page], step)->setFocus(Qt::TabFocusReason);
    return true;
}

// The page buttons and the element tabs' faces are the plain pictures that
// act on a click: page buttons 0..kPages - 1, then the faces; -1 for anything
// else.
int OptionsWindow::faceIndex(const QObject* object) const {
    for (int i = 0; i < kPages; ++i) {
        if (object == pageButtons_[i]) return i;
    }
    for (int i = 0; i < kTabs; ++i) {
        if (object == tabFaces_[i]) return kPages + i;
    }
    return -1;
}

void OptionsWindow::clickFace(int face) {
    if (face < kPages) {
        selectPage(face);
    } else {
        chooseElement(face - kPages + 1);
    }
}

bool OptionsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason) {
            for (WrappingCheckBox* box : sectionBoxes_) {
                if (watched == box) scrollToShow(box);
            }
        }
    }
    // Home and End take the keyboard to the first and the last section shown.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        const bool onBox =
            std::find(sectionBoxes_.begin(), sectionBoxes_.end(), watched) != sectionBoxes_.end();
        if (onBox && (key == Qt::Key_Home || key == Qt::Key_End)) {
            const std::vector<QWidget*> boxes(sectionBoxes_.begin(), sectionBoxes_.end());
            if (QWidget* end = NextInReadingOrder(boxes, nullptr, key == Qt::Key_Home ? 1 : -1)) {
                end->setFocus(key == Qt::Key_Home ? Qt::BacktabFocusReason : Qt::TabFocusReason);
            }
            return true;
        }
    }
    const int face = faceIndex(watched);
    if (face < 0) return QDialog::eventFilter(watched, event);
    if (face < kPages && event->type() == QEvent::KeyPress) {
        return pageButtonKey(face, static_cast<const QKeyEvent*>(event));
    }
    // A click is a left press and a left release over the same face; any
    // release ends the press.
    if (IsLeftPress(event)) {
        pressedFace_ = face;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const bool click =
            pressedFace_ == face && IsLeftReleaseInside(event, static_cast<QWidget*>(watched));
        pressedFace_ = -1;
        if (click) clickFace(face);
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------

void OptionsWindow::setReadThroughOpener(ReadThroughOpener opener) {
    readThroughOpener_ = std::move(opener);
    readLink_->item(0)->setVisible(bool(readThroughOpener_));
}

OptionsWindowHolder::~OptionsWindowHolder() { delete screen_.data(); }

void OptionsWindowHolder::Show(QWidget* parent) {
    if (screen_ && screen_->parentWidget() != parent) {
        screen_->setParent(parent, screen_->windowFlags());
    }
    if (!screen_) {
        screen_ = new OptionsWindow(session_, options_, sounds_, parent);
        screen_->setReadThroughOpener(readThroughOpener);
    }
    ExecModal(*screen_);
    if (screen_ && screen_->discarded()) delete screen_.data();
}

}  // namespace quillet
