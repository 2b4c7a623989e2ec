#pragma once
// The progress banner's window. Only Dll_Display creates and drives it.

#include <QList>
#include <QPixmap>
#include <QWidget>
#include <array>

class QLabel;
class QPushButton;
class QTimer;

class Lbf_CtrlDisplay : public QWidget {
    Q_OBJECT
public:
    // Caption of the cancel button once the user pressed it; the button's
    // caption is the whole cancel state.
    static const QString kAbortado;

    // Creating the window runs its load steps; the window starts hidden.
    Lbf_CtrlDisplay();
    ~Lbf_CtrlDisplay() override;

    std::array<QLabel*, 3> LblCtrol{};
    QLabel* Image1 = nullptr;
    QPushButton* CmdDisplayCancelar = nullptr;
    QTimer* Timer1 = nullptr;
    QList<QPixmap> ImageList1; // frames 1..12 at indices 0..11

    // Animation state: the frame counter (0..11 between ticks) and the frame
    // number now shown in Image1 (1..12).
    int Contador() const { return contador_; }
    int CuadroMostrado() const { return cuadro_; }

public Q_SLOTS:
    void Timer1_Timer();
    void CmdDisplayCancelar_Click();

private:
    void Form_Load();
    void mostrarCuadro(int numero);

    qint16 contador_ = 0;
    int cuadro_ = 0;
};
