// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include "shell/core/ExamMode.h"

#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <array>

class QCheckBox;
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

    // Marks the tab of element `whichsection` (1..5) as chosen and rebuilds the
    // section list for that element. Any other number chooses no tab and lists
    // nothing.
    void SetTabsForSection(int whichsection);

    // All five tab captions back to white.
    void ResetRollovers();

    // A click on page button `page` (0..2).
    void SelectPage(int page);
    int shownPage() const { return shownPage_; }

    // Tick or clear every section box; only the shown element's sections change.
    void AddAll();
    void ClearAll();

    // The element whose tab was chosen last.
    int chosenElement() const { return chosenElement_; }

    // True once BACK has closed the screen: its owner discards the object, so
    // the next opening starts afresh.
    bool discarded() const { return discarded_; }

    MenuItems* tabs() const { return tabs_; }
    PictureButtons* pictures() const { return pictures_; }

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
    void buildTitle();
    void buildTopicsPage();
    void buildFormatPage();
    void buildProgramPage();
    void buildHiddenControls();
    void setKeyboardOrder();
    void scrollToShow(QWidget* box);

    void Load();
    void Unload();
    void scrollTo(int value);
    void onSectionToggled(QCheckBox* box, bool checked);
    int selectedMode() const;

    Session& session_;
    StudentOptions& options_;
    const SoundCues& sounds_;
    bool loaded_ = false;
    bool pageSelectedBefore_ = false;
    bool discarded_ = false;
    int shownPage_ = -1;
    int chosenElement_ = 0;
    int pressedOn_ = -1;  // index of the page button or tab face the mouse went down on

    std::array<QLabel*, kPages> pageButtons_{};     // optBut(0..2)
    std::array<QPixmap, kPages> pageUnselected_{};  // optBut(3..5)
    std::array<QPixmap, kPages> pageSelected_{};    // optBut(6..8)
    std::array<QWidget*, kPages> panels_{};
    std::array<QLabel*, kTabs> tabOuter_{};
    std::array<QLabel*, kTabs> tabInner_{};
    std::array<QLabel*, kTabs> tabLabel_{};
    QWidget* picture2_ = nullptr;
    QWidget* picOut_ = nullptr;
    QWidget* picin_ = nullptr;
    QScrollBar* vscroll_ = nullptr;
    QLabel* lblFontHeight_ = nullptr;
    std::array<QCheckBox*, kSectionBoxes> sectionBoxes_{};
    std::array<QRadioButton*, kModes> modes_{};
    QCheckBox* chkSound_ = nullptr;
    QCheckBox* chkShuffle_ = nullptr;
    QCheckBox* chkBlack_ = nullptr;
    QCheckBox* chkFigures_ = nullptr;
    QPushButton* command1_ = nullptr;
    QPushButton* command2_ = nullptr;
    MenuItems* tabs_ = nullptr;
    PictureButtons* pictures_ = nullptr;
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

private:
    Session& session_;
    StudentOptions& options_;
    const SoundCues& sounds_;
    QPointer<OptionsWindow> screen_;
};

}  // namespace quillet
