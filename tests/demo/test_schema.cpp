// The company schema as the program relies on it, built the way every test
// database is built.

#include "common/tempdb.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
#include <random>

using testutil::TempDatabase;

namespace {

QSet<QString> columnsOf(const TempDatabase& db, const QString& table) {
    QSet<QString> names;
    for (const QVariantList& r : db.rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        names.insert(r.at(1).toString().toUpper());
    return names;
}

QString declaredType(const TempDatabase& db, const QString& table, const QString& column) {
    for (const QVariantList& r : db.rows(QStringLiteral("PRAGMA table_info(\"%1\")").arg(table)))
        if (r.at(1).toString().compare(column, Qt::CaseInsensitive) == 0)
            return r.at(2).toString().toUpper();
    return {};
}

// Column definitions of a CREATE TABLE text: the parts between the outer
// parentheses separated by commas at depth 0, table constraints left out.
QStringList columnDefinitions(const QString& createSql) {
    const int open = createSql.indexOf('(');
    const int close = createSql.lastIndexOf(')');
    QStringList defs;
    QString current;
    int depth = 0;
    for (int i = open + 1; i < close; ++i) {
        const QChar c = createSql.at(i);
        if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (c == ',' && depth == 0) {
            defs << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    defs << current.trimmed();
    static const QRegularExpression constraint(
        QStringLiteral("^(PRIMARY\\s+KEY|UNIQUE|CONSTRAINT|FOREIGN|CHECK)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList columns;
    for (const QString& d : defs)
        if (!constraint.match(d).hasMatch())
            columns << d;
    return columns;
}

class SchemaTest : public ::testing::Test {
protected:
    TempDatabase db;
};

TEST_F(SchemaTest, MainRoadTablesHaveTheirColumns) {
    const QStringList letterEndings{"_SUC_DEFAULT", "_NRO_DESDE", "_NRO_HASTA", "_ULTIMO_NRO"};
    QStringList books{"CODIGO",
                      "TALONARIO",
                      "UNEGOCIO",
                      "Externo",
                      "ModificaNumeracion",
                      "Sistema",
                      "fechahora_modificacion"};
    QStringList types{"CODIGO",
                      "SISTEMA",
                      "TALONARIO",
                      "Descripcion",
                      "LETRAS",
                      "ModificaNumeracion",
                      "fechahora_modificacion"};
    for (const QString& letter : QStringList{"A", "B", "C", "E", "R", "X", "M"}) {
        for (const QString& ending : letterEndings) {
            books << letter + ending;
            types << letter + ending;
        }
        books << letter + "Vence";
    }

    const QList<QPair<QString, QStringList>> expected{
        {"MV_ASIENTOS", {"PERIODO",    "MES_OPERATIVO", "NUMERO ASIENTO",
                         "SECUENCIA",  "FECHA",         "TC",
                         "SUCURSAL",   "NUMERO",        "LETRA",
                         "CABIMPORTE", "CABCUENTA",     "CUENTA",
                         "IMPORTE",    "DEBE-HABER",    "MONEDA",
                         "TIPO_REG",   "DETALLE",       "ESRESUMEN",
                         "ESAJUSTE",   "AJUSTE_HASTA",  "ES_SALDO_APERTURA",
                         "UNEGOCIO",   "VENCIMIENTO",   "fechahora_grabacion"}},
        {"MV_EJERCICIOS",
         {"PERIODO", "Fecha Desde", "Fecha Hasta", "DESCRIPCION", "CERRADO", "Cancelacion",
          "Cierre"}},
        {"MA_INDAJUSTE", {"ANIO", "MES", "INDICE1", "INDICE2", "INDICE3", "INDICE4"}},
        {"MA_CUENTAS",
         {"CODIGO", "DESCRIPCION", "TITULO", "AJUSTE", "INDICE", "BIENES", "BLOQUEO",
          "DADA_DE_BAJA", "CODIGO_DEPREC_ACUMULADA", "CodigoOpcional", "CuentaPrincipal",
          "TipoVista", "UsaCCostos", "MedioDePago", "Moneda", "dv", "Manual", "Manual_Haber"}},
        {"TA_RANGOS_DATOS_ADIC",
         {"CUENTA-DESDE", "CUENTA-HASTA", "DESCRIPCION", "Vista", "PideVencimiento"}},
        {"TA_VISTAS", {"NOMBRE", "TipoVista", "Campo"}},
        {"TA_CONFIGURACION", {"CLAVE", "VALOR", "ValorAux", "Grupo", "PoliticaNegocio"}},
        {"TA_USUARIOS", {"NOMBRE", "GRUPO", "UNegocio", "Administrador"}},
        {"TA_TAREAS", {"USUARIO", "SISTEMA", "TAREA"}},
        {"TA_MENU", {"Menu", "Clave", "Proceso", "Nombre"}},
        {"Control_Acceso",
         {"ID", "Maquina", "Usuario", "Formulario", "Tarea", "Ingreso", "NombreUsuario"}},
        {"AUX_ERR", {"Proceso", "fecha", "Error", "Descripcion", "SQL", "Pc", "Usuario"}},
        {"V_MV_CPTEACCIONES",
         {"TC", "IdComprobante", "IdComplemento", "Tipo_accion", "FECHAHORA", "Usuario", "PC",
          "SYSTEMUSER"}},
        {"V_MV_CTROL_CPTE", {"TC", "SUCURSAL", "NUMERO", "LETRA"}},
        {"V_TA_CPTE", books},
        {"TA_COMPROBANTES", types},
        {"VT_TA_Cpte", {"Codigo", "Descripcion"}},
        {"SS_MA_CUENTAS", {"CODIGO", "DESCRIPCION", "AJUSTE", "INDICE"}},
        {"SS_MV_ASIENTOS", {"CUENTA", "IMPORTE", "DEBE-HABER", "NUMERO ASIENTO"}},
        {"SS_V_TA_DEPOSITO", {"IdDeposito", "Descripcion"}},
        {"SS_V_TA_FAMILIAS", {"IdFamilia", "Descripcion"}},
        {"SS_V_TA_CAJAS", {"IdCajas", "Descripcion"}},
    };
    for (const auto& [table, columns] : expected) {
        const QSet<QString> present = columnsOf(db, table);
        EXPECT_FALSE(present.isEmpty()) << "missing table or view " << table.toStdString();
        for (const QString& c : columns)
            EXPECT_TRUE(present.contains(c.toUpper()))
                << table.toStdString() << " lacks " << c.toStdString();
    }
}

TEST_F(SchemaTest, EveryTextColumnComparesAsTheServerDoes) {
    const auto tables = db.rows(QStringLiteral(
        "SELECT name, sql FROM sqlite_master WHERE type = 'table' AND name <> 'sqlite_sequence'"));
    ASSERT_GT(tables.size(), 40);
    static const QRegularExpression textType(QStringLiteral("\\b(N?VARCHAR|N?CHAR|N?TEXT)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression collation(QStringLiteral("\\bCOLLATE\\s+SQLSRV\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    int textColumns = 0;
    for (const QVariantList& t : tables) {
        for (const QString& def : columnDefinitions(t.at(1).toString())) {
            if (!textType.match(def).hasMatch())
                continue;
            ++textColumns;
            EXPECT_TRUE(collation.match(def).hasMatch())
                << t.at(0).toString().toStdString() << ": " << def.toStdString();
        }
    }
    EXPECT_GT(textColumns, 150);
}

TEST_F(SchemaTest, KeysIgnoreCaseAndTrailingBlanksButNotLeadingOnes) {
    db.exec(QStringLiteral("INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, Administrador) "
                           "VALUES ('ana', 'CONTABLE', 1)"));
    EXPECT_EQ(db.scalar("SELECT Administrador FROM TA_USUARIOS WHERE nombre = 'ANA '").toInt(), 1);
    EXPECT_FALSE(db.scalar("SELECT 1 FROM TA_USUARIOS WHERE nombre = ' ana'").isValid());

    db.exec(
        QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2023')"));
    EXPECT_EQ(db.scalar("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = 'periodo  '").toString(),
              "2023");
    EXPECT_FALSE(
        db.scalar("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = ' PERIODO'").isValid());

    // The chart manual looks an account up with a blank after the code.
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1101', 'Caja')"));
    EXPECT_EQ(db.scalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1101 '").toString(),
              "Caja");

    // The rights query joins tasks and menu entries and matches the user with
    // a blank after the name.
    db.exec(QStringLiteral("INSERT INTO TA_MENU (Clave, Nombre, Proceso) "
                           "VALUES ('ct01', 'Ajuste por inflacion', 'C:\\KQ\\QUARZELO.EXE');"
                           "INSERT INTO TA_TAREAS (USUARIO, TAREA) VALUES ('ANA', 'CT01')"));
    EXPECT_EQ(db.scalar("SELECT TA_MENU.Nombre FROM TA_TAREAS INNER JOIN TA_MENU "
                        "ON TA_TAREAS.TAREA = TA_MENU.Clave WHERE (TA_TAREAS.USUARIO = 'ana ') "
                        "AND (TA_MENU.Proceso LIKE '%quarzelo%')")
                  .toString(),
              "Ajuste por inflacion");
}

TEST_F(SchemaTest, UniqueKeysRejectDuplicatesThatDifferOnlyInCaseOrTrailingBlanks) {
    const QList<QPair<QString, QString>> pairs{
        {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '1')",
         "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('periodo ', '2')"},
        {"INSERT INTO TA_USUARIOS (NOMBRE, GRUPO) VALUES ('ana', 'G1')",
         "INSERT INTO TA_USUARIOS (NOMBRE, GRUPO) VALUES ('ANA ', 'g1')"},
        {"INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1101A')",
         "INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1101a  ')"},
        {"INSERT INTO MV_EJERCICIOS (PERIODO) VALUES (5)",
         "INSERT INTO MV_EJERCICIOS (PERIODO) VALUES (5)"},
        {"INSERT INTO MA_INDAJUSTE (ANIO, MES, INDICE1) VALUES (2023, 1, 1.2)",
         "INSERT INTO MA_INDAJUSTE (ANIO, MES, INDICE1) VALUES (2023, 1, 1.3)"},
        {"INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA) VALUES ('AJIN', 'CONTABLE')",
         "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA) VALUES ('ajin', 'Contable')"},
        {"INSERT INTO V_TA_CPTE (CODIGO, TALONARIO) VALUES ('AJIN', 1)",
         "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO) VALUES ('Ajin ', 1)"},
        {"INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) "
         "VALUES ('AJIN', '0001', '00000123', 'X')",
         "INSERT INTO V_MV_CTROL_CPTE (TC, SUCURSAL, NUMERO, LETRA) "
         "VALUES ('ajin', '0001', '00000123', 'x')"},
        {"INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1101', 'AD01', 50)",
         "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ('1101', 'ad01', 20)"},
        {"INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('1101')",
         "INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('1101 ')"},
    };
    for (const auto& [first, second] : pairs) {
        db.exec(first);
        const QString err = db.tryExec(second);
        EXPECT_TRUE(err.contains("UNIQUE", Qt::CaseInsensitive))
            << second.toStdString() << " -> " << err.toStdString();
    }
    // Different keys still go in.
    EXPECT_EQ(db.tryExec("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (' PERIODO', '3')"),
              QString());
    EXPECT_EQ(db.tryExec("INSERT INTO MA_INDAJUSTE (ANIO, MES) VALUES (2023, 2)"), QString());
}

TEST_F(SchemaTest, AccessLogGeneratesItsId) {
    db.exec(QStringLiteral("INSERT INTO Control_Acceso (Maquina, Usuario) VALUES ('PC1', 'ANA');"
                           "INSERT INTO Control_Acceso (Maquina, Usuario) VALUES ('PC1', 'ANA');"
                           "DELETE FROM Control_Acceso WHERE ID = 2;"
                           "INSERT INTO Control_Acceso (Maquina, Usuario) VALUES ('PC2', 'LUIS')"));
    // A deleted ID is never handed out again.
    EXPECT_EQ(db.scalar("SELECT ID FROM Control_Acceso WHERE Maquina = 'pc2'").toInt(), 3);
}

TEST_F(SchemaTest, EntryLinesWithoutFlagsCountAsGeneralLines) {
    db.exec(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE, \"DEBE-HABER\") "
                           "VALUES (5, '1101', 100, 'D')"));
    const auto r = db.rows(
        QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE (ESRESUMEN=0) AND (ESAJUSTE=0) "
                       "AND (ES_SALDO_APERTURA=0) AND TIPO_REG = ''"));
    EXPECT_EQ(r.at(0).at(0).toInt(), 1);
}

TEST_F(SchemaTest, DeclaredTypesAreThoseTheDataLayerMaps) {
    const QList<std::tuple<QString, QString, QString>> expected{
        {"MV_ASIENTOS", "IMPORTE", "MONEY"},
        {"MV_ASIENTOS", "CABIMPORTE", "MONEY"},
        {"MV_ASIENTOS", "FECHA", "DATETIME"},
        {"MV_ASIENTOS", "ESAJUSTE", "BIT"},
        {"MV_ASIENTOS", "NUMERO ASIENTO", "INT"},
        {"MV_ASIENTOS", "CUENTA", "VARCHAR(15)"},
        {"MV_ASIENTOS", "AJUSTE_HASTA", "VARCHAR(10)"},
        {"MV_EJERCICIOS", "Fecha Hasta", "DATETIME"},
        {"MA_INDAJUSTE", "INDICE1", "FLOAT"},
        {"MA_CUENTAS", "CODIGO", "VARCHAR(15)"},
        {"MA_CUENTAS", "TITULO", "BIT"},
        {"Control_Acceso", "ID", "INTEGER"},
        {"AUX_ERR", "Descripcion", "VARCHAR(250)"},
    };
    for (const auto& [table, column, type] : expected)
        EXPECT_EQ(declaredType(db, table, column), type)
            << table.toStdString() << "." << column.toStdString();
}

TEST_F(SchemaTest, EntryQueriesByAccountAndPeriodUseIndexes) {
    auto plan = [&](const QString& sql) {
        QString text;
        for (const QVariantList& r : db.rows("EXPLAIN QUERY PLAN " + sql))
            text += r.last().toString() + '\n';
        return text;
    };
    EXPECT_TRUE(plan("SELECT SUM(IMPORTE) FROM MV_ASIENTOS WHERE CUENTA = '1101' "
                     "AND FECHA >= '2023-01-01' AND FECHA <= '2023-01-31'")
                    .contains("IX_MV_ASIENTOS_CUENTA_FECHA"));
    EXPECT_TRUE(plan("SELECT MAX(\"NUMERO ASIENTO\") FROM MV_ASIENTOS WHERE MES_OPERATIVO = 3 "
                     "AND PERIODO = '5'")
                    .contains("IX_MV_ASIENTOS_PERIODO"));
}

TEST_F(SchemaTest, ViewsShowTheRowsOfTheirTables) {
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, AJUSTE, INDICE) VALUES "
                           "('1101', 'Caja', 1, 2);"
                           "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, Descripcion, LETRAS) "
                           "VALUES ('AJIN', 'CONTABLE', 'Ajuste por inflacion', 'X')"));
    EXPECT_EQ(db.scalar("SELECT INDICE FROM SS_MA_CUENTAS WHERE CODIGO = '1101'").toInt(), 2);
    EXPECT_EQ(db.scalar("select Descripcion,Codigo from VT_TA_Cpte ").toString(),
              "Ajuste por inflacion");
}

TEST_F(SchemaTest, CashBoxNumbersMatchPaddedOrNot) {
    // The status bar looks the box up as "1" and creates it as "0001".
    db.exec(
        QStringLiteral("INSERT INTO V_TA_CAJAS (IDCAJAS, DESCRIPCION) VALUES ('0001', 'CAJA 1')"));
    EXPECT_EQ(db.scalar("SELECT Descripcion FROM V_TA_Cajas WHERE LTRIM(RTRIM(IdCajas)) = '1'")
                  .toString(),
              "CAJA 1");
    EXPECT_TRUE(db.tryExec("INSERT INTO V_TA_CAJAS (IDCAJAS, DESCRIPCION) VALUES ('1', 'otra')")
                    .contains("UNIQUE", Qt::CaseInsensitive));
}

TEST(SqlServerCollation, ComparesWithoutCaseAndTrailingBlanks) {
    TempDatabase db;
    auto cmp = [&](const QString& a, const QString& b) {
        return db
            .scalar(QStringLiteral("SELECT CASE WHEN '%1' = '%2' COLLATE SQLSRV THEN 0 "
                                   "WHEN '%1' < '%2' COLLATE SQLSRV THEN -1 ELSE 1 END")
                        .arg(a, b))
            .toInt();
    };
    EXPECT_EQ(cmp("ana  ", "ANA"), 0);
    EXPECT_EQ(cmp("ÑANDÚ", "ñandú "), 0);
    EXPECT_NE(cmp("a", "á"), 0);
    EXPECT_NE(cmp(" a", "a"), 0);
    EXPECT_EQ(cmp("a", "B"), -1);
    EXPECT_EQ(cmp("b", "A"), 1);
    EXPECT_EQ(cmp("11", "2"), -1);
    EXPECT_EQ(cmp("1", "1 1"), -1);
    EXPECT_EQ(cmp("", "   "), 0);
}

// The collation's one-pass ASCII path must order every pair as the
// comparison of the whole texts does: trailing blanks dropped, then letter
// case ignored as Qt folds it, accented and other non-ASCII letters included.
TEST(SqlServerCollation, OrdersLikeTheCaseInsensitiveComparisonOfTheTrimmedTexts) {
    TempDatabase db;
    db.exec(QStringLiteral("CREATE TABLE T (ID INTEGER PRIMARY KEY, X TEXT COLLATE SQLSRV)"));
    const QString letras = QStringLiteral("aAbBzZ09 _[~ñÑéÉü\u212A");
    std::mt19937 azar(11);
    auto texto = [&](int largo) {
        QString t;
        for (int i = 0; i < largo; ++i)
            t += letras.at(std::uniform_int_distribution<int>(0, int(letras.size()) - 1)(azar));
        return t;
    };
    QStringList textos;
    for (int i = 0; i < 400; ++i) {
        // Shared beginnings, so that differences fall before, at and after
        // the first non-ASCII letter.
        const QString comun = texto(std::uniform_int_distribution<int>(0, 4)(azar));
        textos << comun + texto(std::uniform_int_distribution<int>(0, 3)(azar))
               << comun.toUpper() + texto(std::uniform_int_distribution<int>(0, 3)(azar));
    }
    QStringList valores;
    for (int i = 0; i < textos.size(); ++i)
        valores << QStringLiteral("(%1, '%2')").arg(i).arg(textos[i]);
    db.exec(QStringLiteral("INSERT INTO T VALUES ") + valores.join(u','));

    auto esperado = [](QString a, QString b) {
        while (a.endsWith(u' '))
            a.chop(1);
        while (b.endsWith(u' '))
            b.chop(1);
        const int r = QString::compare(a, b, Qt::CaseInsensitive);
        return r < 0 ? -1 : r > 0 ? 1 : 0;
    };
    const auto pares = db.rows(QStringLiteral(
        "SELECT A.ID, B.ID, CASE WHEN A.X = B.X THEN 0 WHEN A.X < B.X THEN -1 ELSE 1 END "
        "FROM T A, T B WHERE A.ID < B.ID AND B.ID < A.ID + 40"));
    ASSERT_GT(pares.size(), 10000);
    int distintos = 0;
    for (const QVariantList& p : pares) {
        const QString& a = textos[p[0].toInt()];
        const QString& b = textos[p[1].toInt()];
        ASSERT_EQ(p[2].toInt(), esperado(a, b)) << a.toStdString() << " | " << b.toStdString();
        distintos += p[2].toInt() != 0;
    }
    EXPECT_GT(distintos, pares.size() / 2);
}

TEST(TempDatabaseTest, SiblingsShareTheFolderThatOutlivesTheFirst) {
    QString folder;
    QString companyPath;
    {
        TempDatabase pdv = [] {
            TempDatabase company;
            return company.sibling(QStringLiteral("PDV0001"));
        }();
        folder = pdv.folder();
        companyPath = QDir(folder).filePath("EMPRESA.db");
        EXPECT_TRUE(QFile::exists(companyPath));
        EXPECT_EQ(pdv.path(), QDir(folder).filePath("PDV0001.db"));
        EXPECT_EQ(pdv.connectionString(),
                  "PROVIDER=SQLOLEDB;Server=" + folder + ";Database =PDV0001;UId=sa;Pwd=;");

        // The two files are separate databases.
        pdv.exec("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('1')");
        EXPECT_EQ(pdv.scalar("SELECT COUNT(*) FROM MA_CUENTAS").toInt(), 1);
    }
    EXPECT_FALSE(QDir(folder).exists());
}

TEST(TempDatabaseTest, EmptyDatabaseHasNoTables) {
    TempDatabase company;
    TempDatabase bare = company.sibling(QStringLiteral("GRUPO"), TempDatabase::Schema::Empty);
    EXPECT_EQ(bare.scalar("SELECT COUNT(*) FROM sqlite_master").toInt(), 0);
    EXPECT_GT(company.scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'").toInt(),
              40);
    EXPECT_EQ(company.dbName(), "EMPRESA");
    EXPECT_TRUE(bare.rows("-- nothing").isEmpty());
}

} // namespace
