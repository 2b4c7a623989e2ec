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

// What ConsultaComprobante is asked, and its direct mode's statement handed
// to the caller instead of run (when diferida is given, with numeroSQL as
// the number written; obligatorio: a book of another branch is no book
// either).
struct PedidoRegistro {
    const QString& TC;
    const QString& Sistema;
    const QString& Sucursal;
    const QString& Numero;
    QString& Letra;
    bool ArmaSentencia;
    QString& Sentencia;
    bool ForzaControl;
    bool SoloControl;
    const QString& numeroSQL;
    QString* diferida;
    bool obligatorio;
};

// Closes the rows a step left open, without telling anything.
void CierraCallado(const ado::RecordsetPtr& rs) {
    if (rs->State() != ado::adStateClosed) {
        try {
            rs->Close();
        } catch (const std::exception&) {
        }
    }
}

// ConsultaComprobante's steps, numbered as its error box repeats them or
// goes on with the next one.
class RegistroComprobante {
public:
    explicit RegistroComprobante(const PedidoRegistro& p)
        : p_(p), datos_(gDatos()), rs_(ado::Recordset::create()),
          tipo_(sqltext::literal(Tipo4(p.TC.trimmed()))),
          // The advance written at once only moves the book forward: of two
          // users saving at once, the one with the lower number never takes
          // it back.
          numero_(p.diferida ? u'(' + p.numeroSQL + u')' : Entero(std::floor(vb::Val(p.Numero)))) {}

    // False when a failure was reported.
    bool Registra() {
        const bool completo = pasos::RunSteps([this](int paso) { return Paso(paso); },
                                              [this](const ado::Error& e) { return Falla(e); }, 0,
                                              pasos::Trap::AllErrors);
        CierraCallado(rs_);
        return completo && !sinLibro_ && !salteado_;
    }

private:
    int Paso(int paso) {
        switch (paso) {
        case 0:
            ValidaNumeracion();
            return 1;
        case 1:
            AbreTalonario();
            return 2;
        case 2:
            return BuscaEnComprobantes();
        case 3:
            TomaLetra();
            return 4;
        case 4:
            return ControlaSucursal();
        case 5:
            AvanzaLibro();
            return 7;
        case 6:
            ArmaSentencias();
            return 7;
        case 7:
            datos_.CierraRecordset(rs_);
            return -1;
        default:
            return -1;
        }
    }

    // Makes the book of the voucher's range the one in use.
    void ValidaNumeracion() {
        QString mensaje;
        ValidaNumeracionComprobante(p_.TC, p_.Sucursal, p_.Numero, p_.Letra, mensaje, QString());
    }

    void AbreTalonario() {
        talonario_ = QString::number(gTalonario);
        datos_.AbrirRecordset(QStringLiteral("SELECT * FROM V_TA_CPTE WHERE CODIGO = ") + tipo_ +
                                  QStringLiteral(" AND TALONARIO =") + talonario_,
                              rs_, nullptr, 0, 1, -1, true);
    }

    // Without a book of its own, the voucher's row of the system stands for it.
    int BuscaEnComprobantes() {
        if (!rs_->EOF())
            return 3;
        esTalonario_ = false;
        datos_.AbrirRecordset(QStringLiteral("SELECT * FROM TA_Comprobantes WHERE CODIGO = ") +
                                  tipo_ + QStringLiteral(" AND SISTEMA = ") +
                                  sqltext::literal(p_.Sistema.trimmed()) +
                                  QStringLiteral(" AND TALONARIO = ") + talonario_,
                              rs_, nullptr, 0, 1, -1, true);
        if (rs_->EOF()) {
            sinLibro_ = true;
            vb::MsgBox(kSinComprobante, vb::vbCritical, QStringLiteral("ATENCION"));
            return 7;
        }
        return 3;
    }

    void TomaLetra() {
        if (p_.Letra.isEmpty())
            p_.Letra = QStringLiteral("X");
        letra_ = p_.Letra.trimmed();
    }

    // The book serves the voucher's branch only.
    int ControlaSucursal() {
        if (ClsUtilidades::TextoANumero(
                ClsUtilidades::ValorCampo(rs_->Fields(letra_ + QStringLiteral("_SUC_DEFAULT")))) !=
            ClsUtilidades::TextoANumero(p_.Sucursal)) {
            if (p_.obligatorio) {
                sinLibro_ = true;
                vb::MsgBox(kSinComprobante, vb::vbCritical, QStringLiteral("ATENCION"));
            }
            return 7;
        }
        return p_.ArmaSentencia ? 6 : 5;
    }

    // The direct mode: the book's last number written at once, or handed over.
    void AvanzaLibro() {
        QString sentencia =
            QStringLiteral("UPDATE ") +
            (esTalonario_ ? QStringLiteral("V_TA_CPTE") : QStringLiteral("TA_Comprobantes")) +
            QStringLiteral(" SET ") + letra_ + QStringLiteral("_ULTIMO_NRO = ") + numero_ +
            QStringLiteral(", fechahora_modificacion = ") +
            sqltext::literal(vb::Format(vb::Now(), FormatoFechaHora())) +
            QStringLiteral(" WHERE CODIGO = ") + tipo_ + QStringLiteral(" AND TALONARIO = ") +
            talonario_;
        if (!esTalonario_)
            sentencia += QStringLiteral(" AND SISTEMA = ") + sqltext::literal(p_.Sistema.trimmed());
        if (p_.diferida)
            *p_.diferida = sentencia + SoloSiCrece();
        else
            EjecutaOFalla(sentencia + SoloSiCrece());
    }

    QString SoloSiCrece() const {
        const QString col = letra_ + QStringLiteral("_ULTIMO_NRO");
        return QStringLiteral(" AND (") + col + QStringLiteral(" IS NULL OR ") + col +
               QStringLiteral(" < ") + numero_ + u')';
    }

    // The statements left for the caller's transaction: the book's advance
    // and, where the voucher is controlled, its control row.
    void ArmaSentencias() {
        if (!(esTalonario_ && p_.SoloControl)) {
            const QString tipoFila = esTalonario_ ? tipo_ : sqltext::literal(Tipo4(p_.TC));
            p_.Sentencia = QStringLiteral(" UPDATE V_TA_CPTE SET ") + letra_ +
                           QStringLiteral("_ULTIMO_NRO = ") + numero_ +
                           QStringLiteral(" WHERE CODIGO = ") + tipoFila +
                           (esTalonario_ ? QStringLiteral(" AND TALONARIO=")
                                         : QStringLiteral(" AND TALONARIO =")) +
                           talonario_;
        }
        const QString sistema = ClsUtilidades::ValorCampo(rs_->Fields(QStringLiteral("Sistema")));
        if (sistema.compare(u"Contable", Qt::CaseInsensitive) == 0 || p_.ForzaControl ||
            p_.TC.trimmed().compare(u"OC", Qt::CaseInsensitive) == 0)
            p_.Sentencia += ControlComprobante();
    }

    // The V_MV_CTROL_CPTE row of the voucher.
    QString ControlComprobante() const {
        const vb::Currency suc = ClsUtilidades::TextoAMoneda(p_.Sucursal);
        const vb::Currency nro =
            ClsUtilidades::TextoAMoneda(p_.Numero) - vb::Currency::fromRaw(10000);
        return vb::vbCrLf +
               QStringLiteral(" INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES (") +
               tipo_ + u',' +
               sqltext::literal(vb::Format(vb::fromCurrency(suc), QStringLiteral("0000"))) + u',' +
               sqltext::literal(vb::Format(vb::fromCurrency(nro), QStringLiteral("00000000"))) +
               u',' + sqltext::literal(p_.Letra) + u')' + vb::vbCrLf;
    }

    pasos::Resume Falla(const ado::Error& e) {
        const int respuesta =
            ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ConsultaComprobante"));
        // A step passed over leaves the book unknown; only a retry mends it.
        salteado_ = salteado_ || respuesta != vb::vbRetry;
        return pasos::ResumeFor(respuesta);
    }

    const PedidoRegistro& p_;
    DB_Dll& datos_;
    ado::RecordsetPtr rs_;
    const QString tipo_;
    const QString numero_;
    QString talonario_;
    QString letra_;
    bool esTalonario_ = true;
    bool sinLibro_ = false;
    bool salteado_ = false;
};

bool Registra(const PedidoRegistro& pedido) {
    return RegistroComprobante(pedido).Registra();
}

} // namespace

void ConsultaComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal,
                         const QString& Numero, QString& Letra, bool ArmaSentencia,
                         QString& Sentencia, bool ForzaControl, bool SoloControl) {
    Registra({TC, Sistema, Sucursal, Numero, Letra, ArmaSentencia, Sentencia, ForzaControl,
              SoloControl, QString(), nullptr, false});
}

bool SentenciaAvanceComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal,
                                const QString& Numero, const QString& NumeroSQL, QString& Letra,
                                QString& Sentencia, bool LibroObligatorio) {
    Sentencia.clear();
    QString sinUso;
    return Registra({TC, Sistema, Sucursal, Numero, Letra, false, sinUso, false, false, NumeroSQL,
                     &Sentencia, LibroObligatorio});
}

} // namespace CNStuffContable
