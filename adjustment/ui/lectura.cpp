// Reading back a stored summary entry (the lines marked with the summary
// series and ESRESUMEN) into the header, the lines and the grid, and the
// search for the summary control row of a subledger and day.

#include "adjustment/ui/frmquarzelo.h"

#include "adjustment/core/lectura.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "startup/core/cnstuffcontable.h"

#include <QLineEdit>

namespace {

// The month of a number in display form ("05-0000123"); 0 when the text
// carries none.
int MesDe(const QString& numero) {
    const qsizetype guion = numero.indexOf(u'-');
    if (guion < 0)
        return 0;
    const double mes = vb::Val(numero.left(guion));
    return mes >= 1 && mes <= 12 ? int(mes) : 0;
}

} // namespace

void FrmQuarzelo::MuestraAsiento() {
    try {
        QLineEdit* id = Campo(QStringLiteral("ID"));
        if (!id)
            return;
        const QString texto = id->text();
        NumeroCargado = std::int32_t(vb::CLng(vb::Val(Reglas->FormatNroAsiento(texto))));
        CargaAsiento(NumeroCargado, MesDe(texto));
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        const ado::Error e = pasos::CurrentError();
        if (e.Number == ado::adErrNoCurrentRecord)
            return;
        vb::MsgBox(QStringLiteral("Error detectado: ") + QString::number(e.Number) + u' ' +
                   e.Description);
    }
}

void FrmQuarzelo::CargaAsiento(std::int32_t NumeroAsiento, int Mes) {
    AsientoCargado asiento = LecturaAjuste::CargaAsiento(
        NumeroAsiento, Mes, CNStuffContable::gPeriodoActual, RsAsientos);
    // A failed read was reported by the data object; no lines, nothing shown.
    if (!asiento.Hallado)
        return;

    if (!asiento.Control.empty()) {
        for (const auto& [columna, texto] : asiento.Control)
            if (QLineEdit* f = Campo(columna))
                f->setText(texto);
        QLineEdit* id = Campo(QStringLiteral("ID"));
        QLineEdit* hasta = Campo(QStringLiteral("FECHA_HASTA"));
        const std::optional<QDateTime> fecha =
            hasta ? vb::ParseDate(hasta->text()) : std::optional<QDateTime>();
        if (id && fecha)
            id->setText(Reglas->FormatDisplayNroAsiento(id->text(), *fecha));
    }

    // The entry read back takes the window's place as a whole: its lines
    // and totals are shown, and it is a view that is never stored again.
    Lineas = std::move(asiento.Lineas);
    CuentaReiLineas.clear();
    PonContenido(Contenido::Leido);
    HabilitaCabecera(true);

    if (QLineEdit* importe = Campo(QStringLiteral("CABIMPORTE")))
        importe->setText(asiento.CabImporte);

    LlenaResumen();
    ActualizaTotales();
    Paxtor1->setEstado(Paxtor::EstadoBorrar, true);
}

void FrmQuarzelo::BuscaControlResumen(const QDate& Fecha, const QString& Subdiario, bool& Existe) {
    Existe = LecturaAjuste::BuscaControlResumen(Fecha, Subdiario);
}
