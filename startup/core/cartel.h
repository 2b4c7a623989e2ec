#pragma once
// The progress banner as the code below the windows sees it: a long
// operation opens it, shows its progress on it, polls its Cancel and closes
// it. The windows' library puts the real banner (Dll_Display) in place at
// program start (installBanner); until one is installed nothing is shown and
// nothing is ever cancelled, as with the data object's access window.

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>

class ProgressBanner {
public:
    virtual ~ProgressBanner() = default;

    // Shows the banner with the title and, when allowed, the Cancel button.
    // An open banner is reused as it is, lines and cancel state included.
    virtual void CartelInicio(const QString& Titulo, bool PermiteCancelar) = 0;

    // Sets each line that is passed (Null empties it; a line not passed
    // keeps its text) and reports whether Cancel was pressed since the
    // banner opened. The banner's only chance to take the operator's click.
    virtual void CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1 = std::nullopt,
                               const std::optional<QVariant>& l2 = std::nullopt,
                               const std::optional<QVariant>& l3 = std::nullopt) = 0;

    // Closes the banner; the next CartelInicio starts afresh (no lines, not
    // cancelled). Does nothing when none is open.
    virtual void CartelCerrar() = 0;

    // Keeps the banner above every other window, or lets it go. Callers turn
    // it off before a message box and back on afterwards.
    virtual void Siempre_Visible(bool valor) = 0;

    // A wait for another user's lock begins (true) or ends (false); the
    // banner tells it while it lasts and then has its own text back.
    virtual void EsperaBloqueo(bool Esperando) = 0;
};

namespace CNStuffContable {

// The run's banner: the installed one, or one that shows nothing.
ProgressBanner& gCartel();
// Installs the run's banner; nullptr goes back to the one that shows nothing.
void setBanner(std::shared_ptr<ProgressBanner> Banner);
// Drops the installed banner (and its window).
void resetCartel();

// The program's notice of a wait for another user's lock (ado::LockWaitNotice),
// told on the run's banner.
void AvisoEsperaBloqueo(bool Esperando);
inline const QString kEsperaBloqueo =
    QStringLiteral("Esperando que otro usuario termine de grabar...");

} // namespace CNStuffContable
