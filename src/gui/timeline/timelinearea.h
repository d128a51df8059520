#pragma once

#include "core/timeline/timelinefiles.h"
#include "core/timeline/timelinemodel.h"
#include "gui/kit/area.h"

#include <QList>
#include <QWidget>

#include <functional>

class QCalendarWidget;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableView;

namespace qv {

    class TimelineGridDelegate;
    class WritingAids;

    // Area 1, "Safeguard Project Timeline ": the 500-row to-do list in the working grid, the item box
    // and the picker of remembered names, the pop-up calendar and the seven timeline buttons.
    class TimelineArea : public QWidget, public Area
    {
        Q_OBJECT

    public:
        // Timeline buttons, by their index in "SSCommand19".
        enum Button
        {
            Exit = 0,
            ForgetName = 1,
            AddToGrid = 2,
            DeleteRow = 3,
            PrintOptions = 4,
            Save = 5,
            ClearGrid = 6,
        };
        // The selected row of the grid (numbered from 1): none chosen yet, or used up by an insert or
        // a delete.
        static constexpr int NoRowChosen = 0;
        static constexpr int RowUsedUp = 999;

        TimelineArea(AreaHost& host, QWidget* parent = nullptr);
        ~TimelineArea() override;

        // Area
        QWidget* content() override;
        void enter() override;
        // The Action Area's Save: writes the timeline without a message.
        bool save() override;
        void print(ReportPrinter& printer) override;

        // Whether the print options are open, where "&Clear Grid" is refused.
        void setPrintOpenCheck(std::function<bool()> check);

        // The "&Options" menu commands on the grid.
        void insertRow();
        void deleteRow();
        void clearGrid();
        // The "&Options" menu is about to open.
        void optionsMenuOpening();
        // Timeline button 5: the save with its message.
        void saveWithMessage();
        // The spell check of every row's item: corrected items go back into their cells and into the
        // list of remembered names.
        void checkSpelling(WritingAids& aids);
        // The timeline's spell-check button ("SSCommand20").
        QPushButton* spellCheckButton() const;

        timeline::TimelineModel& model();
        QTableView* grid() const;
        QCalendarWidget* calendar() const;
        QPushButton* button(int index) const;
        // Paints grid row (numbered from 1) red as the row about to be deleted; 0 paints none.
        void highlightRow(int row);
        int selectedRow() const;
        bool inCellEntry() const;

    Q_SIGNALS:
        // Timeline button 0: back to "HIPAA Security Standards".
        void exitRequested();
        // Timeline button 4: the Action Area's print command.
        void printRequested();
        // The spell-check button: the Action Area's spell check in this area.
        void spellCheckRequested();

    protected:
        void resizeEvent(QResizeEvent* event) override;
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        void buildGrid();
        void buildCompanions();
        void layOut();
        void fitColumns();

        void onCellClicked(const QModelIndex& index);
        void onEditCommitted();
        void onContentsChanged();
        void onCurrentMoved();
        void onGridFocus();
        void onItemBoxEdited(const QString& text);
        void onItemBoxEnter();
        void onPickerChosen(int index);
        void onPickerEnter();
        void onDateChosen(const QDate& date);
        void onButton(int index);
        void itemBeforeDates();
        void openCalendar(int column, const QString& cellText);
        void addTypedItem();
        void forgetTypedName();
        void remember(const QString& name);
        void replaceCorrectedName(const QString& before, const QString& after);
        void refillPicker();
        void markUnsaved();
        bool writeTimeline();
        void enableButton(int index, bool enabled);
        void setCurrent(int row, int column);
        void focusButton(int index);
        void loadAll();

        // The printout, composed again whenever a box of the print options is ticked.
        struct TimelinePrint : GridPrint
        {
            explicit TimelinePrint(TimelineArea& owner)
                : area(owner)
            {
            }
            void prepare(PrintSettings& settings) const override;
            void
            compose(PageEngine& engine, const PrintSettings& settings, bool asOfDate, bool gridLines) const override;
            TimelineArea& area;
        };

        AreaHost& m_host;
        timeline::TimelineModel m_model;
        timeline::ItemNames m_names;
        TimelinePrint m_print;
        std::function<bool()> m_printOpen;

        QTableView* m_grid = nullptr;
        TimelineGridDelegate* m_delegate = nullptr;
        QLineEdit* m_itemBox = nullptr;
        QComboBox* m_picker = nullptr;
        QCalendarWidget* m_calendar = nullptr;
        QList<QPushButton*> m_buttons;
        QPushButton* m_spellButton = nullptr;

        // Grid rows and columns here are the model's, from 0; the selected row is the grid's, from 1.
        int m_clickedRow = 0;
        int m_clickedColumn = 0;
        int m_selectedRow = NoRowChosen;
        bool m_inCellEntry = false;
        bool m_quoteTyped = false;
    };

} // namespace qv
