#include "ventana_fixture.h"

#include "lookup/lib_frmcons3.h"
#include "platform/ui/modal.h"
#include "platform/ui/widgets.h"
#include "platform/win/desktop.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <functional>

namespace {

// The desktop's date chooser, counted; it answers a date as the user would.
class CalendarioContado : public quindel2::Desktop {
public:
    void setWaitCursor(bool) override {}
    void prepareWindow(QWidget*, int) override {}
    void setUpMainWindow(QWidget*) override {}
    bool chooseDate(QString& fecha) override {
        ++veces;
        fecha = QStringLiteral("15/12/2023");
        return true;
    }
    QString chooseFileToOpen(const QString&, const QString&) override { return QString(); }
    bool openUrl(const QUrl&) override { return false; }
    int veces = 0;
};

const QString kPregunta =
    QStringLiteral("INGRESE EL NUMERO DE EJERCICIO CONTABLE QUE DESEA AJUSTAR...");
const QString kAbandonar = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
} // namespace

TEST_F(VentanaTest, ArranqueDesdeLaLineaDeComandos) {
    auto w = arranca();

    ASSERT_TRUE(gDatos().gOpenFlag);
    ASSERT_FALSE(responder->shown.empty());
    const auto& pregunta = responder->shown.front();
    EXPECT_TRUE(pregunta.isInput);
    EXPECT_EQ(pregunta.prompt, kPregunta);
    EXPECT_EQ(pregunta.title, QStringLiteral("AVISO AL OPERADOR"));
    EXPECT_EQ(pregunta.defaultText, QStringLiteral("2022")); // the lowest open year
    EXPECT_EQ(responder->shown.size(), 1u) << responder->messages().join(u'|').toStdString();

    EXPECT_EQ(CNStuffContable::gPeriodoActual, QStringLiteral("2023"));
    // No adjustment yet: the whole year, fixed.
    for (const char* c : {"PERIODO_DESDE", "PERIODO_HASTA", "FECHA"})
        EXPECT_FALSE(campo(*w, QLatin1String(c))->isEnabled()) << c;
    EXPECT_EQ(campo(*w, "PERIODO_DESDE")->text(), QStringLiteral("01/2023"));
    // The number shown is of today's month (March 2024 by the test clock).
    EXPECT_EQ(campo(*w, "[NUMERO ASIENTO]")->text(), QStringLiteral("03-0000001"));
    EXPECT_FALSE(generar(*w)->isEnabled());
    EXPECT_TRUE(cabecera(*w)->isEnabled());
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoNuevo));
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoCerrar));
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoCancelar));
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoBorrar));
}

// The status bar shows where the run is connected, as whom, and the version.
TEST_F(VentanaTest, BarraDeEstadoConLosDatosDeLaConexion) {
    vb::setAppVersion(vb::Version{2, 7, 31});
    auto w = arranca();
    const auto* barra = control<StatusBar>(*w, "sbStatusBar");
    ASSERT_NE(barra, nullptr);
    QStringList textos;
    for (const char* clave : {"SERVER", "BASEDEDATOS", "USUARIO", "VERSION", "CAJA", "MENSAJE"})
        textos << (barra->Panel(QLatin1String(clave)) ? barra->Panel(QLatin1String(clave))->text()
                                                      : QStringLiteral("<none>"));
    // No cash box on the command line: box 1, created at the first start.
    EXPECT_EQ(textos,
              (QStringList{QStringLiteral("Srv: ") + db.folder(),
                           QStringLiteral("Db: ") + db.dbName(), QStringLiteral("Uid: sa"),
                           QStringLiteral("V.2.7.31"), QStringLiteral("1 CAJA 1"), QString()}));
}

// A text that is no number, a year that does not exist and a closed year are
// refused and the question comes again.
TEST_F(VentanaTest, EjercicioInvalidoSePreguntaDeNuevo) {
    db.exec(QStringLiteral("UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2022"));
    responder->answerInput(QStringLiteral("dos mil"));
    responder->answerInput(QStringLiteral("2030"));
    responder->answerInput(QStringLiteral("2022"));
    auto w = arranca(QStringLiteral("2023"));

    std::vector<QString> preguntas, avisos;
    for (const auto& s : responder->shown)
        (s.isInput ? preguntas : avisos).push_back(s.prompt);
    EXPECT_EQ(preguntas.size(), 4u);
    ASSERT_EQ(avisos.size(), 3u);
    EXPECT_EQ(avisos[0], QStringLiteral("El número de ejercicio ingresado no es válido"));
    EXPECT_EQ(avisos[1], QStringLiteral("El ejercicio 2030 no existe"));
    EXPECT_EQ(avisos[2], QStringLiteral("El ejercicio 2022 está cerrado y no puede ajustarse"));
    EXPECT_EQ(responder->shown.front().defaultText, QStringLiteral("2023")); // 2022 is closed
    EXPECT_EQ(CNStuffContable::gPeriodoActual, QStringLiteral("2023"));
    EXPECT_EQ(campo(*w, "FECHA")->text(), QStringLiteral("31/12/2023"));
}

TEST_F(VentanaTest, SinRespuestaTerminaElPrograma) {
    responder->answerInput(QStringLiteral("abc")); // refused first
    resetInstances();
    CNStuffContable::setLineaComandos(lineaComandos(db));
    responder->answerInput(QString());
    FrmQuarzelo w;
    EXPECT_THROW(w.Form_Load(), vb::ProgramEnded);
    EXPECT_FALSE(w.isVisible());
    EXPECT_TRUE(campo(w, "FECHA")->text().isEmpty());
}

TEST_F(VentanaTest, CerrarPreguntaSoloConCambios) {
    auto w = nueva();
    EXPECT_THROW(w->Paxtor1_ButtonClick(QStringLiteral("CERRAR")), vb::ProgramEnded);
    EXPECT_TRUE(responder->shown.empty());

    w = nueva();
    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    responder->answerMsg(vb::vbNo);
    w->Paxtor1_ButtonClick(QStringLiteral("CERRAR"));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt, kAbandonar);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("ATENCIÓN!!!"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2);
    responder->answerMsg(vb::vbYes);
    EXPECT_THROW(w->Paxtor1_ButtonClick(QStringLiteral("CERRAR")), vb::ProgramEnded);
    EXPECT_TRUE(w->lineas().empty());
}

// Typing starts in the REI account, and Tab walks the header by index,
// passing by the fields the user does not type into.
TEST_F(VentanaTest, ElFocoEmpiezaEnLaCuentaReiYTabSigueLaCabecera) {
    auto w = arranca();
    muestra(*w);
    QStringList recorrido;
    for (int i = 0; i < 8 && QApplication::focusWidget(); ++i) {
        QWidget* f = QApplication::focusWidget();
        const QString columna = f->property("DataField").toString();
        recorrido << (columna.isEmpty() ? f->objectName() : columna);
        QTest::keyClick(f, Qt::Key_Tab);
    }
    EXPECT_EQ(recorrido.join(u' '), QStringLiteral("CTA_REI TC SUCURSAL NUMERO LETRA "
                                                   "chkIncluirProforma FgResumen CTA_REI"));
}

// The close box's event as Qt delivers it, for the answer that ends the
// program: the end must not travel through Qt's own frames.
struct ConCierre : FrmQuarzelo {
    using FrmQuarzelo::closeEvent;
};

// The close box is CERRAR: a validated field or a generated entry that was
// not stored asks first, and only Sí closes.
TEST_F(VentanaTest, LaCajaDeCierreComoCerrar) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indice(2023, 1, 1.2);
    indice(2023, 2, 1.1);
    indice(2023, 12, 1.0);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-05"), QStringLiteral("D"), 200});
    struct Caso {
        const char* nombre;
        std::function<void(FrmQuarzelo&)> prepara;
        bool pregunta;
    };
    const std::vector<Caso> casos = {
        {"untouched", [](FrmQuarzelo&) {}, false},
        {"a validated account",
         [](FrmQuarzelo& w) { ASSERT_TRUE(valida(w, "CTA_REI", QStringLiteral("5901"))); }, true},
        {"a typed account",
         [](FrmQuarzelo& w) { QTest::keyClicks(campo(w, "CTA_REI"), QStringLiteral("59")); }, true},
        {"a refused Generar",
         [](FrmQuarzelo& w) {
             ASSERT_TRUE(valida(w, "CTA_REI", QStringLiteral("5901")));
             campo(w, "PERIODO_DESDE")->setText(QStringLiteral("03/2023"));
             w.CmdGenerar_Click();
             ASSERT_EQ(w.lineas().size(), 1u);
         },
         true},
        {"a generated entry",
         [](FrmQuarzelo& w) {
             ASSERT_TRUE(valida(w, "CTA_REI", QStringLiteral("5901")));
             w.CmdGenerar_Click();
             ASSERT_EQ(w.lineas().size(), 3u);
             ASSERT_FALSE(w.modificado());
         },
         true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto w = ventana<ConCierre>(QStringLiteral("01/2023"), QStringLiteral("02/2023"));
        c.prepara(*w);
        muestra(*w);
        responder->shown.clear();
        if (c.pregunta) {
            responder->answerMsg(vb::vbNo);
            EXPECT_FALSE(w->close());
            EXPECT_TRUE(w->isVisible());
            ASSERT_EQ(responder->shown.size(), 1u);
            EXPECT_EQ(responder->shown[0].prompt, kAbandonar);
            EXPECT_EQ(responder->shown[0].title, QStringLiteral("ATENCIÓN!!!"));
            EXPECT_EQ(responder->shown[0].buttons,
                      vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2);
            responder->answerMsg(vb::vbYes);
        }
        QCloseEvent cierre;
        EXPECT_THROW(w->closeEvent(&cierre), vb::ProgramEnded);
        EXPECT_EQ(responder->shown.size(), c.pregunta ? 2u : 0u);
        EXPECT_TRUE(w->lineas().empty());
    }
}

TEST_F(VentanaTest, CancelarYBorrar) {
    auto w = nueva();
    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(campo(*w, "CTA_REI")->text(), QStringLiteral("5901"));

    responder->answerMsg(vb::vbNo);
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    EXPECT_EQ(campo(*w, "CTA_REI")->text(), QStringLiteral("5901"));
    EXPECT_TRUE(w->modificado());

    // F9 from a field is the toolbar's CANCELAR.
    responder->answerMsg(vb::vbYes);
    QTest::keyClick(campo(*w, "CTA_REI"), Qt::Key_F9);
    EXPECT_EQ(responder->shown.size(), 2u);
    EXPECT_TRUE(campo(*w, "CTA_REI")->text().isEmpty());
    EXPECT_EQ(campo(*w, "PERIODO_DESDE")->text(), QStringLiteral("01/2023"));
    EXPECT_FALSE(w->modificado());
}

// The right button opens the field's lookup; a chosen value is accepted as if
// typed with Enter, a cancelled one changes nothing.
TEST_F(VentanaTest, ConsultaDelCampo) {
    auto w = nueva();
    QLineEdit* rei = campo(*w, "CTA_REI");
    QTest::mouseClick(rei, Qt::RightButton);
    EXPECT_EQ(w->indiceActual(), 3);
    EXPECT_TRUE(rei->text().isEmpty());
    EXPECT_TRUE(responder->shown.empty());

    // The lookups are the real windows: type the code into the first
    // column's search and accept.
    QStringList sentencias;
    QString elegir;
    ui::setModalDriver([&](QDialog& ventana) {
        auto* lista = qobject_cast<Lib_FrmCons3*>(&ventana);
        ASSERT_NE(lista, nullptr);
        sentencias << lista->SQL.trimmed();
        const int columna = lista->IndiceColumna(lista->CampoDevuelto) - 1;
        auto combos = ventana.findChildren<QComboBox*>(QStringLiteral("CmbSearch"));
        for (QComboBox* c : combos)
            if (c->property("Index").toInt() == columna)
                QTest::keyClicks(c, elegir);
        QTest::mouseClick(control<QPushButton>(ventana, "CmdAceptar"), Qt::LeftButton);
    });
    elegir = QStringLiteral("5901");
    QTest::mouseClick(rei, Qt::RightButton);
    EXPECT_EQ(rei->text(), QStringLiteral("5901"));
    EXPECT_EQ(etiqueta(*w, "LblDescCuenta")->text(), QStringLiteral("R.E.I."));
    w->txtFields_MouseDown(4, 1, 0, 0, 0); // the left button on TC
    elegir = QStringLiteral("AJUS");
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    ui::setModalDriver([](QDialog&) {});
    EXPECT_EQ(campo(*w, "TC")->text(), QStringLiteral("AJUS"));
    EXPECT_EQ(campo(*w, "LETRA")->text(), QStringLiteral("X"));
    // No mask file in the program folder: the voucher types are read from
    // their view with the launcher's two columns.
    EXPECT_EQ(sentencias,
              (QStringList{QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE "
                                          "TITULO = 0 ORDER BY CODIGO"),
                           QStringLiteral("select Descripcion,Codigo from VT_TA_Cpte")}));
}

// The right button or F6 on a disabled field (the date, fixed by the new
// entry) or on a field of the locked header (the R.E.I. account and the
// voucher type after the letter passed) opens neither the calendar nor the
// lookup and changes nothing; neither does it on the entry number, which is
// never editable.
TEST_F(VentanaTest, ClicDerechoEnCampoBloqueadoNoHaceNada) {
    auto calendario = std::make_shared<CalendarioContado>();
    quindel2::setDesktop(calendario);
    int consultas = 0;
    ui::setModalDriver([&](QDialog&) { ++consultas; });
    struct Restaura {
        ~Restaura() {
            ui::setModalDriver([](QDialog&) {});
            ui::installWidgets();
        }
    } restaura;
    auto w = nueva();
    muestra(*w);
    QLineEdit* fecha = campo(*w, "FECHA");
    QLineEdit* rei = campo(*w, "CTA_REI");
    QLineEdit* numero = campo(*w, "[NUMERO ASIENTO]");
    const QString numeroMostrado = numero->text();

    // The path works: the editable account field opens its lookup.
    QTest::mouseClick(rei, Qt::RightButton);
    EXPECT_EQ(consultas, 1);
    // The entry number is shown only: a click leaves the focus where it was.
    QWidget* antes = QApplication::focusWidget();
    QTest::mouseClick(numero, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), antes);
    // F6 with it as the field last in use, its lookup key on.
    w->txtFields_GotFocus(indiceCampo(QStringLiteral("[NUMERO ASIENTO]")));
    ASSERT_TRUE(paxtor(*w)->estado(Paxtor::EstadoConsultar));
    QTest::keyClick(antes ? antes : w.get(), Qt::Key_F6);

    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    ASSERT_TRUE(valida(*w, "TC", QStringLiteral("AJUS")));
    ASSERT_TRUE(valida(*w, "LETRA", QStringLiteral("X")));
    ASSERT_FALSE(cabecera(*w)->isEnabled());
    QTest::mouseClick(fecha, Qt::RightButton);
    QTest::mouseClick(rei, Qt::RightButton);
    QTest::mouseClick(numero, Qt::RightButton);
    // F6 with each of them as the field last in use, its lookup key on.
    for (const char* columna : {"FECHA", "CTA_REI", "TC"}) {
        w->txtFields_GotFocus(indiceCampo(QLatin1String(columna)));
        ASSERT_TRUE(paxtor(*w)->estado(Paxtor::EstadoConsultar)) << columna;
        QWidget* foco = QApplication::focusWidget();
        QTest::keyClick(foco ? foco : w.get(), Qt::Key_F6);
    }

    EXPECT_EQ(calendario->veces, 0);
    EXPECT_EQ(consultas, 1);
    EXPECT_EQ(fecha->text(), QStringLiteral("31/12/2023"));
    EXPECT_EQ(rei->text(), QStringLiteral("5901"));
    EXPECT_EQ(campo(*w, "TC")->text(), QStringLiteral("AJUS"));
    EXPECT_EQ(numero->text(), numeroMostrado);
}
