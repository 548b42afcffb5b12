// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#pragma once

// What the windows that report on the student's work share: a white window
// between the results' dark bands, plain texts, and the colours of their links.

#include <QDialog>

#include "shell/gui/Look.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Rollover.h"

namespace quillet {

// Links on white, in the colours of the options screen's.
inline const MenuColours kReportLinkColours{QColor(0, 0, 160), QColor(0, 128, 255),
                                            QColor(255, 128, 0)};
// Links on the dark bands, in the main menu's colours.
inline const MenuColours kReportBandColours{QColor(128, 128, 255), QColor(255, 255, 128),
                                            QColor(255, 128, 0)};

// The results' size, white, with the dark band at the top and at the bottom
// and the title on the top band.
inline void SetUpReportWindow(QDialog* window, const QString& name, const QString& title) {
    window->setObjectName(name);
    window->setWindowTitle(title);
    window->setFixedSize(Px(8205), Px(6345));
    SetBackground(window, kWhite);
    window->setAutoFillBackground(true);
    NewPicture(window, QStringLiteral("Shape10"), TwipRect(0, 0, 9960, 780),
               ReadPng(QStringLiteral(":/results_band_top.png")));
    NewPicture(window, QStringLiteral("Shape11"), TwipRect(-150, 5790, 9960, 780),
               ReadPng(QStringLiteral(":/results_band_bottom.png")));
    NewSpokenText(window, QStringLiteral("Label1"), TwipRect(315, 180, 4200, 510), ArialBold(21.75),
                  kWhite)
        ->setText(title);
}

// BACK at the right of the bottom band, leaving the window: its only picture button.
inline PictureButtons* AddReportBackButton(QDialog* window, const SoundCues& sounds) {
    auto* pictures = new PictureButtons(sounds, window, /*clickActsWhenDisabled=*/true);
    pictures->addButton(window, TwipRect(6150, 5850, 1950, 405),
                        ReadPng(QStringLiteral(":/btn_back_normal.png")),
                        ReadPng(QStringLiteral(":/btn_back_rolled.png")),
                        ReadPng(QStringLiteral(":/btn_back_clicked.png")));
    pictures->button(0)->setAccessibleName(QStringLiteral("Back"));
    QObject::connect(pictures, &PictureButtons::clicked, window,
                     [window](int) { window->reject(); });
    return pictures;
}

}  // namespace quillet
