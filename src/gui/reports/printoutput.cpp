#include "printoutput.h"

#include "core/reports/pagedocument.h"
#include "core/rtf/rtfwriter.h"
#include "gui/kit/dialogs.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QTextDocument>

namespace qv {

    namespace {

        // The picture of a copied page: sharp enough to print again, small enough to paste anywhere.
        constexpr double ClipboardDpi = 150;
        constexpr double TwipsPerInch = 1440;

        QString nativePath(const QString& path)
        {
            return QDir::toNativeSeparators(path);
        }

    } // namespace

    Result<PrintOutcome> printDocument(const PageDocument& doc, Dialogs& dialogs)
    {
        if (doc.pageCount() == 0) {
            return Result<PrintOutcome>::failure(
                QStringLiteral("There is nothing to print: the preview holds no pages."));
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(QStringLiteral("Quorvane"));
        printer.setCreator(QStringLiteral("Quorvane"));
        printer.setFullPage(true);
        printer.setFromTo(1, doc.pageCount());
        if (!dialogs.choosePrinter(printer)) {
            return PrintOutcome::Cancelled;
        }
        if (printer.outputFormat() == QPrinter::NativeFormat && !printer.isValid()) {
            return Result<PrintOutcome>::failure(QStringLiteral("No printer is available to print on."));
        }
        if (!doc.print(printer)) {
            const QString name = printer.outputFormat() == QPrinter::PdfFormat ? nativePath(printer.outputFileName())
                                                                               : printer.printerName();
            return Result<PrintOutcome>::failure(
                QStringLiteral("The document could not be printed: \"%1\" refused it.").arg(name));
        }
        return PrintOutcome::Printed;
    }

    Status writePdf(const PageDocument& doc, const QString& path)
    {
        if (doc.pageCount() == 0) {
            return Status::failure(QStringLiteral("There is nothing to save: the preview holds no pages."));
        }
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            return Status::failure(
                QStringLiteral("\"%1\" could not be written: %2").arg(nativePath(path), file.errorString()));
        }
        bool painted = false;
        {
            // The writer finishes the file when its painter ends, so it is gone before the commit.
            QPdfWriter writer(&file);
            writer.setTitle(QFileInfo(path).completeBaseName());
            writer.setCreator(QStringLiteral("Quorvane"));
            writer.setResolution(1200);
            painted = doc.print(writer);
        }
        if (!painted) {
            file.cancelWriting();
            return Status::failure(
                QStringLiteral("\"%1\" could not be written: a page could not be drawn.").arg(nativePath(path)));
        }
        if (file.error() != QFileDevice::NoError || !file.commit()) {
            return Status::failure(
                QStringLiteral("\"%1\" could not be written: %2").arg(nativePath(path), file.errorString()));
        }
        return Status();
    }

    Status copyPageToClipboard(const PageDocument& doc, int page)
    {
        if (page < 0 || page >= doc.pageCount()) {
            return Status::failure(QStringLiteral("There is no page on view to copy."));
        }
        const QImage picture = doc.image(page, ClipboardDpi / TwipsPerInch);
        if (picture.isNull()) {
            return Status::failure(QStringLiteral("The page could not be drawn for the clipboard."));
        }
        QClipboard* clipboard = QGuiApplication::clipboard();
        if (!clipboard) {
            return Status::failure(QStringLiteral("The clipboard is not available."));
        }
        clipboard->setImage(picture);
        return Status();
    }

    QMimeData* richTextMimeData(const QTextDocument& doc)
    {
        auto* data = new QMimeData;
        const QByteArray rtfText = rtf::write(doc);
        data->setData(QStringLiteral("text/rtf"), rtfText);
        data->setData(QStringLiteral("application/rtf"), rtfText);
        // Qt's Windows clipboard places this under the registered "Rich Text Format", the name
        // Windows programs look for.
        data->setData(QStringLiteral("application/x-qt-windows-mime;value=\"Rich Text Format\""), rtfText);
        data->setHtml(doc.toHtml());
        data->setText(doc.toPlainText());
        return data;
    }

    void copyRichTextToClipboard(const QTextDocument& doc)
    {
        if (QClipboard* clipboard = QGuiApplication::clipboard()) {
            clipboard->setMimeData(richTextMimeData(doc));
        }
    }

} // namespace qv
