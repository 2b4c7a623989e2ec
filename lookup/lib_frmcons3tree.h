#pragma once
// The tree lookup window: the rows of a code/description statement as a tree
// in which each code hangs under the longest code that begins it (the product
// families by their own statement). The user picks one node, or checks
// several; the picked code is checked against its table and handed back.
// The lookup object sets the public values, loads the window, shows it
// modally and reads ValorDevuelto or Valores after it hides.

#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>

class QComboBox;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

class Lib_FrmCons3Tree : public QDialog {
    Q_OBJECT
public:
    explicit Lib_FrmCons3Tree(QWidget* parent = nullptr);
    ~Lib_FrmCons3Tree() override;

    // ---- Public values -------------------------------------------------------------
    // Statement whose first column is the code and second the description;
    // F5 adds its filters here, the families tree replaces it.
    QString SQL;
    // The code column the caller wants back: "IDFAMILIA", "IDPOSICION" or
    // "CODIGO" (any case) say how the chosen code is checked.
    QString CampoDevuelto;
    // Check boxes on the nodes: several nodes may be chosen.
    bool CheckBoxes = false;
    // The single choice; invalid (Empty) until accepted, the empty text when
    // the code was not found or the user cancelled.
    QVariant ValorDevuelto;
    // The choices of check-box mode; empty (Nothing) after a cancel.
    QStringList Valores;
    // Emptied on cancel, not otherwise used here.
    QStringList CmpsDevueltos;

    // The key of each node (Qt::UserRole + 1): "A" followed by the code; the
    // root's is "A".
    static constexpr int KeyRole = Qt::UserRole + 1;

    // ---- Controls --------------------------------------------------------------------
    QTreeView* TreeV = nullptr;
    std::vector<QComboBox*> CmbSearch; // a control array of one
    QPushButton* CmdAceptar = nullptr;
    QPushButton* CmdCancelar = nullptr;
    QPushButton* CmdNueva = nullptr;

    // Form_Load the first time only; showing the window loads it too.
    void Cargar();
    void Form_Load();
    void Form_Unload();

    void ArmarTreeVFamilias();

    // ---- Handlers ----------------------------------------------------------------------
    void CmbSearch_KeyDown(int Index, int& KeyCode, int Shift);
    void CmbSearch_Change(int Index);
    void CmbSearch_Click(int Index);
    void CmbSearch_GotFocus(int Index);
    void CmdAceptar_Click();
    void CmdCancelar_Click();
    void CmdNueva_Click();
    void TreeV_DblClick();
    // The node's check state goes down to six levels below it.
    void TreeV_NodeCheck(QStandardItem* Node);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ArmarTreeVAutomatico();
    // The statement's builder, chosen as loading does.
    void ArmaArbol();
    // What both builders do: the root, then one node per row of the statement
    // under the node that padreDe names, the routine's error box on a failure.
    void Arma(const QString& rutina, int columnas,
              const std::function<QStandardItem*(const QStringList&)>& padreDe);

    // ---- Nodes ---------------------------------------------------------------------------
    void LimpiaNodos();
    // The root ("A", "Consulta..."), held apart from the view while a builder
    // adds nodes under it, so that a large tree is not drawn node by node.
    void CreaRaiz();
    // Shows the root built so far, expanded; whatever way the builder ended.
    void MuestraRaiz();
    // Adds a node under `padre`; a key already present (letter case ignored)
    // fails with the tree's duplicate-key error.
    QStandardItem* AgregaNodo(QStandardItem* padre, const QString& Key, const QString& Text);
    // The node of that key (letter case ignored); nullptr when none.
    QStandardItem* Nodo(const QString& Key) const;
    // The node hanging under the longest key that begins `Key`.
    QStandardItem* PadreAutomatico(const QString& Key) const;
    // Opens the statement and reads its rows, `columnas` columns each, as
    // texts (Null as "", or a null QString for the third column).
    void LeeFilas(int columnas);

    QStandardItemModel* modelo_; // a child of the window
    std::unique_ptr<QStandardItem> raizPendiente_;
    // Every node in the order it was added, the root first.
    std::vector<QStandardItem*> nodos_;
    // Keys case-folded.
    QHash<QString, QStandardItem*> claves_;
    std::vector<QStringList> filas_;

    // Whether the nodes of this load carry check boxes.
    bool casillas_ = false;
    bool cargado_ = false;
    bool propagando_ = false;
    int indiceCombo_ = 0;
};
