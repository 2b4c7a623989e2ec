// Replication of one master-data change to the points of sale and the group
// database.

#include "data/mod_gruposemp.h"

#include "data/db_dll_internal.h"
#include "data/instances.h"
#include "data/mod_gruposemp_internal.h"
#include "platform/ado/ado_transaction.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"

#include <QLocale>
#include <functional>

using namespace dbdll;

namespace ModGruposEmp {

namespace {

std::shared_ptr<Servicios>& serviciosSlot() {
    static std::shared_ptr<Servicios> s;
    return s;
}

} // namespace

void setServicios(std::shared_ptr<Servicios> s) {
    serviciosSlot() = std::move(s);
}

bool hayServicios() {
    return serviciosSlot() != nullptr;
}

Servicios& servicios() {
    static Servicios ninguno;
    return hayServicios() ? *serviciosSlot() : ninguno;
}

// ---- Literals ------------------------------------------------------------------------------

namespace {

bool EsEntero(int tipo) {
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case ado::adBigInt:
    case 18: // unsigned small
    case 19: // unsigned int
    case 21: // unsigned big
        return true;
    default:
        return false;
    }
}

bool EsReal(int tipo) {
    return tipo == ado::adSingle || tipo == ado::adDouble || tipo == ado::adNumeric ||
           tipo == ado::adDecimal || tipo == 139; // varnumeric
}

bool EsBinario(int tipo) {
    return tipo == ado::adBinary || tipo == 204 || tipo == 205; // varbinary, long varbinary
}

bool Verdadero(const QVariant& v) {
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString().trimmed().toUpper();
        return !(t.isEmpty() || t == u"0" || t == u"FALSE" || t == u"FALSO");
    }
    return vb::CBool(v);
}

} // namespace

QString LiteralDestino(const QVariant& Valor, int Tipo, MotorSQL Motor) {
    if (!Valor.isValid() || vb::IsNull(Valor) || vb::IsEmpty(Valor))
        return QStringLiteral("Null");
    if (Tipo == ado::adBoolean)
        return Verdadero(Valor) ? QStringLiteral("1") : QStringLiteral("0");
    // A number column holding something else is copied as it is.
    bool ok = false;
    if (EsEntero(Tipo)) {
        const qlonglong n = Valor.toLongLong(&ok);
        if (ok)
            return QString::number(n);
    } else if (Tipo == ado::adCurrency) {
        if (vb::isCurrency(Valor))
            return vb::toCurrency(Valor).toString(u'.');
        const double d = Valor.toDouble(&ok);
        if (ok)
            return vb::Currency::fromDouble(d).toString(u'.');
    } else if (EsReal(Tipo)) {
        const double d = Valor.toDouble(&ok);
        if (ok)
            return QString::number(d, 'g', QLocale::FloatingPointShortest);
    } else if (DB_Dll::adodate(Tipo) && Valor.typeId() == QMetaType::QDateTime) {
        return ClsUtilidades::FechaHoraParaSQL(Valor.toDateTime(), Motor);
    } else if (EsBinario(Tipo) && Valor.typeId() == QMetaType::QByteArray) {
        const QString hex = QString::fromLatin1(Valor.toByteArray().toHex().toUpper());
        switch (Motor) {
        case MotorSQL::SqlServer:
            return QStringLiteral("0x") + hex;
        case MotorSQL::Oracle:
            return QStringLiteral("HEXTORAW('") + hex + QStringLiteral("')");
        case MotorSQL::SQLite:
            return QStringLiteral("X'") + hex + u'\'';
        }
    }
    return sqltext::literal(Valor.toString());
}

// ---- Replication ---------------------------------------------------------------------------

namespace {

const QString kRutina = QStringLiteral("ActualizaGEmpresas");

// Columns a target keeps for itself.
const QStringList kExcluidasInsercion = {
    QStringLiteral("ID"),          QStringLiteral("IMAGE"),     QStringLiteral("IMAGEN"),
    QStringLiteral("TRANSMISION"), QStringLiteral("RECEPCION"), QStringLiteral("OBSERVACIONES")};
const QStringList kExcluidasModificacion = {
    QStringLiteral("ID"), QStringLiteral("IMAGE"), QStringLiteral("IMAGEN"),
    QStringLiteral("OBSERVACIONES"), QStringLiteral("DescripcionAdicional")};

// Tables read in a target through the real table, not a restricted view.
bool LeeTablaReal(const QString& tabla) {
    for (const char* t :
         {"MA_CUENTAS", "V_TA_DEPOSITO", "MV_ASIENTOS", "V_TA_FAMILIAS", "V_TA_CAJAS"})
        if (tabla.compare(QLatin1String(t), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The exclusion column of V_TA_TPV of the table's family: empty for the
// configuration (every point of sale), null for a table no point of sale takes.
std::optional<QString> ColumnaExclusion(const QString& tabla) {
    auto en = [&tabla](std::initializer_list<const char*> lista) {
        for (const char* t : lista)
            if (tabla.compare(QLatin1String(t), Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    if (en({"V_MA_ARTICULOS", "V_MA_INSUMOS", "S_TA_EQUIV", "V_MA_ARTCATREL"}))
        return QStringLiteral("OL_ExceptoArticulos");
    if (en({"V_MA_PRECIOS", "V_MA_PRECIOSCAB", "V_MA_Precios_Borrador"}))
        return QStringLiteral("OL_ExceptoPrecios");
    if (en({"MA_CUENTAS", "VT_CLIENTES", "VT_PROVEEDORES", "MA_CUENTASADIC", "MA_CLAVEPIN"}))
        return QStringLiteral("OL_ExceptoCuentas");
    if (en({"TA_CCOSTO",       "TA_CONDIVA",     "TA_CUENTASIVA",      "TA_ESTADOS",
            "TA_MONEDAS",      "TA_PAISES",      "TA_TAREAS",          "TA_TIPODOCUMENTO",
            "TA_TIPOVEHICULO", "TA_USUARIOS",    "V_TA_BANCOS",        "V_TA_CAJAS",
            "V_TA_CATEGORIA",  "V_TA_COLORES",   "V_TA_CPRA_VTA",      "V_TA_CPRA_VTADIAS",
            "V_TA_DEPOSITO",   "V_TA_FAMILIAS",  "V_TA_INPUT_COMPRAS", "V_TA_INPUT_DULVAR",
            "V_TA_MOTIVOCPRA", "V_TA_MOTIVOVTA", "V_TA_MOTIVOSTOCK",   "V_TA_PERCEPCION",
            "V_TA_ORIGEN",     "V_TA_RUBROS",    "V_TA_STATUS",        "V_TA_TAREAS",
            "V_TA_TECNICOS",   "V_TA_UNIDAD",    "V_TA_UNIDADNEGOCIO", "V_TA_VENDEDORES"}))
        return QStringLiteral("OL_ExceptoTablas");
    if (en({"TA_CONFIGURACION"}))
        return QString();
    return std::nullopt;
}

// The operator left the routine from its error box.
struct Abandona {};

// Failures the operator passed over (Ignore) in the routine's error box.
int& Ignorados() {
    static int n = 0;
    return n;
}

// One step of the routine under its error box: Retry runs it again, Ignore
// goes on after it, any other answer leaves the routine.
void Paso(const std::function<void()>& paso) {
    const bool completo = pasos::RunSteps(
        {pasos::Step(paso)},
        [](const ado::Error& e) {
            const pasos::Resume r = pasos::ResumeFor(servicios().AvisaErrorOperador(e, kRutina));
            if (r == pasos::Resume::Next)
                ++Ignorados();
            return r;
        },
        pasos::Trap::AllErrors);
    if (!completo)
        throw Abandona{};
}

bool Abierto(const ado::RecordsetPtr& rs) {
    return rs && rs->State() == ado::adStateOpen;
}

// The condition that picks the row in every database; empty with a reason
// when the call does not name a row.
QString Condicion(const QString& where, const std::array<QString, 8>& claves,
                  const std::array<QString, 6>& valores, const QString& tabla, QString& motivo) {
    QString condicion;
    if (!Trim(where).isEmpty())
        condicion =
            ContainsCI(where, QStringLiteral("WHERE ")) ? where : QStringLiteral(" WHERE ") + where;
    for (size_t n = 0; n < valores.size(); ++n) {
        if (valores[n].isEmpty())
            continue;
        if (Trim(claves[n]).isEmpty()) {
            motivo = QStringLiteral("No se replica %1: la tabla no tiene columna clave para el "
                                    "valor %2 (%3)")
                         .arg(tabla)
                         .arg(n + 1)
                         .arg(valores[n]);
            return QString();
        }
        if (condicion.isEmpty())
            condicion = (n == 1 ? QStringLiteral(" Where ") : QStringLiteral(" WHERE ")) +
                        claves[n] + QStringLiteral(" = ") + valores[n];
        else
            condicion += QStringLiteral(" AND ") + claves[n] + QStringLiteral(" = ") + valores[n];
    }
    if (condicion.isEmpty())
        motivo = QStringLiteral("No se replica %1: sin valores de clave ni condición, el cambio "
                                "alcanzaría todas las filas")
                     .arg(tabla);
    return condicion;
}

// A target: its operation switches (insert, update, delete) and login.
struct Destino {
    QString tipos;
    QString servidor;
    QString base;
    QString usuario;
    QString codigo; // point of sale; empty for the group database
};

// One change, ready for every target.
struct Preparado {
    QString tabla;
    std::int32_t operacion = 0;
    QString condicion;
    // The exclusion column of its family (see ColumnaExclusion).
    std::optional<QString> exclusion;
};

// A statement a target refused, to be told once the target is rolled back.
struct Falla {
    ado::Error error;
    QString sentencia;
    bool insercion = false;
};

class Replica {
public:
    explicit Replica(std::vector<Preparado> cambios) : cambios_(std::move(cambios)) {}

    void PuntoDeVenta(const ado::RecordsetPtr& tpv);
    void Grupo();

private:
    static bool Activa(const QString& tipos, int posicion) {
        return tipos.size() > posicion && tipos.at(posicion) == u'1';
    }
    // The changes of `cambios` at one target, as one transaction there.
    void Sirve(Destino d, const std::vector<const Preparado*>& cambios);
    bool Cambia(const Destino& d, const Preparado& c, std::optional<Falla>& falla);
    bool InsertaOActualiza(const Preparado& c, const QString& tipos, const QString& columnas,
                           std::optional<Falla>& falla);
    bool Inserta(const Preparado& c, const QString& columnas, std::optional<Falla>& falla);
    bool Actualiza(const Preparado& c, const ado::RecordsetPtr& fila, std::optional<Falla>& falla);
    // Runs a statement on the target; false with the refusal when it failed.
    static bool Ejecuta(QString sentencia, bool insercion, std::optional<Falla>& falla);
    // The report of a refused statement.
    static void Reporta(const Falla& f);
    void Anota(const QString& mensaje) { servicios().AnotaError(mensaje, kRutina); }

    std::vector<Preparado> cambios_;
};

void Replica::PuntoDeVenta(const ado::RecordsetPtr& tpv) {
    QString codigo, descripcion, servidor, base, usuario;
    std::vector<const Preparado*> llegan;
    Paso([&] {
        codigo = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("CODIGO")));
        descripcion = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Descripcion")));
        servidor = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Server")));
        base = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Dbname")));
        usuario = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Usuario")));
        llegan.clear();
        for (const Preparado& c : cambios_) {
            if (!c.exclusion)
                continue;
            if (!c.exclusion->isEmpty()) {
                const QVariant marca = tpv->value(*c.exclusion);
                if (!vb::IsNull(marca) && Verdadero(marca))
                    continue;
            }
            llegan.push_back(&c);
        }
    });
    if (llegan.empty())
        return;
    bool alcanzado = false;
    // The point of sale's database is its login and password too.
    Paso([&] { alcanzado = servicios().ConectaBaseRemota(servidor, base, base, base, codigo); });
    if (!alcanzado) {
        vb::MsgBox(QStringLiteral("No se pudo conectar al Punto de dulvar ") + descripcion,
                   vb::vbInformation, QStringLiteral("Aviso al operador"));
        return;
    }
    Paso([] {
        DB_Dll& remoto = gDatosRemoto();
        if (remoto.cnn()->State() == ado::adStateOpen)
            remoto.cnn()->Close();
        remoto.gOpenFlag = false;
    });
    QString servidorDestino;
    Paso([&] { servidorDestino = servicios().TextoDespuesDeBarra(Trim(servidor)); });
    Sirve({QStringLiteral("111"), servidorDestino, base, usuario, codigo}, llegan);
}

void Replica::Grupo() {
    std::vector<const Preparado*> llegan;
    for (const Preparado& c : cambios_) {
        bool grupo = false;
        Paso([&] { grupo = EsTablaDeGrupo(c.tabla); });
        if (grupo)
            llegan.push_back(&c);
    }
    if (llegan.empty())
        return;
    Destino d;
    Paso([&] {
        QString sinUso;
        d.tipos = servicios().Cfg(QStringLiteral("GRP_Tipos"), sinUso);
        d.servidor = servicios().Cfg(QStringLiteral("GRP_Server"), sinUso);
        d.base = servicios().Cfg(QStringLiteral("GRP_Base"), sinUso);
        d.usuario = servicios().Cfg(QStringLiteral("GRP_User"), sinUso);
    });
    Sirve(d, llegan);
}

void Replica::Sirve(Destino d, const std::vector<const Preparado*>& cambios) {
    Paso([&] { ConectaBaseGrupo(d.servidor, d.base, d.usuario); });
    DB_Dll& destino = gDatosDestino();
    // Statements are never sent to whatever connection the failed open left.
    if (!destino.gOpenFlag || destino.cnn()->State() != ado::adStateOpen) {
        for (const Preparado* c : cambios)
            Anota(QStringLiteral("No se replica %1%2: no se pudo conectar a la base %3 Server: %4")
                      .arg(c->tabla, c->condicion, d.base, d.servidor));
        if (!d.codigo.isEmpty())
            Paso([&] { servicios().MarcaDesconectado(d.codigo); });
        return;
    }
    // The target's copy changes whole or not at all: a refusal, or a
    // failure told and passed over, rolls back what it had taken, before
    // the operator is told.
    std::optional<Falla> falla;
    {
        ado::ScopedTransaction transaccion(destino.cnn());
        const int ignorados = Ignorados();
        Paso([&] { transaccion.Begin(); });
        bool sigue = transaccion.open();
        for (size_t i = 0; sigue && i < cambios.size(); ++i)
            sigue = Cambia(d, *cambios[i], falla);
        if (sigue && Ignorados() == ignorados) {
            try {
                transaccion.Commit();
            } catch (const ado::Exception& e) {
                falla = Falla{e.error(), QStringLiteral("COMMIT TRANSACTION"), false};
            }
        }
    }
    if (falla)
        Reporta(*falla);
}

bool Replica::Cambia(const Destino& d, const Preparado& c, std::optional<Falla>& falla) {
    DB_Dll& destino = gDatosDestino();
    QString columnas, tiposColumnas;
    Paso([&] {
        columnas = VerificaCampos(c.tabla, destino, kExcluidasInsercion, false, tiposColumnas);
    });
    if (c.operacion == Alta || c.operacion == Modificacion)
        return InsertaOActualiza(c, d.tipos, columnas, falla);
    if (c.operacion == Baja && Activa(d.tipos, 2))
        return Ejecuta(QStringLiteral("DELETE ") + c.tabla + c.condicion, false, falla);
    return true;
}

bool Replica::InsertaOActualiza(const Preparado& c, const QString& tipos, const QString& columnas,
                                std::optional<Falla>& falla) {
    DB_Dll& destino = gDatosDestino();
    ado::RecordsetPtr fila = ado::Recordset::create();
    const QString nombre = LeeTablaReal(c.tabla) ? QStringLiteral("@admin_") + c.tabla : c.tabla;
    Paso([&] {
        destino.AbrirRecordset(QStringLiteral("SELECT * FROM ") + nombre + c.condicion, fila);
    });
    // A refused read was already reported by the data object.
    if (!Abierto(fila))
        return false;
    bool falta = false;
    Paso([&] { falta = fila->EOF(); });
    bool hecho = true;
    if (falta) {
        if (Activa(tipos, 0))
            hecho = Inserta(c, columnas, falla);
    } else if (Activa(tipos, 1)) {
        hecho = Actualiza(c, fila, falla);
    }
    destino.CierraRecordset(fila);
    return hecho;
}

// The company's row is read from its real table whoever the user is: a row
// a restricted view hides from the user is copied all the same.
bool Replica::Inserta(const Preparado& c, const QString& columnas, std::optional<Falla>& falla) {
    DB_Dll& destino = gDatosDestino();
    if (columnas.isEmpty()) {
        Anota(QStringLiteral("No se replica %1 en la base %2: la tabla no tiene columnas allí")
                  .arg(c.tabla, destino.gDBName));
        return true;
    }
    ado::RecordsetPtr origen = ado::Recordset::create();
    Paso([&] {
        gDatos().AbrirRecordset(QStringLiteral("SELECT ") + columnas + QStringLiteral(" FROM ") +
                                    sqltext::bracketed(gDatos().gDBName) +
                                    QStringLiteral(".DBO.@Admin_") + c.tabla + c.condicion,
                                origen);
    });
    if (!Abierto(origen))
        return false;
    const MotorSQL motor = destino.Motor();
    QString valores;
    bool leida = false;
    Paso([&] {
        // With several rows the last one read supplies the values.
        for (; !origen->EOF(); origen->MoveNext()) {
            vb::DoEvents();
            QStringList literales;
            for (int i = 0; i < origen->fieldCount(); ++i) {
                const ado::Field campo = origen->Fields(i);
                literales << LiteralDestino(campo.Value(), campo.Type(), motor);
            }
            valores = literales.join(u',');
            leida = true;
        }
    });
    gDatos().CierraRecordset(origen);
    if (!leida) {
        Anota(QStringLiteral("No se replica %1%2 en la base %3: la fila ya no está en la base de "
                             "la empresa")
                  .arg(c.tabla, c.condicion, destino.gDBName));
        return true;
    }
    return Ejecuta(QStringLiteral("INSERT INTO ") + c.tabla + u'(' + columnas +
                       QStringLiteral(") ") + QStringLiteral(" VALUES (") + valores + u')',
                   true, falla);
}

bool Replica::Actualiza(const Preparado& c, const ado::RecordsetPtr& fila,
                        std::optional<Falla>& falla) {
    DB_Dll& destino = gDatosDestino();
    ado::RecordsetPtr origen = ado::Recordset::create();
    Paso([&] {
        gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM  @Admin_") + c.tabla + c.condicion,
                                origen);
    });
    if (!Abierto(origen))
        return false;
    const MotorSQL motor = destino.Motor();
    QString lista;
    Paso([&] {
        if (origen->EOF())
            return;
        for (int i = 0; i < fila->fieldCount(); ++i) {
            const ado::Field campo = fila->Fields(i);
            const QString nombre = campo.Name();
            // A column the company database lacks has nothing to copy.
            if (kExcluidasModificacion.contains(nombre, Qt::CaseInsensitive) ||
                !origen->hasField(nombre))
                continue;
            const ado::Field fuente = origen->Fields(nombre);
            const QString nuevo = LiteralDestino(fuente.Value(), fuente.Type(), motor);
            // Exactly: a change of letter case is a change.
            if (LiteralDestino(campo.Value(), campo.Type(), motor) != nuevo)
                lista += nombre + u'=' + nuevo + QStringLiteral("  , ");
        }
    });
    gDatos().CierraRecordset(origen);
    if (lista.isEmpty())
        return true;
    lista = Trim(lista);
    lista.chop(1);
    return Ejecuta(QStringLiteral("UPDATE ") + c.tabla + QStringLiteral(" SET ") + lista +
                       c.condicion,
                   false, falla);
}

bool Replica::Ejecuta(QString sentencia, bool insercion, std::optional<Falla>& falla) {
    DB_Dll& destino = gDatosDestino();
    long afectados = 0;
    Paso([&] { destino.EjecutaConsultaSQL(sentencia, afectados); });
    const ado::Errors& errores = destino.cnn()->errors();
    if (errores.Count() == 0)
        return true;
    falla = Falla{errores.Item(0), sentencia, insercion};
    return false;
}

void Replica::Reporta(const Falla& f) {
    DB_Dll& destino = gDatosDestino();
    const ado::Error& e = f.error;
    // No failed-statement row is written for an insert.
    if (!f.insercion)
        Paso(
            [&] { servicios().GrabaErrorAux(f.sentencia, ErrLong(e.NativeError), e.Description); });
    servicios().CartelCerrar();
    if (f.insercion)
        vb::MsgBox(QStringLiteral("Error en base de datos ") + e.Description, vb::vbInformation,
                   QStringLiteral("Atencion"));
    else
        vb::MsgBox(e.Description + vb::vbCrLf +
                       QStringLiteral("No se pudo actualizar la base de datos ") + destino.gDBName +
                       QStringLiteral(" Server: ") + destino.gServidor,
                   vb::vbCritical, QStringLiteral("Atención"));
}

} // namespace

void ActualizaGEmpresas(const std::vector<Cambio>& Cambios) {
    if (!hayServicios())
        return;
    std::vector<Preparado> preparados;
    for (const Cambio& c : Cambios) {
        Preparado p;
        p.tabla = SinMarcaAdmin(c.Tabla);
        p.operacion = c.Operacion;
        QString motivo;
        p.condicion = Condicion(c.Where, CamposClaveTabla(p.tabla), c.Valores, p.tabla, motivo);
        if (!motivo.isEmpty()) {
            servicios().AnotaError(motivo, kRutina);
            continue;
        }
        p.exclusion = ColumnaExclusion(p.tabla);
        preparados.push_back(std::move(p));
    }
    if (preparados.empty())
        return;
    Replica replica(std::move(preparados));
    ado::RecordsetPtr tpv = ado::Recordset::create();
    try {
        Paso([&] {
            gDatos().AbrirRecordset(
                QStringLiteral("SELECT * FROM V_TA_TPV  with(nolock)  WHERE INTERNET = 0 AND "
                               "BAJA = 0 ORDER BY CODIGO "),
                tpv);
        });
        for (bool fin = !Abierto(tpv); !fin;) {
            // An ignored failure of the test ends the list.
            fin = true;
            Paso([&] { fin = tpv->EOF(); });
            if (fin)
                break;
            replica.PuntoDeVenta(tpv);
            Paso([&] { tpv->MoveNext(); });
        }
        gDatos().CierraRecordset(tpv);
        replica.Grupo();
    } catch (const Abandona&) {
        CierraSinAviso(tpv);
    }
}

void ActualizaGEmpresas(QString& Tabla, std::int32_t Operacion, const QString& Valor1,
                        const QString& Valor2, const QString& Valor3, const QString& Valor4,
                        const QString& Valor5, const QString& Valor6, const QString& Where,
                        const QString& Texto, bool Marca) {
    Q_UNUSED(Texto) // callers pass an empty text and False; neither changes anything
    Q_UNUSED(Marca)
    Tabla = SinMarcaAdmin(Tabla);
    ActualizaGEmpresas(
        {Cambio{Tabla, Operacion, {Valor1, Valor2, Valor3, Valor4, Valor5, Valor6}, Where}});
}

} // namespace ModGruposEmp
