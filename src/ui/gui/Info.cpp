// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/Info.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>

#include "shell/core/Exams.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/core/InfoPages.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/InfoContent.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

namespace iw = info_window;

const MenuColours kMenuColours{QColor(224, 224, 224), QColor(255, 255, 0), QColor(255, 128, 0),
                               QColor(255, 255, 255)};
const QColor kTitleColour(255, 255, 255);
const QColor kPageColour(255, 255, 255);

void Fill(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

// The text of an information page as a screen reader reads it: its labels
// top to bottom, then left to right.
QString PageText(QWidget* page) {
    std::vector<QWidget*> labels;
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->text().isEmpty()) labels.push_back(label);
    }
    QStringList texts;
    for (QWidget* label : InReadingOrder(labels)) {
        texts << static_cast<QLabel*>(label)->text().simplified();
    }
    return texts.join(u' ');
}

}  // namespace

Info::Info(const ExamTable& exams, QWidget* parent, const QString& homePage)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      background_(ReadPng(QStringLiteral(":/info.png"))) {
    setObjectName(QStringLiteral("Info"));
    setWindowTitle(QStringLiteral("Information"));
    setModal(true);
    setFixedSize(Px(iw::kClientWidth), Px(iw::kClientHeight));

    auto* title = new QLabel(QStringLiteral("Information"), this);
    title->setObjectName(QStringLiteral("lblSection"));
    title->setFont(ArialBold(14.25));
    QPalette titlePalette = title->palette();
    titlePalette.setColor(QPalette::WindowText, kTitleColour);
    title->setPalette(titlePalette);
    title->move(Px(240), Px(300));
    title->adjustSize();

    menu_ = new MenuItems(this, QStringLiteral("lblAnswer"), kMenuColours);
    for (int i = 0; i < static_cast<int>(iw::kMenu.size()); ++i) {
        const auto& entry = iw::kMenu[static_cast<size_t>(i)];
        QLabel* item = menu_->addItem(this, QString::fromLatin1(entry.caption));
        item->setFont(ArialBold(12));
        item->setGeometry(TwipRect(entry.left, entry.top, entry.width, iw::kItemHeight));
        item->setAlignment((i == iw::kBackItem ? Qt::AlignHCenter : Qt::AlignRight) |
                           Qt::AlignVCenter);
        // The column keeps the slot of an item that has no page, empty.
        item->setVisible(entry.page >= 0 || i == iw::kBackItem);
    }
    connect(menu_, &MenuItems::clicked, this, &Info::itemClicked);
    menu_->addBackground(this);

    viewport_ = new QWidget(this);
    viewport_->setObjectName(QStringLiteral("Picture1"));
    Fill(viewport_, kPageColour);

    for (const auto& design : iw::kPages) {
        auto* page = new QWidget(viewport_);
        page->setObjectName(QStringLiteral("Picture2%1").arg(design.number));
        Fill(page, kPageColour);
        page->resize(Px(iw::kPageWidth), Px(design.height));
        BuildInfoPage(design.number, page, homePage, exams);
        for (QLabel* link : page->findChildren<QLabel*>()) {
            if (link->property("address").isValid()) link->installEventFilter(this);
        }
        menu_->addBackground(page);
        pages_[design.number] = page;
    }

    pageBar_ = new QScrollBar(Qt::Vertical, viewport_);
    pageBar_->setObjectName(QStringLiteral("VScroll1"));
    pageBar_->setSingleStep(iw::kSmallChange);
    pageBar_->setPageStep(iw::kLargeChange);
    pageBar_->setFocusPolicy(Qt::NoFocus);
    pageBar_->setGeometry(Px(iw::kBarLeft), 0, Px(iw::kBarWidth), Px(iw::kBarHeight));
    connect(pageBar_, &QScrollBar::valueChanged, this, &Info::scrolled);

    // Load step.
    pageBar_->raise();
    CenterForm(this);
    pageBar_->move(pageBar_->x(), 0);
    viewport_->setGeometry(Px(iw::kViewportLeft), Px(iw::kViewportTop),
                           pageBar_->x() + pageBar_->width(), pageBar_->height());
    for (auto& [number, page] : pages_) {
        page->move(Px(iw::kPageLeft), page->y());
        page->hide();
    }
    loadPage(iw::kDisclaimerPage);
}

void Info::loadPage(int page) {
    pageShown_ = page;
    for (auto& [number, widget] : pages_) widget->hide();

    const auto found = pages_.find(page);
    QWidget* shown = found == pages_.end() ? nullptr : found->second;
    if (shown) {
        shown->move(Px(iw::kPageLeft), 0);
        shown->raise();
        pageBar_->raise();
        shown->show();
    }

    // The bar starts at the top for every page, and a page that fits the
    // viewport leaves it disabled there.
    const InfoScroll scroll = InfoScrollFor(shown ? InfoPageHeight(page) : 0);
    const QSignalBlocker quiet(pageBar_);
    pageBar_->setRange(0, scroll.maximum);
    pageBar_->setValue(0);
    pageBar_->setEnabled(scroll.enabled);
}

void Info::resetRollovers() { menu_->resetRollovers(); }

void Info::itemClicked(int index) {
    if (index >= iw::kBackItem) {
        accept();
        return;
    }
    // The items are made from the menu table in its order.
    const int page = iw::kMenu.at(static_cast<size_t>(index)).page;
    if (page < 0) return;
    loadPage(page);
    // A page chosen from the keyboard is read from the item that chose it.
    QLabel* item = menu_->item(index);
    if (item->hasFocus()) {
        item->setAccessibleDescription(PageText(pages_.at(page)));
        AnnounceFocus(item);
    }
}

void Info::scrolled(int value) {
    const auto found = pages_.find(pageShown_);
    if (found == pages_.end()) return;
    found->second->move(found->second->x(), Px(InfoPageTop(value)));
}

void Info::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
}

void Info::keyPressEvent(QKeyEvent* event) {
    // Page Up and Page Down scroll the page, as the bar's trough does.
    if (event->modifiers() == Qt::NoModifier && pageBar_->isEnabled()) {
        if (event->key() == Qt::Key_PageDown) {
            pageBar_->triggerAction(QAbstractSlider::SliderPageStepAdd);
            return;
        }
        if (event->key() == Qt::Key_PageUp) {
            pageBar_->triggerAction(QAbstractSlider::SliderPageStepSub);
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

bool Info::eventFilter(QObject* watched, QEvent* event) {
    auto* link = qobject_cast<QLabel*>(watched);
    if (link && link->property("address").isValid() && IsKeyboardClick(event)) {
        QDesktopServices::openUrl(QUrl(link->property("address").toString()));
        return true;
    }
    const bool press = event->type() == QEvent::MouseButtonPress;
    const bool release = event->type() == QEvent::MouseButtonRelease;
    // Only a press or a release is a mouse event; other events must not be cast.
    const auto* mouse = press || release ? static_cast<const QMouseEvent*>(event) : nullptr;
    if (link && link->property("address").isValid() && mouse && mouse->button() == Qt::LeftButton) {
        if (press) {
            pressedLink_ = link;
            return true;
        }
        const bool click =
            pressedLink_ == link && link->rect().contains(mouse->position().toPoint());
        pressedLink_ = nullptr;
        // The browser runs on its own; when none can be started nothing happens.
        if (click) QDesktopServices::openUrl(QUrl(link->property("address").toString()));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace quillet
