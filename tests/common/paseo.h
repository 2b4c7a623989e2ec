#pragma once
// A seeded random walk over a real window. The window's test gives a table of
// named actions, each with a test of whether it can be done now, a choice of
// its parameter and what it does; every step picks one of the actions that
// can be done (by weight), does it, and runs the window's checks. Message and
// input boxes are answered, and lookups accepted or cancelled, by the same
// random source; every choice is recorded, so a failing walk prints its seed
// and its steps in a form that pasted into a fixed walk replays it exactly.
//
// A fixed walk gives the steps itself: an answer it does not give takes the
// box's default button, a lookup it does not answer is cancelled.

#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

class QDialog;
struct sqlite3;

namespace paseo {

// One step: the action's name, its parameter, and the answers the step gave
// in order: a box of more than one button its button's code (vb::vbYes ...),
// an input box 1 (its default text) or 2 (cancelled), a lookup the row
// chosen (from 0) or -1 (Escape).
struct Paso {
    std::string accion;
    std::string dato = {};
    std::vector<int> respuestas = {};
};

// A box or lookup shown during the step, and its answer.
struct Aviso {
    enum Tipo { Mensaje, Entrada, Consulta };
    Tipo tipo = Mensaje;
    QString texto; // a lookup: its window title
    QString titulo;
    int estilo = 0;
    int respuesta = 0;
};

struct Accion {
    std::string nombre;
    std::function<bool()> puede;                     // empty: always
    std::function<std::string(std::mt19937&)> elige; // the parameter; empty: none
    std::function<void(const std::string&)> hace;
    int peso = 1;
};

class Paseo {
public:
    // While it lives the walk answers every box and drives every lookup.
    explicit Paseo(std::vector<Accion> acciones);
    ~Paseo();
    Paseo(const Paseo&) = delete;
    Paseo& operator=(const Paseo&) = delete;

    // Run before and after every step; the checks report through viola().
    std::function<void(const Paso&)> antes;
    std::function<void(const Paso&)> despues;

    // A walk of `pasos` random steps; false when a check failed (informe()
    // tells which).
    bool camina(unsigned semilla, int pasos);
    // The steps of a fixed walk, with the same checks.
    bool repite(const std::vector<Paso>& pasos);

    // A check failed at this step: the walk stops after it, unless it goes
    // on to collect every failure (sigue).
    void viola(const std::string& invariante, const QString& detalle);
    bool violado() const { return !violaciones_.empty(); }
    bool sigue = false;

    // The steps taken so far, with the answers they gave, and the failures.
    const std::vector<Paso>& pasos() const { return hechos_; }
    const std::vector<std::string>& violaciones() const { return violaciones_; }

    // The boxes and lookups of the step running (or just run).
    const std::vector<Aviso>& avisos() const { return avisos_; }
    int numeroPaso() const { return int(hechos_.size()) - 1; }
    // The seed, the step and the check that failed, and the steps taken as a
    // fixed walk's list.
    std::string informe() const;

private:
    class Respondedor;
    int respuesta(const std::function<int(std::mt19937&)>& azar, int porDefecto);
    // Records a box; false past the number a step may show.
    bool anota(Aviso aviso);
    void conduce(QDialog& ventana);
    bool da(Paso paso);

    std::vector<Accion> acciones_;
    std::mt19937 azar_;
    unsigned semilla_ = 0;
    bool fija_ = false;
    std::vector<int> guion_; // a fixed step's answers
    size_t siguiente_ = 0;
    std::vector<Paso> hechos_;
    std::vector<Aviso> avisos_;
    std::vector<std::string> violaciones_;
    std::shared_ptr<Respondedor> respondedor_;
    std::shared_ptr<void> previos_; // the responder and driver put back at the end
};

// `cuantas` seeds from `primera`.
std::vector<unsigned> semillas(unsigned primera, int cuantas);
// The walks asked for beyond CI's: QUARZELO_PASEOS seeds from
// QUARZELO_PASEO_SEMILLA (by default `desde`); none when unset.
std::vector<unsigned> semillasPedidas(unsigned desde);
// QUARZELO_PASEO_PASOS, or `porDefecto`.
int pasosPedidos(int porDefecto);

// Walks each seed on a fresh window (`arranca` starts it and hands its
// walk); every walk that fails is reported as a test failure with its seed
// and steps (the first three; all with QUARZELO_PASEO_SIGUE, which also
// collects every failure of a walk). Prints the count and the time taken.
// The number of walks that failed.
int caminaTanda(const std::vector<unsigned>& semillas, int pasos,
                const std::function<Paseo&()>& arranca);

// ---- The databases a walk watches -------------------------------------------------------

// A SQLite file read through a connection of the test's own (with the
// engine's collation and functions), which also tells when another
// connection committed.
class Lector {
public:
    Lector() = default;
    ~Lector() { cierra(); }
    Lector(const Lector&) = delete;
    Lector& operator=(const Lector&) = delete;
    void abre(const QString& ruta);
    void cierra();
    // Changes when another connection commits (PRAGMA data_version).
    qint64 version();
    QList<QVariantList> filas(const QString& sql, QStringList* columnas = nullptr);
    // The first row by column name (lower case); empty when there is none.
    QVariantMap fila(const QString& sql);

private:
    sqlite3* db_ = nullptr;
};

// Tables of one database: each as its rows in text, sorted, every row led by
// the key it belongs to (the statement's first column).
using Foto = std::map<QString, QStringList>;
struct Tabla {
    QString nombre;
    QString sql; // first column: the key
};
Foto fotografia(Lector& l, const std::vector<Tabla>& tablas);

// A row that appeared (alta) or went away between two pictures.
struct Cambio {
    QString tabla, clave;
    bool alta = false;
    QString fila;
};
std::vector<Cambio> cambios(const Foto& antes, const Foto& despues);
// The first changes, readable.
QString describe(const std::vector<Cambio>& c);

// Quoted as a C++ string literal.
std::string cita(const std::string& texto);

} // namespace paseo
