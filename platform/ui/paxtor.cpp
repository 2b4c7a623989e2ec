#include "platform/ui/paxtor.h"

#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

namespace {

struct Boton {
    const char* clave;
    const char* leyenda;
    const char* tecla;
    QStyle::StandardPixmap icono;
};

// Bar order; the function key of each button is F2 + its position. Captions
// carry no mnemonic so that they never clash with the window's own.
constexpr std::array<Boton, 8> kBotones{{
    {"NUEVO", "Nuevo", "F2", QStyle::SP_FileIcon},
    {"BORRAR", "Borrar", "F3", QStyle::SP_TrashIcon},
    {"GRABAR", "Grabar", "F4", QStyle::SP_DialogSaveButton},
    {"PLANILLA", "Planilla", "F5", QStyle::SP_FileDialogDetailedView},
    {"CONSULTAR", "Consultar", "F6", QStyle::SP_FileDialogContentsView},
    {"REPORTE", "Reporte", "F7", QStyle::SP_FileDialogInfoView},
    {"CERRAR", "Cerrar", "F8", QStyle::SP_DialogCloseButton},
    {"CANCELAR", "Cancelar", "F9", QStyle::SP_DialogCancelButton},
}};

constexpr int kVbKeyF2 = 113;

} // namespace

const QStringList& Paxtor::Claves() {
    static const QStringList claves = [] {
        QStringList l;
        for (const Boton& b : kBotones)
            l << QString::fromLatin1(b.clave);
        return l;
    }();
    return claves;
}

Paxtor::Paxtor(QWidget* parent) : QWidget(parent) {
    auto* fila = new QHBoxLayout(this);
    fila->setContentsMargins(2, 2, 2, 2);
    fila->setSpacing(2);
    for (int i = 0; i < int(kBotones.size()); ++i) {
        const Boton& b = kBotones[i];
        auto* boton = new QToolButton(this);
        boton->setObjectName(QString::fromLatin1(b.clave));
        boton->setText(QString::fromUtf8(b.leyenda));
        boton->setToolTip(QString::fromUtf8(b.leyenda) + QStringLiteral(" (") +
                          QString::fromLatin1(b.tecla) + u')');
        boton->setIcon(style()->standardIcon(b.icono));
        boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        boton->setFocusPolicy(Qt::NoFocus); // the window's fields keep the focus
        connect(boton, &QToolButton::clicked, this, [this, i] { pulsar(i); });
        fila->addWidget(boton);
        botones_[i] = boton;
    }
    fila->addStretch(1);
}

void Paxtor::setEstado(Estado estado, bool habilitado) {
    const int i = int(estado) - 1;
    if (i < 0 || i >= int(botones_.size()))
        return;
    botones_[i]->setEnabled(habilitado);
}

bool Paxtor::estado(Estado estado) const {
    const int i = int(estado) - 1;
    if (i < 0 || i >= int(botones_.size()))
        return false;
    return botones_[i]->isEnabledTo(this);
}

void Paxtor::ProcesaTecla(int KeyCode) {
    int i = -1;
    if (KeyCode >= kVbKeyF2 && KeyCode < kVbKeyF2 + int(botones_.size()))
        i = KeyCode - kVbKeyF2;
    else if (KeyCode >= Qt::Key_F2 && KeyCode < Qt::Key_F2 + int(botones_.size()))
        i = KeyCode - Qt::Key_F2;
    if (i >= 0)
        pulsar(i);
}

void Paxtor::setStyleBar(bool plano) {
    plano_ = plano;
    for (QToolButton* b : botones_)
        b->setAutoRaise(plano);
}

QToolButton* Paxtor::boton(const QString& clave) const {
    const int i = Claves().indexOf(clave.toUpper());
    return i < 0 ? nullptr : botones_[i];
}

void Paxtor::pulsar(int indice) {
    // The windows rely on the bar: a disabled button must never reach them.
    if (!botones_[indice]->isEnabled())
        return;
    Q_EMIT ButtonClick(Claves().at(indice));
}
