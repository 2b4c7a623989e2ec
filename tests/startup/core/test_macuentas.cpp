#include "test_cns_fixture.h"

#include "startup/core/mod_macuentas.h"

using namespace CNStuffContable;
using namespace Mod_Macuentas;

class Macuentas : public CnsTest {
protected:
    void niveles(std::initializer_list<const char*> tamanos) {
        static const char* claves[] = {"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO",
                                       "DIGITOS_RUBRO",    "DIGITOS_SUBRUBRO",
                                       "DIGITOS_CUENTA",   "DIGITOS_SUBCUENTA"};
        int i = 0;
        for (const char* t : tamanos)
            db.exec(
                QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                    .arg(QString::fromLatin1(claves[i++]), QString::fromLatin1(t)));
    }
};

TEST_F(Macuentas, OneCharacterLevels) {
    niveles({"1", "1", "1", "1", "1", "1"});
    EXPECT_EQ(FormateaCuenta(QStringLiteral("1")), QStringLiteral("1"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("12")), QStringLiteral("1-2"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("12345")), QStringLiteral("1-2-3-4-5"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("123456")), QStringLiteral("1-2-3-4-56"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("1234567")), QStringLiteral("1-2-3-4-567"));
    // Only a code within level 1 is trimmed; longer codes keep their blanks.
    EXPECT_EQ(FormateaCuenta(QStringLiteral("1 ")), QStringLiteral("1- "));
    EXPECT_EQ(FormateaCuenta(QString()), QString());
}

TEST_F(Macuentas, UnevenLevelsAndTheirEnds) {
    niveles({"1", "1", "2 ", "2", "3", "3"});
    CargaDigitosPlan();
    CargaNivelesPlan();
    EXPECT_EQ((std::vector<int>{gDigitosNivel1, gDigitosNivel2, gDigitosNivel3, gDigitosNivel4,
                                gDigitosNivel5, gDigitosNivel6}),
              (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(
        (std::vector<int>{gFinNivel1, gFinNivel2, gFinNivel3, gFinNivel4, gFinNivel5, gFinNivel6}),
        (std::vector<int>{1, 2, 4, 6, 9, 12}));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("110")), QStringLiteral("1-1-0"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("1122334")), QStringLiteral("1-1-22-33-4"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral("112233444555")), QStringLiteral("1-1-22-33-444555"));
}

TEST_F(Macuentas, AbsentKeysGiveEmptyLevels) {
    db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                           "('DIGITOS_RUBRO', 'x')"));
    CargaDigitosPlan();
    CargaNivelesPlan();
    EXPECT_EQ(gDigitosNivel3, 0);
    EXPECT_EQ(gFinNivel6, 0);
    EXPECT_EQ(FormateaCuenta(QStringLiteral("123")), QStringLiteral("----123"));
    EXPECT_EQ(FormateaCuenta(QStringLiteral(" ")), QStringLiteral("---- "));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Macuentas, KeyFilterUpperCasesCodeCharactersOnly) {
    const std::int16_t enie = 0xF1, ENIE = 0xD1, a_aguda = 0xE1;
    gSoloMayusculas = true;
    EXPECT_EQ(MayusculaCodigo('a'), 'A');
    EXPECT_EQ(MayusculaCodigo(enie), ENIE);
    EXPECT_EQ(MayusculaCodigo('7'), '7');
    EXPECT_EQ(MayusculaCodigo(a_aguda), a_aguda);
    EXPECT_EQ(MayusculaCodigo('-'), '-');
    EXPECT_EQ(MayusculaCodigo(8), 8); // backspace
    gSoloMayusculas = false;
    EXPECT_EQ(MayusculaCodigo('a'), 'a');
    EXPECT_EQ(MayusculaCodigo(enie), enie);
}
