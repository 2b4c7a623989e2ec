#pragma once
// The list lookup window: the rows of one SELECT in a list with a search
// combo over each column. The lookup object sets the public values, loads the
// window, shows it modally and reads the choice back from ValorDevuelto,
// Valores and Cantidades; accepting or cancelling only hides the window.
//
// The query's recordset stays open after the load: the list reads its rows
// in batches as the user scrolls, and the recordset is closed once its last
// row is read, at the next load, or when the window unloads. The list reads
// in the statement's order with every column as ties' order, so it can go
// on by key: while it waits the recordset is closed, and the next read asks
// for the rows after the last one shown, whatever others wrote meanwhile. A
// search the rows read do not answer asks the database for the first row
// that does, and the list then starts there (the rows before it are read as
// the user scrolls up).

#include "lookup/buscador_consulta.h"
#include "lookup/modelo_consulta.h"
#include "lookup/sentencia_consulta.h"
#include "platform/ado/ado.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class DB_Dll;
class QComboBox;
class QKeyEvent;
class QFrame;
class QLabel;
class QPushButton;
class QTreeView;
class FiltroTeclasConsulta;

class Lib_FrmCons3 : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3(QWidget* parent = nullptr);
    // Unloads the window when nobody did.
    ~Lib_FrmCons3() override;

    // ---- Public values ------------------------------------------------------------
    QString SQL;               // the SELECT to show
    QString CampoDevuelto;     // header of the column whose value is returned
    QStringList CmpsDevueltos; // further columns wanted back; empty: none
    bool CheckBoxes = false;   // a check box per row: several rows may be chosen
    QString gConnString;       // the lookup object's; the window does not read it
    QVariant ValorDevuelto;    // single choice; an invalid QVariant is Empty
    QStringList Valores;
    QStringList Cantidades;     // with UsaCantidades, one quantity per value returned
    bool UsaCantidades = false; // the "**Cantidad**" column is edited with Insert/Delete
    QString FiltroInicial;      // typed into the first search combo after loading
    QString CampoBusqueda;      // the lookup object's search column; not read here
    bool OrdenarPorLwv = false; // the list sorts itself (statement without ORDER BY)
    // Values (separated by ",", ";" or "|") whose rows start checked; "@10"
    // widens the columns instead.
    QString ValoresDefault;
    bool CfgUsaConsultaLIKE = false; // F5 finds the words anywhere, not as a prefix
    QString MuestraStock;            // "SI": article rows coloured by their stock
    QVariant StkNivel1, StkNivel2, StkNivel3, StkNivel4; // colour numbers (0x00BBGGRR)
    bool GrabarCfg = false;                              // column widths saved on unload
    bool UsarUDBC = false;                               // the query runs on gDatosAux

    // ---- Loading and layout ----------------------------------------------------------
    // Runs the query and fills the window; runs again on a new search.
    void Form_Load();
    // Form_Load the first time only; the lookup object calls it before
    // showing the window.
    void Cargar();
    void Form_Unload(int& Cancel);
    void Encolumnar();
    // Hands the open recordset to the list, which reads its rows from here on.
    void Leer(std::int32_t Cdesde, std::int16_t Cuantas);
    // Widens each column to its widest value read so far, up to the width
    // of 60 characters; the search column whatever its values and its title
    // take.
    void AnchosSegunValores();
    void CalcularAncho();
    void LeerAnchosColumnas();
    void GrabarAnchosColumnas();
    // Every row unchecked, the rows still to be read included.
    void DesmarcarFilas();
    // End and Home of the list: its last row, or its first, current, read
    // from the database when the list does not hold it.
    void IrAlFinal();
    void IrAlPrincipio();

    // ---- Searching ---------------------------------------------------------------------
    void CmbSearch_GotFocus(int Index);
    void CmbSearch_LostFocus(int Index);
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index);
    // 1-based row of the first read row whose column Clave (0 = the row's
    // text) starts with QueValor, letter case ignored; 0 when none.
    std::int32_t Busqueda(std::int32_t Clave, const QString& QueValor);
    // 1-based column whose trimmed header equals the trimmed name; 0 when none.
    std::int16_t IndiceColumna(const QString& Columna) const;
    void ListView1_ColumnClick(int ColumnHeader); // 1-based
    void CmdNueva_Click();
    void CmdCancelar_Click();
    void CmdTodos_Click();
    void CmdNuevo_Click();
    // F12 in an article lookup reports the selected article as missing.
    void Form_KeyDown(int& KeyCode, int Shift);

    // ---- Choosing ----------------------------------------------------------------------
    // KeyCode is the key's Windows key code, Texto what the
    // key types. A key the window acts on comes back as KeyCode 0.
    void ListView1_KeyDown(int& KeyCode, int Shift, const QString& Texto = QString());
    void ListView1_DblClick();
    void CmdAceptar_Click();

    // ---- For the lookup object and tests ------------------------------------------------
    QString tablaConsulta() const { return TablaConsulta; }
    QString sqlInicial() const { return SQLInicial; }
    QString sqlActual() const { return SQLActual; }
    bool esArticulo() const { return EsArticulo; }
    // True while the query's recordset is open (rows left to read).
    bool recordsetAbierto() const;
    // A search typed is still under way in the database; its row is
    // selected when it comes.
    bool buscando() const;
    ModeloConsulta& modelo() { return *Modelo; }

    // Twips per pixel at 96 dpi: the width file holds twips.
    static constexpr int kTwipsPorPixel = 15;
    // The column whose box takes the first keystroke and the initial filter.
    static constexpr int kColumnaBusqueda = 0;
    // Rows up to which a list sorts itself by a header; a longer one has the
    // database read its rows again in that order.
    static constexpr int kOrdenEnLista = 10000;
    // Rows a read by key asks for at once: a database that sorts for the
    // list then keeps only that many of the first ones, and reading on asks
    // for the next ones.
    static constexpr int kTramo = 4096;

protected:
    void reject() override;
    // Keys that no control took (a button has the focus) still reach Form_KeyDown.
    void keyPressEvent(QKeyEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    // A search under way no longer selects a row.
    void hideEvent(QHideEvent* e) override;

private:
    friend class FiltroTeclasConsulta;

    // ---- Controls ------------------------------------------------------------------
    QLabel* Label1 = nullptr;
    QLabel* lblFieldName = nullptr;
    QWidget* picFields = nullptr; // strip holding the search combos
    std::vector<QComboBox*> CmbSearch;
    QTreeView* ListView1 = nullptr;
    ModeloConsulta* Modelo = nullptr;
    QFrame* Frame1 = nullptr;
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;
    QPushButton* CmdNuevo = nullptr;
    QPushButton* CmdTodos = nullptr;
    FiltroTeclasConsulta* Filtro = nullptr;

    // ---- Window state ----------------------------------------------------------------
    bool EsArticulo = false;
    QString SQLInicial;
    QString SQLActual;
    QString TablaConsulta;
    ado::RecordsetPtr RsConsulta;
    bool ConsultaEnAux = false; // RsConsulta was opened on gDatosAux
    int IndiceCombo = 0;
    QString ColaSQL;
    bool Cargada = false;
    bool Descargada = false;
    // Rows read later start unchecked whatever ValoresDefault says.
    bool SinMarcasIniciales = false;
    // "Marcar" turned every row round an odd number of times: rows read
    // later come turned round too.
    bool MarcasInvertidas = false;
    // The values of ValoresDefault, trimmed (empty ones left out).
    QStringList ValoresMarcados;
    // Check marks of rows read before the database sorted the list again,
    // by the value the row returns.
    QHash<QString, bool> MarcasFijadas;
    // The select list's names, of the statement NombresDe.
    QStringList Nombres;
    QString NombresDe;
    std::vector<bool> Ordenables; // the columns that break ties
    // The next load's statement has the select list of NombresDe's.
    bool MismaLista = false;
    std::vector<bool> ColumnaTexto;
    std::vector<bool> ColumnaFecha; // the column holds dates
    // The statement's own order over the list; the list's own, sort included.
    std::vector<sentenciaconsulta::Clave> ClavesPropias, Claves;
    bool PorClaves = false; // the list reads on by key
    std::vector<QVariant> UltimaLeida;
    bool Reabrir = false;      // RsConsulta was let go with rows left
    bool MoverPrimero = false; // a move passed over: RsConsulta is on a row shown
    bool Anclada = false;      // the list starts at a row found, not at the first
    int TopAbierto = 0;        // rows RsConsulta was asked for; 0: all
    int FilasAbiertas = 0;     // rows of RsConsulta passed so far

    void ArmaControles();
    QComboBox* NuevoCombo(int Index);
    // Width the cells of a column read so far need (the first
    // kFilasMedidas); -1 without rows.
    int AnchoValores(int columna) const;
    static constexpr int kFilasMedidas = 1000;
    // The search column's: its values and its title.
    int AnchoBusqueda() const;
    // Moves the search combos over their columns.
    void ColocaCombos();
    DB_Dll& Datos() const;
    // Opens RsConsulta on SQL, in the list's order when it is sorted; its
    // rows are read as the list asks for them.
    // `saltadas` rows at its start are rows shown already, passed over.
    void AbreConsulta(sentenciaconsulta::Desde desde = sentenciaconsulta::Desde::Principio,
                      const std::vector<QVariant>& valores = {}, int saltadas = 0);
    void CierraConsulta();
    // The list lets go of the database; reading on asks for the rows after
    // the last one read. A statement the list cannot read on by key keeps
    // its read.
    void SueltaConsulta();
    // The list from the row `valores` on (the row itself included).
    void AnclaEn(const std::vector<QVariant>& valores);
    // The same from the rows the search's thread read there: the window
    // waits for no statement.
    void AnclaConFilas(const BuscadorConsulta::Tramo& tramo);
    // The list reads RsConsulta, or the rows read for it, from here on.
    void PoneFuente();
    // Rows read ahead, in the list's order, that the list shows before it
    // asks the database again; at the end when fewer came than were asked.
    std::deque<std::vector<QVariant>> Previas;
    bool PreviasAlFinal = false;
    // The rows before the first one held, nearest first, read ahead.
    BuscadorConsulta::Filas PreviasAntes;
    bool AntesLeidas = false;
    bool LeePrevias(std::vector<FilaConsulta>& filas, int cuantas);
    // The rows before the first row held, nearest first.
    bool LeeAnteriores(std::vector<FilaConsulta>& filas, int cuantas);
    void TraeAnteriores();
    // The first row of the database whose column starts with the text, in
    // the list's order: its row (1-based) when the list holds it, else the
    // list starts there. 0 when there is none.
    std::int32_t BuscaEnBase(int columna, const QString& texto);
    // The row (1-based) of the rows read that answers the search, with
    // `resuelta` true when no row still to be read can come before it.
    std::int32_t BuscaEnLeidas(int columna, const QString& texto, bool& resuelta);
    // BuscaEnBase in the search's own thread, the row selected when it
    // comes; false when the search cannot go there.
    bool BuscaEnFondo(int columna, const QString& texto);
    // The statement of the rows, in the list's order, that may be the one
    // sought.
    QString SentenciaBusqueda(int columna, const QString& texto);
    // The row found: its row (1-based) when the list holds it, else the
    // list starts there.
    std::int32_t MuestraHallada(const std::vector<QVariant>& valores,
                                const BuscadorConsulta::Tramo* tramo = nullptr);
    // The row found, selected unless another search or load came since;
    // while the list reads (a query opening lets events run) it waits.
    void AplicaHallazgo(int busqueda, int carga, int columna, const QString& texto, bool hecha,
                        const std::vector<QVariant>& fila, const BuscadorConsulta::Tramo& tramo);
    // The search under way, if any, selects no row.
    void CancelaBusqueda();
    // A request for the search's thread with the window's connection; false
    // where that thread cannot read for the window (Oracle, rows written and
    // not committed).
    bool PedidoEnFondo(BuscadorConsulta::Pedido& pedido);
    // End (`final`) or Home reading its rows in the search's thread; false
    // when the thread cannot read them.
    bool ExtremoEnFondo(bool final);
    // End's or Home's rows, unless a key, a search or a load came since.
    void AplicaExtremo(int busqueda, int carga, bool final, bool hecha,
                       const BuscadorConsulta::Tramo& tramo);
    // The list from its last rows or its first: the rows the search's thread
    // read, or read here without them.
    void LeeExtremo(bool final, const BuscadorConsulta::Tramo* tramo);
    // End or Home waits for its rows: the next key drops them.
    bool ExtremoPendiente = false;
    BuscadorConsulta* Buscador = nullptr;
    int Busquedas = 0;             // counts the searches typed and cancelled
    bool HallazgoEnEspera = false; // a row found waits for a read to end
    // How long a key waits for the database's answer before the window
    // goes on and the row is selected when it comes.
    static constexpr int kEsperaBusquedaMs = 70;
    // Check marks of the rows held, kept for when they are read again.
    void GuardaMarcas();
    // Sorts by a column: in the list when it holds every row, else by the
    // database, which reads the rows again in that order.
    void Ordena(int columna, Qt::SortOrder orden);
    // The statement has more than `cuantas` rows (counted, not read).
    bool MasFilasQue(int cuantas);
    // Column (0-based) of the value a row returns.
    int ColumnaDevuelta() const;
    // Reads up to `cuantas` rows of RsConsulta; false at its end, where it is closed.
    bool LeeFilas(std::vector<FilaConsulta>& filas, int cuantas);
    // The rows held at the end of the list that tie with the last one on
    // every key, the last one included; at its start, with the first one.
    int EmpatadasAlFinal() const;
    int EmpatadasAlPrincipio() const;
    // Walks the checked rows of the list's order that the list does not
    // hold, those before its first row or those after its last, as they are
    // read and without keeping them. False when the read failed.
    bool RecorreNoLeidas(bool anteriores, const std::function<void(const FilaConsulta&)>& cada);
    void LlenaFila(FilaConsulta& fila, int campos, ado::Recordset& rs);
    void LlenaFila(FilaConsulta& fila, std::vector<QVariant> valores);
    QColor ColorStock(const std::vector<QVariant>& valores) const;
    bool MarcadaInicialmente(const QVariant& valor) const;
    // The check mark of a row of the query as the list would show it now.
    bool MarcaDe(const std::vector<QVariant>& valores) const;
    // The place of a column of the query by its name, letter case ignored; -1 without it.
    int CampoDe(const QString& nombre) const;
    // The current row (0-based); -1 when there is none.
    int FilaSeleccionada() const;
    void SeleccionaFila(int fila);
    QString ValorColumna(int fila, int columna) const;
    void ConsultaServidor(int Index);
    // F5's statement read from its start in the search's thread; the
    // window loads the new statement when the rows come, unless a key, a
    // load or a sort came since. False when the thread cannot read it.
    bool ConsultaEnFondo(int Index, const sentenciaconsulta::Filtro& filtro);
    void AplicaConsulta(int busqueda, const QString& previa, int Index,
                        const sentenciaconsulta::Filtro& filtro, bool hecha,
                        const QString& sentencia, const BuscadorConsulta::Tramo& tramo);
    // F5's filter put into the statement, which is loaded again; without a
    // filter (it could not be built) the statement is loaded as it is.
    void CargaFiltrada(int Index, const sentenciaconsulta::Filtro* filtro);
    // The statement a load of `sql` opens when the list reads it by key with
    // the select list it has; empty otherwise.
    QString SentenciaDeCarga(const QString& sql) const;
    // Rows of the next load's statement read beforehand, by its text: the
    // load takes them instead of opening it.
    struct CargaPrevia {
        QString sentencia;
        BuscadorConsulta::Tramo tramo;
    };
    std::optional<CargaPrevia> CargaLeida;
    // The load took its rows and columns from CargaLeida.
    bool CargaDePrevias = false;
    std::vector<BuscadorConsulta::Campo> CamposLeidos;
    void TeclasCantidad(int KeyCode, int Shift);
    // Types the key into the search combo in use; false when it types nothing.
    bool EscribeEnBusqueda(int KeyCode, int Shift, const QString& Texto);
    // The table name the width file knows the window's table by.
    QString TablaAnchos();
};
