#include "timelinemodel.h"

#include <QLocale>

#include <algorithm>
#include <numeric>

namespace qv::timeline {

    using namespace Qt::StringLiterals;

    namespace {

        // The calendar's form, with English names whatever the system's language, so a file written
        // on one machine reads the same on another.
        const QLocale& english()
        {
            static const QLocale locale(QLocale::English, QLocale::UnitedStates);
            return locale;
        }

        bool isBlankText(const QString& text)
        {
            return text.trimmed().isEmpty();
        }

        // How a cell sorts in a date column: blank cells first, then dates in day order, then anything
        // that is no date by its text. Worked out once a row, not once a comparison.
        struct DateKey
        {
            int rank = 0;
            qint64 day = 0;

            static DateKey of(const QString& text)
            {
                if (isBlankText(text))
                    return {0, 0};
                const QDate date = parseCellDate(text);
                return date.isValid() ? DateKey{1, date.toJulianDay()} : DateKey{2, 0};
            }
        };

    } // namespace

    QString formatCellDate(const QDate& date)
    {
        return english().toString(date, QStringLiteral("ddd - MMM d, yy"));
    }

    QDate parseCellDate(const QString& text)
    {
        // Read by hand: sorting by a date column parses every cell, and QLocale's parser is slow.
        static const QStringList months{u"jan"_s,
                                        u"feb"_s,
                                        u"mar"_s,
                                        u"apr"_s,
                                        u"may"_s,
                                        u"jun"_s,
                                        u"jul"_s,
                                        u"aug"_s,
                                        u"sep"_s,
                                        u"oct"_s,
                                        u"nov"_s,
                                        u"dec"_s};
        const qsizetype dash = text.indexOf(u'-');
        const QStringView shortDate = dash < 0 ? QStringView(text) : QStringView(text).sliced(dash + 1);
        const QList<QStringView> parts = shortDate.split(u' ', Qt::SkipEmptyParts);
        if (parts.size() != 3 || parts.at(0).size() < 3 || !parts.at(1).endsWith(u','))
            return QDate();
        const qsizetype month = months.indexOf(parts.at(0).first(3).toString().toLower());
        bool dayOk = false;
        bool yearOk = false;
        const int day = parts.at(1).chopped(1).toInt(&dayOk);
        int year = parts.at(2).toInt(&yearOk);
        if (month < 0 || !dayOk || !yearOk || (parts.at(2).size() != 2 && parts.at(2).size() != 4))
            return QDate();
        if (parts.at(2).size() == 2)
            year += year < 30 ? 2000 : 1900;
        return QDate(year, int(month) + 1, day);
    }

    QString heading(int column)
    {
        switch (column) {
        case Item:
            return QStringLiteral("To Do Item");
        case ToDoDate:
            return QStringLiteral("To Do Date");
        case ActualDate:
            return QStringLiteral("Actual Date");
        case NextReviewDate:
            return QStringLiteral("Next Review Date");
        default:
            return QString();
        }
    }

    TimelineModel::TimelineModel(QObject* parent)
        : QAbstractTableModel(parent)
        , m_rows(RowCount)
    {
    }

    int TimelineModel::rowCount(const QModelIndex& parent) const
    {
        return parent.isValid() ? 0 : RowCount;
    }

    int TimelineModel::columnCount(const QModelIndex& parent) const
    {
        return parent.isValid() ? 0 : ColumnCount;
    }

    QVariant TimelineModel::data(const QModelIndex& index, int role) const
    {
        if (!index.isValid() || index.row() >= RowCount || index.column() >= ColumnCount)
            return QVariant();
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole:
            return m_rows.at(index.row()).at(index.column());
        case Qt::TextAlignmentRole:
            if (index.column() != Item)
                return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
            return QVariant();
        default:
            return QVariant();
        }
    }

    QVariant TimelineModel::headerData(int section, Qt::Orientation orientation, int role) const
    {
        if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
            return QAbstractTableModel::headerData(section, orientation, role);
        if (role == Qt::DisplayRole)
            return heading(section);
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignCenter));
        return QVariant();
    }

    Qt::ItemFlags TimelineModel::flags(const QModelIndex& index) const
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        if (index.column() == Unused)
            return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    bool TimelineModel::setData(const QModelIndex& index, const QVariant& value, int role)
    {
        if (!index.isValid() || role != Qt::EditRole)
            return false;
        return setCell(index.row(), index.column(), value.toString());
    }

    QString TimelineModel::cleaned(const QString& text)
    {
        QString s = text;
        s.remove(u'"');
        s.replace(u'\r', u' ');
        s.replace(u'\n', u' ');
        return s;
    }

    QString TimelineModel::cell(int row, int column) const
    {
        if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount)
            return QString();
        return m_rows.at(row).at(column);
    }

    bool TimelineModel::setCell(int row, int column, const QString& text)
    {
        if (row < 0 || row >= RowCount || column < 0 || column >= ColumnCount || column == Unused)
            return false;
        const QString s = cleaned(text);
        if (m_rows.at(row).at(column) == s)
            return true;
        m_rows[row][column] = s;
        const QModelIndex changed = index(row, column);
        Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::EditRole});
        Q_EMIT edited();
        return true;
    }

    TimelineRow TimelineModel::row(int row) const
    {
        if (row < 0 || row >= RowCount)
            return TimelineRow();
        const Cells& cells = m_rows.at(row);
        return TimelineRow{cells[Item], cells[ToDoDate], cells[ActualDate], cells[NextReviewDate]};
    }

    bool TimelineModel::lastRowHoldsText() const
    {
        const Cells& last = m_rows.constLast();
        return std::any_of(last.begin(), last.end(), [](const QString& s) { return !isBlankText(s); });
    }

    TimelineModel::InsertResult TimelineModel::insertRowBefore(int row, LastRow lastRow)
    {
        if (row < 0 || row >= RowCount)
            return InsertResult::NoSuchRow;
        if (lastRow == LastRow::Keep && lastRowHoldsText())
            return InsertResult::WouldDropLastRow;
        beginRemoveRows(QModelIndex(), RowCount - 1, RowCount - 1);
        m_rows.removeLast();
        endRemoveRows();
        beginInsertRows(QModelIndex(), row, row);
        m_rows.insert(row, Cells());
        endInsertRows();
        Q_EMIT edited();
        return InsertResult::Inserted;
    }

    bool TimelineModel::removeRowAt(int row)
    {
        if (row < 0 || row >= RowCount)
            return false;
        beginRemoveRows(QModelIndex(), row, row);
        m_rows.removeAt(row);
        endRemoveRows();
        beginInsertRows(QModelIndex(), RowCount - 1, RowCount - 1);
        m_rows.append(Cells());
        endInsertRows();
        Q_EMIT edited();
        return true;
    }

    void TimelineModel::clear()
    {
        beginResetModel();
        m_rows = QList<Cells>(RowCount);
        endResetModel();
        Q_EMIT edited();
    }

    int TimelineModel::firstRowWithoutItem() const
    {
        for (int r = 0; r < RowCount; ++r) {
            if (isBlankText(m_rows.at(r).at(Item)))
                return r;
        }
        return -1;
    }

    int TimelineModel::addItem(const QString& item)
    {
        if (isBlankText(item))
            return -1;
        const int r = firstRowWithoutItem();
        if (r >= 0)
            setCell(r, Item, item);
        return r;
    }

    bool TimelineModel::hasItems() const
    {
        return std::any_of(m_rows.begin(), m_rows.end(), [](const Cells& c) { return !isBlankText(c[Item]); });
    }

    QString TimelineModel::scrollTip(int row) const
    {
        return QStringLiteral(" Row %1: %2 ").arg(row + 1).arg(cell(row, Item));
    }

    QString TimelineModel::deleteQuestion(int row) const
    {
        const QString item = cell(row, Item);
        if (item.isEmpty())
            return QStringLiteral("Delete This Row?");
        return QStringLiteral("Delete Activity and Dates for - \r") + item + QStringLiteral(", ") + item + u'?';
    }

    void TimelineModel::sort(int column, Qt::SortOrder sortOrder)
    {
        if (column < 0 || column >= ColumnCount)
            return;
        beginResetModel();
        QList<DateKey> keys(RowCount);
        const bool dates = column != Item && column != Unused;
        if (dates) {
            for (int r = 0; r < RowCount; ++r)
                keys[r] = DateKey::of(m_rows.at(r).at(column));
        }
        const auto less = [&](int a, int b) {
            const QString& textA = m_rows.at(a).at(column);
            const QString& textB = m_rows.at(b).at(column);
            if (dates && keys.at(a).rank != keys.at(b).rank)
                return keys.at(a).rank < keys.at(b).rank;
            if (dates && keys.at(a).rank == 1)
                return keys.at(a).day < keys.at(b).day;
            return QString::compare(textA, textB, Qt::CaseInsensitive) < 0;
        };
        QList<int> order(RowCount);
        std::iota(order.begin(), order.end(), 0);
        if (sortOrder == Qt::AscendingOrder)
            std::stable_sort(order.begin(), order.end(), less);
        else
            std::stable_sort(order.begin(), order.end(), [&less](int a, int b) { return less(b, a); });
        QList<Cells> sorted;
        sorted.reserve(RowCount);
        for (const int r : order)
            sorted.append(std::move(m_rows[r]));
        m_rows = std::move(sorted);
        if (sortOrder == Qt::AscendingOrder)
            compactAfterSort();
        endResetModel();
        Q_EMIT edited();
    }

    // Rows without an item are taken out, whatever else they hold, and the list is filled up with
    // empty rows at the bottom: the grid's own compaction after an ascending sort.
    void TimelineModel::compactAfterSort()
    {
        m_rows.removeIf([](const Cells& c) { return isBlankText(c[Item]); });
        m_rows.resize(RowCount);
    }

    QStringList TimelineModel::toStrings() const
    {
        QStringList strings;
        strings.reserve(RowCount * ColumnCount);
        for (const Cells& cells : m_rows) {
            for (int c = 0; c < ColumnCount; ++c)
                strings.append(c == Unused ? QString() : cells[c]);
        }
        return strings;
    }

    void TimelineModel::setFromStrings(const QStringList& strings)
    {
        beginResetModel();
        m_rows = QList<Cells>(RowCount);
        const qsizetype count = std::min<qsizetype>(strings.size(), qsizetype(RowCount) * ColumnCount);
        for (qsizetype i = 0; i < count; ++i) {
            const int c = int(i % ColumnCount);
            if (c != Unused)
                m_rows[i / ColumnCount][c] = cleaned(strings.at(i));
        }
        endResetModel();
    }

    QList<QStringList> TimelineModel::cellRows() const
    {
        QList<QStringList> rows;
        rows.reserve(RowCount);
        for (const Cells& cells : m_rows)
            rows.append(QStringList(cells.begin(), cells.end()));
        return rows;
    }

} // namespace qv::timeline
