#include "startup/test_cns_fixture.h"

#include "lookup/lib_clscons3.h"

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
