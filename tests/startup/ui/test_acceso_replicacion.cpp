// The access window raised while an account save replicates: the group
// database's login fails and the operator answers "Sí". The window then
// works on the group's connection; whatever the operator does in it, the
// company's save stays complete and its connection open, and the run goes on.

#include "test_cns_fixture.h"

#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"
#include "platform/ui/modal.h"
#include "startup/ui/frmacceso.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace CNStuffContable;

namespace {

class AccesoReplicacion : public CnsTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CnsTest::SetUp());
        useAppFolder(QStringLiteral("CN040"));
        InstalaReplicacion();
        installAccessWindow();
        // The group's database has no file under the configured name.
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                               "('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
                               "'MA_CUENTAS|'), ('GRP_Tipos', '111', NULL), "
                               "('GRP_Server', %1, NULL), ('GRP_Base', 'NOHAY', NULL), "
                               "('GRP_User', 'NOHAY', NULL)")
                    .arg(sqltext::literal(db.folder())));
        previo = ui::setModalDriver([](QDialog&) {});
    }

    void TearDown() override {
        ui::setModalDriver(std::move(previo));
        resetCartel();
        ModGruposEmp::setServicios(nullptr);
        CnsTest::TearDown();
    }

    // The account save as it reaches the replication: the row committed,
    // then replicated, then the rights written after it.
    bool grabaCuenta() {
        bool error = false;
        std::int32_t nativo = 0;
        EjecutaTransaccion({QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, "
                                           "DADA_DE_BAJA) VALUES ('110101009', 'Caja chica', 0, "
                                           "0)")},
                           error, nativo);
        if (error)
            return false;
        QString tabla = QStringLiteral("@Admin_MA_Cuentas");
        ModGruposEmp::ActualizaGEmpresas(tabla, ModGruposEmp::Alta, QStringLiteral("'110101009'"));
        EjecutaTransaccion({QStringLiteral("INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) "
                                           "VALUES ('CONTADORES', '110101009')")},
                           error, nativo);
        return !error;
    }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
    ui::ModalDriver previo;
};

TEST_F(AccesoReplicacion, TheWindowWorksOnTheTargetAndCancelSkipsIt) {
    enum Boton { Registrar, Conectar, Cancelar };
    const struct {
        const char* caso;
        std::vector<Boton> botones;
        bool copiada; // the group got the account
    } casos[] = {
        {"Conectar", {Conectar}, true},
        {"Registrar, then Conectar", {Registrar, Conectar}, true},
        {"Registrar, then Cancelar", {Registrar, Cancelar}, false},
        {"Cancelar", {Cancelar}, false},
    };
    const QString bases = tempDir.filePath(QStringLiteral("BASES.TXT"));
    const QString registrada = QStringLiteral("GRUPO / ") + db.folder().toUpper();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("DELETE FROM MA_CUENTAS; DELETE FROM MA_CUENTAS_USUARIOS");
        QFile::remove(bases);
        gUsuarioLogeado = QStringLiteral("ana");
        responder->shown.clear();
        responder->answerMsg(vb::vbYes);
        int mostrada = 0;
        ui::setModalDriver([&](QDialog& d) {
            ++mostrada;
            auto* w = qobject_cast<frmAcceso*>(&d);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->TxtDbName->text(), QStringLiteral("NOHAY"));
            // The group's database as it really is, and another operator.
            w->TxtServidor->setText(db.folder());
            w->TxtDbName->setText(QStringLiteral("GRUPO"));
            w->TxtUserId->setText(QStringLiteral("otro"));
            for (const Boton b : c.botones)
                QTest::mouseClick(b == Registrar  ? w->CmdRegistrar
                                  : b == Conectar ? w->bcAceptar
                                                  : w->bcCancelar,
                                  Qt::LeftButton);
        });

        bool completa = false;
        bool terminado = false;
        try {
            completa = grabaCuenta();
        } catch (const vb::ProgramEnded&) {
            terminado = true;
        }
        EXPECT_FALSE(terminado);
        EXPECT_EQ(mostrada, 1);
        EXPECT_TRUE(completa) << responder->messages().join(u'|').toStdString();
        // The company's connection is still the run's, open and answering.
        DB_Dll& datos = gDatos();
        EXPECT_TRUE(datos.gOpenFlag);
        EXPECT_EQ(datos.cnn()->State(), ado::adStateOpen);
        EXPECT_EQ(ClsUtilidades::ValorCampo(
                      datos.DatosTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("110101009"),
                                       QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"))),
                  QStringLiteral("Caja chica"));
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = "
                            "'110101009'"),
                  1);
        EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = '110101009'"),
                  c.copiada ? 1 : 0);
        // Only the failed login's own box was shown; the run's operator stays.
        ASSERT_EQ(responder->shown.size(), 1u) << responder->messages().join(u'|').toStdString();
        EXPECT_EQ(responder->shown[0].title, QStringLiteral(" Error de Conexion a Base de Datos"));
        EXPECT_EQ(gUsuarioLogeado, QStringLiteral("ana"));
        const bool registro = c.botones.front() == Registrar;
        EXPECT_EQ(QFile::exists(bases), registro);
        if (registro) {
            QFile f(bases);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_TRUE(f.readAll().startsWith(registrada.toLatin1() + ','));
        }
    }
}

} // namespace
