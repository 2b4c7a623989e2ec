// The real message and input boxes that installWidgets() puts behind
// vb::MsgBox and vb::InputBox.

#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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
            if (QString(b->text()).remove(u'&') == text)
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
            buttons << QString(b->text()).remove(u'&');
        defaultIsNo = box->defaultButton() == button(box, QStringLiteral("No"));
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

// Each button answers its underlined letter, typed on the focused button as
// on a Windows box.
TEST_F(RealDialogTest, EachButtonAnswersItsLetter) {
    const struct {
        int buttons;
        char key;
        int answer;
    } cases[] = {
        {vbYesNo, 's', vbYes},
        {vbYesNo + vbDefaultButton2, 'S', vbYes},
        {vbYesNo, 'n', vbNo},
        {vbYesNoCancel, 'c', vbCancel},
        {vbOKCancel, 'a', vbOK},
        {vbAbortRetryIgnore, 'a', vbAbort},
        {vbAbortRetryIgnore, 'r', vbRetry},
        {vbAbortRetryIgnore, 'o', vbIgnore},
        {vbRetryCancel, 'r', vbRetry},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(1, c.key) + " " + std::to_string(c.buttons));
        bool unanswered = false;
        whenModal([&](QWidget* w) {
            QWidget* focused = w->focusWidget();
            QTest::keyClick(focused ? focused : w, c.key);
            // A letter that presses nothing must not leave the test waiting.
            QTimer::singleShot(2000, w, [w, &unanswered] {
                unanswered = true;
                qobject_cast<QDialog*>(w)->done(0);
            });
        });
        EXPECT_EQ(MsgBox(QStringLiteral("¿Continúa?"), c.buttons), c.answer);
        EXPECT_FALSE(unanswered);
    }
}

// The whole title fits the box's title bar, however short its text.
TEST_F(RealDialogTest, BoxIsAsWideAsItsTitle) {
    for (const QString& title :
         {QStringLiteral("AVISO AL OPERADOR"), QStringLiteral("Proceso Completo!"),
          QStringLiteral("Ajuste por inflación: cuenta de resultado por exposición")}) {
        SCOPED_TRACE(title.toStdString());
        int width = 0;
        whenModal([&](QWidget* w) {
            width = w->width();
            button(w, QStringLiteral("Aceptar"))->click();
        });
        MsgBox(QStringLiteral("Ok"), vbOKOnly, title);
        EXPECT_GE(width, ui::titleBarWidth(title));
    }
}

// Every box opens centred over the window that raised it, wherever that
// window stands and whatever the box's width.
TEST_F(RealDialogTest, EachBoxOpensCentredOverItsWindow) {
    QWidget window;
    window.resize(700, 500);
    window.move(40, 30);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    const QPoint centre = ui::outerGeometry(window).center();
    const std::vector<std::pair<const char*, std::function<void()>>> boxes = {
        {"message", [] { MsgBox(QStringLiteral("Código inexistente"), vbExclamation); }},
        {"question",
         [] {
             MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"),
                    vbYesNo + vbExclamation + vbDefaultButton2, QStringLiteral("ATENCIÓN!!!"));
         }},
        {"wide title",
         [] {
             MsgBox(QStringLiteral("Ok"), vbOKOnly,
                    QStringLiteral("Ajuste por inflación: cuenta de resultado por exposición"));
         }},
        {"input",
         [] {
             InputBox(QStringLiteral("INGRESE EL NUMERO DE EJERCICIO CONTABLE QUE DESEA "
                                     "AJUSTAR..."),
                      QStringLiteral("AVISO AL OPERADOR"), QStringLiteral("2023"));
         }},
    };
    for (const auto& [kind, open] : boxes) {
        SCOPED_TRACE(kind);
        QPoint boxCentre;
        QWidget* owner = nullptr;
        whenModal([&](QWidget* w) {
            boxCentre = ui::outerGeometry(*w).center();
            owner = w->parentWidget();
            w->close();
        });
        open();
        EXPECT_EQ(owner, &window);
        EXPECT_LE((boxCentre - centre).manhattanLength(), 2)
            << boxCentre.x() << "," << boxCentre.y() << " over " << centre.x() << "," << centre.y();
    }
}

} // namespace
