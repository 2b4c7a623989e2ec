#include "cuentas_fixture.h"

#include "accounts/core/mensajes.h"
#include "lookup/lib_frmcons3.h"
#include "platform/ui/modal.h"
#include "platform/win/clsini.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QToolBar>

namespace {

const QString kAbandonar = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kReutilizar = QStringLiteral(
    "La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?");
const QString kSinRunner =
    QStringLiteral("Error de integridad en los Archivos del sistema (CN000R), copie este mensaje "
                   "y comuniquese con su proveedor de software");

QList<QRadioButton*> tipos(const QWidget& w) {
    return w.findChildren<QRadioButton*>(QStringLiteral("OptTipoCuenta"));
}

QAction* boton(const QWidget& w, int n) {
    return control<QToolBar>(w, "Tbar")->actions().value(n - 1);
}

} // namespace

TEST_F(CuentasTest, ArrancaDesdeLaLineaDeComandosEnConsulta) {
    auto w = arranca();

    ASSERT_TRUE(gDatos().gOpenFlag);
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();

    // Browse: only the name accepts typing, only NUEVO and CERRAR of the
    // state-switched keys are on, the kind and the second tab are closed.
    EXPECT_FALSE(enEdicion(*w));
    for (const char* c : {"Codigo", "CodigoOpcional", "CuentaPrincipal", "CodTarjeta_ConcAuto"})
        EXPECT_FALSE(campo(*w, c)->isEnabled()) << c;
    EXPECT_TRUE(campo(*w, "DESCRIPCION")->isEnabled());
    EXPECT_TRUE(tipos(*w).at(0)->isChecked());
    EXPECT_FALSE(tipos(*w).at(0)->isEnabled());
    EXPECT_FALSE(control<QTabWidget>(*w, "SSTab1")->isTabEnabled(1));

    // The lists: the four index series by their configured names, the
    // means of payment in the order of their stored positions.
    EXPECT_EQ(items(control<QComboBox>(*w, "CmbIndices")),
              (QStringList{"IPC", "Mayoristas", "Construcción", "Dólar"}));
    const QStringList medios = items(control<QComboBox>(*w, "CmbMP"));
    ASSERT_EQ(medios.size(), 12);
    EXPECT_EQ(medios.back(), QStringLiteral("Solicitud de crédito"));

    // The tree is shown; cash flow and fixed assets are off in this program.
    EXPECT_TRUE(w->muestraArbol());
    EXPECT_TRUE(boton(*w, 6)->isChecked());
    EXPECT_FALSE(boton(*w, 7)->isVisible());
    EXPECT_TRUE(control<QCheckBox>(*w, "ChkBdu")->isHidden());
}

// The configuration keys and tables the window's load reads, one case each.
TEST_F(CuentasTest, LaCargaSigueLaConfiguracion) {
    struct Caso {
        const char* nombre;
        const char* claves; // extra TA_CONFIGURACION rows
        bool centrosDeCosto;
        bool digito;       // check digit shown
        bool botonCCostos; // side toolbar's cost-centre button shown
        bool monedas;      // the currency list shown
        int moneda;        // its item
    };
    const Caso casos[] = {
        {"todo activo",
         "('USADIGITOVERIFICADOR','SI'),('USACCOSTO','SI'),"
         "('UsaMultilesMonedas','SI'),('MonedaDulvar','2')",
         true, true, true, true, 1},
        {"sin claves ni centros", "", false, false, false, false, -1},
        {"moneda fuera de la lista", "('UsaMultilesMonedas','SI'),('MonedaDulvar','9')", false,
         false, false, true, 0},
    };
    db.exec(QStringLiteral("INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES "
                           "('0001', 'Pesos'), ('0002', 'Dólares')"));
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE IN "
                               "('USADIGITOVERIFICADOR','USACCOSTO','UsaMultilesMonedas',"
                               "'MonedaDulvar'); DELETE FROM TA_CCOSTO"));
        if (*c.claves)
            db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ") +
                    QString::fromUtf8(c.claves));
        if (c.centrosDeCosto)
            db.exec(QStringLiteral("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES "
                                   "('0101', 'Administración'), ('0201', 'Ventas')"));
        auto w = arranca();

        EXPECT_EQ(!control<QLabel>(*w, "LblDV")->isHidden(), c.digito);
        EXPECT_EQ(boton(*w, 4)->isVisible(), c.botonCCostos);
        const auto* ccostos = control<QCheckBox>(*w, "chkCCostos");
        EXPECT_FALSE(ccostos->isChecked());
        EXPECT_EQ(ccostos->isEnabled(), c.centrosDeCosto);
        EXPECT_EQ(ccostos->property("Tag").toString(),
                  c.centrosDeCosto ? QString() : QStringLiteral("VACIO"));
        EXPECT_EQ(w->cCostoPorDefecto(), c.centrosDeCosto ? QStringLiteral("0101") : QString());
        const auto* moneda = control<QComboBox>(*w, "CmbMoneda");
        EXPECT_EQ(!moneda->isHidden(), c.monedas);
        EXPECT_EQ(moneda->currentIndex(), c.moneda);
        if (c.monedas) {
            EXPECT_EQ(items(moneda), (QStringList{"PESOS", "DÓLARES"}));
        }
    }
}

// The code decides: an existing account is loaded for a change, a free code
// is prepared as a new account, a dropped one only when it is reused.
TEST_F(CuentasTest, ElCodigoEligeCuentaNuevaOExistente) {
    struct Caso {
        const char* escrito;
        int respuesta; // to the reuse question; 0: none expected
        bool edicion;
        bool nuevo;
        const char* nombre;
        const char* codigo; // the code field afterwards
        bool titulo;
        const char* digito; // computed for a postable code, "0" for a title
    };
    const Caso casos[] = {
        {"110101001", 0, true, false, "Caja Moneda Nacional", "1-1-01-01-001", false, "31"},
        {"1-1-01-01-001", 0, true, false, "Caja Moneda Nacional", "1-1-01-01-001", false, "31"},
        {"110101", 0, true, false, "CAJA", "1-1-01-01", true, "0"},
        {"110101009", 0, true, true, "", "110101009", false, "55"},
        // Not reused: the window stays on the account shown, its code back.
        {"110101004", vb::vbNo, true, false, "Fondo Fijo", "1-1-01-01-002", false, "34"},
        {"110101004", vb::vbYes, true, false, "Caja Vieja", "1-1-01-01-004", false, "40"},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.escrito);
        // Leaving the new account's empty name on the way is refused.
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101002")));
        ASSERT_EQ(campo(*w, "DESCRIPCION")->text(), QStringLiteral("Fondo Fijo"));
        responder->shown.clear();
        if (c.respuesta)
            responder->answerMsg(c.respuesta);
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QString::fromLatin1(c.escrito)));

        EXPECT_EQ(mensajes(), c.respuesta ? QStringList{kReutilizar} : QStringList{});
        EXPECT_EQ(enEdicion(*w), c.edicion);
        EXPECT_EQ(w->esNuevo(), c.nuevo);
        EXPECT_EQ(w->esModificacion(), c.edicion && !c.nuevo);
        EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), QString::fromUtf8(c.nombre));
        EXPECT_EQ(campo(*w, "Codigo")->text(), QString::fromLatin1(c.codigo));
        EXPECT_EQ(tipos(*w).at(1)->isChecked(), c.titulo);
        EXPECT_EQ(control<QLabel>(*w, "LblDV")->text(), QString::fromLatin1(c.digito));
        EXPECT_EQ(control<QLineEdit>(*w, "TxtCodigo")->text(), campo(*w, "Codigo")->text());
        // A code not taken leaves the account of the run as it was.
        EXPECT_EQ(
            CNStuffContable::CuentaActual,
            QString::fromLatin1(c.respuesta == vb::vbNo ? "110101002" : c.escrito).remove(u'-'));
    }
}

// The command bar's keys, given in any letter case or by their function
// keys from a field of the window, on a loaded account the user changed.
TEST_F(CuentasTest, TeclasDeLaBarra) {
    struct Caso {
        const char* clave; // given as the bar's key
        int tecla;         // or pressed in the name field (0: none)
        int respuesta;     // to the box shown; 0: none expected
        bool edicion;      // afterwards
        bool nuevo;
        const char* nombre; // the name field afterwards
        QStringList mensajes;
    };
    const Caso casos[] = {
        {"nuevo", 0, 0, false, true, "", {}},
        {"Cancelar", 0, vb::vbNo, true, false, "Caja Moneda Nacional", {kAbandonar}},
        {"cancelar", 0, vb::vbYes, false, false, "", {kAbandonar}},
        {"", Qt::Key_F9, vb::vbYes, false, false, "", {kAbandonar}},
        // NUEVO is off while an account is edited: its key does nothing.
        {"", Qt::Key_F2, 0, true, false, "Caja Moneda Nacional", {}},
        {"reporte", 0, vb::vbOK, true, false, "Caja Moneda Nacional", {kSinRunner}},
        {"OTRA", 0, 0, true, false, "Caja Moneda Nacional", {}},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.clave) + " " + std::to_string(c.tecla));
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
        ASSERT_TRUE(enEdicion(*w));
        ASSERT_TRUE(w->datosModificados());
        responder->shown.clear();
        if (c.respuesta)
            responder->answerMsg(c.respuesta);
        if (c.tecla)
            QTest::keyClick(campo(*w, "DESCRIPCION"), Qt::Key(c.tecla));
        else
            w->Paxtor1_ButtonClick(QString::fromLatin1(c.clave));

        EXPECT_EQ(mensajes(), c.mensajes);
        if (c.mensajes == QStringList{kAbandonar}) {
            EXPECT_EQ(responder->shown.at(0).buttons,
                      vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2);
        }
        EXPECT_EQ(enEdicion(*w), c.edicion);
        EXPECT_EQ(w->esNuevo(), c.nuevo);
        EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), QString::fromUtf8(c.nombre));
        if (c.edicion) {
            responder->answerMsg(vb::vbYes);
            w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        }
    }
    EXPECT_EQ(responder->unexpected, 0);
}

// CERRAR closes without a question, also with changes, and keeps the tree's
// state for the next start in the INI section named by the company.
TEST_F(CuentasTest, CerrarGuardaElArbolSinPreguntar) {
    ASSERT_TRUE(ClsIni::GrabaIni(QStringLiteral("CN000p.INI"), QStringLiteral("EMPRESA DE PRUEBA"),
                                 QStringLiteral("Mostrar Treeview"), QStringLiteral("False")));
    const auto arbol = [] {
        return ClsIni::LeeIni(QStringLiteral("CN000p.INI"), QStringLiteral("empresa de prueba"),
                              QStringLiteral("Mostrar Treeview"));
    };
    for (const bool oculta : {false, true}) {
        SCOPED_TRACE(oculta);
        auto w = arranca();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
        if (oculta)
            boton(*w, 6)->trigger(); // unpressed: the tree goes
        EXPECT_EQ(control<QWidget>(*w, "PanelArbol")->isHidden(), oculta);
        EXPECT_EQ(boton(*w, 1)->isEnabled(), !oculta);
        w->Form_KeyDown(119, 0); // F8: CERRAR is off while an account is edited
        EXPECT_TRUE(w->isVisible());
        // NUEVO leaves the changes unsaved and switches CERRAR on.
        w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
        ASSERT_TRUE(w->datosModificados());
        responder->shown.clear();
        w->Paxtor1_ButtonClick(QStringLiteral("cerrar"));

        EXPECT_FALSE(w->isVisible());
        EXPECT_TRUE(responder->shown.empty());
        EXPECT_EQ(arbol(), oculta ? QStringLiteral("False") : QStringLiteral("True"));
        EXPECT_TRUE(CNStuffContable::CuentaActual.isEmpty());
        EXPECT_FALSE(w->rsCuentas());
    }
}

// PLANILLA shows the active chart as a sheet of its own; the sheet taking
// the activation does not make the code box check what is being typed.
TEST_F(CuentasTest, PlanillaMuestraElPlanActivo) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    auto* caja = control<QLineEdit>(*w, "TxtCodigo");
    caja->setFocus();
    QTest::keyClicks(caja, QStringLiteral("1101"));
    w->Paxtor1_ButtonClick(QStringLiteral("Planilla"));
    QWidget* hoja = nullptr;
    for (QWidget* v : QApplication::topLevelWidgets())
        if (v->windowTitle().contains(QStringLiteral("Plan General de Cuentas")) && v != w.get() &&
            v->isVisible())
            hoja = v;
    ASSERT_NE(hoja, nullptr);
    QApplication::setActiveWindow(hoja);
    ASSERT_TRUE(QTest::qWaitForWindowActive(hoja));
    EXPECT_FALSE(enEdicion(*w));
    EXPECT_FALSE(w->esNuevo());
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    hoja->close();
}

// CONSULTAR on the name finds the accounts whose name begins with what was
// typed, LIKE's own characters taken literally, and loads the chosen one.
TEST_F(CuentasTest, ConsultarPorNombre) {
    auto w = arranca();
    QStringList sentencias;
    bool acepta = true;
    ui::setModalDriver([&](QDialog& ventana) {
        auto* lista = qobject_cast<Lib_FrmCons3*>(&ventana);
        ASSERT_NE(lista, nullptr);
        sentencias << lista->SQL;
        auto* filas = ventana.findChild<QAbstractItemView*>(QStringLiteral("ListView1"));
        if (filas->model()->rowCount() > 0)
            filas->setCurrentIndex(filas->model()->index(0, 0));
        QTest::mouseClick(control<QPushButton>(ventana, acepta ? "CmdAceptar" : "CmdCancelar"),
                          Qt::LeftButton);
    });
    w->txtFields_GotFocus(0);
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoConsultar));
    campo(*w, "DESCRIPCION")->setText(QStringLiteral("Fondo"));
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(campo(*w, "Codigo")->text(), QStringLiteral("1-1-01-01-002"));
    EXPECT_TRUE(w->esModificacion());
    EXPECT_TRUE(enEdicion(*w));

    acepta = false;
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    responder->answerMsg(vb::vbYes);
    w->txtFields_GotFocus(0);
    campo(*w, "DESCRIPCION")->setText(QStringLiteral("50%_O'Hara"));
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    ui::setModalDriver([](QDialog&) {});
    ASSERT_EQ(sentencias.size(), 2);
    EXPECT_TRUE(sentencias[0].contains(QStringLiteral("(DESCRIPCION LIKE 'Fondo%')")))
        << sentencias[0].toStdString();
    EXPECT_TRUE(
        sentencias[1].contains(QStringLiteral("(DESCRIPCION LIKE '50!%!_O''Hara%' ESCAPE '!')")))
        << sentencias[1].toStdString();
    // Cancelled: no code, no account.
    EXPECT_TRUE(campo(*w, "Codigo")->text().isEmpty());
    EXPECT_FALSE(enEdicion(*w));
    EXPECT_TRUE(mensajes().filter(QStringLiteral("Error")).isEmpty());
}

// On a chart with letters in its codes an apostrophe is one more character:
// the account that holds one loads, and a free one is a new account; the
// code box upper-cases as the configuration asks.
TEST_F(CuentasTest, CodigoConApostrofoEnPlanAlfanumerico) {
    db.exec(QStringLiteral(
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('CUENTASALFANUMERICAS', 'SI'),"
        "('ESCRIBE_SOLO_MAYUSCULAS', 'SI');"
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, dv, DADA_DE_BAJA) VALUES "
        "('1101010''A', 'Cuenta O''Hara', 0, 0, 0)"));
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("1101010'A")));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    EXPECT_TRUE(w->esModificacion());
    EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), QStringLiteral("Cuenta O'Hara"));

    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("1101010'b")));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    EXPECT_TRUE(w->esNuevo());
    EXPECT_TRUE(campo(*w, "DESCRIPCION")->text().isEmpty());
    campo(*w, "DESCRIPCION")->setText(QStringLiteral("Nueva"));
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(db.scalar("SELECT CODIGO FROM MA_CUENTAS WHERE DESCRIPCION = 'Nueva'"),
              QStringLiteral("1101010'B"));
}

// By keyboard, where the user types next: the code box when the window
// opens, the name once a title proposed the new code, the code box again when
// the code was refused, whatever key left it.
TEST_F(CuentasTest, ElFocoVaDondeSeEscribe) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    auto* codigo = control<QLineEdit>(*w, "TxtCodigo");
    EXPECT_EQ(QApplication::focusWidget(), codigo);

    for (const Qt::Key salida : {Qt::Key_Tab, Qt::Key_Return}) {
        SCOPED_TRACE(salida == Qt::Key_Tab ? "Tab" : "Enter");
        responder->shown.clear();
        codigo->setFocus();
        codigo->clear();
        QTest::keyClicks(codigo, QStringLiteral("11A"));
        QTest::keyClick(codigo, salida);
        EXPECT_EQ(mensajes(), QStringList{cuentas::MsgAlfanumericas});
        EXPECT_EQ(QApplication::focusWidget(), codigo);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
        EXPECT_EQ(codigo->text(), QStringLiteral("11"));
        EXPECT_TRUE(campo(*w, "DESCRIPCION")->text().isEmpty());
    }

    // A title chosen in "Tipo de Cuenta" and Tab: the code is proposed and
    // the name is typed.
    responder->shown.clear();
    codigo->clear();
    auto* titulos = control<QComboBox>(*w, "Combo1");
    titulos->setFocus();
    titulos->setCurrentIndex(titulos->findText(QStringLiteral("110101"), Qt::MatchEndsWith));
    QTest::keyClick(titulos, Qt::Key_Tab);
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(campo(*w, "Codigo")->text(), QStringLiteral("110101003"));
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("Caja Dolares"));
    EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), QStringLiteral("Caja Dolares"));
}

// Tab walks an account's controls in the window's order, the title list
// included, passing by those an account does not use (no cost centres here),
// and leaves the lists that take no typing.
TEST_F(CuentasTest, TabSigueElOrdenDeLaVentana) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    ASSERT_TRUE(w->esModificacion());
    campo(*w, "DESCRIPCION")->setFocus();
    QStringList recorrido;
    for (int i = 0; i < 12; ++i) {
        QWidget* f = QApplication::focusWidget();
        const QString columna = f->property("DataField").toString();
        recorrido << (columna.isEmpty() ? f->objectName() : columna);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    EXPECT_EQ(recorrido.join(u' '),
              QStringLiteral("DESCRIPCION Codigo CodigoOpcional CuentaPrincipal Combo1 "
                             "OptTipoCuenta CHKAjustable ChkBloqueo ChkVto ChkCyB CmbMP "
                             "TreeV"));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
}
