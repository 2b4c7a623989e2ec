// The "&Generar" button: the generation run on the window's header, the
// balancing line, the grid and totals, and the state the window is left in.

#include "adjustment/ui/frmquarzelo.h"

#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <utility>

GeneracionAjuste::Fin FrmQuarzelo::Genera_Asiento(const QString& PeriodoDesde,
                                                  const QString& PeriodoHasta,
                                                  bool IncluirProforma) {
    GeneracionAjuste g(Lineas, CNStuffContable::gPeriodoActual, LecturaGeneracion,
                       [this](const QString& Mes, const QString& Anio) {
                           return Reglas->UltimoDiaMes(Mes, Anio);
                       });
    return g.Genera_Asiento(PeriodoDesde, PeriodoHasta, IncluirProforma);
}

double FrmQuarzelo::PorcentajeIndice(const QString& QueCuenta, const QString& Anio,
                                     const QString& Mes) {
    return GeneracionAjuste::PorcentajeIndice(QueCuenta, Anio, Mes);
}

std::int16_t FrmQuarzelo::UltimoDiaMes(const QString& Mes, const QString& Anio) {
    return GeneracionAjuste::UltimoDiaMes(Mes, Anio);
}

void FrmQuarzelo::AcumulaLinea(const QString& Cuenta, vb::Currency Importe,
                               const QString& DebeHaber) {
    GeneracionAjuste::AcumulaLinea(Lineas, Cuenta, Importe, DebeHaber);
}

void FrmQuarzelo::CmdGenerar_Click() {
    const bool IncluirProforma = chkIncluirProforma->checkState() != Qt::Unchecked;
    PeriodoDesde = Recorta(Campo(QStringLiteral("PERIODO_DESDE"))->text());
    PeriodoHasta = Recorta(Campo(QStringLiteral("PERIODO_HASTA"))->text());
    // The switch that left the field's text unvalidated (the button was
    // pressed while it was refused): nothing is generated.
    if (std::exchange(RechazoAlSalir, false))
        return;
    // The balancing line goes to the REI account as validated and shown.
    if (!CtaReiValidada &&
        !ValidaCampo(ClsFormulario::IndiceControl(QStringLiteral("CTA_REI"), txtFields)))
        return;

    // Nothing is generated for a range that runs backwards (a year adjusted
    // to its last month proposes the month after it); the typed header is
    // still the user's to keep or leave.
    if (GeneracionAjuste::RechazaRango(PeriodoDesde, PeriodoHasta))
        return;
    Modificado = false;

    Lineas.assign(1, TipoLineaAjuste());
    FinGeneracion = Genera_Asiento(PeriodoDesde, PeriodoHasta, IncluirProforma);
    CuentaReiLineas = CuentaReiValidada;
    GeneracionAjuste::Balancea(Lineas, CuentaReiLineas);
    LlenaResumen();
    ActualizaTotales();

    Paxtor1->setEstado(Paxtor::GrabarCancelarSegundo, true);

    const vb::Currency totalDebe = ClsUtilidades::TextoAMoneda(txtTotal[0]->text());
    if (totalDebe == ClsUtilidades::TextoAMoneda(txtTotal[1]->text()))
        Campo(QStringLiteral("CABIMPORTE"))->setText(txtTotal[0]->text());

    if (totalDebe != vb::Currency()) {
        // A run that stopped early shows what it computed but cannot be
        // stored; the lines balance on the REI account shown, which stays
        // as it is until a new entry.
        PonContenido(FinGeneracion == GeneracionAjuste::Fin::Completa ? Contenido::Grabable
                                                                      : Contenido::NoGrabable);
        QLineEdit* detalle = Campo(QStringLiteral("DETALLE"));
        detalle->setEnabled(true);
        detalle->setFocus();
    } else {
        vb::MsgBox(QStringLiteral("No hay movimientos para generar el Asiento de Ajuste , con los "
                                  "datos proporcionados"),
                   vb::vbInformation, QStringLiteral("Aviso al operador"));
        // Nothing to store: GRABAR stays off until a generation finds movements.
        PonContenido(Contenido::SinLineas);
        CtaReiValidada = false;
        CuentaReiLineas.clear();
    }
}
