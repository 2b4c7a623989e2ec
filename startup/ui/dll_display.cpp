#include "startup/ui/dll_display.h"

#include "platform/vb/vb.h"
#include "startup/ui/lbf_ctrldisplay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <memory>

Dll_Display::~Dll_Display() {
    // A widget may only be destroyed while the application object lives; at
    // process exit the window simply goes with the process.
    if (ventana_ && QCoreApplication::instance())
        delete ventana_.data();
}

Lbf_CtrlDisplay* Dll_Display::ventana() const {
    return ventana_.data();
}

Lbf_CtrlDisplay& Dll_Display::Ventana() {
    if (!ventana_) {
        ventana_ = new Lbf_CtrlDisplay();
        // A new window is painted at its first update.
        refrescada_ = nullptr;
        pendientes_ = {};
    }
    return *ventana_;
}

void Dll_Display::CartelInicio(const QString& Titulo, bool PermiteCancelar) {
    Lbf_CtrlDisplay& w = Ventana();
    w.setWindowTitle(Titulo);
    w.CmdDisplayCancelar->setVisible(PermiteCancelar);
    w.show();
}

namespace {

Dll_Display::Reloj& reloj() {
    static Dll_Display::Reloj r;
    return r;
}

qint64 Ahora() {
    if (const Dll_Display::Reloj& r = reloj())
        return r();
    static QElapsedTimer desde = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return desde.elapsed();
}

} // namespace

void Dll_Display::setReloj(Reloj r) {
    reloj() = std::move(r);
}

void Dll_Display::CartelMostrar(bool& Cancelado, const std::optional<QVariant>& L1,
                                const std::optional<QVariant>& l2,
                                const std::optional<QVariant>& l3) {
    Lbf_CtrlDisplay& w = Ventana();
    const std::optional<QVariant>* lineas[3] = {&L1, &l2, &l3};
    for (int i = 0; i < 3; ++i) {
        if (!lineas[i]->has_value())
            continue;
        QLabel* linea = w.LblCtrol[size_t(i)];
        const QString texto = NuloATexto(**lineas[i]);
        if (linea->text() != texto) {
            linea->setText(texto);
            pendientes_[size_t(i)] = true;
        }
    }
    Cancelado = w.CmdDisplayCancelar->text() == Lbf_CtrlDisplay::kAbortado;
    const qint64 ahora = Ahora();
    if (refrescada_ == &w && ahora - ultimoRefresco_ < kRefrescoMs)
        return;
    refrescada_ = &w;
    ultimoRefresco_ = ahora;
    // Only a line that changed is painted at once; the event pass paints
    // the animation.
    for (size_t i = 0; i < pendientes_.size(); ++i) {
        if (pendientes_[i])
            w.LblCtrol[i]->repaint();
        pendientes_[i] = false;
    }
    vb::DoEvents();
}

void Dll_Display::CartelCerrar() {
    if (!ventana_)
        return;
    ventana_->hide();
    delete ventana_.data();
    ventana_.clear();
}

void Dll_Display::Siempre_Visible(bool valor) {
    Lbf_CtrlDisplay& w = Ventana();
    const bool visible = w.isVisible();
    w.setWindowFlag(Qt::WindowStaysOnTopHint, valor);
    // Changing the flags hides a shown window.
    if (visible)
        w.show();
}

QString Dll_Display::NuloATexto(const QVariant& valor) {
    if (vb::IsNull(valor) || vb::IsEmpty(valor))
        return QString();
    if (vb::isCurrency(valor) || valor.canConvert<QString>())
        return vb::CStr(valor);
    return QString();
}

void Dll_Display::EsperaBloqueo(bool Esperando) {
    if (Esperando) {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
            // Pushed and popped around the wait, so a cursor the caller set stays.
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            cursor_ = true;
        }
        cartelPropio_ = !ventana();
        if (cartelPropio_)
            CartelInicio(QStringLiteral("Procesando Datos"), false);
        QLabel* linea = ventana()->LblCtrol[1];
        lineaPrevia_ = linea->text();
        linea->setText(CNStuffContable::kEsperaBloqueo);
        ventana()->repaint();
        // Painted without taking the user's input: the engine is mid-statement.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return;
    }
    if (cursor_) {
        QGuiApplication::restoreOverrideCursor();
        cursor_ = false;
    }
    if (cartelPropio_)
        CartelCerrar();
    else if (Lbf_CtrlDisplay* w = ventana())
        w->LblCtrol[1]->setText(lineaPrevia_);
    cartelPropio_ = false;
}

void installBanner() {
    CNStuffContable::setBanner(std::make_shared<Dll_Display>());
}
