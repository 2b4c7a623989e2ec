// The standalone additional-data window: typed codes, the fields each
// account's view shows, a save that clears the window for the next code,
// cancel and close.

#include "adicionales_fixture.h"

#include "accounts/ui/grilla_personalizados.h"
#include "common/dialogos.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/modal.h"

#include <QDialog>
#include <QTabWidget>

namespace {

using VentanaTest = AdicionalesTest;

// The detail is off and the code field takes a code.
bool vacia(const Adicionales& w) {
    return campo(w, "CODIGO")->isEnabled() && !campo(w, "CALLE")->isEnabled() &&
           paxtor(w)->estado(Paxtor::EstadoNuevo) && !paxtor(w)->estado(Paxtor::EstadoGrabar);
}

// Codes the window refuses: the message, the account's name shown, and the
// focus kept on the code.
TEST_F(VentanaTest, CodigosRechazados) {
    const QString fueraDeRango =
        QStringLiteral("La cuenta Ingresada no pertenece a ningún rango de datos adicionales!!!");
    const struct {
        const char* codigo;
        QString mensaje;
        const char* titulo;
    } casos[] = {
        {"110309999", QStringLiteral("La cuenta ingresada no existe!!!"), "..."},
        {"1' OR '1'='1", QStringLiteral("La cuenta ingresada no existe!!!"), "..."},
        {"110101001", fueraDeRango, "Caja"},             // no view type
        {"110301", fueraDeRango, "DEUDORES POR VENTAS"}, // a title
    };
    CuentaActual = QStringLiteral("110301002");
    Adicionales& w = abre(true);
    ASSERT_TRUE(vacia(w));
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        responder->shown.clear();
        escribeCodigo(w, QString::fromUtf8(c.codigo));
        EXPECT_EQ(mensajes(), QStringList{c.mensaje});
        EXPECT_EQ(responder->shown.at(0).title, "Aviso al operador...");
        EXPECT_EQ(titulo(w), c.titulo);
        EXPECT_TRUE(vacia(w));
        EXPECT_TRUE(campo(w, "CODIGO")->hasFocus());
        EXPECT_EQ(CuentaActual, "110301002");
    }
}

// A typed supplier: its view shows only the category; the save stores the
// row with the supplier's price class and Null for the hidden condition, and
// the window clears for the next code, which starts with nothing of the
// last one. Cancel clears too; close ends the program. CuentaActual, which
// belongs to the accounts window, is never touched.
TEST_F(VentanaTest, IndependienteGrabaYQuedaParaLaSiguiente) {
    CuentaActual = QStringLiteral("110301002");
    Adicionales& w = abre(true);
    EXPECT_TRUE(campo(w, "CODIGO")->hasFocus()) << "typing starts in the code";
    escribeCodigo(w, QStringLiteral("210101001"));
    ASSERT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(titulo(w), "Molinos del Sur");
    EXPECT_TRUE(w.esNuevo());
    EXPECT_FALSE(campo(w, "CODIGO")->isEnabled());
    EXPECT_FALSE(campo(w, "idcategoria")->isHidden());
    EXPECT_TRUE(campo(w, "IDCOND_Cpra_Vta")->isHidden());
    EXPECT_TRUE(campo(w, "LIMITE_CREDITO")->isHidden());

    completa(w);
    campo(w, "NUMERO_DOCUMENTO")->setText(QStringLiteral("30-7123456-9")); // 12 characters
    w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(mensajes(), QStringList{"La C.U.I.T. debe tener 13 caracteres"});
    EXPECT_TRUE(campo(w, "NUMERO_DOCUMENTO")->hasFocus());

    responder->shown.clear();
    campo(w, "NUMERO_DOCUMENTO")->setText(QStringLiteral("30-71234567-9"));
    campo(w, "IDCOND_Cpra_Vta")->setText(QStringLiteral("0001"));
    campo(w, "idcategoria")->setText(QStringLiteral("0002"));
    w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w.hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_TRUE(mensajes().isEmpty());
    for (const testutil::TempDatabase* d : {&db, &grupo})
        EXPECT_EQ(fila(*d, "CALLE, IDCOND_Cpra_Vta, idcategoria, CLASE", "210101001"),
                  (QVariantList{QStringLiteral("Av. Colón"), QVariant(), "0002", "COSTO"}));
    EXPECT_EQ(Adicionales::Instancia(), &w);
    EXPECT_TRUE(vacia(w));
    EXPECT_EQ(campo(w, "CODIGO")->text(), "");
    EXPECT_TRUE(campo(w, "CODIGO")->hasFocus()) << "the next code is typed at once";
    EXPECT_EQ(titulo(w), "...");
    EXPECT_EQ(w.cuenta(), "");

    // The next code: a customer without a row, all fields blank.
    escribeCodigo(w, QStringLiteral("110301001"));
    EXPECT_TRUE(w.esNuevo());
    EXPECT_EQ(campo(w, "CALLE")->text(), "");
    EXPECT_EQ(campo(w, "idcategoria")->text(), "");
    EXPECT_FALSE(campo(w, "IDCOND_Cpra_Vta")->isHidden());
    campo(w, "CALLE")->setText(QStringLiteral("Brown"));
    campo(w, "CALLE")->setFocus();
    w.Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    EXPECT_TRUE(vacia(w));
    EXPECT_TRUE(campo(w, "CODIGO")->hasFocus());
    EXPECT_EQ(campo(w, "CALLE")->text(), "");
    EXPECT_EQ(fila(db, "COUNT(*)", "110301001"), QVariantList{0});
    EXPECT_EQ(CuentaActual, "110301002");

    EXPECT_THROW(w.Paxtor1_ButtonClick(QStringLiteral("CERRAR")), vb::ProgramEnded);
    EXPECT_EQ(CuentaActual, "110301002");
}

// A lookup closed without a choice empties the field and checks it.
TEST_F(VentanaTest, ACancelledLookupChecksTheEmptiedField) {
    Adicionales& w = abre(true);
    escribeCodigo(w, QStringLiteral("210101001"));
    QLineEdit* provincia = campo(w, "PROVINCIA");
    provincia->setText(QStringLiteral("B"));
    QTest::mouseClick(provincia, Qt::RightButton); // the lookup, closed at once
    EXPECT_EQ(provincia->text(), "");
    EXPECT_EQ(mensajes(), QStringList{"Debe ingresar el campo : Provincia"});
}

// Standalone on a new row and bound on a stored one, F4 stores every custom
// value shown: one already in its cell and one still in the edit box.
TEST_F(VentanaTest, GrabarGuardaLosValoresPersonalizadosEscritos) {
    const struct {
        bool independiente;
        const char* codigo;
    } casos[] = {{true, "210101001"}, {false, "110301002"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        const QString codigo = QString::fromLatin1(c.codigo);
        CuentaActual = codigo;
        Adicionales& w = abre(c.independiente);
        if (c.independiente)
            escribeCodigo(w, codigo);
        ASSERT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
        completa(w);
        w.findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
        FlexGrid* g = w.findChild<GrillaPersonalizados*>()->MSFlexGrid1;
        QLineEdit* caja = w.findChild<GrillaPersonalizados*>()->TxtEdit;
        for (int fila = 1; fila < g->Rows(); ++fila) {
            if (g->TextMatrix(fila, 0) == QStringLiteral("P_FECHA_ALTA"))
                g->setTextMatrix(fila, 1, QStringLiteral("31/12/2023"));
            if (g->TextMatrix(fila, 0) == QStringLiteral("P_RUBRO"))
                g->setRow(fila);
        }
        g->setFocus();
        QTest::keyClick(g, 'A');
        ASSERT_TRUE(caja->isVisible());
        QTest::keyClicks(caja, "lmacen");
        QTest::keyClick(caja, Qt::Key_F4);
        EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(fila(*d, "P_RUBRO, P_FECHA_ALTA", codigo),
                      (QVariantList{"Almacen", "2023-12-31 00:00:00"}));
        if (c.independiente)
            w.Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        delete Adicionales::Instancia();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

// CONSULTAR (F6) answers as the right button: the fields the window has
// locked (the detail before a code, the code once loaded) open no lookup.
TEST_F(VentanaTest, ConsultarEnCampoBloqueadoNoAbreLaConsulta) {
    testutil::CuentaDialogos dialogos;
    const int codigo = 0, provincia = 8; // as the window's handlers address them
    Adicionales& w = abre(true);
    ASSERT_FALSE(campo(w, "PROVINCIA")->isEnabled());
    w.txtFields_MouseDown(provincia, 1);
    w.Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 0);

    escribeCodigo(w, QStringLiteral("210101001"));
    ASSERT_FALSE(campo(w, "CODIGO")->isEnabled());
    w.txtFields_MouseDown(codigo, 1);
    w.Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 0);
    EXPECT_EQ(campo(w, "CODIGO")->text(), QStringLiteral("210101001"));

    // The path works: the open field does open its lookup.
    w.txtFields_MouseDown(provincia, 1);
    w.Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 1);
}

} // namespace

namespace {

using VentanaTest = AdicionalesTest;

// Standalone, a code typed and not accepted is judged by whichever command
// comes first: refused, the command stops there and the code stays typed;
// accepted, its account is shown and the command ends there.
TEST_F(VentanaTest, EveryCommandJudgesTheTypedCodeFirst) {
    testutil::CuentaDialogos dialogos;
    for (const char* comando : {"GRABAR", "BORRAR", "NUEVO", "CANCELAR", "CONSULTAR"}) {
        for (const char* codigo : {"110309999", "110301002"}) {
            SCOPED_TRACE(std::string(comando) + ' ' + codigo);
            const bool existe = codigo == std::string("110301002");
            responder->shown.clear();
            Adicionales& w = abre(true);
            campo(w, "CODIGO")->setText(QLatin1String(codigo));
            w.Paxtor1_ButtonClick(QLatin1String(comando));
            EXPECT_EQ(mensajes(),
                      existe ? QStringList() : QStringList{"La cuenta ingresada no existe!!!"});
            EXPECT_EQ(w.cuenta(), existe ? "110301002" : "");
            EXPECT_EQ(campo(w, "CALLE")->text(), existe ? QStringLiteral("Zelarrayán") : "");
            EXPECT_EQ(campo(w, "CODIGO")->text(), QLatin1String(codigo));
            EXPECT_EQ(fila(db, "CALLE, LOCALIDAD", "110301002"),
                      (QVariantList{QStringLiteral("Zelarrayán"), QStringLiteral("Bahía Blanca")}));
            delete &w;
        }
    }
    EXPECT_EQ(dialogos.abiertos, 0);
}

// What the account's view hides is never written, and the next account
// starts from every field: a supplier's stored purchase condition survives
// a save of its row, and a code whose range names no view shows them all.
TEST_F(VentanaTest, HiddenFieldsAreNeitherWrittenNorLeftHidden) {
    db.exec("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TIPOVISTA, DADA_DE_BAJA) VALUES "
            "('110102001', 'Banco Nación', 0, 'BC', 0);"
            "INSERT INTO TA_RANGOS_DATOS_ADIC VALUES ('110102001', '110102999', 'Bancos', NULL, 0);"
            "INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, NUMERO, CPOSTAL, LOCALIDAD, PROVINCIA, "
            "PAIS, NUMERO_DOCUMENTO, IDCOND_Cpra_Vta, LIMITE_CREDITO) VALUES ('210101001', "
            "'Sarmiento', '1', '8000', 'Bahía Blanca', 'B', 'AR', '30-71234567-9', '0001', 500)");
    Adicionales& w = abre(true);
    escribeCodigo(w, QStringLiteral("210101001"));
    ASSERT_TRUE(campo(w, "IDCOND_Cpra_Vta")->isHidden());
    campo(w, "CALLE")->setText(QStringLiteral("Alem"));
    w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w.hayError()) << mensajes().join(u'|').toStdString();
    for (const testutil::TempDatabase* d : {&db, &grupo})
        EXPECT_EQ(fila(*d, "CALLE, IDCOND_Cpra_Vta, LIMITE_CREDITO", "210101001"),
                  (QVariantList{"Alem", "0001", 500.0}));
    escribeCodigo(w, QStringLiteral("110102001"));
    ASSERT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    for (const char* c : {"IDCOND_Cpra_Vta", "LIMITE_CREDITO", "idcategoria"})
        EXPECT_FALSE(campo(w, c)->isHidden()) << c;
}

} // namespace
