#pragma once
// The chart of accounts as a tree (TreeV of the accounts window and of the
// chart manual). The root has the key "A" and the text "Plan General de
// Cuentas"; each account's node has the key "A" followed by its code and the
// text code " - " description. A chart holds thousands of accounts: the tree
// is a model built in one pass over the rows in code order and shown by a
// QTreeView, never filled item by item.

#include "accounts/ui/plan_cuentas.h"

#include <QAbstractItemModel>
#include <QHash>
#include <QString>
#include <QTreeView>
#include <optional>
#include <vector>

class ModeloArbolPlan : public QAbstractItemModel {
    Q_OBJECT
public:
    // The node's key ("A" and the code) under this role.
    static constexpr int ClaveRole = Qt::UserRole + 1;
    static const QString kClaveRaiz;
    static const QString kTextoRaiz;

    explicit ModeloArbolPlan(QObject* parent = nullptr);

    // Only the root left.
    void Vaciar();
    // One pass over the rows in code order: each account hangs under the
    // nearest earlier account whose code begins its own (the root when none
    // does), so a missing title leaves its accounts under the title above it.
    // A row whose key stands already is passed over.
    void Armar(const std::vector<FilaPlan>& filas);

    enum class Alta { Agregado, ClaveRepetida, SinPadre };
    // Adds a node as the last child of the node of clavePadre.
    Alta Agrega(const QString& clave, const QString& texto, const QString& clavePadre);
    // Removes a node with everything below it; the root stays.
    void Quita(const QModelIndex& nodo);

    // The node of a key (letter case and surrounding blanks ignored); invalid
    // when the tree has none.
    QModelIndex Nodo(const QString& clave) const;
    QModelIndex Raiz() const { return index(0, 0); }
    int CantidadNodos() const { return int(porClave_.size()); }

    QModelIndex index(int row, int column,
                      const QModelIndex& parent = QModelIndex()) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // A chart holds a hundred thousand accounts: a node keeps the row's own
    // texts and builds its key and text when they are asked for.
    struct Nodo_ {
        QString codigo; // the key without its "A"
        QString texto;  // the text; with conCodigo the description after the code
        bool conCodigo = false;
        int padre = -1;
        int fila = 0; // position among its parent's children
        std::vector<int> hijos;
    };
    // The code a key stands for, folded for lookups; nothing for a key that
    // is no node's.
    static std::optional<QString> Plegada(const QString& clave);
    int nuevo(const QString& codigo, const QString& texto, bool conCodigo, int padre);
    int nuevo(const QString& codigo, const QString& clave, const QString& texto, bool conCodigo,
              int padre);
    QModelIndex indice(int nodo) const;
    void olvida(int nodo);

    std::vector<Nodo_> nodos_; // 0 is the root; removed nodes stay unreferenced
    QHash<QString, int> porClave_;
};

// The tree control. A click on a node gives its account code; a character
// typed on it is not the tree's (the window sends the user to the name).
class ArbolPlanCuentas : public QTreeView {
    Q_OBJECT
public:
    explicit ArbolPlanCuentas(QWidget* parent = nullptr);

    ModeloArbolPlan* modelo() const { return modelo_; }

    // Rebuilds the whole tree from the chart's rows (PlanCuentas::LeePlan);
    // with no row only the root stays. Failures go to the operator error box
    // ("ArmarTreeVAutomatico"). Desde is not used. Filas, when given, are
    // the chart's rows already read.
    void ArmarTreeVAutomatico(const QString& Desde = QString(),
                              const std::vector<FilaPlan>* Filas = nullptr);
    // Rebuilds the tree from rows already read (the chart manual's).
    void Armar(const std::vector<FilaPlan>& filas);
    // The node of a saved account: the code without separators and its
    // description. It goes last under the title of the level above (by the
    // run's level ends, gFinNivel1..6); an account already in the tree is
    // left as it is, and one whose title is not in it gets no node.
    void ActualizaTreeV(const QString& Clave, const QString& Texto);
    // Selects the account's node and scrolls it into view; false, with the
    // selection unchanged, when the tree has no node for it.
    bool SeleccionaCuenta(const QString& Codigo);
    // Removes the selected account's node (a deleted account); not the root.
    void QuitaNodoSeleccionado();

    // The code of a node: its key from the second character on (the root's
    // is empty).
    static QString CodigoDeNodo(const QModelIndex& nodo);

Q_SIGNALS:
    // TreeV_NodeClick: a node clicked, with its code.
    void NodeClick(const QString& Codigo);
    // TreeV_KeyPress: a character typed on the tree, which the tree drops.
    void KeyPress(int KeyAscii);

protected:
    void keyPressEvent(QKeyEvent* e) override;

private:
    ModeloArbolPlan* modelo_;
};
