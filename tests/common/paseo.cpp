#include "common/paseo.h"

#include "common/tempdb.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sstream>

namespace walk {

namespace {

// A step that shows box after box is looping on its answers.
constexpr size_t kMaxNotices = 60;
// Rows a lookup chooses among: the first screenful, as a user does.
constexpr int kChoosableRows = 20;

struct Previous {
    std::shared_ptr<vb::DialogResponder> responder;
    ui::ModalDriver driver;
};

QString oneLine(const QString& s) {
    QString t = s;
    return t.replace(u'\r', u' ').replace(u'\n', u' ');
}

} // namespace

// ---- Boxes and lookups ----------------------------------------------------------------------

class Walk::Responder : public vb::DialogResponder {
public:
    explicit Responder(Walk& w) : w_(w) {}

    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        const std::vector<int> codes = vb::buttonCodes(buttons);
        const int r = codes.size() == 1
                          ? codes.front()
                          : w_.answer([&](std::mt19937& g) { return codes[g() % codes.size()]; },
                                      codes[vb::defaultButtonIndex(buttons)]);
        return w_.record({Notice::Message, prompt, title, buttons, r}) ? r : vb::vbCancel;
    }

    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        const int r = w_.answer([](std::mt19937& g) { return int(1 + g() % 2); }, 1);
        w_.record({Notice::Input, prompt, title, 0, r});
        return r == 1 ? defaultText : QString();
    }

private:
    Walk& w_;
};

Walk::Walk(std::vector<Action> actions)
    : actions_(std::move(actions)), responder_(std::make_shared<Responder>(*this)) {
    auto previous = std::make_shared<Previous>();
    previous->responder = vb::setDialogResponder(responder_);
    previous->driver = ui::setModalDriver([this](QDialog& w) { drive(w); });
    previous_ = previous;
}

Walk::~Walk() {
    auto* previous = static_cast<Previous*>(previous_.get());
    vb::setDialogResponder(previous->responder);
    ui::setModalDriver(previous->driver);
}

bool Walk::record(Notice notice) {
    notices_.push_back(std::move(notice));
    if (notices_.size() < kMaxNotices)
        return true;
    if (notices_.size() == kMaxNotices)
        fail("boxes", QStringLiteral("more than %1 boxes in one step").arg(kMaxNotices));
    return false;
}

int Walk::answer(const std::function<int(std::mt19937&)>& atRandom, int byDefault) {
    int r = byDefault;
    if (!fixed_)
        r = atRandom(random_);
    else if (next_ < script_.size())
        r = script_[next_++];
    if (!taken_.empty())
        taken_.back().answers.push_back(r);
    return r;
}

void Walk::drive(QDialog& window) {
    // The lookup's list: the first item view that shows rows.
    QAbstractItemView* list = nullptr;
    for (QAbstractItemView* v : window.findChildren<QAbstractItemView*>())
        if (v->isVisible() && v->model() && v->model()->rowCount() > 0) {
            list = v;
            break;
        }
    const int rows = list ? std::min(list->model()->rowCount(), kChoosableRows) : 0;
    const int row = answer(
        [&](std::mt19937& g) { return rows == 0 || g() % 3 == 0 ? -1 : int(g() % rows); }, -1);
    record({Notice::Lookup, window.windowTitle(), QString(), 0, row});
    if (list && row >= 0 && row < list->model()->rowCount()) {
        // A double click on the row, as the user accepts one.
        const QModelIndex i = list->model()->index(row, 0);
        list->scrollTo(i);
        list->setCurrentIndex(i);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(i).center());
        if (window.isVisible())
            QTest::keyClick(list, Qt::Key_Return);
    }
    if (window.isVisible())
        QTest::keyClick(list ? static_cast<QWidget*>(list) : &window, Qt::Key_Escape);
    if (window.isVisible())
        window.reject();
}

// ---- Steps ----------------------------------------------------------------------------------

bool Walk::take(Step step) {
    script_ = std::move(step.answers);
    next_ = 0;
    step.answers.clear();
    taken_.push_back(step);
    notices_.clear();
    if (before)
        before(taken_.back());
    const auto action = std::find_if(actions_.begin(), actions_.end(),
                                     [&](const Action& a) { return a.name == step.action; });
    if (action == actions_.end()) {
        fail("walk", QStringLiteral("no action named ") + QString::fromStdString(step.action));
        return false;
    }
    try {
        action->perform(step.param);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    } catch (const std::exception& e) {
        fail("exception", QString::fromUtf8(e.what()));
    } catch (...) {
        fail("exception", QStringLiteral("unknown"));
    }
    if ((keepGoing || !failed()) && after)
        after(taken_.back());
    return keepGoing || !failed();
}

bool Walk::run(unsigned seed, int steps) {
    seed_ = seed;
    random_.seed(seed);
    fixed_ = false;
    for (int n = 0; n < steps && (keepGoing || !failed()); ++n) {
        std::vector<const Action*> possible;
        int total = 0;
        for (const Action& a : actions_)
            if (a.weight > 0 && (!a.possible || a.possible())) {
                possible.push_back(&a);
                total += a.weight;
            }
        if (possible.empty())
            break;
        int draw = int(random_() % unsigned(total));
        const Action* a = possible.back();
        for (const Action* p : possible)
            if ((draw -= p->weight) < 0) {
                a = p;
                break;
            }
        take({a->name, a->choose ? a->choose(random_) : std::string()});
    }
    return !failed();
}

bool Walk::replay(const std::vector<Step>& steps) {
    seed_ = 0;
    fixed_ = true;
    for (const Step& s : steps)
        if (!take(s))
            break;
    return !failed();
}

void Walk::fail(const std::string& invariant, const QString& detail) {
    if (failed() && !keepGoing)
        return;
    std::ostringstream o;
    o << invariant << " at step " << stepIndex();
    if (!taken_.empty())
        o << " (" << taken_.back().action << ' ' << taken_.back().param << ')';
    o << ": " << oneLine(detail).toStdString();
    // The boxes of the step, which often tell why.
    for (const Notice& n : notices_)
        o << "\n      [" << (n.kind == Notice::Lookup ? "lookup" : "box") << "] "
          << oneLine(n.text).left(90).toStdString() << " -> " << n.answer;
    failures_.push_back(o.str());
}

std::string Walk::report() const {
    std::ostringstream o;
    o << (seed_ ? "walk of seed " + std::to_string(seed_) : std::string("fixed walk")) << ": "
      << (failed() ? failures_.front() : "no failure");
    for (size_t i = 1; i < failures_.size(); ++i)
        o << "\n  then " << failures_[i];
    o << "\nsteps (paste into a fixed walk):\n";
    for (const Step& s : taken_) {
        o << "    {" << quoted(s.action) << ", " << quoted(s.param);
        if (!s.answers.empty()) {
            o << ", {";
            for (size_t i = 0; i < s.answers.size(); ++i)
                o << (i ? ", " : "") << s.answers[i];
            o << '}';
        }
        o << "},\n";
    }
    return o.str();
}

std::string quoted(const std::string& text) {
    std::string r = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\')
            r += '\\';
        if (c == '\n')
            r += "\\n";
        else if (c == '\r')
            r += "\\r";
        else
            r += c;
    }
    return r + '"';
}

// ---- Seeds ----------------------------------------------------------------------------------

std::vector<unsigned> seeds(unsigned first, int count) {
    std::vector<unsigned> s;
    for (int i = 0; i < count; ++i)
        s.push_back(first + unsigned(i));
    return s;
}

std::vector<unsigned> requestedSeeds(unsigned from) {
    bool given = false;
    const unsigned first = unsigned(qEnvironmentVariableIntValue("QUARZELO_PASEO_SEMILLA", &given));
    return seeds(given ? first : from, qEnvironmentVariableIntValue("QUARZELO_PASEOS"));
}

int requestedSteps(int byDefault) {
    bool given = false;
    const int steps = qEnvironmentVariableIntValue("QUARZELO_PASEO_PASOS", &given);
    return given && steps > 0 ? steps : byDefault;
}

int runSeeds(const std::vector<unsigned>& seeds, int steps, const std::function<Walk&()>& start) {
    return runSeeds(seeds, steps, [&](unsigned) -> Walk& { return start(); });
}

int runSeeds(const std::vector<unsigned>& seeds, int steps,
             const std::function<Walk&(unsigned seed)>& start) {
    QElapsedTimer clock;
    clock.start();
    const bool all = qEnvironmentVariableIsSet("QUARZELO_PASEO_SIGUE");
    int failedWalks = 0;
    for (const unsigned s : seeds) {
        Walk& w = start(s);
        w.keepGoing = all;
        w.run(s, steps);
        if (w.failed() && (++failedWalks <= 3 || all))
            ADD_FAILURE() << w.report();
    }
    std::printf("%zu walks of %d steps in %lld ms (%.1f ms each), %d failed\n", seeds.size(), steps,
                static_cast<long long>(clock.elapsed()),
                seeds.empty() ? 0.0 : double(clock.elapsed()) / double(seeds.size()), failedWalks);
    return failedWalks;
}

// ---- Databases ------------------------------------------------------------------------------

void DbReader::open(const QString& path) {
    close();
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        throw std::runtime_error("cannot open " + path.toStdString());
    sqlite3_busy_timeout(db_, 2000);
    testutil::TempDatabase::registerCollation(db_);
}

void DbReader::close() {
    sqlite3_close(db_);
    db_ = nullptr;
}

qint64 DbReader::version() {
    return rows(QStringLiteral("PRAGMA data_version")).value(0).value(0).toLongLong();
}

QList<QVariantList> DbReader::rows(const QString& sql, QStringList* columns) {
    sqlite3_stmt* st = nullptr;
    const QByteArray t = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, t.constData(), int(t.size()), &st, nullptr) != SQLITE_OK)
        throw std::runtime_error(sql.toStdString() + ": " + sqlite3_errmsg(db_));
    const int n = sqlite3_column_count(st);
    for (int i = 0; columns && i < n; ++i)
        *columns << QString::fromUtf8(sqlite3_column_name(st, i)).toLower();
    QList<QVariantList> r;
    while (sqlite3_step(st) == SQLITE_ROW) {
        QVariantList row;
        for (int i = 0; i < n; ++i) {
            const int type = sqlite3_column_type(st, i);
            row << (type == SQLITE_NULL      ? QVariant()
                    : type == SQLITE_INTEGER ? QVariant(qlonglong(sqlite3_column_int64(st, i)))
                    : type == SQLITE_FLOAT
                        ? QVariant(sqlite3_column_double(st, i))
                        : QVariant(QString::fromUtf8(
                              reinterpret_cast<const char*>(sqlite3_column_text(st, i)))));
        }
        r << row;
    }
    sqlite3_finalize(st);
    return r;
}

QVariantMap DbReader::row(const QString& sql) {
    QStringList columns;
    const QList<QVariantList> r = rows(sql, &columns);
    QVariantMap m;
    for (int i = 0; !r.isEmpty() && i < columns.size(); ++i)
        m[columns[i]] = r[0][i];
    return m;
}

Snapshot snapshot(DbReader& db, const std::vector<Table>& tables) {
    Snapshot s;
    for (const Table& t : tables) {
        QStringList& rows = s[t.name];
        for (const QVariantList& r : db.rows(t.sql)) {
            QStringList cells;
            for (const QVariant& v : r)
                cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
            rows << cells.join(u'\x1f');
        }
        rows.sort();
    }
    return s;
}

std::vector<Change> changes(const Snapshot& before, const Snapshot& after) {
    std::vector<Change> r;
    for (const auto& [table, rows] : after) {
        const QStringList& earlier = before.at(table);
        for (const bool added : {true, false}) {
            QStringList l;
            const QStringList& from = added ? rows : earlier;
            const QStringList& in = added ? earlier : rows;
            std::set_difference(from.begin(), from.end(), in.begin(), in.end(),
                                std::back_inserter(l));
            for (const QString& row : l)
                r.push_back({table, row.section(u'\x1f', 0, 0), added, row});
        }
    }
    return r;
}

QString describe(const std::vector<Change>& c) {
    QStringList l;
    for (size_t i = 0; i < c.size() && i < 4; ++i)
        l << (c[i].added ? u'+' : u'-') + c[i].table + u' ' +
                 QString(c[i].row).replace(u'\x1f', u'|').left(160);
    return l.join(QStringLiteral("; "));
}

} // namespace walk
