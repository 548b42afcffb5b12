#pragma once

#include <QDialog>

class QLabel;

namespace quillet {

struct AppState;

// The hub of the program. Creating it runs the program's initialisation:
// settings, question bank, section table and program options.
class MainMenu : public QDialog {
    Q_OBJECT
public:
    explicit MainMenu(AppState& state, QWidget* parent = nullptr);

    // False when start-up failed (the fatal error has been reported).
    bool loaded() const { return loaded_; }

    // Unloads every window and ends the program.
    void exitProgram();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void checkQuestionBank();

    AppState& state_;
    bool loaded_ = false;
    bool exiting_ = false;
    QLabel* picture1_ = nullptr;
    QLabel* exitItem_ = nullptr;
};

}  // namespace quillet
