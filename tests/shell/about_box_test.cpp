// The Help menu: the About box in both languages, its clicks and keys, and
// the help file handed to the desktop.
#include "shell/about_box.h"
#include "support/program_fixture.h"
#include "support/test_registry.h"
#include "words/program_version.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QTest>

class AboutBoxTest : public QObject {
    Q_OBJECT

    QList<QUrl> m_opened;

    static QDialog* openAbout(ProgramFixture& p) {
        p.window->findChild<QAction*>("MNAbout")->trigger();
        auto* box = p.window->findChild<QDialog*>("FrmAbout");
        // Its window counts as active with its owner's; wait for the box.
        return box && QTest::qWaitFor([box] { return box->isActiveWindow(); }) ? box : nullptr;
    }
    static QLabel* label(QDialog* box, const char* name) { return box->findChild<QLabel*>(name); }

  public slots:
    // Stands in for the desktop: records what the program asked to open.
    void openUrl(const QUrl& url) { m_opened << url; }

  private slots:
    void initTestCase() {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::setUrlHandler(scheme, this, "openUrl");
    }
    void cleanupTestCase() {
        for (const char* scheme : {"http", "https", "file"})
            QDesktopServices::unsetUrlHandler(scheme);
    }
    void init() { m_opened.clear(); }

    void textsFollowTheLanguage_data() {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("company");
        QTest::addColumn<QString>("licence"); // the copyright's second line
        QTest::newRow("Chinese") << 0 << "帮助"
                                 << "TQ-305 对讲机编程软件"
                                 << "简体中文版 V" TQ_PROGRAM_VERSION
                                 << "TQ-305 CloneDesk 开发组出品 · 访问主页"
                                 << "自由软件，依 GNU GPL 第 3 版或更新版本发布";
        QTest::newRow("English") << 1 << "Help"
                                 << "TQ-305 Interphone Software"
                                 << "English edition V" TQ_PROGRAM_VERSION
                                 << "Made by the TQ-305 CloneDesk developers · visit the home page"
                                 << "Free software under the GNU GPL, version 3 or later";
    }
    void textsFollowTheLanguage() {
        QFETCH(int, language);
        QFETCH(QString, caption);
        QFETCH(QString, title);
        QFETCH(QString, version);
        QFETCH(QString, company);
        QFETCH(QString, licence);
        ProgramFixture p(language);
        QDialog* box = openAbout(p);
        QVERIFY(box && box->isVisible());
        QVERIFY(box->isModal());
        QCOMPARE(box->windowTitle(), caption);
        QCOMPARE(label(box, "lblTitle")->text(), title);
        QCOMPARE(label(box, "lblVersion")->text(), version);
        QCOMPARE(label(box, "lblCompany")->text(), company);
        QCOMPARE(label(box, "lblCopyR")->text(), "Copyright © 2026 TQ-305 CloneDesk\n" + licence);
        QVERIFY(!label(box, "Image1")->pixmap().isNull());
        QCOMPARE(box->windowIcon().cacheKey(), p.form->windowIcon().cacheKey());
        // Every text shows whole, whichever language sized the box first.
        for (auto* l : box->findChildren<QLabel*>())
            for (const QString& line : l->text().split('\n', Qt::SkipEmptyParts))
                QVERIFY2(l->contentsRect().width() >= l->fontMetrics().horizontalAdvance(line),
                         qPrintable(l->objectName()));
    }

    void clicks_data() {
        QTest::addColumn<QString>("target"); // empty: the background
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("opensPage");
        QTest::newRow("background") << "" << true << false;
        QTest::newRow("title") << "lblTitle" << false << false;
        QTest::newRow("version") << "lblVersion" << false << false;
        QTest::newRow("copyright") << "lblCopyR" << false << false;
        QTest::newRow("picture") << "Image1" << false << false;
        QTest::newRow("credit line") << "lblCompany" << false << true;
    }
    void clicks() {
        QFETCH(QString, target);
        QFETCH(bool, closes);
        QFETCH(bool, opensPage);
        ProgramFixture p;
        QDialog* box = openAbout(p);
        QVERIFY(box);
        if (target.isEmpty())
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, 4));
        else
            QTest::mouseClick(box->findChild<QWidget*>(target), Qt::LeftButton);
        QCOMPARE(box->isVisible(), !closes);
        QCOMPARE(m_opened, opensPage ? QList<QUrl>{shell::AboutBox::makerPage()} : QList<QUrl>{});
        box->close();
    }

    // Ctrl+A reaches the About box from the channel table, where it could
    // otherwise select the table's cells.
    void shortcutOpensTheBox() {
        ProgramFixture p;
        p.grid->setFocus();
        QTest::keyClick(p.grid, Qt::Key_A, Qt::ControlModifier);
        auto* box = p.window->findChild<QDialog*>("FrmAbout");
        QVERIFY(box->isVisible());
        box->close();
    }

    void keys() {
        ProgramFixture p;
        QDialog* box = openAbout(p);
        QVERIFY(box);
        QWidget* company = box->findChild<QWidget*>("lblCompany");
        QCOMPARE(QApplication::focusWidget(), company);
        QTest::keyClick(company, Qt::Key_Return);
        QCOMPARE(m_opened, QList<QUrl>{shell::AboutBox::makerPage()});
        QVERIFY(box->isVisible());
        QTest::keyClick(company, Qt::Key_Escape);
        QVERIFY(!box->isVisible());
    }

    void helpFileGoesToTheDesktop() {
        ProgramFixture p;
        auto* f1 = p.window->findChild<QAction*>("MNF1");
        QVERIFY(!f1->isVisible() && !f1->isEnabled());
        f1->setEnabled(true);
        f1->trigger();
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(
                               QDir(p.window->programFolder()).filePath("PL482.CHM"))});
    }

    // Without a handler the desktop cannot open it, and the program shows
    // nothing of its own.
    void helpFileFailureShowsNothing() {
        QDesktopServices::unsetUrlHandler("file");
        ProgramFixture p;
        auto* f1 = p.window->findChild<QAction*>("MNF1");
        f1->setEnabled(true);
        f1->trigger();
        QDesktopServices::setUrlHandler("file", this, "openUrl");
        for (QWidget* w : QApplication::topLevelWidgets())
            QVERIFY2(w == p.window.get() || !w->isVisible(), qPrintable(w->objectName()));
    }
};

TQ_REGISTER_TEST(AboutBoxTest);
#include "about_box_test.moc"
