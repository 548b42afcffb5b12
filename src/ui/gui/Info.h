// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

#include <QDialog>
#include <QPixmap>
#include <map>

class QLabel;
class QScrollBar;

namespace quillet {

class ExamTable;
class MenuItems;

// The information window: a column of page names on the left and the chosen
// page in a scrolling viewport on the right. It always opens on the
// disclaimer; "Back" closes it. The pages name `homePage` where it helps the
// student; without one they say nothing of a home page. Each showing gets a
// fresh window:
//
//   Info info(state, this, homePage);
//   info.exec();
class Info : public QDialog {
    Q_OBJECT
public:
    explicit Info(const ExamTable& exams, QWidget* parent = nullptr, const QString& homePage = {});

    // Shows page `page` from its top and prepares the scroll bar for it. A
    // number with no page leaves the viewport empty.
    void loadPage(int page);
    int pageShown() const { return pageShown_; }

    // Every menu item back to its normal colour.
    void resetRollovers();

    MenuItems* menu() const { return menu_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void itemClicked(int index);
    void scrolled(int value);

    QPixmap background_;
    MenuItems* menu_ = nullptr;
    QWidget* viewport_ = nullptr;    // Picture1: the pages show through it
    QScrollBar* pageBar_ = nullptr;  // VScroll1: scrolls the page shown
    std::map<int, QWidget*> pages_;  // Picture2(i) by page number
    int pageShown_ = 0;
    QLabel* pressedLink_ = nullptr;
};

}  // namespace quillet
