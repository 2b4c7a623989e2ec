#pragma once
// Waits for another connection's lock, shortened and recorded: every notice
// goes to `inner` (the program's notice) first, then into `told`; `during`
// runs inside each wait. The lock wait and the notice found are put back.

#include "platform/ado/ado.h"

#include <QList>
#include <functional>

namespace testutil {

struct LockWaits {
    explicit LockWaits(int ms, ado::LockWaitNotice inner = {}, std::function<void()> during = {}) {
        ado::setLockWaitMs(ms);
        ado::setLockWaitNotice([this, inner, during](bool waiting) {
            if (inner)
                inner(waiting);
            told << waiting;
            if (waiting && during)
                during();
        });
    }
    ~LockWaits() {
        ado::setLockWaitMs(ms_);
        ado::setLockWaitNotice(notice_);
    }
    QList<bool> told;
    int ms_ = ado::lockWaitMs();
    ado::LockWaitNotice notice_ = ado::lockWaitNotice();
};

} // namespace testutil
