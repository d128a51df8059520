#include "gui/kit/richtexteditor.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QVBoxLayout>

using qv::ParagraphAlignment;
using qv::RichTextEditor;

Q_DECLARE_METATYPE(std::optional<ParagraphAlignment>)

namespace {

    enum class Attribute
    {
        Bold,
        Italic,
        Underline,
        Strikethrough,
        Color,
        FontName,
        FontSize
    };

    // The attribute of the selection as a QVariant; an invalid QVariant for a mixed selection.
    QVariant readAttribute(const RichTextEditor& e, Attribute a)
    {
        const auto wrap = [](const auto& v) { return v ? QVariant::fromValue(*v) : QVariant(); };
        switch (a) {
        case Attribute::Bold:
            return wrap(e.selBold());
        case Attribute::Italic:
            return wrap(e.selItalic());
        case Attribute::Underline:
            return wrap(e.selUnderline());
        case Attribute::Strikethrough:
            return wrap(e.selStrikethrough());
        case Attribute::Color:
            return wrap(e.selColor());
        case Attribute::FontName:
            return wrap(e.selFontName());
        case Attribute::FontSize:
            return wrap(e.selFontSize());
        }
        return {};
    }

    void writeAttribute(RichTextEditor& e, Attribute a, const QVariant& value)
    {
        switch (a) {
        case Attribute::Bold:
            return e.setSelBold(value.toBool());
        case Attribute::Italic:
            return e.setSelItalic(value.toBool());
        case Attribute::Underline:
            return e.setSelUnderline(value.toBool());
        case Attribute::Strikethrough:
            return e.setSelStrikethrough(value.toBool());
        case Attribute::Color:
            return e.setSelColor(value.value<QColor>());
        case Attribute::FontName:
            return e.setSelFontName(value.toString());
        case Attribute::FontSize:
            return e.setSelFontSize(value.toDouble());
        }
    }

    void selectWord(RichTextEditor& e, const QString& word, qsizetype occurrence = 0)
    {
        qsizetype at = -1;
        for (qsizetype i = 0; i <= occurrence; ++i) {
            at = e.text().indexOf(word, at + 1);
        }
        QVERIFY2(at >= 0, qPrintable(word));
        e.select(static_cast<int>(at), static_cast<int>(word.size()));
    }

    // "Intro" / "soft" joined by a line break inside one paragraph, a 2 x 2 table, a numbered
    // paragraph and a closing one: every kind of separator a position can fall on.
    void buildStructuredDocument(RichTextEditor& e)
    {
        e.clear();
        QTextCursor c(e.document());
        c.insertText(QStringLiteral("Intro"));
        c.insertText(QString(QChar::LineSeparator));
        c.insertText(QStringLiteral("soft"));
        QTextTable* table = c.insertTable(2, 2);
        const QStringList cells = {
            QStringLiteral("north"), QStringLiteral("east"), QStringLiteral("south"), QStringLiteral("west")};
        for (int i = 0; i < 4; ++i) {
            QTextCursor cell = table->cellAt(i / 2, i % 2).firstCursorPosition();
            cell.insertText(cells.at(i));
        }
        c = table->lastCursorPosition();
        c.movePosition(QTextCursor::NextBlock);
        c.insertText(QStringLiteral("listed"));
        c.createList(QTextListFormat::ListDecimal);
        c.insertBlock();
        c.setBlockFormat(QTextBlockFormat());
        c.insertText(QStringLiteral("After\u00A0the table"));
    }

} // namespace

class TestRichTextEditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void selectionArithmetic_data();
    void selectionArithmetic();
    void settingStartCollapsesSelection();
    void positionsCountEveryCharacterOfText();
    void selTextReplacesSelection_data();
    void selTextReplacesSelection();
    void find_data();
    void find();
    void attributes_data();
    void attributes();
    void underlineStylesCountAsUnderlined();
    void alignment_data();
    void alignment();
    void readOnlyStopsTypingButNotProgram();
    void selectionStaysVisibleWithoutFocus();
    void hiddenSelectionTakesBackground();
    void changedOncePerProgramChange_data();
    void changedOncePerProgramChange();
    void typingAnnouncesEachKeystroke();
    void keyDownCanConsumeKey();
    void clicksAndReleases();
    void focusSignals();
    void selRtfRoundTripKeepsBold();
    void textRtfRoundTrip();
    void loadFileMissingLeavesContent();
    void saveAndLoadFile();
    void saveFileIntoMissingFolderFails();
};

void TestRichTextEditor::selectionArithmetic_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("expectedStart");
    QTest::addColumn<int>("expectedLength");
    QTest::addColumn<QString>("expectedText");

    const QString words = QStringLiteral("alpha beta gamma");
    QTest::newRow("middle word") << words << 6 << 4 << 6 << 4 << QStringLiteral("beta");
    QTest::newRow("caret only") << words << 5 << 0 << 5 << 0 << QString();
    QTest::newRow("from the first character") << words << 0 << 5 << 0 << 5 << QStringLiteral("alpha");
    QTest::newRow("length past the end") << words << 11 << 99 << 11 << 5 << QStringLiteral("gamma");
    QTest::newRow("start past the end") << words << 99 << 3 << 16 << 0 << QString();
    QTest::newRow("negative start") << words << -4 << 2 << 0 << 2 << QStringLiteral("al");
    QTest::newRow("negative length") << words << 3 << -2 << 3 << 0 << QString();
    QTest::newRow("across a paragraph break") << QStringLiteral("ab\ncd") << 1 << 3 << 1 << 3 << QStringLiteral("b\nc");
    QTest::newRow("CR LF is one character") << QStringLiteral("ab\r\ncd") << 1 << 3 << 1 << 3 << QStringLiteral("b\nc");
    QTest::newRow("lone CR is one character")
        << QStringLiteral("ab\rcd\r\n\ref") << 4 << 4 << 4 << 4 << QStringLiteral("d\n\ne");
    QTest::newRow("empty text") << QString() << 3 << 3 << 0 << 0 << QString();
}

void TestRichTextEditor::selectionArithmetic()
{
    QFETCH(QString, text);
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, expectedStart);
    QFETCH(int, expectedLength);
    QFETCH(QString, expectedText);

    RichTextEditor editor;
    editor.setText(text);
    editor.setSelStart(start);
    editor.setSelLength(length);
    QCOMPARE(editor.selStart(), expectedStart);
    QCOMPARE(editor.selLength(), expectedLength);
    QCOMPARE(editor.selText(), expectedText);
    QCOMPARE(editor.text().mid(editor.selStart(), editor.selLength()), expectedText);
}

void TestRichTextEditor::settingStartCollapsesSelection()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("one two three"));
    editor.select(4, 3);
    QCOMPARE(editor.selText(), QStringLiteral("two"));
    editor.setSelStart(8);
    QCOMPARE(editor.selStart(), 8);
    QCOMPARE(editor.selLength(), 0);
    // A selection made backwards (anchor after the caret) starts at its lower end.
    QTextCursor backwards = editor.textCursor();
    backwards.setPosition(7);
    backwards.setPosition(4, QTextCursor::KeepAnchor);
    editor.setTextCursor(backwards);
    QCOMPARE(editor.selStart(), 4);
    QCOMPARE(editor.selLength(), 3);
    editor.setSelLength(1);
    QCOMPARE(editor.selText(), QStringLiteral("t"));
}

void TestRichTextEditor::positionsCountEveryCharacterOfText()
{
    RichTextEditor editor;
    buildStructuredDocument(editor);
    const QString text = editor.text();
    QCOMPARE(text.size(), editor.document()->characterCount() - 1);
    QVERIFY(!text.contains(QChar::LineSeparator));
    QVERIFY(!text.contains(QChar::Nbsp));

    // Every position of text() is a position the pane can place its caret at and keep.
    for (int p = 0; p <= text.size(); ++p) {
        editor.setSelStart(p);
        QCOMPARE(editor.selStart(), p);
    }
    const QStringList words = {QStringLiteral("Intro"),
                               QStringLiteral("soft"),
                               QStringLiteral("north"),
                               QStringLiteral("east"),
                               QStringLiteral("south"),
                               QStringLiteral("west"),
                               QStringLiteral("listed"),
                               QStringLiteral("After"),
                               QStringLiteral("table")};
    for (const QString& word : words) {
        const int at = static_cast<int>(text.indexOf(word));
        QVERIFY2(at >= 0, qPrintable(word));
        QCOMPARE(editor.find(word), at);
        editor.select(at, static_cast<int>(word.size()));
        QCOMPARE(editor.selText(), word);
        // The same position in a plain QTextCursor finds the same characters.
        QTextCursor cursor(editor.document());
        cursor.setPosition(at);
        cursor.setPosition(at + static_cast<int>(word.size()), QTextCursor::KeepAnchor);
        QCOMPARE(cursor.selectedText(), word);
    }
    // A selection across the table reads as text() shows it.
    const int from = static_cast<int>(text.indexOf(QStringLiteral("soft")));
    const int to = static_cast<int>(text.indexOf(QStringLiteral("listed")));
    editor.select(from, to - from);
    QCOMPARE(editor.selText(), text.mid(from, to - from));
}

void TestRichTextEditor::selTextReplacesSelection_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QString>("expectedText");
    QTest::addColumn<int>("expectedCaret");

    QTest::newRow("replace a word") << 4 << 3 << QStringLiteral("2") << QStringLiteral("one 2 three") << 5;
    QTest::newRow("insert at caret") << 3 << 0 << QStringLiteral(",") << QStringLiteral("one, two three") << 4;
    QTest::newRow("delete") << 3 << 4 << QString() << QStringLiteral("one three") << 3;
    QTest::newRow("CR LF becomes one break")
        << 7 << 1 << QStringLiteral("\r\n") << QStringLiteral("one two\nthree") << 8;
    QTest::newRow("lone CR becomes one break")
        << 0 << 0 << QStringLiteral("a\rb\r") << QStringLiteral("a\nb\none two three") << 4;
}

void TestRichTextEditor::selTextReplacesSelection()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(QString, replacement);
    QFETCH(QString, expectedText);
    QFETCH(int, expectedCaret);

    RichTextEditor editor;
    editor.setText(QStringLiteral("one two three"));
    editor.select(start, length);
    editor.setSelText(replacement);
    QCOMPARE(editor.text(), expectedText);
    QCOMPARE(editor.selStart(), expectedCaret);
    QCOMPARE(editor.selLength(), 0);
}

void TestRichTextEditor::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("word");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("expected");

    const QString text = QStringLiteral("Insecurity is not security. SECURITY, then Security2 security");
    QTest::newRow("whole word, not inside another") << text << QStringLiteral("security") << 0 << 18;
    QTest::newRow("any letter case") << text << QStringLiteral("SeCuRiTy") << 0 << 18;
    QTest::newRow("hit at the start position") << text << QStringLiteral("security") << 18 << 18;
    QTest::newRow("from past a hit") << text << QStringLiteral("security") << 19 << 28;
    QTest::newRow("a digit joins the word") << text << QStringLiteral("security") << 29 << 53;
    QTest::newRow("nothing after the last") << text << QStringLiteral("security") << 54 << -1;
    QTest::newRow("part of a word only") << text << QStringLiteral("secure") << 0 << -1;
    QTest::newRow("no such word") << text << QStringLiteral("privacy") << 0 << -1;
    QTest::newRow("empty word") << text << QString() << 0 << -1;
    QTest::newRow("negative start searches all") << text << QStringLiteral("is") << -5 << 11;
    QTest::newRow("start past the end") << text << QStringLiteral("is") << 500 << -1;
    QTest::newRow("next paragraph") << QStringLiteral("a plan\nthe Plan") << QStringLiteral("plan") << 3 << 11;
    QTest::newRow("word ending in punctuation right after a miss")
        << QStringLiteral("xa.a. b") << QStringLiteral("a.") << 0 << 3;
    QTest::newRow("accented letters are part of a word")
        << QStringLiteral("caf\u00E9 cafe") << QStringLiteral("caf") << 0 << -1;
}

void TestRichTextEditor::find()
{
    QFETCH(QString, text);
    QFETCH(QString, word);
    QFETCH(int, from);
    QFETCH(int, expected);

    RichTextEditor editor;
    editor.setText(text);
    QCOMPARE(editor.find(word, from), expected);
    if (expected >= 0) {
        QCOMPARE(editor.text().mid(expected, word.size()).toLower(), word.toLower());
    }
}

void TestRichTextEditor::attributes_data()
{
    QTest::addColumn<Attribute>("attribute");
    QTest::addColumn<QVariant>("value");

    QTest::newRow("bold") << Attribute::Bold << QVariant(true);
    QTest::newRow("italic") << Attribute::Italic << QVariant(true);
    QTest::newRow("underline") << Attribute::Underline << QVariant(true);
    QTest::newRow("strikethrough") << Attribute::Strikethrough << QVariant(true);
    QTest::newRow("colour") << Attribute::Color << QVariant(QColor(0x80, 0, 0));
    QTest::newRow("font face") << Attribute::FontName << QVariant(QStringLiteral("Courier New"));
    QTest::newRow("font size") << Attribute::FontSize << QVariant(17.5);
}

// One word formatted, the other plain: the word reads the value, the other the pane's default,
// both together read as mixed; with nothing selected the value goes to the text typed next.
void TestRichTextEditor::attributes()
{
    QFETCH(Attribute, attribute);
    QFETCH(QVariant, value);

    RichTextEditor editor;
    QFont base(QStringLiteral("Times New Roman"));
    base.setPointSizeF(11);
    editor.document()->setDefaultFont(base);
    editor.setText(QStringLiteral("plain marked"));
    editor.setSelStart(2);
    const QVariant plain = readAttribute(editor, attribute);
    QVERIFY(plain.isValid());
    QVERIFY(plain != value);

    selectWord(editor, QStringLiteral("marked"));
    writeAttribute(editor, attribute, value);
    QCOMPARE(readAttribute(editor, attribute), value);
    selectWord(editor, QStringLiteral("plain"));
    QCOMPARE(readAttribute(editor, attribute), plain);
    editor.select(0, 12);
    QVERIFY2(!readAttribute(editor, attribute).isValid(), "a mixed selection must read as mixed");
    editor.select(7, 3);
    QCOMPARE(readAttribute(editor, attribute), value);

    // Typed next: the caret inside the plain word takes the value for what comes next only.
    editor.show();
    editor.setSelStart(5);
    writeAttribute(editor, attribute, value);
    QCOMPARE(readAttribute(editor, attribute), value);
    QTest::keyClicks(&editor, QStringLiteral("xy"));
    QCOMPARE(editor.text(), QStringLiteral("plainxy marked"));
    editor.select(5, 2);
    QCOMPARE(readAttribute(editor, attribute), value);
    editor.select(0, 5);
    QCOMPARE(readAttribute(editor, attribute), plain);

    // Setting it on a mixed selection makes it uniform.
    editor.select(0, 14);
    writeAttribute(editor, attribute, value);
    QCOMPARE(readAttribute(editor, attribute), value);
    writeAttribute(editor, attribute, plain);
    QCOMPARE(readAttribute(editor, attribute), plain);
}

void TestRichTextEditor::underlineStylesCountAsUnderlined()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("wavy"));
    QTextCursor c(editor.document());
    c.select(QTextCursor::Document);
    QTextCharFormat wavy;
    wavy.setUnderlineStyle(QTextCharFormat::WaveUnderline);
    c.mergeCharFormat(wavy);
    editor.select(0, 4);
    QCOMPARE(editor.selUnderline(), std::optional<bool>(true));
    editor.setSelUnderline(false);
    QCOMPARE(editor.selUnderline(), std::optional<bool>(false));
}

void TestRichTextEditor::alignment_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<ParagraphAlignment>("set");
    QTest::addColumn<QString>("expected"); // per paragraph: L, C or R

    // Paragraphs: "one" 0-3, "two" 4-7, "three" 8-13, "four" 14-18.
    QTest::newRow("caret paragraph") << 5 << 0 << ParagraphAlignment::Centre << QStringLiteral("LCLL");
    QTest::newRow("caret at the end of a paragraph") << 13 << 0 << ParagraphAlignment::Right << QStringLiteral("LLRL");
    QTest::newRow("selection over two paragraphs") << 5 << 5 << ParagraphAlignment::Centre << QStringLiteral("LCCL");
    QTest::newRow("selection ending at a paragraph start")
        << 4 << 4 << ParagraphAlignment::Right << QStringLiteral("LRLL");
    QTest::newRow("everything") << 0 << 18 << ParagraphAlignment::Right << QStringLiteral("RRRR");
}

void TestRichTextEditor::alignment()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(ParagraphAlignment, set);
    QFETCH(QString, expected);

    RichTextEditor editor;
    editor.setText(QStringLiteral("one\ntwo\nthree\nfour"));
    editor.select(start, length);
    QCOMPARE(editor.selAlignment(), std::optional<ParagraphAlignment>(ParagraphAlignment::Left));
    editor.setSelAlignment(set);
    QCOMPARE(editor.selAlignment(), std::optional<ParagraphAlignment>(set));

    QString actual;
    for (QTextBlock b = editor.document()->begin(); b.isValid(); b = b.next()) {
        editor.setSelStart(b.position());
        const auto a = editor.selAlignment();
        QVERIFY(a.has_value());
        actual += *a == ParagraphAlignment::Left ? u'L' : *a == ParagraphAlignment::Centre ? u'C' : u'R';
    }
    QCOMPARE(actual, expected);

    // A selection over paragraphs that differ reads as mixed.
    if (expected != QStringLiteral("RRRR")) {
        editor.select(0, 18);
        QCOMPARE(editor.selAlignment(), std::nullopt);
    }
}

void TestRichTextEditor::readOnlyStopsTypingButNotProgram()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("fixed"));
    editor.setReadOnly(true);
    editor.show();
    QSignalSpy keys(&editor, &RichTextEditor::keyDown);
    editor.setSelStart(5);
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCOMPARE(editor.text(), QStringLiteral("fixed"));
    QCOMPARE(keys.count(), 4);

    editor.setText(QStringLiteral("set by the program"));
    editor.select(0, 3);
    editor.setSelText(QStringLiteral("put"));
    editor.select(0, 3);
    editor.setSelBold(true);
    QCOMPARE(editor.text(), QStringLiteral("put by the program"));
    editor.select(0, 3);
    QCOMPARE(editor.selBold(), std::optional<bool>(true));

    editor.setReadOnly(false);
    editor.setSelStart(3);
    QTest::keyClicks(&editor, QStringLiteral("s"));
    QCOMPARE(editor.text(), QStringLiteral("puts by the program"));
}

void TestRichTextEditor::selectionStaysVisibleWithoutFocus()
{
    RichTextEditor editor;
    // A style whose unfocused selection is barely visible.
    QPalette faded = editor.palette();
    faded.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 0, 200));
    faded.setColor(QPalette::Inactive, QPalette::Highlight, QColor(250, 250, 250));
    editor.setPalette(faded);
    QCOMPARE(editor.palette().color(QPalette::Inactive, QPalette::Highlight), QColor(0, 0, 200));
    QCOMPARE(editor.palette().color(QPalette::Inactive, QPalette::HighlightedText),
             editor.palette().color(QPalette::Active, QPalette::HighlightedText));

    // And as drawn: the selection of an unfocused pane is painted in the highlight colour.
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new QLineEdit(&window);
    auto* pane = new RichTextEditor(&window);
    layout->addWidget(other);
    layout->addWidget(pane);
    QPalette p = pane->palette();
    p.setColor(QPalette::Active, QPalette::Highlight, QColor(0, 160, 0));
    p.setColor(QPalette::Inactive, QPalette::Highlight, p.color(QPalette::Base));
    pane->setPalette(p);
    pane->setText(QStringLiteral("MMMMMMMMMMMMMMMMMMMM"));
    pane->select(0, 20);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    other->setFocus();
    QVERIFY(!pane->hasFocus());
    const QImage image = pane->viewport()->grab().toImage();
    bool highlighted = false;
    for (int y = 0; y < image.height() && !highlighted; ++y) {
        for (int x = 0; x < image.width() && !highlighted; ++x) {
            highlighted = image.pixelColor(x, y) == QColor(0, 160, 0);
        }
    }
    QVERIFY2(highlighted, "the selection is not drawn while the pane has no focus");
}

void TestRichTextEditor::hiddenSelectionTakesBackground()
{
    RichTextEditor editor;
    QCOMPARE(editor.hideSelection(), false);
    editor.setHideSelection(true);
    QCOMPARE(editor.palette().color(QPalette::Inactive, QPalette::Highlight),
             editor.palette().color(QPalette::Active, QPalette::Base));
    // A later colour change of the pane keeps the rule.
    QPalette p = editor.palette();
    p.setColor(QPalette::Active, QPalette::Base, QColor(255, 255, 200));
    editor.setPalette(p);
    QCOMPARE(editor.palette().color(QPalette::Inactive, QPalette::Highlight), QColor(255, 255, 200));
    editor.setHideSelection(false);
    QCOMPARE(editor.palette().color(QPalette::Inactive, QPalette::Highlight),
             editor.palette().color(QPalette::Active, QPalette::Highlight));
}

void TestRichTextEditor::changedOncePerProgramChange_data()
{
    QTest::addColumn<int>("operation");
    QTest::addColumn<int>("expected");

    QTest::newRow("setText") << 0 << 1;
    QTest::newRow("setText empty") << 1 << 1;
    QTest::newRow("setTextRtf") << 2 << 1;
    QTest::newRow("setSelText") << 3 << 1;
    QTest::newRow("bold on a selection") << 4 << 1;
    QTest::newRow("alignment of two paragraphs") << 5 << 1;
    QTest::newRow("setSelRtf") << 6 << 1;
    QTest::newRow("selection only") << 7 << 0;
    QTest::newRow("find") << 8 << 0;
    QTest::newRow("loadFile") << 9 << 1;
    QTest::newRow("loadFile of a missing file") << 10 << 0;
}

void TestRichTextEditor::changedOncePerProgramChange()
{
    QFETCH(int, operation);
    QFETCH(int, expected);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RichTextEditor source;
    source.setText(QStringLiteral("first\nsecond\nthird"));
    source.select(0, 5);
    source.setSelBold(true);
    const QByteArray rtf = source.textRtf();
    const QString file = dir.filePath(QStringLiteral("doc.rtf"));
    QVERIFY(source.saveFile(file).ok());

    RichTextEditor editor;
    editor.setText(QStringLiteral("alpha\nbeta\ngamma"));
    editor.select(2, 6);
    QSignalSpy changed(&editor, &RichTextEditor::changed);
    switch (operation) {
    case 0:
        editor.setText(QStringLiteral("one\ntwo\nthree"));
        break;
    case 1:
        editor.setText(QString());
        break;
    case 2:
        editor.setTextRtf(rtf);
        break;
    case 3:
        editor.setSelText(QStringLiteral("x\ny"));
        break;
    case 4:
        editor.setSelBold(true);
        break;
    case 5:
        editor.setSelAlignment(ParagraphAlignment::Right);
        break;
    case 6:
        editor.setSelRtf(rtf);
        break;
    case 7:
        editor.setSelStart(3);
        editor.setSelLength(4);
        break;
    case 8:
        QCOMPARE(editor.find(QStringLiteral("gamma")), 11);
        break;
    case 9:
        QVERIFY(editor.loadFile(file).ok());
        break;
    case 10:
        QVERIFY(!editor.loadFile(dir.filePath(QStringLiteral("none.rtf"))).ok());
        break;
    }
    QCOMPARE(changed.count(), expected);
}

void TestRichTextEditor::typingAnnouncesEachKeystroke()
{
    RichTextEditor editor;
    editor.show();
    QSignalSpy changed(&editor, &RichTextEditor::changed);
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    QCOMPARE(changed.count(), 3);
    QTest::keyClick(&editor, Qt::Key_Backspace);
    QCOMPARE(changed.count(), 4);
    QCOMPARE(editor.text(), QStringLiteral("ab"));
    QTest::keyClick(&editor, Qt::Key_Left);
    QCOMPARE(changed.count(), 4);
}

void TestRichTextEditor::keyDownCanConsumeKey()
{
    RichTextEditor editor;
    editor.show();
    QList<QPair<int, Qt::KeyboardModifiers>> seen;
    connect(&editor, &RichTextEditor::keyDown, &editor, [&](int key, Qt::KeyboardModifiers modifiers, bool* consumed) {
        seen.append({key, modifiers});
        if (key == Qt::Key_Tab || key == Qt::Key_B) {
            *consumed = true;
        }
    });
    QTest::keyClicks(&editor, QStringLiteral("abc"));
    QTest::keyClick(&editor, Qt::Key_Tab);
    QTest::keyClick(&editor, 'D', Qt::ShiftModifier);
    QCOMPARE(editor.text(), QStringLiteral("acD"));
    const QList<int> expectedKeys = {Qt::Key_A, Qt::Key_B, Qt::Key_C, Qt::Key_Tab, Qt::Key_Shift, Qt::Key_D};
    QCOMPARE(seen.size(), expectedKeys.size());
    for (qsizetype i = 0; i < seen.size(); ++i) {
        QCOMPARE(seen.at(i).first, expectedKeys.at(i));
    }
    QCOMPARE(seen.last().second, Qt::KeyboardModifiers(Qt::ShiftModifier));
}

void TestRichTextEditor::clicksAndReleases()
{
    RichTextEditor editor;
    editor.resize(300, 200);
    editor.setText(QStringLiteral("click me"));
    editor.show();
    QVERIFY(QTest::qWaitForWindowExposed(&editor));
    QSignalSpy clicked(&editor, &RichTextEditor::clicked);
    QSignalSpy released(&editor, &RichTextEditor::mouseReleased);

    QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(40, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(released.count(), 1);
    QCOMPARE(released.at(0).at(0).value<Qt::MouseButton>(), Qt::LeftButton);
    QCOMPARE(released.at(0).at(2).toPoint(), editor.viewport()->mapTo(&editor, QPoint(40, 10)));

    QTest::mouseClick(editor.viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(20, 20));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(released.count(), 2);
    QCOMPARE(released.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(released.at(1).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));

    // A release whose press happened elsewhere is no click.
    QTest::mouseRelease(editor.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(30, 10));
    QCOMPARE(clicked.count(), 1);
    QCOMPARE(released.count(), 3);
}

void TestRichTextEditor::focusSignals()
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* other = new QLineEdit(&window);
    auto* editor = new RichTextEditor(&window);
    layout->addWidget(other);
    layout->addWidget(editor);
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    QSignalSpy got(editor, &RichTextEditor::gotFocus);
    QSignalSpy lost(editor, &RichTextEditor::lostFocus);
    editor->setFocus();
    QCOMPARE(got.count(), 1);
    QCOMPARE(lost.count(), 0);
    other->setFocus();
    QCOMPARE(got.count(), 1);
    QCOMPARE(lost.count(), 1);
}

void TestRichTextEditor::selRtfRoundTripKeepsBold()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("alpha beta gamma"));
    selectWord(editor, QStringLiteral("beta"));
    editor.setSelBold(true);
    const QByteArray rtf = editor.selRtf();
    QVERIFY(rtf.startsWith("{\\rtf"));
    QVERIFY(rtf.contains("beta"));
    QVERIFY2(!rtf.contains("alpha") && !rtf.contains("gamma"), "only the selection belongs in its RTF");

    selectWord(editor, QStringLiteral("gamma"));
    editor.setSelRtf(rtf);
    QCOMPARE(editor.text(), QStringLiteral("alpha beta beta"));
    QCOMPARE(editor.selStart(), 15);
    QCOMPARE(editor.selLength(), 0);
    selectWord(editor, QStringLiteral("beta"), 1);
    QCOMPARE(editor.selBold(), std::optional<bool>(true));
    editor.select(0, 5);
    QCOMPARE(editor.selBold(), std::optional<bool>(false));
}

void TestRichTextEditor::textRtfRoundTrip()
{
    RichTextEditor editor;
    editor.setText(QStringLiteral("Heading\nbody text"));
    editor.select(0, 7);
    editor.setSelItalic(true);
    editor.setSelAlignment(ParagraphAlignment::Centre);
    const QByteArray rtf = editor.textRtf();

    RichTextEditor copy;
    copy.setText(QStringLiteral("to be replaced"));
    copy.setTextRtf(rtf);
    QCOMPARE(copy.text(), editor.text());
    QCOMPARE(copy.selStart(), 0);
    copy.select(0, 7);
    QCOMPARE(copy.selItalic(), std::optional<bool>(true));
    QCOMPARE(copy.selAlignment(), std::optional<ParagraphAlignment>(ParagraphAlignment::Centre));
    copy.select(8, 4);
    QCOMPARE(copy.selItalic(), std::optional<bool>(false));
    QCOMPARE(copy.selAlignment(), std::optional<ParagraphAlignment>(ParagraphAlignment::Left));
}

void TestRichTextEditor::loadFileMissingLeavesContent()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RichTextEditor editor;
    editor.setText(QStringLiteral("kept"));
    editor.select(1, 2);
    editor.setSelBold(true);
    const qv::Status missing = editor.loadFile(dir.filePath(QStringLiteral("Action99.Fil")));
    QVERIFY(!missing.ok());
    QVERIFY(!missing.error().isEmpty());
    const qv::Status folder = editor.loadFile(dir.path());
    QVERIFY(!folder.ok());
    QCOMPARE(editor.text(), QStringLiteral("kept"));
    editor.select(1, 2);
    QCOMPARE(editor.selBold(), std::optional<bool>(true));
}

void TestRichTextEditor::saveAndLoadFile()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("Policy14.Fil"));
    RichTextEditor editor;
    editor.setText(QStringLiteral("Policy text\nsecond line"));
    editor.select(0, 6);
    editor.setSelUnderline(true);
    QVERIFY(editor.saveFile(path).ok());
    QVERIFY(QFileInfo(path).size() > 0);

    RichTextEditor reader;
    reader.setText(QStringLiteral("old"));
    reader.select(1, 1);
    QVERIFY(reader.loadFile(path).ok());
    QCOMPARE(reader.text(), QStringLiteral("Policy text\nsecond line"));
    QCOMPARE(reader.selStart(), 0);
    QCOMPARE(reader.selLength(), 0);
    reader.select(0, 6);
    QCOMPARE(reader.selUnderline(), std::optional<bool>(true));
    QVERIFY(!reader.document()->isUndoAvailable());
}

void TestRichTextEditor::saveFileIntoMissingFolderFails()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    RichTextEditor editor;
    editor.setText(QStringLiteral("text"));
    const qv::Status status = editor.saveFile(dir.filePath(QStringLiteral("no/such/folder/file.rtf")));
    QVERIFY(!status.ok());
    QVERIFY(!status.error().isEmpty());
}

int runRichTextEditorTests(int argc, char** argv)
{
    TestRichTextEditor t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_richtexteditor.moc"
