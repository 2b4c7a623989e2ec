#pragma once
// The shared module's window dressing: the skin, the icon and toolbars, the
// status bar and the currency list every window of the suite gets.

#include <QString>

class QComboBox;
class QWidget;
class StatusBar;

namespace CNStuffContable {

// ---- Window dressing -------------------------------------------------------------------------
// Gives the window the user's skin (number in cn000pr.ini, kept in
// gEstiloSkin) through its skin control "SkinFramework1"; a window without
// one raises error 438.
void AplicaSkin(QWidget* Formulario);
// The program's icon ("IconoDelSistema" of CN000p.INI) and, but for the MDI
// frame, the main-window set-up and the flat style of its toolbars. A step
// that fails is passed over.
void ConfiguraIconoYBarras(QWidget* Formulario);
// The image file of that icon in the program folder; empty when there is none.
QString ArchivoIconoDelSistema();
// Fills the bar's panels by key: MENSAJE with the message; SERVER, USUARIO,
// BASEDEDATOS, CAJA and VERSION with the run's facts, unless SERVER already
// shows them. The cash box (gCaja, "1" when empty) is created when missing.
// A panel the bar lacks, or a step that fails, is passed over.
void CargaBarraEstado(StatusBar* Barra, const QString& Mensaje);
// Sets gUsaMultiMonedas from the key "UsaMultilesMonedas" and shows the list
// only then, filled with the currencies in code order, the first selected.
void CargaComboMonedas(QComboBox* Combo);

} // namespace CNStuffContable
