#include "test_cns_fixture.h"

#include "platform/win/clsentorno.h"

using namespace CNStuffContable;

class Derechos : public CnsTest {
protected:
    void SetUp() override {
        CnsTest::SetUp();
        vb::setAppExeName(QStringLiteral("CN040"));
        gIdControlAcceso = QVariant();
        db.exec(QStringLiteral(
            "INSERT INTO TA_MENU (Menu, Clave, Nombre, Proceso) VALUES "
            "('M', 'T1', 'Asientos contables', 'C:\\SISTEMA\\CN040.EXE'),"
            "('M', 'T2', 'Otra cosa', 'CN050.EXE');"
            "INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('ana', 'T1'), ('ana', 'T2'),"
            "('o''brien', 'T1'), ('luis', 'T2')"));
    }
    void TearDown() override {
        vb::setAppExeName(QString());
        CnsTest::TearDown();
    }

    QList<QVariantList> accesos() const {
        return db.rows(QStringLiteral("SELECT ID, Maquina, Usuario, Formulario, Tarea, Ingreso, "
                                      "NombreUsuario FROM Control_Acceso ORDER BY ID"));
    }
};

TEST_F(Derechos, UserWithTheRightIsLoggedWithTheTask) {
    gUsuarioLogeado = QStringLiteral("ana");
    ControlaAccesoProceso(std::nullopt, true);
    const auto filas = accesos();
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][1].toString(), ClsEntorno::NombrePC().trimmed().toUpper());
    EXPECT_EQ(filas[0][2].toString(), ClsEntorno::UsuarioWindows().trimmed().toUpper());
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("CN040"));
    EXPECT_EQ(filas[0][4].toString(), QStringLiteral("ASIENTOS CONTABLES"));
    EXPECT_EQ(filas[0][5].toString(), QStringLiteral("15/03/24 10:20"));
    EXPECT_EQ(filas[0][6].toString(), QStringLiteral("ana"));
    EXPECT_EQ(gIdControlAcceso.toLongLong(), filas[0][0].toLongLong());
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Derechos, UserNamesAreEscapedInTheRightsQuery) {
    gUsuarioLogeado = QStringLiteral("o'brien");
    ControlaAccesoProceso(QStringLiteral(" frmAsientos "), true);
    auto filas = accesos();
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("FRMASIENTOS"));
    EXPECT_EQ(filas[0][4].toString(), QStringLiteral("ASIENTOS CONTABLES"));
    EXPECT_EQ(filas[0][6].toString(), QStringLiteral("o'brien"));

    // Spliced raw, this name would grant every right.
    gUsuarioLogeado = QStringLiteral("x' OR '1'='1");
    ControlaAccesoProceso(std::nullopt, false);
    filas = accesos();
    ASSERT_EQ(filas.size(), 2);
    EXPECT_EQ(filas[1][4].toString(), QString());
    EXPECT_EQ(filas[1][6].toString(), QStringLiteral("x' OR '1'='1"));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Derechos, WithoutTheRightTheRunGoesOnUnlessAsked) {
    gUsuarioLogeado = QStringLiteral("luis");
    ControlaAccesoProceso(QString(), false);
    auto filas = accesos();
    ASSERT_EQ(filas.size(), 1);
    // An empty process, as the start-up gives it, is logged as the program.
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("CN040"));
    EXPECT_EQ(filas[0][4].toString(), QString());
    EXPECT_TRUE(responder->shown.empty());

    EXPECT_THROW(ControlaAccesoProceso(std::nullopt, true), vb::ProgramEnded);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("NO TIENE ACCESO A ESTE PROCESO, UTILICE EL MENU CORRESPONDIENTE!!!"));
    EXPECT_EQ(responder->shown[0].buttons, 16);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("ATENCION!"));
    EXPECT_EQ(accesos().size(), 1); // nothing logged for the refused start
}

TEST_F(Derechos, MenuProgramNeedsNoRightAndEmptyUserTakesTheLogin) {
    vb::setAppExeName(QStringLiteral("cn000pr"));
    gUsuarioLogeado.clear();
    gDatos().gUsuario = QStringLiteral("luis");
    ControlaAccesoProceso(std::nullopt, true);
    EXPECT_EQ(gUsuarioLogeado, QStringLiteral("luis"));
    const auto filas = accesos();
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][4].toString(), QStringLiteral("MENU PRINCIPAL"));
    EXPECT_EQ(filas[0][6].toString(), QStringLiteral("luis"));
}
