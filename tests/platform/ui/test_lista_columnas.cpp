// A list whose entries set their code apart with blanks shows name and code
// in two columns, and keeps the entries' texts for the window to read.

#include "platform/ui/lista_columnas.h"

#include <QAbstractItemView>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QString entrada(int sangria, const QString& nombre, const QString& codigo) {
    return QString(sangria, u' ') + nombre + QString(300, u' ') + codigo;
}

TEST(ListaColumnas, SeparaElNombreDelCodigo) {
    struct Caso {
        QString entrada, nombre, codigo;
    };
    const std::vector<Caso> casos = {
        {entrada(0, "ACTIVO", "1"), "ACTIVO", "1"},
        {entrada(40, "Banco de la Nación Argentina", "110102001"),
         QString(40, u' ') + "Banco de la Nación Argentina", "110102001"},
        {entrada(5, "", "11"), QString(), "11"}, // a title without a name
        {QString(), QString(), QString()},
        {"Caja chica", "Caja chica", QString()}, // one blank is part of the name
        {"General", "General", QString()},
        {"0001 Casa Central  ", "0001 Casa Central", QString()},
    };
    for (const Caso& c : casos) {
        const ListaColumnas::Partes p = ListaColumnas::Separa(c.entrada);
        EXPECT_EQ(p.nombre.trimmed(), c.nombre.trimmed()) << c.entrada.trimmed().toStdString();
        EXPECT_EQ(p.nombre.size() - p.nombre.trimmed().size(),
                  c.nombre.size() - c.nombre.trimmed().size())
            << "the indent stays";
        EXPECT_EQ(p.codigo, c.codigo);
    }
}

TEST(ListaColumnas, CadaCodigoEntraEnSuColumnaYLaEntradaQuedaComoEra) {
    QWidget ventana;
    auto* lista = new ListaColumnas(&ventana);
    (new QVBoxLayout(&ventana))->addWidget(lista);
    const QStringList entradas = {QString(), entrada(0, "ACTIVO", "1"),
                                  entrada(40, "Banco de la Provincia de Buenos Aires", "110102002"),
                                  entrada(45, "Subcuenta de diez", "1101020010")};
    lista->addItems(entradas);
    lista->setCurrentIndex(2);
    ventana.resize(300, 60);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    EXPECT_EQ(lista->currentText(), entradas[2]);

    lista->showPopup();
    QAbstractItemView* vista = lista->view();
    const QFontMetrics letra(vista->font());
    std::optional<int> izquierda;
    for (int i = 1; i < lista->count(); ++i) {
        // The row as the list draws it: as wide as the list.
        QRect fila = vista->visualRect(lista->model()->index(i, 0));
        fila.setRight(vista->viewport()->width() - 1);
        const QRect columna = lista->ColumnaCodigo(fila);
        const QString codigo = ListaColumnas::Separa(entradas[i]).codigo;
        EXPECT_GT(columna.width(), letra.horizontalAdvance(codigo)) << codigo.toStdString();
        EXPECT_LE(columna.right(), fila.right());
        if (izquierda) {
            EXPECT_EQ(columna.left(), *izquierda) << "codes start at one place";
        }
        izquierda = columna.left();
    }
    // The list is as wide as the widest name and code need, not the blanks.
    EXPECT_LT(vista->sizeHintForColumn(0),
              letra.horizontalAdvance(QString(45, u' ') + "Banco de la Provincia de Buenos Aires") +
                  300);
    lista->hidePopup();
}

} // namespace
