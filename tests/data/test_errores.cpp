// Error box and error log of the data object.

#include "data_fixture.h"

using ErroresTest = DataTest;

namespace {

ado::Error err(long number, const QString& description, const QString& source = QString()) {
    ado::Error e;
    e.Number = number;
    e.Description = description;
    e.Source = source;
    return e;
}

} // namespace

TEST_F(ErroresTest, BoxAndLogLine) {
    responder->answerMsg(vb::vbRetry);
    const int answer = gDatos().TratamientoErrores(
        err(3704, QStringLiteral("La operación no se permite si el objeto está cerrado. "),
            QStringLiteral("ADODB.Recordset")),
        std::nullopt, QStringLiteral("CierraRecordset"));
    EXPECT_EQ(answer, vb::vbRetry);
    ASSERT_EQ(responder->shown.size(), 1u);
    const QString message =
        QStringLiteral("Ha ocurrido el Siguiente Error (3704) La operación no se permite si el "
                       "objeto está cerrado.");
    EXPECT_EQ(responder->shown[0].prompt, message);
    EXPECT_EQ(responder->shown[0].title,
              QStringLiteral("ADODB.Recordset - CierraRecordset Aviso al operador!!! - 5 "));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbAbortRetryIgnore + vb::vbCritical);
    EXPECT_EQ(readLog(logPath()), QStringLiteral("03-07-2024 09:05:02 Rutina: - CierraRecordset "
                                                 "Mensaje ") +
                                      message + QStringLiteral(" Respondió : Reintentar\r\n"));
}

TEST_F(ErroresTest, AnswerWordsAndButtons) {
    const struct {
        int answer;
        const char* word;
    } words[] = {{vb::vbRetry, "Reintentar"},
                 {vb::vbIgnore, "Ignorar"},
                 {vb::vbAbort, "Abortar"},
                 {vb::vbCancel, "Cancelar"},
                 {vb::vbYes, "Sí"},
                 {vb::vbNo, "No"},
                 {vb::vbOK, ""}};
    for (const auto& w : words) {
        responder->answerMsg(w.answer);
        EXPECT_EQ(gDatos().TratamientoErrores(err(5, QStringLiteral("x")), vb::vbYesNo), w.answer);
    }
    EXPECT_EQ(responder->shown.back().buttons, vb::vbYesNo);
    const QStringList lines = readLog(logPath()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 7);
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(
            lines[i].endsWith(QStringLiteral(" Respondió : ") + QString::fromUtf8(words[i].word)))
            << lines[i].toStdString();
    // Without a routine two blanks separate "Rutina:" from "Mensaje".
    EXPECT_TRUE(lines[0].contains(QStringLiteral(" Rutina:  Mensaje Ha ocurrido")));
}

TEST_F(ErroresTest, NegativeNumbersAndZero) {
    responder->answerMsg(vb::vbAbort);
    gDatos().TratamientoErrores(
        err(ado::adErrUnspecified, QStringLiteral("Error no especificado")));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Ha ocurrido el Siguiente Error (-2147467259) Error no especificado"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral(" Aviso al operador!!! - 5 "));

    EXPECT_EQ(gDatos().TratamientoErrores(err(0, QStringLiteral("nada")), std::nullopt,
                                          QStringLiteral("X")),
              0);
    EXPECT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(readLog(logPath()).count(QStringLiteral("\r\n")), 1);
}

TEST_F(ErroresTest, LogLocation) {
    // The program folder with a separator already at its end gets no second one.
    vb::setAppPath(tempDir.path() + QLatin1Char('/'));
    responder->answerMsg(vb::vbAbort);
    responder->answerMsg(vb::vbAbort);
    gDatos().TratamientoErrores(err(7, QStringLiteral("uno")));
    EXPECT_TRUE(readLog(logPath()).contains(QStringLiteral("uno")));

    // gLogErr names another file.
    const QString other = tempDir.path() + QStringLiteral("/otro.log");
    gDatos().setArchivoErrores(other);
    EXPECT_EQ(gDatos().ArchivoErrores().toString(), other);
    gDatos().TratamientoErrores(err(7, QStringLiteral("dos")));
    EXPECT_TRUE(readLog(other).contains(QStringLiteral("dos")));
    EXPECT_FALSE(readLog(logPath()).contains(QStringLiteral("dos")));

    // A log that cannot be written costs only the line.
    gDatos().gLogErr = tempDir.path() + QStringLiteral("/no/such/folder/KQERR.LOG");
    responder->answerMsg(vb::vbIgnore);
    EXPECT_EQ(gDatos().TratamientoErrores(err(7, QStringLiteral("tres"))), vb::vbIgnore);
}
