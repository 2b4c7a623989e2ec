#pragma once
// The progress banner: up to three centred lines, a looping animation and an
// optional Cancel button that the running operation polls through
// CartelMostrar. Expected use: CartelInicio, any number of CartelMostrar,
// CartelCerrar. Only a fresh window clears the cancel state.

#include <QPointer>
#include <QString>
#include <QVariant>
#include <array>
#include <functional>
#include <optional>

class Lbf_CtrlDisplay;

class Dll_Display {
public:
    Dll_Display() = default;
    ~Dll_Display();
    Dll_Display(const Dll_Display&) = delete;
    Dll_Display& operator=(const Dll_Display&) = delete;

    // Shows the banner (creating its window if there is none) with the title
    // and, when allowed, the Cancel button. Reuses an open window as it is,
    // lines and cancel state included.
    void CartelInicio(const QString& Titulo, bool PermiteCancelar);

    // Sets each line that is passed (Null empties it; a line not passed keeps
    // its text) and reports whether Cancel was pressed. Then, at most once
    // every kRefrescoMs (and always at the first call on a new window), it
    // paints the lines whose text changed and runs one pass of pending window
    // events, so the banner animates and the click on Cancel can arrive.
    void CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1 = std::nullopt,
                       const std::optional<QVariant>& l2 = std::nullopt,
                       const std::optional<QVariant>& l3 = std::nullopt);

    // Hides and destroys the window; the next CartelInicio gets a fresh one.
    // Does nothing when no banner is open.
    void CartelCerrar();

    // Write-only: keeps the banner above every other window, or lets it go.
    // Callers turn it off before a message box and back on afterwards.
    void Siempre_Visible(bool valor);

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
};

namespace CNStuffContable {
// The process-wide banner, created on first use and kept for the run.
Dll_Display& gCartel();
// Drops the banner and its window; the next gCartel() makes a new one.
void resetCartel();
// The program's notice of a wait for another user's lock (ado::LockWaitNotice):
// the wait cursor and a banner line while it lasts. A banner already open
// gets the line in the middle and has its own text back afterwards.
void AvisoEsperaBloqueo(bool Esperando);
inline const QString kEsperaBloqueo =
    QStringLiteral("Esperando que otro usuario termine de grabar...");
} // namespace CNStuffContable
