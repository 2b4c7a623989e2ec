#include "lista_fixture.h"

#include "platform/ui/modal.h"

#include <QLineEdit>

namespace {

// Shows the window through the modal seam with `driver` acting on it.
void muestraModal(Lib_FrmCons3& w, const std::function<void(Lib_FrmCons3&)>& driver) {
    const ui::ModalDriver anterior = ui::setModalDriver([&](QDialog& d) {
        QApplication::setActiveWindow(&d);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
        driver(static_cast<Lib_FrmCons3&>(d));
    });
    ui::showModal(w);
    ui::setModalDriver(anterior);
}

} // namespace

TEST_F(ListaTest, AcceptCopiesTheChosenRowsValues) {
    auto w = abre(cuentasSql());
    w->CampoDevuelto = QStringLiteral("CODIGO");
    w->CmpsDevueltos = {QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO")};
    muestraModal(*w, [](Lib_FrmCons3& v) {
        QTest::keyClicks(combo(v, 1), QStringLiteral("cuenta 3"));
        QTest::keyClick(lista(v), Qt::Key_Return);
        EXPECT_FALSE(v.isVisible());
    });
    EXPECT_EQ(w->ValorDevuelto, QVariant(QStringLiteral("1003")));
    EXPECT_EQ(w->Valores, (QStringList{QStringLiteral("Cuenta 3"), QStringLiteral("1003")}));

    // Enter without a current row copies nothing.
    auto sinFila = abre(cuentasSql());
    sinFila->CampoDevuelto = QStringLiteral("CODIGO");
    muestraModal(*sinFila, [](Lib_FrmCons3& v) {
        lista(v)->setCurrentIndex(QModelIndex());
        int enter = 13;
        v.ListView1_KeyDown(enter, 0);
    });
    EXPECT_FALSE(sinFila->ValorDevuelto.isValid());
    EXPECT_TRUE(sinFila->Valores.isEmpty());
}

TEST_F(ListaTest, CheckBoxesStartFromWholeValuesAndMarcarInvertsThem) {
    auto w = std::make_unique<Lib_FrmCons3>();
    w->SQL = cuentasSql();
    w->CheckBoxes = true;
    w->CampoDevuelto = QStringLiteral("CODIGO");
    w->ValoresDefault = QStringLiteral("1010; '1001'");
    w->Cargar();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    auto marcadas = [&] {
        QStringList codigos;
        for (int f = 0; f < w->modelo().filas(); ++f)
            if (w->modelo().marcada(f))
                codigos << celda(*w, f, 0);
        return codigos;
    };
    // "101" is inside "1010" but is not one of the values.
    EXPECT_EQ(marcadas(), (QStringList{QStringLiteral("1001"), QStringLiteral("1010")}));

    QTest::mouseClick(boton(*w, "CmdTodos"), Qt::LeftButton);
    QStringList resto = columna(*w);
    for (const char* c : {"1001", "1010", "101"})
        resto.removeOne(QLatin1String(c));
    ASSERT_EQ(resto.size(), kCuentas - 3);
    // Space changes the current row's mark and types nothing.
    combo(*w, 0)->setEditText(QStringLiteral("101"));
    ASSERT_EQ(seleccionada(*w), QStringLiteral("101"));
    QTest::keyClick(lista(*w), Qt::Key_Space);
    EXPECT_EQ(combo(*w, 0)->currentText(), QStringLiteral("101"));
    EXPECT_EQ(marcadas(), resto);

    w->CampoDevuelto.clear(); // the first column then
    QTest::mouseClick(boton(*w, "CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(w->Valores, resto);
    EXPECT_FALSE(w->ValorDevuelto.isValid());
}

TEST_F(ListaTest, QuantityKeysEditTheQuantityAndMarkTheRow) {
    auto w = std::make_unique<Lib_FrmCons3>();
    w->SQL = QStringLiteral("SELECT CODIGO, '2,00' AS [**Cantidad**] FROM MA_CUENTAS "
                            "WHERE CODIGO IN ('1001', '1002') ORDER BY CODIGO");
    w->CheckBoxes = true;
    w->UsaCantidades = true;
    w->Cargar();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    lista(*w)->setCurrentIndex(w->modelo().index(0, 0));
    struct Caso {
        const char* antes;
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        const char* respuesta; // of the input box, for Shift+Insert
        const char* despues;
        bool marcada;
    };
    const Caso casos[] = {
        {"2,00", Qt::Key_Insert, {}, nullptr, "3,0", true},
        {"2,50", Qt::Key_Insert, {}, nullptr, "3,5", true},
        {"2.00", Qt::Key_Insert, {}, nullptr, "3,0", true},
        {"3,0", Qt::Key_Delete, {}, nullptr, "2,0", true},
        {"1,0", Qt::Key_Delete, {}, nullptr, "0.00", false},
        {"2,00", Qt::Key_Insert, Qt::ShiftModifier, "5", "5,00", true},
        {"2,00", Qt::Key_Insert, Qt::ShiftModifier, "", "2,00", true},
    };
    for (const Caso& c : casos) {
        w->modelo().setTexto(0, 1, QString::fromUtf8(c.antes));
        w->modelo().setMarcada(0, true);
        if (c.respuesta)
            responder->answerInput(QString::fromUtf8(c.respuesta));
        QTest::keyClick(lista(*w), c.tecla, c.mods);
        EXPECT_EQ(celda(*w, 0, 1), QString::fromUtf8(c.despues)) << c.antes << " " << c.tecla;
        EXPECT_EQ(w->modelo().marcada(0), c.marcada) << c.antes << " " << c.tecla;
    }
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_EQ(responder->shown[0].prompt, QStringLiteral("Ingrese la Cantidad del Articulo..."));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Carga de Datos"));
    EXPECT_EQ(responder->shown[0].defaultText, QStringLiteral("2,00"));

    // The quantities come back beside the values of the checked rows.
    w->modelo().setMarcada(1, true);
    QTest::mouseClick(boton(*w, "CmdAceptar"), Qt::LeftButton);
    EXPECT_EQ(w->Valores, (QStringList{QStringLiteral("1001"), QStringLiteral("1002")}));
    EXPECT_EQ(w->Cantidades, (QStringList{QStringLiteral("2,00"), QStringLiteral("2,00")}));
}

TEST_F(ListaTest, QuantityKeyWithoutQuantityColumnIsReported) {
    auto w = abre(cuentasSql());
    w->UsaCantidades = true;
    lista(*w)->setCurrentIndex(w->modelo().index(0, 0));
    QTest::keyClick(lista(*w), Qt::Key_Insert);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QLatin1String("ListView1_KeyDown")));
}

TEST_F(ListaTest, KeysTypedInTheListGoToTheSearchInUse) {
    auto w = abre(cuentasSql());
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    combo(*w, 1)->setFocus();
    EXPECT_EQ(combo(*w, 1)->lineEdit()->palette().color(QPalette::Base), QColor(Qt::cyan));
    lista(*w)->setFocus();
    EXPECT_EQ(combo(*w, 1)->lineEdit()->palette().color(QPalette::Base), QColor(Qt::white));
    struct Paso {
        Qt::Key tecla;
        Qt::KeyboardModifiers mods;
        const char* texto;  // of the search afterwards
        const char* codigo; // selected afterwards
    };
    const Paso pasos[] = {
        {Qt::Key_C, {}, "c", "1001"},
        {Qt::Key_U, Qt::ShiftModifier, "cu", "1001"},
        {Qt::Key_Backspace, {}, "c", "1001"},
        {Qt::Key_F7, {}, "c", "1001"},
        {Qt::Key_C, Qt::ControlModifier, "c", "1001"},
    };
    for (const Paso& p : pasos) {
        lista(*w)->setFocus();
        QTest::keyClick(lista(*w), p.tecla, p.mods);
        EXPECT_EQ(combo(*w, 1)->currentText(), QString::fromUtf8(p.texto)) << p.tecla;
        EXPECT_EQ(seleccionada(*w), QString::fromUtf8(p.codigo)) << p.tecla;
    }
    // Keypad digits type digits; Space types a blank when rows have no marks.
    combo(*w, 0)->setFocus();
    for (Qt::Key k : {Qt::Key_1, Qt::Key_0, Qt::Key_1, Qt::Key_0})
        QTest::keyClick(lista(*w), k, Qt::KeypadModifier);
    EXPECT_EQ(combo(*w, 0)->currentText(), QStringLiteral("1010"));
    EXPECT_EQ(seleccionada(*w), QStringLiteral("1010"));
    EXPECT_TRUE(combo(*w, 0)->hasFocus());
    QTest::keyClick(lista(*w), Qt::Key_Space);
    EXPECT_EQ(combo(*w, 0)->currentText(), QStringLiteral("1010 "));
}
