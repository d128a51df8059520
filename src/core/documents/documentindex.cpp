#include "documentindex.h"

#include "core/storage/quotedlinefile.h"

namespace qv {

    DocumentIndex::DocumentIndex(const ProgramFolder& folder, QString indexFile, QString extension, QString noun)
        : m_folder(folder)
        , m_indexFile(std::move(indexFile))
        , m_extension(std::move(extension))
        , m_noun(std::move(noun))
    {
    }

    Status DocumentIndex::load()
    {
        m_fileNames.clear();
        Result<QStringList> read = QuotedLineFile(m_folder, m_indexFile).read();
        if (!read) {
            return read.status();
        }
        m_fileNames = std::move(read).value();
        return {};
    }

    QStringList DocumentIndex::titles() const
    {
        QStringList result;
        result.reserve(m_fileNames.size());
        for (const QString& name : m_fileNames) {
            result.append(name.left(name.size() - m_extension.size()));
        }
        return result;
    }

    int DocumentIndex::find(const QString& title) const
    {
        const QString wanted = title.trimmed() + m_extension;
        for (int i = 0; i < count(); ++i) {
            if (m_fileNames.at(i).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }

    Status DocumentIndex::writeIndex(const QStringList& names) const
    {
        if (names.isEmpty()) {
            return m_folder.remove(m_indexFile);
        }
        return QuotedLineFile(m_folder, m_indexFile).write(names);
    }

    Status DocumentIndex::store(const QString& title, const QByteArray& rtf)
    {
        const int existing = find(title);
        // A listed document keeps the spelling it was first stored under.
        const QString name = existing >= 0 ? m_fileNames.at(existing).trimmed() : title.trimmed() + m_extension;
        // A title holding a slash or the like would reach outside the data folder.
        if (!ProgramFolder::isValidName(name) || name.compare(m_indexFile, Qt::CaseInsensitive) == 0) {
            return Status::failure(QStringLiteral("[ %1 ] cannot be used as the name of a file.").arg(title.trimmed()));
        }
        // An unlisted file of that name is put back if the index cannot take the new line.
        const bool wasOnDisk = existing < 0 && m_folder.exists(name);
        const Result<QByteArray> earlier = wasOnDisk ? m_folder.read(name) : Result<QByteArray>(QByteArray());
        if (!earlier) {
            return earlier.status();
        }
        // The write replaces the old file in one step, so a failure keeps the earlier document.
        const Status written = m_folder.write(name, rtf);
        if (!written) {
            return written;
        }
        if (existing < 0) {
            QStringList names = m_fileNames;
            names.append(name);
            const Status listed = writeIndex(names);
            if (!listed) {
                // A document the index does not list could never be opened or deleted again.
                const Status undone = wasOnDisk ? m_folder.write(name, earlier.value()) : m_folder.remove(name);
                return undone ? listed : Status::failure(listed.error() + QLatin1Char(' ') + undone.error());
            }
            m_fileNames = names;
        }
        return {};
    }

    Status DocumentIndex::removeAt(int position)
    {
        if (position < 0 || position >= count()) {
            return Status::failure(QStringLiteral("There is no %1 at position %2.").arg(m_noun).arg(position));
        }
        const QString name = m_fileNames.at(position).trimmed();
        // An index line that could not name a file of the folder is dropped without touching a file.
        if (ProgramFolder::isValidName(name)) {
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

} // namespace qv
