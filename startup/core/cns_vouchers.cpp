#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cns_pasos.h"

#include <cmath>

namespace CNStuffContable {

namespace {

// The letter must be one of the seven exactly (letter case ignored).
bool LetraValida(const QString& letra) {
    return LetrasComprobante.split(u',').contains(letra, Qt::CaseInsensitive);
}

double Numero(const QVariant& v) {
    return vb::IsNull(v) || vb::IsEmpty(v) ? 0.0 : vb::CDbl(v);
}

// A flag column: Null and the empty text are off.
bool Bandera(const QVariant& v) {
    if (vb::IsNull(v) || vb::IsEmpty(v))
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString t = v.toString();
        return !t.isEmpty() && EsVerdadero(t);
    }
    return vb::CBool(v);
}

// Whole numbers in plain decimal, as the messages and statements write them.
QString Entero(double n) {
    return QString::number(n, 'f', std::floor(n) == n ? 0 : 4);
}

QDate Dia(const QVariant& v) {
    const QDateTime d = vb::CDate(v);
    if (!d.isValid())
        vb::Raise(vb::errTypeMismatch);
    return d.date();
}

QString Tipo4(const QString& tc) {
    return ClsUtilidades::RellenaCeros(tc, 4);
}

// Runs one statement of this module and raises its first error.
void EjecutaOFalla(const QString& sentencia) {
    DB_Dll& datos = gDatos();
    datos.cnn()->errors().Clear();
    QString texto = sentencia;
    long afectados = 0;
    datos.EjecutaConsultaSQL(texto, afectados);
    ado::Errors& errores = datos.cnn()->errors();
    if (errores.Count() > 0) {
        const ado::Error e = errores.Item(0);
        errores.Clear();
        throw ado::Exception(e);
    }
}

// The columns of a letter's range in the voucher-book table.
struct RangoLetra {
    QString desde;
    QString hasta;
};

// A book whose numbering is free: no range, and its numbers may be changed.
bool NumeracionLibre(double desde, double hasta, const ado::RecordsetPtr& rs) {
    return desde == 0 && hasta == 0 && Bandera(rs->value(QStringLiteral("ModificaNumeracion")));
}

struct TalonarioHallado {
    bool encontrado = false;
    bool externo = false;
};

// The books of the type whose letter defaults to the branch: the one whose
// range holds the number, or the first free or external one, becomes the
// book in use (gTalonario).
TalonarioHallado BuscaTalonario(ado::RecordsetPtr& rs, const QString& tipo, const QString& letra,
                                const QString& Sucursal, double numero, const RangoLetra& rango) {
    const vb::Currency sucursal = ClsUtilidades::TextoAMoneda(Sucursal);
    DB_Dll& datos = gDatos();
    datos.AbrirRecordset(QStringLiteral("Select * from v_ta_cpte where codigo = ") + tipo +
                             QStringLiteral(" and ") + letra + QStringLiteral("_SUC_DEFAULT = ") +
                             sucursal.toString(u'.'),
                         rs, nullptr, 0, 1, -1, true);
    TalonarioHallado hallado;
    while (!rs->EOF()) {
        const QVariant ext = rs->value(QStringLiteral("Externo"));
        hallado.externo = !vb::IsNull(ext) && EsVerdadero(ClsUtilidades::ValorCampo(ext));
        const double desde = Numero(rs->value(rango.desde));
        const double hasta = Numero(rs->value(rango.hasta));
        if (NumeracionLibre(desde, hasta, rs) || hallado.externo) {
            // The book found is the one read and written next, even on its
            // first use in the run.
            hallado.encontrado = true;
            gTalonario = std::int16_t(vb::CLng(rs->value(QStringLiteral("talonario"))));
            break;
        }
        if (numero >= desde && numero <= hasta) {
            hallado.encontrado = true;
            gTalonario = std::int16_t(vb::CLng(rs->value(QStringLiteral("talonario"))));
        }
        rs->MoveNext();
    }
    datos.CierraRecordset(rs);
    return hallado;
}

// A number outside the book's range, against the limit it passes.
QString FueraDeLimite(double numero, const QString& parametro, const QString& limite,
                      const QString& control) {
    return vb::vbCr + QStringLiteral("El Número de comprobante (") + Entero(numero) +
           QStringLiteral(") no respeta el parametro ") + parametro +
           QStringLiteral(" del comprobante (") + limite + QStringLiteral(") , Nro de Control: ") +
           control;
}

// The book in use must be in force on the date (through its expiry day) and
// hold the number in its range; Mensaje says why not.
bool NumeroEnRango(const ado::RecordsetPtr& rs, const QString& TC, const QString& letra,
                   double numero, double desde, double hasta, const RangoLetra& rango,
                   const QString& Fecha, QString& Mensaje) {
    bool valido = numero > 0;
    const QString control = QString::number(gTalonario);
    const QString vence = ClsUtilidades::ValorCampo(rs->Fields(letra + QStringLiteral("Vence")));
    if (!Fecha.isEmpty() && !vence.isEmpty() &&
        Dia(rs->value(letra + QStringLiteral("Vence"))) < Dia(Fecha)) {
        valido = false;
        Mensaje = QStringLiteral("El rango de numeracion del comprobante ") + TC +
                  QStringLiteral(" Control nro: ") + control +
                  QStringLiteral(" se encuenta vencida...! Debe dar de alta un nuevo talonario "
                                 "para el comprobante ") +
                  TC;
    }
    if (valido && numero < desde) {
        valido = false;
        Mensaje += FueraDeLimite(numero, QStringLiteral("NRO DESDE"),
                                 ClsUtilidades::ValorCampo(rs->Fields(rango.desde)), control);
    }
    if (valido && numero > hasta) {
        valido = false;
        Mensaje += FueraDeLimite(numero, QStringLiteral("NRO HASTA"),
                                 ClsUtilidades::ValorCampo(rs->Fields(rango.hasta)), control);
    }
    return valido;
}

// The book in use read again: a free or external numbering takes any
// number, any other is checked against the book.
bool ValidaEnTalonario(ado::RecordsetPtr& rs, const QString& TC, const QString& letra,
                       double numero, bool externo, const RangoLetra& rango, const QString& Fecha,
                       QString& Mensaje) {
    DB_Dll& datos = gDatos();
    const double desde = Numero(rs->value(rango.desde));
    const double hasta = Numero(rs->value(rango.hasta));
    if (NumeracionLibre(desde, hasta, rs) || externo) {
        datos.CierraRecordset(rs);
        Mensaje.clear();
        return true;
    }
    const bool valido = NumeroEnRango(rs, TC, letra, numero, desde, hasta, rango, Fecha, Mensaje);
    Mensaje += vb::vbCr + vb::vbCr +
               QStringLiteral("Verifique los datos desde la TABLA DE COMPROBANTES y vuelta a "
                              "Intentarlo");
    datos.CierraRecordset(rs);
    if (valido)
        Mensaje.clear();
    return valido;
}

} // namespace

bool ValidaNumeracionComprobante(const QString& TC, const QString& Sucursal, const QString& Numero_,
                                 const QString& Letra, QString& Mensaje, const QString& Fecha) {
    const double numero = vb::Val(Numero_);
    Mensaje.clear();
    const QString letra = Letra.trimmed();
    if (Letra.isEmpty() || !LetraValida(letra)) {
        Mensaje = QStringLiteral(" La letra Informada no es Valida, la misma debe ser ") +
                  LetrasComprobante;
        return false;
    }
    const QString tipo = sqltext::literal(Tipo4(TC.trimmed()));
    const RangoLetra rango{letra + QStringLiteral("_NRO_DESDE"),
                           letra + QStringLiteral("_NRO_HASTA")};
    ado::RecordsetPtr rs = ado::Recordset::create();
    const TalonarioHallado hallado = BuscaTalonario(rs, tipo, letra, Sucursal, numero, rango);
    if (!hallado.encontrado) {
        Mensaje = QStringLiteral("El rango de numeracion del comprobante ") + TC +
                  QStringLiteral(" Letra ") + Letra + QStringLiteral(" sucursal ") + Sucursal +
                  QStringLiteral("  no se encuentra o supera la numeracion hasta! ");
        return false;
    }
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + tipo +
                                QStringLiteral(" and Talonario = ") + QString::number(gTalonario),
                            rs, nullptr, 0, 1, -1, true);
    if (rs->EOF()) {
        gDatos().CierraRecordset(rs);
        Mensaje = QStringLiteral("Debe configurar la numeracióN de Comprobantes");
        return false;
    }
    return ValidaEnTalonario(rs, TC, letra, numero, hallado.externo, rango, Fecha, Mensaje);
}

namespace {

const QString kSinComprobante = QStringLiteral(
    "Error en grabación del Comprobante, no se ha encontrado el comprobante configurado");

// ConsultaComprobante, and its direct mode's statement handed to the caller
// instead of run (when diferida is given, with numeroSQL as the number
// written; obligatorio: a book of another branch is no book either). False
// when a failure was reported.
bool Registra(const QString& TC, const QString& Sistema, const QString& Sucursal,
              const QString& Numero_, QString& Letra, bool ArmaSentencia, QString& Sentencia,
              bool ForzaControl, bool SoloControl, const QString& numeroSQL, QString* diferida,
              bool obligatorio) {
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs = ado::Recordset::create();
    const QString tipo = sqltext::literal(Tipo4(TC.trimmed()));
    QString talonario;
    // The advance written at once only moves the book forward: of two users
    // saving at once, the one with the lower number never takes it back.
    const QString numero =
        diferida ? u'(' + numeroSQL + u')' : Entero(std::floor(vb::Val(Numero_)));
    bool esTalonario = true;
    bool sinLibro = false;
    bool salteado = false;
    QString letra;
    auto soloSiCrece = [&] {
        const QString col = letra + QStringLiteral("_ULTIMO_NRO");
        return QStringLiteral(" AND (") + col + QStringLiteral(" IS NULL OR ") + col +
               QStringLiteral(" < ") + numero + u')';
    };
    const bool completo = pasos::RunSteps(
        [&](int paso) {
            switch (paso) {
            case 0: {
                QString mensaje;
                ValidaNumeracionComprobante(TC, Sucursal, Numero_, Letra, mensaje, QString());
                return 1;
            }
            case 1: {
                talonario = QString::number(gTalonario);
                datos.AbrirRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") +
                                         tipo + QStringLiteral(" AND TALONARIO =") + talonario,
                                     rs, nullptr, 0, 1, -1, true);
                return 2;
            }
            case 2:
                if (!rs->EOF())
                    return 3;
                esTalonario = false;
                datos.AbrirRecordset(
                    QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = ") + tipo +
                        QStringLiteral(" AND SISTEMA = ") + sqltext::literal(Sistema.trimmed()) +
                        QStringLiteral(" AND TALONARIO = ") + talonario,
                    rs, nullptr, 0, 1, -1, true);
                if (rs->EOF()) {
                    sinLibro = true;
                    vb::MsgBox(kSinComprobante, vb::vbCritical, QStringLiteral("ATENCION"));
                    return 7;
                }
                return 3;
            case 3:
                if (Letra.isEmpty())
                    Letra = QStringLiteral("X");
                letra = Letra.trimmed();
                return 4;
            case 4:
                if (ClsUtilidades::TextoANumero(ClsUtilidades::ValorCampo(
                        rs->Fields(letra + QStringLiteral("_SUC_DEFAULT")))) !=
                    ClsUtilidades::TextoANumero(Sucursal)) {
                    if (obligatorio) {
                        sinLibro = true;
                        vb::MsgBox(kSinComprobante, vb::vbCritical, QStringLiteral("ATENCION"));
                    }
                    return 7;
                }
                return ArmaSentencia ? 6 : 5;
            case 5: {
                QString sentencia = QStringLiteral("UPDATE ") +
                                    (esTalonario ? QStringLiteral("V_TA_CPTE")
                                                 : QStringLiteral("TA_Comprobantes")) +
                                    QStringLiteral(" SET ") + letra +
                                    QStringLiteral("_ULTIMO_NRO = ") + numero +
                                    QStringLiteral(", fechahora_modificacion = ") +
                                    sqltext::literal(vb::Format(vb::Now(), FormatoFechaHora())) +
                                    QStringLiteral(" WHERE CODIGO = ") + tipo +
                                    QStringLiteral(" AND TALONARIO = ") + talonario;
                if (!esTalonario)
                    sentencia +=
                        QStringLiteral(" AND SISTEMA = ") + sqltext::literal(Sistema.trimmed());
                if (diferida)
                    *diferida = sentencia + soloSiCrece();
                else
                    EjecutaOFalla(sentencia + soloSiCrece());
                return 7;
            }
            case 6: {
                if (!(esTalonario && SoloControl)) {
                    const QString tipoFila = esTalonario ? tipo : sqltext::literal(Tipo4(TC));
                    Sentencia = QStringLiteral(" UPDATE V_TA_CPTE SET ") + letra +
                                QStringLiteral("_ULTIMO_NRO = ") + numero +
                                QStringLiteral(" WHERE CODIGO = ") + tipoFila +
                                (esTalonario ? QStringLiteral(" AND TALONARIO=")
                                             : QStringLiteral(" AND TALONARIO =")) +
                                talonario;
                }
                const QString sistema =
                    ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Sistema")));
                if (sistema.compare(u"Contable", Qt::CaseInsensitive) == 0 || ForzaControl ||
                    TC.trimmed().compare(u"OC", Qt::CaseInsensitive) == 0) {
                    const vb::Currency suc = ClsUtilidades::TextoAMoneda(Sucursal);
                    const vb::Currency nro =
                        ClsUtilidades::TextoAMoneda(Numero_) - vb::Currency::fromRaw(10000);
                    Sentencia += vb::vbCrLf +
                                 QStringLiteral(" INSERT INTO V_MV_CTROL_CPTE "
                                                "(TC,SUCURSAL,NUMERO,LETRA) VALUES (") +
                                 tipo + u',' +
                                 sqltext::literal(
                                     vb::Format(vb::fromCurrency(suc), QStringLiteral("0000"))) +
                                 u',' +
                                 sqltext::literal(vb::Format(vb::fromCurrency(nro),
                                                             QStringLiteral("00000000"))) +
                                 u',' + sqltext::literal(Letra) + u')' + vb::vbCrLf;
                }
                return 7;
            }
            case 7:
                datos.CierraRecordset(rs);
                return -1;
            default:
                return -1;
            }
        },
        [&](const ado::Error& e) {
            const int respuesta =
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ConsultaComprobante"));
            // A step passed over leaves the book unknown; only a retry mends it.
            salteado = salteado || respuesta != vb::vbRetry;
            return pasos::ResumeFor(respuesta);
        },
        0, pasos::Trap::AllErrors);
    if (rs->State() != ado::adStateClosed) {
        try {
            rs->Close();
        } catch (const std::exception&) {
        }
    }
    return completo && !sinLibro && !salteado;
}

} // namespace

void ConsultaComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal,
                         const QString& Numero, QString& Letra, bool ArmaSentencia,
                         QString& Sentencia, bool ForzaControl, bool SoloControl) {
    Registra(TC, Sistema, Sucursal, Numero, Letra, ArmaSentencia, Sentencia, ForzaControl,
             SoloControl, QString(), nullptr, false);
}

bool SentenciaAvanceComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal,
                                const QString& Numero, const QString& NumeroSQL, QString& Letra,
                                QString& Sentencia, bool LibroObligatorio) {
    Sentencia.clear();
    QString sinUso;
    return Registra(TC, Sistema, Sucursal, Numero, Letra, false, sinUso, false, false, NumeroSQL,
                    &Sentencia, LibroObligatorio);
}

} // namespace CNStuffContable
