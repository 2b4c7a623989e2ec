#include "widgets_fixture.h"

#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_manualcuentas.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>

namespace {

using CNStuffContable::CuentaActual;
using Manual = frmMa_ManualCuentas;

QPlainTextEdit* caja(const QWidget& w, int i) {
    return w.findChildren<QPlainTextEdit*>(QStringLiteral("txtFields")).value(i);
}
ArbolPlanCuentas& arbol(const QWidget& w) {
    return *w.findChild<ArbolPlanCuentas*>(QStringLiteral("TreeV"));
}
QString etiqueta(const QWidget& w) {
    return w.findChild<QLabel*>(QStringLiteral("LblCuenta"))->text();
}

// The tree below the root on one line, a dot per level ("1 .11 ..1101 2").
QString esquema(const ModeloArbolPlan& m) {
    QStringList l;
    const std::function<void(const QModelIndex&, int)> visita = [&](const QModelIndex& p, int n) {
        for (int r = 0; r < m.rowCount(p); ++r) {
            l << QString(n, u'.') + ArbolPlanCuentas::CodigoDeNodo(m.index(r, 0, p));
            visita(m.index(r, 0, p), n + 1);
        }
    };
    visita(m.Raiz(), 0);
    return l.join(u' ');
}

class ManualTest : public WidgetsDb {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WidgetsDb::SetUp());
        setFines({1, 2, 4, 6, 9, 12});
        db.exec(QStringLiteral(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
            "('1', 'ACTIVO', 1, 0), ('11', 'CORRIENTE', 1, 0), ('1101', 'CAJA Y BANCOS', 1, 0),"
            "('110101', 'Caja', 0, 0), ('110102', 'Fondo Fijo', 0, 0), ('12', 'FIJO', 1, 0),"
            "('2', 'PASIVO', 1, 0), ('2101', 'DEUDAS VIEJAS', 1, 1)"));
        db.exec(QStringLiteral("UPDATE MA_CUENTAS SET Manual = 'Cobros' || char(13) || char(10) || "
                               "'en efectivo', Manual_Haber = 'Pagos' WHERE CODIGO = '110101'"));
    }
    void TearDown() override {
        delete Manual::Instancia();
        CuentaActual.clear();
        CNStuffContable::gSoloMayusculas = false;
        gDatos().cnn()->setFaultInjector({});
        WidgetsDb::TearDown();
    }

    // As the accounts window opens it: CuentaActual, then the shown instance.
    static Manual& abre(const QString& cuenta) {
        delete Manual::Instancia();
        CuentaActual = cuenta;
        Manual* w = Manual::Muestra();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return *w;
    }
    QVariantList guardado() const {
        return db.rows("SELECT Manual, Manual_Haber FROM MA_CUENTAS WHERE CODIGO = '110101'")
            .value(0);
    }
    static void clic(ArbolPlanCuentas& a, const QString& codigo) {
        const QModelIndex nodo = a.modelo()->Nodo(QStringLiteral("A") + codigo);
        a.scrollTo(nodo);
        QTest::mouseClick(a.viewport(), Qt::LeftButton, {}, a.visualRect(nodo).center());
    }
    // Replaces a box's text by typing, as the user does.
    static void escribe(QPlainTextEdit* c, const QString& texto) {
        c->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return c->hasFocus(); }));
        c->selectAll();
        QTest::keyClick(c, Qt::Key_Delete);
        QTest::keyClicks(c, texto);
    }
};

TEST_F(ManualTest, TreeStartsAtTheLevelTheKeyNamesAndRefreshShowsTheWholeChart) {
    const std::vector<std::pair<QString, QString>> casos = {
        {"si", "11 .1101 ..110101 ..110102 12"}, // postable headings: from level 2 on
        {"NO", "1101 .110101 .110102"},          // from level 3 on
    };
    for (const auto& [valor, esperado] : casos) {
        SCOPED_TRACE(valor.toStdString());
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION"));
        clave(QStringLiteral("Rubro_Imputable"), valor);
        EXPECT_EQ(esquema(*arbol(abre(QString())).modelo()), esperado);
    }
    // Customers' accounts too, which the accounts window's tree may leave out.
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TipoVista) VALUES "
                           "('110201', 'Clientes', 0, 'CL')"));
    Manual& w = abre(QString());
    QTest::mouseClick(w.findChild<QPushButton*>(QStringLiteral("CmdActualizar")), Qt::LeftButton);
    EXPECT_EQ(esquema(*arbol(w).modelo()), "1 .11 ..1101 ...110101 ...110102 ..110201 .12 2");
}

// However deep and long, a node's text is shown whole: the tree scrolls
// sideways instead of cutting it.
TEST_F(ManualTest, TheTreeShowsWholeTexts) {
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'FONDO FIJO DE LA SUCURSAL "
                           "BAHIA BLANCA PARA GASTOS MENORES Y VIATICOS' WHERE CODIGO = '110102'"));
    clave(QStringLiteral("Rubro_Imputable"), QStringLiteral("SI"));
    ArbolPlanCuentas& a = arbol(abre(QString()));
    EXPECT_EQ(a.textElideMode(), Qt::ElideNone);
    a.expandAll();
    QCoreApplication::processEvents();
    int vistos = 0;
    for (QModelIndex i = a.model()->index(0, 0); i.isValid(); i = a.indexBelow(i), ++vistos) {
        const QString texto = i.data().toString();
        SCOPED_TRACE(texto.toStdString());
        const int icono = i.data(Qt::DecorationRole).isNull() ? 0 : a.iconSize().width();
        EXPECT_GE(a.visualRect(i).width(), a.fontMetrics().horizontalAdvance(texto) + icono);
    }
    EXPECT_EQ(vistos, 6);
}

TEST_F(ManualTest, ShowsTheAccountItOpensOnOrWhoseNodeIsClicked) {
    const std::vector<std::tuple<QString, QString, QString>> casos = {
        {"110101", "Cuenta: 110101 Caja", "Cobros\nen efectivo|Pagos"},
        {"1101", "Cuenta: 1101 CAJA Y BANCOS", "|"},
        {"", "", "|"},      // the root: nothing would keep what were typed
        {"11'01", "", "|"}, // spliced as it stands, the code would break the statement
    };
    for (const auto& [codigo, rotulo, textos] : casos) {
        SCOPED_TRACE(codigo.toStdString());
        Manual& w = abre(codigo);
        const auto muestra = [&](const QString& sinCuenta) {
            EXPECT_EQ(etiqueta(w), rotulo.isEmpty() ? sinCuenta : rotulo);
            EXPECT_EQ(caja(w, 0)->toPlainText() + u'|' + caja(w, 1)->toPlainText(), textos);
            EXPECT_EQ(caja(w, 1)->isEnabled(), !rotulo.isEmpty());
        };
        muestra(QStringLiteral("..."));
        // Typing starts in the first text when there is an account to write to.
        EXPECT_EQ(QApplication::focusWidget() == caja(w, 0), !rotulo.isEmpty());
        EXPECT_EQ(ArbolPlanCuentas::CodigoDeNodo(arbol(w).currentIndex()),
                  rotulo.isEmpty() ? "" : codigo);
        EXPECT_EQ(Manual::Muestra(), &w); // shown again as it stands
        if (codigo.contains(u'\''))
            continue;
        clic(arbol(w), QStringLiteral("110102"));
        clic(arbol(w), codigo);
        muestra(QString());
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ManualTest, TypedTextsAreWrittenWhenTheUserMovesOnOrCloses) {
    const std::vector<std::tuple<const char*, QString, bool, QString>> casos = {
        {"another node", "1101", false, "Pagos\r\ncon cheque"},
        {"the close box: the focus stays in the box", "", false, "Pagos\r\ncon cheque"},
        {"Cerrar, capitals on", "cmdClose", true, "PAGOS\r\nCON CHEQUE"},
    };
    for (const auto& [nombre, donde, mayusculas, esperado] : casos) {
        SCOPED_TRACE(nombre);
        CNStuffContable::gSoloMayusculas = mayusculas;
        db.exec(QStringLiteral("UPDATE MA_CUENTAS SET Manual_Haber = 'Pagos'"));
        Manual& w = abre(QStringLiteral("110101"));
        escribe(caja(w, 0), QString());
        escribe(caja(w, 1), QStringLiteral("Pagos"));
        QTest::keyClick(caja(w, 1), Qt::Key_Return);
        QTest::keyClicks(caja(w, 1), QStringLiteral("con cheque"));
        if (donde == "cmdClose")
            QTest::mouseClick(w.findChild<QPushButton*>(donde), Qt::LeftButton);
        else if (donde.isEmpty())
            w.close();
        else
            clic(arbol(w), donde);
        // Empty, not NULL; lines apart with CR LF, as the suite stores them.
        EXPECT_EQ(guardado(), QVariantList({QString(), esperado}));
        EXPECT_FALSE(guardado().value(0).isNull());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Manual::Instancia() == nullptr, donde != "1101"); // released when closed
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ManualTest, AFailedWriteIsPutToTheOperator) {
    // Closing or leaving the box; the answer; writes refused before one goes
    // through; the texts written; the window still open.
    const std::vector<std::tuple<bool, int, int, bool, bool>> casos = {
        {true, vb::vbAbort, 9, false, true},
        {true, vb::vbRetry, 1, true, false},
        {false, vb::vbIgnore, 9, false, true},
    };
    int fallas = 0;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.startsWith(u"UPDATE") && s.contains(u"Manual") && fallas-- > 0)
            return ado::lockTimeoutError();
        return std::nullopt;
    });
    for (const auto& [cerrando, respuesta, rechazos, guarda, abierta] : casos) {
        SCOPED_TRACE(testing::Message() << cerrando << " " << respuesta);
        fallas = 0;
        db.exec(QStringLiteral("UPDATE MA_CUENTAS SET Manual_Haber = 'Pagos'"));
        Manual& w = abre(QStringLiteral("110101"));
        escribe(caja(w, 1), QStringLiteral("Con cheque"));
        fallas = rechazos;
        responder->shown.clear();
        responder->answerMsg(respuesta);
        if (cerrando)
            w.close();
        else
            caja(w, 0)->setFocus();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        ASSERT_EQ(responder->shown.size(), 1u);
        EXPECT_TRUE(responder->shown[0].prompt.startsWith("Ha ocurrido el Siguiente Error ("));
        EXPECT_TRUE(
            responder->shown[0].title.contains(cerrando ? "Form_Unload" : "txtFields_LostFocus"));
        EXPECT_EQ(guardado().value(1).toString(), guarda ? "Con cheque" : "Pagos");
        EXPECT_EQ(Manual::Instancia() != nullptr, abierta);
        if (!abierta)
            continue;
        // The text stays, and the refused write leaves no edit on the row
        // that would keep the next account from loading.
        EXPECT_EQ(caja(w, 1)->toPlainText(), "Con cheque");
        responder->answerMsg(vb::vbIgnore);
        clic(arbol(w), QStringLiteral("1101"));
        EXPECT_EQ(etiqueta(w), "Cuenta: 1101 CAJA Y BANCOS");
    }
}

} // namespace
