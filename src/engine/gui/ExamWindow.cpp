// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Quillet developers
#include "engine/gui/ExamWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "engine/core/QuestionList.h"
#include "shell/core/Random.h"
#include "shell/gui/Look.h"
#include "shell/gui/Platform.h"
#include "shell/gui/Twips.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/MessageBox.h"
#include "ui/gui/Rollover.h"

namespace quillet {
namespace {

namespace qa = question_area;

const QString kIconPicture = QStringLiteral(":/icon.png");
const QString kHeaderPicture = QStringLiteral(":/test_header.png");
const QString kStatusPicture = QStringLiteral(":/test_statusbar.png");

// A picture button's artwork: `name` "exit", "info" or "skip", `look`
// "normal", "rolled" or "clicked".
QString ButtonArt(const char* name, const char* look) {
    return QStringLiteral(":/btn_%1_%2.png")
        .arg(QString::fromLatin1(name), QString::fromLatin1(look));
}

// The window's client area and its two strips, in twips.
constexpr int kWindowWidth = 9465;
constexpr int kWindowHeight = 6480;
constexpr QRect kHeaderStrip{0, 0, kWindowWidth, 540};
constexpr QRect kStatusStrip{-60, 5520, 9600, 1020};

// Inside the status strip. The texts get fixed widths so that the longest of
// them (the caption of mode 2, the progress text of a long list) ends before
// the next control of its row.
constexpr QRect kProgressLabel{1290, 180, 2700, 270};
constexpr QRect kTestTypeLabel{1290, 540, 4770, 270};
constexpr QRect kRunLabel{4050, 180, 2010, 270};
constexpr QRect kLeaveButton{150, 90, 750, 750};
constexpr QRect kInfoButton{8220, 90, 1200, 750};
constexpr QRect kSkipButton{6120, 90, 1950, 750};

enum PictureIndex { kLeave = 0, kInfo = 1, kSkip = 2 };

const QColor kGrey(192, 192, 192);
const QColor kHeaderGrey(64, 64, 64);
const MenuColours kAnswerColours{QColor(0, 0, 128), QColor(255, 255, 128), QColor(255, 128, 0),
                                 QColor(0, 0, 0)};

QRect Pixels(const QRect& twips) {
    return TwipRect(twips.left(), twips.top(), twips.width(), twips.height());
}

// Font, wrapping and alignment of the question area's labels and the question
// id. The screen's labels and the measuring labels get the same treatment, so
// what is measured is what is drawn.
void SetUpLabel(QuestionLabel kind, QLabel* label) {
    label->setTextFormat(Qt::PlainText);
    switch (kind) {
        case QuestionLabel::Question:
            label->setFont(ArialBold(14.25));
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
        case QuestionLabel::Table: {
            QFont courier(QStringLiteral("Courier"));
            courier.setFamilies({QStringLiteral("Courier"), QStringLiteral("Liberation Mono")});
            courier.setStyleHint(QFont::TypeWriter);
            courier.setFixedPitch(true);
            courier.setPointSizeF(12);
            label->setFont(courier);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
        }
        case QuestionLabel::Answer:
            // The answers take the keyboard focus, which changes how a label
            // lays out its text: the measuring label takes it too.
            label->setFocusPolicy(Qt::TabFocus);
            label->setFont(ArialBold(12));
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
        case QuestionLabel::QuestionId:
            label->setFont(ArialBold(9.75));
            label->setWordWrap(false);
            label->setAlignment(Qt::AlignRight | Qt::AlignTop);
            break;
    }
}

// The small flag at the right end of the header: an outline while the question
// is not flagged, filled in orange once it is. It takes the keyboard focus by
// Tab only, and Enter or Space flags the question as M does.
class FlagButton : public QAbstractButton {
public:
    explicit FlagButton(QWidget* parent) : QAbstractButton(parent) {
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const qreal w = width();
        const qreal h = height();
        const QPointF top(w * 0.3, h * 0.18);
        painter.setPen(QPen(QColor(224, 224, 224), 1.5));
        painter.drawLine(top, QPointF(w * 0.3, h * 0.85));
        QPolygonF pennant;
        pennant << top << QPointF(w * 0.82, h * 0.33) << QPointF(w * 0.3, h * 0.5);
        if (isChecked()) {
            painter.setPen(QPen(QColor(255, 176, 64), 1));
            painter.setBrush(QColor(255, 144, 0));
        } else {
            painter.setPen(QPen(QColor(160, 160, 160), 1));
            painter.setBrush(Qt::NoBrush);
        }
        painter.drawPolygon(pennant);
        if (hasFocus()) DrawFocusMark(painter, rect(), kWhite);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->key() != Qt::Key_Space && IsKeyboardClick(event)) {
            click();
            return;
        }
        QAbstractButton::keyPressEvent(event);
    }
};

QLabel* NewLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

// ---------------------------------------------------------------------------

QString ShownCaption(const QString& caption) {
    // QString::replace does not look again at what it has replaced, so "&&&&"
    // stays two ampersands.
    return QString(caption).replace(QStringLiteral("&&"), QStringLiteral("&"));
}

LabelMeasurer::LabelMeasurer() {
    for (const QuestionLabel kind : {QuestionLabel::Question, QuestionLabel::Table,
                                     QuestionLabel::Answer, QuestionLabel::QuestionId}) {
        auto& label = labels_[static_cast<size_t>(kind)];
        label = std::make_unique<QLabel>();
        SetUpLabel(kind, label.get());
        label->ensurePolished();
    }
}

LabelMeasurer::~LabelMeasurer() = default;

QSize LabelMeasurer::measure(QuestionLabel kind, const QString& caption, int wrapWidth) const {
    QLabel& label = *labels_[static_cast<size_t>(kind)];
    label.setText(kind == QuestionLabel::QuestionId ? caption : ShownCaption(caption));
    if (wrapWidth <= 0) {
        const QSize size = label.sizeHint();
        return {Twips(size.width()), Twips(size.height())};
    }
    const int width = Px(wrapWidth);
    return {Twips(width), Twips(label.heightForWidth(width))};
}

// ---------------------------------------------------------------------------

ExamWindow::ExamWindow(Session& session, const StudentOptions& options, const SoundCues& sounds,
                       FatalErrorHandler* fatal, QWidget* parent, RandomSource* random,
                       std::function<unsigned int()> seeds)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      options_(options),
      ownRandom_(random ? nullptr : std::make_unique<MersenneRandom>()),
      random_(random ? random : ownRandom_.get()),
      seeds_(seeds ? std::move(seeds) : ClockSeed) {
    setObjectName(QStringLiteral("TakeTest"));
    setWindowTitle(QStringLiteral("Quillet"));
    setWindowIcon(QIcon(ResourcePicture(kIconPicture)));
    setModal(true);
    setFixedSize(Px(kWindowWidth), Px(kWindowHeight));
    setAutoFillBackground(true);
    SetColour(this, QPalette::Window, kGrey);

    answers_ = new MenuItems(this, QStringLiteral("lblAnswer"), kAnswerColours);
    answers_->setAccessibleRole(QAccessible::PushButton);
    pictures_ = new PictureButtons(sounds, this, /*clickActsWhenDisabled=*/false);

    buildHeader();
    buildQuestionArea();
    buildStatusStrip();

    // Pointer moves over these surfaces return the answers to their normal colour.
    for (QWidget* surface : {static_cast<QWidget*>(this), static_cast<QWidget*>(questionLabel_),
                             viewport_, canvas_, static_cast<QWidget*>(statusStrip_)}) {
        answers_->addBackground(surface);
    }
    connect(answers_, &MenuItems::clicked, this, [this](int index) { test_->answer(index); });
    connect(pictures_, &PictureButtons::clicked, this, &ExamWindow::pictureClicked);
    pictures_->button(kLeave)->setAccessibleName(QStringLiteral("End the test"));
    pictures_->button(kInfo)->setAccessibleName(QStringLiteral("Information"));
    pictures_->button(kSkip)->setAccessibleName(QStringLiteral("Skip question"));

    // Hidden buttons whose click operations are the next question and leaving.
    auto* next = new QPushButton(QStringLiteral("Next Question"), this);
    next->setObjectName(QStringLiteral("Command1"));
    auto* exit = new QPushButton(QStringLiteral("Exit"), this);
    exit->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* button : {next, exit}) {
        button->setAutoDefault(false);
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
    }
    connect(next, &QPushButton::clicked, this, [this] { test_->nextQuestion(); });
    connect(exit, &QPushButton::clicked, this, [this] { test_->leave(); });

    test_ =
        std::make_unique<ExamSession>(session, options, sounds, fatal, *random_, measurer_, *this);
    load();
}

ExamWindow::~ExamWindow() = default;

void ExamWindow::buildHeader() {
    auto* strip = NewLabel(this, QStringLiteral("picHeader"));
    strip->setPixmap(ResourcePicture(kHeaderPicture));
    strip->setGeometry(Pixels(kHeaderStrip));

    sectionLabel_ = NewLabel(strip, QStringLiteral("lblSection"));
    sectionLabel_->setTextFormat(Qt::PlainText);
    sectionLabel_->setFont(ArialBold(9.75));
    sectionLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    sectionLabel_->setGeometry(Pixels(qa::kSectionLabel));
    SetColour(sectionLabel_, QPalette::WindowText, kWhite);

    questionIdLabel_ = NewLabel(strip, QStringLiteral("lblQuestionID"));
    SetUpLabel(QuestionLabel::QuestionId, questionIdLabel_);
    questionIdLabel_->setAutoFillBackground(true);
    SetColour(questionIdLabel_, QPalette::WindowText, kWhite);
    SetColour(questionIdLabel_, QPalette::Window, kHeaderGrey);
    questionIdLabel_->setGeometry(
        Pixels(QRect(8250, qa::kSectionLabel.top(), qa::kQuestionIdRight - 8250, 240)));

    figureButton_ = new QPushButton(QStringLiteral("fig"), strip);
    figureButton_->setObjectName(QStringLiteral("cmdFIG"));
    QFont small(QStringLiteral("MS Sans Serif"));
    small.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    small.setPointSizeF(8.25);
    figureButton_->setFont(small);
    figureButton_->setGeometry(Pixels(qa::kFigureButton));
    // Enter must not open the figure unless the button has the focus: it never
    // becomes the default. It takes the focus by Tab only.
    figureButton_->setAutoDefault(false);
    figureButton_->setFocusPolicy(Qt::TabFocus);
    figureButton_->setAccessibleName(QStringLiteral("Show figure"));
    figureButton_->installEventFilter(this);
    figureButton_->hide();
    connect(figureButton_, &QPushButton::clicked, this, &ExamWindow::openFigure);

    // Right of the question id, in the header's last few pixels.
    flagButton_ = new FlagButton(strip);
    flagButton_->setObjectName(QStringLiteral("cmdFlag"));
    flagButton_->setGeometry(Pixels(QRect(qa::kQuestionIdRight + 45, 75, 240, 360)));
    flagButton_->setAccessibleName(QStringLiteral("Flag this question"));
    flagButton_->setToolTip(QStringLiteral("Flag this question to come back to (M)"));
    flagButton_->hide();
    connect(flagButton_, &QAbstractButton::clicked, this, &ExamWindow::toggleFlag);
}

void ExamWindow::toggleFlag() {
    test_->toggleFlag();
    showFlag();
}

void ExamWindow::showFlag() {
    const QuestionOnScreen* question = test_->currentQuestion();
    flagButton_->setVisible(question && !question->poolQuestionId.isEmpty());
    // Checked or not is what assistive tools read of it.
    flagButton_->setChecked(test_->flagged());
}

void ExamWindow::buildQuestionArea() {
    viewport_ = new QWidget(this);
    viewport_->setObjectName(QStringLiteral("picOuter"));
    viewport_->setGeometry(Pixels(qa::kViewport));
    viewport_->setAutoFillBackground(true);
    SetColour(viewport_, QPalette::Window, kGrey);

    canvas_ = new QWidget(viewport_);
    canvas_->setObjectName(QStringLiteral("picInner"));
    canvas_->setGeometry(0, 0, Px(qa::kCanvas.width()), Px(qa::kCanvas.height()));
    canvas_->setAutoFillBackground(true);
    SetColour(canvas_, QPalette::Window, kGrey);
    canvas_->installEventFilter(this);

    questionLabel_ = NewLabel(canvas_, QStringLiteral("lblQuestion"));
    SetUpLabel(QuestionLabel::Question, questionLabel_);
    SetColour(questionLabel_, QPalette::WindowText, kBlack);
    questionLabel_->setGeometry(
        Pixels(QRect(qa::kQuestionLeft, qa::kQuestionTop, qa::kQuestionWidth, 0)));

    tableLabel_ = NewLabel(canvas_, QStringLiteral("lblTable"));
    SetUpLabel(QuestionLabel::Table, tableLabel_);
    SetColour(tableLabel_, QPalette::WindowText, kBlack);
    tableLabel_->setGeometry(Pixels(QRect(qa::kTableLeft, qa::kQuestionTop, qa::kTableWidth, 0)));

    for (size_t i = 0; i < answerLabels_.size(); ++i) {
        QLabel* answer = answers_->addItem(canvas_, QString());
        SetUpLabel(QuestionLabel::Answer, answer);
        answer->setGeometry(Pixels(QRect(qa::kAnswerLeft, qa::kQuestionTop, qa::kAnswerWidth, 0)));
        answerLabels_[i] = answer;
    }

    const auto setUpBar = [this](Qt::Orientation orientation, const char* name, const QRect& where,
                                 const ScrollRange& range) {
        auto* bar = new QScrollBar(orientation, viewport_);
        bar->setObjectName(QString::fromLatin1(name));
        bar->setGeometry(Pixels(where));
        bar->setRange(range.minimum, range.maximum);
        bar->setSingleStep(range.singleStep);
        bar->setPageStep(range.pageStep);
        bar->setFocusPolicy(Qt::NoFocus);
        bar->raise();
        return bar;
    };
    verticalBar_ = setUpBar(Qt::Vertical, "VScroll1", qa::kVerticalBar, VerticalScrollRange());
    horizontalBar_ =
        setUpBar(Qt::Horizontal, "HScroll1", qa::kHorizontalBar, HorizontalScrollRange());
    // Each bar moves only its own edge of the canvas.
    connect(verticalBar_, &QScrollBar::valueChanged, this,
            [this](int value) { canvas_->move(canvas_->x(), Px(CanvasOffset(value))); });
    connect(horizontalBar_, &QScrollBar::valueChanged, this,
            [this](int value) { canvas_->move(Px(CanvasOffset(value)), canvas_->y()); });
}

void ExamWindow::buildStatusStrip() {
    statusStrip_ = NewLabel(this, QStringLiteral("Picture1"));
    statusStrip_->setPixmap(ResourcePicture(kStatusPicture));
    statusStrip_->setGeometry(Pixels(kStatusStrip));

    const auto statusLabel = [this](const char* name, const QRect& where) {
        QLabel* label = NewLabel(statusStrip_, QString::fromLatin1(name));
        label->setTextFormat(Qt::PlainText);
        label->setFont(ArialBold(9));
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        label->setGeometry(Pixels(where));
        SetColour(label, QPalette::WindowText, kWhite);
        return label;
    };
    progressLabel_ = statusLabel("lblQText1", kProgressLabel);
    testTypeLabel_ = statusLabel("lblTestType", kTestTypeLabel);
    runLabel_ = statusLabel("lblRun", kRunLabel);
    progressLabel_->setAccessibleDescription(QStringLiteral("Progress"));
    testTypeLabel_->setAccessibleDescription(QStringLiteral("Test mode"));
    runLabel_->setAccessibleDescription(QStringLiteral("Right answers in a row"));

    const auto art = [](const char* name, const char* look) {
        return ResourcePicture(ButtonArt(name, look));
    };
    const std::pair<const char*, QRect> buttons[] = {
        {"exit", kLeaveButton}, {"info", kInfoButton}, {"skip", kSkipButton}};
    for (const auto& [name, where] : buttons) {
        pictures_->addButton(statusStrip_, Pixels(where), art(name, "normal"), art(name, "rolled"),
                             art(name, "clicked"));
    }
}

void ExamWindow::preparePictures() {
    for (const QString& picture : {kIconPicture, kHeaderPicture, kStatusPicture})
        ResourcePicture(picture);
    for (const char* name : {"exit", "info", "skip"}) {
        for (const char* look : {"normal", "rolled", "clicked"})
            ResourcePicture(ButtonArt(name, look));
    }
}

void ExamWindow::load() {
    // Question area: canvas at the origin, both bars at 0.
    scrollTo(0, 0);

    // The skip button is not part of the exam modes.
    PictureButton* skip = pictures_->button(kSkip);
    if (IsExamMode(NormalizedTestMode(options_.testMode))) {
        skip->setState(PictureState::Disabled);
        skip->hide();
    } else {
        skip->show();
    }
    pictures_->loadButtons();

    if (ownRandom_) random_->seed(seeds_());
    CenterForm(this);
    test_->load();
}

void ExamWindow::scrollTo(int horizontal, int vertical) {
    const QSignalBlocker blockV(verticalBar_);
    const QSignalBlocker blockH(horizontalBar_);
    verticalBar_->setValue(vertical);
    horizontalBar_->setValue(horizontal);
    canvas_->move(Px(CanvasOffset(horizontalBar_->value())),
                  Px(CanvasOffset(verticalBar_->value())));
}

// Every answer label back to its normal colour.
void ExamWindow::resetRollovers() { answers_->resetRollovers(); }

void ExamWindow::showQuestion(const QuestionOnScreen& q) {
    // Each question starts at the top left of its canvas. The bars keep their
    // values: the next move of a bar puts the canvas where that bar points.
    canvas_->move(0, 0);

    questionLabel_->setText(ShownCaption(q.captions.question));
    questionLabel_->setGeometry(Pixels(q.canvas.question));
    tableLabel_->setText(ShownCaption(q.captions.table));
    tableLabel_->setGeometry(Pixels(q.canvas.table));
    for (size_t i = 0; i < answerLabels_.size(); ++i) {
        QLabel* answer = answerLabels_[i];
        answer->setText(ShownCaption(q.answerCaptions[i]));
        answer->setGeometry(Pixels(q.canvas.answers[i]));
    }

    sectionLabel_->setText(q.sectionCaption);
    questionIdLabel_->setText(q.questionIdCaption);
    questionIdLabel_->setGeometry(Pixels(q.header.questionId));
    figureButton_->setGeometry(Pixels(q.header.figureButton));
    figureButton_->setVisible(q.hasFigure);
    showFlag();
    followQuestionWithKeyboard(q);
}

void ExamWindow::followQuestionWithKeyboard(const QuestionOnScreen& q) {
    // Answers are named by their place from the top, which the keys 1-4 and
    // A-D also use, and Tab takes them in that order. The top answer carries
    // the whole question as its description, so that a screen reader reads
    // the question with its answers when the keyboard lands there.
    std::vector<QWidget*> order;
    for (size_t place = 0; place < q.order.size(); ++place) {
        QLabel* answer = answerLabels_.at(static_cast<size_t>(q.order[place]));
        answer->setAccessibleName(SpokenAnswer(q, static_cast<int>(place)));
        answer->setAccessibleDescription(place == 0 ? SpokenQuestion(q, progressLabel_->text())
                                                    : SpokenQuestionText(q));
        order.push_back(answer);
    }
    for (int i = 0; i < pictures_->count(); ++i) {
        // Skip, information, then leaving the test.
        order.push_back(pictures_->button(pictures_->count() - 1 - i));
    }
    // The figure button sits above the question: it comes before the answers. The flag
    // comes last, so that Tab reaches the answers and buttons as it always has.
    order.insert(order.begin(), figureButton_);
    order.push_back(flagButton_);
    SetTabOrder(order);
    Announce(questionLabel_);

    // A keyboard user starts each new question at its first answer: after an
    // answer key, or when a control of the screen has the keyboard.
    QWidget* focused = QApplication::focusWidget();
    const bool keyboardHere = keyAnswer_ || (focused && focused != this && isAncestorOf(focused));
    if (!keyboardHere || q.order.empty()) return;
    QWidget* first = answerLabels_.at(static_cast<size_t>(q.order.front()));
    if (first == focused) {
        // The same label now stands for a new answer: screen readers hear of
        // it only as a new control.
        AnnounceFocus(first);
    } else {
        first->setFocus(Qt::TabFocusReason);
    }
}

void ExamWindow::setProgressText(const QString& text) { progressLabel_->setText(text); }

void ExamWindow::setRunText(const QString& text) { runLabel_->setText(text); }

void ExamWindow::setTestTypeText(const QString& text) { testTypeLabel_->setText(text); }

void ExamWindow::showMessage(const QString& text) { ShowMessage(text, this); }

void ExamWindow::closeScreen() { done(QDialog::Accepted); }

void ExamWindow::reject() {
    if (test_->closed()) {
        QDialog::reject();
        return;
    }
    test_->leave();
}

void ExamWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // Activation: a test without questions ends as soon as its screen is up.
    QTimer::singleShot(0, this, [this] {
        test_->activate();
        // With a screen reader running, the first question is read at once:
        // the keyboard starts at its first answer.
        const QuestionOnScreen* question = test_->currentQuestion();
        if (QAccessible::isActive() && !test_->closed() && question && isVisible()) {
            answerLabels_.at(static_cast<size_t>(question->order.front()))
                ->setFocus(Qt::TabFocusReason);
        }
    });
}

void ExamWindow::keyPressEvent(QKeyEvent* event) {
    // Only the answer keys act: Escape and every other key leave the test as
    // it is.
    event->accept();
    // A held key answers once, not once per repeat; Ctrl or Alt with a letter
    // is not an answer.
    const Qt::KeyboardModifiers others =
        event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    if (others != Qt::NoModifier) return;
    // Page Up and Page Down move the question as the vertical bar's trough does.
    if (event->key() == Qt::Key_PageDown || event->key() == Qt::Key_PageUp) {
        verticalBar_->triggerAction(event->key() == Qt::Key_PageDown
                                        ? QAbstractSlider::SliderPageStepAdd
                                        : QAbstractSlider::SliderPageStepSub);
        return;
    }
    if (event->isAutoRepeat()) return;
    // F opens the question's figure, as the "fig" button does.
    if (event->key() == Qt::Key_F) {
        if (figureButton_->isVisible()) openFigure();
        return;
    }
    // M marks the question on screen (or clears its flag) in the study record.
    if (event->key() == Qt::Key_M) {
        toggleFlag();
        return;
    }
    keyAnswer_ = true;
    test_->answerKey(event->key());
    keyAnswer_ = false;
}

bool ExamWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == figureButton_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() != Qt::Key_Space && IsKeyboardClick(event)) {
        // Space clicks a button by itself; Enter does so here too.
        figureButton_->click();
        return true;
    }
    if (watched == canvas_) {
        if (event->type() == QEvent::MouseButtonPress) resetRollovers();
        // The wheel over the question moves it up and down.
        if (event->type() == QEvent::Wheel) {
            QCoreApplication::sendEvent(verticalBar_, event);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ExamWindow::pictureClicked(int index) {
    switch (index) {
        case kLeave:
            test_->leave();
            return;
        case kInfo:
            if (infoOpener_) infoOpener_();
            return;
        case kSkip:
            test_->skip();
            return;
        default:
            return;
    }
}

void ExamWindow::openFigure() {
    const QuestionOnScreen* question = test_->currentQuestion();
    if (figureOpener_ && question && question->hasFigure) figureOpener_(question->figureId);
}

}  // namespace quillet
