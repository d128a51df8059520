#pragma once

#include "core/shell/gridbackground.h"
#include "core/storage/programfolder.h"
#include "gui/kit/gridlook.h"

#include <QFrame>
#include <QList>
#include <QPointer>

class QAbstractItemView;
class QLabel;
class QPushButton;
class QToolButton;

namespace qv {

    class Dialogs;
    class Prompter;
    class GridBackgroundSelector;

    // The look of the Action Area's working grids: the background every grid shares (one of the
    // sixteen pictures, a colour, or the grids' own colour) and their text colour, both remembered in
    // the display settings. The grids are the ones handed in; each gets the same look.
    class GridDisplay : public QObject
    {
        Q_OBJECT

    public:
        GridDisplay(const ProgramFolder& folder,
                    Dialogs& dialogs,
                    Prompter& prompter,
                    QList<QAbstractItemView*> grids,
                    QWidget* selectorParent);
        ~GridDisplay() override;

        // The remembered background and text colour, read again and given to every grid; what cannot
        // be read leaves the grids' own colours.
        void load();
        // "&Grid Background Selector": the panel of pictures over selectorParent.
        void openSelector();
        // "Grid Font Color": the colour dialog, refusing a colour the text could not be read in.
        void chooseTextColor();

        const display::GridBackground& background() const
        {
            return m_background;
        }
        // The grids' background where no picture covers them, as the user last chose it.
        QColor backgroundColor() const;
        QColor textColor() const
        {
            return m_text;
        }
        GridBackgroundSelector* selector() const;

    private:
        friend class GridBackgroundSelector;

        GridLook lookOf(const display::GridBackground& background) const;
        void show(const display::GridBackground& background);
        // Makes background the setting, shows and stores it.
        void keep(const display::GridBackground& background);

        ProgramFolder m_folder;
        Dialogs& m_dialogs;
        Prompter& m_prompter;
        QList<QPointer<QAbstractItemView>> m_grids;
        QPointer<QWidget> m_selectorParent;
        QPointer<GridBackgroundSelector> m_selector;
        QColor m_defaultBackground;
        QColor m_defaultText;
        display::GridBackground m_background;
        QColor m_text;
    };

    // "Grid Background Selector" ("SSPanel9"): sixteen thumbnails ("Image3", four rows of four), a
    // frame around the chosen one, and the buttons "Command22": a colour, the default, the picture
    // chosen above, or back out. A thumbnail clicked shows its picture on the grids at once; only
    // "Use &Above Background" keeps it.
    class GridBackgroundSelector : public QFrame
    {
        Q_OBJECT

    public:
        enum Button
        {
            SelectColor = 0,
            UseDefault = 1,
            UseAbove = 2,
            Exit = 3
        };

        GridBackgroundSelector(GridDisplay& display, QWidget* parent);

        // Shown over its parent, the current picture framed.
        void open();
        QToolButton* thumbnail(int index) const;
        QPushButton* button(int index) const;
        QFrame* selectionFrame() const;

    protected:
        void keyPressEvent(QKeyEvent* event) override;

    private:
        void build();
        void frameThumbnail(int index);
        void onThumbnail(int index);
        void onSelectColor();
        void onUseDefault();
        void onUseAbove();
        void onExit();
        void close();

        GridDisplay& m_display;
        QList<QToolButton*> m_thumbnails;
        QList<QPushButton*> m_buttons;
        QFrame* m_selectionFrame = nullptr;
        // The picture clicked last, not kept yet; 0 while none is.
        int m_pending = 0;
    };

} // namespace qv
