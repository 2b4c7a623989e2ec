#include "accounts/core/cuenta.h"

#include "accounts/core/codigos.h"
#include "accounts/core/interno.h"
#include "accounts/core/niveles.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "platform/ado/engine.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <array>
#include <cmath>
#include <cstdlib>

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

// Pairs of the field list, each value already a literal.
class Campos {
public:
    Campos() { CNStuffContable::gCamposSQL.clear(); }
    void Literal(const QString& campo, const QString& literal) {
        CNStuffContable::gCamposSQL.push_back({campo, literal});
    }
    // Free text: quoted as it stands, never read as the word NULL.
    void Texto(const QString& campo, const QString& valor) {
        Literal(campo, sqltext::literal(valor));
    }
    // Flags and numbers through the shared builder: "'" quoted, "@" bare.
    void Valor(const QString& campo, const QString& valor, const QString& delimitador) {
        CNStuffContable::AgregaCampo(campo, valor, delimitador, false);
    }
    void Nulo(const QString& campo) { Literal(campo, QStringLiteral("Null")); }
};

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

QString TipoVistaDeCuenta(const Cuenta& C) {
    if (C.MedioDePago == MedioDebitosBancarios)
        return VistaBancos;
    return C.VistaRango.trimmed();
}

QString LiteralPersonalizado(int Tipo, const QString& Columna, const QString& Valor) {
    const QString valor = Valor.trimmed();
    if (ClsUtilidades::EsVacio(Valor) || valor.compare(u"NULL", Qt::CaseInsensitive) == 0)
        return QStringLiteral("Null");
    if (DB_Dll::ADOText(Tipo))
        return sqltext::literal(Valor);
    if (DB_Dll::ADOCurrency(Tipo)) {
        const std::optional<vb::Currency> importe = vb::Currency::parse(valor);
        if (!importe)
            NoConvierte(Columna);
        return importe->toString(u'.');
    }
    if (DB_Dll::ADONumeric(Tipo)) {
        if (!ClsUtilidades::EsNumero(valor))
            NoConvierte(Columna);
        const double n = vb::CDbl(QVariant(valor));
        // An integer column takes the number rounded as the runtime rounds.
        if (EsEntero(Tipo))
            return QString::number(qlonglong(std::nearbyint(n)));
        return QString::number(n, 'g', 15);
    }
    if (DB_Dll::ADOBoolean(Tipo)) {
        for (const char* si : {"verdadero", "true"})
            if (valor.compare(QLatin1String(si), Qt::CaseInsensitive) == 0)
                return QStringLiteral("1");
        for (const char* no : {"falso", "false"})
            if (valor.compare(QLatin1String(no), Qt::CaseInsensitive) == 0)
                return QStringLiteral("0");
        if (!ClsUtilidades::EsNumero(valor))
            NoConvierte(Columna);
        return Bandera(vb::CDbl(QVariant(valor)) != 0);
    }
    if (DB_Dll::adodate(Tipo)) {
        const std::optional<QDateTime> fecha = vb::ParseDate(valor);
        if (!fecha)
            NoConvierte(Columna);
        return ClsUtilidades::FechaHoraParaSQL(*fecha);
    }
    return sqltext::literal(Valor);
}

void AgregaCampoPersonalizado(const QString& Columna, int Tipo, const QString& Valor) {
    const QString columna = Columna.trimmed();
    CNStuffContable::gCamposSQL.push_back(
        {NombreColumna(columna), LiteralPersonalizado(Tipo, columna, Valor)});
}

bool ArmaSentenciaCuenta(const Cuenta& C, bool Nueva, QStringList& Sentencias,
                         ado::RecordsetPtr Columnas) {
    const QString codigo = CodigoGuardado(C);
    if (codigo.size() > LargoMaximoCodigo)
        return false;
    const bool propio = !Columnas || Columnas->State() != ado::adStateOpen;
    if (propio && !C.Personalizados.empty())
        Columnas = interno::Consulta(QStringLiteral("SELECT TOP 1 * FROM MA_CUENTAS"));

    Campos f;
    const QString descripcion = C.Descripcion.trimmed();
    if (descripcion.isEmpty())
        f.Nulo(QStringLiteral("DESCRIPCION"));
    else
        f.Texto(QStringLiteral("DESCRIPCION"), descripcion);
    f.Texto(QStringLiteral("Codigo"), codigo);
    f.Texto(QStringLiteral("CodigoOpcional"), CodigoSinGuiones(C.CodigoOpcional));
    f.Texto(QStringLiteral("CuentaPrincipal"), C.CuentaPrincipal.trimmed());
    f.Texto(QStringLiteral("CodTarjeta_ConcAuto"), C.CodTarjeta_ConcAuto.trimmed());

    const QString q = QStringLiteral("'");
    const QString bare = QStringLiteral("@");
    f.Valor(QStringLiteral("TITULO"), Bandera(C.Titulo), q);
    if (C.Titulo) {
        f.Valor(QStringLiteral("AJUSTE"), QStringLiteral("0"), q);
        f.Valor(QStringLiteral("INDICE"), QStringLiteral("0"), q);
    } else {
        f.Valor(QStringLiteral("AJUSTE"), Bandera(C.Ajuste), q);
        // No series chosen reads as position -1, whose absolute value is
        // taken: the list always has one chosen when the box is ticked.
        f.Valor(QStringLiteral("INDICE"),
                C.Ajuste ? QString::number(std::abs(C.Indice) + 1) : QStringLiteral("0"), q);
    }
    f.Valor(QStringLiteral("BLOQUEO"), Bandera(C.Bloqueo), q);
    f.Valor(QStringLiteral("dv"), QStringLiteral("0"), q);
    f.Valor(QStringLiteral("Bienes"), Bandera(C.Bienes), q);
    f.Valor(QStringLiteral("Dada_De_Baja"), QStringLiteral("0"), q);

    const QString vista = TipoVistaDeCuenta(C);
    f.Valor(QStringLiteral("LIBRO_IVA_COMPRAS"), Bandera(vista == VistaProveedores), q);
    f.Valor(QStringLiteral("LIBRO_IVA_DULVAR"), Bandera(vista == VistaClientes), q);
    f.Valor(QStringLiteral("PideVencimiento"), Bandera(C.PideVencimiento), q);

    if (C.MedioDePago == MedioNinguno) {
        f.Nulo(QStringLiteral("MedioDePago"));
    } else {
        const QString medio = CodigoMedioDePago(C.MedioDePago);
        if (!medio.isEmpty())
            f.Texto(QStringLiteral("MedioDePago"), medio);
        if (C.MedioDePago == MedioTarjetas)
            f.Valor(QStringLiteral("NoPideDatosTarjeta"), Bandera(C.NoPideDatosTarjeta), bare);
    }

    if (C.Titulo)
        f.Nulo(QStringLiteral("TipoVista"));
    else
        f.Texto(QStringLiteral("TipoVista"), vista);
    f.Valor(QStringLiteral("UsaCCostos"), Bandera(C.UsaCCostos), bare);
    f.Valor(QStringLiteral("CajayBanco"), Bandera(C.CajayBanco), q);
    f.Texto(QStringLiteral("Moneda"), CodigoMoneda(C.Moneda));

    for (const CampoPersonalizado& p : C.Personalizados) {
        const QString nombre = p.Campo.trimmed();
        if (!nombre.startsWith(QStringLiteral("P_"), Qt::CaseInsensitive))
            ado::throwAdo(ado::adErrItemNotFound);
        const ado::Field columna = Columnas->Fields(nombre);
        AgregaCampoPersonalizado(columna.Name(), columna.Type(), p.Valor);
    }
    if (propio)
        interno::Cierra(Columnas);

    QString condicion;
    if (!Nueva)
        condicion = QStringLiteral(" CODIGO = ") + sqltext::literal(codigo);
    CNStuffContable::ArmaSentenciaSQL(CNStuffContable::gCamposSQL, Sentencias,
                                      QStringLiteral("@Admin_MA_Cuentas"), !Nueva, condicion);
    return true;
}

} // namespace cuentas
