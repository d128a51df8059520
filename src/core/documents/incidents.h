#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv::incidents {

    inline constexpr QStringView IndexFile = u"IncidHold.Flc";
    inline constexpr QStringView Extension = u".Flc";
    inline constexpr QStringView TemplateFile = u"Misc56a.Fl1";
    // As many characters as the title box takes.
    inline constexpr int MaxTitleLength = 35;

    // The report file of a title: the trimmed title with the report extension.
    QString fileName(const QString& title);
    // The title an index entry stands for: the file name without its last 4 characters.
    QString titleOf(const QString& fileName);

    // Whether title can name a report file on every system a data folder may be copied to: a title
    // that would reach outside the data folder, be refused by Windows or macOS, or overwrite the
    // index is refused with a message naming what is wrong with it.
    Status checkTitle(const QString& title);

    // The stored reports: the index file's entries, in the order the reports were first saved.
    class ReportIndex
    {
    public:
        explicit ReportIndex(const ProgramFolder& folder);

        // Reads the index again; a missing index has no reports. On failure the list is emptied.
        Status load();
        const QStringList& fileNames() const
        {
            return m_fileNames;
        }
        QStringList titles() const;
        int count() const
        {
            return static_cast<int>(m_fileNames.size());
        }
        // The position of the report whose file name is fileName(title), comparing trimmed and
        // ignoring letter case; -1 when there is none.
        int find(const QString& title) const;

        // Writes a report under title, which must pass checkTitle: a title already listed keeps its
        // place and file, a new one is appended to the index. A failed write leaves the report file
        // and the index as they were.
        Status store(const QString& title, const QByteArray& rtf);
        // Deletes the report at position and its index entry; the index goes when no report is left.
        Status removeAt(int position);

    private:
        Status writeIndex(const QStringList& names) const;

        ProgramFolder m_folder;
        QStringList m_fileNames;
    };

} // namespace qv::incidents
