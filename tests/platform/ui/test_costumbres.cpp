// What every window does as the users' Windows program did, on a machine in
// the C locale (the tests' main sets LC_ALL=C.UTF-8).

#include "platform/ui/widgets.h"
#include "platform/win/clsutilidades.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// Qt's own texts in Spanish; Escape cancels the dialog.
TEST(Costumbres, TheDateChooserSpeaksSpanish) {
    ASSERT_EQ(QLocale::system().language(), QLocale::C);
    QStringList vistos;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        auto* calendario = dialogo->findChild<QCalendarWidget*>();
        vistos
            << calendario->findChild<QToolButton*>("qt_calendar_monthbutton")->text()
            << calendario->findChild<QAbstractItemView*>()->model()->index(0, 1).data().toString();
        for (QAbstractButton* b : dialogo->findChild<QDialogButtonBox*>()->buttons())
            vistos << b->text();
        QTest::keyClick(calendario, Qt::Key_Escape);
    });
    QString fecha = QStringLiteral("15/03/2024");
    EXPECT_FALSE(ClsUtilidades::PideFecha(fecha));
    EXPECT_EQ(vistos.join(u'|'), QStringLiteral("marzo|lun|Aceptar|Cancelar"));
}

// Enter on the focused button, in a main window or a dialog; never on a
// disabled or a toggle button.
TEST(Costumbres, EnterPressesTheFocusedCommandButtonOnce) {
    for (const auto& [dialogo, habilitado, marcable, veces] : {std::tuple{false, true, false, 1},
                                                               {true, true, false, 1},
                                                               {false, false, false, 0},
                                                               {false, true, true, 0}}) {
        std::unique_ptr<QWidget> ventana(dialogo ? new QDialog : new QWidget);
        auto* boton = new QPushButton(QStringLiteral("&Generar"), ventana.get());
        (new QVBoxLayout(ventana.get()))->addWidget(boton);
        boton->setCheckable(marcable);
        int pulsado = 0;
        QObject::connect(boton, &QPushButton::clicked, [&] { ++pulsado; });
        ventana->show();
        ventana->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(ventana.get()));
        boton->setFocus();
        boton->setEnabled(habilitado);
        QTest::keyClick(boton, Qt::Key_Return);
        QTest::keyClick(boton, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(pulsado, 2 * veces) << dialogo << habilitado << marcable;
        EXPECT_FALSE(boton->isChecked());
    }
}

TEST(Costumbres, AListOpensUnderItsBoxAtMostTwentyRowsHigh) {
    QWidget ventana;
    auto* lista = new QComboBox(&ventana);
    for (int i = 0; i < 300; ++i)
        lista->addItem(QString::number(i));
    ventana.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&ventana));
    lista->showPopup();
    const int fila = lista->view()->sizeHintForRow(0);
    EXPECT_LE(lista->view()->height(), (ui::kFilasLista + 1) * fila);
    EXPECT_GE(lista->view()->height(), (ui::kFilasLista - 1) * fila);
    lista->hidePopup();
}

// A button that the program gives the focus shows it, as after a Tab.
TEST(Costumbres, AButtonFocusedByTheProgramShowsItsFocus) {
    QWidget ventana;
    auto* capa = new QVBoxLayout(&ventana);
    auto* generar = new QPushButton(QStringLiteral("&Generar"));
    auto* otro = new QPushButton(QStringLiteral("Otro"));
    capa->addWidget(generar);
    capa->addWidget(otro);
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    otro->setFocus(Qt::OtherFocusReason);
    const QImage sinFoco = generar->grab().toImage();
    generar->setFocus(Qt::OtherFocusReason);
    ASSERT_TRUE(generar->hasFocus());
    EXPECT_NE(generar->grab().toImage(), sinFoco);
}

} // namespace
