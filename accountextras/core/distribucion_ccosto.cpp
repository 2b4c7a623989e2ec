#include "accountextras/core/distribucion_ccosto.h"

#include "accountextras/core/interno.h"

#include "accounts/core/interno.h"
#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <cmath>
#include <functional>

namespace ccosto {

namespace {

using cuentas::interno::Cierra;
using cuentas::interno::Consulta;
using cuentas::interno::Marcado;

QString Campo(const ado::RecordsetPtr& rs, const char* nombre) {
    return ClsUtilidades::ValorCampo(rs->value(QLatin1String(nombre)));
}

// Stored flags: Null or empty reads as set, as the suite reads them.
bool Bandera(const QVariant& v) {
    return CNStuffContable::EsVerdadero(ClsUtilidades::ValorCampo(v));
}

QString Bit(bool b) {
    return b ? QStringLiteral("1") : QStringLiteral("0");
}

QString Numero(double d) {
    return QString::number(d, 'g', 15);
}

QString Donde(const QString& cuenta, const QString& unidad) {
    QString w = QStringLiteral(" WHERE CODIGO = ") + sqltext::literal(cuenta);
    if (!unidad.isEmpty())
        w += QStringLiteral(" AND UNEGOCIO = ") + sqltext::literal(unidad);
    return w;
}

QString Tabla(const QString& unidad) {
    return unidad.isEmpty() ? TablaGeneral : TablaUnidades;
}

// The centres stored for the account (and unit), as key literals.
QStringList CentrosGuardados(const QString& cuenta, const QString& unidad) {
    QStringList centros;
    ado::RecordsetPtr rs = Consulta(QStringLiteral("SELECT CCOSTO FROM ") + Tabla(unidad) +
                                    Donde(cuenta, unidad) + QStringLiteral(" ORDER BY CCOSTO"));
    for (; !rs->EOF(); rs->MoveNext())
        centros << sqltext::literal(Campo(rs, "CCOSTO"));
    Cierra(rs);
    return centros;
}

// The copies of one distribution: deleted, then every stored row written.
void Replica(const QString& cuenta, const QString& unidad, bool borrada) {
    QString tabla = Tabla(unidad);
    const QString c = sqltext::literal(cuenta);
    const QString u = unidad.isEmpty() ? QString() : sqltext::literal(unidad);
    // The key catalogue orders the per-unit table's columns as account,
    // centre, business unit.
    ModGruposEmp::ActualizaGEmpresas(tabla, ModGruposEmp::Baja, c, QString(), u);
    if (borrada)
        return;
    for (const QString& centro : CentrosGuardados(cuenta, unidad)) {
        tabla = Tabla(unidad);
        ModGruposEmp::ActualizaGEmpresas(tabla, ModGruposEmp::Alta, c, centro, u);
    }
}

} // namespace

bool LineaUsada(const LineaCCosto& Linea) {
    return !ClsUtilidades::EsVacio(Linea.CCosto);
}

std::optional<double> LeePorcentaje(const QString& Texto) {
    QString t = Texto.trimmed();
    if (t.isEmpty())
        return 0.0;
    const QChar decimal = vb::regional().decimalSeparator;
    int separadores = 0;
    int digitos = 0;
    for (int i = 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isDigit() && c.unicode() < 128)
            ++digitos;
        else if (c == decimal || c == u'.')
            ++separadores;
        else if (!(c == u'-' && i == 0))
            return std::nullopt;
    }
    if (separadores > 1 || digitos == 0)
        return std::nullopt;
    t.replace(decimal, u'.');
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

Distribucion LeeDistribucion(const QString& Cuenta, const QString& Unidad) {
    Distribucion d;
    QString sql = QStringLiteral("SELECT * FROM ") + Tabla(Unidad) +
                  Donde(Cuenta.trimmed(), Unidad) + QStringLiteral(" ORDER BY CCOSTO");
    ado::RecordsetPtr rs = Consulta(sql);
    for (; !rs->EOF(); rs->MoveNext()) {
        if (!d.HayFilas && Unidad.isEmpty()) {
            d.PideConfirmacion = Bandera(rs->value(QStringLiteral("PideConfirmacion")));
            d.VariablePorUD = Bandera(rs->value(QStringLiteral("VariablePorUD")));
        }
        d.HayFilas = true;
        LineaCCosto l;
        l.CCosto = Campo(rs, "CCOSTO").trimmed();
        l.Porcentaje = Campo(rs, "PORCENTAJE").trimmed();
        d.Filas.push_back(l);
    }
    Cierra(rs);
    for (size_t n = 1; n < d.Filas.size(); ++n)
        d.Filas[n].Descripcion =
            ClsUtilidades::ValorCampo(
                gDatos().DatosTabla(QStringLiteral("TA_CCOSTO"), d.Filas[n].CCosto,
                                    QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8,
                                    QString(), true, false))
                .trimmed();
    return d;
}

QString ValidaCentro(const Lineas& L, int Fila, const QString& Valor, QString& Codigo,
                     QString& Descripcion) {
    Codigo.clear();
    Descripcion.clear();
    const QString v = Valor.trimmed();
    if (v.isEmpty())
        return QString();
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT TOP 1 CODIGO, DESCRIPCION, TITULO FROM TA_CCOSTO WHERE "
                                "LTRIM(RTRIM(CODIGO)) = ") +
                 sqltext::literal(v));
    const bool existe = !rs->EOF();
    bool titulo = false;
    if (existe) {
        Codigo = Campo(rs, "CODIGO").trimmed();
        Descripcion = Campo(rs, "DESCRIPCION").trimmed();
        titulo = Marcado(rs->value(QStringLiteral("TITULO")));
    }
    Cierra(rs);
    if (!existe)
        return MsgCentroInexistente;
    if (titulo)
        return MsgCentroTitulo;
    for (int n = 0; n < int(L.size()); ++n)
        if (n != Fila && L[size_t(n)].CCosto.trimmed().compare(v, Qt::CaseInsensitive) == 0)
            return MsgCentroRepetido;
    return QString();
}

QString ValidaPorcentaje(const QString& Valor) {
    const std::optional<double> v = LeePorcentaje(Valor);
    return !v || *v < 0 || *v > 100 ? MsgRangoPorcentaje : QString();
}

bool VerificarSumaPorcentajes(const Lineas& L, QString& Mensaje) {
    std::int64_t suma = 0;
    for (const LineaCCosto& l : L) {
        if (ClsUtilidades::EsVacio(l.Porcentaje))
            continue;
        // The default rounding mode rounds half to even.
        suma += std::int64_t(std::nearbyint(LeePorcentaje(l.Porcentaje).value_or(0)));
    }
    if (suma < 0 || suma > 100) {
        Mensaje = MsgSumaPorcentajes;
        return false;
    }
    return true;
}

QString VerificaSumaTotal(const Lineas& L, bool Completa) {
    // Summed in ten-thousandths, so that 33,33 + 33,33 + 33,34 is 100.
    vb::Currency suma;
    for (size_t n = 1; n < L.size(); ++n)
        if (LineaUsada(L[n]))
            suma += vb::Currency::fromDouble(LeePorcentaje(L[n].Porcentaje).value_or(0));
    if (suma < vb::Currency() || suma > vb::Currency::fromDouble(100))
        return MsgSumaTotal;
    return Completa && suma != vb::Currency::fromDouble(100) ? MsgSumaIncompleta : QString();
}

std::optional<Rechazo> VerificaLineas(const Lineas& L, bool Completa) {
    for (int n = 1; n < int(L.size()); ++n) {
        const LineaCCosto& l = L[size_t(n)];
        if (!LineaUsada(l))
            continue;
        QString codigo, descripcion;
        // A repeated centre is refused where it comes again.
        const Lineas hastaAqui(L.begin(), L.begin() + n + 1);
        QString m = ValidaCentro(hastaAqui, n, l.CCosto, codigo, descripcion);
        if (!m.isEmpty())
            return Rechazo{n, 1, m};
        m = ValidaPorcentaje(l.Porcentaje);
        if (!m.isEmpty())
            return Rechazo{n, 3, m};
    }
    if (const QString m = VerificaSumaTotal(L, Completa); !m.isEmpty())
        return Rechazo{1, 3, m};
    return std::nullopt;
}

QString ValidaCuenta(const QString& Codigo, QString& Descripcion) {
    Descripcion.clear();
    const QString v = Codigo.trimmed();
    if (v.isEmpty())
        return MsgSinCuenta;
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT TOP 1 DESCRIPCION, TITULO FROM MA_CUENTAS WHERE "
                                "LTRIM(RTRIM(CODIGO)) = ") +
                 sqltext::literal(v));
    const bool existe = !rs->EOF();
    bool titulo = false;
    if (existe) {
        Descripcion = Campo(rs, "DESCRIPCION");
        titulo = Marcado(rs->value(QStringLiteral("TITULO")));
    }
    Cierra(rs);
    if (!existe)
        return MsgCuentaInexistente;
    if (titulo)
        return MsgCuentaTitulo;
    return QString();
}

bool TieneMov(const QString& Cuenta) {
    return cuentas::interno::HayFila(
        QStringLiteral("SELECT TOP 1 CUENTA FROM MV_ASIENTOSCCOSTO WHERE LTRIM(RTRIM(CUENTA)) = ") +
        sqltext::literal(Cuenta.trimmed()) + QStringLiteral(" AND Importe IS NOT NULL"));
}

QStringList SentenciasGrabacion(const Grabacion& G) {
    const QString cuenta = G.Cuenta.trimmed();
    QStringList s = SentenciasBaja(cuenta, G.Unidad);
    const QString c = sqltext::literal(cuenta);
    for (size_t n = 1; n < G.Filas.size(); ++n) {
        const LineaCCosto& l = G.Filas[n];
        if (!LineaUsada(l))
            continue;
        const QString centro = sqltext::literal(l.CCosto.trimmed());
        const QString porcentaje = Numero(LeePorcentaje(l.Porcentaje).value_or(0));
        if (G.Unidad.isEmpty())
            s << QStringLiteral("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, "
                                "FECHAHORA_MODIFICACION, PideConfirmacion, VariablePorUD) "
                                "VALUES (") +
                     c + u',' + centro + u',' + porcentaje + u',' +
                     ClsUtilidades::FechaHoraParaSQL(G.Ahora) + u',' + Bit(G.PideConfirmacion) +
                     u',' + Bit(G.VariablePorUD) + u')';
        else
            s << QStringLiteral("INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, CCOSTO, "
                                "PORCENTAJE) VALUES (") +
                     c + u',' + sqltext::literal(G.Unidad) + u',' + centro + u',' + porcentaje +
                     u')';
    }
    if (!G.Unidad.isEmpty())
        s << QStringLiteral("UPDATE MA_CUENTASCCOSTO SET PideConfirmacion = ") +
                 Bit(G.PideConfirmacion) + QStringLiteral(", VariablePorUD = ") +
                 Bit(G.VariablePorUD) + Donde(cuenta, QString());
    return s;
}

QStringList SentenciasBaja(const QString& Cuenta, const QString& Unidad) {
    return {QStringLiteral("DELETE FROM ") + Tabla(Unidad) + Donde(Cuenta.trimmed(), Unidad)};
}

namespace {

const QString kRutina = QStringLiteral("Actualizar_Datos");

bool Ejecuta(const QStringList& sentencias) {
    bool error = false;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion(sentencias, error, nativo);
    return !error;
}

// The save is committed: a copy that could not be brought into line is the
// replication's to tell, and the save stays done.
void ReplicaTrasGrabar(const std::function<void()>& replica) {
    pasos::RunSteps({replica}, pasos::Recuadro(QStringLiteral("ActualizaGEmpresas")),
                    pasos::Trap::AllErrors);
}

} // namespace

Resultado GrabaDistribucion(const Grabacion& G) {
    Resultado r;
    QStringList sentencias;
    const bool armada = pasos::RunSteps(
        {
            [&] {
                const std::optional<Rechazo> rechazo = VerificaLineas(G.Filas, G.PideConfirmacion);
                if (!rechazo)
                    return true;
                r.estado = Resultado::Estado::Rechazado;
                r.Mensaje = rechazo->Mensaje;
                r.Titulo = TituloAviso;
                r.Botones = vb::vbExclamation + vb::vbOKOnly;
                r.Campo =
                    rechazo->Columna == 1 ? QStringLiteral("CCOSTO") : QStringLiteral("PORCENTAJE");
                r.Fila = rechazo->Fila;
                return false;
            },
            [&] { sentencias = SentenciasGrabacion(G); },
        },
        cuentasadic::interno::RecuadroGrabacion(kRutina), pasos::Trap::AllErrors);
    if (!armada || r.rechazado() || !Ejecuta(sentencias))
        return r;
    const QString cuenta = G.Cuenta.trimmed();
    ReplicaTrasGrabar([&] { Replica(cuenta, G.Unidad, false); });
    // The flags went onto the general rows too.
    if (!G.Unidad.isEmpty())
        ReplicaTrasGrabar([&] {
            for (const QString& centro : CentrosGuardados(cuenta, QString())) {
                QString tabla = TablaGeneral;
                ModGruposEmp::ActualizaGEmpresas(tabla, ModGruposEmp::Alta,
                                                 sqltext::literal(cuenta), centro);
            }
        });
    return Resultado::Hecho();
}

Resultado BorraDistribucion(const QString& Cuenta, const QString& Unidad) {
    if (!Ejecuta(SentenciasBaja(Cuenta, Unidad)))
        return Resultado();
    ReplicaTrasGrabar([&] { Replica(Cuenta.trimmed(), Unidad, true); });
    return Resultado::Hecho();
}

std::vector<Elemento> UnidadesNegocio() {
    std::vector<Elemento> unidades;
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT * FROM V_TA_UNIDADNEGOCIO ORDER BY CODIGO"));
    // A read the data object refused was told there.
    for (; rs->State() == ado::adStateOpen && !rs->EOF(); rs->MoveNext())
        unidades.push_back({Campo(rs, "Codigo"), Campo(rs, "Descripcion")});
    Cierra(rs);
    return unidades;
}

std::vector<Elemento> CuentasAsignadas() {
    std::vector<Elemento> cuentas;
    ado::RecordsetPtr rs = Consulta(QStringLiteral(
        "SELECT MA_CUENTASCCOSTO.CODIGO,DESCRIPCION FROM MA_CUENTASCCOSTO INNER JOIN MA_CUENTAS "
        "ON MA_CUENTASCCOSTO.CODIGO = MA_CUENTAS.CODIGO GROUP BY MA_CUENTASCCOSTO.CODIGO "
        ",DESCRIPCION"));
    // A read the data object refused was told there.
    for (; rs->State() == ado::adStateOpen && !rs->EOF(); rs->MoveNext())
        cuentas.push_back({Campo(rs, "CODIGO"), Campo(rs, "DESCRIPCION")});
    Cierra(rs);
    return cuentas;
}

QString SentenciaPlanilla() {
    return QStringLiteral(
        "SELECT MA_CUENTASCCOSTO.CODIGO,MA_CUENTAS.DESCRIPCION ,MA_CUENTASCCOSTO.CCOSTO AS [C "
        "COSTOS],TA_CCOSTO.DESCRIPCION, MA_CUENTASCCOSTO.PORCENTAJE FROM "
        "MA_CUENTAS,MA_CUENTASCCOSTO,TA_CCOSTO WHERE LTRIM(RTRIM(MA_CUENTASCCOSTO.CODIGO)) = "
        "LTRIM(RTRIM(MA_CUENTAS.CODIGO)) AND LTRIM(RTRIM(TA_CCOSTO.CODIGO)) = "
        "LTRIM(RTRIM(MA_CUENTASCCOSTO.CCOSTO))");
}

QString ConsultaCentros() {
    return QStringLiteral("SELECT Codigo, DESCRIPCION FROM Ta_Ccosto ORDER BY Codigo");
}

} // namespace ccosto
