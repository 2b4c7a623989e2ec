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

void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& ErrorNativo,
                        const OpcionesTransaccion& O) {
    for (;;) {
        HuboError = false;
        DB_Dll& datos = gDatos();
        QString cuerpo;
        QString lote;
        const bool armado = pasos::RunSteps(
            {
                [&] {
                    // A closed connection would only fail later, half-way through
                    // the error handling; stop before anything is sent.
                    if (datos.cnn()->State() != ado::adStateOpen)
                        throw ado::Exception({ado::adErrInvalidConnection,
                                              QStringLiteral("La conexión está cerrada o no es "
                                                             "válida en este contexto."),
                                              {},
                                              0,
                                              vb::AppExeName()});
                },
                // Errors of earlier statements must not be taken for this save's.
                [&] { datos.cnn()->errors().Clear(); },
                [&] {
                    cuerpo.clear();
                    for (const QString& s : Sentencias)
                        if (!s.trimmed().isEmpty())
                            cuerpo += vb::vbCr + s;
                },
                [&] {
                    lote = QStringLiteral("BEGIN TRANSACTION ") + vb::vbCr + vb::vbCr + cuerpo +
                           vb::vbCr;
                },
            },
            [](const ado::Error& e) {
                gCartel().CartelCerrar();
                return pasos::ResumeFor(ClsUtilidades::ReportaError(e));
            },
            pasos::Trap::AllErrors);
        // Abandoned, or the operator ignored a closed connection: nothing can be
        // saved, and a statement on a closed connection leaves no error behind
        // to tell so.
        if (!armado || datos.cnn()->State() != ado::adStateOpen) {
            gCartel().CartelCerrar();
            HuboError = true;
            return;
        }

        QString ejecutado = lote;
        ResultadoLote r;
        bool rehusado = false;
        bool avisada = false; // the operator was told in the routine's own box
        const auto lee = [&] { r = LeeErrores(datos.cnn()->errors(), O.IgnoraClaveDuplicada); };
        try {
            long afectados = 0;
            if (O.AlComenzar) {
                // The check reads inside the transaction, before anything is stored.
                Ejecuta(QStringLiteral("BEGIN TRANSACTION "));
                lee();
                if (!r.fallo) {
                    rehusado = !O.AlComenzar();
                    lee();
                }
                if (!r.fallo && !rehusado) {
                    afectados = Ejecuta(cuerpo);
                    lee();
                }
            } else {
                afectados = Ejecuta(ejecutado);
                lee();
            }
            // A statement that touched no row of a row that must be there.
            if (!r.fallo && !rehusado && O.ExigeFila && afectados <= 0) {
                datos.cnn()->errors().Add(ado::adoError(ado::adErrRowNotFound));
                lee();
            }
            for (const SentenciaRepetida& repetida : O.Repetidas) {
                if (r.fallo || rehusado)
                    break;
                datos.EjecutaPreparada(repetida.Sentencia, repetida.Filas, afectados);
                lee();
                // The refused statement goes to AUX_ERR with the batch.
                if (r.fallo)
                    ejecutado += vb::vbCr + repetida.Sentencia;
            }
            if (!r.fallo && !rehusado && O.AntesDeConfirmar) {
                O.AntesDeConfirmar();
                lee();
            }
            if (!r.fallo && !rehusado) {
                Ejecuta(QStringLiteral("COMMIT TRANSACTION"));
                // A refused commit leaves nothing saved either.
                lee();
            }
        } catch (const vb::ProgramEnded&) {
            CierraTransaccion(datos);
            throw;
        } catch (const FallaAvisada& f) {
            avisada = true;
            AnotaFalla(datos.cnn()->errors(), Numerado(f.Error));
            lee();
        } catch (...) {
            // Whatever a step or a hook throws undoes the save like a refused
            // statement; ADO's own errors leave the collection empty.
            AnotaFalla(datos.cnn()->errors(), ErrorDeExcepcion());
            lee();
        }
        if (rehusado && !r.fallo) {
            // Refused by the caller's check: nothing to report but its own word.
            Ejecuta(QStringLiteral("ROLLBACK TRANSACTION"));
            datos.cnn()->errors().Clear();
            CierraTransaccion(datos);
            gCartel().CartelCerrar();
            HuboError = true;
            ErrorNativo = 0;
            return;
        }
        if (r.fallo) {
            gCartel().CartelCerrar();
            HuboError = true;
            Ejecuta(QStringLiteral("ROLLBACK TRANSACTION"));
            datos.cnn()->errors().Clear();
            CierraTransaccion(datos);
            // The AUX_ERR row would meet the same lock and wait a second time:
            // a lock time-out goes to the operator log instead.
            if (r.nativo == ado::nativeLockTimeout)
                AnotaErrorOperador(QStringLiteral("Ha ocurrido el Siguiente Error (") +
                                       QString::number(r.nativo) + QStringLiteral(") ") +
                                       r.descripcion,
                                   QStringLiteral("EjecutaTransaccion"));
            else
                GrabaErrorAux(ejecutado, vb::AppExeName(), r.nativo, r.texto);
            if (avisada) {
                // Told once already.
            } else if (!O.Rutina.isEmpty()) {
                // The routine's own box: Retry runs the whole save again.
                if (ClsUtilidades::ReportaError(r.primero, std::nullopt, O.Rutina) == vb::vbRetry)
                    continue;
            } else if (!r.texto.trimmed().isEmpty()) {
                vb::MsgBox(r.texto, vb::vbCritical | vb::vbOKOnly,
                           QStringLiteral("Aviso al Operador!"));
            }
        }
        gCartel().CartelCerrar();
        ErrorNativo = r.nativo;
        return;
    }
}

} // namespace CNStuffContable
