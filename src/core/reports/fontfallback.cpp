#include "fontfallback.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>

#include <array>

namespace qv {

    namespace {

        // Faces documents written on Windows ask for, each with the installed faces that take its
        // place, closest first: metric-compatible faces before look-alikes, so a line breaks where
        // it did on the writer's machine whenever that can be had.
        struct Substitute
        {
            const char16_t* requested;
            const char16_t* candidates; // separated by '|'
        };

        constexpr std::array Substitutes{
            Substitute{u"Times New Roman", u"Liberation Serif|Tinos|Times|Nimbus Roman|DejaVu Serif"},
            Substitute{u"Times", u"Liberation Serif|Tinos|Times New Roman|Nimbus Roman|DejaVu Serif"},
            Substitute{u"MS Serif", u"Liberation Serif|Tinos|Times New Roman|DejaVu Serif"},
            Substitute{u"Georgia", u"Gelasio|Liberation Serif|Times New Roman|DejaVu Serif"},
            Substitute{u"Cambria", u"Caladea|Liberation Serif|Times New Roman|DejaVu Serif"},
            Substitute{u"Book Antiqua", u"Liberation Serif|Times New Roman|DejaVu Serif"},
            Substitute{u"Palatino Linotype", u"Liberation Serif|Times New Roman|DejaVu Serif"},
            Substitute{u"Garamond", u"Liberation Serif|Times New Roman|DejaVu Serif"},
            Substitute{u"Arial", u"Liberation Sans|Arimo|Helvetica|Nimbus Sans|DejaVu Sans"},
            Substitute{u"Helvetica", u"Liberation Sans|Arimo|Arial|Nimbus Sans|DejaVu Sans"},
            Substitute{u"MS Sans Serif", u"Liberation Sans|Arimo|Arial|DejaVu Sans"},
            Substitute{u"Microsoft Sans Serif", u"Liberation Sans|Arimo|Arial|DejaVu Sans"},
            Substitute{u"Arial Narrow", u"Liberation Sans Narrow|Liberation Sans|Arial|DejaVu Sans Condensed"},
            Substitute{u"Calibri", u"Carlito|Liberation Sans|Arial|DejaVu Sans"},
            Substitute{u"Tahoma", u"DejaVu Sans|Liberation Sans|Arial"},
            Substitute{u"Verdana", u"DejaVu Sans|Liberation Sans|Arial"},
            Substitute{u"Courier New", u"Liberation Mono|Cousine|Courier|Nimbus Mono PS|DejaVu Sans Mono"},
            Substitute{u"Courier", u"Liberation Mono|Cousine|Courier New|Nimbus Mono PS|DejaVu Sans Mono"},
            Substitute{u"Consolas", u"Liberation Mono|Cousine|Courier New|DejaVu Sans Mono"},
            Substitute{u"Lucida Console", u"Liberation Mono|Cousine|Courier New|DejaVu Sans Mono"},
        };

        constexpr const char16_t* DefaultSansCandidates = u"Liberation Sans|Arial|DejaVu Sans|Helvetica";

        // Installed families by their lower-case names, spelled as the database spells them.
        const QHash<QString, QString>& installedFamilies()
        {
            static const QHash<QString, QString> families = [] {
                QHash<QString, QString> byKey;
                const QStringList all = QFontDatabase::families();
                for (const QString& family : all)
                    byKey.insert(family.toCaseFolded(), family);
                return byKey;
            }();
            return families;
        }

        QString firstInstalled(QStringView candidates)
        {
            for (QStringView candidate : candidates.split(u'|')) {
                const auto found = installedFamilies().constFind(candidate.toString().toCaseFolded());
                if (found != installedFamilies().cend())
                    return found.value();
            }
            return QString();
        }

        QString substituteFor(const QString& key)
        {
            for (const Substitute& s : Substitutes) {
                if (QStringView(s.requested).compare(key, Qt::CaseInsensitive) == 0)
                    return firstInstalled(s.candidates);
            }
            return QString();
        }

        QString resolve(const QString& requested)
        {
            const QString key = requested.trimmed().toCaseFolded();
            if (key.isEmpty())
                return defaultSansFace();
            const auto installed = installedFamilies().constFind(key);
            if (installed != installedFamilies().cend())
                return installed.value();
            const QString found = substituteFor(key);
            return found.isEmpty() ? defaultSansFace() : found;
        }

    } // namespace

    QString defaultSansFace()
    {
        static const QString face = [] {
            const QString found = firstInstalled(DefaultSansCandidates);
            return found.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::GeneralFont).family() : found;
        }();
        return face;
    }

    bool isInstalledFace(const QString& requested)
    {
        const QString key = requested.trimmed().toCaseFolded();
        return !key.isEmpty() && installedFamilies().contains(key);
    }

    QString installedSubstitute(const QString& requested)
    {
        const QString key = requested.trimmed().toCaseFolded();
        if (key.isEmpty() || installedFamilies().contains(key))
            return QString();
        return substituteFor(key);
    }

    QString installedFace(const QString& requested)
    {
        static QHash<QString, QString> remembered;
        const auto known = remembered.constFind(requested);
        if (known != remembered.cend())
            return known.value();
        const QString face = resolve(requested);
        remembered.insert(requested, face);
        return face;
    }

} // namespace qv
