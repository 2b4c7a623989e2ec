// Random and fixed walks over the adjustment window, started as the program
// starts it on the demo company (and on the same company with every
// coefficient 1.0), checked after every action against the company's
// database read through a connection of the test's own:
//   I1 an entry is stored (with its voucher book's advance) only in a step
//      that shows "Proceso Completo!", and that text never shows without
//      one; what is stored is the grid shown when GRABAR was pressed, line
//      by line, with the REI line on the account shown and the header's
//      voucher, concept and dates; never only zero amounts, never a line on
//      an account missing, a title or dropped at the save, never in a
//      closed year, never with the lines of another "Incluir Proforma" than
//      the box shows;
//   I2 a refusal changes nothing stored, and shows once;
//   I3 a header field changes only by the user's typing or choice in it,
//      by the voucher type's own filling of branch, number and letter, by
//      a generation (the amount) or by a new entry the user asked for; the
//      grid only by Generar or a new entry; a refused REI code leaves no
//      description of another account;
//   I4 generated lines are not discarded without the question answered Yes.

#include "ventana_fixture.h"

#include "common/paseo.h"
#include "common/paseo_demo.h"
#include "common/paseo_fixture.h"
#include "common/recording_banner.h"
#include "lookup/lib_clscons3.h"
#include "platform/sql/quoting.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QToolButton>
#include <cmath>
#include <map>
#include <set>

using walk::Change;
using walk::DbReader;
using walk::Notice;
using walk::Step;

namespace {

const QString kAbandon = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kDone = QStringLiteral("Proceso Completo!");
const QString kNoMovements = QStringLiteral(
    "No hay movimientos para generar el Asiento de Ajuste , con los datos proporcionados");
const QString kStoredAs = QStringLiteral("El comprobante se grabó con el número ");
const QString kDuplicate = QStringLiteral("El Comprobante Duplicado, el nuevo numero es: ");

// The REI code's own refusals.
const QString kReiRefusals[] = {QStringLiteral("Código inexistente"),
                                QStringLiteral("La Cuenta debe ser imputable"),
                                QStringLiteral("Debe ingresar un código de Cuenta R.E.I.")};

// The blocked account the walk's start makes.
constexpr char kBlocked[] = "110402002";

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

// An amount as the grid and the totals show it (decimal comma), in cents;
// empty text is no amount.
std::optional<qlonglong> cents(const QString& shown) {
    const QString t = QString(shown).trimmed().remove(u'.').replace(u',', u'.');
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double d = t.toDouble(&ok);
    return ok ? std::optional<qlonglong>(std::llround(d * 100)) : std::nullopt;
}

qlonglong storedCents(const QVariant& v) {
    return std::llround(v.toDouble() * 100);
}

// A number typed in a voucher field, as its rule pads it.
double number(const QString& t) {
    bool ok = false;
    const double d = t.trimmed().toDouble(&ok);
    return ok ? d : -1;
}

// ---- The databases ------------------------------------------------------------------------

// What a save writes or relies on, each row under its key.
const std::vector<walk::Table> kTables = {
    {"MV_ASIENTOS",
     "SELECT PERIODO || '/' || MES_OPERATIVO || '/' || \"NUMERO ASIENTO\", * FROM MV_ASIENTOS"},
    {"V_TA_CPTE", "SELECT CODIGO, * FROM V_TA_CPTE"},
    {"TA_COMPROBANTES", "SELECT CODIGO, * FROM TA_COMPROBANTES"},
    {"V_MV_CTROL_CPTE", "SELECT TC, * FROM V_MV_CTROL_CPTE"},
    {"MV_CONTROL_AS_RES", "SELECT '', * FROM MV_CONTROL_AS_RES"},
    {"V_MV_CPTEACCIONES", "SELECT '', * FROM V_MV_CPTEACCIONES"},
    {"MA_CUENTAS", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTAS"},
    {"MV_EJERCICIOS", "SELECT PERIODO, * FROM MV_EJERCICIOS"},
};

struct Demo : walk::DemoCompany {
    Demo() : DemoCompany(kTables) {}
};

// ---- The window's controls and what they show ---------------------------------------------

const char* const kColumns[] = {
    "[NUMERO ASIENTO]", "PERIODO_DESDE", "PERIODO_HASTA", "CTA_REI", "TC",        "SUCURSAL",
    "NUMERO",           "LETRA",         "DETALLE",       "FECHA",   "CABIMPORTE"};
// The fields the user types into.
const char* const kTyped[] = {"PERIODO_DESDE", "PERIODO_HASTA", "CTA_REI", "TC",
                              "SUCURSAL",      "NUMERO",        "LETRA",   "DETALLE"};
// The bar's keys a walk presses; the sheet and the report open windows of
// their own.
const char* const kBarKeys[] = {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "CERRAR", "CANCELAR"};

struct Controls {
    FrmQuarzelo* w = nullptr;
    std::map<std::string, QLineEdit*> fields;
    QPushButton* generate = nullptr;
    QCheckBox* proforma = nullptr;
    QTableWidget* grid = nullptr;
    QLabel* account = nullptr;
    QLabel* voucher = nullptr;
    Paxtor* bar = nullptr;

    explicit Controls(FrmQuarzelo& v) : w(&v) {
        for (const char* c : kColumns)
            fields[c] = campo(v, QLatin1String(c));
        generate = generar(v);
        proforma = control<QCheckBox>(v, "chkIncluirProforma");
        grid = grilla(v);
        account = etiqueta(v, "LblDescCuenta");
        voucher = etiqueta(v, "lbldesctc");
        bar = paxtor(v);
    }
    QWidget* get(const std::string& name) const {
        if (const auto i = fields.find(name); i != fields.end())
            return i->second;
        if (name == "CmdGenerar")
            return generate;
        if (name == "chkIncluirProforma")
            return proforma;
        if (name == "FgResumen")
            return grid;
        return nullptr;
    }
    std::string focus() const {
        const QWidget* f = QApplication::focusWidget();
        for (const auto& [name, c] : fields)
            if (c == f)
                return name;
        for (const char* n : {"CmdGenerar", "chkIncluirProforma", "FgResumen"})
            if (get(n) == f)
                return n;
        return {};
    }
    static bool usable(const QWidget* c) { return c && c->isEnabled() && c->isVisible(); }
};

// A grid line: its row (the line's index), account and sides as shown.
struct GridLine {
    int row = 0;
    QString account, debit, credit;
};

struct Shown {
    std::map<std::string, QString> values;
    std::vector<GridLine> grid;
    QString accountLabel, voucherLabel;
    bool proforma = false;
    bool headerOpen = false;
    bool canSave = false;
    std::string focus;
    std::string field; // the header field the lookup keys are for
    size_t lines = 0;
    QString v(const char* k) const { return values.at(k); }
    bool fresh() const {
        return grid.empty() && lines <= 1 && v("CTA_REI").isEmpty() && v("DETALLE").isEmpty();
    }
};

Shown shown(const Controls& c) {
    Shown s;
    for (const auto& [name, f] : c.fields)
        s.values[name] = f->text();
    for (int r = 1; r < c.grid->rowCount(); ++r) {
        const QString account = celda(*c.w, r, 1).trimmed();
        if (!account.isEmpty())
            s.grid.push_back({r, account, celda(*c.w, r, 3), celda(*c.w, r, 4)});
    }
    s.accountLabel = c.account->text();
    s.voucherLabel = c.voucher->text();
    s.proforma = c.proforma->isChecked();
    s.headerOpen = cabecera(*c.w)->isEnabled();
    s.canSave = c.bar->estado(Paxtor::EstadoGrabar);
    s.focus = c.focus();
    s.lines = c.w->lineas().size();
    if (const int i = c.w->indiceActual(); i >= 0 && i < int(std::size(kColumns)))
        s.field = kColumns[i];
    return s;
}

bool sameGrid(const std::vector<GridLine>& a, const std::vector<GridLine>& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].row != b[i].row || a[i].account != b[i].account || a[i].debit != b[i].debit ||
            a[i].credit != b[i].credit)
            return false;
    return true;
}

bool isRefusal(const Notice& n) {
    // The notice of a year adjusted to its end follows a save; it refuses nothing.
    return n.kind == Notice::Message && (n.style & 7) == vb::vbOKOnly &&
           (n.style & (vb::vbCritical | vb::vbExclamation)) &&
           !n.text.startsWith(u"Ultimo ajuste realizado");
}

// ---- What the user types ----------------------------------------------------------------

// REI codes: postable (the REI itself, others), adjustable, titles,
// unknown, dropped, blocked, empty, with separators.
const char* const kAccounts[] = {"610301001", "610301001", "610301001", "110401001",
                                 "110501001", "1101",      "610301",    "999999999",
                                 "110102003", kBlocked,    "",          "61-03-01-001"};
const char* const kVouchers[] = {"AJUS", "AJUS", "AJUS", "ASTO", "EXTE", "FC", "ZZZ", ""};
const char* const kLetters[] = {"X", "X", "X", "A", "B", "Z", ""};
const char* const kBranches[] = {"0001", "1", "2", "A", ""};
const char* const kNumbers[] = {"00000002", "7", "99999", "X1", ""};
const char* const kConcepts[] = {"Ajuste 2023", "O'Brien & Cía según índices", "", "  ",
                                 "AJUSTE POR INFLACION DEL EJERCICIO CON UN CONCEPTO LARGO"};
const char* const kPeriods[] = {"01/2023", "12/2023", "062023", "13/2023", "07-2023", ""};
// Enter most: it accepts a field and presses the focused button. F8 ends
// the program, which ends the walk: now and then (the close action).
const char* const kKeys[] = {"Tab", "Backtab", "Enter", "Enter", "Enter", "Escape",
                             "F2",  "F3",      "F4",    "F4",    "F6",    "F9"};
// What another connection does between two actions.
const char* const kOtherOps[] = {"delete", "title", "drop"};

// A test's end of the program is an exception; thrown through Qt's own
// delivery of a key or a click it leaves what Qt holds there unreleased,
// which the sanitized build reports as a leak. There the program is ended
// only by the close event, sent straight to the window.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kFinPorEvento = true;
#else
constexpr bool kFinPorEvento = false;
#endif

// How far the walks got: steps that generated lines, that stored an entry.
struct Reach {
    int generations = 0, saves = 0;
};
Reach reach;

template <typename T, size_t N> const T& pick(const T (&t)[N], std::mt19937& g) {
    return t[g() % N];
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

class AdjustmentWalk {
public:
    AdjustmentWalk(FrmQuarzelo& w, const Demo& demo) : c_(w) {
        db_.open(demo.company.path());
        other_.open(demo.company.path());
        for (size_t i = 1; i < 3; ++i) {
            copies_[i - 1].open(demo.databases()[i]->path());
            copyVersions_[i - 1] = copies_[i - 1].version();
        }
        version_ = db_.version();
        snapshot_ = walk::snapshot(db_, kTables);
        for (const QVariantList& r :
             db_.rows(QStringLiteral("SELECT UPPER(TRIM(CODIGO)), AJUSTE FROM MA_CUENTAS")))
            adjustable_[r[0].toString()] = r[1].toInt() != 0;
        last_ = shown(c_);
        walk_ = std::make_unique<walk::Walk>(actions());
        walk_->before = [this](const Step&) { bookBefore_ = bookOf(last_); };
        walk_->after = [this](const Step& s) { check(s); };
    }

    walk::Walk& walk() { return *walk_; }
    const Shown& now() const { return last_; }
    DbReader& db() { return db_; }
    bool ended() const { return ended_; }
    const std::vector<std::vector<Notice>>& noticesByStep() const { return noticesByStep_; }

private:
    // ---- Actions ----
    std::vector<walk::Action> actions() {
        const auto open = [this] { return !ended_; };
        return {
            {"type", [this] { return !ended_ && !typingTargets().empty(); },
             [this](std::mt19937& g) { return chooseTyping(g); },
             [this](const std::string& p) { type(p); }, 30},
            {"key", open, [](std::mt19937& g) { return std::string(pick(kKeys, g)); },
             [this](const std::string& p) { key(p); }, 25},
            {"click", open, [this](std::mt19937& g) { return chooseClick(g); },
             [this](const std::string& p) { click(p); }, 25},
            {"right", [this] { return !ended_ && !withLookup().empty(); },
             [this](std::mt19937& g) {
                 const std::vector<std::string> d = withLookup();
                 return d[g() % d.size()];
             },
             [this](const std::string& p) { right(p); }, 4},
            // The window's close box, or CERRAR's key.
            {"close", open,
             [](std::mt19937& g) { return std::string(kFinPorEvento || g() % 2 ? "box" : "F8"); },
             [this](const std::string& p) {
                 if (p == "F8")
                     key(p);
                 else
                     ends([this] {
                         // The close box sends this event; QWidget::close() is not left by
                         // the program's end without losing what it holds.
                         QCloseEvent e;
                         QApplication::sendEvent(c_.w, &e);
                     });
             },
             1},
            {"other", open, [this](std::mt19937& g) { return chooseOther(g); },
             [this](const std::string& p) { other(p); }, 6},
        };
    }

    // The program ends when the user leaves it: the walk ends with it.
    void ends(const std::function<void()>& f) {
        try {
            f();
        } catch (const vb::ProgramEnded&) {
            ended_ = true;
        }
    }

    std::vector<std::string> typingTargets() const {
        std::vector<std::string> d;
        for (const char* n : kTyped)
            if (Controls::usable(c_.get(n)))
                d.push_back(n);
        if (qobject_cast<QLineEdit*>(QApplication::focusWidget()))
            d.push_back(""); // whatever has the focus
        return d;
    }

    std::string chooseTyping(std::mt19937& g) const {
        const std::vector<std::string> d = typingTargets();
        // Half the time where the cursor stands, as the user goes on typing.
        const bool here = d.back().empty() && g() % 2;
        const std::string n = here ? std::string() : d[g() % d.size()];
        const std::string f = n.empty() ? c_.focus() : n;
        const char* value = f == "CTA_REI"    ? pick(kAccounts, g)
                            : f == "TC"       ? pick(kVouchers, g)
                            : f == "LETRA"    ? pick(kLetters, g)
                            : f == "SUCURSAL" ? pick(kBranches, g)
                            : f == "NUMERO"   ? pick(kNumbers, g)
                            : f == "DETALLE"  ? pick(kConcepts, g)
                                              : pick(kPeriods, g);
        return n + '=' + value;
    }

    QWidget* usable(const std::string& name, QWidget* c = nullptr) const {
        c = c ? c : c_.get(name);
        if (!Controls::usable(c))
            throw std::runtime_error(name + " is not there to use");
        return c;
    }

    // "field=value": the field clicked (none: the focused one), its text
    // selected and the value typed over it key by key.
    void type(const std::string& p) {
        const std::string n = p.substr(0, p.find('='));
        const QString value = QString::fromStdString(p.substr(p.find('=') + 1));
        if (!n.empty())
            QTest::mouseClick(usable(n), Qt::LeftButton);
        typedInto_ = c_.focus();
        QWidget* f = QApplication::focusWidget();
        if (!f)
            return;
        if (qobject_cast<QLineEdit*>(f)) {
            QTest::keyClick(f, Qt::Key_Home);
            QTest::keyClick(f, Qt::Key_End, Qt::ShiftModifier);
            if (value.isEmpty())
                QTest::keyClick(f, Qt::Key_Backspace);
        }
        for (const QChar ch : value)
            if (QWidget* where = QApplication::focusWidget()) {
                if (ch.unicode() < 128)
                    QTest::keyClick(where, char(ch.unicode()));
                else
                    QTest::sendKeyEvent(QTest::Click, where, Qt::Key_unknown, QString(ch),
                                        Qt::NoModifier);
            }
    }

    void key(const std::string& p) {
        static const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> kMap{
            {"Tab", {Qt::Key_Tab, {}}},      {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"Enter", {Qt::Key_Return, {}}}, {"Escape", {Qt::Key_Escape, {}}},
            {"F2", {Qt::Key_F2, {}}},        {"F3", {Qt::Key_F3, {}}},
            {"F4", {Qt::Key_F4, {}}},        {"F6", {Qt::Key_F6, {}}},
            {"F8", {Qt::Key_F8, {}}},        {"F9", {Qt::Key_F9, {}}},
            {"Space", {Qt::Key_Space, {}}}};
        const auto& [k, m] = kMap.at(p);
        QWidget* f = QApplication::focusWidget();
        ends([&] { QTest::keyClick(f ? f : c_.w, k, m); });
    }

    std::string chooseClick(std::mt19937& g) const {
        std::vector<std::string> d;
        for (const char* n : kTyped)
            if (Controls::usable(c_.get(n)))
                d.push_back(n);
        for (const char* n : {"CmdGenerar", "CmdGenerar", "chkIncluirProforma", "FgResumen"})
            if (Controls::usable(c_.get(n)))
                d.push_back(n);
        for (const char* k : kBarKeys)
            if (c_.bar->estado(Paxtor::Estado(Paxtor::Claves().indexOf(k) + 1)) &&
                (std::string_view(k) != "CERRAR" || (!kFinPorEvento && g() % 4 == 0)))
                d.push_back(std::string("Paxtor:") + k);
        if (d.empty())
            return "FgResumen";
        return d[g() % d.size()];
    }

    // A control clicked: a field, the button, the box, the grid, a bar's
    // button ("Paxtor:KEY"). A click on a control that is off does nothing.
    void click(const std::string& p) {
        QWidget* w = startsWith(p, "Paxtor:") ? c_.bar->boton(QString::fromStdString(p.substr(7)))
                                              : c_.get(p);
        if (!w)
            throw std::runtime_error("no control " + p);
        if (!w->isVisible())
            throw std::runtime_error(p + " is not there to use");
        if (qobject_cast<QCheckBox*>(w))
            ends([&] { QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2)); });
        else
            ends([&] { QTest::mouseClick(w, Qt::LeftButton); });
    }

    std::vector<std::string> withLookup() const {
        std::vector<std::string> d;
        for (const char* n : {"CTA_REI", "TC"})
            if (Controls::usable(c_.get(n)))
                d.push_back(n);
        return d;
    }

    void right(const std::string& p) {
        QTest::mouseClick(usable(p), Qt::RightButton);
        // A lookup takes the activation with it: the user comes back.
        if (QApplication::activeWindow() != c_.w) {
            c_.w->activateWindow();
            QApplication::setActiveWindow(c_.w);
        }
    }

    // An adjustable account with a line in the grid, the year, or nothing.
    std::string chooseOther(std::mt19937& g) const {
        std::vector<QString> accounts;
        for (const GridLine& l : shown(c_).grid)
            if (adjustable_.count(l.account) && adjustable_.at(l.account))
                accounts.push_back(l.account);
        const unsigned draw = g() % 10;
        if (draw < 6 && !accounts.empty())
            return std::string(pick(kOtherOps, g)) + ':' +
                   accounts[g() % accounts.size()].toStdString();
        return draw < 8 ? "close:2023" : "none:";
    }

    // "op:code" by another connection to the company's database.
    void other(const std::string& p) {
        const QString op = QString::fromStdString(p.substr(0, p.find(':')));
        const QString arg = QString::fromStdString(p.substr(p.find(':') + 1));
        const QString where = QStringLiteral(" WHERE CODIGO = ") + sqltext::literal(arg);
        QString sql;
        if (op == u"delete")
            sql = QStringLiteral("DELETE FROM MA_CUENTAS") + where;
        else if (op == u"title")
            sql = QStringLiteral("UPDATE MA_CUENTAS SET TITULO = 1") + where;
        else if (op == u"drop")
            sql = QStringLiteral("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1") + where;
        else if (op == u"close")
            sql = QStringLiteral("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = ") +
                  QString::number(arg.toInt());
        else if (op != u"none")
            throw std::runtime_error("no other connection's operation " + p);
        if (!sql.isEmpty())
            other_.rows(sql);
    }

    // ---- Checks ----

    // The bar's command the step gave: by its key, its button, or the close box.
    std::optional<QString> command(const Step& s) const {
        static const std::map<std::string, const char*> kFKeys{
            {"F2", "NUEVO"},     {"F3", "BORRAR"}, {"F4", "GRABAR"},
            {"F6", "CONSULTAR"}, {"F8", "CERRAR"}, {"F9", "CANCELAR"}};
        if (s.action == "key" && kFKeys.count(s.param))
            return QString::fromLatin1(kFKeys.at(s.param));
        if (s.action == "click" && startsWith(s.param, "Paxtor:"))
            return QString::fromStdString(s.param.substr(7));
        if (s.action == "close")
            return QStringLiteral("CERRAR");
        return std::nullopt;
    }

    bool answered(const QString& t, int answer) const {
        const auto& n = walk_->notices();
        return std::any_of(n.begin(), n.end(), [&](const Notice& x) {
            return x.kind == Notice::Message && x.text == t && x.answer == answer;
        });
    }

    // The number the book of the voucher type shown gives the next voucher.
    std::optional<qlonglong> bookOf(const Shown& w) {
        const QString letter = w.v("LETRA").trimmed().isEmpty() ? QStringLiteral("X")
                                                                : w.v("LETRA").trimmed().toUpper();
        if (letter.size() != 1 || !QStringLiteral("ABCEX").contains(letter))
            return std::nullopt;
        const QList<QVariantList> r = db_.rows(
            QStringLiteral("SELECT %1_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = ").arg(letter) +
            sqltext::literal(w.v("TC").trimmed()));
        if (r.isEmpty())
            return std::nullopt;
        return r[0][0].toLongLong();
    }

    QString description(const QString& code) {
        return text(db_.rows(QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS WHERE "
                                            "UPPER(TRIM(CODIGO)) = ") +
                             sqltext::literal(code.trimmed().remove(u'-').toUpper()))
                        .value(0)
                        .value(0));
    }

    void check(const Step& s) {
        if (!ended_ && QApplication::activeWindow() != c_.w) {
            c_.w->activateWindow();
            QApplication::setActiveWindow(c_.w);
            (void)QTest::qWaitForWindowActive(c_.w);
        }
        const Shown now = shown(c_);
        const Shown was = last_;
        const std::vector<Notice>& notices = walk_->notices();
        noticesByStep_.push_back(notices);
        const auto fail = [&](const char* i, const QString& m) { walk_->fail(i, m); };
        const auto any = [&](const auto& p) {
            return std::any_of(notices.begin(), notices.end(), p);
        };
        const bool done = any([](const Notice& n) { return n.text == kDone; });
        const std::optional<QString> cmd = command(s);

        // The databases.
        walk::Snapshot snapshot = snapshot_;
        std::vector<Change> changed;
        if (const qint64 v = db_.version(); v != version_) {
            version_ = v;
            snapshot = walk::snapshot(db_, kTables);
            changed = walk::changes(snapshot_, snapshot);
        }
        for (size_t i = 0; i < copies_.size(); ++i)
            if (const qint64 v = copies_[i].version(); v != copyVersions_[i]) {
                copyVersions_[i] = v;
                fail("I1", QStringLiteral("a copy of the company changed: the adjustment is "
                                          "the company's own"));
            }
        if (s.action == "other") {
            // Another user's change: the window has yet to meet it.
        } else if (!done) {
            if (!changed.empty())
                fail(any(isRefusal) ? "I2" : "I1",
                     QStringLiteral("the database changed though no \"Proceso Completo!\" was "
                                    "shown: ") +
                         walk::describe(changed));
        } else {
            checkStored(was, changed);
        }

        // One box per refusal.
        std::set<QString> told;
        for (const Notice& n : notices)
            if (n.kind == Notice::Lookup)
                told.clear(); // what the lookup chose is judged anew
            else if (isRefusal(n) && !told.insert(n.text).second)
                fail("I2", QStringLiteral("the refusal '") + n.text +
                               QStringLiteral("' shown twice in one action"));

        // The grid changes only by Generar or by a new entry.
        const bool generated = (s.action == "click" && s.param == "CmdGenerar") ||
                               (s.action == "key" && was.focus == "CmdGenerar" &&
                                (s.param == "Enter" || s.param == "Space"));
        const bool reset = now.fresh() && cmd &&
                           (*cmd == u"NUEVO" || *cmd == u"CANCELAR" || (*cmd == u"GRABAR" && done));
        if (!sameGrid(was.grid, now.grid) && !generated && !reset && !(done && now.fresh()))
            fail("I3", QStringLiteral("the grid changed from %1 to %2 lines without Generar "
                                      "nor a new entry")
                           .arg(was.grid.size())
                           .arg(now.grid.size()));
        // Generated lines are left only by the user's Yes.
        if (!was.grid.empty() && now.grid.empty() && cmd && *cmd == u"CANCELAR" &&
            !answered(kAbandon, vb::vbYes))
            fail("I4", QStringLiteral("CANCELAR discarded the %1 generated lines without asking "
                                      "\"¿Está seguro de abandonar la carga de datos?\"")
                           .arg(was.grid.size()));
        reach.generations += generated && !now.grid.empty();
        reach.saves += done;
        if (ended_ && !endedBefore_ && !was.grid.empty() && !answered(kAbandon, vb::vbYes))
            fail("I4", QStringLiteral("the program ended with %1 generated lines without the "
                                      "question answered Yes")
                           .arg(was.grid.size()));
        endedBefore_ = ended_;
        if (generated && !sameGrid(was.grid, now.grid))
            generatedWith_ = now.grid.empty() ? std::nullopt : std::optional<bool>(now.proforma);
        if (now.grid.empty())
            generatedWith_.reset();

        // Who changed each header field.
        const bool chosen =
            any([](const Notice& n) { return n.kind == Notice::Lookup && n.answer >= 0; });
        std::set<std::string> own;
        if (s.action == "type") {
            own.insert(typedInto_);
            own.insert(now.focus); // a rule that moved the focus on lets the typing follow
        }
        if (chosen)
            own.insert({was.field, s.action == "right" ? s.param : std::string()});
        // The voucher's fields follow an accepted voucher type or letter (also
        // when Generar accepts the header as it stands).
        const bool voucherRule = was.focus == "TC" || was.focus == "LETRA" || own.count("TC") ||
                                 own.count("LETRA") || chosen || generated;
        for (const auto& [k, before] : was.values) {
            const QString after = now.values.at(k);
            if (after == before || own.count(k) || reset || (done && now.fresh()))
                continue;
            if ((k == "SUCURSAL" || k == "NUMERO") &&
                ((number(after) >= 0 && number(after) == number(before)) ||
                 (k == "SUCURSAL" && before.trimmed().isEmpty() && after == u"0001")))
                continue;
            if ((k == "SUCURSAL" || k == "NUMERO" || k == "LETRA") && voucherRule)
                continue;
            if (k == "CABIMPORTE" && generated)
                continue;
            fail("I3", QString::fromStdString(k) + QStringLiteral(" changed from '") + before +
                           QStringLiteral("' to '") + after +
                           QStringLiteral("' (focus %1 -> %2)")
                               .arg(QString::fromStdString(was.focus),
                                    QString::fromStdString(now.focus)));
        }

        // A refused REI code leaves no description of another account.
        if (any([](const Notice& n) {
                return std::find(std::begin(kReiRefusals), std::end(kReiRefusals), n.text) !=
                       std::end(kReiRefusals);
            })) {
            const QString label = now.accountLabel.trimmed();
            if (!label.isEmpty() && label != u"..." && label != description(now.v("CTA_REI")))
                fail("I3", QStringLiteral("the REI code '") + now.v("CTA_REI") +
                               QStringLiteral("' was refused but its label still shows '") + label +
                               u'\'');
        }

        snapshot_ = snapshot;
        last_ = now;
    }

    // A step that showed "Proceso Completo!": one entry stored as `was` showed it.
    void checkStored(const Shown& was, const std::vector<Change>& changed) {
        const auto fail = [&](const char* i, const QString& m) { walk_->fail(i, m); };
        std::set<QString> entries;
        bool book = false;
        for (const Change& x : changed) {
            if (x.table == u"MV_ASIENTOS" && x.added)
                entries.insert(x.key);
            else if (x.table == u"MV_ASIENTOS")
                fail("I1",
                     QStringLiteral("the save took away a stored row: ") + walk::describe({x}));
            else if (x.table == u"V_TA_CPTE" || x.table == u"TA_COMPROBANTES")
                book = true;
            else if (x.table != u"V_MV_CTROL_CPTE" && x.table != u"V_MV_CPTEACCIONES")
                fail("I1", QStringLiteral("the save changed ") + walk::describe({x}));
        }
        if (entries.size() != 1) {
            fail("I1", QStringLiteral("\"Proceso Completo!\" shown with %1 entries stored")
                           .arg(entries.size()));
            return;
        }
        const QString key = *entries.begin();
        const QList<QVariantList> rows = db_.rows(
            QStringLiteral("SELECT SECUENCIA, UPPER(TRIM(CUENTA)), IMPORTE, \"DEBE-HABER\", TC, "
                           "SUCURSAL, NUMERO, LETRA, TRIM(DETALLE), FECHA, AJUSTE_HASTA, "
                           "PERIODO, MES_OPERATIVO, CABIMPORTE, ESAJUSTE FROM MV_ASIENTOS WHERE "
                           "PERIODO || '/' || MES_OPERATIVO || '/' || \"NUMERO ASIENTO\" = ") +
            sqltext::literal(key) + QStringLiteral(" ORDER BY SECUENCIA"));

        // Line by line, the grid shown.
        std::map<int, GridLine> grid;
        for (const GridLine& l : was.grid)
            grid[l.row] = l;
        qlonglong total = 0;
        std::set<int> stored;
        for (const QVariantList& r : rows) {
            const int row = r[0].toInt();
            const QString account = r[1].toString();
            stored.insert(row);
            total += storedCents(r[2]);
            const auto g = grid.find(row);
            if (g == grid.end()) {
                fail("I1", QStringLiteral("line %1 on %2 stored, which the grid did not show")
                               .arg(row)
                               .arg(account));
                continue;
            }
            const std::optional<qlonglong> debit = cents(g->second.debit);
            const std::optional<qlonglong> credit = cents(g->second.credit);
            const QString side = debit && *debit ? QStringLiteral("D") : QStringLiteral("H");
            const qlonglong amount = debit && *debit ? *debit : credit.value_or(0);
            if (account != g->second.account || r[3].toString() != side ||
                storedCents(r[2]) != amount)
                fail("I1", QStringLiteral("line %1 stored %2 %3 %4, the grid showed %5 %6|%7")
                               .arg(row)
                               .arg(account, r[3].toString(), text(r[2]), g->second.account,
                                    g->second.debit, g->second.credit));
            // The line's account as it stood at the save.
            const QVariantMap a =
                db_.row(QStringLiteral("SELECT TITULO, DADA_DE_BAJA FROM "
                                       "MA_CUENTAS WHERE UPPER(TRIM(CODIGO)) = ") +
                        sqltext::literal(account));
            if (a.isEmpty() || a.value("titulo").toInt() || a.value("dada_de_baja").toInt())
                fail("I1", QStringLiteral("line %1 stored on %2, which at the save was %3")
                               .arg(row)
                               .arg(account, a.isEmpty()                 ? "missing"
                                             : a.value("titulo").toInt() ? "a title"
                                                                         : "dropped"));
            if (!adjustable_.count(account) || !adjustable_.at(account)) {
                if (account != was.v("CTA_REI").trimmed())
                    fail("I1", QStringLiteral("the balancing line stored on %1, the REI shown "
                                              "is '%2'")
                                   .arg(account, was.v("CTA_REI")));
            }
        }
        for (const auto& [row, l] : grid)
            if (!stored.count(row))
                fail("I1",
                     QStringLiteral("line %1 on %2 shown, not stored").arg(row).arg(l.account));
        if (total == 0)
            fail("I1", QStringLiteral("an entry of only zero amounts stored"));
        if (generatedWith_ && *generatedWith_ != was.proforma)
            fail("I1", QStringLiteral("the entry stored was generated %1 pro-forma vouchers, the "
                                      "box \"Incluir Proforma\" shows them %2")
                           .arg(*generatedWith_ ? "with" : "without",
                                was.proforma ? "included" : "left out"));
        if (rows.isEmpty())
            return;

        // The header as shown (the voucher's number as the save reported it).
        const QVariantList& h = rows.front();
        // A number left blank is the book's, which the save's check fills in.
        QString shownNumber = was.v("NUMERO").trimmed().isEmpty() && bookBefore_
                                  ? QString::number(*bookBefore_)
                                  : was.v("NUMERO");
        for (const Notice& n : walk_->notices())
            for (const QString& t : {kStoredAs, kDuplicate})
                if (n.text.startsWith(t))
                    shownNumber =
                        n.text.mid(t.size()).section(u'-', 1, 1).left(8); // "0001-00000003X"
        const QString letter =
            was.v("LETRA").trimmed().isEmpty() ? QStringLiteral("X") : was.v("LETRA").trimmed();
        const QString hasta = was.v("PERIODO_HASTA").trimmed();
        const QDate last = QDate(hasta.mid(3).toInt(), hasta.left(2).toInt(), 1);
        const QDate date = QDate::fromString(was.v("FECHA"), QStringLiteral("dd/MM/yyyy"));
        QStringList d;
        const auto differs = [&](const char* what, const QString& st, const QString& sh) {
            d << QStringLiteral("%1 stored '%2', shown '%3'").arg(QLatin1String(what), st, sh);
        };
        if (h[4].toString().trimmed().compare(was.v("TC").trimmed(), Qt::CaseInsensitive))
            differs("TC", h[4].toString(), was.v("TC"));
        if (number(h[5].toString()) !=
            number(was.v("SUCURSAL").isEmpty() ? QStringLiteral("1") : was.v("SUCURSAL")))
            differs("SUCURSAL", h[5].toString(), was.v("SUCURSAL"));
        if (number(h[6].toString()) != number(shownNumber) || number(h[6].toString()) <= 0)
            differs("NUMERO", h[6].toString(), shownNumber);
        if (h[7].toString().trimmed().compare(letter, Qt::CaseInsensitive))
            differs("LETRA", h[7].toString(), was.v("LETRA"));
        if (h[8].toString() != was.v("DETALLE").trimmed() || h[8].toString().isEmpty())
            differs("DETALLE", h[8].toString(), was.v("DETALLE"));
        if (!h[9].toString().startsWith(date.toString(Qt::ISODate)))
            differs("FECHA", h[9].toString(), was.v("FECHA"));
        if (h[10].toString() !=
            QStringLiteral("%1/%2").arg(last.daysInMonth(), 2, 10, QChar(u'0')).arg(hasta))
            differs("AJUSTE_HASTA", h[10].toString(), hasta);
        if (h[11].toInt() != 2023 || h[12].toInt() != date.month())
            differs("PERIODO/MES", h[11].toString() + u'/' + h[12].toString(),
                    QStringLiteral("2023/") + QString::number(date.month()));
        if (storedCents(h[13]) != cents(was.v("CABIMPORTE")).value_or(-1))
            differs("CABIMPORTE", text(h[13]), was.v("CABIMPORTE"));
        for (const QVariantList& r : rows)
            for (int i = 4; i < 15; ++i)
                if (i != 14 && text(r[i]) != text(h[i]))
                    d << QStringLiteral("line %1 holds another header").arg(r[0].toInt());
        if (!d.isEmpty())
            fail("I1", QStringLiteral("the entry's header differs from what was shown: ") +
                           d.join(QStringLiteral("; ")));

        // The book of the voucher type moved past the number stored; the year is open.
        const QString tc = h[4].toString().trimmed();
        const QVariantMap b = db_.row(QStringLiteral("SELECT %1_ULTIMO_NRO AS ULTIMO FROM "
                                                     "V_TA_CPTE WHERE CODIGO = ")
                                          .arg(letter.left(1).toUpper()) +
                                      sqltext::literal(tc));
        if (!b.isEmpty() &&
            (!book || b.value("ultimo").toLongLong() != qlonglong(number(h[6].toString())) + 1))
            fail("I1", QStringLiteral("the book of %1 stands at %2 after storing number %3")
                           .arg(tc, text(b.value("ultimo")), h[6].toString()));
        if (db_.row(QStringLiteral("SELECT CERRADO FROM MV_EJERCICIOS WHERE PERIODO = ") +
                    h[11].toString())
                .value("cerrado")
                .toInt())
            fail("I1", QStringLiteral("the entry stored in the closed year ") + h[11].toString());
    }

    Controls c_;
    DbReader db_, other_;
    std::array<DbReader, 2> copies_;
    std::array<qint64, 2> copyVersions_{};
    qint64 version_ = 0;
    walk::Snapshot snapshot_;
    std::map<QString, bool> adjustable_; // as the walk started
    Shown last_;
    std::unique_ptr<walk::Walk> walk_;
    std::string typedInto_;
    bool ended_ = false;
    bool endedBefore_ = false;
    std::optional<qlonglong> bookBefore_;
    std::optional<bool> generatedWith_; // the box's state at the grid's generation
    std::vector<std::vector<Notice>> noticesByStep_;
};

// The company a walk starts on.
enum class Coefficients { Demo, Ones };

class AdjustmentWalkTest : public WalkFixture<Demo> {
protected:
    // A walk's window on fresh copies of the demo files, started as the
    // program starts it (the fiscal year accepted as proposed), on screen
    // at 1280x800 and active.
    AdjustmentWalk& start(Coefficients k) {
        restoreDemo();
        QString prepare = QStringLiteral("UPDATE MA_CUENTAS SET BLOQUEO = 1 WHERE CODIGO = '") +
                          QLatin1String(kBlocked) + u'\'';
        if (k == Coefficients::Ones)
            prepare += QStringLiteral(
                "; UPDATE MA_INDAJUSTE SET INDICE1 = 1.0, INDICE2 = 1.0, INDICE3 = 1.0, "
                "INDICE4 = 1.0");
        demo().company.exec(prepare);
        CNStuffContable::resetCartel();
        banner_ = testutil::RecordingBanner::install();
        resetInstances();
        responder = std::make_shared<vb::ScriptedResponder>();
        vb::setDialogResponder(responder);
        responder->answerInput(QStringLiteral("2023"));
        w_ = std::make_unique<FrmQuarzelo>();
        w_->Form_Load();
        w_->resize(1280, 800);
        w_->show();
        QApplication::setActiveWindow(w_.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w_.get()));
        EXPECT_TRUE(responder->messages().isEmpty())
            << responder->messages().join(u'|').toStdString();
        walk_ = std::make_unique<AdjustmentWalk>(*w_, demo());
        return *walk_;
    }

    void stop() override {
        walk_.reset();
        w_.reset();
        resetConsulta();
        resetInstances();
    }

    std::unique_ptr<FrmQuarzelo> w_;
    std::unique_ptr<AdjustmentWalk> walk_;
    std::shared_ptr<testutil::RecordingBanner> banner_;
};

// ---- Random walks --------------------------------------------------------------------------

// CI's walks, in shards that run side by side; odd seeds walk the company
// of coefficients 1.0.
constexpr int kShards = 8;
constexpr int kWalksPerShard = 24;
constexpr int kSteps = 30;

Coefficients companyOf(unsigned seed) {
    return seed % 2 ? Coefficients::Ones : Coefficients::Demo;
}

class AdjustmentRandomWalks : public AdjustmentWalkTest,
                              public ::testing::WithParamInterface<int> {};

TEST_P(AdjustmentRandomWalks, EveryStepKeepsTheInvariants) {
    reach = {};
    EXPECT_EQ(walk::runSeeds(walk::seeds(1 + unsigned(GetParam() * kWalksPerShard), kWalksPerShard),
                             walk::requestedSteps(kSteps),
                             [&](unsigned s) -> walk::Walk& { return start(companyOf(s)).walk(); }),
              0);
    std::printf("%d generations, %d entries stored\n", reach.generations, reach.saves);
}

INSTANTIATE_TEST_SUITE_P(Seeds, AdjustmentRandomWalks, ::testing::Range(0, kShards));

// More walks when asked for (QUARZELO_PASEOS, paseo.h).
TEST_F(AdjustmentWalkTest, RequestedWalks) {
    const std::vector<unsigned> seeds = walk::requestedSeeds(1 + kShards * kWalksPerShard);
    if (seeds.empty())
        GTEST_SKIP() << "QUARZELO_PASEOS is not set";
    EXPECT_EQ(walk::runSeeds(seeds, walk::requestedSteps(kSteps),
                             [&](unsigned s) -> walk::Walk& { return start(companyOf(s)).walk(); }),
              0);
}

// A random walk replayed as a fixed walk takes the same course.
TEST_F(AdjustmentWalkTest, AReplayTakesTheSameCourse) {
    for (const unsigned seed : {2u, 7u}) {
        SCOPED_TRACE(seed);
        walk::Walk& first = start(Coefficients::Demo).walk();
        first.run(seed, kSteps);
        const std::vector<Step> steps = first.steps();
        const std::vector<std::string> failures = first.failures();
        walk::Walk& again = start(Coefficients::Demo).walk();
        again.replay(steps);
        ASSERT_EQ(again.steps().size(), steps.size());
        for (size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(again.steps()[i].answers, steps[i].answers) << i;
        EXPECT_EQ(again.failures(), failures);
    }
}

// ---- Fixed walks -----------------------------------------------------------------------------

struct Road {
    const char* name;
    Coefficients company;
    std::vector<Step> steps;
    std::function<void(AdjustmentWalk&)> end = {};
};

bool showed(AdjustmentWalk& w, const QString& t) {
    for (const auto& step : w.noticesByStep())
        for (const Notice& n : step)
            if (n.text.startsWith(t))
                return true;
    return false;
}

bool showedContaining(AdjustmentWalk& w, const QString& t) {
    for (const auto& step : w.noticesByStep())
        for (const Notice& n : step)
            if (n.kind == Notice::Message && n.text.contains(t))
                return true;
    return false;
}

qlonglong adjustmentRows(AdjustmentWalk& w) {
    return w.db()
        .rows(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ESAJUSTE = 1 AND PERIODO = "
                             "2023"))
        .value(0)
        .value(0)
        .toLongLong();
}

qlonglong book(AdjustmentWalk& w) {
    return w.db()
        .rows(QStringLiteral("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'AJUS'"))
        .value(0)
        .value(0)
        .toLongLong();
}

// Nothing stored: no adjustment of 2023, the AJUS book at 2.
void nothingStored(AdjustmentWalk& w) {
    EXPECT_EQ(adjustmentRows(w), 0);
    EXPECT_EQ(book(w), 2);
    EXPECT_FALSE(showed(w, kDone));
}

// The header accepted key by key and the entry generated.
const std::vector<Step> kGenerated = {{"type", "CTA_REI=610301001"},
                                      {"key", "Enter"},
                                      {"type", "TC=AJUS"},
                                      {"key", "Enter"},
                                      {"type", "LETRA=X"},
                                      {"key", "Enter"},
                                      {"key", "Enter"}, // Generar has the focus
                                      {"type", "DETALLE=Ajuste 2023"}};

std::vector<Step> generatedThen(std::vector<Step> more) {
    std::vector<Step> r = kGenerated;
    r.insert(r.end(), more.begin(), more.end());
    return r;
}

// An adjustable account the demo's generation gives a line.
constexpr char kAdjusted[] = "110501001";

std::vector<Road> roads() {
    std::vector<Road> r{
        {"TheEntryStoredAsGenerated", Coefficients::Demo,
         generatedThen({{"other", "none:"}, {"key", "F4"}}),
         [](AdjustmentWalk& w) {
             EXPECT_TRUE(showed(w, kDone));
             EXPECT_GT(adjustmentRows(w), 2);
             EXPECT_EQ(book(w), 3);
             EXPECT_TRUE(w.now().fresh());
         }},
    };
    for (const char* save : {"F4", "Enter", "Paxtor:GRABAR"}) {
        const Step last = save[0] == 'P' ? Step{"click", save} : Step{"key", save};
        r.push_back({save[0] == 'F'   ? "OnesNothingToGenerateThenF4"
                     : save[0] == 'E' ? "OnesNothingToGenerateThenEnter"
                                      : "OnesNothingToGenerateThenGrabarClicked",
                     Coefficients::Ones,
                     {{"type", "CTA_REI=610301001"},
                      {"key", "Enter"},
                      {"type", "TC=AJUS"},
                      {"key", "Enter"},
                      {"type", "LETRA=X"},
                      {"key", "Enter"},
                      {"click", "CmdGenerar"},
                      last},
                     [](AdjustmentWalk& w) {
                         EXPECT_TRUE(showed(w, kNoMovements));
                         nothingStored(w);
                     }});
    }
    r.push_back({"GenerarWithTheHeaderOpenThenTheVoucherTyped",
                 Coefficients::Demo,
                 {{"type", "CTA_REI=610301001"},
                  {"key", "Enter"},
                  {"click", "CmdGenerar"},
                  {"type", "DETALLE=Ajuste 2023"},
                  {"click", "TC"},
                  {"type", "=AJUS"},
                  {"key", "F4"}},
                 [](AdjustmentWalk& w) {
                     EXPECT_TRUE(showed(w, kDone));
                     const QVariantMap h = w.db().row(QStringLiteral(
                         "SELECT TC, SUCURSAL, NUMERO, LETRA FROM MV_ASIENTOS WHERE ESAJUSTE = 1 "
                         "AND PERIODO = 2023"));
                     EXPECT_EQ(text(h.value("tc")), QStringLiteral("AJUS"));
                     EXPECT_EQ(text(h.value("sucursal")), QStringLiteral("0001"));
                     EXPECT_EQ(text(h.value("numero")), QStringLiteral("00000002"));
                     EXPECT_EQ(text(h.value("letra")), QStringLiteral("X"));
                     EXPECT_EQ(book(w), 3);
                 }});
    r.push_back({"IncluirProformaClickedAfterGenerar", Coefficients::Demo,
                 // Locked, or stored as generated with the box as it stands: the
                 // walk's own check.
                 generatedThen({{"click", "chkIncluirProforma"}, {"key", "F4"}})});
    for (const int answer : {vb::vbNo, vb::vbYes})
        r.push_back({answer == vb::vbNo ? "CancelarAfterGenerarAnsweredNo"
                                        : "CancelarAfterGenerarAnsweredYes",
                     Coefficients::Demo, generatedThen({{"key", "F9", {answer}}}),
                     [answer](AdjustmentWalk& w) {
                         EXPECT_TRUE(showed(w, kAbandon));
                         EXPECT_EQ(w.now().grid.empty(), answer == vb::vbYes);
                         EXPECT_EQ(w.now().v("DETALLE").isEmpty(), answer == vb::vbYes);
                         nothingStored(w);
                     }});
    for (const int answer : {vb::vbNo, vb::vbYes})
        r.push_back({answer == vb::vbNo ? "CloseBoxAfterGenerarAnsweredNo"
                                        : "CloseBoxAfterGenerarAnsweredYes",
                     Coefficients::Demo, generatedThen({{"close", "box", {answer}}}),
                     [answer](AdjustmentWalk& w) {
                         EXPECT_TRUE(showed(w, kAbandon));
                         // Yes ends the program; No keeps the lines on screen.
                         EXPECT_EQ(w.ended(), answer == vb::vbYes);
                         if (answer == vb::vbNo) {
                             EXPECT_FALSE(w.now().grid.empty());
                         }
                         nothingStored(w);
                     }});
    for (const char* op : {"delete", "title", "drop"})
        r.push_back({op[0] == 'd' && op[1] == 'e' ? "AdjustedAccountDeletedBeforeTheSave"
                     : op[0] == 't'               ? "AdjustedAccountMadeATitleBeforeTheSave"
                                                  : "AdjustedAccountDroppedBeforeTheSave",
                     Coefficients::Demo,
                     generatedThen({{"other", std::string(op) + ':' + kAdjusted}, {"key", "F4"}}),
                     [](AdjustmentWalk& w) {
                         nothingStored(w);
                         EXPECT_TRUE(showedContaining(w, QLatin1String(kAdjusted)));
                     }});
    r.push_back({"FiscalYearClosedBeforeTheSave", Coefficients::Demo,
                 generatedThen({{"other", "close:2023"}, {"key", "F4"}}), [](AdjustmentWalk& w) {
                     nothingStored(w);
                     const auto& last = w.noticesByStep().back();
                     EXPECT_TRUE(std::any_of(last.begin(), last.end(), isRefusal));
                 }});
    r.push_back({"RefusedReiCodeClearsThePreviousDescription",
                 Coefficients::Demo,
                 {{"type", "CTA_REI=610301001"},
                  {"key", "Enter"},
                  {"type", "CTA_REI=999999999"},
                  {"key", "Enter"}},
                 [](AdjustmentWalk& w) { EXPECT_TRUE(showed(w, kReiRefusals[0])); }});
    return r;
}

class AdjustmentFixedWalks : public AdjustmentWalkTest,
                             public ::testing::WithParamInterface<size_t> {};

TEST_P(AdjustmentFixedWalks, KeepTheInvariants) {
    const Road road = roads()[GetParam()];
    AdjustmentWalk& w = start(road.company);
    EXPECT_TRUE(w.walk().replay(road.steps)) << w.walk().report();
    // The boxes of every step tell what the window did.
    std::string boxes;
    for (size_t i = 0; i < w.noticesByStep().size(); ++i)
        for (const Notice& n : w.noticesByStep()[i])
            boxes += "\n  step " + std::to_string(i) + ": " +
                     QString(n.text).replace(u'\n', u' ').left(100).toStdString() + " -> " +
                     std::to_string(n.answer);
    SCOPED_TRACE(boxes);
    if (road.end)
        road.end(w);
}

INSTANTIATE_TEST_SUITE_P(Roads, AdjustmentFixedWalks, ::testing::Range<size_t>(0, roads().size()),
                         [](const auto& i) { return std::string(roads()[i.param].name); });

} // namespace
