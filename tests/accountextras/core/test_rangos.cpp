// The additional-data ranges and their views: an account code's view type,
// the condition over all ranges, the optional fields a view shows and the
// descriptions of typed codes.

#include "cuentas_fixture.h"

#include "accountextras/core/rangos.h"
#include "accountextras/core/vistas.h"

using namespace cuentasadic;

namespace {

class Rangos : public CuentasTest {
protected:
    // Ranges as rows of (first code, last code, description, view, due date).
    void rangos(const char* filas) const {
        db.exec(QStringLiteral("INSERT INTO TA_RANGOS_DATOS_ADIC VALUES ") + filas);
    }
    // Views as rows of (name, type, listed field).
    void vistas(const char* filas) const {
        db.exec(QStringLiteral("INSERT INTO TA_VISTAS (NOMBRE, TipoVista, Campo) VALUES ") + filas);
    }
    // Every output given, each holding a value the call must replace.
    QStringList obtiene(const QString& codigo, const QString& inicial = {}) const {
        QString tipo = inicial, rango = "antes", vista = "antes";
        bool vto = true;
        ObtieneVistaRangoVto(codigo, &rango, &vista, &tipo, &vto, "41", "42");
        return {tipo, rango, vista, vto ? "vto" : ""};
    }
};

TEST_F(Rangos, ViewTypeOfACode) {
    rangos("(' 2101 ', ' 2101999 ', 'Proveedores', ' PROVEEDORES ', 1),"
           "('1103', '1103999', 'Cuotas', NULL, 0),"     // no view: NN, titles not asked
           "('4', '4999', 'Sin filas', 'NINGUNA', 0),"   // a view without rows: titles decide
           "('5', '6', 'Texto', 'TEXTO', 0),"            // bounds compare as texts
           "('31', '31999', 'Mutuales', 'MUTUALES', 0)," // overlaps the next: the lower start wins
           "('3', '39', 'Personal', 'PERSONAL', 0),"
           "(NULL, '9', 'Sin desde', 'TEXTO', 0)," // a Null bound holds nothing
           "('A100', 'A199', 'Alfa', 'TEXTO', 0)");
    vistas("('PROVEEDORES', ' PR ', NULL), ('TEXTO', 'XY', NULL), ('MUTUALES', 'CM', NULL),"
           "('PERSONAL', 'PE', NULL)");
    clave("TituloClientes", "11");
    clave("TituloBancosDiferido", "23");
    const struct {
        const char *codigo, *inicial;
        QStringList salida; // type, range, view, due date
    } casos[] = {
        {" 2101005 ", "", {"PR", "Proveedores", "PROVEEDORES", "vto"}},
        {"1103001", "", {"NN", "Cuotas", "", ""}},
        {"4101", "", {"CB", "Sin filas", "NINGUNA", ""}},
        {"4201", "", {"CM", "Sin filas", "NINGUNA", ""}},
        {"55", "", {"XY", "Texto", "TEXTO", ""}},
        {"3101", "", {"PE", "Personal", "PERSONAL", ""}},
        {"a150", "", {"XY", "Alfa", "TEXTO", ""}},
        {"1105", "", {"CL", "", "", ""}},
        {"2301", "", {"BC", "", "", ""}},
        {"8", "", {"", "", "", ""}},
        {"7", "XX", {"XX", "", "", ""}}, // nothing decides: the caller's value stays
    };
    for (const auto& c : casos)
        EXPECT_EQ(obtiene(c.codigo, c.inicial), c.salida) << c.codigo;
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Rangos, WithoutRangesOnlyTitlesDecideAndABlankViewTypesTheCodesOutside) {
    clave("TituloClientes", "11");
    EXPECT_EQ(obtiene("1105"), QStringList({"CL", "antes", "antes", "vto"}));
    rangos("('9', '9', 'Otro', NULL, 0)");
    vistas("('  ', 'PE', NULL)");
    EXPECT_EQ(obtiene("1105"), QStringList({"PE", "", "", ""}));
}

TEST_F(Rangos, ConditionOverAllRangesByDescription) {
    EXPECT_EQ(Rangos_Adicionales(), "");
    rangos("('2101', '2101999', 'Y', NULL, 0), (' 1103 ', '1103999', 'X', NULL, 0),"
           "('O''1', 'O''9', 'Z', NULL, 0), (NULL, '9', 'W', NULL, 0)");
    const auto termino = [](const char* desde, const char* hasta) {
        return QStringLiteral(" (LTRIM(RTRIM(CODIGO))>= %1 AND LTRIM(RTRIM(CODIGO))<= %2 ) ")
            .arg(sqltext::literal(desde), sqltext::literal(hasta));
    };
    const QString x = termino("1103", "1103999"), y = termino("2101", "2101999"),
                  z = termino("O'1", "O'9");
    const QString condicion = Rangos_Adicionales();
    EXPECT_EQ(condicion, x + " OR " + y + " OR " + z);
    for (const char* codigo : {"1103001", "1104", "2101001", "3", "O'5"})
        cuenta(codigo, "C");
    EXPECT_EQ(db.rows("SELECT CODIGO FROM MA_CUENTAS WHERE " + condicion + " ORDER BY CODIGO"),
              (QList<QVariantList>{{"1103001"}, {"2101001"}, {"O'5"}}));
    db.exec("UPDATE TA_RANGOS_DATOS_ADIC SET DESCRIPCION = 'Y1' WHERE DESCRIPCION = 'X'");
    EXPECT_EQ(Rangos_Adicionales(), y + " OR " + x + " OR " + z);
}

TEST_F(Rangos, OptionalFieldsOfTheRangesView) {
    rangos("('1', '19', 'Categoria', 'CATEG', 0), ('2', '29', 'Todos', 'TODOS', 0),"
           "('3', '39', 'Vacia', 'VACIA', 0), ('4', '49', 'Sin vista', NULL, 0),"
           "('61', '61999', 'Interna', 'TODOS', 0)," // read first, yet the lower start wins
           "('6', '69', 'Externa', 'CATEG', 0)");
    vistas("('CATEG', 'CL', 'Categoría'), ('TODOS', 'PR', 'condición de compra venta'),"
           "('TODOS', 'PR', 'Limite de Crédito'),"
           "('TODOS', 'PR', 'Categoría Especial')," // a longer label that contains it counts
           "('VACIA', 'PE', NULL), ('VACIA', 'PE', ' ')");
    using V = std::array<bool, 3>; // purchase/sale condition, credit limit, category
    const struct {
        const char* codigo;
        std::optional<VistaDeCampos> campos;
    } casos[] = {
        {"101", VistaDeCampos{true, V{false, false, true}}},
        {"201", VistaDeCampos{true, V{true, true, true}}},
        {"301", VistaDeCampos{false, V{}}},
        {"401", std::nullopt},
        {"7", std::nullopt},
        {"6101", VistaDeCampos{true, V{false, false, true}}},
    };
    for (const auto& c : casos) {
        const auto v = DeterminaVista(c.codigo);
        ASSERT_EQ(v.has_value(), c.campos.has_value()) << c.codigo;
        if (v) {
            EXPECT_EQ(v->MasDatos, c.campos->MasDatos) << c.codigo;
            EXPECT_EQ(v->Visible, c.campos->Visible) << c.codigo;
        }
    }
}

TEST_F(Rangos, DescriptionsOfTypedCodes) {
    db.exec("INSERT INTO TA_ESTADOS VALUES ('01', 'Buenos Aires');"
            "INSERT INTO V_TA_VENDEDORES VALUES (7, 'Juan Pérez')");
    const EtiquetasDetalle detalles = {
        {4, " ta_estados "}, {0, "TA_ESTADOS"}, {1, "V_TA_Vendedores"}, {3, "MA_CUENTAS"}};
    using L = std::vector<std::pair<int, QString>>;
    const struct {
        const char *campo, *tag, *texto;
        L leyendas;
        bool incorrecto;
    } casos[] = {
        {"PROVINCIA", "TA_ESTADOS", " 01 ", L{{0, "Buenos Aires"}, {4, "Buenos Aires"}}, false},
        {"PROVINCIA", "TA_ESTADOS", "  ", L{{0, "..."}, {4, "..."}}, false},
        {"IdVendedor", "V_TA_Vendedores", "7", L{{1, "Juan Pérez"}}, false},
        {"IdVendedor", "V_TA_Vendedores", "9", L{}, true},
        {"PROVINCIA", "TA_ESTADOS", "x' OR '1'='1", L{}, true},
        {"CODIGO", "MA_CUENTAS", "1101", L{}, false}, // not a TA_ table: no label
    };
    for (const auto& c : casos) {
        const Descripciones d =
            MostrarDescripcion(c.campo, c.tag, QString::fromUtf8(c.texto), detalles);
        EXPECT_EQ(d.Leyendas, c.leyendas) << c.texto;
        EXPECT_EQ(d.HayError, c.incorrecto) << c.texto;
        EXPECT_EQ(d.Mensaje, c.incorrecto ? MsgCodigoIncorrecto : QString()) << c.texto;
    }
    EXPECT_TRUE(responder->shown.empty());
}

} // namespace
