// The query-mask file: its fixed records as the lookups read them, our
// writer, the readable definitions and the demo company's file of the build.

#include "app/mkmask/definiciones.h"
#include "common/db_fixture.h"
#include "lookup/consultas_zub.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace consultas_zub;

namespace {

// One record as another writer of the suite may leave it, padded with `relleno`.
QByteArray registro(const QByteArray& tabla, const QByteArray& campos, const QByteArray& condicion,
                    char relleno) {
    auto campo = [&](const QByteArray& texto, int ancho) {
        return texto + QByteArray(ancho - texto.size(), relleno);
    };
    return campo("libre", 100) + campo(tabla, 100) + campo(campos, 500) + campo(condicion, 500) +
           QByteArray(2, relleno);
}

QString escribe(const QTemporaryDir& dir, const QByteArray& contenido) {
    const QString ruta = dir.filePath(QStringLiteral("consultas.zub"));
    QFile f(ruta);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenido);
    return ruta;
}

} // namespace

TEST(MaskFile, ReadsPaddedRecordsAndTheFirstMatchWins) {
    QTemporaryDir dir;
    const QString ruta =
        escribe(dir, registro("TA_CCOSTO", "CODIGO|DESCRIPCION", "", ' ') +
                         registro("MA_CUENTAS", "|CODIGO|DESCRIPCION| ", "TITULO = 0", '\0') +
                         registro("ma_cuentas", "OTRA|COSA", "", ' ') +
                         registro("VT_CLIENTES", "CODIGO|RAZON_SOCIAL", "ZONA = 'N'", '\xff'));
    const auto m = BuscaMascara(ruta, QStringLiteral("  ma_cuentas "));
    ASSERT_TRUE(m);
    EXPECT_EQ(QStringList({m->Tabla, m->Campos, m->Condicion}),
              QStringList({"MA_CUENTAS", "|CODIGO|DESCRIPCION|", "TITULO = 0"}));
    const auto c = BuscaMascara(ruta, QStringLiteral("VT_CLIENTES")); // 255 goes as NUL does
    ASSERT_TRUE(c);
    EXPECT_EQ(QStringList({c->Campos, c->Condicion}),
              QStringList({"CODIGO|RAZON_SOCIAL", "ZONA = 'N'"}));
    EXPECT_FALSE(BuscaMascara(ruta, QStringLiteral("MA_CUENTASADIC")));
    EXPECT_FALSE(BuscaMascara(dir.filePath(QStringLiteral("no_esta.zub")), "MA_CUENTAS"));
}

TEST(MaskFile, WriterLaysOutBlankPaddedRecordsThatReadBackAndRefusesWhatDoesNotFit) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("consultas.zub"));
    QString error;
    ASSERT_TRUE(GrabaMascaras(ruta,
                              {{"", "MA_CUENTAS", "CODIGO|DESCRIPCION", ""},
                               {"Años", "TA_ESTADOS", "CODIGO|DESCRIPCIÓN", "PAIS <> 'Perú'"}},
                              error));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray segundo = f.readAll().mid(LargoRegistro);
    ASSERT_EQ(segundo.size(), LargoRegistro);
    EXPECT_EQ(segundo.left(100), "A\xf1os" + QByteArray(96, ' '));
    EXPECT_EQ(segundo.mid(100, 100), "TA_ESTADOS" + QByteArray(90, ' '));
    EXPECT_EQ(segundo.mid(200, 19), "CODIGO|DESCRIPCI\xd3N ");
    EXPECT_EQ(segundo.mid(700, 500), "PAIS <> 'Per\xfa'" + QByteArray(486, ' '));
    EXPECT_EQ(segundo.right(2), "\r\n");
    const auto m = BuscaMascara(ruta, QStringLiteral("ta_estados"));
    ASSERT_TRUE(m);
    EXPECT_EQ(QStringList({m->Campos, m->Condicion}),
              QStringList({"CODIGO|DESCRIPCIÓN", "PAIS <> 'Perú'"}));

    const std::vector<MascaraConsulta> malos[] = {
        {{"", QString(101, u'T'), "A|B", ""}},
        {{"", "T", "A|B", QString(501, u'x')}},
        {{"", "T", "A|B", QStringLiteral("NOMBRE = '\u0141'")}}, // not in the code page
    };
    for (const auto& registros : malos)
        EXPECT_FALSE(GrabaMascaras(ruta, registros, error));
    EXPECT_EQ(QFile(ruta).size(), 2 * LargoRegistro); // the old file stays
}

// The readable definitions: the demo file's own lines are read by the
// statement tests; here the lines the tool refuses.
TEST(MaskDefinitions, RefusesUnsoundLines) {
    QString error;
    for (const char* malo : {"T ; A|B", "\n ; A|B ;", "T ;  ; X = 1", "T ; A|B ;\nt ; C|D ;"})
        EXPECT_FALSE(mkmask::LeeDefiniciones(malo, error)) << malo;
    EXPECT_EQ(error, "line 2: t is defined twice");
    const auto r = mkmask::LeeDefiniciones(" T ; A|B ; X = 'x;y'\r\n# T ; C ;", error);
    ASSERT_TRUE(r && r->size() == 1);
    EXPECT_EQ(QStringList({r->at(0).Tabla, r->at(0).Campos, r->at(0).Condicion}),
              QStringList({"T", "A|B", "X = 'x;y'"}));
}

// The build writes the demo company's file beside the programs.
TEST(MaskFile, TheBuildWritesTheDemoMasks) {
    const QString ruta = QStringLiteral(QUARZELO_CONSULTAS_ZUB);
    EXPECT_EQ(QFile(ruta).size() % LargoRegistro, 0);
    const auto cuentas = BuscaMascara(ruta, QStringLiteral("MA_CUENTAS"));
    ASSERT_TRUE(cuentas);
    EXPECT_EQ(QStringList({cuentas->Campos, cuentas->Condicion}),
              QStringList({"CODIGO|DESCRIPCION", ""}));
}
