#pragma once
// The chart-of-accounts window: one account of MA_CUENTAS at a time, a browse
// state (no account chosen) and an edit state (a new or an existing account),
// the command bar with its eight keys, the side toolbar of the chart, and a
// place beside the account for the chart tree. Building the window does not
// load it: the program runs the start-up, then Form_Load.

#include "accounts/core/cuenta.h"
#include "accounts/core/grabacion.h"
#include "data/pasos.h"
#include "platform/ado/ado.h"
#include "platform/ui/paxtor.h"
#include "platform/ui/skinframework.h"
#include "platform/ui/statusbar.h"

#include <QHash>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ArbolPlanCuentas;
class GrillaPersonalizados;
class QAction;
class QCheckBox;
class QCloseEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSplitter;
class QTabWidget;
class QToolBar;

class ClsReglasPlan;
class FiltroCuentas;
struct FilaPlan;

class FrmMA_CUENTAS : public QWidget {
    Q_OBJECT
public:
    explicit FrmMA_CUENTAS(QWidget* parent = nullptr);
    ~FrmMA_CUENTAS() override;

    // ---- Window values no control shows ---------------------------------------------
    bool esNuevo() const { return EsNuevo; }
    bool esModificacion() const { return EsModificacion; }
    bool grabando() const { return Grabando; }
    bool datosModificados() const { return DatosModificados; }
    bool hayError() const { return HayError; }
    bool muestraArbol() const { return MuestraArbol; }
    const QString& cCostoPorDefecto() const { return CCostoPorDefecto; }
    const ado::RecordsetPtr& rsCuentas() const { return RsCuentas; }
    // The code (without "-") the window's state was set for; empty while
    // browsing.
    const QString& claveAceptada() const { return CodigoEstablecido; }
    // Stored accounts loaded into the window so far, and its resets.
    int cargas() const { return Cargas; }
    int reinicios() const { return Reinicios; }
    // The chart tree's widget goes into the place beside the account.
    void setArbol(QWidget* arbol);
    // The custom-fields grid goes into the frame of the second tab.
    void setGrilla(QWidget* grilla);

    // ---- Start, reset and enable rules ------------------------------------------------
    // Prepares the window on the open connection (the start-up has run).
    void Form_Load();
    // Back to the browse state with nothing loaded.
    void LimpiarPantalla();
    // Browse (false) or edit (true): the fields, the kind options, the second
    // tab and the command-bar keys that depend on the state.
    void HabilitarControles(bool Habilitar);
    // Refills the index-series and means-of-payment lists.
    void CargarCombos();
    void AbreRecordsetCuentas(const QString& Tabla);

    // ---- Command bar and keys ---------------------------------------------------------
    void Paxtor1_ButtonClick(const QString& Key);
    // Every key of the window goes to the command bar first.
    void Form_KeyDown(int KeyCode, int Shift);
    // Stores the tree state and closes the window; Cancel is never set.
    void Form_Unload(int& Cancel);

    // ---- Fields -----------------------------------------------------------------------
    void TxtCodigo_Change();
    void TxtCodigo_GotFocus();
    void TxtCodigo_LostFocus();
    void TxtCodigo_KeyDown(int KeyCode, int Shift);
    // KeyAscii as in txtFields_KeyPress: the code box writes a code as its
    // member does.
    void TxtCodigo_KeyPress(int& KeyAscii);
    // The right button (2) opens the code's lookup.
    void TxtCodigo_MouseDown(int Button);
    void txtFields_GotFocus(int Index);
    void txtFields_LostFocus(int Index);
    void txtFields_KeyDown(int Index, int KeyCode, int Shift);
    // KeyAscii is a Windows-1252 character code; the handler may change it,
    // 0 drops the key.
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void txtFields_KeyUp(int Index, int KeyCode, int Shift);
    // The right button (2) opens the field's lookup.
    void txtFields_MouseDown(int Index, int Button);
    // Leaving a field by focus: checks it unless Enter has just done so.
    void txtFields_Validate(int Index, bool& Cancel);

    // ---- Kind, check boxes and lists ----------------------------------------------------
    void OptTipoCuenta_Click(int Index);
    void CHKAjustable_Click();
    void ChkCyB_Click();
    void ChkVto_Click();
    void ChkBdu_Click();
    void ChkBloqueo_Click();
    void CmbMP_Click();
    void CmbMP_KeyDown(int KeyCode, int Shift);
    void CmbMP_KeyPress(int& KeyAscii);
    void CmbIndices_KeyPress(int& KeyAscii);
    void Combo1_KeyPress(int& KeyAscii);
    void Combo1_LostFocus();
    // Proposes the next free code under the title chosen in Combo1, checks
    // it as the code and sends the user to the name.
    void IdentificaCuenta();

    // ---- Loading and checking an account ------------------------------------------------
    // Checks txtFields(Index); HayError when refused. The code field decides
    // between a new and an existing account and switches to the edit state.
    void Campo_Valida(int Index);
    // Every field, before a save; true when all passed.
    bool ValidaDatos();
    // Shows the account on which RsCuentas stands: every field, the lists,
    // the check digit, the main account's name, its tree node and its custom
    // fields. With no current row only the custom fields are filled, empty.
    void AsignarDatos();

    // ---- Save and delete ------------------------------------------------------------------
    // Saves (EsNuevo / EsModificacion) or deletes (EsBaja) the shown account;
    // HayError when it was refused or failed.
    void ActualizaCuenta();
    // The account feeds a subledger of MA_SUBDIARIOS: the subledger's own
    // account, or one below its title or within its range of codes.
    bool ValidaCuentaSubD(const QString& QueCuenta);
    // The related windows live above this one: whoever builds the window
    // hands in how to open them. Each opens its window modeless on
    // CuentaActual, which the window has set. Unset: nothing opens (after a
    // save, CuentaActual is then emptied as after a No).
    // The additional-data window, from the side toolbar or after a save of
    // an account that lies in a range.
    std::function<void()> AbreDatosAdicionales;
    // The cost-centre distribution window (Frmta_asigccosto, Menu False: it
    // works on CuentaActual), from the side toolbar.
    std::function<void()> AbreCentrosCosto;

    // ---- Chart tree, title list and side toolbar --------------------------------------------
    void CargaComboTitulo(const QString& Desde = QString());
    void ArmarTreeVAutomatico(const QString& Desde = QString());
    // Shows (true) or hides (false) the chart tree; the window grows or
    // shrinks by the tree's width, the account's side keeps its own.
    void Treev_Estado(bool Mostrar);
    // A node clicked: its account is loaded and checked as a typed code is;
    // a node without an account (the root) empties the name and the code.
    void TreeV_NodeClick(const QString& Codigo);
    // A character typed on the tree sends the user to the name.
    void TreeV_KeyPress(int KeyAscii);
    // The side toolbar's key (the button's data), without regard to case.
    // Failures go to the operator error box ("ButtonClick").
    void Tbar_ButtonClick(QAction* Button);
    // The side toolbar's button n (1 to 7).
    QAction* BotonTbar(int n) const;

    // ---- Lookup and report ------------------------------------------------------------------
    // Lookup for the field that last had the focus.
    void ConsultarCodigo();
    // Hands the report to the suite's report runner beside the program.
    void LlamarReporte(const QString& Reporte);

protected:
    // The close box unloads the window as CERRAR does.
    void closeEvent(QCloseEvent* e) override;

private:
    friend class FiltroCuentas;

    // ---- Controls --------------------------------------------------------------------------
    Paxtor* Paxtor1 = nullptr;
    SkinFramework* SkinFramework1 = new SkinFramework(this);
    QLineEdit* TxtCodigo = nullptr;
    // DESCRIPCION, Codigo, CodigoOpcional, CuentaPrincipal, CodTarjeta_ConcAuto;
    // each carries its column in "DataField", its lookup table in "Tag" and
    // its display name in its tooltip.
    std::vector<QLineEdit*> txtFields;
    QComboBox* Combo1 = nullptr;
    std::array<QRadioButton*, 2> OptTipoCuenta{}; // "Imputable", "Título"
    QCheckBox* CHKAjustable = nullptr;
    QComboBox* CmbIndices = nullptr;
    QCheckBox* ChkBloqueo = nullptr;
    QCheckBox* ChkVto = nullptr;
    QCheckBox* ChkBdu = nullptr;
    QCheckBox* ChkCyB = nullptr;
    QComboBox* CmbMP = nullptr;
    QComboBox* CmbMoneda = nullptr;
    QCheckBox* chkTarjeta = nullptr;
    QLabel* lblCodTarjetaConcAuto = nullptr;
    QCheckBox* chkCCostos = nullptr;
    std::array<QRadioButton*, 3> optLibros{}; // none, purchases, sales
    QLabel* LblDV = nullptr;
    QLabel* LblDescRelacionado = nullptr;
    QLabel* Label1 = nullptr;
    std::vector<QLabel*> LblTitulo;
    QTabWidget* SSTab1 = nullptr;
    QGroupBox* Frame1 = nullptr;
    // The custom "P_" fields (MSFlexGrid1 and its edit box), in Frame1.
    GrillaPersonalizados* Grilla = nullptr;
    QToolBar* Tbar = nullptr;
    StatusBar* sbStatusBar = nullptr;
    // The tree's place: the left pane of the splitter; the account's side
    // is the right one.
    QSplitter* Divisor = nullptr;
    QWidget* PanelArbol = nullptr;
    QWidget* PanelCuenta = nullptr;
    ArbolPlanCuentas* TreeV = nullptr;

    // ---- Window values -----------------------------------------------------------------------
    QString TablaCuentas;
    ado::RecordsetPtr RsCuentas;
    bool EsNuevo = false;
    bool EsModificacion = false;
    bool EsBaja = false;
    bool Grabando = false;
    bool DatosModificados = false;
    bool HayError = false;
    bool MuestraArbol = false;
    int IndiceActual = -1;
    QString CodigoCuenta;
    // The code the window's state was set for when it was typed, looked up
    // or loaded; empty after a reset. A command judges another one first.
    QString CodigoEstablecido;
    // The code (without "-") the key boxes held when the window last set
    // them: the accepted code, the parent's code a save leaves, or nothing.
    // A box left with it checks nothing.
    QString CodigoDejado;
    // What the fields showed when the shown account was loaded, or the
    // window reset: what differs from it is what the user typed.
    cuentas::Cuenta ValoresBase;
    // The loaded account's row as read: its save expects to find it so.
    std::optional<cuentas::FilaGuardada> FilaCargada;
    // The title of Combo1 for which a code was last proposed: leaving the
    // list on it again proposes nothing.
    QString TituloPropuesto;
    // What the last check of a code came to.
    enum class Juicio {
        Ninguno,   // nothing judged
        Aceptado,  // a new code: the window edits a new account
        Cargado,   // a stored account was loaded and shown
        Rechazado, // refused, with its message
        Desistido, // the user kept the account shown: the boxes got its code back
    };
    Juicio UltimoJuicio = Juicio::Ninguno;
    // The code text last refused: leaving a box with it again tells nothing
    // new (a command still refuses it).
    QString CodigoRechazado;
    // Refusals so far (a field's check, a save stopped): a save reads its own
    // by the count, which no later check can take back.
    int Rechazos = 0;
    // After a save: the code of the level above the saved account, which
    // GRABAR leaves in the code box for the next one; empty for none.
    QString CodigoSiguiente;
    // Resets so far: a command tells by the count whether it left the
    // account shown.
    int Reinicios = 0;
    // Stored accounts loaded so far (AsignarDatos).
    int Cargas = 0;
    QString CCostoPorDefecto;
    QString TituloBonos;
    QString TituloMutuales;
    // Form_Unload is running: the close it ends with must not run it again.
    bool Descargando = false;
    std::unique_ptr<ClsReglasPlan> ReglasPlan;
    // Per member: leaving it by focus checks it.
    std::vector<bool> ValidaAlSalir;
    // A check or a command-bar key runs: the focus moves it makes check
    // nothing.
    int RutinasEnCurso = 0;
    // Controls are switched on or off: focus moves run no handler.
    int FocoEnPausa = 0;
    // The check runs from a focus move: the focus is not taken back.
    bool EnValidate = false;
    // The tree pane's width while it is hidden, to give it back.
    int AnchoArbol = 0;
    // While the window loads: the chart read once for its tree and its
    // title list.
    const std::vector<FilaPlan>* PlanAlAbrir = nullptr;
    // Where each title stands in Combo1, by its code (letter case folded).
    QHash<QString, int> PosicionTitulo;

    void ArmaControles();
    void ConectaEventos();
    FiltroCuentas* Filtro = nullptr;
    QObject* Previa = nullptr;

    // The member bound to a column (letter case ignored); nullptr when none is.
    QLineEdit* Campo(const QString& columna) const;
    // The caret of txtFields(0) at the end of its trimmed text, txtFields(0)
    // focused, then the code box.
    void FocoAlCodigo();
    void EnfocaDescripcion();
    // The command bar's key, upper-cased, to its branch.
    void Paxtor1_Tecla(const QString& clave);
    // The bar's branches of more than one step.
    void Nuevo();
    void Borrar();
    void Grabar();
    void Cancelar();
    // Runs the steps of a command-bar branch with the bar's error treatment.
    bool PasosBarra(const std::vector<pasos::Step>& pasos);

    // The window's rules object, created on first use.
    ClsReglasPlan& Reglas();
    // The checks of Campo_Valida; false ends it (refused, or nothing to do).
    bool ValidaCodigo(int Index, const QString& Valor);
    bool ValidaCuentaPrincipal(int Index, const QString& Valor);
    bool ValidaCodigoOpcional(int Index, const QString& Valor);
    bool RefrescaSegunTipo(int Index);
    // A refused value: HayError, the message, the focus back on the field.
    void Rechaza(int Index, const QString& Mensaje);
    // A refusal without a message of its own.
    void Detiene();
    // Every command passes here first: a code edited in a key box and not
    // yet judged is judged as if typed and left. True when the command goes
    // on: the code is the one accepted, or (SigueConNueva) a new one was just
    // accepted; false when it was refused, another account was loaded or
    // prepared instead, or the user kept the account shown.
    bool PasaPuerta(bool SigueConNueva = true);
    // The key box holds the code the window last set there.
    bool CodigoSinCambio(const QString& Texto) const;
    // The fields hold values the user typed or chose since the last load or
    // reset.
    bool ValoresEscritos() const;
    // Asked before loading or clearing drops what the user typed; true when
    // the window may go on.
    bool AbandonaLoEscrito();
    // The key boxes get back the code the window last set there.
    void RestauraCodigo();
    // The window shows no account: browse, after the question when the user
    // typed something.
    void SinCuenta();
    // Every value of the account emptied, the code kept: a new code typed
    // over a stored account starts from nothing.
    void VaciaCuenta();
    // BORRAR on a new account: confirmed, the entry is dropped unstored.
    void DescartaNueva();
    // The two branches of ActualizaCuenta, on the code shown.
    void GrabaCuenta(const QString& Codigo);
    void BajaCuenta(const QString& Codigo);
    // The account as the controls hold it.
    cuentas::Cuenta CuentaMostrada() const;
    // What came of a save or delete: HayError, the refusal's box, the field
    // that takes the focus.
    void MuestraDesenlace(const cuentas::Desenlace& d);
    // Selects in Combo1 the title above an existing account, named Nombre
    // (cuentas::ExisteNivelSuperior).
    void SeleccionaTituloPadre(const QString& Codigo, const QString& Nombre);
    // The custom fields' names with no values, as a new account has them.
    void VaciaPersonalizados();
};
