#pragma once

#include <QAbstractTableModel>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>

#include <array>

namespace qv::timeline {

    // The project timeline's columns, in grid order. The fourth has no heading and is never stored.
    enum Column
    {
        Item = 0,
        ToDoDate = 1,
        ActualDate = 2,
        Unused = 3,
        NextReviewDate = 4,
    };

    inline constexpr int RowCount = 500;
    inline constexpr int ColumnCount = 5;
    // The item box and the in-cell editor take no more.
    inline constexpr int MaxItemLength = 45;

    // One to-do row: the item and its dates as the calendar wrote them.
    struct TimelineRow
    {
        QString item;
        QString toDoDate;
        QString actualDate;
        QString nextReviewDate;

        bool operator==(const TimelineRow&) const = default;
    };

    // A date as the calendar writes it into a cell: "Mon - Dec 7, 26".
    QString formatCellDate(const QDate& date);
    // The date a cell holds, read back from the text after its first "-" (the whole text when there is
    // none) as a short date; invalid when it is not one. Two-digit years 30 to 99 are 1930 to 1999, the
    // others 2000 to 2029, as Windows reads short dates.
    QDate parseCellDate(const QString& text);

    // The heading of column, as the grid and the printout show it.
    QString heading(int column);

    // The to-do list of exactly 500 rows and five columns (rows and columns counted from 0 here; the
    // grid numbers them from 1 beneath its heading row and beside its fixed column). Every insert or
    // delete keeps 500 rows: a row inserted pushes the last one out, a row deleted frees one at the
    // bottom.
    //
    // A cell never holds a double quote or a line break: the timeline file cannot store either, and a
    // timeline that cannot be saved would lose everything typed since the last save. Such characters
    // are dropped as the text goes in.
    class TimelineModel : public QAbstractTableModel
    {
        Q_OBJECT

    public:
        enum class InsertResult
        {
            Inserted,
            // Nothing was inserted: the last row holds text that the insert would push out.
            WouldDropLastRow,
            // Nothing was inserted: no such row.
            NoSuchRow,
        };

        enum class LastRow
        {
            // Refuse an insert that would push out a last row with text in it.
            Keep,
            // The user agreed to lose it.
            Drop,
        };

        explicit TimelineModel(QObject* parent = nullptr);

        int rowCount(const QModelIndex& parent = QModelIndex()) const override;
        int columnCount(const QModelIndex& parent = QModelIndex()) const override;
        QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
        QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
        Qt::ItemFlags flags(const QModelIndex& index) const override;
        bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
        // Sorts by column (letter case ignored for items, dates by the day they name) and, for an
        // ascending sort, moves every row without an item to the bottom as empty rows, so the list
        // starts with its first item and still has 500 rows. A descending sort stays as sorted.
        void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

        QString cell(int row, int column) const;
        // False for a cell that does not exist or the unused column.
        bool setCell(int row, int column, const QString& text);
        TimelineRow row(int row) const;

        // Inserts an empty row before row. The last row falls off the end, so when it holds any text
        // the insert is refused unless lastRow says the user agreed to lose it.
        InsertResult insertRowBefore(int row, LastRow lastRow = LastRow::Keep);
        // Whether inserting a row now would push out text.
        bool lastRowHoldsText() const;
        // Removes row; an empty row appears at the bottom. False when there is no such row.
        bool removeRowAt(int row);
        // Empties every cell.
        void clear();

        // The first row whose item, trimmed, is empty; -1 when every row has one.
        int firstRowWithoutItem() const;
        // Puts item into the first row without one; the row used, or -1 when the item is blank or
        // every row has one.
        int addItem(const QString& item);
        // Whether any row has an item; a timeline without one has nothing to print.
        bool hasItems() const;

        // The tip shown while scrolling past row: " Row 12: Backup test ".
        QString scrollTip(int row) const;
        // The question asked before row is deleted.
        QString deleteQuestion(int row) const;

        // The timeline file's strings: five per row, rows in order, the unused column always empty.
        QStringList toStrings() const;
        // Fills rows from strings five at a time, from the first row on; rows beyond 500 are ignored,
        // a last incomplete row keeps what it has, and rows not reached stay empty.
        void setFromStrings(const QStringList& strings);
        // Every row's five cells as the spreadsheet export writes them.
        QList<QStringList> cellRows() const;

    Q_SIGNALS:
        // Any cell or row changed: the screen marks the timeline unsaved.
        void edited();

    private:
        using Cells = std::array<QString, ColumnCount>;

        static QString cleaned(const QString& text);
        void compactAfterSort();

        QList<Cells> m_rows;
    };

} // namespace qv::timeline
