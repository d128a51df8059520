#include "archives.h"

#include "core/storage/quotedlinefile.h"

namespace qv::archives {

    QString dateTag(const QDate& date)
    {
        static const char* const months[] = {
            "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
        if (!date.isValid()) {
            return {};
        }
        return QStringLiteral("%1-%2-%3")
            .arg(QLatin1String(months[date.month() - 1]))
            .arg(date.day(), 2, 10, QLatin1Char('0'))
            .arg(((date.year() % 100) + 100) % 100, 2, 10, QLatin1Char('0'));
    }

    QString archiveName(const QString& documentName, int kind, const QDate& date)
    {
        QString name = documentName.trimmed();
        if (kind == KindPolicy && name == u"Risk Analysis") {
            name = QStringLiteral("Risk Analysis Policy");
        }
        return name.left(MaxNameLength).trimmed() + QLatin1Char(' ') + dateTag(date);
    }

    QString titleOf(const QString& fileName)
    {
        return fileName.left(fileName.size() - 4);
    }

    ArchiveIndex::ArchiveIndex(const ProgramFolder& folder)
        : m_folder(folder)
    {
    }

    Status ArchiveIndex::load()
    {
        m_fileNames.clear();
        Result<QStringList> read = QuotedLineFile(m_folder, IndexFile.toString()).read();
        if (!read) {
            return read.status();
        }
        m_fileNames = std::move(read).value();
        return {};
    }

    QStringList ArchiveIndex::titles() const
    {
        QStringList result;
        result.reserve(m_fileNames.size());
        for (const QString& name : m_fileNames) {
            result.append(titleOf(name));
        }
        return result;
    }

    int ArchiveIndex::find(const QString& name) const
    {
        const QString wanted = name.trimmed();
        for (int i = 0; i < count(); ++i) {
            if (titleOf(m_fileNames.at(i)).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }

    Status ArchiveIndex::writeIndex(const QStringList& names) const
    {
        if (names.isEmpty()) {
            return m_folder.remove(IndexFile.toString());
        }
        return QuotedLineFile(m_folder, IndexFile.toString()).write(names);
    }

    Status ArchiveIndex::store(const QString& name, const QByteArray& rtf)
    {
        const int existing = find(name);
        const QString file = existing >= 0 ? titleOf(m_fileNames.at(existing)).trimmed() + Extension.toString()
                                           : name.trimmed() + Extension.toString();
        // A document name holding a slash or the like would reach outside the data folder.
        if (!ProgramFolder::isValidName(file) || file.compare(IndexFile, Qt::CaseInsensitive) == 0) {
            return Status::failure(
                QStringLiteral("[ %1 ] cannot be used as the name of an archive file.").arg(name.trimmed()));
        }
        // The write replaces the old file in one step, so a failure keeps the earlier archive.
        const Status written = m_folder.write(file, rtf);
        if (!written) {
            return written;
        }
        if (existing < 0) {
            QStringList names = m_fileNames;
            names.append(file);
            const Status listed = writeIndex(names);
            if (!listed) {
                return listed;
            }
            m_fileNames = names;
        }
        return {};
    }

    Status ArchiveIndex::removeAt(int position)
    {
        if (position < 0 || position >= count()) {
            return Status::failure(QStringLiteral("There is no archive at position %1.").arg(position));
        }
        const QString name = m_fileNames.at(position).trimmed();
        if (ProgramFolder::isValidName(name) && m_folder.exists(name)) {
            const Status removed = m_folder.remove(name);
            if (!removed) {
                return removed;
            }
        }
        QStringList names = m_fileNames;
        names.removeAt(position);
        const Status listed = writeIndex(names);
        if (!listed) {
            return listed;
        }
        m_fileNames = names;
        return {};
    }

} // namespace qv::archives
