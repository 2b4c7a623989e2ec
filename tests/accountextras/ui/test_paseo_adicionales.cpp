// Random and fixed walks over the additional-data window on the demo company
// (with its group and point-of-sale copies), opened standalone, from the
// accounts window on an account, and from that window's save question,
// checked after every action against the databases read through
// connections of the test's own:
//   I1 a database changes only through a GRABAR or BORRAR the window reports
//      as done, under the account shown, storing what the fields showed
//      (never a field the account's view hides) in every copy; neither ever
//      undoes what another connection did since the window loaded the row;
//   I2 a command that shows a refusal or an error changes no database and
//      leaves every typed value as it was;
//   I3 a field's text changes only by the user's typing or choice in it, by
//      a load of an account the user asked for (the fields then show the
//      stored row), or by a reset the user asked for; the fields the view
//      hides are those of the account's range;
//   I4 one box for one refusal; a save reported done stored its row;
//   I5 no additional data for a code that is not in the chart.

#include "adicionales_fixture.h"

#include "accountextras/core/datos_adicionales.h"
#include "accountextras/ui/relacionadas.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/grilla_personalizados.h"
#include "common/paseo.h"
#include "common/paseo_demo.h"
#include "common/paseo_fixture.h"
#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"
#include "platform/vb/programend.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <iterator>
#include <map>
#include <set>

using walk::Change;
using walk::DbReader;
using walk::Notice;
using walk::Step;

namespace {

using Values = std::map<QString, QString>; // column (lower case) -> text shown

const QString kAbandon = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kOtherStreet = QStringLiteral("CAMBIADA POR OTRO");

QString text(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

QString asText(const QVariantMap& m) {
    QStringList l;
    for (auto i = m.begin(); i != m.end(); ++i)
        l << i.key() + u'=' + (i.value().isNull() ? QStringLiteral("<null>") : text(i.value()));
    return l.join(u'|');
}

// ---- The databases ----------------------------------------------------------------------

const std::vector<walk::Table> kTables = {
    {"MA_CUENTASADIC", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASADIC"},
    {"MA_CUENTAS", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTAS"},
};

// Beyond the demo: a range that names no view (its accounts' view type is
// the one the account save gives them) and custom columns of four kinds.
const QString kExtra = QStringLiteral(
    "INSERT INTO TA_RANGOS_DATOS_ADIC (\"CUENTA-DESDE\", \"CUENTA-HASTA\", DESCRIPCION, Vista, "
    "PideVencimiento) VALUES ('110402001', '110402999', 'Anticipos', NULL, 0);"
    "UPDATE MA_CUENTAS SET TipoVista = 'NN' WHERE CODIGO IN ('110402001', '110402002');"
    "ALTER TABLE MA_CUENTASADIC ADD COLUMN P_RUBRO VARCHAR(20) COLLATE SQLSRV;"
    "ALTER TABLE MA_CUENTASADIC ADD COLUMN P_FECHA_ALTA DATETIME;"
    "ALTER TABLE MA_CUENTASADIC ADD COLUMN P_CUOTAS SMALLINT;"
    "ALTER TABLE MA_CUENTASADIC ADD COLUMN P_TASA DECIMAL(6, 2);");

struct Demo : walk::DemoCompany {
    Demo() : DemoCompany(kTables, kExtra) {}
};

QVariantMap rowIn(DbReader& db, const QString& code) {
    return db.row(QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE UPPER(TRIM(CODIGO)) = ") +
                  sqltext::literal(code));
}

// A copy's row as the company's replicates it: the remarks are each
// database's own.
QString asCopied(QVariantMap row) {
    row.remove(QStringLiteral("observaciones"));
    return asText(row);
}

bool inChart(DbReader& db, const QString& code) {
    return !db.rows(QStringLiteral("SELECT 1 FROM MA_CUENTAS WHERE UPPER(TRIM(CODIGO)) = ") +
                    sqltext::literal(code))
                .isEmpty();
}

// The optional fields and the label a view lists each under.
const std::pair<const char*, const char*> kOptional[] = {
    {"idcond_cpra_vta", "Condición de Compra Venta"},
    {"limite_credito", "Limite de Crédito"},
    {"idcategoria", "Categoría"},
};

// The optional fields the account's range hides: those its view does not
// list, when it lists any.
std::set<QString> hiddenFor(DbReader& db, const QString& code) {
    QString view;
    for (const QVariantList& r :
         db.rows(QStringLiteral("SELECT \"CUENTA-DESDE\", \"CUENTA-HASTA\", Vista FROM "
                                "TA_RANGOS_DATOS_ADIC"))) {
        const QString from = text(r[0]).trimmed(), to = text(r[1]).trimmed();
        if (code.compare(from, Qt::CaseInsensitive) >= 0 &&
            code.compare(to, Qt::CaseInsensitive) <= 0) {
            view = text(r[2]).trimmed();
            break;
        }
    }
    std::set<QString> hidden;
    if (view.isEmpty())
        return hidden;
    QString list;
    for (const QVariantList& r :
         db.rows(QStringLiteral("SELECT Campo FROM TA_VISTAS WHERE TRIM(NOMBRE) = ") +
                 sqltext::literal(view)))
        list += text(r[0]).trimmed();
    if (list.isEmpty())
        return hidden;
    for (const auto& [column, label] : kOptional)
        if (!list.contains(QString::fromUtf8(label), Qt::CaseInsensitive))
            hidden.insert(QLatin1String(column));
    return hidden;
}

// ---- What the window shows ---------------------------------------------------------------

struct Shown {
    bool open = false;
    bool bound = false;
    bool detail = false; // the fields are on
    QString key;         // the account the window is on
    bool isNew = false, existing = false;
    Values values;
    std::set<QString> hidden;
    QString focus;    // the column of the focused field, "grid", or ""
    QString cellOpen; // the custom column whose cell the edit box is over
    QString code() const { return values.count("codigo") ? values.at("codigo").trimmed() : ""; }
};

GrillaPersonalizados* gridOf(const QWidget& w) {
    return w.findChild<GrillaPersonalizados*>(QStringLiteral("Grilla"));
}

Shown shown() {
    Shown s;
    frmMA_CUENTASADIC* w = frmMA_CUENTASADIC::Instancia();
    s.open = w && w->isVisible();
    if (!s.open)
        return s;
    s.bound = !w->FormaIndependiente;
    s.key = w->cuenta().trimmed().toUpper();
    s.isNew = w->esNuevo();
    s.existing = w->esModificacion();
    s.detail = campo(*w, "CALLE")->isEnabled();
    const QWidget* f = QApplication::focusWidget();
    for (QLineEdit* t : w->findChildren<QLineEdit*>(QStringLiteral("txtFields"))) {
        const QString column = t->property("DataField").toString().toLower();
        s.values[column] = t->text();
        if (t->isHidden())
            s.hidden.insert(column);
        if (t == f)
            s.focus = column;
    }
    GrillaPersonalizados* g = gridOf(*w);
    for (int r = 1; r < g->MSFlexGrid1->Rows(); ++r)
        s.values[g->MSFlexGrid1->TextMatrix(r, 0).toLower()] = g->MSFlexGrid1->TextMatrix(r, 1);
    // The open edit box lies over its cell: the user sees its text there.
    if (const int r = g->Edicion->FilaEditada(); r > 0) {
        s.cellOpen = g->MSFlexGrid1->TextMatrix(r, 0).toLower();
        s.values[s.cellOpen] = g->TxtEdit->text();
    }
    if (f && g->isAncestorOf(f))
        s.focus = QStringLiteral("grid");
    return s;
}

bool isCustom(const QString& column) {
    return column.startsWith(u"p_");
}

// The three codes of the commercial tables, stored with four characters.
bool isCodeOfFour(const QString& c) {
    return c == u"idcategoria" || c == u"idcond_cpra_vta" || c == u"documento_tipo";
}

bool isNumber(const QString& c) {
    return c == u"limite_credito" || c == u"idmotivovta" || c == u"idmotivocpra" ||
           c == u"idvendedor" || c == u"idlista";
}

// A number as the user types it: decimal comma, points between thousands.
std::optional<double> typedNumber(const QString& t) {
    bool ok = false;
    const double d = QString(t.trimmed()).remove(u'.').replace(u',', u'.').toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

// A shown value against the stored one, as a load shows it and a save
// stores it: texts trimmed, numbers by value, dates day first.
bool same(const QString& column, const QString& shownText, const QVariant& stored) {
    const QString s = shownText.trimmed();
    if (stored.isNull())
        return s.isEmpty();
    if (isNumber(column) || stored.typeId() == QMetaType::Double ||
        stored.typeId() == QMetaType::LongLong) {
        const std::optional<double> d = typedNumber(s);
        return d && qAbs(*d - stored.toDouble()) < 0.005;
    }
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})"));
    const QString t = stored.toString().trimmed();
    if (const auto date = iso.match(t); date.hasMatch()) {
        // Typed day first, with or without leading zeros.
        static const QRegularExpression dmy(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})$"));
        const auto typed = dmy.match(s);
        return typed.hasMatch() && typed.captured(1).toInt() == date.captured(3).toInt() &&
               typed.captured(2).toInt() == date.captured(2).toInt() &&
               typed.captured(3) == date.captured(1);
    }
    return s == t;
}

// The columns the window shows; the rest (class, time stamps) are its own.
bool isShownColumn(const QString& c) {
    return c != u"clase" && !c.startsWith(u"fechahora");
}

// The mismatches between a row and the fields that a load of it shows.
QStringList differsFromRow(const Shown& s, const QVariantMap& r) {
    QStringList d;
    for (const auto& [column, value] : s.values) {
        if (column == u"codigo")
            continue;
        const QVariant stored = r.value(column);
        if (!same(column, value, stored))
            d << column + QStringLiteral(" shows '") + value + QStringLiteral("', stored '") +
                     text(stored) + u'\'';
    }
    return d;
}

// What a save of the fields as shown (s) must have stored in r; `before` is
// the row it replaced (empty for a new one), `loaded` the custom values the
// grid showed at the load.
QStringList differsFromShown(const Shown& s, const QVariantMap& r, const QVariantMap& before,
                             const Values& loaded) {
    QStringList d;
    const auto differs = [&](const QString& c, const QString& expected) {
        d << c + QStringLiteral(" stored '") + (r.value(c).isNull() ? "NULL" : text(r.value(c))) +
                 QStringLiteral("', expected '") + expected + u'\'';
    };
    if (text(r.value("codigo")).trimmed().toUpper() != s.key)
        differs(QStringLiteral("codigo"), s.key);
    for (const auto& [c, value] : s.values) {
        if (c == u"codigo" || !isShownColumn(c))
            continue;
        const QVariant g = r.value(c);
        const QString t = value.trimmed();
        // A hidden field keeps what is stored; a custom value left blank too.
        const bool kept = s.hidden.count(c) || (isCustom(c) && t.isEmpty() && loaded.count(c) &&
                                                loaded.at(c).trimmed().isEmpty());
        if (kept) {
            if (asText({{c, g}}) != asText({{c, before.value(c)}}))
                differs(c, QStringLiteral("as before: ") + text(before.value(c)));
            continue;
        }
        if (isCodeOfFour(c)) {
            static const QRegularExpression digits(QStringLiteral("^\\d+$"));
            const QString e = t.isEmpty()                   ? QString()
                              : !digits.match(t).hasMatch() ? t
                              : t.size() >= 4               ? t.right(4)
                                                            : QString(4 - t.size(), u'0') + t;
            if (e.isEmpty() ? !g.isNull() : text(g) != e)
                differs(c, e.isEmpty() ? QStringLiteral("NULL") : e);
        } else if (isNumber(c) || isCustom(c)) {
            if (!same(c, t, g))
                differs(c, t);
        } else if (text(g) != t) {
            // Texts are stored trimmed (an empty one as an empty text).
            differs(c, t);
        }
    }
    return d;
}

bool isRefusal(const Notice& n) {
    // Not a refusal: the point of sale the copy could not reach.
    return n.kind == Notice::Message && (n.style & 7) == vb::vbOKOnly &&
           (n.style & (vb::vbCritical | vb::vbInformation | vb::vbExclamation)) &&
           !n.text.startsWith(u"No se pudo conectar al Punto");
}

bool isError(const Notice& n) {
    return n.text.startsWith(u"Ha ocurrido el Siguiente Error");
}

// ---- What the user types ----------------------------------------------------------------

// Codes in ranges with a view (fields shown, some hidden, none), with no
// view, outside every range, titles, a dropped one, unknown and partial.
const char* const kCodes[] = {
    "110301001",    "110102001001", "110102001002", "110102002001", "210101001", "110402001",
    "110402002",    "110101001",    "110401002",    "110102001",    "110301",    "110102003",
    "110301001999", "999",          "1103",         "11030100",     ""};
// The accounts the accounts window opens the window on.
const char* const kAccounts[] = {"110301001", "110102001001", "110102001002", "210101001",
                                 "110402001", "110402002",    "110101001",    "110401002"};

struct Pool {
    std::vector<const char*> columns;
    std::vector<const char*> values;
};
const Pool kPools[] = {
    {{"contacto", "calle", "localidad", "observaciones", "mail", "telefono", "fax"},
     {"Av. Colón", "O'Higgins 12", "", "  ", "Ñandú",
      "UNA CALLE CON UN NOMBRE MUY LARGO QUE NO "
      "ENTRA EN EL CAMPO DE LA TABLA"}},
    {{"numero", "piso", "departamento", "cpostal"}, {"1250", "", "3", "AB", "B8000XAA", "1234567"}},
    {{"provincia"}, {"B", "Q", "X", ""}},
    {{"pais"}, {"AR", "UY", "ZZ", ""}},
    {{"documento_tipo"}, {"80", "0086", "99", ""}},
    {{"numero_documento"}, {"30-71234567-9", "20-1234567-8", "30712345679", ""}},
    {{"iva"}, {"1", "4", "9", ""}},
    {{"idcond_cpra_vta", "idcategoria"}, {"1", "0002", "7", "", "A"}},
    {{"limite_credito"}, {"1500,50", "1.234,56", "abc", "", "-3"}},
    {{"idmotivovta", "idmotivocpra", "idvendedor", "idlista"}, {"1", "2", "x", "", "7"}},
};
// Custom values, some the column cannot hold as typed (a text past its
// length, a day the month lacks, a fraction or an overflow in the small
// integer, a third decimal or a fifth integer digit in DECIMAL(6, 2)): the
// cell refuses those.
const std::map<std::string, std::vector<const char*>> kCells = {
    {"p_rubro", {"MAYORISTA", "", "UN RUBRO MAS LARGO QUE VEINTE", "ñ"}},
    {"p_fecha_alta", {"15/03/2024", "31/02/2024", "30/02/2024", "abc", "", "1/1/2023"}},
    {"p_cuotas", {"2", "2,5", "-3", "40000", "abc", ""}},
    {"p_tasa", {"12,5", "1,234", "12345,6", "0,01", ""}},
};
const char* const kOtherOps[] = {"change", "insert", "delete", "account"};
const char* const kKeys[] = {"Tab", "Backtab", "Enter", "Escape", "F2", "F3", "F4", "F6", "F9"};
const char* const kBarKeys[] = {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "CANCELAR", "CERRAR"};

// One character typed; one Qt Test has no key for goes as its text alone.
void typeChar(QWidget* w, QChar ch) {
    if (ch.unicode() < 128)
        return QTest::keyClicks(w, QString(ch));
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
    QApplication::sendEvent(w, &release);
}

template <typename T, size_t N> const T& pick(const T (&t)[N], std::mt19937& g) {
    return t[g() % N];
}

bool startsWith(const std::string& s, const char* prefix) {
    return s.rfind(prefix, 0) == 0;
}

class AdditionalDataWalk {
public:
    explicit AdditionalDataWalk(const Demo& demo) : demo_(demo) {
        size_t i = 0;
        for (const testutil::TempDatabase* d : demo.databases()) {
            dbs_[i].open(d->path());
            versions_[i] = dbs_[i].version();
            ++i;
        }
        snapshots_ = demo.snapshots;
        walk_ = std::make_unique<walk::Walk>(actions());
        walk_->before = [this](const Step& s) {
            if (const QString c = shown().key; !c.isEmpty())
                rowBefore_ = rowIn(dbs_[0], c);
            else
                rowBefore_.clear();
            (void)s;
        };
        walk_->after = [this](const Step& s) { check(s); };
    }
    ~AdditionalDataWalk() {
        walk_.reset();
        delete frmMA_CUENTASADIC::Instancia();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        accounts_.reset();
    }

    walk::Walk& walk() { return *walk_; }
    const Shown& now() const { return last_; }
    DbReader& db(int i) { return dbs_[size_t(i)]; }
    const std::vector<std::vector<Notice>>& noticesByStep() const { return noticesByStep_; }

private:
    static frmMA_CUENTASADIC* window() {
        frmMA_CUENTASADIC* w = frmMA_CUENTASADIC::Instancia();
        return w && w->isVisible() ? w : nullptr;
    }

    // ---- Actions ----
    std::vector<walk::Action> actions() {
        return {
            {"open", [] { return window() == nullptr; },
             [](std::mt19937& g) {
                 const int road = int(g() % 3);
                 return road == 0 ? std::string("solo")
                                  : std::string(road == 1 ? "cuentas:" : "pregunta:") +
                                        pick(kAccounts, g);
             },
             [this](const std::string& p) { start(p); }, 1000},
            {"type", [this] { return !typingTargets().empty(); },
             [this](std::mt19937& g) { return chooseTyping(g); },
             [this](const std::string& p) { type(p); }, 30},
            {"cell", [this] { return gridUsable(); },
             [](std::mt19937& g) {
                 auto i = kCells.begin();
                 std::advance(i, g() % kCells.size());
                 return i->first + '=' + i->second[g() % i->second.size()];
             },
             [this](const std::string& p) { cell(p); }, 15},
            {"tab", [] { return window() != nullptr; },
             [](std::mt19937& g) { return std::to_string(g() % 3); },
             [this](const std::string& p) { clickTab(std::stoi(p)); }, 6},
            {"key", [] { return window() != nullptr; },
             [](std::mt19937& g) { return std::string(pick(kKeys, g)); },
             [this](const std::string& p) { key(p); }, 25},
            {"click", [this] { return !barKeys().empty(); },
             [this](std::mt19937& g) {
                 const std::vector<std::string> k = barKeys();
                 return k[g() % k.size()];
             },
             [this](const std::string& p) { click(p); }, 15},
            {"right", [this] { return !withLookup().empty(); },
             [this](std::mt19937& g) {
                 const std::vector<std::string> d = withLookup();
                 return d[g() % d.size()];
             },
             [this](const std::string& p) { right(p); }, 5},
            {"other", [this] { return !otherCode().isEmpty(); },
             [this](std::mt19937& g) {
                 return std::string(pick(kOtherOps, g)) + ':' + otherCode().toStdString();
             },
             [this](const std::string& p) { other(p); }, 8},
            // Back to the accounts window for another account: typed and
            // left, then its key ("code"); typed and the key pressed at
            // once ("code!"); typed only ("code?").
            {"again", [this] { return window() && accounts_ && shown().bound; },
             [](std::mt19937& g) {
                 static const char* const how[] = {"", "!", "?"};
                 return std::string(pick(kAccounts, g)) + pick(how, g);
             },
             [this](const std::string& p) { again(p); }, 3},
        };
    }

    QTabWidget* tabs() const { return window()->findChild<QTabWidget*>(QStringLiteral("SSTab1")); }

    static bool usable(const QWidget* c) { return c && c->isEnabled() && c->isVisible(); }

    QWidget* usableOrThrow(QWidget* c, const std::string& name) const {
        if (!usable(c))
            throw std::runtime_error(name + " is not there to use");
        return c;
    }

    std::vector<std::string> typingTargets() const {
        std::vector<std::string> d;
        if (frmMA_CUENTASADIC* w = window())
            for (QLineEdit* t : w->findChildren<QLineEdit*>(QStringLiteral("txtFields")))
                if (usable(t))
                    d.push_back(t->property("DataField").toString().toLower().toStdString());
        return d;
    }

    std::string chooseTyping(std::mt19937& g) const {
        const std::vector<std::string> d = typingTargets();
        const std::string n = d[g() % d.size()];
        if (n == "codigo")
            return n + '=' + pick(kCodes, g);
        // Mostly what the field takes, now and then another field's value.
        const Pool* own = &kPools[0];
        for (const Pool& p : kPools)
            for (const char* c : p.columns)
                if (n == c)
                    own = &p;
        const Pool& from = g() % 5 ? *own : kPools[g() % std::size(kPools)];
        return n + '=' + from.values[g() % from.values.size()];
    }

    QLineEdit* field(const std::string& column) const {
        frmMA_CUENTASADIC* w = window();
        return w ? campo(*w, column.c_str()) : nullptr;
    }

    // "column=value": the field clicked, its text selected and the value
    // typed over it.
    void type(const std::string& p) {
        const std::string n = p.substr(0, p.find('='));
        const QString value = QString::fromStdString(p.substr(p.find('=') + 1));
        QLineEdit* f = field(n);
        // A field on another tab is reached by its tab first, as the user does.
        if (f && !f->isVisible() && !f->isHidden()) {
            for (int i = 0; i < tabs()->count(); ++i)
                if (tabs()->widget(i)->isAncestorOf(f))
                    clickTab(i);
        }
        QTest::mouseClick(usableOrThrow(f, n), Qt::LeftButton);
        QWidget* where = QApplication::focusWidget();
        typedInto_ = shown().focus;
        if (!qobject_cast<QLineEdit*>(where))
            return;
        QTest::keyClick(where, Qt::Key_Home);
        QTest::keyClick(where, Qt::Key_End, Qt::ShiftModifier);
        if (value.isEmpty())
            QTest::keyClick(where, Qt::Key_Backspace);
        for (const QChar ch : value)
            if (QWidget* now = QApplication::focusWidget())
                typeChar(now, ch);
    }

    bool gridUsable() const {
        frmMA_CUENTASADIC* w = window();
        return w && tabs()->isTabEnabled(2) && gridOf(*w)->MSFlexGrid1->Rows() > 1;
    }

    // "column=value" typed into the custom column's cell and accepted with Enter.
    void cell(const std::string& p) {
        const QString column = QString::fromStdString(p.substr(0, p.find('=')));
        const QString value = QString::fromStdString(p.substr(p.find('=') + 1));
        clickTab(2);
        FlexGrid* g = gridOf(*window())->MSFlexGrid1;
        int row = -1;
        for (int r = 1; r < g->Rows(); ++r)
            if (g->TextMatrix(r, 0).compare(column, Qt::CaseInsensitive) == 0)
                row = r;
        if (row < 0)
            throw std::runtime_error("no custom row " + column.toStdString());
        const QModelIndex i = g->model()->index(row, 1);
        QTest::mouseClick(usableOrThrow(g->viewport(), "grid"), Qt::LeftButton, {},
                          g->visualRect(i).center());
        QLineEdit* box = gridOf(*window())->TxtEdit;
        // A cell left open with a value it refused keeps the user there.
        if (box->isVisible())
            return;
        QTest::keyClick(g, Qt::Key_Space);
        if (!box->isVisible())
            return;
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        if (value.isEmpty())
            QTest::keyClick(box, Qt::Key_Backspace);
        for (const QChar ch : value)
            typeChar(box, ch);
        QTest::keyClick(box, Qt::Key_Return);
    }

    void clickTab(int i) {
        QTabBar* bar = tabs()->tabBar();
        if (!bar->isTabEnabled(i) || tabs()->currentIndex() == i)
            return;
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(i).center());
    }

    void key(const std::string& p) {
        static const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> kMap{
            {"Tab", {Qt::Key_Tab, {}}},      {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"Enter", {Qt::Key_Return, {}}}, {"Escape", {Qt::Key_Escape, {}}},
            {"F2", {Qt::Key_F2, {}}},        {"F3", {Qt::Key_F3, {}}},
            {"F4", {Qt::Key_F4, {}}},        {"F6", {Qt::Key_F6, {}}},
            {"F9", {Qt::Key_F9, {}}}};
        const auto& [k, m] = kMap.at(p);
        QWidget* f = QApplication::focusWidget();
        QTest::keyClick(f && window()->isAncestorOf(f) ? f : window(), k, m);
    }

    std::vector<std::string> barKeys() const {
        std::vector<std::string> d;
        if (frmMA_CUENTASADIC* w = window())
            for (const char* k : kBarKeys)
                // Standalone, closing the window ends the program.
                if (usable(paxtor(*w)->boton(QLatin1String(k))) &&
                    (!w->FormaIndependiente || k != std::string("CERRAR")))
                    d.push_back(k);
        return d;
    }

    void click(const std::string& p) {
        QTest::mouseClick(usableOrThrow(paxtor(*window())->boton(QString::fromStdString(p)), p),
                          Qt::LeftButton);
    }

    std::vector<std::string> withLookup() const {
        std::vector<std::string> d;
        if (frmMA_CUENTASADIC* w = window())
            for (QLineEdit* t : w->findChildren<QLineEdit*>(QStringLiteral("txtFields")))
                if (usable(t) && !t->property("Tag").toString().trimmed().isEmpty())
                    d.push_back(t->property("DataField").toString().toLower().toStdString());
        return d;
    }

    void right(const std::string& p) {
        lookupField_ = QString::fromStdString(p);
        QTest::mouseClick(usableOrThrow(field(p), p), Qt::RightButton);
    }

    // The code another connection works on: the account shown, or the code typed.
    QString otherCode() const {
        const Shown s = shown();
        const QString code = !s.key.isEmpty() ? s.key : s.code();
        static const QRegularExpression digits(QStringLiteral("^\\d{1,15}$"));
        return s.open && digits.match(code).hasMatch() ? code : QString();
    }

    // "op:code" by another connection to the company's database.
    void other(const std::string& p) {
        const QString op = QString::fromStdString(p.substr(0, p.find(':')));
        const QString code = sqltext::literal(QString::fromStdString(p.substr(p.find(':') + 1)));
        const QString sql =
            op == u"change"
                ? QStringLiteral("UPDATE MA_CUENTASADIC SET CALLE = '%1', fechahora_modificacion "
                                 "= '01/01/24 00:00' WHERE CODIGO = %2")
                      .arg(kOtherStreet, code)
            : op == u"insert"
                ? QStringLiteral("INSERT OR IGNORE INTO MA_CUENTASADIC (CODIGO, CALLE, "
                                 "LIMITE_CREDITO, fechahora_grabacion) SELECT CODIGO, 'ALTA DE "
                                 "OTRO', 750, '01/01/24 00:00' FROM MA_CUENTAS WHERE CODIGO = %1")
                      .arg(code)
            : op == u"delete" ? QStringLiteral("DELETE FROM MA_CUENTASADIC WHERE CODIGO = ") + code
                              : QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = ") + code;
        demo_.company.tryExec(sql);
    }

    // ---- Starts ----
    FrmMA_CUENTAS& accounts() {
        if (!accounts_) {
            accounts_ = std::make_unique<FrmMA_CUENTAS>();
            accounts_->Form_Load();
            ConectaVentanasRelacionadas(*accounts_);
            accounts_->resize(1280, 800);
        }
        accounts_->show();
        activate(accounts_.get());
        return *accounts_;
    }

    static void activate(QWidget* w) {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        (void)QTest::qWaitForWindowActive(w);
    }

    // Types a code into the accounts window's code box: "code" left with
    // Tab; "code!" and "code?" not left.
    void typeInAccounts(const std::string& p) {
        FrmMA_CUENTAS& a = accounts();
        QLineEdit* box = a.findChild<QLineEdit*>(QStringLiteral("TxtCodigo"));
        const QString code = QString::fromStdString(p).remove(u'!').remove(u'?');
        if (!usable(box))
            throw std::runtime_error("the accounts window's code box is not there to use");
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_Home);
        QTest::keyClick(box, Qt::Key_End, Qt::ShiftModifier);
        QTest::keyClicks(box, code);
        if (p.back() != '!' && p.back() != '?')
            QTest::keyClick(box, Qt::Key_Tab);
    }

    // "solo": as the program starts it; "cuentas:code": the accounts
    // window's side toolbar on the account; "pregunta:code": that window's
    // save of the account, whose question offers the additional data.
    void start(const std::string& p) {
        if (p == "solo") {
            frmMA_CUENTASADIC* w = frmMA_CUENTASADIC::Muestra(true);
            w->resize(1280, 800);
            activate(w);
            return;
        }
        const std::string code = p.substr(p.find(':') + 1);
        typeInAccounts(code);
        if (startsWith(p, "cuentas:"))
            accounts_->Tbar_ButtonClick(accounts_->BotonTbar(2));
        else
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                        : accounts_.get(),
                            Qt::Key_F4);
        if (frmMA_CUENTASADIC* w = window()) {
            w->resize(1280, 800);
            activate(w);
        }
    }

    void again(const std::string& p) {
        typeInAccounts(p);
        if (p.back() != '?')
            accounts_->Tbar_ButtonClick(accounts_->BotonTbar(2));
        if (frmMA_CUENTASADIC* w = window())
            activate(w);
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
        if (s.action == "click")
            return QString::fromStdString(s.param);
        return std::nullopt;
    }

    void check(const Step& s) {
        if (frmMA_CUENTASADIC* w = window(); w && QApplication::activeWindow() != w)
            activate(w);
        const Shown now = shown();
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
        const auto ofTable = [](const std::vector<Change>& x, const char* table) {
            std::vector<Change> r;
            for (const Change& c : x)
                if (c.table == QLatin1String(table))
                    r.push_back(c);
            return r;
        };

        const std::optional<QString> cmd = command(s);
        const bool refused = any(isRefusal);
        const bool error = any(isError);
        const bool save = cmd == u"GRABAR", erase = cmd == u"BORRAR";
        const QString C = was.key;
        // Done: a save unloads the bound window and clears the standalone one;
        // a delete clears the window; neither with a refusal.
        const bool done = was.open && was.detail && !C.isEmpty() && !refused && !error &&
                          ((save && (was.bound ? !now.open : !now.detail && now.key.isEmpty())) ||
                           (erase && (!now.open || !now.detail)));

        // I1, I2: the databases.
        if (s.action == "other") {
            for (size_t i = 1; i < 3; ++i)
                if (!changed[i].empty())
                    fail("I1", QStringLiteral("a copy changed with the company's database: ") +
                                   walk::describe(changed[i]));
            for (const Change& x : changed[0])
                changedByOther_[x.key] = {step, QString::fromStdString(s.param)};
        } else if (s.action == "open" || s.action == "again") {
            // The accounts window's own save writes its account; never
            // additional data.
            for (const auto& x : changed)
                if (const auto a = ofTable(x, "MA_CUENTASADIC"); !a.empty())
                    fail("I1", QStringLiteral("opening the window changed additional data: ") +
                                   walk::describe(a));
        } else if (!done) {
            for (const auto& x : changed)
                if (!x.empty())
                    fail(cmd && (refused || error) ? "I2" : "I1",
                         QStringLiteral("a database changed though no command was reported "
                                        "done: ") +
                             walk::describe(x));
        } else {
            for (const auto& x : changed)
                for (const Change& y : x)
                    if (y.table != u"MA_CUENTASADIC" || y.key != C)
                        fail("I1", QStringLiteral("the command on ") + C +
                                       QStringLiteral(" changed other rows: ") +
                                       walk::describe({y}));
            if (was.code().toUpper() != C)
                fail("I1", QStringLiteral("the command acted on ") + C +
                               QStringLiteral(" while the code field showed '") + was.code() +
                               u'\'');
            const QVariantMap row = rowIn(dbs_[0], C);
            // Another connection's change since the load is never undone.
            // (Deleting a row another connection deleted undoes nothing.)
            const bool otherSince = (save || !rowBefore_.isEmpty()) && changedByOther_.count(C) &&
                                    loadedAt_.count(C) &&
                                    changedByOther_[C].first >= loadedAt_[C] &&
                                    asText(rowBefore_) != asText(rowAtLoad_[C]);
            if (otherSince)
                fail("I1", QStringLiteral("%1 of %2 undid what another connection did at step "
                                          "%3 (%4) after the window loaded it at step %5")
                               .arg(save ? "the save" : "the delete", C)
                               .arg(changedByOther_[C].first)
                               .arg(changedByOther_[C].second)
                               .arg(loadedAt_[C]));
            for (size_t i = 1; i < 3; ++i)
                if (!ofTable(changed[0], "MA_CUENTASADIC").empty() &&
                    asCopied(rowIn(dbs_[i], C)) != asCopied(row))
                    fail("I1",
                         QStringLiteral("copy %1 does not hold the company's row of ").arg(i) + C +
                             QStringLiteral(": ") + asText(rowIn(dbs_[i], C)) +
                             QStringLiteral(" against ") + asText(row));
            if (save) {
                if (row.isEmpty())
                    fail("I4", QStringLiteral("GRABAR reported done but ") + C +
                                   QStringLiteral(" is not stored"));
                else if (const QStringList m =
                             differsFromShown(was, row, rowBefore_, customAtLoad_);
                         !m.isEmpty())
                    fail("I1", QStringLiteral("stored ") + C +
                                   QStringLiteral(" differs from what was shown: ") +
                                   m.join(QStringLiteral("; ")));
            } else if (!row.isEmpty()) {
                fail("I4", QStringLiteral("BORRAR reported done but ") + C +
                               QStringLiteral(" is still stored"));
            }
        }

        // I5: no additional data for a code the chart does not hold.
        if (s.action != "other")
            for (const auto& x : changed)
                for (const Change& y : ofTable(x, "MA_CUENTASADIC"))
                    if (y.added && !inChart(dbs_[0], y.key))
                        fail("I5", QStringLiteral("additional data stored for ") + y.key +
                                       QStringLiteral(", which is not in the chart"));

        // I4: one box for one refusal. (Opening from the accounts window is
        // several of the user's actions there: a code left, then a key.)
        std::set<QString> told;
        for (const Notice& x : notices)
            if (s.action != "open" && s.action != "again" && isRefusal(x) &&
                !told.insert(x.text).second)
                fail("I4", QStringLiteral("the refusal '") + x.text +
                               QStringLiteral("' shown twice in one action"));

        // I3: who changed each field.
        const bool sameWindow = was.open && now.open && s.action != "open";
        const bool loaded = now.open && !now.key.isEmpty() &&
                            (now.key != was.key || !sameWindow || (now.detail && !was.detail));
        const bool reset = sameWindow && !now.detail && was.detail;
        const bool lookup = any([](const Notice& x) { return x.kind == Notice::Lookup; });
        std::set<QString> own;
        if (s.action == "type")
            own.insert(QString::fromStdString(s.param.substr(0, s.param.find('='))));
        if (s.action == "type" && !typedInto_.isEmpty())
            own.insert(typedInto_);
        if (s.action == "cell")
            own.insert(QString::fromStdString(s.param.substr(0, s.param.find('='))));
        // What the user typed in a cell's edit box, and Escape dropping it.
        for (const Shown* x : {&was, &now})
            if (!x->cellOpen.isEmpty())
                own.insert(x->cellOpen);
        // A lookup fills its field (a cancelled one empties it).
        if (lookup) {
            own.insert(lookupField_.isEmpty() ? lastField_ : lookupField_);
            own.insert(was.focus);
        }
        const auto context = [&] {
            return QStringLiteral(" (loaded %1, reset %2, '%3' %4 -> '%5' %6)")
                .arg(loaded)
                .arg(reset)
                .arg(was.key, was.detail ? "on" : "off", now.key, now.detail ? "on" : "off");
        };
        if (sameWindow && !loaded)
            for (const auto& [k, before] : was.values) {
                const QString after = now.values.count(k) ? now.values.at(k) : QString();
                if (after == before || own.count(k) || (reset && after.isEmpty()))
                    continue;
                // Standalone, a code refused stays typed; one accepted is kept.
                fail(cmd && (refused || error) ? "I2" : "I3",
                     k + QStringLiteral(" changed from '") + before + QStringLiteral("' to '") +
                         after + u'\'' + context());
            }
        // A load shows the stored row (or nothing, for a new one).
        if (loaded && now.detail) {
            const QVariantMap row = rowIn(dbs_[0], now.key);
            if (const QStringList m = differsFromRow(now, row); !m.isEmpty())
                fail("I3", QStringLiteral("loaded ") + now.key +
                               QStringLiteral(" does not show its row: ") +
                               m.join(QStringLiteral("; ")));
            loadedAt_[now.key] = step;
            rowAtLoad_[now.key] = row;
            customAtLoad_.clear();
            for (const auto& [k, v] : now.values)
                if (isCustom(k))
                    customAtLoad_[k] = v;
        }
        // The fields the view hides are those of the account's range.
        if (now.open && now.detail && !now.key.isEmpty()) {
            std::set<QString> expected = hiddenFor(dbs_[0], now.key), hidden;
            for (const auto& [column, label] : kOptional)
                if (now.hidden.count(QLatin1String(column)))
                    hidden.insert(QLatin1String(column));
            if (hidden != expected)
                fail("I3", QStringLiteral("the view of %1 hides %2 fields, its range %3")
                                   .arg(now.key)
                                   .arg(hidden.size())
                                   .arg(expected.size()) +
                               context());
        }
        // The field a lookup acts on: the one that last had the focus.
        if (!now.focus.isEmpty() && now.focus != u"grid")
            lastField_ = now.focus;
        if (s.action == "open")
            lastField_ = now.focus;
        lookupField_.clear();
        typedInto_.clear();
        snapshots_ = snapshots;
        last_ = now;
    }

    const Demo& demo_;
    std::unique_ptr<FrmMA_CUENTAS> accounts_;
    std::array<DbReader, 3> dbs_; // company, group, point of sale
    std::array<qint64, 3> versions_{};
    std::array<walk::Snapshot, 3> snapshots_;
    Shown last_;
    std::unique_ptr<walk::Walk> walk_;
    // account -> the step another connection changed it, and how
    std::map<QString, std::pair<int, QString>> changedByOther_;
    std::map<QString, int> loadedAt_;          // account -> step the window loaded it
    std::map<QString, QVariantMap> rowAtLoad_; // account -> its row at that step
    Values customAtLoad_;                      // the custom values the last load showed
    std::vector<std::vector<Notice>> noticesByStep_;
    QVariantMap rowBefore_;
    QString typedInto_, lookupField_, lastField_;
};

class AdditionalDataWalkTest : public WalkFixture<Demo> {
protected:
    // A walk on fresh copies of the demo files, the program started as its
    // menu starts it; the walk's first step opens the window.
    AdditionalDataWalk& start() {
        restoreDemo();
        CNStuffContable::IniciaSistema();
        walk_ = std::make_unique<AdditionalDataWalk>(demo());
        return *walk_;
    }

    void stop() override {
        walk_.reset();
        resetConsulta();
        resetInstances();
    }

    std::unique_ptr<AdditionalDataWalk> walk_;
};

// ---- Random walks --------------------------------------------------------------------------

constexpr int kShards = 6;
constexpr int kWalksPerShard = 20;
constexpr int kSteps = 20;

class AdditionalDataRandomWalks : public AdditionalDataWalkTest,
                                  public ::testing::WithParamInterface<int> {};

TEST_P(AdditionalDataRandomWalks, EveryStepKeepsTheInvariants) {
    EXPECT_EQ(walk::runSeeds(walk::seeds(1 + unsigned(GetParam() * kWalksPerShard), kWalksPerShard),
                             walk::requestedSteps(kSteps),
                             [&]() -> walk::Walk& { return start().walk(); }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Seeds, AdditionalDataRandomWalks, ::testing::Range(0, kShards));

// More walks when asked for (QUARZELO_PASEOS, paseo.h).
TEST_F(AdditionalDataWalkTest, RequestedWalks) {
    const std::vector<unsigned> seeds = walk::requestedSeeds(1 + kShards * kWalksPerShard);
    if (seeds.empty())
        GTEST_SKIP() << "QUARZELO_PASEOS is not set";
    EXPECT_EQ(walk::runSeeds(seeds, walk::requestedSteps(kSteps),
                             [&]() -> walk::Walk& { return start().walk(); }),
              0);
}

// ---- Fixed walks -----------------------------------------------------------------------------

struct Road {
    const char* name;
    std::vector<Step> steps;
    std::function<void(AdditionalDataWalk&)> end = {};
};

QString stored(AdditionalDataWalk& w, int db, const char* code, const char* columns) {
    const auto r = w.db(db).rows(QStringLiteral("SELECT %1 FROM MA_CUENTASADIC WHERE CODIGO = '%2'")
                                     .arg(QLatin1String(columns), QLatin1String(code)));
    if (r.isEmpty())
        return QStringLiteral("<none>");
    QStringList l;
    for (const QVariant& v : r[0])
        l << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    return l.join(u'|');
}

bool showed(AdditionalDataWalk& w, const QString& t) {
    for (const auto& step : w.noticesByStep())
        for (const Notice& n : step)
            if (n.text.startsWith(t))
                return true;
    return false;
}

std::vector<Road> roads() {
    const QString kMissing = QStringLiteral("La cuenta ingresada no existe!!!");
    std::vector<Road> r{
        // Standalone, the code typed and not accepted: the save is not there
        // to press, and the code stays as typed.
        {"SaveAfterACodeTypedAndNotAcceptedStandalone",
         {{"open", "solo"}, {"type", "codigo=110301001"}, {"key", "F4"}, {"key", "F3"}},
         [](AdditionalDataWalk& w) {
             EXPECT_EQ(w.now().code(), "110301001");
             EXPECT_EQ(stored(w, 0, "110301001", "CALLE"), "Av. Colón");
         }},
        // From the accounts window, another code typed there and not
        // accepted: the save stores the account the window shows.
        {"SaveAfterAnotherCodeTypedInTheAccountsWindow",
         {{"open", "cuentas:210101001"},
          {"type", "calle=Sarmiento"},
          {"type", "numero=1"},
          {"type", "cpostal=8000"},
          {"type", "localidad=Bahía Blanca"},
          {"type", "provincia=B"},
          {"type", "pais=AR"},
          {"type", "numero_documento=30-71234567-9"},
          {"again", "110301001?"},
          {"key", "F4"}},
         [](AdditionalDataWalk& w) {
             for (int db : {0, 1})
                 EXPECT_EQ(stored(w, db, "210101001", "CALLE").toUpper(), "SARMIENTO") << db;
             EXPECT_EQ(stored(w, 0, "110301001", "CALLE"), "Av. Colón");
         }},
        // A supplier's view hides the credit limit; an account whose range
        // names no view shows it again, and its save writes what is shown.
        {"ARangeWithNoViewAfterOneThatHidesFields",
         {{"open", "solo"},
          {"type", "codigo=210101001"},
          {"key", "Enter"},
          {"click", "CANCELAR"},
          {"type", "codigo=110402001"},
          {"key", "Enter"},
          {"tab", "1"},
          {"type", "limite_credito=1500,50"},
          {"tab", "0"},
          {"type", "calle=Sarmiento"},
          {"type", "numero=1"},
          {"type", "cpostal=8000"},
          {"type", "localidad=Bahía Blanca"},
          {"type", "provincia=B"},
          {"type", "pais=AR"},
          {"type", "numero_documento=30-71234567-9"},
          {"key", "F4"}},
         [](AdditionalDataWalk& w) {
             EXPECT_EQ(stored(w, 0, "110402001", "CALLE, LIMITE_CREDITO").toUpper(),
                       "SARMIENTO|1500.5");
         }},
        // A hidden field is never written as empty.
        {"AHiddenFieldKeepsWhatIsStored",
         {{"open", "solo"},
          {"type", "codigo=210101001"},
          {"other", "insert:210101001"},
          {"key", "Enter"},
          {"type", "numero=1"},
          {"type", "cpostal=8000"},
          {"type", "localidad=Bahía Blanca"},
          {"type", "provincia=B"},
          {"type", "pais=AR"},
          {"type", "numero_documento=30-71234567-9"},
          {"key", "F4"}},
         [](AdditionalDataWalk& w) {
             for (int db : {0, 1})
                 EXPECT_EQ(stored(w, db, "210101001", "CALLE, NUMERO, LIMITE_CREDITO").toUpper(),
                           "ALTA DE OTRO|1|750")
                     << db;
         }},
        // Another user's save of the same data before F4 is refused.
        {"AnotherUsersSaveBeforeTheSave",
         {{"open", "pregunta:110301001"},
          {"type", "contacto=Mia"},
          {"other", "change:110301001"},
          {"key", "F4"}},
         [](AdditionalDataWalk& w) {
             EXPECT_TRUE(showed(w, cuentasadic::MsgCambiadosPorOtro));
             EXPECT_EQ(stored(w, 0, "110301001", "CALLE, CONTACTO"),
                       kOtherStreet + QStringLiteral("|Silvia Rinaldi"));
         }},
        // And so is a delete of what another user saved since the load.
        {"AnotherUsersSaveBeforeTheDelete",
         {{"open", "solo"},
          {"type", "codigo=110102001001"},
          {"key", "Enter"},
          {"other", "change:110102001001"},
          {"key", "F3", {vb::vbYes}}},
         [](AdditionalDataWalk& w) {
             EXPECT_TRUE(showed(w, cuentasadic::MsgCambiadosPorOtro));
             EXPECT_EQ(stored(w, 0, "110102001001", "CALLE"), kOtherStreet);
         }},
        // A code not in the chart, from each road.
        {"ACodeNotInTheChartStandalone",
         {{"open", "solo"}, {"type", "codigo=110301001999"}, {"key", "Enter"}, {"key", "F2"}},
         [kMissing](AdditionalDataWalk& w) {
             EXPECT_TRUE(showed(w, kMissing));
             EXPECT_EQ(stored(w, 0, "110301001999", "CODIGO"), "<none>");
         }},
        {"ACodeNotInTheChartFromTheAccountsWindow",
         {{"open", "cuentas:110102001002"},
          {"type", "calle=Sarmiento"},
          {"type", "numero=1"},
          {"type", "cpostal=8000"},
          {"type", "localidad=Bahía Blanca"},
          {"type", "provincia=B"},
          {"type", "pais=AR"},
          {"type", "numero_documento=30-71234567-9"},
          {"other", "account:110102001002"},
          {"key", "F4"}},
         [kMissing](AdditionalDataWalk& w) {
             EXPECT_FALSE(inChart(w.db(0), QStringLiteral("110102001002")));
             EXPECT_TRUE(showed(w, kMissing));
             EXPECT_EQ(stored(w, 0, "110102001002", "CODIGO"), "<none>");
         }},
        // The account another user deleted before the window opens on it.
        {"ACodeNotInTheChartWhenTheWindowOpens",
         {{"open", "cuentas:110402001"},
          {"click", "CERRAR"},
          {"other", "account:110402001"},
          {"again", "110402001"}},
         [kMissing](AdditionalDataWalk& w) {
             EXPECT_TRUE(showed(w, kMissing));
             EXPECT_EQ(stored(w, 0, "110402001", "CODIGO"), "<none>");
         }},
        {"ACodeNotInTheChartFromTheSaveQuestion",
         {{"open", "pregunta:110402002"},
          {"type", "calle=Sarmiento"},
          {"type", "numero=1"},
          {"type", "cpostal=8000"},
          {"type", "localidad=Bahía Blanca"},
          {"type", "provincia=B"},
          {"type", "pais=AR"},
          {"type", "numero_documento=30-71234567-9"},
          {"other", "account:110402002"},
          {"key", "F4"}},
         [kMissing](AdditionalDataWalk& w) {
             EXPECT_TRUE(showed(w, kMissing));
             EXPECT_EQ(stored(w, 0, "110402002", "CODIGO"), "<none>");
         }},
    };
    return r;
}

class AdditionalDataFixedWalks : public AdditionalDataWalkTest,
                                 public ::testing::WithParamInterface<size_t> {};

TEST_P(AdditionalDataFixedWalks, KeepTheInvariants) {
    const Road road = roads()[GetParam()];
    AdditionalDataWalk& w = start();
    EXPECT_TRUE(w.walk().replay(road.steps)) << w.walk().report();
    if (road.end)
        road.end(w);
}

INSTANTIATE_TEST_SUITE_P(Roads, AdditionalDataFixedWalks,
                         ::testing::Range<size_t>(0, roads().size()),
                         [](const auto& i) { return std::string(roads()[i.param].name); });

} // namespace
