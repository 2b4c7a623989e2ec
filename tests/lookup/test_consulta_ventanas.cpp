// The lookup object's round trips: it builds the statement, opens the list or
// the tree window, and hands back what the user chose there.

#include "lista_fixture.h"

#include "lookup/def_qconsulta.h"
#include "lookup/lib_clscons3.h"
#include "lookup/lib_frmcons3tree.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"

#include <QFile>

namespace {

// Drives each modal window the lookup opens; restores the closing driver.
class Conductor {
public:
    explicit Conductor(ui::ModalDriver d) { ui::setModalDriver(std::move(d)); }
    ~Conductor() {
        ui::setModalDriver([](QDialog&) {});
    }
};

} // namespace

class ConsultaVentanas : public ListaTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ListaTest::SetUp());
        resetConsulta();
    }
    void TearDown() override {
        resetConsulta();
        ListaTest::TearDown();
    }
};

// Typing, a server requery with an apostrophe and a "%", sorting and accepting
// in the list: the object hands back the chosen row's columns.
TEST_F(ConsultaVentanas, ListaDePuntaAPunta) {
    QString estado;
    Conductor c([&](QDialog& d) {
        auto& w = dynamic_cast<Lib_FrmCons3&>(d);
        EXPECT_FALSE(w.OrdenarPorLwv); // the statement has its ORDER BY
        EXPECT_LT(w.modelo().filas(), kCuentas + 1);
        QTest::keyClicks(combo(w, 1), QStringLiteral("cuenta 29"));
        estado += seleccionada(w) + u'|';
        // F5 on the description: the server gives only the 50% row.
        combo(w, 1)->setEditText(QStringLiteral("Caja 50%"));
        QTest::keyClick(combo(w, 1), Qt::Key_F5);
        EXPECT_TRUE(buscada(w)); // the rows may come after the key
        estado += columna(w).join(u',') + u'|';
        QTest::mouseClick(boton(w, "CmdNueva"), Qt::LeftButton);
        combo(w, 1)->setEditText(QStringLiteral("o'bri"));
        QTest::keyClick(combo(w, 1), Qt::Key_F5);
        EXPECT_TRUE(buscada(w)); // the rows may come after the key
        estado += columna(w).join(u',') + u'|';
        QTest::mouseClick(boton(w, "CmdNueva"), Qt::LeftButton);
        clickEncabezado(w, 0);
        clickEncabezado(w, 0); // descending
        estado += celda(w, 0, 0);
        lista(w)->setCurrentIndex(w.modelo().index(1, 0));
        QTest::mouseClick(boton(w, "CmdAceptar"), Qt::LeftButton);
    });

    Lib_ClsCons3& consulta = gConsulta();
    consulta.CampoDevuelto = QStringLiteral("CODIGO");
    QStringList columnas{QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO")};
    QString campo, where;
    consulta.ConsultaSearch(cuentasSql(), columnas, QString(), campo, where, QString(), false,
                            QString());

    EXPECT_EQ(estado, QStringLiteral("1029|2001|2003|2005"));
    EXPECT_EQ(consulta.ValorDevuelto.toString(), QStringLiteral("2004"));
    EXPECT_EQ(consulta.Valores,
              (QStringList{QStringLiteral("Banco_Nación"), QStringLiteral("2004")}));
    EXPECT_TRUE(columnas.isEmpty());
    EXPECT_TRUE(consulta.CampoDevuelto.isEmpty());
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

// Check-box mode: the object unchecks every row before showing them, and
// hands back the checked ones; Checks is off again afterwards.
TEST_F(ConsultaVentanas, MarcasYCancelacion) {
    Lib_ClsCons3& consulta = gConsulta();
    {
        Conductor c([&](QDialog& d) {
            auto& w = dynamic_cast<Lib_FrmCons3&>(d);
            EXPECT_TRUE(w.CheckBoxes);
            EXPECT_FALSE(w.modelo().marcada(0)); // "1001" was asked pre-checked
            w.modelo().setMarcada(2, true);
            w.modelo().setMarcada(4, true);
            QTest::mouseClick(boton(w, "CmdAceptar"), Qt::LeftButton);
        });
        consulta.Checks = true;
        consulta.CampoDevuelto = QStringLiteral("CODIGO");
        QStringList ninguna;
        QString campo, where;
        consulta.ConsultaSearch(cuentasSql(), ninguna, QString(), campo, where, QString(), false,
                                QStringLiteral("1001"));
    }
    EXPECT_EQ(consulta.Valores, (QStringList{QStringLiteral("1003"), QStringLiteral("1005")}));
    EXPECT_FALSE(consulta.Checks);

    // Cancelling gives the empty text and no values.
    Conductor c([&](QDialog& d) {
        QTest::mouseClick(boton(dynamic_cast<Lib_FrmCons3&>(d), "CmdCancelar"), Qt::LeftButton);
    });
    consulta.CampoDevuelto = QStringLiteral("CODIGO");
    QStringList ninguna;
    QString campo, where;
    consulta.ConsultaSearch(cuentasSql(), ninguna, QString(), campo, where, QString(), false,
                            QString());
    EXPECT_EQ(consulta.ValorDevuelto, QVariant(QString()));
    EXPECT_TRUE(consulta.Valores.isEmpty());
}

// The tree: a nested account picked by its code comes back checked
// against its table.
TEST_F(ConsultaVentanas, ArbolEligeUnCodigoAnidado) {
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES "
                           "('5', 'Raiz'), ('51', 'Hija'), ('512', 'Nieta')"));
    QString padre;
    Conductor c([&](QDialog& d) {
        auto& w = dynamic_cast<Lib_FrmCons3Tree&>(d);
        const QModelIndex nieta =
            w.TreeV->model()
                ->match(w.TreeV->model()->index(0, 0), Lib_FrmCons3Tree::KeyRole,
                        QStringLiteral("A512"), 1, Qt::MatchExactly | Qt::MatchRecursive)
                .value(0);
        ASSERT_TRUE(nieta.isValid());
        padre = nieta.parent().data(Lib_FrmCons3Tree::KeyRole).toString();
        w.TreeV->setCurrentIndex(nieta);
        QTest::mouseClick(w.CmdAceptar, Qt::LeftButton);
    });
    Lib_ClsCons3& consulta = gConsulta();
    consulta.CampoDevuelto = QStringLiteral("CODIGO");
    QStringList ninguna;
    QString campo, where;
    consulta.ConsultaSearch(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE "
                                           "CODIGO LIKE '5%' ORDER BY CODIGO"),
                            ninguna, QString(), campo, where, QString(), true, QString());
    EXPECT_EQ(padre, QStringLiteral("A51"));
    EXPECT_EQ(consulta.ValorDevuelto.toString(), QStringLiteral("512"));
    EXPECT_TRUE(consulta.CampoDevuelto.isEmpty());
}

// The launcher on a table of its list and on a family rule, without a mask
// file: the two-column statement over the table, the code handed back.
TEST_F(ConsultaVentanas, LanzadorPorTablaYPorFamilia) {
    db.exec(QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, DESCRIPCION, SISTEMA) VALUES "
                           "('AJUS', 'Ajuste', 'CONTABLE'), ('FAC', 'Factura', 'VENTAS')"));
    QStringList sentencias;
    QString elegir;
    Conductor c([&](QDialog& d) {
        auto& w = dynamic_cast<Lib_FrmCons3&>(d);
        sentencias << w.SQL.trimmed();
        const int col = w.IndiceColumna(w.CampoDevuelto) - 1;
        QTest::keyClicks(combo(w, col), elegir);
        QTest::mouseClick(boton(w, "CmdAceptar"), Qt::LeftButton);
    });
    struct Caso {
        QString tabla, codigo, elegir, esperado;
    };
    for (const Caso& k :
         {Caso{"TA_COMPROBANTES", "x", "FAC", "FAC"}, Caso{"ma_cuentas", "x", "2003", "2003"}}) {
        QString tb = k.tabla, rsp, cl1 = k.codigo, cl2;
        elegir = k.elegir;
        Def_QConsulta::QConsulta(tb, rsp, cl1, cl2, true, QString());
        EXPECT_EQ(cl1, k.esperado) << k.tabla.toStdString();
    }
    EXPECT_EQ(sentencias,
              (QStringList{QStringLiteral("select Descripcion,Codigo from VT_TA_Cpte"),
                           QStringLiteral("select Descripcion,Codigo from ma_cuentas")}));
}

// The three option menus over the list window.
TEST_F(ConsultaVentanas, MenusDeOpciones) {
    Lib_ClsCons3& consulta = gConsulta();
    QStringList filas;
    int marcadas = 0;
    Conductor c([&](QDialog& d) {
        auto& w = dynamic_cast<Lib_FrmCons3&>(d);
        filas = columna(w);
        marcadas = 0;
        for (int f = 0; f < w.modelo().filas(); ++f)
            marcadas += w.CheckBoxes && w.modelo().marcada(f);
        EXPECT_FALSE(boton(w, "CmdNueva")->isVisible());
        if (w.modelo().filas() > 1)
            lista(w)->setCurrentIndex(w.modelo().index(1, 0));
        QTest::mouseClick(boton(w, "CmdAceptar"), Qt::LeftButton);
    });

    QStringList ninguna;
    EXPECT_EQ(consulta.CheckOpciones(QStringLiteral("Columnas"), ninguna,
                                     {QStringLiteral("1Codigo"), QStringLiteral("0Descripcion"),
                                      QStringLiteral("xSaldo")}),
              QString());
    EXPECT_EQ(filas, (QStringList{"Codigo", "Descripcion", "Saldo"}));
    EXPECT_EQ(marcadas, 1);
    EXPECT_EQ(consulta.Valores, QStringList{QStringLiteral("Codigo")});

    EXPECT_EQ(consulta.MenuOpciones(QStringLiteral("Elija"), {"Uno", "Dos"}),
              QStringLiteral("Dos"));
    // A single option is offered too.
    EXPECT_EQ(consulta.MenuOpciones(QStringLiteral("Elija"), {"Solo"}), QStringLiteral("Solo"));

    const QString ruta = tempDir.filePath(QStringLiteral("lineas.txt"));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("primera\r\nsegunda l\xednea\r\ntercera\r\n"); // Windows-1252
    f.close();
    EXPECT_EQ(consulta.ConsultaDesdeArchivo(QStringLiteral("Archivo"), ruta, QString()),
              QStringLiteral("segunda línea"));
    EXPECT_EQ(filas.size(), 3);

    const QString falta = tempDir.filePath(QStringLiteral("no.txt"));
    EXPECT_EQ(consulta.ConsultaDesdeArchivo(QStringLiteral("Archivo"), falta, QString()),
              QString());
    EXPECT_EQ(responder->messages(), QStringList{QStringLiteral("No existe el archivo ") + falta +
                                                 QStringLiteral(" que desea consultar consulta ")});
}

// Both lookup windows open with the focus in their search box: what the user
// types first searches, Enter in the list takes the row found, Escape leaves
// the lookup cancelled.
TEST_F(ConsultaVentanas, LoPrimeroQueSeTecleaBusca) {
    struct Caso {
        const char* nombre;
        bool arbol;
        const char* teclas;
        bool acepta;
        const char* devuelto;
    };
    const std::vector<Caso> casos = {
        {"list, accepted", false, "1029", true, "1029"},
        {"list, escaped", false, "1029", false, ""},
        {"tree, accepted", true, "1029", true, "1029"},
        {"tree, escaped", true, "1029", false, ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        QString enBusqueda;
        Conductor conductor([&](QDialog& d) {
            d.activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
            QWidget* foco = QApplication::focusWidget();
            ASSERT_NE(foco, nullptr);
            QTest::keyClicks(foco, QLatin1String(c.teclas));
            auto* busqueda = d.findChild<QComboBox*>(QStringLiteral("CmbSearch"));
            enBusqueda = busqueda->currentText();
            if (c.acepta) {
                // The row found is the current one: Enter in the list (or
                // Aceptar for the tree) takes it.
                if (c.arbol)
                    QTest::keyClick(d.findChild<QPushButton*>(QStringLiteral("CmdAceptar")),
                                    Qt::Key_Return);
                else
                    QTest::keyClick(d.findChild<QTreeView*>(QStringLiteral("ListView1")),
                                    Qt::Key_Return);
            } else {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            }
            EXPECT_FALSE(d.isVisible());
        });
        Lib_ClsCons3& consulta = gConsulta();
        consulta.CampoDevuelto = QStringLiteral("CODIGO");
        QStringList columnas;
        QString campo, where;
        consulta.ConsultaSearch(cuentasSql(), columnas, QString(), campo, where, QString(), c.arbol,
                                QString());
        EXPECT_EQ(enBusqueda, QLatin1String(c.teclas));
        EXPECT_EQ(consulta.ValorDevuelto.toString(), QLatin1String(c.devuelto));
    }
}
