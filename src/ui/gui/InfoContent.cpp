// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "ui/gui/InfoContent.h"

#include <QLabel>
#include <QWidget>

#include "shell/gui/Look.h"
#include "ui/core/InfoPages.h"
#include "ui/gui/Accessible.h"

namespace quillet {
namespace {

namespace iw = info_window;

// Pixels of page kept free at the sides and the top.
constexpr int kMargin = 12;
constexpr int kTopMargin = 10;
constexpr int kGap = 8;
constexpr int kStepIndent = 28;
constexpr int kStepSquare = 19;

const QColor kHeadingBand(255, 255, 0);
const QColor kDisclaimerRed(192, 0, 0);
const QColor kStepSquareColour(0, 0, 128);
const QColor kLinkBlue(0, 0, 255);

// The small sans-serif face of the pages' body text.
QFont SmallSans(bool bold = false, bool underline = false) {
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    font.setPointSizeF(8.25);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

// Stacks a page's labels from the top down.
class PageWriter {
public:
    explicit PageWriter(QWidget* page) : page_(page), y_(kTopMargin) {}

    // The black-on-yellow band across the top of the page.
    void heading(const QString& text) {
        QLabel* band = label(text, ArialBold(12), Qt::AlignCenter);
        band->setAutoFillBackground(true);
        SetColour(band, QPalette::Window, kHeadingBand);
        const int height = band->sizeHint().height() + 4;
        band->setGeometry(kMargin, y_, textWidth(), height);
        advance(band);
    }

    void title(const QString& text, const QColor& colour = kBlack) {
        QLabel* label = wrapped(text, ArialBold(12), kMargin, textWidth(), Qt::AlignCenter);
        SetColour(label, QPalette::WindowText, colour);
        advance(label, kGap + 2);
    }

    void subheading(const QString& text) {
        advance(wrapped(text, SmallSans(true), kMargin, textWidth()), kGap / 2);
    }

    void paragraph(const QString& text) {
        advance(wrapped(text, SmallSans(), kMargin, textWidth()));
    }

    // One step of a method: its letter in white on a navy square, the text
    // beside it.
    void step(const QString& letter, const QString& text) {
        QLabel* square =
            label(QStringLiteral(" %1 ").arg(letter), SmallSans(true), Qt::AlignCenter);
        square->setAutoFillBackground(true);
        SetColour(square, QPalette::Window, kStepSquareColour);
        SetColour(square, QPalette::WindowText, kWhite);
        square->setGeometry(kMargin, y_, kStepSquare, kStepSquare);
        QLabel* body = wrapped(text, SmallSans(), kMargin + kStepIndent, textWidth() - kStepIndent);
        advance(body->height() > square->height() ? body : square);
    }

    // A link: its caption is the address it opens.
    void link(int index, const QString& address) {
        // It takes the keyboard focus by Tab; Enter or Space opens it.
        auto* url = new AccessibleLabel(address, page_);
        SetAccessibleRole(url, QAccessible::Link);
        url->setTextFormat(Qt::PlainText);
        url->setFont(SmallSans(false, true));
        url->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        url->setFocusPolicy(Qt::TabFocus);
        url->setFocusMark(kBlack);
        url->setObjectName(QStringLiteral("url%1").arg(index));
        url->setProperty("address", address);
        url->setCursor(Qt::PointingHandCursor);
        SetColour(url, QPalette::WindowText, kLinkBlue);
        url->adjustSize();
        url->move(kMargin, y_);
        advance(url);
    }

    // Extra space before the next label.
    void space(int pixels) { y_ += pixels; }

    int bottom() const { return bottom_; }

private:
    int textWidth() const { return page_->width() - 2 * kMargin; }

    QLabel* label(const QString& text, const QFont& font, Qt::Alignment alignment) {
        auto* label = new QLabel(text, page_);
        label->setTextFormat(Qt::PlainText);
        label->setFont(font);
        label->setAlignment(alignment | Qt::AlignVCenter);
        SetColour(label, QPalette::WindowText, kBlack);
        return label;
    }

    // A transparent label that wraps at `width` and is as tall as its lines.
    QLabel* wrapped(const QString& text, const QFont& font, int left, int width,
                    Qt::Alignment alignment = Qt::AlignLeft) {
        QLabel* label = this->label(text, font, alignment);
        label->setAlignment(alignment | Qt::AlignTop);
        label->setWordWrap(true);
        label->setGeometry(left, y_, width, label->heightForWidth(width));
        return label;
    }

    void advance(const QLabel* placed, int gap = kGap) {
        bottom_ = placed->geometry().bottom() + 1;
        y_ = bottom_ + gap;
    }

    QWidget* page_;
    int y_;
    int bottom_ = 0;
};

void Disclaimer(PageWriter& w, const ExamTable& exams) {
    w.heading(QStringLiteral("NOTICE"));
    w.title(QStringLiteral("IMPORTANT DISCLAIMER"), kDisclaimerRed);
    w.paragraph(QStringLiteral(
        "Quillet is a study aid. Its questions and answers are taken from the public question "
        "pools that the volunteer examiners publish for the FCC amateur radio examinations, and "
        "we have taken great care to copy them faithfully."));
    w.paragraph(QStringLiteral(
        "Even so, errors can creep in. A pool may have been revised since this copy was made, a "
        "figure may be out of date, or a mistake may have slipped into a question or one of its "
        "answers on its way into the program."));
    w.paragraph(QStringLiteral(
        "The authors of Quillet accept no responsibility for any error in the questions or the "
        "answers, nor for any loss, damage or harm, direct or indirect, that may follow from "
        "using this program. You use it at your own risk."));
    w.paragraph(QStringLiteral(
        "It is up to you to check what you learn against the current official question pools "
        "and the FCC's rules for the Amateur Radio Service before you sit an examination. "
        "Quillet is not affiliated with, or endorsed by, the FCC or any Volunteer Examiner "
        "Coordinator."));
    w.paragraph(QStringLiteral(
        "The question pools are revised from time to time, and a new pool takes the place of "
        "the old one on a date announced in advance. Make sure that the pool you study is the "
        "one in force on the day of your examination."));
    w.paragraph(PoolsInBankText(exams));
    w.paragraph(QStringLiteral("Good luck in your tests, and 73!"));
}

// The sizes of today's examinations, as the bank records them, for the study method.
QString RealExamsAreLonger(const ExamTable& exams) {
    const QString sizes = ExamSizesText(exams);
    if (sizes.isEmpty()) return {};
    return QStringLiteral("The real examinations are longer: ") + sizes + QStringLiteral(". ");
}

void Study(PageWriter& w, const ExamTable& exams) {
    w.heading(QStringLiteral("NOTICE"));
    w.title(QStringLiteral("How to use this program to study for the FCC Knowledge Tests"));
    w.paragraph(QStringLiteral(
        "Learning a whole question pool in one go is hard work. Taking it a few sections at a "
        "time, and moving on only when you really know them, works far better. Here is a "
        "method that has served many students well. Choose the sections on the Test Topics "
        "page and the mode on the Test Options page of \"Test and Program Options\"."));
    w.subheading(QStringLiteral("A Suggested Study Method"));
    w.step(
        QStringLiteral("A"),
        QStringLiteral(
            "Choose one to three sections and go through them in the mode \"Go through each "
            "question until I get it right\". A question you miss comes back until you answer it "
            "correctly, and after every right answer the correct answer is shown to you once more. "
            "That repetition is deliberate: seeing the right answer again helps to fix it in your "
            "memory."));
    w.step(
        QStringLiteral("B"),
        QStringLiteral(
            "Practise the same sections in the mode \"Just keep asking me questions\". The "
            "questions come in random order and never run out, and the status bar counts your "
            "current run of correct answers. Keep at it until you reach runs of 20 to 25 correct "
            "answers consistently."));
    w.step(
        QStringLiteral("C"),
        QStringLiteral(
            "An hour or more later, go through the same sections in the mode \"Go Through Each "
            "Question Exactly Once\", which asks every question one time and scores you at the "
            "end. If you get less than 90 % right, take a break, then repeat steps A and B before "
            "you try this step again."));
    w.step(QStringLiteral("D"),
           QStringLiteral(
               "When you have mastered a fair number of sections this way, choose all of them and "
               "take a simulated test (\"Simulated Test mode\"). It asks 30 questions for the "
               "Technician and the General element and 40 for the Extra element, drawn at random "
               "from the sections you have chosen, and scores you at the end. ") +
               RealExamsAreLonger(exams) + QStringLiteral("Aim for a score of at least 85 %."));
    w.step(
        QStringLiteral("E"),
        QStringLiteral(
            "Finally, choose every section of the element and take the simulated test again and "
            "again. When you have passed it with more than 85 % five times, you are ready for the "
            "real thing."));
    w.paragraph(QStringLiteral(
        "As the final check before the real examination, take the test in the mode \"Real "
        "exam\". It asks one question from each group of the whole element, as the real "
        "examination does, whatever sections you have chosen. At the end it tells you whether "
        "you would have passed, and how many of the element's questions you last answered "
        "right."));
    w.paragraph(QStringLiteral(
        "Do not be discouraged by low scores at first. They rise quickly once the questions "
        "start to look familiar, and Quillet remembers your choice of sections and mode from "
        "one session to the next, so you can pick up where you left off."));
    w.subheading(QStringLiteral("Reviewing What You Missed"));
    w.paragraph(QStringLiteral(
        "Quillet keeps a record of every answer you give, from one session to the next. The mode "
        "\"Review\" uses it: from the sections you have chosen it first asks the questions you "
        "got wrong the last time you saw them, the most recent misses first, and then the "
        "questions you have never answered. It marks each answer at once, as \"Go through each "
        "question until I get it right\" does. Start each session with it."));
    w.paragraph(QStringLiteral(
        "A question you answered right is not asked again at once: it comes back when it is "
        "due, 1 day later, then 3, 7 and 14 days later, and then every 30 days, as long as you "
        "keep answering it right. A wrong answer starts it over. \"Review\" asks the questions "
        "that are due before the missed ones, the longest overdue first, and its caption says "
        "how many of each it holds and how many more fall due tomorrow."));
    w.subheading(QStringLiteral("Your Chance of Passing"));
    w.paragraph(QStringLiteral(
        "\"Progress\" on the main menu, and on the results after a test, shows your chance of "
        "passing the real examination today, worked out from your own record. The real "
        "examination asks one question from each group of the pool. For each group Quillet "
        "takes the share of its questions you would answer right: a question whose latest "
        "answer was right counts as known, one you last missed as not known, and one you have "
        "never answered as a guess, right one time in four."));
    w.paragraph(QStringLiteral(
        "From these shares it works out exactly how likely each score is and so how likely "
        "you are to reach the pass mark. This assumes that the question drawn from a group is "
        "any of its questions with equal chance, that you would answer each as you last did, "
        "and that knowing one group tells nothing about another. It does not know what you "
        "have forgotten since, or what you learnt elsewhere, so take it as a guide, not a "
        "promise. The groups listed under \"Study these groups first\" are those that would "
        "raise the chance most if you knew all their questions."));
    w.paragraph(QStringLiteral(
        "The record is the file quillet-record.db, kept in the same folder as your settings "
        "file quillet.ini. To start afresh, close Quillet and delete that file; a new, empty "
        "record is started the next time Quillet starts."));
    w.paragraph(QStringLiteral(
        "The questions of the real examinations are drawn from the same public pools as the "
        "questions in this program, so the test you sit will look very much like the tests "
        "you have practised here: the same questions, the same answers, the same figures."));
    w.paragraph(QStringLiteral(
        "Study a little every day rather than a lot once a week, and always read all four "
        "answers before you choose one."));
    w.paragraph(QStringLiteral("Good luck!"));
}

void Figures(PageWriter& w) {
    w.heading(QStringLiteral("NOTICE"));
    w.title(QStringLiteral("Charts and Figures"));
    w.paragraph(QStringLiteral(
        "With our current version, charts and figures are fully available in the program."));
    w.paragraph(QStringLiteral(
        "When a question refers to a figure, a small \"fig\" button appears at the top right "
        "of the test screen, beside the question's FCC Question ID. Click it to see the figure "
        "in a window of its own. Drag the window wherever it is handy and close it with its "
        "\"X\" button when you are done."));
    w.paragraph(QStringLiteral(
        "Many figures are larger than the viewer. Double-click the figure, or press F, to "
        "see it whole, as far as your screen allows; do it again to go back. The grip in the "
        "bottom-right corner resizes the window, and the scroll bars move around a figure "
        "that does not fit. Take your time, the question waits until you close the "
        "figure."));
    w.paragraph(QStringLiteral(
        "The figures are those of the official question pools, which the National Conference "
        "of Volunteer Examiner Coordinators publishes together with the pools themselves. You "
        "can find them, and the current pools, at:"));
    w.link(2, QString::fromLatin1(iw::kFiguresAddress));
    w.subheading(QStringLiteral("Rule References"));
    w.paragraph(QStringLiteral(
        "In the test modes that mark each answer, the message after an answer ends with the "
        "rule the question rests on, such as \"Rule: 47 CFR 97.301(d)\": section 97.301, "
        "paragraph (d), of the FCC's rules for the Amateur Radio Service in Title 47 of the "
        "Code of Federal Regulations. Look it up there to read the rule in full. "
        "Questions that rest on no single rule have none."));
    w.subheading(QStringLiteral("New Question Pools"));
    w.paragraph(QStringLiteral(
        "A new pool is published some months before it comes into force. To study it, "
        "download its Word document (or a text export of it) and its figures, then choose "
        "\"Add a question pool...\" on the Settings page of the options screen. Quillet "
        "shows what it read and adds the pool to your own question bank once you confirm; "
        "it is used from the next start, in place of an older pool of the same element."));
}

void Thanks(PageWriter& w) {
    w.heading(QStringLiteral("NOTAMs"));
    w.title(QStringLiteral("Acknowledgments"));
    w.paragraph(QStringLiteral(
        "Thank you for choosing Quillet. This program exists because of the students and "
        "instructors who use it, and it keeps getting better because of them."));
    w.paragraph(QStringLiteral(
        "Our special thanks go to everyone who took the time to tell us about a typing error, "
        "a confusing figure or a question that needed a second look, to the license class "
        "instructors who tried each new version with their students, and to the volunteer "
        "examiners who write the question pools and give the examinations."));
    w.paragraph(QStringLiteral(
        "Thanks also to the radio clubs that lend their rooms, their equipment and their "
        "patience to new operators, and to the experienced hams everywhere who answer the same "
        "beginner's questions for the hundredth time with a smile."));
    w.paragraph(QStringLiteral(
        "If Quillet has helped you, tell a friend who is thinking about getting a license. "
        "Passing it on is the best thanks of all."));
    w.paragraph(QStringLiteral(
        "Most of all, thank you for joining the amateur radio community. We hope to hear you "
        "on the air soon."));
}

void Problems(PageWriter& w, const QString& homePage) {
    w.heading(QStringLiteral("NOTICE"));
    w.title(QStringLiteral("Technical Problems?"));
    w.subheading(QStringLiteral("The Colors Look Bad"));
    w.paragraph(QStringLiteral(
        "Quillet's pictures need more than 256 colors. If the colors look blotchy, or the "
        "pictures show bands where there should be smooth shading, your display is probably "
        "set to 256 colors."));
    w.paragraph(QStringLiteral(
        "Open your system's display settings and change the color depth from 256 colors to "
        "16-bit (High Color) or 32-bit (True Color), then start Quillet again."));
    w.subheading(QStringLiteral("The Fonts / Pictures Look Strange"));
    w.paragraph(QStringLiteral(
        "Quillet's windows are laid out for the small system font size, that is, for normal "
        "(100 %) display scaling. The large fonts setting is supported only in part: with it, "
        "text may be cut off, run into the pictures or wrap in odd places."));
    w.paragraph(QStringLiteral(
        "If that happens, set your display back to small fonts (100 % scaling) while you use "
        "Quillet."));
    w.subheading(QStringLiteral("The Sounds Do Not Play"));
    w.paragraph(QStringLiteral(
        "Quillet plays short sound cues when you point at its buttons, when a new question "
        "appears and when you see your results. If you hear nothing, check that sounds are "
        "turned on on the Settings page of \"Test and Program Options\", that your speakers "
        "are not muted, and that the sound files are still in Quillet's folder. The program "
        "works just as well without them."));
    w.subheading(QStringLiteral("The Question Bank Cannot Be Found"));
    w.paragraph(QStringLiteral(
        "Quillet reads its questions from the file quillet.dat in its own folder. If it says "
        "that the database was not found, install the program again or copy that file back "
        "beside it. Only one copy of Quillet can use the file at a time, so close any other "
        "copy before you start it."));
    if (homePage.isEmpty()) return;
    w.subheading(QStringLiteral("Technical Support"));
    w.paragraph(QStringLiteral(
        "For answers to common questions, the latest version of Quillet and help with any "
        "other problem, please visit our web site:"));
    w.link(4, homePage);
    w.space(kGap);
    w.paragraph(QStringLiteral(
        "When you write to us, please tell us which version of Quillet you have (it is shown "
        "at the bottom of the main menu), what you did and what happened."));
}

void Distribution(PageWriter& w, const QString& homePage) {
    w.heading(QStringLiteral("NOTICE"));
    w.title(QStringLiteral("Distribution"));
    w.paragraph(QStringLiteral(
        "You are welcome to copy Quillet and pass it on to others, as long as the program, "
        "its question bank and its other files go together and unchanged, and no charge is "
        "made beyond the cost of the media or the download."));
    w.paragraph(QStringLiteral(
        "Please do not sell Quillet, or bundle it with another product, without our written "
        "permission. Clubs, schools and license classes may hand out copies to their students "
        "freely."));
    if (homePage.isEmpty()) return;
    w.paragraph(QStringLiteral(
        "If you offer Quillet on a web site or a club's file server, please link to our home "
        "page as well, so that everyone can find the newest version and question pools. The "
        "latest version can always be downloaded from:"));
    w.link(5, homePage);
}

void Contact(PageWriter& w, const QString& homePage) {
    w.heading(QStringLiteral("NOTICE"));
    w.title(QStringLiteral("Contact Information"));
    const QString invitation = QStringLiteral(
        "We would like to hear from you. Tell us about mistakes in the questions, problems "
        "with the program or ideas for the next version.");
    if (homePage.isEmpty()) {
        w.paragraph(invitation);
    } else {
        w.paragraph(invitation +
                    QStringLiteral(" The Quillet home page has the latest news, answers to "
                                   "common questions and a form for sending us a message:"));
        w.link(0, homePage);
        w.space(kGap);
    }
    w.paragraph(QStringLiteral(
        "If you have found an error in a question, please include its FCC Question ID (for "
        "example T1A01), which is shown at the top right of the test screen, and tell us "
        "which answer you believe is right and why."));
    const QString reading = QStringLiteral(
        "We read every message, although we cannot always answer each one in person.");
    w.paragraph(homePage.isEmpty()
                    ? reading
                    : reading + QStringLiteral(" Many questions are already answered on the "
                                               "home page, so please look there first."));
    w.paragraph(QStringLiteral(
        "Suggestions for new features are always welcome, especially from instructors who use "
        "Quillet in their classes. And when you pass your examination, do let us know: we "
        "always enjoy the news."));
    w.paragraph(QStringLiteral("73,\nThe Quillet team"));
}

}  // namespace

int BuildInfoPage(int number, QWidget* page, const QString& homePage, const ExamTable& exams) {
    PageWriter writer(page);
    switch (number) {
        case iw::kDisclaimerPage:
            Disclaimer(writer, exams);
            break;
        case iw::kStudyPage:
            Study(writer, exams);
            break;
        case iw::kFiguresPage:
            Figures(writer);
            break;
        case iw::kThanksPage:
            Thanks(writer);
            break;
        case iw::kProblemsPage:
            Problems(writer, homePage);
            break;
        case iw::kDistributionPage:
            Distribution(writer, homePage);
            break;
        case iw::kContactPage:
            Contact(writer, homePage);
            break;
        default:
            break;
    }
    return writer.bottom();
}

}  // namespace quillet
