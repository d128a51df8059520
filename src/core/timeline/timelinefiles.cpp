#include "timelinefiles.h"

#include "core/storage/quotedlinefile.h"
#include "timelinemodel.h"

#include <algorithm>

namespace qv::timeline {

    namespace {

        QString withoutTrailingBlanks(const QString& s)
        {
            qsizetype end = s.size();
            while (end > 0 && s.at(end - 1).isSpace())
                --end;
            return s.first(end);
        }

        // What a name can be stored as: the file holds neither double quotes nor line breaks.
        QString storable(const QString& name)
        {
            QString s = name;
            s.remove(u'"');
            s.replace(u'\r', u' ');
            s.replace(u'\n', u' ');
            return s;
        }

    } // namespace

    Status loadTimeline(const ProgramFolder& folder, TimelineModel& model)
    {
        const Result<QStringList> strings = QuotedLineFile(folder, TimelineFile.toString()).read();
        model.setFromStrings(strings.valueOr(QStringList()));
        return strings.status();
    }

    Status saveTimeline(const ProgramFolder& folder, const TimelineModel& model)
    {
        return QuotedLineFile(folder, TimelineFile.toString()).write(model.toStrings());
    }

    bool sameName(const QString& a, const QString& b)
    {
        return QString::compare(withoutTrailingBlanks(a), withoutTrailingBlanks(b), Qt::CaseInsensitive) == 0;
    }

    ItemNames::ItemNames(const ProgramFolder& folder)
        : m_folder(folder)
    {
    }

    Status ItemNames::load()
    {
        m_names.clear();
        const Result<QStringList> read = QuotedLineFile(m_folder, NamesFile.toString()).read();
        if (!read)
            return read.status();
        for (const QString& name : read.value()) {
            if (m_names.size() == NameSlots)
                break;
            m_names.append(name.trimmed());
        }
        return Status();
    }

    bool ItemNames::contains(const QString& name) const
    {
        return std::any_of(m_names.begin(), m_names.end(), [&name](const QString& s) { return sameName(s, name); });
    }

    Result<bool> ItemNames::store(QStringList names, const QString& name)
    {
        // A lone empty entry is what forgetting the only name left; the new name takes its place.
        const int slot = (names.size() == 1 && names.constFirst().isEmpty()) ? 0 : int(names.size());
        if (slot >= NameSlots)
            return false;
        if (slot < names.size())
            names[slot] = name;
        else
            names.append(name);
        if (const Status written = write(names); !written)
            return written;
        m_names = std::move(names);
        return true;
    }

    Result<bool> ItemNames::remember(const QString& name)
    {
        const QString s = storable(name);
        if (s.trimmed().isEmpty() || contains(s))
            return false;
        return store(m_names, s);
    }

    Status ItemNames::forget(const QString& name)
    {
        QStringList names = m_names;
        const auto found =
            std::find_if(names.begin(), names.end(), [&name](const QString& s) { return sameName(s, name); });
        if (found != names.end()) {
            if (names.size() == 1)
                names[0].clear();
            else
                names.erase(found);
        }
        if (const Status written = write(names); !written)
            return written;
        m_names = std::move(names);
        return Status();
    }

    Result<bool> ItemNames::replaceCorrected(const QString& before, const QString& after)
    {
        const auto found =
            std::find_if(m_names.begin(), m_names.end(), [&before](const QString& s) { return sameName(s, before); });
        if (found != m_names.end())
            m_names.erase(found);
        const QString s = storable(after);
        if (s.trimmed().isEmpty() || contains(s))
            return false;
        return store(m_names, s);
    }

    Status ItemNames::write(const QStringList& names) const
    {
        return QuotedLineFile(m_folder, NamesFile.toString()).write(names);
    }

} // namespace qv::timeline
