#include "documentindex.h"

#include "core/storage/codec.h"
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

    bool DocumentIndex::isTaken(const QString& title) const
    {
        const QString name = title.trimmed() + m_extension;
        return find(title) >= 0 || m_folder.exists(name);
    }

    Status DocumentIndex::checkDeletable(int position) const
    {
        if (position < 0 || position >= count()) {
            return Status::failure(QStringLiteral("There is no %1 at position %2.").arg(m_noun).arg(position));
        }
        const QString name = m_fileNames.at(position).trimmed();
        const QString title = name.left(name.size() - m_extension.size()).trimmed();
        bool plain = name.endsWith(m_extension, Qt::CaseInsensitive) && !title.isEmpty() &&
                     !title.contains(QStringLiteral("..")) && ProgramFolder::isValidName(name) &&
                     name.compare(m_indexFile, Qt::CaseInsensitive) != 0;
        // A drive letter or a control character makes a path or a name no program wrote.
        for (const QChar c : name) {
            plain = plain && c != u':' && c.unicode() >= 32;
        }
        if (plain) {
            return {};
        }
        const QString article =
            QStringView(u"aeiou").contains(m_noun.at(0)) ? QStringLiteral("an") : QStringLiteral("a");
        return Status::failure(
            QStringLiteral("The list entry [ %1 ] does not name %2 %3 file, so it cannot be deleted; "
                           "no file was deleted.\r"
                           "Only a file in the data folder whose name ends in %4 is deleted from "
                           "this list.")
                .arg(name, article, m_noun, m_extension));
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
        // Checked before the document is written, so a name the index cannot list leaves no file
        // behind that no list names.
        if (!quotedlines::canHold(name) || !cp1252::canEncode(name)) {
            return Status::failure(QStringLiteral("[ %1 ] cannot be written to %2: it holds a double quote, a line "
                                                  "break or a character outside the Windows character set.")
                                       .arg(title.trimmed(), m_indexFile));
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
        const Status deletable = checkDeletable(position);
        if (!deletable) {
            return deletable;
        }
        const Status removed = m_folder.remove(m_fileNames.at(position).trimmed());
        if (!removed) {
            return removed;
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
