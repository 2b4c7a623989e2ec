#include "test_cns_fixture.h"

#include <QFile>

using namespace CNStuffContable;

TEST(CnsHelpers, EsVerdaderoTable) {
    for (const char* falso : {"falso", "False", "FALSE", "FaLsO", "0"})
        EXPECT_FALSE(EsVerdadero(QString::fromLatin1(falso))) << falso;
    for (const char* verdadero : {"", " 0", "0 ", "0.0", "No", "-1", "1", "SI", "falsos"})
        EXPECT_TRUE(EsVerdadero(QString::fromLatin1(verdadero))) << verdadero;
}

TEST(CnsHelpers, FormatPatternsAndSlash) {
    EXPECT_EQ(FormatoFecha(), QStringLiteral("dd/mm/yy"));
    EXPECT_EQ(FormatoHora(), QStringLiteral("hh:mm"));
    EXPECT_EQ(FormatoFechaHora(), QStringLiteral("dd/mm/yy hh:mm"));
    EXPECT_EQ(vb::Format(vb::MakeDate(2024, 3, 5, 7, 9, 59), FormatoFechaHora()),
              QStringLiteral("05/03/24 07:09"));

    EXPECT_EQ(TextoDespuesDeBarra(QStringLiteral("a/b/c")), QStringLiteral("b/c"));
    EXPECT_EQ(TextoDespuesDeBarra(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(TextoDespuesDeBarra(QStringLiteral("abc/")), QString());
}

TEST(CnsHelpers, FormateaNroComprobante) {
    using LBM_Common1::FormateaNroComprobante;
    EXPECT_EQ(
        FormateaNroComprobante(QStringLiteral("3"), QStringLiteral("1234"), QStringLiteral("A")),
        QStringLiteral("0003-00001234A"));
    EXPECT_EQ(FormateaNroComprobante(QString(), QString(), QStringLiteral("B")),
              QStringLiteral("0000-00000000B"));
    EXPECT_EQ(FormateaNroComprobante(QStringLiteral("1"), QStringLiteral("2"), QString()),
              QStringLiteral("0001-00000002"));
    EXPECT_EQ(FormateaNroComprobante(QStringLiteral("12x"), QStringLiteral("123456789"),
                                     QStringLiteral("AB")),
              QStringLiteral("0012-123456789A"));
}

TEST(CnsHelpers, ExisteArchivo) {
    QTemporaryDir dir;
    const QString ruta = dir.filePath(QStringLiteral("a.txt"));
    EXPECT_FALSE(ExisteArchivo(ruta));
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(ExisteArchivo(ruta));
    EXPECT_FALSE(ExisteArchivo(QString()));
    EXPECT_FALSE(ExisteArchivo(dir.path()));
    // Unreadable (root reads everything, so only check when it matters).
    f.setPermissions(QFileDevice::WriteOwner);
    if (!QFile(ruta).open(QIODevice::ReadOnly)) {
        EXPECT_FALSE(ExisteArchivo(ruta));
    }
}

TEST_F(CnsTest, FechaServidorDropsFractionsOfASecond) {
    // The engine's clock is the injected one.
    vb::setClock([] { return vb::MakeDate(2024, 3, 15, 10, 20, 30).addMSecs(789); });
    EXPECT_EQ(FechaServidor(), vb::MakeDate(2024, 3, 15, 10, 20, 30));
    EXPECT_TRUE(responder->shown.empty());
}
