#include "timelinearea.h"

#include "core/reports/pageengine.h"
#include "core/storage/clock.h"
#include "core/timeline/timelineprint.h"
#include "gui/kit/availability.h"
#include "gui/kit/busypointer.h"
#include "gui/kit/controlarray.h"
#include "gui/kit/prompter.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QToolTip>

namespace qv {

    using timeline::TimelineModel;

    namespace {
        constexpr int ItemColumn = timeline::Item;

        const char16_t* const ButtonCaptions[] = {
            u"E&xit",
            u"&Delete Item fm File",
            u"&Add to To Do Grid",
            u"&Delete Item from Grid",
            u"&Print Options",
            u"&Save",
            u"&Clear Grid",
        };

        // Fractions of the grid's width: the fixed column, then the five data columns (the fourth a
        // hairline, as it holds nothing).
        constexpr double FixedColumnWidth = 0.015;
        constexpr double ColumnWidths[timeline::ColumnCount] = {0.34, 0.2, 0.2, 0.005, 0.24};

        bool isDateColumn(int column)
        {
            return column == timeline::ToDoDate || column == timeline::ActualDate || column == timeline::NextReviewDate;
        }

        // Where the calendar opens beside a date column, as a fraction of the grid panel's width: over
        // the columns to its left or right, so the cell being dated stays in sight.
        double calendarOffset(int column)
        {
            switch (column) {
            case timeline::ToDoDate:
                return 0.59;
            case timeline::ActualDate:
                return 0.26;
            default:
                return 0.46;
            }
        }

        QString rightTrimmed(const QString& text)
        {
            qsizetype end = text.size();
            while (end > 0 && text.at(end - 1).isSpace()) {
                --end;
            }
            return text.left(end);
        }
    } // namespace

    // Items take at most 45 characters in the cell as in the item box, and the row about to be deleted
    // shows red until the user has answered.
    class TimelineGridDelegate : public QStyledItemDelegate
    {
    public:
        using QStyledItemDelegate::QStyledItemDelegate;

        int highlightedRow = -1;

        QWidget*
        createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
        {
            QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
            if (auto* line = qobject_cast<QLineEdit*>(editor); line && index.column() == ItemColumn) {
                line->setMaxLength(timeline::MaxItemLength);
            }
            return editor;
        }

        void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
        {
            if (index.row() == highlightedRow) {
                painter->fillRect(option.rect, QColor(255, 0, 0));
                QStyleOptionViewItem plain = option;
                plain.state &= ~QStyle::State_Selected;
                QStyledItemDelegate::paint(painter, plain, index);
                return;
            }
            QStyledItemDelegate::paint(painter, option, index);
        }
    };

    TimelineArea::TimelineArea(AreaHost& host, QWidget* parent)
        : QWidget(parent)
        , m_host(host)
        , m_names(host.folder())
        , m_print{*this}
    {
        setObjectName(QStringLiteral("TimelineArea"));
        buildGrid();
        buildCompanions();
        connect(&m_model, &TimelineModel::edited, this, &TimelineArea::onContentsChanged);
    }

    TimelineArea::~TimelineArea() = default;

    void TimelineArea::buildGrid()
    {
        m_grid = new QTableView(this);
        m_grid->setObjectName(QStringLiteral("VSGd2"));
        m_grid->setModel(&m_model);
        m_delegate = new TimelineGridDelegate(m_grid);
        m_grid->setItemDelegate(m_delegate);
        m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
        m_grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        m_grid->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
        m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_grid->setSortingEnabled(true);
        m_grid->horizontalHeader()->setSortIndicatorShown(false);
        m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_grid->horizontalHeader()->setHighlightSections(false);
        m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 8);
        m_grid->verticalHeader()->setHighlightSections(false);
        m_grid->setWordWrap(false);
        m_grid->viewport()->installEventFilter(this);
        m_grid->installEventFilter(this);

        connect(m_grid, &QTableView::clicked, this, &TimelineArea::onCellClicked);
        connect(m_delegate, &QAbstractItemDelegate::closeEditor, this, &TimelineArea::onEditCommitted);
        connect(m_grid->selectionModel(), &QItemSelectionModel::currentChanged, this, &TimelineArea::onCurrentMoved);
        connect(m_grid->horizontalHeader(), &QHeaderView::sectionClicked, this, [this] { m_calendar->hide(); });
        QScrollBar* scroll = m_grid->verticalScrollBar();
        connect(scroll, &QScrollBar::valueChanged, this, [this] { m_calendar->hide(); });
        connect(scroll, &QScrollBar::sliderMoved, this, [this] {
            const int top = m_grid->rowAt(0);
            if (top >= 0) {
                QToolTip::showText(QCursor::pos(), m_model.scrollTip(top), m_grid);
            }
        });
    }

    void TimelineArea::buildCompanions()
    {
        m_itemBox = new QLineEdit(this);
        setControlName(m_itemBox, QStringLiteral("Text1"), 0);
        m_itemBox->setMaxLength(timeline::MaxItemLength);
        m_itemBox->installEventFilter(this);
        connect(m_itemBox, &QLineEdit::textEdited, this, &TimelineArea::onItemBoxEdited);

        m_picker = new QComboBox(this);
        m_picker->setObjectName(QStringLiteral("Combo2"));
        m_picker->setMaxVisibleItems(20);
        m_picker->installEventFilter(this);
        connect(m_picker, &QComboBox::activated, this, &TimelineArea::onPickerChosen);

        for (int i = 0; i < 7; ++i) {
            auto* b = new QPushButton(QString::fromUtf16(ButtonCaptions[i]), this);
            setControlName(b, QStringLiteral("SSCommand19"), i);
            b->installEventFilter(this);
            connect(b, &QPushButton::clicked, this, [this, i] { onButton(i); });
            m_buttons.append(b);
        }

        m_spellButton = new QPushButton(QStringLiteral("Spell Chec&k"), this);
        m_spellButton->setObjectName(QStringLiteral("SSCommand20"));
        m_spellButton->installEventFilter(this);
        connect(m_spellButton, &QPushButton::clicked, this, [this] {
            m_calendar->hide();
            Q_EMIT spellCheckRequested();
        });

        m_calendar = new QCalendarWidget(this);
        m_calendar->setObjectName(QStringLiteral("MonthView1"));
        m_calendar->setGridVisible(true);
        m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        m_calendar->setAutoFillBackground(true);
        m_calendar->hide();
        connect(m_calendar, &QCalendarWidget::clicked, this, &TimelineArea::onDateChosen);
        connect(m_calendar, &QCalendarWidget::activated, this, &TimelineArea::onDateChosen);
    }

    QWidget* TimelineArea::content()
    {
        return this;
    }

    void TimelineArea::setPrintOpenCheck(std::function<bool()> check)
    {
        m_printOpen = std::move(check);
    }

    timeline::TimelineModel& TimelineArea::model()
    {
        return m_model;
    }

    QTableView* TimelineArea::grid() const
    {
        return m_grid;
    }

    QCalendarWidget* TimelineArea::calendar() const
    {
        return m_calendar;
    }

    QPushButton* TimelineArea::button(int index) const
    {
        return m_buttons.value(index);
    }

    int TimelineArea::selectedRow() const
    {
        return m_selectedRow;
    }

    bool TimelineArea::inCellEntry() const
    {
        return m_inCellEntry;
    }

    // ---- Layout --------------------------------------------------------------------------------

    void TimelineArea::resizeEvent(QResizeEvent* event)
    {
        QWidget::resizeEvent(event);
        layOut();
    }

    void TimelineArea::layOut()
    {
        const int w = width();
        const int h = height();
        const int pad = 8;
        const int rowHeight = std::max(m_itemBox->sizeHint().height(), m_buttons[0]->sizeHint().height());
        const int buttonRowTop = h - pad - rowHeight;
        const int boxTop = buttonRowTop - pad - rowHeight;

        m_grid->setGeometry(pad, pad, w - 2 * pad, std::max(0, boxTop - 2 * pad));
        const int half = (w - 3 * pad) / 2;
        m_itemBox->setGeometry(pad, boxTop, half, rowHeight);
        m_picker->setGeometry(2 * pad + half, boxTop, half, rowHeight);
        // Each button gets a share of the row after its caption's, so the long captions stay whole on
        // a narrow screen.
        const QList<QPushButton*> row = m_buttons + QList<QPushButton*>{m_spellButton};
        const int gap = 4;
        const int room = w - 2 * pad - gap * (int(row.size()) - 1);
        int wanted = 0;
        for (const QPushButton* b : row) {
            wanted += b->sizeHint().width();
        }
        const int spare = std::max(0, room - wanted) / int(row.size());
        const double scale = wanted > room ? double(room) / wanted : 1.0;
        int x = pad;
        for (QPushButton* b : row) {
            const int bw = int(b->sizeHint().width() * scale) + spare;
            b->setGeometry(x, buttonRowTop, bw, rowHeight);
            x += bw + gap;
        }
        const QSize calendarSize = m_calendar->sizeHint().expandedTo(QSize(280, 200));
        m_calendar->resize(calendarSize);
        fitColumns();
    }

    void TimelineArea::fitColumns()
    {
        const int gridWidth = m_grid->width() - m_grid->verticalScrollBar()->sizeHint().width() - 2;
        // The fixed column is a sliver on a wide screen; it still shows the row numbers the scroll tips
        // name.
        const int numbers = m_grid->fontMetrics().horizontalAdvance(QStringLiteral("500")) + 8;
        m_grid->verticalHeader()->setFixedWidth(std::max(numbers, int(gridWidth * FixedColumnWidth)));
        const int dataWidth = gridWidth - m_grid->verticalHeader()->width();
        for (int c = 0; c < timeline::ColumnCount; ++c) {
            m_grid->setColumnWidth(c, std::max(1, int(dataWidth * ColumnWidths[c])));
        }
    }

    // ---- Entering and saving -------------------------------------------------------------------

    void TimelineArea::enter()
    {
        loadAll();
        m_calendar->hide();
        m_clickedRow = 0;
        m_clickedColumn = 0;
        m_selectedRow = NoRowChosen;
        m_inCellEntry = false;
        m_delegate->highlightedRow = -1;
        for (int i = 0; i < m_buttons.size(); ++i) {
            enableButton(i, i == Exit || i == PrintOptions || i == ClearGrid);
        }
        m_host.setMenuEnabled(QStringLiteral("mOSave"), false);
        m_host.setMenuEnabled(QStringLiteral("mODelete"), false);
        m_host.setMenuEnabled(QStringLiteral("mOClear"), true);
        // "&Spell Check" of the menu checks the timeline's items here.
        m_host.setMenuEnabled(QStringLiteral("mOSpell"), true);
        m_host.state().unsavedChanges = 0;
        layOut();
        m_grid->scrollToTop();
    }

    void TimelineArea::loadAll()
    {
        const Status names = m_names.load();
        refillPicker();
        m_itemBox->clear();
        const Status rows = timeline::loadTimeline(m_host.folder(), m_model);
        // The load itself is no edit of the user's.
        m_host.state().unsavedChanges = 0;
        if (!names) {
            m_host.prompter().warn(QStringLiteral("Item Names"), names.error());
        }
        if (!rows) {
            m_host.prompter().warn(QStringLiteral("Project Timeline"), rows.error());
        }
    }

    bool TimelineArea::writeTimeline()
    {
        const Status saved = timeline::saveTimeline(m_host.folder(), m_model);
        if (!saved) {
            // The flag stays set: the rows are still only on the screen, and leaving must ask again.
            m_host.prompter().critical(timeline::SavedTitle.toString(), saved.error());
            return false;
        }
        m_host.state().unsavedChanges = 0;
        return true;
    }

    bool TimelineArea::save()
    {
        if (m_host.state().unsavedChanges == 0) {
            return true;
        }
        BusyPointer busy;
        return writeTimeline();
    }

    void TimelineArea::saveWithMessage()
    {
        if (m_host.state().unsavedChanges == 0) {
            return;
        }
        std::optional<BusyPointer> busy(std::in_place);
        if (!writeTimeline()) {
            return;
        }
        busy.reset();
        m_host.prompter().inform(timeline::SavedTitle.toString(), timeline::SavedMessage.toString());
    }

    void TimelineArea::print(ReportPrinter& printer)
    {
        if (!m_model.hasItems()) {
            m_host.prompter().inform(timeline::NothingToPrintTitle.toString(),
                                     timeline::NothingToPrintMessage.toString());
            return;
        }
        printer.openGridPrint(m_print);
    }

    void TimelineArea::TimelinePrint::prepare(PrintSettings& settings) const
    {
        timeline::applyTimelineFont(settings, area.m_grid->font());
    }

    void TimelineArea::TimelinePrint::compose(PageEngine& engine,
                                              const PrintSettings& settings,
                                              bool asOfDate,
                                              bool gridLines) const
    {
        timeline::composeTimelinePrint(engine, settings, area.m_model, {asOfDate, gridLines}, Clock::current().today());
    }

    void TimelineArea::markUnsaved()
    {
        m_host.state().unsavedChanges = 1;
    }

    void TimelineArea::enableButton(int index, bool enabled)
    {
        enableCommand(m_buttons[index], enabled);
    }

    void TimelineArea::setCurrent(int row, int column)
    {
        m_grid->setCurrentIndex(m_model.index(row, column));
    }

    void TimelineArea::focusButton(int index)
    {
        if (m_buttons[index]->isEnabled()) {
            m_buttons[index]->setFocus(Qt::OtherFocusReason);
        }
    }

    // ---- Grid events ---------------------------------------------------------------------------

    void TimelineArea::onCellClicked(const QModelIndex& index)
    {
        const int row = index.row();
        const int column = index.column();
        m_clickedRow = row;
        m_clickedColumn = column;
        m_selectedRow = row + 1;

        const QString boxText = rightTrimmed(m_itemBox->text());
        if (!boxText.isEmpty()) {
            if (column == ItemColumn) {
                m_model.setCell(row, ItemColumn, m_itemBox->text());
                markUnsaved();
                remember(m_itemBox->text());
                m_itemBox->clear();
                enableButton(AddToGrid, false);
                focusButton(Exit);
                return;
            }
            if (isDateColumn(column)) {
                m_itemBox->clear();
                enableButton(AddToGrid, false);
                m_inCellEntry = true;
                openCalendar(column, m_model.cell(row, column));
                return;
            }
        }
        if (column != ItemColumn && m_model.cell(row, ItemColumn).trimmed().isEmpty()) {
            itemBeforeDates();
            return;
        }
        m_inCellEntry = true;
        m_calendar->setSelectedDate(Clock::current().today());
        if (isDateColumn(column)) {
            openCalendar(column, m_model.cell(row, column));
        } else {
            m_calendar->hide();
        }
        enableButton(DeleteRow, true);
        m_host.setMenuEnabled(QStringLiteral("mODelete"), true);
    }

    void TimelineArea::openCalendar(int column, const QString& cellText)
    {
        const QRect cell = m_grid->visualRect(m_model.index(m_clickedRow, column));
        const int x = m_grid->x() + int(width() * calendarOffset(column));
        int y = m_grid->y() + m_grid->viewport()->y() + cell.bottom() + 2;
        y = std::clamp(y, 0, std::max(0, height() - m_calendar->height()));
        m_calendar->move(std::min(x, std::max(0, width() - m_calendar->width())), y);
        const QDate date = timeline::parseCellDate(cellText);
        m_calendar->setSelectedDate(date.isValid() ? date : Clock::current().today());
        m_calendar->show();
        m_calendar->raise();
        setCurrent(m_clickedRow, column);
        if (cellText.trimmed().isEmpty()) {
            focusButton(PrintOptions);
        }
        enableButton(DeleteRow, true);
        m_host.setMenuEnabled(QStringLiteral("mODelete"), true);
    }

    void TimelineArea::itemBeforeDates()
    {
        m_calendar->hide();
        m_host.prompter().inform(QStringLiteral("Item Grid"),
                                 QStringLiteral("Please, enter an Item before any dates."));
        const int empty = m_model.firstRowWithoutItem();
        if (empty >= 0) {
            setCurrent(empty, ItemColumn);
            m_grid->scrollTo(m_model.index(empty, ItemColumn), QAbstractItemView::PositionAtTop);
        }
    }

    void TimelineArea::onEditCommitted()
    {
        const QModelIndex current = m_grid->currentIndex();
        enableButton(ForgetName, false);
        enableButton(AddToGrid, false);
        if (current.column() == ItemColumn) {
            const QString text = m_model.cell(current.row(), ItemColumn);
            if (!text.trimmed().isEmpty()) {
                remember(text);
            }
        }
        markUnsaved();
        m_inCellEntry = false;
        m_itemBox->clear();
    }

    void TimelineArea::onContentsChanged()
    {
        markUnsaved();
        enableButton(Save, true);
        m_host.setMenuEnabled(QStringLiteral("mOSave"), true);
    }

    void TimelineArea::onCurrentMoved()
    {
        m_calendar->hide();
        if (!m_buttons[ClearGrid]->isEnabled()) {
            markUnsaved();
            enableButton(Save, true);
            enableButton(ClearGrid, true);
            m_host.setMenuEnabled(QStringLiteral("mOSave"), true);
            m_host.setMenuEnabled(QStringLiteral("mOClear"), true);
        }
    }

    void TimelineArea::onGridFocus()
    {
        const QModelIndex current = m_grid->currentIndex();
        if (m_inCellEntry && current.isValid()) {
            m_selectedRow = current.row() + 1;
        }
        const bool deletable = m_inCellEntry && current.column() == ItemColumn &&
                               !m_model.cell(current.row(), ItemColumn).trimmed().isEmpty();
        enableButton(DeleteRow, deletable);
    }

    void TimelineArea::onDateChosen(const QDate& date)
    {
        if (m_calendar->isHidden()) {
            return;
        }
        m_model.setCell(m_clickedRow, m_clickedColumn, timeline::formatCellDate(date));
        markUnsaved();
        m_calendar->hide();
        focusButton(PrintOptions);
    }

    // ---- Row commands --------------------------------------------------------------------------

    void TimelineArea::insertRow()
    {
        m_calendar->hide();
        if (m_selectedRow == RowUsedUp) {
            return;
        }
        // Before any row was chosen the new row goes on top; the heading row stays where it is.
        const int row = m_selectedRow == NoRowChosen ? 0 : m_selectedRow - 1;
        TimelineModel::InsertResult inserted = m_model.insertRowBefore(row);
        if (inserted == TimelineModel::InsertResult::WouldDropLastRow) {
            const QString last = m_model.cell(timeline::RowCount - 1, ItemColumn).trimmed();
            const QString question = QStringLiteral("Row 500 is in use (") + last +
                                     QStringLiteral(") and will be removed from the grid.\rInsert the row anyway?");
            if (!m_host.prompter().askYesNo(QStringLiteral("Insert Row"), question, PromptAnswer::No)) {
                return;
            }
            inserted = m_model.insertRowBefore(row, TimelineModel::LastRow::Drop);
        }
        if (inserted != TimelineModel::InsertResult::Inserted) {
            return;
        }
        markUnsaved();
        setCurrent(row, ItemColumn);
        m_selectedRow = RowUsedUp;
        m_inCellEntry = false;
        focusButton(Exit);
    }

    void TimelineArea::highlightRow(int row)
    {
        m_delegate->highlightedRow = row - 1;
        m_grid->viewport()->update();
    }

    void TimelineArea::deleteRow()
    {
        m_calendar->hide();
        m_inCellEntry = false;
        if (m_selectedRow == NoRowChosen) {
            m_selectedRow = 1;
            m_clickedRow = 0;
        }
        if (m_selectedRow != RowUsedUp) {
            const int row = m_selectedRow - 1;
            highlightRow(m_selectedRow);
            const PromptAnswer answer = m_host.prompter().askYesNoCancel(
                QStringLiteral("Delete Row"), m_model.deleteQuestion(m_clickedRow), PromptAnswer::No);
            highlightRow(0);
            if (answer == PromptAnswer::Yes) {
                markUnsaved();
                m_model.removeRowAt(row);
                setCurrent(row, ItemColumn);
                m_selectedRow = RowUsedUp;
            }
        }
        enableButton(DeleteRow, false);
        m_host.setMenuEnabled(QStringLiteral("mODelete"), false);
        enableButton(Save, true);
        focusButton(Exit);
        m_inCellEntry = false;
    }

    void TimelineArea::clearGrid()
    {
        m_calendar->hide();
        if (m_printOpen && m_printOpen()) {
            QApplication::beep();
            return;
        }
        const PromptAnswer answer = m_host.prompter().askYesNoCancel(
            QStringLiteral("Clear Grid"), QStringLiteral("Do you really want To Clear the Grid?"), PromptAnswer::No);
        if (answer != PromptAnswer::Yes) {
            return;
        }
        m_model.clear();
        markUnsaved();
    }

    void TimelineArea::optionsMenuOpening()
    {
        m_calendar->hide();
        m_host.setMenuEnabled(QStringLiteral("mOInsert"), m_inCellEntry);
    }

} // namespace qv
