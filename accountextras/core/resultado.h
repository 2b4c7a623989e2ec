#pragma once
// What a save or a delete of an account's additional data or cost-centre
// distribution did, for its window to show.

#include <QString>

namespace cuentasadic {

struct Resultado {
    enum class Estado {
        // Stored (or deleted) and committed; the copies in the other
        // databases were brought into line after the commit.
        Hecho,
        // Nothing was sent: Mensaje is the system's refusal, for the window
        // to show in a box of its title and flags, then to focus Campo.
        Rechazado,
        // Nothing was stored; the operator was already told why.
        Fallido,
    };
    Estado estado = Estado::Fallido;
    QString Mensaje;
    QString Titulo;
    int Botones = 0;
    // The column of the refused value; empty when no field is to blame.
    QString Campo;
    // For a value of a line of a grid: its row (1 on).
    int Fila = 0;

    bool hecho() const { return estado == Estado::Hecho; }
    bool rechazado() const { return estado == Estado::Rechazado; }
    explicit operator bool() const { return hecho(); }

    static Resultado Hecho() {
        Resultado r;
        r.estado = Estado::Hecho;
        return r;
    }
};

} // namespace cuentasadic
