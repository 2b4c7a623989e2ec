// Random and fixed walks over the accounts window on the demo company (with
// its group and point-of-sale copies), checked after every action against
// the databases read through connections of the test's own:
//   I1 a database changes only through a GRABAR or BORRAR the window reports
//      as done, and stores what the window showed when the key was pressed;
//      a save never overwrites what another connection changed since the
//      window loaded (or took as new) the account;
//   I2 a command that shows a refusal or an error changes no database and
//      leaves what was typed as it was;
//   I3 a control's value changes only by the user's own typing or choice in
//      it (with the side effects the window's rules give), by a load of an
//      account the user asked for (the controls then show the stored row), or
//      by a reset the user asked for; the code box and the code field agree;
//   I4 no success message without its change stored, one box per refusal;
//   I5 a related window opens only on the account the window's state is for.

#include "cuentas_fixture.h"

#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/grilla_personalizados.h"
#include "common/paseo.h"
#include "common/paseo_demo.h"
#include "common/paseo_fixture.h"
#include "platform/sql/quoting.h"
#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <iterator>
#include <map>
#include <set>

using CNStuffContable::CuentaActual;
using walk::Change;
using walk::DbReader;
using walk::Notice;
using walk::Step;

namespace {

using Values = std::map<std::string, QString>;

const QString kAbandon = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kReuse = QStringLiteral(
    "La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?");
const QString kDigits =
    QStringLiteral("La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
const QString kDropped =
    QStringLiteral("La cuenta tiene movimientos o datos asociados, fue dada de baja");

// A code as stored: no "-", no blanks around it, in capitals.
QString asStored(const QString& code) {
    return QString(code).remove(u'-').trimmed().toUpper();
}

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

QString asText(const QVariantMap& m) {
    QStringList l;
    for (auto i = m.begin(); i != m.end(); ++i)
        l << i.key() + u'=' + (i.value().isNull() ? QStringLiteral("<null>") : text(i.value()));
    return l.join(u'|');
}

bool isSet(const QVariant& v) {
    const QString t = text(v).trimmed();
    return !t.isEmpty() && t != u"0" && t.compare(u"false", Qt::CaseInsensitive) != 0;
}

QString flag(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// A custom value as the grid shows it against the stored one: numbers with
// a decimal comma, dates day first, texts as stored.
bool sameCustom(const QString& shown, const QVariant& stored) {
    const QString s = shown.trimmed();
    if (stored.isNull())
        return s.isEmpty();
    if (stored.typeId() == QMetaType::Double || stored.typeId() == QMetaType::LongLong) {
        bool ok = false;
        const double d = QString(s).remove(u'.').replace(u',', u'.').toDouble(&ok);
        return ok && qAbs(d - stored.toDouble()) < 0.005;
    }
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})"));
    const QString t = stored.toString().trimmed();
    if (const auto date = iso.match(t); date.hasMatch())
        return s == date.captured(3) + u'/' + date.captured(2) + u'/' + date.captured(1);
    return s == t;
}

// ---- The databases ----------------------------------------------------------------------

QVariantMap accountIn(DbReader& db, const QString& code) {
    return db.row(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE UPPER(TRIM(CODIGO)) = ") +
                  sqltext::literal(code));
}

QString configIn(DbReader& db, const QString& key) {
    return text(db.rows(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = ") +
                        sqltext::literal(key))
                    .value(0)
                    .value(0))
        .trimmed();
}

// The account's row and its satellites, each row under its account; the
// audit rows under none.
const std::vector<walk::Table> kTables = {
    {"MA_CUENTAS", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTAS"},
    {"MA_CUENTASCCOSTO", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASCCOSTO"},
    {"MA_CUENTAS_USUARIOS", "SELECT UPPER(TRIM(CUENTA)), * FROM MA_CUENTAS_USUARIOS"},
    {"MA_CUENTASADIC", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASADIC"},
    {"V_MV_CPTEACCIONES", "SELECT '', * FROM V_MV_CPTEACCIONES"},
};

// The demo company with the tables above watched in its three databases.
struct Demo : walk::DemoCompany {
    Demo() : DemoCompany(kTables) {}
};

// ---- The window's controls and what they show ------------------------------------------

const char* const kFields[] = {"DESCRIPCION", "Codigo", "CodigoOpcional", "CuentaPrincipal",
                               "CodTarjeta_ConcAuto"};
const char* const kBoxes[] = {"CHKAjustable", "ChkBloqueo", "ChkVto",    "ChkBdu",
                              "ChkCyB",       "chkTarjeta", "chkCCostos"};
const char* const kLists[] = {"CmbIndices", "CmbMP", "CmbMoneda", "Combo1"};
const char* const kBarKeys[] = {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "CANCELAR"};

struct Controls {
    FrmMA_CUENTAS* w = nullptr;
    std::map<std::string, QWidget*> byName; // fields, options, boxes, lists, tree
    FlexGrid* grid = nullptr;
    GrillaPersonalizados* custom = nullptr;
    ArbolPlanCuentas* tree = nullptr;
    QToolBar* tbar = nullptr;

    explicit Controls(FrmMA_CUENTAS& v) : w(&v) {
        byName["TxtCodigo"] = control<QLineEdit>(v, "TxtCodigo");
        for (const char* c : kFields)
            byName[c] = campo(v, c);
        const auto kinds = v.findChildren<QRadioButton*>(QStringLiteral("OptTipoCuenta"));
        for (int i = 0; i < kinds.size(); ++i)
            byName["OptTipoCuenta" + std::to_string(i)] = kinds[i];
        for (const char* c : kBoxes)
            byName[c] = control<QCheckBox>(v, c);
        for (const char* c : kLists)
            byName[c] = control<QComboBox>(v, c);
        byName["TreeV"] = tree = control<ArbolPlanCuentas>(v, "TreeV");
        grid = control<FlexGrid>(v, "MSFlexGrid1");
        custom = v.findChild<GrillaPersonalizados*>();
        tbar = control<QToolBar>(v, "Tbar");
    }
    QWidget* get(const std::string& name) const {
        const auto i = byName.find(name);
        return i == byName.end() ? nullptr : i->second;
    }
    template <typename T> T* as(const std::string& name) const {
        return qobject_cast<T*>(get(name));
    }
    // The name of the focused control; "" for another one.
    std::string focus() const {
        const QWidget* f = QApplication::focusWidget();
        for (const auto& [name, c] : byName)
            if (c == f || (f && name == "TreeV" && c->isAncestorOf(f)))
                return name;
        return {};
    }
    static bool usable(const QWidget* c) { return c && c->isEnabled() && c->isVisible(); }
};

// What the window shows and the state it tells.
struct Shown {
    Values values;
    std::string focus;
    bool isNew = false, existing = false;
    QString key; // claveAceptada
    int loads = 0;
    int resets = 0;
    int currencies = 0;    // items of CmbMoneda
    bool barEdits = false; // the command bar offers GRABAR
    std::string cellOpen;  // the custom column whose cell the edit box is over
    bool editing() const { return isNew || existing; }
    QString code() const { return asStored(values.at("Codigo")); }
    QString box() const { return asStored(values.at("TxtCodigo")); }
};

Shown shown(const Controls& c) {
    Shown s;
    s.values["TxtCodigo"] = c.as<QLineEdit>("TxtCodigo")->text();
    for (const char* n : kFields)
        s.values[n] = c.as<QLineEdit>(n)->text();
    s.values["OptTipoCuenta"] = c.as<QRadioButton>("OptTipoCuenta1")->isChecked()   ? "1"
                                : c.as<QRadioButton>("OptTipoCuenta0")->isChecked() ? "0"
                                                                                    : "";
    for (const char* n : kBoxes)
        s.values[n] = flag(c.as<QCheckBox>(n)->isChecked());
    for (const char* n : kLists)
        s.values[n] = QString::number(c.as<QComboBox>(n)->currentIndex());
    for (int r = 1; r < c.grid->Rows(); ++r)
        s.values[c.grid->TextMatrix(r, 0).toStdString()] = c.grid->TextMatrix(r, 1);
    // The open edit box lies over its cell: the user sees its text there.
    if (const int r = c.custom->Edicion->FilaEditada(); r > 0) {
        s.cellOpen = c.grid->TextMatrix(r, 0).toStdString();
        s.values[s.cellOpen] = c.custom->TxtEdit->text();
    }
    s.focus = c.focus();
    s.isNew = c.w->esNuevo();
    s.existing = c.w->esModificacion();
    s.key = asStored(c.w->claveAceptada());
    s.loads = c.w->cargas();
    s.resets = c.w->reinicios();
    s.currencies = c.as<QComboBox>("CmbMoneda")->count();
    s.barEdits = paxtor(*c.w)->estado(Paxtor::EstadoGrabar);
    return s;
}

// Stored means of payment by position of the window's list.
const char* const kPaymentCodes[] = {nullptr, "EF", "CH", "TJ", "DB", "DC",
                                     "RI",    "RB", "RG", "RO", "RO", "TJ"};

// The list position of a stored means of payment; the configuration keys
// tell the credit request and SUSS from the codes they share.
int paymentPosition(const QString& payment, const QString& code, DbReader& db) {
    int p = 1;
    while (p < 10 &&
           payment.trimmed().compare(QLatin1String(kPaymentCodes[p]), Qt::CaseInsensitive) != 0)
        ++p;
    if (p == 10)
        return 0;
    if (p == 3 && asStored(configIn(db, QStringLiteral("CtaSolicitudCredito"))) == code)
        return 11;
    if (p == 9 &&
        configIn(db, QStringLiteral("CTA_RET_OTRA_") + code).compare(u"SU", Qt::CaseInsensitive) ==
            0)
        return 10;
    return p;
}

// What a loaded account must show, control by control, for those the row
// decides.
Values shownOfRow(const Shown& s, const QVariantMap& r, DbReader& db) {
    const QString code = asStored(text(r.value("codigo")));
    const bool title = isSet(r.value("titulo"));
    const bool adjusts = isSet(r.value("ajuste"));
    const int payment = paymentPosition(text(r.value("mediodepago")), code, db);
    Values e{
        {"DESCRIPCION", text(r.value("descripcion"))},
        {"CodigoOpcional", text(r.value("codigoopcional"))},
        {"CuentaPrincipal", text(r.value("cuentaprincipal"))},
        {"CodTarjeta_ConcAuto", text(r.value("codtarjeta_concauto"))},
        {"OptTipoCuenta", flag(title)},
        {"CHKAjustable", flag(adjusts)},
        {"CmbIndices", QString::number(adjusts ? r.value("indice").toInt() - 1 : 0)},
        {"ChkBloqueo", flag(isSet(r.value("bloqueo")))},
        {"ChkVto", flag(isSet(r.value("pidevencimiento")))},
        {"ChkBdu", flag(isSet(r.value("bienes")))},
        {"ChkCyB", flag(isSet(r.value("cajaybanco")))},
        {"CmbMP", QString::number(payment)},
    };
    if (payment == 3 || payment == 11)
        e["chkTarjeta"] = flag(isSet(r.value("nopidedatostarjeta")));
    if (!title)
        e["chkCCostos"] = flag(isSet(r.value("usaccostos")));
    if (s.currencies > 0 && !text(r.value("moneda")).trimmed().isEmpty())
        e["CmbMoneda"] = QString::number(text(r.value("moneda")).toInt() - 1);
    return e;
}

// The mismatches with what the row decides, but the `own` controls the step
// set itself.
QStringList differsFromRow(const Shown& s, const QVariantMap& r, DbReader& db,
                           const std::set<std::string>& own) {
    const QString code = asStored(text(r.value("codigo")));
    const Values e = shownOfRow(s, r, db);
    QStringList d;
    const auto differs = [&](const std::string& k, const QString& stored) {
        d << QString::fromStdString(k) + QStringLiteral(" shows '") + s.values.at(k) +
                 QStringLiteral("', stored '") + stored + u'\'';
    };
    for (const auto& [k, v] : e)
        if (s.values.at(k) != v && !own.count(k))
            differs(k, v);
    if (!own.count("Codigo") && (s.code() != code || s.box() != code))
        differs("Codigo", code);
    for (const auto& [k, v] : s.values) {
        const QString column = QString::fromStdString(k).toLower();
        if (column.startsWith(u"p_") && !own.count(k) && !sameCustom(v, r.value(column)))
            differs(k, text(r.value(column)));
    }
    return d;
}

// What a save must store for the controls as shown (s) when the key was
// pressed, column by column, through the chart's own rules: the mismatches
// with the stored row r; `before` is the row the save overwrote (empty for a
// new account).
QStringList differsFromShown(const Shown& s, const QVariantMap& r, const QVariantMap& before) {
    const auto v = [&](const char* k) { return s.values.at(k); };
    const bool title = v("OptTipoCuenta") == u"1";
    const bool adjusts = !title && v("CHKAjustable") == u"1";
    const int payment = v("CmbMP").toInt();
    // Compared as text; the codes, main accounts and names trimmed (the
    // server compares without trailing blanks, and a long name is stored so).
    std::map<QString, QVariant> e{
        {"codigo", s.code()},
        {"descripcion", v("DESCRIPCION").trimmed()},
        {"codigoopcional", asStored(v("CodigoOpcional"))},
        {"cuentaprincipal", v("CuentaPrincipal").trimmed()},
        {"codtarjeta_concauto", v("CodTarjeta_ConcAuto").trimmed()},
        {"titulo", flag(title)},
        {"ajuste", flag(adjusts)},
        {"indice", QString::number(adjusts ? v("CmbIndices").toInt() + 1 : 0)},
        {"bloqueo", v("ChkBloqueo")},
        {"bienes", v("ChkBdu")},
        {"pidevencimiento", v("ChkVto")},
        {"dada_de_baja", flag(false)},
        {"cajaybanco", v("ChkCyB")},
        {"usaccostos", v("chkCCostos")},
        {"mediodepago", payment > 0 && payment < 12
                            ? QVariant(QString::fromLatin1(kPaymentCodes[payment]))
                            : QVariant()},
    };
    if (payment == 3)
        e["nopidedatostarjeta"] = v("chkTarjeta");
    if (title)
        e["tipovista"] = QVariant();
    else if (payment == 4)
        e["tipovista"] = QStringLiteral("BC");
    // The currency list's position plus one; with nothing in the list, the
    // currency the account had.
    if (const int currency = v("CmbMoneda").toInt(); s.currencies > 0 && currency >= 0)
        e["moneda"] = QString::number(currency + 1).rightJustified(4, u'0');
    else if (!before.isEmpty())
        e["moneda"] = before.value("moneda");
    const std::set<QString> trimmed{"codigoopcional", "cuentaprincipal", "codtarjeta_concauto"};
    const std::set<QString> flags{"titulo",     "ajuste",          "bloqueo",
                                  "bienes",     "pidevencimiento", "dada_de_baja",
                                  "cajaybanco", "usaccostos",      "nopidedatostarjeta"};
    QStringList d;
    const auto differs = [&](const QString& k, const QVariant& stored, const QString& shown) {
        d << k + QStringLiteral(" stored '") + (stored.isNull() ? "NULL" : text(stored)) +
                 QStringLiteral("', shown '") + shown + u'\'';
    };
    for (const auto& [k, shown] : e) {
        const QVariant g = r.value(k);
        const bool same = flags.count(k) ? flag(isSet(g)) == text(shown)
                          : trimmed.count(k)
                              ? text(g).trimmed() == text(shown)
                              : text(g) == text(shown) && g.isNull() == shown.isNull();
        if (!same)
            differs(k, g, shown.isNull() ? QStringLiteral("NULL") : text(shown));
    }
    for (const auto& [k, shown] : s.values) {
        const QString column = QString::fromStdString(k).toLower();
        if (column.startsWith(u"p_") && !shown.trimmed().isEmpty() &&
            !sameCustom(shown, r.value(column)))
            differs(column, r.value(column), shown);
    }
    return d;
}

// The value a reset leaves in a control.
bool isReset(const std::string& k, const QString& value) {
    if (k == "CmbMoneda" || k == "Combo1")
        return true;
    if (k == "CmbIndices" || k == "CmbMP" || k == "OptTipoCuenta")
        return value == u"0";
    return value.isEmpty() || value == u"0";
}

bool isRefusal(const Notice& n) {
    // Not refusals: the warning on long optional codes, the drop's report and
    // the point of sale the copy could not reach.
    return n.kind == Notice::Message && (n.style & 7) == vb::vbOKOnly &&
           (n.style & (vb::vbCritical | vb::vbInformation)) && n.text != kDropped &&
           !n.text.startsWith(u"Recuerde") && !n.text.startsWith(u"No se pudo conectar al Punto");
}

bool isError(const Notice& n) {
    return n.text.startsWith(u"Ha ocurrido el Siguiente Error");
}

// ---- The walk over one window -------------------------------------------------------------

// What the user types: stored postable codes, titles, a dropped code, new
// codes under titles, wrong lengths, letters, blanks; names with quotes and
// accents; optional codes and amounts.
const char* const kCodes[] = {"110401002", "110401001",  "110101003", "110101001", "110102001001",
                              "110402001", "120101002",  "110401",    "1104",      "110102003",
                              "110402009", "110102004",  "110401009", "110499999", "1-1-04-01-002",
                              "11040200",  "1104020091", "11040A009", "",          "999"};
const char* const kNames[] = {"NUEVA",
                              "MIA",
                              "O'HARA & CIA",
                              "ÑANDÚ CRÉDITO",
                              "  ",
                              "",
                              "CUENTA DE PRUEBA CON UN NOMBRE BASTANTE LARGO"};
const char* const kOthers[] = {"X1", "Q7", "N1", "OP12345", "1.234,56", "-5", "999", "110101001"};
const char* const kNodes[] = {"",          "1",         "1101",         "110101",
                              "110101001", "110101003", "110102001001", "110401",
                              "110401001", "110401002", "110402001",    "120101002"};
// What another connection does to the account shown or the code typed.
const char* const kOtherOps[] = {"insert", "name", "block", "payment", "drop", "delete"};
// Custom values, some the column cannot hold as typed (a fraction or an
// overflow in the small integer, a fifth decimal in money, a day February
// lacks, a text past the column's length): the cell refuses those.
const std::map<std::string, std::vector<const char*>> kCustom = {
    {"P_PLAZO_DIAS", {"30", "2", "2,5", "-7", "40000", "abc", ""}},
    {"P_LIMITE", {"1.234,56", "0,12345", "2500000", ""}},
    {"P_FECHA_ALTA", {"15/03/2024", "30/02/2024", "01/01/2023", ""}},
    {"P_CBU", {"0110599520000012345678", "01105995200000123456789", "CBU"}},
    {"P_EMAIL",
     {"pagos@banco.com.ar", "una.direccion.de.correo.bastante.larga.para.el.campo@banco.com.ar"}},
};

template <typename T, size_t N> const T& pick(const T (&t)[N], std::mt19937& g) {
    return t[g() % N];
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

class AccountsWalk {
public:
    AccountsWalk(FrmMA_CUENTAS& w, const Demo& demo) : c_(w), demo_(demo) {
        w.AbreDatosAdicionales = [this] { opened_.push_back({"adic", asStored(CuentaActual)}); };
        w.AbreCentrosCosto = [this] { opened_.push_back({"ccosto", asStored(CuentaActual)}); };
        size_t i = 0;
        for (const testutil::TempDatabase* d : {&demo.company, &demo.group, &demo.pointOfSale}) {
            dbs_[i].open(d->path());
            versions_[i] = dbs_[i].version();
            ++i;
        }
        snapshots_ = demo.snapshots;
        last_ = shown(c_);
        base_ = last_.values;
        walk_ = std::make_unique<walk::Walk>(actions());
        walk_->before = [this](const Step& s) {
            // The row a command may overwrite, as it stood.
            if (command(s))
                rowBefore_ = accountIn(dbs_[0], last_.code());
        };
        walk_->after = [this](const Step& s) { check(s); };
    }

    walk::Walk& walk() { return *walk_; }
    const Shown& now() const { return last_; }
    DbReader& db(int i) { return dbs_[size_t(i)]; }
    const std::vector<std::pair<std::string, QString>>& opened() const { return opened_; }
    const std::vector<std::vector<Notice>>& noticesByStep() const { return noticesByStep_; }

private:
    // ---- Actions ----
    std::vector<walk::Action> actions() {
        return {
            {"type", [this] { return !typingTargets().empty(); },
             [this](std::mt19937& g) { return chooseTyping(g); },
             [this](const std::string& p) { type(p); }, 30},
            {"key",
             {},
             [](std::mt19937& g) {
                 static const char* const keys[] = {"Tab", "Backtab", "Enter", "Escape", "F2",
                                                    "F3",  "F4",      "F6",    "F9"};
                 return std::string(pick(keys, g));
             },
             [this](const std::string& p) { key(p); },
             25},
            {"click",
             {},
             [this](std::mt19937& g) { return chooseClick(g); },
             [this](const std::string& p) { click(p); },
             30},
            {"right", [this] { return !withLookup().empty(); },
             [this](std::mt19937& g) {
                 const std::vector<std::string> d = withLookup();
                 return d[g() % d.size()];
             },
             [this](const std::string& p) { QTest::mouseClick(usable(p), Qt::RightButton); }, 4},
            {"other", [this] { return !otherConnectionCode().isEmpty(); },
             [this](std::mt19937& g) {
                 return std::string(pick(kOtherOps, g)) + ':' + otherConnectionCode().toStdString();
             },
             [this](const std::string& p) { other(p); }, 10},
            {"cell", [this] { return c_.grid->isEnabled() && c_.grid->Rows() > 1; },
             [](std::mt19937& g) {
                 auto i = kCustom.begin();
                 std::advance(i, g() % kCustom.size());
                 return i->first + '=' + i->second[g() % i->second.size()];
             },
             [this](const std::string& p) { cell(p); }, 8},
        };
    }

    // "column=value" typed into the custom column's cell and accepted with
    // Enter. A cell left open with a value it refused keeps the user there.
    void cell(const std::string& p) {
        const QString column = QString::fromStdString(p.substr(0, p.find('=')));
        const QString value = QString::fromStdString(p.substr(p.find('=') + 1));
        FlexGrid* g = c_.grid;
        // The grid's tab first, as the user reaches it.
        auto* tabs = c_.w->findChild<QTabWidget*>(QStringLiteral("SSTab1"));
        for (int i = 0; i < tabs->count(); ++i)
            if (tabs->widget(i)->isAncestorOf(g) && tabs->currentIndex() != i)
                QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                                  tabs->tabBar()->tabRect(i).center());
        int row = -1;
        for (int r = 1; r < g->Rows(); ++r)
            if (g->TextMatrix(r, 0).compare(column, Qt::CaseInsensitive) == 0)
                row = r;
        if (row < 0)
            throw std::runtime_error("no custom row " + column.toStdString());
        QTest::mouseClick(usable("grid", g->viewport()), Qt::LeftButton, {},
                          g->visualRect(g->model()->index(row, 1)).center());
        QLineEdit* box = c_.custom->TxtEdit;
        if (box->isVisible())
            return;
        QTest::keyClick(g, Qt::Key_Space);
        if (!box->isVisible())
            return;
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        if (value.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        QTest::keyClicks(box, value);
        QTest::keyClick(box, Qt::Key_Return);
    }

    // The code another connection works on: the account shown, or the code typed.
    QString otherConnectionCode() const {
        const Shown s = shown(c_);
        const QString code = !s.key.isEmpty() ? s.key : s.box();
        static const QRegularExpression digits(QStringLiteral("^\\d{1,15}$"));
        return digits.match(code).hasMatch() ? code : QString();
    }

    // The fields whose right button opens a lookup.
    std::vector<std::string> withLookup() const {
        std::vector<std::string> d;
        for (const char* n : {"TxtCodigo", "DESCRIPCION", "Codigo", "CuentaPrincipal"})
            if (Controls::usable(c_.get(n)))
                d.push_back(n);
        return d;
    }

    std::vector<std::string> typingTargets() const {
        std::vector<std::string> d;
        for (const char* n : {"TxtCodigo", "DESCRIPCION", "Codigo", "CodigoOpcional",
                              "CuentaPrincipal", "CodTarjeta_ConcAuto"})
            if (Controls::usable(c_.get(n)))
                d.push_back(n);
        const QWidget* f = QApplication::focusWidget();
        if (f && (qobject_cast<const QLineEdit*>(f) || qobject_cast<const QComboBox*>(f) ||
                  c_.focus() == "TreeV"))
            d.push_back(""); // whatever has the focus
        return d;
    }

    std::string chooseTyping(std::mt19937& g) const {
        const std::vector<std::string> d = typingTargets();
        const std::string& n = d[g() % d.size()];
        const bool code = n == "TxtCodigo" || n == "Codigo" || n == "CuentaPrincipal";
        // Mostly what the field takes, now and then anything.
        const int mix = int(g() % 10);
        const char* value = mix < 7 && code                 ? pick(kCodes, g)
                            : mix < 7 && n == "DESCRIPCION" ? pick(kNames, g)
                            : mix < 7 && !n.empty()         ? pick(kOthers, g)
                            : mix % 3 == 0                  ? pick(kCodes, g)
                            : mix % 3 == 1                  ? pick(kNames, g)
                                                            : pick(kOthers, g);
        return n + '=' + value;
    }

    // A control the user can reach; a step on another one cannot be done.
    QWidget* usable(const std::string& name, QWidget* c = nullptr) const {
        c = c ? c : c_.get(name);
        if (!Controls::usable(c))
            throw std::runtime_error(name + " is not there to use");
        return c;
    }

    // "field=value": the field clicked (none: the focused one), its text
    // selected and the value typed over it.
    void type(const std::string& p) {
        const std::string n = p.substr(0, p.find('='));
        const QString value = QString::fromStdString(p.substr(p.find('=') + 1));
        if (!n.empty())
            QTest::mouseClick(usable(n), Qt::LeftButton);
        QWidget* f = QApplication::focusWidget();
        typedInto_ = c_.focus();
        if (!f)
            return;
        if (qobject_cast<QLineEdit*>(f)) {
            // Selected from its start to its end (Ctrl+A's release would
            // reformat a code and drop the selection).
            QTest::keyClick(f, Qt::Key_Home);
            QTest::keyClick(f, Qt::Key_End, Qt::ShiftModifier);
            if (value.isEmpty())
                QTest::keyClick(f, Qt::Key_Backspace);
        }
        // Each character goes where the focus is then (a key on the tree
        // sends the user to the name).
        for (const QChar ch : value)
            if (QWidget* where = QApplication::focusWidget())
                QTest::keyClicks(where, QString(ch));
    }

    void key(const std::string& p) {
        static const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> kKeys{
            {"Tab", {Qt::Key_Tab, {}}},      {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"Enter", {Qt::Key_Return, {}}}, {"Escape", {Qt::Key_Escape, {}}},
            {"F2", {Qt::Key_F2, {}}},        {"F3", {Qt::Key_F3, {}}},
            {"F4", {Qt::Key_F4, {}}},        {"F6", {Qt::Key_F6, {}}},
            {"F9", {Qt::Key_F9, {}}}};
        const auto& [k, m] = kKeys.at(p);
        QWidget* f = QApplication::focusWidget();
        QTest::keyClick(f ? f : c_.w, k, m);
    }

    std::string chooseClick(std::mt19937& g) const {
        std::vector<std::string> d;
        for (const auto& [n, w] : c_.byName)
            if (Controls::usable(w) && n != "TreeV")
                d.push_back(n);
        if (c_.tree->isVisible())
            d.insert(d.end(), 4, "TreeV");
        // The chart manual opens a window of its own; the cash-flow key is hidden.
        for (int b : {1, 2, 4, 5, 6})
            if (Controls::usable(c_.tbar->widgetForAction(c_.w->BotonTbar(b))))
                d.push_back("Tbar:" + std::to_string(b));
        for (const char* k : kBarKeys)
            if (paxtor(*c_.w)->estado(Paxtor::Estado(Paxtor::Claves().indexOf(k) + 1)))
                d.push_back(std::string("Paxtor:") + k);
        const std::string n = d[g() % d.size()];
        if (n == "TreeV") {
            std::string node = pick(kNodes, g);
            // A deleted account's node is gone: the root instead.
            if (!c_.tree->modelo()->Nodo("A" + QString::fromStdString(node)).isValid())
                node.clear();
            return n + ':' + node;
        }
        if (const auto* l = c_.as<QComboBox>(n); l && l->count() > 0)
            return n + ':' + std::to_string(g() % unsigned(l->count()));
        return n;
    }

    // A control clicked: a field focused, a box ticked, an option chosen, a
    // list's item chosen ("List:position", or "List=text or code"), a tree
    // row ("TreeV:code", "" the root), a bar's button ("Tbar:n", "Paxtor:KEY").
    void click(const std::string& p) {
        const size_t sep = p.find_first_of(":=");
        const std::string n = p.substr(0, sep);
        const QString arg =
            sep == std::string::npos ? QString() : QString::fromStdString(p.substr(sep + 1));
        if (n == "TreeV")
            return clickTree(arg);
        if (n == "Tbar" || n == "Paxtor") {
            QWidget* b = n == "Tbar" ? c_.tbar->widgetForAction(c_.w->BotonTbar(arg.toInt()))
                                     : paxtor(*c_.w)->boton(arg);
            return QTest::mouseClick(usable(p, b), Qt::LeftButton);
        }
        QWidget* w = usable(n);
        if (auto* l = qobject_cast<QComboBox*>(w))
            return chooseInList(l, sep != std::string::npos && p[sep] == '=' ? itemOf(l, arg)
                                                                             : arg.toInt());
        if (qobject_cast<QAbstractButton*>(w))
            // On the box or the circle, as the user points at it.
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
        else
            QTest::mouseClick(w, Qt::LeftButton);
    }

    static int itemOf(const QComboBox* l, const QString& t) {
        for (int i = 0; i < l->count(); ++i)
            if (l->itemText(i).trimmed() == t || l->itemText(i).right(50).trimmed() == t)
                return i;
        return -1;
    }

    // The list opened with the mouse, the item pointed at and taken with
    // Enter (a click so soon after the list opens is not taken). A box that
    // leaving the field before showed would have closed the list.
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

    void clickTree(const QString& code) {
        usable("TreeV");
        const QModelIndex node = c_.tree->modelo()->Nodo(u'A' + code);
        if (!node.isValid())
            throw std::runtime_error("the tree has no node for " + code.toStdString());
        c_.tree->scrollTo(node);
        QTest::mouseClick(c_.tree->viewport(), Qt::LeftButton, {},
                          c_.tree->visualRect(node).center());
    }

    // "op:code" by another connection to the company's database.
    void other(const std::string& p) {
        const QString op = QString::fromStdString(p.substr(0, p.find(':')));
        const QString code = sqltext::literal(QString::fromStdString(p.substr(p.find(':') + 1)));
        const QString where = QStringLiteral(" WHERE CODIGO = ") + code;
        const QString update = QStringLiteral("UPDATE MA_CUENTAS SET ");
        const QString sql =
            op == u"insert"
                ? QStringLiteral("INSERT OR IGNORE INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, "
                                 "AJUSTE, INDICE, BLOQUEO, dv, BIENES, DADA_DE_BAJA, MedioDePago) "
                                 "VALUES (%1, 'AJENA BANCO', 0, 1, 3, 1, 0, 0, 0, 'CH')")
                      .arg(code)
            : op == u"name"  ? update + QStringLiteral("DESCRIPCION = 'CAMBIADA POR OTRO'") + where
            : op == u"block" ? update + QStringLiteral("BLOQUEO = 1 - BLOQUEO") + where
            : op == u"payment"
                ? update +
                      QStringLiteral(
                          "MedioDePago = CASE MedioDePago WHEN 'EF' THEN 'CH' ELSE 'EF' END") +
                      where
            : op == u"drop" ? update + QStringLiteral("DADA_DE_BAJA = 1") + where
                            : QStringLiteral("DELETE FROM MA_CUENTAS") + where;
        // Refused (rows elsewhere name the account): nothing changed.
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
        if (s.action == "click" && startsWith(s.param, "Tbar:"))
            return QString::fromStdString(s.param);
        return std::nullopt;
    }

    bool answered(const QString& t, int answer) const {
        const auto& n = walk_->notices();
        return std::any_of(n.begin(), n.end(),
                           [&](const Notice& x) { return x.text == t && x.answer == answer; });
    }

    // The controls the step itself set: the one typed into or chosen, with
    // what the window's rules change with it.
    std::set<std::string> ownChanges(const Step& s, const Shown& was, const Shown& now,
                                     bool lookup) const {
        std::set<std::string> r;
        // A lookup fills the code or the main account.
        if (lookup)
            r = {"Codigo", "TxtCodigo", "CuentaPrincipal"};
        // What the user typed in a cell's edit box, and Escape dropping it.
        for (const Shown* x : {&was, &now})
            if (!x->cellOpen.empty())
                r.insert(x->cellOpen);
        std::string n;
        if (s.action == "type") {
            // Where the typing went: a refused field may have taken the
            // focus back from the one clicked, a field hidden under the
            // typing passes it on.
            n = typedInto_ == "TreeV" ? "DESCRIPCION" : typedInto_;
            if (c_.as<QLineEdit>(now.focus))
                r.insert(now.focus);
        } else if (s.action == "cell") {
            n = s.param.substr(0, s.param.find('='));
        } else if (startsWith(s.param, "TreeV:")) {
            // A node loads its account or shows none: no typing of its own.
            return r;
        } else if (s.action == "click") {
            n = s.param.substr(0, s.param.find_first_of(":="));
            // A click on a field only gives it the focus.
            if (c_.as<QLineEdit>(n))
                n.clear();
        }
        if (n.empty())
            return r;
        r.insert(n);
        if (n == "TxtCodigo" || n == "Codigo")
            r.insert({"TxtCodigo", "Codigo"});
        if (startsWith(n, "OptTipoCuenta")) {
            r.insert("OptTipoCuenta");
            // A title cannot be adjusted nor spread over cost centres.
            if (now.values.at("OptTipoCuenta") == u"1")
                r.insert({"CHKAjustable", "chkCCostos", "CmbIndices"});
        }
        return r;
    }

    void check(const Step& s) {
        // A lookup or a box takes the activation with it: the user comes back.
        if (QApplication::activeWindow() != c_.w) {
            c_.w->activateWindow();
            QApplication::setActiveWindow(c_.w);
            (void)QTest::qWaitForWindowActive(c_.w);
        }
        const Shown now = shown(c_);
        const Shown was = last_;
        const int step = walk_->stepIndex();
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
        // Done: the window went back to browsing without a refusal (a dropped
        // code not reused also resets it, and stores nothing).
        const bool done = (save || erase) && was.editing() && !now.editing() && now.key.isEmpty() &&
                          !refusals && !error && !answered(kReuse, vb::vbNo);
        const QString C = was.code();
        const char* kept = cmd && (refusals || error) ? "I2" : "I3";

        // I1, I2: the databases.
        if (s.action == "other") {
            for (size_t i = 1; i < 3; ++i)
                if (!changed[i].empty())
                    fail("I1", QStringLiteral("a copy changed with the company's database: ") +
                                   walk::describe(changed[i]));
            for (const Change& x : changed[0])
                changedByOther_[x.key] = {step, QString::fromStdString(s.param)};
        } else if (!done) {
            for (const auto& x : changed)
                if (!x.empty())
                    fail(cmd && (refusals || error) ? "I2" : "I1",
                         QStringLiteral("a database changed though no command was reported "
                                        "done: ") +
                             walk::describe(x));
        } else {
            for (const auto& x : changed)
                for (const Change& y : x)
                    if (y.key.isEmpty() ? !y.added : y.key != C)
                        fail("I1", QStringLiteral("the command on ") + C +
                                       QStringLiteral(" changed other rows: ") +
                                       walk::describe({y}));
            const QVariantMap row = accountIn(dbs_[0], C);
            const bool written = std::any_of(changed[0].begin(), changed[0].end(),
                                             [&](const Change& x) { return x.key == C; });
            for (size_t i = 1; i < 3 && written; ++i)
                if (asText(accountIn(dbs_[i], C)) != asText(row))
                    fail("I1",
                         QStringLiteral("copy %1 does not hold the company's row of ").arg(i) + C);
            if (save) {
                // Another connection's change first: the content then follows.
                // A drop is overwritten only when the user reuses the account,
                // and only when nothing else changed.
                const auto undropped = [](QVariantMap m) {
                    m.remove(QStringLiteral("dada_de_baja"));
                    return asText(m);
                };
                const bool reused = answered(kReuse, vb::vbYes) && rowAtTake_.count(C) &&
                                    undropped(rowBefore_) == undropped(rowAtTake_[C]);
                // (A change the other connection undid again overwrites nothing.)
                // (Nor does a save under a code free just before it.)
                if (was.key == C && !rowBefore_.isEmpty() && changedByOther_.count(C) &&
                    takenAt_.count(C) && changedByOther_[C].first >= takenAt_[C] &&
                    asText(rowBefore_) != asText(rowAtTake_[C]) && !reused)
                    fail("I1", QStringLiteral("the save of %1 overwrote what another connection "
                                              "did at step %2 (%3) after the window took it at "
                                              "step %4")
                                   .arg(C)
                                   .arg(changedByOther_[C].first)
                                   .arg(changedByOther_[C].second)
                                   .arg(takenAt_[C]));
                else if (was.key != C && !rowBefore_.isEmpty())
                    fail("I1", QStringLiteral("the save overwrote the stored account ") + C +
                                   QStringLiteral(", which the window never loaded (it was on ") +
                                   was.key + u')');
                if (row.isEmpty())
                    fail("I4", QStringLiteral("GRABAR reported done but ") + C +
                                   QStringLiteral(" is not stored"));
                else if (const QStringList m = differsFromShown(was, row, rowBefore_); !m.isEmpty())
                    fail("I1", QStringLiteral("stored ") + C +
                                   QStringLiteral(" differs from what was shown: ") +
                                   m.join(QStringLiteral("; ")));
            } else if (was.existing && !row.isEmpty() && !isSet(row.value("dada_de_baja"))) {
                // (BORRAR on a new entry drops it unstored: a row under its
                // code is another connection's.)
                fail("I4", QStringLiteral("BORRAR reported done but ") + C +
                               QStringLiteral(" is neither deleted nor dropped"));
            }
        }

        // I4: success texts and one box per refusal.
        if (any([](const Notice& x) { return x.text == kDropped; }) &&
            !isSet(accountIn(dbs_[0], C).value("dada_de_baja")))
            fail("I4", QStringLiteral("told dropped, but ") + C +
                           QStringLiteral(" is not stored dropped"));
        // Two causes may give two boxes; one refusal never shows twice.
        std::set<QString> told;
        for (const Notice& x : notices)
            if (isRefusal(x) && !told.insert(x.text).second)
                fail("I4", QStringLiteral("the refusal '") + x.text +
                               QStringLiteral("' shown twice in one action"));

        // I5: related windows on the account the state is for.
        for (size_t i = openedSeen_; i < opened_.size(); ++i) {
            const auto& [window, account] = opened_[i];
            // After a save the additional data opens on the account saved.
            const bool saved = done && save && window == "adic" && account == C;
            if (!saved && (account.isEmpty() || account != now.key || !now.editing() ||
                           (window == "adic" && !now.existing) || now.box() != account))
                fail("I5", QString::fromStdString(window) + QStringLiteral(" opened on '") +
                               account + QStringLiteral("' while the window is on '") + now.key +
                               QStringLiteral("' showing '") + now.values.at("TxtCodigo") + u'\'');
        }
        openedSeen_ = opened_.size();

        // I3: who changed each control.
        const bool loaded = now.loads != was.loads;
        const bool lookup = any([](const Notice& x) { return x.kind == Notice::Lookup; });
        const bool chosen =
            any([](const Notice& x) { return x.kind == Notice::Lookup && x.answer >= 0; });
        const bool node = s.action == "click" && startsWith(s.param, "TreeV:");
        const bool root = s.param == "TreeV:";
        const bool edited = was.box() != was.key || was.code() != was.key;
        const bool leftCode =
            (was.focus == "TxtCodigo" || was.focus == "Codigo") && now.focus != was.focus;
        const bool leftTitles = was.focus == "Combo1" && now.focus != "Combo1";
        // The user asked for the account: a node, a lookup, a code edited and
        // left, a command on an edited code with nothing typed to lose, or
        // the question whether to abandon what was typed answered Yes.
        // Browsing, nothing typed belongs to an account: a load may replace it.
        // The code and the title list pick an account; the rest is its data.
        // Typed and still differing from what the last load or reset showed:
        // a value typed back as it was is nothing to lose.
        // A custom value left blank is no value: the save leaves it out.
        const auto sameTyped = [](const std::string& k, const QString& a, const QString& b) {
            return QString::fromStdString(k).startsWith(u"p_", Qt::CaseInsensitive)
                       ? a.trimmed() == b.trimmed()
                       : a == b;
        };
        const bool typedData = std::any_of(typed_.begin(), typed_.end(), [&](const std::string& k) {
            return k != "TxtCodigo" && k != "Codigo" && k != "Combo1" &&
                   (!base_.count(k) || !was.values.count(k) ||
                    !sameTyped(k, base_.at(k), was.values.at(k)));
        });
        // Any Yes to abandoning: a step may ask twice (the gate, then the command).
        const bool gaveUp = answered(kAbandon, vb::vbYes) || !typedData || !was.editing();
        const bool asked = node || chosen || (edited && leftCode) || (cmd && edited && gaveUp) ||
                           answered(kAbandon, vb::vbYes);
        const bool digits = any([](const Notice& x) { return x.text == kDigits; });
        // The tree's root, or a node whose account is gone, shows no account.
        const bool toNone = node && !now.editing() && now.key.isEmpty();
        // A reset the user asked for: a command done, NUEVO, CANCELAR, or
        // the tree's way to no account; the window tells that it reset.
        const bool reset = now.resets != was.resets &&
                           (done || cmd == u"NUEVO" || cmd == u"CANCELAR" || (toNone && gaveUp));
        // A code taken as new (also one another connection deleted meanwhile).
        const bool taken =
            now.isNew && !now.key.isEmpty() && (now.key != was.key || !was.isNew) && !loaded;
        const std::set<std::string> own = ownChanges(s, was, now, lookup);
        const auto context = [&] {
            const auto state = [](const Shown& x) {
                return QLatin1String(x.existing ? "existing" : x.isNew ? "new" : "browse");
            };
            return QStringLiteral(" (loaded: %1, asked for: %2, code edited: %3, code left: %4, "
                                  "state %5 '%6' -> %7 '%8', focus %9 -> %10)")
                .arg(loaded)
                .arg(asked)
                .arg(edited)
                .arg(leftCode)
                .arg(state(was), was.key, state(now), now.key, QString::fromStdString(was.focus),
                     QString::fromStdString(now.focus));
        };
        // Leaving the code as the window set it checks nothing: no question.
        if (leftCode && !edited && !cmd && !node && !lookup &&
            any([](const Notice& x) { return x.text == kAbandon || x.text == kReuse; }))
            fail("I3", QStringLiteral("leaving the code unchanged asked a question") + context());
        std::set<std::string> set;
        for (const auto& [k, before] : was.values) {
            const QString after = now.values.count(k) ? now.values.at(k) : QString();
            if (after == before)
                continue;
            if (k == "TxtCodigo" || k == "Codigo") {
                const QString n = asStored(after);
                if (n == asStored(before))
                    continue;
                // The box and the field follow each other.
                const char* other = k == "TxtCodigo" ? "Codigo" : "TxtCodigo";
                const bool fine = n == asStored(now.values.at(other)) ||
                                  n == asStored(was.values.at(other)) || own.count(k) || node ||
                                  chosen || leftTitles || startsWith(s.param, "Combo1") ||
                                  (!now.key.isEmpty() && n == now.key) ||
                                  (n.isEmpty() && (reset || root || now.key.isEmpty())) ||
                                  (done && save && C.startsWith(n));
                if (!fine)
                    fail(kept, QString::fromStdString(k) + QStringLiteral(" changed from '") +
                                   before + QStringLiteral("' to '") + after + u'\'' + context());
                continue;
            }
            // Keys in a list (or its open popup) choose its items.
            const bool inList =
                c_.as<QComboBox>(k) && (was.focus == k || (s.action == "key" && now.focus == k));
            if (own.count(k) || inList) {
                set.insert(k);
                continue;
            }
            // A new code taken over a stored account starts from nothing.
            const bool fresh = taken && was.existing && gaveUp;
            if ((loaded && (asked || !typed_.count(k))) ||
                (isReset(k, after) && (reset || fresh || (taken && !typed_.count(k)))) ||
                (k == "Combo1" && (taken || leftTitles)))
                continue;
            fail(kept, QString::fromStdString(k) + QStringLiteral(" changed from '") + before +
                           QStringLiteral("' to '") + after + u'\'' +
                           (typed_.count(k) ? QStringLiteral(", typed by the user") : QString()) +
                           context());
        }
        // A load shows the stored row.
        if (loaded && now.existing && !now.key.isEmpty() && !digits)
            if (const QStringList m =
                    differsFromRow(now, accountIn(dbs_[0], now.key), dbs_[0], own);
                !m.isEmpty())
                fail("I3", QStringLiteral("loaded ") + now.key +
                               QStringLiteral(" does not show its row: ") +
                               m.join(QStringLiteral("; ")));
        // One code on an account being edited: the box and the field (the
        // field's own typing reaches the box when it is left).
        if (now.editing() && now.barEdits && now.box() != now.code() && now.focus != "Codigo" &&
            now.values.at("TxtCodigo").trimmed().size() <= c_.as<QLineEdit>("Codigo")->maxLength())
            fail("I3", QStringLiteral("the code box shows '") + now.values.at("TxtCodigo") +
                           QStringLiteral("' and the code field '") + now.values.at("Codigo") +
                           u'\'' + context());

        if (loaded || reset || (taken && was.existing && gaveUp)) {
            typed_.clear();
            base_ = now.values;
            // What the step set after its load stood as the row has it.
            if (loaded && now.existing && !now.key.isEmpty()) {
                const Values row = shownOfRow(now, accountIn(dbs_[0], now.key), dbs_[0]);
                for (const std::string& k : set)
                    if (row.count(k))
                        base_[k] = row.at(k);
            }
        }
        typed_.insert(set.begin(), set.end());
        if (!now.key.isEmpty() && (now.key != was.key || loaded)) {
            takenAt_[now.key] = step;
            rowAtTake_[now.key] = accountIn(dbs_[0], now.key);
        }
        snapshots_ = snapshots;
        last_ = now;
    }

    Controls c_;
    const Demo& demo_;
    std::array<DbReader, 3> dbs_; // company, group, point of sale
    std::array<qint64, 3> versions_{};
    std::array<walk::Snapshot, 3> snapshots_;
    Shown last_;
    std::unique_ptr<walk::Walk> walk_;
    std::set<std::string> typed_; // controls the user set since the last load or reset
    Values base_;                 // the controls as that load or reset left them
    // account -> the step another connection changed it, and how
    std::map<QString, std::pair<int, QString>> changedByOther_;
    std::map<QString, int> takenAt_;           // account -> step the window's state was set for it
    std::map<QString, QVariantMap> rowAtTake_; // account -> its stored row at that step
    std::vector<std::pair<std::string, QString>> opened_;
    size_t openedSeen_ = 0;
    std::vector<std::vector<Notice>> noticesByStep_;
    QVariantMap rowBefore_;
    std::string typedInto_;
};

class AccountsWalkTest : public WalkFixture<Demo> {
protected:
    // A walk's window on fresh copies of the demo files, started as the
    // program starts it, on screen at 1280x800 and active.
    AccountsWalk& start() {
        restoreDemo();
        CNStuffContable::IniciaSistema();
        w_ = std::make_unique<FrmMA_CUENTAS>();
        w_->Form_Load();
        w_->resize(1280, 800);
        w_->show();
        QApplication::setActiveWindow(w_.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w_.get()));
        walk_ = std::make_unique<AccountsWalk>(*w_, demo());
        return *walk_;
    }

    void stop() override {
        walk_.reset();
        w_.reset();
        resetConsulta();
        resetInstances();
    }

    std::unique_ptr<FrmMA_CUENTAS> w_;
    std::unique_ptr<AccountsWalk> walk_;
};

// ---- Random walks --------------------------------------------------------------------------

// CI's walks, in shards that run side by side.
constexpr int kShards = 8;
constexpr int kWalksPerShard = 36;
constexpr int kSteps = 20;

class RandomWalks : public AccountsWalkTest, public ::testing::WithParamInterface<int> {};

TEST_P(RandomWalks, EveryStepKeepsTheInvariants) {
    EXPECT_EQ(walk::runSeeds(walk::seeds(1 + unsigned(GetParam() * kWalksPerShard), kWalksPerShard),
                             walk::requestedSteps(kSteps),
                             [&]() -> walk::Walk& { return start().walk(); }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomWalks, ::testing::Range(0, kShards));

// More walks when asked for (QUARZELO_PASEOS, paseo.h).
TEST_F(AccountsWalkTest, RequestedWalks) {
    const std::vector<unsigned> seeds = walk::requestedSeeds(1 + kShards * kWalksPerShard);
    if (seeds.empty())
        GTEST_SKIP() << "QUARZELO_PASEOS is not set";
    EXPECT_EQ(walk::runSeeds(seeds, walk::requestedSteps(kSteps),
                             [&]() -> walk::Walk& { return start().walk(); }),
              0);
}

// A random walk's steps, replayed as a fixed walk on a fresh window, take
// the same course: the same answers to the same boxes, the same failures.
TEST_F(AccountsWalkTest, AReplayTakesTheSameCourse) {
    for (const unsigned seed : {3u, 5u, 40u, 57u}) {
        SCOPED_TRACE(seed);
        walk::Walk& first = start().walk();
        first.run(seed, kSteps);
        const std::vector<Step> steps = first.steps();
        const std::vector<std::string> failures = first.failures();
        walk::Walk& again = start().walk();
        again.replay(steps);
        ASSERT_EQ(again.steps().size(), steps.size());
        for (size_t i = 0; i < steps.size(); ++i)
            EXPECT_EQ(again.steps()[i].answers, steps[i].answers) << i;
        EXPECT_EQ(again.failures(), failures);
    }
}

// ---- Fixed walks -----------------------------------------------------------------------------

struct Road {
    const char* name; // the test's
    std::vector<Step> steps;
    // Checked after the walk on the company's database and the window.
    std::function<void(AccountsWalk&)> end = {};
};

QString stored(AccountsWalk& w, const char* code, const char* columns) {
    const auto r = w.db(0).rows(QStringLiteral("SELECT %1 FROM MA_CUENTAS WHERE CODIGO = '%2'")
                                    .arg(QLatin1String(columns), QLatin1String(code)));
    if (r.isEmpty())
        return QStringLiteral("<none>");
    QStringList l;
    for (const QVariant& v : r[0])
        l << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    return l.join(u'|');
}

bool showed(AccountsWalk& w, const QString& t) {
    for (const auto& step : w.noticesByStep())
        for (const Notice& n : step)
            if (n.text.startsWith(t))
                return true;
    return false;
}

bool lastRefused(AccountsWalk& w) {
    const auto& n = w.noticesByStep().back();
    return std::any_of(n.begin(), n.end(), isRefusal);
}

QString values(AccountsWalk& w, std::initializer_list<const char*> names) {
    QStringList l;
    for (const char* n : names)
        l << w.now().values.at(n);
    return l.join(u'|');
}

std::vector<Road> roads() {
    const Step load[] = {{"type", "TxtCodigo=110401002"}, {"key", "Tab"}};
    std::vector<Road> r{
        {"RefusedSaveOfANewAccountThenTheNameTyped",
         {{"key", "F2"},
          {"type", "TxtCodigo=110402009"},
          {"key", "Tab"},
          {"type", "CodigoOpcional=X1"},
          {"click", "CmbMP=Cheque"},
          {"key", "F4"},
          {"type", "DESCRIPCION=NUEVA"},
          {"key", "F4"}},
         [](AccountsWalk& w) {
             EXPECT_TRUE(showed(w, QStringLiteral("Debe ingresar el nombre de la cuenta")));
             EXPECT_EQ(stored(w, "110402009", "DESCRIPCION, CodigoOpcional, MedioDePago"),
                       "NUEVA|X1|CH");
         }},
        {"RefusedSaveOfALoadedAccountThenTheMainAccountCleared",
         {load[0],
          load[1],
          {"type", "DESCRIPCION=RETENCIONES EDITADAS"},
          {"click", "CmbMP=Cheque"},
          {"click", "ChkVto"},
          {"type", "CuentaPrincipal=999"},
          {"key", "F4"},
          {"click", "CuentaPrincipal"},
          {"type", "="},
          {"key", "F4"}},
         [](AccountsWalk& w) {
             EXPECT_TRUE(showed(w, QStringLiteral("La cuenta ingresada no existe!")));
             EXPECT_EQ(stored(w, "110401002",
                              "DESCRIPCION, MedioDePago, PideVencimiento, "
                              "IFNULL(CuentaPrincipal, '')"),
                       "RETENCIONES EDITADAS|CH|1|");
         }},
        {"RefusedDeleteThenAnotherFieldAndTheSave",
         {{"type", "TxtCodigo=110401"},
          {"key", "Tab"},
          {"type", "DESCRIPCION=CREDITOS FISCALES EDITADOS"},
          {"key", "F3"},
          {"click", "CodigoOpcional"},
          {"key", "F4"}},
         [](AccountsWalk& w) {
             EXPECT_TRUE(showed(w, QStringLiteral("No se puede eliminar esta cuenta")));
             EXPECT_EQ(stored(w, "110401", "DESCRIPCION"), "CREDITOS FISCALES EDITADOS");
         }},
        {"CodeBoxEnteredAndLeftOnANewAccount",
         {{"key", "F2"},
          {"type", "TxtCodigo=110402009"},
          {"key", "Tab"},
          {"type", "DESCRIPCION=NUEVA"},
          {"type", "CodigoOpcional=N1"},
          {"click", "CmbMP=Cheque"},
          {"click", "TxtCodigo"},
          {"click", "DESCRIPCION"}},
         [](AccountsWalk& w) {
             EXPECT_EQ(values(w, {"DESCRIPCION", "CodigoOpcional", "CmbMP"}), "NUEVA|N1|2");
         }},
        {"CodeBoxEnteredAndLeftOnALoadedAccount",
         {load[0],
          load[1],
          {"type", "DESCRIPCION=RETENCIONES EDITADAS"},
          {"click", "TxtCodigo"},
          {"click", "DESCRIPCION"}},
         [](AccountsWalk& w) { EXPECT_EQ(values(w, {"DESCRIPCION"}), "RETENCIONES EDITADAS"); }},
        {"NewCodeProposedUnderATitleAfterTheNameTyped",
         {{"key", "F2"},
          {"type", "TxtCodigo=110402009"},
          {"key", "Tab"},
          {"type", "DESCRIPCION=NUEVA"},
          {"type", "CodigoOpcional=Q7"},
          {"click", "Combo1=110401"},
          {"key", "Tab"}},
         [](AccountsWalk& w) {
             EXPECT_TRUE(w.now().code().startsWith(u"110401")) << w.now().code().toStdString();
             EXPECT_EQ(values(w, {"DESCRIPCION", "CodigoOpcional"}), "NUEVA|Q7");
         }},
        {"SaveWithNothingChangedKeepsTheCurrency",
         {{"type", "TxtCodigo=110101003"}, {"key", "Tab"}, {"key", "F4"}},
         [](AccountsWalk& w) {
             for (int i = 0; i < 3; ++i)
                 EXPECT_EQ(accountIn(w.db(i), "110101003").value("moneda"), "0002") << i;
         }},
        {"AnotherUsersInsertOfTheNewCodeBeforeTheSave",
         {{"key", "F2"},
          {"type", "TxtCodigo=110102004"},
          {"key", "Tab"},
          {"type", "DESCRIPCION=MIA"},
          {"other", "insert:110102004"},
          {"key", "F4"}},
         [](AccountsWalk& w) {
             EXPECT_EQ(stored(w, "110102004", "DESCRIPCION, BLOQUEO, AJUSTE, INDICE, MedioDePago"),
                       "AJENA BANCO|1|1|3|CH");
             EXPECT_TRUE(lastRefused(w));
         }},
        {"AnotherUsersChangeOfTheLoadedAccountBeforeTheSave",
         {{"type", "TxtCodigo=110101001"},
          {"key", "Tab"},
          {"other", "name:110101001"},
          {"other", "block:110101001"},
          {"type", "DESCRIPCION=MIA"},
          {"key", "F4"}},
         [](AccountsWalk& w) {
             EXPECT_EQ(stored(w, "110101001", "DESCRIPCION, BLOQUEO"), "CAMBIADA POR OTRO|1");
             EXPECT_TRUE(lastRefused(w));
         }},
        {"AnotherUsersDropOfTheLoadedAccountBeforeTheSaveNotReused",
         {{"type", "TxtCodigo=110101001"},
          {"key", "Tab"},
          {"other", "drop:110101001"},
          {"type", "DESCRIPCION=MIA"},
          {"key", "F4", {vb::vbNo}}},
         [](AccountsWalk& w) {
             EXPECT_EQ(stored(w, "110101001", "DESCRIPCION, DADA_DE_BAJA"),
                       "Caja Moneda Nacional|1");
         }},
        {"AnotherUsersDropOfTheLoadedAccountBeforeTheSaveReused",
         {{"type", "TxtCodigo=110101001"},
          {"key", "Tab"},
          {"other", "drop:110101001"},
          {"type", "DESCRIPCION=MIA"},
          {"key", "F4", {vb::vbYes}}},
         [](AccountsWalk& w) {
             EXPECT_EQ(stored(w, "110101001", "DESCRIPCION, DADA_DE_BAJA"), "MIA|0");
         }},
        {"TreeRootClickedWithAnAccountLoaded",
         {load[0], load[1], {"click", "TreeV:"}},
         [](AccountsWalk& w) { EXPECT_FALSE(w.now().existing && w.now().box() == "110401002"); }},
    };
    for (const int answer : {vb::vbNo, vb::vbYes})
        r.push_back({answer == vb::vbNo ? "SaveWithAnotherCodeTypedAnsweredNo"
                                        : "SaveWithAnotherCodeTypedAnsweredYes",
                     {load[0],
                      load[1],
                      {"type", "DESCRIPCION=RETENCIONES EDITADAS"},
                      {"type", "TxtCodigo=110401001"},
                      {"key", "F4", {answer}}},
                     [answer](AccountsWalk& w) {
                         EXPECT_TRUE(showed(w, kAbandon));
                         EXPECT_EQ(w.now().box(), answer == vb::vbNo ? "110401002" : "110401001");
                         EXPECT_EQ(stored(w, "110401002", "DESCRIPCION"),
                                   "Retenciones y Percepciones de I.V.A.");
                     }});
    for (const char* button : {"Tbar:2", "Tbar:4"})
        r.push_back({button[5] == '2' ? "AdditionalDataOnACodeTypedAndNotLeft"
                                      : "CostCentresOnACodeTypedAndNotLeft",
                     {load[0], load[1], {"type", "TxtCodigo=110499999"}, {"click", button}},
                     [](AccountsWalk& w) {
                         for (const auto& [window, account] : w.opened())
                             EXPECT_NE(account, "110499999") << window;
                     }});
    return r;
}

class FixedWalks : public AccountsWalkTest, public ::testing::WithParamInterface<size_t> {};

TEST_P(FixedWalks, KeepTheInvariants) {
    const Road road = roads()[GetParam()];
    AccountsWalk& w = start();
    EXPECT_TRUE(w.walk().replay(road.steps)) << w.walk().report();
    if (road.end)
        road.end(w);
}

INSTANTIATE_TEST_SUITE_P(Roads, FixedWalks, ::testing::Range<size_t>(0, roads().size()),
                         [](const auto& i) { return std::string(roads()[i.param].name); });

} // namespace
