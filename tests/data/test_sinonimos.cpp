// Restricted views for non-administrators.

#include "data_fixture.h"

class SinonimosTest : public DataTest {
protected:
    QString rw(const QString& sql) { return gDatos().SS_TSinonimos(sql); }
};

TEST_F(SinonimosTest, AdministratorOnlyLosesMarkers) {
    gDatos().gEsAdmin = true;
    EXPECT_EQ(rw(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1")),
              QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1"));
    EXPECT_EQ(rw(QStringLiteral("SELECT * FROM @admin_MA_CUENTAS , @ADMIN_V_TA_CAJAS ")),
              QStringLiteral("SELECT * FROM MA_CUENTAS , V_TA_CAJAS "));
}

TEST_F(SinonimosTest, NonAdministratorTable) {
    CNStuffContable::gConfidencialidad = true;
    struct Case {
        const char* in;
        const char* out;
    };
    const Case cases[] = {
        {"SELECT * FROM MA_CUENTAS WHERE X=1", "SELECT * FROM SS_MA_CUENTAS WHERE X=1"},
        {"select * from ma_cuentas where x=1", "select * from SS_MA_CUENTAS where x=1"},
        // Every reference names the view, so that the statement still binds.
        {"SELECT MA_CUENTAS.CODIGO FROM (MA_CUENTAS INNER JOIN X ON X.C=MA_CUENTAS.CODIGO)",
         "SELECT SS_MA_CUENTAS.CODIGO FROM (SS_MA_CUENTAS INNER JOIN X ON "
         "X.C=SS_MA_CUENTAS.CODIGO)"},
        {"SELECT A,MA_CUENTAS.CODIGO FROM {MA_CUENTAS.X}",
         "SELECT A,SS_MA_CUENTAS.CODIGO FROM {SS_MA_CUENTAS.X}"},
        // Line breaks, tabs, commas, parentheses and the end of the text delimit too.
        {"SELECT *\r\nFROM\r\nMA_CUENTAS\r\nWHERE X=1",
         "SELECT *\r\nFROM\r\nSS_MA_CUENTAS\r\nWHERE X=1"},
        {"SELECT * FROM\tMA_CUENTAS\tWHERE X=1", "SELECT * FROM\tSS_MA_CUENTAS\tWHERE X=1"},
        {"SELECT * FROM MA_CUENTAS,V_TA_CAJAS", "SELECT * FROM SS_MA_CUENTAS,SS_V_TA_CAJAS"},
        {"SELECT * FROM (SELECT * FROM MA_CUENTAS)", "SELECT * FROM (SELECT * FROM SS_MA_CUENTAS)"},
        {"SELECT * FROM MA_CUENTAS", "SELECT * FROM SS_MA_CUENTAS"},
        // Owners, quoted names and a statement's end name the table too.
        {"SELECT * FROM dbo.MA_CUENTAS WHERE X=1", "SELECT * FROM dbo.SS_MA_CUENTAS WHERE X=1"},
        {"SELECT * FROM [MA_CUENTAS] WHERE X=1", "SELECT * FROM [SS_MA_CUENTAS] WHERE X=1"},
        {"SELECT * FROM \"ma_cuentas\" WHERE X=1", "SELECT * FROM \"SS_MA_CUENTAS\" WHERE X=1"},
        {"SELECT * FROM MA_CUENTAS;", "SELECT * FROM SS_MA_CUENTAS;"},
        {"SELECT * FROM [EMPRESA].[dbo].[MV_ASIENTOS] a JOIN EMPRESA..MA_CUENTAS b ON 1=1",
         "SELECT * FROM [EMPRESA].[dbo].[SS_MV_ASIENTOS] a JOIN EMPRESA..SS_MA_CUENTAS b ON 1=1"},
        {"SELECT * FROM `V_TA_CAJAS`;SELECT 1", "SELECT * FROM `SS_V_TA_CAJAS`;SELECT 1"},
        // Longer names, comments and the views themselves stay.
        {"SELECT * FROM MA_CUENTASADIC WHERE X=1", "SELECT * FROM MA_CUENTASADIC WHERE X=1"},
        {"SELECT * FROM V_MA_CUENTAS WHERE X=1", "SELECT * FROM V_MA_CUENTAS WHERE X=1"},
        {"SELECT * FROM [MA_CUENTAS X] WHERE X=1", "SELECT * FROM [MA_CUENTAS X] WHERE X=1"},
        {"SELECT * FROM T -- MA_CUENTAS\r\n", "SELECT * FROM T -- MA_CUENTAS\r\n"},
        {"SELECT * FROM SS_MA_CUENTAS WHERE X=1", "SELECT * FROM SS_MA_CUENTAS WHERE X=1"},
        // The marker keeps the real table.
        {"SELECT * FROM @Admin_MA_CUENTAS WHERE X=1", "SELECT * FROM MA_CUENTAS WHERE X=1"},
        {"SELECT * FROM @ADMIN_MV_ASIENTOS WHERE X=1", "SELECT * FROM MV_ASIENTOS WHERE X=1"},
        {"SELECT * FROM V_TA_DEPOSITO WHERE X=1", "SELECT * FROM SS_V_TA_DEPOSITO WHERE X=1"},
        {"SELECT * FROM MV_ASIENTOS WHERE X=1", "SELECT * FROM SS_MV_ASIENTOS WHERE X=1"},
        {"SELECT * FROM V_TA_FAMILIAS WHERE X=1", "SELECT * FROM SS_V_TA_FAMILIAS WHERE X=1"},
        {"SELECT * FROM AC_CUENTASDIARIO WHERE X=1", "SELECT * FROM SS_AC_CUENTASDIARIO WHERE X=1"},
        {"SELECT * FROM AC_CUENTASDIARIO_CCOSTO WHERE X=1",
         "SELECT * FROM SS_AC_CUENTAS_DIARIO_CCOSTO WHERE X=1"},
        {"SELECT * FROM X,AC_CUENTASDIARIO_CCOSTO.C",
         "SELECT * FROM X,SS_AC_CUENTAS_DIARIO_CCOSTO.C"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rw(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

// Quoted values are data: neither markers nor table names inside them change.
TEST_F(SinonimosTest, ValuesKeepMarkersAndTableNames) {
    CNStuffContable::gConfidencialidad = true;
    EXPECT_EQ(rw(QStringLiteral("SELECT * FROM @admin_MA_CUENTAS , MV_ASIENTOS WHERE D = 'it''s "
                                "@ADMIN_x (MV_ASIENTOS.X' OR D = ' MA_CUENTAS '")),
              QStringLiteral("SELECT * FROM MA_CUENTAS , SS_MV_ASIENTOS WHERE D = 'it''s "
                             "@ADMIN_x (MV_ASIENTOS.X' OR D = ' MA_CUENTAS '"));
}

TEST_F(SinonimosTest, JournalEntriesWithoutConfidentiality) {
    const QString join = QStringLiteral(
        "SELECT * FROM MV_ASIENTOS INNER JOIN MA_CUENTAS ON X=Y , @Admin_V_TA_CAJAS ");
    CNStuffContable::gConfidencialidad = false;
    EXPECT_EQ(
        rw(join),
        QStringLiteral("SELECT * FROM MV_ASIENTOS INNER JOIN MA_CUENTAS ON X=Y , V_TA_CAJAS "));
    CNStuffContable::gConfidencialidad = true;
    EXPECT_EQ(rw(join), QStringLiteral("SELECT * FROM SS_MV_ASIENTOS INNER JOIN SS_MA_CUENTAS ON "
                                       "X=Y , V_TA_CAJAS "));
    // Without journal entries the flag does not matter.
    CNStuffContable::gConfidencialidad = false;
    EXPECT_EQ(rw(QStringLiteral("SELECT * FROM MA_CUENTAS ")),
              QStringLiteral("SELECT * FROM SS_MA_CUENTAS "));
}

TEST_F(SinonimosTest, ProgramExceptions) {
    const QString sql =
        QStringLiteral("SELECT * FROM V_TA_FAMILIAS , V_TA_CAJAS , V_TA_DEPOSITO WHERE 1=1");
    vb::setAppExeName(QStringLiteral("kqtrans"));
    EXPECT_EQ(
        rw(sql),
        QStringLiteral("SELECT * FROM V_TA_FAMILIAS , SS_V_TA_CAJAS , SS_V_TA_DEPOSITO WHERE 1=1"));
    vb::setAppExeName(QStringLiteral("ZMT"));
    EXPECT_EQ(
        rw(sql),
        QStringLiteral("SELECT * FROM V_TA_FAMILIAS , SS_V_TA_CAJAS , SS_V_TA_DEPOSITO WHERE 1=1"));
    DB_Dll::setProgramasStock({QStringLiteral("STKFICHA"), QStringLiteral("STKINFO")});
    vb::setAppExeName(QStringLiteral("stkinfo"));
    EXPECT_EQ(
        rw(sql),
        QStringLiteral("SELECT * FROM SS_V_TA_FAMILIAS , SS_V_TA_CAJAS , V_TA_DEPOSITO WHERE 1=1"));
    vb::setAppExeName(QStringLiteral("CN000P"));
    EXPECT_EQ(rw(sql), QStringLiteral("SELECT * FROM SS_V_TA_FAMILIAS , SS_V_TA_CAJAS , "
                                      "SS_V_TA_DEPOSITO WHERE 1=1"));
}
