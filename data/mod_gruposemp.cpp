// Replication of one master-data change to the points of sale and the group
// database.

#include "data/mod_gruposemp.h"

#include "data/db_dll_internal.h"
#include "data/instances.h"
#include "data/mod_gruposemp_internal.h"
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

// One step of the routine under its error box: Retry runs it again, Ignore
// goes on after it, any other answer leaves the routine.
void Paso(const std::function<void()>& paso) {
    const bool completo = pasos::RunSteps(
        {pasos::Step(paso)},
        [](const ado::Error& e) {
            return pasos::ResumeFor(servicios().AvisaErrorOperador(e, kRutina));
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

class Replica {
public:
    Replica(const QString& tabla, std::int32_t operacion, const QString& condicion)
        : tabla_(tabla), operacion_(operacion), condicion_(condicion) {}

    void PuntoDeVenta(const ado::RecordsetPtr& tpv, const std::optional<QString>& exclusion);
    void Sirve(Destino d);

private:
    static bool Activa(const QString& tipos, int posicion) {
        return tipos.size() > posicion && tipos.at(posicion) == u'1';
    }
    void InsertaOActualiza(const QString& tipos, const QString& columnas);
    void Inserta(const QString& columnas);
    void Actualiza(const ado::RecordsetPtr& fila);
    void Borra();
    // The report of a refused update or delete.
    void ReportaFalla(const QString& sentencia);
    void Anota(const QString& mensaje) { servicios().AnotaError(mensaje, kRutina); }

    QString tabla_;
    std::int32_t operacion_;
    QString condicion_;
};

void Replica::PuntoDeVenta(const ado::RecordsetPtr& tpv, const std::optional<QString>& exclusion) {
    QString codigo, descripcion, servidor, base, usuario;
    bool excluido = false;
    Paso([&] {
        codigo = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("CODIGO")));
        descripcion = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Descripcion")));
        servidor = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Server")));
        base = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Dbname")));
        usuario = ClsUtilidades::ValorCampo(tpv->Fields(QStringLiteral("Usuario")));
        if (exclusion && !exclusion->isEmpty()) {
            const QVariant marca = tpv->value(*exclusion);
            excluido = !vb::IsNull(marca) && Verdadero(marca);
        }
    });
    if (!exclusion || excluido)
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
    Sirve({QStringLiteral("111"), servidorDestino, base, usuario, codigo});
}

void Replica::Sirve(Destino d) {
    Paso([&] { ConectaBaseGrupo(d.servidor, d.base, d.usuario); });
    DB_Dll& destino = gDatosDestino();
    // Statements are never sent to whatever connection the failed open left.
    if (!destino.gOpenFlag || destino.cnn()->State() != ado::adStateOpen) {
        Anota(QStringLiteral("No se replica %1%2: no se pudo conectar a la base %3 Server: %4")
                  .arg(tabla_, condicion_, d.base, d.servidor));
        if (!d.codigo.isEmpty())
            Paso([&] { servicios().MarcaDesconectado(d.codigo); });
        return;
    }
    QString columnas, tiposColumnas;
    Paso([&] {
        columnas = VerificaCampos(tabla_, destino, kExcluidasInsercion, false, tiposColumnas);
    });
    if (operacion_ == Alta || operacion_ == Modificacion)
        InsertaOActualiza(d.tipos, columnas);
    else if (operacion_ == Baja && Activa(d.tipos, 2))
        Borra();
}

void Replica::InsertaOActualiza(const QString& tipos, const QString& columnas) {
    DB_Dll& destino = gDatosDestino();
    ado::RecordsetPtr fila = ado::Recordset::create();
    const QString nombre = LeeTablaReal(tabla_) ? QStringLiteral("@admin_") + tabla_ : tabla_;
    Paso([&] {
        destino.AbrirRecordset(QStringLiteral("SELECT * FROM ") + nombre + condicion_, fila);
    });
    // A refused read was already reported by the data object.
    if (!Abierto(fila))
        return;
    bool falta = false;
    Paso([&] { falta = fila->EOF(); });
    if (falta) {
        if (Activa(tipos, 0))
            Inserta(columnas);
    } else if (Activa(tipos, 1)) {
        Actualiza(fila);
    }
    destino.CierraRecordset(fila);
}

void Replica::Inserta(const QString& columnas) {
    DB_Dll& destino = gDatosDestino();
    if (columnas.isEmpty()) {
        Anota(QStringLiteral("No se replica %1 en la base %2: la tabla no tiene columnas allí")
                  .arg(tabla_, destino.gDBName));
        return;
    }
    ado::RecordsetPtr origen = ado::Recordset::create();
    Paso([&] {
        gDatos().AbrirRecordset(QStringLiteral("SELECT ") + columnas + QStringLiteral(" FROM [") +
                                    gDatos().gDBName + QStringLiteral("].DBO.") + tabla_ +
                                    condicion_,
                                origen);
    });
    if (!Abierto(origen))
        return;
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
                  .arg(tabla_, condicion_, destino.gDBName));
        return;
    }
    QString sentencia = QStringLiteral("INSERT INTO ") + tabla_ + u'(' + columnas +
                        QStringLiteral(") ") + QStringLiteral(" VALUES (") + valores + u')';
    long afectados = 0;
    Paso([&] { destino.EjecutaConsultaSQL(sentencia, afectados); });
    const ado::Errors& errores = destino.cnn()->errors();
    if (errores.Count() == 0)
        return;
    const QString descripcion = errores.Item(0).Description;
    servicios().CartelCerrar();
    vb::MsgBox(QStringLiteral("Error en base de datos ") + descripcion, vb::vbInformation,
               QStringLiteral("Atencion"));
}

void Replica::Actualiza(const ado::RecordsetPtr& fila) {
    DB_Dll& destino = gDatosDestino();
    ado::RecordsetPtr origen = ado::Recordset::create();
    Paso([&] {
        gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM  ") + tabla_ + condicion_, origen);
    });
    if (!Abierto(origen))
        return;
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
        return;
    lista = Trim(lista);
    lista.chop(1);
    QString sentencia =
        QStringLiteral("UPDATE ") + tabla_ + QStringLiteral(" SET ") + lista + condicion_;
    long afectados = 0;
    Paso([&] { destino.EjecutaConsultaSQL(sentencia, afectados); });
    ReportaFalla(sentencia);
}

void Replica::Borra() {
    QString sentencia = QStringLiteral("DELETE ") + tabla_ + condicion_;
    long afectados = 0;
    Paso([&] { gDatosDestino().EjecutaConsultaSQL(sentencia, afectados); });
    ReportaFalla(sentencia);
}

void Replica::ReportaFalla(const QString& sentencia) {
    DB_Dll& destino = gDatosDestino();
    const ado::Errors& errores = destino.cnn()->errors();
    if (errores.Count() == 0)
        return;
    const ado::Error e = errores.Item(0);
    Paso([&] { servicios().GrabaErrorAux(sentencia, ErrLong(e.NativeError), e.Description); });
    servicios().CartelCerrar();
    vb::MsgBox(e.Description + vb::vbCrLf +
                   QStringLiteral("No se pudo actualizar la base de datos ") + destino.gDBName +
                   QStringLiteral(" Server: ") + destino.gServidor,
               vb::vbCritical, QStringLiteral("Atención"));
}

} // namespace

void ActualizaGEmpresas(QString& Tabla, std::int32_t Operacion, const QString& Valor1,
                        const QString& Valor2, const QString& Valor3, const QString& Valor4,
                        const QString& Valor5, const QString& Valor6, const QString& Where,
                        const QString& Texto, bool Marca) {
    Q_UNUSED(Texto) // callers pass an empty text and False; neither changes anything
    Q_UNUSED(Marca)
    Tabla = SinMarcaAdmin(Tabla);
    if (!hayServicios())
        return;
    QString motivo;
    const QString condicion =
        Condicion(Where, CamposClaveTabla(Tabla), {Valor1, Valor2, Valor3, Valor4, Valor5, Valor6},
                  Tabla, motivo);
    if (!motivo.isEmpty()) {
        servicios().AnotaError(motivo, kRutina);
        return;
    }
    Replica replica(Tabla, Operacion, condicion);
    ado::RecordsetPtr tpv = ado::Recordset::create();
    try {
        Paso([&] {
            gDatos().AbrirRecordset(
                QStringLiteral("SELECT * FROM V_TA_TPV  with(nolock)  WHERE INTERNET = 0 AND "
                               "BAJA = 0 ORDER BY CODIGO "),
                tpv);
        });
        const std::optional<QString> exclusion = ColumnaExclusion(Tabla);
        for (bool fin = !Abierto(tpv); !fin;) {
            // An ignored failure of the test ends the list.
            fin = true;
            Paso([&] { fin = tpv->EOF(); });
            if (fin)
                break;
            replica.PuntoDeVenta(tpv, exclusion);
            Paso([&] { tpv->MoveNext(); });
        }
        gDatos().CierraRecordset(tpv);

        bool grupo = false;
        Paso([&] { grupo = EsTablaDeGrupo(Tabla); });
        if (!grupo)
            return;
        Destino d;
        Paso([&] {
            QString sinUso;
            d.tipos = servicios().Cfg(QStringLiteral("GRP_Tipos"), sinUso);
            d.servidor = servicios().Cfg(QStringLiteral("GRP_Server"), sinUso);
            d.base = servicios().Cfg(QStringLiteral("GRP_Base"), sinUso);
            d.usuario = servicios().Cfg(QStringLiteral("GRP_User"), sinUso);
        });
        replica.Sirve(d);
    } catch (const Abandona&) {
        CierraSinAviso(tpv);
    }
}

} // namespace ModGruposEmp
