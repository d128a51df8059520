#pragma once

#include "core/catalogue/catalogue.h"
#include "core/storage/result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

// The plain spreadsheet file a grid is exported to: tab-separated Windows-1252 text with the
// extension ".xls", one line per grid row, which spreadsheet programs open as a table.
namespace qv::spreadsheet {

    // The grid the Action Area shows, which decides what is exported and under which name.
    enum class Grid
    {
        None,
        Standards,
        Timeline,
    };

    inline constexpr QStringView ErrorTitle = u"Export Error";
    inline constexpr QStringView BadNameMessage = u"File Name is Missing or Incorrect";
    inline constexpr QStringView DoneTitle = u"Export Function";
    inline constexpr QStringView DoneMessage = u"Export Completed to selected location!";
    // Lines separated by a carriage return alone, as the message box shows them.
    QString writeFailedMessage();

    // The name proposed for grid: "AdminSafeguards.xls", "PhysicalSafeguards.xls" and
    // "TechnicalSafeguards.xls" for the standards of those families, "Timeline.xls" for the timeline;
    // empty for anything else.
    QString defaultName(Grid grid, catalogue::Family family = catalogue::Family::Administrative);

    // Whether name, trimmed, is a file name ending in ".xls" in any letter case. A name that would
    // reach into another folder is refused too: the folder is chosen separately.
    bool isValidName(const QString& name);
    // folder and name, each trimmed, joined by the folder separator.
    QString exportPath(const QString& folder, const QString& name);

    // The file's bytes: cells separated by tabs, rows ended by CR LF. A cell holding a line break, a
    // tab or a double quote is written between double quotes with each quote inside doubled, its line
    // breaks as a single LF, the spreadsheet programs' own break within a cell. Characters outside the
    // code page become "?".
    QByteArray format(const QList<QStringList>& rows);

    // Replaces the file at path atomically; on failure the old file is untouched and the message says
    // why.
    Status write(const QString& path, const QList<QStringList>& rows);

} // namespace qv::spreadsheet
