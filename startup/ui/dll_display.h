#pragma once
// The progress banner: up to three centred lines, a looping animation and an
// optional Cancel button that the running operation polls through
// CartelMostrar. Expected use: CartelInicio, any number of CartelMostrar,
// CartelCerrar. Only a fresh window clears the cancel state.

#include "startup/core/cartel.h"

#include <QPointer>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>

class Lbf_CtrlDisplay;

class Dll_Display : public ProgressBanner {
public:
    Dll_Display() = default;
    ~Dll_Display() override;
    Dll_Display(const Dll_Display&) = delete;
    Dll_Display& operator=(const Dll_Display&) = delete;

    // Shows the banner (creating its window if there is none) with the title
    // and, when allowed, the Cancel button. Reuses an open window as it is,
    // lines and cancel state included.
    void CartelInicio(const QString& Titulo, bool PermiteCancelar) override;

    // Sets each line that is passed (Null empties it; a line not passed keeps
    // its text) and reports whether Cancel was pressed. Then, at most once
    // every kRefrescoMs (and always at the first call on a new window), it
    // paints the lines whose text changed and runs one pass of pending window
    // events, so the banner animates and the click on Cancel can arrive.
    void CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1 = std::nullopt,
                       const std::optional<QVariant>& l2 = std::nullopt,
                       const std::optional<QVariant>& l3 = std::nullopt) override;

    // Hides and destroys the window; the next CartelInicio gets a fresh one.
    // Does nothing when no banner is open.
    void CartelCerrar() override;

    // Write-only: keeps the banner above every other window, or lets it go.
    // Callers turn it off before a message box and back on afterwards.
    void Siempre_Visible(bool valor) override;

    // The wait cursor and kEsperaBloqueo as the middle line while another
    // user's lock is waited for. A banner already open gets the line and has
    // its own text back afterwards; otherwise one opens for the wait alone.
    void EsperaBloqueo(bool Esperando) override;

    // Between two paints and event passes of CartelMostrar: a loop that
    // updates the banner per item must not spend its time drawing it.
    static constexpr qint64 kRefrescoMs = 40;
    // Milliseconds of a steady clock; tests set their own. Empty: the real one.
    using Reloj = std::function<qint64()>;
    static void setReloj(Reloj reloj);

    // The current window, or nullptr when there is none (for inspection).
    // Out of line: reading the QPointer needs the complete window class.
    Lbf_CtrlDisplay* ventana() const;

private:
    Lbf_CtrlDisplay& Ventana();
    static QString NuloATexto(const QVariant& valor);

    QPointer<Lbf_CtrlDisplay> ventana_;
    // The window the last refresh was made on, and when; lines changed since.
    const Lbf_CtrlDisplay* refrescada_ = nullptr;
    qint64 ultimoRefresco_ = 0;
    std::array<bool, 3> pendientes_{};
    // The lock wait in course: whether it opened the banner, the middle
    // line it covered and whether it pushed the wait cursor.
    bool cartelPropio_ = false;
    QString lineaPrevia_;
    bool cursor_ = false;
};

// Makes a Dll_Display the run's banner (CNStuffContable::gCartel); the
// programs with windows call it at start.
void installBanner();
