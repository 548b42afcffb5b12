#include "ui/core/InfoPages.h"

#include "shell/core/Rounding.h"

namespace quillet {

int InfoPageHeight(int number) {
    for (const auto& page : info_window::kPages) {
        if (page.number == number) return page.height;
    }
    return 0;
}

InfoScroll InfoScrollFor(int pageHeight, int viewportHeight) {
    if (pageHeight <= viewportHeight) return {};
    return {true, RoundedQuotient(pageHeight - viewportHeight + info_window::kScrollSlack,
                                  info_window::kScrollUnit)};
}

}  // namespace quillet
