#pragma once
// The journal-entry rules: fiscal years, operative dates, entry numbers and
// their text forms, accounts, vouchers, subledgers and the subledger work
// table. Every answer is read from the database at the moment of the call;
// the only state is the current fiscal year, taken from the configuration
// when the object is created.
//
// Operations that trap their errors report them in the operator error box
// under their own routine name: Retry repeats the failing step, Ignore goes on
// with the next one, anything else leaves with the result reached so far.
// The others let the error reach the caller.

#include "platform/ado/ado.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <memory>
#include <optional>

class Lbc_Asiento {
public:
    // Series of the summary entries in TIPO_REG: the character 255 and "RS".
    static QString TipoRegResumen();

    // Kinds of journal-entry lines, as the readers tell them apart.
    enum class ClaseLinea { General, Ajuste, SaldoApertura, Subdiario, Resumen };
    static ClaseLinea ClaseDeLinea(const QString& TipoReg, bool EsResumen, bool EsAjuste,
                                   bool EsSaldoApertura);
    // The line is numbered in the series of the general entries (general and
    // summary entries share it; each subledger code has its own).
    static bool SerieGeneral(const QString& TipoReg);
    // Letters the receipt books know.
    static QString LetrasTalonario() { return QStringLiteral("ABCXEMR"); }

    // Reads the configuration key PERIODO. A blank, non-numeric or out of
    // range value throws (type mismatch 13, overflow 6) and no object exists.
    Lbc_Asiento();

    std::int16_t PeriodoActual() const { return PeriodoActual_; }

    // 1. Date ("dd/mm/yyyy"), covered period (AJUSTE_HASTA) and entry number
    // of the latest adjustment entry of the year (the object's own by default).
    void UltimoAjuste(QString& fecha, QString& Periodo, QVariant& NroAsiento,
                      const std::optional<QVariant>& Ejercicio = std::nullopt);
    // 2. First and last day of a fiscal year as "dd/mm/yyyy"; tells the
    // operator when the year does not exist.
    void EjercicioRango(QString& FhDesde, QString& FhHasta,
                        const std::optional<QVariant>& Periodo = std::nullopt);
    // 3. Entry number without its separator: "05-0000123" gives "5123".
    // Tipo 8 gives text, 3 or 2 a 32-bit number.
    QVariant EliminaCarNroAsiento(const QString& QueAsiento,
                                  const std::optional<int>& Tipo = std::nullopt,
                                  const std::optional<QString>& Char = std::nullopt);
    // 4. The date lies in no live summary of the subledger in the current year.
    bool ValidaFechaSubdiario(const QString& fecha, const QString& Subdiario);
    // 5. The voucher type is listed for the subledger.
    bool ValidaSubdiarioTC(const QString& Subdiario, const QString& TC);
    // 6. Point of sale and last number of the first receipt book of a type and
    // letter (the business unit's books first); sets gTalonario.
    void DatosComprobante(QString TC, QString& suc, QString& Nro, QString& L, const QString& Uneg);
    // 7. Voucher letter from the company's and the customer's VAT conditions.
    QString DeterminaLetra(const QString& COND_IVA_CLIEN);
    // 8. The voucher is not posted yet, or the operator took the next free
    // number (left in Numero, eight digits) for a type that must not be
    // renumbered by hand. False with the reason in Mensaje.
    bool ValidaComprobante(QString TC, QString Sucursal, QString& Numero, QString letra,
                           QString& Mensaje, QString* MesOP = nullptr,
                           QString* NroAsiento = nullptr, const QString& FechaAsto = QString(),
                           const QString& Cuenta = QString(), QString* PeriodoModif = nullptr);
    // 9. The voucher type is numbered by its issuer.
    bool ComprobanteEntrada(const QString& TC);
    // 10. The summary entry ("MM-0000000") of the subledger in the current year
    // has been annulled; the operator is told.
    bool AsientoResumenAnulado(const QString& Subdiario, const QString& NroAsiento_ConFomato);
    // 11. The voucher type belongs to some subledger.
    bool ValidaTCRegistraciones(const QString& Tipo);
    // 12. The voucher is posted in the given entry (summary lines never count).
    // The found lines stay open in lrcsaux when it is given.
    bool ExisteEnMVAsientos2(const QString& TC, const QString& suc, const QString& Nro,
                             const QString& L, const QString& TipoReg, const QString& NroAsiento,
                             const QString& MesOP, const QString& Periodo,
                             const std::optional<QString>& Proveedor = std::nullopt,
                             ado::RecordsetPtr* lrcsaux = nullptr);
    // 13. The voucher is posted in any entry.
    bool ExisteEnMVAsientos(const QString& TC, const QString& suc, const QString& Nro,
                            const QString& L,
                            const std::optional<QString>& Proveedor = std::nullopt,
                            ado::RecordsetPtr* lrcsaux = nullptr);
    // 14. Checks a typed date against the operative range. Only ever sets
    // lhayError (the caller clears it). Returns Empty.
    QVariant FechaValidada(const QString& Campo, QString& Mensaje, bool& lhayError);
    // 15. Next entry number of a month in a series of a year (the general
    // series and the object's year by default); 0 when the operator left.
    std::int32_t UltimoNumeroAsiento(const QVariant& Mes, const QString& Tipo_Reg = QString(),
                                     const std::optional<QVariant>& Periodo = std::nullopt);
    // 16. "MM-0000000" with the month of fecha.
    QString FormatDisplayNroAsiento(const QVariant& NroAsiento, const QDateTime& fecha);
    // 17. The number part of "MM-0000000" as a plain number text.
    QString FormatNroAsiento(const QString& Nro_Con_Formato);
    // 18. A typed number brought to "MM-0000000" (the first two digits are
    // the month).
    QString FMTNroAsiento(const QString& NroAsiento);
    // 19. Entries may be made in the current year: it is neither closed nor
    // cancelled and the year before it is closed. A non-empty Periodo becomes
    // the object's current year first.
    bool ValidaEstadoPeriodoActual(QString& Mensaje, QVariant* lCierre = nullptr,
                                   QVariant* lCancelacion = nullptr, QVariant* lNoCreado = nullptr,
                                   const QString& Periodo = QString());
    // 20. Last day of the last fiscal year; 30/12/1899 when there is none.
    QDateTime FechaHastaUltimoPeriodo();
    // 21. Neither date lies in a fiscal year other than lPeriodo.
    bool ValidaRangoFechaEjercicio(QString Fecha_Desde, QString Fecha_Hasta,
                                   const std::optional<QVariant>& lPeriodo = std::nullopt);
    // 22. The year before QueEjercicio is closed; "-1" stands for the current
    // year and is replaced by it.
    bool EjercicioAnteriorCerrado(QString& QueEjercicio);
    // 23. The year has lines on or outside the boundaries of a new range.
    bool ExistenMovFueraPeriodo(const QString& Periodo, QString NFecha_Desde, QString NFecha_Hasta);
    // 24. The account exists, is neither dropped nor blocked and is no title.
    bool CuentaImputable(const QString& Cuenta);
    // 25. Fills the user's rows of AUX_SUBDIARIOS with the subledger's entries
    // of the date range, debit and credit lines side by side.
    void GeneraAuxiliarSubdiarios(QString& Fecha_Desde, QString& Fecha_Hasta, QString& TipoSub,
                                  const std::optional<bool>& EsArchivoLegal = std::nullopt);
    // 26. Last day of a month (31, 30, 29 or 28); 0 for a month that forms no date.
    std::int16_t UltimoDiaMes(const QString& Mes, const QString& Anio);
    // 27. Check number of an account code (weights 9, 7, 5, 3, 1). Needs no
    // fiscal year, so the chart's rules reach it without an object.
    static std::int16_t CalculoDV(const QVariant& Cuenta);
    // 28. Next fixed-asset code.
    QString UltimoIDBienDeUso();
    // 29. The account has additional data. LRsTmp comes back closed.
    bool ExisteDatosAdicionales(const QString& Valor_Buscado, ado::RecordsetPtr& LRsTmp);
    // 30. Next change number of a fixed asset.
    QString UltimoIDNovedadBienDeUso(const QString& CodigoBien);
    // 31. The account exists and is neither dropped nor blocked; hands back
    // its title, name, fixed-asset and adjustable flags.
    bool ExisteCuentas(const QString& Valor_Buscado, QVariant* Tipo = nullptr,
                       QVariant* NombreLeido = nullptr, QVariant* BiendeUso = nullptr,
                       QVariant* Ajustable = nullptr);

private:
    std::int16_t PeriodoActual_ = 0;
};

// A window's reference to its rules object: created on first use, released
// with the window. A failed creation leaves it empty and the next use tries
// again.
class Lbc_AsientoRef {
public:
    Lbc_Asiento& get();
    Lbc_Asiento* operator->() { return &get(); }
    bool creado() const { return objeto_ != nullptr; }
    void release() { objeto_.reset(); }

private:
    std::unique_ptr<Lbc_Asiento> objeto_;
};
