// The help pages as installed: every topic the program can open has a written page, the pages link
// only to pages that exist, and what they quote from the regulation is the regulation's own words.
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QTest>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace {

    const QString SourceDir = QStringLiteral(QUORVANE_SOURCE_DIR);
    const QString HelpDir = QStringLiteral(QUORVANE_CONTENT_DIR "/help");
    const QString LawFile = QStringLiteral(QUORVANE_TEST_DATA "/law/45cfr164-subpartC.txt");

    QString readText(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

    // Every numbered topic of HelpTopic. Code opens topics only through these names (a test below
    // keeps it so), so this is every page the program can ask for.
    QList<int> topicIds()
    {
        const QString header = readText(SourceDir + u"/src/gui/kit/help.h"_s);
        QList<int> ids;
        static const QRegularExpression constant(u"inline\\s+constexpr\\s+int\\s+\\w+\\s*=\\s*(\\d+)\\s*;"_s);
        for (auto it = constant.globalMatch(header); it.hasNext();) {
            ids.append(it.next().captured(1).toInt());
        }
        return ids;
    }

    QStringList installedPages()
    {
        QStringList pages;
        QDirIterator it(HelpDir, {u"*.html"_s}, QDir::Files);
        while (it.hasNext()) {
            pages.append(QFileInfo(it.next()).fileName());
        }
        pages.sort();
        return pages;
    }

    // Text as the reader sees it: markup gone, entities decoded, every run of white space one blank.
    QString plainText(const QString& html)
    {
        QTextDocument doc;
        doc.setHtml(html);
        return doc.toPlainText().simplified();
    }

    QString firstMatch(const QString& html, const QString& pattern)
    {
        const QRegularExpression re(
            pattern, QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
        return re.match(html).captured(1);
    }

    QStringList allMatches(const QString& html, const QString& pattern)
    {
        const QRegularExpression re(
            pattern, QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
        QStringList found;
        for (auto it = re.globalMatch(html); it.hasNext();) {
            found.append(it.next().captured(1));
        }
        return found;
    }

    // The regulation as one running text, so a quotation can be looked up whatever its line breaks.
    QString lawText()
    {
        QStringList paragraphs;
        for (const QString& line : readText(LawFile).split(u'\n')) {
            if (!line.startsWith(u'#') && !line.trimmed().isEmpty()) {
                paragraphs.append(line.simplified());
            }
        }
        return paragraphs.join(u' ');
    }

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyTopicHasAPage_data();
    void everyTopicHasAPage();
    void pagesAreWritten_data();
    void pagesAreWritten();
    void linksArrive();
    void topicsAreOpenedByName();
    void quotationsAreTheRulesWords();
};

void HelpTest::everyTopicHasAPage_data()
{
    QTest::addColumn<int>("topic");
    const QList<int> ids = topicIds();
    // The overview is the page every other page falls back on; without it the header was misread.
    QVERIFY2(ids.contains(1000), "no topic ids found in src/gui/kit/help.h");
    for (int id : ids) {
        QTest::newRow(qPrintable(QString::number(id))) << id;
    }
}

void HelpTest::everyTopicHasAPage()
{
    QFETCH(int, topic);
    const QString page = HelpDir + u"/%1.html"_s.arg(topic);
    QVERIFY2(QFileInfo(page).isFile(), qPrintable(page + u" was not installed"_s));
}

void HelpTest::pagesAreWritten_data()
{
    QTest::addColumn<QString>("page");
    const QStringList pages = installedPages();
    QVERIFY2(!pages.isEmpty(), qPrintable(u"no help pages in "_s + HelpDir));
    for (const QString& page : pages) {
        QTest::newRow(qPrintable(page)) << page;
    }
}

// The help viewer's contents list shows each page by its title, and F1 lands the reader on the heading:
// a page without either, or one that is still a stub, is a page the user cannot use.
void HelpTest::pagesAreWritten()
{
    QFETCH(QString, page);
    const QString html = readText(HelpDir + u'/' + page);
    QVERIFY(!html.isEmpty());

    const QString title = plainText(firstMatch(html, u"<title>(.*?)</title>"_s));
    QVERIFY2(!title.isEmpty(), "no <title>");
    QVERIFY2(!plainText(firstMatch(html, u"<h1[^>]*>(.*?)</h1>"_s)).isEmpty(), "no <h1>");

    const QString text = plainText(html);
    const qsizetype words = text.split(u' ', Qt::SkipEmptyParts).size();
    QVERIFY2(words > 150, qPrintable(u"only %1 words"_s.arg(words)));
    static const QRegularExpression unfinished(u"not been written|\\btodo\\b|placeholder|\\btbd\\b|lorem ipsum"_s,
                                               QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch stub = unfinished.match(text);
    QVERIFY2(!stub.hasMatch(), qPrintable(u"unfinished: \""_s + stub.captured(0) + u'"'));

    // Two pages of one title would be one line twice in the contents list.
    for (const QString& other : installedPages()) {
        if (other != page) {
            const QString otherTitle =
                plainText(firstMatch(readText(HelpDir + u'/' + other), u"<title>(.*?)</title>"_s));
            QVERIFY2(otherTitle != title, qPrintable(other + u" has the same title"_s));
        }
    }
}

void HelpTest::linksArrive()
{
    // Every broken link at once: they tend to come in groups when a page is renamed.
    QStringList broken;
    for (const QString& page : installedPages()) {
        const QString html = readText(HelpDir + u'/' + page);
        for (const QString& href : allMatches(html, u"<a\\s[^>]*href\\s*=\\s*\"([^\"]*)\""_s)) {
            if (href.contains(u':')) {
                continue; // a web page or mail address, handed to the browser
            }
            const QString where = page + u" -> "_s + href;
            const qsizetype hash = href.indexOf(u'#');
            const QString target = hash < 0 ? href : href.left(hash);
            const QString anchor = hash < 0 ? QString() : href.mid(hash + 1);
            const QString targetPage = target.isEmpty() ? page : target;
            if (targetPage.contains(u'/')) {
                broken.append(where + u": pages link to pages beside them"_s);
                continue;
            }
            const QString targetHtml = readText(HelpDir + u'/' + targetPage);
            if (targetHtml.isEmpty()) {
                broken.append(where + u": no such page"_s);
                continue;
            }
            const QRegularExpression named(u"\\s(id|name)\\s*=\\s*\""_s + QRegularExpression::escape(anchor) + u'"');
            if (!anchor.isEmpty() && !named.match(targetHtml).hasMatch()) {
                broken.append(where + u": no such place on the page"_s);
            }
        }
    }
    QVERIFY2(broken.isEmpty(), qPrintable(broken.join(u"; "_s)));
}

// A number written into a call would open a page that no test looks for.
void HelpTest::topicsAreOpenedByName()
{
    static const QRegularExpression literal(u"showTopic\\s*\\(\\s*[0-9]"_s);
    QDirIterator it(SourceDir + u"/src"_s, {u"*.cpp"_s, u"*.h"_s}, QDir::Files, QDirIterator::Subdirectories);
    int files = 0;
    while (it.hasNext()) {
        const QString path = it.next();
        ++files;
        QVERIFY2(!literal.match(readText(path)).hasMatch(),
                 qPrintable(path + u" opens a help topic by number; use its HelpTopic name"_s));
    }
    QVERIFY(files > 0);
}

// Help pages put the rule's words in block quotations; anything set that way must be found, word for
// word, in the regulation, or the reader is misled about what the rule says.
void HelpTest::quotationsAreTheRulesWords()
{
    const QString law = lawText();
    QVERIFY2(!law.isEmpty(), qPrintable(LawFile));
    int quotations = 0;
    for (const QString& page : installedPages()) {
        for (const QString& quoted : allMatches(readText(HelpDir + u'/' + page), u"<blockquote>(.*?)</blockquote>"_s)) {
            ++quotations;
            const QString text = plainText(quoted);
            QVERIFY2(law.contains(text), qPrintable(page + u": not in the regulation: "_s + text));
        }
    }
    QVERIFY(quotations > 0);
}

QTEST_MAIN(HelpTest)
#include "tst_help.moc"
