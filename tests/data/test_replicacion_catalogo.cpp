// The replication's catalogue and its literals.

#include "data_fixture.h"

#include "data/mod_gruposemp.h"

#include <QMap>

using namespace ModGruposEmp;

namespace {

// Configuration keys from two maps (VALOR, ValorAux).
class ClavesFijas : public Servicios {
public:
    QMap<QString, QString> valores, auxiliares;
    QString Cfg(const QString& Clave, QString& ValorAux) override {
        ValorAux = auxiliares.value(Clave);
        return valores.value(Clave, QStringLiteral(" "));
    }
};

class CatalogoTest : public DataTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DataTest::SetUp());
        setServicios(claves);
    }
    void TearDown() override {
        setServicios(nullptr);
        DataTest::TearDown();
    }
    std::shared_ptr<ClavesFijas> claves = std::make_shared<ClavesFijas>();
};

TEST(CamposClaveTabla, KeysByNameDerivationAndPrefix) {
    const struct {
        const char* tabla;
        QStringList claves;
    } casos[] = {
        {"@admin_ma_cuentas", {"codigo"}},
        {"MA_CUENTAS_USUARIO", {"CODIGO"}},
        {"MA_CUENTAS_USUARIOS", {"GrupoUser", "Cuenta"}},
        {"MA_CUENTASCCOSTO", {"CODIGO", "CCOSTO"}},
        {"@ADMIN_MA_CUENTASCCOSTO_UNEG", {"CODIGO", "CCOSTO", "UNEGOCIO"}},
        {"v_ta_bancos", {"IDbanco"}},
        {"P_MA_Empresas", {"IDEmpresa"}},
        {"P_TA_Areas", {"IDAreas"}},
        {"P_TA_Funciones", {"IDFunciones"}},
        {"TA_Rubros", {"IDRubro"}},
        {"MA_ARTICULOS", {"IDARTICULO", "DESCRIPCION"}},
        {"TA_ESTADOS", {"CODIGO"}},
        {"MA_PROVEEDORES", {"Codigo", "Razon_Social"}},
        {"[MA_CAMPOS]", {"Codigo", "nombre"}},
        {"MV_AGENDA", {"ID"}},
        {"NADA_CONOCIDO", {}},
    };
    for (const auto& c : casos) {
        const std::array<QString, 8> claves = CamposClaveTabla(QString::fromLatin1(c.tabla));
        QStringList esperadas = c.claves;
        while (esperadas.size() < 8)
            esperadas << QString();
        EXPECT_EQ(QStringList(claves.begin(), claves.end()), esperadas) << c.tabla;
    }
}

TEST_F(CatalogoTest, GroupTablesFollowTheSwitchAndTheList) {
    const struct {
        const char* deshabilitado; // nullptr: key absent
        const char* tablas;        // ValorAux of GRP_Tablas
        const char* tabla;
        bool esperado;
    } casos[] = {
        {nullptr, "MA_CUENTAS|", "MA_CUENTAS", false},
        {"", "MA_CUENTAS|", "ma_contactos_cuentas", false},
        {"0", "MA_CUENTAS|MA_CUENTASADIC", "MA_CUENTAS", true},
        {"0", "MA_CUENTAS|MA_CUENTASADIC", "MA_CUENTASADIC", false},
        {"0", "MA_CUENTAS|", "@Admin_MA_CUENTAS", true},
        {"0", "@ADMIN_MA_CUENTAS|", "MA_CUENTAS", false},
        {"0", "", "V_MV_CPTEDOC", false},
        {"0", "X|", "V_MV_CPTEDOC", true},
        {"0", "", "MA_CONTACTOS_CUENTAS", true},
    };
    for (const auto& c : casos) {
        claves->valores.clear();
        if (c.deshabilitado)
            claves->valores[QStringLiteral("GRP_Deshabilitado")] =
                QString::fromLatin1(c.deshabilitado);
        claves->auxiliares[QStringLiteral("GRP_Tablas")] = QString::fromLatin1(c.tablas);
        EXPECT_EQ(EsTablaDeGrupo(QString::fromLatin1(c.tabla)), c.esperado)
            << c.deshabilitado << " / " << c.tablas << " / " << c.tabla;
    }
}

TEST_F(CatalogoTest, GroupConnectionTakesTheServerBeforeItsPortAndTheBaseAsLogin) {
    testutil::TempDatabase empresa;
    const testutil::TempDatabase db = empresa.sibling(QStringLiteral("GRUPO"));
    openShared(empresa);
    claves->valores[QStringLiteral("GRP_User")] = QStringLiteral("operador");
    QString servidor = db.folder() + QStringLiteral(":1433");
    QString base = QStringLiteral("GRUPO");
    QString usuario;
    ConectaBaseGrupo(servidor, base, usuario);
    const DB_Dll& destino = gDatosDestino();
    EXPECT_TRUE(destino.gOpenFlag);
    EXPECT_EQ(destino.gServidor, db.folder());
    EXPECT_EQ(QStringList({destino.gDBName, destino.gUsuario, destino.gUserPassWord}),
              QStringList(3, QStringLiteral("GRUPO")));
    EXPECT_EQ(usuario, QStringLiteral("operador"));
}

TEST(LiteralDestino, ExactValuesInEachEnginesDialect) {
    const QDateTime momento(QDate(2024, 3, 7), QTime(9, 5, 2), Qt::UTC);
    const struct {
        QVariant valor;
        int tipo;
        MotorSQL motor;
        const char* literal;
    } casos[] = {
        {QStringLiteral("Caja d'Or"), ado::adVarChar, MotorSQL::SqlServer, "'Caja d''Or'"},
        {QStringLiteral("Null"), ado::adVarChar, MotorSQL::SQLite, "'Null'"},
        {QStringLiteral(""), ado::adVarChar, MotorSQL::SQLite, "''"},
        {vb::Null(), ado::adVarChar, MotorSQL::SQLite, "Null"},
        {vb::Null(), ado::adBoolean, MotorSQL::SQLite, "Null"},
        {true, ado::adBoolean, MotorSQL::SqlServer, "1"},
        {false, ado::adBoolean, MotorSQL::SqlServer, "0"},
        {-42, ado::adInteger, MotorSQL::SQLite, "-42"},
        {12.5, ado::adDouble, MotorSQL::SqlServer, "12.5"},
        {0.1, ado::adDouble, MotorSQL::SQLite, "0.1"},
        {vb::fromCurrency(vb::Currency::fromRaw(12345678)), ado::adCurrency, MotorSQL::SqlServer,
         "1234.5678"},
        {momento, ado::adDBTimeStamp, MotorSQL::SQLite, "'2024-03-07 09:05:02'"},
        {momento, ado::adDBTimeStamp, MotorSQL::SqlServer, "'2024-03-07T09:05:02'"},
        {momento, ado::adDBTimeStamp, MotorSQL::Oracle,
         "TO_DATE('2024-03-07 09:05:02','YYYY-MM-DD HH24:MI:SS')"},
        {QByteArray("\x01\xAB", 2), ado::adBinary, MotorSQL::SQLite, "X'01AB'"},
    };
    for (const auto& c : casos)
        EXPECT_EQ(LiteralDestino(c.valor, c.tipo, c.motor), QString::fromLatin1(c.literal))
            << c.literal;
}

} // namespace
