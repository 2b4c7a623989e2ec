#include "startup/test_cns_fixture.h"

#include "lookup/lib_clscons3.h"
#include "lookup_fixture.h"

// The start-up reaches the lookup object through the hook it installs.
TEST_F(CnsTest, StartUpPreparesTheLookupObject) {
    resetInstances();
    resetConsulta();
    vb::setAppPath(tempDir.path());
    ConectaConsultasConInicio();
    CNStuffContable::setLineaComandos(QStringLiteral("@Server=") + db.folder() +
                                      QStringLiteral("; @DbName=") + db.dbName() +
                                      QStringLiteral("; @Usuario=sa;"));
    CNStuffContable::IniciaSistema();
    CNStuffContable::setLineaComandos(std::nullopt);
    CNStuffContable::setPreparaConsultas({});
    vb::setAppPath(QString());

    ASSERT_TRUE(gDatos().gOpenFlag);
    EXPECT_EQ(gConsulta().gConnString, gDatos().gConnString);
    EXPECT_TRUE(gConsulta().gUsarMascarasConsultas);
    EXPECT_EQ(gConsulta().gRutaMascaraConsultas,
              ClsUtilidades::CarpetaConBarra(tempDir.path()) + QStringLiteral("consultas.zub"));
    resetConsulta();
}

// Creation reads the stock colours and switches once, as configured.
TEST_F(LookupDb, CreationReadsTheLookupSettings) {
    for (const auto& [k, v] : {std::pair{"MostrarStockenConsultas", "SI"},
                               {"Stk_Nivel1", "255"},
                               {"Stk_Nivel2", ""},
                               {"Stk_Nivel4", " 65280 "},
                               {"UsaConsultaLike", "si"}})
        clave(k, v);
    const Lib_ClsCons3& c = gConsulta();
    EXPECT_EQ(c.MuestraStock, "SI");
    EXPECT_EQ(QVariantList({c.StkNivel1, c.StkNivel2, c.StkNivel3, c.StkNivel4}),
              QVariantList({"255", 0, " ", " 65280 "})); // Stk_Nivel3 is absent
    EXPECT_TRUE(c.UsaConsultaLike());
    db.exec(QStringLiteral(
        "UPDATE TA_CONFIGURACION SET VALOR = ' SI' WHERE CLAVE = 'UsaConsultaLike'"));
    EXPECT_TRUE(gConsulta().UsaConsultaLike());
    resetConsulta();
    EXPECT_FALSE(gConsulta().UsaConsultaLike());
    EXPECT_TRUE(responder->shown.empty());
}
