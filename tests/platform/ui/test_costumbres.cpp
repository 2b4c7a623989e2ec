// What every window does as the users' Windows program did, on a machine in
// the C locale (the test runs under LC_ALL=C.UTF-8): Qt's own texts in
// Spanish, Enter on a focused command button, lists that open under their box.

#include "platform/ui/widgets.h"
#include "platform/win/clsutilidades.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

TEST(Costumbres, TheDateChooserSpeaksSpanishOnACLocaleMachine) {
    ASSERT_EQ(QLocale::system().language(), QLocale::C);
    QString mes, diaSemana;
    QStringList botones;
    bool cancelada = false;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        auto* calendario = dialogo->findChild<QCalendarWidget*>();
        ASSERT_NE(calendario, nullptr);
        auto* boton =
            calendario->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
        ASSERT_NE(boton, nullptr);
        mes = boton->text();
        auto* vista = calendario->findChild<QAbstractItemView*>();
        ASSERT_NE(vista, nullptr);
        // Row 0 holds the day names, from the first day of the week on.
        diaSemana = vista->model()->index(0, 1).data().toString();
        for (QAbstractButton* b : dialogo->findChild<QDialogButtonBox*>()->buttons())
            botones << b->text();
        QTest::keyClick(calendario, Qt::Key_Escape);
        cancelada = !dialogo->isVisible();
        if (!cancelada)
            dialogo->reject();
    });
    QString fecha = QStringLiteral("15/03/2024");
    EXPECT_FALSE(ClsUtilidades::PideFecha(fecha));
    EXPECT_EQ(mes, QStringLiteral("marzo"));
    EXPECT_EQ(diaSemana, QStringLiteral("lun"));
    botones.sort();
    EXPECT_EQ(botones, QStringList({QStringLiteral("Aceptar"), QStringLiteral("Cancelar")}));
    EXPECT_TRUE(cancelada) << "Escape cancels the dialog";
    EXPECT_EQ(fecha, QStringLiteral("15/03/2024"));
}

// Enter on the focused button, by kind of button and where it stands.
TEST(Costumbres, EnterPressesTheFocusedCommandButtonOnce) {
    struct Caso {
        const char* nombre;
        bool enDialogo, habilitado, marcable;
        int pulsaciones;
    };
    const std::vector<Caso> casos = {
        {"a button of a main window", false, true, false, 1},
        {"a button of a dialog", true, true, false, 1},
        {"a disabled button", false, false, false, 0},
        {"a toggle button keeps its state", false, true, true, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        std::unique_ptr<QWidget> ventana(c.enDialogo ? new QDialog : new QWidget);
        auto* boton = new QPushButton(QStringLiteral("&Generar"), ventana.get());
        auto* otro = new QPushButton(QStringLiteral("Otro"), ventana.get());
        (new QVBoxLayout(ventana.get()))->addWidget(boton);
        ventana->layout()->addWidget(otro);
        boton->setCheckable(c.marcable);
        int pulsado = 0;
        QObject::connect(boton, &QPushButton::clicked, [&] { ++pulsado; });
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
        boton->setFocus();
        boton->setEnabled(c.habilitado);
        QTest::keyClick(boton, Qt::Key_Return);
        QTest::keyClick(boton, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(pulsado, 2 * c.pulsaciones);
        EXPECT_FALSE(boton->isChecked());
    }
}

TEST(Costumbres, AListOpensUnderItsBoxAtMostTwentyRowsHigh) {
    QWidget ventana;
    auto* lista = new QComboBox(&ventana);
    auto* corta = new QComboBox(&ventana);
    (new QVBoxLayout(&ventana))->addWidget(lista);
    ventana.layout()->addWidget(corta);
    for (int i = 0; i < 300; ++i)
        lista->addItem(QString::number(i));
    corta->addItems({QStringLiteral("Ninguno"), QStringLiteral("Efectivo")});
    corta->setMaxVisibleItems(5);
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    EXPECT_EQ(lista->maxVisibleItems(), ui::kFilasLista);
    EXPECT_EQ(corta->maxVisibleItems(), 5) << "a window's own choice stays";
    lista->showPopup();
    const int fila = lista->view()->sizeHintForRow(0);
    EXPECT_LE(lista->view()->height(), (ui::kFilasLista + 1) * fila);
    EXPECT_GE(lista->view()->height(), (ui::kFilasLista - 1) * fila);
    lista->hidePopup();
}

TEST(Costumbres, TheRunHasAPrivateRuntimeFolder) {
    // The test program set it up before its application, as the programs do.
    const QFileInfo carpeta(qEnvironmentVariable("XDG_RUNTIME_DIR"));
    ASSERT_TRUE(carpeta.isDir());
    EXPECT_EQ(carpeta.ownerId(), ::getuid());
    EXPECT_EQ(carpeta.permissions() & (QFile::ReadGroup | QFile::ReadOther | QFile::WriteGroup |
                                       QFile::WriteOther | QFile::ExeGroup | QFile::ExeOther),
              QFile::Permissions());
}

} // namespace
