// A list whose entries set their code apart with blanks shows name and code
// in two columns, and keeps the entries' texts for the window to read.

#include "platform/ui/lista_columnas.h"

#include <QAbstractItemView>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QString entrada(int sangria, const QString& nombre, const QString& codigo) {
    return QString(sangria, u' ') + nombre + QString(300, u' ') + codigo;
}

TEST(ListaColumnas, SeparaElNombreDelCodigo) {
    const std::vector<std::array<QString, 3>> casos = {
        {entrada(40, "Banco Nación", "110102001"), QString(40, u' ') + "Banco Nación", "110102001"},
        {entrada(5, "", "11"), "", "11"},
        {"", "", ""},
        {"Caja chica", "Caja chica", ""}, // one blank is part of the name
        {"0001 Casa Central  ", "0001 Casa Central", ""},
    };
    for (const auto& [texto, nombre, codigo] : casos) {
        const ListaColumnas::Partes p = ListaColumnas::Separa(texto);
        EXPECT_EQ(p.nombre.trimmed(), nombre.trimmed()) << texto.trimmed().toStdString();
        EXPECT_EQ(p.nombre.size() - p.nombre.trimmed().size(),
                  nombre.size() - nombre.trimmed().size());
        EXPECT_EQ(p.codigo, codigo);
    }
}

// Every code fits the code column at the right of the open list, and the
// list is as wide as names and codes need, not their blanks.
TEST(ListaColumnas, CadaCodigoEntraEnSuColumna) {
    ListaColumnas lista;
    const QStringList entradas = {"", entrada(0, "ACTIVO", "1"),
                                  entrada(45, "Banco de la Provincia", "1101020010")};
    lista.addItems(entradas);
    lista.setCurrentIndex(2);
    lista.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&lista));
    EXPECT_EQ(lista.currentText(), entradas[2]);
    lista.showPopup();
    QAbstractItemView* vista = lista.view();
    const QFontMetrics letra(vista->font());
    for (int i = 1; i < lista.count(); ++i) {
        QRect fila = vista->visualRect(lista.model()->index(i, 0));
        fila.setRight(vista->viewport()->width() - 1); // as the list draws the row
        const QString codigo = ListaColumnas::Separa(entradas[i]).codigo;
        EXPECT_GT(lista.ColumnaCodigo(fila).width(), letra.horizontalAdvance(codigo));
    }
    EXPECT_LT(vista->sizeHintForColumn(0), letra.horizontalAdvance(entradas[2].trimmed()));
    lista.hidePopup();
}

} // namespace
