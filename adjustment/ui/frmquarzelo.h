#pragma once
// The inflation-adjustment window: header of the adjustment entry, the
// "&Generar" button that computes the lines, the summary grid with its totals
// and the command bar. Building the window does not start the run: the
// start-up sequence is a separate step.

#include "adjustment/core/generacion.h"
#include "entries/lbc_asiento.h"
#include "platform/ado/ado.h"
#include "platform/ui/paxtor.h"
#include "platform/ui/skinframework.h"
#include "platform/ui/statusbar.h"
#include "platform/vb/vb.h"

#include <QString>
#include <QWidget>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QCloseEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class FiltroCabecera;

class FrmQuarzelo : public QWidget {
    Q_OBJECT
public:
    explicit FrmQuarzelo(QWidget* parent = nullptr);
    ~FrmQuarzelo() override;

    // ---- Window values no control shows ------------------------------------------
    const LineasAjuste& lineas() const { return Lineas; }
    bool hayError() const { return HayError; }
    bool modificado() const { return Modificado; }
    bool ctaReiValidada() const { return CtaReiValidada; }
    int indiceActual() const { return IndiceActual; }
    GeneracionAjuste::Fin finGeneracion() const { return FinGeneracion; }
    // What the lines the window holds are, and so what it may do with them.
    enum class Contenido {
        SinLineas,  // a new entry, or a generation without movements
        Grabable,   // a complete generation, balanced on the REI account shown
        NoGrabable, // a generation that stopped early, or whose save failed
        Leido,      // a stored entry read back: a view, never stored again
    };
    Contenido contenido() const { return Estado; }
    std::int32_t numeroCargado() const { return NumeroCargado; }
    // Lines made elsewhere take the place of the window's, as a complete
    // generation's would: balanced on the REI account validated and shown
    // (the grid is not refilled).
    void setLineas(LineasAjuste lineas);
    // Turns on the messages of the header-amount check; no key of this
    // window does.
    void setVerificaTotales(bool verifica) { VerificaTotales = verifica; }
    // How the generation reads its sums (grouped unless told otherwise).
    void setLecturaGeneracion(GeneracionAjuste::Lectura lectura) { LecturaGeneracion = lectura; }
    // A header field bound to a column this window has none for (the ID and
    // FECHA_HASTA of a summary-entry view), appended to txtFields.
    QLineEdit* addHeaderField(const QString& DataField);

    // ---- Generation ----------------------------------------------------------------
    void CmdGenerar_Click();
    GeneracionAjuste::Fin Genera_Asiento(const QString& PeriodoDesde, const QString& PeriodoHasta,
                                         bool IncluirProforma);
    double PorcentajeIndice(const QString& QueCuenta, const QString& Anio, const QString& Mes);
    std::int16_t UltimoDiaMes(const QString& Mes, const QString& Anio);
    void AcumulaLinea(const QString& Cuenta, vb::Currency Importe, const QString& DebeHaber);

    // ---- Summary grid and totals ---------------------------------------------------
    void ArmaGrilla();
    void LlenaResumen();
    void ActualizaTotales();
    void CalculaTotales(vb::Currency& TotalDebe, vb::Currency& TotalHaber);
    void ValidaTotales(bool& Ok);
    void ValidaLineas(bool& Ok);
    void ControlaTotalCabecera(QString& Resultado);

    // ---- Start-up, toolbar and lifecycle ---------------------------------------------
    // The run's start-up: connection, fiscal year to adjust, a new entry.
    void Form_Load();
    void NuevoAsiento();
    void Paxtor1_ButtonClick(const QString& Key);
    void HabilitaCabecera(bool Bloquear);
    // Lookup for the header field in use; the chosen value is accepted as if
    // typed followed by Enter.
    void ConsultaCampo();
    void AbreRecordsetAsientos(const QString& Tabla);
    // Erases the lines, hides the window and ends the program.
    void Form_Unload(int& Cancel);
    // An entry is being edited (a validated field) or was generated and not
    // stored: closing asks first.
    bool AsientoPendiente() const;
    // True when there is nothing to lose or the user answers Sí to leaving it.
    bool Abandona(bool Pendiente) const;

    // ---- Header fields ---------------------------------------------------------------
    void txtFields_GotFocus(int Index);
    void txtFields_KeyDown(int Index, int& KeyCode, int Shift);
    void txtFields_KeyPress(int Index, int& KeyAscii);
    void txtFields_KeyUp(int Index, int KeyCode, int Shift);
    void txtFields_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // A field's text changed, typed or written: it stands unvalidated, and
    // a changed REI account turns "&Generar" off until it is validated.
    void txtFields_Change(int Index);
    // Leaving a changed header field by Tab, a click or a shortcut validates
    // it as Enter does; a refused field takes the focus back.
    void txtFields_LostFocus(int Index);
    // Validates one header field by index, setting HayError when it is
    // refused; true when it passed.
    virtual bool ValidaCampo(int Index);
    void ValidaCampo(QLineEdit* Control, int Index, bool MostrarMensaje);
    // "MMAAAA", "MM-AAAA" and "MM/AAAA" all become "MM/AAAA".
    static QString FormateaPeriodo(const QString& Texto);

    // ---- Storing the entry -------------------------------------------------------------
    // Stores the lines as one entry in one transaction; HayError when it failed.
    void GrabaAsiento();
    // Fiscal year containing a "dd/mm/yyyy" date; 0 when none does.
    static void ObtienePeriodo(const QString& Fecha, std::int16_t& Periodo);

    // ---- Reading back a stored entry -------------------------------------------------
    // Operations of a summary-entry view: no key or event of this window calls
    // them, and the view supplies the header fields bound to ID and FECHA_HASTA.
    // Shows the summary entry whose number the field bound to ID holds
    // ("MM-0000000" picks its month, a bare number the first month with one).
    void MuestraAsiento();
    // Loads a summary entry of the fiscal year in use into the header, the
    // lines and the grid; a number without lines changes nothing. Entries are
    // numbered per month: Mes 0 takes the first month that has the number.
    void CargaAsiento(std::int32_t NumeroAsiento, int Mes = 0);
    // Existe: a summary entry of the subledger that is not annulled covers the
    // day (both limits included).
    static void BuscaControlResumen(const QDate& Fecha, const QString& Subdiario, bool& Existe);

protected:
    // The close box is CERRAR: with an entry not stored it asks first.
    void closeEvent(QCloseEvent* e) override;

private:
    friend class FiltroCabecera;

    // ---- Controls --------------------------------------------------------------
    Paxtor* Paxtor1 = nullptr;
    SkinFramework* SkinFramework1 = new SkinFramework(this);
    QGroupBox* FrmCabecera = nullptr;
    // Header fields, indexed as bound: [NUMERO ASIENTO], PERIODO_DESDE,
    // PERIODO_HASTA, CTA_REI, TC, SUCURSAL, NUMERO, LETRA, DETALLE, FECHA,
    // CABIMPORTE. Each carries its column in "DataField" and its lookup tag
    // in "Tag".
    std::vector<QLineEdit*> txtFields;
    std::array<QLineEdit*, 2> txtTotal{}; // debit, credit
    QPushButton* CmdGenerar = nullptr;
    QCheckBox* chkIncluirProforma = nullptr;
    QTableWidget* FgResumen = nullptr;
    QLabel* LblDescCuenta = nullptr;
    QLabel* lbldesctc = nullptr;
    QLabel* LblEjercicio = nullptr;
    // Panels VERSION, SERVER, BASEDEDATOS, USUARIO, CAJA and MENSAJE.
    StatusBar* sbStatusBar = nullptr;

    // ---- Window values ---------------------------------------------------------
    Lbc_AsientoRef Reglas; // the journal-entry rules, created on first use
    QString Tabla;         // table of the window's own recordset
    ado::RecordsetPtr RsAsientos;
    QString InicioEjercicio; // "dd/mm/yyyy"
    QString FinEjercicio;
    QString DesdeDefecto; // "MM/AAAA"
    QString HastaDefecto;
    QString NumeroMostrado;
    LineasAjuste Lineas = LineasAjuste(1);
    int IndiceActual = -1;
    bool HayError = false;
    bool Modificado = false;
    bool VerificaTotales = false;
    // The REI account has passed its validation and is shown unchanged
    // since (CuentaReiValidada, trimmed); a change of the field or a
    // generation without movements clears it, and the save reads it.
    bool CtaReiValidada = false;
    QString CuentaReiValidada;
    // The account the generated lines balance on.
    QString CuentaReiLineas;
    // Per header field: passed its validation and unchanged since.
    std::vector<bool> Validado;
    // Per header field: its text changed since the entry was prepared.
    std::vector<bool> Tocado;
    // The user has typed into the entry since it was prepared.
    bool CabeceraTecleada = false;
    // The field just left was refused: the click that left it generates nothing.
    bool RechazoAlSalir = false;
    bool ValidandoAlSalir = false;
    // The field the header's check refused last, given the focus.
    QLineEdit* CampoRechazado = nullptr;
    // Periods of the last generation, trimmed.
    QString PeriodoDesde;
    QString PeriodoHasta;
    // How the generation reads its sums.
    GeneracionAjuste::Lectura LecturaGeneracion = GeneracionAjuste::Lectura::Agrupada;
    // Why the last generation ended; only a complete one may be stored.
    GeneracionAjuste::Fin FinGeneracion = GeneracionAjuste::Fin::Completa;
    // While the save check runs the header is validated as it stands: the
    // voucher fields are not refilled from the voucher book.
    bool SoloRevalida = false;
    std::int32_t NumeroCargado = 0; // the summary entry shown
    Contenido Estado = Contenido::SinLineas;
    // The one place that says what may be done with the lines: GRABAR,
    // "&Generar", the fields that decide the lines and "Incluir Proforma"
    // follow it.
    void PonContenido(Contenido c);
    // The check GRABAR runs on the header: fields accepted since their last
    // change are read again as they stand, the others judged in full (a
    // voucher type fills its branch, number and letter), but the header is
    // not locked.
    bool Grabando = false;

    // Summary grid column: title, bound column, width in characters, table.
    struct ColumnaGrilla {
        QString Titulo;
        QString Campo;
        int Ancho = 0;
        QString Tabla;
    };
    std::array<ColumnaGrilla, 5> Columnas;

    // Twips per pixel of the grid's widths.
    static constexpr int kTwipsPorPixel = 15;

    // The header field bound to a column (nullptr when none is).
    QLineEdit* Campo(const QString& columna) const;
    QString TextoCampo(const char* columna) const;
    void PonCampo(const char* columna, const QString& texto);

    // The rules of the header fields by column: the refusal message, or
    // nothing when the field passes.
    std::optional<QString> ReglaCtaRei(const QString& Texto);
    std::optional<QString> ReglaTC(const QLineEdit* Control, const QString& Texto);
    std::optional<QString> ReglaNumero(QLineEdit* Control, const QString& Texto);
    std::optional<QString> ReglaLetra(const QString& Texto);
    std::optional<QString> ReglaFecha(const QString& Texto);
    // A period refused outside the fiscal year has been told in a plain box
    // already (aviso): no further message.
    struct ReglaPeriodoResultado {
        std::optional<QString> rechazo;
        bool aviso = false;
    };
    ReglaPeriodoResultado ReglaPeriodo(const QString& Texto);

    // Validates, as the save check does, every enabled header field not
    // validated since its last change, except Salvo; the first refused one
    // takes the focus. True when all stand validated.
    bool ValidaCabecera(int Salvo);
    // The lines balance on the REI account shown, validated and postable;
    // otherwise the user is told and nothing may be stored.
    bool ReiDeLasLineas();
    // The REI account shown has passed its validation and not changed since.
    bool ReiVigente() const;

    void ArmaControles();
    // Routes the header fields' key, focus and mouse events to their handlers
    // and the toolbar's button event to Paxtor1_ButtonClick.
    void ConectaEventos();
    // The filter ConectaEventos installs; it reads txtFields, so the window
    // deletes it before its members and child fields go.
    QObject* FiltroEventos = nullptr;
    // The cell text in a column's alignment.
    void PonCelda(int fila, int columna, const QString& texto);
};
