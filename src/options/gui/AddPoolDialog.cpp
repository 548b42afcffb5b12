// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "options/gui/AddPoolDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <memory>

#include "AddedBank.h"
#include "ReleaseReader.h"
#include "options/gui/OptionsLayout.h"
#include "shell/core/FileLocations.h"
#include "shell/core/QuestionBank.h"
#include "shell/core/Session.h"
#include "shell/gui/Look.h"
#include "shell/gui/Twips.h"
#include "ui/gui/MessageBox.h"

namespace quillet {
namespace {

AddPoolPrompts RealPrompts() {
    AddPoolPrompts prompts;
    prompts.chooseFiles = [](QWidget* parent) {
        return QFileDialog::getOpenFileNames(
            parent, QStringLiteral("Add a question pool"),
            QStandardPaths::writableLocation(QStandardPaths::DownloadLocation),
            QStringLiteral("Question pools (*.docx *.txt);;All files (*)"));
    };
    prompts.chooseFigures = [](QWidget* parent, const QString& why) {
        ShowMessage(why + QStringLiteral("\n\nChoose the folder that holds the pool's figures."),
                    parent);
        return QFileDialog::getExistingDirectory(parent,
                                                 QStringLiteral("The folder of the figures"));
    };
    prompts.tell = [](QWidget* parent, const QString& text) { ShowMessage(text, parent); };
    return prompts;
}

// Writing the pool takes a moment: the pointer says so meanwhile.
class Busy {
public:
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

// Reading a pool and converting its figures: the pointer waits, and a window shows how far
// reading has come once it takes longer than a moment.
class ReadingProgress {
public:
    ReadingProgress(QWidget* parent, const QStringList& files)
        : dialog_(NewPoolProgressDialog(files, parent)) {
        dialog_->setMinimumDuration(PoolPrompts().progressAfterMs);
        dialog_->setValue(0);
    }
    ~ReadingProgress() { dialog_->hide(); }
    ReadingProgress(const ReadingProgress&) = delete;
    ReadingProgress& operator=(const ReadingProgress&) = delete;

    qbank::ReleaseProgress step() {
        return [this](int permille) { dialog_->setValue(permille); };
    }

private:
    Busy busy_;
    std::unique_ptr<QProgressDialog> dialog_;
};

bool ReadPools(QWidget* parent, const QStringList& files, const qbank::ReleaseOptions& options,
               qbank::ReleaseImport& import, QString& error) {
    ReadingProgress progress(parent, files);
    return qbank::ReadReleases(files, options, import, &error, progress.step());
}

}  // namespace

std::unique_ptr<QProgressDialog> NewPoolProgressDialog(const QStringList& files, QWidget* parent) {
    auto dialog = std::make_unique<QProgressDialog>(
        QStringLiteral("Reading %1\u2026")
            .arg(files.size() == 1 ? QFileInfo(files.front()).fileName()
                                   : QStringLiteral("the pools")),
        QString(), 0, 1000, parent);
    dialog->setObjectName(QStringLiteral("frmPoolProgress"));
    dialog->setWindowTitle(QStringLiteral("Add a question pool"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setCancelButton(nullptr);
    dialog->setAutoReset(false);
    dialog->setAutoClose(false);
    SetBackground(dialog.get(), options_layout::kPanelGrey);
    dialog->setFont(ArialBold(9.75));
    // The bar keeps the system's colours, so that its percentage reads on both of its parts.
    if (auto* label = dialog->findChild<QLabel*>()) SetTextColour(label, kWhite);
    dialog->setMinimumWidth(Px(6300));
    return dialog;
}

AddPoolPrompts& PoolPrompts() {
    static AddPoolPrompts prompts = RealPrompts();
    return prompts;
}

AddPoolDialog::AddPoolDialog(const QString& summary, const QString& bankFile, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("frmAddPool"));
    setWindowTitle(QStringLiteral("Add a question pool"));
    setFixedSize(Px(6300), Px(3300));
    SetBackground(this, options_layout::kPanelGrey);

    text_ = NewTextLabel(this, QStringLiteral("lblPool"),
                         summary + QStringLiteral("\n\nAdd it to your own question bank (") +
                             QDir::toNativeSeparators(bankFile) +
                             QStringLiteral(")? It is used from then on, in place of an older "
                                            "pool of the same element."),
                         TwipRect(240, 240, 5820, 2280), ArialBold(9.75), kWhite);
    text_->setWordWrap(true);
    text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    add_ = new QPushButton(QStringLiteral("&Add the pool"), this);
    add_->setObjectName(QStringLiteral("cmdAdd"));
    add_->setGeometry(TwipRect(2640, 2700, 1800, 405));
    add_->setDefault(true);
    cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cmdCancel"));
    cancel_->setGeometry(TwipRect(4560, 2700, 1500, 405));
    for (QPushButton* button : {add_, cancel_}) button->setFont(ArialBold(9.75));
    connect(add_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

bool AddQuestionPool(Session& session, QWidget* parent) {
    AddPoolPrompts& prompts = PoolPrompts();
    const QStringList files = prompts.chooseFiles(parent);
    if (files.isEmpty()) return false;

    qbank::ReleaseOptions options;
    qbank::ReleaseImport import;
    QString error;
    bool read = ReadPools(parent, files, options, import, error);
    if (!read && error.contains(QLatin1String(qbank::kFigureLacking))) {
        options.figuresDir = prompts.chooseFigures(parent, error);
        if (options.figuresDir.isEmpty()) return false;
        read = ReadPools(parent, files, options, import, error);
    }
    if (!read) {
        prompts.tell(parent, QStringLiteral("The pool cannot be added.\n\n") + error);
        return false;
    }

    QStringList summary;
    for (const qbank::ReleaseSummary& pool : import.pools) {
        summary << qbank::ReleaseSummaryText(pool) + QLatin1Char('.');
    }
    const QString bank = AddedBankFile(session.programDir, session.programName);
    AddPoolDialog confirm(summary.join(QStringLiteral("\n\n")), bank, parent);
    if (confirm.exec() != QDialog::Accepted) return false;

    bool added = false;
    {
        Busy busy;
        added = qbank::AddToBank(bank, import.content, &error);
    }
    if (!added) {
        prompts.tell(parent, QStringLiteral("The pool cannot be added.\n\n") + error);
        return false;
    }
    // The tests from now on ask the added pool.
    if (!ReloadAddedBank(session).ok()) {
        prompts.tell(parent,
                     QStringLiteral("The pool was added to %1, but that bank cannot be opened "
                                    "now, so the installed pools stay in use.")
                         .arg(QDir::toNativeSeparators(bank)));
        return true;
    }
    QStringList told;
    for (const qbank::ReleaseSummary& pool : import.pools) {
        if (session.addedElements.count(pool.element)) continue;
        told << QStringLiteral("The installed %1 pool begins later, so it stays in use.")
                    .arg(ElementName(pool.element));
    }
    told.prepend(told.isEmpty() ? QStringLiteral("The pool was added and is used from now on.")
                                : QStringLiteral("The pool was added."));
    prompts.tell(parent, told.join(QLatin1Char(' ')));
    return true;
}

}  // namespace quillet
