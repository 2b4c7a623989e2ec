#pragma once
// Command bar of the maintenance windows: eight keyed buttons, one event that
// carries the key, an enabled state per button and a flat-style flag.
//
// Keys, in bar order, with the function key that fires each one through
// ProcesaTecla:
//   NUEVO F2, BORRAR F3, GRABAR F4, PLANILLA F5, CONSULTAR F6, REPORTE F7,
//   CERRAR F8, CANCELAR F9.
//
// Pairs: the windows set the "first" and "second" state of the pairs
// NUEVO/CERRAR, GRABAR/CANCELAR and PLANILLA/REPORTE. The first state always
// drives the first-named button (NUEVO, GRABAR, PLANILLA), the second state the
// other one (CERRAR, CANCELAR, REPORTE); see the *Primero / *Segundo names.

#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QToolButton;

class Paxtor : public QWidget {
    Q_OBJECT
public:
    // The eight enabled states, one per button, numbered in bar order.
    enum Estado {
        EstadoNuevo = 1,
        EstadoBorrar,
        EstadoGrabar,
        EstadoPlanilla,
        EstadoConsultar,
        EstadoReporte,
        EstadoCerrar,
        EstadoCancelar,
    };
    static constexpr Estado NuevoCerrarPrimero = EstadoNuevo;
    static constexpr Estado NuevoCerrarSegundo = EstadoCerrar;
    static constexpr Estado GrabarCancelarPrimero = EstadoGrabar;
    static constexpr Estado GrabarCancelarSegundo = EstadoCancelar;
    static constexpr Estado PlanillaReportePrimero = EstadoPlanilla;
    static constexpr Estado PlanillaReporteSegundo = EstadoReporte;

    explicit Paxtor(QWidget* parent = nullptr);

    // The eight keys in bar order ("NUEVO" ... "CANCELAR").
    static const QStringList& Claves();

    // A state is kept until a window changes it; every button starts enabled.
    void setEstado(Estado estado, bool habilitado);
    bool estado(Estado estado) const;

    // Hands over a key code from a window's key preview. Takes the runtime's
    // key codes (F1 = 112 ... F12 = 123) and also Qt key codes (Qt::Key_F2 ...),
    // so a keyPressEvent may pass event->key() as it comes. Keys not bound to a
    // button, and keys of disabled buttons, do nothing.
    void ProcesaTecla(int KeyCode);

    // Flat style (buttons drawn without a frame until hovered).
    void setStyleBar(bool plano);
    bool StyleBar() const { return plano_; }

    // The button of a key (any case); nullptr for an unknown key.
    QToolButton* boton(const QString& clave) const;

Q_SIGNALS:
    // Always the upper-case key. Never raised for a disabled button.
    void ButtonClick(const QString& Key);

private:
    void pulsar(int indice);

    std::array<QToolButton*, 8> botones_{};
    bool plano_ = false;
};
