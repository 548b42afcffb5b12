// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <array>
#include <functional>

#include "shell/core/ExamMode.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;

namespace quillet {

class SoundCues;
struct Session;
struct StudentOptions;
class MenuItems;
class PictureButtons;
class WrappingCheckBox;

// The options screen: what the next tests ask and how. Three pages chosen by
// the page buttons at the top: the topics (a tab per element beside a list of
// that element's sections to tick), the test format (the test modes) and
// the program options (sounds, answer shuffling, black background).
//
// Section choices are recorded at once, in memory and in the settings file.
// The program options change in memory at once; they and the test mode reach
// the settings file when the screen closes, however it is closed.
//
// Creating the screen loads it. After a close the object may be shown again
// (the owner keeps it unless BACK closed it, see discarded()); showing it then
// loads it afresh.
class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    OptionsWindow(Session& session, StudentOptions& options, const SoundCues& sounds,
                  QWidget* parent = nullptr);

    // Marks the tab of `element` (1..5) as chosen and rebuilds the section
    // list for that element. Any other number chooses no tab and lists nothing.
    void chooseElement(int element);
    // The element whose tab was chosen last.
    int chosenElement() const { return chosenElement_; }

    // All five tab captions back to white.
    void resetRollovers();

    // A click on page button `page` (0..2).
    void selectPage(int page);
    int shownPage() const { return shownPage_; }

    // Tick or clear every section box; only the shown element's sections change.
    void addAll();
    void clearAll();

    // The section table row that section box `box` (0..kSectionBoxes - 1)
    // shows, or 0 when it shows none.
    int sectionRow(int box) const { return sectionRows_.at(static_cast<size_t>(box)); }

    // True once BACK has closed the screen: its owner discards the object, so
    // the next opening starts afresh.
    bool discarded() const { return discarded_; }

    MenuItems* tabs() const { return tabs_; }
    PictureButtons* pictures() const { return pictures_; }

    // Opens the read-through of an element's pool over this screen: the topics page's "Read
    // the pool" link, for the element whose tab is chosen. Without one the link is hidden.
    using ReadThroughOpener = std::function<void(int element, QWidget* parent)>;
    void setReadThroughOpener(ReadThroughOpener opener);

    static constexpr int kSectionBoxes = 36;
    static constexpr int kPages = 3;
    static constexpr int kTabs = 5;
    static constexpr int kModes = kHighestTestMode;

protected:
    void done(int result) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building the screen (OptionsPages.cpp).
    void buildTitle();
    void buildTopicsPage();
    void buildFormatPage();
    void buildProgramPage();
    void addSectionShortcuts();
    void setKeyboardOrder();

    void load();
    void unload();
    // After a pool was added: the section list and the exam sizes of the pools now in use.
    void showPoolsInUse();
    int selectedMode() const;
    void scrollTo(int value);
    void scrollToShow(QWidget* box);
    bool pageButtonKey(int page, const QKeyEvent* key);
    int faceIndex(const QObject* object) const;
    void clickFace(int face);

    Session& session_;
    StudentOptions& options_;
    const SoundCues& sounds_;
    bool loaded_ = false;
    bool pageSelectedBefore_ = false;
    bool discarded_ = false;
    int shownPage_ = -1;
    int chosenElement_ = 0;
    int pressedFace_ = -1;  // the faceIndex() the left mouse button went down on

    // The names in comments are the controls' object names.
    std::array<QLabel*, kPages> pageButtons_{};  // optBut0..2
    std::array<QPixmap, kPages> pageUnselected_{};
    std::array<QPixmap, kPages> pageSelected_{};
    std::array<QWidget*, kPages> pages_{};      // Panel0..2, one shown at a time
    std::array<QLabel*, kTabs> tabFrames_{};    // TabOuter0..4
    std::array<QLabel*, kTabs> tabFaces_{};     // tabInner0..4, inside the frames
    std::array<QLabel*, kTabs> tabCaptions_{};  // tabLabel0..4, on the faces
    QWidget* listViewport_ = nullptr;           // picOut: the window onto the section list
    QWidget* listContent_ = nullptr;            // picin: the boxes, moved by the scroll bar
    QScrollBar* listScrollBar_ = nullptr;       // VScroll1
    std::array<WrappingCheckBox*, kSectionBoxes> sectionBoxes_{};  // chkSection0..35
    std::array<int, kSectionBoxes> sectionRows_{};                 // see sectionRow()
    std::array<QRadioButton*, kModes> modeOptions_{};  // Option10..15, for test modes 1..6
    QCheckBox* soundBox_ = nullptr;                    // chkSound
    QCheckBox* shuffleBox_ = nullptr;                  // chkShuffle
    QCheckBox* blackBackgroundBox_ = nullptr;          // chkBlack
    QCheckBox* figuresBox_ = nullptr;                  // chkFigures
    std::vector<QRadioButton*> sizeOptions_;           // optSize0..3, as kWindowSizes
    QPushButton* addPoolButton_ = nullptr;             // "Add a question pool…"
    MenuItems* tabs_ = nullptr;
    PictureButtons* pictures_ = nullptr;
    MenuItems* readLink_ = nullptr;  // lblRead0: "Read the pool" on the topics page
    ReadThroughOpener readThroughOpener_;
};

// Keeps the options screen between openings for its caller (the main menu):
// a screen closed by BACK is discarded, one closed any other way is kept and
// shown again next time.
class OptionsWindowHolder {
public:
    OptionsWindowHolder(Session& session, StudentOptions& options, const SoundCues& sounds)
        : session_(session), options_(options), sounds_(sounds) {}
    ~OptionsWindowHolder();
    OptionsWindowHolder(const OptionsWindowHolder&) = delete;
    OptionsWindowHolder& operator=(const OptionsWindowHolder&) = delete;

    // Shows the screen modally over `parent`, creating it when none is kept,
    // and returns once it has closed.
    void Show(QWidget* parent);

    // The kept screen, if any.
    OptionsWindow* screen() const { return screen_; }

    // Given to every screen the holder makes.
    OptionsWindow::ReadThroughOpener readThroughOpener;

private:
    Session& session_;
    StudentOptions& options_;
    const SoundCues& sounds_;
    QPointer<OptionsWindow> screen_;
};

}  // namespace quillet
