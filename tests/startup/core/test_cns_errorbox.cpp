#include "test_cns_fixture.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

using namespace CNStuffContable;

namespace {

QString LeeLog(const QString& ruta) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("<sin log>");
    QStringDecoder dec("windows-1252");
    return dec(f.readAll());
}

ado::Error Error(long n, const QString& desc, const QString& fuente = QStringLiteral("Contab")) {
    return {n, desc, {}, 0, fuente};
}

} // namespace

TEST_F(CnsTest, ErrorBoxShowsLogsAndReturnsTheAnswer) {
    const QString ruta = tempDir.filePath(QStringLiteral("KQERR.LOG"));
    EXPECT_EQ(ArchivoErrorOperador(), ruta);

    responder->answerMsg(vb::vbRetry);
    EXPECT_EQ(AvisaErrorOperador(Error(3265, QStringLiteral("  Item no encontrado  ")),
                                 std::nullopt, QVariant(QStringLiteral("Cfg"))),
              4);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Ha ocurrido el Siguiente Error (3265) Item no encontrado"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Contab - Cfg Aviso al operador!!! "));
    EXPECT_EQ(responder->shown[0].buttons, 18);

    responder->answerMsg(vb::vbYes);
    EXPECT_EQ(AvisaErrorOperador(Error(5, QStringLiteral("Otro"), QString())), 6);
    EXPECT_EQ(responder->shown[1].title, QStringLiteral(" Aviso al operador!!! "));

    // A provider's failure shows its number as the 32-bit value it is.
    responder->answerMsg(vb::vbAbort);
    AvisaErrorOperador(Error(ado::adErrUnspecified, QStringLiteral("Error no especificado")));
    EXPECT_EQ(responder->shown[2].prompt,
              QStringLiteral("Ha ocurrido el Siguiente Error (-2147467259) Error no especificado"));

    EXPECT_EQ(LeeLog(ruta),
              QStringLiteral("03-15-2024 10:20:30 Rutina: - Cfg Mensaje Ha ocurrido el Siguiente "
                             "Error (3265) Item no encontrado Respondió : Reintentar\r\n"
                             "03-15-2024 10:20:30 Rutina:  Mensaje Ha ocurrido el Siguiente "
                             "Error (5) Otro Respondió : Sí\r\n"
                             "03-15-2024 10:20:30 Rutina:  Mensaje Ha ocurrido el Siguiente "
                             "Error (-2147467259) Error no especificado Respondió : Abortar\r\n"));
}

TEST_F(CnsTest, ErrorBoxAnswerWords) {
    // Closing with the OK of a caller's style logs no word and returns 1.
    const struct {
        int respuesta;
        const char* palabra;
    } casos[] = {{vb::vbIgnore, "Ignorar"}, {vb::vbOK, ""}};
    for (const auto& c : casos) {
        QFile::remove(ArchivoErrorOperador());
        responder->answerMsg(c.respuesta);
        EXPECT_EQ(AvisaErrorOperador(Error(1, QStringLiteral("x")), vb::vbOKOnly), c.respuesta);
        EXPECT_TRUE(LeeLog(ArchivoErrorOperador())
                        .endsWith(QStringLiteral("Respondió : ") + QString::fromUtf8(c.palabra) +
                                  QStringLiteral("\r\n")))
            << c.palabra;
    }
    EXPECT_EQ(responder->shown.back().buttons, 0);
}

TEST_F(CnsTest, ErrorNumberZeroShowsNothingButCreatesTheLog) {
    const QString ruta = ArchivoErrorOperador();
    ASSERT_FALSE(QFile::exists(ruta));
    EXPECT_EQ(AvisaErrorOperador(Error(0, QStringLiteral("nada"))), 0);
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_TRUE(QFile::exists(ruta));
    EXPECT_EQ(QFile(ruta).size(), 0);
}

TEST_F(CnsTest, ErrorBoxIsShownEvenWhenTheLogCannotBeOpened) {
    // The log path is a folder: it cannot be opened for appending.
    ASSERT_TRUE(QDir(tempDir.path()).mkdir(QStringLiteral("KQERR.LOG")));
    responder->answerMsg(vb::vbIgnore);
    EXPECT_EQ(AvisaErrorOperador(Error(11, QStringLiteral("Red"))), 5);
    EXPECT_EQ(responder->shown.size(), 1u);
}

TEST_F(CnsTest, ErrorLogFallsBackToTmpAndThenToTheSystemTemporaryFolder) {
    QTemporaryDir otro;
    qunsetenv("TEMP");
    qputenv("TMP", otro.path().toLocal8Bit());
    EXPECT_EQ(ArchivoErrorOperador(), otro.filePath(QStringLiteral("KQERR.LOG")));
    qunsetenv("TMP");
    EXPECT_EQ(ArchivoErrorOperador(), QDir(QDir::tempPath()).filePath(QStringLiteral("KQERR.LOG")));
}
