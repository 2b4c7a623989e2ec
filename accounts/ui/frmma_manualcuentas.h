#pragma once
// The chart manual: for every account what it is debited for (Manual) and
// what it is credited for (Manual_Haber), beside the chart as a tree. One
// instance at a time, opened modeless from the accounts window on the account
// that CuentaActual holds. The texts are written back to the account's row
// when a text box is left and when the window closes; a write that fails is
// put to the operator, never dropped in silence.

#include "platform/ado/ado.h"

#include <QString>
#include <QVariant>
#include <QWidget>
#include <array>
#include <optional>

class ArbolPlanCuentas;
class QCheckBox;
class QCloseEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QResizeEvent;
class FiltroManual;

class frmMa_ManualCuentas : public QWidget {
    Q_OBJECT
public:
    // The accounts window's way in: shows the one instance, modeless. The
    // first call creates and loads it on CuentaActual; later calls show it as
    // it stands, or on CuentaActual's account when it names another, until it
    // closes (the next call then loads a fresh one).
    static frmMa_ManualCuentas* Muestra();
    // The instance standing now; nullptr when none is.
    static frmMa_ManualCuentas* Instancia();

    explicit frmMa_ManualCuentas(QWidget* parent = nullptr);
    ~frmMa_ManualCuentas() override;

    // Tree, then the account of CuentaActual (read here, once).
    void Form_Load();
    // Rebuilds the tree from the chart's active accounts. With Desde, only
    // the codes as long as level 2 ends (key "Rubro_Imputable" = "SI") or
    // level 3 ends (otherwise) and longer. No row leaves the tree as it was.
    void ArmarTreeVAutomatico(const std::optional<QVariant>& Desde = std::nullopt);
    // Loads the account of CuentaActual from Tabla; none leaves the window as
    // it is.
    void MostrarCuenta(const QString& Tabla);
    // Shows the account of a node; the root (an empty code) or an account
    // dropped meanwhile shows nothing.
    void TreeV_NodeClick(const QString& Codigo);
    void txtFields_GotFocus(int Index);
    // Writes both texts to the account shown.
    void txtFields_LostFocus(int Index);
    // KeyAscii is a Windows-1252 code; 0 drops the key.
    void txtFields_KeyPress(int Index, int& KeyAscii);
    // Every node expanded (the box on) or collapsed, the root included.
    void ChkRama_Click();
    // The whole chart, every level, into the tree.
    void CmdActualizar_Click();
    void cmdClose_Click();
    void Form_Resize();
    // Writes the texts first; Cancel is set when that failed and the operator
    // chose to stay, so that the texts are not lost.
    void Form_Unload(int& Cancel);

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class FiltroManual;

    ArbolPlanCuentas* TreeV = nullptr;
    QLabel* LblCuenta = nullptr;
    std::array<QLabel*, 2> LblTitulo{};
    // Manual, Manual_Haber; each carries its column in "DataField".
    std::array<QPlainTextEdit*, 2> txtFields{};
    QCheckBox* ChkRama = nullptr;
    QPushButton* CmdActualizar = nullptr;
    QPushButton* cmdClose = nullptr;
    FiltroManual* Filtro = nullptr;

    // The account shown; the texts are written to its current row.
    ado::RecordsetPtr rsCuenta;
    QString TablaManual;
    // A write is running: the focus moves of its error box write nothing.
    bool Grabando = false;
    // The code of the account shown; empty for none.
    QString CuentaMostrada() const;

    void ArmaControles();
    // The shown row's label and texts; the boxes open for typing.
    void MuestraFila(const QString& Codigo);
    // The window shows no account: label and texts emptied, boxes closed.
    void SinCuenta();
    // Writes both texts to rsCuenta's current row, if it has one. False when
    // it failed and the operator left (the texts stay in the boxes).
    bool GrabaTextos(const QString& Rutina);
};
