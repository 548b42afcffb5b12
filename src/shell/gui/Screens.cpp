// The real windows the main menu opens.

#include "results/gui/TestResults.h"
#include "ui/gui/Info.h"
#include "ui/gui/MainMenu.h"

namespace quillet {

namespace {
template <typename Window>
void ShowModal(AppState& state, QWidget* parent) {
    Window window(state, parent);
    window.exec();
}
}  // namespace

Screens DefaultScreens() {
    Screens screens;
    screens.results = ShowModal<TestResults>;
    screens.info = ShowModal<Info>;
    return screens;
}

}  // namespace quillet
