// The subledger work table: each entry's debit and credit lines side by side.

#include "data/instances.h"
#include "data/pasos.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/ado/engine.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cartel.h"
#include "startup/core/cnstuffcontable.h"

#include <cmath>
#include <functional>

using namespace lbc;

namespace {

const QString kRutina = QStringLiteral("GeneraAuxiliarSubdiarios");

QVariant NumeroDe(double valor) {
    if (valor == std::trunc(valor) && std::fabs(valor) < 1e15)
        return QVariant(static_cast<qlonglong>(valor));
    return QVariant(valor);
}

long Lineas(const ado::RecordsetPtr& rs) {
    const long n = rs->RecordCount();
    if (n >= 0)
        return n;
    long contadas = 0;
    if (!rs->EOF()) {
        for (rs->MoveFirst(); !rs->EOF(); rs->MoveNext())
            ++contadas;
        rs->MoveFirst();
    }
    return contadas;
}

QString Descripcion(const QString& cuenta) {
    return ClsUtilidades::ValorCampo(
        gDatos().DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"),
                            QStringLiteral("CODIGO"), 8, QString(), true, false));
}

// Account, description and amount of a line into one side's columns.
void LadoDe(const ado::RecordsetPtr& tabla, const ado::RecordsetPtr& linea, const QString& lado) {
    const QString cuenta = ClsUtilidades::ValorCampo(linea->Fields(QStringLiteral("CUENTA")));
    tabla->Fields(QStringLiteral("cuenta_") + lado).setValue(cuenta);
    tabla->Fields(QStringLiteral("descripcion_") + lado).setValue(Descripcion(cuenta));
    tabla->Fields(QStringLiteral("importe_") + lado)
        .setValue(linea->value(QStringLiteral("IMPORTE")));
}

// One step of the run under the operator error box: Retry runs it again,
// Ignore goes on after it (false: the step did not run through), anything
// else leaves the run, which the transaction runner then undoes and records.
// A failure passed over is no failure of the save.
bool Paso(const std::function<void()>& paso) {
    bool hecho = false;
    std::optional<ado::Error> falla;
    const bool sigue = pasos::RunSteps(
        {[&] {
            paso();
            hecho = true;
        }},
        [&](const ado::Error& e) {
            falla = e;
            return pasos::ResumeFor(
                int(CNStuffContable::AvisaErrorOperador(e, std::nullopt, QVariant(kRutina))));
        },
        pasos::Trap::AllErrors);
    if (!sigue)
        throw CNStuffContable::FallaAvisada{*falla};
    if (falla)
        gDatos().cnn()->errors().Clear();
    return hecho;
}

// A read whose failure the operator abandoned in the data object's own box
// leaves the run there: a closed recordset must not be read on.
void Lectura(const std::function<void()>& abre) {
    const int abandonadas = gDatos().LecturasAbandonadas();
    Paso(abre);
    if (gDatos().LecturasAbandonadas() == abandonadas)
        return;
    const ado::Errors& errores = gDatos().cnn()->errors();
    throw CNStuffContable::FallaAvisada{
        errores.Count() > 0 ? errores.Item(0) : ado::adoError(ado::adErrObjectClosed)};
}

// One run: the user's rows replaced by the subledger's entries of the range,
// in one transaction of the transaction runner.
class Generacion {
public:
    Generacion(QString& desde, const QString& hasta, const QString& tipoSub, bool archivoLegal)
        : desde_(desde), hasta_(hasta), subdiario_(sqltext::literal(tipoSub.trimmed())),
          archivoLegal_(archivoLegal) {}
    ~Generacion() {
        TerminaCartel();
        for (ado::RecordsetPtr* rs : {&lista_, &tabla_, &debe_, &haber_})
            Suelta(*rs);
    }
    Generacion(const Generacion&) = delete;
    Generacion& operator=(const Generacion&) = delete;

    void Genera();

private:
    QString BorraFilasDelUsuario() const;
    void Llena();
    void LlenaTabla();
    void AbreListaDeAsientos();
    void AbreTablaDeTrabajo();
    void IniciaCartel();
    bool LeeAsiento();
    bool PreguntaSiAborta();
    void AbreLineas(const QString& lado, ado::RecordsetPtr& lineas);
    void EligeLadoGuia();
    void EscribeFilas();
    void EscribeFila();
    void CompletaOtroLado();
    void TerminaCartel();
    QString LineasDe(const QString& lado) const;
    bool Vacia();

    QString& desde_;
    const QString& hasta_;
    const QString subdiario_;
    const bool archivoLegal_;
    const ado::ConnectionPtr cnn_ = gDatos().cnn();
    ado::RecordsetPtr lista_, tabla_, debe_, haber_;
    ado::RecordsetPtr* guia_ = &debe_;
    ado::RecordsetPtr* otra_ = &haber_;
    bool guiaDebe_ = true;
    QString titulo_, periodo_, mes_, asiento_, progreso_;
    bool enCurso_ = false; // banner open and wait state on
    bool cancelado_ = false;
};

void Generacion::Genera() {
    bool hubo = false;
    std::int32_t nativo = 0;
    CNStuffContable::OpcionesTransaccion o;
    o.Rutina = kRutina;
    o.AntesDeConfirmar = [this] { Llena(); };
    CNStuffContable::EjecutaTransaccion({BorraFilasDelUsuario()}, hubo, nativo, o);
}

QString Generacion::BorraFilasDelUsuario() const {
    return QStringLiteral("DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = ") +
           sqltext::literal(CNStuffContable::gUsuarioLogeado.trimmed());
}

// Inside the transaction, after the user's rows are gone. A run left by
// the operator drops its pending row before the runner rolls back.
void Generacion::Llena() {
    // The routine's Retry runs the whole save again, from a fresh start.
    TerminaCartel();
    cancelado_ = false;
    try {
        LlenaTabla();
    } catch (const CNStuffContable::FallaAvisada&) {
        Suelta(tabla_);
        throw;
    }
}

void Generacion::LlenaTabla() {
    if (desde_.trimmed().isEmpty())
        desde_ = QStringLiteral("01/01/1990");
    Lectura([&] { AbreListaDeAsientos(); });
    Lectura([&] { AbreTablaDeTrabajo(); });
    // No entry: the deletion alone is committed, and no banner shows.
    if (Vacia())
        return;
    Paso([&] { IniciaCartel(); });
    // The entries in list order, up to the operator's abort. A failed test
    // of the list goes into the entry all the same; a failed step to the
    // next entry ends the list.
    for (;;) {
        if (!LeeAsiento())
            break;
        if (PreguntaSiAborta())
            break;
        Lectura([&] { AbreLineas(QStringLiteral("D"), debe_); });
        Lectura([&] { AbreLineas(QStringLiteral("H"), haber_); });
        Paso([&] { EligeLadoGuia(); });
        EscribeFilas();
        if (!Paso([&] { lista_->MoveNext(); }))
            break;
    }
    Paso([&] { TerminaCartel(); });
}

void Generacion::AbreListaDeAsientos() {
    gDatos().AbrirRecordset(
        QStringLiteral("SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM "
                       "MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = ") +
            subdiario_ + QStringLiteral(" AND FECHA >= ") + ClsUtilidades::FechaParaSQL(desde_) +
            QStringLiteral(" AND FECHA <= ") + ClsUtilidades::FechaParaSQL(hasta_) +
            QStringLiteral(" ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]"),
        lista_, cnn_, ado::adOpenDynamic, ado::adLockReadOnly, -1, true);
}

void Generacion::AbreTablaDeTrabajo() {
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS"), tabla_, cnn_,
                            ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
}

bool Generacion::Vacia() {
    bool vacia = false;
    Paso([&] { vacia = lista_->EOF(); });
    return vacia;
}

void Generacion::IniciaCartel() {
    titulo_ = archivoLegal_ ? QStringLiteral("Archivo Legal de Información")
                            : QStringLiteral("Generando Reporte de Subdiarios");
    CNStuffContable::gCartel().CartelInicio(titulo_, true);
    enCurso_ = true;
    ClsUtilidades::CursorEspera(true);
}

// The list's current entry; false past the last one.
bool Generacion::LeeAsiento() {
    bool fin = false;
    Paso([&] {
        if (lista_->EOF()) {
            fin = true;
            return;
        }
        periodo_ = ClsUtilidades::ValorCampo(lista_->Fields(QStringLiteral("Periodo")));
        mes_ = ClsUtilidades::ValorCampo(lista_->Fields(QStringLiteral("MES_OPERATIVO")));
        asiento_ = ClsUtilidades::ValorCampo(lista_->Fields(QStringLiteral("NUMERO ASIENTO")));
        progreso_ = vb::Format(vb::Val(mes_), QStringLiteral("0000")) + u'-' +
                    vb::Format(vb::Val(asiento_), QStringLiteral("0000000"));
    });
    return !fin;
}

// The progress, and the operator's cancel: true when the operator confirms
// the abort. A failed progress display asks too.
bool Generacion::PreguntaSiAborta() {
    using CNStuffContable::gCartel;
    bool pregunta = true;
    Paso([&] {
        gCartel().CartelMostrar(cancelado_, QVariant(QStringLiteral("Generando el Reporte")),
                                QVariant(progreso_));
        pregunta = cancelado_;
    });
    if (!pregunta)
        return false;
    bool aborta = false;
    Paso([&] {
        gCartel().Siempre_Visible(false);
        if (vb::MsgBox(QStringLiteral("¿Realmente desea abortar el proceso?"),
                       vb::vbYesNo | vb::vbQuestion) == vb::vbYes) {
            aborta = true;
            return;
        }
        // A fresh banner gets its cancel button back.
        gCartel().CartelCerrar();
        gCartel().CartelInicio(titulo_, true);
        gCartel().CartelMostrar(cancelado_, QVariant(QStringLiteral("Generando el Reporte ")),
                                QVariant(progreso_));
        gCartel().Siempre_Visible(true);
    });
    return aborta;
}

// One side of the entry: all its lines, in account order.
void Generacion::AbreLineas(const QString& lado, ado::RecordsetPtr& lineas) {
    gDatos().AbrirRecordset(LineasDe(lado), lineas, cnn_, ado::adOpenDynamic, ado::adLockReadOnly,
                            -1, true);
}

QString Generacion::LineasDe(const QString& lado) const {
    return QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = ") +
           subdiario_ + QStringLiteral(" AND [NUMERO ASIENTO] = ") + asiento_ +
           QStringLiteral(" AND MES_OPERATIVO = ") + mes_ +
           QStringLiteral(" AND RTRIM(LTRIM(PERIODO)) = ") + periodo_ +
           QStringLiteral(" AND [DEBE-HABER] = '") + lado + QStringLiteral("' ORDER BY CUENTA");
}

// A tie goes to the debit side.
void Generacion::EligeLadoGuia() {
    guiaDebe_ = Lineas(debe_) >= Lineas(haber_);
    guia_ = guiaDebe_ ? &debe_ : &haber_;
    otra_ = guiaDebe_ ? &haber_ : &debe_;
    if (!debe_->EOF())
        debe_->MoveFirst();
    if (!haber_->EOF())
        haber_->MoveFirst();
}

// The rows of one entry, pair by pair. A failed test of the driving side
// writes the row all the same; a failed step to its next line leaves the
// entry.
void Generacion::EscribeFilas() {
    for (;;) {
        bool fin = false;
        Paso([&] { fin = (*guia_)->EOF(); });
        if (fin)
            return;
        Paso([&] { EscribeFila(); });
        Paso([&] { CompletaOtroLado(); });
        Paso([&] { tabla_->Update(); });
        if (!Paso([&] { (*guia_)->MoveNext(); }))
            return;
    }
}

// A new row from the driving line: the entry's header, its own side and
// its detail.
void Generacion::EscribeFila() {
    const ado::RecordsetPtr& l = *guia_;
    tabla_->AddNew();
    tabla_->Fields(QStringLiteral("Usuario")).setValue(CNStuffContable::gUsuarioLogeado);
    tabla_->Fields(QStringLiteral("Periodo"))
        .setValue(
            NumeroDe(vb::Val(ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("PERIODO"))))));
    tabla_->Fields(QStringLiteral("Mes_Operativo"))
        .setValue(NumeroDe(
            vb::Val(ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("MES_OPERATIVO"))))));
    tabla_->Fields(QStringLiteral("numero asiento"))
        .setValue(l->value(QStringLiteral("NUMERO ASIENTO")));
    tabla_->Fields(QStringLiteral("fecha"))
        .setValue(guiaDebe_
                      ? ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("FECHA")))
                      : vb::Format(l->value(QStringLiteral("FECHA")), QStringLiteral("dd/mm/yy")));
    for (const char* columna : {"TC", "Sucursal", "Numero", "letra"})
        tabla_->Fields(QLatin1String(columna))
            .setValue(ClsUtilidades::ValorCampo(l->Fields(QLatin1String(columna))));
    tabla_->Fields(QStringLiteral("Cabimporte")).setValue(l->value(QStringLiteral("CABIMPORTE")));
    LadoDe(tabla_, l, guiaDebe_ ? QStringLiteral("D") : QStringLiteral("H"));
    tabla_->Fields(QStringLiteral("Concepto"))
        .setValue(ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("DETALLE"))));
}

// The other side's next line, while it has one, on the same row.
void Generacion::CompletaOtroLado() {
    if ((*otra_)->EOF())
        return;
    LadoDe(tabla_, *otra_, guiaDebe_ ? QStringLiteral("H") : QStringLiteral("D"));
    (*otra_)->MoveNext();
}

// The banner and the wait state never outlive the run.
void Generacion::TerminaCartel() {
    if (!enCurso_)
        return;
    ClsUtilidades::CursorEspera(false);
    CNStuffContable::gCartel().CartelCerrar();
    enCurso_ = false;
}

} // namespace

void Lbc_Asiento::GeneraAuxiliarSubdiarios(QString& Fecha_Desde, QString& Fecha_Hasta,
                                           QString& TipoSub,
                                           const std::optional<bool>& EsArchivoLegal) {
    Generacion(Fecha_Desde, Fecha_Hasta, TipoSub, EsArchivoLegal.value_or(false)).Genera();
}
