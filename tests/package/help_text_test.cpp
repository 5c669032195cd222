// Help texts read back into their parts, and those parts as roff: the
// shapes the programs' help texts take, and text roff would misread.
#include "help_text.h"
#include "man_page.h"
#include "support/test_registry.h"

#include <QTest>

namespace {

// One block in a line: "P:text", "H:heading", or "I:term=text|term=text".
QStringList described(const helppages::HelpText& help) {
    QStringList blocks;
    for (const auto& block : help.blocks) {
        if (block.kind == helppages::HelpBlock::Items) {
            QStringList items;
            for (const auto& item : block.items)
                items << QString::fromStdString(item.term + "=" + item.text);
            blocks << "I:" + items.join('|');
        } else {
            blocks << QString(block.kind == helppages::HelpBlock::Heading ? "H:" : "P:") +
                          QString::fromStdString(block.text);
        }
    }
    return blocks;
}

} // namespace

class HelpTextTest : public QObject {
    Q_OBJECT

  private slots:
    void readsTheParts_data() {
        QTest::addColumn<QString>("help");
        QTest::addColumn<QStringList>("usage");
        QTest::addColumn<QStringList>("blocks");
        QTest::newRow("synopses, each naming the program")
            << "usage: p a X\n       p b [-y]\n\nWhat it does,\nin two lines.\n"
            << QStringList{"p a X", "p b [-y]"} << QStringList{"P:What it does, in two lines."};
        QTest::newRow("one synopsis over two lines")
            << "Usage: p [A] [--b N]\n         [--c]\n"
            << QStringList{"p [A] [--b N] [--c]"} << QStringList{};
        QTest::newRow("a heading and its items")
            << "usage: p\n\nOptions:\n  -v, --verbose   talk\n                  a lot\n  --x N  "
               "the x\n"
            << QStringList{"p"}
            << QStringList{"H:Options", "I:-v, --verbose=talk a lot|--x N=the x"};
        QTest::newRow("a term too long for its column")
            << "usage: p\n\n  --calibration-mode\n                  accept it\n"
            << QStringList{"p"} << QStringList{"I:--calibration-mode=accept it"};
        QTest::newRow("a heading with a paragraph, then items")
            << "usage: p\n\nExit status:\n0 done; 2 usage.\n  --k K  fault\n"
            << QStringList{"p"}
            << QStringList{"H:Exit status", "P:0 done; 2 usage.", "I:--k K=fault"};
        QTest::newRow("a paragraph after items")
            << "usage: p\n\n  a  b\n\nMore: c.\n"
            << QStringList{"p"} << QStringList{"I:a=b", "P:More: c."};
    }
    void readsTheParts() {
        QFETCH(QString, help);
        QFETCH(QStringList, usage);
        QFETCH(QStringList, blocks);
        const helppages::HelpText text = helppages::parseHelp(help.toStdString());
        QStringList synopses;
        for (const std::string& line : text.usage)
            synopses << QString::fromStdString(line);
        QCOMPARE(synopses, usage);
        QCOMPARE(described(text), blocks);
    }

    void namesATermsOptions_data() {
        QTest::addColumn<QString>("term");
        QTest::addColumn<QStringList>("names"); // name=value
        QTest::newRow("alone") << "--json" << QStringList{"--json="};
        QTest::newRow("with a value") << "--lang zh|en" << QStringList{"--lang=zh|en"};
        QTest::newRow("two spellings") << "-v, --verbose" << QStringList{"-v=", "--verbose="};
        QTest::newRow("an operand") << "FILE.dat" << QStringList{"FILE.dat="};
    }
    void namesATermsOptions() {
        QFETCH(QString, term);
        QFETCH(QStringList, names);
        QStringList found;
        for (const auto& name : helppages::termNames(term.toStdString()))
            found << QString::fromStdString(name.name + "=" + name.value);
        QCOMPARE(found, names);
    }

    // Text that roff would take for a request or an escape is printed as it
    // stands.
    void roffPrintsTheTextAsItStands_data() {
        QTest::addColumn<QString>("paragraph");
        QTest::addColumn<QString>("roff");
        QTest::newRow("a line starting with a dot") << ".dat files"
                                                    << "\\&.dat files";
        QTest::newRow("a line starting with a quote") << "'E' ends"
                                                      << "\\&'E' ends";
        QTest::newRow("a backslash") << "C:\\radio"
                                     << "C:\\eradio";
    }
    void roffPrintsTheTextAsItStands() {
        QFETCH(QString, paragraph);
        QFETCH(QString, roff);
        helppages::ManPage page{"p", "does", "P 1", "2026-12-08", {}, {}};
        page.help.usage = {"p"};
        page.help.blocks.push_back({helppages::HelpBlock::Paragraph, paragraph.toStdString(), {}});
        const QString text = QString::fromStdString(helppages::manPageText(page));
        QVERIFY2(text.contains("\n.PP\n" + roff + "\n"), qPrintable(text));
    }
};

TQ_REGISTER_TEST(HelpTextTest);

#include "help_text_test.moc"
