#include "rtfsamples.h"

#include <QColor>
#include <QFont>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <array>
#include <cstdint>

namespace qv::bench {

    namespace {

        // A fixed linear congruential generator: the same words in the same order on every run.
        class Words
        {
        public:
            QString next()
            {
                m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
                return QString::fromLatin1(List[(m_state >> 33) % List.size()]);
            }
            int number(int below)
            {
                m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
                return int((m_state >> 33) % uint64_t(below));
            }
            QString sentence(int words)
            {
                QString s = next();
                s[0] = s[0].toUpper();
                for (int i = 1; i < words; ++i)
                    s += QLatin1Char(' ') + next();
                return s + QStringLiteral(". ");
            }

        private:
            static constexpr std::array<const char*, 40> List = {
                "risk",      "analysis", "security", "policy",   "access",     "control",   "audit",   "record",
                "workforce", "training", "device",   "media",    "backup",     "recovery",  "plan",    "safeguard",
                "incident",  "response", "password", "physical", "technical",  "integrity", "person",  "entity",
                "review",    "activity", "contract", "business", "associate",  "emergency", "mode",    "data",
                "facility",  "station",  "encrypt",  "decrypt",  "evaluation", "sanction",  "officer", "authority",
            };
            uint64_t m_state = 20240601;
        };

        const std::array<QColor, 5> Colours = {QColor(0xC0, 0, 0),
                                               QColor(0, 0x60, 0),
                                               QColor(0, 0, 0xC0),
                                               QColor(0x80, 0x40, 0),
                                               QColor(0x60, 0, 0x80)};
        const std::array<const char*, 3> Families = {"Times New Roman", "Arial", "Courier New"};

        QTextCharFormat bodyFormat()
        {
            QTextCharFormat f;
            f.setFontFamilies({QStringLiteral("Times New Roman")});
            f.setFontPointSize(11);
            return f;
        }

        void paragraph(QTextCursor& cursor, Words& words)
        {
            for (int run = 0; run < 6; ++run) {
                QTextCharFormat f = bodyFormat();
                switch (words.number(8)) {
                case 0:
                    f.setFontWeight(QFont::Bold);
                    break;
                case 1:
                    f.setFontItalic(true);
                    break;
                case 2:
                    f.setForeground(Colours[size_t(words.number(5))]);
                    break;
                case 3:
                    f.setBackground(QColor(0xFF, 0xFF, 0));
                    break;
                case 4:
                    f.setFontFamilies({QString::fromLatin1(Families[size_t(words.number(3))])});
                    f.setFontPointSize(9 + words.number(6));
                    break;
                case 5:
                    f.setFontUnderline(true);
                    break;
                default:
                    break;
                }
                QString text = words.sentence(6 + words.number(8));
                if (words.number(10) == 0)
                    text += QStringLiteral("caf\u00e9 \u20ac5 \u03a9 ");
                cursor.insertText(text, f);
            }
        }

    } // namespace

    std::unique_ptr<QTextDocument> mixedDocument(int bytes)
    {
        auto doc = std::make_unique<QTextDocument>();
        doc->setDefaultFont(QFont(QStringLiteral("Arial"), 11));
        QTextCursor cursor(doc.get());
        Words words;
        // Each section writes to about 4 KB.
        const int sections = bytes / 4100;
        QTextBlockFormat plain;
        for (int s = 0; s < sections; ++s) {
            QTextCharFormat heading;
            heading.setFontFamilies({QStringLiteral("Arial")});
            heading.setFontPointSize(16);
            heading.setFontWeight(QFont::Bold);
            heading.setForeground(Colours[size_t(s % 5)]);
            QTextBlockFormat headingBlock;
            headingBlock.setTopMargin(12);
            headingBlock.setBottomMargin(6);
            if (s > 0)
                cursor.insertBlock(headingBlock);
            else
                cursor.setBlockFormat(headingBlock);
            cursor.insertText(QStringLiteral("Section %1: ").arg(s + 1) + words.sentence(3), heading);

            for (int p = 0; p < 3; ++p) {
                QTextBlockFormat body;
                body.setAlignment(p == 1 ? Qt::AlignJustify : Qt::AlignLeft);
                body.setBottomMargin(6);
                cursor.insertBlock(body);
                paragraph(cursor, words);
            }

            QTextListFormat bullets;
            bullets.setStyle(s % 2 ? QTextListFormat::ListDisc : QTextListFormat::ListSquare);
            cursor.insertBlock(plain);
            cursor.createList(bullets);
            for (int i = 0; i < 3; ++i) {
                if (i > 0)
                    cursor.insertBlock();
                cursor.insertText(words.sentence(8), bodyFormat());
            }
            QTextListFormat numbers;
            numbers.setStyle(s % 3 ? QTextListFormat::ListDecimal : QTextListFormat::ListLowerRoman);
            cursor.insertBlock(plain);
            cursor.createList(numbers);
            for (int i = 0; i < 3; ++i) {
                if (i > 0)
                    cursor.insertBlock();
                cursor.insertText(words.sentence(8), bodyFormat());
            }
            cursor.insertBlock(plain);

            if (s % 4 == 3) {
                QTextTableFormat tf;
                tf.setColumnWidthConstraints({QTextLength(QTextLength::FixedLength, 120),
                                              QTextLength(QTextLength::FixedLength, 200),
                                              QTextLength(QTextLength::FixedLength, 160)});
                tf.setBorder(1);
                QTextTable* table = cursor.insertTable(4, 3, tf);
                for (int r = 0; r < 4; ++r) {
                    for (int c = 0; c < 3; ++c) {
                        QTextCursor cell = table->cellAt(r, c).firstCursorPosition();
                        QTextCharFormat f = bodyFormat();
                        f.setFontWeight(r == 0 ? QFont::Bold : QFont::Normal);
                        cell.insertText(words.sentence(3), f);
                    }
                }
                cursor.movePosition(QTextCursor::End);
            }
        }
        return doc;
    }

    std::unique_ptr<QTextDocument> plainDocument(int pages)
    {
        Words words;
        QString text;
        // About 3,500 characters to a page: seven paragraphs of five sentences.
        text.reserve(pages * 3600);
        for (int p = 0; p < pages * 7; ++p) {
            for (int s = 0; s < 5; ++s)
                text += words.sentence(10);
            text += QLatin1Char('\n');
        }
        auto doc = std::make_unique<QTextDocument>();
        doc->setDefaultFont(QFont(QStringLiteral("Times New Roman"), 12));
        doc->setPlainText(text);
        return doc;
    }

} // namespace qv::bench
