#include "platform/vb/msgbox.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

// Installs a fresh scripted responder for one test and puts the previous one back.
class MsgBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        script = std::make_shared<ScriptedResponder>();
        previous = setDialogResponder(script);
    }
    void TearDown() override { setDialogResponder(previous); }

    std::shared_ptr<ScriptedResponder> script;
    std::shared_ptr<DialogResponder> previous;
};

TEST_F(MsgBoxTest, AnswersFromTheQueueAndRecordsExactTexts) {
    script->answerMsg(vbNo);
    script->answerMsg(vbRetry);
    const QString prompt = QStringLiteral("¿Realmente desea Cancelar el Proceso?");
    EXPECT_EQ(MsgBox(prompt, vbYesNo + vbQuestion), vbNo);
    EXPECT_EQ(MsgBox(QStringLiteral("Totales Incorrectos!!") + vbCrLf + "Corrija el asiento",
                     vbAbortRetryIgnore + vbCritical, QStringLiteral("Aviso al operador")),
              vbRetry);
    ASSERT_EQ(script->shown.size(), 2u);
    EXPECT_FALSE(script->shown[0].isInput);
    EXPECT_EQ(script->shown[0].prompt, prompt);
    EXPECT_EQ(script->shown[0].title, QString());
    EXPECT_EQ(script->shown[0].buttons, vbYesNo + vbQuestion);
    EXPECT_EQ(script->shown[1].prompt,
              QStringLiteral("Totales Incorrectos!!\r\nCorrija el asiento"));
    EXPECT_EQ(script->shown[1].title, QStringLiteral("Aviso al operador"));
    EXPECT_EQ(script->unexpected, 0);
    EXPECT_TRUE(script->msgAnswers.empty());
}

TEST_F(MsgBoxTest, EmptyQueueAnswersTheFirstButtonAndCountsIt) {
    EXPECT_EQ(MsgBox(QStringLiteral("a"), vbOKOnly), vbOK);
    EXPECT_EQ(MsgBox(QStringLiteral("b"), vbOKCancel), vbOK);
    EXPECT_EQ(MsgBox(QStringLiteral("c"), vbAbortRetryIgnore + vbCritical), vbAbort);
    EXPECT_EQ(MsgBox(QStringLiteral("d"), vbYesNoCancel), vbYes);
    EXPECT_EQ(MsgBox(QStringLiteral("e"), vbYesNo + vbExclamation + vbDefaultButton2), vbYes);
    EXPECT_EQ(MsgBox(QStringLiteral("f"), vbRetryCancel), vbRetry);
    EXPECT_EQ(script->unexpected, 6);
    EXPECT_EQ(script->messages(), QStringList({"a", "b", "c", "d", "e", "f"}));
}

TEST_F(MsgBoxTest, InputBoxAnswersAndRecords) {
    script->answerInput(QStringLiteral("12,5"));
    EXPECT_EQ(InputBox(QStringLiteral("Cantidad"), QStringLiteral("Ingreso"), QStringLiteral("1")),
              QStringLiteral("12,5"));
    EXPECT_EQ(InputBox(QStringLiteral("Otra"), QString(), QStringLiteral("por defecto")),
              QStringLiteral("por defecto"));
    EXPECT_EQ(script->unexpected, 1);
    ASSERT_EQ(script->shown.size(), 2u);
    EXPECT_TRUE(script->shown[0].isInput);
    EXPECT_EQ(script->shown[0].prompt, QStringLiteral("Cantidad"));
    EXPECT_EQ(script->shown[0].title, QStringLiteral("Ingreso"));
    EXPECT_EQ(script->shown[0].defaultText, QStringLiteral("1"));
    MsgBox(QStringLiteral("solo mensajes"));
    EXPECT_EQ(script->messages(), QStringList({"solo mensajes"}));
}

TEST_F(MsgBoxTest, SetDialogResponderReturnsThePreviousOne) {
    auto other = std::make_shared<ScriptedResponder>();
    EXPECT_EQ(setDialogResponder(other), script);
    other->answerMsg(vbCancel);
    EXPECT_EQ(MsgBox(QStringLiteral("x"), vbOKCancel), vbCancel);
    EXPECT_TRUE(script->shown.empty());
    EXPECT_EQ(setDialogResponder(script), other);
}

// Without the widget layer (a tool, these tests) nobody can answer: each box
// takes its default button and an input box its default text, never blocking.
TEST_F(MsgBoxTest, WithoutWidgetsBoxesTakeTheirDefaultAnswer) {
    setDialogResponder(nullptr);
    const struct {
        int style;
        int answer;
    } cases[] = {
        {vbOKOnly, vbOK},
        {vbYesNo + vbQuestion, vbYes},
        {vbYesNo + vbQuestion + vbDefaultButton2, vbNo},
        {vbAbortRetryIgnore + vbCritical + vbDefaultButton3, vbIgnore},
        {vbRetryCancel + vbDefaultButton3, vbCancel}, // past the last button: the last
    };
    for (const auto& c : cases)
        EXPECT_EQ(MsgBox(QStringLiteral("sin ventanas"), c.style), c.answer) << c.style;
    EXPECT_EQ(InputBox(QStringLiteral("Cantidad"), QString(), QStringLiteral("7")),
              QStringLiteral("7"));
    EXPECT_TRUE(script->shown.empty());
}

} // namespace
