#include "startup/ui/lbf_ctrldisplay.h"

#include <QFont>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

namespace {

// The window is laid out in twips; 15 twips make one pixel at 96 dpi.
constexpr int px(int twips) {
    return twips / 15;
}

constexpr int kCuadros = 12;
constexpr int kLado = 32;

// Twelve spokes around a centre; the dark head moves one spoke per frame and
// leaves a fading tail, so the frames loop without a jump.
QPixmap dibujaCuadro(int numero) {
    QPixmap pm(kLado, kLado);
    pm.fill(Qt::white);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(kLado / 2.0, kLado / 2.0);
    for (int rayo = 0; rayo < kCuadros; ++rayo) {
        const int atras = (numero - 1 - rayo + kCuadros) % kCuadros; // 0 = head
        const int tono = 40 + atras * 180 / (kCuadros - 1);
        p.save();
        p.rotate(rayo * 360.0 / kCuadros);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(tono, tono, 255 - atras * 8));
        p.drawRoundedRect(QRectF(-1.5, -14.0, 3.0, 7.0), 1.5, 1.5);
        p.restore();
    }
    return pm;
}

} // namespace

const QString Lbf_CtrlDisplay::kAbortado = QStringLiteral("Abortado");

Lbf_CtrlDisplay::Lbf_CtrlDisplay() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("Lbf_CtrlDisplay"));
    setWindowTitle(QStringLiteral("Procesando Datos"));
    setFixedSize(px(7845), px(2790));
    QPalette blanco = palette();
    blanco.setColor(QPalette::Window, Qt::white);
    setPalette(blanco);
    setAutoFillBackground(true);

    QFont negrita = font();
    negrita.setPointSize(12);
    negrita.setBold(true);
    const int tops[3] = {120, 480, 840};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(this);
        l->setObjectName(QStringLiteral("LblCtrol_%1").arg(i));
        l->setGeometry(0, px(tops[i]), px(7815), px(290));
        l->setAlignment(Qt::AlignCenter);
        l->setFont(negrita);
        LblCtrol[i] = l;
    }

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(px(3480), px(1320), px(1095), px(975));
    Image1->setAlignment(Qt::AlignCenter);
    for (int n = 1; n <= kCuadros; ++n)
        ImageList1.append(dibujaCuadro(n));

    CmdDisplayCancelar = new QPushButton(this);
    CmdDisplayCancelar->setObjectName(QStringLiteral("CmdDisplayCancelar"));
    CmdDisplayCancelar->setGeometry(px(3120), px(2400), px(1695), px(375));
    connect(CmdDisplayCancelar, &QPushButton::clicked, this,
            &Lbf_CtrlDisplay::CmdDisplayCancelar_Click);

    Timer1 = new QTimer(this);
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, &Lbf_CtrlDisplay::Timer1_Timer);

    Form_Load();
    Timer1->start();
}

Lbf_CtrlDisplay::~Lbf_CtrlDisplay() {
    Timer1->stop();
}

void Lbf_CtrlDisplay::Form_Load() {
    if (const QScreen* pantalla = QGuiApplication::primaryScreen()) {
        const QRect r = pantalla->geometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    CmdDisplayCancelar->setText(QStringLiteral("&Cancelar"));
    mostrarCuadro(1);
    // The whole window is drawn at alpha 200 of 255.
    setWindowOpacity(200 / 255.0);
}

void Lbf_CtrlDisplay::Timer1_Timer() {
    ++contador_;
    mostrarCuadro(contador_);
    if (contador_ == kCuadros)
        contador_ = 0;
}

void Lbf_CtrlDisplay::CmdDisplayCancelar_Click() {
    CmdDisplayCancelar->setText(kAbortado);
}

void Lbf_CtrlDisplay::mostrarCuadro(int numero) {
    if (numero < 1 || numero > ImageList1.size())
        return;
    Image1->setPixmap(ImageList1.at(numero - 1));
    cuadro_ = numero;
}
