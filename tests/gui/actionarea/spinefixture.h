#pragma once

#include "core/reports/printsettings.h"
#include "gui/kit/help.h"
#include "gui/kit/navigator.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "tempprogramfolder.h"

#include <QList>
#include <QPointer>

#include <memory>

namespace qv {
    class ActionArea;
    class StartScreen;
} // namespace qv

namespace qv::test {

    // Remembers the help topics asked for instead of opening a window.
    class RecordingHelp : public Help
    {
    public:
        void showTopic(int topic) override
        {
            topics.append(topic);
        }
        QList<int> topics;
    };

    // The program's screens wired as the application wires them, over a temporary program folder,
    // with a scripted prompter and no splash delay.
    class Spine
    {
    public:
        // The installed documents come from contentDir when one is given (the build's content folder
        // for tests of the reference texts), else from the temporary folder's empty one.
        explicit Spine(const QString& contentDir = {});
        ~Spine();

        StartScreen& start();
        // "&Click to Begin Program"; the Action Area that came up.
        ActionArea* begin();
        ActionArea* actionArea() const;

        TempProgramFolder folder;
        ProgramFolder programFolder;
        ScriptedPrompter prompter;
        ScriptedDialogs dialogs;
        PrintSettings printSettings;
        RecordingHelp help;
        Navigator navigator;

    private:
        std::unique_ptr<StartScreen> m_start;
    };

    // Presses a button of a control array by name and index, as a user's click would.
    void press(QWidget* root, const QString& array, int index);
    // The Action Area at a window size people use: it opens maximised, which would give it the size
    // of the test's screen instead.
    void showAtSize(QWidget* window, const QSize& size);
    // Picks item text in the Action Area's status box as a user would from its list.
    void pickStatus(ActionArea* area, const QString& text);

} // namespace qv::test
