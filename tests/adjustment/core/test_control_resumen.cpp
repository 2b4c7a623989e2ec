// The search for a subledger's summary control row reads through the table's
// index, and still finds a subledger stored with blanks around it.

#include "ajuste_fixture.h"

#include "adjustment/core/lectura.h"

TEST_F(AjusteTest, ControlResumenSeLeePorElIndice) {
    db.exec(QStringLiteral(
        "INSERT INTO MV_CONTROL_AS_RES VALUES (1, ' VTAS ', 2023, '2023-03-01', '2023-03-31', 0)"));
    QStringList enviadas;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("MV_CONTROL_AS_RES")))
            enviadas << s;
        return std::nullopt;
    });
    const bool hallado =
        LecturaAjuste::BuscaControlResumen(QDate(2023, 3, 10), QStringLiteral("vtas "));
    gDatos().cnn()->setFaultInjector({});
    EXPECT_TRUE(hallado);
    ASSERT_EQ(enviadas.size(), 1);

    QString plan;
    for (const QVariantList& r : db.rows(QStringLiteral("EXPLAIN QUERY PLAN ") + enviadas.front()))
        plan += r.last().toString() + u'\n';
    EXPECT_TRUE(plan.contains(QStringLiteral("IX_MV_CONTROL_AS_RES"))) << plan.toStdString();
    EXPECT_FALSE(plan.contains(QStringLiteral("SCAN MV_CONTROL_AS_RES"))) << plan.toStdString();
}
