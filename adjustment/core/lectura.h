#pragma once
// What the adjustment window reads, without the window: the fiscal year it
// proposes and whether a typed one can be adjusted, the window's recordset
// over the entries, a stored summary entry turned into the values the window
// shows, and the search for a subledger's summary control row.

#include "adjustment/core/generacion.h"
#include "platform/ado/ado.h"

#include <QDate>
#include <QString>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

// A stored summary entry as the window shows it.
struct AsientoCargado {
    // The entry has lines in the month read.
    bool Hallado = false;
    // The summary control row's columns, each name with its text as
    // ValorCampo writes it; empty when the entry has no control row.
    std::vector<std::pair<QString, QString>> Control;
    // The first line's Cabimporte, "#######0.00".
    QString CabImporte;
    // Element 0 empty, the lines in SECUENCIA order, then one empty element.
    LineasAjuste Lineas;
};

class LecturaAjuste {
public:
    // Periodo of the lowest fiscal year that is not closed; nothing when
    // every year is closed or the years cannot be read.
    static std::optional<QString> PrimerEjercicioAbierto();
    // Why the typed fiscal year cannot be adjusted (no whole number from 0
    // to 32767, a year MV_EJERCICIOS does not hold, a closed one); empty
    // when it can, and Ejercicio is then the year.
    static QString MotivoEjercicio(const QString& Respuesta, int& Ejercicio);
    // The window's recordset over the table: its first row, updatable.
    // Failures go to the operator error box under "Generar" (retry, ignore,
    // leave).
    static void AbreRecordsetAsientos(const QString& Tabla, ado::RecordsetPtr& Rs);
    // The lookup of the REI account: the postable accounts by code.
    static const QString& ConsultaCuentaRei();

    // Reads summary entry NumeroAsiento of fiscal year Ejercicio into Rs
    // (read only, in SECUENCIA order) and turns the lines of its month into
    // values. Entries are numbered per month: Mes 0 takes the first month
    // that has the number. A failed read has been reported by the data
    // object and finds nothing.
    static AsientoCargado CargaAsiento(std::int32_t NumeroAsiento, int Mes,
                                       const QString& Ejercicio, ado::RecordsetPtr& Rs);
    // A summary entry of the subledger that is not annulled covers the day
    // (both limits included), whatever the fiscal year.
    static bool BuscaControlResumen(const QDate& Fecha, const QString& Subdiario);
};
