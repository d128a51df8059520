#pragma once

namespace qv {

    // The hourglass pointer around a long command. The two routines are switches, not a stack:
    // showing it twice and restoring once leaves the normal arrow, as screens that show the busy
    // pointer in one handler and restore it in another expect.
    void showBusy();
    void showNormal();

    // Shows the hourglass for the lifetime of the object, nested freely inside other busy scopes and
    // the routines above.
    class BusyPointer
    {
    public:
        BusyPointer();
        ~BusyPointer();
        BusyPointer(const BusyPointer&) = delete;
        BusyPointer& operator=(const BusyPointer&) = delete;
    };

} // namespace qv
