#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using U = ClsUtilidades;

TEST(ClsUtilidades, TextoAMonedaReadsRegionalNumbersAndGivesZeroForNoNumber) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {"1.234,56", 12345600}, {"  2021  ", 20210000}, {"-0,5", -5000}, {"0001", 10000}, {"", 0},
        {"12abc", 0},
    };
    for (const auto& [text, raw] : cases)
        EXPECT_EQ(U::TextoAMoneda(text).raw(), raw) << text;
    EXPECT_DOUBLE_EQ(U::TextoANumero("0,123456"), 0.123456);
    EXPECT_DOUBLE_EQ(U::TextoANumero("nada"), 0.0);
    EXPECT_EQ(U::TextoAEntero("2,5"), 2);
}

TEST(ClsUtilidades, NumberTestsKeepPaddedCodesOutAndBlankTestsSeeNul) {
    EXPECT_TRUE(U::EsNumero("1234,5"));
    EXPECT_TRUE(U::EsNumero("110101"));
    EXPECT_FALSE(U::EsNumero("110101         ")); // account code as stored, 15 wide
    EXPECT_FALSE(U::EsNumero(""));
    EXPECT_FALSE(U::EsNumero("1A"));

    EXPECT_TRUE(U::EsVacio(QString(" ") + QChar(0) + QChar(0)));
    EXPECT_FALSE(U::EsVacio(QString("A") + QString(3, QChar(0))));

    EXPECT_TRUE(U::EsCodigoNumerico("0123456789"));
    EXPECT_FALSE(U::EsCodigoNumerico("1.1"));
    EXPECT_FALSE(U::EsCodigoNumerico(QString::fromUtf8("１２"))); // full-width digits

    EXPECT_LE(U::CuentaPalabras("  LEN  "), 1);
    EXPECT_EQ(U::CuentaPalabras("SELECT  *\r\nFROM\tT"), 4);
}

TEST(ClsUtilidades, RellenaCerosFillsNumberCodesOnly) {
    const struct {
        const char* text;
        int width;
        const char* expected;
    } cases[] = {
        {"1", 4, "0001"},     {"12", 4, "0012"},  {"1234", 4, "1234"},
        {"00012", 4, "0012"}, {"FA", 4, "FA"},    {"", 4, ""},
        {"AS", 4, "AS"},      {"A1", 4, "A1"},    {"ASTOX", 4, "ASTOX"},
        {" 1", 4, " 1"},      {"", 0, ""},        {"7", 25, "0000000000000000000000007"},
        {"ABC", 0, "ABC"},    {"ABC", -1, "ABC"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(U::RellenaCeros(c.text, c.width), c.expected) << c.text << "/" << c.width;
    EXPECT_EQ(U::RellenaCeros("Texto"), "Texto");
}

TEST(ClsUtilidades, ValorCampoWritesValuesAsTheRegionalSettingsDo) {
    EXPECT_EQ(U::ValorCampo(vb::Null()), "");
    EXPECT_EQ(U::ValorCampo(vb::Empty()), "");
    EXPECT_EQ(U::ValorCampo(QVariant(QString(" abc "))), " abc ");
    EXPECT_EQ(U::ValorCampo(QVariant(1234.5)), "1234,5");
    EXPECT_EQ(U::ValorCampo(QVariant(qlonglong(42))), "42");
    EXPECT_EQ(U::ValorCampo(vb::fromCurrency(vb::Currency::fromRaw(-15000))), "-1,5");
    EXPECT_EQ(U::ValorCampo(QVariant(vb::MakeDate(2023, 12, 31))), "31/12/2023");
}

TEST(ClsUtilidades, TextHelpers) {
    EXPECT_EQ(U::CarpetaConBarra("/opt/cn"), "/opt/cn/");
    EXPECT_EQ(U::CarpetaConBarra("/opt/cn///"), "/opt/cn/");
    EXPECT_EQ(U::CarpetaConBarra("C:\\CN\\\\"), "C:\\CN\\");

    EXPECT_EQ(U::LimpiaTexto("01-2023/x", "-", "/"), "012023x");
    EXPECT_EQ(U::LimpiaTexto(QString("A") + QChar(0) + "B", QString(QChar(0))), "AB");
    EXPECT_EQ(U::CambiaCaracter("Aa,a", "a", "x"), "Ax,x");
    EXPECT_EQ(
        U::ReemplazaTexto("select * from v_ma_articulos", "V_MA_ARTICULOS", "VT_MA_ARTICULOS"),
        "select * from VT_MA_ARTICULOS");
    EXPECT_EQ(U::PrimerosCaracteres("", 1), "");
    EXPECT_EQ(U::CortaTexto("01", 4), "01");
}

TEST(ClsUtilidades, FechaParaSQLGivesEachEngineAMidnightLiteral) {
    EXPECT_EQ(U::FechaParaSQL("31/12/2023", MotorSQL::SQLite), "'2023-12-31 00:00:00'");
    EXPECT_EQ(U::FechaParaSQL("1/2/2024", MotorSQL::SQLite), "'2024-02-01 00:00:00'");
    EXPECT_EQ(U::FechaParaSQL("31/12/2023", MotorSQL::SqlServer), "'20231231'");
    EXPECT_EQ(U::FechaParaSQL("31/12/2023", MotorSQL::Oracle),
              "TO_DATE('2023-12-31','YYYY-MM-DD')");
    // No date, no row: never the typed text inside the statement.
    EXPECT_EQ(U::FechaParaSQL("31/02/2023", MotorSQL::SQLite), "NULL");
    EXPECT_EQ(U::FechaParaSQL("x' OR '1'='1", MotorSQL::SqlServer), "NULL");
    EXPECT_EQ(U::FechaParaSQL(""), "NULL");

    EXPECT_EQ(U::motorSQL(), MotorSQL::SQLite);
    EXPECT_EQ(U::FechaParaSQL("05/06/2023"), "'2023-06-05 00:00:00'");
    U::setMotorSQL(MotorSQL::SqlServer);
    EXPECT_EQ(U::FechaParaSQL("05/06/2023"), "'20230605'");
    U::setMotorSQL(MotorSQL::SQLite);
}

class ReportaErrorTest : public ::testing::Test {
protected:
    void SetUp() override { previous = vb::setDialogResponder(responder); }
    void TearDown() override { vb::setDialogResponder(previous); }
    std::shared_ptr<vb::ScriptedResponder> responder = std::make_shared<vb::ScriptedResponder>();
    std::shared_ptr<vb::DialogResponder> previous;
};

TEST_F(ReportaErrorTest, ShowsTheErrorAndReturnsTheButton) {
    ado::Error e;
    e.Number = 3265;
    e.Description = QString::fromUtf8("No se encontró el elemento.  ");
    e.Source = "ADODB.Recordset";
    responder->answerMsg(vb::vbRetry);
    responder->answerMsg(vb::vbIgnore);
    responder->answerMsg(vb::vbAbort);
    EXPECT_EQ(U::ReportaError(e, std::nullopt, QString("Generar")), vb::vbRetry);
    EXPECT_EQ(U::ReportaError(e), vb::vbIgnore);
    EXPECT_EQ(U::ReportaError(e, vb::vbYesNo), vb::vbAbort);
    ASSERT_EQ(responder->shown.size(), 3u);
    const QString message =
        QString::fromUtf8("Ha ocurrido el Siguiente Error (3265) No se encontró el elemento.");
    EXPECT_EQ(responder->shown[0].prompt, message);
    EXPECT_EQ(responder->shown[0].title, "ADODB.Recordset - Generar Aviso al operador!!! ");
    EXPECT_EQ(responder->shown[0].buttons, vb::vbAbortRetryIgnore | vb::vbCritical);
    EXPECT_EQ(responder->shown[1].title, "ADODB.Recordset Aviso al operador!!! ");
    EXPECT_EQ(responder->shown[2].buttons, int(vb::vbYesNo));
    EXPECT_EQ(responder->unexpected, 0);
}

TEST_F(ReportaErrorTest, NumberZeroShowsNothingAndNegativeKeepsItsSign) {
    ado::Error none;
    none.Description = "nada";
    EXPECT_EQ(U::ReportaError(none, std::nullopt, QString("Cfg")), 0);
    EXPECT_TRUE(responder->shown.empty());

    ado::Error e;
    e.Number = long(0x80004005);
    e.Description = "Error no especificado";
    responder->answerMsg(vb::vbCancel);
    EXPECT_EQ(U::ReportaError(e, std::nullopt, QString("Cfg")), vb::vbCancel);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              "Ha ocurrido el Siguiente Error (-2147467259) Error no especificado");
    EXPECT_EQ(responder->shown[0].title, " - Cfg Aviso al operador!!! ");
}

TEST(ClsUtilidades, PasswordEncodingRoundTripsAndAvoidsTheFileSeparators) {
    const QStringList claves = {"",
                                "sa",
                                "sa",
                                " con blancos ",
                                QString::fromUtf8("contraseña"),
                                QString::fromUtf8("ÁÉÍÓÚ ü € ñ"),
                                "a,b\"c\r\nd'e;f",
                                QString::fromUtf8("emoji 🙂 y 中文"),
                                QString(QChar(0)) + "x",
                                QString(300, QChar('z'))};
    for (const QString& c : claves) {
        const QString cod = U::CodificaClave(c);
        EXPECT_EQ(U::DecodificaClave(cod), c) << c.toStdString();
        EXPECT_EQ(cod, cod.trimmed());
        for (QChar ch : QStringLiteral(",\"\r\n"))
            EXPECT_FALSE(cod.contains(ch)) << c.toStdString();
        // It survives a Windows-1252 text file unchanged.
        EXPECT_EQ(quindel2::decodeWindows1252(quindel2::encodeWindows1252(cod)), cod);
        if (!c.isEmpty()) {
            EXPECT_NE(cod, c);
        }
    }
    EXPECT_NE(U::CodificaClave("clave1"), U::CodificaClave("clave2"));
    // A clear password typed into the file by hand still reads as itself.
    EXPECT_EQ(U::DecodificaClave("sa"), "sa");
    EXPECT_EQ(U::DecodificaClave("abc"), "abc");
}

// Whatever the password holds and however the string quotes it, none of it
// reaches the log.
TEST(Quindel2, MaskPasswordsHidesTheWholeValue) {
    const std::pair<const char*, const char*> casos[] = {
        {"Server=s;Pwd=clave;Uid=u", "Server=s;Pwd=***;Uid=u"},
        {"PWD={p;w={x}}}}};UID=u", "PWD=***;UID=u"},
        {"PWD={a}}b};UID=u", "PWD=***;UID=u"},
        {"Password=\"ab;cd\";User Id=u", "Password=***;User Id=u"},
        {"Password=\"a\"\"b;c\";User Id=u", "Password=***;User Id=u"},
        {"Password='x;y';User Id=u", "Password=***;User Id=u"},
        {"Password=;User Id=u", "Password=;User Id=u"},
    };
    for (const auto& [texto, esperado] : casos)
        EXPECT_EQ(quindel2::maskPasswords(QString::fromLatin1(texto)),
                  QString::fromLatin1(esperado))
            << texto;
}

TEST(ClsEntorno, UserNameComesFromTheEnvironmentOrTheAccount) {
    const QByteArray saved = qgetenv("USER");
    qputenv("USER", "operador1");
    EXPECT_EQ(ClsEntorno::UsuarioWindows(), "operador1");
    qunsetenv("USER");
    EXPECT_FALSE(ClsEntorno::UsuarioWindows().isEmpty());
    if (!saved.isNull())
        qputenv("USER", saved);
}

} // namespace
