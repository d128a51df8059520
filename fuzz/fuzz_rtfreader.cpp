// Reads arbitrary bytes as RTF and checks what the reader promises: it returns, the document it
// leaves can be laid out and read, and it holds no more than the input could describe.
#include "core/rtf/rtfreader.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdlib>

namespace {
    void require(bool condition)
    {
        if (!condition) {
            std::abort();
        }
    }

    // Decoders of broken pictures complain on every input; the fuzzer's output is for its findings.
    void quiet(QtMsgType, const QMessageLogContext&, const QString&)
    {
    }
} // namespace

// Laying the document out starts fontconfig, whose caches live until the process ends; they are not
// the reader's leaks.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    static int appArgc = *argc;
    static QGuiApplication app(appArgc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument doc;
    const bool rtf = qv::rtf::read(bytes, doc);
    require(rtf == bytes.startsWith("{\\rtf"));

    // Every character needs some bytes of input; only table cells that pad a row to the table's
    // grid come without, and the reader keeps those to a few per cell written.
    require(doc.characterCount() <= 16 * qsizetype(size) + 64);

    const QString text = doc.toPlainText();
    require(!text.contains(QChar(0xFDD0)) && !text.contains(QChar(0xFDD1)));
    require(doc.documentLayout()->documentSize().isValid());
    return 0;
}
