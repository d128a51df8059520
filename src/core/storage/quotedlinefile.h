#pragma once

#include "programfolder.h"
#include "result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv {

    // A Windows-1252 text file of one string per line, each written between double quotes and ended
    // by CR LF; an empty string is "". The timeline and the incident and archive indexes use it.
    //
    // Reading is lenient: LF alone ends a line too, the last line needs no line end, and a line
    // without a leading quote (blanks before it are skipped) is read up to its first comma and
    // trimmed, as a hand-edited file may have it. A quoted line's text is everything up to the next
    // quote, commas included; a missing closing quote takes the rest of the line.
    //
    // The format cannot hold a double quote or a line break inside a string, so writing refuses such
    // a string with a message instead of writing a file that would read back differently. Characters
    // outside the code page are written as "?", as in every ANSI file of the program.
    namespace quotedlines {

        QStringList parse(QByteArrayView bytes);
        // One line, without its line end.
        QString parseLine(QStringView line);

        // Whether text can be written as it is.
        bool canHold(QStringView text);
        Result<QByteArray> format(const QStringList& strings);

    } // namespace quotedlines

    // One quoted-line file of the program folder.
    class QuotedLineFile
    {
    public:
        QuotedLineFile(const ProgramFolder& folder, QString name);

        const QString& name() const
        {
            return m_name;
        }

        // The strings in file order; a missing file has none. Fails only when the file exists and
        // cannot be read.
        Result<QStringList> read() const;
        // Replaces the file atomically; when a string cannot be held nothing is written.
        Status write(const QStringList& strings) const;

    private:
        ProgramFolder m_folder;
        QString m_name;
    };

} // namespace qv
