// Random and fixed walks over the cost-centre window on the demo company
// (with its group and point-of-sale copies), started as the program starts
// it on its own or from the accounts window on an account, and checked after
// every action against the databases read through connections of the test's
// own:
//   I1 a database changes only through a GRABAR or BORRAR the window reports
//      as done, and stores what the window showed when the key was pressed
//      (every line, under the account shown, the flags on every general row,
//      in every copy); a save or a delete never overwrites what another
//      connection changed since the window read it;
//   I2 a command that shows a refusal or an error changes no database and
//      leaves what was typed as it was; a save's refusal holds for what the
//      window showed;
//   I3 a field's text changes only by the user's typing or choice, by the
//      load of an account or unit the user asked for, or by a reset the user
//      asked for; a load never drops typed lines without asking;
//   I4 no command reported done without its change stored; one box per
//      refusal.

#include "common/db_fixture.h"
#include "common/paseo.h"
#include "common/paseo_demo.h"
#include "common/paseo_fixture.h"

#include "accountextras/core/distribucion_ccosto.h"
#include "accountextras/ui/frmta_asigccosto.h"
#include "accountextras/ui/relacionadas.h"
#include "accounts/ui/frmma_cuentas.h"
#include "lookup/lib_clscons3.h"
#include "platform/sql/quoting.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/paxtor.h"
#include "platform/vb/msgbox.h"
#include "startup/core/cnstuffcontable.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QtTest/QTest>
#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <set>

using CNStuffContable::CuentaActual;
using walk::Change;
using walk::DbReader;
using walk::Notice;
using walk::Step;

namespace {

const QString kAbandon = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kConfirmDelete = QStringLiteral("Confirma la baja de este registro?");

template <typename T> T* control(const QWidget& w, const char* name) {
    return w.findChild<T*>(QLatin1String(name));
}

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

bool isSet(const QVariant& v) {
    const QString t = text(v).trimmed();
    return t.isEmpty() || (t != u"0" && t.compare(u"false", Qt::CaseInsensitive) != 0);
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

template <typename T, size_t N> const T& pick(const T (&t)[N], std::mt19937& g) {
    return t[g() % N];
}

// ---- The databases ----------------------------------------------------------------------

// The distributions under their account, and the chart (which the window
// only reads).
const std::vector<walk::Table> kTables = {
    {"MA_CUENTASCCOSTO", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASCCOSTO"},
    {"MA_CUENTASCCOSTO_UNEG", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASCCOSTO_UNEG"},
    {"MA_CUENTAS", "SELECT UPPER(TRIM(CODIGO)), CODIGO, DESCRIPCION, TITULO FROM MA_CUENTAS"},
};

struct Demo : walk::DemoCompany {
    Demo() : DemoCompany(kTables) {}
};

// A share in units of 1/10^5, as the window keeps them.
std::optional<qint64> share(const QString& t) {
    return ccosto::LeePorcentaje(t);
}

qint64 shareOf(const QVariant& stored) {
    return qint64(std::llround(stored.toDouble() * 100000.0));
}

// One distribution as stored: centre -> share, and the flags rows.
QString asText(const std::map<QString, qint64>& lines) {
    QStringList l;
    for (const auto& [c, s] : lines)
        l << c + u'=' + QString::number(s);
    return l.join(u',');
}

struct Stored {
    std::map<QString, qint64> lines;
    bool flagsRow = false; // the general row of no centre
    QStringList flags;     // "pide|variable" of every general row
    int general = 0;       // general rows, the flags row included
    int units = 0;         // the account's unit rows, every unit
    QString asText() const {
        return ::asText(lines) + QStringLiteral(" flags ") + flags.join(u',') +
               (flagsRow ? QStringLiteral(" +row") : QString());
    }
};

Stored storedIn(DbReader& db, const QString& account, const QString& unit) {
    Stored s;
    const QString a = sqltext::literal(account);
    for (const QVariantList& r :
         db.rows(QStringLiteral("SELECT TRIM(CCOSTO), PORCENTAJE, PideConfirmacion, "
                                "VariablePorUD FROM MA_CUENTASCCOSTO WHERE TRIM(CODIGO) = ") +
                 a + QStringLiteral(" ORDER BY CCOSTO"))) {
        ++s.general;
        s.flags << QStringLiteral("%1|%2").arg(int(isSet(r[2]))).arg(int(isSet(r[3])));
        if (text(r[0]).isEmpty())
            s.flagsRow = true;
        else if (unit.isEmpty())
            s.lines[text(r[0]).toUpper()] = shareOf(r[1]);
    }
    for (const QVariantList& r :
         db.rows(QStringLiteral("SELECT TRIM(CCOSTO), PORCENTAJE, TRIM(UNEGOCIO) FROM "
                                "MA_CUENTASCCOSTO_UNEG WHERE TRIM(CODIGO) = ") +
                 a)) {
        ++s.units;
        if (!unit.isEmpty() && text(r[2]) == unit)
            s.lines[text(r[0]).toUpper()] = shareOf(r[1]);
    }
    return s;
}

// The rows of one account in one table, whole, as text.
QStringList rowsOf(DbReader& db, const char* table, const QString& account,
                   const QString& unit = QString()) {
    QStringList l;
    QString sql =
        QStringLiteral("SELECT * FROM %1 WHERE TRIM(CODIGO) = ").arg(QLatin1String(table)) +
        sqltext::literal(account);
    if (!unit.isEmpty())
        sql += QStringLiteral(" AND TRIM(UNEGOCIO) = ") + sqltext::literal(unit);
    for (const QVariantList& r : db.rows(sql)) {
        QStringList cells;
        for (const QVariant& v : r)
            cells << (v.isNull() ? QStringLiteral("<null>") : v.toString());
        l << cells.join(u'|');
    }
    l.sort();
    return l;
}

// ---- What the window shows --------------------------------------------------------------

using Values = std::map<std::string, QString>;

struct Shown {
    QString box, description, account;
    bool variable = false, pide = false;
    int unit = 0;
    QString unitCode;
    // Grid row -> centre, description, share (row 0 unused).
    std::vector<std::array<QString, 3>> cells;
    int row = 0, col = 0; // the grid's current cell
    bool open = false;
    int openRow = -1, openCol = -1;
    QString openText;
    bool editing = false, isNew = false;
    int loads = 0, shows = 0, resets = 0;
    std::string focus;
    bool save = false, erase = false;

    Values values() const {
        Values v{{"txtCuenta", box},
                 {"ChkVariable", variable ? "1" : "0"},
                 {"ChkPideConf", pide ? "1" : "0"},
                 {"CmbUnegocio", QString::number(unit)}};
        for (size_t r = 1; r < cells.size(); ++r)
            for (int c = 0; c < 3; ++c)
                if (!cells[r][size_t(c)].isEmpty())
                    v[std::to_string(r) + '.' +
                      std::to_string(c == 0   ? 1
                                     : c == 1 ? 2
                                              : 3)] = cells[r][size_t(c)];
        // An open box shows its text over the cell.
        if (open && openRow > 0 && (openCol == 1 || openCol == 3)) {
            const std::string k = std::to_string(openRow) + '.' + std::to_string(openCol);
            if (openText.isEmpty())
                v.erase(k);
            else
                v[k] = openText;
        }
        return v;
    }
    // The lines as shown, the open box's text over its cell: centre ->
    // share text, in row order; a repeated centre comes twice.
    std::vector<std::pair<QString, QString>> lines() const {
        std::vector<std::pair<QString, QString>> l;
        for (size_t r = 1; r < cells.size(); ++r) {
            const bool here = open && openRow == int(r);
            const QString c = (here && openCol == 1 ? openText : cells[r][0]).trimmed();
            const QString p = (here && openCol == 3 ? openText : cells[r][2]).trimmed();
            if (!c.isEmpty())
                l.push_back({c.toUpper(), p});
        }
        return l;
    }
};

std::string focusName(const Frmta_asigccosto& w) {
    const QWidget* f = QApplication::focusWidget();
    if (!f)
        return {};
    for (const char* n :
         {"txtCuenta", "BrwTxt", "CmbUnegocio", "ChkVariable", "ChkPideConf", "MSHFlexGrid1"})
        if (f == w.findChild<QWidget*>(QLatin1String(n)))
            return n;
    const auto* grid = control<FlexGrid>(w, "FGCCosto");
    if (f == grid || grid->isAncestorOf(f))
        return "FGCCosto";
    return {};
}

Shown shown(const Frmta_asigccosto& w) {
    Shown s;
    s.box = control<QLineEdit>(w, "txtCuenta")->text();
    s.description = control<QLabel>(w, "lblDescripcion")->text();
    s.account = w.cuenta();
    s.variable = control<QCheckBox>(w, "ChkVariable")->isChecked();
    s.pide = control<QCheckBox>(w, "ChkPideConf")->isChecked();
    const auto* units = control<QComboBox>(w, "CmbUnegocio");
    s.unit = units->currentIndex();
    s.unitCode = s.unit > 0 ? units->currentData().toString() : QString();
    const auto* grid = control<FlexGrid>(w, "FGCCosto");
    s.cells.resize(size_t(std::max(grid->Rows(), 1)));
    for (int r = 1; r < grid->Rows(); ++r)
        for (int c = 1; c <= 3; ++c)
            s.cells[size_t(r)][size_t(c - 1)] = grid->TextMatrix(r, c);
    s.row = grid->Row();
    s.col = grid->Col();
    const auto* box = control<QLineEdit>(w, "BrwTxt");
    s.open = box->isVisible();
    if (s.open) {
        s.openText = box->text();
        // The box lies over the cell it edits.
        const QModelIndex i =
            grid->indexAt(grid->viewport()->mapFrom(box->parentWidget(), box->geometry().center()));
        s.openRow = i.isValid() ? i.row() : grid->Row();
        s.openCol = i.isValid() ? i.column() : grid->Col();
    }
    s.editing = w.enEdicion();
    s.isNew = w.esNuevo();
    s.loads = w.cargas();
    s.shows = w.cuentasMostradas();
    s.resets = w.reinicios();
    s.focus = focusName(w);
    const Paxtor* bar = control<Paxtor>(w, "Paxtor1");
    s.save = bar->estado(Paxtor::EstadoGrabar);
    s.erase = bar->estado(Paxtor::EstadoBorrar);
    return s;
}

// ---- The rules a save applies, for what the window showed -------------------------------

const std::set<QString> kCentres{"0101", "0102", "0201", "0202"};
const std::set<QString> kTitleCentres{"0100", "0200"};

// The refusal a save must give for the lines shown (empty: none).
QString refusalFor(const Shown& s) {
    std::set<QString> seen;
    qint64 total = 0;
    bool any = false;
    for (const auto& [c, p] : s.lines()) {
        if (kTitleCentres.count(c))
            return ccosto::MsgCentroTitulo;
        if (!kCentres.count(c))
            return ccosto::MsgCentroInexistente;
        if (!seen.insert(c).second)
            return ccosto::MsgCentroRepetido;
        const std::optional<qint64> v = share(p);
        if (!v || *v < 0 || *v > 10000000)
            return ccosto::MsgRangoPorcentaje;
        total += *v;
        any = true;
    }
    if (total < 0 || total > 10000000)
        return ccosto::MsgSumaPorcentajes;
    if (s.pide && any && total != 10000000)
        return ccosto::MsgSumaIncompleta;
    return QString();
}

// A refusal the account itself, or another user's change, may give instead.
bool isAccountRefusal(const QString& t) {
    return t == ccosto::MsgCuentaInexistente || t == ccosto::MsgCuentaTitulo ||
           t == ccosto::MsgSinCuenta || t == ccosto::MsgDistribucionCambiada;
}

bool isRefusal(const Notice& n) {
    return n.kind == Notice::Message && (n.style & 7) == vb::vbOKOnly &&
           !n.text.startsWith(u"No se pudo conectar al Punto");
}

bool isError(const Notice& n) {
    return n.kind == Notice::Message && (n.style & 0x70) == vb::vbCritical;
}

// ---- The walk over one window -----------------------------------------------------------

// What the user types: accounts with and without a distribution, titles,
// unknown and partial codes; centres, titles, unknown and partial centres;
// shares in range, out of range, with decimals, not numbers.
const char* const kAccounts[] = {"520101001", "530101001", "520101002", "530101002", "110101001",
                                 "5201",      "530101",    "999999999", "52010100",  ""};
const char* const kCentreCodes[] = {"0101", "0102", "0201", "0202", "0100", "0999", "01", ""};
const char* const kShares[] = {"70", "30",       "100", "0",      "50", "12,5",
                               "80", "33,33333", "20",  "100,01", "-1", "AB"};
const char* const kOtherOps[] = {"insert", "update", "delete", "flags", "unit", "account"};
const char* const kKeys[] = {"Tab", "Backtab", "Enter", "Escape", "Up", "Down",
                             "F2",  "F3",      "F4",    "F6",     "F9"};
const char* const kBarKeys[] = {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "CANCELAR"};

class CostCentreWalk {
public:
    CostCentreWalk(Frmta_asigccosto& w, FrmMA_CUENTAS* accounts, const Demo& demo)
        : w_(&w), accounts_(accounts), demo_(demo) {
        size_t i = 0;
        for (const testutil::TempDatabase* d : demo.databases()) {
            dbs_[i].open(d->path());
            versions_[i] = dbs_[i].version();
            ++i;
        }
        snapshots_ = demo.snapshots;
        last_ = shown(*w_);
        base_ = last_.values();
        noteLoad(last_, true);
        walk_ = std::make_unique<walk::Walk>(actions());
        walk_->before = [this](const Step& s) {
            if (command(s) && !last_.account.isEmpty())
                storedBefore_ = storedIn(dbs_[0], last_.account, last_.unitCode);
        };
        walk_->after = [this](const Step& s) { check(s); };
    }

    walk::Walk& walk() { return *walk_; }
    const Shown& now() const { return last_; }
    DbReader& db(int i) { return dbs_[size_t(i)]; }
    const std::vector<std::vector<Notice>>& noticesByStep() const { return noticesByStep_; }

private:
    FlexGrid* grid() const { return control<FlexGrid>(*w_, "FGCCosto"); }
    QLineEdit* accountBox() const { return control<QLineEdit>(*w_, "txtCuenta"); }
    static bool usable(const QWidget* c) { return c && c->isEnabled() && c->isVisible(); }
    QWidget* usable(const std::string& name, QWidget* c) const {
        if (!usable(c))
            throw std::runtime_error(name + " is not there to use");
        return c;
    }

    // ---- Actions ----
    std::vector<walk::Action> actions() {
        std::vector<walk::Action> a{
            {"account", [this] { return usable(accountBox()); },
             [](std::mt19937& g) { return std::string(pick(kAccounts, g)); },
             [this](const std::string& p) { typeAccount(p); }, 8},
            {"cell", [this] { return last_.editing; },
             [](std::mt19937& g) { return chooseCell(g); },
             [this](const std::string& p) { typeInCell(p, false); }, 14},
            {"cellEnter", [this] { return last_.editing; },
             [](std::mt19937& g) { return chooseCell(g); },
             [this](const std::string& p) { typeInCell(p, true); }, 22},
            {"type", [this] { return QApplication::focusWidget() != nullptr; },
             [](std::mt19937& g) {
                 return std::string(g() % 2 ? pick(kShares, g) : pick(kCentreCodes, g));
             },
             // Each character goes where the focus is then.
             [](const std::string& p) {
                 for (const QChar ch : QString::fromStdString(p))
                     if (QWidget* f = QApplication::focusWidget())
                         QTest::keyClicks(f, QString(ch));
             },
             4},
            {"key",
             {},
             [](std::mt19937& g) { return std::string(pick(kKeys, g)); },
             [this](const std::string& p) { key(p); },
             22},
            {"click",
             {},
             [this](std::mt19937& g) { return chooseClick(g); },
             [this](const std::string& p) { click(p); },
             20},
            {"right",
             [this] { return usable(accountBox()) || usable(control<QLineEdit>(*w_, "BrwTxt")); },
             [this](std::mt19937&) {
                 return std::string(usable(control<QLineEdit>(*w_, "BrwTxt")) ? "BrwTxt"
                                                                              : "txtCuenta");
             },
             [this](const std::string& p) {
                 QTest::mouseClick(usable(p, w_->findChild<QWidget*>(QString::fromStdString(p))),
                                   Qt::RightButton);
             },
             3},
            {"other", [this] { return !otherAccount().isEmpty(); },
             [](std::mt19937& g) { return std::string(pick(kOtherOps, g)); },
             [this](const std::string& p) { other(p); }, 6},
        };
        if (accounts_)
            a.push_back({"reopen",
                         {},
                         [](std::mt19937& g) { return std::string(pick(kAccounts, g)); },
                         [this](const std::string& p) { reopen(p); },
                         2});
        return a;
    }

    // "row.column=value": rows 1 to 4, the centre or the share column.
    static std::string chooseCell(std::mt19937& g) {
        const int row = 1 + int(g() % 4);
        const bool centre = g() % 2;
        return std::to_string(row) + (centre ? ".1=" : ".3=") +
               (centre ? pick(kCentreCodes, g) : pick(kShares, g));
    }

    void typeAccount(const std::string& p) {
        QLineEdit* box = static_cast<QLineEdit*>(usable("txtCuenta", accountBox()));
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        if (p.empty())
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QString::fromStdString(p));
    }

    void clickCell(int row, int column) {
        FlexGrid* g = static_cast<FlexGrid*>(usable("FGCCosto", grid()));
        if (row >= g->Rows())
            throw std::runtime_error("the grid has no row " + std::to_string(row));
        const QModelIndex i = g->model()->index(row, column);
        g->scrollTo(i);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(i).center());
    }

    // The cell clicked, the value typed over it (the first key opens the
    // box; none: Backspace opens it empty), and Enter when asked.
    void typeInCell(const std::string& p, bool enter) {
        const int row = std::stoi(p.substr(0, p.find('.')));
        const int column = std::stoi(p.substr(p.find('.') + 1, 1));
        const QString value = QString::fromStdString(p.substr(p.find('=') + 1));
        const size_t before = walk_->notices().size();
        clickCell(row, column);
        // A box the click gave (the cell left refused nothing) ends the typing.
        if (walk_->notices().size() != before)
            return;
        QLineEdit* box = control<QLineEdit>(*w_, "BrwTxt");
        if (box->isVisible() && QApplication::focusWidget() == box) {
            box->selectAll();
            if (value.isEmpty())
                QTest::keyClick(box, Qt::Key_Backspace);
        } else if (QWidget* f = QApplication::focusWidget()) {
            if (value.isEmpty())
                QTest::keyClick(f, Qt::Key_Backspace);
        }
        for (const QChar ch : value)
            if (QWidget* f = QApplication::focusWidget())
                QTest::keyClicks(f, QString(ch));
        if (enter)
            if (QWidget* f = QApplication::focusWidget())
                QTest::keyClick(f, Qt::Key_Return);
    }

    void key(const std::string& p) {
        static const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> kMap{
            {"Tab", {Qt::Key_Tab, {}}},      {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"Enter", {Qt::Key_Return, {}}}, {"Escape", {Qt::Key_Escape, {}}},
            {"Up", {Qt::Key_Up, {}}},        {"Down", {Qt::Key_Down, {}}},
            {"F2", {Qt::Key_F2, {}}},        {"F3", {Qt::Key_F3, {}}},
            {"F4", {Qt::Key_F4, {}}},        {"F6", {Qt::Key_F6, {}}},
            {"F9", {Qt::Key_F9, {}}}};
        const auto& [k, m] = kMap.at(p);
        QWidget* f = QApplication::focusWidget();
        QTest::keyClick(f && f->window() == w_ ? f : static_cast<QWidget*>(w_), k, m);
    }

    std::string chooseClick(std::mt19937& g) const {
        std::vector<std::string> d;
        for (const char* n : {"txtCuenta", "ChkVariable", "ChkPideConf"})
            if (usable(w_->findChild<QWidget*>(QLatin1String(n))))
                d.push_back(n);
        if (const auto* l = control<QComboBox>(*w_, "CmbUnegocio"); usable(l))
            for (int i = 0; i < 2; ++i)
                d.push_back("CmbUnegocio:" + std::to_string(g() % unsigned(l->count())));
        if (usable(grid()))
            for (int i = 0; i < 3; ++i)
                d.push_back("FGCCosto:" + std::to_string(1 + g() % 4) + '.' +
                            std::to_string(1 + g() % 3));
        if (const auto* list = control<FlexGrid>(*w_, "MSHFlexGrid1");
            usable(list) && list->Rows() > 1)
            d.push_back("MSHFlexGrid1:" + std::to_string(1 + g() % unsigned(list->Rows() - 1)));
        const Paxtor* bar = control<Paxtor>(*w_, "Paxtor1");
        for (const char* k : kBarKeys)
            if (bar->estado(Paxtor::Estado(Paxtor::Claves().indexOf(k) + 1)))
                d.push_back(std::string("Paxtor:") + k);
        return d[g() % d.size()];
    }

    void click(const std::string& p) {
        const size_t sep = p.find(':');
        const std::string n = p.substr(0, sep);
        const std::string arg = sep == std::string::npos ? std::string() : p.substr(sep + 1);
        if (n == "Paxtor")
            return QTest::mouseClick(
                usable(p, control<Paxtor>(*w_, "Paxtor1")->boton(QString::fromStdString(arg))),
                Qt::LeftButton);
        if (n == "FGCCosto")
            return clickCell(std::stoi(arg.substr(0, arg.find('.'))),
                             std::stoi(arg.substr(arg.find('.') + 1)));
        if (n == "MSHFlexGrid1") {
            auto* list = static_cast<FlexGrid*>(usable(n, control<FlexGrid>(*w_, n.c_str())));
            const int row = std::stoi(arg);
            if (row >= list->Rows())
                throw std::runtime_error("the list has no row " + arg);
            const QModelIndex i = list->model()->index(row, 0);
            list->scrollTo(i);
            return QTest::mouseDClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualRect(i).center());
        }
        if (n == "CmbUnegocio")
            return chooseInList(
                static_cast<QComboBox*>(usable(n, control<QComboBox>(*w_, "CmbUnegocio"))),
                std::stoi(arg));
        QWidget* c = usable(n, w_->findChild<QWidget*>(QString::fromStdString(n)));
        if (qobject_cast<QCheckBox*>(c))
            QTest::mouseClick(c, Qt::LeftButton, {}, QPoint(8, c->height() / 2));
        else
            QTest::mouseClick(c, Qt::LeftButton);
    }

    void chooseInList(QComboBox* l, int i) {
        const size_t notices = walk_->notices().size();
        QTest::mouseClick(l, Qt::LeftButton);
        QAbstractItemView* v = l->view();
        if (i >= 0 && i < l->count() && v->isVisible() && walk_->notices().size() == notices) {
            const QModelIndex item = v->model()->index(i, l->modelColumn());
            v->scrollTo(item);
            v->setCurrentIndex(item);
            QTest::keyClick(v, Qt::Key_Return);
        }
        if (v->isVisible())
            QTest::keyClick(v, Qt::Key_Escape);
    }

    // The accounts window on another code, and its side toolbar's cost
    // centres.
    void reopen(const std::string& code) {
        QApplication::setActiveWindow(accounts_);
        (void)QTest::qWaitForWindowActive(accounts_);
        auto* box = accounts_->findChild<QLineEdit*>(QStringLiteral("TxtCodigo"));
        if (!usable(box)) {
            // Editing there: the user gives it up first.
            accounts_->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
            if (!usable(box))
                return;
        }
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, QString::fromStdString(code));
        const size_t notices = walk_->notices().size();
        QTest::keyClick(box, Qt::Key_Tab);
        // A code the accounts window refused there opens nothing.
        if (walk_->notices().size() != notices)
            return;
        auto* tbar = accounts_->findChild<QToolBar*>(QStringLiteral("Tbar"));
        if (QWidget* b = tbar->widgetForAction(accounts_->BotonTbar(4)); usable(b))
            QTest::mouseClick(b, Qt::LeftButton);
        reopened_ = CuentaActual.trimmed();
    }

    // The account another connection works on: the one shown or typed.
    QString otherAccount() const {
        const QString a = !last_.account.isEmpty() ? last_.account : last_.box.trimmed();
        return a.size() == 9 ? a : QString();
    }

    // Another connection's change to the distribution shown, its flags or
    // its account.
    void other(const std::string& op) {
        const QString a = sqltext::literal(otherAccount());
        const QString unit = last_.unitCode;
        const QString table = unit.isEmpty() ? QStringLiteral("MA_CUENTASCCOSTO")
                                             : QStringLiteral("MA_CUENTASCCOSTO_UNEG");
        const QString where =
            QStringLiteral(" WHERE CODIGO = ") + a +
            (unit.isEmpty() ? QStringLiteral(" AND CCOSTO <> ' '")
                            : QStringLiteral(" AND UNEGOCIO = ") + sqltext::literal(unit));
        QString sql;
        if (op == "insert") {
            // A centre the distribution does not have yet.
            QString free;
            for (const QString& c : kCentres)
                if (demo_.company
                        .rows(QStringLiteral("SELECT 1 FROM ") + table + where +
                              QStringLiteral(" AND CCOSTO = ") + sqltext::literal(c))
                        .isEmpty()) {
                    free = c;
                    break;
                }
            if (free.isEmpty())
                return;
            sql = unit.isEmpty()
                      ? QStringLiteral("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, "
                                       "FECHAHORA_MODIFICACION, PideConfirmacion, VariablePorUD) "
                                       "VALUES (%1, %2, 5, '2024-03-15 10:00:00', 0, 0)")
                            .arg(a, sqltext::literal(free))
                      : QStringLiteral("INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, "
                                       "CCOSTO, PORCENTAJE) VALUES (%1, %2, %3, 5)")
                            .arg(a, sqltext::literal(unit), sqltext::literal(free));
        } else if (op == "update") {
            sql = QStringLiteral("UPDATE ") + table +
                  QStringLiteral(" SET PORCENTAJE = PORCENTAJE / 2") + where;
        } else if (op == "delete") {
            sql = QStringLiteral("DELETE FROM ") + table + where +
                  QStringLiteral(" AND CCOSTO = (SELECT MIN(CCOSTO) FROM ") + table + where + u')';
        } else if (op == "flags") {
            sql = QStringLiteral("UPDATE MA_CUENTASCCOSTO SET PideConfirmacion = 1 - "
                                 "IFNULL(PideConfirmacion, 1), VariablePorUD = 1 WHERE CODIGO = ") +
                  a;
        } else if (op == "unit") {
            sql = QStringLiteral("INSERT OR IGNORE INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, "
                                 "CCOSTO, PORCENTAJE) VALUES (%1, '0002', '0202', 40)")
                      .arg(a);
        } else {
            sql = QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = ") + a;
        }
        demo_.company.tryExec(sql);
    }

    // ---- Checks ----
    static std::optional<QString> command(const Step& s) {
        static const std::map<std::string, QString> kByKey{{"F2", "NUEVO"},
                                                           {"F3", "BORRAR"},
                                                           {"F4", "GRABAR"},
                                                           {"F6", "CONSULTAR"},
                                                           {"F9", "CANCELAR"}};
        if (s.action == "key" && kByKey.count(s.param))
            return kByKey.at(s.param);
        if (s.action == "click" && startsWith(s.param, "Paxtor:"))
            return QString::fromStdString(s.param.substr(7));
        return std::nullopt;
    }

    bool answered(const QString& t, int answer) const {
        const auto& n = walk_->notices();
        return std::any_of(n.begin(), n.end(),
                           [&](const Notice& x) { return x.text == t && x.answer == answer; });
    }

    // What the window read of the databases when it loaded: the
    // distribution (account and unit) and, when it showed the account, its
    // flags. The step a load ran in saw no other connection act.
    void noteLoad(const Shown& s, bool flags) {
        if (s.account.isEmpty())
            return;
        const Stored st = storedIn(dbs_[0], s.account, s.unitCode);
        loadedLines_[s.account + u'|' + s.unitCode] = st.lines;
        if (flags)
            loadedFlags_[s.account] = st.flags;
    }

    void check(const Step& s) {
        // A lookup or a box takes the activation with it: the user comes back.
        if (QApplication::activeWindow() != w_) {
            w_->activateWindow();
            QApplication::setActiveWindow(w_);
            (void)QTest::qWaitForWindowActive(w_);
        }
        const Shown now = shown(*w_);
        const Shown was = last_;
        const std::vector<Notice>& notices = walk_->notices();
        noticesByStep_.push_back(notices);
        const auto fail = [&](const char* i, const QString& m) { walk_->fail(i, m); };
        const auto any = [&](const auto& p) {
            return std::any_of(notices.begin(), notices.end(), p);
        };

        std::array<walk::Snapshot, 3> snapshots = snapshots_;
        std::array<std::vector<Change>, 3> changed;
        for (size_t i = 0; i < 3; ++i)
            if (const qint64 v = dbs_[i].version(); v != versions_[i]) {
                versions_[i] = v;
                snapshots[i] = walk::snapshot(dbs_[i], kTables);
                changed[i] = walk::changes(snapshots_[i], snapshots[i]);
            }

        const std::optional<QString> cmd = command(s);
        const int refusals = int(std::count_if(notices.begin(), notices.end(), isRefusal));
        const bool error = any(isError);
        const bool save = cmd == u"GRABAR", erase = cmd == u"BORRAR";
        const bool reset = now.resets != was.resets;
        const bool done = (save || erase) && was.editing && !now.editing && reset && !refusals &&
                          !error && (!erase || answered(kConfirmDelete, vb::vbYes));
        const QString A = was.account;
        const char* kept = cmd && (refusals || error) ? "I2" : "I3";
        const auto context = [&] {
            return QStringLiteral(" (account '%1' -> '%2', box '%3' -> '%4', editing %5 -> %6, "
                                  "unit %7 -> %8)")
                .arg(was.account, now.account, was.box, now.box)
                .arg(was.editing)
                .arg(now.editing)
                .arg(was.unit)
                .arg(now.unit);
        };

        // I1, I2: the databases.
        if (s.action == "other") {
            for (size_t i = 1; i < 3; ++i)
                if (!changed[i].empty())
                    fail("I1", QStringLiteral("a copy changed with the company's database: ") +
                                   walk::describe(changed[i]));
        } else if (!done) {
            for (const auto& x : changed)
                if (!x.empty())
                    fail(cmd && (refusals || error) ? "I2" : "I1",
                         QStringLiteral("a database changed though no command was reported "
                                        "done: ") +
                             walk::describe(x) + context());
        } else {
            checkDone(was, save, changed);
        }

        // I2: a save's refusal holds for what was shown.
        if (save && was.editing && was.box.trimmed() == was.account) {
            const QString expected = refusalFor(was);
            const bool byAccount = any([](const Notice& x) { return isAccountRefusal(x.text); });
            if (done && !expected.isEmpty())
                fail("I1", QStringLiteral("stored a distribution the save must refuse with '") +
                               expected + QStringLiteral("': ") + linesText(was));
            else if (!done && expected.isEmpty() && !byAccount && !error && refusals)
                fail("I2", QStringLiteral("the save was refused though what was shown passes: ") +
                               linesText(was));
            else if (!done && !expected.isEmpty() && !byAccount &&
                     !any([&](const Notice& x) { return x.text == expected; }))
                fail("I2", QStringLiteral("the save refused otherwise than '") + expected +
                               QStringLiteral("' for ") + linesText(was));
        }

        // I4: one box per refusal.
        std::set<QString> told;
        for (const Notice& x : notices)
            if (isRefusal(x) && !told.insert(x.text).second)
                fail("I4", QStringLiteral("the refusal '") + x.text +
                               QStringLiteral("' shown twice in one action"));

        // I3: who changed each field.
        const bool lookup = any([](const Notice& x) { return x.kind == Notice::Lookup; });
        const bool chosen =
            any([](const Notice& x) { return x.kind == Notice::Lookup && x.answer >= 0; });
        const bool loaded = now.loads != was.loads;
        const bool showedAccount = now.shows != was.shows;
        const bool edited = was.box.trimmed() != was.account;
        const bool enterInBox = s.action == "key" && s.param == "Enter" && was.focus == "txtCuenta";
        // The side list's account, clicked or taken with Enter.
        const bool list = startsWith(s.param, "MSHFlexGrid1:") ||
                          (s.action == "key" && s.param == "Enter" && was.focus == "MSHFlexGrid1");
        const bool reopened = s.action == "reopen";
        const bool gaveUp = answered(kAbandon, vb::vbYes);
        // The user asked for an account: Enter in its box, a command on an
        // edited box, a lookup's choice, the side list, the accounts window.
        const bool askedAccount =
            enterInBox || (cmd && edited) || chosen || list || reopened || lookup;
        const bool askedReset =
            reset && (done || cmd == u"NUEVO" || (cmd == u"CANCELAR" && gaveUp) || reopened);
        // Typed and still differing from what the last load or reset showed.
        QStringList typedData;
        for (const std::string& k : typed_)
            if (k != "txtCuenta" && k != "CmbUnegocio") {
                const Values v = was.values();
                const QString before = base_.count(k) ? base_.at(k) : QString();
                const QString after = v.count(k) ? v.at(k) : QString();
                if (before != after)
                    typedData << QString::fromStdString(k) + u'=' + after;
            }
        if (showedAccount && was.editing && !typedData.isEmpty() && !gaveUp && !done && !askedReset)
            fail("I3",
                 QStringLiteral("what was typed for ") + was.account +
                     QStringLiteral(" (%1) was dropped without asking").arg(typedData.join(u',')) +
                     context());
        if (reset && !askedReset && !(cmd == u"BORRAR" && refusals))
            fail(kept, QStringLiteral("the window was cleared though nobody asked") + context());

        const std::set<std::string> own = ownChanges(s, was, now);
        const bool unitChosen = now.unit != was.unit && own.count("CmbUnegocio");
        const Values before = was.values(), after = now.values();
        std::set<std::string> keys;
        for (const auto& [k, v] : before)
            keys.insert(k);
        for (const auto& [k, v] : after)
            keys.insert(k);
        std::set<std::string> set;
        for (const std::string& k : keys) {
            const QString b = before.count(k) ? before.at(k) : QString();
            const QString a = after.count(k) ? after.at(k) : QString();
            if (a == b)
                continue;
            const bool cell = std::isdigit(static_cast<unsigned char>(k[0])) != 0;
            bool fine = own.count(k) || askedReset;
            if (k == "txtCuenta")
                fine = fine || chosen || list || reopened ||
                       (a.trimmed() == now.account && (showedAccount || was.editing));
            else if (k == "ChkVariable" || k == "ChkPideConf")
                fine = fine || (showedAccount && (askedAccount || gaveUp));
            else if (cell)
                fine = fine || (loaded && (askedAccount || unitChosen || gaveUp));
            if (fine) {
                if (own.count(k))
                    set.insert(k);
                continue;
            }
            fail(kept, QString::fromStdString(k) + QStringLiteral(" changed from '") + b +
                           QStringLiteral("' to '") + a + u'\'' +
                           (typed_.count(k) ? QStringLiteral(", typed by the user") : QString()) +
                           context());
        }

        if (loaded)
            noteLoad(now, showedAccount || reset);
        if (showedAccount || reset) {
            typed_.clear();
            base_ = now.values();
        } else if (loaded) {
            // Another unit: its lines are what the user types over now.
            for (auto i = typed_.begin(); i != typed_.end();)
                i = std::isdigit(static_cast<unsigned char>((*i)[0])) ? typed_.erase(i) : ++i;
            const Values v = now.values();
            for (auto i = base_.begin(); i != base_.end();)
                i = std::isdigit(static_cast<unsigned char>(i->first[0])) ? base_.erase(i) : ++i;
            for (const auto& [k, x] : v)
                if (std::isdigit(static_cast<unsigned char>(k[0])))
                    base_[k] = x;
        }
        typed_.insert(set.begin(), set.end());
        snapshots_ = snapshots;
        last_ = now;
    }

    // The fields the step itself set: the cells of the row it edited (a
    // centre brings its description, an emptied centre empties the line),
    // the account box typed into, the box or list clicked.
    std::set<std::string> ownChanges(const Step& s, const Shown& was, const Shown& now) const {
        std::set<std::string> r;
        const auto row = [&](int n) {
            for (const char* c : {".1", ".2", ".3"})
                r.insert(std::to_string(n) + c);
        };
        // An open box commits into its row when the step moves or saves.
        if (was.open && was.openRow > 0)
            row(was.openRow);
        if (s.action == "cell" || s.action == "cellEnter" || s.action == "type" ||
            s.action == "key" || s.action == "right")
            for (int n = 1; n < int(now.cells.size()); ++n)
                if ((now.open && now.openRow == n) || (was.open && was.openRow == n))
                    row(n);
        if (s.action == "cell" || s.action == "cellEnter")
            row(std::stoi(s.param.substr(0, s.param.find('.'))));
        // A lookup fills its field with the choice, or empties it when
        // cancelled: the account box, or the centre of the current line.
        if (std::any_of(walk_->notices().begin(), walk_->notices().end(),
                        [](const Notice& x) { return x.kind == Notice::Lookup; })) {
            r.insert("txtCuenta");
            row(was.open ? was.openRow : was.row);
        }
        if (s.action == "account" || (s.action == "type" && was.focus == "txtCuenta"))
            r.insert("txtCuenta");
        if (s.action == "click" && (s.param == "ChkVariable" || s.param == "ChkPideConf"))
            r.insert(s.param);
        if (startsWith(s.param, "CmbUnegocio:") ||
            ((s.action == "key" || s.action == "type") && was.focus == "CmbUnegocio"))
            r.insert("CmbUnegocio");
        return r;
    }

    static QString linesText(const Shown& s) {
        QStringList l;
        for (const auto& [c, p] : s.lines())
            l << c + u'=' + p;
        return l.join(u',') + QStringLiteral(" pide ") + QString::number(s.pide);
    }

    // A save or delete reported done on the distribution shown.
    void checkDone(const Shown& was, bool save, const std::array<std::vector<Change>, 3>& changed) {
        const auto fail = [&](const char* i, const QString& m) { walk_->fail(i, m); };
        const QString A = was.account, U = was.unitCode;
        for (const auto& x : changed)
            for (const Change& y : x)
                if (y.key != A || y.table == u"MA_CUENTAS")
                    fail("I1", QStringLiteral("the command on ") + A +
                                   QStringLiteral(" changed other rows: ") + walk::describe({y}));
        const Stored after = storedIn(dbs_[0], A, U);
        const Stored& before = storedBefore_;
        // Never over another connection's change since the window read it.
        const auto lines = loadedLines_.find(A + u'|' + U);
        const auto flags = loadedFlags_.find(A);
        if (lines != loadedLines_.end() && lines->second != before.lines)
            fail("I1", QStringLiteral("the command on %1 overwrote lines another connection "
                                      "changed after the window read them: read %2, found %3")
                           .arg(A, asText(lines->second), before.asText()));
        if (flags != loadedFlags_.end() && flags->second != before.flags)
            fail("I1", QStringLiteral("the command on %1 overwrote flags another connection "
                                      "changed after the window read them: read %2, found %3")
                           .arg(A, flags->second.join(u','), before.flags.join(u',')));
        if (save) {
            std::map<QString, qint64> expected;
            for (const auto& [c, p] : was.lines())
                expected[c] = share(p).value_or(-1);
            if (after.lines != expected)
                fail("I1", QStringLiteral("stored %1 differs from what was shown: %2")
                               .arg(asText(after.lines), linesText(was)));
            const QString f = QStringLiteral("%1|%2").arg(int(was.pide)).arg(int(was.variable));
            for (const QString& x : after.flags)
                if (x != f)
                    fail("I1", QStringLiteral("a general row of %1 keeps the flags %2, shown %3")
                                   .arg(A, x, f));
        } else {
            if (!after.lines.empty())
                fail("I4", QStringLiteral("BORRAR reported done but %1 keeps %2")
                               .arg(A, asText(after.lines)));
            // The flags stay as stored.
            if (!before.flags.isEmpty())
                for (const QString& x : after.flags)
                    if (x != before.flags.front())
                        fail("I1", QStringLiteral("the delete changed the flags of %1 from %2 "
                                                  "to %3")
                                       .arg(A, before.flags.front(), x));
        }
        // The account's flags stay while it has unit lines, on a row of no
        // centre when it has no general line; that row goes with the last
        // unit line.
        const bool unitLines = after.units > 0;
        const bool generalLines = after.general > (after.flagsRow ? 1 : 0);
        const bool rule = after.flagsRow == (unitLines && !generalLines);
        const bool ruleBefore =
            before.flagsRow == (before.units > 0 && before.general <= (before.flagsRow ? 1 : 0));
        if (!rule && ruleBefore)
            fail("I1", QStringLiteral("after the command %1 has %2 unit rows, %3 general rows and "
                                      "%4 flags row")
                           .arg(A)
                           .arg(after.units)
                           .arg(after.general)
                           .arg(after.flagsRow ? "a" : "no"));
        if (unitLines && after.general == 0 && before.general > 0)
            fail("I1", QStringLiteral("the flags of ") + A +
                           QStringLiteral(" were lost while it keeps unit rows"));
        // The group's copy holds what the company stores of what was written;
        // no point of sale takes these tables.
        if (!changed[2].empty())
            fail("I1", QStringLiteral("the point of sale changed: ") + walk::describe(changed[2]));
        for (size_t i = 1; i < 2; ++i) {
            const auto same = [&](const char* table, const QString& unit) {
                if (rowsOf(dbs_[0], table, A, unit) != rowsOf(dbs_[i], table, A, unit))
                    fail("I1", QStringLiteral("copy %1 does not hold the company's %2 of %3")
                                   .arg(i)
                                   .arg(QLatin1String(table), A));
            };
            same("MA_CUENTASCCOSTO", QString());
            if (!U.isEmpty())
                same("MA_CUENTASCCOSTO_UNEG", U);
        }
    }

    Frmta_asigccosto* w_;
    FrmMA_CUENTAS* accounts_;
    const Demo& demo_;
    std::array<DbReader, 3> dbs_;
    std::array<qint64, 3> versions_{};
    std::array<walk::Snapshot, 3> snapshots_;
    Shown last_;
    std::unique_ptr<walk::Walk> walk_;
    std::set<std::string> typed_;
    Values base_;
    std::map<QString, std::map<QString, qint64>> loadedLines_; // account|unit -> lines read
    std::map<QString, QStringList> loadedFlags_;               // account -> flags read
    Stored storedBefore_;
    QString reopened_;
    std::vector<std::vector<Notice>> noticesByStep_;
};

// How a walk starts: the program's own cost-centre window, or the accounts
// window's, on an account.
struct Start {
    bool fromAccounts = false;
    QString account;
};

const char* const kStartAccounts[] = {"520101001", "530101001", "520101002", "110101001", "5201"};

Start startOf(unsigned seed) {
    return {seed % 2 == 0, QString::fromLatin1(kStartAccounts[(seed / 2) % 5])};
}

class CostCentreWalkTest : public WalkFixture<Demo> {
protected:
    CostCentreWalk& start(const Start& how) {
        restoreDemo(how.fromAccounts ? QString() : QStringLiteral(" @Menu=CN_CCOSTOS;"));
        CNStuffContable::IniciaSistema();
        Frmta_asigccosto* w = nullptr;
        if (how.fromAccounts) {
            accounts_ = std::make_unique<FrmMA_CUENTAS>();
            accounts_->Form_Load();
            ConectaVentanasRelacionadas(*accounts_);
            accounts_->resize(1280, 800);
            accounts_->show();
            QApplication::setActiveWindow(accounts_.get());
            EXPECT_TRUE(QTest::qWaitForWindowActive(accounts_.get()));
            auto* code = accounts_->findChild<QLineEdit*>(QStringLiteral("TxtCodigo"));
            QTest::mouseClick(code, Qt::LeftButton);
            QTest::keyClicks(code, how.account);
            QTest::keyClick(code, Qt::Key_Tab);
            accounts_->Tbar_ButtonClick(accounts_->BotonTbar(4));
            w = Frmta_asigccosto::Instancia();
        } else {
            w = Frmta_asigccosto::Muestra(true);
        }
        EXPECT_NE(w, nullptr);
        w->resize(1280, 800);
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        walk_ = std::make_unique<CostCentreWalk>(*w, accounts_.get(), demo());
        return *walk_;
    }

    void stop() override {
        walk_.reset();
        delete Frmta_asigccosto::Instancia();
        accounts_.reset();
        resetConsulta();
        resetInstances();
    }

    std::unique_ptr<FrmMA_CUENTAS> accounts_;
    std::unique_ptr<CostCentreWalk> walk_;
};

// ---- Random walks --------------------------------------------------------------------------

constexpr int kShards = 8;
constexpr int kWalksPerShard = 30;
constexpr int kSteps = 20;

class CostCentreRandomWalks : public CostCentreWalkTest,
                              public ::testing::WithParamInterface<int> {};

TEST_P(CostCentreRandomWalks, EveryStepKeepsTheInvariants) {
    EXPECT_EQ(
        walk::runSeeds(walk::seeds(1 + unsigned(GetParam() * kWalksPerShard), kWalksPerShard),
                       walk::requestedSteps(kSteps),
                       [&](unsigned seed) -> walk::Walk& { return start(startOf(seed)).walk(); }),
        0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, CostCentreRandomWalks, ::testing::Range(0, kShards));

// More walks when asked for (QUARZELO_PASEOS, paseo.h).
TEST_F(CostCentreWalkTest, RequestedWalks) {
    const std::vector<unsigned> seeds = walk::requestedSeeds(1 + kShards * kWalksPerShard);
    if (seeds.empty())
        GTEST_SKIP() << "QUARZELO_PASEOS is not set";
    EXPECT_EQ(
        walk::runSeeds(seeds, walk::requestedSteps(kSteps),
                       [&](unsigned seed) -> walk::Walk& { return start(startOf(seed)).walk(); }),
        0);
}

// ---- Fixed walks -----------------------------------------------------------------------------

struct Road {
    const char* name;
    Start how;
    std::vector<Step> steps;
    std::function<void(CostCentreWalk&)> end = {};
};

QString general(CostCentreWalk& w, const char* account) {
    QStringList l;
    for (const QVariantList& r :
         w.db(0).rows(QStringLiteral("SELECT CCOSTO, PORCENTAJE, PideConfirmacion, VariablePorUD "
                                     "FROM MA_CUENTASCCOSTO WHERE CODIGO = '%1' ORDER BY CCOSTO")
                          .arg(QLatin1String(account))))
        l << QStringLiteral("%1=%2/%3%4")
                 .arg(r[0].toString(), QString::number(r[1].toDouble()), r[2].toString(),
                      r[3].toString());
    return l.join(u',');
}

QString units(CostCentreWalk& w, const char* account) {
    QStringList l;
    for (const QVariantList& r : w.db(0).rows(
             QStringLiteral("SELECT UNEGOCIO, CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO_UNEG "
                            "WHERE CODIGO = '%1' ORDER BY 1, 2")
                 .arg(QLatin1String(account))))
        l << QStringLiteral("%1:%2=%3")
                 .arg(r[0].toString(), r[1].toString(), QString::number(r[2].toDouble()));
    return l.join(u',');
}

bool showed(CostCentreWalk& w, const QString& t) {
    for (const auto& step : w.noticesByStep())
        for (const Notice& n : step)
            if (n.text == t)
                return true;
    return false;
}

const char* const k5301 = "0101=35/01,0102=20/01,0201=25/01,0202=20/01";
const char* const k5201 = "0101=70/00,0102=30/00";

std::vector<Road> roads() {
    const Step accept5201[] = {{"account", "520101001"}, {"key", "Enter"}};
    const Step unit2[] = {{"click", "ChkVariable"}, {"click", "CmbUnegocio:2"}};
    std::vector<Road> r;
    // The box edited browsing and F4: nothing is stored under the code typed.
    for (const bool fromAccounts : {false, true}) {
        std::vector<Step> steps{{"account", "530101001"}, {"key", "F4"}, {"key", "F4"}};
        if (!fromAccounts)
            steps.insert(steps.begin(), {accept5201[0], accept5201[1], {"key", "F4"}});
        r.push_back({fromAccounts ? "F4AfterTheBoxEditedFromTheAccountsWindow"
                                  : "F4AfterTheBoxEditedStandalone",
                     {fromAccounts, "520101001"},
                     steps,
                     [](CostCentreWalk& w) {
                         EXPECT_EQ(general(w, "530101001"), k5301);
                         EXPECT_EQ(general(w, "520101001"), k5201);
                     }});
    }
    r.push_back({"F4AfterTheBoxEditedAndTheGridTyped",
                 {false, ""},
                 {{"account", "530101001"},
                  {"cellEnter", "1.1=0101"},
                  {"cellEnter", "1.3=100"},
                  {"key", "F4"}},
                 [](CostCentreWalk& w) { EXPECT_EQ(general(w, "530101001"), k5301); }});
    r.push_back({"GeneralDeletedKeepsTheFlagsOfTheUnitRows",
                 {false, ""},
                 {accept5201[0],
                  accept5201[1],
                  unit2[0],
                  unit2[1],
                  {"cellEnter", "1.1=0201"},
                  {"cellEnter", "1.3=100"},
                  {"key", "F4"},
                  accept5201[0],
                  accept5201[1],
                  {"key", "F3", {vb::vbYes}}},
                 [](CostCentreWalk& w) {
                     EXPECT_EQ(general(w, "520101001"), " =0/01");
                     EXPECT_EQ(units(w, "520101001"), "0002:0201=100");
                 }});
    r.push_back({"LastUnitLineEmptiedTakesTheFlagsRow",
                 {false, ""},
                 {{"account", "520101002"},
                  {"key", "Enter"},
                  unit2[0],
                  unit2[1],
                  {"cellEnter", "1.1=0201"},
                  {"cellEnter", "1.3=100"},
                  {"key", "F4"},
                  {"account", "520101002"},
                  {"key", "Enter"},
                  unit2[1],
                  {"cellEnter", "1.1="},
                  {"key", "F4"}},
                 [](CostCentreWalk& w) {
                     EXPECT_EQ(general(w, "520101002"), "");
                     EXPECT_EQ(units(w, "520101002"), "");
                 }});
    r.push_back({"EscapeAfterARefusedShare",
                 {false, ""},
                 {accept5201[0],
                  accept5201[1],
                  {"cellEnter", "1.3=80"},
                  {"key", "Escape"},
                  {"cellEnter", "2.3=20"},
                  {"key", "F4"}},
                 [](CostCentreWalk& w) {
                     EXPECT_TRUE(showed(w, ccosto::MsgSumaPorcentajes));
                     EXPECT_EQ(general(w, "520101001"), "0101=70/00,0102=20/00");
                 }});
    r.push_back({"EscapeAfterARepeatedCentre",
                 {false, ""},
                 {accept5201[0],
                  accept5201[1],
                  {"cellEnter", "1.1=0102"},
                  {"key", "Escape"},
                  {"key", "F4"}},
                 [](CostCentreWalk& w) {
                     EXPECT_TRUE(showed(w, ccosto::MsgCentroRepetido));
                     EXPECT_EQ(general(w, "520101001"), k5201);
                 }});
    r.push_back({"UnitOnlyAccountSavedWithTheWholeShareAsked",
                 {false, ""},
                 {{"account", "520101002"},
                  {"key", "Enter"},
                  unit2[0],
                  unit2[1],
                  {"click", "ChkPideConf"},
                  {"cellEnter", "1.1=0201"},
                  {"cellEnter", "1.3=100"},
                  {"key", "F4"},
                  // General, which has no line: nothing to complete.
                  {"account", "520101002"},
                  {"key", "Enter"},
                  {"key", "F4"}},
                 [](CostCentreWalk& w) {
                     EXPECT_EQ(general(w, "520101002"), " =0/11");
                     EXPECT_EQ(units(w, "520101002"), "0002:0201=100");
                     EXPECT_FALSE(w.now().editing);
                 }});
    // A box left with Shift+Tab gives the grid the focus back: its text goes
    // into the line through the same check as a cell left with the mouse.
    r.push_back(
        {"BoxLeftWithBacktabThenF4",
         {false, ""},
         {accept5201[0], accept5201[1], {"cell", "2.3=20"}, {"key", "Backtab"}, {"key", "F4"}},
         [](CostCentreWalk& w) { EXPECT_EQ(general(w, "520101001"), "0101=70/00,0102=20/00"); }});
    r.push_back({"RefusedCentreLeftWithBacktab",
                 {false, ""},
                 {{"account", "530101001"},
                  {"key", "Enter"},
                  {"cellEnter", "2.1=01"},
                  {"type", "-1"},
                  {"key", "Backtab"},
                  {"cellEnter", "3.1=0101"}}});
    // Another account taken from the side list with a share still in the
    // open box: the box's text is typed, so the window asks first.
    for (const int answer : {vb::vbNo, vb::vbYes})
        r.push_back(
            {answer == vb::vbNo ? "SideListWithTheBoxOpenKept" : "SideListWithTheBoxOpenGivenUp",
             {false, ""},
             {accept5201[0],
              accept5201[1],
              {"cell", "2.3=20"},
              {"click", "MSHFlexGrid1:2", {answer}}},
             [answer](CostCentreWalk& w) {
                 EXPECT_TRUE(showed(w, kAbandon));
                 EXPECT_EQ(w.now().account, answer == vb::vbNo ? "520101001" : "530101001");
             }});
    r.push_back({"AnotherUsersSaveBeforeF4",
                 {true, "520101001"},
                 {accept5201[0],
                  accept5201[1],
                  {"other", "update"},
                  {"cellEnter", "2.3=20"},
                  {"key", "F4"}},
                 [](CostCentreWalk& w) {
                     EXPECT_TRUE(showed(w, ccosto::MsgDistribucionCambiada));
                     EXPECT_EQ(general(w, "520101001"), "0101=35/00,0102=15/00");
                 }});
    return r;
}

class CostCentreFixedWalks : public CostCentreWalkTest,
                             public ::testing::WithParamInterface<size_t> {};

TEST_P(CostCentreFixedWalks, KeepTheInvariants) {
    const Road road = roads()[GetParam()];
    CostCentreWalk& w = start(road.how);
    EXPECT_TRUE(w.walk().replay(road.steps)) << w.walk().report();
    if (road.end)
        road.end(w);
}

INSTANTIATE_TEST_SUITE_P(Roads, CostCentreFixedWalks, ::testing::Range<size_t>(0, roads().size()),
                         [](const auto& i) { return std::string(roads()[i.param].name); });

} // namespace
