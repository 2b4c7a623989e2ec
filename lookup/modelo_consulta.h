#pragma once
// The rows of the list lookup. A lookup may hold a million rows, so the
// model does not read them all at load: it takes them from a source (the
// window's open recordset) a batch at a time, as the view scrolls towards the
// end. A sort is the model's own over rows it holds, or the source's, which
// then hands the rows over in order.

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>
#include <QTimer>
#include <QVariant>
#include <functional>
#include <vector>

struct FilaConsulta {
    QStringList celdas; // column 0 is the row's own text
    bool marcada = false;
    QColor color;                  // invalid: the list's own colour
    std::vector<QVariant> valores; // the row as the query gave it: where reading goes on
};

class ModeloConsulta : public QAbstractTableModel {
    Q_OBJECT
public:
    // Appends up to `cuantas` rows; false once the source has no more.
    using Fuente = std::function<bool(std::vector<FilaConsulta>& filas, int cuantas)>;
    // Rows read per batch: a screenful many times over, little enough to
    // show the first rows at once.
    static constexpr int kLote = 256;

    explicit ModeloConsulta(QObject* parent = nullptr);

    // Drops the rows and the source; the headers and the sort stay.
    void vaciar();
    void setEncabezados(const QStringList& textos);
    const QStringList& encabezados() const { return encabezados_; }
    // Rows show a check box.
    void setMarcable(bool marcable);
    bool marcable() const { return marcable_; }

    // Reads the first batch. `pausa`, when given, is called once reading has
    // stopped for a while with rows left, so the source can let go of what
    // it holds meanwhile.
    // `anteriores`, when given, reads the rows before the first one held,
    // nearest first (a list that starts at a row found in the database).
    void setFuente(Fuente fuente, std::function<void()> pausa = {}, Fuente anteriores = {});
    bool quedanFilas() const { return bool(fuente_); }
    bool quedanAnteriores() const { return bool(anteriores_); }
    // Reads a batch of the rows before the first one held; how many came.
    int traeAnteriores();
    const std::vector<QVariant>& valores(int fila) const { return filas_[size_t(fila)].valores; }
    void traerTodo();
    // The source's read failed and was passed over: the source stays, and
    // reading stops until the next scroll, search or load asks again.
    void leeFallida() { fallo_ = true; }
    bool fallida() const { return fallo_; }
    // Reads on until it holds `cuantas` rows or the source ends.
    void leeHasta(int cuantas);
    // Reading stopped: the source's pause runs now.
    void pausa();
    // Idle time after which the source's pause runs.
    static constexpr int kPausaMs = 1000;

    // Counts the loads: a row found for an earlier one is not this list's.
    int carga() const { return carga_; }
    // A read is under way (window events run while a query opens).
    bool leyendo() const { return leyendo_; }
    int filas() const { return int(filas_.size()); }
    QString texto(int fila, int columna) const;
    void setTexto(int fila, int columna, const QString& texto);
    bool marcada(int fila) const { return filas_[size_t(fila)].marcada; }
    void setMarcada(int fila, bool marcada);
    // Every row read so far checked or unchecked.
    void marcaTodas(bool marcada);
    void invierteMarcas();

    // Case-insensitive text sort of the rows held, stable, after reading
    // every row.
    void ordenar(int columna, Qt::SortOrder orden);
    // The rows come from the source in this order already.
    void setOrdenDeFuente(int columna, Qt::SortOrder orden);
    // A sort is in force (later loads keep it).
    bool ordenado() const { return ordenado_; }
    int columnaOrden() const { return columnaOrden_; }
    Qt::SortOrder orden() const { return orden_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

private:
    bool leeLote(Fuente& fuente, std::vector<FilaConsulta>& nuevas);
    void aplicaOrden();
    // Appends rows read from the source.
    void agrega(std::vector<FilaConsulta>& nuevas);
    // Rows were read: the pause waits again while rows are left.
    void leido();

    QStringList encabezados_;
    std::vector<FilaConsulta> filas_;
    Fuente fuente_;
    Fuente anteriores_;
    std::function<void()> pausa_;
    QTimer espera_;
    int carga_ = 0; // counts the loads, so rows of an old one are never added
    // A read is under way: opening a query lets window events run, and a
    // read they start would add the same rows again or out of order.
    bool leyendo_ = false;
    struct Lectura {
        explicit Lectura(bool& b) : b_(b) { b_ = true; }
        ~Lectura() { b_ = false; }
        Lectura(const Lectura&) = delete;
        Lectura& operator=(const Lectura&) = delete;
        bool& b_;
    };
    bool fallo_ = false; // the last read failed
    bool marcable_ = false;
    bool ordenado_ = false;
    bool ordenEnLista_ = false; // sorted here, not by the source
    int columnaOrden_ = 0;
    Qt::SortOrder orden_ = Qt::AscendingOrder;
};
