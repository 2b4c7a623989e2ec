#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
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

// The real dialogs, driven by a timer that acts on the modal window.
class RealDialogTest : public ::testing::Test {
protected:
    void SetUp() override { previous = setDialogResponder(nullptr); }
    void TearDown() override { setDialogResponder(previous); }

    static void whenModal(std::function<void(QWidget*)> act) {
        auto* timer = new QTimer;
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                timer->stop();
                timer->deleteLater();
                act(w);
            }
        });
        timer->start();
    }
    static QPushButton* button(QWidget* w, const QString& text) {
        for (QPushButton* b : w->findChildren<QPushButton*>())
            if (b->text() == text)
                return b;
        return nullptr;
    }

    std::shared_ptr<DialogResponder> previous;
};

TEST_F(RealDialogTest, MessageBoxShowsButtonsIconAndReturnsTheCode) {
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList buttons;
    bool defaultIsNo = false;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        for (QAbstractButton* b : box->buttons())
            buttons << b->text();
        defaultIsNo = box->defaultButton() && box->defaultButton()->text() == "No";
        QPushButton* no = button(box, QStringLiteral("No"));
        ASSERT_NE(no, nullptr);
        no->click();
    });
    const int answer =
        MsgBox(QStringLiteral("Confirma la baja de este registro?") + vbCr + "Fin",
               vbYesNo + vbExclamation + vbDefaultButton2, QStringLiteral("Atención!"));
    EXPECT_EQ(answer, vbNo);
    EXPECT_EQ(title, QStringLiteral("Atención!"));
    EXPECT_EQ(text, QStringLiteral("Confirma la baja de este registro?\nFin"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    buttons.sort();
    EXPECT_EQ(buttons, QStringList({"No", "Sí"}));
    EXPECT_TRUE(defaultIsNo);
}

TEST_F(RealDialogTest, AbortRetryIgnoreGivesItsCodes) {
    whenModal([](QWidget* w) {
        QPushButton* b = button(w, QStringLiteral("Omitir"));
        ASSERT_NE(b, nullptr);
        b->click();
    });
    EXPECT_EQ(MsgBox(QStringLiteral("Error"), vbAbortRetryIgnore + vbCritical), vbIgnore);
}

TEST_F(RealDialogTest, InputBoxReturnsTheTextOrEmptyOnCancel) {
    whenModal([](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        dialog->setTextValue(QStringLiteral("3"));
        dialog->accept();
    });
    EXPECT_EQ(InputBox(QStringLiteral("Cantidad"), QStringLiteral("Ingreso"), QStringLiteral("1")),
              QStringLiteral("3"));
    whenModal([](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->textValue(), QStringLiteral("1"));
        dialog->reject();
    });
    EXPECT_EQ(InputBox(QStringLiteral("Cantidad"), QString(), QStringLiteral("1")), QString());
}

} // namespace
