// quorvane-rtf: looks at RTF files the way the program reads and writes them.

#include "core/rtf/richtextcompare.h"
#include "core/rtf/rtfplaintext.h"
#include "core/rtf/rtfreader.h"
#include "core/rtf/rtfwriter.h"

#include <QFile>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

    enum ExitCode
    {
        Ok = 0,
        Unreadable = 1,
        BadArguments = 2,
        Changed = 3,
        Damaged = 4
    };

    constexpr char Usage[] = "Usage: quorvane-rtf COMMAND FILE\n"
                             "\n"
                             "Commands:\n"
                             "  text FILE   print the document's plain text (UTF-8), list items with their\n"
                             "              numbers or bullets\n"
                             "  html FILE   print the document as HTML\n"
                             "  rtf FILE    read the document and write it again as RTF\n"
                             "  check FILE  read, write and read again; report what changed\n"
                             "\n"
                             "Exit status: 0 done (check: nothing changed), 1 the file cannot be read,\n"
                             "2 bad arguments, 3 check found changes, 4 check found the file damaged\n"
                             "(cut off before its groups close).\n";

    void put(FILE* stream, const QByteArray& bytes)
    {
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    }

    void say(FILE* stream, const QString& line)
    {
        put(stream, line.toLocal8Bit() + '\n');
    }

    int check(const QString& path, const QTextDocument& doc, const qv::rtf::ReadOutcome& read)
    {
        // What a cut-off file reads as would write and read back unchanged, and so pass for sound:
        // the damage has to be named before the round trip is even looked at.
        if (read.cutOff) {
            say(stdout, QStringLiteral("%1: damaged: the file ends before its groups are closed (cut off)").arg(path));
            return Damaged;
        }
        QTextDocument again;
        qv::rtf::read(qv::rtf::write(doc), again);
        const QStringList differences = qv::rtf::compareDocuments(doc, again);
        if (differences.isEmpty()) {
            say(stdout, QStringLiteral("%1: reads back unchanged").arg(path));
            return Ok;
        }
        say(stdout, QStringLiteral("%1: changed when written and read again:").arg(path));
        for (const QString& line : differences)
            say(stdout, QStringLiteral("  ") + line);
        return Changed;
    }

} // namespace

int main(int argc, char** argv)
{
    // A tool for scripts and build machines: it needs no display unless one is asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const QStringList args = app.arguments();
    if (args.size() == 2 && (args[1] == u"--help" || args[1] == u"-h")) {
        put(stdout, Usage);
        return Ok;
    }
    static const QStringList commands = {
        QStringLiteral("text"), QStringLiteral("html"), QStringLiteral("rtf"), QStringLiteral("check")};
    if (args.size() != 3 || !commands.contains(args[1])) {
        if (args.size() >= 2 && !commands.contains(args[1]))
            say(stderr, QStringLiteral("quorvane-rtf: unknown command \"%1\"").arg(args[1]));
        put(stderr, Usage);
        return BadArguments;
    }
    const QString& command = args[1];
    const QString& path = args[2];

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        say(stderr, QStringLiteral("quorvane-rtf: cannot read %1: %2").arg(path, file.errorString()));
        return Unreadable;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        say(stderr, QStringLiteral("quorvane-rtf: cannot read %1: %2").arg(path, file.errorString()));
        return Unreadable;
    }

    QTextDocument doc;
    const qv::rtf::ReadOutcome read = qv::rtf::readDocument(bytes, doc);
    if (!read.wasRtf)
        say(stderr, QStringLiteral("quorvane-rtf: %1 is not RTF; taken as plain text").arg(path));
    else if (read.cutOff && command != u"check")
        say(stderr, QStringLiteral("quorvane-rtf: %1 is cut off; showing what could be read").arg(path));

    if (command == u"text") {
        QString text = qv::rtf::plainTextWithListMarkers(doc);
        if (!text.endsWith(u'\n'))
            text += u'\n';
        put(stdout, text.toUtf8());
    } else if (command == u"html") {
        put(stdout, doc.toHtml().toUtf8());
    } else if (command == u"rtf") {
        put(stdout, qv::rtf::write(doc));
    } else {
        return check(path, doc, read);
    }
    return std::fflush(stdout) == 0 ? Ok : Unreadable;
}
