#pragma once
// The inflation-adjustment lines: for a fiscal year and a range of months,
// every adjustable account's opening balance and monthly net movements are
// restated by the coefficient of the account's index series, and the
// differences are collected per account as debit or credit amounts.
//
// The generation runs without the window: it takes its inputs, fills a line
// array and says why it ended. The window (FrmQuarzelo) drives it from the
// "&Generar" button.

#include "platform/vb/vb.h"

#include <QDate>
#include <QHash>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

// One adjustment line per account. Cuenta and Descripcion keep their fixed
// widths (blank padded). A side holds nothing until an amount is added to
// it: a side that received a zero is not an empty one (the netting keeps
// only the sides that received something).
struct TipoLineaAjuste {
    static constexpr int kAnchoCuenta = 15;
    static constexpr int kAnchoDescripcion = 50;

    QString Cuenta;
    QString Descripcion;
    std::optional<vb::Currency> Debe;
    std::optional<vb::Currency> Haber;
    QString Vencimiento; // "dd/mm/yyyy"; blank for generated lines

    void setCuenta(const QString& c);
    void setDescripcion(const QString& d);
    // Text cut or blank-padded to a fixed width.
    static QString Fijo(const QString& texto, int ancho);
};

// Element 0 is an empty placeholder and never a line.
using LineasAjuste = std::vector<TipoLineaAjuste>;

// Blanks (only blanks) removed at both ends, as the runtime's Trim.
QString Recorta(const QString& texto);

// The line is shown in the grid and stored: it carries an account code.
// Every generated line carries one; a code that fills its fifteen
// characters is a code all the same, not a number to leave out.
bool LineaParticipa(const TipoLineaAjuste& linea);

class GeneracionAjuste {
public:
    // How the monthly sums, opening rows and coefficients are read. Both give
    // the same lines: PorCuenta asks the database account by account and
    // month by month; Agrupada reads the same sums with a few grouped
    // statements and keeps the coefficients, which large charts need.
    enum class Lectura { PorCuenta, Agrupada };
    // Why the generation ended. Only a complete run may be stored.
    enum class Fin { Completa, FaltaIndice, Cancelada, Falla };

    // Last day of a month (Mes, Anio as texts). The window passes its rules
    // object's; without one the generation's own is used.
    using DiaFinal = std::function<std::int16_t(const QString& Mes, const QString& Anio)>;

    static const QString& TituloCartel();
    // Added to every message of a run that stopped early.
    static const QString& AvisoNoGrabable();
    // "Periodo Desde Mayor que Hasta!"
    static const QString& MensajeRango();

    GeneracionAjuste(LineasAjuste& Lineas, const QString& Ejercicio,
                     Lectura lectura = Lectura::Agrupada, DiaFinal diaFinal = {});
    ~GeneracionAjuste();
    GeneracionAjuste(const GeneracionAjuste&) = delete;
    GeneracionAjuste& operator=(const GeneracionAjuste&) = delete;

    // Appends the lines of the adjustable accounts for PeriodoDesde to
    // PeriodoHasta ("MM/AAAA"); pro-forma vouchers count only when asked.
    // The opening balances are restated only by a run that starts at the
    // fiscal year's first month, so a year adjusted in parts restates them
    // once. When the run ends every line carries one side only, in cents.
    Fin Genera_Asiento(const QString& PeriodoDesde, const QString& PeriodoHasta,
                       bool IncluirProforma);
    // The message shown when the run stopped early (empty after a cancel).
    const QString& Mensaje() const { return mensaje_; }

    // Coefficient of the account's series for a month, 0 when the account,
    // its series or the month's row is missing. Always asks the database.
    static double PorcentajeIndice(const QString& QueCuenta, const QString& Anio,
                                   const QString& Mes);
    // 31, 30, 29 or 28; 0 for a month that forms no date.
    static std::int16_t UltimoDiaMes(const QString& Mes, const QString& Anio);

    // Adds the amount to the debit ("D", any case) or credit side of the
    // account's line, appending a line when the account has none.
    void AcumulaLinea(const QString& Cuenta, vb::Currency Importe, const QString& DebeHaber);
    static void AcumulaLinea(LineasAjuste& Lineas, const QString& Cuenta, vb::Currency Importe,
                             const QString& DebeHaber);
    // A line that received amounts on both sides keeps their difference on
    // the larger side (a zero on the debit side), rounded to cents as the
    // totals show them, so that grid, totals, balancing line and stored
    // entry read the same amounts and the stored rows balance exactly.
    static void NetoLineas(LineasAjuste& Lineas);
    // Half a cent away from zero, as "#########.00" writes an amount.
    static vb::Currency Centavos(vb::Currency Importe);

    // A range whose first month comes after its last cannot be generated
    // nor stored: tells the operator and gives true. Texts that form no
    // period are left to the field rules.
    static bool RechazaRango(const QString& PeriodoDesde, const QString& PeriodoHasta);
    // The balancing line: the difference of the totals on the REI account,
    // netted with what the account already carries. Nothing without an
    // account or a difference.
    static void Balancea(LineasAjuste& Lineas, const QString& CtaRei);

    // The whole run without the window: the lines, the balancing line on the
    // REI account from the totals as shown with two decimals, and why it
    // ended.
    struct Parametros {
        QString PeriodoDesde;
        QString PeriodoHasta;
        bool IncluirProforma = false;
        QString Ejercicio;
        QString CtaRei;
        Lectura lectura = Lectura::Agrupada;
    };
    struct Resultado {
        LineasAjuste Lineas;
        Fin fin = Fin::Completa;
        QString Mensaje;
        bool Grabable() const { return fin == Fin::Completa; }
    };
    static Resultado Genera(const Parametros& p, DiaFinal diaFinal = {});
    // Debit minus credit of the totals as "#########.00" shows them.
    static vb::Currency DiferenciaTotales(const LineasAjuste& Lineas);
    // The entry's debit and credit totals.
    static void Totales(const LineasAjuste& Lineas, vb::Currency& Debe, vb::Currency& Haber);

    class Fuente; // how the sums are read (generacion.cpp)
    struct Mes {
        QString Inicio; // "dd/mm/yyyy"
        QString Fin;
        int Numero = 0;
        int Anio = 0;
    };

private:
    bool PasoApertura(const QString& Codigo, vb::Currency Importe, const QString& DebeHaber);
    // The range starts at the fiscal year's first month.
    bool ReexpresaApertura(int MesDesde, int AnioDesde);
    bool PasoMeses(const QString& Codigo);
    bool Detiene(const QString& Codigo, const QString& Mes, const QString& Anio);
    // Shows the account on the banner (or only lets events through) and acts
    // on a cancel request: true when the operator confirms it.
    bool Cancela(const std::optional<QString>& Codigo);
    std::vector<Mes> Meses(const QString& PeriodoDesde, const QString& PeriodoHasta, int MesDesde,
                           int AnioDesde);

    LineasAjuste& lineas_;
    QString ejercicio_;
    DiaFinal diaFinal_;
    std::unique_ptr<Fuente> fuente_;
    std::vector<Mes> meses_;
    QHash<QString, int> posicion_;     // trimmed account code -> line index
    QDate finEjercicio_{1899, 12, 30}; // kept from one account to the next
    std::optional<bool> reexpresa_;    // read at the first opening row
    QString mensaje_;
};
