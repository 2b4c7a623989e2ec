// The accounts window's fields: checks and their messages, the checks of a
// save, the kind switch, boxes, lists and keys, the code proposed under a
// title.

#include "cuentas_fixture.h"

#include "accounts/core/mensajes.h"
#include "common/dialogos.h"
#include "platform/ui/modal.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QRadioButton>
#include <QToolBar>

namespace {

QWidget* foco() {
    return QApplication::focusWidget();
}

void enfoca(QWidget* w) {
    w->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w->hasFocus(); }));
}

void tipo(const QWidget& w, int i) {
    w.findChildren<QRadioButton*>(QStringLiteral("OptTipoCuenta")).at(i)->setChecked(true);
}

} // namespace

// Enter checks a field: a refusal shows the chart's message and keeps the
// focus there (a refused digit count goes back to browse), a value accepted
// moves on.
TEST_F(CuentasTest, CadaCampoRechazaConSuMensaje) {
    db.exec("UPDATE MA_CUENTAS SET BLOQUEO = 1 WHERE CODIGO = '110101002';"
            "UPDATE MA_CUENTAS SET CodigoOpcional = 'VJ01' WHERE CODIGO = '110101004'");
    const QString largo = QStringLiteral(
        "Recuerde, si el codigo opcional tiene mas de 4 caracteres no podrá utilizarlo en el "
        "modulo de caja y banco, se recomienda dejar codigos opcionales de 4 caracteres maximo!");
    const struct {
        const char* columna;
        const char* valor;
        QString mensaje; // empty: none
        bool rechaza;
        const char* relacionado = nullptr; // the main account's name shown
    } casos[] = {
        {"Codigo", "11A", cuentas::MsgAlfanumericas, true},
        {"Codigo", "1-1-0", cuentas::MsgCantidadDigitos, true},
        {"DESCRIPCION", "", QStringLiteral("Debe ingresar el nombre de la cuenta"), true},
        {"CuentaPrincipal", "110101004",
         QStringLiteral("La cuenta Solicitada se encuentra Actualmente dada de Baja "), true},
        {"CuentaPrincipal", "110101", QStringLiteral("Debe seleccionar una Cuenta Imputable"),
         true},
        {"CuentaPrincipal", "110101002", {}, false, "Fondo Fijo"}, // blocked
        {"CuentaPrincipal", "999", QStringLiteral("La cuenta ingresada no existe!"), true, ""},
        {"CuentaPrincipal", "110101001", {}, false, "Caja Moneda Nacional"}, // itself
        // A dropped account's optional code, stored without "-".
        {"CodigoOpcional", "VJ-01",
         QStringLiteral("El Código Opcional ingresado se repite para la cuenta: 110101004 Caja "
                        "Vieja\r\nModifique el mismo y vuelva a intentarlo."),
         true},
        {"CodigoOpcional", "CAJA1", largo, false},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.columna) + " " + c.valor);
        w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
        QLineEdit* f = campo(*w, c.columna);
        ASSERT_NO_FATAL_FAILURE(enfoca(f));
        responder->shown.clear();
        f->setText(QString::fromLatin1(c.valor));
        QTest::keyClick(f, Qt::Key_Return);

        EXPECT_EQ(mensajes(), c.mensaje.isEmpty() ? QStringList() : QStringList{c.mensaje});
        for (const auto& caja : responder->shown) {
            EXPECT_EQ(caja.title,
                      c.mensaje == largo ? "Aviso al operador" : "Aviso al operador...");
            EXPECT_EQ(caja.buttons, vb::vbOKOnly + vb::vbInformation);
        }
        EXPECT_EQ(w->hayError(), c.rechaza);
        EXPECT_EQ(foco() == f, c.rechaza && f->isEnabled());
        // A refused code keeps the account shown: the user corrects it.
        EXPECT_TRUE(enEdicion(*w));
        EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), c.columna == QLatin1String("DESCRIPCION")
                                                        ? QString::fromLatin1(c.valor)
                                                        : QStringLiteral("Caja Moneda Nacional"));
        if (c.relacionado) {
            EXPECT_EQ(control<QLabel>(*w, "LblDescRelacionado")->text(), c.relacionado);
        }
    }
}

// GRABAR checks every field in saving mode, the code against the kind, and
// then refuses an account bound to an employee file.
TEST_F(CuentasTest, GrabarValidaTodosLosCampos) {
    db.exec("INSERT INTO P_MA_LEGAJOS (IDEMPRESA, LEGAJO, CUENTA) VALUES (' 2 ', '15', "
            "'110101001')");
    const QString legajo = QStringLiteral(
        "La cuenta que intenta modificar está configurada para el legajo 15 del código de "
        "empresa 2\r\nLos cambios deben realizarse desde el sistema de personal");
    const struct {
        const char* codigo;
        int tipo;
        const char* nombre;
        QStringList mensajes;
    } casos[] = {
        {"110101001001", 1, "Subcuenta", {cuentas::MsgNoPuedeSerTitulo}},
        {"110101001001", 0, "Subcuenta", {}},
        {"110101001", 0, "", {QStringLiteral("Debe ingresar el nombre de la cuenta"), legajo}},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.codigo) + " " + std::to_string(c.tipo));
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QString::fromLatin1(c.codigo)));
        tipo(*w, c.tipo);
        campo(*w, "DESCRIPCION")->setText(QString::fromLatin1(c.nombre));
        responder->shown.clear();
        w->Campo_Valida(2); // only a save judges the code by the kind
        EXPECT_TRUE(mensajes().isEmpty());

        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_EQ(mensajes(), c.mensajes);
        if (c.mensajes.size() == 2) {
            EXPECT_EQ(responder->shown.back().title, QStringLiteral("Aviso al Usuario"));
        }
        // Only a save that passed its checks clears the change mark and,
        // once written, the window; a refused one keeps what was typed.
        EXPECT_EQ(w->datosModificados(), !c.mensajes.isEmpty());
        EXPECT_EQ(campo(*w, "DESCRIPCION")->text(),
                  c.mensajes.isEmpty() ? QString() : QString::fromLatin1(c.nombre));
        responder->answerMsg(vb::vbYes);
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        responder->msgAnswers.clear();
    }
}

// "Título" turns off what only a postable account uses, keeping the VAT
// book; "Imputable" brings it back, the cost-centre box only when there are
// cost centres (none here). The means of payment decide the currency list
// and the card fields.
TEST_F(CuentasTest, TipoCasillasYListas) {
    db.exec("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('UsaMultilesMonedas', 'SI'),"
            "('USACCOSTO', 'SI'); INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES ('1', 'P')");
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    auto* ajustable = control<QCheckBox>(*w, "CHKAjustable");
    auto* compras = w->findChildren<QRadioButton*>(QStringLiteral("optLibros")).at(1);
    ajustable->setChecked(true);
    compras->setChecked(true);
    EXPECT_EQ(ajustable->text(), QStringLiteral("SI"));
    EXPECT_FALSE(control<QWidget>(*w, "CmbIndices")->isHidden());
    for (const int t : {1, 0}) {
        tipo(*w, t);
        EXPECT_FALSE(ajustable->isChecked());
        EXPECT_TRUE(control<QWidget>(*w, "CmbIndices")->isHidden());
        EXPECT_EQ(control<QLabel>(*w, "LblDV")->text(), t == 0 ? "31" : "0");
        EXPECT_TRUE(compras->isChecked());
        // The VAT books only show what the account's view type gave them.
        EXPECT_FALSE(compras->isEnabled());
        for (QObject* c : {static_cast<QObject*>(ajustable), control<QObject>(*w, "ChkBloqueo"),
                           static_cast<QObject*>(control<QToolBar>(*w, "Tbar")->actions().at(3))})
            EXPECT_EQ(c->property("enabled").toBool(), t == 0) << t;
        EXPECT_FALSE(control<QWidget>(*w, "chkCCostos")->isEnabled());
    }
    control<QCheckBox>(*w, "ChkCyB")->setChecked(true);
    EXPECT_EQ(control<QCheckBox>(*w, "ChkCyB")->text(), QStringLiteral("SI"));
    EXPECT_TRUE(control<QWidget>(*w, "CmbMoneda")->isEnabled());

    for (const auto& [item, leyenda, tarjeta] :
         {std::tuple{3, "(Tarjetas)", true}, std::tuple{2, "(Tarjetas)", false},
          std::tuple{4, "(Datanet)", true}, std::tuple{11, "", true}, std::tuple{0, "", false}}) {
        control<QComboBox>(*w, "CmbMP")->setCurrentIndex(item);
        EXPECT_EQ(control<QWidget>(*w, "CmbMoneda")->isHidden(), item == 0) << item;
        EXPECT_EQ(control<QLabel>(*w, "lblCodTarjetaConcAuto")->text(),
                  *leyenda ? QStringLiteral("Código para conciliación automática: ") + leyenda
                           : QString())
            << item;
        EXPECT_EQ(control<QWidget>(*w, "chkTarjeta")->isHidden(), !tarjeta) << item;
        EXPECT_EQ(campo(*w, "CodTarjeta_ConcAuto")->isHidden(), !tarjeta) << item;
    }
}

// Code characters typed into the code field reformat it by levels, a "-"
// typed by hand waiting for the next one; the configuration upper-cases code
// characters; the lists take no typing, Enter moves on; a refused field left
// without Enter is checked once and still left; the right button looks up.
TEST_F(CuentasTest, TeclasDeCamposYListas) {
    db.exec("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('ESCRIBE_SOLO_MAYUSCULAS','SI')");
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    QLineEdit* codigo = campo(*w, "Codigo");
    for (const auto& [tecleado, texto] :
         {std::pair{"110101001", "1-1-01-01-001"}, std::pair{"110-", "1-1-0-"},
          std::pair{"110-1", "1-1-01"}, std::pair{"110101001001", "1-1-01-01-001001"}}) {
        codigo->clear();
        QTest::keyClicks(codigo, QString::fromLatin1(tecleado));
        EXPECT_EQ(codigo->text(), QString::fromLatin1(texto));
        EXPECT_EQ(codigo->cursorPosition(), codigo->text().size()) << tecleado;
    }
    QLineEdit* opcional = campo(*w, "CodigoOpcional");
    opcional->clear();
    QTest::keyClicks(opcional, QStringLiteral("cj-1"));
    EXPECT_EQ(opcional->text(), QStringLiteral("CJ-1"));

    control<QCheckBox>(*w, "CHKAjustable")->setChecked(true); // shows the index list
    for (const char* nombre : {"CmbIndices", "CmbMP", "Combo1"}) {
        auto* lista = control<QComboBox>(*w, nombre);
        ASSERT_NO_FATAL_FAILURE(enfoca(lista));
        const int antes = lista->currentIndex();
        QTest::keyClicks(lista, QStringLiteral("ChMa")); // "Cheque", "Construcción"
        EXPECT_EQ(lista->currentIndex(), antes) << nombre;
        QTest::keyClick(lista, Qt::Key_Return);
        EXPECT_EQ(foco() == lista, lista->objectName() == u"CmbMP") << nombre;
    }

    QLineEdit* principal = campo(*w, "CuentaPrincipal");
    ASSERT_NO_FATAL_FAILURE(enfoca(principal));
    principal->setText(QStringLiteral("999"));
    responder->shown.clear();
    ASSERT_NO_FATAL_FAILURE(enfoca(opcional));
    EXPECT_EQ(mensajes(), QStringList{QStringLiteral("La cuenta ingresada no existe!")});

    // The right button opens the field's lookup.
    int abiertas = 0;
    ui::setModalDriver([&](QDialog&) { ++abiertas; });
    QTest::mouseClick(principal, Qt::RightButton);
    ui::setModalDriver([](QDialog&) {});
    EXPECT_EQ(abiertas, 1);
}

// Leaving the title list proposes the next free code under the title (zeros
// kept, dropped codes taken) and moves to the name, unless an account is
// loaded; a loaded account selects its own title even when another title has
// its name.
TEST_F(CuentasTest, ElTituloProponeElCodigoYLaCuentaSuTitulo) {
    db.exec("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('120101', 'CAJA', 1)");
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    auto* titulos = control<QComboBox>(*w, "Combo1");
    titulos->clear();
    for (const char* t : {"", "ACTIVO|1", "ACTIVO CORRIENTE|11", "CAJA|110101", "CAJA|120101"})
        titulos->addItem(QString::fromLatin1(t).replace(u'|', QString(300, u' ')));
    for (const auto& [item, propuesto] :
         {std::pair{3, "110101003"}, std::pair{2, "1101"}, std::pair{1, "12"}}) {
        w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
        titulos->setCurrentIndex(item);
        ASSERT_NO_FATAL_FAILURE(enfoca(titulos));
        QTest::keyClick(titulos, Qt::Key_Tab);
        EXPECT_EQ(campo(*w, "Codigo")->text(), QString::fromLatin1(propuesto));
        EXPECT_EQ(control<QLineEdit>(*w, "TxtCodigo")->text(), QString::fromLatin1(propuesto));
        EXPECT_TRUE(w->esNuevo());
        EXPECT_EQ(foco(), campo(*w, "DESCRIPCION"));
    }
    // The new account is left unnamed: the window is cleared first.
    w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    EXPECT_EQ(titulos->currentIndex(), 3);
    titulos->setCurrentIndex(1);
    w->Combo1_LostFocus();
    EXPECT_EQ(campo(*w, "Codigo")->text(), QStringLiteral("1-1-01-01-001"));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();

    // A full title answered No: the code proposed is refused once, and the
    // focus stays on the code.
    db.exec("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('12', 'B', 0), "
            "('13', 'C', 0), ('14', 'D', 0), ('15', 'E', 0), ('16', 'F', 0), ('17', 'G', 0), "
            "('18', 'H', 0), ('19', 'I', 0)");
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
    titulos->setCurrentIndex(1);
    ASSERT_NO_FATAL_FAILURE(enfoca(titulos));
    responder->shown.clear();
    responder->answerMsg(vb::vbNo);
    QTest::keyClick(titulos, Qt::Key_Tab);
    EXPECT_EQ(mensajes(),
              (QStringList{"No hay espacio en la cuenta titulo actual. ¿Buscar en la siguiente?\r\n"
                           "Siguiente cuenta a buscar : 2",
                           "La cuenta Ingresada no es correcta verifique la cantidad de Digitos"}));
    EXPECT_EQ(foco(), control<QLineEdit>(*w, "TxtCodigo"));
}

// CONSULTAR (F6) answers as the right button: a field the window has locked
// opens no lookup, the same field open for editing does.
TEST_F(CuentasTest, ConsultarEnCampoBloqueadoNoAbreLaConsulta) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    testutil::CuentaDialogos dialogos;
    QLineEdit* principal = campo(*w, "CuentaPrincipal");
    const int indice = 3; // as the window's handlers address it
    ASSERT_FALSE(principal->isEnabled());
    w->txtFields_MouseDown(indice, 1);
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 0);
    EXPECT_TRUE(principal->text().isEmpty());

    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    ASSERT_TRUE(principal->isEnabled());
    w->txtFields_MouseDown(indice, 1);
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 1);
}
