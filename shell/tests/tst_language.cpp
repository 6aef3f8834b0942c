#include "placement/courtform.h"
#include "placement/dialogform.h"
#include "placement/jokerform.h"
#include "placement/photoplace.h"
#include "print/afdrukform.h"
#include "print/deckdialogs.h"
#include "print/heledeckform.h"
#include "print/rugzijde.h"
#include "project/openform.h"
#include "project/projectcommands.h"
#include "project/projectstore.h"
#include "shell/language.h"
#include "shell/mainwindow.h"
#include "shell/showform.h"
#include "surface/platform.h"
#include "surface/widgets/imagebutton.h"
#include "tests/support/printfakes.h"
#include "tests/support/testsupport.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTranslator>
#include <QXmlStreamReader>
#include <QtTest>

using namespace vellora;
using namespace Qt::StringLiterals;

namespace {

struct Message
{
    QString source, translation;
    bool finished = true;
};

// The messages of a catalogue as lupdate leaves it.
QList<Message> messagesOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QXmlStreamReader xml(&file);
    QList<Message> messages;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"source")
            messages.append({xml.readElementText(QXmlStreamReader::IncludeChildElements), {}});
        else if (xml.name() == u"translation" && !messages.isEmpty()) {
            messages.last().finished = xml.attributes().value(u"type"_s).isEmpty();
            messages.last().translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        }
    }
    return messages;
}

QStringList placesIn(const QString &text)
{
    QStringList places;
    for (const QRegularExpressionMatch &m : QRegularExpression(u"%L?\\d+"_s).globalMatch(text))
        places << m.captured();
    places.sort();
    return places;
}

// Every text a window of the main menu bar shows, by object name: the menus' and items' captions.
QMap<QString, QString> menuTexts(const Main &main)
{
    QMap<QString, QString> texts;
    for (const QAction *action : main.findChildren<QAction *>())
        if (!action->objectName().isEmpty() && !action->text().isEmpty())
            texts.insert(action->objectName(), action->text());
    return texts;
}

struct Window
{
    std::unique_ptr<QTemporaryDir> folder = test::copyOfAppData();
    NoPacer pacer;
    test::ScriptedPrompter prompter;
    test::RecordingPrintQueues printer;
    Main main{AppFolder(folder->path()), pacer, prompter, printer};
};

// Answers the save dialog with a free name, so that the deck window goes on to its own checks.
struct SavingDialogs final : DeckDialogs
{
    QTemporaryDir folder;
    std::optional<QString> pdfPath(QWidget *, const QString &) override
    {
        return folder.filePath(u"x.pdf"_s);
    }
    std::optional<PrintChoice> printer(QWidget *, const QString &) override { return std::nullopt; }
};

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Every case starts from the program as the tests run it, in Dutch, whatever the case before installed.
    void cleanup()
    {
        for (QTranslator *translator : qApp->findChildren<QTranslator *>(Qt::FindDirectChildrenOnly))
            delete translator;
    }

    void chosenFromTheSystem_data()
    {
        QTest::addColumn<QStringList>("ui");
        QTest::addColumn<bool>("english");
        QTest::newRow("en_US") << QStringList{"en-US", "en-Latn-US", "en"} << true;
        QTest::newRow("C and POSIX") << QStringList{"C"} << false;
        QTest::newRow("German alone") << QStringList{"de-DE", "de"} << true;
        QTest::newRow("German, then Dutch") << QStringList{"de", "de-DE", "nl", "nl-NL"} << false;
    }
    void chosenFromTheSystem()
    {
        QFETCH(QStringList, ui);
        QFETCH(bool, english);
        QCOMPARE(languageFor(ui) == Language::English, english);
    }

    // Every text of the sources is in the English catalogue, finished, with the same places as its source.
    void catalogueIsComplete()
    {
        QTemporaryDir scratch;
        const QString copy = scratch.filePath(u"vellora_en.ts"_s);
        QVERIFY(QFile::copy(QStringLiteral(VELLORA_CATALOGUE), copy));
        QStringList arguments{u"-silent"_s, u"-no-obsolete"_s, u"-locations"_s,
                              u"none"_s,    u"-extensions"_s,  u"cpp,h"_s};
        for (const QString &folder : QStringLiteral(VELLORA_TRANSLATED_FOLDERS).split(u','))
            arguments << QStringLiteral(VELLORA_SOURCE_DIR "/") + folder;
        arguments << u"-ts"_s << copy;
        QProcess lupdate; // it mutters about constructs of ours it need not understand
        lupdate.start(QStringLiteral(VELLORA_LUPDATE), arguments);
        QVERIFY(lupdate.waitForFinished(60000));
        QCOMPARE(lupdate.exitCode(), 0);
        const QList<Message> messages = messagesOf(copy);
        QVERIFY(messages.size() > 40);
        for (const Message &m : messages) {
            QVERIFY2(m.finished && !m.translation.isEmpty(),
                     qPrintable(u"no English for \""_s + m.source + u'"'));
            QVERIFY2(placesIn(m.source) == placesIn(m.translation), qPrintable(m.source));
        }
    }

    // Dutch is the program as it always was; English changes every caption, and each still fits its control.
    void mainWindowInEitherLanguage()
    {
        const QMap<QString, QString> dutch = menuTexts(Window().main);
        QCOMPARE(dutch.value(u"FileSave"_s), u"Vellora Opslaan"_s);
        QCOMPARE(guideOpened(), u"Beeldscherm.pdf"_s);
        QCOMPARE(installLanguage(Language::English), Language::English);
        Window english;
        const QMap<QString, QString> texts = menuTexts(english.main);
        // A plain item, a menu and a check item, each made its own way.
        const QMap<QString, QString> expected{{u"FileSave"_s, u"Save Vellora"_s},
                                              {u"Bewerken"_s, u"Edit"_s},
                                              {u"EditKlassiek"_s, u"Classic cards"_s}};
        for (auto it = expected.begin(); it != expected.end(); ++it)
            QCOMPARE(texts.value(it.key()), it.value());
        QCOMPARE(english.main.windowTitle(), u"Make Your Own Vellora[*]"_s);
        QCOMPARE(english.main.findChild<QAbstractButton *>(u"Option1(3)"_s)->text(),
                 u" Light Effect Symbols"_s);
        QCOMPARE(guideOpened(), u"Display.pdf"_s);
        fitsItsControls(english.main);
        // The deck window, whose rows were laid out for the Dutch words.
        QTemporaryDir config;
        QSettings settings(config.filePath(u"Vellora.conf"_s), QSettings::IniFormat);
        QtDeckDialogs dialogs;
        HeleDeckForm deck(english.main.document().sheet().image(), u"deck"_s, english.pacer, english.prompter,
                          AppFolder(english.folder->path()), english.printer, dialogs, settings);
        QCOMPARE(deck.windowTitle(), u"Print whole deck"_s);
        // The line under the work strip shows only for a deck printed from its sheet alone.
        deck.setPrintRecord(PrintRecord::fromSheet(english.main.document().sheet().image()));
        QVERIFY(deck.findChild<QLabel *>(u"Schermresolutie"_s)->isVisibleTo(&deck));
        fitsItsControls(deck);
    }

    // Every window the user can open, in either language: its title as the language says it, and each
    // caption fits its control. Run again at twice the scale, where the fonts are hinted on other pixels.
    void everyWindowFits_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("title");
        const struct
        {
            const char *window, *dutch, *english;
        } rows[] = {
            {"photo", "Importeer (Aas)", "Import (Ace)"},     {"joker", "Jokers plaatsen", "Place jokers"},
            {"court", "Boeren plaatsen", "Place jacks"},      {"open", "Openen Vellora", "Open Vellora"},
            {"print", "Vellora Afdrukken", "Print Vellora"},  {"backs", " Afdrukken Rugzijde", " Print Back"},
            {"show", "Show alle Vellora", "Show all Vellora"}};
        for (const auto &row : rows) {
            QTest::addRow("%s, Dutch", row.window) << QString::fromLatin1(row.window) << false << row.dutch;
            QTest::addRow("%s, English", row.window)
                << QString::fromLatin1(row.window) << true << row.english;
        }
    }
    void everyWindowFits()
    {
        QFETCH(QString, window);
        QFETCH(bool, english);
        QFETCH(QString, title);
        if (english)
            installLanguage(Language::English);
        Window w;
        const AppFolder folder(w.folder->path());
        const QImage sheet = w.main.document().sheet().image();
        PhotoPlace place(w.folder->path(), w.folder->path());
        const ProjectStore store{folder};
        ProjectCommands commands{store, w.prompter};
        std::unique_ptr<QWidget> form;
        if (window == u"photo")
            form = std::make_unique<Dialogform>(KaartSoort::Aas, place, w.pacer, w.prompter, folder);
        else if (window == u"joker")
            form = std::make_unique<JokerForm>(w.pacer, w.prompter, folder);
        else if (window == u"court")
            form = std::make_unique<CourtForm>(KaartSoort::Boer, w.pacer, w.prompter, folder);
        else if (window == u"open")
            form = std::make_unique<OpenForm>(store, commands, w.pacer, folder);
        else if (window == u"print")
            form = std::make_unique<AfdrukForm>(sheet, w.pacer, w.prompter, folder, w.printer);
        else if (window == u"backs")
            form = std::make_unique<Rugzijde>(w.pacer, w.prompter, folder, w.printer);
        else
            form = std::make_unique<Showform>(sheet, w.pacer, folder, QCursor(Qt::OpenHandCursor));
        QCOMPARE(form->windowTitle(), title);
        if (window == u"open") // a count, in the catalogue's plural forms
            QCOMPARE(form->findChild<QLabel *>(u"Label1"_s)->text(),
                     english ? u"0 projects"_s : u"0 Project(en)"_s);
        fitsItsControls(*form);
    }

    // A refusal of the print window for the backs and one of the deck window, each in its message box, in
    // English; the same in Dutch: tst_printwindows (no back), tst_shoppdf (bleed).
    void messagesInEnglish_data()
    {
        QTest::addColumn<bool>("deckWindow");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("backs, no back") << false << u"No back found in Backgrounds."_s << u" Print Back"_s;
        QTest::newRow("deck, bleed too wide")
            << true
            << u"The bleed is a size in mm from 0 to 10, such as \"3 mm\", or in inches, such as \"1/8 inch\"."_s
            << u"Print whole deck"_s;
    }
    void messagesInEnglish()
    {
        QFETCH(const bool, deckWindow);
        QFETCH(const QString, text);
        QFETCH(const QString, title);
        QCOMPARE(installLanguage(Language::English), Language::English);
        Window w;
        const auto &[folder, pacer, prompter, printer] = std::tie(w.folder, w.pacer, w.prompter, w.printer);
        QVERIFY(QDir(folder->filePath(u"Backgrounds"_s)).removeRecursively());
        if (deckWindow) {
            QSettings settings(folder->filePath(u"Vellora.conf"_s), QSettings::IniFormat);
            SavingDialogs dialogs;
            QImage cards = test::solidPicture({sheet::kWidthPixels, sheet::kHeightPixels}, Qt::white);
            HeleDeckForm deck(cards, u"deck"_s, pacer, prompter, AppFolder(folder->path()), printer, dialogs,
                              settings);
            deck.findChild<QComboBox *>(u"Afloop"_s)->setCurrentText(u"12 mm"_s);
            deck.findChild<QPushButton *>(u"DrukkerijKnop"_s)->click();
        } else {
            Rugzijde backs(pacer, prompter, AppFolder(folder->path()), printer);
            backs.findChild<ImageButton *>(u"PrintKnop"_s)->click();
        }
        QCOMPARE(prompter.shown.size(), 1);
        QCOMPARE(prompter.shown[0].text, text);
        QCOMPARE(prompter.shown[0].title, title);
    }

private:
    // The display guide the window opens, when the application folder has it.
    static QString guideOpened()
    {
        const auto folder = test::copyOfAppData();
        const QFileInfo guide(AppFolder(folder->path())
                                  .resolve(QCoreApplication::translate("Main", "\\Help\\Beeldscherm.pdf")));
        return guide.isFile() ? guide.fileName() : QString();
    }

    // A check box or option needs room for its mark as well; a push button draws its text alone.
    static void fitsItsControls(const QWidget &window)
    {
        for (const QAbstractButton *button : window.findChildren<QAbstractButton *>()) {
            if (!button->isVisibleTo(&window))
                continue;
            const bool marked = button->isCheckable() && !qobject_cast<const QPushButton *>(button);
            const int needed =
                marked ? button->sizeHint().width() : button->fontMetrics().horizontalAdvance(button->text());
            QVERIFY2(needed <= button->width(), qPrintable(button->text()));
        }
        for (const QLabel *label : window.findChildren<QLabel *>()) {
            if (!label->isVisibleTo(&window) || label->text().isEmpty())
                continue;
            if (label->wordWrap())
                QVERIFY2(label->heightForWidth(label->width()) <= label->height(), qPrintable(label->text()));
            else
                QVERIFY2(label->sizeHint().width() <= label->width(), qPrintable(label->text()));
        }
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
