#pragma once
// A progress banner for the tests below the windows: it keeps what the real
// one would show (title, lines, Cancel button, topmost band) and the lock
// waits it was told of, and lets the test press Cancel. Like the real one, a
// window exists from the first call until CartelCerrar, and only a fresh one
// forgets a Cancel.

#include "startup/core/cartel.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>

namespace testutil {

class RecordingBanner : public ProgressBanner {
public:
    // Installs a new one as the run's banner; CNStuffContable::resetCartel()
    // takes it away again.
    static std::shared_ptr<RecordingBanner> install() {
        auto banner = std::make_shared<RecordingBanner>();
        CNStuffContable::setBanner(banner);
        return banner;
    }

    void CartelInicio(const QString& Titulo, bool PermiteCancelar) override {
        ventana();
        titulo = Titulo;
        conCancelar = PermiteCancelar;
        visible = true;
        ++inicios;
    }
    void CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1,
                       const std::optional<QVariant>& l2,
                       const std::optional<QVariant>& l3) override {
        ventana();
        const std::optional<QVariant>* dadas[3] = {&L1, &l2, &l3};
        for (int i = 0; i < 3; ++i)
            if (dadas[i]->has_value())
                lineas[i] = (*dadas[i])->isNull() ? QString() : (*dadas[i])->toString();
        Cancelado = cancelado;
    }
    void CartelCerrar() override {
        abierto = false;
        visible = false;
        cancelado = false;
        lineas = QStringList(3);
    }
    void Siempre_Visible(bool valor) override {
        ventana();
        siempreVisible << valor;
    }
    void EsperaBloqueo(bool Esperando) override { esperas << Esperando; }

    // The operator's click on Cancel; false when no window is there to click.
    bool pulsaCancelar() {
        if (!abierto)
            return false;
        cancelado = true;
        return true;
    }

    bool abierto = false; // a window exists (shown or not)
    bool visible = false;
    bool conCancelar = false;
    bool cancelado = false;
    QString titulo;
    QStringList lineas = QStringList(3);
    int inicios = 0;            // CartelInicio calls
    QList<bool> siempreVisible; // every Siempre_Visible, in order
    QList<bool> esperas;        // every lock-wait notice, in order

private:
    void ventana() { abierto = true; }
};

} // namespace testutil
