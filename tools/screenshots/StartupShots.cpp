#include "Screenshots.h"
#include "shell/core/AppState.h"
#include "shell/gui/BlackBackground.h"
#include "ui/gui/MainMenu.h"

namespace {

class PrintFatal : public quillet::FatalErrorHandler {
public:
    void fatal(const QString& title, const QString& text) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(text));
    }
};

}  // namespace

QUILLET_SCREENSHOTS(startup) {
    quillet::Splash splash({}, quillet::Splash::kDisplayMs);
    quillet::shots::Save(context, &splash, "splash");

    quillet::AppState state;
    PrintFatal fatal;
    state.programDir = context.programDir;
    state.programName = "quillet";
    state.fatal = &fatal;
    quillet::MainMenu menu(state);
    quillet::shots::Save(context, &menu, "mainmenu");
}
