#include "userdocuments.h"

#include "core/catalogue/catalogue.h"
#include "core/documents/archives.h"
#include "core/documents/incidents.h"
#include "core/documents/worksheettitles.h"
#include "core/storage/fixedrecordfile.h"

#include <QDir>
#include <QSet>

namespace qv::insight {

    namespace {

        constexpr QStringView PlanFile = u"DRPln1.Fil";

        QString paneName(DocumentKind kind)
        {
            switch (kind) {
            case DocumentKind::ActionTaken:
                return QStringLiteral("Action Taken");
            case DocumentKind::Comments:
                return QStringLiteral("Comments/Notes");
            default:
                return QStringLiteral("Policies & Procedures/Plan");
            }
        }

        // The titles as the worksheet buttons show them, read without creating the titles file the
        // way the worksheet area does on entry: a search must leave the data folder as it found it.
        QStringList worksheetTitles(const ProgramFolder& folder)
        {
            QStringList titles;
            const FixedRecordFile file(folder, worksheets::TitlesFile.toString(), worksheets::TitleRecordLength);
            const Result<FixedRecords> records = file.load();
            for (int n = 0; n < worksheets::Count; ++n) {
                const QString stored = records ? records.value().string(n + 1) : QString();
                titles.append(stored.isEmpty() ? worksheets::defaultTitle(n) : stored);
            }
            return titles;
        }

    } // namespace

    QString describe(const DocumentRef& document)
    {
        switch (document.kind) {
        case DocumentKind::ActionTaken:
        case DocumentKind::Comments:
        case DocumentKind::Policy: {
            const catalogue::Entry* entry = catalogue::entryBySafeguard(document.number);
            const QString name = entry ? entry->fullName.toString() : document.fileName;
            return name + QStringLiteral(" - ") + paneName(document.kind);
        }
        case DocumentKind::Worksheet:
            return QStringLiteral("Risk Analysis Worksheet: ") + document.title.trimmed();
        case DocumentKind::Plan:
            return QStringLiteral("Disaster Recovery Plan");
        case DocumentKind::IncidentReport:
            return QStringLiteral("Incident Report: ") + document.title;
        case DocumentKind::Archive:
            return QStringLiteral("Archive: ") + document.title;
        }
        return document.fileName;
    }

    QList<DocumentRef> userDocuments(const ProgramFolder& folder)
    {
        // One listing of the folder answers every "is it there?", ignoring letter case as the
        // program's file names are resolved.
        QSet<QString> present;
        const QStringList names =
            QDir(folder.dataDir()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::NoSort);
        for (const QString& name : names) {
            present.insert(name.toLower());
        }
        auto exists = [&present](const QString& name) { return present.contains(name.toLower()); };

        QList<DocumentRef> documents;
        for (const catalogue::Entry& entry : catalogue::entries()) {
            const QString number = QString::number(entry.file) + QStringLiteral(".Fil");
            const std::pair<DocumentKind, QString> notes[] = {
                {DocumentKind::ActionTaken, QStringLiteral("Action") + number},
                {DocumentKind::Comments, QStringLiteral("Comment") + number},
                {DocumentKind::Policy, QStringLiteral("Policy") + number},
            };
            for (const auto& [kind, name] : notes) {
                if (exists(name)) {
                    documents.append({kind, entry.safeguard, name, QString()});
                }
            }
        }

        const QStringList titles = worksheetTitles(folder);
        for (int n = 0; n < worksheets::Count; ++n) {
            const QString name = worksheets::fileName(n);
            if (exists(name)) {
                documents.append({DocumentKind::Worksheet, n, name, titles.at(n)});
            }
        }

        if (exists(PlanFile.toString())) {
            documents.append({DocumentKind::Plan, -1, PlanFile.toString(), QString()});
        }

        // The areas open a listed document by its trimmed title, so that is the file searched too.
        incidents::ReportIndex reports(folder);
        if (reports.load()) {
            for (const QString& listed : reports.fileNames()) {
                const QString title = incidents::titleOf(listed).trimmed();
                const QString name = incidents::fileName(title);
                if (ProgramFolder::isValidName(name) && exists(name)) {
                    documents.append({DocumentKind::IncidentReport, -1, name, title});
                }
            }
        }
        archives::ArchiveIndex archived(folder);
        if (archived.load()) {
            for (const QString& listed : archived.fileNames()) {
                const QString title = archives::titleOf(listed).trimmed();
                const QString name = title + archives::Extension.toString();
                if (ProgramFolder::isValidName(name) && exists(name)) {
                    documents.append({DocumentKind::Archive, -1, name, title});
                }
            }
        }
        return documents;
    }

} // namespace qv::insight
