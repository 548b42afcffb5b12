// The real windows the main menu opens.

#include "results/gui/TestResults.h"
#include "ui/gui/MainMenu.h"

namespace quillet {

Screens DefaultScreens() {
    Screens screens;
    screens.results = [](AppState& state, QWidget* parent) {
        TestResults results(state, parent);
        results.exec();
    };
    return screens;
}

}  // namespace quillet
