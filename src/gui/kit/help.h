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
        // The HITECH Information screen shares its page with Miscellaneous: both are described there.
        inline constexpr int Miscellaneous = 3014;
        inline constexpr int HitechInformation = Miscellaneous;
        inline constexpr int Worksheets = 3044;
        inline constexpr int RecoveryPlan = 3048;
        inline constexpr int InformationAdvisor = 3066;
        inline constexpr int SpellCheck = 5050;

        // Pages for screens and areas that the numbers above leave to a general page. The Action Area's
        // own topic stays 3010 for every area it names; these are there for a screen that wants to
        // open the page about itself, and for links between pages.
        inline constexpr int SpreadsheetExport = 1016; // the export panel of the Utilities menu
        inline constexpr int BackupRestore = 1020; // the backup window, both modes
        inline constexpr int DisplaySettings = 1030; // screen size, backgrounds, grid colours, guide lines
        inline constexpr int StandardsOverview = 3020; // "HIPAA Security Standards" area
        inline constexpr int Safeguards = 3030; // the five safeguard families and the Safeguard Example
        inline constexpr int IncidentReports = 3050; // "Incident Reports" area
        inline constexpr int ReferenceLibrary = 3060; // what the four reference screens share
    } // namespace HelpTopic

    class Help
    {
    public:
        virtual ~Help() = default;
        virtual void showTopic(int topic) = 0;
    };

} // namespace qv
