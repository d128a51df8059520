#pragma once

// What the print tests of the Action Area do as a user would: open the print options, tick boxes,
// read back what the preview composed.

#include "spinefixture.h"

#include "core/reports/pageengine.h"
#include "core/rtf/richtextfile.h"
#include "gui/actionarea/actionarea.h"
#include "gui/kit/workpanel.h"
#include "gui/reports/printoptionspanel.h"

#include <QCheckBox>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>

namespace qv::test {

    inline PrintOptionsPanel* panelOf(ActionArea* area)
    {
        return area->findChild<PrintOptionsPanel*>(QStringLiteral("SSPanel80"));
    }

    inline void choosePane(ActionArea* area, WorkPanel::PaneOption option)
    {
        QRadioButton* button = area->workPanel().paneOption(option);
        QVERIFY2(button->isEnabled(), qPrintable(button->text()));
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        QVERIFY(button->isChecked());
    }

    inline void clickBox(PrintOptionsPanel* panel, int index)
    {
        QCheckBox* box = panel->selectionBox(index);
        QVERIFY2(box->isVisible() && box->isEnabled(), qPrintable(QString::number(index)));
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
    }

    inline QList<bool> ticks(PrintOptionsPanel* panel, int count)
    {
        QList<bool> result;
        for (int i = 0; i < count; ++i) {
            result.append(panel->isBoxChecked(i));
        }
        return result;
    }

    // Every string of the composed document, page by page, in the order drawn.
    inline QStringList pageText(const PageEngine& engine, int page)
    {
        QStringList strings;
        for (const PlacedText& placed : engine.document().strings(page)) {
            strings.append(placed.text);
        }
        return strings;
    }

    inline QString allText(const PageEngine& engine)
    {
        QStringList pages;
        for (int p = 0; p < engine.pageCount(); ++p) {
            pages.append(pageText(engine, p).join(u'\n'));
        }
        return pages.join(u'\f');
    }

    inline void writePolicy(Spine& spine, int file, const QString& text)
    {
        QTextDocument doc;
        doc.setPlainText(text);
        QVERIFY(saveRichText(spine.programFolder, QStringLiteral("Policy%1.Fil").arg(file), doc));
    }

    // A note file of the data folder holding text.
    inline void writeNote(Spine& spine, const QString& file, const QString& text)
    {
        QTextDocument doc;
        doc.setPlainText(text);
        QVERIFY(saveRichText(spine.programFolder, file, doc));
    }

} // namespace qv::test
