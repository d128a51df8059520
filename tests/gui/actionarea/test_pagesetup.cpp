// Page set-up, paper and the PDF's folder: what the user sets for printing stays set.
#include "printingsupport.h"

#include "core/reports/printsettings.h"
#include "foldersnapshot.h"
#include "gui/kit/controlarray.h"
#include "gui/reports/previewwidget.h"
#include "gui/reports/printdesk.h"
#include "screenshot.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace qv;
using namespace qv::test;

namespace {

    // Every file of the data folder with a hash of its bytes.
    // The size of the first page of a PDF in points, as poppler reads it.
    QSizeF pdfPageSize(const QString& pdfinfo, const QString& pdf)
    {
        QProcess tool;
        tool.start(pdfinfo, {pdf});
        if (!tool.waitForFinished(60000)) {
            return {};
        }
        static const QRegularExpression size(QStringLiteral("Page size:\\s+([0-9.]+) x ([0-9.]+) pts"));
        const QRegularExpressionMatch m = size.match(QString::fromUtf8(tool.readAllStandardOutput()));
        return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
    }

    // Policy 14 on view in the Administrative family with its notes report open.
    PrintOptionsPanel* openPolicyReport(ActionArea* area)
    {
        press(area, QStringLiteral("SSCommand11"), 2);
        press(area, QStringLiteral("SSCommand14"), 14);
        choosePane(area, WorkPanel::PoliciesProcedures);
        area->printOptions();
        PrintOptionsPanel* panel = panelOf(area);
        return panel && panel->isVisible() ? panel : nullptr;
    }

} // namespace

class TestPageSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void notesBoxesKeepThePageSetup();
    void paperChosenInPageSetupIsPrinted();
    void pdfStartsInTheDocumentsFolder();
    void settingFieldsShowWhole();
};

void TestPageSetup::notesBoxesKeepThePageSetup()
{
    Spine spine;
    writePolicy(spine, 14, QStringLiteral("Policy text."));
    writeNote(spine, QStringLiteral("Action14.Fil"), QStringLiteral("Action text."));
    writeNote(spine, QStringLiteral("Comment14.Fil"), QStringLiteral("Comment text."));
    ActionArea* area = spine.begin();
    PrintOptionsPanel* panel = openPolicyReport(area);
    QVERIFY(panel);
    PrintDesk* desk = area->printDesk();

    PageSetup chosen;
    chosen.marginLeft = 1000;
    chosen.marginTop = 900;
    chosen.marginRight = 800;
    chosen.marginBottom = 700;
    chosen.orientation = QPageLayout::Landscape;
    spine.dialogs.answerPageSetup(chosen);
    QTest::mouseClick(panel->command(PrintOptionsPanel::PageSetupCommand), Qt::LeftButton);
    const PageMargins margins{1000, 900, 800, 700};
    QCOMPARE(desk->engine().margins(), margins);

    // Ticking and clearing boxes composes the report again with the margins and the paper the
    // user set, not the report's presets.
    clickBox(panel, 3);
    QCOMPARE(ticks(panel, 6), (QList<bool>{false, false, false, true, false, true}));
    QVERIFY(allText(desk->engine()).contains(QStringLiteral("Action text.")));
    QCOMPARE(desk->engine().margins(), margins);
    QCOMPARE(desk->engine().orientation(), PageOrientation::Landscape);
    clickBox(panel, 5);
    clickBox(panel, 4);
    QCOMPARE(desk->engine().margins(), margins);
    QCOMPARE(desk->settings().margins, margins);
    QCOMPARE(panel->orientationText(), QStringLiteral(" Landscape"));
    const PlacedText first = desk->engine().document().strings(0).first();
    QCOMPARE(first.rect.left(), 1000.0);

    // All policies print on their own margins; a box ticked after them goes back to the user's.
    area->menuAction(QStringLiteral("mOPrintAll"))->trigger();
    QCOMPARE(desk->engine().margins(), printpresets::AllPolicies);
    clickBox(panel, 3);
    QCOMPARE(desk->report(), PrintDesk::Report::Notes);
    QCOMPARE(desk->engine().margins(), margins);
    QCOMPARE(desk->engine().orientation(), PageOrientation::Landscape);
}

void TestPageSetup::paperChosenInPageSetupIsPrinted()
{
    const QString pdfinfo = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    if (pdfinfo.isEmpty()) {
        QSKIP("pdfinfo (poppler-utils) is not installed");
    }
    QTemporaryDir out;
    Spine spine;
    writePolicy(spine, 14, QStringLiteral("Policy text."));
    ActionArea* area = spine.begin();
    PrintOptionsPanel* panel = openPolicyReport(area);
    QVERIFY(panel);
    PrintDesk* desk = area->printDesk();
    const FolderSnapshot before(spine.folder.dataDir());

    // The set-up offers the paper the preview shows, Letter, whatever the printer's default is.
    PageSetup a4;
    a4.marginLeft = 350;
    a4.marginTop = 300;
    a4.marginRight = 350;
    a4.marginBottom = 100;
    a4.paper = QPageSize(QPageSize::A4);
    spine.dialogs.answerPageSetup(a4);
    QTest::mouseClick(panel->command(PrintOptionsPanel::PageSetupCommand), Qt::LeftButton);
    QCOMPARE(spine.dialogs.calls().last().page.paper.id(), QPageSize::Letter);

    // A4 is 210 by 297 mm: 11906 by 16838 twips.
    QVERIFY(std::abs(desk->engine().pageWidth() - 11906) < 1);
    QVERIFY(std::abs(desk->engine().pageHeight() - 16838) < 1);
    QCOMPARE(desk->engine().document().pageSize().toSize(), QSize(11906, 16838));
    clickBox(panel, 0);
    QVERIFY(std::abs(desk->engine().pageHeight() - 16838) < 1);

    // The next set-up offers what the user chose last.
    spine.dialogs.answerPageSetup(std::nullopt);
    QTest::mouseClick(panel->command(PrintOptionsPanel::PageSetupCommand), Qt::LeftButton);
    QCOMPARE(spine.dialogs.calls().last().page.paper.id(), QPageSize::A4);

    // The PDF and the printer get A4: 595.28 by 841.89 points.
    const QString pdf = out.filePath(QStringLiteral("policy.pdf"));
    spine.dialogs.answerSaveFile(pdf);
    spine.prompter.answer(PromptAnswer::Ok);
    QTest::mouseClick(panel->command(PrintOptionsPanel::SavePdfCommand), Qt::LeftButton);
    QSizeF size = pdfPageSize(pdfinfo, pdf);
    QVERIFY2(std::abs(size.width() - 595.28) < 1 && std::abs(size.height() - 841.89) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));

    const QString printed = out.filePath(QStringLiteral("printed.pdf"));
    spine.dialogs.answerPrinter(printed);
    QTest::mouseClick(panel->command(PrintOptionsPanel::PrintCommand), Qt::LeftButton);
    size = pdfPageSize(pdfinfo, printed);
    QVERIFY2(std::abs(size.width() - 595.28) < 1 && std::abs(size.height() - 841.89) < 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    QCOMPARE(before.changedSince(), QStringList());
}

// A file dialog given a folder that does not exist opens in the program folder, among the data.
void TestPageSetup::pdfStartsInTheDocumentsFolder()
{
    QTemporaryDir home;
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(QStringLiteral(".config"))));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY2(documents.startsWith(home.path()), qPrintable(documents));
    QVERIFY(!QFileInfo::exists(documents));

    Spine spine;
    ActionArea* area = spine.begin();
    area->printOptions();
    PrintOptionsPanel* panel = panelOf(area);
    spine.dialogs.answerSaveFile(std::nullopt);
    QTest::mouseClick(panel->command(PrintOptionsPanel::SavePdfCommand), Qt::LeftButton);
    qputenv("HOME", oldHome);
    if (oldConfig.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", oldConfig);
    }
    QCOMPARE(spine.dialogs.calls().last().path,
             documents + QStringLiteral("/HIPAA Security Standards Status Report.pdf"));
    QVERIFY(QFileInfo(documents).isDir());
}

void TestPageSetup::settingFieldsShowWhole()
{
    Spine spine;
    writePolicy(spine, 14, QStringLiteral("Policy text."));
    ActionArea* area = spine.begin();
    for (const QSize size : {QSize(1024, 768), QSize(1920, 1080)}) {
        showAtSize(area, size);
        PrintOptionsPanel* panel = openPolicyReport(area);
        QVERIFY(panel);
        // A face with a long name, in a size with a fraction.
        FontChoice chosen;
        chosen.font = QFont(QStringLiteral("DejaVu Serif Condensed"));
        chosen.font.setPointSizeF(10.5);
        spine.dialogs.answerFont(chosen);
        QTest::mouseClick(panel->command(PrintOptionsPanel::FontCommand), Qt::LeftButton);
        QCOMPARE(panel->fontText(), QStringLiteral(" ") + chosen.font.family());
        QApplication::processEvents();
        const QString name = QStringLiteral("print-fields-%1x%2").arg(size.width()).arg(size.height());
        grabToPng(area, name);
        const QList<QLabel*> labels = controlArray<QLabel>(panel, QStringLiteral("PrintSettingLabel"));
        const QList<QLabel*> fields = controlArray<QLabel>(panel, QStringLiteral("Panel3D80"));
        QCOMPARE(fields.size(), 3);
        for (int i = 0; i < 3; ++i) {
            const QLabel* label = labels.at(i);
            const QLabel* field = fields.at(i);
            QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
            QVERIFY2(field->sizeHint().width() <= field->width(),
                     qPrintable(QStringLiteral("%1 needs %2, has %3")
                                    .arg(field->text())
                                    .arg(field->sizeHint().width())
                                    .arg(field->width())));
            QVERIFY(field->geometry().right() < panel->preview()->geometry().left());
        }
        QTest::mouseClick(panel->command(PrintOptionsPanel::CloseCommand), Qt::LeftButton);
    }
}

QTEST_MAIN(TestPageSetup)
#include "test_pagesetup.moc"
