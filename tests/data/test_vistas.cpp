// A user who is not an administrator reads the accounts through the restricted
// view and writes them through it too, inside its filter only.

#include "data_fixture.h"

using testutil::TempDatabase;

class VistasTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        db = std::make_unique<TempDatabase>();
        // As on the server: the accounts another group keeps to itself are hidden.
        db->exec(QStringLiteral(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1', 'ACTIVO'), ('11', 'CAJA'), "
            "('5101', 'SUELDOS');"
            "INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES ('GERENCIA', '5101'), "
            "('GERENCIA', '5102');"
            "DROP VIEW SS_MA_CUENTAS;"
            "CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS WHERE CODIGO NOT IN "
            "(SELECT CUENTA FROM MA_CUENTAS_USUARIOS WHERE GRUPOUSER <> 'CONTADORES');"));
        d = &openShared(*db);
        d->gEsAdmin = false;
    }
    QString descripcion(const char* codigo) const {
        return db
            ->scalar(QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '%1'")
                         .arg(QLatin1String(codigo)))
            .toString();
    }

    std::unique_ptr<TempDatabase> db;
    DB_Dll* d = nullptr;
};

TEST_F(VistasTest, NonAdministratorEditsAndAddsAccountsInsideTheView) {
    ado::RecordsetPtr rs;
    QString sql = QStringLiteral("SELECT * FROM MA_CUENTAS ORDER BY CODIGO");
    d->AbrirRecordset(sql, rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic);
    EXPECT_EQ(sql, QStringLiteral("SELECT * FROM SS_MA_CUENTAS ORDER BY CODIGO"));
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->RecordCount(), 2);

    rs->MoveLast();
    rs->Fields(QStringLiteral("DESCRIPCION")).setValue(QStringLiteral("CAJA CHICA"));
    rs->Update();
    rs->AddNew();
    rs->Fields(QStringLiteral("CODIGO")).setValue(QStringLiteral("12"));
    rs->Fields(QStringLiteral("DESCRIPCION")).setValue(QStringLiteral("BANCOS"));
    rs->Update();
    EXPECT_EQ(descripcion("11"), QStringLiteral("CAJA CHICA"));
    EXPECT_EQ(descripcion("12"), QStringLiteral("BANCOS"));

    // An account of another group cannot be added through the view.
    rs->AddNew();
    rs->Fields(QStringLiteral("CODIGO")).setValue(QStringLiteral("5102"));
    EXPECT_THROW(rs->Update(), ado::Exception);
    ASSERT_GE(d->gCnn->errors().Count(), 1);
    EXPECT_EQ(d->gCnn->errors().Item(0).NativeError, ado::nativeOutsideView);
    rs->CancelUpdate();
    d->CierraRecordset(rs);
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = '5102'")).toInt(),
        0);
    EXPECT_TRUE(responder->shown.empty());
}
