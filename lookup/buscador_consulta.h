#pragma once
// A search of the list lookup that the database may take long to answer (a
// column without an index, a list sorted by one) runs in a thread of its
// own, on a connection of its own: the window meanwhile answers keys,
// scrolls and Escape, and the next search interrupts it. Only the window's
// thread calls this object; the answer comes in that thread too.

#include "platform/ado/ado.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class BuscadorConsulta : public QObject {
public:
    // Whether a row (the query's values) is the one sought. Called in the
    // search's thread: it must touch nothing but the row.
    using Criterio = std::function<bool(const std::vector<QVariant>& fila)>;
    using Filas = std::vector<std::vector<QVariant>>;
    // A column of the statement as the engine describes it.
    struct Campo {
        QString nombre;
        int tipo = 0;    // ADO type code
        long tamano = 0; // declared size
    };
    // The rows around the row found, read in the search's thread so that the
    // list can start there without asking the database itself.
    struct Tramo {
        bool leido = false;        // both statements ran
        Filas desde;               // the row found and those after it
        Filas antes;               // those before it, nearest first
        std::vector<Campo> campos; // of a statement read from its start
    };
    // `hecha` false: the search could not run (the window searches then on
    // its own connection). An empty row: no row matches.
    using Respuesta =
        std::function<void(bool hecha, const std::vector<QVariant>& fila, const Tramo& tramo)>;
    // The statement of the rows from (or before) a row found.
    using Desde = std::function<QString(const std::vector<QVariant>& fila)>;
    struct Pedido {
        QString conexion;  // connection string
        QString base;      // default database
        QString sentencia; // candidates in the list's order, as the engine runs it
        // Without a criterion the answer's Tramo brings the first
        // `filasDesde` rows of the statement and its columns.
        Criterio criterio;
        // When given, the rows the answer's Tramo brings, at most so many of each.
        Desde desde, antes;
        int filasDesde = 0, filasAntes = 0;
    };

    explicit BuscadorConsulta(QObject* parent = nullptr);
    // Interrupts the search under way and waits for the thread.
    ~BuscadorConsulta() override;
    BuscadorConsulta(const BuscadorConsulta&) = delete;
    BuscadorConsulta& operator=(const BuscadorConsulta&) = delete;

    // The first row of the statement that meets the criterion; the search
    // under way is interrupted and never answers.
    void busca(Pedido pedido, Respuesta respuesta);
    // Opens the thread's connection ahead of the first search, unless a
    // search is under way.
    void prepara(const QString& conexion, const QString& base);
    // The search under way never answers.
    void cancela();
    // Waits up to `ms` for the answer, and gives it at once when it comes;
    // false when the search is still under way.
    bool espera(int ms);
    // A search was asked and has not answered.
    bool pendiente() const { return actual_.load() != 0; }

private:
    struct Hallazgo {
        int id = 0;
        bool hecha = false;
        std::vector<QVariant> fila;
        Tramo tramo;
    };
    // The first `cuantas` rows of the statement; false when interrupted.
    bool lee(const QString& sentencia, int cuantas, int id, Filas& filas,
             std::vector<Campo>* campos = nullptr);
    void recorre();
    Hallazgo ejecuta(const Pedido& p, int id);
    void entrega();

    std::mutex m_;
    std::condition_variable hayPedido_;
    std::condition_variable hayHallazgo_;
    std::atomic<int> actual_{0}; // the search asked last; 0 none
    int ultimo_ = 0;
    std::optional<Pedido> pedido_;
    int idPedido_ = 0;
    int enCurso_ = 0;             // the search whose statement runs
    ado::ConnectionPtr conexion_; // the thread's; set only under m_
    QString conexionDe_, baseDe_; // what it was opened with (the thread only)
    std::optional<Hallazgo> hallazgo_;
    bool fin_ = false;
    Respuesta respuesta_; // the window's thread only
    std::thread hilo_;
};
