// Searching in the list lookup window: the search combos (typing selects a
// row among those read, F5 asks the server again), sorting by a header, the
// buttons that restart, cancel, mark and open a maintenance program, and the
// stock-shortage report of article lookups.

#include "lookup/lib_frmcons3.h"

#include "data/instances.h"
#include "lookup/buscador_consulta.h"
#include "lookup/lib_frmcons3_interno.h"
#include "lookup/sentencia_consulta.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QComboBox>
#include <QHeaderView>
#include <QHideEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeView>
#include <array>
#include <optional>

using namespace frmcons3;

namespace {

void Fondo(QComboBox* combo, const QColor& color) {
    QPalette p = combo->palette();
    p.setColor(QPalette::Base, color);
    combo->setPalette(p);
    if (combo->lineEdit())
        combo->lineEdit()->setPalette(p);
}

// The date and time for a statement of the engine at hand.
QString FechaHoraParaSQL(const QDateTime& d) {
    switch (ClsUtilidades::motorSQL()) {
    case MotorSQL::SqlServer:
        return sqltext::literal(d.toString(QStringLiteral("yyyyMMdd HH:mm:ss")));
    case MotorSQL::Oracle:
        return QStringLiteral("TO_DATE('") + d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) +
               QStringLiteral("','YYYY-MM-DD HH24:MI:SS')");
    case MotorSQL::SQLite:
    default:
        return sqltext::literal(d.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
}

struct Mantenimiento {
    const char* tabla;
    const char* opcion;
    const char* parametro; // nullptr: the table's own name
};

constexpr std::array<Mantenimiento, 8> kMantenimientos{{
    {"V_TA_RUBROS", "SHELL:V_TA_TABLAS", nullptr},
    {"V_TA_UNIDAD", "SHELL:V_TA_TABLAS", nullptr},
    {"VT_CLIENTES", "SHELL:V_MA_CLIENTES", "1"},
    {"VT_PROVEEDORES", "SHELL:V_MA_CLIENTES", "0"},
    {"V_TA_Tecnicos", "SHELL:V_TA_Tecnicos", ""},
    {"V_TA_VENDEDORES", "SHELL:V_TA_VENDEDORES", ""},
    {"V_MA_ARTICULOS", "SHELL:V_MA_ARTICULOS", ""},
    {"VT_MA_ARTICULOS", "SHELL:V_MA_ARTICULOS", ""},
}};

// A cell's text as the list shows it: the row's own text trimmed.
QString TextoCelda(const QVariant& valor, int columna) {
    const QString texto = ClsUtilidades::ValorCampo(valor);
    return columna == 0 ? texto.trimmed() : ClsUtilidades::RellenaCeros(texto);
}

// The trimmed cell starts with the text, letter case ignored.
bool EmpiezaCon(const QString& celda, const QString& buscado) {
    return QStringView(celda.trimmed())
               .left(buscado.size())
               .trimmed()
               .compare(buscado, Qt::CaseInsensitive) == 0;
}

} // namespace

void Lib_FrmCons3::CmbSearch_GotFocus(int Index) {
    IndiceCombo = Index;
    Fondo(CmbSearch[size_t(Index)], QColor(0x00, 0xFF, 0xFF));
    // The first key finds the search's connection open.
    if (Buscador == nullptr && PorClaves && Modelo->quedanFilas()) {
        const ado::ConnectionPtr& cn = Datos().cnn();
        if (cn && cn->State() == ado::adStateOpen) {
            Buscador = new BuscadorConsulta(this);
            Buscador->prepara(cn->ConnectionString, cn->DefaultDatabase());
        }
    }
}

void Lib_FrmCons3::CmbSearch_LostFocus(int Index) {
    Fondo(CmbSearch[size_t(Index)], QColor(0xFF, 0xFF, 0xFF));
}

void Lib_FrmCons3::CmbSearch_Change(int Index) {
    Ignorando({[&] {
        const QString texto = CmbSearch[size_t(Index)]->currentText().trimmed();
        CancelaBusqueda();
        bool resuelta = false;
        std::int32_t n = BuscaEnLeidas(Index, texto, resuelta);
        if (!resuelta) {
            if (BuscaEnFondo(Index, texto))
                return;
            n = Busqueda(Index, texto);
        }
        if (n != 0)
            SeleccionaFila(n - 1);
    }});
}

void Lib_FrmCons3::CmbSearch_Click(int Index) {
    CmbSearch_Change(Index);
}

bool Lib_FrmCons3::buscando() const {
    return HallazgoEnEspera || (Buscador && Buscador->pendiente());
}

void Lib_FrmCons3::hideEvent(QHideEvent* e) {
    QDialog::hideEvent(e);
    CancelaBusqueda();
}

void Lib_FrmCons3::CancelaBusqueda() {
    ++Busquedas;
    HallazgoEnEspera = false;
    ExtremoPendiente = false;
    if (Buscador)
        Buscador->cancela();
}

std::int32_t Lib_FrmCons3::Busqueda(std::int32_t Clave, const QString& QueValor) {
    const QString buscado = QueValor.trimmed();
    bool resuelta = false;
    const std::int32_t leida = BuscaEnLeidas(Clave, buscado, resuelta);
    if (resuelta)
        return leida;
    if (PorClaves)
        return BuscaEnBase(Clave, buscado);
    // A statement the list cannot seek in: the rest is read on the way.
    int fila = Modelo->filas();
    while (Modelo->canFetchMore(QModelIndex())) {
        Modelo->fetchMore(QModelIndex());
        if (Modelo->fallida())
            break;
        for (; fila < Modelo->filas(); ++fila)
            if (EmpiezaCon(Modelo->texto(fila, Clave), buscado))
                return fila + 1;
    }
    return 0;
}

std::int32_t Lib_FrmCons3::BuscaEnLeidas(int columna, const QString& texto, bool& resuelta) {
    int leida = -1;
    for (int fila = 0; fila < Modelo->filas() && leida < 0; ++fila)
        if (EmpiezaCon(Modelo->texto(fila, columna), texto))
            leida = fila;
    // Rows read from the first one on answer for themselves; a list that
    // starts at a row found may have an earlier one before it.
    resuelta = PorClaves ? !Modelo->quedanAnteriores() && (leida >= 0 || !Modelo->quedanFilas())
                         : leida >= 0;
    return leida + 1;
}

QString Lib_FrmCons3::SentenciaBusqueda(int columna, const QString& texto) {
    using namespace sentenciaconsulta;
    const MotorSQL motor = ClsUtilidades::motorSQL();
    const bool esTexto = size_t(columna) < ColumnaTexto.size() && ColumnaTexto[size_t(columna)];
    const QString condicion =
        texto.isEmpty() ? QString() : CondicionPrefijo(Nombres[columna], texto, esTexto, motor);
    // From the first row even when the list holds the first rows: none of
    // them is the one sought, and a bound after them would keep an index
    // on the column from bounding the search.
    return SentenciaPorClaves(SQL, Nombres, Claves, Desde::Principio, {}, motor, condicion);
}

std::int32_t Lib_FrmCons3::BuscaEnBase(int columna, const QString& texto) {
    if (columna < 0 || columna >= Nombres.size())
        return 0;
    const QString sentencia = SentenciaBusqueda(columna, texto);
    SueltaConsulta();
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->setStreaming(true);
    Datos().AbrirRecordset(sentencia, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                           true);
    if (!rs || rs->State() != ado::adStateOpen)
        return 0;
    // The condition may hold for a few rows that do not start with the text.
    std::vector<QVariant> valores;
    for (; !rs->EOF(); rs->MoveNext()) {
        std::vector<QVariant> fila;
        for (int j = 0; j < rs->fieldCount(); ++j)
            fila.push_back(rs->value(j));
        if (EmpiezaCon(TextoCelda(fila[size_t(columna)], columna), texto)) {
            valores = std::move(fila);
            break;
        }
    }
    Datos().CierraRecordset(rs);
    return valores.empty() ? 0 : MuestraHallada(valores);
}

bool Lib_FrmCons3::PedidoEnFondo(BuscadorConsulta::Pedido& pedido) {
    if (ClsUtilidades::motorSQL() == MotorSQL::Oracle)
        return false;
    const ado::ConnectionPtr& cn = Datos().cnn();
    // Rows this connection wrote and has not committed are not seen from
    // another one.
    if (!cn || cn->State() != ado::adStateOpen || cn->inTransaction())
        return false;
    if (!Buscador)
        Buscador = new BuscadorConsulta(this);
    pedido.conexion = cn->ConnectionString;
    pedido.base = cn->DefaultDatabase();
    return true;
}

bool Lib_FrmCons3::BuscaEnFondo(int columna, const QString& texto) {
    if (!PorClaves || columna < 0 || columna >= Nombres.size())
        return false;
    DB_Dll& datos = Datos();
    BuscadorConsulta::Pedido pedido;
    if (!PedidoEnFondo(pedido))
        return false;
    pedido.sentencia = datos.SS_TSinonimos(SentenciaBusqueda(columna, texto));
    pedido.criterio = [columna, texto](const std::vector<QVariant>& fila) {
        return EmpiezaCon(TextoCelda(fila[size_t(columna)], columna), texto);
    };
    // The rows around the row found come with it: where the list must start
    // there, the window waits for no statement of its own.
    {
        using namespace sentenciaconsulta;
        const MotorSQL motor = ClsUtilidades::motorSQL();
        const QString base = datos.SS_TSinonimos(SQL);
        pedido.desde = [base, nombres = Nombres, claves = Claves,
                        motor](const std::vector<QVariant>& fila) {
            return SentenciaPorClaves(base, nombres, claves, Desde::En, fila, motor, QString(),
                                      kTramo);
        };
        pedido.antes = [base, nombres = Nombres, claves = Claves,
                        motor](const std::vector<QVariant>& fila) {
            return SentenciaPorClaves(base, nombres, claves, Desde::Antes, fila, motor, QString(),
                                      ModeloConsulta::kLote);
        };
        pedido.filasDesde = kTramo;
        pedido.filasAntes = ModeloConsulta::kLote;
    }
    Buscador->busca(std::move(pedido),
                    [this, busqueda = Busquedas, carga = Modelo->carga(), columna,
                     texto](bool hecha, const std::vector<QVariant>& fila,
                            const BuscadorConsulta::Tramo& tramo) {
                        AplicaHallazgo(busqueda, carga, columna, texto, hecha, fila, tramo);
                    });
    Buscador->espera(kEsperaBusquedaMs);
    return true;
}

void Lib_FrmCons3::AplicaHallazgo(int busqueda, int carga, int columna, const QString& texto,
                                  bool hecha, const std::vector<QVariant>& fila,
                                  const BuscadorConsulta::Tramo& tramo) {
    // Another key, or another load: the row was sought for other rows.
    HallazgoEnEspera = false;
    if (busqueda != Busquedas || Modelo->carga() != carga)
        return;
    if (Modelo->leyendo()) {
        HallazgoEnEspera = true;
        QTimer::singleShot(kEsperaBusquedaMs / 4, this, [=, this] {
            if (HallazgoEnEspera)
                AplicaHallazgo(busqueda, carga, columna, texto, hecha, fila, tramo);
        });
        return;
    }
    Ignorando({[&] {
        const std::int32_t n = !hecha         ? BuscaEnBase(columna, texto)
                               : fila.empty() ? 0
                                              : MuestraHallada(fila, &tramo);
        if (n != 0)
            SeleccionaFila(n - 1);
    }});
}

std::int32_t Lib_FrmCons3::MuestraHallada(const std::vector<QVariant>& valores,
                                          const BuscadorConsulta::Tramo* tramo) {
    // A row the list holds is selected where it is.
    for (int fila = 0; fila < Modelo->filas(); ++fila)
        if (Modelo->valores(fila) == valores)
            return fila + 1;
    GuardaMarcas();
    if (tramo && tramo->leido && !tramo->desde.empty() && tramo->desde.front() == valores)
        AnclaConFilas(*tramo);
    else
        AnclaEn(valores);
    return Modelo->filas() > 0 ? 1 : 0;
}

std::int16_t Lib_FrmCons3::IndiceColumna(const QString& Columna) const {
    const QString buscada = Columna.trimmed();
    const QStringList& titulos = Modelo->encabezados();
    for (int c = 0; c < titulos.size(); ++c)
        if (Igual(titulos[c].trimmed(), buscada))
            return std::int16_t(c + 1);
    return 0;
}

int Lib_FrmCons3::FilaSeleccionada() const {
    const QModelIndex actual = ListView1->currentIndex();
    return actual.isValid() ? actual.row() : -1;
}

void Lib_FrmCons3::SeleccionaFila(int fila) {
    const QModelIndex i = Modelo->index(fila, 0);
    ListView1->selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect |
                                                        QItemSelectionModel::Rows);
    ListView1->scrollTo(i);
}

QString Lib_FrmCons3::ValorColumna(int fila, int columna) const {
    if (fila < 0 || columna < 1)
        return QString();
    return Modelo->texto(fila, columna - 1);
}

void Lib_FrmCons3::CmbSearch_KeyDown(int Index, int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    switch (KeyCode) {
    case 40:
    case 38:
    case 34:
    case 33: {
        int codigo = KeyCode;
        Ignorando({[&] { ListView1_KeyDown(codigo, 0); }, [&] { ListView1->setFocus(); }});
        KeyCode = 0;
        break;
    }
    case 116:
        ConsultaServidor(Index);
        KeyCode = 0;
        break;
    default:
        break;
    }
}

void Lib_FrmCons3::ConsultaServidor(int Index) {
    CancelaBusqueda();
    QComboBox* combo = CmbSearch[size_t(Index)];
    std::optional<sentenciaconsulta::Filtro> filtro;
    Ignorando({[&] {
        filtro = sentenciaconsulta::FiltroServidor(
            SQL, SQLActual, combo->property("Tag").toString(), combo->currentText(),
            CfgUsaConsultaLIKE, ClsUtilidades::motorSQL());
    }});
    if (filtro && ConsultaEnFondo(Index, *filtro))
        return;
    CargaFiltrada(Index, filtro ? &*filtro : nullptr);
}

void Lib_FrmCons3::CargaFiltrada(int Index, const sentenciaconsulta::Filtro* filtro) {
    QComboBox* combo = CmbSearch[size_t(Index)];
    MismaLista = NombresDe == SQL && !Nombres.isEmpty();
    Ignorando({
        [&] {
            if (!filtro)
                return;
            ColaSQL = filtro->cola;
            SQLActual = filtro->sqlActual;
            SQL = filtro->sql;
        },
        [&] {
            // A search among the rows the load is about to replace would
            // only hold it up.
            const QSignalBlocker sinBuscar(combo);
            combo->setEditText(QString());
        },
        [&] { SQLActual = SQL; },
        [&] { Form_Load(); },
    });
    MismaLista = false;
    CargaLeida.reset();
    CargaDePrevias = false;
}

QString Lib_FrmCons3::SentenciaDeCarga(const QString& sql) const {
    using namespace sentenciaconsulta;
    const auto propias = OrdenDeSentencia(sql, Nombres, Ordenables);
    if (!propias)
        return QString();
    // As the load orders it: by the header sorted, or by the first column
    // in a list that sorts itself.
    std::vector<Clave> claves = *propias;
    if (Modelo->ordenado())
        claves =
            OrdenPorColumna(claves, Modelo->columnaOrden(), Modelo->orden() == Qt::DescendingOrder);
    else if (OrdenarPorLwv)
        claves = OrdenPorColumna(claves, 0, false);
    for (Clave& k : claves)
        k.fecha = size_t(k.columna) < ColumnaFecha.size() && ColumnaFecha[size_t(k.columna)];
    return SentenciaPorClaves(sql, Nombres, claves, Desde::Principio, {}, ClsUtilidades::motorSQL(),
                              QString(), kTramo);
}

bool Lib_FrmCons3::ConsultaEnFondo(int Index, const sentenciaconsulta::Filtro& filtro) {
    // Only a statement the list reads by key with the select list it has:
    // the rows read ahead then serve the load as they are.
    if (NombresDe != SQL || Nombres.isEmpty() || ClsUtilidades::motorSQL() == MotorSQL::Oracle)
        return false;
    const QString sentencia = SentenciaDeCarga(filtro.sql + u' ');
    if (sentencia.isEmpty())
        return false;
    BuscadorConsulta::Pedido pedido;
    if (!PedidoEnFondo(pedido))
        return false;
    pedido.sentencia = Datos().SS_TSinonimos(sentencia);
    pedido.filasDesde = kTramo;
    Buscador->busca(std::move(pedido), [this, busqueda = Busquedas, previa = SQL, Index, filtro,
                                        sentencia](bool hecha, const std::vector<QVariant>&,
                                                   const BuscadorConsulta::Tramo& tramo) {
        AplicaConsulta(busqueda, previa, Index, filtro, hecha, sentencia, tramo);
    });
    Buscador->espera(kEsperaBusquedaMs);
    return true;
}

void Lib_FrmCons3::AplicaConsulta(int busqueda, const QString& previa, int Index,
                                  const sentenciaconsulta::Filtro& filtro, bool hecha,
                                  const QString& sentencia, const BuscadorConsulta::Tramo& tramo) {
    // A key, a sort, another load or the window closing came since: the
    // filter is not applied.
    HallazgoEnEspera = false;
    if (busqueda != Busquedas || SQL != previa)
        return;
    if (Modelo->leyendo()) {
        HallazgoEnEspera = true;
        QTimer::singleShot(kEsperaBusquedaMs / 4, this, [=, this] {
            if (HallazgoEnEspera)
                AplicaConsulta(busqueda, previa, Index, filtro, hecha, sentencia, tramo);
        });
        return;
    }
    // A statement the thread could not read is opened here, where a
    // failure is reported as the load reports it.
    if (hecha)
        CargaLeida = CargaPrevia{sentencia, tramo};
    CargaFiltrada(Index, &filtro);
}

void Lib_FrmCons3::ListView1_ColumnClick(int ColumnHeader) {
    CancelaBusqueda();
    Ignorando({[&] {
        // Each click turns the order round, whichever header it was on.
        const Qt::SortOrder orden = Modelo->ordenado() && Modelo->orden() == Qt::AscendingOrder
                                        ? Qt::DescendingOrder
                                        : Qt::AscendingOrder;
        Ordena(ColumnHeader - 1, orden);
        ListView1->header()->setSortIndicatorShown(true);
        ListView1->header()->setSortIndicator(ColumnHeader - 1, orden);
    }});
}

void Lib_FrmCons3::Ordena(int columna, Qt::SortOrder orden) {
    // A long list sorts by the database even once all its rows are read: a
    // sort here would stop the window, and the list then reads only what it
    // shows. A list read on by key counts its rows in the database rather
    // than read them.
    // The rows a TOP chose, without keys to read them on by, are sorted
    // here: a database sort would let the TOP choose other rows.
    bool enLista = false;
    if (!PorClaves) {
        Modelo->leeHasta(kOrdenEnLista + 1);
        enLista = sentenciaconsulta::ConTop(SQL) ||
                  (!Modelo->quedanFilas() && !Modelo->quedanAnteriores());
    } else if (Modelo->quedanAnteriores()) {
        enLista = false;
    } else if (Modelo->quedanFilas()) {
        enLista = Modelo->filas() <= kOrdenEnLista && !MasFilasQue(kOrdenEnLista);
    } else {
        enLista = Modelo->filas() <= kOrdenEnLista;
    }
    if (enLista) {
        Modelo->ordenar(columna, orden);
        return;
    }
    // The rows read keep their check marks when they come again, and the
    // current row stays current.
    GuardaMarcas();
    const int actual = FilaSeleccionada();
    const std::vector<QVariant> valores =
        actual >= 0 ? Modelo->valores(actual) : std::vector<QVariant>();
    Modelo->setOrdenDeFuente(columna, orden);
    CierraConsulta();
    Modelo->vaciar();
    if (PorClaves && !valores.empty()) {
        AnclaEn(valores);
        if (Modelo->filas() > 0 && Modelo->valores(0) == valores)
            SeleccionaFila(0);
        return;
    }
    Anclada = false;
    AbreConsulta();
    Leer(1, 0);
}

int Lib_FrmCons3::ColumnaDevuelta() const {
    const int c = IndiceColumna(CampoDevuelto);
    return c > 0 ? c - 1 : 0;
}

void Lib_FrmCons3::CmdNueva_Click() {
    CancelaBusqueda();
    // Every statement of the window is the first one with filters added.
    MismaLista = NombresDe == SQL && !Nombres.isEmpty();
    Ignorando({
        [&] { SQL = SQLInicial; },
        [&] { Form_Load(); },
        [&] { CmbSearch[0]->setFocus(); },
    });
    MismaLista = false;
}

void Lib_FrmCons3::CmdCancelar_Click() {
    Ignorando({
        [&] { ValorDevuelto = QString(); },
        [&] {
            CmpsDevueltos.clear();
            Valores.clear();
        },
        [&] { hide(); },
    });
}

void Lib_FrmCons3::reject() {
    CmdCancelar_Click();
}

void Lib_FrmCons3::CmdTodos_Click() {
    // The rows not read yet are turned round as they come, those kept by
    // value as their kept mark.
    MarcasInvertidas = !MarcasInvertidas;
    for (bool& marcada : MarcasFijadas)
        marcada = !marcada;
    Modelo->invierteMarcas();
}

void Lib_FrmCons3::CmdNuevo_Click() {
    Ignorando({[&] {
        const QString tabla = TablaConsulta.trimmed();
        QString opcion = QStringLiteral("SHELL:V_TA_TABLAS");
        QString parametro = TablaConsulta;
        for (const Mantenimiento& m : kMantenimientos) {
            if (Igual(tabla, QLatin1String(m.tabla))) {
                opcion = QLatin1String(m.opcion);
                parametro = m.parametro ? QString::fromLatin1(m.parametro) : TablaConsulta;
                break;
            }
        }
        std::int32_t tarea = 0;
        CNStuffContable::EjecutaProcesoExterno(opcion, parametro, tarea);
    }});
}

void Lib_FrmCons3::Form_KeyDown(int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode != 123 || !EsArticulo)
        return;
    KeyCode = 0;
    // Without a row there is no article to report.
    const int fila = FilaSeleccionada();
    if (fila < 0)
        return;
    const QString id = ValorColumna(fila, IndiceColumna(QStringLiteral("idarticulo"))).trimmed();
    const QString descripcion =
        ValorColumna(fila, IndiceColumna(QStringLiteral("Descripcion"))).trimmed();
    if (vb::MsgBox(QStringLiteral("Desea informar el articulo ") + id + u' ' + descripcion +
                       vb::vbCrLf + QStringLiteral("como un faltante de stock?"),
                   vb::vbYesNo + vb::vbQuestion, QStringLiteral("Atención!")) != vb::vbYes)
        return;
    DB_Dll& datos = gDatos();
    const QString sentencia =
        QStringLiteral("INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
                       "values(") +
        FechaHoraParaSQL(vb::Now()) + u',' + sqltext::literal(ClsUtilidades::RellenaCeros(id, 25)) +
        u',' + sqltext::literal(descripcion) + u',' + sqltext::literal(datos.gUsuario) + u')';
    long afectados = 0;
    SueltaConsulta();
    datos.EjecutaConsultaSQL(sentencia, afectados);
}
