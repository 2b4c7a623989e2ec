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
//      it (and the side effects the window's rules give), by a load of an
//      account the user asked for (the controls then show the stored row),
//      or by a reset the user asked for; the code box and the code field
//      show the same code;
//   I4 no success message without its change stored, one box per refusal;
//   I5 a related window opens only on the account the window's state is for.

#include "cuentas_fixture.h"

#include "accounts/ui/arbol_plan.h"
#include "common/paseo.h"
#include "platform/sql/quoting.h"
#include "platform/ui/flexgrid.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QRegularExpression>
#include <QToolBar>
#include <QToolButton>
#include <map>
#include <set>

using CNStuffContable::CuentaActual;
using paseo::Paso;

namespace {

using Valores = std::map<std::string, QString>;

const QString kAbandonar = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kReutilizar = QStringLiteral(
    "La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?");
const QString kCantidad =
    QStringLiteral("La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
const QString kDadaDeBaja =
    QStringLiteral("La cuenta tiene movimientos o datos asociados, fue dada de baja");

// A code as stored: no "-", no blanks around it, in capitals.
QString normal(const QString& codigo) {
    return QString(codigo).remove(u'-').trimmed().toUpper();
}

QString texto(const QVariant& v) {
    return v.isNull() ? QString() : v.toString();
}

QString comoTexto(const QVariantMap& m) {
    QStringList l;
    for (auto i = m.begin(); i != m.end(); ++i)
        l << i.key() + u'=' +
                 (i.value().isNull() ? QStringLiteral("<null>") : i.value().toString());
    return l.join(u'|');
}

bool marcado(const QVariant& v) {
    const QString t = texto(v).trimmed();
    return !t.isEmpty() && t != u"0" && t.compare(u"false", Qt::CaseInsensitive) != 0;
}

QString bandera(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

// A custom value as the grid shows it against the stored one: numbers with
// a decimal comma, dates day first, texts as stored.
bool mismoPersonalizado(const QString& mostrado, const QVariant& guardado) {
    const QString m = mostrado.trimmed();
    if (guardado.isNull())
        return m.isEmpty();
    if (guardado.typeId() == QMetaType::Double || guardado.typeId() == QMetaType::LongLong) {
        bool ok = false;
        const double d = QString(m).remove(u'.').replace(u',', u'.').toDouble(&ok);
        return ok && qAbs(d - guardado.toDouble()) < 0.005;
    }
    const QString g = guardado.toString().trimmed();
    static const QRegularExpression iso(QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})"));
    if (const auto f = iso.match(g); f.hasMatch())
        return m == f.captured(3) + u'/' + f.captured(2) + u'/' + f.captured(1);
    return m == g;
}

// ---- The databases ----------------------------------------------------------------------

using paseo::Cambio;
using paseo::cambios;
using paseo::describe;
using paseo::Foto;
using paseo::Lector;

QVariantMap cuentaEn(Lector& l, const QString& codigo) {
    return l.fila(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE UPPER(TRIM(CODIGO)) = ") +
                  sqltext::literal(codigo));
}

QString claveEn(Lector& l, const QString& nombre) {
    return texto(l.filas(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = ") +
                         sqltext::literal(nombre))
                     .value(0)
                     .value(0))
        .trimmed();
}

// The account's row and its satellites, each row under its account; the
// audit rows under none.
const std::vector<paseo::Tabla> kTablas = {
    {"MA_CUENTAS", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTAS"},
    {"MA_CUENTASCCOSTO", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASCCOSTO"},
    {"MA_CUENTAS_USUARIOS", "SELECT UPPER(TRIM(CUENTA)), * FROM MA_CUENTAS_USUARIOS"},
    {"MA_CUENTASADIC", "SELECT UPPER(TRIM(CODIGO)), * FROM MA_CUENTASADIC"},
    {"V_MV_CPTEACCIONES", "SELECT '', * FROM V_MV_CPTEACCIONES"},
};

// A commit on a memory file system costs no disk sync: the walks' databases
// go there when the machine has one.
struct EnMemoria {
    testutil::SavedEnv tmpdir{"TMPDIR"};
    EnMemoria() {
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
    }
};

// The demo company as scripts/build-demo-db builds it, once per program: the
// company names the folder as the server of its group and point of sale.
// Each walk starts from these files' first bytes.
struct Demo : EnMemoria {
    testutil::TempDatabase empresa{QStringLiteral("EMPRESA")};
    testutil::TempDatabase grupo = empresa.sibling(QStringLiteral("GRUPO"));
    testutil::TempDatabase tpv = empresa.sibling(QStringLiteral("TPV_BAHIA"));
    std::vector<std::pair<QString, QByteArray>> archivos;
    std::array<Foto, 3> fotos; // the compared tables as built

    Demo() {
        tmpdir.restore();
        const auto lee = [](const QString& nombre) {
            QFile f(QStringLiteral(QUARZELO_SOURCE_DIR "/demo/") + nombre);
            if (!f.open(QIODevice::ReadOnly))
                throw std::runtime_error("cannot read demo/" + nombre.toStdString());
            return QString::fromUtf8(f.readAll());
        };
        const QString datos = lee(QStringLiteral("data.sql"));
        const QString carpeta = sqltext::literal(empresa.folder());
        empresa.exec(QStringLiteral("BEGIN;\n") + datos +
                     QStringLiteral("\n;UPDATE V_TA_TPV SET Server = 'PUESTO/' || %1;"
                                    "UPDATE TA_CONFIGURACION SET VALOR = %1 WHERE CLAVE = "
                                    "'GRP_Server';"
                                    "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) "
                                    "VALUES ('sa', '0001', 1); COMMIT;")
                         .arg(carpeta));
        const QString copia = lee(QStringLiteral("copia.sql"));
        for (const testutil::TempDatabase* d : {&grupo, &tpv})
            d->exec(QStringLiteral("BEGIN;\n") + datos + u'\n' + copia +
                    QStringLiteral("\n;COMMIT;"));
        int i = 0;
        for (const testutil::TempDatabase* d : {&empresa, &grupo, &tpv}) {
            QFile f(d->path());
            f.open(QIODevice::ReadOnly);
            archivos.emplace_back(d->path(), f.readAll());
            Lector l;
            l.abre(d->path());
            fotos[size_t(i++)] = fotografia(l, kTablas);
        }
    }

    void restaura() const {
        for (const auto& [ruta, bytes] : archivos) {
            QFile f(ruta);
            if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
                f.write(bytes) != bytes.size())
                throw std::runtime_error("cannot write " + ruta.toStdString());
        }
    }
};

// ---- The window's controls and what they show ------------------------------------------

const char* const kCampos[] = {"DESCRIPCION", "Codigo", "CodigoOpcional", "CuentaPrincipal",
                               "CodTarjeta_ConcAuto"};
const char* const kCasillas[] = {"CHKAjustable", "ChkBloqueo", "ChkVto",    "ChkBdu",
                                 "ChkCyB",       "chkTarjeta", "chkCCostos"};
const char* const kListas[] = {"CmbIndices", "CmbMP", "CmbMoneda", "Combo1"};
const char* const kTeclas[] = {"NUEVO", "BORRAR", "GRABAR", "CONSULTAR", "CANCELAR"};

struct Controles {
    FrmMA_CUENTAS* w = nullptr;
    std::map<std::string, QWidget*> porNombre; // fields, options, boxes, lists, tree
    FlexGrid* grilla = nullptr;
    ArbolPlanCuentas* arbol = nullptr;
    QToolBar* tbar = nullptr;

    explicit Controles(FrmMA_CUENTAS& v) : w(&v) {
        porNombre["TxtCodigo"] = control<QLineEdit>(v, "TxtCodigo");
        for (const char* c : kCampos)
            porNombre[c] = campo(v, c);
        const auto tipos = v.findChildren<QRadioButton*>(QStringLiteral("OptTipoCuenta"));
        for (int i = 0; i < tipos.size(); ++i)
            porNombre["OptTipoCuenta" + std::to_string(i)] = tipos[i];
        for (const char* c : kCasillas)
            porNombre[c] = control<QCheckBox>(v, c);
        for (const char* c : kListas)
            porNombre[c] = control<QComboBox>(v, c);
        arbol = control<ArbolPlanCuentas>(v, "TreeV");
        porNombre["TreeV"] = arbol;
        grilla = control<FlexGrid>(v, "MSFlexGrid1");
        tbar = control<QToolBar>(v, "Tbar");
    }
    QWidget* de(const std::string& nombre) const {
        const auto i = porNombre.find(nombre);
        return i == porNombre.end() ? nullptr : i->second;
    }
    template <typename T> T* como(const std::string& nombre) const {
        return qobject_cast<T*>(de(nombre));
    }
    // The name of the focused control; "" for another one.
    std::string foco() const {
        const QWidget* f = QApplication::focusWidget();
        for (const auto& [nombre, c] : porNombre)
            if (c == f || (nombre == "TreeV" && f && c->isAncestorOf(f)))
                return nombre;
        return {};
    }
    static bool usable(const QWidget* c) { return c && c->isEnabled() && c->isVisible(); }
};

// What the window shows and the state it tells.
struct Vista {
    Valores v;
    std::string foco;
    bool nuevo = false, modif = false;
    QString clave;
    int cargas = 0;
    int monedas = 0;           // items of CmbMoneda
    bool barraEdicion = false; // the command bar offers GRABAR
    bool edicion() const { return nuevo || modif; }
    QString codigo() const { return normal(v.at("Codigo")); }
};

Vista vista(const Controles& c) {
    Vista s;
    s.v["TxtCodigo"] = c.como<QLineEdit>("TxtCodigo")->text();
    for (const char* n : kCampos)
        s.v[n] = c.como<QLineEdit>(n)->text();
    s.v["OptTipoCuenta"] = c.como<QRadioButton>("OptTipoCuenta1")->isChecked()   ? "1"
                           : c.como<QRadioButton>("OptTipoCuenta0")->isChecked() ? "0"
                                                                                 : "";
    for (const char* n : kCasillas)
        s.v[n] = bandera(c.como<QCheckBox>(n)->isChecked());
    for (const char* n : kListas)
        s.v[n] = QString::number(c.como<QComboBox>(n)->currentIndex());
    for (int r = 1; r < c.grilla->Rows(); ++r)
        s.v[c.grilla->TextMatrix(r, 0).toStdString()] = c.grilla->TextMatrix(r, 1);
    s.foco = c.foco();
    s.nuevo = c.w->esNuevo();
    s.modif = c.w->esModificacion();
    s.clave = normal(c.w->claveAceptada());
    s.cargas = c.w->cargas();
    s.monedas = c.como<QComboBox>("CmbMoneda")->count();
    s.barraEdicion = paxtor(*c.w)->estado(Paxtor::EstadoGrabar);
    return s;
}

// The list position of a stored means of payment, as the window's list
// orders them; the configuration keys tell the credit request and SUSS
// apart from the codes they share.
int posicionMedio(const QString& medio, const QString& codigo, Lector& l) {
    static const std::map<QString, int> kPosicion{{"EF", 1}, {"CH", 2}, {"TJ", 3},
                                                  {"DB", 4}, {"DC", 5}, {"RI", 6},
                                                  {"RB", 7}, {"RG", 8}, {"RO", 9}};
    const auto i = kPosicion.find(medio.trimmed().toUpper());
    if (i == kPosicion.end())
        return 0;
    if (i->second == 3 && normal(claveEn(l, QStringLiteral("CtaSolicitudCredito"))) == codigo)
        return 11;
    if (i->second == 9 &&
        claveEn(l, QStringLiteral("CTA_RET_OTRA_") + codigo).compare(u"SU", Qt::CaseInsensitive) ==
            0)
        return 10;
    return i->second;
}

const char* const kMedios[] = {nullptr, "EF", "CH", "TJ", "DB", "DC",
                               "RI",    "RB", "RG", "RO", "RO", "TJ"};

// What a loaded account must show, control by control (only those the row
// decides): the mismatches, empty when it shows the row.
QStringList difiereDeFila(const Vista& s, const QVariantMap& r, Lector& l,
                          const std::set<std::string>& salvo) {
    const QString codigo = normal(texto(r.value("codigo")));
    const bool titulo = marcado(r.value("titulo"));
    const bool ajuste = marcado(r.value("ajuste"));
    const int medio = posicionMedio(texto(r.value("mediodepago")), codigo, l);
    Valores e{
        {"DESCRIPCION", texto(r.value("descripcion"))},
        {"CodigoOpcional", texto(r.value("codigoopcional"))},
        {"CuentaPrincipal", texto(r.value("cuentaprincipal"))},
        {"CodTarjeta_ConcAuto", texto(r.value("codtarjeta_concauto"))},
        {"OptTipoCuenta", bandera(titulo)},
        {"CHKAjustable", bandera(ajuste)},
        {"CmbIndices", QString::number(ajuste ? r.value("indice").toInt() - 1 : 0)},
        {"ChkBloqueo", bandera(marcado(r.value("bloqueo")))},
        {"ChkVto", bandera(marcado(r.value("pidevencimiento")))},
        {"ChkBdu", bandera(marcado(r.value("bienes")))},
        {"ChkCyB", bandera(marcado(r.value("cajaybanco")))},
        {"CmbMP", QString::number(medio)},
    };
    if (medio == 3 || medio == 11)
        e["chkTarjeta"] = bandera(marcado(r.value("nopidedatostarjeta")));
    if (!titulo)
        e["chkCCostos"] = bandera(marcado(r.value("usaccostos")));
    if (s.monedas > 0 && !texto(r.value("moneda")).trimmed().isEmpty())
        e["CmbMoneda"] = QString::number(texto(r.value("moneda")).toInt() - 1);
    QStringList d;
    for (const auto& [k, valor] : e)
        if (s.v.at(k) != valor && !salvo.count(k))
            d << QString::fromStdString(k) + QStringLiteral(" shows '") + s.v.at(k) +
                     QStringLiteral("', stored '") + valor + u'\'';
    if (!salvo.count("Codigo") &&
        (normal(s.v.at("Codigo")) != codigo || normal(s.v.at("TxtCodigo")) != codigo))
        d << QStringLiteral("the code shows '") + s.v.at("Codigo") + QStringLiteral("', stored ") +
                 codigo;
    for (const auto& [k, valor] : s.v)
        if (QString::fromStdString(k).startsWith(u"P_", Qt::CaseInsensitive) && !salvo.count(k) &&
            !mismoPersonalizado(valor, r.value(QString::fromStdString(k).toLower())))
            d << QString::fromStdString(k) + QStringLiteral(" shows '") + valor +
                     QStringLiteral("', stored '") +
                     texto(r.value(QString::fromStdString(k).toLower())) + u'\'';
    return d;
}

// What a save must store for the controls as they were shown (s), column by
// column: the mismatches with the stored row r; `antes` is the row the save
// overwrote (empty for a new account).
QStringList difiereDeMostrado(const Vista& s, const QVariantMap& r, const QVariantMap& antes) {
    const auto v = [&](const char* k) { return s.v.at(k); };
    const bool titulo = v("OptTipoCuenta") == u"1";
    const bool ajuste = !titulo && v("CHKAjustable") == u"1";
    const int medio = v("CmbMP").toInt();
    std::map<QString, QVariant> e{
        {"codigo", s.codigo()},
        {"descripcion", v("DESCRIPCION")},
        {"codigoopcional", normal(v("CodigoOpcional"))},
        {"cuentaprincipal", v("CuentaPrincipal").trimmed()},
        {"codtarjeta_concauto", v("CodTarjeta_ConcAuto").trimmed()},
        {"titulo", bandera(titulo)},
        {"ajuste", bandera(ajuste)},
        {"indice", QString::number(ajuste ? v("CmbIndices").toInt() + 1 : 0)},
        {"bloqueo", v("ChkBloqueo")},
        {"bienes", v("ChkBdu")},
        {"pidevencimiento", v("ChkVto")},
        {"dada_de_baja", bandera(false)},
        {"cajaybanco", v("ChkCyB")},
        {"usaccostos", v("chkCCostos")},
        {"mediodepago",
         medio > 0 && medio < 12 ? QVariant(QString::fromLatin1(kMedios[medio])) : QVariant()},
    };
    if (medio == 3)
        e["nopidedatostarjeta"] = v("chkTarjeta");
    if (titulo)
        e["tipovista"] = QVariant();
    else if (medio == 4)
        e["tipovista"] = QStringLiteral("BC");
    // Moneda: the list's position plus one; with nothing in the list, the
    // currency the account had.
    const int moneda = v("CmbMoneda").toInt();
    if (s.monedas > 0 && moneda >= 0)
        e["moneda"] = QString::number(moneda + 1).rightJustified(4, u'0');
    else if (!antes.isEmpty())
        e["moneda"] = antes.value("moneda");
    QStringList d;
    for (const auto& [k, valor] : e) {
        const QVariant g = r.value(k);
        const bool igual =
            k == u"descripcion" || k == u"codigo" || k == u"moneda" || k == u"mediodepago" ||
                    k == u"tipovista"
                ? texto(g) == texto(valor) && g.isNull() == valor.isNull()
            : k.endsWith(u"opcional") || k == u"cuentaprincipal" || k == u"codtarjeta_concauto"
                ? texto(g).trimmed() == texto(valor)
                : bandera(marcado(g)) == texto(valor) || texto(g) == texto(valor);
        if (!igual)
            d << k + QStringLiteral(" stored '") + (g.isNull() ? "NULL" : texto(g)) +
                     QStringLiteral("', shown '") + (valor.isNull() ? "NULL" : texto(valor)) +
                     u'\'';
    }
    for (const auto& [k, valor] : s.v) {
        const QString columna = QString::fromStdString(k).toLower();
        if (columna.startsWith(u"p_") && !valor.trimmed().isEmpty() &&
            !mismoPersonalizado(valor, r.value(columna)))
            d << columna + QStringLiteral(" stored '") + texto(r.value(columna)) +
                     QStringLiteral("', shown '") + valor + u'\'';
    }
    return d;
}

// The value a reset leaves in a control.
bool vacio(const std::string& k, const QString& valor) {
    if (k == "CmbMoneda" || k == "Combo1")
        return true;
    if (k == "CmbIndices" || k == "CmbMP" || k == "OptTipoCuenta")
        return valor == u"0";
    return valor.isEmpty() || valor == u"0";
}

bool esRechazo(const paseo::Aviso& a) {
    // Not refusals: the warning on long optional codes, the drop's report and
    // the point of sale the copy could not reach.
    return a.tipo == paseo::Aviso::Mensaje && (a.estilo & 7) == vb::vbOKOnly &&
           (a.estilo & (vb::vbCritical | vb::vbInformation)) && a.texto != kDadaDeBaja &&
           !a.texto.startsWith(u"Recuerde") && !a.texto.startsWith(u"No se pudo conectar al Punto");
}

bool esError(const paseo::Aviso& a) {
    return a.texto.startsWith(u"Ha ocurrido el Siguiente Error");
}

// ---- The walk over one window -------------------------------------------------------------

const char* const kCodigos[] = {
    "110401002", "110401001",  "110101003", "110101001", "110102001001",
    "110402001", "120101002",  "110401",    "1104",      "110102003",
    "110402009", "110102004",  "110401009", "110499999", "1-1-04-01-002",
    "11040200",  "1104020091", "11040A009", "",          "999"};
const char* const kNombres[] = {"NUEVA",
                                "MIA",
                                "O'HARA & CIA",
                                "ÑANDÚ CRÉDITO",
                                "  ",
                                "",
                                "CUENTA DE PRUEBA CON UN NOMBRE BASTANTE LARGO"};
const char* const kOtros[] = {"X1", "Q7", "N1", "OP12345", "1.234,56", "-5", "999", "110101001"};
const char* const kNodos[] = {"",          "1",         "1101",         "110101",
                              "110101001", "110101003", "110102001001", "110401",
                              "110401001", "110401002", "110402001",    "120101002"};
const char* const kOtrasOperaciones[] = {"ajena", "nombre", "bloqueo", "medio", "baja", "borra"};

template <typename T, size_t N> const T& alAzar(const T (&t)[N], std::mt19937& g) {
    return t[g() % N];
}

class PaseoCuentas {
public:
    PaseoCuentas(FrmMA_CUENTAS& w, const Demo& demo) : c_(w), demo_(demo) {
        w.AbreDatosAdicionales = [this] { abiertas_.push_back({"adic", normal(CuentaActual)}); };
        w.AbreCentrosCosto = [this] { abiertas_.push_back({"ccosto", normal(CuentaActual)}); };
        lectores_[0].abre(demo.empresa.path());
        lectores_[1].abre(demo.grupo.path());
        lectores_[2].abre(demo.tpv.path());
        fotos_ = demo.fotos;
        for (int i = 0; i < 3; ++i)
            versiones_[i] = lectores_[i].version();
        antes_ = vista(c_);
        paseo_ = std::make_unique<paseo::Paseo>(acciones());
        paseo_->antes = [this](const Paso& p) {
            // The row a command may overwrite, as it stood.
            if (comando(p))
                previa_ = cuentaEn(lectores_[0], antes_.codigo());
        };
        paseo_->despues = [this](const Paso& p) { comprueba(p); };
    }

    paseo::Paseo& paseo() { return *paseo_; }
    const Vista& ahora() const { return antes_; }
    Lector& empresa() { return lectores_[0]; }
    Lector& lector(int i) { return lectores_[i]; }
    const std::vector<std::pair<std::string, QString>>& abiertas() const { return abiertas_; }
    // The boxes each step showed, by step.
    const std::vector<std::vector<paseo::Aviso>>& avisos() const { return avisosPorPaso_; }

private:
    // ---- Actions ----
    std::vector<paseo::Accion> acciones() {
        using paseo::Accion;
        return {
            Accion{"escribe", [this] { return !destinosEscritura().empty(); },
                   [this](std::mt19937& g) { return eligeEscritura(g); },
                   [this](const std::string& d) { escribe(d); }, 30},
            Accion{"tecla",
                   {},
                   [](std::mt19937& g) {
                       static const char* const t[] = {"Tab", "Backtab", "Enter", "Escape", "F2",
                                                       "F3",  "F4",      "F6",    "F9"};
                       return std::string(alAzar(t, g));
                   },
                   [this](const std::string& d) { tecla(d); },
                   25},
            Accion{"clic",
                   {},
                   [this](std::mt19937& g) { return eligeClic(g); },
                   [this](const std::string& d) { clic(d); },
                   30},
            Accion{"derecho", [this] { return !conConsulta().empty(); },
                   [this](std::mt19937& g) {
                       const std::vector<std::string> d = conConsulta();
                       return d[g() % d.size()];
                   },
                   [this](const std::string& d) { QTest::mouseClick(usable(d), Qt::RightButton); },
                   4},
            Accion{"otro", [this] { return !codigoAjeno().isEmpty(); },
                   [this](std::mt19937& g) {
                       return std::string(alAzar(kOtrasOperaciones, g)) + ':' +
                              codigoAjeno().toStdString();
                   },
                   [this](const std::string& d) { otro(d); }, 5},
        };
    }

    // The codes another connection works on: the account shown, the code typed.
    QString codigoAjeno() const {
        const Vista s = vista(c_);
        const QString codigo = !s.clave.isEmpty() ? s.clave : normal(s.v.at("TxtCodigo"));
        static const QRegularExpression digitos(QStringLiteral("^\\d{1,15}$"));
        return digitos.match(codigo).hasMatch() ? codigo : QString();
    }

    // The fields whose right button opens a lookup.
    std::vector<std::string> conConsulta() const {
        std::vector<std::string> d;
        for (const char* n : {"TxtCodigo", "DESCRIPCION", "Codigo", "CuentaPrincipal"})
            if (Controles::usable(c_.de(n)))
                d.push_back(n);
        return d;
    }

    std::vector<std::string> destinosEscritura() const {
        std::vector<std::string> d;
        for (const char* n : {"TxtCodigo", "DESCRIPCION", "Codigo", "CodigoOpcional",
                              "CuentaPrincipal", "CodTarjeta_ConcAuto"})
            if (Controles::usable(c_.de(n)))
                d.push_back(n);
        const QWidget* f = QApplication::focusWidget();
        if (f && (qobject_cast<const QLineEdit*>(f) || qobject_cast<const QComboBox*>(f) ||
                  c_.foco() == "TreeV"))
            d.push_back("");
        return d;
    }

    std::string eligeEscritura(std::mt19937& g) const {
        const std::vector<std::string> d = destinosEscritura();
        const std::string& n = d[g() % d.size()];
        const bool codigo = n == "TxtCodigo" || n == "Codigo" || n == "CuentaPrincipal";
        const int mezcla = int(g() % 10);
        const char* valor = mezcla < 7 && codigo               ? alAzar(kCodigos, g)
                            : mezcla < 7 && n == "DESCRIPCION" ? alAzar(kNombres, g)
                            : mezcla < 7 && !n.empty()         ? alAzar(kOtros, g)
                            : mezcla % 3 == 0                  ? alAzar(kCodigos, g)
                            : mezcla % 3 == 1                  ? alAzar(kNombres, g)
                                                               : alAzar(kOtros, g);
        return n + '=' + valor;
    }

    // A control the user can reach; a step on another one cannot be done.
    QWidget* usable(const std::string& nombre, QWidget* c = nullptr) const {
        c = c ? c : c_.de(nombre);
        if (!Controles::usable(c))
            throw std::runtime_error(nombre + " is not there to use");
        return c;
    }

    // "campo=valor": the field clicked (none: the focused one), its text
    // selected and the value typed over it.
    void escribe(const std::string& d) {
        const std::string n = d.substr(0, d.find('='));
        const QString valor = QString::fromStdString(d.substr(d.find('=') + 1));
        if (!n.empty())
            QTest::mouseClick(usable(n), Qt::LeftButton);
        QWidget* f = QApplication::focusWidget();
        escritoEn_ = c_.foco();
        if (!f)
            return;
        if (qobject_cast<QLineEdit*>(f)) {
            // Selected from its start to its end (Ctrl+A's release would
            // reformat a code and drop the selection).
            QTest::keyClick(f, Qt::Key_Home);
            QTest::keyClick(f, Qt::Key_End, Qt::ShiftModifier);
            if (valor.isEmpty())
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        }
        // Each character goes where the focus is then (a key on the tree
        // sends the user to the name).
        for (const QChar ch : valor)
            if (QWidget* donde = QApplication::focusWidget())
                QTest::keyClicks(donde, QString(ch));
    }

    void tecla(const std::string& d) {
        static const std::map<std::string, std::pair<Qt::Key, Qt::KeyboardModifiers>> kTecla{
            {"Tab", {Qt::Key_Tab, {}}},      {"Backtab", {Qt::Key_Backtab, Qt::ShiftModifier}},
            {"Enter", {Qt::Key_Return, {}}}, {"Escape", {Qt::Key_Escape, {}}},
            {"F2", {Qt::Key_F2, {}}},        {"F3", {Qt::Key_F3, {}}},
            {"F4", {Qt::Key_F4, {}}},        {"F6", {Qt::Key_F6, {}}},
            {"F9", {Qt::Key_F9, {}}}};
        const auto& [k, m] = kTecla.at(d);
        QWidget* f = QApplication::focusWidget();
        QTest::keyClick(f ? f : c_.w, k, m);
    }

    std::string eligeClic(std::mt19937& g) const {
        std::vector<std::string> d;
        for (const auto& [n, w] : c_.porNombre)
            if (Controles::usable(w) && n != "TreeV")
                d.push_back(n);
        if (c_.arbol->isVisible())
            for (int i = 0; i < 4; ++i)
                d.push_back("TreeV");
        for (int b : {1, 2, 4, 5, 6})
            if (c_.w->BotonTbar(b)->isEnabled() && c_.w->BotonTbar(b)->isVisible())
                d.push_back("Tbar:" + std::to_string(b));
        for (const char* k : kTeclas)
            if (paxtor(*c_.w)->estado(Paxtor::Estado(Paxtor::Claves().indexOf(k) + 1)))
                d.push_back(std::string("Paxtor:") + k);
        std::string n = d[g() % d.size()];
        if (n == "TreeV") {
            std::string nodo = alAzar(kNodos, g);
            // A deleted account's node is gone: the root instead.
            if (!c_.arbol->modelo()->Nodo("A" + QString::fromStdString(nodo)).isValid())
                nodo.clear();
            return n + ':' + nodo;
        }
        if (auto* l = c_.como<QComboBox>(n); l && l->count() > 0)
            return n + ':' + std::to_string(g() % unsigned(l->count()));
        return n;
    }

    // A control clicked: a field focused, a box ticked, an option chosen, a
    // list's item chosen ("Lista:posición" or "Lista=texto o código"), a
    // tree row ("TreeV:código", "" the root), a button of a bar.
    void clic(const std::string& d) {
        const size_t sep = d.find_first_of(":=");
        const std::string n = d.substr(0, sep);
        const QString dato =
            sep == std::string::npos ? QString() : QString::fromStdString(d.substr(sep + 1));
        if (n == "TreeV")
            return clicArbol(dato);
        if (n == "Tbar" || n == "Paxtor") {
            QAction* a = n == "Tbar" ? c_.w->BotonTbar(dato.toInt()) : nullptr;
            QWidget* b = a ? c_.tbar->widgetForAction(a) : paxtor(*c_.w)->boton(dato);
            return QTest::mouseClick(usable(d, b), Qt::LeftButton);
        }
        QWidget* w = usable(n);
        if (auto* l = qobject_cast<QComboBox*>(w))
            return eligeEnLista(l, d[sep] == '=' ? posicionEnLista(l, dato) : dato.toInt());
        if (qobject_cast<QAbstractButton*>(w))
            // On the box or the circle, as the user points at it.
            QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(8, w->height() / 2));
        else
            QTest::mouseClick(w, Qt::LeftButton);
    }

    static int posicionEnLista(const QComboBox* l, const QString& texto) {
        for (int i = 0; i < l->count(); ++i)
            if (l->itemText(i).trimmed() == texto || l->itemText(i).right(50).trimmed() == texto)
                return i;
        return -1;
    }

    // The list opened with the mouse, the item pointed at and taken with
    // Enter (a click so soon after the list opens is not taken). A box that
    // leaving the field before showed would have closed the list.
    void eligeEnLista(QComboBox* l, int i) {
        const size_t avisos = paseo_->avisos().size();
        QTest::mouseClick(l, Qt::LeftButton);
        QAbstractItemView* v = l->view();
        if (i >= 0 && i < l->count() && v->isVisible() && paseo_->avisos().size() == avisos) {
            const QModelIndex item = v->model()->index(i, l->modelColumn());
            v->scrollTo(item);
            v->setCurrentIndex(item);
            QTest::keyClick(v, Qt::Key_Return);
        }
        if (v->isVisible())
            QTest::keyClick(v, Qt::Key_Escape);
    }

    void clicArbol(const QString& codigo) {
        usable("TreeV");
        const QModelIndex nodo = c_.arbol->modelo()->Nodo(QStringLiteral("A") + codigo);
        if (!nodo.isValid())
            throw std::runtime_error("the tree has no node for " + codigo.toStdString());
        c_.arbol->scrollTo(nodo);
        QTest::mouseClick(c_.arbol->viewport(), Qt::LeftButton, {},
                          c_.arbol->visualRect(nodo).center());
    }

    // "operación:código" by another connection to the company's database.
    void otro(const std::string& d) {
        const QString op = QString::fromStdString(d.substr(0, d.find(':')));
        const QString codigo = sqltext::literal(QString::fromStdString(d.substr(d.find(':') + 1)));
        const QString donde = QStringLiteral(" WHERE CODIGO = ") + codigo;
        QString sql;
        if (op == u"ajena")
            sql = QStringLiteral("INSERT OR IGNORE INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, "
                                 "AJUSTE, INDICE, BLOQUEO, dv, BIENES, DADA_DE_BAJA, MedioDePago) "
                                 "VALUES (%1, 'AJENA BANCO', 0, 1, 3, 1, 0, 0, 0, 'CH')")
                      .arg(codigo);
        else if (op == u"nombre")
            sql = QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAMBIADA POR OTRO'") + donde;
        else if (op == u"bloqueo")
            sql = QStringLiteral("UPDATE MA_CUENTAS SET BLOQUEO = 1 - BLOQUEO") + donde;
        else if (op == u"medio")
            sql = QStringLiteral("UPDATE MA_CUENTAS SET MedioDePago = CASE WHEN MedioDePago = "
                                 "'EF' THEN 'CH' ELSE 'EF' END") +
                  donde;
        else if (op == u"baja")
            sql = QStringLiteral("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1") + donde;
        else
            sql = QStringLiteral("DELETE FROM MA_CUENTAS") + donde;
        // Refused (a row that others name): nothing changed.
        demo_.empresa.tryExec(sql);
    }

    // ---- Checks ----
    static std::optional<QString> comando(const Paso& p) {
        static const std::map<std::string, QString> kPorTecla{{"F2", "NUEVO"},
                                                              {"F3", "BORRAR"},
                                                              {"F4", "GRABAR"},
                                                              {"F6", "CONSULTAR"},
                                                              {"F9", "CANCELAR"}};
        if (p.accion == "tecla" && kPorTecla.count(p.dato))
            return kPorTecla.at(p.dato);
        if (p.accion == "clic" && p.dato.rfind("Paxtor:", 0) == 0)
            return QString::fromStdString(p.dato.substr(7));
        if (p.accion == "clic" && p.dato.rfind("Tbar:", 0) == 0)
            return QString::fromStdString(p.dato);
        return std::nullopt;
    }

    bool respondida(const QString& texto, int respuesta) const {
        for (const paseo::Aviso& a : paseo_->avisos())
            if (a.texto == texto && a.respuesta == respuesta)
                return true;
        return false;
    }

    // The controls the step itself set: the one typed into or chosen, with
    // what the window's rules change with it.
    std::set<std::string> propios(const Paso& p, const Vista& d, bool consulta) const {
        // A lookup fills the code or the main account.
        std::set<std::string> r;
        if (consulta)
            r = {"Codigo", "TxtCodigo", "CuentaPrincipal"};
        std::string n;
        if (p.accion == "escribe") {
            // Where the typing went: a refused field may have taken the
            // focus back from the one clicked.
            n = escritoEn_;
            if (n == "TreeV")
                n = "DESCRIPCION";
        } else if (p.dato.rfind("TreeV:", 0) == 0) {
            // The root, or the node of an account deleted since the tree
            // was built, empties the name and the code.
            return {"DESCRIPCION", "Codigo", "TxtCodigo"};
        } else if (p.accion == "clic") {
            n = p.dato.substr(0, p.dato.find_first_of(":="));
            if (c_.como<QLineEdit>(n))
                n.clear();
        }
        if (n.empty())
            return r;
        r.insert(n);
        if (n == "TxtCodigo" || n == "Codigo") {
            r.insert("TxtCodigo");
            r.insert("Codigo");
        }
        if (n.rfind("OptTipoCuenta", 0) == 0) {
            r.insert("OptTipoCuenta");
            if (d.v.at("OptTipoCuenta") == u"1")
                r.insert({"CHKAjustable", "chkCCostos", "CmbIndices"});
        }
        return r;
    }

    void comprueba(const Paso& p) {
        const Vista d = vista(c_);
        const Vista a = antes_;
        const int paso = paseo_->numeroPaso();
        const std::vector<paseo::Aviso>& avisos = paseo_->avisos();
        avisosPorPaso_.push_back(avisos);
        // A lookup or a box takes the activation with it.
        if (QApplication::activeWindow() != c_.w) {
            c_.w->activateWindow();
            QApplication::setActiveWindow(c_.w);
            (void)QTest::qWaitForWindowActive(c_.w);
        }

        std::array<Foto, 3> fotos = fotos_;
        std::array<std::vector<Cambio>, 3> cambiosDb;
        for (int i = 0; i < 3; ++i)
            if (const qint64 v = lectores_[i].version(); v != versiones_[i]) {
                versiones_[i] = v;
                fotos[i] = fotografia(lectores_[i], kTablas);
                cambiosDb[i] = cambios(fotos_[i], fotos[i]);
            }
        const bool cambio = !cambiosDb[0].empty() || !cambiosDb[1].empty() || !cambiosDb[2].empty();

        const std::optional<QString> cmd = comando(p);
        int rechazos = 0;
        bool error = false;
        for (const paseo::Aviso& x : avisos) {
            rechazos += esRechazo(x);
            error = error || esError(x);
        }
        const bool grabar = cmd == u"GRABAR", borrar = cmd == u"BORRAR";
        // Done: the window went back to browsing without a refusal (a dropped
        // code not reused also resets it, and stores nothing).
        const bool hecho = (grabar || borrar) && a.edicion() && !d.edicion() && d.clave.isEmpty() &&
                           !rechazos && !error && !respondida(kReutilizar, vb::vbNo);
        const QString C = a.codigo();
        const char* inv2 = cmd && (rechazos || error) ? "I2" : "I3";
        const auto falla = [&](const char* i, const QString& m) { paseo_->viola(i, m); };

        // I1, I2: the databases.
        if (p.accion == "otro") {
            for (int i = 1; i < 3; ++i)
                if (!cambiosDb[i].empty())
                    falla("I1", QStringLiteral("a copy changed with the company's database: ") +
                                    describe(cambiosDb[i]));
            for (const Cambio& x : cambiosDb[0])
                cambiada_[x.clave] = {paso, QString::fromStdString(p.dato)};
        } else if (cambio && !hecho) {
            for (const auto& x : cambiosDb)
                if (!x.empty())
                    falla(cmd && (rechazos || error) ? "I2" : "I1",
                          QStringLiteral("a database changed though no command was reported "
                                         "done: ") +
                              describe(x));
        } else if (hecho) {
            for (const auto& x : cambiosDb)
                for (const Cambio& y : x)
                    if (y.clave.isEmpty() ? !y.alta : y.clave != C)
                        falla("I1", QStringLiteral("the command on ") + C +
                                        QStringLiteral(" changed other rows: ") + describe({y}));
            const QVariantMap fila = cuentaEn(lectores_[0], C);
            const bool escrita = std::any_of(cambiosDb[0].begin(), cambiosDb[0].end(),
                                             [&](const Cambio& x) { return x.clave == C; });
            for (int i = 1; i < 3 && escrita; ++i)
                if (comoTexto(cuentaEn(lectores_[i], C)) != comoTexto(fila))
                    falla("I1",
                          QStringLiteral("copy %1 does not hold the company's row of ").arg(i) + C);
            if (grabar) {
                const QVariantMap& previa = previa_;
                // Another connection's change first: the content then follows.
                if (a.clave == C && cambiada_.count(C) && aceptada_.count(C) &&
                    cambiada_[C].first >= aceptada_[C])
                    falla("I1", QStringLiteral("the save of %1 overwrote what another connection "
                                               "did at step %2 (%3) after the window took it at "
                                               "step %4")
                                    .arg(C)
                                    .arg(cambiada_[C].first)
                                    .arg(cambiada_[C].second)
                                    .arg(aceptada_[C]));
                else if (a.clave != C && !previa.isEmpty())
                    falla("I1", QStringLiteral("the save overwrote the stored account ") + C +
                                    QStringLiteral(", which the window never loaded (it was on ") +
                                    a.clave + u')');
                if (fila.isEmpty())
                    falla("I4", QStringLiteral("GRABAR reported done but ") + C +
                                    QStringLiteral(" is not stored"));
                else if (const QStringList m = difiereDeMostrado(a, fila, previa); !m.isEmpty())
                    falla("I1", QStringLiteral("stored ") + C +
                                    QStringLiteral(" differs from what was shown: ") +
                                    m.join(QStringLiteral("; ")));
            } else if (!fila.isEmpty() && !marcado(fila.value("dada_de_baja"))) {
                falla("I4", QStringLiteral("BORRAR reported done but ") + C +
                                QStringLiteral(" is neither deleted nor dropped"));
            }
        }

        // I4: success texts and one box per refusal.
        for (const paseo::Aviso& x : avisos)
            if (x.texto == kDadaDeBaja && !marcado(cuentaEn(lectores_[0], C).value("dada_de_baja")))
                falla("I4", QStringLiteral("told dropped, but ") + C +
                                QStringLiteral(" is not stored dropped"));
        if (rechazos > 1)
            falla("I4", QStringLiteral("%1 refusal boxes in one action").arg(rechazos));

        // I5: related windows on the account the state is for.
        for (size_t i = abiertasVistas_; i < abiertas_.size(); ++i) {
            const auto& [ventana, cuenta] = abiertas_[i];
            // After a save the additional data opens on the account saved.
            const bool guardada = hecho && grabar && ventana == "adic" && cuenta == C;
            if (!guardada &&
                (cuenta.isEmpty() || cuenta != d.clave || !d.edicion() ||
                 (ventana == "adic" && !d.modif) || normal(d.v.at("TxtCodigo")) != cuenta))
                falla("I5", QString::fromStdString(ventana) + QStringLiteral(" opened on '") +
                                cuenta + QStringLiteral("' while the window is on '") + d.clave +
                                QStringLiteral("' showing '") + d.v.at("TxtCodigo") + u'\'');
        }
        abiertasVistas_ = abiertas_.size();

        // I3: who changed each control.
        const bool cargo = d.cargas != a.cargas;
        const bool consulta = std::any_of(avisos.begin(), avisos.end(), [](const auto& x) {
            return x.tipo == paseo::Aviso::Consulta && x.respuesta >= 0;
        });
        const bool nodo = p.accion == "clic" && p.dato.rfind("TreeV:", 0) == 0;
        const bool raiz = p.dato == "TreeV:";
        const bool editado = normal(a.v.at("TxtCodigo")) != a.clave || a.codigo() != a.clave;
        const bool dejoCodigo = (a.foco == "TxtCodigo" || a.foco == "Codigo") && d.foco != a.foco;
        const bool dejoTitulos = a.foco == "Combo1" && d.foco != "Combo1";
        const bool pidio = nodo || consulta || (editado && dejoCodigo) ||
                           respondida(kAbandonar, vb::vbYes) || (cmd && editado && sucios_.empty());
        // A code of the wrong length empties the fields as it is refused.
        const bool cantidad = std::any_of(avisos.begin(), avisos.end(),
                                          [](const auto& x) { return x.texto == kCantidad; });
        const bool reinicio = hecho || cmd == u"NUEVO" ||
                              (cmd == u"CANCELAR" && !respondida(kAbandonar, vb::vbNo)) ||
                              respondida(kReutilizar, vb::vbNo) || (!cmd && cantidad);
        // A code taken as new (also one another connection deleted meanwhile).
        const bool nueva =
            d.nuevo && !d.clave.isEmpty() && (d.clave != a.clave || !a.nuevo) && !cargo;
        const std::set<std::string> propias =
            propios(p, d, std::any_of(avisos.begin(), avisos.end(), [](const auto& x) {
                        return x.tipo == paseo::Aviso::Consulta;
                    }));
        const auto contexto = [&] {
            return QStringLiteral(" (loaded: %1, asked for: %2, state %3 '%4' -> %5 '%6')")
                .arg(cargo)
                .arg(pidio)
                .arg(a.modif   ? "existing"
                     : a.nuevo ? "new"
                               : "browse",
                     a.clave,
                     d.modif   ? "existing"
                     : d.nuevo ? "new"
                               : "browse",
                     d.clave);
        };
        std::set<std::string> cambiados;
        for (const auto& [k, va] : a.v) {
            const QString vd = d.v.count(k) ? d.v.at(k) : QString();
            if (vd == va)
                continue;
            if (k == "TxtCodigo" || k == "Codigo") {
                const QString n = normal(vd);
                if (n == normal(va))
                    continue;
                // The box and the field follow each other.
                const char* otro = k == "TxtCodigo" ? "Codigo" : "TxtCodigo";
                const bool sigue = n == normal(d.v.at(otro)) || n == normal(a.v.at(otro));
                const bool bien = sigue || propias.count(k) || nodo || consulta || dejoTitulos ||
                                  (p.accion == "clic" && p.dato.rfind("Combo1", 0) == 0) ||
                                  (!d.clave.isEmpty() && n == d.clave) ||
                                  (n.isEmpty() && (reinicio || raiz || d.clave.isEmpty())) ||
                                  (hecho && grabar && C.startsWith(n));
                if (!bien)
                    falla(inv2, QString::fromStdString(k) + QStringLiteral(" changed from '") + va +
                                    QStringLiteral("' to '") + vd + u'\'' + contexto());
                continue;
            }
            if (propias.count(k)) {
                cambiados.insert(k);
                continue;
            }
            if (cargo && (pidio || !sucios_.count(k)))
                continue;
            if (vacio(k, vd) &&
                (reinicio || (raiz && k == "DESCRIPCION") || (nueva && !sucios_.count(k))))
                continue;
            if (k == "Combo1" && (nueva || dejoTitulos))
                continue;
            falla(inv2, QString::fromStdString(k) + QStringLiteral(" changed from '") + va +
                            QStringLiteral("' to '") + vd + u'\'' +
                            (sucios_.count(k) ? QStringLiteral(", typed by the user") : QString()) +
                            contexto());
        }
        // A load shows the stored row.
        if (cargo && d.modif && !d.clave.isEmpty() && !cantidad)
            if (const QStringList m =
                    difiereDeFila(d, cuentaEn(lectores_[0], d.clave), lectores_[0], propias);
                !m.isEmpty())
                falla("I3", QStringLiteral("loaded ") + d.clave +
                                QStringLiteral(" does not show its row: ") +
                                m.join(QStringLiteral("; ")));
        // One code: the box and the field (the field's own typing reaches
        // the box when it is left).
        if (d.edicion() && d.barraEdicion && normal(d.v.at("TxtCodigo")) != d.codigo() &&
            d.foco != "Codigo" &&
            d.v.at("TxtCodigo").trimmed().size() <= c_.como<QLineEdit>("Codigo")->maxLength())
            falla("I3", QStringLiteral("the code box shows '") + d.v.at("TxtCodigo") +
                            QStringLiteral("' and the code field '") + d.v.at("Codigo") + u'\'' +
                            contexto());

        if (cargo || reinicio)
            sucios_.clear();
        sucios_.insert(cambiados.begin(), cambiados.end());
        if (!d.clave.isEmpty() && (d.clave != a.clave || cargo))
            aceptada_[d.clave] = paso;
        fotos_ = fotos;
        antes_ = d;
    }

    Controles c_;
    const Demo& demo_;
    std::array<Lector, 3> lectores_;
    std::array<qint64, 3> versiones_{};
    std::array<Foto, 3> fotos_;
    Vista antes_;
    std::unique_ptr<paseo::Paseo> paseo_;
    std::set<std::string> sucios_; // controls the user set since the last load or reset
    // account -> the step another connection changed it, and how
    std::map<QString, std::pair<int, QString>> cambiada_;
    std::map<QString, int> aceptada_; // account -> step the window's state was set for it
    std::vector<std::pair<std::string, QString>> abiertas_;
    size_t abiertasVistas_ = 0;
    std::vector<std::vector<paseo::Aviso>> avisosPorPaso_;
    QVariantMap previa_;
    std::string escritoEn_;
};

class PaseoCuentasTest : public DbFixture {
protected:
    PaseoCuentasTest() : DbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    static const Demo& demo() {
        static const Demo d;
        return d;
    }

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DbFixture::SetUp());
        useAppFolder();
        demo();
    }

    void TearDown() override {
        cierra();
        CNStuffContable::setLineaComandos(std::nullopt);
        ado::setLockWaitNotice({});
        DbFixture::TearDown();
    }

    // A walk's window on fresh copies of the demo files, started as the
    // program starts it, on screen at 1280x800 and active.
    PaseoCuentas& arranca() {
        cierra();
        demo().restaura();
        CNStuffContable::gTablaConfiguracion.clear();
        CuentaActual.clear();
        CNStuffContable::setLineaComandos(QStringLiteral("@Server=") + demo().empresa.folder() +
                                          QStringLiteral("; @DbName=EMPRESA; @Usuario=sa; "
                                                         "@Password=;"));
        CNStuffContable::IniciaSistema();
        w_ = std::make_unique<FrmMA_CUENTAS>();
        w_->Form_Load();
        w_->resize(1280, 800);
        w_->show();
        QApplication::setActiveWindow(w_.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(w_.get()));
        paseo_ = std::make_unique<PaseoCuentas>(*w_, demo());
        return *paseo_;
    }

    void cierra() {
        paseo_.reset();
        w_.reset();
        resetConsulta();
        resetInstances();
    }

    std::unique_ptr<FrmMA_CUENTAS> w_;
    std::unique_ptr<PaseoCuentas> paseo_;
};

// ---- Random walks --------------------------------------------------------------------------

// CI's walks in parts that run side by side: kTramos parts of kPaseos seeds.
constexpr int kTramos = 8;
constexpr int kPaseos = 18;
constexpr int kPasos = 20;

class TramoDePaseos : public PaseoCuentasTest, public ::testing::WithParamInterface<int> {};

TEST_P(TramoDePaseos, CadaPasoCumpleLasInvariantes) {
    EXPECT_EQ(paseo::caminaTanda(paseo::semillas(1 + unsigned(GetParam() * kPaseos), kPaseos),
                                 paseo::pasosPedidos(kPasos),
                                 [&]() -> paseo::Paseo& { return arranca().paseo(); }),
              0);
}

INSTANTIATE_TEST_SUITE_P(Semillas, TramoDePaseos, ::testing::Range(0, kTramos));

// A random walk's steps, replayed as a fixed walk on a fresh window, take
// the same course: the same boxes with the same answers, the same failure.
TEST_F(PaseoCuentasTest, UnPaseoSeRepiteIgual) {
    for (const unsigned semilla : {3u, 5u, 40u, 57u}) {
        SCOPED_TRACE(semilla);
        paseo::Paseo& primero = arranca().paseo();
        primero.camina(semilla, kPasos);
        const std::vector<Paso> pasos = primero.pasos();
        const std::vector<std::string> violaciones = primero.violaciones();
        paseo::Paseo& otra = arranca().paseo();
        otra.repite(pasos);
        ASSERT_EQ(otra.pasos().size(), pasos.size());
        for (size_t i = 0; i < pasos.size(); ++i)
            EXPECT_EQ(otra.pasos()[i].respuestas, pasos[i].respuestas) << i;
        EXPECT_EQ(otra.violaciones(), violaciones);
    }
}

// More walks when asked for (QUARZELO_PASEOS, paseo.h).
TEST_F(PaseoCuentasTest, PaseosPedidos) {
    const std::vector<unsigned> semillas = paseo::semillasPedidas(1 + kTramos * kPaseos);
    if (semillas.empty())
        GTEST_SKIP() << "QUARZELO_PASEOS is not set";
    EXPECT_EQ(paseo::caminaTanda(semillas, paseo::pasosPedidos(kPasos),
                                 [&]() -> paseo::Paseo& { return arranca().paseo(); }),
              0);
}

// ---- Fixed walks -----------------------------------------------------------------------------

struct Recorrido {
    const char* nombre;
    std::vector<Paso> pasos;
    // Checked after the walk on the company's database and the window.
    std::function<void(PaseoCuentas&)> final = {};
};

QString guardado(PaseoCuentas& p, const char* codigo, const char* columnas) {
    const auto r = p.empresa().filas(QStringLiteral("SELECT ") + QLatin1String(columnas) +
                                     QStringLiteral(" FROM MA_CUENTAS WHERE CODIGO = '") +
                                     QLatin1String(codigo) + u'\'');
    if (r.isEmpty())
        return QStringLiteral("<none>");
    QStringList l;
    for (const QVariant& v : r[0])
        l << (v.isNull() ? QStringLiteral("NULL") : v.toString());
    return l.join(u'|');
}

bool mostro(PaseoCuentas& p, const QString& texto) {
    for (const auto& paso : p.avisos())
        for (const paseo::Aviso& a : paso)
            if (a.texto.startsWith(texto))
                return true;
    return false;
}

const Valores& muestra(PaseoCuentas& p) {
    return p.ahora().v;
}

std::vector<Recorrido> recorridos() {
    const Paso cargaRetenciones[] = {{"escribe", "TxtCodigo=110401002"}, {"tecla", "Tab"}};
    std::vector<Recorrido> r{
        {"refused save of a new account, then the name clicked and typed",
         {{"tecla", "F2"},
          {"escribe", "TxtCodigo=110402009"},
          {"tecla", "Tab"},
          {"escribe", "CodigoOpcional=X1"},
          {"clic", "CmbMP=Cheque"},
          {"tecla", "F4"},
          {"escribe", "DESCRIPCION=NUEVA"},
          {"tecla", "F4"}},
         [](PaseoCuentas& p) {
             EXPECT_TRUE(mostro(p, QStringLiteral("Debe ingresar el nombre de la cuenta")));
             EXPECT_EQ(guardado(p, "110402009", "DESCRIPCION, CodigoOpcional, MedioDePago"),
                       "NUEVA|X1|CH");
         }},
        {"refused save of a loaded account, then the main account cleared",
         {cargaRetenciones[0],
          cargaRetenciones[1],
          {"escribe", "DESCRIPCION=RETENCIONES EDITADAS"},
          {"clic", "CmbMP=Cheque"},
          {"clic", "ChkVto"},
          {"escribe", "CuentaPrincipal=999"},
          {"tecla", "F4"},
          {"clic", "CuentaPrincipal"},
          {"escribe", "="},
          {"tecla", "F4"}},
         [](PaseoCuentas& p) {
             EXPECT_TRUE(mostro(p, QStringLiteral("La cuenta ingresada no existe!")));
             EXPECT_EQ(guardado(p, "110401002",
                                "DESCRIPCION, MedioDePago, PideVencimiento, "
                                "IFNULL(CuentaPrincipal, '')"),
                       "RETENCIONES EDITADAS|CH|1|");
         }},
        {"refused delete, then another field clicked and the save",
         {{"escribe", "TxtCodigo=110401"},
          {"tecla", "Tab"},
          {"escribe", "DESCRIPCION=CREDITOS FISCALES EDITADOS"},
          {"tecla", "F3"},
          {"clic", "CodigoOpcional"},
          {"tecla", "F4"}},
         [](PaseoCuentas& p) {
             EXPECT_TRUE(mostro(p, QStringLiteral("No se puede eliminar esta cuenta")));
             EXPECT_EQ(guardado(p, "110401", "DESCRIPCION"), "CREDITOS FISCALES EDITADOS");
         }},
        {"the code box clicked and left on a new account",
         {{"tecla", "F2"},
          {"escribe", "TxtCodigo=110402009"},
          {"tecla", "Tab"},
          {"escribe", "DESCRIPCION=NUEVA"},
          {"escribe", "CodigoOpcional=N1"},
          {"clic", "CmbMP=Cheque"},
          {"clic", "TxtCodigo"},
          {"clic", "DESCRIPCION"}},
         [](PaseoCuentas& p) {
             const Valores& v = muestra(p);
             EXPECT_EQ(v.at("DESCRIPCION") + u'|' + v.at("CodigoOpcional") + u'|' + v.at("CmbMP"),
                       "NUEVA|N1|2");
         }},
        {"the code box clicked and left on a loaded account",
         {cargaRetenciones[0],
          cargaRetenciones[1],
          {"escribe", "DESCRIPCION=RETENCIONES EDITADAS"},
          {"clic", "TxtCodigo"},
          {"clic", "DESCRIPCION"}},
         [](PaseoCuentas& p) { EXPECT_EQ(muestra(p).at("DESCRIPCION"), "RETENCIONES EDITADAS"); }},
        {"a new code proposed under a title after the name was typed",
         {{"tecla", "F2"},
          {"escribe", "TxtCodigo=110402009"},
          {"tecla", "Tab"},
          {"escribe", "DESCRIPCION=NUEVA"},
          {"escribe", "CodigoOpcional=Q7"},
          {"clic", "Combo1=110401"},
          {"tecla", "Tab"}},
         [](PaseoCuentas& p) {
             const Valores& v = muestra(p);
             EXPECT_TRUE(normal(v.at("Codigo")).startsWith(u"110401"))
                 << v.at("Codigo").toStdString();
             EXPECT_EQ(v.at("DESCRIPCION") + u'|' + v.at("CodigoOpcional"), "NUEVA|Q7");
         }},
    };
    for (const int respuesta : {vb::vbNo, vb::vbYes})
        r.push_back({respuesta == vb::vbNo ? "F4 with another code typed, answered No"
                                           : "F4 with another code typed, answered Yes",
                     {cargaRetenciones[0],
                      cargaRetenciones[1],
                      {"escribe", "DESCRIPCION=RETENCIONES EDITADAS"},
                      {"escribe", "TxtCodigo=110401001"},
                      {"tecla", "F4", {respuesta}}},
                     [respuesta](PaseoCuentas& p) {
                         EXPECT_TRUE(mostro(p, kAbandonar));
                         EXPECT_EQ(normal(muestra(p).at("TxtCodigo")),
                                   respuesta == vb::vbNo ? "110401002" : "110401001");
                         EXPECT_EQ(guardado(p, "110401002", "DESCRIPCION"),
                                   "Retenciones y Percepciones de I.V.A.");
                     }});
    for (const char* boton : {"Tbar:2", "Tbar:4"})
        r.push_back({boton,
                     {cargaRetenciones[0],
                      cargaRetenciones[1],
                      {"escribe", "TxtCodigo=110499999"},
                      {"clic", boton}},
                     [](PaseoCuentas& p) {
                         for (const auto& [ventana, cuenta] : p.abiertas())
                             EXPECT_NE(cuenta, "110499999") << ventana;
                     }});
    r.push_back({"a save with nothing changed keeps the currency",
                 {{"escribe", "TxtCodigo=110101003"}, {"tecla", "Tab"}, {"tecla", "F4"}},
                 [](PaseoCuentas& p) {
                     for (int i = 0; i < 3; ++i)
                         EXPECT_EQ(cuentaEn(p.lector(i), "110101003").value("moneda"), "0002") << i;
                 }});
    r.push_back({"another user's insert of the new code before F4",
                 {{"tecla", "F2"},
                  {"escribe", "TxtCodigo=110102004"},
                  {"tecla", "Tab"},
                  {"escribe", "DESCRIPCION=MIA"},
                  {"otro", "ajena:110102004"},
                  {"tecla", "F4"}},
                 [](PaseoCuentas& p) {
                     EXPECT_EQ(guardado(p, "110102004",
                                        "DESCRIPCION, BLOQUEO, AJUSTE, INDICE, MedioDePago"),
                               "AJENA BANCO|1|1|3|CH");
                     EXPECT_TRUE(std::any_of(p.avisos().back().begin(), p.avisos().back().end(),
                                             esRechazo));
                 }});
    r.push_back({"another user's drop of the loaded account before F4",
                 {{"escribe", "TxtCodigo=110101001"},
                  {"tecla", "Tab"},
                  {"otro", "baja:110101001"},
                  {"escribe", "DESCRIPCION=MIA"},
                  {"tecla", "F4"}},
                 [](PaseoCuentas& p) {
                     EXPECT_EQ(guardado(p, "110101001", "DESCRIPCION, DADA_DE_BAJA"),
                               "Caja Moneda Nacional|1");
                 }});
    r.push_back({"the tree's root clicked with an account loaded",
                 {cargaRetenciones[0], cargaRetenciones[1], {"clic", "TreeV:"}},
                 [](PaseoCuentas& p) {
                     const Vista& v = p.ahora();
                     EXPECT_FALSE(v.modif && normal(v.v.at("TxtCodigo")) == "110401002");
                 }});
    r.push_back({"another user's change of the loaded account before F4",
                 {{"escribe", "TxtCodigo=110101001"},
                  {"tecla", "Tab"},
                  {"otro", "nombre:110101001"},
                  {"otro", "bloqueo:110101001"},
                  {"escribe", "DESCRIPCION=MIA"},
                  {"tecla", "F4"}},
                 [](PaseoCuentas& p) {
                     EXPECT_EQ(guardado(p, "110101001", "DESCRIPCION, BLOQUEO"),
                               "CAMBIADA POR OTRO|1");
                     EXPECT_TRUE(std::any_of(p.avisos().back().begin(), p.avisos().back().end(),
                                             esRechazo));
                 }});
    return r;
}

TEST_F(PaseoCuentasTest, RecorridosFijos) {
    for (const Recorrido& r : recorridos()) {
        SCOPED_TRACE(r.nombre);
        PaseoCuentas& p = arranca();
        EXPECT_TRUE(p.paseo().repite(r.pasos)) << p.paseo().informe();
        if (r.final)
            r.final(p);
    }
}

} // namespace
