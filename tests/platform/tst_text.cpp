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
    void fileTextToQt() {
        const std::pair<QByteArray, QString> cases[] = {
            {"plot.dat", "plot.dat"},
            {"Messung_\xC3\x84.dat", "Messung_\u00C4.dat"}, // UTF-8
            // 0xC4 alone is no UTF-8: the whole text is read as Latin-1, where 0xC4 is the same letter.
            {"Messung_\xC4.dat", "Messung_\u00C4.dat"},
            {"T (\xB0"
             "C)",
             "T (\u00B0C)"}, // the degree sign in Latin-1
            {"", ""},
        };
        for (const auto& [bytes, shown] : cases)
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
