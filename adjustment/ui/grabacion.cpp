// The window's save: its header fields as they stand and its lines go to the
// entry's save.

#include "adjustment/ui/frmquarzelo.h"

#include "adjustment/core/grabacion.h"
#include "startup/core/cnstuffcontable.h"

#include <QLineEdit>

void FrmQuarzelo::GrabaAsiento() {
    HayError = false;
    const auto texto = [this](const char* columna) {
        return Campo(QLatin1String(columna))->text();
    };
    const QLineEdit* fecha = Campo(QStringLiteral("FECHA"));
    CabeceraAjuste cabecera;
    cabecera.FECHA = fecha->text();
    cabecera.TagFecha = fecha->property("Tag").toString();
    cabecera.CampoFecha = fecha->property("DataField").toString();
    cabecera.TC = texto("TC");
    cabecera.SUCURSAL = texto("SUCURSAL");
    cabecera.NUMERO = texto("NUMERO");
    cabecera.LETRA = texto("LETRA");
    cabecera.CABIMPORTE = texto("CABIMPORTE");
    cabecera.DETALLE = texto("DETALLE");
    cabecera.PERIODO_DESDE = texto("PERIODO_DESDE");
    cabecera.PERIODO_HASTA = texto("PERIODO_HASTA");
    cabecera.Ejercicio = CNStuffContable::gPeriodoActual;
    HayError = !GrabacionAjuste::Graba(cabecera, Lineas, Reglas);
}

void FrmQuarzelo::ObtienePeriodo(const QString& Fecha, std::int16_t& Periodo) {
    GrabacionAjuste::ObtienePeriodo(Fecha, Periodo);
}
