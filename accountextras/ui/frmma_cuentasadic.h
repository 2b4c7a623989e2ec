#pragma once
// The additional data of an account (MA_CUENTASADIC): address, document, tax
// and commercial data, and the custom "P_" columns, for the accounts whose
// code lies in an additional-data range.
//
// Two modes, chosen before the load by FormaIndependiente:
// - bound (false), as the accounts window opens it: the account is the one
//   CuentaActual names when the window loads; the code is locked, and a save,
//   a cancel or a close unloads the window;
// - standalone (true): the user types a code, saves, and the window clears
//   for the next one; closing it ends the program.
// The window keeps its own account: CuentaActual only hands the code over at
// the load, and the window never writes it.

#include "entries/lbc_asiento.h"
#include "platform/ado/ado.h"

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>
#include <vector>

class GrillaPersonalizados;
class Paxtor;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QTabWidget;
class FiltroAdicionales;

class frmMA_CUENTASADIC : public QWidget {
    Q_OBJECT
public:
    // The accounts window's and the program's way in: shows the one instance,
    // modeless. The first call creates and loads it in the given mode (bound:
    // on CuentaActual); later calls show it as it stands, until it closes,
    // or, bound, load CuentaActual's account when it shows another.
    static frmMA_CUENTASADIC* Muestra(bool FormaIndependiente = false);
    // The instance standing now; nullptr when none is.
    static frmMA_CUENTASADIC* Instancia();

    explicit frmMA_CUENTASADIC(QWidget* parent = nullptr);
    ~frmMA_CUENTASADIC() override;

    // Standalone mode; set before Form_Load.
    bool FormaIndependiente = false;

    // ---- Window values no control shows ---------------------------------------------
    bool esNuevo() const { return EsNuevo; }
    bool esModificacion() const { return EsModificacion; }
    bool hayError() const { return HayError; }
    // The account shown; empty in the empty state of the standalone mode.
    const QString& cuenta() const { return CodigoCuenta; }

    // ---- Start, reset and enable rules ----------------------------------------------
    // Prepares the window on the open connection; in bound mode loads the
    // account of CuentaActual.
    void Form_Load();
    // Opens rsAdicionales on the table's first row, the record's layout
    // (read only: the saves are the core's).
    void AbrirTabla(const QString& Tabla);
    // Flags and fields cleared, recordset reopened, detail off.
    void InicializarPantalla();
    // The fields, the command-bar keys and the second and third tabs, on or
    // off; in standalone mode the code field the other way round.
    void DetalleOn(bool Habilitar);
    // The current row of rsAdicionales in the fields, their descriptions and
    // the custom-fields grid.
    void MostrarDatos();

    // ---- Checks ---------------------------------------------------------------------
    // Every field in index order, stopping at the first refused; true when
    // all passed.
    bool ValidarCampos();
    // Checks one field; a refusal shows its message, sets HayError and puts
    // the focus back. The code field loads the account in standalone mode.
    void Campo_valida(int Index);
    // Shows or hides the optional fields of the account's view.
    void DeterminaVista(const QString& Cuenta);
    // The SQL condition that selects every account of some range.
    QString Rangos_Adicionales();

    // ---- Save and delete ------------------------------------------------------------
    // Inserts or updates (EsNuevo / EsModificacion) or deletes (EsBaja) the
    // account's row, then replicates it; HayError when it failed, and then
    // the window keeps its state and data. With no mode it writes nothing
    // and clears the window.
    void ActualizarDatos();

    // ---- Command bar, lookup and keys -----------------------------------------------
    void Paxtor1_ButtonClick(const QString& Key);
    // The gate every command passes first: a code typed in the standalone
    // code field and not accepted is judged as if typed and left; the
    // command goes on only when the field still holds the account shown
    // (or nothing, with nothing shown).
    bool PasaPuerta();
    // The lookup of the field that last had the focus.
    void ConsultarCodigo();
    // Every key of the window goes to the command bar first.
    void Form_KeyDown(int KeyCode, int Shift);
    // Releases the recordset and the window; in standalone mode ends the
    // program.
    void Form_Unload();

    void txtFields_GotFocus(int Index);
    void txtFields_LostFocus(int Index);
    void txtFields_KeyDown(int Index, int KeyCode, int Shift);
    // KeyAscii is a Windows-1252 character code; the handler may change it.
    void txtFields_KeyPress(int Index, int& KeyAscii);
    // The right button (2) opens the field's lookup.
    void txtFields_MouseDown(int Index, int Button);

protected:
    // The close box unloads the window as CERRAR does.
    void closeEvent(QCloseEvent* e) override;

private:
    friend class FiltroAdicionales;

    // ---- Controls -------------------------------------------------------------------
    Paxtor* Paxtor1 = nullptr;
    QLabel* LblTitulo = nullptr;
    // Each carries its column in "DataField", its lookup table or view in
    // "Tag" and its display name in its tooltip.
    std::vector<QLineEdit*> txtFields;
    std::vector<QLabel*> lblLabels;
    // Captions of the "Más Datos" tab; 0 purchase/sale condition, 1
    // category, 3 credit limit.
    std::array<QLabel*, 7> Label1{};
    // Descriptions of the code fields, each with the Tag of its field.
    std::vector<QLabel*> lblDetalle;
    QGroupBox* Frame1 = nullptr;
    QGroupBox* FrmMasDatos = nullptr;
    QTabWidget* SSTab1 = nullptr;
    GrillaPersonalizados* Grilla = nullptr;

    // ---- Window values --------------------------------------------------------------
    ado::RecordsetPtr rsAdicionales;
    QString TablaAdicionales;
    // The account shown, accepted or handed over; the only code a command
    // acts on.
    QString CodigoCuenta;
    // The stored row as the fields were filled from it; nothing for a new
    // one. The save expects to find it so.
    std::optional<QStringList> FilaCargada;
    // The fields as the load left them: what differs was typed since.
    QString HuellaAlCargar;
    QString Huella() const;
    // True when nothing typed would be lost, or the user gives it up.
    bool AbandonaCambios();
    bool EsNuevo = false;
    bool EsBaja = false;
    bool EsModificacion = false;
    bool Grabando = false;
    bool HayError = false;
    bool Detalle = false; // the detail is on
    int CampoActual = -1;
    // Form_Unload is running: the close it ends with must not run it again.
    bool Descargando = false;
    Lbc_AsientoRef Reglas;
    FiltroAdicionales* Filtro = nullptr;
    QObject* Previa = nullptr;

    void ArmaControles();
    void ConectaEventos();
    // The member bound to a column (letter case ignored); nullptr when none is.
    QLineEdit* Campo(const QString& columna) const;
    // The account is in the chart; refused, LblTitulo shows "...".
    bool CuentaDelPlan(const QString& Codigo, ado::RecordsetPtr* Cuenta = nullptr);
    // rsAdicionales on the account's row, the mode it gives and the row as
    // loaded.
    void AbreFila(const QString& Codigo);
    // The optional fields of the "Más Datos" tab as designed, before a view
    // hides some of them.
    void MuestraOpcionales();
    // The description labels of the code in the field bound to CampoDatos;
    // a code its table lacks sets HayError and Mensaje.
    void MostrarDescripcion(const QString& CampoDatos, QString& Mensaje);
    // BORRAR only while the detail shows a stored row.
    void EstadoBorrar();
    // The empty state, the fields fitted to the table, the grid emptied.
    void LimpiaPantalla();
    // The custom-fields grid with the columns' names and no values.
    void VaciaPersonalizados();
    // The save and the delete of ActualizarDatos.
    void GrabaFila();
    void BorraFila();
};
