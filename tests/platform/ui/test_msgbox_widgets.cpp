// The real message and input boxes that installWidgets() puts behind
// vb::MsgBox and vb::InputBox.

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
