#include "platform/ui/clsplanilla.h"

#include "platform/ado/ado.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

bool alineaDerecha(int tipo) {
    switch (tipo) {
    case ado::adSmallInt:
    case ado::adInteger:
    case ado::adSingle:
    case ado::adDouble:
    case ado::adCurrency:
    case ado::adDecimal:
    case ado::adTinyInt:
    case ado::adUnsignedTinyInt:
    case ado::adBigInt:
    case ado::adNumeric:
        return true;
    default:
        return false;
    }
}

struct Resultado {
    QStringList columnas;
    QList<int> tipos;
    QList<QStringList> filas;
};

Resultado consulta(const QString& sql, const QString& connString) {
    Resultado r;
    const ado::ConnectionPtr cnn = ado::Connection::create();
    cnn->Open(connString);
    const ado::RecordsetPtr rs = ado::Recordset::create();
    rs->Open(sql, cnn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    for (int i = 0; i < rs->fieldCount(); ++i) {
        r.columnas << rs->Fields(i).Name();
        r.tipos << rs->Fields(i).Type();
    }
    while (!rs->EOF()) {
        QStringList fila;
        for (int i = 0; i < rs->fieldCount(); ++i)
            fila << ClsUtilidades::ValorCampo(rs->Fields(i));
        r.filas << fila;
        rs->MoveNext();
    }
    rs->Close();
    cnn->Close();
    return r;
}

} // namespace

QWidget* ClsPlanilla::MuestraPlanilla(const QString& sql, const QString& connString,
                                      const QString& titulo) {
    Resultado r;
    for (;;) {
        try {
            r = consulta(sql, connString);
            break;
        } catch (const ado::Exception& e) {
            if (ClsUtilidades::ReportaError(e.error(), std::nullopt,
                                            QStringLiteral("MuestraPlanilla")) != vb::vbRetry)
                return nullptr;
        }
    }

    auto* ventana = new QDialog(QApplication::activeWindow());
    ventana->setObjectName(QStringLiteral("Planilla"));
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    ventana->setWindowTitle(titulo);
    auto* tabla = new QTableWidget(int(r.filas.size()), int(r.columnas.size()), ventana);
    tabla->setObjectName(QStringLiteral("Grilla"));
    tabla->setHorizontalHeaderLabels(r.columnas);
    tabla->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabla->setSelectionBehavior(QAbstractItemView::SelectRows);
    tabla->setAlternatingRowColors(true);
    for (int f = 0; f < r.filas.size(); ++f) {
        for (int c = 0; c < r.columnas.size(); ++c) {
            auto* celda = new QTableWidgetItem(r.filas.at(f).at(c));
            if (alineaDerecha(r.tipos.at(c)))
                celda->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            tabla->setItem(f, c, celda);
        }
    }
    tabla->resizeColumnsToContents();
    auto* layout = new QVBoxLayout(ventana);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(tabla);
    ventana->resize(800, 500);
    ventana->show();
    return ventana;
}
