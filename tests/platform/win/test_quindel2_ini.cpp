#include "platform/vb/vb.h"
#include "platform/win/clsini.h"
#include "platform/win/quindel2.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        vb::setAppPath(dir.path());
    }
    void TearDown() override { vb::setAppPath(QString()); }

    QString path(const QString& name) const { return dir.filePath(name); }
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QByteArray readBytes(const QString& name) const {
        QFile f(path(name));
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return f.readAll();
    }

    QTemporaryDir dir;
};

// What another program of the suite leaves on disk: CR LF, Windows-1252
// accents, comments, blanks around names and values, quotes, repeats.
const QByteArray kSuiteFile = "; Configuraci\xf3n del sistema\r\n"
                              "huerfana=antes de toda seccion\r\n"
                              "\r\n"
                              "[General]\r\n"
                              "FlatToolbars=SI\r\n"
                              "  Empresa  =   Ca\xf1"
                              "ada S.A.  \r\n"
                              "Citado=\"  con blancos  \"\r\n"
                              "Vacia=\r\n"
                              ";Comentada=1\r\n"
                              "\r\n"
                              "[ SERVIDOR01|juan ]\r\n"
                              "Skin=Azul\r\n"
                              "Skin=Rojo\r\n"
                              "[Iconos]\r\n"
                              "IconoDelSistema=C:\\Quindel\\A\xf1o.ico\r\n"
                              "[general]\r\n"
                              "FlatToolbars=NO\r\n";

TEST_F(IniTest, ReadsAFileOfTheSuiteAsWindowsDoes) {
    writeBytes("CN000p.INI", kSuiteFile);
    // Names without regard to case or surrounding blanks; values trimmed.
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "GENERAL", "flattoolbars", "x"), "SI");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "general", "EMPRESA", "x"),
              QString::fromUtf8("Cañada S.A."));
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "Citado", "x"), "  con blancos  ");
    // Present but empty is not absent.
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "Vacia", "x"), "");
    // Per PC and user sections are plain names; the first repeat wins.
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "servidor01|JUAN", "skin", "x"), "Azul");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "Iconos", "IconoDelSistema", ""),
              QString::fromUtf8("C:\\Quindel\\Año.ico"));
}

TEST_F(IniTest, AbsentFileSectionKeyOrCommentGiveTheDefault) {
    writeBytes("CN000p.INI", kSuiteFile);
    EXPECT_EQ(ClsIni::LeeIni("NOEXISTE.INI", "General", "FlatToolbars", "def"), "def");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "Otra", "FlatToolbars", "def"), "def");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "Skin", "def"), "def");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "Comentada", "def"), "def");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "huerfana", "def"), "def");
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "Nada"), "");
}

TEST_F(IniTest, BareNameLivesInTheProgramFolderAndLetterCaseOfTheFileIgnored) {
    writeBytes("cn000P.ini", "[Iconos]\r\nIconoDelSistema=x.ico\r\n");
    EXPECT_EQ(ClsIni::RutaIni("CN000p.INI"), path("cn000P.ini"));
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "Iconos", "IconoDelSistema"), "x.ico");
    ASSERT_TRUE(ClsIni::GrabaIni("CN000P.INI", "Iconos", "Otro", "y"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"cn000P.ini"});
    EXPECT_EQ(ClsIni::LeeIni(path("cn000p.ini"), "iconos", "otro"), "y");
}

TEST_F(IniTest, OverwriteKeepsEveryOtherLineAndItsBytes) {
    writeBytes("CN000p.INI", kSuiteFile);
    ASSERT_TRUE(ClsIni::GrabaIni("CN000p.INI", "GENERAL", "flattoolbars", "NO"));
    QByteArray expected = kSuiteFile;
    // The first [General]'s key keeps its spelling; the repeat stays untouched.
    expected.replace("[General]\r\nFlatToolbars=SI\r\n", "[General]\r\nFlatToolbars=NO\r\n");
    EXPECT_EQ(readBytes("CN000p.INI"), expected);
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "General", "Empresa"), QString::fromUtf8("Cañada S.A."));
}

TEST_F(IniTest, NewKeyGoesAtTheEndOfItsSectionAndNewSectionAtTheEnd) {
    writeBytes("CN000p.INI", "[A]\r\nuno=1\r\n\r\n[B]\r\ndos=2\r\n");
    ASSERT_TRUE(ClsIni::GrabaIni("CN000p.INI", "a", "Ajuste(TC)", QString::fromUtf8("Ñ1")));
    ASSERT_TRUE(ClsIni::GrabaIni("CN000p.INI", "PC1|ana", "Mostrar Treeview", "True"));
    EXPECT_EQ(readBytes("CN000p.INI"), QByteArray("[A]\r\nuno=1\r\nAjuste(TC)=\xd1"
                                                  "1\r\n\r\n[B]\r\ndos=2\r\n"
                                                  "[PC1|ana]\r\nMostrar Treeview=True\r\n"));
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "A", "AJUSTE(TC)"), QString::fromUtf8("Ñ1"));
    EXPECT_EQ(ClsIni::LeeIni("CN000p.INI", "pc1|ANA", "mostrar treeview"), "True");
}

TEST_F(IniTest, WritingCreatesTheFileWithWindowsLineEndsAndKeepsUnixOnes) {
    ASSERT_TRUE(ClsIni::GrabaIni("NUEVO.INI", "S", "k", "v"));
    EXPECT_EQ(readBytes("NUEVO.INI"), QByteArray("[S]\r\nk=v\r\n"));

    writeBytes("unix.ini", "[S]\nk=v");
    ASSERT_TRUE(ClsIni::GrabaIni("unix.ini", "S", "k2", "v2"));
    EXPECT_EQ(readBytes("unix.ini"), QByteArray("[S]\nk=v\nk2=v2\n"));

    EXPECT_FALSE(ClsIni::GrabaIni(path("no/such/folder/x.ini"), "S", "k", "v"));
}

TEST(Windows1252, TextFilesRoundTripAndMissingCharactersBecomeQuestionMarks) {
    EXPECT_EQ(quindel2::encodeWindows1252(QString::fromUtf8("año €")), QByteArray("a\xf1o \x80"));
    EXPECT_EQ(quindel2::decodeWindows1252("Espa\xf1"
                                          "a \x80"),
              QString::fromUtf8("España €"));
    EXPECT_EQ(quindel2::encodeWindows1252(QString::fromUtf8("a✓b")), QByteArray("a?b"));

    QTemporaryDir dir;
    const QString p = dir.filePath("BASES.TXT");
    ASSERT_TRUE(quindel2::writeTextFile(p, QString::fromUtf8("línea 1\r\n")));
    ASSERT_TRUE(quindel2::writeTextFile(p, QString::fromUtf8("ñandú\r\n"), true));
    EXPECT_EQ(quindel2::readTextFile(p), QString::fromUtf8("línea 1\r\nñandú\r\n"));
    // The original program's separators and letter case reach the same file.
    EXPECT_EQ(quindel2::readTextFile(QString(p).replace('/', '\\').replace("BASES", "bases")),
              QString::fromUtf8("línea 1\r\nñandú\r\n"));
    EXPECT_FALSE(quindel2::readTextFile(dir.filePath("NADA.TXT")).has_value());
}

} // namespace
