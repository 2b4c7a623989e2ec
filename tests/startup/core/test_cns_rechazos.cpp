// A save the server refuses: the whole batch is rolled back, the batch goes to
// AUX_ERR with the server's error and the operator is told.

#include "test_cns_fixture.h"

using namespace CNStuffContable;

namespace {

// An INSERT built field by field: name, value and type mark of each.
QString Insert(const QString& tabla, const QList<QStringList>& campos) {
    for (qsizetype i = 0; i < campos.size(); ++i)
        AgregaCampo(campos[i][0], campos[i][1], campos[i][2], i == 0);
    QStringList s{QString()};
    QString where;
    ArmaSentenciaSQL(gCamposSQL, s, tabla, false, where);
    return s[0];
}

QString Linea(const QString& campo, const QString& valor, const QString& marca) {
    return Insert(QStringLiteral("MV_ASIENTOS"),
                  {{QStringLiteral("PERIODO"), QStringLiteral("2024"), QStringLiteral("@")},
                   {campo, valor, marca}});
}

} // namespace

class RechazosTest : public CnsTest {
protected:
    // A save of a good line and `refused`: nothing stays, AUX_ERR holds the
    // batch with the error, and the operator sees the error.
    void RefusedSave(const QString& refused, long native, const QString& description) {
        const QStringList s{
            Linea(QStringLiteral("DETALLE"), QStringLiteral("uno"), QStringLiteral("'")), refused,
            QString()};
        responder->shown.clear();
        bool hubo = false;
        std::int32_t nativo = 0;
        EjecutaTransaccion(s, hubo, nativo);
        EXPECT_TRUE(hubo) << refused.toStdString();
        EXPECT_EQ(nativo, native) << refused.toStdString();
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);

        const QString texto = QStringLiteral("%1 : %2\r\n").arg(native).arg(description);
        const auto aux = db.rows(QStringLiteral("SELECT SQL, Error, Descripcion FROM AUX_ERR"));
        ASSERT_FALSE(aux.isEmpty());
        EXPECT_EQ(aux.last()[0].toString(),
                  QStringLiteral("BEGIN TRANSACTION \r\r\r") + s[0] + u'\r' + s[1] + u'\r');
        EXPECT_EQ(aux.last()[1].toInt(), native);
        EXPECT_EQ(aux.last()[2].toString(), texto);
        ASSERT_EQ(responder->shown.size(), 1u);
        EXPECT_EQ(responder->shown[0].prompt, texto);
        EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al Operador!"));
    }
};

TEST_F(RechazosTest, RefusedValuesRollTheSaveBack) {
    const QString q = QStringLiteral("'");
    RefusedSave(Linea(QStringLiteral("DETALLE"), QString(101, u'x'), q), ado::nativeTruncation,
                QStringLiteral("String or binary data would be truncated."));
    RefusedSave(Linea(QStringLiteral("SECUENCIA"), QStringLiteral("dos"), q), ado::nativeConversion,
                QStringLiteral("Conversion failed when converting the varchar value 'dos' to data "
                               "type int."));
    RefusedSave(Linea(QStringLiteral("IMPORTE"), QStringLiteral("diez"), q),
                ado::nativeMoneyConversion,
                QStringLiteral("Cannot convert a char value to money. The char value has "
                               "incorrect syntax."));
    RefusedSave(Insert(QStringLiteral("TA_CONFIGURACION"),
                       {{QStringLiteral("CLAVE"), QStringLiteral("Null"), q},
                        {QStringLiteral("VALOR"), QStringLiteral("x"), q}}),
                ado::nativeNotNull,
                QStringLiteral("Cannot insert the value NULL into column 'CLAVE', table "
                               "'EMPRESA.dbo.TA_CONFIGURACION'; column does not allow nulls. "
                               "INSERT fails."));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(), 4);
}

TEST_F(RechazosTest, ColumnAddedByAddFieldRefusesInASave) {
    gDatos().AddField(QStringLiteral("MV_ASIENTOS"), QStringLiteral("P_OBRA"),
                      QStringLiteral("VARCHAR(6)"), true);
    const QString q = QStringLiteral("'");
    RefusedSave(Linea(QStringLiteral("P_OBRA"), QStringLiteral("OBRA-12"), q),
                ado::nativeTruncation, QStringLiteral("String or binary data would be truncated."));
    bool hubo = true;
    std::int32_t nativo = -1;
    EjecutaTransaccion(
        QStringList{Linea(QStringLiteral("P_OBRA"), QStringLiteral("obra12"), q), QString()}, hubo,
        nativo);
    EXPECT_FALSE(hubo);
    // The new column compares as the server's collation does.
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE P_OBRA = 'OBRA12 '")).toInt(),
        1);
}
