#include "printcommands.h"

#include "printoutput.h"

#include "core/reports/pagedocument.h"
#include "core/reports/printsettings.h"
#include "gui/kit/dialogs.h"
#include "gui/kit/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QPageSize>
#include <QStandardPaths>

namespace qv {

    namespace {

        constexpr double TwipsPerInch = 1440;
        constexpr double MillimetresPerInch = 25.4;

        // A sheet as the page set-up names it; a size close to a standard one is that one.
        QPageSize pageSizeOf(QSizeF portraitTwips)
        {
            return QPageSize(portraitTwips / TwipsPerInch, QPageSize::Inch);
        }

        // From the size the paper is defined in, so A4 stays 210 by 297 mm rather than whole points.
        QSizeF portraitTwipsOf(const QPageSize& paper)
        {
            const QSizeF defined = paper.definitionSize();
            switch (paper.definitionUnits()) {
            case QPageSize::Millimeter:
                return defined * (TwipsPerInch / MillimetresPerInch);
            case QPageSize::Inch:
                return defined * TwipsPerInch;
            default:
                return paper.size(QPageSize::Point) * (TwipsPerInch / 72);
            }
        }

    } // namespace

    bool askPageSetup(Dialogs& dialogs, PrintSettings& settings)
    {
        PageSetup initial;
        initial.paper = pageSizeOf(settings.paper);
        initial.marginLeft = static_cast<int>(settings.margins.left);
        initial.marginTop = static_cast<int>(settings.margins.top);
        initial.marginRight = static_cast<int>(settings.margins.right);
        initial.marginBottom = static_cast<int>(settings.margins.bottom);
        initial.orientation =
            settings.orientation == PageOrientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
        const std::optional<PageSetup> chosen = dialogs.pageSetup(initial);
        if (!chosen) {
            return false;
        }
        settings.orientation =
            chosen->orientation == QPageLayout::Landscape ? PageOrientation::Landscape : PageOrientation::Portrait;
        if (chosen->paper.isValid()) {
            settings.paper = portraitTwipsOf(chosen->paper);
        }
        settings.margins = PageMargins{static_cast<double>(chosen->marginLeft),
                                       static_cast<double>(chosen->marginTop),
                                       static_cast<double>(chosen->marginRight),
                                       static_cast<double>(chosen->marginBottom)};
        return true;
    }

    void saveAsPdf(const PageDocument& doc, Dialogs& dialogs, Prompter& prompter, const QString& name)
    {
        if (doc.pageCount() == 0) {
            prompter.inform(QStringLiteral("Save as PDF"), QStringLiteral("There is nothing to save."));
            return;
        }
        // A file dialog given a folder that does not exist opens in the current one, which is the
        // program folder: a PDF saved there unnoticed would sit among the user's data files.
        QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (folder.isEmpty() || !QDir().mkpath(folder)) {
            folder = QDir::homePath();
        }
        const std::optional<QString> path = dialogs.chooseSaveFile(QStringLiteral("Save as PDF"),
                                                                   folder + u'/' + name + QStringLiteral(".pdf"),
                                                                   QStringLiteral("PDF files (*.pdf);;All files (*)"));
        if (!path) {
            return;
        }
        QString target = *path;
        if (!target.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive) &&
            !QFileInfo(target).fileName().contains(u'.')) {
            target += QStringLiteral(".pdf");
        }
        const Status written = writePdf(doc, target);
        if (!written) {
            prompter.critical(QStringLiteral("Save as PDF"), written.error());
            return;
        }
        prompter.inform(QStringLiteral("Save as PDF"),
                        QStringLiteral("The document has been saved as ") + QDir::toNativeSeparators(target) + u'.');
    }

} // namespace qv
