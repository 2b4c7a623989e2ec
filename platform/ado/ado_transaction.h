#pragma once
// A transaction on a connection that is rolled back unless committed.

#include "platform/ado/ado.h"

#include <utility>

namespace ado {

// Begin and Commit go to the connection's BeginTrans and CommitTrans and let
// their failures reach the caller, so each can be a step of its own under the
// caller's error box. Whatever way the scope is left with the transaction
// begun and not committed (the operator leaving, a refused commit passed
// over, an exception), it is rolled back there: no later statement on the
// connection runs inside it. A refused begin leaves nothing to roll back.
class ScopedTransaction {
public:
    explicit ScopedTransaction(ConnectionPtr connection) : connection_(std::move(connection)) {}
    ~ScopedTransaction() {
        if (!open_)
            return;
        try {
            connection_->RollbackTrans();
        } catch (...) {
            // A destructor has no one to report it to.
        }
    }
    ScopedTransaction(const ScopedTransaction&) = delete;
    ScopedTransaction& operator=(const ScopedTransaction&) = delete;

    void Begin() {
        connection_->BeginTrans();
        open_ = true;
    }
    // Also when the begin was passed over: the connection then reports that
    // there is nothing to commit.
    void Commit() {
        connection_->CommitTrans();
        open_ = false;
    }
    bool open() const { return open_; }

private:
    ConnectionPtr connection_;
    bool open_ = false;
};

} // namespace ado
