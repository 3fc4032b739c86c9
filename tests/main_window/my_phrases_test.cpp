#include "data_folder.h"
#include "main_window/Unit1.h"
#include "main_window/file_dialog.h"
#include "main_window/find_window.h"
#include "main_window/font_substitutes.h"
#include "main_window/passing_note.h"
#include "main_window/phrase_dialog.h"
#include "main_window/phrase_grid.h"
#include "main_window/phrase_list_document.h"
#include "main_window/print_dialog.h"
#include "main_window/radio_group.h"
#include "main_window_fixture.h"
#include "mdb_export.h"
#include "modal_answer.h"
#include "pdf_text.h"
#include "phrase_data/my_phrase_file.h"

#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QHeaderView>
#include <QImage>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <algorithm>
#include <functional>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using phrase_data::LanguageField;
using phrase_data::MyPhraseFile;
using phrase_data::PhraseTexts;

namespace {

QString cellAt(const PhraseGrid& grid, int row, GridPlace place)
{
    return grid.model()->index(row, grid.logicalAt(place)).data().toString();
}

QAction* action(const TForm1& form, const char* name)
{
    return form.findChild<QAction*>(QString::fromLatin1(name));
}

void setText(PhraseDialog& dialog, LanguageField field, const QString& text)
{
    dialog.field(field)->setText(text);
}

// Runs a command that opens the phrase dialog and lets answer fill it in and close it, through
// the hook the dialog asks first, once the dialog is up.
bool answerDialog(QAction* command, const std::function<void(PhraseDialog&)>& answer)
{
    bool seen = false;
    PhraseDialog::setNextAnswer([&](PhraseDialog& dialog) {
        seen = true;
        answer(dialog);
    });
    command->trigger();
    PhraseDialog::setNextAnswer({});
    return seen;
}

// The checksum of every file under a folder, by name.
QMap<QString, QByteArray> checksums(const QString& folder)
{
    QMap<QString, QByteArray> sums;
    for (QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();) {
        QFile file(it.next());
        if (file.open(QIODevice::ReadOnly))
            sums[file.fileName()] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
    }
    return sums;
}

QString pdfText(const QString& pdf)
{
    return PdfText::read(pdf);
}

// The pages of a PDF as pdftoppm draws them, in grey, in page order; empty when it cannot.
std::vector<QImage> pdfPages(const QString& pdf, const QString& folder)
{
    QProcess tool;
    tool.start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-gray"), pdf,
                                            QDir(folder).filePath(QStringLiteral("page"))});
    if (!tool.waitForFinished(60000) || tool.exitCode() != 0) return {};
    std::vector<QImage> pages;
    const QDir dir(folder, QStringLiteral("page-*.pgm"), QDir::Name);
    for (const QString& name : dir.entryList())
        pages.emplace_back(dir.filePath(name));
    return pages;
}

// Where a page's table ends: its lowest rule, and how far that lies below the lowest line of text
// above it (the table's vertical rules aside), in pixels. A row drawn down to the page's foot
// leaves a wide gap.
struct TableFoot {
    int rule = -1;
    int gap = -1;
};

TableFoot tableFoot(const QImage& page)
{
    const int width = page.width();
    const auto dark = [&](int x, int y) { return qGray(page.pixel(x, y)) < 160; };
    const auto isRule = [&](int y) {
        int count = 0;
        for (int x = 0; x < width; ++x)
            count += dark(x, y) ? 1 : 0;
        return count > width / 2;
    };
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < page.height(); ++y) {
        if (!isRule(y)) continue;
        if (top < 0) top = y;
        bottom = y;
    }
    if (top < 0 || bottom <= top) return {};
    while (bottom > top && isRule(bottom - 1))
        --bottom;
    // The table's vertical rules run dark through nearly all its height; text never does.
    std::vector<bool> vertical(static_cast<std::size_t>(width), false);
    for (int x = 0; x < width; ++x) {
        int count = 0;
        for (int y = top; y < bottom; ++y)
            count += dark(x, y) ? 1 : 0;
        if (count * 10 >= (bottom - top) * 9)
            for (int near = std::max(0, x - 1); near <= std::min(width - 1, x + 1); ++near)
                vertical[static_cast<std::size_t>(near)] = true;
    }
    for (int y = bottom - 1; y > top; --y) {
        if (isRule(y)) return {};
        for (int x = 0; x < width; ++x)
            if (!vertical[static_cast<std::size_t>(x)] && dark(x, y)) return {bottom, bottom - 1 - y};
    }
    return {};
}

const QString Antenna = QStringLiteral("Моя антенна — диполь на крыше");
const QString AntennaEng = QStringLiteral("My antenna is a dipole on the roof");
const QString AntennaJap = QStringLiteral("アンテナは屋根の上のダイポールです。");

} // namespace

// The user's own phrases in the main window: showing them, the dialog, the commands on them,
// and printing any shown list to PDF.
class MyPhrasesTest : public QObject, MainWindowFixture {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void phraseMenuHoldsTheCommandsInOrder();
    void emptyListBeforeTheFirstSave();
    void addEditDeleteShowWhatWasSaved();
    void editAndDeleteWorkOnlyOnMyPhrases();
    void addToMyPhrasesStartsFromTheCurrentRow();
    void dialogRefusesWhatCannotBeSaved_data();
    void dialogRefusesWhatCannotBeSaved();
    void dialogNamesTheFieldsOfARowTooLong();
    void spacesAtEitherEndAreKept();
    void failedSaveKeepsTheEditInTheDialog();
    void secondCopyIsReadOnlyAndSaysWhy();
    void unreadableFileIsMovedAsideAndTheBackupOffered();
    void declinedBackupIsRestoredLater();
    void folderThatCannotBeFlushedStillSaves();
    void shippedFilesAreNeverWritten();
    void findReachesMyPhrasesOnceSaved();
    void pdfOfATopicHoldsItsCyrillicAndJapaneseText();
    void pdfOfMyPhrasesIsCaptioned();
    void exportOffersTheDocumentsFolderAndSaysWhereTheFileWent();
    void pdfTextIsTheRealText_data();
    void pdfTextIsTheRealText();
    void pdfNeverReplacesAPipeOrADevice_data();
    void pdfNeverReplacesAPipeOrADevice();
    void printAndExportWriteWhereTheDialogsSay();
    void pdfPagesEndUnderTheirLastRow_data();
    void pdfPagesEndUnderTheirLastRow();

private:
    [[nodiscard]] std::filesystem::path myFile() const { return MyPhraseFile::defaultPath(); }
    [[nodiscard]] QByteArray myFileBytes() const;
    // Saves phrases as an earlier session would have, one save each.
    void saveEarlier(const std::vector<PhraseTexts>& phrases) const;
    void show(std::unique_ptr<TForm1>& form);
    void showMyPhrases();
    void addPhrase(const QString& rus, const QString& eng, const QString& jap = {});

    std::unique_ptr<QTemporaryDir> m_home;
};

void MyPhrasesTest::initTestCase()
{
    prepareApplication();
}

void MyPhrasesTest::init()
{
    // Never the real home: a data folder of the test's own.
    m_home = std::make_unique<QTemporaryDir>();
    qputenv("XDG_DATA_HOME", m_home->path().toUtf8());
    makeForm();
    QVERIFY(exposeForm());
}

void MyPhrasesTest::cleanup()
{
    releaseForm();
    m_home.reset();
}

void MyPhrasesTest::show(std::unique_ptr<TForm1>& form)
{
    form = std::make_unique<TForm1>();
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
}

QByteArray MyPhrasesTest::myFileBytes() const
{
    QFile file(QString::fromStdString(myFile().string()));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void MyPhrasesTest::saveEarlier(const std::vector<PhraseTexts>& phrases) const
{
    MyPhraseFile earlier(myFile());
    QVERIFY(!earlier.open());
    for (const PhraseTexts& phrase : phrases)
        earlier.add(phrase);
}

void MyPhrasesTest::showMyPhrases()
{
    action(*m_form, "MyPhrasesAction")->trigger();
    QCOMPARE(m_form->shownCaption(), QStringLiteral("My phrases"));
}

void MyPhrasesTest::addPhrase(const QString& rus, const QString& eng, const QString& jap)
{
    QVERIFY(answerDialog(action(*m_form, "AddPhraseAction"), [&](PhraseDialog& dialog) {
        setText(dialog, LanguageField::Rus, rus);
        setText(dialog, LanguageField::Eng, eng);
        setText(dialog, LanguageField::Jap, jap);
        dialog.accept();
    }));
    // The next Enter opens the card of the grid's row, not the "A" button.
    QCOMPARE(m_form->focusWidget(), m_form->DBGrid1);
}

void MyPhrasesTest::phraseMenuHoldsTheCommandsInOrder()
{
    // Each group follows a separator: the list and its editing, printing, then the contact.
    const std::vector<std::pair<const char*, QKeySequence>> design{
        {"", {}},
        {"My phrases", Qt::CTRL | Qt::Key_M},
        {"Add phrase…", Qt::CTRL | Qt::Key_N},
        {"Edit phrase…", Qt::Key_F2},
        {"Delete phrase", Qt::CTRL | Qt::Key_Delete},
        {"Add to my phrases", Qt::CTRL | Qt::Key_D},
        {"Restore a backup…", {}},
        {"", {}},
        {"Print…", Qt::CTRL | Qt::Key_P},
        {"Export PDF…", Qt::CTRL | Qt::Key_E},
        {"", {}},
        {"My station…", {}},
        {"Contact panel", Qt::CTRL | Qt::SHIFT | Qt::Key_C},
        {"Keep the language pair", {}},
    };
    const auto* menu = m_form->findChild<QMenu*>(QStringLiteral("PhraseMenu"));
    QVERIFY(menu);
    QList<QAction*> items = menu->actions();
    const auto first = std::find_if(items.begin(), items.end(),
                                    [](const QAction* item) { return item->objectName() == u"MyPhrasesAction"; });
    QVERIFY(first != items.end() && first != items.begin());
    items = items.mid(first - items.begin() - 1);
    QCOMPARE(items.size(), qsizetype(design.size()));
    QString keys;
    for (std::size_t i = 0; i < design.size(); ++i) {
        const QAction* item = items[qsizetype(i)];
        QCOMPARE(item->isSeparator(), *design[i].first == 0);
        QCOMPARE(item->text().remove(u'&'), QString::fromUtf8(design[i].first));
        QCOMPARE(item->shortcut(), design[i].second);
        if (const qsizetype mark = item->text().indexOf(u'&'); mark >= 0) keys += item->text()[mark + 1].toUpper();
    }
    QCOMPARE(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size());
}

void MyPhrasesTest::emptyListBeforeTheFirstSave()
{
    m_form->RadioGroup1->button(7)->click();
    const ModalAnswer answer(QMessageBox::Ok);
    showMyPhrases();
    QVERIFY(!answer.seen());
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.model()->rowCount(), 0);
    QCOMPARE(m_form->RadioGroup1->itemIndex(), -1);
    QCOMPARE(grid.columnTitle(GridPlace::Left), QStringLiteral("Rus"));
    QCOMPARE(grid.columnTitle(GridPlace::Right), QStringLiteral("Eng"));
    QCOMPARE(grid.columnWidthAt(GridPlace::Left), grid.columnWidthAt(GridPlace::Right));
    QVERIFY(!std::filesystem::exists(myFile()));
    QVERIFY(action(*m_form, "AddPhraseAction")->isEnabled());
    QVERIFY(!action(*m_form, "EditPhraseAction")->isEnabled());
}

void MyPhrasesTest::addEditDeleteShowWhatWasSaved()
{
    showMyPhrases();
    addPhrase(Antenna, AntennaEng, AntennaJap);
    addPhrase(QStringLiteral("Меня зовут Алексей"), QStringLiteral("My name is Alexey"));
    const PhraseGrid& grid = *m_form->DBGrid1;
    QCOMPARE(grid.model()->rowCount(), 2);
    QCOMPARE(cellAt(grid, 1, GridPlace::Left), QStringLiteral("Меня зовут Алексей"));
    QCOMPARE(grid.currentIndex().row(), 1);
    const auto exported = mdbExport(myFile(), "Dict").rows;
    QCOMPARE(exported.size(), std::size_t{2});
    QCOMPARE(QString::fromStdString(exported[0][std::size_t(LanguageField::Jap)].value_or("")), AntennaJap);
    QVERIFY(!exported[1][std::size_t(LanguageField::Jap)]);

    // F2 on the first row edits it, starting from what it holds.
    m_form->DBGrid1->setCurrentIndex(grid.model()->index(0, grid.logicalAt(GridPlace::Left)));
    m_form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    m_form->DBGrid1->setFocus();
    bool edited = false;
    PhraseDialog::setNextAnswer([&](PhraseDialog& dialog) {
        edited = dialog.field(LanguageField::Jap)->text() == AntennaJap;
        setText(dialog, LanguageField::Eng, QStringLiteral("My antenna is a long wire"));
        dialog.accept();
    });
    QTest::keyClick(m_form->DBGrid1, Qt::Key_F2);
    PhraseDialog::setNextAnswer({});
    QVERIFY(edited);
    QCOMPARE(cellAt(grid, 0, GridPlace::Right), QStringLiteral("My antenna is a long wire"));
    QCOMPARE(cellAt(grid, 0, GridPlace::Left), Antenna);

    // Deleting asks first; Cancel keeps the phrase.
    {
        const ModalAnswer answer(QMessageBox::Cancel);
        action(*m_form, "DeletePhraseAction")->trigger();
        QVERIFY(answer.seen());
        QVERIFY(answer.text().contains(Antenna));
        QCOMPARE(grid.model()->rowCount(), 2);
    }
    {
        const ModalAnswer answer(QMessageBox::Ok);
        action(*m_form, "DeletePhraseAction")->trigger();
        QVERIFY(answer.seen());
    }
    QCOMPARE(grid.model()->rowCount(), 1);
    QCOMPARE(cellAt(grid, 0, GridPlace::Left), QStringLiteral("Меня зовут Алексей"));

    // A new session shows what this one saved.
    m_form.reset();
    show(m_form);
    showMyPhrases();
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 1);
    QCOMPARE(cellAt(*m_form->DBGrid1, 0, GridPlace::Right), QStringLiteral("My name is Alexey"));
    QCOMPARE(mdbExport(myFile(), "Dict").rows.size(), std::size_t{1});
}

void MyPhrasesTest::editAndDeleteWorkOnlyOnMyPhrases()
{
    showMyPhrases();
    addPhrase(Antenna, AntennaEng);
    QVERIFY(action(*m_form, "EditPhraseAction")->isEnabled());
    QVERIFY(action(*m_form, "DeletePhraseAction")->isEnabled());

    m_form->RadioGroup1->button(6)->click();
    QVERIFY(!action(*m_form, "EditPhraseAction")->isEnabled());
    QVERIFY(!action(*m_form, "DeletePhraseAction")->isEnabled());
    QVERIFY(action(*m_form, "AddToMyPhrasesAction")->isEnabled());
    // The shortcuts do nothing there either.
    const ModalAnswer answer(QMessageBox::Ok);
    m_form->EditPhraseClick();
    m_form->DeletePhraseClick();
    QVERIFY(!answer.seen());
    QCOMPARE(MyPhraseFile::read(myFile()).size(), std::size_t{1});

    m_form->Clock1Click();
    QVERIFY(!action(*m_form, "DeletePhraseAction")->isEnabled());
}

void MyPhrasesTest::addToMyPhrasesStartsFromTheCurrentRow()
{
    QRadioButton* weather = m_form->RadioGroup1->button(7);
    weather->click();
    const PhraseGrid& grid = *m_form->DBGrid1;
    m_form->DBGrid1->setCurrentIndex(grid.model()->index(1, grid.logicalAt(GridPlace::Left)));
    // The lines show in the grid's cell font as the user set it.
    m_form->Button6Click();
    m_form->Button1Click();
    PhraseTexts offered;
    bool gridFont = true;
    QVERIFY(answerDialog(action(*m_form, "AddToMyPhrasesAction"), [&](PhraseDialog& dialog) {
        offered = dialog.texts();
        for (const auto& language : phrase_data::PhraseCatalogue::languages())
            gridFont = gridFont && dialog.field(language.field)->font() == m_form->DBGrid1->font();
        setText(dialog, LanguageField::Eng, QStringLiteral("It rains at my QTH"));
        dialog.accept();
    }));
    for (const auto& language : phrase_data::PhraseCatalogue::languages())
        QCOMPARE(offered[std::size_t(language.field)],
                 DataFolder::cell(QStringLiteral("weath"),
                                  QString::fromLatin1(phrase_data::PhraseCatalogue::fieldName(language.field)), 2));
    QVERIFY(gridFont);
    QVERIFY(m_form->DBGrid1->font().bold());
    // The topic stays shown; the phrase went into the file, as a passing note says, without a
    // box to answer; the grid has the focus again.
    QCOMPARE(m_form->RadioGroup1->itemIndex(), 7);
    auto* note = m_form->findChild<QLabel*>(QStringLiteral("PassingNote"));
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("Added to My phrases as row 1"));
    QCOMPARE(m_form->focusWidget(), m_form->DBGrid1);
    QTRY_VERIFY_WITH_TIMEOUT(!note->isVisible(), PassingNote::ShownMilliseconds * 2);
    const auto saved = MyPhraseFile::read(myFile());
    QCOMPARE(saved.size(), std::size_t{1});
    QCOMPARE(saved[0][std::size_t(LanguageField::Eng)], QStringLiteral("It rains at my QTH"));
    QCOMPARE(saved[0][std::size_t(LanguageField::Rus)],
             DataFolder::cell(QStringLiteral("weath"), QStringLiteral("Rus"), 2));
}

void MyPhrasesTest::dialogRefusesWhatCannotBeSaved_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("nothing") << int(LanguageField::Rus) << QString() << QStringLiteral("at least one language");
    QTest::newRow("spaces only") << int(LanguageField::Rus) << QStringLiteral("   ")
                                 << QStringLiteral("at least one language");
    QTest::newRow("Japanese too long") << int(LanguageField::Jap) << QString(256, u'あ')
                                       << QStringLiteral("Japanese: 256 units");
    QTest::newRow("Russian too long") << int(LanguageField::Rus) << QString(300, u'ж')
                                      << QStringLiteral("Russian: 300 units");
    QString emoji;
    for (int i = 0; i < 128; ++i)
        emoji += QString::fromUcs4(U"\U0001F4FB");
    QTest::newRow("128 emoji") << int(LanguageField::Eng) << emoji << QStringLiteral("256 units");
}

void MyPhrasesTest::dialogRefusesWhatCannotBeSaved()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(QString, message);
    showMyPhrases();
    addPhrase(Antenna, AntennaEng);
    const QByteArray before = myFileBytes();
    QString shown;
    bool stayedOpen = false;
    QVERIFY(answerDialog(action(*m_form, "AddPhraseAction"), [&](PhraseDialog& dialog) {
        setText(dialog, LanguageField(field), text);
        {
            const ModalAnswer answer(QMessageBox::Ok);
            dialog.accept();
            shown = answer.text();
        }
        stayedOpen = dialog.isVisible() && dialog.field(LanguageField(field))->text() == text &&
                     dialog.focusWidget() == dialog.field(LanguageField(field));
        dialog.reject();
    }));
    QVERIFY2(shown.contains(message), qPrintable(shown));
    QVERIFY(stayedOpen);
    QCOMPARE(myFileBytes(), before);
}

void MyPhrasesTest::dialogNamesTheFieldsOfARowTooLong()
{
    showMyPhrases();
    QString shown;
    QVERIFY(answerDialog(action(*m_form, "AddPhraseAction"), [&](PhraseDialog& dialog) {
        // Eight fields of 255 Cyrillic letters: each fits, the row does not.
        for (const auto field : {LanguageField::Rus, LanguageField::RusP, LanguageField::Eng, LanguageField::Ger,
                                 LanguageField::Fren, LanguageField::Ital, LanguageField::Span, LanguageField::Port})
            setText(dialog, field, QString(255, u'ж'));
        {
            const ModalAnswer answer(QMessageBox::Ok);
            dialog.accept();
            shown = answer.text();
        }
        QVERIFY(dialog.isVisible());
        dialog.reject();
    }));
    QVERIFY2(shown.contains(QStringLiteral("row too long for a page")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("Shorten Russian")), qPrintable(shown));
    QVERIFY(!std::filesystem::exists(myFile()));
}

void MyPhrasesTest::spacesAtEitherEndAreKept()
{
    showMyPhrases();
    addPhrase(QStringLiteral("  QRZ?  "), QStringLiteral(" QRZ? "));
    const auto saved = MyPhraseFile::read(myFile());
    QCOMPARE(saved.size(), std::size_t{1});
    QCOMPARE(saved[0][std::size_t(LanguageField::Rus)], QStringLiteral("  QRZ?  "));
    QCOMPARE(saved[0][std::size_t(LanguageField::Eng)], QStringLiteral(" QRZ? "));
}

void MyPhrasesTest::failedSaveKeepsTheEditInTheDialog()
{
    showMyPhrases();
    addPhrase(Antenna, AntennaEng);
    // A folder where the backup must go: the save fails after the new file is written.
    const QString backup = QString::fromStdString(myFile().string()) + QStringLiteral(".bak");
    QVERIFY(QDir().mkpath(backup + QStringLiteral("/in-the-way")));
    const QByteArray before = myFileBytes();
    QString error;
    bool keptEdit = false;
    QVERIFY(answerDialog(action(*m_form, "AddPhraseAction"), [&](PhraseDialog& dialog) {
        setText(dialog, LanguageField::Eng, QStringLiteral("My rig is a ten-watt transceiver"));
        {
            const ModalAnswer answer(QMessageBox::Ok);
            dialog.accept();
            error = answer.text();
        }
        keptEdit = dialog.isVisible() &&
                   dialog.field(LanguageField::Eng)->text() == QStringLiteral("My rig is a ten-watt transceiver");
        QCOMPARE(myFileBytes(), before);
        // The user clears the way and tries again.
        QVERIFY(QDir(backup).removeRecursively());
        dialog.accept();
    }));
    QVERIFY2(error.contains(QStringLiteral("my.dsb.bak")), qPrintable(error));
    QVERIFY(keptEdit);
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 2);
    QCOMPARE(MyPhraseFile::read(myFile()).size(), std::size_t{2});
}

void MyPhrasesTest::secondCopyIsReadOnlyAndSaysWhy()
{
    saveEarlier({{Antenna, {}, AntennaEng}});
    auto other = std::make_unique<MyPhraseFile>(myFile()); // the other running copy
    QVERIFY(!other->open());
    {
        const ModalAnswer answer(QMessageBox::Ok);
        showMyPhrases();
        QVERIFY(answer.seen());
        QVERIFY2(answer.text().contains(QStringLiteral("another copy")), qPrintable(answer.text()));
    }
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 1);
    for (const char* name : {"AddPhraseAction", "EditPhraseAction", "DeletePhraseAction", "AddToMyPhrasesAction"}) {
        QVERIFY2(!action(*m_form, name)->isEnabled(), name);
        QVERIFY(action(*m_form, name)->toolTip().contains(QStringLiteral("another copy")));
    }
    // The other copy's changes show when the list is shown again.
    other->add({QStringLiteral("Мой позывной"), {}, QStringLiteral("My call sign")});
    {
        const ModalAnswer answer(QMessageBox::Ok);
        showMyPhrases();
        QVERIFY(!answer.seen()); // said once
    }
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 2);
    QVERIFY(!action(*m_form, "AddPhraseAction")->isEnabled());
    // Once the other copy has quit, the menu takes the file over as it opens.
    other.reset();
    Q_EMIT m_form->findChild<QMenu*>(QStringLiteral("PhraseMenu"))->aboutToShow();
    QVERIFY(action(*m_form, "AddPhraseAction")->isEnabled());
    QVERIFY(!action(*m_form, "AddPhraseAction")->toolTip().contains(QStringLiteral("another copy")));
    addPhrase(QStringLiteral("Мой город"), QStringLiteral("My town"));
    QCOMPARE(MyPhraseFile::read(myFile()).size(), std::size_t{3});
}

void MyPhrasesTest::unreadableFileIsMovedAsideAndTheBackupOffered()
{
    saveEarlier({{Antenna, {}, AntennaEng}, {QStringLiteral("Мой позывной"), {}, QStringLiteral("My call sign")}});
    QFile broken(QString::fromStdString(myFile().string()));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a database");
    broken.close();
    {
        const ModalAnswer answer(QMessageBox::Yes);
        showMyPhrases();
        QVERIFY(answer.seen());
        QVERIFY2(answer.text().contains(QStringLiteral("my.dsb.broken-")), qPrintable(answer.text()));
    }
    // The backup holds the file before the last save: one phrase.
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 1);
    QCOMPARE(cellAt(*m_form->DBGrid1, 0, GridPlace::Left), Antenna);
    const QStringList aside =
        QDir(QString::fromStdString(myFile().parent_path().string())).entryList({QStringLiteral("my.dsb.broken-*")});
    QCOMPARE(aside.size(), 1);
    QFile kept(QString::fromStdString((myFile().parent_path() / aside[0].toStdString()).string()));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("not a database"));
}

void MyPhrasesTest::declinedBackupIsRestoredLater()
{
    saveEarlier({{Antenna, {}, AntennaEng},
                 {QStringLiteral("Мой позывной"), {}, QStringLiteral("My call sign")},
                 {QStringLiteral("Мой город"), {}, QStringLiteral("My town")}});
    QFile broken(QString::fromStdString(myFile().string()));
    QVERIFY(broken.open(QIODevice::ReadWrite));
    QVERIFY(broken.resize(8192));
    broken.close();
    {
        const ModalAnswer answer(QMessageBox::No);
        showMyPhrases();
        QVERIFY(answer.seen());
        QVERIFY2(answer.text().contains(QStringLiteral("my.dsb.bak-")), qPrintable(answer.text()));
    }
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 0);
    addPhrase(QStringLiteral("Мой трансивер"), QStringLiteral("My rig"));
    addPhrase(QStringLiteral("Моя антенна"), QStringLiteral("My antenna"));
    // The kept copy is listed with its count; choosing it brings its two phrases back.
    QStringList listed;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QInputDialog*>(QApplication::activeModalWidget())) {
            listed = dialog->comboBoxItems();
            const auto kept = std::find_if(listed.begin(), listed.end(), [](const QString& item) {
                return item.startsWith(QStringLiteral("my.dsb.bak-"));
            });
            if (kept != listed.end()) dialog->setTextValue(*kept);
            dialog->accept();
        }
    });
    action(*m_form, "RestoreBackupAction")->trigger();
    QCOMPARE(listed.size(), 2);
    QVERIFY2(listed[0].startsWith(QStringLiteral("my.dsb.bak (1 phrase)")), qPrintable(listed.join(u'|')));
    QVERIFY2(listed[1].endsWith(QStringLiteral("(2 phrases)")), qPrintable(listed.join(u'|')));
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 2);
    QCOMPARE(cellAt(*m_form->DBGrid1, 0, GridPlace::Left), Antenna);
    QCOMPARE(MyPhraseFile::read(myFile()).size(), std::size_t{2});
}

void MyPhrasesTest::folderThatCannotBeFlushedStillSaves()
{
    if (::geteuid() == 0) QSKIP("root opens a folder of mode 0300: the phrase file's fault table covers the step");
    showMyPhrases();
    addPhrase(Antenna, AntennaEng);
    const QString folder = QString::fromStdString(myFile().parent_path().string());
    QVERIFY(QFile::setPermissions(folder, QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QString warning;
    QVERIFY(answerDialog(action(*m_form, "AddPhraseAction"), [&](PhraseDialog& dialog) {
        setText(dialog, LanguageField::Eng, QStringLiteral("My rig"));
        const ModalAnswer answer(QMessageBox::Ok);
        dialog.accept();
        warning = answer.text();
    }));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    QVERIFY2(warning.contains(QStringLiteral("Saved, but the folder could not be flushed")), qPrintable(warning));
    QCOMPARE(m_form->DBGrid1->model()->rowCount(), 2);
    QCOMPARE(MyPhraseFile::read(myFile()).size(), std::size_t{2});
}

void MyPhrasesTest::shippedFilesAreNeverWritten()
{
    const QMap<QString, QByteArray> before = checksums(QStringLiteral("dsb"));
    QVERIFY(!before.isEmpty());
    // A session of edits across topics, lists and my phrases.
    m_form->RadioGroup1->button(3)->click();
    QVERIFY(answerDialog(action(*m_form, "AddToMyPhrasesAction"), [](PhraseDialog& dialog) { dialog.accept(); }));
    m_form->SlangEngRus1Click();
    QVERIFY(answerDialog(action(*m_form, "AddToMyPhrasesAction"), [](PhraseDialog& dialog) { dialog.accept(); }));
    showMyPhrases();
    addPhrase(Antenna, AntennaEng, AntennaJap);
    QVERIFY(answerDialog(action(*m_form, "EditPhraseAction"), [](PhraseDialog& dialog) {
        setText(dialog, LanguageField::Ger, QStringLiteral("Meine Antenne"));
        dialog.accept();
    }));
    {
        const ModalAnswer answer(QMessageBox::Ok);
        action(*m_form, "DeletePhraseAction")->trigger();
    }
    m_form->RadioGroup1->button(0)->click();
    m_form.reset();
    QCOMPARE(MyPhraseFile::read(myFile()).size(), std::size_t{2});
    QCOMPARE(checksums(QStringLiteral("dsb")), before);
}

void MyPhrasesTest::pdfOfATopicHoldsItsCyrillicAndJapaneseText()
{
    const std::vector<std::string> fields{"Rus", "RusP", "Eng", "Ger", "Fren", "Ital", "Span", "Port", "Jap"};
    const QString longRus = QStringLiteral(
        "Моя антенна — трёхэлементный волновой канал на мачте высотой двенадцать метров над крышей дома, "
        "направленный на запад, с поворотным устройством и кабелем длиной тридцать метров");
    std::vector<std::string> row(fields.size(), "x");
    row[0] = longRus.toStdString();
    row[8] = AntennaJap.toStdString();
    std::vector<std::string> second(fields.size(), "y");
    second[0] = "Погода";
    second[8] = "天気は晴れです";
    DataFolder::write(QStringLiteral("ant"), fields, {row, second});
    m_form->RadioGroup1->button(6)->click();
    m_form->Japanese1Click();

    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("antenna.pdf"));
    PhraseListDocument::fromGrid(*m_form->DBGrid1, m_form->shownCaption()).exportPdf(pdf);
    const QString text = pdfText(pdf);
    QVERIFY2(!text.isEmpty(), "pdftotext found no text");
    QVERIFY(text.contains(QStringLiteral("Antenna")));
    QVERIFY(text.contains(QStringLiteral("Jap")));
    QVERIFY2(text.contains(AntennaJap), qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("天気は晴れです")));
    QVERIFY(text.contains(QStringLiteral("Погода")));
    // The long phrase is all there, over more than one line.
    QString flowing = text;
    flowing.replace(QRegularExpression(QStringLiteral("\\s+")), QStringLiteral(" "));
    QVERIFY2(flowing.contains(longRus), qPrintable(text));
    QVERIFY(!text.contains(longRus));
}

void MyPhrasesTest::exportOffersTheDocumentsFolderAndSaysWhereTheFileWent()
{
    m_form->RadioGroup1->button(7)->click();
    QTemporaryDir out;
    QString chosen = out.filePath(QStringLiteral("weather.pdf"));
    QString suggested;
    FileDialog::setNextAnswer([&](const QString& offered) {
        suggested = offered;
        return chosen;
    });
    action(*m_form, "ExportPdfAction")->trigger();
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString expected = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    QCOMPARE(QFileInfo(suggested).absolutePath(), QDir(expected).absolutePath());
    QVERIFY(QFileInfo(suggested).absolutePath() != QDir::currentPath());
    QCOMPARE(QFileInfo(suggested).fileName(), QStringLiteral("Weather.pdf"));
    QVERIFY(QFileInfo(chosen).size() > 0);
    auto* note = m_form->findChild<QLabel*>(QStringLiteral("PassingNote"));
    QVERIFY(note && note->isVisible());
    QCOMPARE(note->text(), QStringLiteral("Saved as ") + QDir::toNativeSeparators(chosen));
}

void MyPhrasesTest::pdfTextIsTheRealText_data()
{
    QTest::addColumn<QString>("sample");
    // Kanji that share their glyph with a Kangxi radical (山 谷 日 金 長 門 雨 風 見 言), and others.
    QTest::newRow("Japanese") << QStringLiteral("渋谷の山田です。日本の金曜日は長い雨と風、門を見て言う。");
    QTest::newRow("Cyrillic") << QStringLiteral("Съешь же ещё этих мягких французских булок, да выпей чаю.");
    QTest::newRow("accented") << QStringLiteral("Ça été très façile: Ñandú, Straße, über, não, irmã, città, où.");
}

// What a PDF viewer copies or finds is the phrase itself, character for character.
void MyPhrasesTest::pdfTextIsTheRealText()
{
    QFETCH(QString, sample);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("sample.pdf"));
    PhraseListDocument(QStringLiteral("Sample"), QStringLiteral("Left"), QStringLiteral("Right"), {{sample, QString()}},
                       m_form->DBGrid1->font())
        .exportPdf(pdf);
    const QStringList lines = pdfText(pdf).split(u'\n', Qt::SkipEmptyParts);
    const qsizetype found =
        lines.indexOf(QRegularExpression(QStringLiteral(".*%1.*").arg(QRegularExpression::escape(sample.left(4)))));
    QVERIFY2(found >= 0, qPrintable(lines.join(u'\n')));
    // The cell may wrap: the lines from the first hold the sample, spaces aside.
    QString flowing = lines.mid(found).join(QString());
    flowing.remove(QRegularExpression(QStringLiteral("\\s")));
    QString expected = sample;
    expected.remove(QRegularExpression(QStringLiteral("\\s")));
    const qsizetype at = flowing.indexOf(expected.left(4));
    QCOMPARE(flowing.mid(at, expected.size()), expected);
}

void MyPhrasesTest::pdfOfMyPhrasesIsCaptioned()
{
    showMyPhrases();
    addPhrase(Antenna, AntennaEng);
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("mine.pdf"));
    PhraseListDocument::fromGrid(*m_form->DBGrid1, m_form->shownCaption()).exportPdf(pdf);
    const QString text = pdfText(pdf);
    QVERIFY(text.contains(QStringLiteral("My phrases")));
    QVERIFY(text.contains(Antenna));
    QVERIFY(text.contains(AntennaEng));
    // A folder that cannot take the file gives an error naming it.
    const QString nowhere = out.filePath(QStringLiteral("missing/mine.pdf"));
    QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                             PhraseListDocument::fromGrid(*m_form->DBGrid1, m_form->shownCaption()).exportPdf(nowhere));
}

void MyPhrasesTest::pdfNeverReplacesAPipeOrADevice_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a FIFO") << QStringLiteral("fifo");
    QTest::newRow("a device node") << QStringLiteral("device");
}

void MyPhrasesTest::pdfNeverReplacesAPipeOrADevice()
{
    QFETCH(QString, kind);
    const std::filesystem::path target = std::filesystem::path(m_home->path().toStdString()) / "out.pdf";
    if (kind == u"fifo")
        QCOMPARE(::mkfifo(target.c_str(), 0600), 0);
    else
        std::filesystem::create_symlink("/dev/null", target);
    m_form->RadioGroup1->button(3)->click();
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, PhraseListDocument::fromGrid(*m_form->DBGrid1, m_form->shownCaption())
                                                     .exportPdf(QString::fromStdString(target.string())));
    const auto status = std::filesystem::symlink_status(target);
    QVERIFY(kind == u"fifo" ? std::filesystem::is_fifo(status) : std::filesystem::is_symlink(status));
}

void MyPhrasesTest::printAndExportWriteWhereTheDialogsSay()
{
    showMyPhrases();
    addPhrase(Antenna, AntennaEng);
    QTemporaryDir out;
    const QDir folder(out.path());
    // Cancelled, each dialog leaves nothing behind.
    FileDialog::setNextFileName({});
    action(*m_form, "ExportPdfAction")->trigger();
    PrintDialog::setNextAnswer([](QPrintDialog&) { return int(QDialog::Rejected); });
    action(*m_form, "PrintAction")->trigger();
    QVERIFY(folder.isEmpty());

    const QString exported = out.filePath(QStringLiteral("exported.pdf"));
    FileDialog::setNextFileName(exported);
    action(*m_form, "ExportPdfAction")->trigger();
    const QString printed = out.filePath(QStringLiteral("printed.pdf"));
    PrintDialog::setNextAnswer([&](QPrintDialog& dialog) {
        QPrinter& printer = *dialog.printer();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(printed);
        return int(QDialog::Accepted);
    });
    action(*m_form, "PrintAction")->trigger();
    for (const QString& pdf : {exported, printed}) {
        const QString text = pdfText(pdf);
        QVERIFY2(text.contains(QStringLiteral("My phrases")), qPrintable(pdf));
        QVERIFY2(text.contains(Antenna), qPrintable(pdf));
        QVERIFY2(text.contains(AntennaEng), qPrintable(pdf));
    }
}

void MyPhrasesTest::pdfPagesEndUnderTheirLastRow_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("longEvery");
    QTest::newRow("60 rows") << 60 << 0;
    QTest::newRow("200 rows") << 200 << 0;
    QTest::newRow("rows of mixed heights") << 120 << 3;
}

// Every row is printed once, in order, each page under the titles, and no row is drawn stretched
// down to the page's foot: each page's table closes right under its last line of text, low on
// the page (the rows fill it).
void MyPhrasesTest::pdfPagesEndUnderTheirLastRow()
{
    QFETCH(int, count);
    QFETCH(int, longEvery);
    const QString wrapping = QStringLiteral(" — my yagi gets gusty gales, guying ropes grip, pegs hold; ").repeated(4);
    std::vector<PhraseListDocument::Row> rows;
    for (int i = 0; i < count; ++i) {
        const QString number = QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
        const QString tail = longEvery > 0 && i % longEvery == 1 ? wrapping.left(40 + 30 * (i % 7)) : QString();
        rows.push_back({QStringLiteral("Фраза %1").arg(number) + tail, QStringLiteral("Phrase %1").arg(number)});
    }
    QTemporaryDir out;
    const QString pdf = out.filePath(QStringLiteral("long.pdf"));
    PhraseListDocument(QStringLiteral("Long list"), QStringLiteral("Rus"), QStringLiteral("Eng"), rows,
                       m_form->DBGrid1->font())
        .exportPdf(pdf);

    const QString text = pdfText(pdf);
    QStringList numbers;
    for (const auto& match : QRegularExpression(QStringLiteral("Phrase (\\d{3})")).globalMatch(text))
        numbers << match.captured(1);
    QStringList expected;
    for (int i = 0; i < count; ++i)
        expected << QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0'));
    QCOMPARE(numbers, expected);
    QStringList pageTexts = text.split(u'\f');
    while (!pageTexts.isEmpty() && pageTexts.last().trimmed().isEmpty())
        pageTexts.removeLast();
    QVERIFY(pageTexts.size() > 1);
    for (const QString& page : std::as_const(pageTexts))
        QVERIFY2(page.contains(QStringLiteral("Rus")) && page.contains(QStringLiteral("Eng")), qPrintable(page));

    const std::vector<QImage> pages = pdfPages(pdf, out.path());
    QCOMPARE(qsizetype(pages.size()), pageTexts.size());
    // A row's padding and a line's descent: a few points.
    const int allowedGap = 8;
    QString feet;
    for (const QImage& page : pages) {
        const TableFoot foot = tableFoot(page);
        feet += QStringLiteral(" %1/%2").arg(foot.rule).arg(foot.gap);
    }
    for (std::size_t i = 0; i + 1 < pages.size(); ++i) {
        const TableFoot foot = tableFoot(pages[i]);
        QVERIFY2(foot.gap >= 0 && foot.gap <= allowedGap && foot.rule > pages[i].height() * 4 / 5,
                 qPrintable(QStringLiteral("page %1 of (rule/gap)%2").arg(i + 1).arg(feet)));
    }
}

QTEST_MAIN(MyPhrasesTest)
#include "my_phrases_test.moc"

void MyPhrasesTest::findReachesMyPhrasesOnceSaved()
{
    action(*m_form, "FindAction")->trigger();
    FindWindow* find = m_form->findWindow();
    QVERIFY(find);
    // Before the first save there is nothing of the user's to find, and no file is reported skipped.
    find->queryEdit()->setText(QStringLiteral("Dipole"));
    QCOMPARE(find->resultCount(), 0);
    QVERIFY2(!find->countText().contains(QStringLiteral("skipped")), qPrintable(find->countText()));

    addPhrase(QStringLiteral("Моя антенна — диполь"), QStringLiteral("My antenna is a dipole"));
    addPhrase(QStringLiteral("Моя станция"), QStringLiteral("My rig"));
    find->queryEdit()->setText(QStringLiteral("rig"));
    find->queryEdit()->setText(QStringLiteral("Dipole"));
    QCOMPARE(find->resultCount(), 1);
    m_form->RadioGroup1->button(7)->click();
    QTest::keyClick(find->queryEdit(), Qt::Key_Return);
    QCOMPARE(m_form->shownCaption(), QStringLiteral("My phrases"));
    QCOMPARE(m_form->DBGrid1->currentIndex().data().toString(), QStringLiteral("Моя антенна — диполь"));
}
