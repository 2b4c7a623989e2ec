#include "adjustment/core/grabacion.h"

#include "adjustment/core/lectura.h"
#include "data/instances.h"
#include "data/pasos.h"
#include "entries/lbc_asiento.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <cmath>
#include <map>

using namespace CNStuffContable;

namespace {

constexpr long kErrConversion = 3421;

// A value that cannot become what its column holds.
struct FallaConversion : std::runtime_error {
    FallaConversion(QString tag, QString columna)
        : std::runtime_error("conversion"), Tag(std::move(tag)), Columna(std::move(columna)) {}
    QString Tag;
    QString Columna;
};

// A column whose SQL text is already built (a date literal, the numbering
// subquery): it goes into the field list as it is.
void AgregaLiteral(const QString& campo, const QString& literal, bool inicializa) {
    if (inicializa)
        gCamposSQL.clear();
    gCamposSQL.push_back(CampoSQL{campo, literal});
}

// The date literal of the engine at hand, with its time of day.
QString FechaHoraParaSQL(const QDateTime& d) {
    switch (ClsUtilidades::motorSQL()) {
    case MotorSQL::SqlServer:
        return sqltext::literal(d.toString(QStringLiteral("yyyyMMdd HH:mm:ss")));
    case MotorSQL::Oracle:
        return QStringLiteral("TO_DATE('") + d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
               QStringLiteral("','YYYY-MM-DD HH24:MI:SS')");
    case MotorSQL::SQLite:
    default:
        return sqltext::literal(d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
}

// The rows a save numbers from, read inside its transaction. SQLite's
// transaction holds the write lock from its BEGIN; SQL Server's takes locks
// as it reads, so there the read takes the range's update lock and keeps it
// to the end: a second save waits at its read until the first one is over.
QString LecturaNumerada() {
    return ClsUtilidades::motorSQL() == MotorSQL::SqlServer
               ? QStringLiteral(" FROM MV_ASIENTOS WITH (UPDLOCK, HOLDLOCK) WHERE ")
               : QStringLiteral(" FROM MV_ASIENTOS WHERE ");
}

// The entry number is taken inside the save's transaction, which holds the
// write lock from its BEGIN: the first line takes the next number of the
// month's general series, the others the number the first one stored. Two
// users saving at once can then never store the same number.
QString NumeroEnTransaccion(int mes, const QString& ejercicio, bool primera) {
    const QString serie = LecturaNumerada() + QStringLiteral("MES_OPERATIVO = ") +
                          QString::number(mes) + QStringLiteral(" AND PERIODO = ") + ejercicio +
                          QStringLiteral(" AND (TIPO_REG = '") + Lbc_Asiento::TipoRegResumen() +
                          QStringLiteral("' OR TIPO_REG = ''))");
    return primera ? QStringLiteral("(SELECT COALESCE(MAX([NUMERO ASIENTO]),0)+1") + serie
                   : QStringLiteral("(SELECT MAX([NUMERO ASIENTO])") + serie;
}

// The voucher number is taken inside the save's transaction too. The number
// the header shows stays unless another save stored it meanwhile: then the
// entry takes the one after the highest number stored in the book (type,
// branch, letter). The other lines copy the first line's, and the book's
// advance reads it back, all in the same transaction.
class NumeroDeComprobante {
public:
    NumeroDeComprobante(const QString& tc, const QString& sucursal, const QString& letra,
                        const QString& numero, int mes, const QString& ejercicio,
                        size_t primeraLinea)
        : libro_(LecturaNumerada() + QStringLiteral("TC = ") + Texto(tc) +
                 QStringLiteral(" AND SUCURSAL = ") + Texto(sucursal) +
                 QStringLiteral(" AND LETRA = ") + Texto(letra)),
          numero_(Texto(numero)),
          primera_(QStringLiteral(" FROM MV_ASIENTOS WHERE PERIODO = ") + ejercicio +
                   QStringLiteral(" AND MES_OPERATIVO = ") + QString::number(mes) +
                   QStringLiteral(" AND [NUMERO ASIENTO] = ") +
                   NumeroEnTransaccion(mes, ejercicio, false) +
                   QStringLiteral(" AND SECUENCIA = ") + QString::number(primeraLinea) +
                   QStringLiteral(" AND ESAJUSTE = 1 AND TIPO_REG = ''")) {}

    // The NUMERO column of a line.
    QString Linea(bool primera) const {
        if (!primera)
            return QStringLiteral("(SELECT NUMERO") + primera_ + u')';
        return QStringLiteral("(CASE WHEN EXISTS (SELECT NUMERO") + libro_ +
               QStringLiteral(" AND NUMERO = ") + numero_ +
               QStringLiteral(") THEN FORMAT((SELECT MAX(CAST(NUMERO AS INT)) + 1") + libro_ +
               QStringLiteral("), '00000000') ELSE ") + numero_ + QStringLiteral(" END)");
    }
    // The number the book is to show: the one after the stored one.
    QString Siguiente() const {
        return QStringLiteral("SELECT CAST(NUMERO AS INT) + 1") + primera_;
    }
    // What the first line stored, read inside the transaction.
    QString Lectura() const { return QStringLiteral("SELECT NUMERO") + primera_; }

private:
    static QString Texto(const QString& v) {
        return vb::CStr(gDatos().SQLValue(v, QStringLiteral("'")));
    }
    QString libro_;
    QString numero_;
    QString primera_;
};

// Months counted from year 0, so that consecutive months differ by one.
int MesCorrido(const QDate& d) {
    return d.year() * 12 + d.month();
}

// The furthest month the year's stored adjustments reach (0 when none) and
// the date of the adjustment that reaches it, read with the save's locks.
int UltimoMesAjustado(const QString& ejercicio, QString& fecha) {
    QString lectura = QStringLiteral("SELECT DISTINCT FECHA, AJUSTE_HASTA") + LecturaNumerada() +
                      QStringLiteral("PERIODO = ") + ejercicio +
                      QStringLiteral(" AND ESAJUSTE = 1");
    long filas = 0;
    ado::RecordsetPtr rs;
    gDatos().EjecutaConsultaSQL(lectura, filas, rs);
    int ultimo = 0;
    for (; rs && rs->State() == ado::adStateOpen && !rs->EOF(); rs->MoveNext()) {
        const std::optional<QDateTime> hasta = vb::ParseDate(
            Recorta(ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("AJUSTE_HASTA")))));
        if (hasta && MesCorrido(hasta->date()) > ultimo) {
            ultimo = MesCorrido(hasta->date());
            fecha = vb::Format(rs->value(QStringLiteral("FECHA")), QStringLiteral("dd/mm/yyyy"));
        }
    }
    return ultimo;
}

bool Marcado(const QVariant& v) {
    return !vb::IsNull(v) && vb::CBool(v);
}

// Why the entry can no longer be stored as it was generated, read with the
// save's locks: its fiscal year gone or closed, or a line's account gone,
// made a title or dropped since. Empty when it can be stored.
QString MotivoRechazo(const QString& ejercicio, const QStringList& cuentas) {
    int anio = 0;
    if (QString motivo = LecturaAjuste::MotivoEjercicio(ejercicio, anio); !motivo.isEmpty())
        return motivo;
    QStringList literales;
    for (const QString& c : cuentas)
        literales << sqltext::literal(c);
    QString lectura = QStringLiteral("SELECT CODIGO, TITULO, DADA_DE_BAJA FROM MA_CUENTAS WHERE "
                                     "CODIGO IN (") +
                      literales.join(u',') + u')';
    long filas = 0;
    ado::RecordsetPtr rs;
    gDatos().EjecutaConsultaSQL(lectura, filas, rs);
    std::map<QString, bool> imputable;
    for (; rs && rs->State() == ado::adStateOpen && !rs->EOF(); rs->MoveNext())
        imputable[Recorta(ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("CODIGO"))))
                      .toUpper()] = !Marcado(rs->value(QStringLiteral("TITULO"))) &&
                                    !Marcado(rs->value(QStringLiteral("DADA_DE_BAJA")));
    for (const QString& c : cuentas) {
        const auto i = imputable.find(c.toUpper());
        if (i == imputable.end())
            return QStringLiteral("Cuenta ") + c + QStringLiteral(": Código inexistente");
        if (!i->second)
            return QStringLiteral("Cuenta ") + c + QStringLiteral(": La Cuenta debe ser imputable");
    }
    return QString();
}

// The header's values as the entry's statements write them, read once.
struct ValoresAsiento {
    QString FinAjuste;
    QString literalFecha;
    QString tcTexto;
    QString tc;
    QString sucursal;
    QString numero;
    QString letra;
    vb::Currency cabImporte;
    QString detalle;
    int mes = 0;
    QString ejercicio;
    QString grabacion;
    std::optional<QDateTime> desde;
};

ValoresAsiento LeeCabecera(const CabeceraAjuste& Cabecera) {
    ValoresAsiento v;
    const QString hasta = Recorta(Cabecera.PERIODO_HASTA);
    v.FinAjuste =
        QString::number(GeneracionAjuste::UltimoDiaMes(hasta.left(2), hasta.mid(3))) + u'/' + hasta;
    const std::optional<QDateTime> fecha = vb::ParseDate(Recorta(Cabecera.FECHA));
    if (!fecha)
        throw FallaConversion(Cabecera.TagFecha, Cabecera.CampoFecha);
    v.literalFecha = ClsUtilidades::FechaParaSQL(fecha->toString(QStringLiteral("dd/MM/yyyy")));
    // The voucher as the header check accepted it, trimmed. A blank letter
    // is the book's X: the voucher stored is the one whose book advances.
    v.tcTexto = Recorta(Cabecera.TC);
    v.tc = ClsUtilidades::ValorCampo(QVariant(v.tcTexto));
    v.sucursal = Recorta(Cabecera.SUCURSAL);
    v.numero = Recorta(Cabecera.NUMERO);
    v.letra = Recorta(Cabecera.LETRA);
    if (v.letra.isEmpty())
        v.letra = QStringLiteral("X");
    v.cabImporte = ClsUtilidades::TextoAMoneda(Cabecera.CABIMPORTE);
    v.detalle = Recorta(Cabecera.DETALLE);
    v.mes = fecha->date().month();
    v.ejercicio = QString::number(vb::Val(Cabecera.Ejercicio), 'f', 0);
    v.grabacion = FechaHoraParaSQL(FechaServidor());
    v.desde = vb::ParseDate(QStringLiteral("01/") + Recorta(Cabecera.PERIODO_DESDE));
    return v;
}

// The first line that takes part; 0 when none does (line 0 is never one).
size_t PrimeraLinea(const LineasAjuste& Lineas) {
    size_t primeraLinea = 0;
    for (size_t i = 1; i < Lineas.size() && !primeraLinea; ++i)
        if (LineaParticipa(Lineas[i]))
            primeraLinea = i;
    return primeraLinea;
}

// An entry without lines is no entry: nothing is stored and the voucher
// book keeps its number.
void AvisaSinLineas() {
    ClsUtilidades::CursorEspera(false);
    vb::MsgBox(QStringLiteral("El asiento no tiene líneas para grabar"), vb::vbExclamation,
               QStringLiteral("Aviso al Operador"));
}

// Whether the voucher is one of our own, not an incoming one; nothing when
// the rules' read of its type was abandoned.
std::optional<bool> ComprobantePropio(Lbc_AsientoRef& Reglas, const QString& tc) {
    const int abandonadas = gDatos().LecturasAbandonadas();
    const bool propio = !Reglas->ComprobanteEntrada(tc);
    if (gDatos().LecturasAbandonadas() != abandonadas)
        return std::nullopt;
    return propio;
}

// How the entry's voucher is numbered. An incoming voucher keeps its
// issuer's number; our own numbers are taken in the transaction, and stored
// only with their book's advance.
struct NumeracionAsiento {
    bool propio;
    bool numeraLibro;
    double tecleado;
    QString siguiente;
    NumeroDeComprobante comprobante;
};

NumeracionAsiento Numeracion(const ValoresAsiento& v, bool propio, size_t primeraLinea) {
    const bool numeraLibro = propio && ClsUtilidades::EsNumero(v.numero);
    const double tecleado = std::floor(ClsUtilidades::TextoANumero(v.numero));
    const QString siguiente = QString::number(tecleado + 1, 'f', 0);
    return {propio, numeraLibro, tecleado, siguiente,
            NumeroDeComprobante(v.tc, v.sucursal, v.letra,
                                QString::number(qlonglong(tecleado)).rightJustified(8, u'0'), v.mes,
                                v.ejercicio, primeraLinea)};
}

// The book's advance is known before anything is stored and goes into the
// same transaction: an entry is never stored without it. False when the
// book's advance cannot be had (the user was told).
bool SentenciaAvance(ValoresAsiento& v, const NumeracionAsiento& n, QString& avance) {
    return SentenciaAvanceComprobante(v.tc, QStringLiteral("CONTABLE"), v.sucursal, n.siguiente,
                                      n.numeraLibro ? n.comprobante.Siguiente() : n.siguiente,
                                      v.letra, avance, n.propio);
}

// What varies from line to line, as the statement builder writes it.
struct LineaAsiento {
    QString Cuenta;
    size_t Secuencia;
    vb::Currency Importe;
    bool Debe;
    std::optional<QDateTime> Vence;
};

// A line's due date, when it has one that is a date.
std::optional<QDateTime> Vencimiento(const TipoLineaAjuste& l) {
    std::optional<QDateTime> vence;
    const QString venceTexto = Recorta(l.Vencimiento);
    if (!venceTexto.isEmpty() && !ClsUtilidades::EsNumero(venceTexto)) {
        const std::optional<QDateTime> v = vb::ParseDate(venceTexto);
        if (!v)
            throw FallaConversion(QStringLiteral("MV_ASIENTOS"), QStringLiteral("VENCIMIENTO"));
        vence = QDateTime(v->date(), QTime(0, 0), Qt::UTC);
    }
    return vence;
}

// The lines that take part, from the first one on.
std::vector<LineaAsiento> LineasAGrabar(const LineasAjuste& Lineas, size_t primeraLinea) {
    std::vector<LineaAsiento> lineas;
    for (size_t i = primeraLinea; i < Lineas.size(); ++i) {
        const TipoLineaAjuste& l = Lineas[i];
        if (!LineaParticipa(l))
            continue;
        const vb::Currency debe = l.Debe.value_or(vb::Currency());
        const vb::Currency haber = l.Haber.value_or(vb::Currency());
        const bool esDebe = debe != vb::Currency();
        const std::optional<QDateTime> vence = Vencimiento(l);
        lineas.push_back({Recorta(l.Cuenta), i,
                          ClsUtilidades::TextoAMoneda((esDebe ? debe : haber).toString()), esDebe,
                          vence});
    }
    return lineas;
}

void AgregaTexto(const QString& campo, const QString& valor) {
    AgregaCampo(campo, valor, QStringLiteral("'"), false);
}

void AgregaNumero(const QString& campo, const QString& valor) {
    AgregaCampo(campo, valor, QStringLiteral("@"), false);
}

// The INSERT of a line. Without the line, its own values are the markers of
// a prepared statement, bound line by line in the order account, sequence,
// amount, side and, when the line has one, due date.
QString SentenciaLinea(const ValoresAsiento& v, const NumeracionAsiento& n, const LineaAsiento* l,
                       bool primera, bool conVence) {
    const auto valor = [&](const QString& campo, const QString& texto, const QString& delimitador) {
        if (l)
            AgregaCampo(campo, texto, delimitador, false);
        else
            AgregaLiteral(campo, QStringLiteral("?"), false);
    };
    AgregaLiteral(QStringLiteral("Fecha"), v.literalFecha, true);
    AgregaTexto(QStringLiteral("TC"), v.tc);
    AgregaTexto(QStringLiteral("Sucursal"), v.sucursal);
    if (n.numeraLibro)
        AgregaLiteral(QStringLiteral("Numero"), n.comprobante.Linea(primera), false);
    else
        AgregaTexto(QStringLiteral("Numero"), v.numero);
    AgregaTexto(QStringLiteral("Letra"), v.letra);
    AgregaNumero(QStringLiteral("Cabimporte"), v.cabImporte.toString());
    valor(QStringLiteral("Cuenta"), l ? l->Cuenta : QString(), QStringLiteral("'"));
    valor(QStringLiteral("Secuencia"), l ? QString::number(l->Secuencia) : QString(),
          QStringLiteral("@"));
    AgregaTexto(QStringLiteral("Ajuste_Hasta"), v.FinAjuste);
    AgregaLiteral(QStringLiteral("[numero asiento]"),
                  NumeroEnTransaccion(v.mes, v.ejercicio, primera), false);
    AgregaNumero(QStringLiteral("Mes_Operativo"), QString::number(v.mes));
    valor(QStringLiteral("IMPORTE"), l ? l->Importe.toString() : QString(), QStringLiteral("@"));
    valor(QStringLiteral("[DEBE-HABER]"), l && l->Debe ? QStringLiteral("D") : QStringLiteral("H"),
          QStringLiteral("'"));
    AgregaTexto(QStringLiteral("MONEDA"), QStringLiteral("   1"));
    if (conVence)
        AgregaLiteral(
            QStringLiteral("Vencimiento"),
            l ? ClsUtilidades::FechaParaSQL(l->Vence->toString(QStringLiteral("dd/MM/yyyy")))
              : QStringLiteral("?"),
            false);
    AgregaTexto(QStringLiteral("Tipo_Reg"), QString());
    AgregaTexto(QStringLiteral("Detalle"), v.detalle);
    AgregaNumero(QStringLiteral("Esresumen"), QStringLiteral("0"));
    AgregaNumero(QStringLiteral("EsAjuste"), QStringLiteral("1"));
    AgregaNumero(QStringLiteral("Periodo"), v.ejercicio);
    AgregaLiteral(QStringLiteral("fechahora_grabacion"), v.grabacion, false);
    AgregaTexto(QStringLiteral("UNegocio"), ClsUtilidades::RellenaCeros(QStringLiteral("1"), 4));
    QStringList sentencia;
    QString sinWhere;
    ArmaSentenciaSQL(gCamposSQL, sentencia, QStringLiteral("MV_ASIENTOS"), false, sinWhere);
    return sentencia.first();
}

// The lines after the first copy its numbers. They are one statement with
// their own values, parsed once and run line after line in the same
// transaction; lines with and without a due date are two statements.
std::vector<SentenciaRepetida> OtrasLineas(const ValoresAsiento& v, const NumeracionAsiento& n,
                                           const std::vector<LineaAsiento>& lineas) {
    std::vector<SentenciaRepetida> otras;
    for (size_t k = 1; k < lineas.size(); ++k) {
        const LineaAsiento& l = lineas[k];
        const bool conVence = l.Vence.has_value();
        QVariantList valores = {l.Cuenta, qlonglong(l.Secuencia), vb::fromCurrency(l.Importe),
                                l.Debe ? QStringLiteral("D") : QStringLiteral("H")};
        if (conVence)
            valores << *l.Vence;
        if (otras.empty() || lineas[k - 1].Vence.has_value() != conVence)
            otras.push_back({SentenciaLinea(v, n, nullptr, false, conVence), {}});
        otras.back().Filas.push_back(valores);
    }
    return otras;
}

// What the save reads inside its transaction, with its locks, and tells the
// user once the transaction is over.
class LecturasEnTransaccion {
public:
    LecturasEnTransaccion(const ValoresAsiento& v, const NumeroDeComprobante& comprobante,
                          const std::vector<LineaAsiento>& lineas)
        : v_(v), comprobante_(comprobante) {
        for (const LineaAsiento& l : lineas)
            if (!cuentas_.contains(l.Cuenta, Qt::CaseInsensitive))
                cuentas_ << l.Cuenta;
    }

    // The voucher number the first line stored. A failed read leaves its
    // error on the connection and undoes the save.
    void LeeGrabado() {
        QString lectura = comprobante_.Lectura();
        long filas = 0;
        ado::RecordsetPtr rs;
        gDatos().EjecutaConsultaSQL(lectura, filas, rs);
        if (rs)
            grabado_ = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("NUMERO")));
    }

    // Another user may have stored the same months since this entry was
    // prepared: read again, under the save's lock, how far the year is
    // adjusted. False when the entry is not to be stored.
    bool RevisaAjustes() {
        // What was generated may have changed under it since.
        rechazo_ = MotivoRechazo(v_.ejercicio, cuentas_);
        if (!rechazo_.isEmpty())
            return false;
        cubierto_ = v_.desde &&
                    MesCorrido(v_.desde->date()) <= UltimoMesAjustado(v_.ejercicio, fechaUltimo_);
        return !cubierto_;
    }

    // Why the reads refused the entry.
    void AvisaRechazo() const {
        if (!rechazo_.isEmpty())
            vb::MsgBox(rechazo_, vb::vbExclamation, QStringLiteral("Aviso al Operador"));
        if (cubierto_)
            vb::MsgBox(GrabacionAjuste::AvisoUltimoAjuste(fechaUltimo_), vb::vbCritical,
                       QStringLiteral("Atencion"));
    }

    const QString& Grabado() const { return grabado_; }

private:
    const ValoresAsiento& v_;
    const NumeroDeComprobante& comprobante_;
    QStringList cuentas_;
    QString grabado_;
    QString fechaUltimo_;
    bool cubierto_ = false;
    QString rechazo_;
};

// The entry's statements run as one transaction with the reads it needs:
// the first line takes the entry's numbers and goes before the book's
// advance (which reads the first line only), the other lines after them.
// True when the save did not take effect.
bool GrabaEnTransaccion(const ValoresAsiento& v, const NumeracionAsiento& n,
                        const std::vector<LineaAsiento>& lineas, const QString& avance,
                        LecturasEnTransaccion& lecturas) {
    const QStringList Sentencias = {
        SentenciaLinea(v, n, &lineas.front(), true, lineas.front().Vence.has_value()), avance};
    const std::vector<SentenciaRepetida> otras = OtrasLineas(v, n, lineas);
    bool HayError = false;
    std::int32_t nativo = 0;
    EjecutaTransaccion(Sentencias, HayError, nativo, false,
                       n.numeraLibro ? std::function<void()>([&lecturas] { lecturas.LeeGrabado(); })
                                     : nullptr,
                       otras, [&lecturas] { return lecturas.RevisaAjustes(); });
    return HayError;
}

// The voucher number stored, when another save took the typed one.
void AvisaNumeroGrabado(const ValoresAsiento& v, const QString& grabado) {
    vb::MsgBox(QStringLiteral("El comprobante se grabó con el número ") +
                   LBM_Common1::FormateaNroComprobante(v.sucursal, grabado, v.letra),
               vb::vbInformation, QStringLiteral("Aviso al Operador"));
}

// Nothing more is sent once the save failed.
void AbandonaGrabacion() {
    gCamposSQL.clear();
    ClsUtilidades::CursorEspera(false);
}

void AvisaFalla(const ado::Error& e) {
    if (e.Number == kErrConversion || e.Number == vb::errTypeMismatch) {
        pasos::AvisaConversion(QStringLiteral("/"));
    } else if (e.Number == 3316) {
        vb::MsgBox(e.Description);
    } else {
        vb::MsgBox(e.Description + QStringLiteral(" Grabación abortada! "));
    }
}

} // namespace

bool GrabacionAjuste::Graba(const CabeceraAjuste& Cabecera, const LineasAjuste& Lineas,
                            Lbc_AsientoRef& Reglas) {
    bool HayError = false;
    gCamposSQL.clear();
    ClsUtilidades::CursorEspera(true);
    try {
        ValoresAsiento valores = LeeCabecera(Cabecera);
        const size_t primeraLinea = PrimeraLinea(Lineas);
        if (!primeraLinea) {
            AvisaSinLineas();
            return false;
        }
        const std::optional<bool> propio = ComprobantePropio(Reglas, valores.tcTexto);
        if (!propio) {
            ClsUtilidades::CursorEspera(false);
            return false;
        }
        const NumeracionAsiento numeracion = Numeracion(valores, *propio, primeraLinea);
        QString avance;
        if (!SentenciaAvance(valores, numeracion, avance)) {
            ClsUtilidades::CursorEspera(false);
            return false;
        }
        const std::vector<LineaAsiento> lineas = LineasAGrabar(Lineas, primeraLinea);
        LecturasEnTransaccion lecturas(valores, numeracion.comprobante, lineas);
        HayError = GrabaEnTransaccion(valores, numeracion, lineas, avance, lecturas);
        ClsUtilidades::CursorEspera(false);
        lecturas.AvisaRechazo();
        if (!HayError && numeracion.numeraLibro &&
            vb::Val(lecturas.Grabado()) != numeracion.tecleado)
            AvisaNumeroGrabado(valores, lecturas.Grabado());
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const FallaConversion& f) {
        // Nothing has been sent: a line without one of its columns is never stored.
        HayError = true;
        AbandonaGrabacion();
        pasos::AvisaConversion(f.Tag + u'/' + f.Columna);
    } catch (const std::exception&) {
        HayError = true;
        AbandonaGrabacion();
        AvisaFalla(pasos::CurrentError());
    }
    return !HayError;
}

QString GrabacionAjuste::AvisoUltimoAjuste(const QString& Fecha) {
    return QStringLiteral("Ultimo ajuste realizado con fecha ") + Fecha + vb::vbCrLf +
           QStringLiteral("-Debe seleccionar un ejercicio posterior ") + vb::vbCrLf +
           QStringLiteral("Vuelva a intentarlo cambiando el ejercicio");
}

const QString& GrabacionAjuste::SentenciaPlanilla() {
    // The general series' adjustment lines, with the entry number and the
    // voucher composed as the window shows them.
    static const QString sentencia = QStringLiteral(
        "SELECT CUENTA, FORMAT(MES_OPERATIVO, '00') + '-' + FORMAT([NUMERO ASIENTO], '00000000') "
        "AS [Nº Asiento], FECHA, TC, RIGHT('0000' + LTRIM(RTRIM(SUCURSAL)), 4) + '-' + "
        "RIGHT('00000000' + LTRIM(RTRIM(NUMERO)), 8) + '-' + [LETRA] AS [Nº de Comprobante], "
        "[DEBE-HABER], IMPORTE, SECUENCIA AS [LINEA], PERIODO AS [EJERCICIO], DETALLE AS "
        "[CONCEPTO] FROM MV_ASIENTOS WHERE LTRIM(RTRIM(TIPO_REG)) = '' AND ESAJUSTE <> 0 ORDER BY "
        "[NUMERO ASIENTO], SECUENCIA");
    return sentencia;
}

void GrabacionAjuste::ObtienePeriodo(const QString& Fecha, std::int16_t& Periodo) {
    Periodo = 0;
    // The date goes in as a literal the engine compares by calendar day.
    const QString fecha = ClsUtilidades::FechaParaSQL(Recorta(Fecha));
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs;
    datos.AbrirRecordset(QStringLiteral("Select * from MV_EJERCICIOS  with(nolock) where [Fecha "
                                        "Desde] <= ") +
                             fecha + QStringLiteral(" and [Fecha Hasta] >= ") + fecha,
                         rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (rs && rs->State() == ado::adStateOpen && !rs->EOF())
        Periodo =
            std::int16_t(vb::Val(ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Periodo")))));
    if (rs)
        datos.CierraRecordset(rs);
}
