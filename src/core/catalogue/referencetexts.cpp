#include "referencetexts.h"

#include "catalogue.h"
#include "emphasis.h"

#include <QFile>
#include <QHash>
#include <QTextDocument>

#include <utility>

namespace qv::reftexts {

    namespace {

        // clang-format off
        // Entries whose "References in Rule" is an installed document. The two last entries of the
        // Policies family share one.
        struct Installed
        {
            int file;
            Kind kind;
            QStringView name;
        };

        constexpr std::array InstalledFiles = {
            Installed{0, Kind::References, u"RefRA1.Dat"},
            Installed{1, Kind::References, u"RefRM1.Dat"},
            Installed{2, Kind::References, u"RefSC1.Dat"},
            Installed{7, Kind::References, u"RefTM1.Dat"},
            Installed{9, Kind::References, u"RefAA1.Dat"},
            Installed{10, Kind::References, u"RefAE1.Dat"},
            Installed{21, Kind::References, u"RefEV1.Dat"},
            Installed{24, Kind::References, u"RefFS1.Dat"},
            Installed{27, Kind::References, u"RefWU1.Dat"},
            Installed{37, Kind::References, u"RefAuditC.Dat"},
            Installed{41, Kind::References, u"RefEnc1.Dat"},
            Installed{42, Kind::References, u"OrgReq1.Dat"},
            Installed{43, Kind::References, u"OrgRef2.Dat"},
            Installed{45, Kind::References, u"PPReq1.Dat"},
            Installed{46, Kind::References, u"PPReq1.Dat"},
            Installed{45, Kind::Information, u"Addtl45.dat"},
            Installed{46, Kind::Information, u"Addtl45.dat"},
        };

        constexpr std::array<QStringView, 9> Addressable = {
            u"This Implementation Specification is Addressable.",
            u"This means that a covered entity will do one of the following:",
            u"    1 - Will Implement this Implementation specification.",
            u"    2 - Implement one of more alternative security measures;",
            u"    3 - Implement a combination of both; or",
            u"    4 - Do not implement the addressable implementation specification or",
            u"        an alternative security measure. (Least desirable)",
            u"    Which ever action is taken it should be well documented!",
            u"    In several addressable areas it may be easier to implement than explain/justify why not used!",
        };
        // clang-format on

        const QString LineBreak = QStringLiteral("\r\n");

        // The folder of a kind's data files inside the compiled-in texts, and its word in the
        // highlight list.
        QString kindName(Kind kind)
        {
            switch (kind) {
            case Kind::Specification:
                return QStringLiteral("implementation");
            case Kind::References:
                return QStringLiteral("references");
            case Kind::Information:
                return QStringLiteral("information");
            }
            return {};
        }

        std::optional<Kind> kindNamed(QStringView name)
        {
            for (const Kind kind : Kinds) {
                if (name == kindName(kind)) {
                    return kind;
                }
            }
            return std::nullopt;
        }

        const catalogue::Entry* entryOfFile(int file)
        {
            return catalogue::entryBySafeguard(file + 1);
        }

        QString readText(const QString& resource)
        {
            QFile f(resource);
            if (!f.open(QIODevice::ReadOnly)) {
                return {};
            }
            return QString::fromUtf8(f.readAll());
        }

        // Lines of a data file. A checkout may have turned its line ends into CR LF, so a CR before
        // the LF is no part of the line.
        QStringList splitLines(const QString& text)
        {
            QStringList lines = text.split(u'\n');
            for (QString& line : lines) {
                if (line.endsWith(u'\r')) {
                    line.chop(1);
                }
            }
            while (!lines.isEmpty() && lines.constLast().isEmpty()) {
                lines.removeLast();
            }
            return lines;
        }

        using HighlightKey = std::pair<int, int>;

        // "NN<TAB>kind<TAB>phrase" lines; a line of another shape is no highlight.
        QHash<HighlightKey, QString> readHighlights()
        {
            QHash<HighlightKey, QString> phrases;
            for (const QString& line : splitLines(readText(QStringLiteral(":/reftexts/highlights.txt")))) {
                const QStringList fields = line.split(u'\t');
                if (fields.size() != 3) {
                    continue;
                }
                bool isNumber = false;
                const int file = fields[0].toInt(&isNumber);
                const std::optional<Kind> kind = kindNamed(fields[1]);
                if (!isNumber || !kind || fields[2].isEmpty()) {
                    continue;
                }
                phrases.insert({file, static_cast<int>(*kind)}, fields[2]);
            }
            return phrases;
        }

        const QHash<HighlightKey, QString>& highlights()
        {
            static const QHash<HighlightKey, QString> phrases = readHighlights();
            return phrases;
        }

        // Parts joined with one empty line between them; empty parts take no room.
        QStringList joinParts(std::initializer_list<QStringList> parts)
        {
            QStringList lines;
            for (const QStringList& part : parts) {
                if (part.isEmpty()) {
                    continue;
                }
                if (!lines.isEmpty()) {
                    lines.append(QString());
                }
                lines.append(part);
            }
            return lines;
        }

    } // namespace

    QString heading(Kind kind)
    {
        switch (kind) {
        case Kind::Specification:
            return QStringLiteral("Implementation Specification:");
        case Kind::References:
            return QStringLiteral("References in Rule:");
        case Kind::Information:
            return QStringLiteral("Additional Information:");
        }
        return {};
    }

    QStringList addressableParagraph()
    {
        QStringList lines;
        for (const QStringView line : Addressable) {
            lines.append(line.toString());
        }
        return lines;
    }

    bool isAvailable(int file, Kind kind)
    {
        const catalogue::Entry* entry = entryOfFile(file);
        if (!entry) {
            return false;
        }
        return kind != Kind::Specification || !entry->isOverview();
    }

    std::optional<QString> installedFile(int file, Kind kind)
    {
        for (const Installed& installed : InstalledFiles) {
            if (installed.file == file && installed.kind == kind) {
                return installed.name.toString();
            }
        }
        return std::nullopt;
    }

    bool isAssembled(int file, Kind kind)
    {
        return isAvailable(file, kind) && !installedFile(file, kind);
    }

    QStringList bodyLines(int file, Kind kind)
    {
        if (!isAssembled(file, kind)) {
            return {};
        }
        const QString resource =
            QStringLiteral(":/reftexts/%1/f%2.txt").arg(kindName(kind)).arg(file, 2, 10, QLatin1Char('0'));
        return splitLines(readText(resource));
    }

    QString assembled(int file, Kind kind)
    {
        if (!isAssembled(file, kind)) {
            return {};
        }
        const QStringList head{heading(kind)};
        QStringList lines;
        switch (kind) {
        case Kind::Specification:
            lines = joinParts({head, bodyLines(file, kind)});
            break;
        case Kind::References:
            // The account closes with the same extract of the rule as the specification pane.
            lines = joinParts({head, bodyLines(file, kind), bodyLines(file, Kind::Specification)});
            break;
        case Kind::Information: {
            const bool addressable = entryOfFile(file)->requirement == catalogue::Requirement::Addressable;
            lines = joinParts({head, addressable ? addressableParagraph() : QStringList(), bodyLines(file, kind)});
            break;
        }
        }
        return lines.join(LineBreak);
    }

    QString highlightPhrase(int file, Kind kind)
    {
        if (!isAssembled(file, kind)) {
            return {};
        }
        return highlights().value({file, static_cast<int>(kind)});
    }

    QString printEmphasis(int file)
    {
        const catalogue::Entry* entry = entryOfFile(file);
        return entry ? entry->emphasis.toString() : QString();
    }

    void placeAssembled(int file, Kind kind, QTextDocument& doc, Emphasis emphasis)
    {
        doc.setPlainText(assembled(file, kind));
        if (emphasis == Emphasis::On) {
            applyEmphasis(doc, highlightPhrase(file, kind));
        }
    }

    void placeReferenceTexts(int file,
                             const InstalledLoader& load,
                             QTextDocument& spec,
                             QTextDocument& refs,
                             QTextDocument& info)
    {
        const std::array<std::pair<Kind, QTextDocument*>, 3> targets = {
            {{Kind::Specification, &spec}, {Kind::References, &refs}, {Kind::Information, &info}}};
        for (const auto& [kind, doc] : targets) {
            doc->clear();
            if (const std::optional<QString> name = installedFile(file, kind)) {
                load(*name, *doc);
            } else {
                placeAssembled(file, kind, *doc, Emphasis::Off);
            }
        }
    }

} // namespace qv::reftexts
