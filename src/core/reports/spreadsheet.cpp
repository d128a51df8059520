#include "spreadsheet.h"

#include "core/storage/codec.h"
#include "core/storage/programfolder.h"

#include <QDir>

namespace qv::spreadsheet {

    namespace {

        bool needsQuotes(const QString& cell)
        {
            return cell.contains(u'\r') || cell.contains(u'\n') || cell.contains(u'\t') || cell.contains(u'"');
        }

        QString quoted(const QString& cell)
        {
            QString s = cell;
            s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            s.replace(u'\r', u'\n');
            s.replace(QStringLiteral("\""), QStringLiteral("\"\""));
            return u'"' + s + u'"';
        }

    } // namespace

    QString writeFailedMessage()
    {
        return QStringLiteral("Permission to create file Denied!\rFile may be in use by another program!\r"
                              "Close other program and try exporting again");
    }

    QString defaultName(Grid grid, catalogue::Family family)
    {
        if (grid == Grid::Timeline)
            return QStringLiteral("Timeline.xls");
        if (grid != Grid::Standards)
            return QString();
        switch (family) {
        case catalogue::Family::Administrative:
            return QStringLiteral("AdminSafeguards.xls");
        case catalogue::Family::Physical:
            return QStringLiteral("PhysicalSafeguards.xls");
        case catalogue::Family::Technical:
            return QStringLiteral("TechnicalSafeguards.xls");
        default:
            return QString();
        }
    }

    bool isValidName(const QString& name)
    {
        const QString trimmed = name.trimmed();
        return trimmed.right(4).toUpper() == QStringLiteral(".XLS") && ProgramFolder::isValidName(trimmed);
    }

    QString exportPath(const QString& folder, const QString& name)
    {
        return QDir(folder.trimmed()).filePath(name.trimmed());
    }

    QByteArray format(const QList<QStringList>& rows)
    {
        QString text;
        for (const QStringList& row : rows) {
            for (qsizetype c = 0; c < row.size(); ++c) {
                if (c > 0)
                    text += u'\t';
                text += needsQuotes(row.at(c)) ? quoted(row.at(c)) : row.at(c);
            }
            text += QStringLiteral("\r\n");
        }
        return cp1252::encode(text);
    }

    Status write(const QString& path, const QList<QStringList>& rows)
    {
        return writeFileAtomically(path, format(rows));
    }

} // namespace qv::spreadsheet
