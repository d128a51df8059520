#include "timelinemodel.h"

#include <QLocale>

#include <algorithm>

namespace qv::timeline {

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

        // Blank cells first, then dates in day order, then anything that is no date by its text.
        int compareDates(const QString& a, const QString& b)
        {
            const bool blankA = isBlankText(a);
            const bool blankB = isBlankText(b);
            if (blankA || blankB)
                return int(blankB) - int(blankA);
            const QDate dateA = parseCellDate(a);
            const QDate dateB = parseCellDate(b);
            if (dateA.isValid() && dateB.isValid())
                return dateA < dateB ? -1 : (dateB < dateA ? 1 : 0);
            if (dateA.isValid() != dateB.isValid())
                return dateA.isValid() ? -1 : 1;
            return QString::compare(a, b, Qt::CaseInsensitive);
        }

    } // namespace

    QString formatCellDate(const QDate& date)
    {
        return english().toString(date, QStringLiteral("ddd - MMM d, yy"));
    }

    QDate parseCellDate(const QString& text)
    {
        const qsizetype dash = text.indexOf(u'-');
        const QString shortDate = (dash < 0 ? text : text.mid(dash + 1)).trimmed();
        for (const QString& form : {QStringLiteral("MMM d, yy"), QStringLiteral("MMM d, yyyy")}) {
            QDate date = english().toDate(shortDate, form);
            if (!date.isValid())
                continue;
            if (form.endsWith(QStringLiteral(", yy"))) {
                // Qt reads two digits as 1900 to 1999.
                const int yy = date.year() % 100;
                date = date.addYears((yy < 30 ? 2000 + yy : 1900 + yy) - date.year());
            }
            return date;
        }
        return QDate();
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

    void TimelineModel::sort(int column, Qt::SortOrder order)
    {
        if (column < 0 || column >= ColumnCount)
            return;
        beginResetModel();
        const auto less = [column](const Cells& a, const Cells& b) {
            if (column == Item || column == Unused)
                return QString::compare(a[column], b[column], Qt::CaseInsensitive) < 0;
            return compareDates(a[column], b[column]) < 0;
        };
        if (order == Qt::AscendingOrder) {
            std::stable_sort(m_rows.begin(), m_rows.end(), less);
            compactAfterSort();
        } else {
            std::stable_sort(
                m_rows.begin(), m_rows.end(), [&less](const Cells& a, const Cells& b) { return less(b, a); });
        }
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
