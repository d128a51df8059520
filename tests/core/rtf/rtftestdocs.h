#pragma once

// Small documents and helpers shared by the RTF writer tests.

#include "core/rtf/richtextcompare.h"
#include "core/rtf/rtfreader.h"
#include "core/rtf/rtfwriter.h"

#include <QFont>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <memory>

namespace qv::test {

    using CharEdit = std::function<void(QTextCharFormat&)>;
    using BlockEdit = std::function<void(QTextBlockFormat&)>;

} // namespace qv::test

Q_DECLARE_METATYPE(qv::test::CharEdit)
Q_DECLARE_METATYPE(qv::test::BlockEdit)

namespace qv::test {

    // A document whose default font does not depend on the machine running the test.
    inline std::unique_ptr<QTextDocument> newDocument()
    {
        auto doc = std::make_unique<QTextDocument>();
        doc->setDefaultFont(QFont(QStringLiteral("Arial"), 12));
        return doc;
    }

    // "plain " + "x" in the edited format + " plain".
    inline std::unique_ptr<QTextDocument> runDocument(const CharEdit& edit)
    {
        auto doc = newDocument();
        QTextCursor cursor(doc.get());
        cursor.insertText(QStringLiteral("plain "), QTextCharFormat());
        QTextCharFormat f;
        edit(f);
        cursor.insertText(QStringLiteral("x"), f);
        cursor.insertText(QStringLiteral(" plain"), QTextCharFormat());
        return doc;
    }

    // "first" and then "second" in the edited paragraph format.
    inline std::unique_ptr<QTextDocument> paragraphDocument(const BlockEdit& edit)
    {
        auto doc = newDocument();
        QTextCursor cursor(doc.get());
        cursor.insertText(QStringLiteral("first"));
        QTextBlockFormat f;
        edit(f);
        cursor.insertBlock(f);
        cursor.insertText(QStringLiteral("second"));
        return doc;
    }

    // What follows the header: the paragraphs.
    inline QByteArray bodyOf(const QByteArray& rtf)
    {
        const qsizetype at = rtf.indexOf("\\uc1");
        return at < 0 ? rtf : rtf.mid(at + 4);
    }

    // Written and read back by our own reader.
    inline std::unique_ptr<QTextDocument> roundTrip(const QTextDocument& doc)
    {
        auto back = std::make_unique<QTextDocument>();
        back->setDefaultFont(doc.defaultFont());
        rtf::read(rtf::write(doc), *back);
        return back;
    }

    // Each kind of character formatting, with the words it is written as around "x".
    inline void addCharacterRows()
    {
        using namespace Qt::StringLiterals;
        QTest::addColumn<CharEdit>("edit");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("bold") << CharEdit([](QTextCharFormat& f) { f.setFontWeight(QFont::Bold); })
                              << QByteArray("plain \\b x\\b0  plain");
        QTest::newRow("demibold is bold") << CharEdit([](QTextCharFormat& f) { f.setFontWeight(QFont::DemiBold); })
                                          << QByteArray("plain \\b x\\b0  plain");
        QTest::newRow("medium is not") << CharEdit([](QTextCharFormat& f) { f.setFontWeight(QFont::Medium); })
                                       << QByteArray("plain x plain");
        QTest::newRow("italic") << CharEdit([](QTextCharFormat& f) { f.setFontItalic(true); })
                                << QByteArray("plain \\i x\\i0  plain");
        QTest::newRow("underline") << CharEdit([](QTextCharFormat& f) { f.setFontUnderline(true); })
                                   << QByteArray("plain \\ul x\\ulnone  plain");
        QTest::newRow("dashed underline")
            << CharEdit([](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::DashUnderline); })
            << QByteArray("plain \\uldash x\\ulnone  plain");
        QTest::newRow("spelling wave is not saved")
            << CharEdit([](QTextCharFormat& f) { f.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline); })
            << QByteArray("plain x plain");
        QTest::newRow("strikeout") << CharEdit([](QTextCharFormat& f) { f.setFontStrikeOut(true); })
                                   << QByteArray("plain \\strike x\\strike0  plain");
        QTest::newRow("superscript") << CharEdit([](QTextCharFormat& f) {
            f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
        }) << QByteArray("plain \\super x\\nosupersub  plain");
        QTest::newRow("subscript") << CharEdit([](QTextCharFormat& f) {
            f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
        }) << QByteArray("plain \\sub x\\nosupersub  plain");
        QTest::newRow("colour") << CharEdit([](QTextCharFormat& f) { f.setForeground(QColor(0x12, 0x34, 0x56)); })
                                << QByteArray("plain \\cf1 x\\cf0  plain");
        QTest::newRow("highlight") << CharEdit([](QTextCharFormat& f) { f.setBackground(QColor(0, 255, 0)); })
                                   << QByteArray("plain \\chcbpat1\\highlight1 x\\chcbpat0\\highlight0  plain");
        QTest::newRow("point size") << CharEdit([](QTextCharFormat& f) { f.setFontPointSize(15); })
                                    << QByteArray("plain \\fs30 x\\fs24  plain");
        QTest::newRow("half point size") << CharEdit([](QTextCharFormat& f) { f.setFontPointSize(10.5); })
                                         << QByteArray("plain \\fs21 x\\fs24  plain");
        QTest::newRow("pixel size") << CharEdit([](QTextCharFormat& f) {
            f.setProperty(QTextFormat::FontPixelSize, 20);
        }) << QByteArray("plain \\fs30 x\\fs24  plain");
        QTest::newRow("family") << CharEdit([](QTextCharFormat& f) { f.setFontFamilies({u"Courier New"_s}); })
                                << QByteArray("plain \\f1 x\\f0  plain");
        QTest::newRow("everything at once") << CharEdit([](QTextCharFormat& f) {
            f.setFontWeight(QFont::Bold);
            f.setFontItalic(true);
            f.setFontPointSize(8);
            f.setFontFamilies({u"Georgia"_s});
        }) << QByteArray("plain \\f1\\fs16\\b\\i x\\f0\\fs24\\b0\\i0  plain");
    }

    // Each kind of paragraph formatting, with the words that follow \\pard for it.
    inline void addParagraphRows()
    {
        QTest::addColumn<BlockEdit>("edit");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("centre") << BlockEdit([](QTextBlockFormat& f) { f.setAlignment(Qt::AlignHCenter); })
                                << QByteArray("\\qc");
        QTest::newRow("right") << BlockEdit([](QTextBlockFormat& f) { f.setAlignment(Qt::AlignRight); })
                               << QByteArray("\\qr");
        QTest::newRow("justify") << BlockEdit([](QTextBlockFormat& f) { f.setAlignment(Qt::AlignJustify); })
                                 << QByteArray("\\qj");
        QTest::newRow("left margin") << BlockEdit([](QTextBlockFormat& f) { f.setLeftMargin(40); })
                                     << QByteArray("\\li600");
        QTest::newRow("indent steps") << BlockEdit([](QTextBlockFormat& f) {
            f.setIndent(2);
            f.setLeftMargin(10);
        }) << QByteArray("\\li1350");
        QTest::newRow("right margin") << BlockEdit([](QTextBlockFormat& f) { f.setRightMargin(20); })
                                      << QByteArray("\\ri300");
        QTest::newRow("hanging first line")
            << BlockEdit([](QTextBlockFormat& f) { f.setTextIndent(-10); }) << QByteArray("\\fi-150");
        QTest::newRow("space before and after") << BlockEdit([](QTextBlockFormat& f) {
            f.setTopMargin(8);
            f.setBottomMargin(4);
        }) << QByteArray("\\sb120\\sa60");
        QTest::newRow("one and a half lines")
            << BlockEdit([](QTextBlockFormat& f) { f.setLineHeight(150, QTextBlockFormat::ProportionalHeight); })
            << QByteArray("\\sl360\\slmult1");
        QTest::newRow("exact line height")
            << BlockEdit([](QTextBlockFormat& f) { f.setLineHeight(20, QTextBlockFormat::FixedHeight); })
            << QByteArray("\\sl-300\\slmult0");
        QTest::newRow("minimum line height")
            << BlockEdit([](QTextBlockFormat& f) { f.setLineHeight(20, QTextBlockFormat::MinimumHeight); })
            << QByteArray("\\sl300\\slmult0");
        QTest::newRow("tab stops") << BlockEdit([](QTextBlockFormat& f) {
            f.setTabPositions({QTextOption::Tab(100, QTextOption::LeftTab),
                               QTextOption::Tab(200, QTextOption::RightTab),
                               QTextOption::Tab(300, QTextOption::CenterTab),
                               QTextOption::Tab(400, QTextOption::DelimiterTab, u'.')});
        }) << QByteArray("\\tx1500\\tqr\\tx3000\\tqc\\tx4500\\tqdec\\tx6000");
        QTest::newRow("page break before")
            << BlockEdit([](QTextBlockFormat& f) { f.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore); })
            << QByteArray("\\page");
        QTest::newRow("all together") << BlockEdit([](QTextBlockFormat& f) {
            f.setAlignment(Qt::AlignRight);
            f.setTextIndent(12);
            f.setLeftMargin(24);
            f.setBottomMargin(6);
        }) << QByteArray("\\qr\\fi180\\li360\\sa90");
    }

} // namespace qv::test
