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

} // namespace qv::incidents
