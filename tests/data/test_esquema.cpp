// Schema queries and column addition.

#include "data_fixture.h"

using testutil::TempDatabase;

class EsquemaTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        db = std::make_unique<TempDatabase>(QStringLiteral("EMPRESA"), TempDatabase::Schema::Empty);
        db->exec(QStringLiteral("CREATE TABLE CLIENTES (Codigo VARCHAR(10), Nombre VARCHAR(30))"));
        d = &openShared(*db);
        capture(d->gCnn);
    }

    std::unique_ptr<TempDatabase> db;
    DB_Dll* d = nullptr;
};

TEST_F(EsquemaTest, ExistenceQueries) {
    EXPECT_TRUE(d->ExisteTablaDB(QStringLiteral("clientes")));
    EXPECT_TRUE(d->ExisteTablaDB(QStringLiteral(" CLIENTES ")));
    EXPECT_FALSE(d->ExisteTablaDB(QStringLiteral("PROVEEDORES")));
    EXPECT_TRUE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral(" nombre ")));
    EXPECT_FALSE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("CUIT")));
    EXPECT_FALSE(d->ExisteCampoDB(QStringLiteral("PROVEEDORES"), QStringLiteral("Codigo")));
    EXPECT_TRUE(responder->shown.empty());

    // The provider of the shared instance decides about Oracle.
    d->gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
    seen.clear();
    EXPECT_TRUE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("CUIT")));
    EXPECT_TRUE(seen.isEmpty());
    EXPECT_TRUE(d->VerCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("CUIT"), true,
                              QStringLiteral("VARCHAR(13)"), true));
    EXPECT_TRUE(seenWith(QStringLiteral("ALTER")).isEmpty());
}

TEST_F(EsquemaTest, AddFieldStatements) {
    d->gCnn->setFaultInjector([this](const QString& s) -> std::optional<ado::Error> {
        seen << s;
        if (!s.startsWith(QStringLiteral("ALTER")))
            return std::nullopt;
        ado::Error e; // only the text is wanted here
        e.Number = ado::adErrCommand;
        return e;
    });
    d->AddField(QStringLiteral("CLIENTES"), QStringLiteral("CUIT"), QStringLiteral("VARCHAR(13)"),
                false);
    d->AddField(QStringLiteral(" CLIENTES "), QStringLiteral(" SALDO "), QStringLiteral("FLOAT"),
                true, QVariant(0));
    d->AddField(QStringLiteral("CLIENTES"), QStringLiteral("ZONA"), QStringLiteral("VARCHAR(5)"),
                true, QVariant(QStringLiteral("'N'")));
    EXPECT_EQ(seenWith(QStringLiteral("ALTER")),
              (QStringList{QStringLiteral("ALTER TABLE dbo.CLIENTES ADD CUIT VARCHAR(13) Not Null"),
                           QStringLiteral("ALTER TABLE dbo. CLIENTES  ADD  SALDO  FLOAT Null  "
                                          "CONSTRAINT DF_CLIENTES_SALDO DEFAULT (0)"),
                           QStringLiteral("ALTER TABLE dbo.CLIENTES ADD ZONA VARCHAR(5) Null  "
                                          "CONSTRAINT DF_CLIENTES_ZONA DEFAULT ('N')")}));
}

TEST_F(EsquemaTest, VerCampoDBAddsWhenAsked) {
    // Absent table: True, nothing done.
    EXPECT_TRUE(d->VerCampoDB(QStringLiteral("PROVEEDORES"), QStringLiteral("CUIT"), true,
                              QStringLiteral("VARCHAR(13)"), true));
    EXPECT_TRUE(seenWith(QStringLiteral("ALTER")).isEmpty());
    // Not asked to add.
    EXPECT_TRUE(d->VerCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("CUIT"), false,
                              QStringLiteral("VARCHAR(13)"), true));
    EXPECT_FALSE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("CUIT")));
    // Added on the real file, with its default.
    EXPECT_TRUE(d->VerCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("ZONA"), true,
                              QStringLiteral("VARCHAR(5)"), true, QVariant(QStringLiteral("'N'"))));
    EXPECT_TRUE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("ZONA")));
    db->exec(QStringLiteral("INSERT INTO CLIENTES (Codigo) VALUES ('1')"));
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT ZONA FROM CLIENTES")).toString(),
              QStringLiteral("N"));
    // Present already: no second ALTER.
    seen.clear();
    EXPECT_TRUE(d->VerCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("zona"), true,
                              QStringLiteral("VARCHAR(5)"), true));
    EXPECT_TRUE(seenWith(QStringLiteral("ALTER")).isEmpty());
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(EsquemaTest, CatalogueFailureGoesToSharedErrorBox) {
    int fails = 1;
    d->gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.startsWith(QStringLiteral("OpenSchema")) && fails-- > 0) {
            ado::Error e;
            e.Number = ado::adErrUnspecified;
            e.Description = QStringLiteral("catalogo");
            return e;
        }
        return std::nullopt;
    });
    responder->answerMsg(vb::vbRetry);
    EXPECT_TRUE(d->ExisteTablaDB(QStringLiteral("CLIENTES")));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral(" - VerificaCampos Aviso")));

    fails = 1;
    responder->answerMsg(vb::vbCancel);
    EXPECT_FALSE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("Codigo")));
    EXPECT_TRUE(
        readLog(logPath()).contains(QStringLiteral("Rutina: - VerificaCampos Mensaje Ha "
                                                   "ocurrido el Siguiente Error (-2147467259) "
                                                   "catalogo Respondió : Cancelar")));
}

TEST_F(EsquemaTest, AddFieldAsTheServerAddsColumns) {
    // NOT NULL without a default: into an empty table only.
    d->AddField(QStringLiteral("CLIENTES"), QStringLiteral("ALTA"), QStringLiteral("INT"), false);
    EXPECT_TRUE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("ALTA")));
    long n = 0;
    d->EjecutaConsultaSQL(QStringLiteral("INSERT INTO CLIENTES (Codigo) VALUES ('1')"), n);
    ASSERT_GE(d->gCnn->errors().Count(), 1);
    EXPECT_EQ(d->gCnn->errors().Item(0).NativeError, ado::nativeNotNull);
    db->exec(QStringLiteral("INSERT INTO CLIENTES (Codigo, ALTA) VALUES ('1', 2024)"));
    d->AddField(QStringLiteral("CLIENTES"), QStringLiteral("CUIT"), QStringLiteral("VARCHAR(13)"),
                false);
    ASSERT_GE(d->gCnn->errors().Count(), 1);
    const ado::Error e = d->gCnn->errors().Item(0);
    EXPECT_EQ(e.NativeError, ado::nativeNotNullColumnAdded);
    EXPECT_TRUE(e.Description.endsWith(
        QStringLiteral("Column 'CUIT' cannot be added to non-empty table 'CLIENTES' because it "
                       "does not satisfy these conditions.")))
        << e.Description.toStdString();
    EXPECT_FALSE(d->ExisteCampoDB(QStringLiteral("CLIENTES"), QStringLiteral("CUIT")));
    EXPECT_TRUE(responder->shown.empty());
}
