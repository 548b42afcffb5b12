#include "app/Screens.h"

#include "engine/gui/ExamWindow.h"
#include "options/gui/OptionsWindow.h"
#include "presentation/gui/FigureWindow.h"
#include "quillet/Config.h"
#include "results/gui/ResultsWindow.h"
#include "ui/gui/Accessible.h"
#include "ui/gui/Info.h"

#include <memory>

namespace quillet {

namespace {
template <typename Window>
void ShowModal(AppState& state, QWidget* parent) {
    Window window(state, parent);
    ExecModal(window);
}
}  // namespace

Screens DefaultScreens() {
    Screens screens;
    screens.info = [](AppState& state, QWidget* parent) {
        Info info(state, parent, QStringLiteral(QUILLET_HOME_PAGE));
        ExecModal(info);
    };
    screens.test = [info = screens.info](AppState& state, QWidget* parent) {
        ExamWindow test(state, parent);
        test.setFigureOpener([&state, &test] { ShowModal<FigureWindow>(state, &test); });
        test.setInfoOpener([&state, &test, info] { info(state, &test); });
        ExecModal(test);
    };
    screens.results = ShowModal<ResultsWindow>;
    // The options screen is kept between showings unless BACK discarded it.
    auto options = std::make_shared<std::unique_ptr<OptionsWindowHolder>>();
    screens.options = [options](AppState& state, QWidget* parent) {
        if (!*options) *options = std::make_unique<OptionsWindowHolder>(state);
        (*options)->Show(parent);
    };
    return screens;
}

}  // namespace quillet
