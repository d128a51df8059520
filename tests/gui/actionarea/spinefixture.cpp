#include "spinefixture.h"

#include "gui/actionarea/actionarea.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/programlook.h"
#include "gui/kit/workpanel.h"
#include "gui/shell/splash.h"
#include "gui/shell/startscreen.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QTest>

namespace qv::test {

    Spine::Spine(const QString& contentDir)
        : programFolder(folder.dataDir(), contentDir.isEmpty() ? folder.contentDir() : contentDir)
    {
        applyProgramLook();
        Splash::setDisplayTime(0);
        m_start = std::make_unique<StartScreen>(navigator, prompter, help, dialogs, programFolder);
        navigator.adopt(Navigator::StartScreen, m_start.get());
        // The offscreen screen is smaller than the program asks for; the screen of a user is not.
        m_start->setScreenMeasure([] { return QSize(1024, 768); });
        m_start->start();
        navigator.setFactory(Navigator::ActionArea, [this] {
            return new ActionArea(navigator, prompter, help, dialogs, programFolder, printSettings);
        });
    }

    Spine::~Spine()
    {
        if (QWidget* area = navigator.existing(Navigator::ActionArea)) {
            // Leaving without the close box's questions: the test decides what is asked.
            area->setAttribute(Qt::WA_DeleteOnClose, false);
            delete area;
        }
    }

    StartScreen& Spine::start()
    {
        return *m_start;
    }

    ActionArea* Spine::begin()
    {
        m_start->show();
        QTest::mouseClick(m_start->findChild<QAbstractButton*>(QStringLiteral("Command2")), Qt::LeftButton);
        return actionArea();
    }

    ActionArea* Spine::actionArea() const
    {
        return qobject_cast<ActionArea*>(navigator.existing(Navigator::ActionArea));
    }

    void press(QWidget* root, const QString& array, int index)
    {
        auto* button = controlAt<QAbstractButton>(root, array, index);
        QVERIFY2(button, qPrintable(QStringLiteral("no %1(%2)").arg(array).arg(index)));
        QVERIFY2(button->isEnabled(), qPrintable(QStringLiteral("%1(%2) is disabled").arg(array).arg(index)));
        QTest::mouseClick(button, Qt::LeftButton);
    }

    void showAtSize(QWidget* window, const QSize& size)
    {
        window->setWindowState(Qt::WindowNoState);
        window->resize(size);
    }

    void pickStatus(ActionArea* area, const QString& text)
    {
        QComboBox* box = area->workPanel().statusBox();
        const int index = box->findText(text);
        QVERIFY2(index >= 0, qPrintable(QStringLiteral("\"%1\" is not offered").arg(text)));
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

} // namespace qv::test
