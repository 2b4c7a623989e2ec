#pragma once
// The cost-centre window: the distribution of one postable account over cost
// centres, in general or per business unit. The account is typed or picked in
// the account box, its lines are edited in place in the grid, the unit list
// switches between the general distribution and one unit's, and the command
// bar saves, deletes, clears, lists and closes. A side list shows the
// accounts that have a general distribution.
//
// One instance at a time, modeless. The window keeps its own account: the
// run-wide CuentaActual only hands the code over when it opens (from the
// accounts window), and the window never writes it. An account handed over
// is shown, not accepted: its lines are edited and stored only once the
// account box's code has been accepted. Opened by the program on
// its own (Menu) it starts with an empty account box, and closing it ends
// the program.

#include "accountextras/core/distribucion_ccosto.h"
#include "data/pasos.h"
#include "platform/ui/paxtor.h"

#include <QString>
#include <QVariant>
#include <QWidget>
#include <array>
#include <vector>

class EdicionCelda;
class FlexGrid;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QLabel;
class QLineEdit;
class QResizeEvent;
class FiltroCCosto;

class Frmta_asigccosto : public QWidget {
    Q_OBJECT
public:
    // Shows the one instance, modeless; the first call creates and loads it
    // (Menu false: on CuentaActual; true: with an empty account box). Later
    // calls show it as it stands until it closes.
    static Frmta_asigccosto* Muestra(bool Menu);
    // The instance standing now; nullptr when none is.
    static Frmta_asigccosto* Instancia();

    explicit Frmta_asigccosto(QWidget* parent = nullptr);
    ~Frmta_asigccosto() override;

    // Written by the opener before the load.
    bool Menu = false;

    // ---- Window values no control shows ------------------------------------------
    bool esNuevo() const { return EsNuevo; }
    bool esModificacion() const { return EsModificacion; }
    bool enEdicion() const { return EnEdicion; }
    bool hayError() const { return HayError; }
    // The account the window works on.
    const QString& cuenta() const { return Cuenta; }
    const ccosto::Lineas& lineas() const { return Lineas; }
    // Distributions read into the grid so far, accounts shown (each read
    // its flags) and resets.
    int cargas() const { return Cargas; }
    int cuentasMostradas() const { return CuentasMostradas; }
    int reinicios() const { return Reinicios; }

    // ---- Start, reset and states ----------------------------------------------
    void Form_Load();
    void LimpiarPantalla();
    // Edit (true) or browse (false).
    void HabilitarControles(bool Habilitar);
    void CargarUnidadesNegocio();
    void CargarCuentasAsignadas();
    // The distribution of the account shown for the unit shown.
    void CargarCentrosCosto();

    // ---- Command bar and keys ---------------------------------------------------
    void Paxtor1_ButtonClick(const QString& Key);
    // The gate every command passes first: an account box whose code is not
    // the account shown is judged as if typed and accepted; the command goes
    // on only when the box holds the account shown (or nothing, browsing).
    bool PasaPuerta();
    void Form_KeyDown(int KeyCode, int Shift);
    // Closes the window; in Menu mode the program ends.
    void Form_Unload(int& Cancel);

    // ---- Fields and lists ---------------------------------------------------------
    void txtCuenta_GotFocus(int Index);
    void txtCuenta_LostFocus(int Index);
    void txtCuenta_KeyDown(int Index, int KeyCode, int Shift);
    void txtCuenta_MouseDown(int Index, int Button);
    void ChkVariable_Click();
    void CmbUnegocio_Click();
    void CmbUnegocio_KeyDown(int KeyCode, int Shift);
    void MSHFlexGrid1_DblClick();
    void MSHFlexGrid1_KeyDown(int KeyCode, int Shift);
    void MSHFlexGrid1_RowColChange();
    // Lookup for the field that last had the focus.
    void ConsultarCodigo();

    // ---- The grid -----------------------------------------------------------------
    void MsFlex_Inicializa();
    void MostrarFila(int fila);
    void Brw_Propiedades(int Columna);
    // A key in the edit box: Enter (and the arrows) check the value first and
    // move on only when it passed; Escape drops it.
    void BrwTxt_KeyDown(int Index, int KeyCode, int Shift);

    // ---- Checks and the save ------------------------------------------------------------
    // Checks one box's value (an edit box or the account box) and keeps it
    // in its line; HayError when refused, told when MostrarMensaje.
    void ValidarCampo(QLineEdit* Control, int Index, bool MostrarMensaje);
    bool ValidarCampos();
    // Saves (or deletes, with EsBaja) what the window shows; HayError when
    // refused or failed.
    void Actualizar_Datos();

    // The business unit shown; empty for "General".
    QString UnidadNegocio() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class FiltroCCosto;

    // One grid column's editing properties.
    struct ColumnaGrilla {
        QString Titulo;
        QString Tabla;
        QString Campo;
        int Largo = 0;
        bool Editable = false;
        QVariant Tipo; // the column's ADO type, for the key filter
    };

    // ---- Controls ----------------------------------------------------------------
    Paxtor* Paxtor1 = nullptr;
    std::vector<QLineEdit*> txtCuenta;
    QLabel* lblDescripcion = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* CmbUnegocio = nullptr;
    QCheckBox* ChkVariable = nullptr;
    QCheckBox* ChkPideConf = nullptr;
    FlexGrid* FGCCosto = nullptr;
    std::vector<QLineEdit*> BrwTxt;
    EdicionCelda* Edicion = nullptr;
    QLabel* Label2 = nullptr;
    FlexGrid* MSHFlexGrid1 = nullptr;

    // ---- Window values ----------------------------------------------------------------
    QString TablaCCosto;
    // The account shown: the only one a command acts on. Editable only once
    // accepted (EnEdicion).
    QString Cuenta;
    // The check boxes hold the flags of the account shown, read when it was
    // loaded: another unit of it keeps what the user ticked.
    bool BanderasLeidas = false;
    bool PideLeida = false;
    bool VariableLeida = false;
    // What the save expects to find stored: the distribution shown and the
    // flags, as loaded.
    ccosto::Guardada Cargada;
    // The lines as loaded: what differs was typed since.
    ccosto::Lineas LineasLeidas{ccosto::LineaCCosto{}};
    ccosto::Lineas Lineas{ccosto::LineaCCosto{}};
    // The line under the edit box as it was when the box opened, for Escape
    // to give back.
    int FilaAbierta = 0;
    ccosto::LineaCCosto LineaAbierta;
    std::array<ColumnaGrilla, 4> Columnas{};
    bool EsNuevo = false;
    bool EsModificacion = false;
    bool EsBaja = false;
    bool Grabando = false;
    bool EnEdicion = false;
    bool HayError = false;
    int IndiceBrw = -2;
    int IndiceCuenta = -2;
    int FilaActual = 0;
    // The unit list is being refilled: its selection loads nothing.
    bool LlenandoUnidades = false;
    bool Descargando = false;
    int Cargas = 0;
    int CuentasMostradas = 0;
    int Reinicios = 0;
    FiltroCCosto* Filtro = nullptr;
    QObject* Previa = nullptr;

    void ArmaControles();
    void ConectaEventos();
    void AnchosCuentasAsignadas();
    void Rechaza(const QString& Mensaje, bool MostrarMensaje);
    // The grid's current cell entered.
    void FGCCosto_EnterCell();
    void FGCCosto_GotFocus();
    // A click on the grid, after the cell it chose was entered.
    void FGCCosto_Click();
    // Runs steps under the window's error treatment: a run-time error other
    // than 5 shows its description under Titulo; any error ends the steps.
    bool PasosBarra(const std::vector<pasos::Step>& pasos,
                    const QString& Titulo = QStringLiteral("Aviso al operador"));
    void Grabar();
    void Borrar();
    // The account has cost-centre movements. A failed check is told; Retry
    // repeats it, Ignore goes on with false, any other answer gives false
    // with Abandonada set.
    bool TieneMov(const QString& Cuenta, bool& Abandonada);
    // A value still in the edit box into its line, checked without
    // messages (HayError when refused).
    void ConfirmaCaja();
    // The focus on a cell of the grid, its edit box open when it takes one.
    void VaACelda(int Fila, int Columna);
    // Shows Codigo's distribution with its own flags.
    void MuestraCuenta(const QString& Codigo);
    // Lines or flags differ from what was loaded.
    bool HayCambios() const;
    // The save or the delete of the distribution shown, as the core takes it.
    ccosto::Grabacion Distribucion() const;
};
