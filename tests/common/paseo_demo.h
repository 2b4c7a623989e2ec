#pragma once
// The demo company a walk starts from, as scripts/build-demo-db builds it,
// with its group and point-of-sale copies beside it: the company names the
// folder as the server of both. Built once per program; each walk starts
// from the files as built.

#include "common/db_fixture.h"
#include "common/paseo.h"
#include "common/tempdb.h"

#include <array>
#include <utility>
#include <vector>

namespace walk {

// A commit on a memory file system costs no disk sync: the walks' databases
// go there when the machine has one.
struct InMemory {
    testutil::SavedEnv tmpdir{"TMPDIR"};
    InMemory();
};

struct DemoCompany : InMemory {
    testutil::TempDatabase company{QStringLiteral("EMPRESA")};
    testutil::TempDatabase group = company.sibling(QStringLiteral("GRUPO"));
    testutil::TempDatabase pointOfSale = company.sibling(QStringLiteral("TPV_BAHIA"));
    // The three databases' tables the walk watches, as built.
    std::array<Snapshot, 3> snapshots;

    // `extra` runs on each of the three databases after the demo's own data,
    // for what a window's walk needs beyond it.
    explicit DemoCompany(const std::vector<Table>& watched, const QString& extra = QString());
    // The files back as built.
    void restore() const;
    // The three databases, in the order of `snapshots`.
    std::array<const testutil::TempDatabase*, 3> databases() const {
        return {&company, &group, &pointOfSale};
    }

private:
    std::vector<std::pair<QString, QByteArray>> files_;
};

} // namespace walk
