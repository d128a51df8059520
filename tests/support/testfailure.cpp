#include "testfailure.h"

#include <QCoreApplication>
#include <QTest>
#include <QThread>

namespace qv::test {

    namespace {
        bool insideTestFunction()
        {
            const QCoreApplication* app = QCoreApplication::instance();
            return app && QThread::currentThread() == app->thread() && QTest::currentTestFunction() != nullptr;
        }
    } // namespace

    void failNow(const QString& message, const char* file, int line)
    {
        const QByteArray text = message.toUtf8();
        if (!insideTestFunction()) {
            qFatal("%s (%s:%d, outside any test function)", text.constData(), file, line);
        }
        QTest::qFail(text.constData(), file, line);
    }

    void failOnLeftovers(const QString& message, const char* file, int line)
    {
        const QByteArray text = message.toUtf8();
        if (!insideTestFunction()) {
            qWarning("%s (%s:%d)", text.constData(), file, line);
            return;
        }
        if (!QTest::currentTestFailed()) {
            QTest::qFail(text.constData(), file, line);
        }
    }

} // namespace qv::test
