#include "accounts/core/cuenta.h"

#include "accounts/core/codigos.h"
#include "accounts/core/interno.h"
#include "accounts/core/mensajes.h"
#include "accounts/core/niveles.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "platform/ado/engine.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <tuple>

namespace cuentas {

namespace {

// Stored code of each list position; positions 10 and 11 share theirs with
// 9 and 3 and are told apart by configuration keys.
const std::array<const char*, 12> kCodigosMedio = {"",   "EF", "CH", "TJ", "DB", "DC",
                                                   "RI", "RB", "RG", "RO", "RO", "TJ"};

QString ClaveRetencionOtra(const QString& Codigo) {
    return QStringLiteral("CTA_RET_OTRA_") + CodigoSinGuiones(Codigo);
}

const QString kClaveSolicitudCredito = QStringLiteral("CtaSolicitudCredito");

QString Bandera(bool valor) {
    return valor ? QStringLiteral("1") : QStringLiteral("0");
}

[[noreturn]] void NoConvierte(const QString& columna) {
    vb::Error e = ado::adoError(ado::adErrDataConversion);
    e.Source = columna;
    throw ado::Exception(e);
}

bool EsEntero(int tipo) {
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case 18: // unsigned small int
    case 19: // unsigned int
    case ado::adBigInt:
    case 21: // unsigned big int
        return true;
    default:
        return false;
    }
}

// Bounds of an integer column, by its ADO type.
struct Rango {
    qint64 Minimo;
    quint64 Maximo;
};
Rango RangoEntero(int tipo) {
    switch (tipo) {
    case ado::adTinyInt:
        return {-128, 127};
    case ado::adUnsignedTinyInt:
        return {0, 255};
    case ado::adSmallInt:
        return {-32768, 32767};
    case 18: // unsigned small int
        return {0, 65535};
    case ado::adInteger:
        return {-2147483648LL, 2147483647ULL};
    case 19: // unsigned int
        return {0, 4294967295ULL};
    case 21: // unsigned big int
        return {0, std::numeric_limits<quint64>::max()};
    default:
        return {std::numeric_limits<qint64>::min(), quint64(std::numeric_limits<qint64>::max())};
    }
}

// Whether a signed magnitude of decimal digits lies within the bounds.
bool DentroDe(bool negativo, const QString& digitos, const Rango& r) {
    if (digitos.isEmpty())
        return true;
    bool ok = false;
    const quint64 m = digitos.size() > 20 ? 0 : digitos.toULongLong(&ok);
    if (!ok)
        return false;
    if (!negativo)
        return m <= r.Maximo;
    return r.Minimo < 0 && m - 1 <= quint64(-(r.Minimo + 1));
}

// Money columns: ten-thousandths, by the column's size (smallmoney 4).
Rango RangoMoneda(long largo) {
    if (largo == 4)
        return {-2147483648LL, 2147483647ULL};
    return RangoEntero(ado::adBigInt);
}

// A money bound in a range message, in the regional form.
QString EnDiezMilesimos(qint64 n) {
    return vb::Currency::fromRaw(n).toString();
}

// Points between thousands only where they group them: "1.5" would be read
// as 15, not as what the user sees.
bool MilesAgrupados(const QString& valor) {
    const vb::Regional& r = vb::regional();
    const QString entero = valor.section(r.decimalSeparator, 0, 0);
    if (!entero.contains(r.thousandsSeparator))
        return true;
    const QStringList grupos = entero.split(r.thousandsSeparator);
    for (qsizetype i = 1; i < grupos.size(); ++i)
        if (grupos[i].size() != 3)
            return false;
    return true;
}

bool EsDecimal(int tipo) {
    return tipo == ado::adNumeric || tipo == ado::adDecimal || tipo == 139; // varnumeric
}

// A column name as the statement needs it: bracketed when it holds more
// than letters, digits and "_".
QString NombreColumna(const QString& nombre) {
    for (const QChar c : nombre)
        if (!(c.isLetterOrNumber() || c == u'_'))
            return u'[' + QString(nombre).replace(u']', QStringLiteral("]]")) + u']';
    return nombre;
}

} // namespace

const QStringList& TextosMedioDePago() {
    static const QStringList textos = {
        QStringLiteral("Ninguno"),
        QStringLiteral("Efectivo"),
        QStringLiteral("Cheque"),
        QStringLiteral("Tarjetas de Credito"),
        QStringLiteral("Debitos/Creditos Bancario"),
        QStringLiteral("Documentos varios"),
        QStringLiteral("Retenciones/Percep IVA"),
        QStringLiteral("Retención/Percep Ingresos Brutos"),
        QStringLiteral("Retención/Percep Ganancias"),
        QStringLiteral("Retención/Percep Varias"),
        QStringLiteral("Retención/Percep SUSS"),
        QStringLiteral("Solicitud de crédito"),
    };
    return textos;
}

QString CodigoMedioDePago(int Posicion) {
    if (Posicion < 0 || Posicion >= int(kCodigosMedio.size()))
        return QString();
    return QString::fromLatin1(kCodigosMedio[size_t(Posicion)]);
}

int PosicionMedioDePago(const QVariant& MedioDePago, const QString& Codigo) {
    const QString medio = ClsUtilidades::ValorCampo(MedioDePago).trimmed().toUpper();
    if (medio.isEmpty())
        return MedioNinguno;
    const QString codigo = CodigoSinGuiones(Codigo);
    if (medio == u"TJ") {
        const QString solicitud = CNStuffContable::Cfg(kClaveSolicitudCredito).trimmed();
        return solicitud.compare(codigo, Qt::CaseInsensitive) == 0 ? MedioSolicitudCredito
                                                                   : MedioTarjetas;
    }
    if (medio == u"RO") {
        const QString tipo = CNStuffContable::Cfg(ClaveRetencionOtra(codigo)).trimmed();
        return tipo.compare(u"SU", Qt::CaseInsensitive) == 0 ? MedioRetencionSUSS
                                                             : MedioRetencionVarias;
    }
    for (int i = 1; i < int(kCodigosMedio.size()); ++i)
        if (medio == QLatin1String(kCodigosMedio[size_t(i)]))
            return i;
    return MedioNinguno;
}

void GrabaClavesMedioDePago(int Posicion, const QString& Codigo) {
    const QString codigo = CodigoSinGuiones(Codigo);
    const QString grupo = QStringLiteral("DATOS");
    const QString retencion = ClaveRetencionOtra(codigo);
    if (Posicion == MedioRetencionSUSS)
        CNStuffContable::GrabaDfg(retencion, QStringLiteral("SU"), QString(), false, grupo);
    else if (!CNStuffContable::Cfg(retencion).trimmed().isEmpty())
        CNStuffContable::GrabaDfg(retencion, QString(), QString(), false, grupo);
    if (Posicion == MedioSolicitudCredito)
        CNStuffContable::GrabaDfg(kClaveSolicitudCredito, codigo, QString(), false, grupo);
    else if (CNStuffContable::Cfg(kClaveSolicitudCredito)
                 .trimmed()
                 .compare(codigo, Qt::CaseInsensitive) == 0)
        CNStuffContable::GrabaDfg(kClaveSolicitudCredito, QString(), QString(), false, grupo);
}

QString CodigoMoneda(int Posicion) {
    return ClsUtilidades::RellenaCeros(QString::number(Posicion + 1), 4);
}

int PosicionMoneda(const QVariant& Moneda) {
    const QString texto = ClsUtilidades::ValorCampo(Moneda).trimmed();
    if (texto.isEmpty() || !ClsUtilidades::EsCodigoNumerico(texto))
        return -1;
    bool ok = false;
    const int numero = texto.toInt(&ok);
    return ok ? numero - 1 : -1;
}

QString CodigoGuardado(const Cuenta& C) {
    return CodigoSinGuiones(C.Codigo);
}

bool MismosDatos(const Cuenta& A, const Cuenta& B) {
    const auto datos = [](const Cuenta& c) {
        return std::tie(c.Descripcion, c.CodigoOpcional, c.CuentaPrincipal, c.CodTarjeta_ConcAuto,
                        c.Titulo, c.Ajuste, c.Indice, c.Bloqueo, c.Bienes, c.PideVencimiento,
                        c.MedioDePago, c.NoPideDatosTarjeta, c.UsaCCostos, c.CajayBanco, c.Moneda);
    };
    if (datos(A) != datos(B) || A.Personalizados.size() != B.Personalizados.size())
        return false;
    for (size_t i = 0; i < A.Personalizados.size(); ++i)
        if (A.Personalizados[i].Campo != B.Personalizados[i].Campo ||
            A.Personalizados[i].Valor != B.Personalizados[i].Valor)
            return false;
    return true;
}

QString TipoVistaDeCuenta(const Cuenta& C) {
    if (C.MedioDePago == MedioDebitosBancarios)
        return VistaBancos;
    return C.VistaRango.trimmed();
}

ValorSQL ValorPersonalizado(int Tipo, const QString& Columna, const QString& Valor) {
    const QString valor = Valor.trimmed();
    const QString texto = QStringLiteral("'");
    const QString numero = QStringLiteral("@");
    if (ClsUtilidades::EsVacio(Valor) || valor.compare(u"NULL", Qt::CaseInsensitive) == 0)
        return {QStringLiteral("Null"), texto};
    if (DB_Dll::ADOText(Tipo))
        return {Valor, texto};
    if (DB_Dll::ADOCurrency(Tipo)) {
        if (!vb::Currency::parse(valor))
            NoConvierte(Columna);
        return {valor, numero};
    }
    if (DB_Dll::ADONumeric(Tipo)) {
        const std::optional<vb::ExactNumber> n = vb::ParseExactNumber(valor);
        if (!n || !ClsUtilidades::EsNumero(valor))
            NoConvierte(Columna);
        // Written out here, digit for digit, not as money: money keeps four
        // decimals and stops short of a large integer. An integer column
        // takes no fraction and nothing past its range: the server would
        // store another number than the one shown.
        if (EsEntero(Tipo) && (!n->fractionDigits.isEmpty() ||
                               !DentroDe(n->negative, n->integerDigits, RangoEntero(Tipo))))
            NoConvierte(Columna);
        QString literal = n->negative ? QStringLiteral("-") : QString();
        literal += n->integerDigits.isEmpty() ? QStringLiteral("0") : n->integerDigits;
        if (!n->fractionDigits.isEmpty())
            literal += u'.' + n->fractionDigits;
        return {literal, QString()};
    }
    if (DB_Dll::ADOBoolean(Tipo)) {
        for (const char* si : {"verdadero", "true"})
            if (valor.compare(QLatin1String(si), Qt::CaseInsensitive) == 0)
                return {Bandera(true), numero};
        for (const char* no : {"falso", "false"})
            if (valor.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
                return {Bandera(false), numero};
        if (!ClsUtilidades::EsNumero(valor))
            NoConvierte(Columna);
        return {Bandera(vb::CDbl(QVariant(valor)) != 0), numero};
    }
    if (DB_Dll::adodate(Tipo)) {
        const std::optional<QDateTime> fecha = vb::ParseDate(valor);
        if (!fecha)
            NoConvierte(Columna);
        // The engine's own date literal, taken as it stands.
        return {ClsUtilidades::FechaHoraParaSQL(*fecha), QString()};
    }
    return {Valor, texto};
}

QString LiteralPersonalizado(int Tipo, const QString& Columna, const QString& Valor) {
    const ValorSQL v = ValorPersonalizado(Tipo, Columna, Valor);
    if (v.Valor.toUpper() == u"NULL")
        return QStringLiteral("Null");
    return vb::CStr(gDatos().SQLValue(v.Valor, v.Marca));
}

ColumnaPersonalizada ColumnaDe(const ado::Field& Campo) {
    return {Campo.Type(), Campo.DefinedSize(), Campo.Precision(), Campo.NumericScale()};
}

QString RechazoPersonalizado(const ColumnaPersonalizada& Columna, const QString& Valor) {
    const QString valor = Valor.trimmed();
    if (ClsUtilidades::EsVacio(Valor) || valor.compare(u"NULL", Qt::CaseInsensitive) == 0)
        return QString();
    const int tipo = Columna.Tipo;
    if (DB_Dll::ADOText(tipo)) {
        // The long types say no length of their own.
        if (Columna.Largo > 0 && Columna.Largo < 1073741823 && Valor.size() > Columna.Largo)
            return MsgValorLargo(Columna.Largo);
        return QString();
    }
    if (DB_Dll::adodate(tipo))
        return vb::ParseDate(valor) ? QString() : MsgValorFecha;
    if (DB_Dll::ADOBoolean(tipo)) {
        for (const char* palabra : {"verdadero", "true", "falso", "false"})
            if (valor.compare(QLatin1String(palabra), Qt::CaseInsensitive) == 0)
                return QString();
        return ClsUtilidades::EsNumero(valor) ? QString() : MsgValorBooleano;
    }
    const bool moneda = DB_Dll::ADOCurrency(tipo);
    if (!moneda && !DB_Dll::ADONumeric(tipo))
        return QString();
    const std::optional<vb::ExactNumber> n = vb::ParseExactNumber(valor);
    if (!n || !ClsUtilidades::EsNumero(valor) || !MilesAgrupados(valor))
        return MsgValorNumero;
    if (EsEntero(tipo)) {
        if (!n->fractionDigits.isEmpty())
            return MsgValorEntero;
        const Rango r = RangoEntero(tipo);
        if (!DentroDe(n->negative, n->integerDigits, r))
            return MsgValorRango(QString::number(r.Minimo), QString::number(r.Maximo));
        return QString();
    }
    if (moneda) {
        if (n->fractionDigits.size() > 4)
            return MsgValorDecimales(4);
        const Rango r = RangoMoneda(Columna.Largo);
        QString diezMilesimos = n->integerDigits + n->fractionDigits.leftJustified(4, u'0');
        while (diezMilesimos.startsWith(u'0'))
            diezMilesimos.remove(0, 1);
        if (!DentroDe(n->negative, diezMilesimos, r))
            return MsgValorRango(EnDiezMilesimos(r.Minimo), EnDiezMilesimos(qint64(r.Maximo)));
        return QString();
    }
    if (EsDecimal(tipo) && Columna.Precision > 0) {
        const int escala = std::clamp(Columna.Escala, 0, Columna.Precision);
        if (n->fractionDigits.size() > escala)
            return escala == 0 ? MsgValorEntero : MsgValorDecimales(escala);
        if (n->integerDigits.size() > Columna.Precision - escala)
            return MsgValorEnteros(Columna.Precision - escala);
        return QString();
    }
    // Floating columns take any number they can hold.
    return std::isfinite(vb::CDbl(QVariant(valor))) ? QString() : MsgValorNumero;
}

void AgregaCampoPersonalizado(const QString& Columna, const ColumnaPersonalizada& Tipo,
                              const QString& Valor) {
    const QString columna = Columna.trimmed();
    if (!RechazoPersonalizado(Tipo, Valor).isEmpty())
        NoConvierte(columna);
    const ValorSQL v = ValorPersonalizado(Tipo.Tipo, columna, Valor);
    CNStuffContable::AgregaCampo(NombreColumna(columna), v.Valor, v.Marca, false);
}

ado::RecordsetPtr ColumnasCuentas() {
    return interno::Consulta(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE 1 = 0"));
}

bool ArmaSentenciaCuenta(const Cuenta& C, bool Nueva, QStringList& Sentencias,
                         ado::RecordsetPtr Columnas) {
    using CNStuffContable::AgregaCampo;
    const QString codigo = CodigoGuardado(C);
    if (codigo.size() > LargoMaximoCodigo)
        return false;
    const bool propio = !Columnas || Columnas->State() != ado::adStateOpen;
    if (propio)
        Columnas = ColumnasCuentas();

    const QString q = QStringLiteral("'");
    const QString bare = QStringLiteral("@");
    QString descripcion = QStringLiteral("DESCRIPCION");
    CNStuffContable::AgregaCampoRecordset(Columnas, descripcion, C.Descripcion, true);
    // A name that reads NULL is the account's name, not the SQL word.
    if (C.Descripcion.trimmed().compare(u"NULL", Qt::CaseInsensitive) == 0)
        CNStuffContable::gCamposSQL.back().Valor =
            vb::CStr(gDatos().SQLValue(C.Descripcion.trimmed(), q));
    // Codes go in as typed, without "-": never filled to the column's width.
    AgregaCampo(QStringLiteral("Codigo"), codigo, q, false);
    AgregaCampo(QStringLiteral("CodigoOpcional"), CodigoSinGuiones(C.CodigoOpcional), q, false);
    AgregaCampo(QStringLiteral("CuentaPrincipal"), C.CuentaPrincipal.trimmed(), q, false);
    AgregaCampo(QStringLiteral("CodTarjeta_ConcAuto"), C.CodTarjeta_ConcAuto.trimmed(), q, false);

    AgregaCampo(QStringLiteral("TITULO"), Bandera(C.Titulo), q, false);
    if (C.Titulo) {
        AgregaCampo(QStringLiteral("AJUSTE"), QStringLiteral("0"), q, false);
        AgregaCampo(QStringLiteral("INDICE"), QStringLiteral("0"), q, false);
    } else {
        AgregaCampo(QStringLiteral("AJUSTE"), Bandera(C.Ajuste), q, false);
        // No series chosen reads as position -1, whose absolute value is
        // taken: the list always has one chosen when the box is ticked.
        AgregaCampo(QStringLiteral("INDICE"),
                    C.Ajuste ? QString::number(std::abs(C.Indice) + 1) : QStringLiteral("0"), q,
                    false);
    }
    AgregaCampo(QStringLiteral("BLOQUEO"), Bandera(C.Bloqueo), q, false);
    AgregaCampo(QStringLiteral("dv"), QStringLiteral("0"), q, false);
    AgregaCampo(QStringLiteral("Bienes"), Bandera(C.Bienes), q, false);
    AgregaCampo(QStringLiteral("Dada_De_Baja"), QStringLiteral("0"), q, false);

    const QString vista = TipoVistaDeCuenta(C);
    AgregaCampo(QStringLiteral("LIBRO_IVA_COMPRAS"), Bandera(vista == VistaProveedores), q, false);
    AgregaCampo(QStringLiteral("LIBRO_IVA_DULVAR"), Bandera(vista == VistaClientes), q, false);
    AgregaCampo(QStringLiteral("PideVencimiento"), Bandera(C.PideVencimiento), q, false);

    if (C.MedioDePago == MedioNinguno) {
        AgregaCampo(QStringLiteral("MedioDePago"), QStringLiteral("Null"), q, false);
    } else {
        const QString medio = CodigoMedioDePago(C.MedioDePago);
        if (!medio.isEmpty())
            AgregaCampo(QStringLiteral("MedioDePago"), medio, q, false);
        if (C.MedioDePago == MedioTarjetas)
            AgregaCampo(QStringLiteral("NoPideDatosTarjeta"), Bandera(C.NoPideDatosTarjeta), bare,
                        false);
    }

    AgregaCampo(QStringLiteral("TipoVista"), C.Titulo ? QStringLiteral("Null") : vista, q, false);
    AgregaCampo(QStringLiteral("UsaCCostos"), Bandera(C.UsaCCostos), bare, false);
    AgregaCampo(QStringLiteral("CajayBanco"), Bandera(C.CajayBanco), q, false);
    if (C.Moneda < 0 && C.MonedaAnterior.isValid())
        AgregaCampo(QStringLiteral("Moneda"),
                    vb::IsNull(C.MonedaAnterior) ? QStringLiteral("Null")
                                                 : ClsUtilidades::ValorCampo(C.MonedaAnterior),
                    q, false);
    else
        AgregaCampo(QStringLiteral("Moneda"), CodigoMoneda(C.Moneda), q, false);

    for (const CampoPersonalizado& p : C.Personalizados) {
        const QString nombre = p.Campo.trimmed();
        if (!nombre.startsWith(QStringLiteral("P_"), Qt::CaseInsensitive))
            ado::throwAdo(ado::adErrItemNotFound);
        const ado::Field columna = Columnas->Fields(nombre);
        AgregaCampoPersonalizado(columna.Name(), ColumnaDe(columna), p.Valor);
    }
    if (propio)
        interno::Cierra(Columnas);

    QString condicion;
    if (!Nueva)
        condicion = QStringLiteral(" CODIGO = ") + vb::CStr(gDatos().SQLValue(codigo, q));
    CNStuffContable::ArmaSentenciaSQL(CNStuffContable::gCamposSQL, Sentencias,
                                      QStringLiteral("@Admin_MA_Cuentas"), !Nueva, condicion);
    return true;
}

} // namespace cuentas
