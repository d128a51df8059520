#pragma once

#include "core/storage/programfolder.h"
#include "core/storage/result.h"

#include <QString>
#include <QStringList>
#include <QStringView>

namespace qv::timeline {

    class TimelineModel;

    inline constexpr QStringView TimelineFile = u"TODOActv.FIL";
    inline constexpr QStringView NamesFile = u"TODONAME.FIL";
    inline constexpr int NameSlots = 1000;

    inline constexpr QStringView SavedTitle = u"File Save Command";
    inline constexpr QStringView SavedMessage = u"Project Timeline/To Do List Has Been Saved/Updated!";

    // Fills model from the timeline file: five strings a row, from the first row on. A missing file
    // is an empty timeline; one that cannot be read leaves the timeline empty and says why.
    Status loadTimeline(const ProgramFolder& folder, TimelineModel& model);
    // Writes all 500 rows, five quoted lines each. A failed write leaves the old file as it was.
    Status saveTimeline(const ProgramFolder& folder, const TimelineModel& model);

    // Two item names are the same when they are equal after their trailing blanks are removed,
    // ignoring letter case.
    bool sameName(const QString& a, const QString& b);

    // The remembered item names the item picker offers, in slot order, and their file. The list is
    // written the moment it changes, independently of the timeline's own save.
    //
    // As the picker does, the list may hold a single empty entry: what is left once the only name was
    // forgotten. The next name remembered takes its place.
    class ItemNames
    {
    public:
        explicit ItemNames(const ProgramFolder& folder);

        // Reads the file again, each name trimmed; names beyond slot 1000 are not loaded. A missing
        // file is an empty list; one that cannot be read empties the list and says why.
        Status load();
        // The picker's entries.
        const QStringList& names() const
        {
            return m_names;
        }
        // Whether a stored name is the same as name.
        bool contains(const QString& name) const;

        // Stores name in the next slot and rewrites the file, unless it is blank, the same as a stored
        // name, or every slot is used. True when it was stored. When the file cannot be written the
        // list stays as it was and the failure says why.
        Result<bool> remember(const QString& name);
        // Takes name out, closing the gap, and rewrites the file (one empty string when the only name
        // went). The file is rewritten even when the name was not there.
        Status forget(const QString& name);
        // After a spelling correction of an item from before to after: before leaves the list and
        // after is remembered in its place at the end. True when after was stored (the timeline then
        // counts as changed). When after is already stored nothing is written, so before stays in the
        // file until the list is written next.
        Result<bool> replaceCorrected(const QString& before, const QString& after);

    private:
        Result<bool> store(QStringList names, const QString& name);
        Status write(const QStringList& names) const;

        ProgramFolder m_folder;
        QStringList m_names;
    };

} // namespace qv::timeline
