#pragma once
// A seeded random walk over a real window. The window's test gives a table of
// named actions, each with a test of whether it can be done now, a choice of
// its parameter and what it does; every step picks one of the actions that
// can be done (by weight), does it, and runs the window's checks. Message and
// input boxes are answered, and lookups accepted or cancelled, by the same
// random source; every choice is recorded, so a failing walk prints its seed
// and its steps in a form that, pasted into a fixed walk, replays it exactly.
//
// A fixed walk gives the steps itself: an answer it does not give takes the
// box's default button, a lookup it does not answer is cancelled.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

class QDialog;
struct sqlite3;

namespace walk {

// One step: the action's name, its parameter, and the answers the step gave
// in order: a box of more than one button its button's code (vb::vbYes ...),
// an input box 1 (its default text) or 2 (cancelled), a lookup the row
// chosen (from 0) or -1 (Escape).
struct Step {
    std::string action;
    std::string param = {};
    std::vector<int> answers = {};
};

// A box or lookup shown during the step, and its answer.
struct Notice {
    enum Kind { Message, Input, Lookup };
    Kind kind = Message;
    QString text; // a lookup: its window's title
    QString title;
    int style = 0;
    int answer = 0;
};

struct Action {
    std::string name;
    std::function<bool()> possible;                   // empty: always
    std::function<std::string(std::mt19937&)> choose; // the parameter; empty: none
    std::function<void(const std::string&)> perform;
    int weight = 1;
};

class Walk {
public:
    // While it lives the walk answers every box and drives every lookup.
    explicit Walk(std::vector<Action> actions);
    ~Walk();
    Walk(const Walk&) = delete;
    Walk& operator=(const Walk&) = delete;

    // Run before and after every step; the checks report through fail().
    std::function<void(const Step&)> before;
    std::function<void(const Step&)> after;

    // A walk of `steps` random steps; false when a check failed (report()
    // tells which).
    bool run(unsigned seed, int steps);
    // The steps of a fixed walk, with the same checks.
    bool replay(const std::vector<Step>& steps);

    // A check failed at this step: the walk stops after it, unless it goes
    // on to collect every failure (keepGoing).
    void fail(const std::string& invariant, const QString& detail);
    bool failed() const { return !failures_.empty(); }
    bool keepGoing = false;

    // The steps taken so far, with the answers they gave, and the failures.
    const std::vector<Step>& steps() const { return taken_; }
    const std::vector<std::string>& failures() const { return failures_; }

    // The boxes and lookups of the step running (or just run).
    const std::vector<Notice>& notices() const { return notices_; }
    int stepIndex() const { return int(taken_.size()) - 1; }
    // The seed, the step and the check that failed, and the steps taken as a
    // fixed walk's list.
    std::string report() const;

private:
    class Responder;
    int answer(const std::function<int(std::mt19937&)>& atRandom, int byDefault);
    // Records a box; false past the number a step may show.
    bool record(Notice notice);
    void drive(QDialog& window);
    bool take(Step step);

    std::vector<Action> actions_;
    std::mt19937 random_;
    unsigned seed_ = 0;
    bool fixed_ = false;
    std::vector<int> script_; // a fixed step's answers
    size_t next_ = 0;
    std::vector<Step> taken_;
    std::vector<Notice> notices_;
    std::vector<std::string> failures_;
    std::shared_ptr<Responder> responder_;
    std::shared_ptr<void> previous_; // the responder and driver put back at the end
};

// `count` seeds from `first`.
std::vector<unsigned> seeds(unsigned first, int count);
// The walks asked for beyond CI's: QUARZELO_PASEOS seeds from
// QUARZELO_PASEO_SEMILLA (by default `from`); none when unset.
std::vector<unsigned> requestedSeeds(unsigned from);
// QUARZELO_PASEO_PASOS, or `byDefault`.
int requestedSteps(int byDefault);

// Walks each seed on a fresh window (`start` starts it and hands its walk);
// a walk that fails is reported as a test failure with its seed and steps
// (the first three; all with QUARZELO_PASEO_SIGUE, which also collects
// every failure of a walk). Prints the count and the time taken; returns the
// number of walks that failed.
int runSeeds(const std::vector<unsigned>& seeds, int steps, const std::function<Walk&()>& start);
// The same, for a window whose start depends on the seed (how it is opened,
// on which record).
int runSeeds(const std::vector<unsigned>& seeds, int steps,
             const std::function<Walk&(unsigned seed)>& start);

// ---- The databases a walk watches -------------------------------------------------------

// A SQLite file read through a connection of the test's own (with the
// engine's collation and functions), which also tells when another
// connection committed.
class DbReader {
public:
    DbReader() = default;
    ~DbReader() { close(); }
    DbReader(const DbReader&) = delete;
    DbReader& operator=(const DbReader&) = delete;
    void open(const QString& path);
    void close();
    // Changes when another connection commits (PRAGMA data_version).
    qint64 version();
    QList<QVariantList> rows(const QString& sql, QStringList* columns = nullptr);
    // The first row by column name (lower case); empty when there is none.
    QVariantMap row(const QString& sql);

private:
    sqlite3* db_ = nullptr;
};

// Tables of one database: each as its rows in text, sorted, every row led by
// the key it belongs to (the statement's first column).
using Snapshot = std::map<QString, QStringList>;
struct Table {
    QString name;
    QString sql; // first column: the key
};
Snapshot snapshot(DbReader& db, const std::vector<Table>& tables);

// A row that appeared (added) or went away between two snapshots.
struct Change {
    QString table, key;
    bool added = false;
    QString row;
};
std::vector<Change> changes(const Snapshot& before, const Snapshot& after);
// The first changes, readable.
QString describe(const std::vector<Change>& c);

// Quoted as a C++ string literal.
std::string quoted(const std::string& text);

} // namespace walk
