// One rule for file text shown anywhere (captions, labels, messages, drawn titles, file names):
// UTF-8 where the bytes are valid UTF-8, else Latin-1, the 8-bit set of older instruments.

#include "platform/StreamMessages.h"
#include "platform/Text.h"

#include <QTest>
#include <sstream>

using namespace corvex;

class TstText : public QObject {
    Q_OBJECT
  private slots:
    void fileTextToQt_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shown");
        QTest::newRow("ASCII") << QByteArray("plot.dat") << QString("plot.dat");
        QTest::newRow("UTF-8 umlaut") << QByteArray("Messung_\xC3\x84.dat") << QString("Messung_\u00C4.dat");
        // 0xC4 alone is no UTF-8: the whole text is read as Latin-1, where 0xC4 is the same letter.
        QTest::newRow("Latin-1 umlaut") << QByteArray("Messung_\xC4.dat") << QString("Messung_\u00C4.dat");
        QTest::newRow("Latin-1 degree sign") << QByteArray("T (\xB0"
                                                           "C)")
                                             << QString("T (\u00B0C)");
        QTest::newRow("empty") << QByteArray() << QString();
    }
    void fileTextToQt() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shown);
        QCOMPARE(toQString(bytes.toStdString()), shown);
    }
    // A name chosen in a dialog names the same file on disk: UTF-8, as Linux stores names.
    void fileNamesGoBackAsUtf8() {
        QCOMPARE(toFileText(QString("Messung_\u00C4.dat")), std::string("Messung_\xC3\x84.dat"));
        QCOMPARE(toFileText(toQString("Messung_\xC3\x84.dat")), std::string("Messung_\xC3\x84.dat"));
    }
    // A message as a line of text: "\n\r" breaks become "\n"; a carriage return elsewhere stays.
    void messagesAsLines() {
        std::ostringstream out;
        StreamMessages messages(out);
        messages.show("one\n\rtwo", "", MessageIcon::Exclamation);
        messages.show("\ra\rb", "Setup", MessageIcon::Exclamation);
        QCOMPARE(out.str(), std::string(kProgramTitle) + ": one\ntwo\nSetup: \ra\rb\n");
        QCOMPARE(messages.shown().front().second, std::string("one\n\rtwo")); // kept as given
    }
};

QTEST_APPLESS_MAIN(TstText)
#include "tst_text.moc"
