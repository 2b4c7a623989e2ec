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

#include <algorithm>
#include <cmath>
#include <functional>

namespace ccosto {

namespace {

using cuentas::interno::Cierra;
using cuentas::interno::Consulta;
using cuentas::interno::Marcado;

constexpr std::int64_t kEscala = 100000; // 10^DecimalesPorcentaje
// More integer digits than this is no percentage, and cannot overflow.
constexpr int kMaxEnteros = 12;

std::int64_t Unidades(const QVariant& v, bool& ok) {
    const double d = v.toDouble(&ok);
    ok = ok && std::isfinite(d) && std::fabs(d) < 1e12;
    return ok ? std::int64_t(std::llround(d * double(kEscala))) : 0;
}

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

// The copies of one distribution: deleted, then every stored row written,
// as one change that each target takes whole or not at all. A unit's change
// also touches the account's general rows (their flags, the row that keeps
// them): those are copied again the same way.
void Replica(const QString& cuenta, const QString& unidad) {
    const QString c = sqltext::literal(cuenta);
    const QString u = unidad.isEmpty() ? QString() : sqltext::literal(unidad);
    // The key catalogue orders the per-unit table's columns as account,
    // centre, business unit.
    std::vector<ModGruposEmp::Cambio> cambios{
        {Tabla(unidad), ModGruposEmp::Baja, {c, QString(), u}, {}}};
    for (const QString& centro : CentrosGuardados(cuenta, unidad))
        cambios.push_back({Tabla(unidad), ModGruposEmp::Alta, {c, centro, u}, {}});
    if (!unidad.isEmpty()) {
        cambios.push_back({TablaGeneral, ModGruposEmp::Baja, {c}, {}});
        for (const QString& centro : CentrosGuardados(cuenta, QString()))
            cambios.push_back({TablaGeneral, ModGruposEmp::Alta, {c, centro}, {}});
    }
    ModGruposEmp::ActualizaGEmpresas(cambios);
}

// One line or flags row as a save compares it.
QString Huella(std::initializer_list<QString> valores) {
    return QStringList(valores).join(QChar(0x1f));
}

// The flags of one general row: the first row read gives the account's.
void LeeBanderas(const ado::RecordsetPtr& rs, Distribucion& d) {
    const QVariant pide = rs->value(QStringLiteral("PideConfirmacion"));
    const QVariant variable = rs->value(QStringLiteral("VariablePorUD"));
    if (d.Leida.Banderas.isEmpty()) {
        d.PideConfirmacion = Bandera(pide);
        d.VariablePorUD = Bandera(variable);
    }
    d.Leida.Banderas << Huella({Campo(rs, "CCOSTO").trimmed(),
                                cuentasadic::interno::ValorComparable(pide),
                                cuentasadic::interno::ValorComparable(variable)});
}

// The stored rows of one distribution and the account's flags, without
// the centres' descriptions.
Distribucion LeeFilas(const QString& cuenta, const QString& unidad) {
    Distribucion d;
    ado::RecordsetPtr rs = Consulta(QStringLiteral("SELECT * FROM ") + Tabla(unidad) +
                                    Donde(cuenta, unidad) + QStringLiteral(" ORDER BY CCOSTO"));
    for (; !rs->EOF(); rs->MoveNext()) {
        if (unidad.isEmpty())
            LeeBanderas(rs, d);
        LineaCCosto l;
        l.CCosto = Campo(rs, "CCOSTO").trimmed();
        // The row that only keeps the flags is no line.
        if (l.CCosto.isEmpty())
            continue;
        const QVariant porcentaje = rs->value(QStringLiteral("PORCENTAJE"));
        bool ok = false;
        const std::int64_t u = Unidades(porcentaje, ok);
        l.Porcentaje = ok ? TextoPorcentaje(u) : ClsUtilidades::ValorCampo(porcentaje).trimmed();
        d.Leida.Lineas << Huella({l.CCosto, cuentasadic::interno::ValorComparable(porcentaje)});
        d.HayFilas = true;
        d.Filas.push_back(l);
    }
    Cierra(rs);
    if (!unidad.isEmpty()) {
        rs = Consulta(QStringLiteral("SELECT CCOSTO, PideConfirmacion, VariablePorUD FROM ") +
                      TablaGeneral + Donde(cuenta, QString()) + QStringLiteral(" ORDER BY CCOSTO"));
        for (; !rs->EOF(); rs->MoveNext())
            LeeBanderas(rs, d);
        Cierra(rs);
    }
    return d;
}

} // namespace

bool LineaUsada(const LineaCCosto& Linea) {
    return !ClsUtilidades::EsVacio(Linea.CCosto);
}

std::optional<std::int64_t> LeePorcentaje(const QString& Texto) {
    const QString t = Texto.trimmed();
    if (t.isEmpty())
        return 0;
    const QChar decimal = vb::regional().decimalSeparator;
    const bool negativo = t.startsWith(u'-');
    std::int64_t enteros = 0, fraccion = 0;
    int digitosEnteros = 0, decimales = 0;
    bool enFraccion = false;
    for (qsizetype i = negativo ? 1 : 0; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c.isDigit() && c.unicode() < 128) {
            const int d = c.unicode() - u'0';
            if (enFraccion) {
                if (++decimales > DecimalesPorcentaje)
                    return std::nullopt;
                fraccion = fraccion * 10 + d;
            } else {
                if (++digitosEnteros > kMaxEnteros)
                    return std::nullopt;
                enteros = enteros * 10 + d;
            }
        } else if ((c == decimal || c == u'.') && !enFraccion) {
            enFraccion = true;
        } else {
            return std::nullopt;
        }
    }
    if (digitosEnteros + decimales == 0)
        return std::nullopt;
    for (int n = decimales; n < DecimalesPorcentaje; ++n)
        fraccion *= 10;
    const std::int64_t u = enteros * kEscala + fraccion;
    return negativo ? -u : u;
}

namespace {

QString Texto(std::int64_t unidades, QChar separador) {
    const std::int64_t absoluto = unidades < 0 ? -unidades : unidades;
    QString t = QString::number(absoluto / kEscala);
    QString fraccion =
        QStringLiteral("%1").arg(absoluto % kEscala, DecimalesPorcentaje, 10, QLatin1Char('0'));
    while (fraccion.endsWith(u'0'))
        fraccion.chop(1);
    if (!fraccion.isEmpty())
        t += separador + fraccion;
    return unidades < 0 ? u'-' + t : t;
}

} // namespace

QString TextoPorcentaje(std::int64_t Unidades) {
    return Texto(Unidades, vb::regional().decimalSeparator);
}

QString NumeroPorcentaje(std::int64_t Unidades) {
    return Texto(Unidades, u'.');
}

std::int64_t SumaPorcentajes(const Lineas& L) {
    std::int64_t suma = 0;
    for (size_t n = 1; n < L.size(); ++n)
        if (LineaUsada(L[n]))
            suma += LeePorcentaje(L[n].Porcentaje).value_or(0);
    return suma;
}

Distribucion LeeDistribucion(const QString& Cuenta, const QString& Unidad) {
    Distribucion d = LeeFilas(Cuenta.trimmed(), Unidad);
    for (size_t n = 1; n < d.Filas.size(); ++n)
        d.Filas[n].Descripcion =
            ClsUtilidades::ValorCampo(
                gDatos().DatosTabla(QStringLiteral("TA_CCOSTO"), d.Filas[n].CCosto,
                                    QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8,
                                    QString(), true, false))
                .trimmed();
    return d;
}

Guardada LeeGuardada(const QString& Cuenta, const QString& Unidad) {
    return LeeFilas(Cuenta.trimmed(), Unidad).Leida;
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
    const std::optional<std::int64_t> v = LeePorcentaje(Valor);
    return !v || *v < 0 || *v > 100 * kEscala ? MsgRangoPorcentaje : QString();
}

bool VerificarSumaPorcentajes(const Lineas& L, QString& Mensaje) {
    const std::int64_t suma = SumaPorcentajes(L);
    if (suma < 0 || suma > 100 * kEscala) {
        Mensaje = MsgSumaPorcentajes;
        return false;
    }
    return true;
}

QString VerificaSumaTotal(const Lineas& L, bool Completa) {
    const std::int64_t suma = SumaPorcentajes(L);
    if (suma < 0 || suma > 100 * kEscala)
        return MsgSumaTotal;
    const bool conLineas = std::any_of(L.begin() + (L.empty() ? 0 : 1), L.end(), LineaUsada);
    return Completa && conLineas && suma != 100 * kEscala ? MsgSumaIncompleta : QString();
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
    // The total refused while typing is refused here with the same text.
    if (QString m; !VerificarSumaPorcentajes(L, m))
        return Rechazo{1, 3, m};
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

namespace {

QString BorraFilas(const QString& cuenta, const QString& unidad) {
    return QStringLiteral("DELETE FROM ") + Tabla(unidad) + Donde(cuenta, unidad);
}

// An account with unit lines and no general row keeps its flags on a row
// of no cost centre.
QString FilaDeBanderas(const QString& cuenta, const Grabacion& G) {
    return QStringLiteral("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, "
                          "FECHAHORA_MODIFICACION, PideConfirmacion, VariablePorUD) SELECT CODIGO, "
                          "' ', 0, ") +
           ClsUtilidades::FechaHoraParaSQL(G.Ahora) + u',' + Bit(G.PideConfirmacion) + u',' +
           Bit(G.VariablePorUD) + QStringLiteral(" FROM MA_CUENTASCCOSTO_UNEG") +
           Donde(cuenta, QString()) +
           QStringLiteral(" AND NOT EXISTS (SELECT CODIGO FROM MA_CUENTASCCOSTO") +
           Donde(cuenta, QString()) + QStringLiteral(") GROUP BY CODIGO");
}

// That row goes with the account's last unit line: left behind, it would
// keep the account among those with a distribution.
QString SinFilaDeBanderas(const QString& cuenta) {
    return BorraFilas(cuenta, QString()) +
           QStringLiteral(" AND CCOSTO = ' ' AND NOT EXISTS (SELECT CODIGO FROM "
                          "MA_CUENTASCCOSTO_UNEG") +
           Donde(cuenta, QString()) + u')';
}

} // namespace

QStringList SentenciasGrabacion(const Grabacion& G) {
    const QString cuenta = G.Cuenta.trimmed();
    QStringList s{BorraFilas(cuenta, G.Unidad)};
    const QString c = sqltext::literal(cuenta);
    for (size_t n = 1; n < G.Filas.size(); ++n) {
        const LineaCCosto& l = G.Filas[n];
        if (!LineaUsada(l))
            continue;
        const QString centro = sqltext::literal(l.CCosto.trimmed());
        const QString porcentaje = NumeroPorcentaje(LeePorcentaje(l.Porcentaje).value_or(0));
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
    const bool conLineas = std::any_of(G.Filas.begin() + 1, G.Filas.end(), LineaUsada);
    if (G.Unidad.isEmpty() && conLineas)
        return s;
    s << FilaDeBanderas(cuenta, G);
    if (!G.Unidad.isEmpty() && !conLineas)
        s << SinFilaDeBanderas(cuenta);
    return s;
}

QStringList SentenciasBaja(const Grabacion& G) {
    const QString cuenta = G.Cuenta.trimmed();
    return {BorraFilas(cuenta, G.Unidad),
            G.Unidad.isEmpty() ? FilaDeBanderas(cuenta, G) : SinFilaDeBanderas(cuenta)};
}

namespace {

const QString kRutina = QStringLiteral("Actualizar_Datos");

// Read inside the transaction, before anything is written: the account of
// a save must still take a distribution, and what the window loaded must
// still be stored. Hecho when the change may go on.
Resultado Vigente(const Grabacion& G, bool Graba) {
    Resultado r;
    QString descripcion;
    if (Graba)
        r.Mensaje = ValidaCuenta(G.Cuenta, descripcion);
    if (!r.Mensaje.isEmpty()) {
        r.Titulo = TituloAviso;
        r.Botones = vb::vbExclamation + vb::vbOKOnly;
    } else if (G.Cargada && LeeGuardada(G.Cuenta, G.Unidad) != *G.Cargada) {
        r.Mensaje = MsgDistribucionCambiada;
        r.Titulo = TituloCambio;
        r.Botones = vb::vbInformation + vb::vbOKOnly;
    } else {
        return Resultado::Hecho();
    }
    r.estado = Resultado::Estado::Rechazado;
    return r;
}

// The statements as one transaction, after Vigente; a refusal comes back in r.
bool Ejecuta(const QStringList& sentencias, const Grabacion& G, bool Graba, Resultado& r) {
    std::optional<Resultado> vigencia;
    CNStuffContable::OpcionesTransaccion o;
    o.AlComenzar = [&] {
        vigencia = Vigente(G, Graba);
        return vigencia->hecho();
    };
    bool error = false;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion(sentencias, error, nativo, o);
    if (vigencia && vigencia->rechazado())
        r = *vigencia;
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
    if (!armada || r.rechazado() || !Ejecuta(sentencias, G, true, r))
        return r;
    const QString cuenta = G.Cuenta.trimmed();
    ReplicaTrasGrabar([&] { Replica(cuenta, G.Unidad); });
    return Resultado::Hecho();
}

Resultado BorraDistribucion(const Grabacion& G) {
    Resultado r;
    if (!Ejecuta(SentenciasBaja(G), G, false, r))
        return r;
    ReplicaTrasGrabar([&] { Replica(G.Cuenta.trimmed(), G.Unidad); });
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
