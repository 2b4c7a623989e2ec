// Account checks and fixed-asset identifiers.

#include "entries_fixture.h"

using Cuentas = EntriesTest;

TEST_F(Cuentas, CalculoDV) {
    Lbc_Asiento a;
    EXPECT_EQ(a.CalculoDV(QStringLiteral("1101")), 19);
    EXPECT_EQ(a.CalculoDV(QStringLiteral("11-01")), 17);
    EXPECT_EQ(a.CalculoDV(QStringLiteral("999999")), 30);
    EXPECT_EQ(a.CalculoDV(QString()), 0);
    EXPECT_EQ(a.CalculoDV(QStringLiteral("1")), 9);
    // The weights start again at 9 after 1: 9,7,5,3,1,9 -> 34.
    EXPECT_EQ(a.CalculoDV(QStringLiteral("111111")), 34);
    EXPECT_EQ(a.CalculoDV(QVariant(1101)), 19);
    EXPECT_THROW(a.CalculoDV(vb::Null()), ado::Exception);
}

TEST_F(Cuentas, ImputableYExistente) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"));
    cuenta(QStringLiteral("11"), QStringLiteral("Disponibilidades"), 1);
    cuenta(QStringLiteral("1102"), QStringLiteral("Bancos"), 0, 1);
    cuenta(QStringLiteral("1103"), QStringLiteral("Valores"), 0, 0, 1);
    cuenta(QStringLiteral("O'Brien"), QStringLiteral("Apostrofo"));
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA, "
                           "BLOQUEO) VALUES ('1104', 'Nulos', NULL, NULL, NULL)"));
    Lbc_Asiento a;

    EXPECT_TRUE(a.CuentaImputable(QStringLiteral(" 1101 ")));
    EXPECT_TRUE(a.CuentaImputable(QStringLiteral("O'Brien")));
    EXPECT_TRUE(a.CuentaImputable(QStringLiteral("1101") + QChar(0)));
    EXPECT_FALSE(a.CuentaImputable(QStringLiteral("11")));
    EXPECT_FALSE(a.CuentaImputable(QStringLiteral("1102")));
    EXPECT_FALSE(a.CuentaImputable(QStringLiteral("1103")));
    EXPECT_FALSE(a.CuentaImputable(QStringLiteral("9999")));
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET TITULO = NULL WHERE CODIGO = '1101'"));
    EXPECT_TRUE(a.CuentaImputable(QStringLiteral("1101")));

    QVariant tipo, nombre = QStringLiteral("sin tocar"), bienes, ajuste;
    EXPECT_FALSE(a.ExisteCuentas(QStringLiteral("1103"), &tipo, &nombre, &bienes, &ajuste));
    EXPECT_EQ(nombre.toString(), QStringLiteral("sin tocar"));
    EXPECT_FALSE(a.ExisteCuentas(QStringLiteral("1102"), &tipo, &nombre));
    EXPECT_FALSE(a.ExisteCuentas(QStringLiteral("9999"), &tipo, &nombre));
    EXPECT_TRUE(a.ExisteCuentas(QStringLiteral("11"), &tipo, &nombre, &bienes, &ajuste));
    EXPECT_TRUE(vb::CBool(tipo));
    EXPECT_EQ(nombre.toString(), QStringLiteral("Disponibilidades"));
    EXPECT_TRUE(vb::CBool(bienes));
    EXPECT_FALSE(vb::CBool(ajuste));
    // Null flags pass.
    EXPECT_TRUE(a.ExisteCuentas(QStringLiteral("1104"), nullptr, &nombre));
    EXPECT_EQ(nombre.toString(), QStringLiteral("Nulos"));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Cuentas, IdentificadoresDeBienes) {
    Lbc_Asiento a;
    EXPECT_EQ(a.UltimoIDBienDeUso(), QStringLiteral("1"));
    db.exec(QStringLiteral("INSERT INTO MA_BIENES (CODIGO) VALUES (7), (41), (3)"));
    EXPECT_EQ(a.UltimoIDBienDeUso(), QStringLiteral("42"));

    EXPECT_EQ(a.UltimoIDNovedadBienDeUso(QStringLiteral("41")), QStringLiteral("1"));
    db.exec(QStringLiteral("INSERT INTO MA_BIENES_novedades (CODIGO, ID) VALUES (41, 1), (41, 5), "
                           "(7, 9)"));
    EXPECT_EQ(a.UltimoIDNovedadBienDeUso(QStringLiteral(" 41 ")), QStringLiteral("6"));
    EXPECT_EQ(a.UltimoIDNovedadBienDeUso(QStringLiteral("7")), QStringLiteral("10"));
    EXPECT_TRUE(responder->shown.empty());

    // An asset code that is no number is reported, and leaving gives "".
    responder->answerMsg(vb::vbAbort);
    EXPECT_EQ(a.UltimoIDNovedadBienDeUso(QStringLiteral("41; DELETE FROM MA_BIENES")), QString());
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral("UltimoIdNovedadBienDeUso")));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MA_BIENES")).toInt(), 3);
}

TEST_F(Cuentas, DatosAdicionalesDejaElRecordsetCerrado) {
    db.exec(QStringLiteral("INSERT INTO MA_CUENTASADIC (CODIGO, CALLE) VALUES ('2101', 'Mitre')"));
    Lbc_Asiento a;
    ado::RecordsetPtr rs = ado::Recordset::create();
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS"), rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_TRUE(a.ExisteDatosAdicionales(QStringLiteral(" 2101 "), rs));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_FALSE(a.ExisteDatosAdicionales(QStringLiteral("2102"), rs));
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    ado::RecordsetPtr nuevo;
    EXPECT_TRUE(a.ExisteDatosAdicionales(QStringLiteral("2101"), nuevo));
    ASSERT_TRUE(nuevo);
    EXPECT_EQ(nuevo->State(), ado::adStateClosed);
}
