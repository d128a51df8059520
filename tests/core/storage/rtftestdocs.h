#pragma once

// Small documents and helpers shared by the RTF writer tests.

#include "core/storage/richtextcompare.h"
#include "core/storage/rtfreader.h"
#include "core/storage/rtfwriter.h"

#include <QFont>
#include <QTextCursor>
#include <QTextDocument>

#include <functional>
#include <memory>

namespace qv::test {

    using CharEdit = std::function<void(QTextCharFormat&)>;
    using BlockEdit = std::function<void(QTextBlockFormat&)>;

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

} // namespace qv::test

Q_DECLARE_METATYPE(qv::test::CharEdit)
Q_DECLARE_METATYPE(qv::test::BlockEdit)
