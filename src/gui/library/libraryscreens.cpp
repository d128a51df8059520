#include "libraryscreens.h"

#include "hitechinformation.h"
#include "informationadvisor.h"
#include "miscellaneous.h"
#include "securityrule.h"

#include "gui/kit/navigator.h"

namespace qv {

    namespace {
        template <typename Screen>
        Navigator::Factory factory(const LibraryContext& context, const std::function<void()>& exitProgram)
        {
            return [context, exitProgram]() -> QWidget* {
                auto* screen = new Screen(context);
                if (exitProgram) {
                    QObject::connect(screen, &ViewerFrame::exitRequested, screen, exitProgram);
                }
                return screen;
            };
        }
    } // namespace

    void registerLibraryScreens(const LibraryContext& context, std::function<void()> exitProgram)
    {
        Navigator& navigator = context.navigator;
        navigator.setFactory(Navigator::InformationAdvisor, factory<InformationAdvisor>(context, exitProgram));
        navigator.setFactory(Navigator::SecurityRule, factory<SecurityRule>(context, exitProgram));
        navigator.setFactory(Navigator::Miscellaneous, factory<Miscellaneous>(context, exitProgram));
        navigator.setFactory(Navigator::HitechInformation, factory<HitechInformation>(context, exitProgram));
    }

} // namespace qv
