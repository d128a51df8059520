// quorvane-content: compiles one installed document from Markdown into the RTF file the program loads.
//
//     quorvane-content SOURCE.md... OUTPUT
//
// The build runs it once per document listed in content/manifest.txt. Several sources are joined, in
// the order given, into one document: a document made of other documents (the whole Security Rule
// is its sections one after another) is built from their sources, so it can never disagree with them. Markdown keeps
// the documents readable and reviewable as text; the program itself only ever sees RTF, the format its viewer panes
// read and the format users copy out of them into their word processors.

#include "core/rtf/rtfwriter.h"
#include "core/storage/codec.h"
#include "core/storage/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextStream>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <vector>

namespace {

    // The look of every installed document: a serif body that reads well at length and prints like
    // the rule as published, sans-serif bold headings that stand out in a long reference text.
    // Markdown says only "this is a level-2 heading", so the sizes are spelled out here; otherwise
    // each word processor would pick its own.
    struct TextStyle
    {
        const char* family;
        QFont::StyleHint hint;
        double pointSize;
        bool bold;
        double spaceBefore; // document units (CSS pixels)
        double spaceAfter;
    };

    constexpr TextStyle BodyStyle{"Times New Roman", QFont::Serif, 12, false, 0, 8};
    constexpr TextStyle CodeStyle{"Courier New", QFont::TypeWriter, 10, false, 0, 0};
    constexpr std::array<TextStyle, 6> HeadingStyles{{
        {"Arial", QFont::SansSerif, 16, true, 8, 10},
        {"Arial", QFont::SansSerif, 14, true, 14, 6},
        {"Arial", QFont::SansSerif, 12, true, 10, 4},
        {"Arial", QFont::SansSerif, 12, true, 8, 4},
        {"Arial", QFont::SansSerif, 11, true, 8, 4},
        {"Arial", QFont::SansSerif, 11, true, 8, 4},
    }};
    constexpr double ListItemSpaceAfter = 3;
    const QColor LinkColor(0, 0, 255);

    const TextStyle& blockStyle(const QTextBlock& block)
    {
        const int level = block.blockFormat().headingLevel();
        if (level >= 1 && level <= int(HeadingStyles.size())) {
            return HeadingStyles[level - 1];
        }
        return BodyStyle;
    }

    bool isCode(const QTextCharFormat& format)
    {
        return format.fontFixedPitch() || format.fontFamilies().toStringList().contains(QStringLiteral("monospace"));
    }

    // Explicit face, size and weight on every run, so the RTF carries them and no reader falls back
    // to its own defaults. Bold, italic and links written in the Markdown stay as they are.
    QTextCharFormat styled(QTextCharFormat format, const TextStyle& style)
    {
        const TextStyle& face = isCode(format) ? CodeStyle : style;
        format.setFontFamilies(QStringList{QString::fromLatin1(face.family)});
        format.setFontStyleHint(face.hint);
        format.setFontPointSize(face.pointSize);
        format.clearProperty(QTextFormat::FontSizeAdjustment);
        if (style.bold) {
            format.setFontWeight(QFont::Bold);
        }
        if (format.isAnchor()) {
            format.setForeground(LinkColor);
            format.setFontUnderline(true);
        }
        return format;
    }

    bool inTable(const QTextBlock& block)
    {
        return block.isValid() && QTextCursor(block).currentTable() != nullptr;
    }

    bool isCodeLine(const QTextBlock& block)
    {
        return block.isValid() && block.blockFormat().nonBreakableLines();
    }

    // Space between paragraphs, and none inside a table cell or a code block. Lists and code blocks
    // keep their lines together but end with the space of a paragraph, and a table is followed by one,
    // so the text after them does not stick to them.
    QTextBlockFormat spaced(const QTextBlock& block)
    {
        QTextBlockFormat format = block.blockFormat();
        if (inTable(block)) {
            return format;
        }
        const TextStyle& style = blockStyle(block);
        const QTextBlock next = block.next();
        double before = style.spaceBefore;
        double after = style.spaceAfter;
        if (isCodeLine(block)) {
            before = 0;
            after = isCodeLine(next) ? 0 : BodyStyle.spaceAfter;
        } else if (block.textList()) {
            after = next.isValid() && next.textList() ? ListItemSpaceAfter : BodyStyle.spaceAfter;
        }
        if (inTable(block.previous())) {
            before = std::max(before, BodyStyle.spaceAfter);
        }
        format.setTopMargin(before);
        format.setBottomMargin(after);
        return format;
    }

    // Markdown gives a table no widths, and equal columns break a word like "Vulnerability" in a
    // narrow column beside a wide one holding a single number. Each column gets at least its longest
    // word, and the rest of the line goes to the columns with the most text, as a share of the page.
    void fitTableColumns(QTextTable* table)
    {
        constexpr int LineChars = 80; // a line of the text width in the 12-point body face
        constexpr int WideCell = 45; // beyond this a cell may as well wrap
        const int columns = table->columns();
        std::vector<double> least(size_t(columns), 1);
        std::vector<double> wanted(size_t(columns), 1);
        for (int r = 0; r < table->rows(); ++r) {
            for (int c = 0; c < columns; ++c) {
                const QTextTableCell cell = table->cellAt(r, c);
                if (cell.columnSpan() > 1) {
                    continue;
                }
                QTextCursor cursor = cell.firstCursorPosition();
                cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
                const QString text = cursor.selectedText();
                for (const QString& word : text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
                    least[size_t(c)] = std::max(least[size_t(c)], double(word.size() + 1));
                }
                wanted[size_t(c)] = std::max(wanted[size_t(c)], double(std::min<qsizetype>(text.size() + 1, WideCell)));
            }
        }
        double leastSum = 0;
        double extraWanted = 0;
        for (int c = 0; c < columns; ++c) {
            wanted[size_t(c)] = std::max(wanted[size_t(c)], least[size_t(c)]);
            leastSum += least[size_t(c)];
            extraWanted += wanted[size_t(c)] - least[size_t(c)];
        }
        const double spare = std::max(0.0, LineChars - leastSum);
        std::vector<double> widths(static_cast<size_t>(columns));
        double total = 0;
        for (int c = 0; c < columns; ++c) {
            const double extra = wanted[size_t(c)] - least[size_t(c)];
            widths[size_t(c)] = least[size_t(c)] + (extraWanted <= spare ? extra : spare * extra / extraWanted);
            total += widths[size_t(c)];
        }
        QList<QTextLength> constraints;
        for (double w : widths) {
            constraints.append(QTextLength(QTextLength::PercentageLength, 100.0 * w / total));
        }
        QTextTableFormat format = table->format();
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setColumnWidthConstraints(constraints);
        table->setFormat(format);
    }

    void fitTables(QTextFrame* frame)
    {
        for (QTextFrame* child : frame->childFrames()) {
            if (auto* table = qobject_cast<QTextTable*>(child)) {
                fitTableColumns(table);
            }
            fitTables(child);
        }
    }

    void applyHouseStyle(QTextDocument& doc)
    {
        doc.setDefaultFont(QFont(QString::fromLatin1(BodyStyle.family), int(BodyStyle.pointSize)));

        struct Run
        {
            int start;
            int end;
            QTextCharFormat format;
        };
        std::vector<Run> runs;
        QTextCursor cursor(&doc);
        for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
            const TextStyle& style = blockStyle(block);
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                runs.push_back({fragment.position(),
                                fragment.position() + fragment.length(),
                                styled(fragment.charFormat(), style)});
            }

            cursor.setPosition(block.position());
            cursor.setBlockCharFormat(styled(block.charFormat(), style));
            cursor.setBlockFormat(spaced(block));
        }
        // Applied after the walk: changing formats merges and splits the fragments being walked.
        for (const Run& run : runs) {
            cursor.setPosition(run.start);
            cursor.setPosition(run.end, QTextCursor::KeepAnchor);
            cursor.setCharFormat(run.format);
        }
    }

    // The documents keep to Windows-1252 so that every RTF reader, old or new, shows them alike.
    // Returns where the first character outside it is, as "line:column: U+XXXX", or nothing.
    QString firstCharacterOutsideCodePage(const QString& text)
    {
        int line = 1;
        int column = 1;
        for (int i = 0; i < text.size(); ++i) {
            const QChar ch = text.at(i);
            if (ch == u'\n') {
                ++line;
                column = 1;
                continue;
            }
            if (ch != u'\r' && ch != u'\t' && qv::cp1252::fromUnicode(ch) < 0) {
                const char32_t code = ch.isHighSurrogate() && i + 1 < text.size()
                                          ? QChar::surrogateToUcs4(ch, text.at(i + 1))
                                          : char32_t(ch.unicode());
                return QStringLiteral("%1:%2: U+%3")
                    .arg(line)
                    .arg(column)
                    .arg(QString::number(uint(code), 16).toUpper().rightJustified(4, u'0'));
            }
            ++column;
        }
        return {};
    }

    int fail(const QString& message)
    {
        QTextStream(stderr) << "quorvane-content: " << message << '\n';
        return 1;
    }

} // namespace

int main(int argc, char* argv[])
{
    // Fonts need a GUI application, but the build machine may have no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication app(argc, argv);

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        return fail(QStringLiteral("usage: quorvane-content SOURCE.md... OUTPUT"));
    }
    const QStringList sourcePaths = arguments.mid(1, arguments.size() - 2);
    const QString outputPath = arguments.constLast();

    QStringList parts;
    for (const QString& sourcePath : sourcePaths) {
        QFile source(sourcePath);
        if (!source.open(QIODevice::ReadOnly)) {
            return fail(QStringLiteral("cannot read %1: %2").arg(sourcePath, source.errorString()));
        }
        QString markdown = QString::fromUtf8(source.readAll());
        if (source.error() != QFileDevice::NoError) {
            return fail(QStringLiteral("cannot read %1: %2").arg(sourcePath, source.errorString()));
        }
        if (markdown.startsWith(QChar::ByteOrderMark)) {
            markdown.remove(0, 1);
        }
        if (markdown.trimmed().isEmpty()) {
            return fail(QStringLiteral("%1 is empty").arg(sourcePath));
        }
        if (const QString where = firstCharacterOutsideCodePage(markdown); !where.isEmpty()) {
            return fail(QStringLiteral("%1:%2 is not a Windows-1252 character").arg(sourcePath, where));
        }
        parts.append(markdown);
    }
    // The blank line keeps the last paragraph of one source from running on into the next.
    const QString markdown = parts.join(QStringLiteral("\n\n"));

    QTextDocument doc;
    doc.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    applyHouseStyle(doc);
    fitTables(doc.rootFrame());

    if (!QDir().mkpath(QFileInfo(outputPath).absolutePath())) {
        return fail(QStringLiteral("cannot create the folder of %1").arg(outputPath));
    }
    const qv::Status written = qv::writeFileAtomically(outputPath, qv::rtf::write(doc));
    if (!written) {
        return fail(written.error());
    }
    return 0;
}
