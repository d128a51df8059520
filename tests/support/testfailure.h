#pragma once

#include <QString>

namespace qv::test {

    // Marks the running test function as failed, here and now, for a failure found deep inside the
    // code under test (a message box nobody expected), where QFAIL cannot be used because it only
    // returns from the function it is written in.
    //
    // QTest::qFail records the failure against the current test function at once; the test then
    // runs on to its end, so the caller must carry on in a way that does no harm (a scripted box
    // answers Cancel). Outside a test function, or off the test thread, there is no test to mark,
    // and the program stops with the message instead of letting the failure go unseen.
    void failNow(const QString& message, const char* file, int line);

    // For a check made while a scripted helper is destroyed: fails the running test function unless
    // it has failed already (the failure then explains the leftovers); outside a test function only
    // warns, since the helper may be torn down after the last test has run.
    void failOnLeftovers(const QString& message, const char* file, int line);

} // namespace qv::test
