#pragma once
// The account row of MA_CUENTAS as the accounts window saves it, and the
// chart's rules for its columns: the kind decides the adjustment, index and
// view columns; the means-of-payment and currency lists map to stored codes
// and back; custom "P_" columns are written by their own types.
//
// The row is written only as statement text built through the shared field
// list (CNStuffContable::gCamposSQL) and run by EjecutaTransaccion.

#include "platform/ado/ado.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

namespace cuentas {

// Positions of the means-of-payment list (CmbMP); the position decides the
// stored MedioDePago.
enum PosicionMedioDePago : int {
    MedioNinguno = 0,
    MedioEfectivo,
    MedioCheque,
    MedioTarjetas,
    MedioDebitosBancarios,
    MedioDocumentos,
    MedioRetencionIVA,
    MedioRetencionIIBB,
    MedioRetencionGanancias,
    MedioRetencionVarias,
    MedioRetencionSUSS,
    MedioSolicitudCredito,
};

// The list's texts in position order, as CargarCombos fills CmbMP.
const QStringList& TextosMedioDePago();
// Stored code of a list position ("EF", "CH", "TJ", ...); empty for
// "Ninguno", which is stored as NULL, and for a position outside the list.
QString CodigoMedioDePago(int Posicion);
// List position of the stored MedioDePago (any letter case) of the account
// Codigo: "TJ" is the credit request when the key "CtaSolicitudCredito"
// names the account, "RO" the SUSS retention when the key "CTA_RET_OTRA_"
// and the code reads "SU"; Null or an unknown code is "Ninguno".
int PosicionMedioDePago(const QVariant& MedioDePago, const QString& Codigo);
// Writes the configuration key that tells positions 10 and 11 from the
// codes they share, and empties the one that named the account when its
// position no longer takes it.
void GrabaClavesMedioDePago(int Posicion, const QString& Codigo);

// Moneda of a currency-list position: the position plus one, padded to four
// characters ("0001").
QString CodigoMoneda(int Posicion);
// List position of a stored Moneda; -1 when it is Null, blank or no number.
int PosicionMoneda(const QVariant& Moneda);

// One row of the custom-fields grid: the "P_" column and its value as shown.
struct CampoPersonalizado {
    QString Campo;
    QString Valor;
};

// The row as the window's controls hold it.
struct Cuenta {
    QString Codigo; // as typed: "-" between levels allowed
    QString Descripcion;
    QString CodigoOpcional; // "-" allowed
    QString CuentaPrincipal;
    QString CodTarjeta_ConcAuto;
    bool Titulo = false;
    bool Ajuste = false;
    int Indice = 0; // position in the index-series list (CmbIndices); -1 none chosen
    bool Bloqueo = false;
    bool Bienes = false;
    bool PideVencimiento = false;
    int MedioDePago = MedioNinguno; // position in CmbMP; -1 none chosen
    bool NoPideDatosTarjeta = false;
    QString VistaRango; // view type of the code's range (ObtieneVistaRangoVto), if any
    bool UsaCCostos = false;
    bool CajayBanco = false;
    int Moneda = 0; // position in CmbMoneda; -1 none chosen
    // The Moneda stored before (vb::Null() for none), written back when the
    // list chooses none (it cannot show it); invalid for a new account.
    QVariant MonedaAnterior;
    std::vector<CampoPersonalizado> Personalizados;
};

// The two hold the same values in every field but the code: nothing the
// user typed or chose tells them apart.
bool MismosDatos(const Cuenta& A, const Cuenta& B);

// View types of an account (TipoVista): those the suite knows by name; an
// installation's views may carry other codes.
inline const QString VistaClientes = QStringLiteral("CL");
inline const QString VistaProveedores = QStringLiteral("PR");
inline const QString VistaBancos = QStringLiteral("BC");
inline const QString VistaPersonal = QStringLiteral("PE");
inline const QString VistaClientesBonos = QStringLiteral("CB");    // title "TituloClientesBonos"
inline const QString VistaClientesMutuales = QStringLiteral("CM"); // "TituloClientesMutuales"
inline const QString VistaSinVista = QStringLiteral("NN");         // a range that names no view

// The code the row is stored under: trimmed, every "-" removed.
QString CodigoGuardado(const Cuenta& C);
// View type of the account: "BC" for bank debits and credits, otherwise the
// view of its additional-data range. It decides the VAT-book flags.
QString TipoVistaDeCuenta(const Cuenta& C);

// An empty recordset over MA_CUENTAS: its fields give the columns' types.
ado::RecordsetPtr ColumnasCuentas();

// Builds the row's INSERT (Nueva) or its UPDATE by code on
// "@Admin_MA_Cuentas" into the last slot of Sentencias with the shared
// builder (AgregaCampo, and AgregaCampoRecordset for the name). A title
// stores AJUSTE 0, INDICE 0 and a NULL TipoVista; dv and Dada_De_Baja are
// stored 0; the codes go in as typed, without "-". Columnas is a recordset
// over MA_CUENTAS whose fields give the columns' types (the window's
// RsCuentas); null opens one.
// False, nothing built, when the stored code would be longer than 15
// characters (MsgLongitudCodigo). A custom field that is no "P_" column of
// the table raises error 3265; a value that does not convert to its
// column's type raises 3421 with the column's name as its Source.
bool ArmaSentenciaCuenta(const Cuenta& C, bool Nueva, QStringList& Sentencias,
                         ado::RecordsetPtr Columnas = nullptr);

// A custom column's value as the shared builder takes it: the value and its
// type mark ("'" quoted, "@" a number, empty: a literal taken as it stands).
// Texts go as they stand; numbers in the regional form ("1.234,56"; an
// integer column takes a whole number in its range only); dates as the engine writes them; Booleans
// as 1 or 0 ("Verdadero", "Falso", a number). A blank value and "NULL" in any letter case are Null.
// Raises 3421 (Source: Columna) for a value the type does not take.
struct ValorSQL {
    QString Valor;
    QString Marca;
};
ValorSQL ValorPersonalizado(int Tipo, const QString& Columna, const QString& Valor);
// The same value as the SQL literal AgregaCampo would write for it.
QString LiteralPersonalizado(int Tipo, const QString& Columna, const QString& Valor);

// What a custom column holds: its ADO type, its declared length (texts) and,
// for a decimal column, its digits in all and after the point.
struct ColumnaPersonalizada {
    int Tipo = ado::adVarChar;
    long Largo = 0;
    int Precision = 0;
    int Escala = 0;
};
ColumnaPersonalizada ColumnaDe(const ado::Field& Campo);

// Why the column cannot hold the value exactly as it is shown (the text the
// user reads), empty when it can: a whole number in range for an integer
// column, no more places or digits than a decimal or money column keeps, a
// date that exists, a text within the declared length, a Boolean word or a
// number. A blank value and "NULL" are always held (as Null).
QString RechazoPersonalizado(const ColumnaPersonalizada& Columna, const QString& Valor);

// Adds the custom column's pair to the shared field list (gCamposSQL): its
// name bracketed where it needs it, its value through AgregaCampo. A value
// the column cannot hold as shown raises 3421 (Source: Columna), nothing added.
void AgregaCampoPersonalizado(const QString& Columna, const ColumnaPersonalizada& Tipo,
                              const QString& Valor);

} // namespace cuentas
