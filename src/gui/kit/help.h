#pragma once

#include <QUrl>

#include <functional>

namespace qv {

    // Help topics by their numeric ids; the viewer that shows them belongs to the shell.
    namespace HelpTopic {
        inline constexpr int ProgramOverview = 1000;
        inline constexpr int Archives = 1005;
        inline constexpr int Printing = 1014;
        inline constexpr int Timeline = 2009;
        inline constexpr int ActionArea = 3010;
        inline constexpr int SecurityRule = 3012;
        inline constexpr int Miscellaneous = 3014;
        inline constexpr int Worksheets = 3044;
        inline constexpr int RecoveryPlan = 3048;
        inline constexpr int InformationAdvisor = 3066;
        inline constexpr int SpellCheck = 5050;
    } // namespace HelpTopic

    class Help
    {
    public:
        virtual ~Help() = default;
        virtual void showTopic(int topic) = 0;
    };

} // namespace qv
