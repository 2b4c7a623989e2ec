#include "accounts/core/grabacion.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/core/codigos.h"
#include "accounts/core/interno.h"
#include "accounts/core/mensajes.h"
#include "accounts/core/niveles.h"
#include "accounts/core/satelites.h"
#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "data/pasos.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <array>

namespace cuentas {

namespace {

using Estado = Desenlace::Estado;

const QString kRutina = QStringLiteral("ActualizarDatos");

Desenlace Rechazo(const QString& Mensaje, int Estilo, const QString& Titulo = QString(),
                  const QString& Campo = QString()) {
    return {Estado::Rechazado, Mensaje, Estilo, Titulo, Campo, std::nullopt};
}

QString Auditoria(const QString& Codigo, const QString& CodigoMostrado, bool Nueva, bool Baja) {
    return CNStuffContable::SentenciaAccionComprobante(QString(), QString(), QStringLiteral("0"),
                                                       Nueva, !Nueva && !Baja,
                                                       Codigo + u' ' + CodigoMostrado, Baja);
}

ModGruposEmp::Cambio CopiaCuenta(const QString& Codigo) {
    return {
        QStringLiteral("@ADMIN_MA_CUENTAS"), ModGruposEmp::Alta, {sqltext::literal(Codigo)}, {}};
}

// The account and the rights it was given, one change for each target.
void ReplicaCuenta(const QString& Codigo, const QStringList& Grupos = {}) {
    std::vector<ModGruposEmp::Cambio> cambios{CopiaCuenta(Codigo)};
    for (const QString& grupo : Grupos)
        cambios.push_back(CopiaGrupoCuenta(grupo, Codigo));
    ModGruposEmp::ActualizaGEmpresas(cambios);
}

// Runs a save's statements as one transaction; the runner shows a failure.
bool Transaccion(const QStringList& Sentencias, std::int32_t* Nativo = nullptr) {
    bool error = false;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion(Sentencias, error, nativo);
    if (Nativo)
        *Nativo = nativo;
    return !error;
}

// Steps before the commit: a failure ends the save with nothing written
// (retried when the operator asks); a value that does not convert names
// its column.
Desenlace AntesDeConfirmar(const std::vector<pasos::Step>& Pasos, Desenlace& Resultado) {
    pasos::RunSteps(
        Pasos,
        [&](const ado::Error& e) {
            if (e.Number == ado::adErrDataConversion) {
                Resultado = {Estado::NoConvierte, {}, 0, {}, e.Source, std::nullopt};
                return pasos::Resume::Exit;
            }
            if (pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, kRutina)) ==
                pasos::Resume::Retry)
                return pasos::Resume::Retry;
            // Going on past a failed step would store a part of the change.
            Resultado.estado = Estado::Fallido;
            return pasos::Resume::Exit;
        },
        pasos::Trap::AllErrors);
    return Resultado;
}

// Steps after the commit: the change is stored whatever happens here; a
// failure is told and the operator may retry or pass it over.
void TrasConfirmar(const std::vector<pasos::Step>& Pasos) {
    pasos::RunSteps(Pasos, pasos::Recuadro(kRutina), pasos::Trap::AllErrors);
}

// The columns the save writes besides the custom "P_" ones: what another
// user may have changed under the window.
constexpr std::array<const char*, 21> kColumnasGrabadas{"DESCRIPCION",
                                                        "Codigo",
                                                        "CodigoOpcional",
                                                        "CuentaPrincipal",
                                                        "CodTarjeta_ConcAuto",
                                                        "TITULO",
                                                        "AJUSTE",
                                                        "INDICE",
                                                        "BLOQUEO",
                                                        "dv",
                                                        "Bienes",
                                                        "Dada_De_Baja",
                                                        "LIBRO_IVA_COMPRAS",
                                                        "LIBRO_IVA_DULVAR",
                                                        "PideVencimiento",
                                                        "MedioDePago",
                                                        "NoPideDatosTarjeta",
                                                        "TipoVista",
                                                        "UsaCCostos",
                                                        "CajayBanco",
                                                        "Moneda"};

bool Grabada(const QString& columna) {
    if (columna.startsWith(u"P_", Qt::CaseInsensitive))
        return true;
    for (const char* c : kColumnasGrabadas)
        if (columna.compare(QLatin1String(c), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// Two reads of one column hold the same value: numbers by their value, texts
// without their trailing blanks (the server pads fixed-width columns).
QString SinBlancosFinales(QString texto) {
    while (!texto.isEmpty() && texto.back() == u' ')
        texto.chop(1);
    return texto;
}

bool MismoValor(const QVariant& a, const QVariant& b) {
    if (vb::IsNull(a) || vb::IsNull(b))
        return vb::IsNull(a) == vb::IsNull(b);
    const QString ta = ClsUtilidades::ValorCampo(a);
    const QString tb = ClsUtilidades::ValorCampo(b);
    if (ClsUtilidades::EsNumero(ta) && ClsUtilidades::EsNumero(tb))
        return vb::CDbl(a) == vb::CDbl(b);
    return SinBlancosFinales(ta) == SinBlancosFinales(tb);
}

// The two reads agree; SalvoBaja: in every column but the dropped flag.
bool MismaFila(const FilaGuardada& Cargada, const FilaGuardada& Actual, bool SalvoBaja = false) {
    for (const auto& [columna, valor] : Cargada.Valores) {
        if (SalvoBaja && columna.compare(u"Dada_De_Baja", Qt::CaseInsensitive) == 0)
            continue;
        const QVariant* ahora = Actual.valor(columna);
        if (ahora && !MismoValor(valor, *ahora))
            return false;
    }
    return true;
}

bool DadaDeBaja(const FilaGuardada& Fila) {
    const QVariant* v = Fila.valor(QStringLiteral("Dada_De_Baja"));
    return v && interno::Marcado(*v);
}

// Read inside the save's transaction: the row as it stands now against what
// the window loaded. Hecho when the save may go on.
Desenlace Vigente(const QString& Codigo, bool Nueva, const std::optional<FilaGuardada>& Cargada) {
    ado::RecordsetPtr rs = interno::Consulta(QStringLiteral("SELECT * FROM @Admin_MA_CUENTAS "
                                                            "WHERE CODIGO = ") +
                                             sqltext::literal(Codigo));
    const bool existe = !rs->EOF();
    const FilaGuardada actual = existe ? LeeFilaGuardada(rs) : FilaGuardada{};
    interno::Cierra(rs);
    const QString titulo = QStringLiteral("Aviso al operador...");
    if (Nueva)
        return existe ? Rechazo(MsgAltaPorOtro, vb::vbInformation, titulo) : Desenlace{};
    if (!Cargada)
        return {};
    if (!existe)
        return Rechazo(MsgBorradaPorOtro, vb::vbInformation, titulo);
    if (MismaFila(*Cargada, actual))
        return {};
    // Only dropped: the user may reuse it; changed besides, it is refused.
    if (DadaDeBaja(actual) && !DadaDeBaja(*Cargada) && MismaFila(*Cargada, actual, true)) {
        return {Estado::Reutilizar, {}, 0, {}, {}, actual};
    }
    return Rechazo(MsgCambiadaPorOtro, vb::vbInformation, titulo);
}

} // namespace

const QVariant* FilaGuardada::valor(const QString& Columna) const {
    for (const auto& [columna, v] : Valores)
        if (columna.compare(Columna, Qt::CaseInsensitive) == 0)
            return &v;
    return nullptr;
}

FilaGuardada LeeFilaGuardada(const ado::RecordsetPtr& Rs) {
    FilaGuardada fila;
    if (!Rs || Rs->State() != ado::adStateOpen || Rs->BOF() || Rs->EOF())
        return fila;
    const int n = Rs->fieldCount();
    for (int i = 0; i < n; ++i) {
        const ado::Field f = Rs->Fields(i);
        if (Grabada(f.Name()))
            fila.Valores.emplace_back(f.Name(), f.Value());
    }
    return fila;
}

Desenlace GrabaCuenta(const Cuenta& C, bool Nueva, const SatelitesCuenta& S, ClsReglasPlan& Reglas,
                      ado::RecordsetPtr Columnas, const std::optional<FilaGuardada>& Cargada) {
    const QString codigo = CodigoGuardado(C);
    if (codigo.size() > LargoMaximoCodigo)
        return Rechazo(MsgLongitudCodigo, vb::vbInformation, QStringLiteral("Atención"));

    Desenlace resultado;
    QStringList sentencias{QString()};
    QStringList grupos;
    const std::vector<pasos::Step> antes = {
        [&] {
            if (C.Titulo && Reglas.TieneMovimientos(codigo))
                resultado = Rechazo(QStringLiteral("La cuenta no puede cambiarse a Título porque "
                                                   "tiene movimientos registrados!!!"),
                                    vb::vbCritical);
            else if (!C.Titulo && Reglas.TieneSubcuentas(codigo))
                resultado = Rechazo(QStringLiteral("No puede cambiar el tipo de cuenta porque "
                                                   "existe un nivel inferior"),
                                    vb::vbCritical);
            // The series is stored as its position plus one: without one
            // the account would silently take the second series.
            else if (!C.Titulo && C.Ajuste && C.Indice < 0)
                resultado = Rechazo(QStringLiteral("Debe elegir la serie de índices de la cuenta "
                                                   "ajustable"),
                                    vb::vbCritical, QString(), QStringLiteral("INDICE"));
            return resultado.hecho();
        },
        [&] { ArmaSentenciaCuenta(C, Nueva, sentencias, Columnas); },
        [&] { sentencias.last() = Auditoria(codigo, C.Codigo, Nueva, false); },
        [&] {
            if (!C.Titulo)
                sentencias << SentenciasCCostoCuenta(codigo, C.UsaCCostos, S.CCostosHabilitado,
                                                     S.CCostoPorDefecto);
        },
        [&] {
            grupos = GruposQueFaltan(codigo, Nueva);
            for (const QString& grupo : grupos)
                sentencias << SentenciaGrupoCuenta(grupo, codigo);
        },
        [&] {
            // The row is judged where nobody else can write it until the
            // save ends.
            std::optional<Desenlace> vigencia;
            CNStuffContable::OpcionesTransaccion o;
            o.AlComenzar = [&] {
                vigencia = Vigente(codigo, Nueva, Cargada);
                return vigencia->hecho();
            };
            bool error = false;
            std::int32_t nativo = 0;
            CNStuffContable::EjecutaTransaccion(sentencias, error, nativo, o);
            if (vigencia && !vigencia->hecho())
                resultado = *vigencia;
            else if (error)
                resultado.estado = Estado::Fallido;
            return resultado.hecho();
        },
    };
    if (!AntesDeConfirmar(antes, resultado).hecho())
        return resultado;

    TrasConfirmar({
        [&] { GrabaClavesMedioDePago(C.MedioDePago, codigo); },
        [&] { ReplicaCuenta(codigo, grupos); },
    });
    return resultado;
}

Desenlace PuedeBorrarse(const QString& Codigo, ClsReglasPlan& Reglas) {
    if (!Reglas.TieneSubcuentas(Codigo))
        return {};
    return Rechazo(QStringLiteral("No se puede eliminar esta cuenta porque posee un nivel "
                                  "inferior") +
                       vb::vbCr +
                       QStringLiteral("Elimine primero las demás cuentas e inténtelo nuevamente"),
                   vb::vbCritical);
}

Desenlace BorraCuenta(const QString& Codigo, const QString& CodigoMostrado, ClsReglasPlan& Reglas) {
    Desenlace resultado;
    bool nombrada = false;
    const std::vector<pasos::Step> antes = {
        // Journal lines name the account whether or not the database
        // declares it: such a delete is refused as the server refuses it.
        [&] {
            nombrada = Reglas.TieneMovimientos(Codigo);
            return !nombrada;
        },
        [&] {
            QStringList sentencias = SentenciasBajaCuenta(Codigo);
            sentencias << Auditoria(Codigo, CodigoMostrado, false, true);
            std::int32_t nativo = 0;
            if (Transaccion(sentencias, &nativo))
                return true;
            // Refused by a reference: rows elsewhere still name the account.
            nombrada = nativo == ado::nativeConstraint;
            resultado.estado = Estado::Fallido;
            return false;
        },
    };
    if (!AntesDeConfirmar(antes, resultado).hecho() && !nombrada)
        return resultado;
    if (nombrada)
        return BajaLogica(Codigo, CodigoMostrado);
    TrasConfirmar({[&] { ReplicaBajaCuenta(Codigo); }});
    return resultado;
}

Desenlace BajaLogica(const QString& Codigo, const QString& CodigoMostrado) {
    const QString consulta =
        QStringLiteral("SELECT TOP 1 IMPORTE FROM MV_ASIENTOS WHERE CUENTA = ") +
        sqltext::literal(Codigo) + QStringLiteral(" AND CAST(PERIODO AS INT) = ") +
        QString::number(CNStuffContable::gPeriodoActual.trimmed().toInt()) +
        QStringLiteral(" AND (ES_SALDO_APERTURA = ");
    const QString titulo = QStringLiteral("Aviso al operador!!!");
    Desenlace resultado;
    const std::vector<pasos::Step> antes = {
        [&] {
            if (interno::HayFila(consulta + QStringLiteral("0)")))
                resultado = Rechazo(QStringLiteral("La cuenta que intenta eliminar Tiene "
                                                   "movimientos en este Ejercicio"),
                                    vb::vbCritical, titulo);
            return resultado.hecho();
        },
        [&] {
            ado::RecordsetPtr rs = interno::Consulta(consulta + QStringLiteral("1)"));
            const bool conSaldo = !rs->EOF() && rs->value(0).toDouble() != 0;
            interno::Cierra(rs);
            if (conSaldo)
                resultado = Rechazo(QStringLiteral("La cuenta que intenta eliminar no tiene Saldo "
                                                   "0 de Apertura"),
                                    vb::vbCritical, titulo);
            return resultado.hecho();
        },
        [&] {
            if (!Transaccion({QStringLiteral("UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1 WHERE "
                                             "CODIGO = ") +
                                  sqltext::literal(Codigo),
                              Auditoria(Codigo, CodigoMostrado, false, true)}))
                resultado.estado = Estado::Fallido;
            return resultado.hecho();
        },
    };
    if (!AntesDeConfirmar(antes, resultado).hecho())
        return resultado;
    TrasConfirmar({[&] { ReplicaCuenta(Codigo); }});
    resultado.estado = Estado::DadaDeBaja;
    return resultado;
}

} // namespace cuentas
