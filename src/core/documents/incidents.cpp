#include "incidents.h"

#include "core/storage/codec.h"
#include "core/storage/quotedlinefile.h"

namespace qv::incidents {

    namespace {
        // Device names Windows keeps for itself in every folder, whatever the extension.
        bool isDeviceName(const QString& title)
        {
            const QString stem = title.section(u'.', 0, 0).trimmed().toUpper();
            static const QStringList fixed = {QStringLiteral("CON"),
                                              QStringLiteral("PRN"),
                                              QStringLiteral("AUX"),
                                              QStringLiteral("NUL"),
                                              QStringLiteral("CLOCK$"),
                                              QStringLiteral("CONIN$"),
                                              QStringLiteral("CONOUT$")};
            if (fixed.contains(stem)) {
                return true;
            }
            if (stem.size() == 4 && (stem.startsWith(u"COM") || stem.startsWith(u"LPT"))) {
                const QChar digit = stem.at(3);
                return digit >= u'1' && digit <= u'9';
            }
            return false;
        }

        Status refuse(const QString& title, const QString& why)
        {
            return Status::failure(QStringLiteral("The title [ %1 ] cannot be used as a file name: %2\r"
                                                  "Please enter another File Title/Name.")
                                       .arg(title, why));
        }
    } // namespace

    QString fileName(const QString& title)
    {
        return title.trimmed() + Extension.toString();
    }

    QString titleOf(const QString& fileName)
    {
        return fileName.left(fileName.size() - 4);
    }

    Status checkTitle(const QString& title)
    {
        const QString trimmed = title.trimmed();
        if (trimmed.isEmpty()) {
            return Status::failure(QStringLiteral("The title is empty or holds only blanks.\r"
                                                  "Please enter a File Title/Name."));
        }
        if (trimmed.size() > MaxTitleLength) {
            return refuse(trimmed, QStringLiteral("it is longer than %1 characters.").arg(MaxTitleLength));
        }
        for (const QChar c : trimmed) {
            if (c.unicode() < 32 || c.unicode() == 127) {
                return refuse(trimmed, QStringLiteral("it holds a control character."));
            }
        }
        if (trimmed.contains(u'/') || trimmed.contains(u'\\')) {
            return refuse(trimmed, QStringLiteral("it holds a folder separator (/ or \\)."));
        }
        if (trimmed.contains(QStringLiteral(".."))) {
            return refuse(trimmed, QStringLiteral("it holds \"..\"."));
        }
        static const QString reserved = QStringLiteral("<>:\"|?*");
        for (const QChar c : trimmed) {
            if (reserved.contains(c)) {
                return refuse(trimmed,
                              QStringLiteral("it holds the character %1, which file names may not hold "
                                             "(none of < > : \" / \\ | ? *).")
                                  .arg(c));
            }
        }
        if (trimmed.endsWith(u'.')) {
            return refuse(trimmed, QStringLiteral("it ends with a dot."));
        }
        if (isDeviceName(trimmed)) {
            return refuse(trimmed, QStringLiteral("%1 is a device name that Windows reserves.").arg(trimmed));
        }
        if (!cp1252::canEncode(trimmed)) {
            return refuse(trimmed, QStringLiteral("it holds a character the report index cannot store."));
        }
        if (fileName(trimmed).compare(IndexFile, Qt::CaseInsensitive) == 0) {
            return refuse(trimmed, QStringLiteral("the program keeps its list of reports in that file."));
        }
        if (!ProgramFolder::isValidName(fileName(trimmed))) {
            return refuse(trimmed, QStringLiteral("it is not a plain file name."));
        }
        return {};
    }

    ReportIndex::ReportIndex(const ProgramFolder& folder)
        : m_folder(folder)
    {
    }

    Status ReportIndex::load()
    {
        m_fileNames.clear();
        Result<QStringList> read = QuotedLineFile(m_folder, IndexFile.toString()).read();
        if (!read) {
            return read.status();
        }
        m_fileNames = std::move(read).value();
        return {};
    }

    QStringList ReportIndex::titles() const
    {
        QStringList result;
        result.reserve(m_fileNames.size());
        for (const QString& name : m_fileNames) {
            result.append(titleOf(name));
        }
        return result;
    }

    int ReportIndex::find(const QString& title) const
    {
        const QString wanted = fileName(title);
        for (int i = 0; i < count(); ++i) {
            if (m_fileNames.at(i).trimmed().compare(wanted, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }

    Status ReportIndex::writeIndex(const QStringList& names) const
    {
        if (names.isEmpty()) {
            return m_folder.remove(IndexFile.toString());
        }
        return QuotedLineFile(m_folder, IndexFile.toString()).write(names);
    }

    Status ReportIndex::store(const QString& title, const QByteArray& rtf)
    {
        const Status valid = checkTitle(title);
        if (!valid) {
            return valid;
        }
        const int existing = find(title);
        // A listed report keeps the spelling it was first saved under.
        const QString name = existing >= 0 ? m_fileNames.at(existing).trimmed() : fileName(title);
        const Status written = m_folder.write(name, rtf);
        if (!written) {
            return written;
        }
        if (existing < 0) {
            QStringList names = m_fileNames;
            names.append(name);
            const Status listed = writeIndex(names);
            if (!listed) {
                return listed;
            }
            m_fileNames = names;
        }
        return {};
    }

    Status ReportIndex::removeAt(int position)
    {
        if (position < 0 || position >= count()) {
            return Status::failure(QStringLiteral("There is no stored report at position %1.").arg(position));
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

} // namespace qv::incidents
