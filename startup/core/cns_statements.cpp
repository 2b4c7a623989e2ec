#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ado/engine.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cartel.h"
#include "startup/core/cns_pasos.h"

namespace CNStuffContable {

ListaCampos gCamposSQL;

namespace {

// An empty field list cannot make a statement (subscript out of range).
void ExigeCampos(const ListaCampos& campos) {
    if (campos.empty())
        vb::Raise(vb::errSubscriptOutOfRange);
}

QString ListaDe(const ListaCampos& campos, QString CampoSQL::*miembro) {
    QStringList partes;
    for (const CampoSQL& c : campos)
        partes << c.*miembro;
    return partes.join(u',');
}

// A date for a date column: ISO text on the embedded engine, where dates are
// stored that way, so that text order stays date order.
QString TextoFecha(const QString& valor) {
    if (ClsUtilidades::motorSQL() != MotorSQL::SQLite)
        return valor;
    const std::optional<QDateTime> fecha = vb::ParseDate(valor);
    return fecha ? fecha->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : valor;
}

// A narrow column is filled with zeros only for a number code ("1" becomes
// "0001"); free text keeps its form, and a value too long for the column is
// left for the server to refuse rather than cut.
QString CodigoAlAncho(const QString& valor, int ancho) {
    const QString codigo = valor.trimmed();
    if (ClsUtilidades::EsCodigoNumerico(codigo) && codigo.size() < ancho)
        return ClsUtilidades::RellenaCeros(codigo, ancho);
    return valor;
}

} // namespace

void AgregaCampo(const QString& Campo, const QString& Valor, const QString& Delimitador,
                 bool Inicializa) {
    if (Inicializa)
        gCamposSQL.assign(1, CampoSQL{});
    else
        gCamposSQL.push_back(CampoSQL{});
    CampoSQL& campo = gCamposSQL.back();
    campo.Campo = Campo;
    if (Valor.toUpper() == u"NULL")
        campo.Valor = QStringLiteral("Null");
    else
        campo.Valor = vb::CStr(gDatos().SQLValue(Valor, Delimitador));
}

void AgregaCampoRecordset(const ado::RecordsetPtr& Rs, QString& Campo, const QString& Valor,
                          bool Inicializa) {
    Campo.remove(u'[');
    Campo.remove(u']');
    const ado::Field campo = Rs->Fields(Campo);
    const int tipo = campo.Type();
    QString marca = QStringLiteral("'");
    QString valor = Valor;
    if (DB_Dll::ADOText(tipo)) {
        if (Valor.trimmed().isEmpty())
            valor = QStringLiteral("Null");
        else if (campo.DefinedSize() < 30)
            valor = CodigoAlAncho(Valor, int(campo.DefinedSize()));
        else
            valor = Valor.trimmed();
    } else if (DB_Dll::ADONumeric(tipo)) {
        marca = QStringLiteral("@");
    } else if (DB_Dll::ADOBoolean(tipo)) {
        valor = EsVerdadero(Valor) ? QStringLiteral("1") : QStringLiteral("0");
    } else if (DB_Dll::ADOCurrency(tipo)) {
        marca = QStringLiteral("@");
    } else if (DB_Dll::adodate(tipo)) {
        valor = vb::IsDate(Valor) ? TextoFecha(Valor) : QStringLiteral("Null");
    }
    AgregaCampo(Campo, valor, marca, Inicializa);
}

void ArmaSentenciaSQL(ListaCampos& Campos, QStringList& Sentencias, const QString& Tabla,
                      bool EsUpdate, QString& Where) {
    ExigeCampos(Campos);
    QString sentencia;
    if (!EsUpdate) {
        sentencia = QStringLiteral("INSERT INTO ") + Tabla + QStringLiteral(" (") +
                    ListaDe(Campos, &CampoSQL::Campo) + QStringLiteral(") VALUES (") +
                    ListaDe(Campos, &CampoSQL::Valor) + u')';
    } else {
        QStringList asignaciones;
        for (const CampoSQL& c : Campos)
            asignaciones << c.Campo + QStringLiteral(" = ") + c.Valor;
        if (!Where.contains(u"WHERE", Qt::CaseInsensitive))
            Where = QStringLiteral(" WHERE ") + Where;
        sentencia = QStringLiteral("UPDATE ") + Tabla + QStringLiteral(" SET ") +
                    asignaciones.join(u',') + u' ' + Where;
    }
    if (Sentencias.isEmpty())
        Sentencias.append(QString());
    Sentencias.last() = sentencia;
    Sentencias.append(QString());
    Campos.assign(1, CampoSQL{});
}

void ArmaValoresInsert(QString& Sentencia, ListaCampos& Campos, bool Limpiar) {
    ExigeCampos(Campos);
    Sentencia += u'(' + ListaDe(Campos, &CampoSQL::Campo) + QStringLiteral(") VALUES (") +
                 ListaDe(Campos, &CampoSQL::Valor) + u')';
    if (Limpiar)
        Campos.clear();
}

namespace {

struct ResultadoLote {
    bool fallo = false;
    std::int32_t nativo = 0;
    QString texto;
    QString descripcion; // of the first error
    ado::Error primero;
};

// Reads and clears the connection's errors after a statement of the save.
ResultadoLote LeeErrores(ado::Errors& errores, bool ignoraClaveDuplicada) {
    ResultadoLote r;
    if (errores.Count() == 0)
        return r;
    r.fallo = true;
    r.primero = errores.Item(0);
    r.nativo = std::int32_t(errores.Item(0).NativeError);
    r.descripcion = errores.Item(0).Description;
    // With several errors the last one is the server's closing summary.
    const int lineas = errores.Count() == 1 ? 1 : errores.Count() - 1;
    for (int i = 0; i < lineas; ++i) {
        const ado::Error& e = errores.Item(i);
        r.texto +=
            QString::number(e.NativeError) + QStringLiteral(" : ") + e.Description + vb::vbCrLf;
    }
    if (ignoraClaveDuplicada && r.nativo == ado::nativeDuplicateKey)
        r.texto.clear();
    errores.Clear();
    return r;
}

// The statement's rows touched; its failure stays in the connection's errors.
long Ejecuta(const QString& sentencia) {
    QString texto = sentencia;
    long afectados = 0;
    try {
        gDatos().EjecutaConsultaSQL(texto, afectados);
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        // The connection's errors tell the outcome.
    }
    return afectados;
}

// An error numbered for the operator and AUX_ERR: the server's number when
// there is one, else the runtime's own (never 0, which reads as no error).
ado::Error Numerado(ado::Error e) {
    if (e.NativeError == 0)
        e.NativeError = e.Number != 0 ? e.Number : long(vb::errInvalidCall);
    return e;
}

// The error a caught exception of any type stands for. Call only inside a
// catch block.
ado::Error ErrorDeExcepcion() {
    try {
        return Numerado(pasos::CurrentError());
    } catch (...) {
        ado::Error e = vb::RuntimeError(vb::errInvalidCall);
        e.Description = QStringLiteral("Error desconocido en la grabación");
        return Numerado(e);
    }
}

// A failure of a hook goes to the connection's errors, where the save's
// outcome is read, unless the connection holds its own already.
void AnotaFalla(ado::Errors& errores, const ado::Error& e) {
    if (errores.Count() == 0)
        errores.Add(e);
}

// A rollback that could not be sent leaves the transaction open on the
// connection: the connection drops it itself, and failing that a new
// connection leaves it behind, as the server does with a lost link.
void CierraTransaccion(DB_Dll& datos) {
    const ado::ConnectionPtr& cnn = datos.cnn();
    if (!cnn->inTransaction())
        return;
    try {
        cnn->RollbackTrans();
    } catch (const ado::Exception&) {
    }
    if (cnn->inTransaction())
        datos.ReintentaConectar();
    cnn->errors().Clear();
}

} // namespace

void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& ErrorNativo,
                        bool IgnoraClaveDuplicada, const std::function<void()>& AntesDeConfirmar,
                        const std::vector<SentenciaRepetida>& Repetidas,
                        const std::function<bool()>& AlComenzar) {
    OpcionesTransaccion o;
    o.IgnoraClaveDuplicada = IgnoraClaveDuplicada;
    o.AntesDeConfirmar = AntesDeConfirmar;
    o.Repetidas = Repetidas;
    o.AlComenzar = AlComenzar;
    EjecutaTransaccion(Sentencias, HuboError, ErrorNativo, o);
}

namespace {

// One run of a save: its batch, the statements and hooks that go with it in
// the same transaction, and, on a failure, its undoing and report.
class Transaccion {
public:
    Transaccion(const QStringList& sentencias, const OpcionesTransaccion& o)
        : sentencias_(sentencias), o_(o), datos_(gDatos()) {}

    bool ArmaLote();
    void Graba();
    // Refused by the caller's check alone, with no failure to report.
    bool Rehusada() const { return rehusado_ && !r_.fallo; }
    void DeshaceRehusada();
    bool Fallo() const { return r_.fallo; }
    void Deshace();
    void RegistraFalla();
    bool AvisaFalla(); // true: the routine's Retry, run the save again
    std::int32_t Nativo() const { return r_.nativo; }

private:
    bool Sigue() const { return !r_.fallo && !rehusado_; }
    void Lee() { r_ = LeeErrores(datos_.cnn()->errors(), o_.IgnoraClaveDuplicada); }
    long EjecutaLote();
    void ExigeFila(long afectados);
    void EjecutaRepetidas();
    void AntesDeConfirmar();
    void Confirma();

    const QStringList& sentencias_;
    const OpcionesTransaccion& o_;
    DB_Dll& datos_;
    QString cuerpo_;
    QString lote_;
    QString ejecutado_; // the batch and any refused statement, for AUX_ERR
    ResultadoLote r_;
    bool rehusado_ = false;
    bool avisada_ = false; // the operator was told in the routine's own box
};

// The batch is built under the operator error box. False when nothing can
// be saved: abandoned, or the operator ignored a closed connection, where a
// statement leaves no error behind to tell so.
bool Transaccion::ArmaLote() {
    const bool armado = pasos::RunSteps(
        {
            [&] {
                // A closed connection would only fail later, half-way through
                // the error handling; stop before anything is sent.
                if (datos_.cnn()->State() != ado::adStateOpen)
                    throw ado::Exception({ado::adErrInvalidConnection,
                                          QStringLiteral("La conexión está cerrada o no es "
                                                         "válida en este contexto."),
                                          {},
                                          0,
                                          vb::AppExeName()});
            },
            // Errors of earlier statements must not be taken for this save's.
            [&] { datos_.cnn()->errors().Clear(); },
            [&] {
                cuerpo_.clear();
                for (const QString& s : sentencias_)
                    if (!s.trimmed().isEmpty())
                        cuerpo_ += vb::vbCr + s;
            },
            [&] {
                lote_ =
                    QStringLiteral("BEGIN TRANSACTION ") + vb::vbCr + vb::vbCr + cuerpo_ + vb::vbCr;
            },
        },
        [](const ado::Error& e) {
            gCartel().CartelCerrar();
            return pasos::ResumeFor(ClsUtilidades::ReportaError(e));
        },
        pasos::Trap::AllErrors);
    return armado && datos_.cnn()->State() == ado::adStateOpen;
}

// Whatever a step or a hook throws undoes the save like a refused
// statement; ADO's own errors leave the collection empty.
void Transaccion::Graba() {
    ejecutado_ = lote_;
    try {
        const long afectados = EjecutaLote();
        ExigeFila(afectados);
        EjecutaRepetidas();
        AntesDeConfirmar();
        Confirma();
    } catch (const vb::ProgramEnded&) {
        CierraTransaccion(datos_);
        throw;
    } catch (const FallaAvisada& f) {
        avisada_ = true;
        AnotaFalla(datos_.cnn()->errors(), Numerado(f.Error));
        Lee();
    } catch (...) {
        AnotaFalla(datos_.cnn()->errors(), ErrorDeExcepcion());
        Lee();
    }
}

// The batch's rows touched. With the caller's check, it reads inside the
// transaction, before anything is stored.
long Transaccion::EjecutaLote() {
    long afectados = 0;
    if (!o_.AlComenzar) {
        afectados = CNStuffContable::Ejecuta(ejecutado_);
        Lee();
        return afectados;
    }
    CNStuffContable::Ejecuta(QStringLiteral("BEGIN TRANSACTION "));
    Lee();
    if (!r_.fallo) {
        rehusado_ = !o_.AlComenzar();
        Lee();
    }
    if (Sigue()) {
        afectados = CNStuffContable::Ejecuta(cuerpo_);
        Lee();
    }
    return afectados;
}

// A statement that touched no row of a row that must be there.
void Transaccion::ExigeFila(long afectados) {
    if (!Sigue() || !o_.ExigeFila || afectados > 0)
        return;
    datos_.cnn()->errors().Add(ado::adoError(ado::adErrRowNotFound));
    Lee();
}

void Transaccion::EjecutaRepetidas() {
    long afectados = 0;
    for (const SentenciaRepetida& repetida : o_.Repetidas) {
        if (!Sigue())
            break;
        datos_.EjecutaPreparada(repetida.Sentencia, repetida.Filas, afectados);
        Lee();
        // The refused statement goes to AUX_ERR with the batch.
        if (r_.fallo)
            ejecutado_ += vb::vbCr + repetida.Sentencia;
    }
}

void Transaccion::AntesDeConfirmar() {
    if (!Sigue() || !o_.AntesDeConfirmar)
        return;
    o_.AntesDeConfirmar();
    Lee();
}

// A refused commit leaves nothing saved either.
void Transaccion::Confirma() {
    if (!Sigue())
        return;
    CNStuffContable::Ejecuta(QStringLiteral("COMMIT TRANSACTION"));
    Lee();
}

// Refused by the caller's check: nothing to report but its own word.
void Transaccion::DeshaceRehusada() {
    CNStuffContable::Ejecuta(QStringLiteral("ROLLBACK TRANSACTION"));
    datos_.cnn()->errors().Clear();
    CierraTransaccion(datos_);
    gCartel().CartelCerrar();
}

void Transaccion::Deshace() {
    CNStuffContable::Ejecuta(QStringLiteral("ROLLBACK TRANSACTION"));
    datos_.cnn()->errors().Clear();
    CierraTransaccion(datos_);
}

// The AUX_ERR row would meet the same lock and wait a second time: a lock
// time-out goes to the operator log instead.
void Transaccion::RegistraFalla() {
    if (r_.nativo == ado::nativeLockTimeout)
        AnotaErrorOperador(QStringLiteral("Ha ocurrido el Siguiente Error (") +
                               QString::number(r_.nativo) + QStringLiteral(") ") + r_.descripcion,
                           QStringLiteral("EjecutaTransaccion"));
    else
        GrabaErrorAux(ejecutado_, vb::AppExeName(), r_.nativo, r_.texto);
}

// Told once: in the routine's own box, whose Retry runs the whole save
// again, or else in the message, unless the hook's box told it already.
bool Transaccion::AvisaFalla() {
    if (avisada_)
        return false;
    if (!o_.Rutina.isEmpty())
        return ClsUtilidades::ReportaError(r_.primero, std::nullopt, o_.Rutina) == vb::vbRetry;
    if (!r_.texto.trimmed().isEmpty())
        vb::MsgBox(r_.texto, vb::vbCritical | vb::vbOKOnly, QStringLiteral("Aviso al Operador!"));
    return false;
}

} // namespace

void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& ErrorNativo,
                        const OpcionesTransaccion& O) {
    for (;;) {
        HuboError = false;
        Transaccion t(Sentencias, O);
        if (!t.ArmaLote()) {
            gCartel().CartelCerrar();
            HuboError = true;
            return;
        }
        t.Graba();
        if (t.Rehusada()) {
            t.DeshaceRehusada();
            HuboError = true;
            ErrorNativo = 0;
            return;
        }
        if (t.Fallo()) {
            gCartel().CartelCerrar();
            HuboError = true;
            t.Deshace();
            t.RegistraFalla();
            if (t.AvisaFalla())
                continue;
        }
        gCartel().CartelCerrar();
        ErrorNativo = t.Nativo();
        return;
    }
}

} // namespace CNStuffContable
